#pragma once

#include "profiles/profile_records.h"

namespace morva::ui {
class Container;
}

// The system controls of a keyboard's page: four report-rate options, the Windows-key lock, the
// W flag and the 6-key flag, the repeat-rate slider, four repeat-delay options with the delay in
// milliseconds beside them. The options are kept exclusive here rather than by a window-wide
// group, so that two keyboard pages never clear each other's choice.
namespace morva::device::keyboard_system {

inline constexpr int kChoices = 4;
inline constexpr int kRepeatDelayStepMs = 250;

// Shows the settings; an index outside 0..3 shows choice 0.
void show(ui::Container& page, const profiles::KeyboardSystemRecord& system);

// The report-rate or repeat-delay choice that a click on option `index` makes.
int choiceOf(int index);

} // namespace morva::device::keyboard_system
