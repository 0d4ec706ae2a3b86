#include "base/trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace morva {
namespace {

struct TraceState {
    std::mutex mutex;
    TraceSink sink;
    bool enabled = false;
};

TraceSink sinkFromEnvironment() {
    const char* target = std::getenv("MORVA_TRACE");
    if (target == nullptr || *target == '\0') {
        return {};
    }
    if (std::string_view(target) == "stderr") {
        return [](std::string_view line) {
            std::fwrite(line.data(), 1, line.size(), stderr);
        };
    }
    std::shared_ptr<FILE> file(std::fopen(target, "a"), [](FILE* f) {
        if (f) {
            std::fclose(f);
        }
    });
    if (!file) {
        return {};
    }
    return [file](std::string_view line) {
        std::fwrite(line.data(), 1, line.size(), file.get());
        std::fflush(file.get());
    };
}

TraceState& state() {
    static TraceState* s = [] {
        auto* created = new TraceState;
        created->sink = sinkFromEnvironment();
        created->enabled = static_cast<bool>(created->sink);
        return created;
    }();
    return *s;
}

// The byte groups of one 32-byte line: four groups of four split by three spaces, then four
// groups split by two.
void appendDumpLine(std::string& out, std::span<const uint8_t> bytes) {
    char hex[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            if (i % 4 == 0) {
                out += i < 16 ? "   " : "  ";
            } else {
                out += ' ';
            }
        }
        std::snprintf(hex, sizeof hex, "%02x", bytes[i]);
        out += hex;
    }
    out += '\n';
}

} // namespace

void setTraceSink(TraceSink sink) {
    TraceState& s = state();
    std::lock_guard lock(s.mutex);
    s.enabled = static_cast<bool>(sink);
    s.sink = std::move(sink);
}

bool traceEnabled() {
    TraceState& s = state();
    std::lock_guard lock(s.mutex);
    return s.enabled;
}

void traceText(std::string_view text) {
    TraceState& s = state();
    std::lock_guard lock(s.mutex);
    if (!s.sink) {
        return;
    }
    // Traces of several threads and subsystems share one stream: one that left its line open
    // would run into the next.
    if (text.ends_with('\n')) {
        s.sink(text);
    } else {
        s.sink(std::string(text) + '\n');
    }
}

void trace(const char* format, ...) {
    if (!traceEnabled()) {
        return;
    }
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) {
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    }
    va_end(args);
    traceText(text);
}

std::string formatPacketDump(std::string_view label, std::span<const uint8_t, 64> packet) {
    std::string out(label);
    out += '\n';
    appendDumpLine(out, packet.first<32>());
    appendDumpLine(out, packet.last<32>());
    return out;
}

void tracePacket(std::string_view label, std::span<const uint8_t, 64> packet) {
    if (traceEnabled()) {
        traceText(formatPacketDump(label, packet));
    }
}

} // namespace morva
