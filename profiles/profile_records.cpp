#include "profiles/profile_records.h"

namespace morva::profiles {
namespace {

constexpr uint32_t bytesToWord(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
    return static_cast<uint32_t>(b0) | static_cast<uint32_t>(b1) << 8 |
           static_cast<uint32_t>(b2) << 16 | static_cast<uint32_t>(b3) << 24;
}

constexpr uint8_t byteOf(uint32_t word, int index) {
    return static_cast<uint8_t>(word >> (8 * index));
}

constexpr uint32_t halvesToWord(uint16_t low, uint16_t high) {
    return static_cast<uint32_t>(low) | static_cast<uint32_t>(high) << 16;
}

constexpr uint16_t lowHalf(uint32_t word) {
    return static_cast<uint16_t>(word);
}

constexpr uint16_t highHalf(uint32_t word) {
    return static_cast<uint16_t>(word >> 16);
}

} // namespace

PackedLightInfo packLightInfo(const LightInfoRecord& r) {
    PackedLightInfo packed;
    packed.word0 = bytesToWord(r.mode, r.brightness, r.speed, r.direction);
    packed.word1 = bytesToWord(r.multiColor, r.red, r.green, r.blue);
    packed.word2 = bytesToWord(r.reserved0, r.reserved1, r.present, r.customGroup);
    packed.half3 = static_cast<uint16_t>(r.sideMode | r.zzccMode << 8);
    return packed;
}

LightInfoRecord unpackLightInfo(const PackedLightInfo& p) {
    LightInfoRecord r;
    r.mode = byteOf(p.word0, 0);
    r.brightness = byteOf(p.word0, 1);
    r.speed = byteOf(p.word0, 2);
    r.direction = byteOf(p.word0, 3);
    r.multiColor = byteOf(p.word1, 0);
    r.red = byteOf(p.word1, 1);
    r.green = byteOf(p.word1, 2);
    r.blue = byteOf(p.word1, 3);
    r.reserved0 = byteOf(p.word2, 0);
    r.reserved1 = byteOf(p.word2, 1);
    r.present = byteOf(p.word2, 2);
    r.customGroup = byteOf(p.word2, 3);
    r.sideMode = byteOf(p.half3, 0);
    r.zzccMode = byteOf(p.half3, 1);
    return r;
}

int32_t encodeAssignment(const KeyAssignmentCode& code) {
    return encodeAssignmentCode(code.code);
}

KeyAssignmentCode decodeAssignment(int32_t value, uint16_t keyIndex) {
    return KeyAssignmentCode{keyIndex, decodeAssignmentCode(value), 0};
}

std::array<uint32_t, 3> KeyboardSystemRecord::toWords() const {
    return {halvesToWord(repeat, repeatDelay), halvesToWord(key6Flag, pollingRate),
            halvesToWord(wFlag, winFlag)};
}

KeyboardSystemRecord KeyboardSystemRecord::fromWords(uint32_t word0, uint32_t word1,
                                                     uint32_t word2) {
    return {lowHalf(word0),  highHalf(word0), lowHalf(word1),
            highHalf(word1), lowHalf(word2),  highHalf(word2)};
}

std::array<uint32_t, 3> MouseSystemRecord::toWords() const {
    return {halvesToWord(doubleClickTime, mouseSpeed), halvesToWord(pointerPrecision, scrollPage),
            halvesToWord(wheelScrollLines, reportRate)};
}

MouseSystemRecord MouseSystemRecord::fromWords(uint32_t word0, uint32_t word1, uint32_t word2) {
    return {lowHalf(word0),  highHalf(word0), lowHalf(word1),
            highHalf(word1), lowHalf(word2),  highHalf(word2)};
}

std::array<int32_t, 8> HeadsetSystemRecord::toValues() const {
    return {magicEnable, magicType,  eqType,           customEqSelectIndex,
            micInSelect, micInValue, micMonitorSelect, micMonitorValue};
}

HeadsetSystemRecord HeadsetSystemRecord::fromValues(const std::array<int32_t, 8>& v) {
    return {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]};
}

} // namespace morva::profiles
