#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

// The debug trace: diagnostics that the program emits for developers. Off unless asked for, by
// MORVA_TRACE ("stderr" or a file path) or by installing a sink.
namespace morva {

using TraceSink = std::function<void(std::string_view line)>;

// Replaces the sink; an empty sink turns tracing off. Thread-safe.
void setTraceSink(TraceSink sink);
bool traceEnabled();

// printf-style trace text, sent to the sink as one piece. Every trace ends its line: text that
// does not end with a line feed gets one.
void trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
void traceText(std::string_view text);

// The dump of one 64-byte command packet: the label line, then the bytes as two lines of 32.
std::string formatPacketDump(std::string_view label, std::span<const uint8_t, 64> packet);
void tracePacket(std::string_view label, std::span<const uint8_t, 64> packet);

inline constexpr std::string_view kTraceRequest = "命令";
inline constexpr std::string_view kTraceReply = "返回";

} // namespace morva
