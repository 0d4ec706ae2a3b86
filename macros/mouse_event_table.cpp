#include "macros/mouse_event_table.h"

#include <array>

namespace morva::macros {
namespace {

// Message, X button, button bit, packed type byte, name.
constexpr std::array<MouseEventRow, kMouseEventRowCount> kRows = {{
    {0x0201, 0, 0x01, 0x81, "mouse_key_left"},           // 0  left button down
    {0x0202, 0, 0x01, 0x01, "mouse_key_left"},           // 1  left button up
    {0x0204, 0, 0x02, 0x81, "mouse_key_right"},          // 2  right button down
    {0x0205, 0, 0x02, 0x01, "mouse_key_right"},          // 3  right button up
    {0x0207, 0, 0x04, 0x81, "mouse_key_middle"},         // 4  middle button down
    {0x0208, 0, 0x04, 0x01, "mouse_key_middle"},         // 5  middle button up
    {0x020B, 2, 0x10, 0x81, "mouse_key_forward"},        // 6  second X button down
    {0x020C, 2, 0x10, 0x01, "mouse_key_forward"},        // 7  second X button up
    {0x020B, 1, 0x08, 0x81, "mouse_key_back"},           // 8  first X button down
    {0x020C, 1, 0x08, 0x01, "mouse_key_back"},           // 9  first X button up
    {0x0000, 0, 0x00, 0x84, "mouse_move_to_left_text"},  // 10 horizontal, "down"
    {0x0000, 0, 0x00, 0x04, "mouse_move_to_right_text"}, // 11 horizontal, "up"
    {0x0000, 0, 0x00, 0x85, "mouse_move_to_up_text"},    // 12 vertical, "down"
    {0x0000, 0, 0x00, 0x05, "mouse_move_to_down_text"},  // 13 vertical, "up"
}};

} // namespace

std::span<const MouseEventRow> mouseEventTable() {
    return kRows;
}

} // namespace morva::macros
