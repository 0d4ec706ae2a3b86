#include "hid/device_model_catalog.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <string>

namespace morva {
namespace {

using Pair = std::pair<uint16_t, uint16_t>;

std::string hex4(uint16_t value) {
    char text[5];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

// The vendor/product pairs that the rules file gives access to: each rule line must match a
// hidraw node by its USB identifiers and tag it for the seat's user.
std::set<Pair> pairsOfRules(const std::filesystem::path& file) {
    std::ifstream in(file);
    EXPECT_TRUE(in) << file;
    const std::regex rule(R"re(^KERNEL=="hidraw\*", SUBSYSTEM=="hidraw", )re"
                          R"re(ATTRS\{idVendor\}=="([0-9a-f]{4})", )re"
                          R"re(ATTRS\{idProduct\}=="([0-9a-f]{4})", TAG\+="uaccess"$)re");
    std::set<Pair> pairs;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line.starts_with("#")) {
            continue;
        }
        std::smatch match;
        EXPECT_TRUE(std::regex_match(line, match, rule)) << "not a hidraw access rule: " << line;
        if (!match.empty()) {
            EXPECT_TRUE(pairs
                            .emplace(static_cast<uint16_t>(std::stoul(match[1], nullptr, 16)),
                                     static_cast<uint16_t>(std::stoul(match[2], nullptr, 16)))
                            .second)
                << "two rules for " << match[1] << ":" << match[2];
        }
    }
    return pairs;
}

TEST(UdevRules, TheShippedRulesGiveAccessToEveryModelsIdentifiersAndNothingElse) {
    const hid::DeviceModelFile models = hid::readDeviceModelFile(
        std::filesystem::path(MORVA_SOURCE_DIR) / "resources" / hid::kDeviceModelsFileName);
    ASSERT_TRUE(models.catalog) << models.error;
    std::set<Pair> modelPairs;
    for (const hid::DeviceModel& model : models.catalog->models()) {
        modelPairs.emplace(model.vendorId, model.productId);
    }
    const std::set<Pair> rulePairs =
        pairsOfRules(std::filesystem::path(MORVA_SOURCE_DIR) / "resources/udev/70-morva.rules");
    for (const Pair& pair : modelPairs) {
        EXPECT_TRUE(rulePairs.contains(pair))
            << "no rule for " << hex4(pair.first) << ":" << hex4(pair.second)
            << "; rerun scripts/generate-udev-rules.py";
    }
    for (const Pair& pair : rulePairs) {
        EXPECT_TRUE(modelPairs.contains(pair)) << "a rule for " << hex4(pair.first) << ":"
                                               << hex4(pair.second) << ", which no model has";
    }
}

} // namespace
} // namespace morva
