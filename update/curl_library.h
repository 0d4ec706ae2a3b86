#pragma once

#include <curl/curl.h>
#include <string>

// libcurl and the TLS, Kerberos and LDAP libraries it brings weigh several megabytes of resident
// memory; most runs never download anything, so the library is loaded at the first download
// instead of with the program.
namespace morva::update {

struct CurlLibrary {
    CURLcode (*globalInit)(long flags) = nullptr;
    CURL* (*easyInit)() = nullptr;
    CURLcode (*easySetopt)(CURL* handle, CURLoption option, ...) = nullptr;
    CURLcode (*easyPerform)(CURL* handle) = nullptr;
    CURLcode (*easyGetinfo)(CURL* handle, CURLINFO info, ...) = nullptr;
    const char* (*easyStrerror)(CURLcode code) = nullptr;
    void (*easyCleanup)(CURL* handle) = nullptr;
    curl_slist* (*slistAppend)(curl_slist* list, const char* text) = nullptr;
    void (*slistFreeAll)(curl_slist* list) = nullptr;
};

// The library, loaded and initialised once for the whole program; null when it cannot be had,
// with the reason in `why` (left alone otherwise). Safe to call from any thread.
const CurlLibrary* curlLibrary(std::string& why);

} // namespace morva::update
