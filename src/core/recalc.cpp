#include "recalc.h"

#include "calendar.h"

namespace vorelian {

int32_t JulianPascha(int32_t y) {
    const int32_t a = (19 * (y % 19) + 15) % 30; // [0, 29]: days from 21 March to the full moon
    const int32_t e = (4 * (y % 7) + 2 * (y % 4) + 6 * a + 6) % 7; // [0, 6]: days on to the Sunday
    return DayNumber(StyleJulian, 22, 3, static_cast<int16_t>(y)) + a + e;
}

int32_t PaschaDayNumber(CalendarState& st, int16_t year) {
    // The Julian year in which the spring of that year falls.
    const int32_t y = st.CurStyle == StyleAnnoMundi ? year - AnnoMundiOffset : year;
    st.Pascha.PaschaYear = static_cast<int16_t>(y);
    return JulianPascha(y);
}

void SetYearAnchors(CalendarState& st) {
    StyleDate& r = st.Cur();
    PaschaBlock& p = st.Pascha;
    r.YearFirstDay = YearStartDayNumber(st, st.CurStyle, st.CurDayNumber, r.Month, r.Day);
    r.YearFirstWeekday = WeekdayOf(r.YearFirstDay);
    r.YearLastDay = r.YearFirstDay + r.YearLength - 1;
    r.YearWeeks = WeekSpan(r.YearFirstDay, r.YearFirstWeekday, r.YearLastDay);
    r.WeekNo = WeekSpan(r.YearFirstDay, r.YearFirstWeekday, st.CurDayNumber);
    // This order leaves PaschaYear at this year's value.
    p.PrevPaschaDay = PaschaDayNumber(st, static_cast<int16_t>(r.Year - 1));
    p.PaschaDay = PaschaDayNumber(st, r.Year);
    p.PrevPentecostWeeks = WeekSpan(p.PrevPaschaDay + 49, 7, r.YearFirstDay);
    p.PentecostWeeks = WeekSpan(p.PaschaDay + 49, 7, r.YearLastDay);
    p.PaschaWeek = WeekSpan(r.YearFirstDay, r.YearFirstWeekday, p.PaschaDay);
}

void SetMonthAnchors(CalendarState& st) {
    StyleDate& r = st.Cur();
    r.MonthFirstDay = st.CurDayNumber - r.Day + 1;
    r.MonthLastDay = r.MonthFirstDay + r.MonthDays[r.Month] - 1;
    r.MonthFirstWeekday = WeekdayOf(r.MonthFirstDay);
}

void SetWeekAnchors(CalendarState& st) {
    StyleDate& r = st.Cur();
    const int16_t k = WeekdayPosition(7, st.CurWeekday); // Sunday 1 .. Saturday 7
    r.WeekFirstDay = st.CurDayNumber - k + 1;
    r.WeekLastDay = st.CurDayNumber - k + 7;
    const int32_t b = r.YearFirstWeekday % 7 + st.CurDayNumber - r.YearFirstDay + 1;
    r.WeekNo = static_cast<int16_t>(b / 7 + (b % 7 != 0 ? 1 : 0));
}

void ApplyStyle(CalendarState& st) {
    SetYearAnchors(st);
    SetMonthAnchors(st);
    SetWeekAnchors(st);
}

void RecalcYear(CalendarState& st) {
    SetYearLength(st, st.CurStyle);
    ClampDay(st);
    SetDayNumber(st);
    SetYearAnchors(st);
    SetMonthAnchors(st);
    SetWeekAnchors(st);
    SyncStyles(st);
}

void RecalcMonth(CalendarState& st) {
    ClampDay(st);
    SetDayNumber(st);
    SetMonthAnchors(st);
    SetWeekAnchors(st);
    SyncStyles(st);
}

void RecalcDay(CalendarState& st) {
    SetDayNumber(st);
    SetWeekAnchors(st);
    SyncStyles(st);
}

void ShiftDays(CalendarState& st, int32_t n) {
    StyleDate& r = st.Cur();
    const int32_t t = st.CurDayNumber + n;
    if (t < r.YearFirstDay || t > r.YearLastDay) {
        SetCurrentDay(st, t);
        RecalcYear(st);
    } else if (r.Day + n >= 1 && r.Day + n <= r.MonthDays[r.Month]) {
        r.Day = static_cast<int16_t>(r.Day + n);
        RecalcDay(st);
    } else {
        r.Day = static_cast<int16_t>(t - r.YearFirstDay + 1); // the day of the year
        DayOfYearToDate(st, st.CurStyle);
        RecalcMonth(st);
    }
}

void ShiftWeeks(CalendarState& st, int32_t n) {
    ShiftDays(st, 7 * n);
}

void SetGregorianDate(CalendarState& st, int16_t day, int16_t month, int16_t year) {
    SetCurrentDay(st, DayNumber(StyleGregorian, day, month, year));
    RecalcYear(st);
}

void SetYearRange(CalendarState& st, int16_t minYear, int16_t maxYear) {
    st.MinYears = {0, static_cast<int16_t>(minYear + AnnoMundiOffset), minYear, minYear};
    st.MaxYears = {0, static_cast<int16_t>(maxYear + AnnoMundiOffset), maxYear, maxYear};
    for (int16_t s = 1; s <= 3; ++s) {
        st.MinDayNumbers[s] = DayNumber(s, 1, 1, st.MinYears[s]);
        st.MaxDayNumbers[s] = DayNumber(s, 31, 12, st.MaxYears[s]);
    }
}

} // namespace vorelian
