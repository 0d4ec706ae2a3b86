#pragma once

namespace morva::ui {

class ControlFactory;

// Registers the custom controls the skin files name, under their class names and their tags.
void registerCustomControls(ControlFactory& factory);

} // namespace morva::ui
