#pragma once

#include <filesystem>

namespace morva::platform {

// Starts a program file beside this one, with no arguments, and lets it run on by itself; it is
// reaped when it ends. False (traced) when it cannot be started: a missing file, one that is not
// executable, or no process to be had.
bool startProgram(const std::filesystem::path& program);

} // namespace morva::platform
