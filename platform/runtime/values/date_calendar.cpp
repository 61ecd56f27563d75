// Day numbers and calendar dates, proleptic Gregorian.
#include "date_calendar.h"

#include <cmath>

namespace oleaut::conv {
namespace {

// Days from 1/1/1970 to 12/30/1899, the automation epoch.
constexpr long kEpochFrom1970 = -25569;

// Days since 1/1/1970 of a civil date (the era-based method: exact for every
// proleptic Gregorian date, no tables).
long days_from_civil(long y, long m, long d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civil_from_days(long z, int *year, int *month, int *day)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const long d = doy - (153 * mp + 2) / 5 + 1;
    const long m = mp < 10 ? mp + 3 : mp - 9;
    *year = static_cast<int>(yoe + era * 400 + (m <= 2));
    *month = static_cast<int>(m);
    *day = static_cast<int>(d);
}

}  // namespace

bool is_valid_date(double serial)
{
    return serial > VTDATEGRE_MIN - 1.0 && serial < VTDATEGRE_MAX + 1.0;  // false for NaN
}

bool is_leap_year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return kDays[month - 1] + (month == 2 && is_leap_year(year) ? 1 : 0);
}

long day_number(int year, int month, int day) { return days_from_civil(year, month, day) - kEpochFrom1970; }

void calendar_date(long day_number, int *year, int *month, int *day)
{
    civil_from_days(day_number + kEpochFrom1970, year, month, day);
}

void split_date(double serial, long *day, long *seconds)
{
    const double whole = std::trunc(serial);
    long d = static_cast<long>(whole);
    long s = std::lround(std::fabs(serial - whole) * kSecondsPerDay);
    if (s >= kSecondsPerDay) {
        // Rounded up to midnight: the next calendar day, which for dates
        // before the epoch is also day number + 1.
        s = 0;
        ++d;
    }
    *day = d;
    *seconds = s;
}

double make_date(long day, long seconds)
{
    const double time = static_cast<double>(seconds) / kSecondsPerDay;
    return day >= 0 ? day + time : day - time;
}

}  // namespace oleaut::conv
