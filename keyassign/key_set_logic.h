#pragma once

#include "profiles/profile_records.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What the key-assignment panel shows for an assignment and what it builds from its controls,
// without the controls: the panel reads its controls into AssignmentInputs and writes an
// AssignmentView into them.
namespace morva::keyassign {

// The categories of the function list, which are also the pages of its tab layout.
namespace category {
inline constexpr int kFactory = 0;
inline constexpr int kMouseButton = 1;
inline constexpr int kSwing = 2;
inline constexpr int kWheel = 3;
inline constexpr int kDpi = 4;
inline constexpr int kRapidFire = 5;
inline constexpr int kKeyboardKey = 6;
inline constexpr int kMedia = 7;
inline constexpr int kSystem = 8;
inline constexpr int kMacro = 9;
inline constexpr int kGun = 10;
inline constexpr int kShortcut = 11;
inline constexpr int kCount = 12;
} // namespace category

// The over-combo index that repeats a macro a typed number of times.
inline constexpr int kMacroRepeatChoice = 4;

// The direction, count, delay and speed of a swing or a wheel turn.
struct PaceFields {
    int direction = -1; // -1: none chosen
    std::string count;
    std::string delay;
    std::string speed;

    bool operator==(const PaceFields&) const = default;
};

// What showing one half of a key record sets. A field left empty keeps what the control shows;
// -1 in a list field selects nothing.
struct AssignmentView {
    std::optional<int> category; // empty: the assignment has no category; the editor hides
    std::optional<int> mouseButton;
    std::optional<PaceFields> swing;
    std::optional<PaceFields> wheel;
    std::optional<int> dpiFunction;
    std::optional<std::string> fireInterval;
    std::optional<std::string> fireCount;
    std::optional<int> modifier;           // modifier option 0..4, -1 none
    std::optional<std::string> keyCaption; // caption key for the key field; "" empties it
    std::optional<int> media;
    std::optional<int> system;
    std::optional<int> macro;
    std::optional<int> macroPlayback;
    std::optional<bool> macroCycleVisible;
    std::optional<std::string> macroCycleCount;
    std::optional<int> gun;
    std::optional<int> shortcut;
    // Set when showing changes the held current half (a key the catalogue lacks reads as none).
    std::optional<profiles::AssignmentCode> heldCurrent;
};

// What the controls hold when an assignment is built from them.
struct AssignmentInputs {
    int category = -1; // user data of the chosen function item; -1 none
    int mouseButton = -1;
    PaceFields swing;
    PaceFields wheel;
    int dpiFunction = -1;
    std::string fireInterval;
    std::string fireCount;
    int modifier = -1;
    bool keyTextEmpty = true;
    int media = -1;
    int system = -1;
    int macro = -1;
    int macroPlayback = -1;
    std::string macroCycleCount;
    int gun = -1;
    int shortcut = -1;
};

// The view of `shown` (a current or default half) for a key whose factory half is
// `factory`, on a device with `macroCount` macros.
AssignmentView showAssignment(const profiles::AssignmentCode& shown,
                              const profiles::AssignmentCode& factory, size_t macroCount);

// The current half the controls make. `held` is the record the panel holds; where the controls
// choose nothing valid, its current half stays.
profiles::AssignmentCode buildAssignment(const AssignmentInputs& inputs,
                                         const profiles::KeyAssignmentRecord& held,
                                         size_t macroCount);

// The modifier option of modifier entry i of the key catalogue: 1 for both Ctrl keys, 2 Shift,
// 3 Alt, 4 Windows.
int modifierOptionOfEntry(size_t entry);
// The modifier bit an option stands for: 0 for options -1 and 0, else 0x01, 0x02, 0x04, 0x08.
uint8_t modifierBitOfOption(int option);

// A field's number: decimal text, anything else reads as 0.
int fieldNumber(std::string_view text);

} // namespace morva::keyassign
