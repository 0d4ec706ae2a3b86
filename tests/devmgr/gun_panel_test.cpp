#include "device/macro_image.h"
#include "device/mouse/mouse_device.h"
#include "emulator/emulated_models.h"
#include "emulator/firmware/mouse_firmware.h"
#include "emulator/firmware_device.h"
#include "hid/device_model_catalog.h"
#include "macros/gun_document.h"
#include "macros/gun_files.h"
#include "macros/panel/shoot_control_ui.h"
#include "tests/devmgr/devmgr_fixture.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/option.h"

#include <string>
#include <vector>

namespace morva::devmgr::test {
namespace {

using device::CKestraneMouseDevice;
using macros::CShootControlUI;

std::string numbered(std::string_view prefix, int n) {
    return std::string(prefix) + std::to_string(n);
}

// The gun-key panel of a mouse's page in the main window, the mouse on the emulated bus and its
// page the current one.
class GunPanel : public MouseWindowTest {
protected:
    void SetUp() override {
        MouseWindowTest::SetUp();
        show(mouseTab);
        panel = mouse->gunPanel();
        ASSERT_NE(panel, nullptr);
    }

    template <typename T = ui::Control> T* named(std::string_view name) {
        auto* found = mouse->findDescendantAs<T>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // A click on a button or option of the page, handled as the program handles it.
    void click(std::string_view name) {
        if (auto* button = named<ui::Button>(name)) {
            button->activate();
        }
        loop.runPending();
    }
    // The user types the text into a field and leaves it.
    void type(std::string_view field, const std::string& text) {
        if (auto* edit = named<ui::Edit>(field)) {
            edit->setText(text);
            edit->event(ui::UiEvent::of(ui::EventType::KillFocus));
        }
        loop.runPending();
    }
    bool selected(std::string_view option) {
        const auto* found = named<ui::Option>(option);
        return found != nullptr && found->selected();
    }
    std::filesystem::path gunFile(int gun) const {
        return macros::gunFilePath(mouse->UserDataFolder(), gun);
    }
    std::filesystem::path factoryFile(int gun) const {
        return macros::gunFilePath(mouse->DefaultDataFolder(), gun);
    }
    Json::Value gunEvent(int gun, Json::ArrayIndex event) const {
        return readjsonFile(gunFile(gun))["Events"][event];
    }
    // The numbers of the options of the prefix that are selected.
    std::vector<int> selectedOptions(std::string_view prefix, int count) {
        std::vector<int> numbers;
        for (int n = 0; n < count; ++n) {
            if (selected(numbered(prefix, n))) {
                numbers.push_back(n);
            }
        }
        return numbers;
    }

    CShootControlUI* panel = nullptr;
};

TEST_F(GunPanel, TheGunKeyTabOfAMouseShowsThePanelAtItsFirstBullet) {
    click("magic_Op_tab");
    EXPECT_TRUE(panel->visibleInTree());
    EXPECT_EQ(named("magic_Op_tab")->text(), "Gun keys");
    EXPECT_EQ(selectedOptions("shoot_gun_op_", 4), std::vector<int>{0});
    EXPECT_EQ(selectedOptions("bullet_op_", 30), std::vector<int>{0});
    EXPECT_EQ(named("bullet_select_index")->text(), "1");
    const macros::GunBullet factory = macros::readGunBullet(readjsonFile(factoryFile(0)), 0);
    EXPECT_EQ(named("bullet_y_eidt")->text(), std::to_string(factory.vertical));
    EXPECT_EQ(named("bullet_delay_eidt")->text(), std::to_string(factory.delayMs));
}

TEST_F(GunPanel, BulletsAreChosenWithinOneToThirty) {
    const struct {
        const char* step;
        int expectedBullet;
    } steps[] = {
        {"bullet_op_29", 29}, {"bullet_selected_next", 29}, {"bullet_selected_prev", 28},
        {"bullet_op_0", 0},   {"bullet_selected_prev", 0},  {"bullet_selected_next", 1},
        {"bullet_op_1", 1}, // a click on the selected bullet keeps it
    };
    for (const auto& step : steps) {
        click(step.step);
        EXPECT_EQ(panel->bullet(), step.expectedBullet) << step.step;
        EXPECT_EQ(selectedOptions("bullet_op_", 30), std::vector<int>{step.expectedBullet})
            << step.step;
        EXPECT_EQ(named("bullet_select_index")->text(), std::to_string(step.expectedBullet + 1))
            << step.step;
    }
}

TEST_F(GunPanel, LeavingAFieldStoresTheBulletWithTheChecksDirections) {
    click("bullet_op_3");
    ASSERT_FALSE(selected("bullet_x_check")) << "the factory's bullet 4 moves right";
    click("bullet_x_check");
    EXPECT_EQ(named("bullet_x_check")->text(), "Move left");
    type("bullet_x_eidt", "3");
    EXPECT_EQ(gunEvent(0, 6 * 3 + 2),
              morva::test::parseJson(R"({"Action": "down", "Button": 3, "Delay": 5, "Type": 4})"));
    type("bullet_delay_eidt", "300");
    EXPECT_EQ(gunEvent(0, 6 * 3 + 3)["Delay"], 300);
    EXPECT_TRUE(gunEvent(0, 6 * 3 + 3)["Delay"].isInt());

    // A direction changed without leaving a field is not stored: the bullet shows the file again.
    click("bullet_y_check");
    EXPECT_EQ(named("bullet_y_check")->text(), "Move up");
    click("bullet_op_4");
    click("bullet_op_3");
    EXPECT_FALSE(selected("bullet_y_check"));
    EXPECT_EQ(named("bullet_y_check")->text(), "Move down");
    EXPECT_TRUE(selected("bullet_x_check"));
    EXPECT_EQ(named("bullet_x_eidt")->text(), "3");
    EXPECT_EQ(named("bullet_delay_eidt")->text(), "300");
}

TEST_F(GunPanel, AnotherGunKeepsTheBulletNumberAndShowsItsOwnValues) {
    click("bullet_op_4");
    click("shoot_gun_op_1");
    EXPECT_EQ(panel->gun(), 1);
    EXPECT_EQ(panel->bullet(), 4);
    EXPECT_EQ(selectedOptions("shoot_gun_op_", 4), std::vector<int>{1});
    EXPECT_EQ(named<ui::TabLayout>("shoot_image_display_switch")->selectedIndex(), 1);
    const macros::GunBullet gun1 = macros::readGunBullet(readjsonFile(gunFile(1)), 4);
    const macros::GunBullet gun0 = macros::readGunBullet(readjsonFile(gunFile(0)), 4);
    ASSERT_NE(gun1, gun0) << "the factory guns differ at bullet 5";
    EXPECT_EQ(named("bullet_y_eidt")->text(), std::to_string(gun1.vertical));
    EXPECT_EQ(named("bullet_delay_eidt")->text(), std::to_string(gun1.delayMs));
    EXPECT_EQ(selected("bullet_y_check"), gun1.up);
}

TEST_F(GunPanel, AShortImportShowsZerosAndSavingBeyondItsEndExtendsIt) {
    // Two bullets of a pattern someone shared.
    Json::Value shared(Json::objectValue);
    shared["MacroName"] = "shared";
    for (int b = 0; b < 2; ++b) {
        macros::writeGunBullet(shared, b, {.left = true, .horizontal = 4, .delayMs = 90});
    }
    const std::filesystem::path source = dataHome.path() / "shared.shoot";
    morva::test::writeText(source, styledJsonText(shared));

    click("shootdate_import_btn"); // cancelled
    EXPECT_EQ(readjsonFile(gunFile(0))["Events"].size(), 180u);
    host.answerFileDialog(source.string());
    click("bullet_op_1");
    click("shootdate_import_btn");
    ASSERT_EQ(host.fileDialogs.size(), 2u);
    EXPECT_FALSE(host.fileDialogs.back().save);
    EXPECT_EQ(host.fileDialogs.back().filter, "Shoot Files(*.shoot)");
    EXPECT_EQ(morva::test::readText(gunFile(0)), morva::test::readText(source))
        << "copied unchanged";
    EXPECT_EQ(named("bullet_x_eidt")->text(), "4") << "bullet 2 of the imported file";

    click("bullet_op_5");
    EXPECT_EQ(named("bullet_x_eidt")->text(), "0");
    EXPECT_EQ(named("bullet_delay_eidt")->text(), "0");
    EXPECT_FALSE(selected("bullet_x_check"));
    type("bullet_y_eidt", "9");
    const Json::Value events = readjsonFile(gunFile(0))["Events"];
    ASSERT_EQ(events.size(), 36u);
    EXPECT_TRUE(events[12].isNull());
    EXPECT_TRUE(events[29].isNull());
    EXPECT_EQ(events[33]["Button"], 9);
    EXPECT_EQ(readjsonFile(gunFile(0))["MacroName"], "shared");

    const std::filesystem::path exported = dataHome.path() / "mine.shoot";
    host.answerFileDialog(exported.string());
    click("shootdate_export_btn");
    EXPECT_TRUE(host.fileDialogs.back().save);
    EXPECT_EQ(morva::test::readText(exported), morva::test::readText(gunFile(0)));
}

TEST_F(GunPanel, ResetBringsBackTheFactoryPatternOnceTheUserConfirms) {
    click("bullet_op_2");
    type("bullet_x_eidt", "77");
    host.answerMessageBox(0);
    click("shootdate_reset_btn");
    EXPECT_EQ(gunEvent(0, 6 * 2 + 2)["Button"], 77) << "cancelled";
    host.answerMessageBox(1);
    click("shootdate_reset_btn");
    EXPECT_EQ(morva::test::readText(gunFile(0)), morva::test::readText(factoryFile(0)));
    EXPECT_EQ(named("bullet_x_eidt")->text(),
              std::to_string(macros::readGunBullet(readjsonFile(factoryFile(0)), 2).horizontal));
    EXPECT_EQ(host.messageBoxes.size(), 2u);
}

TEST_F(GunPanel, PanelStartBringsBackADeletedGunFileFromTheFactoryFiles) {
    click("bullet_op_0");
    type("bullet_x_eidt", "42");
    const std::filesystem::path edited = gunFile(0);
    const std::filesystem::path deleted = gunFile(2);
    const std::string editedText = morva::test::readText(edited);
    const std::string factoryText = morva::test::readText(factoryFile(2));
    ASSERT_TRUE(std::filesystem::remove(deleted));

    // The program starts again; the mouse's page goes with the old window.
    mouse = nullptr;
    panel = nullptr;
    main.reset();
    main = std::make_unique<app::CMainWnd>(toolkit, app::MainWindowCallbacks{},
                                           app::MainWindowConfig{.backend = &bus});
    ASSERT_TRUE(main->Create());
    loop.runPending();
    EXPECT_EQ(morva::test::readText(deleted), factoryText);
    EXPECT_EQ(morva::test::readText(edited), editedText);
}

TEST_F(GunPanel, TheWriteButtonSendsTheFourGunsToTheMouse) {
    click("bullet_op_0");
    type("bullet_delay_eidt", "300");
    std::fill(firmware().gunKeyMemory().begin(), firmware().gunKeyMemory().end(), 0xEE);
    firmware().setRecordRequests(true);
    firmware().clearRequests();
    const size_t begun = firmware().transactionsBegun();

    click("shootdate_save_btn");
    const std::span<uint8_t> memory = firmware().gunKeyMemory();
    constexpr size_t kLength = 16 + 24 + 4 * 4 * 180;
    EXPECT_EQ(std::vector<uint8_t>(memory.begin(), memory.begin() + 6),
              (std::vector<uint8_t>{0xAA, 0x55, 0x68, 0x0B, 4, 0}));
    EXPECT_EQ(memory[kLength], 0xEE) << "nothing past the image";
    const auto image = device::decodeMacroImage(memory);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->records.size(), 4u);
    for (int gun = 0; gun < 4; ++gun) {
        EXPECT_EQ(image->records[gun].size(), 180u) << "gun " << gun;
    }
    const int vertical = macros::readGunBullet(readjsonFile(gunFile(0)), 0).vertical;
    EXPECT_EQ(image->records[0][3],
              (macros::PackedMacroEvent{0x2C, 0x01, 0x05, static_cast<uint8_t>(vertical)}))
        << "bullet 1's delay of 300 ms";
    EXPECT_EQ(image->records[3][0], (macros::PackedMacroEvent{0x0A, 0x00, 0x81, 0x01}));

    EXPECT_EQ(firmware().transactionsBegun(), begun + 1);
    EXPECT_FALSE(firmware().inTransaction());
    std::vector<size_t> gunChunks;
    for (const device::CommandPacket& request : firmware().requests()) {
        if (device::packetCommand(request) == device::command::kWriteGunKeyData) {
            gunChunks.push_back(device::packetChunkLength(request));
        }
    }
    std::vector<size_t> expected(kLength / 56, 56);
    expected.push_back(kLength % 56);
    EXPECT_EQ(gunChunks, expected) << "56-byte chunks and a short last one";
}

TEST_F(GunPanel, AWriteTheMouseRefusesIsToldInTheStatusBar) {
    firmware().injectFault(emulator::FaultKind::StatusFF, device::command::kWriteGunKeyData, 2);
    EXPECT_EQ(mouse->WriteGunKeyData(), 0);
    loop.runPending();
    const ui::Control* notice = main->window().find("device_write_notice");
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->visible());
    EXPECT_NE(notice->text().find("the gun-key patterns."), std::string::npos) << notice->text();
}

// A wired and a wireless mouse model; the wireless one is on the bus.
class WirelessGunKeys : public DevmgrTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
        app::MainWindowConfig config;
        config.backend = &bus;
        config.models = &*models.catalog;
        main = std::make_unique<app::CMainWnd>(toolkit, app::MainWindowCallbacks{}, config);
        ASSERT_TRUE(main->Create());
        loop.runPending();
        bus.plug(receiver);
        app::CDeviceOptionUI* tab = main->devices().tabs()[1];
        ASSERT_TRUE(loop.runUntil([&] { return tab->tabVisible(); }, 10000));
        loop.advance(500);
        main->devices().ShowTab(1, true, true);
        mouse = dynamic_cast<CKestraneMouseDevice*>(main->devices().CurrentDevice());
        ASSERT_NE(mouse, nullptr);
        ASSERT_EQ(mouse->slotRecord().deviceType, hid::kDeviceWirelessMouse);
    }
    void TearDown() override { main.reset(); }

    emulator::WirelessMouseFirmware& firmware() {
        return dynamic_cast<emulator::WirelessMouseFirmware&>(receiver->firmware());
    }

    hid::DeviceModelFile models = hid::readDeviceModelFile(
        std::filesystem::path(MORVA_SOURCE_DIR) / "tests/hid/data/wireless_mouse_models.json");
    std::shared_ptr<emulator::FirmwareHidDevice> receiver =
        emulator::makeEmulatedModel(models.catalog->models()[1]);
    std::unique_ptr<app::CMainWnd> main;
    CKestraneMouseDevice* mouse = nullptr;
};

TEST_F(WirelessGunKeys, TheWriteButtonSendsTheGunsWithALinkCheckBeforeEachStep) {
    firmware().setRecordRequests(true);
    firmware().clearRequests();
    mouse->findDescendantAs<ui::Button>("shootdate_save_btn")->activate();
    loop.runPending();
    std::vector<uint8_t> commands;
    for (const device::CommandPacket& request : firmware().requests()) {
        if (commands.empty() || device::packetCommand(request) != commands.back()) {
            commands.push_back(device::packetCommand(request));
        }
    }
    using namespace device::command;
    EXPECT_EQ(commands,
              (std::vector<uint8_t>{kLinkCheck, kReadDeviceInfo, kLinkCheck, kBeginTransaction,
                                    kLinkCheck, kWriteGunKeyData, kLinkCheck, kEndTransaction}));
    EXPECT_EQ(firmware().gunKeyMemory()[0], 0xAA);
}

TEST_F(WirelessGunKeys, AMouseThatIsNotLinkedGetsOnlyTheLinkCheck) {
    firmware().setLinked(false);
    firmware().setRecordRequests(true);
    firmware().clearRequests();
    mouse->findDescendantAs<ui::Button>("shootdate_save_btn")->activate();
    loop.runPending();
    ASSERT_EQ(firmware().requests().size(), 1u);
    EXPECT_EQ(device::packetCommand(firmware().requests()[0]), device::command::kLinkCheck);
    EXPECT_EQ(firmware().gunKeyMemory()[0], 0x00) << "nothing written";
}

} // namespace
} // namespace morva::devmgr::test
