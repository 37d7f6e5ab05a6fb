// The main feasts report: a whole Gregorian year by hand, the order of the fixed feasts in the Anno Mundi
// year, and the dated-row buffer with its stable sort.
#include "calendar_fixture.h"

#include "report/builders.h"

#include <QRegularExpression>

using namespace vorelian;
using namespace fixture;

namespace {

const QString kGreg = QStringLiteral(" от Р.Х. по новому стилю");

// One fixed feast row: date lines without year, the weekday line, an empty line, the titled entry.
QString Row(const QString& date, const QString& weekday, const QString& title) {
    return P + B + date + P + P + B + weekday + P + P + Dot + title + P + P + Sep + P;
}

QString Movable(const QString& date, const QString& weekday, const QString& title) {
    return P + B + date + P + P + B + weekday + P + P + B + title + P + P + Sep + P;
}

QStringList RowDates(const QString& doc, const QString& from, const QString& to) {
    const qsizetype a = doc.indexOf(from), b = to.isEmpty() ? -1 : doc.indexOf(to, a);
    static const QRegularExpression date(
        QStringLiteral("\\\\par\r\n\\\\f1    \\\\f0  (\\d+ \\w+)\\\\par\r\n\\\\par"),
        QRegularExpression::UseUnicodePropertiesOption);
    QStringList dates;
    for (auto it = date.globalMatch(doc.mid(a, b < 0 ? -1 : b - a)); it.hasNext();)
        dates << it.next().captured(1);
    return dates;
}

} // namespace

class TestReportFeasts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void gregorian2024() {
        Calendar c;
        c.SetGregorian(20, 2, 2024);
        const Snapshot before(c);
        BuildReport(c.Ctx, TabFeasts);
        QCOMPARE(Snapshot(c), before);
        QVERIFY(c.Host.Busy.isEmpty()); // no busy pointer for this one

        const QStringList writes = {
            Header() + Navy + P + B + "2024 год" + kGreg + P + Sep + P,
            Red + P + B + "5 мая" + P + P + B + "СВЕТЛОЕ ХРИСТОВО ВОСКРЕСЕНИЕ. ПАСХА." + Navy + P + P + Sep +
                P + P,
            B + Red + "Двунадесятые переходящие праздники" + Navy + P + Sep + P,
            Movable("28 апреля", "Неделя Страстной седмицы.", "ВХОД ГОСПОДЕНЬ В ИЕРУСАЛИМ."),
            Movable("13 июня", "Четверг 6-ой седмицы по Пасхе. Глас 5-й.", "ВОЗНЕСЕНИЕ ГОСПОДНЕ."),
            Movable("23 июня", "Неделя 0-я по Пятидесятнице.", "ДЕНЬ СВЯТОЙ ТРОИЦЫ. ПЯТИДЕСЯТНИЦА.") + P,
            B + Red + "Двунадесятые непереходящие праздники" + Navy + P + Sep + P,
            Row("7 января", "Неделя 31-я по Пятидесятнице. Глас 6-й.",
                "РОЖДЕСТВО ГОСПОДА БОГА И СПАСА НАШЕГО ИИСУСА ХРИСТА."),
            Row("19 января", "Пятница 33-ой седмицы по Пятидесятнице. Глас 7-й.",
                "КРЕЩЕНИЕ ГОСПОДА БОГА И СПАСА НАШЕГО ИИСУСА ХРИСТА."),
            Row("15 февраля", "Четверг 37-ой седмицы по Пятидесятнице. Глас 3-й.",
                "СРЕТЕНИЕ ГОСПОДА НАШЕГО ИИСУСА ХРИСТА."),
            Row("7 апреля", "Неделя 3-я Великого поста. Глас 3-й.", "БЛАГОВЕЩЕНИЕ ПРЕСВЯТОЙ БОГОРОДИЦЫ."),
            Row("19 августа", "Понедельник 9-ой седмицы по Пятидесятнице. Глас 7-й.",
                "ПРЕОБРАЖЕНИЕ ГОСПОДА БОГА И СПАСА НАШЕГО ИИСУСА ХРИСТА."),
            Row("28 августа", "Среда 10-ой седмицы по Пятидесятнице. Глас 8-й.",
                "УСПЕНИЕ ПРЕСВЯТОЙ ВЛАДЫЧИЦЫ НАШЕЙ БОГОРОДИЦЫ И ПРИСНОДЕВЫ МАРИИ."),
            Row("21 сентября", "Суббота 13-ой седмицы по Пятидесятнице. Глас 3-й.",
                "РОЖДЕСТВО ПРЕСВЯТОЙ ВЛАДЫЧИЦЫ НАШЕЙ БОГОРОДИЦЫ И ПРИСНОДЕВЫ МАРИИ."),
            Row("27 сентября", "Пятница 14-ой седмицы по Пятидесятнице. Глас 4-й.",
                "ВОЗДВИЖЕНИЕ ЧЕСТНОГО И ЖИВОТВОРЯЩЕГО КРЕСТА ГОСПОДНЯ."),
            Row("4 декабря", "Среда 24-ой седмицы по Пятидесятнице. Глас 6-й.",
                "ВВЕДЕНИЕ ВО ХРАМ ПРЕСВЯТОЙ ВЛАДЫЧИЦЫ НАШЕЙ БОГОРОДИЦЫ И ПРИСНОДЕВЫ МАРИИ."),
            P + B + Red + "Великие праздники" + Navy + P + Sep + P,
            Row("14 января", "Неделя 32-я по Пятидесятнице. Глас 7-й.", "ОБРЕЗАНИЕ ГОСПОДНЕ."),
            Row("7 июля", "Неделя 2-я по Пятидесятнице. Глас 1-й.",
                "РОЖДЕСТВО ЧЕСТНОГО СЛАВНОГО ПРОРОКА, ПРЕДТЕЧИ И КРЕСТИТЕЛЯ ГОСПОДНЯ ИОАННА."),
            Row("12 июля", "Пятница 3-ой седмицы по Пятидесятнице. Глас 1-й.",
                "СЛАВНЫХ И ВСЕХВАЛЬНЫХ ПЕРВОВЕРХОВНЫХ АПОСТОЛОВ ПЕТРА И ПАВЛА."),
            Row("11 сентября", "Среда 12-ой седмицы по Пятидесятнице. Глас 2-й.",
                "УСЕКНОВЕНИЕ ГЛАВЫ ПРОРОКА, ПРЕДТЕЧИ И КРЕСТИТЕЛЯ ГОСПОДНЯ ИОАННА."),
            Row("14 октября", "Понедельник 17-ой седмицы по Пятидесятнице. Глас 7-й.",
                "ПОКРОВ ПРЕСВЯТОЙ ВЛАДЫЧИЦЫ НАШЕЙ БОГОРОДИЦЫ И ПРИСНОДЕВЫ МАРИИ."),
            End,
        };
        QCOMPARE(Text(c.Last(TabFeasts)), Text(Doc(writes)));
        QCOMPARE(c.Last(TabFeasts), Doc(writes));
        QCOMPARE(c.Out.ReportBuiltFor[TabFeasts][0], c.State.Cur().YearFirstDay);
    }

    // Early January of a Gregorian year is still the Julian year before: the feasts are placed in the
    // displayed year all the same.
    void gregorianUserInEarlyJanuary() {
        Calendar c;
        c.SetGregorian(3, 1, 2024);
        BuildReport(c.Ctx, TabFeasts);
        const QString doc = Text(c.Last(TabFeasts));
        QCOMPARE(
            RowDates(doc, QStringLiteral("Двунадесятые непереходящие"), QStringLiteral("Великие праздники")),
            (QStringList{"7 января", "19 января", "15 февраля", "7 апреля", "19 августа", "28 августа",
                         "21 сентября", "27 сентября", "4 декабря"}));
        QCOMPARE(RowDates(doc, QStringLiteral("Великие праздники"), QString()),
                 (QStringList{"14 января", "7 июля", "12 июля", "11 сентября", "14 октября"}));
    }

    void meetingOnTheDayItIsKept_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("date");
        QTest::addRow("2 February on Cheesefare Monday: a day earlier")
            << 2010 << QStringLiteral("14 февраля");
        QTest::addRow("2 February kept") << 2024 << QStringLiteral("15 февраля");
    }
    void meetingOnTheDayItIsKept() {
        QFETCH(int, year);
        QFETCH(QString, date);
        Calendar c;
        c.SetGregorian(1, 6, year);
        BuildReport(c.Ctx, TabFeasts);
        const QString doc = Text(c.Last(TabFeasts));
        const qsizetype meeting = doc.indexOf(u"СРЕТЕНИЕ ГОСПОДА");
        QVERIFY(meeting > 0);
        QCOMPARE(RowDates(doc.left(meeting), QStringLiteral("Двунадесятые непереходящие"), QString()).last(),
                 date);
    }

    void annoMundiOrder_data() {
        QTest::addColumn<int>("month");
        QTest::addRow("user in October") << 2;
        QTest::addRow("user in March") << 7;
    }
    void annoMundiOrder() {
        QFETCH(int, month);
        Calendar c;
        c.SetDate(StyleAnnoMundi, 10, int16_t(month), 7533);
        const Snapshot before(c);
        BuildReport(c.Ctx, TabFeasts);
        QCOMPARE(Snapshot(c), before);
        const QString doc = Text(c.Last(TabFeasts));
        QVERIFY(doc.startsWith(Header() + Navy + P + B + "7533 год от Сотворения Мира" + P));
        QVERIFY(doc.contains(Red + P + B + "7 апреля" + P + P + B + "СВЕТЛОЕ ХРИСТОВО ВОСКРЕСЕНИЕ. ПАСХА."));
        QCOMPARE(
            RowDates(doc, QStringLiteral("Двунадесятые непереходящие"), QStringLiteral("Великие праздники")),
            (QStringList{"8 сентября", "14 сентября", "21 ноября", "25 декабря", "6 января", "2 февраля",
                         "25 марта", "6 августа", "15 августа"}));
        QCOMPARE(RowDates(doc, QStringLiteral("Великие праздники"), QString()),
                 (QStringList{"1 октября", "1 января", "24 июня", "29 июня", "29 августа"}));
    }

    void onlyPaschaIsRed() {
        Calendar c;
        c.SetGregorian(20, 2, 2024);
        BuildReport(c.Ctx, TabFeasts);
        const QString doc = Text(c.Last(TabFeasts));
        QCOMPARE(doc.count(Red), 4); // Pascha's block and the three headings
        QCOMPARE(doc.count(Dot), 14);
    }

    void stableSort() {
        std::vector<DatedRow> rows = {{5, "a", ""}, {3, "b", ""}, {5, "c", ""}, {1, "d", ""}, {3, "e", ""}};
        SortRows(rows);
        QStringList order;
        for (const DatedRow& r : rows)
            order << r.DateText;
        QCOMPARE(order, (QStringList{"d", "b", "e", "a", "c"}));
    }
};

QTEST_GUILESS_MAIN(TestReportFeasts)
#include "test_report_feasts.moc"
