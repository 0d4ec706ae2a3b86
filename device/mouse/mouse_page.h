#pragma once

#include "device/device_info_record.h"
#include "profiles/profile_records.h"

#include <vector>

namespace morva::ui {
class Container;
}

// The cursor and system controls of a mouse's page: five DPI stages (enable box, slider in DPI
// steps, edit box in DPI), five report-rate options kept exclusive per page, pointer speed and
// precision, scroll speed and whole-page scrolling, and the double-click time.
namespace morva::device::mouse_page {

inline constexpr int kStages = 5;
inline constexpr int kReportRates = 5;

// The sliders range over the mouse's DPI steps, the edit boxes over its DPI.
void setRanges(ui::Container& page, const DeviceInfoRecord& info);
// Shows the stages the profile has (the others empty and off) and the system settings. At least
// one stage stays enabled: the box of the only enabled stage cannot be cleared.
void show(ui::Container& page, const std::vector<profiles::DpiStageRecord>& stages,
          const profiles::MouseSystemRecord& system, const DeviceInfoRecord& info);
// The DPI of a stage's slider position in its edit box, while the slider is being dragged.
void showStageDpi(ui::Container& page, int stage, int steps, const DeviceInfoRecord& info);
// The DPI steps of a typed DPI: raised to the mouse's lowest DPI, divided by its DPI per step and
// kept within its steps.
uint16_t stepsOfTypedDpi(int typedDpi, const DeviceInfoRecord& info);

} // namespace morva::device::mouse_page
