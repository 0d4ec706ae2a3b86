#pragma once

#include <string_view>

// What the program is called by the system: its version and its desktop id, both set once in the
// build (the project's version, the name of its desktop entry, icon and metainfo).
namespace morva {

std::string_view programVersion();
// Reverse-DNS id: the desktop entry is <id>.desktop, the icon <id>.svg.
std::string_view desktopId();

} // namespace morva
