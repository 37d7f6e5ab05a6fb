// The one start of the navigation, shared by the window, the report tool and the tests: the state's tables
// and range set, then a day made current the way a jump to any day makes it. The data set is the day
// engine's (DayEngine::Load).
#pragma once

#include "core/state.h"

#include <QDate>
#include <QString>

#include <memory>

namespace vorelian {

// Readies the state for the range of Julian years: its month tables and the bounds of the range.
void StartCalendar(CalendarState& st, int16_t minYear, int16_t maxYear);

// Makes a day number current in a style as a jump to that day does: the three style dates, then RecalcYear.
void GoToDay(CalendarState& st, int16_t style, int32_t dayNumber);

// Makes a date of a style current (Anno Mundi: month 1 is September), as GoToDay does.
void GoToDate(CalendarState& st, int16_t style, int16_t day, int16_t month, int16_t year);

// Today in the Gregorian calendar, then the chosen style, as at the program's start.
void PlaceToday(CalendarState& st, const QDate& today, int16_t style);

} // namespace vorelian
