#pragma once

#include "ui/toolkit/button.h"

#include <string>

namespace morva::ui {

// A button with a selected state. Options that share a group name are exclusive within their
// window: selecting one deselects the others. Activation sends "click" and then selects a
// grouped option, or toggles an option without a group.
class Option : public Button {
public:
    std::string_view className() const override { return "Option"; }

    bool selected() const { return selected_; }
    // "selectchanged" is sent when a grouped option becomes selected, and on every change of an
    // option without a group; with notify false nothing is sent.
    void setSelected(bool selected, bool notify = true);
    const std::string& group() const { return group_; }
    void setGroup(std::string group);

    // Ties the option to a page of a tab layout of the window: becoming selected shows that page.
    void bindTabLayout(std::string tabLayoutName, int pageIndex);
    const std::string& boundTabLayout() const { return boundTab_; }
    int boundPage() const { return boundPage_; }

    bool activate() override;
    bool setAttribute(std::string_view name, std::string_view value) override;

protected:
    void onWindowChanged() override;

private:
    void deselectOthersOfGroup();
    void showBoundPage();

    bool selected_ = false;
    std::string group_;
    std::string boundTab_;
    int boundPage_ = -1;
};

// An option that is never grouped: on and off.
class CheckBox : public Option {
public:
    std::string_view className() const override { return "CheckBox"; }
    bool checked() const { return selected(); }
    void setChecked(bool checked, bool notify = true) { setSelected(checked, notify); }
};

} // namespace morva::ui
