#include "platform/hid_access_advice.h"

#include "base/program_location.h"

namespace morva::platform {

namespace fs = std::filesystem;

namespace {

constexpr const char* kApplyRules = "  sudo udevadm control --reload && sudo udevadm trigger\n"
                                    "or unplug the device and plug it in again.";

std::string joined(const std::vector<fs::path>& folders) {
    std::string text;
    for (const fs::path& folder : folders) {
        text += (text.empty() ? "" : ", ") + folder.string();
    }
    return text;
}

std::string installAdvice(const HidAccessSetup& setup) {
    std::error_code error;
    const std::string shipped = setup.shippedRules.string();
    const std::string source = fs::exists(setup.shippedRules, error)
                                   ? "They come with Morva: " + shipped
                                   : "They should come with Morva as " + shipped +
                                         ", which is missing: take them from Morva's sources "
                                         "(resources/udev)";
    return "The rules are not installed (no " + std::string(kUdevRulesFileName) + " in " +
           joined(setup.rulesFolders) + "). " + source +
           ". Install them for this computer with\n  sudo cp '" + shipped +
           "' /etc/udev/rules.d/\n(a package puts them in /usr/lib/udev/rules.d/), then run\n" +
           kApplyRules;
}

std::string applyAdvice(const fs::path& installed) {
    return "The udev rules of Morva are installed (" + installed.string() +
           ") but have not been applied to this node yet. Run\n" + kApplyRules +
           "\nThey give access to the user logged in at the computer itself; a remote (SSH) "
           "session gets none.";
}

} // namespace

std::vector<fs::path> udevRulesFolders(const fs::path& root) {
    return {root / "etc/udev/rules.d", root / "run/udev/rules.d", root / "usr/lib/udev/rules.d",
            root / "lib/udev/rules.d"};
}

std::optional<fs::path> findInstalledUdevRules(const std::vector<fs::path>& folders) {
    for (const fs::path& folder : folders) {
        std::error_code error;
        const fs::path file = folder / kUdevRulesFileName;
        if (fs::is_regular_file(file, error)) {
            return file;
        }
    }
    return std::nullopt;
}

fs::path shippedUdevRules() {
    return shippedFilesFolder() / "udev" / kUdevRulesFileName;
}

std::string hidAccessAdvice(const std::string& node, const HidAccessSetup& setup) {
    const std::string problem = "Cannot open " + node +
                                ": permission denied. Your user needs read and write access to "
                                "the device's hidraw node, which Morva's udev rules give.\n";
    const auto installed = findInstalledUdevRules(setup.rulesFolders);
    return problem + (installed ? applyAdvice(*installed) : installAdvice(setup));
}

} // namespace morva::platform
