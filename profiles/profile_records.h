#pragma once

#include "profiles/assignment_code.h"

#include <array>
#include <cstdint>
#include <string>

// The decoded forms of the parts of a profile's device entry. Field widths are those the devices
// use; a wider number in the file keeps only its low bits.
namespace morva::profiles {

// One lighting choice: the profile's "LightInfo", or one element of "LightList".
struct LightInfoRecord {
    uint8_t mode = 0;       // "SelectItem" / "LEDREGMode"
    uint8_t brightness = 0; // "Light" / "LEDBrightness"
    uint8_t speed = 0;      // "Speed" / "LEDSpeed"
    uint8_t direction = 0;  // "Fx" / "LEDDirection"
    uint8_t multiColor = 0; // "MultiColor" / "LEDMultiColor", 0 or 1
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t reserved0 = 0;
    uint8_t reserved1 = 0;
    uint8_t present = 0;     // "LightList" only: 1 for an element that is not null
    uint8_t customGroup = 0; // "CustomGroup"
    uint8_t sideMode = 0;    // "SideSelectItem"
    uint8_t zzccMode = 0;    // "ZZCCLedMode"

    bool operator==(const LightInfoRecord&) const = default;
};
static_assert(sizeof(LightInfoRecord) == 14);

// The form in which device objects hand light settings around: the record's bytes in order,
// little-endian, as three 32-bit words and one 16-bit word.
struct PackedLightInfo {
    uint32_t word0 = 0; // mode, brightness, speed, direction
    uint32_t word1 = 0; // multi-colour, red, green, blue
    uint32_t word2 = 0; // reserved, reserved, present, custom group
    uint16_t half3 = 0; // side mode, ZZCC mode

    bool operator==(const PackedLightInfo&) const = default;
};
PackedLightInfo packLightInfo(const LightInfoRecord& record);
LightInfoRecord unpackLightInfo(const PackedLightInfo& packed);

// One half of a key's assignment: the code of the key at index keyIndex.
struct KeyAssignmentCode {
    uint16_t keyIndex = 0;
    AssignmentCode code;
    uint8_t reserved = 0;

    bool operator==(const KeyAssignmentCode&) const = default;
};
static_assert(sizeof(KeyAssignmentCode) == 6);

// Stored in JSON as kind * 65536 + first * 256 + second.
int32_t encodeAssignment(const KeyAssignmentCode& code);
KeyAssignmentCode decodeAssignment(int32_t value, uint16_t keyIndex);

// One "KeyList" element: the current assignment and the factory one.
struct KeyAssignmentRecord {
    KeyAssignmentCode assignment;        // "Assignment"
    KeyAssignmentCode defaultAssignment; // "DefaultAssignment", read only

    bool operator==(const KeyAssignmentRecord&) const = default;
};
static_assert(sizeof(KeyAssignmentRecord) == 12);

// The keyboard form of "SystemStages".
struct KeyboardSystemRecord {
    uint16_t repeat = 0;      // "Repeat"
    uint16_t repeatDelay = 0; // "RepeatDelay"
    uint16_t key6Flag = 0;    // "Key6Flag"
    uint16_t pollingRate = 0; // "PollingRate"
    uint16_t wFlag = 0;       // "WFlag"
    uint16_t winFlag = 0;     // "WinFlag"

    // Word k holds the fields 2k (low half) and 2k + 1 (high half).
    std::array<uint32_t, 3> toWords() const;
    static KeyboardSystemRecord fromWords(uint32_t word0, uint32_t word1, uint32_t word2);

    bool operator==(const KeyboardSystemRecord&) const = default;
};

// The keyboard's colour of one key in a custom light group.
struct RgbaColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;

    bool operator==(const RgbaColor&) const = default;
};

// One element of "DPIStages"."StageDPIs"; DPI values count in the mouse's DPI steps.
struct DpiStageRecord {
    uint8_t enabled = 0;    // "StageActive"
    uint8_t separateXY = 0; // "StageXY"
    uint16_t dpiX = 0;      // "StageDPIX"
    uint16_t dpiY = 0;      // "StageDPIY"
    uint8_t red = 0;        // "StageColorR"
    uint8_t green = 0;      // "StageColorG"
    uint8_t blue = 0;       // "StageColorB"

    bool operator==(const DpiStageRecord&) const = default;
};

// The mouse form of "SystemStages" with "ReportStages"."StageActive".
struct MouseSystemRecord {
    uint16_t doubleClickTime = 0;  // "DoubleClickTime"
    uint16_t mouseSpeed = 0;       // "MouseSpeed"
    uint16_t pointerPrecision = 0; // "PointerPrecision"
    uint16_t scrollPage = 0;       // "ScorllPage"
    uint16_t wheelScrollLines = 0; // "WheelScorlllinse"
    uint16_t reportRate = 0;       // "ReportStages"."StageActive"

    std::array<uint32_t, 3> toWords() const;
    static MouseSystemRecord fromWords(uint32_t word0, uint32_t word1, uint32_t word2);

    bool operator==(const MouseSystemRecord&) const = default;
};

// One element of the mouse's "CorrectInfo".
struct CorrectionRecord {
    uint8_t pixelThreshold = 0; // "CorrectPixThresh"
    uint8_t minimumSquare = 0;  // "CorrectMinSq"
    uint8_t select = 0;         // "CorrectSelect"
    std::wstring name;          // "CorrectName"

    bool operator==(const CorrectionRecord&) const = default;
};

// The headset's "SystemSetStages".
struct HeadsetSystemRecord {
    int32_t magicEnable = 0;         // "MagicEnable"
    int32_t magicType = 0;           // "MagicType"
    int32_t eqType = 0;              // "EqType"
    int32_t customEqSelectIndex = 0; // "CustomEqSeletIndex"
    int32_t micInSelect = 0;         // "MicInSelect"
    int32_t micInValue = 0;          // "MicInValue"
    int32_t micMonitorSelect = 0;    // "MicMoniterSelect"
    int32_t micMonitorValue = 0;     // "MicMoniterValue"

    std::array<int32_t, 8> toValues() const;
    static HeadsetSystemRecord fromValues(const std::array<int32_t, 8>& values);

    bool operator==(const HeadsetSystemRecord&) const = default;
};

// One step of a user light effect file ("LEDEffectList").
struct LedEffectStep {
    uint8_t effect = 0;     // "LEDREGMode"
    uint8_t brightness = 0; // "LEDBrightness"
    uint8_t speed = 0;      // "LEDSpeed"
    uint8_t direction = 0;  // "LEDDirection"
    uint8_t multiColor = 0; // "LEDMultiColor"
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    std::array<uint8_t, 8> reserved{};
    int32_t timeMs = 0; // "Time"
    int32_t cycles = 0; // "Cyle"

    bool operator==(const LedEffectStep&) const = default;
};
static_assert(sizeof(LedEffectStep) == 24);

} // namespace morva::profiles
