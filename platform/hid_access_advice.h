#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What to tell a user whose account may not open a hidraw node: where the udev rules that give
// access are, where they go, whether they are installed already, and how to apply them.
namespace morva::platform {

inline constexpr const char* kUdevRulesFileName = "70-morva.rules";

// The folders udev reads rules from, below a root ("/" on a running system).
std::vector<std::filesystem::path> udevRulesFolders(const std::filesystem::path& root = "/");
// The first of the folders that holds our rules file.
std::optional<std::filesystem::path>
findInstalledUdevRules(const std::vector<std::filesystem::path>& folders);
// The rules file that comes with the program: udev/ beside the executable.
std::filesystem::path shippedUdevRules();

struct HidAccessSetup {
    std::filesystem::path shippedRules;
    std::vector<std::filesystem::path> rulesFolders;
};

// The text to show when a node cannot be opened for lack of permission: the node, then either
// how to install the rules, or, when they are installed, how to make them take effect.
std::string hidAccessAdvice(const std::string& node,
                            const HidAccessSetup& setup = {shippedUdevRules(), udevRulesFolders()});

} // namespace morva::platform
