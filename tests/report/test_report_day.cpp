// The day report byte for byte on small data written here, the pieces of the day block, and the dispatcher
// that rebuilds a tab only when its key or style changed.
#include "calendar_fixture.h"

#include "report/builders.h"
#include "report/dayblock.h"

using namespace vorelian;
using namespace fixture;

namespace {

const QString kPlus = QStringLiteral("\\f1 (+)\\f0  ");
const QString kHalf = QStringLiteral("\\f1  +)\\f0  ");
const QString kCross = QStringLiteral("\\f1  + \\f0  ");
const QString kC = QStringLiteral("\\f1  c \\f0  ");
const QString kSha = QStringLiteral("\\f1  ш \\f0  ");

const Files& DayFiles() {
    static const Files files = {
        {"July.DAT", "[1]\n0=Свв. бессребреников Космы и Дамиана.\n"},
        {"August.DAT", "[6]\nred=1\n0={1}Преображение Господне.\n0={4}Текст с кодом четыре.\n"},
        {"April.DAT", "[22]\n0=Мч. Вадима.\n[23]\n0={3}Вмч. Георгия Победоносца.\n"},
        {"June.DAT", "[13]\n4=Ф4\n3=Ф3\n0=Ф0\n1=Ф1\n2=Ф2\nfoo=не показывается\n"},
        {"February29.DAT", "[28]\n0=Двадцать восьмое високосного.\n[29]\n0=Прп. Кассиана Римлянина.\n"},
        {"February28.DAT", "[28]\n0=Двадцать восьмое простого.\n"},
        {"December.DAT", "[25]\nRed=1\n0={1}Рождество Христово.\n"},
        {"Relocatable.DAT", "[1]\ndays=0\nred=1\n0={1}Светлое Христово Воскресение.\n"
                            "[2]\ndays=1\n0=Светлый понедельник.\n"
                            "[3]\ndays=52\n0=А0\n11=А11\n19=А19\n21=А21\n29=А29\n31={5}А31\n39={6}А39\n4=А4\n"
                            "[4]\ndays=52\n0={2}  Б0\n11=Б11\n19=Б19\n21=Б21\n29=Б29\n31=Б31\n39=Б39\n4=Б4\n"
                            "[5]\ndays=106\n0=Движимая строка.\n0={1}Движимый праздник.\n"},
        {"Relocatable1.DAT", "[1]\nday=12\nmonth=6\nweekday=3\n0=В0\n11=В11\n19=В19\n4=В4\n"},
    };
    return files;
}

// The day report of a day in a style, as the host was given it.
QByteArray DayReport(Calendar& c, int16_t style, int day, int month, int year) {
    c.SetDate(style, day, month, year);
    BuildReport(c.Ctx, TabDay);
    return c.Last(TabDay);
}

const QString kGreg = QStringLiteral(" от Р.Х. по новому стилю");
const QString kJul = QStringLiteral(" от Р.Х. по старому стилю");
const QString kAM = QStringLiteral(" от Сотворения Мира");

// The head of a day report: its colour, the date line and the weekday line, each a bold paragraph.
QString DayHead(const QString& colour, const QString& dateLine, const QString& weekdayLine) {
    return colour + P + B + dateLine + P + P + B + weekdayLine + P;
}

// The entries of 26 June 2024 on the data above: every group, with two records placed before and two
// after the day file's line of each group.
QString June26Entries() {
    return P + Dot + "А0" + P + kHalf + "Б0" + P + Dot + "В0" + P + Dot + "Ф0" + P + P + Dot + "В11" + P +
           Dot + "Б11" + P + Dot + "А11" + P + Dot + "Ф1" + P + Dot + "А19" + P + Dot + "Б19" + P + Dot +
           "В19" + P + P + Dot + "Б21" + P + Dot + "А21" + P + Dot + "Ф2" + P + Dot + "А29" + P + Dot +
           "Б29" + P + P + Dot + "Б31" + P + kC + "А31" + P + Dot + "Ф3" + P + kSha + "А39" + P + Dot +
           "Б39" + P + P + B + "Ф4" + P + B + "А4" + P + B + "Б4" + P + B + "В4" + P;
}

} // namespace

class TestReportDay : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wholeDayReports_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("body");

        QTest::addRow("no entries") << 3 << 17 << 7 << 2024
                                    << DayHead(Navy, "17 июля 2024 года" + kGreg,
                                               "Среда 4-ой седмицы по Пятидесятнице. Глас 2-й.") +
                                           End;
        QTest::addRow("Sunday red without a red entry")
            << 3 << 14 << 7 << 2024
            << DayHead(Red, "14 июля 2024 года" + kGreg, "Неделя 3-я по Пятидесятнице. Глас 2-й.") + P + Dot +
                   "Свв. бессребреников Космы и Дамиана." + P + End;
        QTest::addRow("red line; great feasts first, the movable one before; then movable, then fixed")
            << 3 << 19 << 8 << 2024
            << DayHead(Red, "19 августа 2024 года" + kGreg,
                       "Понедельник 9-ой седмицы по Пятидесятнице. Глас 7-й.") +
                   P + kPlus + "Движимый праздник." + P + kPlus + "Преображение Господне." + P + Dot +
                   "Движимая строка." + P + Dot + "{4}Текст с кодом четыре." + P + End;
        QTest::addRow("Pascha: movable text first")
            << 3 << 5 << 5 << 2024
            << DayHead(Red, "5 мая 2024 года" + kGreg, "Неделя 1-я по Пасхе.") + P + kPlus +
                   "Светлое Христово Воскресение." + P + Dot + "Мч. Вадима." + P + End;
        QTest::addRow("after Pascha: movable text before the day file, whatever its rank")
            << 3 << 6 << 5 << 2024
            << DayHead(Navy, "6 мая 2024 года" + kGreg, "Понедельник Светлой седмицы.") + P + Dot +
                   "Светлый понедельник." + P + kCross + "Вмч. Георгия Победоносца." + P + End;
        QTest::addRow("every group, two records before and after")
            << 3 << 26 << 6 << 2024
            << DayHead(Navy, "26 июня 2024 года" + kGreg, "Среда 1-ой седмицы по Пятидесятнице.") +
                   June26Entries() + End;
        QTest::addRow("Julian 29 February, leap year")
            << 3 << 13 << 3 << 2024
            << DayHead(Navy, "13 марта 2024 года" + kGreg,
                       "Среда 41-ой седмицы по Пятидесятнице. Глас 7-й.") +
                   P + Dot + "Прп. Кассиана Римлянина." + P + End;
        QTest::addRow("Julian 28 February, leap year")
            << 2 << 28 << 2 << 2024
            << DayHead(Navy, "28 февраля 2024 года" + kJul,
                       "Вторник 41-ой седмицы по Пятидесятнице. Глас 7-й.") +
                   P + Dot + "Двадцать восьмое високосного." + P + End;
        QTest::addRow("Julian 28 February, common year")
            << 3 << 13 << 3 << 2023
            << DayHead(Navy, "13 марта 2023 года" + kGreg,
                       "Понедельник 3-ой седмицы Великого поста. Глас 6-й.") +
                   P + Dot + "Двадцать восьмое простого." + P + End;
    }
    void wholeDayReports() {
        QFETCH(int, style);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(QString, body);
        Calendar c(DayFiles());
        QCOMPARE(Text(DayReport(c, int16_t(style), day, month, year)), Text(Doc({Header(), body})));
        QCOMPARE(DayReport(c, int16_t(style), day, month, year), Doc({Header(), body}));
    }

    // The fasting line closes group 4, after the notes of the day file and of the movable records; the rank
    // that relaxes it may come from a movable record. Without rules or with the option off there is none.
    void fastingLine_data() {
        QTest::addColumn<bool>("show");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("body");
        const QString wed =
            DayHead(Navy, "17 июля 2024 года" + kGreg, "Среда 4-ой седмицы по Пятидесятнице. Глас 2-й.");
        QTest::addRow("a Wednesday without entries") << true << 17 << 7 << wed + P + B + "Сухо." + P + End;
        QTest::addRow("option off") << false << 17 << 7 << wed + End;
        QTest::addRow("a Sunday") << true << 14 << 7
                                  << DayHead(Red, "14 июля 2024 года" + kGreg,
                                             "Неделя 3-я по Пятидесятнице. Глас 2-й.") +
                                         P + Dot + "Свв. бессребреников Космы и Дамиана." + P + P + B +
                                         "Поста нет." + P + End;
        QTest::addRow("after the notes, relaxed by a movable vigil")
            << true << 26 << 6
            << DayHead(Navy, "26 июня 2024 года" + kGreg, "Среда 1-ой седмицы по Пятидесятнице.") +
                   June26Entries() + B + "Рыба." + P + End;
    }
    void fastingLine() {
        QFETCH(bool, show);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(QString, body);
        Files files = DayFiles();
        files.insert("Fasting.DAT", "[Levels]\ndry=Сухо.\nfish=Рыба.\nnone=Поста нет.\n[1]\nweekdays=3,5\n"
                                    "level=dry\nvigil=fish\n[2]\nlevel=none\n");
        Calendar c(files);
        c.Options.ShowFasting = show;
        QCOMPARE(Text(DayReport(c, StyleGregorian, day, month, 2024)), Text(Doc({Header(), body})));
    }

    void allStylesLineOrder_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("dates");
        const QString g = B + "17 июля 2024 года" + kGreg + P;
        const QString j = B + "4 июля 2024 года" + kJul + P;
        const QString a = B + "4 июля 7532 года" + kAM + P;
        QTest::addRow("Anno Mundi: Julian, Gregorian") << 1 << 4 << 11 << 7532 << a + j + g;
        QTest::addRow("Julian: Gregorian, Anno Mundi") << 2 << 4 << 7 << 2024 << j + g + a;
        QTest::addRow("Gregorian: Julian, Anno Mundi") << 3 << 17 << 7 << 2024 << g + j + a;
    }
    void allStylesLineOrder() {
        QFETCH(int, style);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(QString, dates);
        Calendar c(DayFiles());
        c.Options.ShowAllStyles = true;
        const QString body =
            Navy + P + dates + P + B + "Среда 4-ой седмицы по Пятидесятнице. Глас 2-й." + P + End;
        QCOMPARE(Text(DayReport(c, int16_t(style), day, month, year)), Text(Doc({Header(), body})));
    }

    void indictionInTheDayReport() {
        Calendar c(DayFiles());
        c.Options.ShowIndiction = true;
        const QString body = Red + P + B + "72-й год 15-го индиктиона" + P + P + B + "7 января 2012 года" +
                             kGreg + P + P + B + "Суббота 30-ой седмицы по Пятидесятнице. Глас 4-й." + P + P +
                             kPlus + "Рождество Христово." + P + End;
        QCOMPARE(Text(DayReport(c, StyleGregorian, 7, 1, 2012)), Text(Doc({Header(), body})));
    }

    void indictionLine_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("text");
        QTest::addRow("7520") << 7520 << "72-й год 15-го индиктиона";
        QTest::addRow("7532") << 7532 << "84-й год 15-го индиктиона";
        QTest::addRow("7448 ends indiction 14") << 7448 << "532-й год 14-го индиктиона";
        QTest::addRow("7449 begins indiction 15") << 7449 << "1-й год 15-го индиктиона";
    }
    void indictionLine() {
        QFETCH(int, year);
        QFETCH(QString, text);
        Calendar c;
        c.SetDate(StyleAnnoMundi, 1, 1, year);
        QCOMPARE(IndictionLine(c.Today()), P + B + text + P);
    }

    void monthName_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("name");
        QTest::addRow("AM 1 is September") << 1 << 1 << 1 << "Сентябрь";
        QTest::addRow("AM 4 is December") << 1 << 4 << 2 << "декабря";
        QTest::addRow("AM 5 is January") << 1 << 5 << 2 << "января";
        QTest::addRow("AM 12 is August") << 1 << 12 << 1 << "Август";
        QTest::addRow("Julian 12") << 2 << 12 << 1 << "Декабрь";
        QTest::addRow("Gregorian 2 genitive") << 3 << 2 << 2 << "февраля";
    }
    void monthName() {
        QFETCH(int, style);
        QFETCH(int, month);
        QFETCH(int, form);
        QFETCH(QString, name);
        CalendarState st;
        st.StyleDates[style].Month = int16_t(month);
        QCOMPARE(MonthName(st, int16_t(style), form), name);
    }

    void dateLinesFlags_data() {
        QTest::addColumn<bool>("showYear");
        QTest::addColumn<bool>("showStyle");
        QTest::addColumn<QString>("line");
        QTest::addRow("neither") << false << false << "7 января";
        QTest::addRow("year") << true << false << "7 января 2012 года";
        QTest::addRow("style") << false << true << "7 января" + kGreg;
        QTest::addRow("both") << true << true << "7 января 2012 года" + kGreg;
    }
    void dateLinesFlags() {
        QFETCH(bool, showYear);
        QFETCH(bool, showStyle);
        QFETCH(QString, line);
        Calendar c;
        c.SetGregorian(7, 1, 2012);
        QCOMPARE(DateLines(c.Today(), StyleGregorian, showYear, showStyle, false), P + B + line + P + P);
    }

    // The report is written to the tab's file as well as shown, and building it moves nothing.
    void dayReportFileAndState() {
        Calendar c(DayFiles());
        c.MakeTempFiles();
        c.SetGregorian(5, 5, 2024);
        const Snapshot before(c);
        BuildReport(c.Ctx, TabDay);
        QCOMPARE(Snapshot(c), before);
        QCOMPARE(c.Host.Reports.size(), 1);
        QCOMPARE(c.Host.Reports[0].Path, c.Out.Temp.Paths[TabDay]);
        QFile f(c.Out.Temp.Paths[TabDay]);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), c.Host.Reports[0].Document);
        QVERIFY(c.Host.Busy.isEmpty()); // the day report shows no busy pointer
        QCOMPARE(c.Out.ReportBuiltFor[TabDay][0], c.State.CurDayNumber);
        QCOMPARE(c.Out.ReportBuiltFor[TabDay][1], 3);
    }

    // A report whose temporary file is gone is still shown, from memory.
    void dayReportWithoutTemporaryFile() {
        Calendar c(DayFiles());
        c.Out.Temp.Paths[TabDay] = c.Dir.filePath(QStringLiteral("no/such/folder/~DA0000.TMP"));
        c.SetGregorian(17, 7, 2024);
        BuildReport(c.Ctx, TabDay);
        QCOMPARE(c.Host.Reports.size(), 1);
        QCOMPARE(c.Host.Reports[0].Path, QString());
        QVERIFY(Text(c.Host.Reports[0].Document).contains(u"17 июля 2024 года"));
    }

    void missingDataShowsDateAndWeekday() {
        Calendar c; // no data files at all
        const QString body =
            DayHead(Red, "14 июля 2024 года" + kGreg, "Неделя 3-я по Пятидесятнице. Глас 2-й.") + End;
        QCOMPARE(DayReport(c, StyleGregorian, 14, 7, 2024), Doc({Header(), body}));
    }

    void dispatcherRebuildsOnlyOnChange() {
        Calendar c(DayFiles());
        c.SetGregorian(17, 7, 2024);
        BuildReport(c.Ctx, TabDay);
        BuildReport(c.Ctx, TabDay);
        QCOMPARE(c.Builds(TabDay), 1);

        ShiftDays(c.State, 1); // another day
        BuildReport(c.Ctx, TabDay);
        QCOMPARE(c.Builds(TabDay), 2);

        ClearReportStyles(c.Out); // an option every report depends on
        for (const auto& row : c.Out.ReportBuiltFor)
            QCOMPARE(row[1], 0);
        BuildReport(c.Ctx, TabDay);
        QCOMPARE(c.Builds(TabDay), 3);

        c.State.CurStyle = StyleJulian; // same day, another style
        ApplyStyle(c.State);
        BuildReport(c.Ctx, TabDay);
        QCOMPARE(c.Builds(TabDay), 4);
        BuildReport(c.Ctx, TabDay);
        QCOMPARE(c.Builds(TabDay), 4);
    }

    void dispatcherKeysPerTab() {
        Calendar c(DayFiles());
        c.SetGregorian(17, 7, 2024);
        for (int tab : {TabWeek, TabMonth, TabYear, TabFeasts, TabDay})
            BuildReport(c.Ctx, tab);
        const StyleDate& r = c.State.Cur();
        QCOMPARE(c.Out.ReportBuiltFor[TabWeek][0], r.WeekFirstDay);
        QCOMPARE(c.Out.ReportBuiltFor[TabMonth][0], r.MonthFirstDay);
        QCOMPARE(c.Out.ReportBuiltFor[TabYear][0], r.YearFirstDay);
        QCOMPARE(c.Out.ReportBuiltFor[TabFeasts][0], r.YearFirstDay);
        QCOMPARE(c.Out.ReportBuiltFor[TabDay][0], c.State.CurDayNumber);
        QCOMPARE(c.Host.Reports.size(), 5);

        // Switching back and forth without a change of date rebuilds nothing.
        for (int tab : {TabMonth, TabYear, TabMonth, TabWeek, TabFeasts})
            BuildReport(c.Ctx, tab);
        QCOMPARE(c.Host.Reports.size(), 5);

        // A day later in the same week: only the day report is out of date.
        ShiftDays(c.State, 1);
        for (int tab : {TabWeek, TabMonth, TabYear, TabFeasts})
            BuildReport(c.Ctx, tab);
        QCOMPARE(c.Host.Reports.size(), 5);
        BuildReport(c.Ctx, TabDay);
        QCOMPARE(c.Host.Reports.size(), 6);

        // Saturday to Sunday: a new week, same month.
        ShiftDays(c.State, 3);
        BuildReport(c.Ctx, TabWeek);
        BuildReport(c.Ctx, TabMonth);
        QCOMPARE(c.Builds(TabWeek), 2);
        QCOMPARE(c.Builds(TabMonth), 1);
    }

    void selectionAndAbbreviationsNeverBuild() {
        Calendar c(DayFiles());
        c.SetGregorian(17, 7, 2024);
        c.Out.ReportBuiltFor = {};
        for (int tab : {int(TabSelection), int(TabAbbreviations), 7, -1})
            BuildReport(c.Ctx, tab);
        QVERIFY(c.Host.Reports.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReportDay)
#include "test_report_day.moc"
