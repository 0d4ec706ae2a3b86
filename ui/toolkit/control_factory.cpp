#include "ui/toolkit/control_factory.h"

#include "base/text.h"
#include "ui/toolkit/button.h"
#include "ui/toolkit/color_palette.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/label.h"
#include "ui/toolkit/list.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"

namespace morva::ui {
namespace {

template <typename T> ControlFactory::Maker maker() {
    return [] {
        return std::make_unique<T>();
    };
}

} // namespace

ControlFactory::ControlFactory() {
    registerClass("Control", maker<Control>());
    registerClass("Container", maker<Container>());
    registerClass("VerticalLayout", maker<VerticalLayout>());
    registerClass("HorizontalLayout", maker<HorizontalLayout>());
    registerClass("TabLayout", maker<TabLayout>());
    registerClass("Label", maker<Label>());
    registerClass("Text", maker<Text>());
    registerClass("Button", maker<Button>());
    registerClass("Option", maker<Option>());
    registerClass("CheckBox", maker<CheckBox>());
    registerClass("Edit", maker<Edit>());
    registerClass("RichEdit", maker<RichEdit>());
    registerClass("Progress", maker<Progress>());
    registerClass("Slider", maker<Slider>());
    registerClass("Combo", maker<Combo>());
    registerClass("List", maker<List>());
    registerClass("ListContainerElement", maker<ListContainerElement>());
    registerClass("ListLabelElement", maker<ListLabelElement>());
    registerClass("ColorPalette", maker<ColorPalette>());
}

void ControlFactory::registerClass(std::string_view name, Maker maker) {
    makers_[toLowerAscii(name)] = std::move(maker);
}

const ControlFactory::Maker* ControlFactory::find(std::string_view tag) const {
    const std::string key = toLowerAscii(tag);
    if (const auto it = makers_.find(key); it != makers_.end()) {
        return &it->second;
    }
    if (const auto it = makers_.find("c" + key + "ui"); it != makers_.end()) {
        return &it->second;
    }
    return nullptr;
}

std::unique_ptr<Control> ControlFactory::create(std::string_view tag) const {
    const Maker* m = find(tag);
    return m != nullptr ? (*m)() : nullptr;
}

bool ControlFactory::knows(std::string_view tag) const {
    return find(tag) != nullptr;
}

} // namespace morva::ui
