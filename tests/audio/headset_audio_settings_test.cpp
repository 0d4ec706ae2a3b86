#include "audio/headset_audio_settings.h"
#include "audio/property_defaults.h"
#include "tests/audio/simulated_audio.h"
#include "tests/profiles/profile_test_support.h"

#include <vector>

namespace morva::audio::test {
namespace {

std::u16string band(int n) {
    const std::string name = "EQ_Slider" + std::to_string(n);
    return {name.begin(), name.end()};
}

// The headset's audio settings on the simulated library and a profile in a temporary folder.
class HeadsetAudio : public morva::test::ProfileFixture {
protected:
    void SetUp() override {
        ProfileFixture::SetUp();
        ASSERT_TRUE(library.load(simulatedLibraryPath()));
        ASSERT_TRUE(session.start().endpointsSelected);
        applyPropertyDefaults(session);
    }
    void load(const std::string& profileText) {
        writeProfile(profileText);
        profile.SetProfilePath(profilePath);
        profile.LoadDeviceEntry(profilePath);
        settings.loadFromProfile();
    }
    int32_t bandWrites() const {
        int32_t writes = 0;
        for (int n = 1; n <= 10; ++n) {
            writes += sim.writes(kPlaybackFlow, band(n));
        }
        return writes;
    }
    profiles::HeadsetSystemRecord stored() {
        profiles::CHs6533Profiledata onDisk;
        onDisk.LoadDeviceEntry(profilePath);
        return onDisk.ReadHeadsetSystem();
    }

    SimulatedAudio sim;
    AudioLibrary library;
    AudioSession session{library};
    profiles::CHs6533Profiledata profile;
    HeadsetAudioSettings settings{session, profile, [this] {
                                      profile.Save();
                                  }};
};

TEST_F(HeadsetAudio, APresetTurnsTheEqualiserOnAndSendsItsTenBands) {
    load(R"({"Device": [{"SystemSetStages": {"EqType": 2}}]})");
    sim.reset();
    ASSERT_TRUE(session.start().endpointsSelected);
    settings.choosePreset(5);
    EXPECT_EQ(sim.value(kPlaybackFlow, u"Enable_EQ_GFX"), "1");
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(sim.value(kPlaybackFlow, band(n)), "0") << n;
        EXPECT_EQ(sim.writes(kPlaybackFlow, band(n)), 1) << n;
    }
    EXPECT_EQ(stored().eqType, 5);
    settings.choosePreset(11);
    EXPECT_EQ(sim.value(kPlaybackFlow, band(1)), "18");
    EXPECT_EQ(sim.value(kPlaybackFlow, band(6)), "-6");
}

TEST_F(HeadsetAudio, PresetsOutsideOneToThirteenDoNothing) {
    load(R"({"Device": [{"SystemSetStages": {"EqType": 4}}]})");
    for (const int preset : {0, 14, -1}) {
        settings.choosePreset(preset);
    }
    EXPECT_EQ(bandWrites(), 10) << "only the start-up defaults";
    EXPECT_EQ(settings.view().system.eqType, 4);
}

TEST_F(HeadsetAudio, MovingABandLeavesThePresetForTheCustomModeAndSendsThatBand) {
    load(R"({"Device": [{"SystemSetStages": {"EqType": 3, "CustomEqSeletIndex": 0},
             "CustomEQNameInfo": [{"Name": "mine"}]}]})");
    settings.choosePreset(3);
    const int32_t before = bandWrites();
    settings.moveBand(4, -7);
    EXPECT_EQ(bandWrites(), before + 1);
    EXPECT_EQ(sim.value(kPlaybackFlow, band(5)), "-7");
    EXPECT_EQ(settings.view().system.eqType, 13);
    EXPECT_EQ(settings.view().selectedCustom, -1);
    EXPECT_TRUE(settings.view().customGroupAvailable());
}

TEST_F(HeadsetAudio, LevelsAreSentAsFractionsAndReadBackTruncated) {
    load(R"({"Device": [{}]})");
    settings.setMicrophoneLevel(37);
    EXPECT_FLOAT_EQ(std::stof(sim.value(kCaptureFlow, u"VolumeScalarControl")), 0.37F);
    EXPECT_EQ(stored().micInValue, 37);

    struct Case {
        std::u16string text;
        int level;
    };
    for (const Case& c : {Case{u"0.999", 99}, Case{u"0.29", 29}, Case{u"1", 100}, Case{u"0", 0}}) {
        sim.set(kCaptureFlow, u"VolumeScalarControl", c.text);
        sim.set(kCaptureFlow, u"AAVolumeScalarControl", c.text);
        settings.readBack();
        EXPECT_EQ(settings.view().system.micInValue, c.level);
        EXPECT_EQ(settings.view().system.micMonitorValue, c.level);
    }
}

TEST_F(HeadsetAudio, SwitchesAndTheVoiceEffectReachTheirProperties) {
    load(R"({"Device": [{"SystemSetStages": {"MicInSelect": 1, "MicMoniterSelect": 0}}]})");
    settings.toggleMicrophone();
    EXPECT_EQ(sim.value(kCaptureFlow, u"MuteControl"), "1");
    EXPECT_EQ(stored().micInSelect, 0);
    settings.toggleMonitor();
    EXPECT_EQ(sim.value(kCaptureFlow, u"AAMuteControl"), "0");
    EXPECT_EQ(stored().micMonitorSelect, 1);
    settings.setVoiceEffect(4);
    EXPECT_EQ(sim.value(kCaptureFlow, u"MagicVoice_Selection"), "3");
    EXPECT_EQ(stored().magicType, 4);
    settings.setVoiceChanger(true);
    EXPECT_EQ(sim.value(kCaptureFlow, u"Enable_MAGICVOICE"), "1");
    EXPECT_EQ(sim.value(kCaptureFlow, u"Enable_MICECHO"), "0");
    EXPECT_EQ(stored().magicEnable, 1);
    settings.readBack();
    EXPECT_EQ(settings.view().system.micInSelect, 0) << "muted in the library";
    EXPECT_EQ(settings.view().system.magicType, 4);
}

TEST_F(HeadsetAudio, TheSurroundSwitchReachesThePlaybackSideAndIsReadBack) {
    load(R"({"Device": [{}]})");
    settings.readBack();
    EXPECT_FALSE(settings.view().surround) << "the library knows no state yet";
    settings.setSurround(true);
    EXPECT_EQ(sim.value(kPlaybackFlow, u"XearSurrHP_Enable"), "1");
    EXPECT_TRUE(settings.view().surround);
    settings.setSurround(false);
    EXPECT_EQ(sim.value(kPlaybackFlow, u"XearSurrHP_Enable"), "0");
    sim.set(kPlaybackFlow, u"XearSurrHP_Enable", u"1");
    settings.readBack();
    EXPECT_TRUE(settings.view().surround) << "switched on elsewhere";
}

TEST_F(HeadsetAudio, CustomCurvesAreNamedOnceAndAtMostTwenty) {
    load(R"({"Device": [{"SystemSetStages": {"EqType": 13}}]})");
    using Outcome = HeadsetAudioSettings::SaveOutcome;
    EXPECT_EQ(settings.saveCustom(L""), Outcome::NothingSelected);
    settings.moveBand(0, 9);
    EXPECT_EQ(settings.saveCustom(L"curve 0"), Outcome::Saved);
    EXPECT_EQ(settings.view().selectedCustom, 0);
    EXPECT_EQ(settings.saveCustom(L"curve 0"), Outcome::DuplicateName);
    for (int n = 1; n < 20; ++n) {
        EXPECT_EQ(settings.saveCustom(L"curve " + std::to_wstring(n)), Outcome::Saved);
    }
    EXPECT_EQ(settings.saveCustom(L"curve 20"), Outcome::Full);
    EXPECT_EQ(profile.ReadCustomEqNames().size(), 20u);
    EXPECT_EQ(profile.ReadCustomEqValues(0)[0], 9);
    EXPECT_EQ(stored().customEqSelectIndex, 19);
}

TEST_F(HeadsetAudio, DeletingTheLastCurveFallsBackToPresetOneWithoutSendingBands) {
    load(R"({"Device": [{"SystemSetStages": {"EqType": 13, "CustomEqSeletIndex": 1},
             "CustomEQNameInfo": [{"Name": "a"}, {"Name": "b"}],
             "CustomEQHzValueInfo": [[{"value": 1}], [{"value": 2}]]}]})");
    const int32_t before = bandWrites();
    settings.deleteCustom();
    EXPECT_EQ(settings.view().customNames, std::vector<std::wstring>{L"a"});
    EXPECT_EQ(settings.view().selectedCustom, 0);
    EXPECT_EQ(settings.view().bands[0], 1);
    EXPECT_EQ(profile.DeviceEntry()["CustomEQHzValueInfo"].size(), 1u) << "its row went too";
    settings.deleteCustom();
    EXPECT_EQ(settings.view().system.eqType, 1);
    EXPECT_FALSE(settings.view().customGroupAvailable());
    EXPECT_EQ(settings.view().selectedCustom, -1);
    EXPECT_EQ(bandWrites(), before);
    EXPECT_EQ(stored().eqType, 1);
    settings.deleteCustom();
    EXPECT_EQ(stored().eqType, 1) << "nothing selected: nothing to delete";
}

TEST_F(HeadsetAudio, ASelectedCurveFromTheFileIsBoundedByTheCurvesThatExist) {
    for (const char* index : {"2000000000", "-5", "1"}) {
        load(std::string(
                 R"({"Device": [{"SystemSetStages": {"EqType": 13, "CustomEqSeletIndex": )") +
             index + R"(}, "CustomEQNameInfo": [{"Name": "only"}]}]})");
        EXPECT_EQ(settings.view().selectedCustom, -1) << index;
        settings.selectCustom(2000000000);
        settings.saveCustom(L"");
        EXPECT_LE(profile.DeviceEntry()["CustomEQHzValueInfo"].size(), 1u) << index;
        EXPECT_EQ(profile.ReadCustomEqNames().size(), 1u);
    }
}

TEST_F(HeadsetAudio, WithoutTheLibraryNothingIsCalledOrChanged) {
    load(R"({"Device": [{"SystemSetStages": {"EqType": 2, "MicInValue": 50}}]})");
    AudioLibrary missing;
    EXPECT_FALSE(missing.load(std::filesystem::path(MORVA_RUNTIME_DIR) / "SDK" / "absent.so"));
    AudioSession inert(missing);
    HeadsetAudioSettings without(inert, profile, [this] { profile.Save(); });
    without.loadFromProfile();
    sim.reset();
    without.readBack();
    without.choosePreset(5);
    without.moveBand(0, 3);
    without.setMicrophoneLevel(10);
    without.toggleMicrophone();
    without.setVoiceChanger(true);
    without.setVoiceEffect(2);
    without.setSurround(true);
    EXPECT_FALSE(without.view().surround);
    EXPECT_EQ(without.saveCustom(L"x"), HeadsetAudioSettings::SaveOutcome::Unavailable);
    EXPECT_FALSE(without.view().available);
    EXPECT_EQ(sim.calls(), 0);
    EXPECT_EQ(without.view().system.eqType, 2);
    EXPECT_EQ(without.view().system.micInValue, 50);
}

} // namespace
} // namespace morva::audio::test
