// Dates as values: a date in one style, and the dates of one day in the three styles. Every function that
// takes a date takes it as (year, month, day) or as one of these.
#pragma once

#include <cstdint>

namespace vorelian {

// A date in one style. Anno Mundi: Year is the Anno Mundi year and Month 1 is September.
struct DateParts {
    int16_t Year = 0;
    int16_t Month = 0;
    int16_t Day = 0;
    bool operator==(const DateParts&) const = default;
};

// The dates of one day in the three styles.
struct DayDates {
    DateParts AnnoMundi, Julian, Gregorian;

    // The date in a style: 1 Anno Mundi, 2 Julian, 3 Gregorian.
    const DateParts& In(int16_t style) const {
        return style == 1 ? AnnoMundi : style == 2 ? Julian : Gregorian;
    }
    bool operator==(const DayDates&) const = default;
};

// The three dates of a day number.
DayDates DatesOf(int32_t dayNumber);

} // namespace vorelian
