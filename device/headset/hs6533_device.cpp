#include "device/headset/hs6533_device.h"

#include "audio/property_defaults.h"
#include "device/headset/headset_audio_page.h"
#include "device/headset/headset_lighting_reports.h"
#include "profiles/data_folders.h"

namespace morva::device {

CKestraneHS6533Device::CKestraneHS6533Device()
    : MirroredSettingsDevice(hid::kDeviceHeadset),
      audioSettings_(audioSession_, profile_, [this] { SaveProfile(); }) {}

CKestraneHS6533Device::~CKestraneHS6533Device() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

void CKestraneHS6533Device::BindPage() {
    MirroredSettingsDevice::BindPage();
    StartAudio();
    RefreshPage();
}

void CKestraneHS6533Device::StartAudio() {
    if (audioStarted_) {
        return;
    }
    audioStarted_ = true;
    const std::filesystem::path path =
        audioLibraryPath_.empty()
            ? audio::AudioLibrary::defaultPath(profiles::folders::programFolder())
            : audioLibraryPath_;
    audioSettings_.loadFromProfile();
    if (!audioLibrary_.load(path)) {
        return;
    }
    audioStart_ = audioSession_.start();
    if (audioStart_.initFailed) {
        trace("ConfLibInit called failed!\n");
        TellAudioProblem(AudioStartProblem::InitialisationFailed);
    }
    if (audioStart_.featuresFailed) {
        TellAudioProblem(AudioStartProblem::FeaturesUnreadable);
    }
    if (audioStart_.endpointsSelected) {
        audio::applyPropertyDefaults(audioSession_);
        audioSettings_.readBack();
    }
}

void CKestraneHS6533Device::TellAudioProblem(AudioStartProblem problem) {
    if (ui::Window* window = mainWindow()) {
        window->postMessage(kMsgAudioStartProblem, static_cast<int64_t>(problem));
    }
}

void CKestraneHS6533Device::Connect() {
    MirroredSettingsDevice::Connect();
    audioSettings_.readBack();
    RefreshPage();
}

int CKestraneHS6533Device::ApplyProfile() {
    const int result = MirroredSettingsDevice::ApplyProfile();
    audioSettings_.loadFromProfile();
    return result;
}

void CKestraneHS6533Device::RefreshPage() {
    MirroredSettingsDevice::RefreshPage();
    headset_page::show(*this, audioSettings_.view());
}

void CKestraneHS6533Device::LightingRefresh() {
    if (lightOutput() == 0 || !commandChannel().isOpen()) {
        return;
    }
    for (const HeadsetReport& report : encodeHeadsetFrame(lighting_.engine->leds())) {
        commandHid().SetOutputReport(report.data(), static_cast<uint32_t>(report.size()));
    }
}

} // namespace morva::device
