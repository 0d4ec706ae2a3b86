#pragma once

#include "profiles/list/timestamp_id.h"

namespace morva::test {

// A local time that stands still until the test moves it.
class FixedLocalTime final : public LocalTimeSource {
public:
    explicit FixedLocalTime(LocalTimestamp time) : time_(time) {}
    LocalTimestamp now() const override { return time_; }
    void set(LocalTimestamp time) { time_ = time; }

private:
    LocalTimestamp time_;
};

} // namespace morva::test
