#include "update/curl_library.h"

#include <dlfcn.h>
#include <mutex>

namespace morva::update {
namespace {

// The soname of libcurl's current interface, the one the headers describe.
constexpr const char* kSoname = "libcurl.so.4";

template <typename Function>
bool resolve(void* library, const char* name, Function& function, std::string& missing) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (function == nullptr) {
        missing = std::string(kSoname) + " has no " + name;
    }
    return function != nullptr;
}

struct Loaded {
    CurlLibrary library;
    bool usable = false;
    std::string error;
};

Loaded load() {
    Loaded loaded;
    // Kept for the program's life: libcurl cannot be unloaded once initialised.
    void* handle = dlopen(kSoname, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        loaded.error = std::string("cannot load ") + kSoname + ": " + (reason ? reason : "");
        return loaded;
    }
    CurlLibrary& curl = loaded.library;
    std::string& error = loaded.error;
    loaded.usable = resolve(handle, "curl_global_init", curl.globalInit, error) &&
                    resolve(handle, "curl_easy_init", curl.easyInit, error) &&
                    resolve(handle, "curl_easy_setopt", curl.easySetopt, error) &&
                    resolve(handle, "curl_easy_perform", curl.easyPerform, error) &&
                    resolve(handle, "curl_easy_getinfo", curl.easyGetinfo, error) &&
                    resolve(handle, "curl_easy_strerror", curl.easyStrerror, error) &&
                    resolve(handle, "curl_easy_cleanup", curl.easyCleanup, error) &&
                    resolve(handle, "curl_slist_append", curl.slistAppend, error) &&
                    resolve(handle, "curl_slist_free_all", curl.slistFreeAll, error);
    if (loaded.usable && curl.globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        loaded.usable = false;
        error = std::string(kSoname) + " failed to initialise";
    }
    return loaded;
}

} // namespace

const CurlLibrary* curlLibrary(std::string& why) {
    static const Loaded loaded = load();
    if (!loaded.usable) {
        why = loaded.error;
        return nullptr;
    }
    return &loaded.library;
}

} // namespace morva::update
