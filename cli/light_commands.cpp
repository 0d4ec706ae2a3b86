#include "cli/command_groups.h"
#include "cli/hid_json.h"
#include "cli/profile_device.h"
#include "device/device_lighting.h"
#include "hid/hid_model_tables.h"
#include "lighting/lighting_engine.h"
#include "lighting/live_frame.h"
#include "profiles/basic_profiledata.h"
#include "profiles/data_folders.h"

#include <charconv>
#include <cstdio>
#include <json/value.h>

// morvactl light show|set|frames <device>: the light settings of the device's selected profile,
// and the frames its lighting engine makes of them.
namespace morva::cli {
namespace {

std::string colourText(const profiles::LightInfoRecord& light) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", light.red, light.green, light.blue);
    return text;
}

Json::Value lightToJson(const ProfileDevice& device, const SelectedProfile& profile,
                        const profiles::LightInfoRecord& light) {
    Json::Value json(Json::objectValue);
    json["device"] = device.folderName;
    json["profile"] = profile.name;
    json["effect"] = light.mode;
    json["brightness"] = light.brightness;
    json["speed"] = light.speed;
    json["direction"] = light.direction;
    json["multicolour"] = light.multiColor;
    json["colour"] = colourText(light);
    return json;
}

int showLight(CliContext& context, const ProfileDevice& device, const Arguments& extra) {
    if (!extra.empty()) {
        context.err << "morvactl: light show takes nothing after the device\n";
        return kExitUsage;
    }
    const auto profile = loadSelectedProfile(context, device);
    if (!profile) {
        return kExitFailure;
    }
    const profiles::LightInfoRecord light = profile->data->ReadLightInfo();
    context.out << compactJson(lightToJson(device, *profile, light)) << "\n";
    return kExitOk;
}

// A whole number from `low` to `high`, or nothing.
std::optional<uint8_t> numberIn(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return static_cast<uint8_t>(value);
}

// Applies one "name=value" to the record; false (after saying why) when it does not fit.
bool applySetting(CliContext& context, std::string_view setting, profiles::LightInfoRecord& light) {
    const size_t equals = setting.find('=');
    const std::string_view name = setting.substr(0, equals);
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : setting.substr(equals + 1);
    struct Field {
        std::string_view name;
        int high;
        uint8_t profiles::LightInfoRecord::*member;
    };
    static constexpr Field kFields[] = {
        {"effect", 255, &profiles::LightInfoRecord::mode},
        {"brightness", 4, &profiles::LightInfoRecord::brightness},
        {"speed", 4, &profiles::LightInfoRecord::speed},
        {"direction", 1, &profiles::LightInfoRecord::direction},
        {"multicolour", 1, &profiles::LightInfoRecord::multiColor},
    };
    for (const Field& field : kFields) {
        if (name == field.name) {
            const std::optional<uint8_t> number = numberIn(value, 0, field.high);
            if (!number) {
                context.err << "morvactl: light set: " << field.name << " takes a number from 0 to "
                            << field.high << ", not \"" << value << "\"\n";
                return false;
            }
            light.*field.member = *number;
            return true;
        }
    }
    if (name == "colour" || name == "color") {
        uint32_t rgb = 0;
        const auto [end, error] =
            std::from_chars(value.data(), value.data() + value.size(), rgb, 16);
        if (value.size() != 6 || error != std::errc() || end != value.data() + value.size()) {
            context.err << "morvactl: light set: colour takes RRGGBB in hexadecimal, not \""
                        << value << "\"\n";
            return false;
        }
        light.red = static_cast<uint8_t>(rgb >> 16);
        light.green = static_cast<uint8_t>(rgb >> 8);
        light.blue = static_cast<uint8_t>(rgb);
        return true;
    }
    context.err << "morvactl: light set: unknown setting \"" << setting
                << "\"; the settings are effect, brightness, speed, direction, colour and "
                   "multicolour, each as name=value\n";
    return false;
}

int setLight(CliContext& context, const ProfileDevice& device, const Arguments& extra) {
    if (extra.empty()) {
        context.err << "morvactl: light set needs at least one name=value after the device\n";
        return kExitUsage;
    }
    const auto profile = loadSelectedProfile(context, device);
    if (!profile) {
        return kExitFailure;
    }
    profiles::LightInfoRecord light = profile->data->ReadLightInfo();
    for (const std::string& setting : extra) {
        if (!applySetting(context, setting, light)) {
            return kExitUsage;
        }
    }
    profile->data->WriteLightInfo(light);
    if (!profile->data->Save()) {
        context.err << "morvactl: light set: the profile " << profile->path.string()
                    << " could not be written\n";
        return kExitFailure;
    }
    context.out << compactJson(lightToJson(device, *profile, light)) << "\n";
    return kExitOk;
}

// "--ms T": how long to run, in milliseconds.
std::optional<TickMs> durationOf(CliContext& context, const Arguments& extra) {
    if (extra.empty()) {
        return TickMs{1000};
    }
    unsigned long long ms = 0;
    if (extra.size() == 2 && extra[0] == "--ms") {
        const std::string& text = extra[1];
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ms);
        if (error == std::errc() && end == text.data() + text.size() && ms <= 3'600'000) {
            return TickMs{ms};
        }
    }
    context.err << "morvactl: light frames takes \"--ms <milliseconds>\" (at most an hour) after "
                   "the device\n";
    return std::nullopt;
}

// One line per frame the engine makes: the time in milliseconds, then red, green, blue and
// intensity of every LED; for the mouse and the mouse pad also " |" and the live frame's bytes.
void printFrame(CliContext& context, TickMs now, const std::vector<lighting::LedColour>& leds,
                bool withLiveFrame) {
    context.out << now;
    for (const lighting::LedColour& led : leds) {
        context.out << ' ' << int{led.red} << ' ' << int{led.green} << ' ' << int{led.blue} << ' '
                    << int{led.intensity};
    }
    if (withLiveFrame) {
        context.out << " |";
        char byte[4];
        for (const uint8_t value : lighting::encodeLiveFrame(leds)) {
            std::snprintf(byte, sizeof byte, " %02X", value);
            context.out << byte;
        }
    }
    context.out << "\n";
}

int showFrames(CliContext& context, const ProfileDevice& device, const Arguments& extra) {
    const std::optional<TickMs> duration = durationOf(context, extra);
    if (!duration) {
        return kExitUsage;
    }
    const auto profile = loadSelectedProfile(context, device);
    if (!profile) {
        return kExitFailure;
    }
    lighting::LightingEngine engine(device::effectsOfType(device.deviceType),
                                    static_cast<size_t>(device.ledCount),
                                    device::runsRegionOverlays(device.deviceType));
    engine.loadFrom(*profile->data);
    const bool liveFrames =
        device.deviceType == hid::kDeviceMouse || device.deviceType == hid::kDeviceMousePad;
    std::vector<lighting::LedColour> last = engine.leds();
    // From due pass to due pass, as the device's lighting thread runs it: the passes between
    // change nothing.
    for (TickMs now = lighting::kPassMs; now <= *duration;) {
        engine.pass(now);
        std::vector<lighting::LedColour> leds = engine.leds();
        if (leds != last) {
            printFrame(context, now, leds, liveFrames);
            last = std::move(leds);
        }
        const uint32_t due = engine.passesUntilDue(now);
        if (due == 0) {
            break; // nothing changes any more by itself
        }
        engine.skipPasses(due - 1);
        now += TickMs{due} * lighting::kPassMs;
    }
    return kExitOk;
}

} // namespace

int runLightCommands(CliContext& context, const Arguments& arguments) {
    if (arguments.size() < 2) {
        context.err << "morvactl: light needs an operation (show, set or frames) and a device\n";
        return kExitUsage;
    }
    const std::optional<ProfileDevice> device = findProfileDeviceOrSay(context, arguments[1]);
    if (!device) {
        return kExitUsage;
    }
    const Arguments extra(arguments.begin() + 2, arguments.end());
    if (arguments[0] == "show") {
        return showLight(context, *device, extra);
    }
    if (arguments[0] == "set") {
        return setLight(context, *device, extra);
    }
    if (arguments[0] == "frames") {
        return showFrames(context, *device, extra);
    }
    context.err << "morvactl: unknown light operation \"" << arguments[0] << "\"\n";
    return kExitUsage;
}

} // namespace morva::cli
