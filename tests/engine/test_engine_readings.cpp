// The Liturgy's Apostle and Gospel, the Liturgy of the day and the days without weddings: the bundled data
// through the engine on days a printed church calendar gives, a row per rule; and the reader on broken files.
#include "core/calendar.h"
#include "core/cp1251.h"
#include "engine/dataset.h"
#include "engine/dayengine.h"
#include "engine/readings.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace vorelian;

namespace {

std::shared_ptr<const DayEngine> Bundled() {
    static const auto engine = DayEngine::Load(QStringLiteral(VORELIAN_SOURCE_DIR "/data/Calendar"));
    return engine;
}

DayInfo DayOf(const QString& gregorian) {
    const QDate date = QDate::fromString(gregorian, Qt::ISODate);
    const auto n = Bundled()->DayNumberOf(StyleGregorian, int16_t(date.year()), int16_t(date.month()),
                                          int16_t(date.day()));
    return Bundled()->Day(*n, DayOptions{});
}

QString Printed(const DayInfo& day) {
    QStringList lines;
    for (const ReadingLine& l : ReadingLines(*day.Readings))
        lines << l.Text;
    return lines.join(u'\n');
}

} // namespace

class TestEngineReadings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readingsOfTheDay_data() {
        QTest::addColumn<QString>("date"); // Gregorian
        QTest::addColumn<QString>("printed");
        QTest::addRow("Pascha") << "2027-05-02"
                                << "Ап.: Деян. 1:1–8 (зач. 1). Ев.: Ин. 1:1–17 (зач. 1).";
        QTest::addRow("Monday feast, its pair on Tuesday before the day's")
            << "2022-12-20"
            << "За понедельник (под зачало): Ап.: 2 Тим. 2:20–26 (зач. 294). Ев.: Лк. 20:27–44 (зач. 102).\n"
               "Ап.: 2 Тим. 3:16–4:4 (зач. 297). Ев.: Лк. 21:12–19 (зач. 106).\n"
               "Прп.: Ап.: 2 Кор. 4:6–15 (зач. 176). Ев.: Лк. 6:17–23 (зач. 24).";
        QTest::addRow("Lukan jump forward (J = +3): Sunday 15 reads Luke's Sunday 18")
            << "2024-10-06"
            << "Ап.: 2 Кор. 4:6–15 (зач. 176). Ев.: Лк. 5:1–11 (зач. 17).\n"
               "Предтечи: Ап.: Гал. 4:22–31 (зач. 210 от полу). Ев.: Лк. 1:5–25 (зач. 2).";
        QTest::addRow("Lukan step back (J = -1): Luke's first week after the Sunday after the Exaltation")
            << "2026-10-06"
            << "Ап.: Флп. 1:8–14 (зач. 236). Ев.: Лк. 3:23–4:1 (зач. 11).\n"
               "Предтечи: Ап.: Гал. 4:22–31 (зач. 210 от полу). Ев.: Лк. 1:5–25 (зач. 2).";
        QTest::addRow("step back: Mark's week read again (week 31 reads week 30's Gospel)")
            << "2015-12-28"
            << "Ап.: Евр. 11:17–23, 27–31 (зач. 329). Ев.: Мк. 8:11–21 (зач. 33).";
        QTest::addRow("Saturday: the saint first, then the ordinary pair (J = +2)")
            << "2021-12-11"
            << "Прмч.: Ап.: 2 Тим. 1:8–18 (зач. 291). Ев.: Мф. 10:23–31 (зач. 37).\n"
               "Ряд.: Ап.: Гал. 1:3–10 (зач. 199). Ев.: Лк. 10:19–21 (зач. 51 от полу).";
        QTest::addRow("the same Saturday with J = +1")
            << "2022-12-03"
            << "Свт.: Ап.: Евр. 7:26–8:2 (зач. 318). Ев.: Ин. 10:9–16 (зач. 36).\n"
               "Ряд.: Ап.: Гал. 1:3–10 (зач. 199). Ев.: Лк. 9:57–62 (зач. 49).";
        QTest::addRow("Monday feast: its pair on Tuesday, before the day's")
            << "2021-09-28"
            << "За понедельник (под зачало): Ап.: Гал. 2:11–16 (зач. 202). Ев.: Мк. 5:24–34 (зач. 21).\n"
               "Ап.: Гал. 2:21–3:7 (зач. 204). Ев.: Мк. 6:1–7 (зач. 22).\n"
               "Вмч.: Ап.: 2 Тим. 2:1–10 (зач. 292). Ев.: Мф. 10:16–22 (зач. 36).";
        QTest::addRow("Tuesday feast: its pair on Monday, after the day's")
            << "2019-05-20"
            << "Ап.: Деян. 10:1–16 (зач. 24). Ев.: Ин. 6:56–69 (зач. 24).\n"
               "За вторник (под зачало): Ап.: Деян. 10:21–33 (зач. 25). Ев.: Ин. 7:1–13 (зач. 25).\n"
               "Креста: Ап.: 1 Кор. 1:18–24 (зач. 125). Ев.: Ин. 19:6–11, 13–20, 25–28, 30–35 (зач. 60).";
        QTest::addRow("Saturday feast: its pair on Friday")
            << "2022-11-25"
            << "Ап.: 1 Сол. 5:9–13, 24–28 (зач. 272). Ев.: Лк. 13:31–35 (зач. 73).\n"
               "За субботу (под зачало): Ап.: 2 Кор. 11:1–6 (зач. 191). Ев.: Лк. 9:37–43 (зач. 46).\n"
               "Свт.: Ап.: Евр. 4:14–5:6 (зач. 311). Ев.: Лк. 6:17–23 (зач. 24).";
        QTest::addRow("Holy Thursday: the composite Gospel")
            << "2024-05-02"
            << "Ап.: 1 Кор. 11:23–32 (зач. 149). Ев.: Мф. 26:1–20 (зач. 107). Ин. 13:3–17 (зач. 44). Мф. "
               "26:21–39 (зач. 108 от полу). Лк. 22:43–45 (зач. 109). Мф. 26:40–27:2 (зач. 108).";
        QTest::addRow("Lent weekday without a polyeleos saint") << "2024-03-19"
                                                                << "";
        QTest::addRow("Lent weekday with a polyeleos saint")
            << "2024-03-22"
            << "Мчч.: Ап.: Евр. 12:1–10 (зач. 331). Ев.: Мф. 20:1–16 (зач. 80).";
        QTest::addRow("Nativity eve on a weekday")
            << "2025-01-06"
            << "Навечерия: Ап.: Евр. 1:1–12 (зач. 303). Ев.: Лк. 2:1–20 (зач. 5).";
        QTest::addRow("Nativity eve on a Saturday")
            << "2029-01-06"
            << "Навечерия: Ап.: Гал. 3:15–22 (зач. 207). Ев.: Мф. 13:31–36 (зач. 53).";
        QTest::addRow("24 December a Saturday: the Saturday before the Nativity on the 17th")
            << "2028-12-30"
            << "Субботы пред Рождеством Христовым: Ап.: Гал. 3:8–12 (зач. 205). Ев.: Лк. 13:18–29 (зач. 72).";
        QTest::addRow("a reserve Sunday: Matthew's 17th Gospel, the back-counted Apostle")
            << "2024-02-11"
            << "Ап.: 1 Тим. 1:15–17 (зач. 280 от полу). Ев.: Мф. 15:21–28 (зач. 62).\n"
               "Сщмч.: Ап.: Евр. 4:14–5:6 (зач. 311). Ев.: Мк. 9:33–41 (зач. 41).";
        QTest::addRow("a vigil saint who does not displace adds his pair")
            << "2023-10-08"
            << "Ап.: 2 Кор. 9:6–11 (зач. 188). Ев.: Лк. 5:1–11 (зач. 17).\n"
               "Прп.: Ап.: Гал. 5:22–6:2 (зач. 213). Ев.: Лк. 6:17–23 (зач. 24).";
        QTest::addRow("Demetrius Saturday: the departed first")
            << "2024-11-02"
            << "Заупокойные: Ап.: 1 Сол. 4:13–17 (зач. 270). Ев.: Ин. 5:24–30 (зач. 16).\n"
               "Ряд.: Ап.: 1 Кор. 15:58–16:3 (зач. 164). Ев.: Лк. 7:1–10 (зач. 29).";
        QTest::addRow("Meatfare Saturday: the day's pair first")
            << "2024-03-09"
            << "Ап.: 1 Кор. 10:23–28 (зач. 146). Ев.: Лк. 21:8–9, 25–27, 33–36 (зач. 105).\n"
               "Заупокойные: Ап.: 1 Сол. 4:13–17 (зач. 270). Ев.: Ин. 5:24–30 (зач. 16).";
        QTest::addRow("Trinity Saturday")
            << "2024-06-22"
            << "Ап.: Деян. 28:1–31 (зач. 51). Ев.: Ин. 21:15–25 (зач. 67).\n"
               "Заупокойные: Ап.: 1 Сол. 4:13–17 (зач. 270). Ев.: Ин. 5:24–30 (зач. 16).";
        QTest::addRow("Sunday after the Exaltation, then the ordinary as Ряд.")
            << "2014-09-28"
            << "Недели по Воздвижении: Ап.: Гал. 2:16–20 (зач. 203). Ев.: Мк. 8:34–9:1 (зач. 37).\n"
               "Ряд.: Ап.: 2 Кор. 6:1–10 (зач. 181). Ев.: Мф. 25:14–30 (зач. 105).\n"
               "Вмч.: Ап.: 2 Тим. 2:1–10 (зач. 292). Ев.: Мф. 10:16–22 (зач. 36).";
        QTest::addRow("Saturday before a feast of the Lord on Sunday reads the Sunday's pair")
            << "2020-09-26"
            << "Субботы пред Воздвижением: Ап.: 1 Кор. 2:6–9 (зач. 126). Ев.: Мф. 10:37–11:1 (зач. 39).\n"
               "За неделю (под зачало): Ап.: 2 Кор. 6:1–10 (зач. 181). Ев.: Мф. 25:14–30 (зач. 105).\n"
               "Обновления: Ап.: Евр. 3:1–4 (зач. 307). Ев.: Мф. 16:13–18 (зач. 67).";
        QTest::addRow("Sunday after Theophany on Zacchaeus' Sunday")
            << "2026-01-25"
            << "Недели по Богоявлении: Ап.: Еф. 4:7–13 (зач. 224 от полу). Ев.: Мф. 4:12–17 (зач. 8).\n"
               "Ряд.: Ап.: 1 Тим. 4:9–15 (зач. 285 от полу). Ев.: Лк. 19:1–10 (зач. 94).\n"
               "Свт.: Ап.: Евр. 7:26–8:2 (зач. 318). Ев.: Ин. 10:9–16 (зач. 36).";
        QTest::addRow("back count after Theophany")
            << "2020-01-21"
            << "Ап.: Евр. 12:25–26; 13:22–25 (зач. 333). Ев.: Мк. 10:2–12 (зач. 43).";
        QTest::addRow("Forefathers: no ordinary pair")
            << "2022-12-25"
            << "Недели святых праотец: Ап.: Кол. 3:4–11 (зач. 257). Ев.: Лк. 14:16–24 (зач. 76).\n"
               "Свт.: Ап.: Евр. 13:17–21 (зач. 335). Ев.: Лк. 6:17–23 (зач. 24).";
        QTest::addRow("Circumcision: no ordinary pair, St Basil added")
            << "2022-01-14"
            << "Праздника: Ап.: Кол. 2:8–12 (зач. 254). Ев.: Лк. 2:20–21, 40–52 (зач. 6).\n"
               "Свт.: Ап.: Евр. 7:26–8:2 (зач. 318). Ев.: Лк. 6:17–23 (зач. 24).";
        QTest::addRow("Nativity") << "2022-01-07"
                                  << "Праздника: Ап.: Гал. 4:4–7 (зач. 209). Ев.: Мф. 2:1–12 (зач. 3).";
        QTest::addRow("Palm Sunday: no saint") << "2024-04-28"
                                               << "Ап.: Флп. 4:4–9 (зач. 247). Ев.: Ин. 12:1–18 (зач. 41).";
        QTest::addRow("Great Friday: nothing") << "2024-05-03"
                                               << "";
        QTest::addRow("Fathers of the Seventh Council")
            << "2024-10-27"
            << "Ап.: 2 Кор. 9:6–11 (зач. 188). Ев.: Лк. 8:5–15 (зач. 35).\n"
               "Отцев: Ап.: Евр. 13:7–16 (зач. 334). Ев.: Ин. 17:1–13 (зач. 56).";
        QTest::addRow("New Martyrs")
            << "2024-02-04"
            << "Ап.: Кол. 3:12–16 (зач. 258). Ев.: Лк. 18:35–43 (зач. 93).\n"
               "Новомучеников: Ап.: Рим. 8:28–39 (зач. 99). Ев.: Лк. 21:12–19 (зач. 106).";
        QTest::addRow("All Saints of Russia after a great feast on Sunday")
            << "2024-07-07"
            << "Ап.: Рим. 2:10–16 (зач. 81 от полу). Ев.: Мф. 4:18–23 (зач. 9).\n"
               "Праздника: Ап.: Рим. 13:11–14:4 (зач. 112). Ев.: Лк. 1:1–25, 57–68, 76, 80 (зач. 1).\n"
               "Всех святых, в земле Русской просиявших: Ап.: Евр. 11:33–12:2 (зач. 330). Ев.: Мф. 4:25–5:12 "
               "(зач. 10).";
    }
    void readingsOfTheDay() {
        QFETCH(QString, date);
        QFETCH(QString, printed);
        const DayInfo day = DayOf(date);
        QVERIFY(day.Readings);
        QCOMPARE(Printed(day), printed);
    }

    // St George in Bright Week, on a file of our own: the bundled one has no pair for him.
    void georgeInBrightWeek_data() {
        QTest::addColumn<QString>("date"); // Gregorian
        QTest::addColumn<QString>("printed");
        const QString george =
            QStringLiteral("Вмч.: Ап.: Деян. 12:1–11 (зач. 29). Ев.: Ин. 15:17–16:2 (зач. 52).");
        const QString monday =
            QStringLiteral("Ап.: Деян. 1:12–17, 21–26 (зач. 2). Ев.: Ин. 1:18–28 (зач. 2).");
        QTest::addRow("on Bright Thursday")
            << "2021-05-06"
            << "Ап.: Деян. 2:38–43 (зач. 5). Ев.: Ин. 3:1–15 (зач. 8).\n" + george;
        QTest::addRow("Bright Monday of that year") << "2021-05-03" << monday;
        QTest::addRow("on Great Friday: not read") << "1983-05-06"
                                                   << "";
        QTest::addRow("from Great Friday to Bright Monday") << "1983-05-09" << monday + u'\n' + george;
        QTest::addRow("on Pascha: not read") << "2040-05-06"
                                             << "Ап.: Деян. 1:1–8 (зач. 1). Ев.: Ин. 1:1–17 (зач. 1).";
        QTest::addRow("from Pascha to Bright Monday") << "2040-05-07" << monday + u'\n' + george;
    }
    void georgeInBrightWeek() {
        QFETCH(QString, date);
        QFETCH(QString, printed);
        const QString text =
            QStringLiteral("[Books]\r\nДеян.=apostle 335\r\nИн.=gospel 67\r\n[Pascha]\r\n"
                           "0=Деян. 1:1–8 (1) | Ин. 1:1–17 (1)\r\n"
                           "1=Деян. 1:12–17, 21–26 (2) | Ин. 1:18–28 (2)\r\n"
                           "4=Деян. 2:38–43 (5) | Ин. 3:1–15 (8)\r\n[Menaion]\r\n"
                           "23.04=polyeleos Вмч.: Деян. 12:1–11 (29) | Ин. 15:17–16:2 (52)\r\n");
        const ReadingsData data = ParseReadings(cp1251::Encode(text), QStringLiteral("george.DAT"));
        const QDate d = QDate::fromString(date, Qt::ISODate);
        const int32_t n = DayNumber(StyleGregorian, int16_t(d.day()), int16_t(d.month()), int16_t(d.year()));
        DayInfo day;
        day.Readings = ReadingsOf(data, {n, false});
        QCOMPARE(Printed(day), printed);
    }

    // The Saturdays of the departed the engine takes from the placed records are those whose weekday line or
    // commemorations name the departed: every Saturday of 1901–2100 reads as the day's own texts make it.
    void departedSaturdaysAsTheDaysNameThem() {
        const DayEngine& e = *Bundled();
        const ReadingsData& data = e.Data().Readings;
        int named = 0;
        for (int32_t n = *e.DayNumberOf(StyleGregorian, 1901, 1, 5);
             n <= *e.DayNumberOf(StyleGregorian, 2100, 12, 31); n += 7) {
            const DayInfo day = e.Day(n, DayOptions{});
            const bool departed = NamesDeparted(data, day.WeekdayLine) ||
                                  std::any_of(day.Entries.begin(), day.Entries.end(),
                                              [&](const DayEntry& x) { return NamesDeparted(data, x.Text); });
            named += departed;
            if (*day.Readings != ReadingsOf(data, {n, departed}))
                QFAIL(qPrintable(QStringLiteral("day %1").arg(n)));
        }
        QVERIFY(named > 200 * 5); // Meatfare, three in Lent, Trinity and Demetrius: nearly six a year
    }

    void liturgyOfTheDay_data() {
        QTest::addColumn<QString>("date"); // Gregorian
        QTest::addColumn<QString>("liturgy");
        QTest::addColumn<bool>("royalHours");
        QTest::addRow("a day after Pentecost") << "2024-07-01"
                                               << "chrysostom" << false;
        QTest::addRow("1 January") << "2022-01-14"
                                   << "basil" << false;
        QTest::addRow("first Sunday of Lent") << "2024-03-24"
                                              << "basil" << false;
        QTest::addRow("Lent Tuesday") << "2024-03-19"
                                      << "none" << false;
        QTest::addRow("Lent Wednesday") << "2024-03-20"
                                        << "presanctified" << false;
        QTest::addRow("Lent Tuesday of a polyeleos saint") << "2022-03-22"
                                                           << "presanctified" << false;
        QTest::addRow("Cheesefare Friday") << "2024-03-15"
                                           << "none" << false;
        QTest::addRow("Great Monday") << "2024-04-29"
                                      << "presanctified" << false;
        QTest::addRow("Great Thursday") << "2024-05-02"
                                        << "basil" << false;
        QTest::addRow("Great Friday") << "2024-05-03"
                                      << "none" << true;
        QTest::addRow("Great Saturday") << "2024-05-04"
                                        << "basil" << false;
        QTest::addRow("Annunciation on a Lent Sunday") << "2024-04-07"
                                                       << "basil" << false;
        QTest::addRow("Annunciation on Great Tuesday") << "2026-04-07"
                                                       << "chrysostom" << false;
        QTest::addRow("Nativity eve on a Monday") << "2025-01-06"
                                                  << "basil" << true;
        QTest::addRow("Nativity eve on a Saturday") << "2029-01-06"
                                                    << "chrysostom" << false;
        QTest::addRow("the Friday before it") << "2029-01-05"
                                              << "none" << true;
        QTest::addRow("the Nativity after it") << "2029-01-07"
                                               << "basil" << false;
        QTest::addRow("Theophany eve on a Sunday") << "2025-01-19"
                                                   << "basil" << false;
    }
    void liturgyOfTheDay() {
        QFETCH(QString, date);
        QFETCH(QString, liturgy);
        QFETCH(bool, royalHours);
        const DayInfo day = DayOf(date);
        QCOMPARE(LiturgyName(day.Liturgy->Kind), liturgy);
        QCOMPARE(day.Liturgy->RoyalHours, royalHours);
    }

    void noWeddings_data() {
        QTest::addColumn<QString>("date"); // Gregorian
        QTest::addColumn<bool>("none");
        QTest::addRow("a Monday of the Paschal season") << "2024-06-10" << false;
        QTest::addRow("a Tuesday") << "2024-06-11" << true;
        QTest::addRow("eve of the Ascension") << "2024-06-12" << true;
        QTest::addRow("first day of the Apostles' fast") << "2024-07-01" << true;
        QTest::addRow("Peter and Paul, a Friday") << "2024-07-12" << false;
        QTest::addRow("Bright Monday") << "2024-05-06" << true;
        QTest::addRow("Monday after Thomas Sunday") << "2024-05-13" << false;
        QTest::addRow("eve of the Beheading") << "2025-09-10" << true;
        QTest::addRow("eve of the Exaltation, a Friday") << "2025-09-26" << true;
        QTest::addRow("a Monday after the Exaltation") << "2025-09-29" << false;
        QTest::addRow("eve of the Protection") << "2025-10-13" << true;
        QTest::addRow("Svyatki") << "2025-01-13" << true;
        QTest::addRow("the Monday after Theophany") << "2025-01-20" << false;
        QTest::addRow("Cheesefare Sunday") << "2024-03-17" << true;
        QTest::addRow("a Sunday of autumn") << "2024-10-27" << false;
    }
    void noWeddings() {
        QFETCH(QString, date);
        QFETCH(bool, none);
        QCOMPARE(*DayOf(date).NoWeddings, none);
    }

    // A data folder without the readings file: nothing is answered.
    void withoutTheFile() {
        QTemporaryDir dir;
        const auto engine = DayEngine::Load(dir.path());
        const DayInfo day = engine->Day(*engine->DayNumberOf(StyleGregorian, 2024, 5, 5), DayOptions{});
        QVERIFY(!day.Readings && !day.Liturgy && !day.NoWeddings);
    }

    // A line that cannot be read is named once and left out; the rest of the file is read.
    void badLines() {
        const QString text =
            QStringLiteral("[Books]\r\nМф.=gospel 116\r\nРим.=apostle 335\r\n[Weeks]\r\n"
                           "1.1=Рим. 1:1–7 (79) | Быт. 1:1 (1)\r\n"
                           "1.2=Рим. 1:1–7 (79) | Мф. 5:1–12 (117)\r\n"
                           "1.3=Рим. 1:18–27 (80) | Мф. 5:20–26 (12 от полу)\r\n"
                           "[Menaion]\r\n30.02=vigil Свт.: Рим. 1:1 (79)\r\n"
                           "01.01=ranked Свт.: Рим. 1:1 (79)\r\n01.01=six Свт.: Рим. 1:1 (79)\r\n");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^bad\\.DAT:5: an unknown book"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^bad\\.DAT:6: a zachalo out of range"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^bad\\.DAT:9: not a date"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^bad\\.DAT:10: an unknown class"));
        const ReadingsData data = ParseReadings(cp1251::Encode(text), QStringLiteral("bad.DAT"));
        QVERIFY(data.Weeks[1][1].empty() && data.Weeks[1][2].empty());
        QCOMPARE(data.Weeks[1][3].size(), size_t(2));
        QCOMPARE(data.Weeks[1][3][1].Zachalo, QStringLiteral("12 от полу"));
        QCOMPARE(data.Menaion[101].size(), size_t(1));
    }
};

QTEST_GUILESS_MAIN(TestEngineReadings)
#include "test_engine_readings.moc"
