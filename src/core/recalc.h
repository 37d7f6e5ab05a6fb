// The Paschalion, the year, month and week anchors, and the recomputation entry points that every change
// of the current day, month, year or style goes through. Each entry point does only what its kind of
// change requires, in a fixed order of steps. They move the navigation only: the marks and texts of the
// days are asked of the day engine afterwards.
#pragma once

#include "state.h"

namespace vorelian {

// Pascha of a Julian year: the day number of the Sunday after the Paschal full moon (Julian Paschalion).
// Gauss's Paschal formula for the Julian calendar (C. F. Gauss, 1800), with its constants M = 15, N = 6.
int32_t JulianPascha(int32_t julianYear);

// Pascha of a year of the current style (Julian-calendar Paschalion); also sets PaschaYear.
int32_t PaschaDayNumber(CalendarState& st, int16_t year);

void SetYearAnchors(CalendarState& st);
void SetMonthAnchors(CalendarState& st);
void SetWeekAnchors(CalendarState& st);

void ApplyStyle(CalendarState& st);  // after CurStyle changed
void RecalcYear(CalendarState& st);  // after the year changed, or a jump to any day
void RecalcMonth(CalendarState& st); // after the month changed within the year
void RecalcDay(CalendarState& st);   // after the day changed within the month
void ShiftDays(CalendarState& st, int32_t n);
void ShiftWeeks(CalendarState& st, int32_t n);

// Sets the current day to a Gregorian date and recomputes everything, as the "today" command does.
void SetGregorianDate(CalendarState& st, int16_t day, int16_t month, int16_t year);

// The allowed range in Julian years, turned into years and day numbers of all three styles.
void SetYearRange(CalendarState& st, int16_t minYear, int16_t maxYear);

} // namespace vorelian
