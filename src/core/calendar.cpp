#include "calendar.h"

#include "tables.h"

#include <cmath>

namespace vorelian {

namespace {
// Division and remainder rounding toward minus infinity, for days before 1 January of year 1.
int32_t FloorDiv(int32_t a, int32_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
int32_t FloorMod(int32_t a, int32_t b) {
    return a - FloorDiv(a, b) * b;
}
} // namespace

int32_t DayNumber(int16_t style, int16_t day, int16_t month, int16_t year) {
    int32_t m = month, y = year, c = day;
    switch (style) {
    case StyleAnnoMundi:
        if (month >= 5) {
            m = month - 4;
            y = year - AnnoMundiOffset;
        } else {
            m = month + 8;
            y = year - AnnoMundiOffset - 1;
        }
        break;
    case StyleGregorian:
        // The correction is taken from the year before the shift below; the +1 makes up for that in
        // January and February of a century year that is not leap.
        c = day + year / 400 - year / 100 + 2;
        if (GregorianDropsLeapDay(year) && month < 3)
            c += 1;
        break;
    default:
        break;
    }
    if (m <= 2) {
        m += 13;
        y -= 1;
    } else {
        m += 1;
    }
    // Both products in double precision, truncated toward zero; 30.6 exactly, not 30.6001.
    const double sum = std::trunc(m * 30.6) + std::trunc(y * 365.25) + c + 1720995;
    return static_cast<int32_t>(sum);
}

namespace {

// The Julian date of a day number.
DateParts JulianDateOf(int32_t dayNumber) {
    const int32_t d = dayNumber - 1721423; // 1721423: 31 December of the Julian year 0
    int32_t year = 4 * FloorDiv(d, 1461);
    int32_t n = FloorMod(d, 1461); // [0, 1460]
    for (int i = 0; i < 3 && n - 365 >= 1; ++i) {
        ++year;
        n -= 365;
    }
    if (n >= 1) {
        ++year;
    } else {
        n = 366; // the last day of a leap year
    }
    int16_t month = 1;
    while (n > MonthLength(StyleJulian, month, int16_t(year)) && month < 12) {
        n -= MonthLength(StyleJulian, month, int16_t(year));
        ++month;
    }
    return DateParts{int16_t(year), month, int16_t(n)};
}

DateParts GregorianDateOf(const DateParts& j) {
    const int16_t y = j.Year, m = j.Month;
    DateParts g{y, m, 0};
    int32_t d = j.Day + y / 100 - y / 400 - 2;
    if (GregorianDropsLeapDay(y) && m < 3)
        d -= 1;
    if (m == 12 && d > 31) {
        d -= 31;
        g.Month = 1;
        g.Year = static_cast<int16_t>(y + 1);
    } else if (m == 1 && d < 1) {
        d += 31;
        g.Month = 12;
        g.Year = static_cast<int16_t>(y - 1);
    }
    if (d < 1) {
        g.Month -= 1;
        d += MonthLength(StyleGregorian, g.Month, g.Year);
    }
    if (d > MonthLength(StyleGregorian, g.Month, g.Year)) {
        d -= MonthLength(StyleGregorian, g.Month, g.Year);
        g.Month += 1;
    }
    g.Day = static_cast<int16_t>(d);
    return g;
}

DateParts AnnoMundiDateOf(const DateParts& j) {
    if (j.Month > 8)
        return DateParts{int16_t(j.Year + AnnoMundiOffset + 1), int16_t(j.Month - 8), j.Day};
    return DateParts{int16_t(j.Year + AnnoMundiOffset), int16_t(j.Month + 4), j.Day};
}

// Puts a date into the record of its style, with the year length that goes with it.
void PutDate(CalendarState& st, int16_t style, const DateParts& date) {
    StyleDate& r = st.StyleDates[style];
    r.Year = date.Year;
    r.Month = date.Month;
    r.Day = date.Day;
    SetYearLength(st, style);
}

} // namespace

DateParts PartsOf(const StyleDate& date) {
    return DateParts{date.Year, date.Month, date.Day};
}

DayDates DatesOf(int32_t dayNumber) {
    const DateParts j = JulianDateOf(dayNumber);
    return DayDates{AnnoMundiDateOf(j), j, GregorianDateOf(j)};
}

void SetCurrentDay(CalendarState& st, int32_t dayNumber) {
    const DayDates d = DatesOf(dayNumber);
    st.CurDayNumber = dayNumber;
    PutDate(st, StyleAnnoMundi, d.AnnoMundi);
    PutDate(st, StyleJulian, d.Julian);
    PutDate(st, StyleGregorian, d.Gregorian);
}

void DayNumberToJulian(CalendarState& st) {
    PutDate(st, StyleJulian, JulianDateOf(st.CurDayNumber));
}

void JulianToGregorian(CalendarState& st) {
    PutDate(st, StyleGregorian, GregorianDateOf(PartsOf(st.StyleDates[StyleJulian])));
}

void AnnoMundiToJulian(CalendarState& st) {
    const StyleDate& a = st.StyleDates[StyleAnnoMundi];
    StyleDate& j = st.StyleDates[StyleJulian];
    if (a.Month > 4) {
        j.Year = static_cast<int16_t>(a.Year - AnnoMundiOffset);
        j.Month = static_cast<int16_t>(a.Month - 4);
    } else {
        j.Year = static_cast<int16_t>(a.Year - AnnoMundiOffset - 1);
        j.Month = static_cast<int16_t>(a.Month + 8);
    }
    j.Day = a.Day;
    SetYearLength(st, StyleJulian);
}

void JulianToAnnoMundi(CalendarState& st) {
    PutDate(st, StyleAnnoMundi, AnnoMundiDateOf(PartsOf(st.StyleDates[StyleJulian])));
}

void SetYearLength(CalendarState& st, int16_t style) {
    StyleDate& r = st.StyleDates[style];
    const bool leap = IsLeapYear(style, r.Year);
    r.MonthDays[r.FebMonth] = leap ? 29 : 28;
    r.YearLength = leap ? 366 : 365;
}

void DayOfYearToDate(CalendarState& st, int16_t style) {
    StyleDate& r = st.StyleDates[style];
    r.Month = 1;
    while (r.Day > r.MonthDays[r.Month] && r.Month < 12) {
        r.Day = static_cast<int16_t>(r.Day - r.MonthDays[r.Month]);
        r.Month += 1;
    }
}

int32_t YearStartDayNumber(const CalendarState& st, int16_t style, int32_t dayNumber, int16_t month,
                           int16_t day) {
    const StyleDate& r = st.StyleDates[style];
    int32_t before = 0;
    for (int m = 1; m < month; ++m)
        before += r.MonthDays[m];
    return dayNumber - before - day + 1;
}

int16_t MonthLength(int16_t style, int16_t month, int16_t year) {
    if (month < 1 || month > 12)
        return 0;
    const int16_t m = CivilMonthOf(style, month);
    if (m != 2)
        return JulianMonthLengths[m];
    return IsLeapYear(style, year) ? 29 : 28;
}

int16_t WeekdayOf(int32_t dayNumber) {
    return static_cast<int16_t>(dayNumber % 7 + 1);
}

int16_t WeekdayPosition(int16_t first, int16_t weekday) {
    return static_cast<int16_t>((weekday - ((first - 1) % 7) + 13) % 7 + 1);
}

int16_t WeekSpan(int32_t startDay, int16_t startWeekday, int32_t endDay) {
    const int32_t a = startWeekday % 7 + endDay - startDay + 1;
    return static_cast<int16_t>(a / 7 + (a % 7 != 0 ? 1 : 0));
}

int32_t NearestWeekday(int32_t n, int16_t rule) {
    const int16_t c = WeekdayOf(n);
    if (rule > 0)
        return c < rule ? n + (rule - c) : n + 7 - (c - rule);
    const int16_t v = static_cast<int16_t>(-rule);
    return v < c ? n - (c - v) : n - (c - v) - 7;
}

void ClampDay(CalendarState& st) {
    StyleDate& r = st.Cur();
    if (r.Day > r.MonthDays[r.Month])
        r.Day = r.MonthDays[r.Month];
}

void SetDayNumber(CalendarState& st) {
    const StyleDate& r = st.Cur();
    st.CurDayNumber = DayNumber(st.CurStyle, r.Day, r.Month, r.Year);
    st.CurWeekday = WeekdayOf(st.CurDayNumber);
}

void SyncStyles(CalendarState& st) {
    switch (st.CurStyle) {
    case StyleAnnoMundi:
        AnnoMundiToJulian(st);
        JulianToGregorian(st);
        break;
    case StyleJulian:
        JulianToAnnoMundi(st);
        JulianToGregorian(st);
        break;
    default:
        DayNumberToJulian(st);
        JulianToAnnoMundi(st);
        break;
    }
}

} // namespace vorelian
