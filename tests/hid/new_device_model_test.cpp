#include "base/json_file.h"
#include "tests/support/temp_dir.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <json/reader.h>
#include <sstream>

namespace morva {
namespace {

namespace fs = std::filesystem;

const fs::path kRuntime(MORVA_RUNTIME_DIR);

// Runs a program and returns what it printed on stdout.
std::string outputOf(const fs::path& program, const std::string& arguments) {
    std::string output;
    FILE* pipe = ::popen(("'" + program.string() + "' " + arguments).c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char buffer[4096];
    while (const size_t read = std::fread(buffer, 1, sizeof buffer, pipe)) {
        output.append(buffer, read);
    }
    EXPECT_EQ(::pclose(pipe), 0) << output;
    return output;
}

// A copy of the installed program in which a maintainer adds a mouse model: one row in the
// models file, a page and default data copied from the mouse. No program is rebuilt.
TEST(NewDeviceModel, OneRowWithACopiedPageAndDefaultDataAppearsInTheDemoDevices) {
    test::TempDir program;
    const fs::path folder = program.path();
    fs::copy_file(kRuntime / "morvactl", folder / "morvactl");
    fs::copy(kRuntime / "skin", folder / "skin", fs::copy_options::recursive);
    fs::copy(kRuntime / "DefaultData", folder / "DefaultData", fs::copy_options::recursive);
    fs::copy_file(folder / "skin/XML/DeviceXml/mousedevice.xml",
                  folder / "skin/XML/DeviceXml/mousedevice_m2.xml");
    fs::copy_file(folder / "DefaultData/mouse.Json", folder / "DefaultData/mouse2.Json");

    Json::Value models = readjsonFile(kRuntime / "device_models.json");
    ASSERT_EQ(models["models"][0]["tabName"].asString(), "mouse");
    Json::Value row = models["models"][0];
    row["tabName"] = "mouse2";
    row["displayName"]["en_US"] = "Mouse M2";
    row["vendorId"] = "0x1209";
    row["productId"] = "0x0007";
    row["modelIndex"] = 5;
    row["discoveryOrder"] = 5;
    row["page"] = "XML\\DeviceXml\\mousedevice_m2.xml";
    row.removeMember("product");
    models["models"].append(row);
    ASSERT_TRUE(writejsonFile(folder / "device_models.json", models));

    std::istringstream lines(outputOf(folder / "morvactl", "--demo devices"));
    std::vector<Json::Value> slots;
    for (std::string line; std::getline(lines, line);) {
        ASSERT_TRUE(Json::Reader().parse(line, slots.emplace_back())) << line;
    }
    ASSERT_EQ(slots.size(), 11u) << "the nine rows of the shipped models and the new mouse's two";
    for (size_t slot = 9; slot < 11; ++slot) {
        EXPECT_EQ(slots[slot]["model"].asString(), "mouse2");
        EXPECT_EQ(slots[slot]["name"].asString(), "Mouse M2");
        EXPECT_EQ(slots[slot]["type"].asString(), "mouse");
        EXPECT_EQ(slots[slot]["vendor"].asString(), "0x1209");
        EXPECT_TRUE(slots[slot]["assigned"].asBool()) << "its emulated device is plugged";
    }
    EXPECT_EQ(slots[9]["role"].asString(), "primary");
    EXPECT_EQ(slots[10]["role"].asString(), "companion");
}

TEST(NewDeviceModel, AModelsFileWithAFaultStopsTheProgramSayingWhere) {
    test::TempDir program;
    const fs::path folder = program.path();
    fs::copy_file(kRuntime / "morvactl", folder / "morvactl");
    Json::Value models = readjsonFile(kRuntime / "device_models.json");
    models["models"][2]["ledCount"] = "many";
    ASSERT_TRUE(writejsonFile(folder / "device_models.json", models));
    const std::string output = outputOf(folder / "morvactl", "--demo devices 2>&1; echo exit $?");
    EXPECT_NE(output.find("morvactl: the supported device models are unknown: "), std::string::npos)
        << output;
    EXPECT_NE(output.find("model 2 (\"MousePad\"): \"ledCount\" must be a whole number"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("exit 1"), std::string::npos) << output;
}

} // namespace
} // namespace morva
