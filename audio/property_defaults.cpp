#include "audio/property_defaults.h"

#include <array>
#include <vector>

namespace morva::audio {
namespace {

constexpr std::array<int32_t, 1> kAllChannels = {-1};
constexpr std::array<int32_t, 1> kFirstChannel = {0};
constexpr std::array<int32_t, 3> kSurroundEffect = {4, -1, 0};

struct PropertyDefault {
    Endpoint endpoint;
    std::u16string_view name;
    bool isFloat;
    PropertyArgument argument;
};

const std::vector<PropertyDefault>& propertyDefaults() {
    static const std::vector<PropertyDefault> defaults = {
        {Endpoint::Capture, u"Enable_ENC_LFX", false, {}},
        {Endpoint::Capture, u"VolumeControl", true, kAllChannels},
        {Endpoint::Playback, u"Enable_EQ_GFX", false, {}},
        {Endpoint::Playback, u"EQ_Slider1", false, {}},
        {Endpoint::Playback, u"EQ_Slider2", false, {}},
        {Endpoint::Playback, u"EQ_Slider3", false, {}},
        {Endpoint::Playback, u"EQ_Slider4", false, {}},
        {Endpoint::Playback, u"EQ_Slider5", false, {}},
        {Endpoint::Playback, u"EQ_Slider6", false, {}},
        {Endpoint::Playback, u"EQ_Slider7", false, {}},
        {Endpoint::Playback, u"EQ_Slider8", false, {}},
        {Endpoint::Playback, u"EQ_Slider9", false, {}},
        {Endpoint::Playback, u"EQ_Slider10", false, {}},
        {Endpoint::Playback, u"Enable_RFX_GFX", false, {}},
        {Endpoint::Playback, u"RFX_ENVIRONMENT", false, {}},
        {Endpoint::Playback, u"RFX_ROOMSIZE", false, {}},
        {Endpoint::Capture, u"MuteControl", false, {}},
        {Endpoint::Capture, u"VolumeScalarControl", true, kAllChannels},
        {Endpoint::Capture, u"AAVolumeControl", true, kFirstChannel},
        {Endpoint::Capture, u"AAMuteControl", false, {}},
        {Endpoint::Capture, u"AAVolumeScalarControl", true, kFirstChannel},
        {Endpoint::Capture, u"Enable_MAGICVOICE", false, {}},
        {Endpoint::Capture, u"MagicVoice_Selection", false, {}},
    };
    return defaults;
}

void applyDefault(const AudioSession& session, const PropertyDefault& property) {
    if (session.readText(property.endpoint, property.name, property.argument)) {
        return;
    }
    if (property.isFloat) {
        session.writeFloat(property.endpoint, property.name, 0.0F, property.argument);
    } else {
        session.writeInteger(property.endpoint, property.name, 0, property.argument);
    }
}

} // namespace

void applyPropertyDefaults(const AudioSession& session) {
    if (!session.readText(Endpoint::Playback, u"XearSurrHP_Enable")) {
        applyDefault(session,
                     {Endpoint::Playback, u"VirtualSurroundEffectControl", false, kSurroundEffect});
    }
    for (const PropertyDefault& property : propertyDefaults()) {
        applyDefault(session, property);
    }
}

} // namespace morva::audio
