// The fast of the day: the bundled rule file through the evaluator on days whose rule a printed church
// calendar gives (every period, every kind of day, both ends of the Apostles' fast), and the rule reader on
// broken files.
#include "core/calendar.h"
#include "core/cp1251.h"
#include "core/recalc.h"
#include "engine/fasting.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace vorelian;

Q_DECLARE_METATYPE(vorelian::Rank)
Q_DECLARE_METATYPE(vorelian::FastLevel)

namespace {

const QString kRuleFile = QStringLiteral(VORELIAN_SOURCE_DIR "/data/Calendar/Fasting.DAT");

// The phrases a reader expects, written here apart from the data file.
QString Phrase(FastLevel level) {
    switch (level) {
    case FastLevel::NoFood:
        return QStringLiteral("Полное воздержание от пищи.");
    case FastLevel::Dry:
        return QStringLiteral("Сухоядение.");
    case FastLevel::HotNoOil:
        return QStringLiteral("Горячая пища без масла.");
    case FastLevel::Oil:
        return QStringLiteral("Пища с растительным маслом и вином.");
    case FastLevel::Caviar:
        return QStringLiteral("Разрешается икра.");
    case FastLevel::Fish:
        return QStringLiteral("Разрешается рыба.");
    case FastLevel::NoMeat:
        return QStringLiteral("Мясо не вкушают.");
    case FastLevel::None:
        return QStringLiteral("Поста нет.");
    }
    return {};
}

int32_t PaschaOf(int16_t julianYear) {
    CalendarState st;
    st.CurStyle = StyleJulian;
    return PaschaDayNumber(st, julianYear);
}

// Julian day, month and year of a day number (the civil-from-days rule of the Julian calendar).
void JulianDate(int32_t n, int& day, int& month, int& year) {
    const int32_t c = n + 32082;
    const int32_t d = (4 * c + 3) / 1461; // [0, ...)
    const int32_t e = c - 1461 * d / 4;   // [0, 365]
    const int32_t m = (5 * e + 2) / 153;  // [0, 11], from March
    day = e - (153 * m + 2) / 5 + 1;
    month = m + 3 - 12 * (m / 10);
    year = d - 4800 + m / 10;
}

// A day of a Julian year: a date when month > 0, else `day` days from that year's Pascha.
FastingDay DayOf(int year, int month, int day, Rank rank) {
    const int32_t pascha = PaschaOf(int16_t(year));
    const int32_t n =
        month > 0 ? DayNumber(StyleJulian, int16_t(day), int16_t(month), int16_t(year)) : pascha + day;
    int d, m, y;
    JulianDate(n, d, m, y);
    return {n, int16_t(m), int16_t(d), int8_t(WeekdayOf(n)), pascha, rank};
}

QByteArray FixtureBytes(const QString& text) {
    QString crlf = text;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    return cp1251::Encode(crlf);
}

} // namespace

class TestEngineFasting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void bundledRules_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month"); // 0: `day` counts from Pascha
        QTest::addColumn<int>("day");
        QTest::addColumn<Rank>("rank");
        QTest::addColumn<int>("weekday");
        QTest::addColumn<FastLevel>("level");
        QTest::addColumn<QString>("text"); // empty: the level's phrase

        using L = FastLevel;
        using R = Rank;
        struct Row {
            const char* name;
            int year, month, day;
            Rank rank;
            int weekday;
            FastLevel level;
            const char* text = "";
        };
        const Row rows[] = {
            {"ordinary Monday", 2024, 10, 1, R::None, 1, L::None},
            {"ordinary Wednesday: oil, no wine", 2024, 10, 3, R::None, 3, L::Oil,
             "Пища с растительным маслом."},
            {"ordinary Friday", 2024, 10, 5, R::None, 5, L::Oil, "Пища с растительным маслом."},
            {"polyeleos keeps an ordinary Wednesday at oil", 2024, 10, 3, R::Polyeleos, 3, L::Oil,
             "Пища с растительным маслом."},
            {"vigil on an ordinary Friday (St Sergius)", 2027, 9, 25, R::Vigil, 5, L::Fish},
            {"vigil on an ordinary Friday (St Demetrius)", 2024, 10, 26, R::Vigil, 5, L::Fish},
            {"great feast on a Wednesday (Nativity of the Theotokos)", 2022, 9, 8, R::Great, 3, L::Fish},
            {"Dormition on a Wednesday", 2024, 8, 15, R::Great, 3, L::Fish},

            {"Svyatki, Wednesday", 2024, 12, 26, R::None, 3, L::None},
            {"Nativity on a Wednesday", 2025, 12, 25, R::Great, 3, L::None},
            {"Nativity on a Friday", 2021, 12, 25, R::Great, 5, L::None},
            {"Theophany on a Wednesday", 2022, 1, 6, R::Great, 3, L::None},
            {"Theophany on a Friday", 2024, 1, 6, R::Great, 5, L::None},
            {"week after the Publican, Wednesday", 2024, 0, -67, R::None, 3, L::None},
            {"Cheesefare week, Wednesday", 2024, 0, -53, R::None, 3, L::NoMeat},
            {"Cheesefare week, Friday", 2024, 0, -51, R::None, 5, L::NoMeat},
            {"Forgiveness Sunday", 2024, 0, -49, R::None, 7, L::NoMeat},
            {"Bright Week, Wednesday", 2024, 0, 3, R::None, 3, L::None},
            {"Trinity week, Wednesday", 2024, 0, 52, R::None, 3, L::None},
            {"Day of the Holy Spirit", 2024, 0, 50, R::Vigil, 1, L::None},
            {"Friday after Thomas Sunday", 2024, 0, 12, R::None, 5, L::Fish},
            {"Mid-Pentecost Wednesday", 2024, 0, 24, R::None, 3, L::Fish},
            {"Friday before Pentecost", 2024, 0, 47, R::None, 5, L::Fish},

            {"Clean Monday", 2024, 0, -48, R::None, 1, L::NoFood},
            {"Tuesday of the first week", 2024, 0, -47, R::None, 2, L::HotNoOil,
             "Горячая пища без масла, вечером; кто в силах, по Уставу не вкушает пищи до среды."},
            {"Great Lent, Monday", 2025, 0, -34, R::None, 1, L::Dry},
            {"Great Lent, Tuesday", 2025, 0, -33, R::None, 2, L::HotNoOil},
            {"Great Lent, Wednesday", 2025, 0, -32, R::None, 3, L::Dry},
            {"Great Lent, Thursday", 2025, 0, -31, R::None, 4, L::HotNoOil},
            {"Great Lent, Friday", 2025, 0, -30, R::None, 5, L::Dry},
            {"Great Lent, Saturday", 2025, 0, -29, R::None, 6, L::Oil},
            {"Great Lent, Sunday", 2025, 0, -28, R::None, 7, L::Oil},
            {"Forty Martyrs on a Friday of Lent", 2024, 3, 9, R::Polyeleos, 5, L::Oil},
            {"Lazarus Saturday", 2024, 0, -8, R::None, 6, L::Caviar, "Разрешается рыбная икра."},
            {"Palm Sunday", 2024, 0, -7, R::Great, 7, L::Fish},
            {"Great Monday", 2024, 0, -6, R::None, 1, L::Dry},
            {"Great Thursday", 2024, 0, -3, R::None, 4, L::Oil},
            {"Great Friday", 2024, 0, -2, R::None, 5, L::NoFood,
             "Полное воздержание от пищи до выноса Плащаницы."},
            {"Great Saturday", 2024, 0, -1, R::None, 6, L::Dry},
            {"Pascha", 2024, 0, 0, R::Great, 7, L::None},

            {"Annunciation on a Wednesday of Lent", 2021, 3, 25, R::Great, 3, L::Fish},
            {"Annunciation on the Sunday of the Cross", 2024, 0, -28, R::Great, 7, L::Fish},
            {"Annunciation on Lazarus Saturday", 2001, 3, 25, R::Great, 6, L::Fish},
            {"Annunciation on Great Monday: oil and wine", 2031, 3, 25, R::Great, 1, L::Oil},
            {"Annunciation on Great Tuesday", 2026, 3, 25, R::Great, 2, L::Oil},
            {"Annunciation on Great Friday: wine only", 2034, 3, 25, R::Great, 5, L::Dry,
             "Сухоядение; ради праздника разрешается вино."},
            {"Annunciation on Great Saturday", 2018, 3, 25, R::Great, 6, L::Oil},
            {"Annunciation in Bright Week", 2010, 3, 25, R::Great, 3, L::None},

            {"shortest Apostles' fast: All Saints Sunday", 1983, 6, 20, R::None, 7, L::None},
            {"shortest Apostles' fast: first day", 1983, 6, 21, R::None, 1, L::HotNoOil},
            {"shortest Apostles' fast: Wednesday", 1983, 6, 23, R::None, 3, L::Dry},
            {"shortest Apostles' fast: last day", 1983, 6, 28, R::None, 1, L::HotNoOil},
            {"shortest Apostles' fast: Peter and Paul", 1983, 6, 29, R::Great, 2, L::None},
            {"longest Apostles' fast: All Saints Sunday", 2010, 5, 17, R::None, 7, L::None},
            {"longest Apostles' fast: first day", 2010, 5, 18, R::None, 1, L::HotNoOil},
            {"longest Apostles' fast: Tuesday", 2010, 5, 19, R::None, 2, L::Fish},
            {"longest Apostles' fast: Nativity of the Forerunner on a Wednesday", 2010, 6, 24, R::Great, 3,
             L::Fish},
            {"longest Apostles' fast: last day", 2010, 6, 28, R::None, 7, L::Fish},
            {"vigil on a Wednesday of the Apostles' fast: oil", 2027, 6, 17, R::Vigil, 3, L::Oil},
            {"vigil on a Tuesday of the Apostles' fast keeps fish", 2027, 6, 16, R::Vigil, 2, L::Fish},

            {"Dormition fast, Wednesday", 2024, 8, 1, R::None, 3, L::Dry},
            {"Dormition fast, Saturday", 2024, 8, 4, R::None, 6, L::Oil},
            {"Dormition fast, Tuesday", 2024, 8, 7, R::None, 2, L::HotNoOil},
            {"Transfiguration on a Wednesday", 2026, 8, 6, R::Great, 3, L::Fish},

            {"Nativity fast, first day", 2024, 11, 15, R::None, 4, L::Fish},
            {"Nativity fast, Friday", 2024, 11, 16, R::None, 5, L::Dry},
            {"Nativity fast, Monday", 2024, 11, 19, R::None, 1, L::HotNoOil},
            {"Entry of the Theotokos on a Wednesday", 2024, 11, 21, R::Great, 3, L::Fish},
            {"vigil on a Monday of the Nativity fast (St Sabbas)", 2028, 12, 5, R::Vigil, 1, L::Oil},
            {"St Nicholas on a Friday", 2025, 12, 6, R::Vigil, 5, L::Fish},
            {"vigil on a Friday after St Nicholas", 2024, 12, 14, R::Vigil, 5, L::Oil},
            {"after St Nicholas, Tuesday", 2024, 12, 11, R::None, 2, L::Oil},
            {"after St Nicholas, Friday", 2024, 12, 14, R::None, 5, L::Dry},
            {"after St Nicholas, Sunday", 2024, 12, 16, R::None, 7, L::Fish},
            {"forefeast of the Nativity, Thursday", 2024, 12, 20, R::None, 4, L::HotNoOil},
            {"forefeast of the Nativity, Friday", 2024, 12, 21, R::None, 5, L::Dry},
            {"forefeast of the Nativity, Saturday", 2024, 12, 22, R::None, 6, L::Oil},

            {"Eve of the Nativity on a Monday", 2024, 12, 24, R::None, 1, L::Dry,
             "Рождественский сочельник: до вечерни пищи не вкушают, затем сухоядение."},
            {"Eve of the Nativity on a Saturday", 2023, 12, 24, R::None, 6, L::Oil},
            {"Eve of the Theophany on a Wednesday", 2023, 1, 5, R::None, 3, L::Dry,
             "Крещенский сочельник: до вечерни пищи не вкушают, затем сухоядение."},
            {"Eve of the Theophany on a Saturday", 2025, 1, 5, R::None, 6, L::Oil},
            {"Beheading of the Forerunner on a Wednesday", 2024, 8, 29, R::Great, 3, L::Oil},
            {"Beheading of the Forerunner on a Sunday", 2022, 8, 29, R::Great, 7, L::Oil},
            {"Exaltation on a Wednesday", 2023, 9, 14, R::Great, 3, L::Oil},
            {"Exaltation on a Saturday", 2025, 9, 14, R::Great, 6, L::Oil},
        };
        for (const Row& r : rows)
            QTest::addRow("%s", r.name)
                << r.year << r.month << r.day << r.rank << r.weekday << r.level << QString::fromUtf8(r.text);
    }
    void bundledRules() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(Rank, rank);
        QFETCH(int, weekday);
        QFETCH(FastLevel, level);
        QFETCH(QString, text);
        static const FastingRules rules = LoadFastingRules(kRuleFile);
        QVERIFY(!rules.Empty());
        const FastingDay d = DayOf(year, month, day, rank);
        QCOMPARE(int(d.Weekday), weekday); // the row is the day it says
        const std::optional<Fasting> fast = EvaluateFasting(rules, d);
        QVERIFY(fast);
        QCOMPARE(FastLevelName(fast->Level), FastLevelName(level));
        QCOMPARE(fast->Text, text.isEmpty() ? Phrase(level) : text);
    }

    // A built day: the rank that counts is the highest of all its commemorations, movable ones included.
    void builtDay_data() {
        QTest::addColumn<QList<int>>("ranks");
        QTest::addColumn<FastLevel>("level");
        QTest::addRow("no ranks") << QList<int>{0, 0} << FastLevel::Oil;
        QTest::addRow("six stichera and great doxology") << QList<int>{6, 5} << FastLevel::Oil;
        QTest::addRow("a vigil after a doxology") << QList<int>{5, 0, 2} << FastLevel::Fish;
        QTest::addRow("a great feast among others") << QList<int>{6, 1, 3} << FastLevel::Fish;
    }
    void builtDay() {
        QFETCH(QList<int>, ranks);
        QFETCH(FastLevel, level);
        static const FastingRules rules = LoadFastingRules(kRuleFile);
        const FastingDay d = DayOf(2024, 10, 5, Rank::None); // an ordinary Friday
        QCOMPARE(int(d.Weekday), 5);
        DayInfo day;
        day.DayNumber = d.DayNumber;
        day.Julian = {2024, 10, 5};
        day.Weekday = d.Weekday;
        for (int r : ranks) {
            DayEntry e;
            e.EntryRank = Rank(r);
            e.Movable = r == 1;
            day.Entries.push_back(e);
        }
        const std::optional<Fasting> fast = FastOfDay(rules, day);
        QVERIFY(fast);
        QCOMPARE(FastLevelName(fast->Level), FastLevelName(level));
        QVERIFY(!FastOfDay(FastingRules{}, day));
    }

    void brokenFiles_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rules");
        QTest::addColumn<QStringList>("warnings"); // patterns of the messages, in order
        QTest::addColumn<int>("greatFriday");      // the level of Great Friday 2024, -1 for no fasting line

        const QString head = QStringLiteral("[Levels]\nnoFood=Полное.\ndry=Сухо.\nnone=Нет.\n");
        const QString tail = QStringLiteral("[9]\nlevel=none\n");
        auto row = [&](const char* name, const QString& rule, int rules, const QStringList& warnings,
                       FastLevel l) {
            QTest::addRow("%s", name) << head + rule + tail << rules << warnings << int(l);
        };
        const QString leftOut = QStringLiteral("rule \\[1\\] left out");
        row("good rule", "[1]\ndays=-2\nlevel=noFood\n", 2, {}, FastLevel::NoFood);
        row("unknown level", "[1]\ndays=-2\nlevel=nofud\n", 1,
            {"fix.DAT:7: cannot read \"level=nofud\"; " + leftOut}, FastLevel::None);
        row("impossible date", "[1]\ndates=31.02\nlevel=dry\n", 1, {"fix.DAT:6: .*" + leftOut},
            FastLevel::None);
        row("date without a dot", "[1]\ndates=2503\nlevel=dry\n", 1, {"fix.DAT:6: .*" + leftOut},
            FastLevel::None);
        row("number with letters", "[1]\ndays=-2x\nlevel=noFood\n", 1, {"fix.DAT:6: .*" + leftOut},
            FastLevel::None);
        row("range with no ends", "[1]\ndays=..\nlevel=noFood\n", 1, {"fix.DAT:6: .*" + leftOut},
            FastLevel::None);
        row("weekday 8", "[1]\nweekdays=5,8\nlevel=noFood\n", 1, {"fix.DAT:6: .*" + leftOut},
            FastLevel::None);
        row("condition given twice", "[1]\ndays=-2\ndays=-1\nlevel=noFood\n", 1, {"fix.DAT:7: .*" + leftOut},
            FastLevel::None);
        row("level and week both", "[1]\ndays=-2\nlevel=noFood\nweek=dry,dry,dry,dry,dry,dry,dry\n", 1,
            {"fix.DAT:8: .*" + leftOut}, FastLevel::None);
        row("week of six days", "[1]\ndays=-2\nweek=dry,dry,dry,dry,dry,dry\n", 1,
            {"fix.DAT:7: .*" + leftOut}, FastLevel::None);
        row("unknown key", "[1]\nweekday=3\nlevel=noFood\n", 1, {"fix.DAT:6: .*" + leftOut}, FastLevel::None);
        row("empty text", "[1]\ndays=-2\nlevel=noFood\ntext=\n", 1, {"fix.DAT:8: .*" + leftOut},
            FastLevel::None);
        row("no level", "[1]\ndays=-2\nname=Пятница\n", 1,
            {"fix.DAT:6: rule \\[1\\] gives no level; left out"}, FastLevel::None);
        row("line without =", "[1]\ndays -2\nlevel=dry\n", 1,
            {"fix.DAT:6: no \"=\" in entry; line skipped", "fix.DAT:6: " + leftOut}, FastLevel::None);
        row("relaxation to an unknown level", "[1]\ndays=-2\nlevel=noFood\nvigil=rыба\n", 1,
            {"fix.DAT:8: .*" + leftOut}, FastLevel::None);
        row("unknown section", "[Правила]\nlevel=dry\n[1]\ndays=-2\nlevel=noFood\n", 2,
            {"fix.DAT:6: unknown section \\[Правила\\] ignored"}, FastLevel::NoFood);
        row("level without a phrase", "[1]\ndays=-2\nlevel=fish\n", 2,
            {"fix.DAT: no phrase for the level fish"}, FastLevel::Fish);
        row("rule number given twice: the later rule wins",
            "[1]\ndays=-2\nlevel=dry\n[1]\ndays=-2\nlevel=noFood\n", 2,
            {"fix.DAT:5: rule number 1 given again on line 8; the rule of line 8 is used"},
            FastLevel::NoFood);
        row("rule number given three times: the last wins",
            "[1]\nlevel=dry\n[1]\nlevel=none\n[1]\ndays=-2\nlevel=noFood\n", 2,
            {"fix.DAT:5: rule number 1 given again on line 9; the rule of line 9 is used",
             "fix.DAT:7: rule number 1 given again on line 9; the rule of line 9 is used"},
            FastLevel::NoFood);
        row("rule number written two ways", "[1]\ndays=-2\nlevel=noFood\n[01]\ndays=-2\nlevel=dry\n", 2,
            {"fix.DAT:5: rule number 1 given again on line 8"}, FastLevel::Dry);
        row("a typo in the later of two rules", "[1]\ndays=-2\nlevel=dry\n[1]\ndays=-2\nlevle=noFood\n", 1,
            {"fix.DAT:5: rule number 1 given again on line 8", "fix.DAT:10: cannot read \"levle=noFood\""},
            FastLevel::None);
        row("rules by number, not file order", "[12]\nlevel=dry\n[1]\ndays=-2\nlevel=noFood\n", 3, {},
            FastLevel::NoFood);

        QTest::addRow("unknown level in Levels")
            << QStringLiteral("[Levels]\nnone=Нет.\nмного=Много.\n[1]\nlevel=none\n") << 1
            << QStringList{"fix.DAT:3: unknown level or empty phrase"} << int(FastLevel::None);
        QTest::addRow("empty file") << QString() << 0 << QStringList{"fix.DAT: no rule can be read"} << -1;
        QTest::addRow("only phrases") << head << 0 << QStringList{"fix.DAT: no rule can be read"} << -1;
    }
    void brokenFiles() {
        QFETCH(QString, text);
        QFETCH(int, rules);
        QFETCH(QStringList, warnings);
        QFETCH(int, greatFriday);
        for (const QString& w : warnings)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QLatin1Char('^') + w));
        const FastingRules r = ParseFastingRules(FixtureBytes(text), QStringLiteral("fix.DAT"));
        QCOMPARE(int(r.Rules.size()), rules);
        const std::optional<Fasting> fast = EvaluateFasting(r, DayOf(2024, 0, -2, Rank::None));
        QCOMPARE(fast ? int(fast->Level) : -1, greatFriday);
    }

    // What the window names at start-up: each problem with the file's name and its lines, in Russian.
    void problemsNameFileAndLines() {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("given again")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot read")));
        const FastingRules r = ParseFastingRules(
            FixtureBytes(
                QStringLiteral("[Levels]\nnone=Нет.\n[10]\nlevel=none\n[20]\nlevel=nun\n[10]\nlevel=none\n")),
            QStringLiteral("/data/Fasting.DAT"));
        QCOMPARE(
            r.Problems,
            QStringList({QStringLiteral("Fasting.DAT: номер правила 10 повторён в строках 3 и 7; действует "
                                        "правило строки 7"),
                         QStringLiteral("Fasting.DAT, строка 6: не прочитано «level=nun»; правило 20 не "
                                        "действует")}));
    }

    void missingFileHasNoRules() {
        QVERIFY(
            LoadFastingRules(QDir::temp().filePath(QStringLiteral("no-such-folder/Fasting.DAT"))).Empty());
        QVERIFY(LoadFastingRules(QString()).Empty());
    }

    void unreadableFileWarnsOnce() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Fasting.DAT"));
        QVERIFY(QDir().mkpath(path)); // a folder where the file should be cannot be read as one
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Fasting.DAT: cannot be read")));
        const FastingRules rules = LoadFastingRules(path);
        QVERIFY(rules.Empty());
        QVERIFY(!EvaluateFasting(rules, DayOf(2024, 0, -2, Rank::None)));
    }

    void bundledFileReadsCleanly() {
        const FastingRules rules = LoadFastingRules(kRuleFile); // any message fails the test
        QCOMPARE(int(rules.Rules.size()), 34);
        QVERIFY(rules.Problems.isEmpty());
        for (int i = 0; i < FastLevelCount; ++i)
            QCOMPARE(rules.Phrases[i], Phrase(FastLevel(i)));
    }
};

QTEST_GUILESS_MAIN(TestEngineFasting)
#include "test_engine_fasting.moc"
