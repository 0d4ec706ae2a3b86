#pragma once

#include "ui/toolkit/list.h"

namespace morva::ui {

// A list row framed by a one-pixel hot border while the pointer is over it.
class CCloudShareListItemUI : public ListContainerElement {
public:
    static constexpr std::string_view kClassName = "CloudShareListItemUI";
    static constexpr std::string_view kFactoryName = "CCloudShareListItemUI";
    std::string_view className() const override { return kClassName; }

    bool hovered() const { return hovered_; }

protected:
    void handleEvent(const UiEvent& e) override;

private:
    bool hovered_ = false;
};

} // namespace morva::ui
