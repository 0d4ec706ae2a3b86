#include "audio/headset_audio_settings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace morva::audio {
namespace {

using Bands = profiles::CHs6533Profiledata::BandValues;

constexpr std::array<int32_t, 1> kAllChannels = {-1};
constexpr std::array<int32_t, 1> kFirstChannel = {0};
constexpr std::array<int32_t, 1> kSecondChannel = {1};
constexpr int kMaxLevel = 100;
constexpr int kFirstVoiceEffect = 1;
constexpr int kLastVoiceEffect = 4;
// The switch of the headphones' virtual surround.
constexpr std::u16string_view kSurroundSwitch = u"XearSurrHP_Enable";
// A float such as 0.29 is stored a hair below its decimal value; this keeps it at 29.
constexpr double kScalarRounding = 1e-4;

} // namespace

// The microphone and its monitoring: a mute switch and a scalar level, after which the volume is
// read again so the library takes the new level.
const HeadsetAudioSettings::LevelControl HeadsetAudioSettings::kMicrophone = {
    .mute = u"MuteControl",
    .scalar = u"VolumeScalarControl",
    .volume = u"VolumeControl",
    .scalarChannel = kAllChannels,
    .volumeChannel = kAllChannels,
    .selected = &profiles::HeadsetSystemRecord::micInSelect,
    .level = &profiles::HeadsetSystemRecord::micInValue};
const HeadsetAudioSettings::LevelControl HeadsetAudioSettings::kMonitor = {
    .mute = u"AAMuteControl",
    .scalar = u"AAVolumeScalarControl",
    .volume = u"AAVolumeControl",
    .scalarChannel = kFirstChannel,
    .volumeChannel = kSecondChannel,
    .selected = &profiles::HeadsetSystemRecord::micMonitorSelect,
    .level = &profiles::HeadsetSystemRecord::micMonitorValue};

namespace {

std::u16string bandProperty(size_t band) {
    const std::string name = "EQ_Slider" + std::to_string(band + 1);
    return {name.begin(), name.end()};
}

Bands bandsOf(const std::vector<int32_t>& values) {
    Bands bands{};
    std::copy_n(values.begin(), std::min(values.size(), bands.size()), bands.begin());
    return bands;
}

} // namespace

int levelOfScalar(float scalar) {
    const double percent = static_cast<double>(scalar) * kMaxLevel + kScalarRounding;
    return std::clamp(static_cast<int>(std::trunc(percent)), 0, kMaxLevel);
}

HeadsetAudioSettings::HeadsetAudioSettings(const AudioSession& session,
                                           profiles::CHs6533Profiledata& profile,
                                           std::function<void()> saveProfile)
    : session_(session), profile_(profile), saveProfile_(std::move(saveProfile)) {}

void HeadsetAudioSettings::loadFromProfile() {
    view_.available = available();
    view_.system = profile_.ReadHeadsetSystem();
    view_.customNames = profile_.ReadCustomEqNames();
    // The index comes from a file: only a curve that exists may be selected, before any row of
    // the document is touched.
    const int32_t index = view_.system.customEqSelectIndex;
    view_.selectedCustom =
        index >= 0 && static_cast<size_t>(index) < view_.customNames.size() ? index : -1;
    view_.system.customEqSelectIndex = view_.selectedCustom;
    if (view_.system.eqType == kCustomEqualiser) {
        view_.bands = view_.selectedCustom >= 0 ? customCurve(view_.selectedCustom) : Bands{};
    } else if (presetCurve(view_.system.eqType)) {
        view_.bands = bandsOf(profile_.ReadEqValues(view_.system.eqType));
    }
}

void HeadsetAudioSettings::store() {
    profile_.WriteHeadsetSystem(view_.system);
    if (saveProfile_) {
        saveProfile_();
    }
}

Bands HeadsetAudioSettings::customCurve(int index) {
    return bandsOf(profile_.ReadCustomEqValues(static_cast<Json::ArrayIndex>(index)));
}

void HeadsetAudioSettings::sendBands(const Bands& bands) {
    session_.writeInteger(Endpoint::Playback, u"Enable_EQ_GFX", 1);
    for (size_t band = 0; band < bands.size(); ++band) {
        session_.writeInteger(Endpoint::Playback, bandProperty(band), bands[band]);
    }
}

void HeadsetAudioSettings::readBack() {
    if (!available()) {
        return;
    }
    readMicrophone();
    readMonitor();
    readVoiceChanger();
    readSurround();
    store();
}

void HeadsetAudioSettings::readMicrophone() {
    for (const char16_t* name : {u"GetMaxVol", u"GetMinVol", u"GetVolStep"}) {
        session_.readText(Endpoint::Capture, name);
    }
    session_.readText(Endpoint::Capture, u"VolumeControl", kAllChannels);
    if (const auto muted = session_.readInteger(Endpoint::Capture, u"MuteControl")) {
        view_.system.micInSelect = *muted == 0 ? 1 : 0;
    }
    if (const auto scalar =
            session_.readFloat(Endpoint::Capture, u"VolumeScalarControl", kAllChannels)) {
        view_.system.micInValue = levelOfScalar(*scalar);
    }
}

void HeadsetAudioSettings::readMonitor() {
    if (!session_.readText(Endpoint::Capture, u"GetAAMaxVol")) {
        return;
    }
    session_.readText(Endpoint::Capture, u"GetAAMinVol");
    session_.readText(Endpoint::Capture, u"GetAAVolStep");
    session_.readText(Endpoint::Capture, u"AAVolumeControl", kFirstChannel);
    if (const auto muted = session_.readInteger(Endpoint::Capture, u"AAMuteControl")) {
        view_.system.micMonitorSelect = *muted == 0 ? 1 : 0;
    }
    if (const auto scalar =
            session_.readFloat(Endpoint::Capture, u"AAVolumeScalarControl", kFirstChannel)) {
        view_.system.micMonitorValue = levelOfScalar(*scalar);
    }
    for (size_t band = 0; band < profiles::CHs6533Profiledata::kBandCount; ++band) {
        session_.readText(Endpoint::Playback, bandProperty(band));
    }
}

void HeadsetAudioSettings::readVoiceChanger() {
    const auto enabled = session_.readInteger(Endpoint::Capture, u"Enable_MAGICVOICE");
    if (enabled && session_.voiceChangerExists()) {
        view_.system.magicEnable = *enabled != 0 ? 1 : 0;
    }
    const auto selection = session_.readInteger(Endpoint::Capture, u"MagicVoice_Selection");
    if (selection && *selection >= 0 && *selection < kLastVoiceEffect) {
        view_.system.magicType = static_cast<int32_t>(*selection) + kFirstVoiceEffect;
    }
}

void HeadsetAudioSettings::readSurround() {
    if (const auto on = session_.readInteger(Endpoint::Playback, kSurroundSwitch)) {
        view_.surround = *on != 0;
    }
}

void HeadsetAudioSettings::choosePreset(int preset) {
    if (!available()) {
        return;
    }
    if (preset == kCustomEqualiser) {
        view_.system.eqType = kCustomEqualiser;
        if (view_.selectedCustom >= 0) {
            selectCustom(view_.selectedCustom);
        }
        store();
        return;
    }
    const std::optional<Bands> curve = presetCurve(preset);
    if (!curve) {
        return;
    }
    view_.bands = *curve;
    sendBands(*curve);
    view_.system.eqType = preset;
    profile_.WriteEqValues(preset, *curve);
    store();
}

void HeadsetAudioSettings::moveBand(size_t band, int value) {
    if (!available() || band >= view_.bands.size()) {
        return;
    }
    if (view_.system.eqType != kCustomEqualiser) {
        view_.system.eqType = kCustomEqualiser;
        view_.selectedCustom = -1;
        view_.system.customEqSelectIndex = -1;
    }
    view_.bands[band] = value;
    session_.writeInteger(Endpoint::Playback, bandProperty(band), value);
}

void HeadsetAudioSettings::selectCustom(int index) {
    if (!available() || index < 0 || static_cast<size_t>(index) >= view_.customNames.size()) {
        return;
    }
    showCustom(index);
    sendBands(view_.bands);
    store();
}

void HeadsetAudioSettings::showCustom(int index) {
    view_.selectedCustom = index;
    view_.system.customEqSelectIndex = index;
    view_.bands = customCurve(index);
}

HeadsetAudioSettings::SaveOutcome HeadsetAudioSettings::saveCustom(const std::wstring& name) {
    if (!available()) {
        return SaveOutcome::Unavailable;
    }
    if (name.empty()) {
        if (view_.selectedCustom < 0) {
            return SaveOutcome::NothingSelected;
        }
        profile_.WriteCustomEqValues(static_cast<Json::ArrayIndex>(view_.selectedCustom),
                                     view_.bands);
        store();
        return SaveOutcome::Saved;
    }
    if (view_.customNames.size() >= kMaxCustomCurves) {
        return SaveOutcome::Full;
    }
    if (std::find(view_.customNames.begin(), view_.customNames.end(), name) !=
        view_.customNames.end()) {
        return SaveOutcome::DuplicateName;
    }
    view_.customNames.push_back(name);
    profile_.WriteCustomEqNames(view_.customNames);
    const auto index = static_cast<int>(view_.customNames.size() - 1);
    profile_.WriteCustomEqValues(static_cast<Json::ArrayIndex>(index), view_.bands);
    view_.selectedCustom = index;
    view_.system.customEqSelectIndex = index;
    store();
    return SaveOutcome::Saved;
}

void HeadsetAudioSettings::deleteCustom() {
    if (!available() || view_.selectedCustom < 0) {
        return;
    }
    const auto index = static_cast<size_t>(view_.selectedCustom);
    view_.customNames.erase(view_.customNames.begin() + static_cast<long>(index));
    profile_.WriteCustomEqNames(view_.customNames);
    profile_.RemoveCustomEqValues(static_cast<Json::ArrayIndex>(index));
    if (view_.customNames.empty()) {
        view_.selectedCustom = -1;
        view_.system.customEqSelectIndex = -1;
        view_.system.eqType = kFirstPreset;
        view_.bands = bandsOf(profile_.ReadEqValues(kFirstPreset));
    } else {
        showCustom(0);
    }
    store();
}

void HeadsetAudioSettings::toggle(const LevelControl& control) {
    int32_t& selected = view_.system.*control.selected;
    const int32_t muted = selected != 0 ? 1 : 0;
    if (available() && session_.writeInteger(Endpoint::Capture, control.mute, muted)) {
        selected = muted != 0 ? 0 : 1;
        store();
    }
}

void HeadsetAudioSettings::setLevel(const LevelControl& control, int level) {
    level = std::clamp(level, 0, kMaxLevel);
    if (available() &&
        session_.writeFloat(Endpoint::Capture, control.scalar,
                            static_cast<float>(level) / kMaxLevel, control.scalarChannel)) {
        session_.readText(Endpoint::Capture, control.volume, control.volumeChannel);
        view_.system.*control.level = level;
        store();
    }
}

void HeadsetAudioSettings::toggleMicrophone() {
    toggle(kMicrophone);
}

void HeadsetAudioSettings::setMicrophoneLevel(int level) {
    setLevel(kMicrophone, level);
}

void HeadsetAudioSettings::toggleMonitor() {
    toggle(kMonitor);
}

void HeadsetAudioSettings::setMonitorLevel(int level) {
    setLevel(kMonitor, level);
}

void HeadsetAudioSettings::setVoiceChanger(bool on) {
    if (!available() || !session_.writeInteger(Endpoint::Capture, u"Enable_MAGICVOICE", on)) {
        return;
    }
    if (on) {
        session_.writeInteger(Endpoint::Capture, u"Enable_MICECHO", 0);
    }
    view_.system.magicEnable = on ? 1 : 0;
    store();
}

void HeadsetAudioSettings::setVoiceEffect(int effect) {
    if (!available() || effect < kFirstVoiceEffect || effect > kLastVoiceEffect) {
        return;
    }
    if (session_.writeInteger(Endpoint::Capture, u"MagicVoice_Selection",
                              effect - kFirstVoiceEffect)) {
        view_.system.magicType = effect;
        store();
    }
}

void HeadsetAudioSettings::setSurround(bool on) {
    if (!available() || !session_.writeInteger(Endpoint::Playback, kSurroundSwitch, on ? 1 : 0)) {
        return;
    }
    view_.surround = on;
}

} // namespace morva::audio
