// The one start of a calendar, shared by the window, the report tool and the tests: the data set loaded,
// the state's tables and range set, then a day made current the way a jump to any day makes it.
#pragma once

#include "bases/bases.h"
#include "core/state.h"

#include <QDate>
#include <QString>

#include <memory>

namespace vorelian {

class DayEngine;

// Loads every base of the calendar folder into `data` and readies the state for the range of Julian years;
// the state's recomputation places the movable days through `hooks` (which may be null).
void StartCalendar(CalendarData& data, CalendarState& st, const QString& calendarDir, int16_t minYear,
                   int16_t maxYear, RecalcHooks* hooks);

// The same start from a loaded engine: the live calendar takes the engine's file slots, parsed files and
// bases (sharing their cache of placements) instead of reading the data set a second time.
void StartCalendar(CalendarData& data, CalendarState& st, const DayEngine& engine, int16_t minYear,
                   int16_t maxYear, RecalcHooks* hooks);

// Makes a day number current in a style as a jump to that day does: the three style dates, then RecalcYear.
void GoToDay(CalendarState& st, int16_t style, int32_t dayNumber);

// Makes a date of a style current (Anno Mundi: month 1 is September), as GoToDay does.
void GoToDate(CalendarState& st, int16_t style, int16_t day, int16_t month, int16_t year);

// Today in the Gregorian calendar, then the chosen style, as at the program's start.
void PlaceToday(CalendarState& st, const QDate& today, int16_t style);

} // namespace vorelian
