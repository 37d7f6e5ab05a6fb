#include "engine/startup.h"

#include "core/calendar.h"
#include "core/recalc.h"

namespace vorelian {

void StartCalendar(CalendarState& st, int16_t minYear, int16_t maxYear) {
    InitStyleTables(st);
    SetYearRange(st, minYear, maxYear);
}

void GoToDay(CalendarState& st, int16_t style, int32_t dayNumber) {
    st.CurStyle = style;
    SetCurrentDay(st, dayNumber);
    RecalcYear(st);
}

void GoToDate(CalendarState& st, int16_t style, int16_t day, int16_t month, int16_t year) {
    GoToDay(st, style, DayNumber(style, day, month, year));
}

void PlaceToday(CalendarState& st, const QDate& today, int16_t style) {
    st.CurStyle = StyleGregorian;
    SetGregorianDate(st, int16_t(today.day()), int16_t(today.month()), int16_t(today.year()));
    if (style != StyleGregorian) {
        st.CurStyle = style;
        ApplyStyle(st);
    }
}

} // namespace vorelian
