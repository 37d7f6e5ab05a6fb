#include "state.h"

#include "tables.h"

namespace vorelian {

void InitStyleTables(CalendarState& st) {
    const std::array<int16_t, 13>& julian = JulianMonthLengths;
    StyleDate& am = st.StyleDates[StyleAnnoMundi];
    st.StyleDates[StyleJulian].MonthDays = julian;
    st.StyleDates[StyleGregorian].MonthDays = julian;
    for (int m = 1; m <= 12; ++m)
        am.MonthDays[m] = julian[(m + 7) % 12 + 1]; // September first
    am.FebMonth = 6;
    st.StyleDates[StyleJulian].FebMonth = 2;
    st.StyleDates[StyleGregorian].FebMonth = 2;
}

void SaveState(CalendarState& st) {
    st.SavedStyleDates = st.StyleDates;
    st.SavedPascha = st.Pascha;
    st.SavedDayNumber = st.CurDayNumber;
    st.SavedWeekday = st.CurWeekday;
}

void RestoreState(CalendarState& st) {
    st.StyleDates = st.SavedStyleDates;
    st.Pascha = st.SavedPascha;
    st.CurDayNumber = st.SavedDayNumber;
    st.CurWeekday = st.SavedWeekday;
}

} // namespace vorelian
