// Date navigation rules: a choice in one of the five pickers, a "<" or ">" step, a shift by days, a grey
// day of the previous or the next month, and a typed date. Each changes the calendar state through the
// recomputation entry points, or refuses (false) and leaves the state as it was when the step would leave
// the range of years. Whoever shows the state refreshes itself afterwards.
#pragma once

#include "core/state.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace vorelian::Navigation {

// Picker and step indexes.
enum : int16_t { PickStyle = 0, PickYear, PickMonth, PickWeek, PickWeekday };

// Day number `day` lies in the range of style `style`, both ends included.
bool DayAllowed(const CalendarState& st, int16_t style, int32_t day);

bool TryStyle(CalendarState& st, int16_t style);
bool TryPickerChanged(CalendarState& st, int16_t index, int16_t newIndex, int16_t oldIndex);
bool TryStepBack(CalendarState& st, int16_t index);
bool TryStepForward(CalendarState& st, int16_t index);
// Moves the current day by `days` (either sign) within the range.
bool TryShiftDays(CalendarState& st, int32_t days);
// A grey day of the grid: column 1 holds the previous month, the others the next one.
void MoveToAdjacentMonthDay(CalendarState& st, int16_t day, int16_t column);
// A day of the current month.
void MoveToDay(CalendarState& st, int16_t day);

// A date typed by a person, in the order day, month, year of a style.
struct TypedDate {
    int16_t Day = 0, Month = 0, Year = 0; // month in the style's own order (1 = September in Anno Mundi)
};

// Reads "14 октября 1918", "14 окт 1918", "14.10.1918" or "14 10 1918": day, month by name (any case,
// nominative or genitive, or its first three letters or more) or by its number in the style's month
// order, year of the style. A day and a month alone fall in the year of the current day; "2027-05-02" is a
// date of the new style, year first (the service's addresses write days so), and gives that same day in
// `style`. On failure `error` gets a sentence for the person who typed it: an unreadable
// text, a day the month does not have, a year outside the range of the style.
std::optional<TypedDate> ParseTypedDate(const CalendarState& st, int16_t style, const QString& text,
                                        QString* error = nullptr);

// Makes a date of the current style the current day.
void GoToDate(CalendarState& st, const TypedDate& date);

} // namespace vorelian::Navigation
