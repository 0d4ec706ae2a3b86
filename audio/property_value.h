#pragma once

#include "audio/audio_library.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Values in the property buffers: a write carries a 32-bit integer or float in the first four
// bytes (host byte order); a read returns the value as NUL-terminated UTF-16 text.
namespace morva::audio {

PropertyBuffer integerBuffer(int32_t value);
PropertyBuffer floatBuffer(float value);
// The second buffer of a call: its values as consecutive 32-bit integers.
PropertyBuffer argumentBuffer(std::span<const int32_t> values);

// The text up to the first NUL (or the end of the buffer).
std::u16string textOf(std::span<const uint8_t> buffer);
// The text as a whole number (decimal, or hexadecimal after "0x"); nothing when it is not one.
std::optional<int64_t> integerOf(std::u16string_view text);
std::optional<float> floatOf(std::u16string_view text);

} // namespace morva::audio
