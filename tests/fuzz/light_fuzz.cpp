// A device's light files: the input up to its first NUL byte is the light configuration (the
// user's effects), the rest the effect file its first effect names ("fx" + ".light"). Both are
// read as the lighting panel and the device read them, and the effect's steps are played for a
// while on virtual time. The same configuration bytes are also read as the default light file.

#include "lighting/effect_file_player.h"
#include "lighting/led_colour.h"
#include "lighting/panel/effect_lists.h"
#include "profiles/basic_profiledata.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using namespace morva;

constexpr size_t kLedCount = 126;
constexpr int kPlayedPasses = 64;

void playSteps(std::vector<profiles::LedEffectStep> steps) {
    lighting::EffectFilePlayer player;
    player.load(std::move(steps));
    std::vector<lighting::LedColour> leds(kLedCount);
    TickMs now = 0;
    for (int pass = 0; pass < kPlayedPasses; ++pass) {
        player.pass(leds, now, 2);
        const uint32_t idle = player.passesUntilDue(now, 2);
        // Idle passes are skipped as the engine skips them, a few at most per round.
        const uint32_t skipped = idle > 1 ? std::min<uint32_t>(idle - 1, 8) : 0;
        player.skip(skipped);
        now += (1 + skipped) * 2;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto [configText, effectText] = fuzz::splitAtNul(fuzz::asText(data, size));
    const std::filesystem::path& folder = fuzz::scratchFolder();
    const std::filesystem::path configFile = folder / "LightConfig.json";
    fuzz::writeFile(configFile, configText);
    fuzz::writeFile(folder / "fx.light", effectText);

    profiles::CBasicProfiledata profile;
    profile.LoadLightConfig(configFile);
    playSteps(profile.LoadLightEffect());

    for (int model = 0; model < 3; ++model) {
        lighting::readUserEffectNames(configFile, model);
        lighting::readEffectLists(configFile, model);
    }
    return 0;
}
