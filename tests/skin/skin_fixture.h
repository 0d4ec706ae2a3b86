#pragma once

#include "base/text.h"
#include "base/virtual_event_loop.h"
#include "tests/support/scripted_host.h"
#include "ui/toolkit/button.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/geometry.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/list.h"
#include "ui/toolkit/progress.h"
#include "ui/toolkit/skin_builder.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace morva::ui::test {

inline std::filesystem::path sourceSkinFolder() {
    return std::filesystem::path(MORVA_SOURCE_DIR) / "resources" / "skin";
}

// Stands in for a custom control class the program registers: a control of the class's base
// that answers with its skin tag as class name, so the tests see which class the skin asked for
// and lay it out as the program would.
template <typename Base> class Tagged : public Base {
public:
    explicit Tagged(std::string tag) : tag_(std::move(tag)) {}
    std::string_view className() const override { return tag_; }

private:
    std::string tag_;
};

// Tags of the program's custom controls (made by the factory or the main window's callback),
// with a maker of their stand-in on the class's base.
inline const std::vector<std::pair<std::string, std::function<std::unique_ptr<Control>()>>>&
customClasses() {
    using Maker = std::function<std::unique_ptr<Control>()>;
    static const std::vector<std::pair<std::string, Maker>> classes = [] {
        std::vector<std::pair<std::string, Maker>> out;
        auto add = [&]<typename Base>(const char* tag, Base*) {
            out.emplace_back(tag, [tag] { return std::make_unique<Tagged<Base>>(tag); });
        };
        add("CircleProgress", static_cast<Progress*>(nullptr));
        add("SelectPanel", static_cast<VerticalLayout*>(nullptr));
        for (const char* tag :
             {"DeviceKeyButton", "HandImgButton", "HandImgSelectButton", "RedioMacroButton"}) {
            add(tag, static_cast<Button*>(nullptr));
        }
        for (const char* tag : {"ChartView", "WndUI"}) {
            add(tag, static_cast<Control*>(nullptr));
        }
        for (const char* tag : {"ComboEditContainerElement", "CloudShareListItemUI"}) {
            add(tag, static_cast<ListContainerElement*>(nullptr));
        }
        for (const char* tag : {"KestraneKeyboardDevice", "KestraneMouseDevice",
                                "KestraneMousePadDevice", "KestraneHS6533Device", "DeviceProfile",
                                "LightControl", "MagicControl", "Voice6533Control", "KeySetControl",
                                "ShootControl", "MacroControl", "DeviceOption", "MpDevicePower"}) {
            add(tag, static_cast<HorizontalLayout*>(nullptr));
        }
        return out;
    }();
    return classes;
}

// Tags that stand for a whole panel description, built in place with the same callback.
inline std::string panelFileOfTag(std::string_view tag) {
    static const std::vector<std::pair<std::string, std::string>> panels = {
        {"DeviceProfileUI", "DeviceProfile.xml"},
        {"LightSetControlUI", "LightControl.xml"},
        {"Voice6533SetControlUI", "Voice6533Control.xml"},
        {"MagicSetControlUI", "MagicControl.xml"},
        {"KeySetControlUI", "KeySetControl.xml"},
        {"MacroSetControlUI", "MacroControl.xml"},
        {"ShootKeySetControlUI", "ShootControl.xml"},
        {"VirtualSetControlUI", "VirtualSet.xml"}};
    for (const auto& [panelTag, file] : panels) {
        if (equalsIgnoreCase(panelTag, tag)) {
            return "XML\\CustomControlXML\\" + file;
        }
    }
    return {};
}

// A toolkit on the skin folder of the source tree, with a creation callback that makes the
// custom tags the way the main window does (as tagged containers) and records any tag nobody
// knows.
class SkinTest : public ::testing::Test {
protected:
    SkinTest() {
        EXPECT_TRUE(toolkit.setResourcePath(sourceSkinFolder()));
        createControl = [this](std::string_view tag) -> std::unique_ptr<Control> {
            if (const std::string file = panelFileOfTag(tag); !file.empty()) {
                auto panel = SkinBuilder(toolkit).build(file, createControl);
                if (!panel) {
                    unknownTags.push_back(std::string(tag) + " (" + file + " not built)");
                }
                return panel;
            }
            for (const auto& [custom, make] : customClasses()) {
                if (equalsIgnoreCase(custom, tag)) {
                    return make();
                }
            }
            unknownTags.emplace_back(tag);
            return nullptr;
        };
    }

    std::unique_ptr<Control> build(std::string_view resource) {
        return SkinBuilder(toolkit).build(resource, createControl);
    }

    // Creates the main window from its skin and shows the device page built from `resource` in
    // it, where the device manager puts pages; null when either cannot be built.
    Control* showPageInMainWindow(Window& window, std::string_view resource) {
        window.create("MainWnd", "QT4410-VIGOR MORVA", {1000, 640});
        auto* deviceSwitch = window.loadSkin("XML_MAIN", createControl)
                                 ? dynamic_cast<TabLayout*>(window.find("device_switch"))
                                 : nullptr;
        Control* page = deviceSwitch != nullptr ? deviceSwitch->add(build(resource)) : nullptr;
        if (page != nullptr) {
            deviceSwitch->selectItem(page);
        }
        return page;
    }

    VirtualEventLoop loop;
    ScriptedHost host;
    Toolkit toolkit{loop, host};
    CreateControlFn createControl;
    std::vector<std::string> unknownTags;
};

// Both language files, loaded as the program loads them.
class SkinLanguageTest : public SkinTest {
protected:
    SkinLanguageTest() {
        EXPECT_TRUE(english.load(sourceSkinFolder() / "lan_en.xml"));
        EXPECT_TRUE(chinese.load(sourceSkinFolder() / "lan_cn.xml"));
    }
    void expectInBoth(std::string_view key, const std::string& where) {
        EXPECT_TRUE(english.lookup(key).has_value())
            << key << " (" << where << ") missing in lan_en.xml";
        EXPECT_TRUE(chinese.lookup(key).has_value())
            << key << " (" << where << ") missing in lan_cn.xml";
    }
    LanguageStore english;
    LanguageStore chinese;
};

// The root and every control below it, depth first.
inline std::vector<Control*> allControls(Control& root) {
    std::vector<Control*> out{&root};
    if (const Container* box = root.asContainer()) {
        box->visitDescendants([&](Control& c) {
            out.push_back(&c);
            return true;
        });
    }
    return out;
}

inline Control* findIn(Control& root, std::string_view name) {
    if (root.name() == name) {
        return &root;
    }
    const Container* box = root.asContainer();
    return box != nullptr ? box->findDescendant(name) : nullptr;
}

inline bool inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

inline std::string show(const Rect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// The descriptions this work adds: device pages, the device-bar tab, the power widget, the
// profile panel, the function panels and the settings window with its update rows.
inline const std::vector<std::string>& skinDescriptions() {
    static const std::vector<std::string> files = {
        "XML\\DeviceXml\\mousedevice.xml",
        "XML\\DeviceXml\\keyboarddevice.xml",
        "XML\\DeviceXml\\mousepaddevice.xml",
        "XML\\DeviceXml\\hs6533device.xml",
        "XML\\DeviceXml\\keyboarddevice_Q7T.xml",
        "XML\\CustomControlXML\\DeviceOption.xml",
        "XML\\CustomControlXML\\MpDevicePower.xml",
        "XML\\CustomControlXML\\DeviceProfile.xml",
        "XML\\CustomControlXML\\LightControl.xml",
        "XML\\CustomControlXML\\KeySetControl.xml",
        "XML\\CustomControlXML\\MacroControl.xml",
        "XML\\CustomControlXML\\ShootControl.xml",
        "XML\\CustomControlXML\\Voice6533Control.xml",
        "XML\\CustomControlXML\\MagicControl.xml",
        "XML\\CustomControlXML\\VirtualSet.xml",
        "XML\\CustomControlXML\\device_Update_list_item.xml",
        "XML\\settings.xml"};
    return files;
}

} // namespace morva::ui::test
