#pragma once

#include <string>

namespace morva::platform {

// The locale the desktop asks programs to show their texts in: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty ("en_US.UTF-8"); empty when none is.
std::string desktopMessagesLocale();

} // namespace morva::platform
