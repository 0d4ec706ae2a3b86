#include "emulator/firmware/memory_dump.h"

#include "device/macro_image.h"

#include <algorithm>
#include <cstdio>

namespace morva::emulator {
namespace {

void appendHex(std::string& text, std::string_view label, std::span<const uint8_t> bytes) {
    text += std::string(label) + " (" + std::to_string(bytes.size()) + " bytes)\n";
    for (size_t at = 0; at < bytes.size(); at += 16) {
        char line[24];
        std::snprintf(line, sizeof line, "  %04zx", at);
        text += line;
        for (size_t i = at; i < std::min(at + 16, bytes.size()); ++i) {
            char byte[4];
            std::snprintf(byte, sizeof byte, " %02x", bytes[i]);
            text += byte;
        }
        text += "\n";
    }
}

// A macro or gun-key image as long as its header says, or a note that there is none.
void appendImage(std::string& text, std::string_view label, std::span<const uint8_t> memory) {
    const bool written = memory.size() >= device::kMacroImageHeader &&
                         (memory[0] | (memory[1] << 8)) == device::kMacroImageMagic;
    if (!written) {
        text += std::string(label) + ": none\n";
        return;
    }
    const size_t length = std::min<size_t>(memory[2] | (memory[3] << 8), memory.size());
    appendHex(text, label, memory.first(length));
}

bool allZero(std::span<const uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

} // namespace

std::string describeFirmwareMemory(CommandFirmware& firmware) {
    std::string text;
    appendHex(text, "information record", firmware.deviceInfo().bytes);
    appendHex(text, "key table", firmware.keyTable());
    if (firmware.layout().ledIndexTable) {
        appendHex(text, "LED-index table", firmware.ledIndexTable());
    }
    if (firmware.layout().settings.readLength > 0) {
        for (size_t profile = 0; profile < firmware.config().profileCount; ++profile) {
            appendHex(text, "settings block " + std::to_string(profile),
                      firmware.settingsBlock(profile));
        }
    }
    if (!firmware.macroMemory().empty()) {
        appendImage(text, "macro image", firmware.macroMemory());
    }
    if (!firmware.gunKeyMemory().empty()) {
        appendImage(text, "gun-key image", firmware.gunKeyMemory());
    }
    for (size_t page = 0; page < firmware.layout().lightPageCount; ++page) {
        if (!allZero(firmware.lightPage(page))) {
            appendHex(text, "light page " + std::to_string(page), firmware.lightPage(page));
        }
    }
    return text;
}

} // namespace morva::emulator
