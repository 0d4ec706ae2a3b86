#pragma once

#include <functional>
#include <string>

namespace morva::profiles {

// A local wall-clock time down to the millisecond, the raw material of timestamp identifiers.
struct LocalTimestamp {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    bool operator==(const LocalTimestamp&) const = default;
};

// Where the local time comes from, so tests can make identifiers at a chosen instant.
class LocalTimeSource {
public:
    virtual ~LocalTimeSource() = default;
    virtual LocalTimestamp now() const = 0;
};

class SystemLocalTime final : public LocalTimeSource {
public:
    LocalTimestamp now() const override;
    static const SystemLocalTime& instance();
};

// "2021_03_07_08_15_42_007": year, month, day, hour, minute, second, millisecond.
std::string formatTimestampId(const LocalTimestamp& time);

// The time one millisecond later, carrying into seconds, minutes, hours, days, months and years.
LocalTimestamp nextMillisecond(const LocalTimestamp& time);

// A timestamp identifier for the current time that the predicate does not report as taken. Two
// things made within the same millisecond must not share a file, so a taken identifier moves on
// by one millisecond until a free one is found. The predicate may claim the identifier as it
// checks it (by creating its file), so that two processes never end with the same one.
std::string makeUniqueTimestampId(const LocalTimeSource& source,
                                  const std::function<bool(const std::string&)>& isTaken);

} // namespace morva::profiles
