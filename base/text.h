#pragma once

#include <string>
#include <string_view>

namespace morva {

// Conversions of a whole text between UTF-8 and the platform's wide characters (UTF-32 where
// wchar_t has 32 bits, UTF-16 where it has 16). Malformed input becomes U+FFFD.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

std::string toLowerAscii(std::string_view text);
// Whether two UTF-8 texts are equal ignoring case in any script ("Été" and "éTÉ"), by Unicode
// simple case folding.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

} // namespace morva
