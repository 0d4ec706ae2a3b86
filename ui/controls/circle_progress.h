#pragma once

#include "ui/toolkit/progress.h"

namespace morva::ui {

// A progress drawn as a ring: a disc in the background colour, a sector in the foreground
// colour from the top, and a white disc inside.
class CCircleProgressUI : public Progress {
public:
    static constexpr std::string_view kClassName = "CircleProgress";
    static constexpr std::string_view kFactoryName = "CCircleProgressUI";
    // Where the sector starts, counter-clockwise from three o'clock, in degrees.
    static constexpr double kStartDegrees = 90.0;
    // How much smaller the white disc is on each side, in pixels.
    static constexpr int kRingWidth = 10;
    std::string_view className() const override { return kClassName; }

    // value ÷ (maximum − minimum) × 360, kept within a full turn; none for an empty range.
    double sweepDegrees() const;
    // The foreground colour (0xAARRGGBB): the "forecolor" attribute, the text colour when the
    // skin gives none.
    uint32_t foreColor() const;

    bool setAttribute(std::string_view name, std::string_view value) override;

private:
    uint32_t foreColor_ = 0;
};

} // namespace morva::ui
