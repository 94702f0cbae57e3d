// Typed date text to a calendar date, by the locale's short date order.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace records {

enum class DateOrder { MDY, DMY, YMD };

struct DateLocale {
    DateOrder order = DateOrder::MDY;
};

// A calendar date as a count of days (0 = 1970-01-01) plus the fraction of a
// day given by an optional time of day.
struct DateValue {
    std::int64_t days = 0;
    double dayFraction = 0.0;
    double serial() const { return static_cast<double>(days) + dayFraction; }
};

std::int64_t daysFromCivil(int year, int month, int day);
void civilFromDays(std::int64_t days, int& year, int& month, int& day);

// Accepts 3/15/98, 3-15-1998, 15.3.98 (in a d/m/y locale), 1998-03-15,
// "March 15, 1998", "15 Mar 98", each with an optional time of day
// ("10:30", "10:30:15 PM"). Two-digit years 00-29 are 2000s, 30-99 1900s.
// A date without a year takes currentYear. Text that is no date: nullopt.
std::optional<DateValue> parseDate(std::string_view text, const DateLocale& loc, int currentYear);

}  // namespace records
