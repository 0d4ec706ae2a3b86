#include "app/main_window.h"
#include "base/json_file.h"
#include "emulator/emulated_models.h"
#include "tests/devmgr/devmgr_fixture.h"
#include "ui/toolkit/resource_index.h"

#include <set>

namespace morva::devmgr::test {
namespace {

const std::filesystem::path kRuntime(MORVA_RUNTIME_DIR);

// What a model row needs beside it: its skin page, its default data sized to its lights, its
// effect lists, a display name in every language the program offers, and emulator firmware.
TEST(ShippedModelFiles, EveryModelHasItsPageDefaultDataEffectsNamesAndFirmware) {
    ASSERT_EQ(hid::installedDeviceModelsError(), "");
    ui::ResourceIndex skin;
    ASSERT_TRUE(skin.load(runtimeSkinFolder()));
    const Json::Value languages =
        readjsonFile(kRuntime / "DefaultData" / "Language.config")["Language"];
    ASSERT_GE(languages.size(), 2u);
    const Json::Value effects = readjsonFile(kRuntime / "DefaultData" / "default_light.json");

    for (const hid::DeviceModel& model : hid::installedDeviceModels().models()) {
        SCOPED_TRACE(model.tabName);
        EXPECT_TRUE(skin.resolve(model.page.pageXml)) << model.page.pageXml;
        const JsonReadResult defaults =
            readJsonDocument(kRuntime / "DefaultData" / (model.tabName + ".Json"));
        ASSERT_TRUE(defaults.ok());
        EXPECT_EQ(defaults.value["Device"][0]["LightList"].size(),
                  static_cast<Json::ArrayIndex>(model.page.ledCount));
        EXPECT_TRUE(effects["DefaultLightName"][model.modelIndex].isArray());
        for (const Json::Value& language : languages) {
            EXPECT_TRUE(model.displayNames.contains(language["Language_name"].asString()))
                << language["Language_name"].asString();
        }
        EXPECT_NE(emulator::makeEmulatedModel(model), nullptr);
    }
}

// A model of type 6, from a model file of its own, gets a mouse page that opens when the
// receiver appears.
class WirelessMouseModel : public DevmgrTest {
protected:
    WirelessMouseModel() {
        app::MainWindowConfig config;
        config.backend = &bus;
        config.models = &*models.catalog;
        main = std::make_unique<app::CMainWnd>(toolkit, app::MainWindowCallbacks{}, config);
    }
    ~WirelessMouseModel() override { main.reset(); }

    hid::DeviceModelFile models = hid::readDeviceModelFile(
        std::filesystem::path(MORVA_SOURCE_DIR) / "tests/hid/data/wireless_mouse_models.json");
    std::unique_ptr<app::CMainWnd> main;
};

TEST_F(WirelessMouseModel, GetsAMousePageThatOpensWhenTheReceiverIsPlugged) {
    ASSERT_TRUE(main->Create());
    loop.runPending();
    app::DeviceManager& devices = main->devices();
    ASSERT_EQ(devices.tabs().size(), 2u);
    ASSERT_EQ(devices.mouseDevices().size(), 2u) << "type 6 is handled as a mouse";
    device::CKestraneUSBDevice* wireless = devices.tabs()[1]->device();
    ASSERT_NE(wireless, nullptr);
    EXPECT_EQ(wireless->deviceName(), "wirelessMouse");

    bus.plug(emulator::makeEmulatedModel(models.catalog->models()[1]));
    ASSERT_TRUE(loop.runUntil([&] { return devices.tabs()[1]->tabVisible(); }, 10000));
    EXPECT_TRUE(wireless->commandChannel().isOpen());
    EXPECT_EQ(wireless->slotRecord().deviceType, hid::kDeviceWirelessMouse);
    EXPECT_FALSE(devices.tabs()[0]->tabVisible()) << "the wired mouse's page stays hidden";
}

} // namespace
} // namespace morva::devmgr::test
