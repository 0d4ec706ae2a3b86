#include "profiles/list/profile_naming.h"

#include "base/text.h"

#include <algorithm>

namespace morva::profiles {

bool isProfileNameInUse(std::string_view name, const std::vector<std::string>& names) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& used) { return equalsIgnoreCase(used, name); });
}

std::string newProfileName(const std::vector<std::string>& names) {
    for (int n = 1;; ++n) {
        std::string candidate = "profile" + std::to_string(n);
        if (!isProfileNameInUse(candidate, names)) {
            return candidate;
        }
    }
}

std::string copiedProfileName(std::string_view source, const std::vector<std::string>& names) {
    std::string candidate = std::string(source) + " copy";
    while (isProfileNameInUse(candidate, names)) {
        candidate += " copy";
    }
    return candidate;
}

std::string importedProfileName(std::string_view name, const std::vector<std::string>& names) {
    std::string candidate(name);
    for (int n = 1; isProfileNameInUse(candidate, names); ++n) {
        candidate = std::string(name) + "(" + std::to_string(n) + ")";
    }
    return candidate;
}

} // namespace morva::profiles
