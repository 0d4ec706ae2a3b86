#pragma once

#include "profiles/list/timestamp_id.h"

namespace morva::test {

// A local time that stands still until the test moves it.
class FixedLocalTime final : public profiles::LocalTimeSource {
public:
    explicit FixedLocalTime(profiles::LocalTimestamp time) : time_(time) {}
    profiles::LocalTimestamp now() const override { return time_; }
    void set(profiles::LocalTimestamp time) { time_ = time; }

private:
    profiles::LocalTimestamp time_;
};

} // namespace morva::test
