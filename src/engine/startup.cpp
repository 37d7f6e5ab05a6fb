#include "engine/startup.h"

#include "core/calendar.h"
#include "core/recalc.h"
#include "engine/dataset.h"
#include "engine/dayengine.h"

namespace vorelian {

namespace {

void StartState(CalendarState& st, int16_t minYear, int16_t maxYear, RecalcHooks* hooks) {
    InitStyleTables(st);
    SetYearRange(st, minYear, maxYear);
    st.Hooks = hooks;
}

} // namespace

void StartCalendar(CalendarData& data, CalendarState& st, const QString& calendarDir, int16_t minYear,
                   int16_t maxYear, RecalcHooks* hooks) {
    data.Files.SetFolder(calendarDir);
    LoadBases(data);
    StartState(st, minYear, maxYear, hooks);
}

void StartCalendar(CalendarData& data, CalendarState& st, const DayEngine& engine, int16_t minYear,
                   int16_t maxYear, RecalcHooks* hooks) {
    const CalendarData& loaded = engine.Data().Data;
    data.Files = loaded.Files;
    data.Profiles.PutAll(loaded.Profiles);
    data.Bases = loaded.Bases; // the live day numbers are this copy's; the placement cache is shared
    StartState(st, minYear, maxYear, hooks);
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
