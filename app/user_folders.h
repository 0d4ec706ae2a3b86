#pragma once

#include <filesystem>

namespace morva {

// The application title; it names the program's folders, its single instance and its tray icon.
inline constexpr const char* kApplicationTitle = "QT4410-VIGOR MORVA";

// "$XDG_CONFIG_HOME/QT4410-VIGOR MORVA" (default ~/.config): the settings store's folder.
std::filesystem::path userConfigFolder();
// "$XDG_DATA_HOME/QT4410-VIGOR MORVA" (default ~/.local/share): the local application data.
std::filesystem::path userDataFolder();

} // namespace morva
