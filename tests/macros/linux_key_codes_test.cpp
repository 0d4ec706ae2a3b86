#include "keyassign/key_catalogue.h"
#include "macros/scan_code_table.h"
#include "platform/linux_key_codes.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace morva {
namespace {

// One row of the kernel-derived key tables kept beside this test.
struct KernelKey {
    unsigned usage = 0; // Keyboard/Keypad page, or Consumer page for the media keys
    unsigned keyCode = 0;
    std::string name;
    platform::SetOneScanCode code;
};

std::vector<std::string> columns(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    for (std::string cell; std::getline(in, cell, '\t');) {
        out.push_back(cell);
    }
    return out;
}

// The last byte of a make code written as hexadecimal bytes ("E1 1D 45" gives 0x45).
uint8_t lastByte(const std::string& bytes) {
    return static_cast<uint8_t>(std::stoul(bytes.substr(bytes.rfind(' ') + 1), nullptr, 16));
}

// keys.tsv: usage, key code, name, set-1 code, prefix; consumer.tsv: usage, three names, key
// code, name, set-1 code, prefix.
std::vector<KernelKey> readKernelKeys(const char* file, size_t usage, size_t keyCode, size_t name,
                                      size_t code, size_t prefix) {
    std::ifstream in(std::string(MORVA_SOURCE_DIR) + "/tests/macros/data/" + file);
    EXPECT_TRUE(in.good()) << file;
    std::vector<KernelKey> keys;
    std::string line;
    std::getline(in, line); // the header
    while (std::getline(in, line)) {
        const std::vector<std::string> cells = columns(line);
        keys.push_back({static_cast<unsigned>(std::stoul(cells[usage], nullptr, 16)),
                        static_cast<unsigned>(std::stoul(cells[keyCode])),
                        cells[name],
                        {lastByte(cells[code]), cells[prefix] == "1"}});
    }
    return keys;
}

std::vector<KernelKey> keyboardKeys() {
    return readKernelKeys("keys.tsv", 0, 1, 2, 3, 4);
}
std::vector<KernelKey> mediaKeys() {
    return readKernelKeys("consumer.tsv", 0, 4, 5, 6, 7);
}

// The catalogue entry a key of the keyboard page stands for: a modifier by its bit, any other
// key by its usage among the keyboard keys.
std::optional<size_t> catalogueEntryOfUsage(unsigned usage) {
    if (usage >= 0xE0 && usage <= 0xE7) {
        return keyassign::findModifierByBit(static_cast<uint8_t>(1u << (usage - 0xE0)));
    }
    const auto entry =
        keyassign::findKeyByUsage(static_cast<uint8_t>(usage), keyassign::kFirstNonModifierEntry);
    if (entry && *entry < macros::kScanCodeRowCount) {
        return entry;
    }
    return std::nullopt;
}

// The catalogue entry a key of the Linux input layer records as.
std::optional<size_t> recordedEntry(unsigned keyCode) {
    const auto code = platform::setOneScanCodeOfLinuxKey(keyCode);
    if (!code) {
        return std::nullopt;
    }
    return macros::findScanCodeRow(code->makeCode, code->extended);
}

TEST(LinuxKeys, EveryKeyOfTheKernelTableRecordsAsTheCatalogueEntryOfItsUsage) {
    const std::vector<KernelKey> keys = keyboardKeys();
    ASSERT_GT(keys.size(), 100u);
    size_t recorded = 0;
    for (const KernelKey& key : keys) {
        if (key.usage == 0x32) {
            continue; // shares KEY_BACKSLASH with 0x31, which is the key it records as
        }
        EXPECT_EQ(recordedEntry(key.keyCode), catalogueEntryOfUsage(key.usage)) << key.name;
        recorded += catalogueEntryOfUsage(key.usage).has_value() ? 1 : 0;
    }
    // Every row of the scan-code table is reached by some key.
    EXPECT_EQ(recorded, macros::kScanCodeRowCount);
}

TEST(LinuxKeys, MediaKeysHaveTheirPrefixedCodesAndRecordNothing) {
    const std::vector<KernelKey> keys = mediaKeys();
    ASSERT_GT(keys.size(), 10u);
    for (const KernelKey& key : keys) {
        EXPECT_EQ(platform::setOneScanCodeOfLinuxKey(key.keyCode), key.code) << key.name;
        EXPECT_EQ(recordedEntry(key.keyCode), std::nullopt) << key.name;
    }
}

TEST(LinuxKeys, CodesAreTheKernelsButWhereTheDesktopHookReportsOtherwise) {
    // The hook of the platform the recording logic comes from reports these keys differently
    // from the bytes a PC keyboard sends.
    const std::map<std::string, platform::SetOneScanCode> hookConventions = {
        {"KEY_RIGHTSHIFT", {0x36, true}}, {"KEY_NUMLOCK", {0x45, true}},
        {"KEY_PAUSE", {0x45, false}},     {"KEY_HANGEUL", {0x72, false}},
        {"KEY_HANJA", {0x71, false}},
    };
    for (const KernelKey& key : keyboardKeys()) {
        const auto convention = hookConventions.find(key.name);
        const platform::SetOneScanCode expected =
            convention != hookConventions.end() ? convention->second : key.code;
        EXPECT_EQ(platform::setOneScanCodeOfLinuxKey(key.keyCode), expected) << key.name;
    }
    for (const unsigned unknown : {0u, 84u, 240u, 0x2FFu}) {
        EXPECT_EQ(platform::setOneScanCodeOfLinuxKey(unknown), std::nullopt) << unknown;
    }
}

} // namespace
} // namespace morva
