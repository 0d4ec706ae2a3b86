// A profile file as the user's data folder may hold it: loaded by each kind of device's profile
// object and decoded the way the device objects use it, the numbers that index into the
// document taken from the document itself.

#include "audio/audio_library.h"
#include "audio/audio_session.h"
#include "audio/headset_audio_settings.h"
#include "base/json_file.h"
#include "device/key_position_tables.h"
#include "device/mouse/mouse_profile_settings.h"
#include "profiles/hs6533_profiledata.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/list/profile_kind.h"
#include "profiles/mouse_profiledata.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace morva;

void readCommonParts(profiles::CBasicProfiledata& profile) {
    profile.ReadLightInfo();
    profile.ReadLightList();
    profile.ReadKeyList();
}

void readKeyboard(const std::filesystem::path& file) {
    profiles::CKeyboardProfiledata profile;
    profile.LoadDeviceEntry(file);
    readCommonParts(profile);
    profile.ReadKeyboardSystem();
    // The keyboard shows the stored group; the index is whatever the file says.
    const int32_t group = profile.ReadCustomLightGroup();
    profile.ReadCustomLightColors(static_cast<Json::ArrayIndex>(group < 0 ? 0 : group),
                                  device::kKeyPositionCount);
    // What the next save of the profile writes.
    styledJsonText(profile.DeviceEntry());
}

void readMouse(const std::filesystem::path& file) {
    profiles::CMouseProfiledata profile;
    profile.LoadDeviceEntry(file);
    readCommonParts(profile);
    profile.ReadMouseSystem();
    device::mouseSettingsFromProfile(profile, device::MouseWriteContext{});
}

void readHeadset(const std::filesystem::path& file) {
    profiles::CHs6533Profiledata profile;
    profile.LoadDeviceEntry(file);
    readCommonParts(profile);
    // No library is loaded: the settings come from the profile alone.
    const audio::AudioLibrary noLibrary;
    const audio::AudioSession noAudio(noLibrary);
    audio::HeadsetAudioSettings settings(noAudio, profile, {});
    settings.loadFromProfile();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path file = fuzz::scratchFolder() / "profile.Json";
    fuzz::writeFile(file, fuzz::asText(data, size));
    readKeyboard(file);
    readMouse(file);
    readHeadset(file);
    const Json::Value document = morva::parseJsonText(fuzz::asText(data, size));
    profiles::profileKindOf(document);
    profiles::profileFitsDevice(document, 1);
    return 0;
}
