#include "profiles/list/profile_tabs.h"
#include "tests/profpanel/panel_fixture.h"

#include <set>

namespace morva::test {
namespace {

TEST_F(PanelTest, FirstStartMakesProfile1FromTheDefaultProfile) {
    init();
    EXPECT_EQ(comboNames(), (std::vector<std::string>{"profile1"}));
    EXPECT_EQ(panel->GetSelectedIndex(), 0);
    EXPECT_EQ(panel->GetNameText(), "profile1");
    EXPECT_EQ(panel->GetSelectedIdentifier(), "2026_12_10_05_30_00_000");
    const Json::Value profile = readjsonFile(profileFile("2026_12_10_05_30_00_000"));
    EXPECT_EQ(profile["profilename"], "profile1");
    EXPECT_EQ(profile["Device"][0]["Marker"], 1);
    // Initialising selects without telling the main window.
    EXPECT_TRUE(notifications.empty());
}

TEST_F(PanelTest, InitShowsTheStoredListAndSelection) {
    writeList({"Work", "Game", "Night"}, 2);
    init();
    EXPECT_EQ(comboNames(), (std::vector<std::string>{"Work", "Game", "Night"}));
    EXPECT_EQ(panel->GetSelectedIndex(), 2);
    EXPECT_EQ(panel->GetNameText(), "Night");
    EXPECT_EQ(panel->GetSelectedIdentifier(), "id2");
    EXPECT_EQ(panel->profileCombo()->item(1)->userData, "Game");
    EXPECT_EQ(panel->profileCombo()->item(1)->height, 30);
}

struct TabCase {
    const char* name;
    int deviceType;
    std::set<std::string> visible;
};
void PrintTo(const TabCase& c, std::ostream* os) {
    *os << c.name;
}

class PanelTabs : public PanelTest, public testing::WithParamInterface<TabCase> {};

TEST_P(PanelTabs, ShowsTheTabsOfTheDeviceType) {
    init(GetParam().deviceType);
    std::set<std::string> visible;
    for (const std::string_view option : profiles::kProfileTabOptions) {
        ui::Control* control = panel->tabOption(option);
        ASSERT_NE(control, nullptr) << option;
        if (control->visible()) {
            visible.emplace(option);
        }
    }
    EXPECT_EQ(visible, GetParam().visible);
}

INSTANTIATE_TEST_SUITE_P(
    DeviceTypes, PanelTabs,
    testing::Values(
        TabCase{"Keyboard", 1, {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab"}},
        TabCase{"Mouse",
                2,
                {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab", "cursor_Op_tab",
                 "magic_Op_tab"}},
        TabCase{"WirelessMouse",
                6,
                {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab", "cursor_Op_tab",
                 "magic_Op_tab"}},
        TabCase{"MousePad", 3, {"deng_Op_tab"}},
        TabCase{"Headset",
                7,
                {"deng_Op_tab", "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"}}),
    caseName<TabCase>);

// Tab 7 opens the headset's voice changer, and a mouse's gun keys: its caption says which.
TEST_F(PanelTest, TabSevenIsNamedAfterThePageItOpens) {
    const struct {
        int deviceType;
        const char* caption;
        const char* toolTip;
    } cases[] = {{2, "%[shoot_tab_text]", "%[shoot_tab_tip]"},
                 {6, "%[shoot_tab_text]", "%[shoot_tab_tip]"},
                 {7, "%[voice_tab_text]", "%[voice_tab_tip]"}};
    for (const auto& c : cases) {
        init(c.deviceType);
        const ui::Control* tab = panel->tabOption("magic_Op_tab");
        ASSERT_NE(tab, nullptr);
        EXPECT_EQ(tab->rawText(), c.caption) << "device type " << c.deviceType;
        EXPECT_EQ(tab->rawToolTip(), c.toolTip) << "device type " << c.deviceType;
    }
}

TEST_F(PanelTest, SelectTabSelectsExactlyOneOptionOrNone) {
    init(7);
    auto selectedOptions = [&] {
        std::vector<std::string> selected;
        for (const std::string_view option : profiles::kProfileTabOptions) {
            if (dynamic_cast<ui::Option*>(panel->tabOption(option))->selected()) {
                selected.emplace_back(option);
            }
        }
        return selected;
    };
    panel->SelectTab(6);
    EXPECT_EQ(selectedOptions(), (std::vector<std::string>{"6533_voice_Op_tab"}));
    panel->SelectTab(1);
    EXPECT_EQ(selectedOptions(), (std::vector<std::string>{"deng_Op_tab"}));
    panel->SelectTab(9);
    EXPECT_TRUE(selectedOptions().empty());
    loop.runPending();
    EXPECT_TRUE(notifications.empty()) << "selecting a tab from the device does not notify";

    panel->SelectTab(8, true);
    loop.runPending();
    EXPECT_EQ(selectedOptions(), (std::vector<std::string>{"Virtual7.1_Op_tab"}));
    EXPECT_EQ(notifications, (std::vector<std::string>{"selectchanged:Virtual7.1_Op_tab"}));
}

TEST_F(PanelTest, SelectProfileStoresTheChoiceAndNotifiesOnlyWhenAsked) {
    writeList({"A", "B", "C"}, 0);
    init();
    EXPECT_TRUE(panel->SelectProfile(1, false).ok());
    loop.runPending();
    EXPECT_TRUE(notifications.empty());
    EXPECT_EQ(panel->GetSelectedIndex(), 1);
    EXPECT_EQ(panel->GetNameText(), "B");
    EXPECT_EQ(panel->GetSelectedIdentifier(), "id1");
    EXPECT_EQ(listFile()["profileselect"], 1);

    EXPECT_TRUE(panel->SelectProfile(2, true).ok());
    loop.runPending();
    EXPECT_EQ(notifications, (std::vector<std::string>{"itemselect:device_profile_combo"}));

    EXPECT_EQ(panel->SelectProfile(3, false).status, profiles::ProfileStatus::IndexOutOfRange);
    EXPECT_EQ(panel->GetSelectedIndex(), 2);
    EXPECT_EQ(listFile()["profileselect"], 2);
}

TEST_F(PanelTest, OperationsBeforeInitialisationChangeNothing) {
    EXPECT_EQ(panel->AddProfile().status, profiles::ProfileStatus::NoSelection);
    EXPECT_EQ(panel->CopyProfile().status, profiles::ProfileStatus::NoSelection);
    EXPECT_EQ(panel->RenameProfile("x").status, profiles::ProfileStatus::NoSelection);
    EXPECT_EQ(panel->SelectProfile(0, true).status, profiles::ProfileStatus::NoSelection);
    EXPECT_EQ(panel->profileCombo()->count(), 0u);
    EXPECT_EQ(panel->GetSelectedIdentifier(), "");
    EXPECT_FALSE(std::filesystem::exists(deviceFolder() / "ProfileList.ini"));
}

TEST_F(PanelTest, MenuFoldsOutAndBack) {
    init();
    EXPECT_FALSE(panel->IsMenuShown());
    click("profile_fun_spread_btn");
    EXPECT_TRUE(panel->IsMenuShown());
    EXPECT_TRUE(window.find("device_copy_btn")->visibleInTree());
    click("profile_fun_spread_btn");
    EXPECT_FALSE(panel->IsMenuShown());
}

} // namespace
} // namespace morva::test
