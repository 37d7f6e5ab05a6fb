// The weekday line: every row of both week-phrase tables, the tone at the edges of its cycle, and the day
// titles of the weekday bases — special texts, comma texts, both together, and their red flags.
#include "calendar_fixture.h"

#include "report/dayblock.h"

using namespace vorelian;
using namespace fixture;

namespace {

// Day titles around Pascha 2024 (5 May, Gregorian).
const Files& TitleFiles() {
    static const Files files = {
        {"Weekdays.DAT", "[1]\ndays=-7\nred=1\n0=Вход Господень в Иерусалим.\n"
                         "[2]\ndays=-6\n0=, Великий понедельник.\n"
                         "[3]\ndays=60\n0=Первая.\n"
                         "[4]\ndays=61\n0=Особая.\n"
                         "[5]\ndays=61\n0=, с запятой.\n"
                         "[6]\ndays=62\nred=1\n0=, красная.\n"
                         "[7]\ndays=63\n0=, первая.\n"
                         "[8]\ndays=63\n0=, вторая.\n"
                         "[9]\ndays=-17\n0=Четверг Андреева стояния.\n"},
        {"Weekdays1.DAT", "[1]\nday=20\nmonth=6\nweekday=4\n0=Вторая.\n"},
        {"SpecWeekDays.DAT",
         "[1]\n0=Первое правило.\n[2]\n0=Второе правило.\n[3]\n0=Стояние Марии Египетской.\n"},
    };
    return files;
}

} // namespace

class TestReportWeekday : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void weekPhrase_data() {
        QTest::addColumn<int>("weekday");
        QTest::addColumn<int>("w");
        QTest::addColumn<QString>("phrase");
        // Pascha in week 20; the year begins in week 30 after the previous Pentecost.
        QTest::addRow("weekday, long before Lent") << 3 << 5 << "34-ой седмицы по Пятидесятнице.";
        QTest::addRow("weekday, week before Lent") << 3 << 12 << "41-ой седмицы по Пятидесятнице.";
        QTest::addRow("weekday, first of Lent") << 1 << 13 << "1-ой седмицы Великого поста.";
        QTest::addRow("weekday, sixth of Lent") << 6 << 18 << "6-ой седмицы Великого поста.";
        QTest::addRow("weekday, Holy Week") << 2 << 19 << "Страстной седмицы.";
        QTest::addRow("weekday, Bright Week") << 4 << 20 << "Светлой седмицы.";
        QTest::addRow("weekday, second after Pascha") << 1 << 21 << "2-ой седмицы по Пасхе.";
        QTest::addRow("weekday, seventh after Pascha") << 5 << 26 << "7-ой седмицы по Пасхе.";
        QTest::addRow("weekday, week of Pentecost") << 1 << 27 << "1-ой седмицы по Пятидесятнице.";
        QTest::addRow("weekday, late in the year") << 6 << 40 << "14-ой седмицы по Пятидесятнице.";
        QTest::addRow("Sunday, long before Lent") << 7 << 5 << "33-я по Пятидесятнице.";
        QTest::addRow("Sunday, week before Lent") << 7 << 12 << "40-я по Пятидесятнице.";
        QTest::addRow("Sunday before Lent shows 0") << 7 << 13 << "0-я Великого поста.";
        QTest::addRow("first Sunday of Lent") << 7 << 14 << "1-я Великого поста.";
        QTest::addRow("fifth Sunday of Lent") << 7 << 18 << "5-я Великого поста.";
        QTest::addRow("Palm Sunday") << 7 << 19 << "Страстной седмицы.";
        QTest::addRow("Pascha") << 7 << 20 << "1-я по Пасхе.";
        QTest::addRow("seventh Sunday of Pascha") << 7 << 26 << "7-я по Пасхе.";
        QTest::addRow("Pentecost shows 0") << 7 << 27 << "0-я по Пятидесятнице.";
        QTest::addRow("first Sunday after Pentecost") << 7 << 28 << "1-я по Пятидесятнице.";
    }
    void weekPhrase() {
        QFETCH(int, weekday);
        QFETCH(int, w);
        QFETCH(QString, phrase);
        QCOMPARE(WeekPhrase(int16_t(weekday), w, 20, 30), phrase);
    }

    void tone_data() {
        QTest::addColumn<int>("fromPascha");
        QTest::addColumn<int>("tone");
        QTest::addRow("Lazarus Saturday, from last year's Pascha") << -8 << 5;
        QTest::addRow("Palm Sunday") << -7 << 0;
        QTest::addRow("Holy Saturday") << -1 << 0;
        QTest::addRow("Pascha") << 0 << 0;
        QTest::addRow("Bright Saturday") << 6 << 0;
        QTest::addRow("Thomas Sunday") << 7 << 1;
        QTest::addRow("Saturday after Thomas") << 13 << 1;
        QTest::addRow("second Sunday after Pascha") << 14 << 2;
        QTest::addRow("Saturday before Pentecost") << 48 << 6;
        QTest::addRow("Pentecost") << 49 << 0;
        QTest::addRow("Saturday after Pentecost") << 55 << 0;
        QTest::addRow("first Sunday after Pentecost") << 56 << 8;
        QTest::addRow("second Sunday after Pentecost") << 63 << 1;
        QTest::addRow("Clean Monday") << -48 << 8;
        QTest::addRow("3 January") << -123 << 5;
    }
    void tone() {
        QFETCH(int, fromPascha);
        QFETCH(int, tone);
        const int32_t pascha = DayNumber(StyleGregorian, 5, 5, 2024);
        const int32_t prev = DayNumber(StyleGregorian, 16, 4, 2023);
        QCOMPARE(int(ToneOfDay(pascha + fromPascha, pascha, prev)), tone);
    }

    void joins_data() {
        QTest::addColumn<QString>("acc");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("withSpace");
        QTest::addColumn<QString>("afterPeriod");
        QTest::addRow("empty") << ""
                               << "a."
                               << "a."
                               << "a.";
        QTest::addRow("period") << "Текст."
                                << ", далее."
                                << "Текст. , далее."
                                << "Текст, далее.";
        QTest::addRow("no period") << "Текст"
                                   << "!"
                                   << "Текст !"
                                   << "Текст!";
        QTest::addRow("only the last period") << "a.."
                                              << "b"
                                              << "a.. b"
                                              << "a.b";
    }
    void joins() {
        QFETCH(QString, acc);
        QFETCH(QString, text);
        QFETCH(QString, withSpace);
        QFETCH(QString, afterPeriod);
        QCOMPARE(JoinWithSpace(acc, text), withSpace);
        QCOMPARE(JoinAfterPeriod(acc, text), afterPeriod);
    }

    void weekdayLine_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<bool>("titles");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("red");
        QTest::addColumn<int>("tone");
        QTest::addRow("Monday after Thomas Sunday")
            << 13 << 5 << false << B + "Понедельник 2-ой седмицы по Пасхе. Глас 1-й." + P << false << 1;
        QTest::addRow("Tuesday of Holy Week")
            << 30 << 4 << false << B + "Вторник Страстной седмицы." + P << false << 0;
        QTest::addRow("Thursday of Bright Week")
            << 9 << 5 << false << B + "Четверг Светлой седмицы." + P << false << 0;
        QTest::addRow("Clean Monday")
            << 18 << 3 << false << B + "Понедельник 1-ой седмицы Великого поста. Глас 8-й." + P << false << 8;
        QTest::addRow("Sunday before Lent")
            << 17 << 3 << false << B + "Неделя 0-я Великого поста. Глас 8-й." + P << false << 8;
        QTest::addRow("Palm Sunday without a title")
            << 28 << 4 << false << B + "Неделя Страстной седмицы." + P << false << 0;
        QTest::addRow("Thomas Sunday")
            << 12 << 5 << false << B + "Неделя 2-я по Пасхе. Глас 1-й." + P << false << 1;
        QTest::addRow("Pentecost without a title")
            << 23 << 6 << false << B + "Неделя 0-я по Пятидесятнице." + P << false << 0;
        QTest::addRow("first Sunday after Pentecost")
            << 30 << 6 << false << B + "Неделя 1-я по Пятидесятнице. Глас 8-й." + P << false << 8;
        QTest::addRow("January weekday")
            << 3 << 1 << false << B + "Среда 31-ой седмицы по Пятидесятнице. Глас 5-й." + P << false << 5;
        QTest::addRow("January Sunday")
            << 7 << 1 << false << B + "Неделя 31-я по Пятидесятнице. Глас 6-й." + P << false << 6;

        QTest::addRow("a title replaces the phrase, red")
            << 28 << 4 << true << B + "Вход Господень в Иерусалим." + P << true << 0;
        QTest::addRow("comma text only")
            << 29 << 4 << true << B + "Понедельник Страстной седмицы, Великий понедельник." + P << false << 0;
        QTest::addRow("two titles joined with one blank")
            << 4 << 7 << true << B + "Первая. Вторая. Глас 8-й." + P << false << 8;
        QTest::addRow("a title and a comma text")
            << 5 << 7 << true
            << B + "Особая." + B + "Пятница 2-ой седмицы по Пятидесятнице, с запятой. Глас 8-й." + P << false
            << 8;
        QTest::addRow("a red comma text")
            << 6 << 7 << true << B + "Суббота 2-ой седмицы по Пятидесятнице, красная. Глас 8-й." + P << true
            << 8;
        QTest::addRow("two comma texts")
            << 7 << 7 << true << B + "Неделя 2-я по Пятидесятнице, первая, вторая. Глас 1-й." + P << false
            << 1;
        QTest::addRow("titles of two tables in table order")
            << 18 << 4 << true << B + "Четверг Андреева стояния. Стояние Марии Египетской. Глас 4-й." + P
            << false << 4;
    }
    void weekdayLine() {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(bool, titles);
        QFETCH(QString, line);
        QFETCH(bool, red);
        QFETCH(int, tone);
        Calendar c(titles ? TitleFiles() : Files{});
        c.SetGregorian(day, month, 2024);
        const DayInfo d = c.Today();
        QCOMPARE(d.WeekdayLineStored + P, line);
        if (red)
            QVERIFY(d.Red); // a red day-title record makes the day red
        QCOMPARE(int(d.Tone), tone);
    }

    // The weekday line names the same week in every style: the week counts of each year lead to one phrase.
    void samePhraseInEveryStyle() {
        Calendar c;
        for (int32_t d = DayNumber(StyleGregorian, 1, 9, 1999); d <= DayNumber(StyleGregorian, 31, 8, 2030);
             ++d) {
            QString lines[4];
            for (int16_t s = 1; s <= 3; ++s)
                lines[s] = c.Engine->Day(d, DayOptionsOf(c.Options, s)).WeekdayLineStored;
            QCOMPARE(lines[1], lines[3]);
            QCOMPARE(lines[2], lines[3]);
        }
    }
};

QTEST_GUILESS_MAIN(TestReportWeekday)
#include "test_report_weekday.moc"
