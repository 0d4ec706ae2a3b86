#pragma once

namespace morva {

// The application title: the main window's title and tray tip, and the name of the program's
// folders, its single instance and its message sockets.
inline constexpr char kApplicationTitle[] = "QT4410-VIGOR MORVA";

} // namespace morva
