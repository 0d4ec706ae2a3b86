#pragma once

#include "app/profile_panel_routing.h"
#include "base/json_file.h"
#include "base/text.h"
#include "base/virtual_event_loop.h"
#include "profiles/panel/device_profile_ui.h"
#include "profiles/panel/profile_panel_device.h"
#include "tests/proflist/fixed_local_time.h"
#include "tests/support/scripted_host.h"
#include "tests/support/temp_dir.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/notification_router.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/skin_builder.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <gtest/gtest.h>
#include <json/value.h>
#include <string>
#include <utility>
#include <vector>

namespace morva::test {

// Names parametrised cases after the case's own name.
template <typename Case> std::string caseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// Stands in for the device object: records what the panel's routes ask of it.
class FakeProfileDevice final : public profiles::ProfilePanelDevice {
public:
    struct Write {
        std::string identifier;
        profiles::ProfileWriteReason reason;
        bool operator==(const Write&) const = default;
    };

    void setProfileIdentifier(const std::string& id) override { identifier = id; }
    int applyFullProfileWrite(profiles::ProfileWriteReason reason) override {
        writes.push_back(Write{identifier, reason});
        return macroResult;
    }

    std::string identifier;
    std::vector<Write> writes;
    int macroResult = 0;
};

// The real profile panel skin in a window whose notifications go through the main window's
// router with the panel's routes, on a virtual loop with a scripted host and English texts.
class PanelTest : public ::testing::Test {
protected:
    PanelTest() {
        host.setPump([this] { loop.runPending(); });
        EXPECT_TRUE(toolkit.setResourcePath(std::filesystem::path(MORVA_RUNTIME_DIR) / "skin"));
        EXPECT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
        profiles::registerDeviceProfileClass(toolkit.factory());

        window.create("MainWnd", "QT4410-VIGOR MORVA", {1000, 640});
        ui::SkinBuilder builder(toolkit);
        ui::CreateControlFn create = [&](std::string_view tag) -> std::unique_ptr<ui::Control> {
            if (equalsIgnoreCase(tag, "DeviceProfileUI")) {
                return builder.build("XML\\CustomControlXML\\DeviceProfile.xml", create);
            }
            return nullptr;
        };
        window.setRoot(
            builder.buildFromText("<VerticalLayout><DeviceProfileUI/></VerticalLayout>", create));
        panel = window.findAs<profiles::CDeviceProfileUI>("DeviceProfileItem");
        EXPECT_NE(panel, nullptr) << "the skin's panel is not made as CDeviceProfileUI";

        router.attachTo(window);
        for (const char* type : {"selectchanged", "itemselect"}) {
            router.on(type, "", [this](const ui::Notification& n) {
                notifications.push_back(n.type + ":" + n.senderName);
            });
        }
        routes = app::registerProfilePanelRoutes(
            router, [this] { return panel; }, [this] { return currentDevice; }, host, loop);

        Json::Value defaults(Json::objectValue);
        defaults["Device"][0]["Marker"] = 1;
        EXPECT_TRUE(writejsonFile(defaultProfile(), defaults));
        loop.runPending();
        notifications.clear();
    }

    std::filesystem::path deviceFolder() const { return temp.path() / "keyboard"; }
    std::filesystem::path defaultProfile() const { return temp.path() / "keyboard.Json"; }
    std::filesystem::path profileFile(const std::string& identifier) const {
        return deviceFolder() / (identifier + ".Json");
    }

    void init(int deviceType = 1) {
        std::filesystem::create_directories(deviceFolder());
        panel->InitProfiles(deviceFolder(), defaultProfile(), deviceType, clock);
        loop.runPending();
    }

    // A list file as a previous run left it.
    void writeList(const std::vector<std::string>& names, int selected) {
        std::filesystem::create_directories(deviceFolder());
        Json::Value list(Json::objectValue);
        for (size_t i = 0; i < names.size(); ++i) {
            Json::Value element(Json::objectValue);
            element["profilename"] = names[i];
            element["profileUUID"] = "id" + std::to_string(i);
            element["profileislink"] = 0;
            element["profilelinkmame"] = "";
            list["profilelist"].append(element);
            Json::Value profile(Json::objectValue);
            profile["profilename"] = names[i];
            profile["profileUUID"] = "id" + std::to_string(i);
            profile["Device"][0]["Marker"] = 100 + static_cast<int>(i);
            EXPECT_TRUE(writejsonFile(profileFile("id" + std::to_string(i)), profile));
        }
        list["profileselect"] = selected;
        EXPECT_TRUE(writejsonFile(deviceFolder() / "ProfileList.ini", list));
    }

    // A click as the user makes it: only on a control that is shown.
    void click(std::string_view name) {
        ui::Control* control = window.find(name);
        ASSERT_NE(control, nullptr) << name;
        ASSERT_TRUE(control->visibleInTree()) << name << " is hidden";
        control->event(ui::UiEvent::of(ui::EventType::Click));
        loop.runPending();
    }
    void clickInMenu(std::string_view name) {
        if (!panel->IsMenuShown()) {
            click("profile_fun_spread_btn");
        }
        click(name);
    }
    void typeName(std::string_view text) {
        ASSERT_TRUE(panel->nameEdit()->userInput(text));
        loop.runPending();
    }
    void choose(int index) {
        ASSERT_TRUE(panel->profileCombo()->userSelect(index));
        loop.runPending();
    }

    std::vector<std::string> comboNames() const {
        std::vector<std::string> names;
        const ui::Combo* combo = panel->profileCombo();
        for (size_t i = 0; i < combo->count(); ++i) {
            names.push_back(combo->itemText(i));
        }
        return names;
    }
    Json::Value listFile() const { return readjsonFile(deviceFolder() / "ProfileList.ini"); }
    std::vector<std::string> listFileNames() const {
        std::vector<std::string> names;
        const Json::Value list = listFile();
        for (const Json::Value& element : list["profilelist"]) {
            names.push_back(element["profilename"].asString());
        }
        return names;
    }
    std::string listFileIdentifier(int index) const {
        return listFile()["profilelist"][index]["profileUUID"].asString();
    }
    std::string englishText(const std::string& key) const {
        return toolkit.language().lookup(key).value_or("<no text for " + key + ">");
    }

    TempDir temp;
    FixedLocalTime clock{profiles::LocalTimestamp{2026, 12, 10, 5, 30, 0, 0}};
    VirtualEventLoop loop;
    ui::ScriptedHost host;
    ui::Toolkit toolkit{loop, host};
    ui::Window window{toolkit};
    ui::NotificationRouter router;
    std::shared_ptr<profiles::ProfilePanelRoutes> routes;
    profiles::CDeviceProfileUI* panel = nullptr;
    FakeProfileDevice device;
    profiles::ProfilePanelDevice* currentDevice = &device;
    std::vector<std::string> notifications;
};

} // namespace morva::test
