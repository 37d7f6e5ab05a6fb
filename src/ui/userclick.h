// Date navigation from the right-hand column: a picker choice, a "<" or ">" step, a day of the month
// grid, a grey day of the previous or the next month, a shift by days from the keys or the wheel. The
// state side is the Navigation rules; a step they refuse beeps and leaves the state as it was. Then the
// window redraws its column and the visible report is rebuilt.
#pragma once

#include "core/navigation.h"

#include <cstdint>

namespace vorelian {

class CalendarApp;

namespace UserClick {

using Navigation::PickMonth;
using Navigation::PickStyle;
using Navigation::PickWeek;
using Navigation::PickWeekday;
using Navigation::PickYear;

void PickerChanged(CalendarApp& app, int16_t index, int16_t newIndex, int16_t oldIndex);
void StepBack(CalendarApp& app, int16_t index);
void StepForward(CalendarApp& app, int16_t index);
void ShiftDays(CalendarApp& app, int32_t days);
void PickAdjacentMonthDay(CalendarApp& app, int16_t day, int16_t column);
void PickDay(CalendarApp& app, int16_t day);
void GoToDate(CalendarApp& app, const Navigation::TypedDate& date);

} // namespace UserClick
} // namespace vorelian
