// The marks of the month grid from the day engine: red by the "Red=1" keys of the Julian day files (a
// Gregorian month reads two of them) and by the red records of every base placed in the month, in either
// of their years; fast where the day's fast is stricter than abstaining from meat.
#include "../bases/fixture.h"

#include "core/settings.h"
#include "engine/dayengine.h"

#include <QTest>

using namespace vorelian;

namespace {

using Days = QList<int>;

Days RedDays(const std::vector<DayMark>& marks) {
    Days out;
    for (std::size_t k = 0; k < marks.size(); ++k)
        if (marks[k].Red)
            out << int(k + 1);
    return out;
}

std::vector<DayMark> MonthOf(const QString& dir, int style, int month, int year) {
    Settings shown;
    return DayEngine::Load(dir)->Month(int16_t(year), int16_t(month), DayOptionsOf(shown, int16_t(style)));
}

} // namespace

class TestEngineMarks : public QObject {
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
        const std::vector<DayMark> marks = MonthOf(dir_.path(), style, month, year);
        QCOMPARE(int(marks.size()), int(MonthLength(int16_t(style), int16_t(month), int16_t(year))));
        QCOMPARE(marks.front().DayNumber, DayNumber(int16_t(style), 1, int16_t(month), int16_t(year)));
        QCOMPARE(RedDays(marks), red);
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
        DataFiles files;
        files.SetFolder(dir.path());
        fixture::Write(files[slot], fixture::Bytes(text));
        QCOMPARE(RedDays(MonthOf(dir.path(), style, month, year)), red);
    }

    // Fast marks only where the rules give a fast stricter than no meat, and none when fasts are hidden.
    void fastMarks() {
        QTemporaryDir dir;
        fixture::Write(dir.filePath(QStringLiteral("Fasting.DAT")),
                       fixture::Bytes("[Levels]\ndry=Dry.\nnoMeat=No meat.\n[1]\nname=Wednesdays\n"
                                      "weekdays=3\nlevel=dry\n[2]\nname=Other days\nlevel=noMeat\n"));
        const auto engine = DayEngine::Load(dir.path());
        Settings s;
        const std::vector<DayMark> shown = engine->Month(2025, 1, DayOptionsOf(s, StyleGregorian));
        for (const DayMark& m : shown)
            QCOMPARE(m.Fast, WeekdayOf(m.DayNumber) == 3);
        s.ShowFasting = false;
        for (const DayMark& m : engine->Month(2025, 1, DayOptionsOf(s, StyleGregorian)))
            QVERIFY(!m.Fast);
    }

    void noMonthOutsideTheCalendar() {
        Settings s;
        QVERIFY(DayEngine::Load(dir_.path())->Month(2025, 13, DayOptionsOf(s, StyleGregorian)).empty());
    }
};

QTEST_GUILESS_MAIN(TestEngineMarks)
#include "test_engine_marks.moc"
