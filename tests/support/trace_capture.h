#pragma once

#include "base/trace.h"

#include <mutex>
#include <string>

namespace morva::test {

// Collects the trace while a test runs.
class TraceCapture {
public:
    TraceCapture() {
        setTraceSink([this](std::string_view line) {
            std::lock_guard lock(mutex_);
            text_ += line;
        });
    }
    ~TraceCapture() { setTraceSink({}); }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    std::string text() const {
        std::lock_guard lock(mutex_);
        return text_;
    }

private:
    mutable std::mutex mutex_;
    std::string text_;
};

} // namespace morva::test
