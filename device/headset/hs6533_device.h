#pragma once

#include "audio/audio_library.h"
#include "audio/audio_session.h"
#include "audio/headset_audio_settings.h"
#include "device/mirrored_settings_device.h"
#include "profiles/hs6533_profiledata.h"

#include <filesystem>

namespace morva::device {

// The device object of an HS6533-kind headset. Its vendor side keeps the pad's settings block and
// takes its lighting as twelve output reports per frame; its audio side drives the audio
// configuration library: equaliser, microphone, monitor and voice changer.
class CKestraneHS6533Device : public MirroredSettingsDevice<profiles::CHs6533Profiledata> {
public:
    static constexpr std::string_view kClassName = "KestraneHS6533Device";
    static constexpr std::string_view kFactoryName = "CKestraneHS6533Device";

    CKestraneHS6533Device();
    ~CKestraneHS6533Device() override;

    std::string_view className() const override { return kClassName; }

    // The page, then the audio start-up (once): the library from the program's SDK folder,
    // its endpoints, the defaults of unreadable properties and the audio state.
    void BindPage() override;
    // The profile, the audio state read back from the library, the page and the lighting.
    void Connect() override;
    int ApplyProfile() override;
    void RefreshPage() override;
    // The LEDs as lighting reports; a report that fails is not sent again.
    void LightingRefresh() override;

    // The audio operations of the panels; each shows its result on the page.
    audio::HeadsetAudioSettings& audio() { return audioSettings_; }
    void AudioChanged() { RefreshPage(); }
    bool audioAvailable() const { return audioLibrary_.available(); }
    bool audioInitFailed() const { return audioStart_.initFailed; }

    // Where the audio library is looked for; the program's SDK folder unless set before binding.
    void SetAudioLibraryPath(std::filesystem::path path) { audioLibraryPath_ = std::move(path); }

private:
    void StartAudio();
    // Once per start-up problem: the main window tells the user.
    void TellAudioProblem(AudioStartProblem problem);

    std::filesystem::path audioLibraryPath_;
    audio::AudioLibrary audioLibrary_;
    audio::AudioSession audioSession_{audioLibrary_};
    audio::HeadsetAudioSettings audioSettings_;
    audio::AudioSession::StartResult audioStart_;
    bool audioStarted_ = false;
};

} // namespace morva::device
