#include "ui/controls/redio_macro_button.h"

#include "base/text.h"

#include <algorithm>

namespace morva::ui {

std::string CRedioMacroButtonUI::fadedImage(const std::string& image, int fade) {
    if (image.empty()) {
        return {};
    }
    const std::string described =
        image.find("file='") != std::string::npos ? image : "file='" + image + "'";
    return described + " fade='" + std::to_string(fade) + "'";
}

void CRedioMacroButtonUI::setRedioImage(std::string image) {
    redioImage_ = std::move(image);
    showFade(fade_);
}

void CRedioMacroButtonUI::setAnimating(bool on) {
    fadingOut_ = true;
    showFade(kFullest);
    animating_ = on && setTimer(kPulseTimer, kPulseMs);
    if (!on) {
        killTimer(kPulseTimer);
    }
}

void CRedioMacroButtonUI::onWindowChanged() {
    // The timers ended with the old window; a pulse that was on goes on in the new one.
    if (animating_) {
        animating_ = setTimer(kPulseTimer, kPulseMs);
    }
}

void CRedioMacroButtonUI::step() {
    if (fadingOut_) {
        const int next = std::max(kFaintest, fade_ - kFadeStep);
        fadingOut_ = next != kFaintest;
        showFade(next);
        return;
    }
    const int next = std::min(kFullest, fade_ + kFadeStep);
    fadingOut_ = next == kFullest;
    showFade(next);
}

void CRedioMacroButtonUI::showFade(int fade) {
    fade_ = fade;
    setForeImage(fadedImage(redioImage_, fade));
}

bool CRedioMacroButtonUI::setAttribute(std::string_view name, std::string_view value) {
    if (equalsIgnoreCase(name, "redioimage")) {
        setRedioImage(std::string(value));
        return true;
    }
    return Button::setAttribute(name, value);
}

void CRedioMacroButtonUI::handleEvent(const UiEvent& e) {
    if (e.type == EventType::Timer && e.wParam == kPulseTimer) {
        step();
        return;
    }
    Button::handleEvent(e);
}

} // namespace morva::ui
