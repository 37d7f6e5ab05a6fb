// vorelian-report as a user runs it: each report and option, its RTF equal to the document the report
// layer writes for the same state, its text as the view shows it, and exit status 2 with one line of
// message for every bad argument.
#include "../limits_fixture.h"
#include "calendar_fixture.h"

#include "bases/profile.h"
#include "core/tables.h"
#include "report/report.h"

#include <QDate>
#include <QProcess>

#include <functional>

using namespace vorelian;
using namespace fixture;

namespace {

const Files& ToolFiles() {
    static const Files files = {
        {"July.DAT", "[1]\n0=Свв. бессребреников Космы и Дамиана.\n"},
        {"August.DAT", "[6]\nred=1\n0={1}Преображение Господне, 1-й.\n"},
        {"May.DAT", "[2]\n0=Свт. Афанасия, отцов учителя.\n"},
        {"December.DAT", "[25]\nRed=1\n0={1}Рождество Христово.\n"},
        {"Relocatable.DAT", "[1]\ndays=0\nred=1\n0={1}Светлое Христово Воскресение.\n"
                            "[2]\ndays=10\n0=Память святых отцов.\n"},
        {"Weekdays.DAT", "[1]\ndays=-7\nred=1\n0=Вход Господень в Иерусалим.\n"},
    };
    return files;
}

struct Run {
    int Status = -1;
    QByteArray Out, Err;
};

Run Tool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(VORELIAN_REPORT_TOOL), args);
    Run r;
    if (!p.waitForFinished(120000))
        return r;
    r.Status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Out = p.readAllStandardOutput();
    r.Err = p.readAllStandardError();
    return r;
}

} // namespace

class TestTool : public QObject {
    Q_OBJECT

    Calendar files_{ToolFiles()}; // holds the data folder the tool reads

    QStringList WithData(QStringList args) const {
        return args << QStringLiteral("--data") << files_.Dir.path();
    }

private Q_SLOTS:
    // The RTF the tool prints is the document the report layer writes for the same state.
    void rtfEqualsTheReportLayer_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("search");
        using L = QStringList;
        QTest::addRow("day") << L{"day", "--date", "2024-07-14"} << 0 << 3 << 14 << 7 << 2024 << QString();
        QTest::addRow("week") << L{"week", "--date", "2014-12-30"} << 1 << 3 << 30 << 12 << 2014 << QString();
        QTest::addRow("month, Anno Mundi")
            << L{"month", "--style", "1", "--date", "7533-01-10"} << 2 << 1 << 10 << 1 << 7533 << QString();
        QTest::addRow("year, Julian")
            << L{"year", "--style=2", "--date=2024-02-29"} << 3 << 2 << 29 << 2 << 2024 << QString();
        QTest::addRow("feasts") << L{"feasts", "--date", "2024-02-20"} << 4 << 3 << 20 << 2 << 2024
                                << QString();
        QTest::addRow("search") << L{"search", "--date", "2024-02-20", "--text", "ОТЦОВ"} << 5 << 3 << 20 << 2
                                << 2024 << "ОТЦОВ";
        QTest::addRow("search, whole word")
            << L{"search", "--date", "2024-02-20", "--text", "отц", "--whole-word"} << 5 << 3 << 20 << 2
            << 2024 << "отц";
    }
    void rtfEqualsTheReportLayer() {
        QFETCH(QStringList, args);
        QFETCH(int, tab);
        QFETCH(int, style);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(QString, search);
        const Run r = Tool(WithData(args << "--format"
                                         << "rtf"));
        QCOMPARE(r.Status, 0);
        QVERIFY(r.Err.isEmpty());

        Calendar c(ToolFiles());
        c.SetDate(int16_t(style), day, month, year);
        if (tab == TabSelection)
            FindInYear(c.Ctx, search, args.contains(u"--whole-word"));
        else
            BuildReport(c.Ctx, tab);
        QCOMPARE(Text(r.Out), Text(c.Last(tab)));
        QCOMPARE(r.Out, c.Last(tab));
    }

    void options_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("expected");
        using L = QStringList;
        QTest::addRow("indiction") << L{"--indiction"} << P + B + "84-й год 15-го индиктиона" + P;
        QTest::addRow("all styles") << L{"--all-styles"} << B + "1 июля 7532 года от Сотворения Мира" + P;
        QTest::addRow("font") << L{"--font", "Times New Roman"} << "\\fcharset204 Times New Roman;}";
        QTest::addRow("font size") << L{"--font-size", "14"} << "\\f0\\fs28\r\n\r\n";
        QTest::addRow("style 2") << L{"--style", "2", "--date", "2024-07-01"}
                                 << "1 июля 2024 года от Р.Х. по старому стилю";
        QTest::addRow("first weekday changes no report") << L{"--first-weekday", "7"} << "14 июля 2024 года";
        QTest::addRow("range widened")
            << L{"--min-year", "1800", "--date", "1850-07-14"} << "14 июля 1850 года";
    }
    void options() {
        QFETCH(QStringList, args);
        QFETCH(QString, expected);
        if (!args.contains(u"--date"))
            args << "--date"
                 << "2024-07-14";
        const Run r = Tool(WithData(QStringList{"day", "--format", "rtf"} + args));
        QCOMPARE(r.Status, 0);
        QVERIFY2(Text(r.Out).contains(expected), qPrintable(Text(r.Out)));
    }

    void firstWeekdayChangesNothing() {
        const Run one =
            Tool(WithData({"month", "--date", "2024-07-14", "--format", "rtf", "--first-weekday", "1"}));
        const Run seven =
            Tool(WithData({"month", "--date", "2024-07-14", "--format", "rtf", "--first-weekday", "7"}));
        QCOMPARE(one.Status, 0);
        QCOMPARE(one.Out, seven.Out);
    }

    // What the view shows: one paragraph a line, in UTF-8.
    void textFormat() {
        const Run r = Tool(WithData({"day", "--date", "2024-07-14"}));
        QCOMPARE(r.Status, 0);
        const QString expected = QStringLiteral("\n"
                                                "    14 июля 2024 года от Р.Х. по новому стилю\n"
                                                "\n"
                                                "    Неделя 3-я по Пятидесятнице. Глас 2-й.\n"
                                                "\n"
                                                " \u00B7  Свв. бессребреников Космы и Дамиана.\n"
                                                "\n");
        QCOMPARE(QString::fromUtf8(r.Out), expected);
    }

    void defaultDateIsToday() {
        const QDate today = QDate::currentDate();
        const Run r = Tool(WithData({"day"}));
        QCOMPARE(r.Status, 0);
        const QString line = QString::number(today.day()) + ' ' + MonthNameOf(today.month(), 2) + ' ' +
                             QString::number(today.year()) + " года от Р.Х. по новому стилю";
        QVERIFY2(QString::fromUtf8(r.Out).contains(line), qPrintable(line));
    }

    void bundledDataBesideTheTool() {
        const Run r = Tool({"day", "--date", "2024-05-05"});
        QCOMPARE(r.Status, 0);
        QVERIFY(QString::fromUtf8(r.Out).contains(u"5 мая 2024 года от Р.Х. по новому стилю"));
    }

    void help() {
        for (const QString& flag : {QStringLiteral("--help"), QStringLiteral("-h")}) {
            const Run r = Tool({flag});
            QCOMPARE(r.Status, 0);
            const QString text = QString::fromUtf8(r.Out);
            for (const char* word :
                 {"day", "week", "month", "year", "feasts", "search", "--date", "--style", "--format",
                  "--indiction", "--all-styles", "--first-weekday", "--font", "--font-size", "--min-year",
                  "--max-year", "--data", "--text", "--whole-word"})
                QVERIFY2(text.contains(QLatin1String(word)), word);
            QVERIFY(text.contains(u"Сотворения"));
            QVERIFY(text.contains(u"Anno Mundi"));
        }
    }

    // A text longer than the view keeps is cut where the view would cut it: the tool says so on stderr
    // and ends with its own status; the RTF is never cut.
    void cutOutputSaysSo() {
        // Every day file and four record files at the size cap, each text as long as the cap allows, all
        // of it inside the year: just over what the view keeps.
        QTemporaryDir dir;
        const qsizetype cap = Profile::MaxFileBytes;
        auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile f(dir.filePath(name));
            QVERIFY(bytes.size() <= cap);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        };
        const std::pair<const char*, int> months[] = {{"January", 31}, {"February28", 28}, {"March", 31},
                                                      {"April", 30},   {"May", 31},        {"June", 30},
                                                      {"July", 31},    {"August", 31},     {"September", 30},
                                                      {"October", 31}, {"November", 30},   {"December", 31}};
        for (const auto& [month, days] : months) {
            QByteArray bytes;
            for (int day = 1; day <= days; ++day)
                bytes += "[" + QByteArray::number(day) +
                         "]\r\n0=" + QByteArray((cap - 200) / days - 12, 'a') + "\r\n";
            write(QLatin1String(month) + QStringLiteral(".DAT"), bytes);
        }
        const std::pair<const char*, std::function<QByteArray(int)>> records[] = {
            {"Relocatable", [](int i) { return "days=" + QByteArray::number(i * 3 - 40); }},
            {"Weekdays", [](int i) { return "days=" + QByteArray::number(i * 3 - 39); }},
            {"Relocatable1",
             [](int i) {
                 return "day=" + QByteArray::number(1 + i % 28) +
                        "\r\nmonth=" + QByteArray::number(5 + i % 4) + "\r\nweekday=1";
             }},
            {"Weekdays1",
             [](int i) {
                 return "day=" + QByteArray::number(1 + i % 28) +
                        "\r\nmonth=" + QByteArray::number(5 + i % 4) + "\r\nweekday=2";
             }},
        };
        for (const auto& [name, place] : records) {
            QByteArray bytes;
            for (int i = 1; i <= 31; ++i)
                bytes += "[" + QByteArray::number(i) + "]\r\n" + place(i) +
                         "\r\n0=" + QByteArray((cap - 31 * 60) / 31 - 12, 'a') + "\r\n";
            write(QLatin1String(name) + QStringLiteral(".DAT"), bytes);
        }
        const QStringList year = {"year", "--date", "2025-06-01", "--data", dir.path()};
        const Run r = Tool(year);
        QCOMPARE(r.Status, 4);
        QVERIFY(r.Out.size() >= (1 << 24) - 2 * 365);
        QVERIFY(r.Out.size() < (1 << 24) + 400000);
        QVERIFY(r.Err.startsWith("vorelian-report: the report was cut at 16777216 characters"));
        QCOMPARE(r.Err.count('\n'), 1);
        const Run whole = Tool(QStringList(year) << "--format"
                                                 << "rtf");
        QCOMPARE(whole.Status, 0);
        QVERIFY(whole.Out.size() > (1 << 24));
        QVERIFY(whole.Err.isEmpty());
    }

    // Every data file at its limits: the longest reports stay within a memory cap.
    void aDataSetAtItsLimitsStaysWithinMemory_data() {
        QTest::addColumn<QStringList>("args");
        using L = QStringList;
        QTest::addRow("year as text") << L{"year", "--date", "2025-06-01"};
        QTest::addRow("year as RTF") << L{"year", "--date", "2025-06-01", "--format", "rtf"};
    }
    void aDataSetAtItsLimitsStaysWithinMemory() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the sanitizers' own memory would be counted");
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
        QSKIP("the sanitizers' own memory would be counted");
#endif
#endif
        QFETCH(QStringList, args);
        static QTemporaryDir dir;
        static const bool written = limits::WriteDataSetAtLimits(dir.path());
        QVERIFY(written);
        const Run r = Tool(args << "--data" << dir.path());
        QVERIFY(r.Status == 0 || r.Status == 4);
        QVERIFY(!r.Out.isEmpty());
        const long peak = limits::ChildrenPeakMiB();
        qInfo("peak resident size: %ld MiB", peak);
        QVERIFY2(peak < 500, qPrintable(QString::number(peak)));
    }

    void exitStatusTableInTheHelp() {
        const Run r = Tool({"--help"});
        for (const char* line : {"0 success", "2 bad arguments", "3 no data set found",
                                 "4 output cut at a limit", "1 anything else"})
            QVERIFY2(r.Out.contains(line), line);
    }

    void badArguments_data() {
        QTest::addColumn<QStringList>("args");
        using L = QStringList;
        QTest::addRow("no report") << L{};
        QTest::addRow("unknown report") << L{"decade"};
        QTest::addRow("two reports") << L{"day", "week"};
        QTest::addRow("unknown option") << L{"day", "--colour"};
        QTest::addRow("option without its value") << L{"day", "--date"};
        QTest::addRow("flag with a value") << L{"day", "--indiction=1"};
        QTest::addRow("malformed date") << L{"day", "--date", "14.07.2024"};
        QTest::addRow("date with letters") << L{"day", "--date", "2024-July-14"};
        QTest::addRow("month 13") << L{"day", "--date", "2024-13-01"};
        QTest::addRow("day 0") << L{"day", "--date", "2024-07-00"};
        QTest::addRow("Gregorian 29 February 2100") << L{"day", "--date", "2100-02-29"};
        QTest::addRow("Gregorian 29 February 2023") << L{"day", "--date", "2023-02-29"};
        QTest::addRow("Anno Mundi 29 February of a common year")
            << L{"day", "--style", "1", "--date", "7533-06-29"};
        QTest::addRow("31 April") << L{"day", "--date", "2024-04-31"};
        QTest::addRow("before the range") << L{"day", "--date", "1900-12-31"};
        QTest::addRow("after the range") << L{"day", "--date", "2101-01-14"};
        QTest::addRow("Anno Mundi year as Gregorian") << L{"day", "--date", "7533-01-10"};
        QTest::addRow("style 0") << L{"day", "--style", "0"};
        QTest::addRow("style 4") << L{"day", "--style", "4"};
        QTest::addRow("style word") << L{"day", "--style", "julian"};
        QTest::addRow("search without text") << L{"search"};
        QTest::addRow("search with blanks") << L{"search", "--text", "   "};
        QTest::addRow("format") << L{"day", "--format", "html"};
        QTest::addRow("first weekday 2") << L{"day", "--first-weekday", "2"};
        QTest::addRow("font size 0") << L{"day", "--font-size", "0"};
        QTest::addRow("font size word") << L{"day", "--font-size", "big"};
        QTest::addRow("empty font") << L{"day", "--font", ""};
        QTest::addRow("min year 0") << L{"day", "--min-year", "0"};
        QTest::addRow("max year 3001") << L{"day", "--max-year", "3001"};
        QTest::addRow("missing data folder") << L{"day", "--data", "/nonexistent/vorelian/Calendar"};
    }
    void badArguments() {
        QFETCH(QStringList, args);
        const Run r = Tool(args);
        QCOMPARE(r.Status, 2);
        QVERIFY(r.Out.isEmpty());
        QVERIFY(r.Err.startsWith("vorelian-report: "));
        QVERIFY(r.Err.endsWith('\n'));
        QCOMPARE(r.Err.count('\n'), 1);
    }
};

QTEST_GUILESS_MAIN(TestTool)
#include "test_tool.moc"
