#include "update/version_file.h"

#include "base/json_file.h"
#include "base/text.h"

#include <charconv>

namespace morva::update {
namespace {

std::string memberText(const Json::Value& element, const char* name) {
    const Json::Value& value = element[name];
    return value.isString() ? value.asString() : std::string();
}

unsigned leadingNumber(std::string_view text) {
    unsigned number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

} // namespace

std::vector<OfferedVersion> readVersionFile(const std::filesystem::path& path) {
    std::vector<OfferedVersion> offers;
    const JsonReadResult document = readJsonDocument(path);
    if (!document.ok() || !document.value.isObject() || !document.value["data"].isArray()) {
        return offers;
    }
    for (const Json::Value& element : document.value["data"]) {
        if (element.isObject()) {
            offers.push_back({memberText(element, "device"), memberText(element, "Ver"),
                              memberText(element, "url")});
        }
    }
    return offers;
}

std::vector<OfferedVersion> offersFor(const std::vector<OfferedVersion>& offers,
                                      const std::string& lookupKey) {
    std::vector<OfferedVersion> found;
    for (const OfferedVersion& offer : offers) {
        if (equalsIgnoreCase(offer.device, lookupKey)) {
            found.push_back(offer);
        }
    }
    return found;
}

unsigned comparableVersion(const std::string& versionText) {
    constexpr size_t kDigits = 3;
    const std::string_view text(versionText);
    return leadingNumber(text.size() > kDigits ? text.substr(text.size() - kDigits) : text);
}

unsigned offeredNumber(const std::string& version) {
    return leadingNumber(version);
}

} // namespace morva::update
