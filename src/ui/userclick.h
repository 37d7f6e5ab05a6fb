// Date navigation from the right-hand column: a picker choice, a "<" or ">" step, a day of the month
// grid, a grey day of the previous or the next month. Each first changes the calendar state through the
// recomputation entry points; a step beyond the ends of the year range is refused with the beep and the
// state stays as it was. Then the window redraws its column and the visible report is rebuilt.
//
// The Try* functions are the state side alone (true when done, false when refused, nothing else
// touched); the others add the beep, the re-selection of a refused picker item and the redraw.
#pragma once

#include "core/state.h"

#include <cstdint>

namespace vorelian {

class CalendarApp;

namespace UserClick {

// Picker and step indexes.
enum : int16_t { PickStyle = 0, PickYear, PickMonth, PickWeek, PickWeekday };

// Day number `day` lies in the range of style `style`, both ends included.
bool DayAllowed(const CalendarState& st, int16_t style, int32_t day);

bool TryStyle(CalendarState& st, int16_t style);
bool TryPickerChanged(CalendarState& st, int16_t index, int16_t newIndex, int16_t oldIndex);
bool TryStepBack(CalendarState& st, int16_t index);
bool TryStepForward(CalendarState& st, int16_t index);
void MoveToAdjacentMonthDay(CalendarState& st, int16_t day, int16_t column);

void PickerChanged(CalendarApp& app, int16_t index, int16_t newIndex, int16_t oldIndex);
void StepBack(CalendarApp& app, int16_t index);
void StepForward(CalendarApp& app, int16_t index);
void PickAdjacentMonthDay(CalendarApp& app, int16_t day, int16_t column);
void PickDay(CalendarApp& app, int16_t day);

} // namespace UserClick
} // namespace vorelian
