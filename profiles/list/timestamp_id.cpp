#include "profiles/list/timestamp_id.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace morva::profiles {
namespace {

int daysInMonth(int year, int month) {
    using namespace std::chrono;
    const year_month_day_last last{std::chrono::year{year} /
                                   std::chrono::month{static_cast<unsigned>(month)} /
                                   std::chrono::last};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

} // namespace

LocalTimestamp SystemLocalTime::now() const {
    using namespace std::chrono;
    const auto nowPoint = system_clock::now();
    const auto sinceEpoch = nowPoint.time_since_epoch();
    const std::time_t seconds = system_clock::to_time_t(nowPoint);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    LocalTimestamp time;
    time.year = local.tm_year + 1900;
    time.month = local.tm_mon + 1;
    time.day = local.tm_mday;
    time.hour = local.tm_hour;
    time.minute = local.tm_min;
    time.second = local.tm_sec;
    time.millisecond = static_cast<int>(duration_cast<milliseconds>(sinceEpoch).count() % 1000);
    return time;
}

const SystemLocalTime& SystemLocalTime::instance() {
    static const SystemLocalTime source;
    return source;
}

std::string formatTimestampId(const LocalTimestamp& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%d_%02d_%02d_%02d_%02d_%02d_%03d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second, time.millisecond);
    return text;
}

LocalTimestamp nextMillisecond(const LocalTimestamp& time) {
    LocalTimestamp next = time;
    if (++next.millisecond < 1000) {
        return next;
    }
    next.millisecond = 0;
    // A leap second (60) also carries on.
    if (++next.second < 60) {
        return next;
    }
    next.second = 0;
    if (++next.minute < 60) {
        return next;
    }
    next.minute = 0;
    if (++next.hour < 24) {
        return next;
    }
    next.hour = 0;
    if (++next.day <= daysInMonth(next.year, next.month)) {
        return next;
    }
    next.day = 1;
    if (++next.month <= 12) {
        return next;
    }
    next.month = 1;
    ++next.year;
    return next;
}

std::string makeUniqueTimestampId(const LocalTimeSource& source,
                                  const std::function<bool(const std::string&)>& isTaken) {
    LocalTimestamp time = source.now();
    std::string identifier = formatTimestampId(time);
    while (isTaken && isTaken(identifier)) {
        time = nextMillisecond(time);
        identifier = formatTimestampId(time);
    }
    return identifier;
}

} // namespace morva::profiles
