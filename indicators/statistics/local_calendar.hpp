#pragma once
// Local civil dates and hours for the calendar members. Times are
// milliseconds since 1970-01-01 UTC; the offset is in minutes. Every division
// floors, also for times before the epoch, so −1 ms is 23:59:59 of
// 1969-12-31. All arithmetic is 64-bit and cannot overflow for any int64 time
// and int32 offset.

#include <cstdint>

namespace plenko::calendar {

constexpr std::int64_t floor_div(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if (a % b != 0 && ((a < 0) != (b < 0))) --q;
    return q;
}

constexpr std::int64_t floor_mod(std::int64_t a, std::int64_t b) { return a - floor_div(a, b) * b; }

constexpr std::int64_t local_seconds(std::int64_t time_ms, std::int32_t offset_minutes) {
    return floor_div(time_ms, 1000) + static_cast<std::int64_t>(offset_minutes) * 60;
}

// Days since 1970-01-01 of the local date.
constexpr std::int64_t local_day(std::int64_t time_ms, std::int32_t offset_minutes) {
    return floor_div(local_seconds(time_ms, offset_minutes), 86400);
}

// Hour of the local day, 0..23.
constexpr int local_hour(std::int64_t time_ms, std::int32_t offset_minutes) {
    return static_cast<int>(floor_mod(local_seconds(time_ms, offset_minutes), 86400) / 3600);
}

struct CivilDate {
    std::int64_t year;
    int month;  // 1..12
    int day;    // 1..31
};

constexpr bool is_leap_year(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

constexpr int days_in_month(std::int64_t year, int month) {
    constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && is_leap_year(year)) return 29;
    return lengths[month - 1];
}

// Proleptic Gregorian date of a day number counted from 1970-01-01, by
// 400-year eras (146097 days) starting on March 1st so that the leap day
// ends each era year.
constexpr CivilDate civil_from_days(std::int64_t days) {
    const std::int64_t z = days + 719468;  // days since 0000-03-01
    const std::int64_t era = floor_div(z, 146097);
    const std::int64_t doe = z - era * 146097;                                   // [0, 146096]
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);           // [0, 365]
    const std::int64_t mp = (5 * doy + 2) / 153;                                // [0, 11], March = 0
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

}  // namespace plenko::calendar
