#pragma once

#include "ui/toolkit/button.h"

#include <string>

namespace morva::ui {

// A tile with a delete mark in its lower right corner. A click on the mark sends
// "click_handdelete" instead of "click"; the mark shows its hot picture while the pointer is on
// it. Entering and leaving the tile send "msenter" and "msleave".
class CHandImgButtonUI : public Button {
public:
    static constexpr std::string_view kClassName = "HandImgButton";
    static constexpr std::string_view kFactoryName = "CHandImgButtonUI";
    std::string_view className() const override { return kClassName; }

    const std::string& handImage() const { return handImage_; }
    const std::string& deleteNormalImage() const { return deleteNormalImage_; }
    const std::string& deleteHotImage() const { return deleteHotImage_; }

    // The mark's square in window pixels, from where the tile was last laid out.
    Rect deleteArea() const;
    bool pointerOnDelete() const { return pointerOnDelete_; }
    bool hovered() const { return hovered_; }
    // The picture of the mark as it shows now; empty while the pointer is elsewhere.
    const std::string& shownDeleteImage() const;

    bool setAttribute(std::string_view name, std::string_view value) override;

protected:
    void handleEvent(const UiEvent& e) override;

private:
    void trackPointer(Point at);

    std::string handImage_;
    std::string deleteNormalImage_;
    std::string deleteHotImage_;
    bool hovered_ = false;
    bool pointerOnDelete_ = false;
};

} // namespace morva::ui
