#pragma once

namespace morva::platform {

// The desktop's own keyboard (0) or mouse (1) settings, opened beside the program. Returns
// whether the launch was started; the settings program runs on by itself.
bool openDesktopInputSettings(int which);

} // namespace morva::platform
