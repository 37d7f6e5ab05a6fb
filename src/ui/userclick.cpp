#include "ui/userclick.h"

#include "core/recalc.h"
#include "ui/calendarapp.h"
#include "ui/datepickers.h"
#include "ui/frmcalendar.h"

#include <QComboBox>

namespace vorelian::UserClick {

bool DayAllowed(const CalendarState& st, int16_t style, int32_t day) {
    return day >= st.MinDayNumbers[style] && day <= st.MaxDayNumbers[style];
}

bool TryStyle(CalendarState& st, int16_t style) {
    if (!DayAllowed(st, style, st.CurDayNumber))
        return false;
    st.CurStyle = style;
    ApplyStyle(st);
    return true;
}

namespace {

bool TryShift(CalendarState& st, int32_t days, bool weeks) {
    const int32_t n = weeks ? days / 7 : days;
    if (!DayAllowed(st, st.CurStyle, st.CurDayNumber + days))
        return false;
    if (weeks)
        ShiftWeeks(st, n);
    else
        ShiftDays(st, n);
    return true;
}

} // namespace

bool TryPickerChanged(CalendarState& st, int16_t index, int16_t newIndex, int16_t oldIndex) {
    StyleDate& r = st.Cur();
    switch (index) {
    case PickStyle:
        return TryStyle(st, int16_t(newIndex + 1));
    case PickYear:
        r.Year = int16_t(st.MinYears[st.CurStyle] + newIndex);
        RecalcYear(st);
        return true;
    case PickMonth:
        r.Month = int16_t(newIndex + 1);
        RecalcMonth(st);
        return true;
    case PickWeek:
        return TryShift(st, 7 * (newIndex - oldIndex), true);
    case PickWeekday:
        return TryShift(st, newIndex - oldIndex, false);
    }
    return false;
}

bool TryStepBack(CalendarState& st, int16_t index) {
    StyleDate& r = st.Cur();
    const int16_t lowest = st.MinYears[st.CurStyle];
    switch (index) {
    case PickStyle:
        return TryStyle(st, int16_t(st.CurStyle == 1 ? 3 : st.CurStyle - 1));
    case PickYear:
        if (r.Year <= lowest)
            return false;
        --r.Year;
        RecalcYear(st);
        return true;
    case PickMonth:
        if (r.Month > 1) {
            --r.Month;
            RecalcMonth(st);
        } else if (r.Year > lowest) {
            --r.Year;
            r.Month = 12;
            RecalcYear(st);
        } else {
            return false;
        }
        return true;
    case PickWeek:
        return TryShift(st, -7, true);
    case PickWeekday:
        return TryShift(st, -1, false);
    }
    return false;
}

bool TryStepForward(CalendarState& st, int16_t index) {
    StyleDate& r = st.Cur();
    const int16_t highest = st.MaxYears[st.CurStyle];
    switch (index) {
    case PickStyle:
        return TryStyle(st, int16_t(st.CurStyle == 3 ? 1 : st.CurStyle + 1));
    case PickYear:
        if (r.Year >= highest)
            return false;
        ++r.Year;
        RecalcYear(st);
        return true;
    case PickMonth:
        if (r.Month < 12) {
            ++r.Month;
            RecalcMonth(st);
        } else if (r.Year < highest) {
            ++r.Year;
            r.Month = 1;
            RecalcYear(st);
        } else {
            return false;
        }
        return true;
    case PickWeek:
        return TryShift(st, 7, true);
    case PickWeekday:
        return TryShift(st, 1, false);
    }
    return false;
}

void MoveToAdjacentMonthDay(CalendarState& st, int16_t day, int16_t column) {
    StyleDate& r = st.Cur();
    r.Day = day;
    if (column == 1) {
        if (r.Month == 1) {
            --r.Year;
            r.Month = 12;
            RecalcYear(st);
        } else {
            --r.Month;
            RecalcMonth(st);
        }
    } else if (r.Month == 12) {
        ++r.Year;
        r.Month = 1;
        RecalcYear(st);
    } else {
        ++r.Month;
        RecalcMonth(st);
    }
}

namespace {

// What every step ends with, whether it moved, was refused or beeped.
void Tail(CalendarApp& app) {
    app.Window()->SetGridCal();
    app.BuildReport();
}

} // namespace

void PickerChanged(CalendarApp& app, int16_t index, int16_t newIndex, int16_t oldIndex) {
    if (!TryPickerChanged(app.State, index, newIndex, oldIndex)) {
        app.Beep();
        app.Window()->Pickers().Combo1[index]->setCurrentIndex(oldIndex);
    }
    Tail(app);
}

void StepBack(CalendarApp& app, int16_t index) {
    if (!TryStepBack(app.State, index))
        app.Beep();
    Tail(app);
}

void StepForward(CalendarApp& app, int16_t index) {
    if (!TryStepForward(app.State, index))
        app.Beep();
    Tail(app);
}

void PickAdjacentMonthDay(CalendarApp& app, int16_t day, int16_t column) {
    MoveToAdjacentMonthDay(app.State, day, column);
    Tail(app);
}

void PickDay(CalendarApp& app, int16_t day) {
    app.State.Cur().Day = day;
    RecalcDay(app.State);
    app.BuildReport();
}

} // namespace vorelian::UserClick
