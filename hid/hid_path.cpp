#include "hid/hid_path.h"

#include "base/text.h"

#include <cstdio>

namespace morva::hid {
namespace {

wchar_t lowerAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

size_t findIgnoringCase(std::wstring_view text, std::wstring_view marker) {
    if (marker.size() > text.size()) {
        return std::wstring_view::npos;
    }
    for (size_t at = 0; at + marker.size() <= text.size(); ++at) {
        size_t i = 0;
        while (i < marker.size() && lowerAscii(text[at + i]) == marker[i]) {
            ++i;
        }
        if (i == marker.size()) {
            return at;
        }
    }
    return std::wstring_view::npos;
}

int hexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    c = lowerAscii(c);
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    return -1;
}

// The hexadecimal number right after the marker, up to the first non-digit; low 16 bits.
uint16_t numberAfter(std::wstring_view path, std::wstring_view marker) {
    const size_t at = findIgnoringCase(path, marker);
    if (at == std::wstring_view::npos) {
        return 0;
    }
    uint32_t value = 0;
    for (size_t i = at + marker.size(); i < path.size() && hexDigit(path[i]) >= 0; ++i) {
        value = (value << 4 | static_cast<uint32_t>(hexDigit(path[i]))) & 0xFFFFF;
    }
    return static_cast<uint16_t>(value & 0xFFFF);
}

} // namespace

uint16_t parseVendorId(std::wstring_view path) {
    return numberAfter(path, L"vid_");
}

uint16_t parseProductId(std::wstring_view path) {
    return numberAfter(path, L"pid_");
}

uint16_t parseInterfaceNumber(std::wstring_view path) {
    return numberAfter(path, L"&mi_");
}

uint16_t parseCollectionNumber(std::wstring_view path) {
    return numberAfter(path, L"&col");
}

std::wstring formatHidPath(const HidPathParts& parts) {
    char ids[64];
    int length =
        std::snprintf(ids, sizeof ids, "vid_%04x&pid_%04x", parts.vendorId, parts.productId);
    if (parts.interfaceNumber >= 0) {
        length += std::snprintf(ids + length, sizeof ids - static_cast<size_t>(length), "&mi_%02x",
                                parts.interfaceNumber & 0xFF);
    }
    if (parts.collectionNumber != 0) {
        std::snprintf(ids + length, sizeof ids - static_cast<size_t>(length), "&col%02x",
                      parts.collectionNumber);
    }
    return Utf8ToWide(parts.node + "#" + ids + "#" + parts.instance);
}

bool splitHidPath(std::wstring_view path, std::string& node, std::string& instance) {
    const size_t first = path.find(L'#');
    const size_t last = path.rfind(L'#');
    if (first == std::wstring_view::npos || first == last || first == 0) {
        return false;
    }
    node = WideToUtf8(path.substr(0, first));
    instance = WideToUtf8(path.substr(last + 1));
    return true;
}

} // namespace morva::hid
