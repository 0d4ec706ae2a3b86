#include "emulator/emulated_hid_bus.h"
#include "emulator/emulated_models.h"
#include "hid/device_model_catalog.h"
#include "hid/device_scanner.h"

#include <gtest/gtest.h>
#include <json/reader.h>
#include <json/writer.h>

namespace morva {
namespace {

const std::filesystem::path kWirelessModels =
    std::filesystem::path(MORVA_SOURCE_DIR) / "tests/hid/data/wireless_mouse_models.json";

// The rows and order discovery relies on: slot indices are row indices, the keyboard 0C45:8501
// holds slots 0 and 1, and devices that share identifiers fill the rows in this order.
TEST(ShippedDeviceModels, BuildTheSupportedInterfaceTableRowForRow) {
    ASSERT_EQ(hid::installedDeviceModelsError(), "");
    struct Row {
        uint16_t vendor, product, interfaceNumber, collection, type, role, usagePage, usage;
    };
    const Row expected[] = {
        {0x0C45, 0x8501, 1, 4, 1, 0x00, 0xFF1C, 0x92},
        {0x0C45, 0x8501, 1, 3, 1, 0xFF, 0x0C, 1},
        {0, 0, 1, 4, 2, 0x00, 0xFF1C, 0x92},
        {0, 0, 1, 3, 2, 0xFF, 0x0C, 1},
        {0, 0, 1, 4, 3, 0x00, 0xFF1C, 0x92},
        {0, 0, 1, 3, 3, 0xFF, 0x0C, 1},
        {0, 0, 3, 0, 7, 0x00, 0x0C, 1},
        {0, 0, 1, 4, 1, 0x00, 0xFF1C, 0x92},
        {0, 0, 1, 3, 1, 0xFF, 0x0C, 1},
    };
    const auto& table = hid::SupportedInterfaceTable();
    ASSERT_EQ(table.size(), std::size(expected));
    for (size_t i = 0; i < table.size(); ++i) {
        const Row& row = expected[i];
        const hid::InterfaceSlot& slot = table[i];
        EXPECT_EQ(std::tie(slot.vendorId, slot.productId, slot.interfaceNumber,
                           slot.collectionNumber, slot.deviceType, slot.role, slot.usagePage,
                           slot.usage),
                  std::tie(row.vendor, row.product, row.interfaceNumber, row.collection, row.type,
                           row.role, row.usagePage, row.usage))
            << "row " << i;
        EXPECT_TRUE(slot.isFree());
        EXPECT_EQ(slot.hasPartner, 0);
    }
}

TEST(ShippedDeviceModels, BuildTheTabPageAndProductTablesInDeviceBarOrder) {
    const auto& tabs = hid::DeviceTabTable();
    const auto& pages = hid::DevicePageTable();
    ASSERT_EQ(tabs.size(), 5u);
    ASSERT_EQ(pages.size(), 5u);
    const std::string names[] = {"mouse", "keyboard", "MousePad", "HD", "keyboard123"};
    const int modelIndices[] = {1, 0, 2, 3, 4};
    const uint16_t types[] = {2, 1, 3, 7, 1};
    const int leds[] = {6, 126, 15, 13, 126};
    const int keys[] = {10, 126, 0, 0, 126};
    for (size_t row = 0; row < tabs.size(); ++row) {
        EXPECT_EQ(tabs[row].tabName, names[row]);
        EXPECT_EQ(tabs[row].modelIndex, modelIndices[row]);
        EXPECT_EQ(tabs[row].deviceType, types[row]);
        EXPECT_EQ(tabs[row].role, hid::kRolePrimary);
        EXPECT_EQ(tabs[row].tabXml, "XML\\CustomControlXML\\DeviceOption.xml");
        EXPECT_EQ(pages[row].ledCount, leds[row]);
        EXPECT_EQ(pages[row].keyCount, keys[row]);
        EXPECT_EQ(pages[row].mousePageValue, -1);
        EXPECT_EQ(pages[row].lightFolder, "tavro_light");
    }
    EXPECT_EQ(tabs[1].vendorId, 0x0C45);
    EXPECT_EQ(pages[4].pageXml, "XML\\DeviceXml\\keyboarddevice_Q7T.xml");
    EXPECT_EQ(hid::findDeviceTab("hd"), &tabs[3]);

    const auto& products = hid::ProductTable();
    ASSERT_EQ(products.size(), 5u);
    const int productTabs[] = {0, 1, 2, 3, -1};
    const std::string codes[] = {"QN20M13B", "QN20M12B", "QN20M05B_1", "QN20M05B_1", "ALL"};
    for (size_t k = 0; k < products.size(); ++k) {
        EXPECT_EQ(products[k].tabRow, productTabs[k]);
        EXPECT_EQ(products[k].modelCode, codes[k]);
    }
    EXPECT_EQ(products[3].brand, "morva");
    EXPECT_EQ(products[4].secondName, "QT4410-VIGOR MORVA");
}

// A valid document to break one field at a time.
Json::Value validDocument() {
    Json::Value root;
    EXPECT_TRUE(Json::Reader().parse(R"({
        "software": {"kind": 0, "integer2": 1, "brand": "b", "modelCode": "ALL",
                     "firstName": "f", "secondName": "s", "versionText": "V1"},
        "models": [{
            "tabName": "mouse", "displayName": {"en_US": "Mouse"}, "deviceType": "mouse",
            "vendorId": "0x1234", "productId": 22136, "modelIndex": 0, "discoveryOrder": 0,
            "interfaces": [
                {"interface": 1, "collection": 4, "usagePage": "0xFF1C", "usage": "0x0092",
                 "role": "primary"},
                {"interface": 1, "collection": 3, "usagePage": "0x000C", "usage": "0x0001",
                 "role": "companion"}],
            "page": "p.xml", "lightFolder": "light", "ledCount": 6, "keyCount": 7}]})",
                                     root));
    return root;
}

std::string errorOf(const Json::Value& document) {
    const hid::DeviceModelFile file = hid::parseDeviceModels(Json::FastWriter().write(document));
    EXPECT_FALSE(file.catalog.has_value());
    return file.error;
}

TEST(DeviceModelFile, AValidDocumentGivesItsModelWithDefaultsForTheOptionalFields) {
    const hid::DeviceModelFile file =
        hid::parseDeviceModels(Json::FastWriter().write(validDocument()));
    ASSERT_TRUE(file.catalog) << file.error;
    const hid::DeviceModel& model = file.catalog->models().at(0);
    EXPECT_EQ(model.vendorId, 0x1234);
    EXPECT_EQ(model.productId, 22136);
    EXPECT_EQ(model.page.mousePageValue, -1);
    EXPECT_EQ(model.page.powerDisplay, 0);
    EXPECT_FALSE(model.product);
    EXPECT_EQ(model.displayName("zh_CN"), "Mouse") << "falls back to English";
    ASSERT_EQ(file.catalog->products().size(), 1u) << "the software's record alone";
    EXPECT_EQ(file.catalog->products()[0].tabRow, -1);
}

TEST(DeviceModelFile, EachFaultIsRefusedWithTheModelAndFieldNamed) {
    struct Case {
        const char* what;
        std::function<void(Json::Value&)> breakIt;
        const char* message;
    };
    const Case cases[] = {
        {"no models", [](Json::Value& d) { d["models"] = Json::arrayValue; }, "\"models\""},
        {"missing field", [](Json::Value& d) { d["models"][0].removeMember("ledCount"); },
         "model 0 (\"mouse\"): \"ledCount\" is missing"},
        {"unknown type", [](Json::Value& d) { d["models"][0]["deviceType"] = "printer"; },
         "\"deviceType\" \"printer\" is none of"},
        {"identifier too large", [](Json::Value& d) { d["models"][0]["vendorId"] = "0x10000"; },
         "\"vendorId\" must be a 16-bit number"},
        {"identifier not hex", [](Json::Value& d) { d["models"][0]["productId"] = "0x12g4"; },
         "\"productId\" must be a 16-bit number"},
        {"negative count", [](Json::Value& d) { d["models"][0]["keyCount"] = -1; },
         "\"keyCount\" must be a whole number from 0 to 1024"},
        {"tab name with a folder", [](Json::Value& d) { d["models"][0]["tabName"] = "../mouse"; },
         "plain folder name"},
        {"no primary row",
         [](Json::Value& d) { d["models"][0]["interfaces"][0]["role"] = "companion"; },
         "exactly one primary row"},
        {"unknown role", [](Json::Value& d) { d["models"][0]["interfaces"][1]["role"] = "x"; },
         "\"role\" \"x\" is neither"},
        {"same row twice",
         [](Json::Value& d) { d["models"][0]["interfaces"][1] = d["models"][0]["interfaces"][0]; },
         "two interface rows describe the same collection"},
        {"empty display name", [](Json::Value& d) { d["models"][0]["displayName"]["en_US"] = ""; },
         "\"displayName\" \"en_US\" must be a text"},
        {"no software record", [](Json::Value& d) { d.removeMember("software"); },
         "\"software\" is missing"},
    };
    for (const Case& c : cases) {
        Json::Value document = validDocument();
        c.breakIt(document);
        EXPECT_NE(errorOf(document).find(c.message), std::string::npos)
            << c.what << ": " << errorOf(document);
    }
}

TEST(DeviceModelFile, ModelsMustDifferInTabNameModelIndexAndDiscoveryOrder) {
    const std::pair<const char*, Json::Value> clashes[] = {
        {"tabName", "MOUSE"}, {"modelIndex", 0}, {"discoveryOrder", 0}};
    for (const auto& [field, value] : clashes) {
        Json::Value document = validDocument();
        Json::Value second = document["models"][0];
        second["tabName"] = "pad";
        second["modelIndex"] = 1;
        second["discoveryOrder"] = 1;
        second[field] = value;
        document["models"].append(second);
        EXPECT_EQ(errorOf(document), std::string("models 0 and 1 have the same \"") + field + "\"");
    }
}

TEST(DeviceModelFile, ReadingSaysWhichFileIsAtFault) {
    const hid::DeviceModelFile missing =
        hid::readDeviceModelFile("/nonexistent/device_models.json");
    EXPECT_FALSE(missing.catalog);
    EXPECT_EQ(missing.error, "/nonexistent/device_models.json: there is no such file");
    const hid::DeviceModelFile notJson = hid::parseDeviceModels("{\"models\": [");
    EXPECT_NE(notJson.error.find("not JSON"), std::string::npos) << notJson.error;
}

// No row of the shipped file has type 6: a model file of its own makes the wireless mouse
// reachable, and discovery gives its slots type 6.
TEST(DeviceModelFile, AWirelessMouseModelIsDiscoveredWithItsOwnType) {
    const hid::DeviceModelFile file = hid::readDeviceModelFile(kWirelessModels);
    ASSERT_TRUE(file.catalog) << file.error;
    const hid::DeviceModelCatalog& models = *file.catalog;
    emulator::EmulatedHidBus bus;
    for (const hid::DeviceModel& model : models.models()) {
        bus.plug(emulator::makeEmulatedModel(model));
    }
    hid::SlotList slots(models.supportedInterfaces());
    struct NoEvents final : hid::ScanEvents {
        bool deviceAttached(size_t, std::stop_token) override { return true; }
        bool deviceDetached(size_t, std::stop_token) override { return true; }
        void firstPassDone() override {}
    } events;
    hid::DeviceScanner(slots, bus, events).runPass();
    ASSERT_EQ(slots.size(), 4u);
    for (size_t i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(slots.at(i).connected, 1) << "slot " << i;
    }
    EXPECT_EQ(slots.at(2).deviceType, hid::kDeviceWirelessMouse);
    EXPECT_EQ(slots.at(2).vendorId, 0x1209);
    EXPECT_EQ(models.models()[models.modelOfInterface(3)].tabName, "wirelessMouse");
}

} // namespace
} // namespace morva
