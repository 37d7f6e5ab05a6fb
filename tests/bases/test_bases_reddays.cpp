// The red days of the displayed month in each style: from the "Red" keys of the Julian day files (a
// Gregorian month reads two of them) and from the red records of each base, through the core's
// recomputation, leaving the current day and the saved copy of the state as they were.
#include "fixture.h"

#include "bases/bases.h"
#include "core/calendar.h"

#include <QStringList>
#include <QTest>

using namespace vorelian;

namespace {

using Days = QList<int>;

Days RedDays(const CalendarState& st) {
    Days out;
    for (std::size_t d = 1; d < st.MonthRedDays.size(); ++d)
        if (st.MonthRedDays[d])
            out << int(d);
    return out;
}

// The calendar on a date of a style, recomputed as a change of year does.
CalendarState At(RecalcHooks& hooks, int16_t style, int day, int month, int year) {
    CalendarState st;
    InitStyleTables(st);
    st.Hooks = &hooks;
    st.CurStyle = style;
    StyleDate& r = st.StyleDates[style];
    r.Day = int16_t(day);
    r.Month = int16_t(month);
    r.Year = int16_t(year);
    RecalcYear(st);
    return st;
}

} // namespace

class TestBasesRedDays : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    void WriteDayFiles() {
        DataFiles f;
        f.SetFolder(dir_.path());
        // Only the value 1 marks the grid; keys and section names in any case and with blanks.
        fixture::Write(f[0],
                       fixture::Bytes("[1]\nRed=1\n0={1}Обрезание\n[6]\nRed=1\n[7]\nRed=0\n[8]\nRed=да\n"
                                      "[9]\nred=1\n[ 10 ]\n RED = 1\n[11]\n0=no key\n"));
        fixture::Write(f[11], fixture::Bytes("[25]\nRed=1\n[31]\nRed=1\n[18]\nRed=1\n"));
        fixture::Write(f[DataFiles::February29], fixture::Bytes("[2]\nRed=1\n[29]\nRed=1\n"));
        fixture::Write(f[DataFiles::February28], fixture::Bytes("[2]\nRed=1\n[28]\nRed=1\n"));
        fixture::Write(f[2], fixture::Bytes("[1]\nRed=1\n[25]\nRed=1\n"));
        fixture::Write(f[8], fixture::Bytes("[8]\nRed=1\n[14]\nRed=1\n"));
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        WriteDayFiles();
    }

    void dayFiles_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<Days>("red");
        QTest::addRow("Julian January") << 2 << 1 << 2025 << Days{1, 6, 9, 10};
        QTest::addRow("Anno Mundi January") << 1 << 5 << 7533 << Days{1, 6, 9, 10};
        QTest::addRow("Julian February, leap") << 2 << 2 << 2024 << Days{2, 29};
        QTest::addRow("Julian February, common") << 2 << 2 << 2025 << Days{2, 28};
        QTest::addRow("Anno Mundi February, leap") << 1 << 6 << 7532 << Days{2, 29};
        QTest::addRow("Anno Mundi February, common") << 1 << 6 << 7533 << Days{2, 28};
        QTest::addRow("Anno Mundi September") << 1 << 1 << 7533 << Days{8, 14};
        QTest::addRow("Julian April, no file") << 2 << 4 << 2025 << Days{};
        // Gregorian 1..13 January 2025 are Julian 19..31 December 2024, the rest Julian January.
        QTest::addRow("Gregorian January: December and January files")
            << 3 << 1 << 2025 << Days{7, 13, 14, 19, 22, 23};
        // Gregorian 1..13 March 2024 are Julian 17..29 February of a leap year.
        QTest::addRow("Gregorian March: February29 and March files") << 3 << 3 << 2024 << Days{13, 14};
        QTest::addRow("Gregorian March: February28 and March files") << 3 << 3 << 2025 << Days{13, 14};
        QTest::addRow("Gregorian September: August (none) and September") << 3 << 9 << 2025 << Days{21, 27};
    }
    void dayFiles() {
        QFETCH(int, style);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(Days, red);
        CalendarData data;
        data.Files.SetFolder(dir_.path());
        BasesHooks hooks(data);
        CalendarState st = At(hooks, int16_t(style), 3, month, year);
        QCOMPARE(st.MonthRedDays.size(), std::size_t(st.Cur().MonthDays[month] + 1));
        QCOMPARE(RedDays(st), red);

        // Called again on its own, it leaves the current day, the records and the saved copy alone.
        SaveState(st);
        st.SavedDayNumber = 12345; // a builder's own saved copy
        st.SavedStyleDates[2].Year = 1234;
        const CalendarState before = st;
        st.MonthRedDays.assign(40, true);
        SetMonthRedDays(st, data.Bases, data.Profiles, data.Files);
        QCOMPARE(RedDays(st), red);
        QCOMPARE(st.CurDayNumber, before.CurDayNumber);
        QCOMPARE(st.CurWeekday, before.CurWeekday);
        QCOMPARE(st.CurStyle, before.CurStyle);
        for (int s = 1; s <= 3; ++s) {
            QVERIFY(st.StyleDates[s] == before.StyleDates[s]);
            QVERIFY(st.SavedStyleDates[s] == before.SavedStyleDates[s]);
        }
        QVERIFY(st.Pascha == before.Pascha);
        QCOMPARE(st.SavedDayNumber, 12345);
    }

    void bases_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<Days>("red");
        QTest::addRow("Relocatable: Pascha red, the day after not")
            << int(DataFiles::Relocatable) << "[1]\ndays=0\nred=1\n[2]\ndays=1\n"
            << 3 << 5 << 2024 << Days{5};
        QTest::addRow("Relocatable1 in Gregorian January, from the year before")
            << int(DataFiles::Relocatable1) << "[1]\nday=25\nmonth=12\nweekday=7\nred=1\n"
            << 3 << 1 << 2025 << Days{12};
        QTest::addRow("Relocatable1 in Julian December, this year")
            << int(DataFiles::Relocatable1) << "[1]\nday=25\nmonth=12\nweekday=7\nred=1\n"
            << 2 << 12 << 2024 << Days{30};
        QTest::addRow("Special 1 in Gregorian January, from the year before")
            << int(DataFiles::Special) << "[1]\nred=1\n"
            << 3 << 1 << 2025 << Days{12};
        QTest::addRow("Special 19 in Gregorian May")
            << int(DataFiles::Special)
            << "[1]\n0=a\n[2]\n0=a\n[3]\n0=a\n[4]\n0=a\n[5]\n0=a\n[6]\n0=a\n[7]\n0=a\n[8]\n0=a\n[9]\n0=a\n"
               "[10]\n0=a\n[11]\n0=a\n[12]\n0=a\n[13]\n0=a\n[14]\n0=a\n[15]\n0=a\n[16]\n0=a\n[17]\n0=a\n"
               "[18]\n0=a\n[19]\nred=1\n"
            << 3 << 5 << 2025 << Days{9};
        QTest::addRow("Special records not in the file are never red")
            << int(DataFiles::Special) << "[1]\n0=a\n"
            << 3 << 5 << 2025 << Days{};
        QTest::addRow("Weekdays: red=0 is red, Palm Sunday")
            << int(DataFiles::Weekdays) << "[1]\ndays=-7\nred=0\n"
            << 3 << 4 << 2024 << Days{28};
        QTest::addRow("Weekdays1 in Anno Mundi September, from the year before")
            << int(DataFiles::Weekdays1) << "[1]\nday=1\nmonth=9\nweekday=7\nred=1\n"
            << 1 << 1 << 7533 << Days{2};
        QTest::addRow("SpecWeekDays 4 in Julian October 2001")
            << int(DataFiles::SpecWeekDays) << "[1]\n0=a\n[2]\n0=a\n[3]\n0=a\n[4]\nred=1\n"
            << 2 << 10 << 2001 << Days{21};
        QTest::addRow("SpecWeekDays 4 moved to 15 October 2000")
            << int(DataFiles::SpecWeekDays) << "[1]\n0=a\n[2]\n0=a\n[3]\n0=a\n[4]\nred=1\n"
            << 2 << 10 << 2000 << Days{15};
        QTest::addRow("SpecWeekDays red but not placed")
            << int(DataFiles::SpecWeekDays) << "[1]\n0=a\n[2]\n0=a\n[3]\n0=a\n[4]\n0=a\n[5]\nred=1\n"
            << 2 << 10 << 2001 << Days{};
    }
    void bases() {
        QFETCH(int, slot);
        QFETCH(QString, text);
        QFETCH(int, style);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(Days, red);
        QTemporaryDir dir; // no day files: only the bases mark
        CalendarData data;
        data.Files.SetFolder(dir.path());
        fixture::Write(data.Files[slot], fixture::Bytes(text));
        LoadBases(data);
        BasesHooks hooks(data);
        const CalendarState st = At(hooks, int16_t(style), 1, month, year);
        QCOMPARE(RedDays(st), red);
    }

    void followsTheMonthThroughTheCore() {
        CalendarData data;
        data.Files.SetFolder(dir_.path());
        BasesHooks hooks(data);
        CalendarState st = At(hooks, StyleGregorian, 31, 1, 2025);
        QCOMPARE(RedDays(st), Days({7, 13, 14, 19, 22, 23}));
        st.Cur().Month = 3; // to March: the day stays the 31st
        RecalcMonth(st);
        QCOMPARE(st.MonthRedDays.size(), std::size_t(32));
        QCOMPARE(RedDays(st), Days({13, 14}));
        st.Cur().Month = 2; // to February: the day is clamped first
        RecalcMonth(st);
        QCOMPARE(st.MonthRedDays.size(), std::size_t(29));
        QCOMPARE(RedDays(st), Days({15})); // Julian 2 February
        st.CurStyle = StyleJulian;         // the same day seen in the Julian calendar: 15 February
        ApplyStyle(st);
        QCOMPARE(RedDays(st), Days({2, 28}));
        QCOMPARE(data.Profiles.ParsedFiles(), qsizetype(4)); // January, December, March, February28
    }
};

QTEST_GUILESS_MAIN(TestBasesRedDays)
#include "test_bases_reddays.moc"
