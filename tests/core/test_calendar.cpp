// Day numbers, the three styles and the week functions, checked against the rules' own examples, an
// exhaustive round trip over every day from 1 January of year 1 to 31 December 3000, and std::chrono.
#include "core/calendar.h"
#include "core/state.h"

#include <QTest>

#include <chrono>

using namespace vorelian;

namespace {

// std::chrono counts days from 1970-01-01, whose day number is 2440588.
int32_t ChronoDayNumber(int y, unsigned m, unsigned d) {
    using namespace std::chrono;
    return static_cast<int32_t>(
               sys_days(year_month_day{year{y}, month{m}, day{d}}).time_since_epoch().count()) +
           2440588;
}

CalendarState StateAt(int32_t dayNumber) {
    CalendarState st;
    InitStyleTables(st);
    st.CurDayNumber = dayNumber;
    DayNumberToJulian(st);
    JulianToAnnoMundi(st);
    JulianToGregorian(st);
    return st;
}

} // namespace

class TestCalendar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dayNumberExamples_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("expected");
        QTest::addRow("Gregorian 1 January 2000") << 3 << 1 << 1 << 2000 << 2451545;
        QTest::addRow("Julian 19 December 1999") << 2 << 19 << 12 << 1999 << 2451545;
        QTest::addRow("Anno Mundi 19 December 7508") << 1 << 19 << 4 << 7508 << 2451545;
        QTest::addRow("Julian 1 January 1") << 2 << 1 << 1 << 1 << 1721424;
        QTest::addRow("Gregorian 1 March 1900") << 3 << 1 << 3 << 1900 << 2415080;
        QTest::addRow("Gregorian 28 February 1900") << 3 << 28 << 2 << 1900 << 2415079;
        QTest::addRow("Anno Mundi 1 September 7509") << 1 << 1 << 1 << 7509 << 2451802;
    }
    void dayNumberExamples() {
        QFETCH(int, style);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(int, expected);
        QCOMPARE(DayNumber(int16_t(style), int16_t(day), int16_t(month), int16_t(year)), expected);
    }

    void julianToGregorian_data() {
        QTest::addColumn<int>("jd");
        QTest::addColumn<int>("jm");
        QTest::addColumn<int>("jy");
        QTest::addColumn<int>("gd");
        QTest::addColumn<int>("gm");
        QTest::addColumn<int>("gy");
        QTest::addRow("29 February 1900") << 29 << 2 << 1900 << 13 << 3 << 1900;
        QTest::addRow("1 March 1900") << 1 << 3 << 1900 << 14 << 3 << 1900;
        QTest::addRow("1 January 1901") << 1 << 1 << 1901 << 14 << 1 << 1901;
        QTest::addRow("31 December 1901") << 31 << 12 << 1901 << 13 << 1 << 1902;
        QTest::addRow("31 December 2099") << 31 << 12 << 2099 << 13 << 1 << 2100;
        QTest::addRow("25 December 2026") << 25 << 12 << 2026 << 7 << 1 << 2027;
        QTest::addRow("1 January 100") << 1 << 1 << 100 << 30 << 12 << 99;
    }
    void julianToGregorian() {
        QFETCH(int, jd);
        QFETCH(int, jm);
        QFETCH(int, jy);
        QFETCH(int, gd);
        QFETCH(int, gm);
        QFETCH(int, gy);
        CalendarState st;
        InitStyleTables(st);
        StyleDate& j = st.StyleDates[StyleJulian];
        j.Day = int16_t(jd);
        j.Month = int16_t(jm);
        j.Year = int16_t(jy);
        SetYearLength(st, StyleJulian);
        JulianToGregorian(st);
        const StyleDate& g = st.StyleDates[StyleGregorian];
        QCOMPARE(g.Day, gd);
        QCOMPARE(g.Month, gm);
        QCOMPARE(g.Year, gy);
    }

    void annoMundiMonths() {
        // Month 4 is December of the Julian year AM - 5509, month 5 January of AM - 5508.
        CalendarState st = StateAt(DayNumber(StyleJulian, 31, 12, 2000));
        QCOMPARE(st.StyleDates[StyleAnnoMundi].Month, 4);
        QCOMPARE(st.StyleDates[StyleAnnoMundi].Year, 7509);
        st = StateAt(DayNumber(StyleJulian, 1, 1, 2001));
        QCOMPARE(st.StyleDates[StyleAnnoMundi].Month, 5);
        QCOMPARE(st.StyleDates[StyleAnnoMundi].Year, 7509);
        QCOMPARE(st.StyleDates[StyleAnnoMundi].YearLength, 365);
        st = StateAt(DayNumber(StyleJulian, 29, 2, 2000));
        QCOMPARE(st.StyleDates[StyleAnnoMundi].Month, 6);
        QCOMPARE(st.StyleDates[StyleAnnoMundi].Day, 29);
        QCOMPARE(st.StyleDates[StyleAnnoMundi].YearLength, 366);
    }

    void lastDayOfLeapCycle() {
        // Remainder 0 of the 1461-day cycle: day 366, that is 31 December of a leap year.
        const CalendarState st = StateAt(DayNumber(StyleJulian, 31, 12, 2000));
        const StyleDate& j = st.StyleDates[StyleJulian];
        QCOMPARE(j.Day, 31);
        QCOMPARE(j.Month, 12);
        QCOMPARE(j.Year, 2000);
        QCOMPARE(j.YearLength, 366);
    }

    void daysBeforeYearOne() {
        // Reachable in Anno Mundi with the lowest year limit: September of the Julian year 0.
        for (int32_t n = DayNumber(StyleAnnoMundi, 1, 1, 5509); n < 1721424 + 400; ++n) {
            const CalendarState st = StateAt(n);
            for (int16_t s = 1; s <= 3; ++s) {
                const StyleDate& r = st.StyleDates[s];
                QCOMPARE(DayNumber(s, r.Day, r.Month, r.Year), n);
            }
        }
        const CalendarState st = StateAt(1721423);
        QCOMPARE(st.StyleDates[StyleJulian].Year, 0);
        QCOMPARE(st.StyleDates[StyleJulian].Month, 12);
        QCOMPARE(st.StyleDates[StyleJulian].Day, 31);
    }

    void everyDayRoundTrips() {
        const int32_t first = DayNumber(StyleJulian, 1, 1, 1);
        const int32_t last = DayNumber(StyleGregorian, 31, 12, 3000);
        int16_t prevWeekday = WeekdayOf(first - 1);
        for (int32_t n = first; n <= last; ++n) {
            const CalendarState st = StateAt(n);
            const DayDates dates = DatesOf(n);
            for (int16_t s = 1; s <= 3; ++s) {
                const StyleDate& r = st.StyleDates[s];
                if (r.Day < 1 || r.Day > r.MonthDays[r.Month] || DayNumber(s, r.Day, r.Month, r.Year) != n ||
                    MonthLength(s, r.Month, r.Year) != r.MonthDays[r.Month] ||
                    dates.In(s) != DateParts{r.Year, r.Month, r.Day})
                    QFAIL(qPrintable(QStringLiteral("day %1 style %2: %3.%4.%5")
                                         .arg(n)
                                         .arg(s)
                                         .arg(r.Day)
                                         .arg(r.Month)
                                         .arg(r.Year)));
            }
            const StyleDate& g = st.StyleDates[StyleGregorian];
            if (ChronoDayNumber(g.Year, unsigned(g.Month), unsigned(g.Day)) != n)
                QFAIL(
                    qPrintable(QStringLiteral("Gregorian date of day %1 disagrees with std::chrono").arg(n)));
            const int16_t w = WeekdayOf(n);
            if (w != prevWeekday % 7 + 1)
                QFAIL("weekday does not follow the day before");
            prevWeekday = w;
        }
        QCOMPARE(WeekdayOf(2451545), 6); // 1 January 2000 was a Saturday
    }

    void yearLengths() {
        CalendarState st = StateAt(DayNumber(StyleGregorian, 1, 6, 1900));
        QCOMPARE(st.StyleDates[StyleGregorian].MonthDays[2], 28);
        QCOMPARE(st.StyleDates[StyleJulian].MonthDays[2], 29);
        st = StateAt(DayNumber(StyleGregorian, 1, 6, 2000));
        QCOMPARE(st.StyleDates[StyleGregorian].MonthDays[2], 29);
    }

    void nearestWeekday_data() {
        QTest::addColumn<int>("rule");
        QTest::addColumn<int>("offset");
        // From a Sunday (2 January 2000, day 2451546).
        QTest::addRow("next Sunday") << 7 << 7;
        QTest::addRow("Sunday before, rule 0") << 0 << -7;
        QTest::addRow("Sunday before, rule -7") << -7 << -7;
        QTest::addRow("next Monday") << 1 << 1;
        QTest::addRow("next Saturday") << 6 << 6;
        QTest::addRow("Saturday before") << -6 << -1;
        QTest::addRow("Monday before") << -1 << -6;
    }
    void nearestWeekday() {
        QFETCH(int, rule);
        QFETCH(int, offset);
        const int32_t sunday = DayNumber(StyleGregorian, 2, 1, 2000);
        QCOMPARE(WeekdayOf(sunday), 7);
        QCOMPARE(NearestWeekday(sunday, int16_t(rule)), sunday + offset);
    }

    void weekdayPosition_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("weekday");
        QTest::addColumn<int>("position");
        QTest::addRow("Monday first: Monday") << 1 << 1 << 1;
        QTest::addRow("Monday first: Sunday") << 1 << 7 << 7;
        QTest::addRow("Sunday first: Sunday") << 7 << 7 << 1;
        QTest::addRow("Sunday first: Monday") << 7 << 1 << 2;
        QTest::addRow("Sunday first: Saturday") << 7 << 6 << 7;
    }
    void weekdayPosition() {
        QFETCH(int, first);
        QFETCH(int, weekday);
        QFETCH(int, position);
        QCOMPARE(WeekdayPosition(int16_t(first), int16_t(weekday)), position);
    }

    void weekSpan() {
        // 2000 began on a Saturday: the first week is that one day, 54 weeks in all.
        const int32_t first = DayNumber(StyleGregorian, 1, 1, 2000);
        QCOMPARE(WeekSpan(first, WeekdayOf(first), first), 1);
        QCOMPARE(WeekSpan(first, WeekdayOf(first), first + 1), 2);
        QCOMPARE(WeekSpan(first, WeekdayOf(first), DayNumber(StyleGregorian, 31, 12, 2000)), 54);
        // With weekday 7 it counts seven-day blocks from the first day.
        QCOMPARE(WeekSpan(first, 7, first + 6), 1);
        QCOMPARE(WeekSpan(first, 7, first + 7), 2);
    }
};

QTEST_APPLESS_MAIN(TestCalendar)
#include "test_calendar.moc"
