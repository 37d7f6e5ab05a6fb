// The Paschalion against a differently written one, the anchors, and the recomputation entry points:
// their effects, the order of the steps they run, and day-by-day walks compared with a fresh computation.
#include "core/calendar.h"
#include "core/recalc.h"
#include "core/state.h"

#include <QStringList>
#include <QTest>

using namespace vorelian;

namespace {

// Meeus's Julian Paschalion, as an independent oracle.
int32_t MeeusPascha(int y) {
    const int a = y % 4, b = y % 7, c = y % 19;
    const int d = (19 * c + 15) % 30;
    const int e = (2 * a + 4 * b - d + 34) % 7;
    const int month = (d + e + 114) / 31;
    const int day = (d + e + 114) % 31 + 1;
    return DayNumber(StyleJulian, int16_t(day), int16_t(month), int16_t(y));
}

CalendarState At(int16_t style, int16_t day, int16_t month, int16_t year) {
    CalendarState st;
    InitStyleTables(st);
    st.CurStyle = style;
    StyleDate& r = st.StyleDates[style];
    r.Day = day;
    r.Month = month;
    r.Year = year;
    RecalcYear(st);
    return st;
}

// The state computed afresh for a day number, as a jump to that day would.
CalendarState Fresh(int16_t style, int32_t dayNumber) {
    CalendarState st;
    InitStyleTables(st);
    st.CurStyle = style;
    SetCurrentDay(st, dayNumber);
    RecalcYear(st);
    return st;
}

} // namespace

class TestRecalc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paschaExamples_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addRow("2000") << 2000 << 30 << 4;
        QTest::addRow("2001") << 2001 << 15 << 4;
        QTest::addRow("2005") << 2005 << 1 << 5;
        QTest::addRow("2010") << 2010 << 4 << 4;
        QTest::addRow("2024") << 2024 << 5 << 5;
        QTest::addRow("2026") << 2026 << 12 << 4;
    }
    void paschaExamples() {
        QFETCH(int, year);
        QFETCH(int, day);
        QFETCH(int, month);
        CalendarState st;
        InitStyleTables(st);
        st.CurStyle = StyleGregorian;
        QCOMPARE(PaschaDayNumber(st, int16_t(year)),
                 DayNumber(StyleGregorian, int16_t(day), int16_t(month), int16_t(year)));
        QCOMPARE(st.Pascha.PaschaYear, year);
    }

    void paschaOfEveryYear() {
        CalendarState st;
        InitStyleTables(st);
        st.CurStyle = StyleJulian;
        for (int y = 1; y <= 3000; ++y) {
            const int32_t p = PaschaDayNumber(st, int16_t(y));
            if (p != MeeusPascha(y))
                QFAIL(qPrintable(QStringLiteral("Pascha of %1").arg(y)));
            if (WeekdayOf(p) != 7)
                QFAIL(qPrintable(QStringLiteral("Pascha of %1 is not a Sunday").arg(y)));
        }
    }

    void annoMundiPascha() {
        const CalendarState st = At(StyleAnnoMundi, 1, 1, 7509);
        QCOMPARE(st.Pascha.PaschaYear, 2001);
        QCOMPARE(st.Pascha.PaschaDay, DayNumber(StyleGregorian, 15, 4, 2001));
        QCOMPARE(st.Pascha.PrevPaschaDay, DayNumber(StyleGregorian, 30, 4, 2000));
        QCOMPARE(st.Cur().YearFirstDay, DayNumber(StyleJulian, 1, 9, 2000));
        QCOMPARE(st.Cur().YearLastDay, DayNumber(StyleJulian, 31, 8, 2001));
    }

    void yearAnchors() {
        // Gregorian 2000: began on a Saturday, Pascha 30 April in week 18.
        const CalendarState st = At(StyleGregorian, 15, 6, 2000);
        const StyleDate& r = st.Cur();
        QCOMPARE(r.YearFirstWeekday, 6);
        QCOMPARE(r.YearWeeks, 54);
        QCOMPARE(st.Pascha.PaschaWeek, 19);
        QCOMPARE(r.WeekFirstDay, DayNumber(StyleGregorian, 11, 6, 2000));
        QCOMPARE(r.WeekLastDay, DayNumber(StyleGregorian, 17, 6, 2000));
        QCOMPARE(r.MonthFirstDay, DayNumber(StyleGregorian, 1, 6, 2000));
        QCOMPARE(r.MonthLastDay, DayNumber(StyleGregorian, 30, 6, 2000));
        QCOMPARE(r.MonthFirstWeekday, 4);
    }

    void shiftAcrossAnnoMundiNewYear() {
        CalendarState st = At(StyleAnnoMundi, 31, 12, 7509); // 31 August 2001 (Julian)
        QCOMPARE(st.Pascha.PaschaDay, DayNumber(StyleGregorian, 15, 4, 2001));
        const int32_t before = st.CurDayNumber;
        ShiftDays(st, 1);
        QCOMPARE(st.CurDayNumber, before + 1);
        QCOMPARE(st.Cur().Year, 7510);
        QCOMPARE(st.Cur().Month, 1);
        QCOMPARE(st.Cur().Day, 1);
        QCOMPARE(st.Pascha.PaschaYear, 2002);
        QCOMPARE(st.Pascha.PaschaDay, DayNumber(StyleGregorian, 5, 5, 2002));
        QCOMPARE(st.Pascha.PrevPaschaDay, DayNumber(StyleGregorian, 15, 4, 2001));
    }

    void weekBackFromThirdOfJanuary_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("newMonth");
        QTest::addColumn<int>("newYear");
        QTest::addRow("Anno Mundi stays in its year") << 1 << 5 << 7509 << 4 << 7509;
        QTest::addRow("Julian goes to the year before") << 2 << 1 << 2001 << 12 << 2000;
        QTest::addRow("Gregorian goes to the year before") << 3 << 1 << 2001 << 12 << 2000;
    }
    void weekBackFromThirdOfJanuary() {
        QFETCH(int, style);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(int, newMonth);
        QFETCH(int, newYear);
        CalendarState st = At(int16_t(style), 3, int16_t(month), int16_t(year));
        const int32_t before = st.CurDayNumber;
        ShiftWeeks(st, -1);
        QCOMPARE(st.CurDayNumber, before - 7);
        QCOMPARE(st.Cur().Day, 27);
        QCOMPARE(st.Cur().Month, newMonth);
        QCOMPARE(st.Cur().Year, newYear);
    }

    void monthChangeClampsFirst() {
        CalendarState st = At(StyleGregorian, 31, 1, 2001);
        st.Cur().Month = 2;
        RecalcMonth(st);
        QCOMPARE(st.Cur().Day, 28);
        QCOMPARE(st.CurDayNumber, DayNumber(StyleGregorian, 28, 2, 2001));
        st = At(StyleJulian, 31, 1, 2000);
        st.Cur().Month = 2;
        RecalcMonth(st);
        QCOMPARE(st.Cur().Day, 29);
    }

    void applyStyleKeepsTheDay() {
        CalendarState st = At(StyleGregorian, 1, 1, 2000);
        const int32_t n = st.CurDayNumber;
        for (int16_t s : {1, 2, 3, 1}) {
            st.CurStyle = s;
            ApplyStyle(st);
            QCOMPARE(st.CurDayNumber, n);
        }
        st.CurStyle = StyleAnnoMundi;
        ApplyStyle(st);
        QCOMPARE(st.Cur().Day, 19);
        QCOMPARE(st.Cur().Month, 4);
        QCOMPARE(st.Cur().Year, 7508);
        QCOMPARE(st.Cur().YearFirstDay, DayNumber(StyleJulian, 1, 9, 1999));
    }

    void dayStepsAgreeWithFreshState_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("step");
        for (int s = 1; s <= 3; ++s) {
            QTest::addRow("style %d forward by days", s) << s << 1;
            QTest::addRow("style %d back by days", s) << s << -1;
            QTest::addRow("style %d forward by weeks", s) << s << 7;
        }
    }
    void dayStepsAgreeWithFreshState() {
        QFETCH(int, style);
        QFETCH(int, step);
        const int32_t first = DayNumber(StyleJulian, 1, 1, 1990);
        const int32_t last = DayNumber(StyleJulian, 31, 12, 2030);
        CalendarState st = Fresh(int16_t(style), step > 0 ? first : last);
        for (int32_t n = st.CurDayNumber; n >= first && n <= last; n += step) {
            const CalendarState fresh = Fresh(int16_t(style), n);
            if (st.CurDayNumber != n || st.StyleDates != fresh.StyleDates || !(st.Pascha == fresh.Pascha) ||
                st.CurWeekday != fresh.CurWeekday)
                QFAIL(qPrintable(QStringLiteral("state differs after a step to day %1").arg(n)));
            if (step == 7)
                ShiftWeeks(st, 1);
            else
                ShiftDays(st, step);
        }
    }

    void saveAndRestore() {
        CalendarState st = At(StyleJulian, 10, 5, 2010);
        const CalendarState before = st;
        SaveState(st);
        st.CurStyle = StyleGregorian;
        st.CurDayNumber = DayNumber(StyleGregorian, 1, 1, 2050);
        DayNumberToJulian(st);
        JulianToAnnoMundi(st);
        JulianToGregorian(st);
        RecalcYear(st);
        QVERIFY(st.StyleDates != before.StyleDates);
        RestoreState(st);
        QCOMPARE(st.CurStyle, StyleGregorian); // not part of the saved copy
        QVERIFY(st.StyleDates == before.StyleDates);
        QVERIFY(st.Pascha == before.Pascha);
        QCOMPARE(st.CurDayNumber, before.CurDayNumber);
        QCOMPARE(st.CurWeekday, before.CurWeekday);
    }

    void yearRange() {
        CalendarState st;
        InitStyleTables(st);
        SetYearRange(st, 1901, 2100);
        QCOMPARE(st.MinYears[1], 7409);
        QCOMPARE(st.MaxYears[1], 7608);
        QCOMPARE(st.MinDayNumbers[1], DayNumber(StyleJulian, 1, 9, 1900));
        QCOMPARE(st.MaxDayNumbers[1], DayNumber(StyleJulian, 31, 8, 2100));
        QCOMPARE(st.MinDayNumbers[2], DayNumber(StyleJulian, 1, 1, 1901));
        QCOMPARE(st.MaxDayNumbers[3], DayNumber(StyleGregorian, 31, 12, 2100));
    }
};

QTEST_APPLESS_MAIN(TestRecalc)
#include "test_recalc.moc"
