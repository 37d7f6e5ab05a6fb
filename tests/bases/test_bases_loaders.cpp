// The six loaders on small record files: the numbering and its gaps, the red flag, the numeric fields,
// the texts of the groups with their marks byte for byte, and loading a whole data folder.
#include "fixture.h"

#include "bases/bases.h"

#include <QRegularExpression>
#include <QTest>

using namespace vorelian;
using fixture::Parse;

class TestBasesLoaders : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyBases() {
        const Bases b;
        QCOMPARE(b.Reloc.Count, int16_t(0));
        QCOMPARE(b.Reloc.Records.size(), std::size_t(1));
        QCOMPARE(b.Reloc.Records.size(), std::size_t(1));
        QCOMPARE(b.Special.Count, int16_t(0));
        QCOMPARE(b.Special.Records.size(), std::size_t(67));
        QCOMPARE(b.Special.Records.size(), std::size_t(67));
        QCOMPARE(b.Special.Records.size(), std::size_t(67));
        QCOMPARE(b.Special.Records.size(), std::size_t(67));
        QCOMPARE(b.SpecWeekDays.Records.size(), std::size_t(1));
    }

    void gapEndsTheBase_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addRow("gap at 3") << "[1]\n0=a\n[2]\n0=b\n[4]\n0=d\n" << 2;
        QTest::addRow("empty section 2") << "[1]\n0=a\n[2]\n[3]\n0=c\n" << 1;
        QTest::addRow("only bad lines in 2") << "[1]\n0=a\n[2]\nno equals\n[3]\n0=c\n" << 1;
        QTest::addRow("no section 1") << "[2]\n0=b\n" << 0;
        QTest::addRow("names with blanks, out of order") << "[ 2 ]\n0=b\n[1]\n0=a\n[ 3]\nred=\n" << 3;
        QTest::addRow("unknown keys still make a record") << "[1]\nfoo=bar\n[2]\n0=b\n" << 2;
        QTest::addRow("empty file") << "" << 0;
    }
    void gapEndsTheBase() {
        QFETCH(QString, text);
        QFETCH(int, count);
        if (text.contains(u"no equals"))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^:4: ")));
        const Profile p = Parse(text);
        Bases b;
        LoadRelocatable(b, p);
        QCOMPARE(int(b.Reloc.Count), count);
        QCOMPARE(b.Reloc.Records.size(), std::size_t(count + 1));
        QCOMPARE(b.Reloc.Records.size(), std::size_t(count + 1));
        LoadWeekdays(b, p);
        QCOMPARE(int(b.Weekdays.Count), count);
    }

    void redFlag_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("red");
        QTest::addRow("1") << "red=1" << true;
        QTest::addRow("0 is still red") << "red=0" << true;
        QTest::addRow("any text") << "Red=да" << true;
        QTest::addRow("upper case key") << "RED = 0" << true;
        QTest::addRow("empty value") << "red=" << false;
        QTest::addRow("blank value") << "red=   " << false;
        QTest::addRow("no key") << "0=text" << false;
    }
    void redFlag() {
        QFETCH(QString, line);
        QFETCH(bool, red);
        const Profile p = Parse(QStringLiteral("[1]\n0=x\n%1\n").arg(line));
        Bases b;
        LoadRelocatable(b, p);
        LoadRelocatable1(b, p);
        LoadSpecial(b, p);
        LoadWeekdays(b, p);
        LoadWeekdays1(b, p);
        LoadSpecWeekDays(b, p);
        QCOMPARE(bool(b.Reloc.Records[1].Red), red);
        QCOMPARE(bool(b.Reloc1.Records[1].Red), red);
        QCOMPARE(bool(b.Special.Records[1].Red), red);
        QCOMPARE(bool(b.Weekdays.Records[1].Red), red);
        QCOMPARE(bool(b.Weekdays1.Records[1].Red), red);
        QCOMPARE(bool(b.SpecWeekDays.Records[1].Red), red);
    }

    void textsOfTheGroups() {
        Bases b;
        LoadRelocatable(b, Parse(QStringLiteral("[1]\n"
                                                "0=Первая строка\n"
                                                "0={1}  Праздник\n"
                                                "11={2}Перед первой группой\n"
                                                "19=После первой\n"
                                                "21={3}Вторая впереди\n"
                                                "29={5}Вторая после\n"
                                                "31={6}Третья впереди\n"
                                                "39={4}Третья после\n"
                                                "4={1}Без знака ранга\n"
                                                "4=Ещё строка\n"
                                                "1=group one of a day file is not a record key\n"
                                                "days=0\n")));
        QCOMPARE(b.Reloc.Count, int16_t(1));
        using L = std::vector<QString>;
        const auto& t = b.Reloc.Records[1].Texts;
        QCOMPARE(t[0], (L{"Первая строка", "{1}  Праздник"}));
        QCOMPARE(t[1], L{"{2}Перед первой группой"});
        QCOMPARE(t[2], L{"После первой"});
        QCOMPARE(t[3], L{"{3}Вторая впереди"});
        QCOMPARE(t[4], L{"{5}Вторая после"});
        QCOMPARE(t[5], L{"{6}Третья впереди"});
        QCOMPARE(t[6], L{"{4}Третья после"});
        QCOMPARE(t[7], (L{"{1}Без знака ранга", "Ещё строка"}));
    }

    void sameTextsInRelocatable1AndSpecial() {
        const Profile p = Parse(QStringLiteral("[1]\n0=a\n0={3}b\n4=c\n[2]\n39=d\n"));
        Bases b;
        LoadRelocatable1(b, p);
        LoadSpecial(b, p);
        for (const RecordBase* base : {&b.Reloc1, &b.Special}) {
            QCOMPARE(base->Records[1].Texts[0], (std::vector<QString>{"a", "{3}b"}));
            QCOMPARE(base->Records[1].Texts[7], std::vector<QString>{"c"});
            QCOMPARE(base->Records[2].Texts[6], std::vector<QString>{"d"});
        }
        QCOMPARE(b.Special.Count, int16_t(2));
        QCOMPARE(b.Special.Records.size(), std::size_t(67));
    }

    void dayTitlesLastLineWins() {
        const Profile p = Parse(QStringLiteral("[1]\n0={1}Первая\n0=Вторая\n4=ignored\n11=ignored\n"));
        Bases b;
        LoadWeekdays(b, p);
        LoadWeekdays1(b, p);
        LoadSpecWeekDays(b, p);
        QCOMPARE(RecordTitle(b.Weekdays.Records[1]), QStringLiteral("Вторая"));
        QCOMPARE(RecordTitle(b.Weekdays1.Records[1]), QStringLiteral("Вторая"));
        QCOMPARE(RecordTitle(b.SpecWeekDays.Records[1]), QStringLiteral("Вторая"));
    }

    void numericFields_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("number");
        QTest::addRow("positive") << "49" << 49;
        QTest::addRow("negative") << "-7" << -7;
        QTest::addRow("empty") << "" << 0;
        QTest::addRow("not a number") << "Sunday" << 0;
        QTest::addRow("rounded") << "6.5" << 6;
        QTest::addRow("held in 16 bits") << "70000" << 32767;
    }
    void numericFields() {
        QFETCH(QString, value);
        QFETCH(int, number);
        const Profile p = Parse(QStringLiteral("[1]\nDAYS=%1\nDay=%1\nmonth=%1\nWeekDay=%1\n").arg(value));
        Bases b;
        LoadRelocatable(b, p);
        LoadWeekdays(b, p);
        LoadRelocatable1(b, p);
        LoadWeekdays1(b, p);
        QCOMPARE(int(b.Reloc.Records[1].Days), number);
        QCOMPARE(int(b.Weekdays.Records[1].Days), number);
        QCOMPARE(int(b.Reloc1.Records[1].Day), number);
        QCOMPARE(int(b.Reloc1.Records[1].Month), number);
        QCOMPARE(int(b.Reloc1.Records[1].Weekday), number);
        QCOMPARE(int(b.Weekdays1.Records[1].Day), number);
        QCOMPARE(int(b.Weekdays1.Records[1].Month), number);
        QCOMPARE(int(b.Weekdays1.Records[1].Weekday), number);
    }

    void specialBeyond64() {
        QString text;
        for (int i = 1; i <= 70; ++i)
            text += QStringLiteral("[%1]\n0=запись %1\n").arg(i);
        Bases b;
        LoadSpecial(b, Parse(text));
        QCOMPARE(b.Special.Count, int16_t(70));
        QCOMPARE(b.Special.Records.size(), std::size_t(71));
        QCOMPARE(b.Special.Records[70].Texts[0], std::vector<QString>{"запись 70"});
        // Placed for any year, records beyond the rules get no day.
        const YearPlacement placed = PlaceYear(b, 2024);
        const std::vector<int32_t>& special = placed.Days[int(BaseKind::Special)];
        for (int i = 67; i <= 70; ++i)
            QCOMPARE(special[i], 0);
        QVERIFY(special[64] != 0);
        QVERIFY(special[65] != 0);
    }

    void loadingAgainStartsAfresh() {
        const Profile p = Parse(QStringLiteral("[1]\n0=a\n[2]\n0=b\n"));
        Bases b;
        LoadRelocatable(b, p);
        LoadRelocatable(b, Parse(QStringLiteral("[1]\n0=c\n")));
        QCOMPARE(b.Reloc.Count, int16_t(1));
        QCOMPARE(b.Reloc.Records.size(), std::size_t(2));
        QCOMPARE(b.Reloc.Records[1].Texts[0], std::vector<QString>{"c"});
    }

    void loadWholeFolder() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        CalendarData data;
        data.Files.SetFolder(dir.path());
        fixture::Write(data.Files[DataFiles::Relocatable],
                       fixture::Bytes("[1]\ndays=-7\n0=Вход\n[2]\ndays=49\n"));
        fixture::Write(data.Files[DataFiles::Relocatable1],
                       fixture::Bytes("[1]\nday=25\nmonth=12\nweekday=7\n"));
        fixture::Write(data.Files[DataFiles::Special], fixture::Bytes("[1]\n0=a\n[2]\n0=b\n[3]\n0=c\n"));
        fixture::Write(data.Files[DataFiles::Weekdays], fixture::Bytes("[1]\ndays=1\n0=t\n"));
        // Weekdays1.DAT is missing.
        fixture::Write(data.Files[DataFiles::SpecWeekDays],
                       fixture::Bytes("[1]\n0=1\n[2]\n0=2\n[3]\n0=3\n[4]\n0=4\n"));
        LoadBases(data);
        QCOMPARE(data.Bases.Reloc.Count, int16_t(2));
        QCOMPARE(data.Bases.Reloc.Records[1].Days, int16_t(-7));
        QCOMPARE(data.Bases.Reloc1.Count, int16_t(1));
        QCOMPARE(data.Bases.Special.Count, int16_t(3));
        QCOMPARE(data.Bases.Weekdays.Count, int16_t(1));
        QCOMPARE(data.Bases.Weekdays1.Count, int16_t(0));
        QCOMPARE(data.Bases.SpecWeekDays.Count, int16_t(4));
        QCOMPARE(data.Profiles.ParsedFiles(), qsizetype(6));
    }

    void missingFolderGivesEmptyBases() {
        CalendarData data;
        data.Files.SetFolder(QStringLiteral("/nonexistent/folder/Calendar"));
        LoadBases(data);
        QCOMPARE(data.Bases.Reloc.Count + data.Bases.Reloc1.Count + data.Bases.Special.Count +
                     data.Bases.Weekdays.Count + data.Bases.Weekdays1.Count + data.Bases.SpecWeekDays.Count,
                 0);
        QCOMPARE(data.Bases.Special.Records.size(), std::size_t(67));
        // The placing still completes and fills the rule-placed days.
        QCOMPARE(PlaceYear(data.Bases, 2025).Days[int(BaseKind::Special)][19],
                 fixture::Gregorian(9, 5, 2025));
    }
};

QTEST_GUILESS_MAIN(TestBasesLoaders)
#include "test_bases_loaders.moc"
