// The week, month and year reports: exact bytes of a week by hand, a week across the new year with each
// year's movable entries, month and year reports in the Anno Mundi style, and the state left as it was.
// Longer reports are checked against the day blocks that the day report's pieces give when each day is
// made the user's date by the ordinary recomputation.
#include "calendar_fixture.h"

#include "core/tables.h"
#include "report/builders.h"
#include "report/dayblock.h"
#include "report/documents.h"

#include <QRegularExpression>

using namespace vorelian;
using namespace fixture;

namespace {

const QString kGreg = QStringLiteral(" от Р.Х. по новому стилю");
const QString kAM = QStringLiteral(" от Сотворения Мира");

// Movable entries that land near the new year 2015 only when the right Paschal year is placed:
// Pascha 2014 is 20 April, Pascha 2015 is 12 April (Gregorian).
const Files& NewYearFiles() {
    static const Files files = {
        {"Relocatable.DAT", "[1]\ndays=-100\n0=Новогодняя памятка.\n"
                            "[2]\ndays=252\n0=Декабрьская памятка.\n"
                            "[3]\ndays=254\n0=Памятка тридцатого.\n"},
        {"December.DAT", "[17]\n0=Прор. Даниила.\n[15]\nred=1\n0={3}Красный день.\n"},
        {"September.DAT", "[1]\nred=1\n0={1}Начало индикта.\n[8]\n0={1}Рождество Богородицы.\n"},
        {"January.DAT", "[1]\nRed=1\n0=Обрезание.\n4=Святки.\n"},
        {"Special.DAT", "[1]\n0=Неделя по Рождестве.\n"},
    };
    return files;
}

// The block of one day as the engine answers it when that day is the user's date.
QString OracleBlock(Calendar& o, int16_t style, int32_t day, bool firstDay, bool showYear, bool inWeek) {
    o.SetDay(style, day);
    return PeriodDayBlock(o.Today(), DayOptionsOf(o.Options, style), firstDay, showYear, inWeek);
}

QString Block(const QString& colour, const QString& date, const QString& weekday) {
    return colour + P + B + date + P + P + B + weekday + P + Navy + "\r\n" + P + Sep + P;
}

int Count(const QString& text, const QString& what) {
    return int(text.count(what));
}

} // namespace

class TestReportPeriods : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void weekInsideAYear_data() {
        QTest::addColumn<bool>("indiction");
        QTest::addRow("plain") << false;
        QTest::addRow("indiction on the first day") << true;
    }
    void weekInsideAYear() {
        QFETCH(bool, indiction);
        Calendar c;
        c.Options.ShowIndiction = indiction;
        c.SetGregorian(17, 7, 2024);
        BuildReport(c.Ctx, TabWeek);
        const QString weekday = QStringLiteral(" 4-ой седмицы по Пятидесятнице. Глас 2-й.");
        QString sunday = Block(Red, "14 июля", "Неделя 3-я по Пятидесятнице. Глас 2-й.");
        if (indiction)
            sunday.insert(Red.size(), P + B + "84-й год 15-го индиктиона" + P);
        const QString body =
            P + B + "Седмица" + P + B + "с 14 июля 2024 года" + P + B + "по 20 июля 2024 года" + kGreg + P +
            Sep + P + sunday + Block(Navy, "15 июля", "Понедельник" + weekday) +
            Block(Navy, "16 июля", "Вторник" + weekday) + Block(Navy, "17 июля", "Среда" + weekday) +
            Block(Navy, "18 июля", "Четверг" + weekday) + Block(Navy, "19 июля", "Пятница" + weekday) +
            Block(Navy, "20 июля", "Суббота" + weekday) + End;
        QCOMPARE(Text(c.Last(TabWeek)), Text(Doc({Header() + Navy, body})));
        QCOMPARE(c.Host.Busy, (QList<bool>{true, false}));
    }

    // Sunday 28 December 2014 to Saturday 3 January 2015: every date with its year, and the days of each
    // year with that year's movable entries, whichever half the user's date is in.
    void weekAcrossTheNewYear_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addRow("user in December") << 30 << 12 << 2014;
        QTest::addRow("user in January") << 2 << 1 << 2015;
    }
    void weekAcrossTheNewYear() {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        Calendar c(NewYearFiles());
        c.SetGregorian(day, month, year);
        const Snapshot before(c);
        BuildReport(c.Ctx, TabWeek);
        QCOMPARE(Snapshot(c), before);
        const QString doc = Text(c.Last(TabWeek));

        QVERIFY(doc.contains(P + B + "Седмица" + P + B + "с 28 декабря 2014 года" + P + B +
                             "по 3 января 2015 года" + kGreg + P + Sep + P));
        const int32_t first = DayNumber(StyleGregorian, 28, 12, 2014);
        Calendar o(NewYearFiles());
        QString expected = P + B + "Седмица" + P + B + "с 28 декабря 2014 года" + P + B +
                           "по 3 января 2015 года" + kGreg + P + Sep + P;
        for (int32_t t = first; t < first + 7; ++t)
            expected += OracleBlock(o, StyleGregorian, t, t == first, true, true);
        expected += End;
        QCOMPARE(doc, Text(Doc({Header() + Navy, expected})));

        // Each movable entry in its own day's block only.
        const QStringList blocks = doc.split(Sep + P);
        QCOMPARE(blocks.size(), 9); // heading, seven days, the end
        const QStringList dates = {"28 декабря 2014 года", "29 декабря 2014 года", "30 декабря 2014 года",
                                   "31 декабря 2014 года", "1 января 2015 года",   "2 января 2015 года",
                                   "3 января 2015 года"};
        for (int i = 0; i < 7; ++i) {
            const QString& b = blocks[i + 1];
            QVERIFY2(b.contains(B + dates[i] + P), qPrintable(dates[i]));
            QCOMPARE(b.contains(u"Декабрьская памятка."), i == 0);
            QCOMPARE(b.contains(u"Памятка тридцатого."), i == 2);
            QCOMPARE(b.contains(u"Новогодняя памятка."), i == 5);
        }

        // Afterwards the user's own day shows its own year's movable entries.
        BuildReport(c.Ctx, TabDay);
        const QString dayDoc = Text(c.Last(TabDay));
        QCOMPARE(dayDoc.contains(u"Памятка тридцатого."), day == 30);
        QCOMPARE(dayDoc.contains(u"Новогодняя памятка."), day == 2);
    }

    // The Anno Mundi year ends on 31 August: the week from Sunday 31 August 7523 to Saturday 6 September
    // 7524 (Julian 2015) shows each half with its own year, and the new year's 1 September its indiction.
    void weekAcrossTheAnnoMundiNewYear_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("year");
        QTest::addRow("user on 31 August") << 12 << 31 << 7523;
        QTest::addRow("user on 3 September") << 1 << 3 << 7524;
    }
    void weekAcrossTheAnnoMundiNewYear() {
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, year);
        Calendar c(NewYearFiles());
        c.Options.ShowIndiction = true;
        c.SetDate(StyleAnnoMundi, day, month, year);
        const Snapshot before(c);
        BuildReport(c.Ctx, TabWeek);
        QCOMPARE(Snapshot(c), before);

        Calendar o(NewYearFiles());
        o.Options.ShowIndiction = true;
        const int32_t first = DayNumber(StyleJulian, 31, 8, 2015);
        QString expected = P + B + "Седмица" + P + B + "с 31 августа 7523 года" + P + B +
                           "по 6 сентября 7524 года" + kAM + P + Sep + P;
        for (int32_t t = first; t < first + 7; ++t)
            expected += OracleBlock(o, StyleAnnoMundi, t, t == first, true, true);
        expected += End;
        const QString doc = Text(c.Last(TabWeek));
        QCOMPARE(doc, Text(Doc({Header() + Navy, expected})));
        QCOMPARE(Count(doc, QStringLiteral("-го индиктиона")), 2); // the first day and 1 September
        QVERIFY(doc.contains(B + "1 сентября 7524 года" + P));
        QVERIFY(doc.contains("\r\n" + Red + P + B + "76-й год 15-го индиктиона" + P + P + B +
                             "1 сентября 7524 года" + P));
        QVERIFY(doc.contains(u"Начало индикта."));
    }

    void weekWithAllStylesShowsYears() {
        Calendar c;
        c.Options.ShowAllStyles = true;
        c.SetGregorian(17, 7, 2024);
        BuildReport(c.Ctx, TabWeek);
        const QString doc = Text(c.Last(TabWeek));
        QVERIFY(doc.contains(B + "14 июля 2024 года" + kGreg + P + B +
                             "1 июля 2024 года от Р.Х. по старому стилю" + P + B + "1 июля 7532 года" + kAM +
                             P));
        QCOMPARE(Count(doc, QStringLiteral(" 2024 года") + kGreg),
                 8); // seven days and the closing heading line
    }

    void monthReport_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("indiction");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<int>("indictionLines");
        QTest::addRow("AM September") << 1 << 10 << 1 << 7533 << true << "Сентябрь 7533 года" + kAM << 1;
        QTest::addRow("AM September, option off")
            << 1 << 10 << 1 << 7533 << false << "Сентябрь 7533 года" + kAM << 0;
        QTest::addRow("AM October") << 1 << 31 << 2 << 7533 << true << "Октябрь 7533 года" + kAM << 1;
        QTest::addRow("AM February of a common year")
            << 1 << 3 << 6 << 7533 << false << "Февраль 7533 года" + kAM << 0;
        QTest::addRow("Gregorian September: 1st and 14th")
            << 3 << 20 << 9 << 2024 << true << "Сентябрь 2024 года" + kGreg << 2;
        QTest::addRow("Julian December")
            << 2 << 5 << 12 << 2014 << false << "Декабрь 2014 года от Р.Х. по старому стилю" << 0;
    }
    void monthReport() {
        QFETCH(int, style);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(bool, indiction);
        QFETCH(QString, heading);
        QFETCH(int, indictionLines);
        Calendar c(NewYearFiles());
        c.Options.ShowIndiction = indiction;
        c.SetDate(int16_t(style), day, month, year);
        const Snapshot before(c);
        const int32_t first = c.State.Cur().MonthFirstDay, last = c.State.Cur().MonthLastDay;
        BuildReport(c.Ctx, TabMonth);
        QCOMPARE(Snapshot(c), before);
        QCOMPARE(c.Host.Busy, (QList<bool>{true, false}));

        Calendar o(NewYearFiles());
        o.Options.ShowIndiction = indiction;
        QStringList writes = {Header() + Navy + P + B + heading + P + Sep + P};
        for (int32_t t = first; t <= last; ++t)
            writes << OracleBlock(o, int16_t(style), t, t == first, false, false);
        writes << End;
        const QString doc = Text(c.Last(TabMonth));
        QCOMPARE(doc, Text(Doc(writes)));
        QCOMPARE(Count(doc, QStringLiteral("-го индиктиона")), indictionLines);
        QCOMPARE(Count(doc, Sep), int(last - first + 2));
    }

    void yearReportAnnoMundi() {
        Calendar c(NewYearFiles());
        c.Options.ShowIndiction = true;
        c.SetDate(StyleAnnoMundi, 15, 3, 7523); // 15 November 2014, Julian
        const Snapshot before(c);
        BuildReport(c.Ctx, TabYear);
        QCOMPARE(Snapshot(c), before);
        const QString doc = Text(c.Last(TabYear));

        // Heading, then the months from September to August.
        QVERIFY(doc.startsWith(Header() + Navy + P + B + "7523 год" + kAM + P + Sep + P + "\r\n"));
        static const QRegularExpression monthHead(
            QStringLiteral("\\\\cf1 \\\\par\r\n\\\\f1    \\\\f0  (\\w+)\\\\par\r\n\\.{99}"),
            QRegularExpression::UseUnicodePropertiesOption);
        QStringList months;
        for (auto it = monthHead.globalMatch(doc); it.hasNext();)
            months << it.next().captured(1);
        QCOMPARE(months, (QStringList{"Сентябрь", "Октябрь", "Ноябрь", "Декабрь", "Январь", "Февраль", "Март",
                                      "Апрель", "Май", "Июнь", "Июль", "Август"}));
        QCOMPARE(Count(doc, QStringLiteral("-го индиктиона")), 1); // 1 September is the first day
        QCOMPARE(Count(doc, P + B + "1 сентября" + P), 1);
        QVERIFY(!doc.contains(u" года"));

        // Every block: red ones red from their date line to their last entry, every separator navy.
        int red = 0, days = 0;
        for (QString piece : doc.split(Sep + P)) {
            if (piece.startsWith(u"\r\n"))
                piece.remove(0, 2);
            const bool isDay =
                std::any_of(WeekdayNames.begin() + 8, WeekdayNames.begin() + 15,
                            [&](const QString& name) { return piece.contains(B + name + ' '); });
            if (!isDay)
                continue; // the heading of the report or of a month
            ++days;
            QVERIFY(piece.endsWith(Navy + P));
            const QString inner = piece.chopped(Navy.size() + P.size());
            if (inner.startsWith(Red)) {
                ++red;
                QVERIFY(!inner.contains(Navy));
            } else {
                QVERIFY(inner.startsWith(Navy));
                QVERIFY(!inner.contains(Red));
            }
        }
        QCOMPARE(days, 365);
        // The year begins on a Sunday, so it has 53 (its red 1 September and red 15 December are Sundays
        // too), and the red 1 January is a Wednesday.
        QCOMPARE(red, 54);
    }

    void yearReportGregorianAgainstDayBlocks() {
        Calendar c(NewYearFiles());
        c.Options.ShowIndiction = true;
        c.SetGregorian(1, 6, 2014);
        const int32_t first = c.State.Cur().YearFirstDay, last = c.State.Cur().YearLastDay;
        BuildReport(c.Ctx, TabYear);
        Calendar o(NewYearFiles());
        o.Options.ShowIndiction = true;
        QStringList writes = {Header() + Navy + P + B + "2014 год" + kGreg + P + Sep + P};
        int month = 0;
        for (int32_t t = first; t <= last; ++t) {
            const QString block = OracleBlock(o, StyleGregorian, t, t == first, false, false);
            if (o.State.Cur().Month != month) {
                month = o.State.Cur().Month;
                writes << Navy + P + B + MonthNameOf(month, 1) + P + Sep + P;
            }
            writes << block;
        }
        writes << End;
        const QString doc = Text(c.Last(TabYear));
        QCOMPARE(doc, Text(Doc(writes)));
        QCOMPARE(Count(doc, QStringLiteral("-го индиктиона")), 2); // 1 January and 14 September
        QCOMPARE(c.Out.ReportBuiltFor[TabYear][0], first);
    }

    // The period reports write to their own files, which hold exactly what was shown.
    void periodFiles() {
        Calendar c(NewYearFiles());
        c.MakeTempFiles();
        c.SetGregorian(30, 12, 2014);
        for (int tab : {TabWeek, TabMonth, TabYear}) {
            BuildReport(c.Ctx, tab);
            QFile f(c.Out.Temp.Paths[tab]);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), c.Last(tab));
            QCOMPARE(c.Host.Reports.last().Path, c.Out.Temp.Paths[tab]);
        }
    }
};

QTEST_GUILESS_MAIN(TestReportPeriods)
#include "test_report_periods.moc"
