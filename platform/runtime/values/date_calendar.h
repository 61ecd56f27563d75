// The automation date: days since 12/30/1899 as a double whose fraction is the
// time of day. Before 12/30/1899 the integer part counts days backwards but the
// fraction still counts the time forward, so -1.25 is 12/29/1899 6:00 AM.
// Proleptic Gregorian calendar, 1/1/100 to 12/31/9999.
#ifndef OLEAUT_DATE_CALENDAR_H
#define OLEAUT_DATE_CALENDAR_H

#include <string>
#include <string_view>

#include "oleaut.h"

namespace oleaut::conv {

inline constexpr long kSecondsPerDay = 86400;

// True for every value from 1/1/100 00:00:00 to 12/31/9999 23:59:59.
bool is_valid_date(double serial);

bool is_leap_year(int year);
int days_in_month(int year, int month);

// Day number (days since 12/30/1899) of a calendar date, and back.
long day_number(int year, int month, int day);
void calendar_date(long day_number, int *year, int *month, int *day);

// Splits a valid serial into its calendar day number and the time of day in
// whole seconds, rounded to the nearest second (23:59:59.6 becomes the next day).
void split_date(double serial, long *day, long *seconds);

// The serial of a day number and a time of day in seconds.
double make_date(long day, long seconds);

// The serial written as 1033 writes it: "12/31/1999 1:30:00 PM", the date alone
// when the time is midnight, the time alone on day 0 ("12:00:00 AM" for 0).
// VAR_DATEVALUEONLY / VAR_TIMEVALUEONLY force one part. E_INVALIDARG for a
// serial outside the valid range.
HRESULT format_date(double serial, ULONG flags, std::u16string *out);

// Reads a 1033 date and/or time: "12/31/1999", "1999-12-31", "Dec 31, 1999",
// "31 December 1999", "1:30 PM", "13:30:15", combined with the time after the
// date. Two-digit years 00-29 are 2000-2029, 30-99 are 1930-1999. A date
// without a year is in the current year. DISP_E_TYPEMISMATCH when the text is
// not a date.
HRESULT parse_date(std::u16string_view text, ULONG flags, double *out);

}  // namespace oleaut::conv

#endif
