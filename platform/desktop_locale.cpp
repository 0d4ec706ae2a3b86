#include "platform/desktop_locale.h"

#include <cstdlib>

namespace morva::platform {

std::string desktopMessagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

} // namespace morva::platform
