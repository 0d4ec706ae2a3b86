#pragma once

#include "ui/toolkit/geometry.h"

#include <cstdint>
#include <optional>
#include <string_view>

// Parsing of the value texts of skin attributes. Every function returns nothing for text it
// cannot read, so a bad attribute is skipped instead of taking a made-up value.
namespace morva::ui::attr {

std::optional<bool> parseBool(std::string_view text);
std::optional<int> parseInt(std::string_view text);
// "#AARRGGBB", "#RRGGBB" (opaque), "0xAARRGGBB" or a decimal number.
std::optional<uint32_t> parseColor(std::string_view text);
// "cx,cy".
std::optional<Size> parseSize(std::string_view text);
// "left,top,right,bottom".
std::optional<Rect> parseRect(std::string_view text);

} // namespace morva::ui::attr
