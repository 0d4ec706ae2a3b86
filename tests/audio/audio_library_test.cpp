#include "audio/audio_session.h"
#include "audio/endpoint_selection.h"
#include "audio/property_defaults.h"
#include "audio/property_value.h"
#include "tests/audio/simulated_audio.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace morva::audio::test {
namespace {

TEST(EndpointSelection, PlaybackPrefersTheTypesInOrderAndOnlyUsableOnes) {
    const std::vector<AudioEndpointRecord> endpoints = {
        {.id = 1, .type = 4, .state = 1}, {.id = 2, .type = 1, .state = 0},
        {.id = 3, .type = 7, .state = 1}, {.id = 4, .type = 12, .state = 1},
        {.id = 5, .type = 2, .state = 0},
    };
    EXPECT_EQ(choosePlayback(endpoints)->id, 4) << "type 12 before 7 and 4; type 1 is unusable";
    EXPECT_EQ(chooseCapture(endpoints)->id, 5) << "capture takes the first of type 2";
    EXPECT_FALSE(choosePlayback(std::vector<AudioEndpointRecord>{{.type = 2, .state = 1}}));
}

TEST(EndpointSelection, FeaturesAreFieldsZeroFourAndSix) {
    EXPECT_EQ(parseFeatures(u"0x20000,1,2,3,40,5,60"), (EndpointFeatures{0x20000, 40, 60}));
    EXPECT_TRUE(hasVoiceChanger(*parseFeatures(u"131072,0,0,0,0,0,0")));
    EXPECT_FALSE(hasVoiceChanger(*parseFeatures(u"65536,0,0,0,0,0,0")));
    EXPECT_FALSE(parseFeatures(u"1,2,3,4,5,6")) << "six fields";
    EXPECT_FALSE(parseFeatures(u"1,2,3,4,x,6,7"));
}

TEST(PropertyValue, TextReadBackAndNumbers) {
    PropertyBuffer buffer{};
    const std::u16string text = u"0.37";
    std::memcpy(buffer.data(), text.data(), text.size() * 2);
    EXPECT_EQ(textOf(buffer), u"0.37");
    EXPECT_FLOAT_EQ(*floatOf(textOf(buffer)), 0.37F);
    EXPECT_EQ(integerOf(u"-12"), -12);
    EXPECT_FALSE(integerOf(u"12a"));
    EXPECT_FALSE(integerOf(u""));
}

class AudioStartUp : public ::testing::Test {
protected:
    AudioStartUp() { EXPECT_TRUE(library.load(simulatedLibraryPath())); }

    SimulatedAudio sim;
    AudioLibrary library;
    AudioSession session{library};
};

TEST_F(AudioStartUp, WithoutPlaybackEndpointNoPropertyIsTouched) {
    sim.reset(0, 1);
    const AudioSession::StartResult result = session.start();
    EXPECT_FALSE(result.endpointsSelected);
    EXPECT_EQ(sim.calls(), 3) << "initialisation, device list, playback count";
    applyPropertyDefaults(session);
    EXPECT_FALSE(session.writeInteger(Endpoint::Capture, u"MuteControl", 1));
    EXPECT_EQ(sim.calls(), 3);
    EXPECT_EQ(sim.value(kCaptureFlow, u"MuteControl"), "-");
}

TEST_F(AudioStartUp, OnlyUnreadablePropertiesGetTheirDefault) {
    sim.set(kCaptureFlow, u"MuteControl", u"1");
    sim.set(kPlaybackFlow, u"EQ_Slider3", u"5");
    sim.set(kCaptureFlow, u"VolumeScalarControl", u"0.8");
    ASSERT_TRUE(session.start().endpointsSelected);
    EXPECT_TRUE(session.voiceChangerExists());
    applyPropertyDefaults(session);
    struct Case {
        int32_t flow;
        std::u16string name;
        std::string value;
        int32_t writes;
    };
    for (const Case& c : std::vector<Case>{
             {kCaptureFlow, u"MuteControl", "1", 0},
             {kPlaybackFlow, u"EQ_Slider3", "5", 0},
             {kCaptureFlow, u"VolumeScalarControl", "0.8", 0},
             {kPlaybackFlow, u"EQ_Slider1", "0", 1},
             {kCaptureFlow, u"AAVolumeScalarControl", "0", 1},
             {kCaptureFlow, u"MagicVoice_Selection", "0", 1},
             {kPlaybackFlow, u"VirtualSurroundEffectControl", "0", 1},
             {kPlaybackFlow, u"XearSurrHP_Room", "-", 0},
         }) {
        EXPECT_EQ(sim.value(c.flow, c.name), c.value) << std::string(c.name.begin(), c.name.end());
        EXPECT_EQ(sim.writes(c.flow, c.name), c.writes)
            << std::string(c.name.begin(), c.name.end());
    }
}

TEST_F(AudioStartUp, AFailedInitialisationIsToldAndStartUpGoesOn) {
    sim.reset(1, 1, false, true);
    const AudioSession::StartResult result = session.start();
    EXPECT_TRUE(result.initFailed);
    EXPECT_TRUE(result.endpointsSelected);
    EXPECT_FALSE(session.voiceChangerExists());
}

TEST(AudioLibraryLoad, AMissingLibraryMakesNoCall) {
    SimulatedAudio sim;
    AudioLibrary missing;
    EXPECT_FALSE(missing.load(std::filesystem::path(MORVA_RUNTIME_DIR) / "SDK" / "none.so"));
    EXPECT_FALSE(missing.available());
    AudioSession session(missing);
    EXPECT_FALSE(session.start().endpointsSelected);
    applyPropertyDefaults(session);
    EXPECT_FALSE(session.writeInteger(Endpoint::Capture, u"MuteControl", 1));
    EXPECT_FALSE(session.readText(Endpoint::Capture, u"GetMaxVol"));
    EXPECT_EQ(sim.calls(), 0);
}

} // namespace
} // namespace morva::audio::test
