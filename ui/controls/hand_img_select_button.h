#pragma once

#include "ui/toolkit/button.h"

#include <optional>
#include <span>
#include <string>

namespace morva::ui {

// A button that shows a hand picture following the pointer while it is held down, and a
// standard cursor of its choice. Entering and leaving send "msenter" and "msleave".
class CHandImgSelectButtonUI : public Button {
public:
    static constexpr std::string_view kClassName = "HandImgSelectButton";
    static constexpr std::string_view kFactoryName = "CHandImgSelectButtonUI";
    std::string_view className() const override { return kClassName; }

    // The standard cursors the "cursor" attribute may name.
    static std::span<const std::string_view> cursorNames();

    const std::string& handImage() const { return handImage_; }
    // One of cursorNames(); "arrow" unless the skin chose another.
    const std::string& cursor() const { return cursor_; }
    // False (and no change) for a name that is not a standard cursor.
    bool setCursor(std::string_view name);

    // Where the button was pressed, and where the pointer is while it stays pressed.
    std::optional<Point> pressPoint() const { return pressPoint_; }
    Point handPoint() const { return handPoint_; }

    bool setAttribute(std::string_view name, std::string_view value) override;

protected:
    void handleEvent(const UiEvent& e) override;

private:
    std::string handImage_;
    std::string cursor_ = "arrow";
    std::optional<Point> pressPoint_;
    Point handPoint_;
};

} // namespace morva::ui
