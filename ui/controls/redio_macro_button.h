#pragma once

#include "ui/toolkit/button.h"

#include <string>

namespace morva::ui {

// The recording indicator: while its animation runs, its "redioimage" pulses as the fore image,
// fading out to 80 and back to 255 in steps of 20 every 50 ms.
class CRedioMacroButtonUI : public Button {
public:
    static constexpr std::string_view kClassName = "RedioMacroButton";
    static constexpr std::string_view kFactoryName = "CRedioMacroButtonUI";
    static constexpr int kPulseTimer = 100;
    static constexpr TickMs kPulseMs = 50;
    static constexpr int kFadeStep = 20;
    static constexpr int kFaintest = 80;
    static constexpr int kFullest = 255;
    std::string_view className() const override { return kClassName; }

    const std::string& redioImage() const { return redioImage_; }
    void setRedioImage(std::string image);

    // Starting shows the picture at full strength and pulses it; stopping leaves it at full
    // strength. Only a control in a window has the timer the pulse needs.
    void setAnimating(bool on);
    bool animating() const { return animating_; }
    int fade() const { return fade_; }

    // The picture with a fade, as the fore image takes it.
    static std::string fadedImage(const std::string& image, int fade);

    bool setAttribute(std::string_view name, std::string_view value) override;

protected:
    void handleEvent(const UiEvent& e) override;
    void onWindowChanged() override;

private:
    void step();
    void showFade(int fade);

    std::string redioImage_;
    bool animating_ = false;
    bool fadingOut_ = true;
    int fade_ = kFullest;
};

} // namespace morva::ui
