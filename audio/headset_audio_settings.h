#pragma once

#include "audio/audio_session.h"
#include "audio/equaliser_presets.h"
#include "profiles/hs6533_profiledata.h"

#include <functional>
#include <string>
#include <vector>

namespace morva::audio {

// What the audio panels show.
struct HeadsetAudioView {
    bool available = false; // the audio library is there
    profiles::HeadsetSystemRecord system;
    profiles::CHs6533Profiledata::BandValues bands{};
    std::vector<std::wstring> customNames;
    int selectedCustom = -1; // none
    // Virtual 7.1 surround on the playback side, as the library reports it; not kept in the
    // profile: the library keeps it.
    bool surround = false;

    bool customGroupAvailable() const { return system.eqType == kCustomEqualiser; }
};

// The headset's equaliser, microphone, monitor, voice changer and virtual surround: each user
// action writes its property through the audio session and keeps the new state in the profile.
// Without the audio library nothing is called and nothing changes.
class HeadsetAudioSettings {
public:
    enum class SaveOutcome { Saved, NothingSelected, Full, DuplicateName, Unavailable };

    HeadsetAudioSettings(const AudioSession& session, profiles::CHs6533Profiledata& profile,
                         std::function<void()> saveProfile);

    // The state the profile holds; a selected custom curve that does not exist counts as none.
    void loadFromProfile();
    // The microphone, monitor and voice changer as the library has them.
    void readBack();

    void choosePreset(int preset);
    void moveBand(size_t band, int value);
    void selectCustom(int index);
    SaveOutcome saveCustom(const std::wstring& name);
    void deleteCustom();
    void toggleMicrophone();
    void setMicrophoneLevel(int level);
    void toggleMonitor();
    void setMonitorLevel(int level);
    void setVoiceChanger(bool on);
    void setVoiceEffect(int effect);
    void setSurround(bool on);

    const HeadsetAudioView& view() const { return view_; }

private:
    struct LevelControl {
        std::u16string_view mute;
        std::u16string_view scalar;
        std::u16string_view volume;
        PropertyArgument scalarChannel;
        PropertyArgument volumeChannel;
        int32_t profiles::HeadsetSystemRecord::*selected;
        int32_t profiles::HeadsetSystemRecord::*level;
    };
    static const LevelControl kMicrophone;
    static const LevelControl kMonitor;

    void toggle(const LevelControl& control);
    void setLevel(const LevelControl& control, int level);
    bool available() const { return session_.available(); }
    void store();
    void sendBands(const profiles::CHs6533Profiledata::BandValues& bands);
    void showCustom(int index);
    profiles::CHs6533Profiledata::BandValues customCurve(int index);
    void readMicrophone();
    void readMonitor();
    void readVoiceChanger();
    void readSurround();

    const AudioSession& session_;
    profiles::CHs6533Profiledata& profile_;
    std::function<void()> saveProfile_;
    HeadsetAudioView view_;
};

// A level read as a fraction of 1, in percent (truncated, so 0.999 is 99).
int levelOfScalar(float scalar);

} // namespace morva::audio
