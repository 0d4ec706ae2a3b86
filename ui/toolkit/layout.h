#pragma once

#include "ui/toolkit/geometry.h"

namespace morva::ui {

class Control;
class Window;

// Places the controls of a window: every visible control gets its layoutRect, in window pixels
// at the window's DPI. Vertical and horizontal layouts stack their children (a child without a
// fixed size shares what the fixed ones leave), with each child's padding and the layout's inset
// and child padding; floating children sit at their "pos" inside their parent; other containers
// give each child their whole inner area. A renderer that places its widgets by these
// rectangles runs it again after geometry, visibility, children, size or DPI changes.
void layoutWindow(Window& window);
// The same for one subtree placed at a rectangle.
void layoutControl(Control& control, const Rect& rect);

} // namespace morva::ui
