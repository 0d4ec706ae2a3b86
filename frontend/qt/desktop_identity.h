#pragma once

#include <QIcon>

// How the program shows itself to the desktop: its name and window class, the desktop entry
// that docks and task bars match it with, and its icon.
namespace morva::qt {

// The program's icon, drawn from the SVG built into the program at whatever size is asked for;
// null when the SVG cannot be read.
QIcon programIcon();

// Names the application "morva" (the window class), sets the desktop file name to the desktop id
// and the program's icon as every window's icon. Call after the application object exists.
void identifyToDesktop();

} // namespace morva::qt
