// vorelian-report as a user runs it: each report and option, its RTF equal to the document the report
// layer writes for the same state, its text as the view shows it, and exit status 2 with one line of
// message for every bad argument.
#include "../limits_fixture.h"
#include "../program_run.h"
#include "calendar_fixture.h"

#include "bases/profile.h"
#include "core/tables.h"
#include "report/report.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <functional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace vorelian;
using namespace fixture;

namespace {

// A data set of `files` holding every month file the programs expect: those not given hold one empty day.
Files WithMonths(Files files) {
    for (const char* month : {"January", "February28", "February29", "March", "April", "May", "June", "July",
                              "August", "September", "October", "November", "December"}) {
        const QString name = QLatin1String(month) + QStringLiteral(".DAT");
        if (!files.contains(name))
            files.insert(name, QStringLiteral("[1]\n"));
    }
    return files;
}

const Files& ToolFiles() {
    static const Files files = WithMonths({
        {"July.DAT", "[1]\n0=Свв. бессребреников Космы и Дамиана.\n"},
        {"August.DAT", "[6]\nred=1\n0={1}Преображение Господне, 1-й.\n"},
        {"May.DAT", "[2]\n0=Свт. Афанасия, отцов учителя.\n"},
        {"December.DAT", "[25]\nRed=1\n0={1}Рождество Христово.\n"},
        {"Relocatable.DAT", "[1]\ndays=0\nred=1\n0={1}Светлое Христово Воскресение.\n"
                            "[2]\ndays=10\n0=Память святых отцов.\n"},
        {"Weekdays.DAT", "[1]\ndays=-7\nred=1\n0=Вход Господень в Иерусалим.\n"},
    });
    return files;
}

Run Tool(const QStringList& args) {
    return RunProgram(QStringLiteral(VORELIAN_REPORT_TOOL), args);
}

// The one document of a JSON run, parsed back.
QJsonObject Json(const Run& r) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.Out, &error);
    return error.error == QJsonParseError::NoError ? doc.object() : QJsonObject();
}

// A calendar file with its folded lines joined again.
QByteArray Unfolded(QByteArray ics) {
    return ics.replace("\r\n ", "");
}

// The dates of the events of a calendar file, in order.
QStringList EventDates(const QByteArray& ics) {
    static const QRegularExpression start(QStringLiteral("\r\nDTSTART;VALUE=DATE:(\\d{8})\r\n"));
    QStringList dates;
    for (auto it = start.globalMatch(QString::fromUtf8(ics)); it.hasNext();)
        dates << it.next().captured(1);
    return dates;
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
        QTest::addRow("largest font size") << L{"--font-size", "1638"} << "\\f0\\fs3276\r\n\r\n";
        QTest::addRow("Anno Mundi 29 February of a leap year")
            << L{"--style", "1", "--date", "7532-06-29"} << "29 февраля 7532 года от Сотворения Мира";
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
            for (const char* word : {"day",      "week",        "month",        "year",
                                     "feasts",   "search",      "--date",       "--style",
                                     "--format", "--indiction", "--all-styles", "--first-weekday",
                                     "--font",   "--font-size", "--min-year",   "--max-year",
                                     "--data",   "--text",      "--whole-word", "--fasting"})
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
        const std::pair<const char*, int> months[] = {
            {"January", 31}, {"February28", 28}, {"February29", 29}, {"March", 31},  {"April", 30},
            {"May", 31},     {"June", 30},       {"July", 31},       {"August", 31}, {"September", 30},
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
        if (kSanitizedBuild)
            QSKIP("the sanitizers' own memory would be counted");
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

    // Messages that say what is wrong: the style whose years are checked, the cause of a failed write.
    void messagesSayWhy_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("said");
        using L = QStringList;
        QTest::addRow("Anno Mundi date out of range")
            << L{"day", "--date", "7300-01-01", "--style", "1"} << "" << 2
            << QByteArray("the date is outside the range of years 7409-7608 of the Anno Mundi style");
        QTest::addRow("Julian range out of range")
            << L{"ical", "--from", "1900-12-20", "--to", "1901-01-10", "--style", "2"} << "" << 2
            << QByteArray("the range is outside the range of years 1901-2100 of the Julian style");
        QTest::addRow("full disk") << L{"day", "--date", "2027-01-07"} << "/dev/full" << 1
                                   << QByteArray("could not be written out: No space left on device");
    }
    void messagesSayWhy() {
        QFETCH(QStringList, args);
        QFETCH(QString, output);
        QFETCH(int, status);
        QFETCH(QByteArray, said);
        if (!output.isEmpty() && !QFile::exists(output))
            QSKIP("no such device here");
        QProcess p;
        if (!output.isEmpty())
            p.setStandardOutputFile(output);
        p.start(QStringLiteral(VORELIAN_REPORT_TOOL), WithData(args));
        const Run r = Finished(p);
        QCOMPARE(r.Status, status);
        QVERIFY2(r.Err.contains(said), r.Err.constData());
    }

    void exitStatusTableInTheHelp() {
        const Run r = Tool({"--help"});
        for (const char* line : {"0 success", "2 bad arguments", "3 no data set found",
                                 "4 output cut at a limit", "1 anything else"})
            QVERIFY2(r.Out.contains(line), line);
    }

    // JSON of fixed days of the bundled data set.
    void jsonDays_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("julian");
        QTest::addColumn<int>("weekday");
        QTest::addColumn<int>("tone"); // 0: null
        QTest::addColumn<bool>("red");
        QTest::addColumn<QString>("firstText");
        QTest::addColumn<QString>("firstRank");
        QTest::addColumn<bool>("firstMovable");
        QTest::addRow("Pascha 2027") << "2027-05-02"
                                     << "2027-04-19" << 7 << 0 << true
                                     << "Воскресение Господа Бога и Спаса нашего Иисуса Христа."
                                     << "great" << true;
        QTest::addRow("7 January 2027") << "2027-01-07"
                                        << "2026-12-25" << 4 << 6 << true
                                        << "Рождество по плоти Господа Бога и Спаса нашего Иисуса Христа."
                                        << "great" << false;
        QTest::addRow("a Sunday with a tone")
            << "2027-01-10"
            << "2026-12-28" << 7 << 7 << true
            << "Праведных Иосифа Обручника, Давида царя и Иакова, брата Господня."
            << "" << true;
    }
    void jsonDays() {
        QFETCH(QString, date);
        QFETCH(QString, julian);
        QFETCH(int, weekday);
        QFETCH(int, tone);
        QFETCH(bool, red);
        QFETCH(QString, firstText);
        QFETCH(QString, firstRank);
        QFETCH(bool, firstMovable);
        const Run r = Tool({"day", "--format", "json", "--date", date});
        QCOMPARE(r.Status, 0);
        const QJsonObject doc = Json(r);
        QCOMPARE(doc.keys(), QStringList{"days"});
        QCOMPARE(doc["days"].toArray().size(), 1);
        const QJsonObject day = doc["days"].toArray()[0].toObject();
        QCOMPARE(day["gregorian"].toString(), date);
        QCOMPARE(day["julian"].toString(), julian);
        QCOMPARE(day["weekday"].toInt(), weekday);
        QCOMPARE(day["tone"].isNull(), tone == 0);
        QCOMPARE(day["tone"].toInt(), tone);
        QCOMPARE(day["red"].toBool(), red);
        const QJsonArray entries = day["entries"].toArray();
        QVERIFY(!entries.isEmpty());
        const QJsonObject first = entries[0].toObject();
        QCOMPARE(first["text"].toString(), firstText);
        QCOMPARE(first["rank"].toString(), firstRank);
        QCOMPARE(first["rank"].isNull(), firstRank.isEmpty());
        QCOMPARE(first["movable"].toBool(), firstMovable);
        QCOMPARE(first["group"].toInt(), 0);
        for (const QJsonValue& e : entries)
            QVERIFY2(!e.toObject()["text"].toString().contains(QRegularExpression("[{}\\\\]")),
                     qPrintable(e.toObject()["text"].toString()));
    }

    // Pascha has the feast (placed by the movable cycle) and the saints of its fixed date.
    void movableAndFixedOnOneDay() {
        const QJsonArray entries = Json(Tool({"day", "--format", "json", "--date", "2027-05-02"}))["days"]
                                       .toArray()[0]
                                       .toObject()["entries"]
                                       .toArray();
        bool movable = false, fixed = false;
        for (const QJsonValue& e : entries)
            (e.toObject()["movable"].toBool() ? movable : fixed) = true;
        QVERIFY(movable && fixed);
    }

    // The entries of a day are the lines of its day report below the weekday line, without the mark
    // column and without the fasting line.
    void entriesAreTheDayReportLines_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("style");
        for (const char* d : {"2027-05-02", "2027-01-07", "2027-01-10", "2027-06-20", "2027-05-09",
                              "2027-04-25", "2027-03-20", "2027-08-28", "2027-09-27", "2027-12-19"})
            QTest::addRow("%s", d) << d << "3";
        QTest::addRow("Julian 25 December 2026") << "2026-12-25"
                                                 << "2";
        QTest::addRow("Anno Mundi 1 September 7536") << "7536-01-01"
                                                     << "1";
    }
    void entriesAreTheDayReportLines() {
        QFETCH(QString, date);
        QFETCH(QString, style);
        // Without the readings group, which stands between the groups (its lines are the JSON readings'
        // texts).
        const Run text = Tool({"day", "--date", date, "--style", style, "--readings", "off"});
        const Run json =
            Tool({"day", "--date", date, "--style", style, "--format", "json", "--readings", "off"});
        QCOMPARE(text.Status, 0);
        QCOMPARE(json.Status, 0);
        const QJsonObject day = Json(json)["days"].toArray()[0].toObject();
        QStringList lines = QString::fromUtf8(text.Out).split(u'\n', Qt::SkipEmptyParts);
        const qsizetype weekdayLine = lines.indexOf("    " + day["weekdayLine"].toString());
        QVERIFY2(weekdayLine > 0, qPrintable(day["weekdayLine"].toString()));
        lines = lines.mid(weekdayLine + 1);
        for (QString& l : lines)
            l = l.mid(4);
        if (!day["fasting"].isNull()) {
            QVERIFY(!lines.isEmpty());
            QCOMPARE(lines.takeLast(), day["fasting"]["text"].toString());
        }
        QStringList entries;
        for (const QJsonValue& e : day["entries"].toArray())
            entries << e.toObject()["text"].toString();
        QCOMPARE(entries, lines);
    }

    void jsonReports_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        using L = QStringList;
        QTest::addRow("week") << L{"week", "--date", "2027-05-05"} << 7 << "2027-05-02"
                              << "2027-05-08";
        QTest::addRow("month") << L{"month", "--date", "2028-02-10"} << 29 << "2028-02-01"
                               << "2028-02-29";
        QTest::addRow("year") << L{"year", "--date", "2027-05-05"} << 365 << "2027-01-01"
                              << "2027-12-31";
        QTest::addRow("Julian year") << L{"year", "--style", "2", "--date", "2027-05-05"} << 365
                                     << "2027-01-14"
                                     << "2028-01-13";
        QTest::addRow("Anno Mundi year")
            << L{"year", "--style", "1", "--date", "7536-05-05"} << 366 << "2027-09-14"
            << "2028-09-13";
    }
    void jsonReports() {
        QFETCH(QStringList, args);
        QFETCH(int, days);
        QFETCH(QString, first);
        QFETCH(QString, last);
        const Run r = Tool(args << "--format"
                                << "json");
        QCOMPARE(r.Status, 0);
        const QJsonArray list = Json(r)["days"].toArray();
        QCOMPARE(list.size(), days);
        QCOMPARE(list.first()["gregorian"].toString(), first);
        QCOMPARE(list.last()["gregorian"].toString(), last);
        for (const QJsonValue& d : list)
            QCOMPARE(d.toObject().keys(),
                     (QStringList{"annoMundi", "entries", "fasting", "gregorian", "indiction", "julian",
                                  "liturgy", "noWeddings", "readings", "red", "royalHours", "tone", "weekday",
                                  "weekdayLine"}));
    }

    void jsonFeastsAndSearch() {
        const QJsonObject feasts = Json(Tool({"feasts", "--format", "json", "--date", "2027-05-05"}));
        QCOMPARE(feasts.keys(), QStringList{"feasts"});
        const QJsonArray rows = feasts["feasts"].toArray();
        QVERIFY(rows.size() >= 18);
        for (const QJsonValue& f : rows)
            QCOMPARE(f.toObject().keys(),
                     (QStringList{"annoMundi", "gregorian", "julian", "movable", "red", "text"}));
        bool pascha = false;
        for (const QJsonValue& f : rows)
            pascha |= f["gregorian"].toString() == "2027-05-02" && f["movable"].toBool();
        QVERIFY(pascha);

        const QJsonObject search = Json(
            Tool({"search", "--format", "json", "--date", "2027-05-05", "--text", "Пермск", "--whole-word"}));
        QCOMPARE(search.keys(), (QStringList{"matches", "text", "wholeWord", "year"}));
        QCOMPARE(search["text"].toString(), "Пермск");
        QCOMPARE(search["wholeWord"].toBool(), true);
        QCOMPARE(search["year"].toInt(), 2027);
        const QJsonObject loose =
            Json(Tool({"search", "--format", "json", "--date", "2027-05-05", "--text", "Пермск"}));
        const QJsonArray matches = loose["matches"].toArray();
        QVERIFY(!matches.isEmpty());
        for (const QJsonValue& m : matches) {
            QCOMPARE(m.toObject().keys(), (QStringList{"annoMundi", "gregorian", "julian", "text"}));
            QVERIFY(m["text"].toString().contains("Пермск", Qt::CaseInsensitive)); // «Великопермского» too
        }
    }

    // The name-day search beside the text search: a name finds its saints through the table of names, in
    // text and in JSON of the text search's shape. A rule number given twice in the fasting rules is named
    // on stderr by the report commands too.
    void nameSearch() {
        const Calendar c(WithMonths({
            {"Names.DAT", "[Серафима]\ngender=ж\ngenitive=Серафимы\n[Серафим]\ngender=м\ngenitive=Серафима\n"
                          "[Фотина]\ngender=ж\ngenitive=Фотины\nnames=Светлана\n"},
            {"July.DAT", "[19]\n0=Прп. Серафима Саровского.\n[29]\n1=Мц. Серафимы девы.\n"},
            {"March.DAT", "[20]\n1=Мц. Фотины Самаряныни.\n"},
            {"Fasting.DAT", "[Levels]\nnone=Нет.\n[10]\nlevel=none\n[10]\nlevel=none\n"},
        }));
        const QStringList at = {"search", "--date", "2027-05-05", "--data", c.Dir.path()};
        const Run text = Tool(QStringList(at) << "--name"
                                              << "Серафима");
        QCOMPARE(text.Status, 0);
        const QString shown = QString::fromUtf8(text.Out);
        QVERIFY2(shown.contains(QStringLiteral("Именины: \"Серафима\"")), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("Мц. Серафимы девы.")), qPrintable(shown));
        QVERIFY2(!shown.contains(QStringLiteral("Саровского")), qPrintable(shown));
        QVERIFY2(text.Err.contains("Fasting.DAT:3: rule number 10 given again on line 5"),
                 text.Err.constData());

        const QJsonObject json = Json(Tool(QStringList(at) << "--name"
                                                           << "Светлана"
                                                           << "--format"
                                                           << "json"));
        QCOMPARE(json.keys(), (QStringList{"matches", "text", "wholeWord", "year"}));
        QCOMPARE(json["text"].toString(), QStringLiteral("Светлана"));
        const QJsonArray matches = json["matches"].toArray();
        QCOMPARE(matches.size(), 1);
        QCOMPARE(matches[0]["julian"].toString(), "2027-03-20");
        QCOMPARE(matches[0]["gregorian"].toString(), "2027-04-02");
        QCOMPARE(matches[0]["text"].toString(), QStringLiteral("Мц. Фотины Самаряныни."));

        // The text search stays as it was: a part of a word, any case.
        const QJsonObject loose = Json(Tool(QStringList(at) << "--text"
                                                            << "серафим"
                                                            << "--format"
                                                            << "json"));
        QCOMPARE(loose["matches"].toArray().size(), 2);
    }

    // The great feasts of a year: the twelve, the great feasts of the year and Pascha, on the days the
    // JSON of the year gives a great entry.
    void icalGreatFeastsOfAYear() {
        const Run r = Tool({"ical", "--from", "2027-01-01", "--to", "2027-12-31", "--scope", "great"});
        QCOMPARE(r.Status, 0);
        const QStringList dates = EventDates(r.Out);
        QCOMPARE(dates.size(), 18);
        QStringList great;
        for (const QJsonValue& d :
             Json(Tool({"year", "--format", "json", "--date", "2027-01-01"}))["days"].toArray())
            for (const QJsonValue& e : d["entries"].toArray())
                if (e["rank"].toString() == "great") {
                    great << d["gregorian"].toString().remove(u'-');
                    break;
                }
        QCOMPARE(dates, great);
        for (const char* day : {"20270107", "20270119", "20270215", "20270407", "20270425", "20270502",
                                "20270610", "20270620", "20270707", "20270712", "20270819", "20270828",
                                "20270911", "20270921", "20270927", "20271014", "20271204"})
            QVERIFY2(dates.contains(day), day);
        QVERIFY(Unfolded(r.Out).contains(
            "\r\nSUMMARY:Воскресение Господа Бога и Спаса нашего Иисуса Христа.\r\n"));
    }

    // The same range gives the same bytes, whatever day it is run; a wider range holds the same events.
    void icalIsStable() {
        const QStringList args = {"ical", "--from", "2027-04-25", "--to", "2027-05-09", "--scope", "all"};
        const Run one = Tool(args), two = Tool(args);
        QCOMPARE(one.Status, 0);
        QCOMPARE(one.Out, two.Out);
        QCOMPARE(EventDates(one.Out).size(), 15);
        const Run wider = Tool({"ical", "--from", "2027-04-01", "--to", "2027-05-31", "--scope", "all"});
        const auto event = [](const QByteArray& ics, const char* date) {
            const qsizetype at = ics.indexOf(QByteArray("UID:") + date);
            return ics.mid(at, ics.indexOf("END:VEVENT", at) - at);
        };
        QVERIFY(!event(one.Out, "20270502-all").isEmpty());
        QCOMPARE(event(one.Out, "20270502-all"), event(wider.Out, "20270502-all"));
    }

    // --fasting off leaves the fasting line out of every description.
    void icalFastingOption() {
        const QStringList days = {"ical", "--from", "2027-03-01", "--to", "2027-03-03", "--scope", "all"};
        const Run on = Tool(days + QStringList{"--fasting", "on"});
        const Run off = Tool(days + QStringList{"--fasting", "off"});
        QCOMPARE(on.Status, 0);
        QCOMPARE(off.Status, 0);
        QCOMPARE(EventDates(on.Out), EventDates(off.Out));
        QVERIFY(Unfolded(on.Out).size() > Unfolded(off.Out).size());
    }

    // Red days: every Sunday and every red feast; the style only says how --from and --to are read.
    void icalRedDaysInAnyStyle() {
        const Run gregorian = Tool({"ical", "--from", "2027-01-14", "--to", "2027-02-13", "--scope", "red"});
        const Run julian =
            Tool({"ical", "--style", "2", "--from", "2027-01-01", "--to", "2027-01-31", "--scope", "red"});
        QCOMPARE(gregorian.Status, 0);
        QCOMPARE(gregorian.Out, julian.Out);
        const QStringList dates = EventDates(gregorian.Out);
        for (const char* sunday : {"20270117", "20270124", "20270131", "20270207"})
            QVERIFY2(dates.contains(sunday), sunday);
    }

    // A folder is a data set only with a readable January.DAT; month files that cannot be read are
    // named in one warning, and a pipe among them is never waited on. The marks after a name: "/" a
    // folder, "|" a pipe, "@" a broken link, "0" an empty file.
    void dataFolders_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("named");
        using L = QStringList;
        QTest::addRow("empty folder") << L{} << 3 << L{};
        QTest::addRow("no January") << L{"May.DAT"} << 3 << L{};
        QTest::addRow("January a folder") << L{"January.DAT/"} << 3 << L{};
        QTest::addRow("January a pipe") << L{"January.DAT|"} << 3 << L{};
        QTest::addRow("broken month files")
            << L{"January.DAT", "March.DAT|", "April.DAT/", "May.DAT@", "June.DAT0"} << 0
            << L{"March.DAT (not a regular file)", "April.DAT (not a regular file)", "May.DAT (missing)",
                 "June.DAT (an empty file)", "February29.DAT (missing)"};
    }
    void dataFolders() {
        QFETCH(QStringList, files);
        QFETCH(int, status);
        QFETCH(QStringList, named);
        QTemporaryDir dir;
        for (const QString& f : files) {
            const QString path = dir.filePath(f.chopped(f.endsWith(u".DAT") ? 0 : 1));
            if (f.endsWith(u'/'))
                QVERIFY(QDir().mkdir(path));
            else if (f.endsWith(u'|'))
#ifdef Q_OS_UNIX
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#else
                QSKIP("no named pipes here");
#endif
            else if (f.endsWith(u'@'))
                QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere")), path));
            else
                WriteFile(path,
                          f.endsWith(u'0') ? QString() : QStringLiteral("[7]\n0=Рождество Христово.\n"));
        }
        const Run r = Tool({"day", "--date", "2027-01-20", "--data", dir.path()});
        QCOMPARE(r.Status, status);
        QCOMPARE(r.Err.count('\n'), 1);
        if (status != 0) {
            QVERIFY2(r.Err.contains(dir.path().toUtf8()), r.Err.constData());
            return;
        }
        QVERIFY(QString::fromUtf8(r.Out).contains(QStringLiteral("Рождество Христово")));
        for (const QString& n : named)
            QVERIFY2(r.Err.contains(n.toUtf8()), r.Err.constData());
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
        QTest::addRow("search with blanks for a name") << L{"search", "--name", "  "};
        QTest::addRow("search by text and name") << L{"search", "--text", "Ник", "--name", "Николай"};
        QTest::addRow("name without search") << L{"day", "--name", "Николай"};
        QTest::addRow("format") << L{"day", "--format", "html"};
        QTest::addRow("first weekday 2") << L{"day", "--first-weekday", "2"};
        QTest::addRow("font size 0") << L{"day", "--font-size", "0"};
        QTest::addRow("font size word") << L{"day", "--font-size", "big"};
        QTest::addRow("font size above the largest") << L{"day", "--font-size", "1639"};
        QTest::addRow("empty font") << L{"day", "--font", ""};
        QTest::addRow("min year 0") << L{"day", "--min-year", "0"};
        QTest::addRow("max year 3001") << L{"day", "--max-year", "3001"};
        QTest::addRow("fasting yes") << L{"day", "--fasting", "yes"};
        QTest::addRow("fasting without its value") << L{"day", "--fasting"};
        QTest::addRow("missing data folder") << L{"day", "--data", "/nonexistent/vorelian/Calendar"};
        QTest::addRow("json with a bad date") << L{"day", "--format", "json", "--date", "2027-02-29"};
        QTest::addRow("ical without a range") << L{"ical"};
        QTest::addRow("ical without its end") << L{"ical", "--from", "2027-01-01"};
        QTest::addRow("ical from after to") << L{"ical", "--from", "2027-01-02", "--to", "2027-01-01"};
        QTest::addRow("ical of 50 years") << L{"ical", "--from", "1901-01-01", "--to", "1951-01-01"};
        QTest::addRow("ical of 200 years") << L{"ical", "--from", "1901-01-01", "--to", "2100-12-31"};
        QTest::addRow("ical malformed date") << L{"ical", "--from", "2027-1-1x", "--to", "2027-12-31"};
        QTest::addRow("ical no such day") << L{"ical", "--from", "2027-02-29", "--to", "2027-12-31"};
        QTest::addRow("ical before the range") << L{"ical", "--from", "1900-12-31", "--to", "1901-01-10"};
        QTest::addRow("ical after the range") << L{"ical", "--from", "2100-12-01", "--to", "2101-01-01"};
        QTest::addRow("ical unknown scope")
            << L{"ical", "--from", "2027-01-01", "--to", "2027-12-31", "--scope", "saints"};
        QTest::addRow("ical with a format")
            << L{"ical", "--from", "2027-01-01", "--to", "2027-12-31", "--format", "json"};
        QTest::addRow("ical with a date")
            << L{"ical", "--from", "2027-01-01", "--to", "2027-12-31", "--date", "2027-01-01"};
        QTest::addRow("scope without ical") << L{"day", "--scope", "great"};
        QTest::addRow("range without ical") << L{"year", "--from", "2027-01-01", "--to", "2027-12-31"};
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
