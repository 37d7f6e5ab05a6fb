// Day numbers and the three calendar styles. Every date is carried as a Julian Day Number; the Julian
// record of the state is the pivot through which the other two styles are converted.
#pragma once

#include "dates.h"
#include "state.h"

namespace vorelian {

// The civil month (1 January .. 12 December) of month `month` of a style: Anno Mundi months count from
// September, so its month 1 is 9 and its month 5 is 1.
constexpr int16_t CivilMonthOf(int16_t style, int16_t month) {
    return style == StyleAnnoMundi ? static_cast<int16_t>((month + 7) % 12 + 1) : month;
}

// January to August of Julian year y lie in Anno Mundi year y + AnnoMundiOffset; September to December
// in the Anno Mundi year after, which begins on 1 September.
inline constexpr int16_t AnnoMundiOffset = 5508;

// True when `year` of a style has a 29 February: every fourth year in the Julian reckoning, and so in the
// Anno Mundi one (5508 is a multiple of 4, so an Anno Mundi year has the remainder of the Julian year of
// its February); in the Gregorian reckoning not the century years, but every fourth of those.
constexpr bool IsLeapYear(int16_t style, int32_t year) {
    return year % 4 == 0 && (style != StyleGregorian || year % 100 != 0 || year % 400 == 0);
}

// True when the Gregorian reckoning leaves out the leap day of the Julian year `year` (1900, 2100, ...).
constexpr bool GregorianDropsLeapDay(int32_t year) {
    return IsLeapYear(StyleJulian, year) && !IsLeapYear(StyleGregorian, year);
}

// Days of month `month` of a style in `year` (Anno Mundi: the year AM, month 1 September); 0 for no such
// month.
int16_t MonthLength(int16_t style, int16_t month, int16_t year);

// Day number of a date of the given style (for style 1 the year is Anno Mundi, month 1 September).
// The Julian Day Number by the routine julday of Press et al., "Numerical Recipes", section 1.1.
int32_t DayNumber(int16_t style, int16_t day, int16_t month, int16_t year);

// A style record's date as a plain value.
DateParts PartsOf(const StyleDate& date);

// Makes a day number the current day: CurDayNumber and the year, month, day and year length of each of
// the three styles. The anchors are left for the recomputation that follows.
void SetCurrentDay(CalendarState& st, int32_t dayNumber);

void DayNumberToJulian(CalendarState& st); // StyleDates[2] from CurDayNumber
void JulianToGregorian(CalendarState& st); // StyleDates[3] from StyleDates[2]
void AnnoMundiToJulian(CalendarState& st); // StyleDates[2] from StyleDates[1]
void JulianToAnnoMundi(CalendarState& st); // StyleDates[1] from StyleDates[2]

void SetYearLength(CalendarState& st, int16_t style);
void DayOfYearToDate(CalendarState& st, int16_t style);
int32_t YearStartDayNumber(const CalendarState& st, int16_t style, int32_t dayNumber, int16_t month,
                           int16_t day);

// 1 Monday .. 7 Sunday.
int16_t WeekdayOf(int32_t dayNumber);
// Position 1..7 of a weekday in a week beginning on weekday `first`.
int16_t WeekdayPosition(int16_t first, int16_t weekday);
// Sunday-to-Saturday weeks touched from startDay through endDay.
int16_t WeekSpan(int32_t startDay, int16_t startWeekday, int32_t endDay);
// rule 1..7: first day with that weekday strictly after n; rule -7..0: last day with weekday -rule
// strictly before n (0 and -7 both mean Sunday).
int32_t NearestWeekday(int32_t n, int16_t rule);

void ClampDay(CalendarState& st);
void SetDayNumber(CalendarState& st);
void SyncStyles(CalendarState& st);

} // namespace vorelian
