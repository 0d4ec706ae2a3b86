// Saves a keyboard's profiles, macros and gun patterns in an endless loop through the program's
// own code paths, for the crash test to kill at random moments:
//   crash_save_loop <device folder> <default profile file> <first step>
// Each step is one save; the first step chooses which kind comes first, so that runs killed
// early still reach every kind.
#include "base/json_file.h"
#include "macros/gun_files.h"
#include "macros/macro_file.h"
#include "macros/macro_list.h"
#include "macros/macro_list_edits.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/list/profile_list.h"
#include "tests/crash/crash_save_writes.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

using namespace morva;
namespace crash = morva::test::crash;

constexpr int kKeyboard = 1;

// Add, copy, rename, delete and select, keeping the list between two and six profiles.
void changeProfileList(profiles::ProfileList& list, unsigned step) {
    switch (step % 5) {
    case 0:
        if (list.size() < crash::kMaxProfiles) {
            list.add();
        }
        break;
    case 1:
        if (list.size() < crash::kMaxProfiles) {
            list.copySelected();
        }
        break;
    case 2:
        list.renameSelected("renamed " + std::to_string(step % 7));
        break;
    case 3:
        if (list.size() > 2) {
            list.deleteSelected();
        }
        break;
    default:
        list.select(static_cast<int>(step % static_cast<unsigned>(list.size())));
        break;
    }
}

// The selected profile with other light settings, as the program saves an edit.
void saveProfileDocument(const profiles::ProfileList& list, const std::filesystem::path& defaults,
                         unsigned step) {
    profiles::CKeyboardProfiledata data;
    data.SetDefaultProfilePath(defaults);
    data.LoadDeviceEntry(list.selectedProfilePath());
    profiles::LightInfoRecord light = data.ReadLightInfo();
    light.red = static_cast<uint8_t>(step % crash::kVersions);
    light.mode = static_cast<uint8_t>(step % 4);
    data.WriteLightInfo(light);
    data.Save();
}

// A macro file saved, then its list entry added, renamed or removed.
void saveMacro(const std::filesystem::path& folder, unsigned step) {
    const int slot = static_cast<int>(step % crash::kMacroSlots);
    macros::writeMacro(folder, crash::macroIdentifier(slot), crash::macroName(slot),
                       crash::macroEvents(static_cast<int>(step / 2 % crash::kVersions)));
    const int number =
        macros::findMacroByIdentifier(macros::readMacroList(folder), crash::macroIdentifier(slot));
    if (number < 0) {
        macros::appendMacroEntry(folder, crash::macroName(slot), crash::macroIdentifier(slot));
    } else if (step % 4 == 1) {
        macros::removeMacroEntry(folder, number);
    } else {
        macros::renameMacroEntry(folder, number, crash::macroName(slot));
    }
}

// A gun pattern saved as the gun-key panel saves a bullet: read, change, write whole.
void saveGun(const std::filesystem::path& folder, unsigned step) {
    const int gun = static_cast<int>(step % macros::kGunCount);
    Json::Value document = macros::readGunDocument(folder, gun);
    crash::setGunVersion(document, static_cast<int>(step / 4 % crash::kVersions));
    writejsonFile(macros::gunFilePath(folder, gun), document);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(
            stderr, "usage: crash_save_loop <device folder> <default profile file> <first step>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const std::filesystem::path defaults = argv[2];
    profiles::ProfileList list(folder, defaults, kKeyboard);
    if (!list.load().ok()) {
        std::fprintf(stderr, "crash_save_loop: the profile list of %s cannot be loaded\n",
                     folder.c_str());
        return 1;
    }
    for (auto step = static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10));; ++step) {
        switch (step % 4) {
        case 0:
            changeProfileList(list, step / 4);
            break;
        case 1:
            saveProfileDocument(list, defaults, step / 4);
            break;
        case 2:
            saveMacro(folder, step / 4);
            break;
        default:
            saveGun(folder, step / 4);
            break;
        }
    }
}
