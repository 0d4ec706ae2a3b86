#pragma once

#include "base/application.h"

#include <filesystem>
#include <optional>
#include <sys/types.h>

namespace morva::platform {

// "$XDG_CONFIG_HOME/QT4410-VIGOR MORVA" (default ~/.config): the settings store's folder.
std::filesystem::path userConfigFolder();
// "$XDG_DATA_HOME/QT4410-VIGOR MORVA" (default ~/.local/share): the local application data.
std::filesystem::path userDataFolder();
// The home folder: $HOME when it is absolute, else the user database's, else the temporary folder.
std::filesystem::path userHomeFolder();

// The user's private folder for the program's sockets: $XDG_RUNTIME_DIR when it is a real
// directory of the user with mode 0700, else "/tmp/morva-<uid>", made with mode 0700 and used
// only when it is the user's own real directory with that mode. Nothing when neither is safe
// (the trace says why).
std::optional<std::filesystem::path> userRuntimeFolder();
// The same choice for a given value of XDG_RUNTIME_DIR (nullptr: unset), folder for the fallback
// and user.
std::optional<std::filesystem::path> userRuntimeFolder(const char* xdgRuntimeDir,
                                                       const std::filesystem::path& fallbackParent,
                                                       uid_t uid);

} // namespace morva::platform
