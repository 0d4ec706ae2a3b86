#pragma once

#include "platform/hid_backend.h"

#include <ostream>
#include <string>
#include <vector>

namespace morva::cli {

// What every command gets: where HID devices come from and where to write.
struct CliContext {
    platform::HidBackend& backend;
    bool demo = false;
    std::ostream& out;
    std::ostream& err;
    bool trace = false; // every command exchange is traced to err
};

using Arguments = std::vector<std::string>;

// Exit codes of morvactl.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

} // namespace morva::cli
