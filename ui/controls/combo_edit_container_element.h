#pragma once

#include "ui/toolkit/control_ref.h"
#include "ui/toolkit/list.h"

namespace morva::ui {

class Edit;

// A row of an event list built from its own skin file: two texts and a delay field, which the
// row keeps once built (their owner may rename them afterwards). A press
// selects the row (with Control held it toggles it), a release sends "itemclick", a double click
// activates it and the Enter key activates it and sends "return". A context menu is asked for
// with "menu" only when the row allows menus ("menu" attribute).
class CComboEditContainerElementUI : public ListContainerElement {
public:
    static constexpr std::string_view kClassName = "ComboEditContainerElement";
    static constexpr std::string_view kFactoryName = "CComboEditContainerElementUI";
    static constexpr std::string_view kContentFile =
        "XML\\CustomControlXML\\ComboEditElementItem.xml";
    static constexpr std::string_view kText1 = "text1";
    static constexpr std::string_view kText2 = "text2";
    static constexpr std::string_view kDelayEdit = "delay_edit";
    std::string_view className() const override { return kClassName; }

    // Null until the row has been in a window, which builds its content.
    Control* text1() const { return text1_.get(); }
    Control* text2() const { return text2_.get(); }
    Edit* delayEdit() const;

    bool menuEnabled() const { return menuEnabled_; }
    void setMenuEnabled(bool enabled) { menuEnabled_ = enabled; }
    bool hovered() const { return hovered_; }

    // Selects the row in its list.
    void activate();

    bool setAttribute(std::string_view name, std::string_view value) override;

protected:
    void handleEvent(const UiEvent& e) override;
    void onWindowChanged() override;

private:
    void buildContent();
    void pressed(bool toggle);

    bool built_ = false;
    ControlRef text1_;
    ControlRef text2_;
    ControlRef delayEdit_;
    bool menuEnabled_ = false;
    bool hovered_ = false;
};

} // namespace morva::ui
