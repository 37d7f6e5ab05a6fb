// A lint over the bundled calendar data, and a reading of it through the engine: every file decodes and
// parses cleanly, every day of every month file is there, keys and rank tags are known, the record files
// are complete, red days are only the great feasts, and the great feasts land where the Church keeps them.
#include "bases/bases.h"
#include "bases/profile.h"
#include "core/calendar.h"
#include "core/cp1251.h"
#include "core/recalc.h"
#include "core/tables.h"
#include "engine/dayengine.h"
#include "report/dayblock.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace vorelian;

namespace {

const QString kData = QStringLiteral(VORELIAN_SOURCE_DIR "/data/Calendar");

QByteArray Bytes(const QString& name) {
    QFile f(kData + '/' + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct MonthFile {
    const char* name;
    int month; // Julian month
    int days;
};
constexpr MonthFile kMonths[] = {
    {"January.DAT", 1, 31},   {"February29.DAT", 2, 29}, {"February28.DAT", 2, 28}, {"March.DAT", 3, 31},
    {"April.DAT", 4, 30},     {"May.DAT", 5, 31},        {"June.DAT", 6, 30},       {"July.DAT", 7, 31},
    {"August.DAT", 8, 31},    {"September.DAT", 9, 30},  {"October.DAT", 10, 31},   {"November.DAT", 11, 30},
    {"December.DAT", 12, 31},
};

// The great feasts of fixed date, by Julian day and month: the only red days of the month files.
const QSet<QPair<int, int>> kRedDays = {{1, 1},  {6, 1}, {25, 3}, {24, 6}, {29, 6},  {6, 8},  {15, 8},
                                        {29, 8}, {8, 9}, {14, 9}, {1, 10}, {21, 11}, {25, 12}};

const QStringList kRecordFiles = {"Relocatable.DAT", "Relocatable1.DAT", "Special.DAT",
                                  "Weekdays.DAT",    "Weekdays1.DAT",    "SpecWeekDays.DAT"};

QStringList AllProfiles() {
    QStringList names;
    for (const MonthFile& m : kMonths)
        names << QString::fromLatin1(m.name);
    return names + kRecordFiles;
}

bool IsTextKey(const QString& key) {
    static const QSet<QString> keys = {"0", "1", "2", "3", "11", "19", "21", "29", "31", "39"};
    return keys.contains(key);
}

QString WithoutTag(const QString& text) {
    static const QRegularExpression tag(QStringLiteral("^\\{[1-6]\\}\\s*"));
    return QString(text).remove(tag);
}

// 0 great feast, 1 vigil, 2 polyeleos, 3 great doxology, 4 six stichera, 5 no tag.
int RankOrder(const QString& text) {
    static const QString tags = QStringLiteral("1235");
    if (text.size() < 3 || text[0] != u'{' || text[2] != u'}')
        return 5;
    const qsizetype i = tags.indexOf(text[1]);
    return i < 0 ? 4 : int(i);
}

// The forefeast, afterfeast, eve and leave-taking of a feast: church calendars print them at the head
// of the day's saints, whatever their rank.
bool IsDayOfFeast(const QString& text) {
    static const QRegularExpression days(
        QStringLiteral("^(Предпразднство|Попразднство|Навечерие|Отдание праздника) "));
    return days.match(WithoutTag(text)).hasMatch();
}

// The bundled data set through the day engine, as the reports and the month grid see it.
struct Engine {
    std::shared_ptr<const DayEngine> engine = DayEngine::Load(kData);

    DayInfo Day(int16_t style, int16_t day, int16_t month, int16_t year) const {
        DayOptions o;
        o.Style = style;
        return engine->Day(DayNumber(style, day, month, year), o);
    }
    // The weekday line and the commemorations as the day report writes them.
    QString Shown(const DayInfo& d) const { return d.WeekdayLineStored + EntriesMarkup(d.Entries); }
    QString Entries(int16_t style, int16_t day, int16_t month, int16_t year) const {
        return EntriesMarkup(Day(style, day, month, year).Entries);
    }
    // The red mark of the month grid.
    bool RedMark(int16_t style, int16_t day, int16_t month, int16_t year) const {
        DayOptions o;
        o.Style = style;
        return engine->Month(year, month, o)[day - 1].Red;
    }
};

} // namespace

class TestData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filesAreWindows1251WithCrLf_data() {
        QTest::addColumn<QString>("name");
        const QStringList names = AllProfiles() << QStringLiteral("Abbr.DAT") << QStringLiteral("Fasting.DAT")
                                                << QStringLiteral("Names.DAT")

                                                << QStringLiteral("Readings.DAT");
        for (const QString& n : names)
            QTest::addRow("%s", qPrintable(n)) << n;
    }
    void filesAreWindows1251WithCrLf() {
        QFETCH(QString, name);
        const QByteArray bytes = Bytes(name);
        QVERIFY2(!bytes.isEmpty(), "missing or empty file");
        QVERIFY2(!bytes.startsWith("\xEF\xBB\xBF"), "a UTF-8 byte-order mark");
        QVERIFY2(!bytes.contains('\x98'), "a byte that Windows-1251 does not assign");
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
                QFAIL(qPrintable(QStringLiteral("a line end without CR at byte %1").arg(i)));
            if (uchar(bytes[i]) < 0x20 && bytes[i] != '\r' && bytes[i] != '\n' && bytes[i] != '\t')
                QFAIL(qPrintable(QStringLiteral("a control byte at %1").arg(i)));
        }
        if (name.endsWith(".DAT") && name != "Abbr.DAT")
            QCOMPARE(Profile::Parse(bytes, name).MalformedLines(), 0);
    }

    void everyDayOfEveryMonthFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("days");
        for (const MonthFile& m : kMonths)
            QTest::addRow("%s", m.name) << QString::fromLatin1(m.name) << m.month << m.days;
    }
    void everyDayOfEveryMonthFile() {
        QFETCH(QString, name);
        QFETCH(int, month);
        QFETCH(int, days);
        const Profile p = Profile::Parse(Bytes(name), name);
        QCOMPARE(int(p.Sections().size()), days);
        for (int d = 1; d <= days; ++d) {
            const ProfileSection* s = p.Section(QString::number(d));
            QVERIFY2(s && !s->Entries.empty(),
                     qPrintable(QStringLiteral("day %1 is missing or empty").arg(d)));
            QSet<QString> seen;
            for (const ProfileEntry& e : s->Entries) {
                const QString key = e.Key.toLower();
                const QString where = QStringLiteral("day %1, key %2: %3").arg(d).arg(e.Key, e.Value);
                QVERIFY2(key == "red" || key == "0" || key == "1" || key == "2" || key == "3" || key == "4",
                         qPrintable("unknown key at " + where));
                if (key == "red") {
                    QVERIFY2(kRedDays.contains({d, month}),
                             qPrintable("a red day that is no great feast: " + where));
                    QCOMPARE(e.Value, QStringLiteral("1"));
                    continue;
                }
                QVERIFY2(!e.Value.isEmpty(), qPrintable("an empty text at " + where));
                if (key == "4")
                    QVERIFY2(!e.Value.startsWith('{'), qPrintable("a rank tag on a note: " + where));
                QVERIFY2(!seen.contains(WithoutTag(e.Value)), qPrintable("a line given twice: " + where));
                seen.insert(WithoutTag(e.Value));
            }
            const bool red = p.Value(QString::number(d), u"red") == QLatin1String("1");
            QCOMPARE(red, kRedDays.contains({d, month}));
        }
    }

    void februaryFilesAgree() {
        // The common-year file is the leap-year one with the 29th kept on the 28th.
        const Profile leap = Profile::Parse(Bytes("February29.DAT"));
        const Profile common = Profile::Parse(Bytes("February28.DAT"));
        for (int d = 1; d <= 27; ++d) {
            const auto& a = leap.Section(QString::number(d))->Entries;
            const auto& b = common.Section(QString::number(d))->Entries;
            QCOMPARE(a.size(), b.size());
            for (std::size_t i = 0; i < a.size(); ++i)
                QCOMPARE(b[i].Value, a[i].Value);
        }
        for (const ProfileEntry& e : leap.Section(u"29")->Entries) {
            bool found = false;
            for (const ProfileEntry& c : common.Section(u"28")->Entries)
                found = found || c.Value == e.Value;
            QVERIFY2(found, qPrintable("29 February is not kept on the 28th: " + e.Value));
        }
    }

    void textsAreCleanFragments_data() {
        QTest::addColumn<QString>("name");
        const QStringList names = AllProfiles();
        for (const QString& n : names)
            QTest::addRow("%s", qPrintable(n)) << n;
    }
    void textsAreCleanFragments() {
        QFETCH(QString, name);
        static const QRegularExpression goodTag(QStringLiteral("^\\{[12356]\\}"));
        const Profile p = Profile::Parse(Bytes(name), name);
        for (const ProfileSection& s : p.Sections())
            for (const ProfileEntry& e : s.Entries) {
                const QString key = e.Key.toLower();
                if (key == "red" || key == "days" || key == "day" || key == "month" || key == "weekday")
                    continue;
                const QString where = QStringLiteral("[%1] %2=%3").arg(s.Name, e.Key, e.Value);
                QString body = e.Value;
                if (IsTextKey(key) && body.startsWith('{')) {
                    QVERIFY2(goodTag.match(body).hasMatch(), qPrintable("an unknown rank tag: " + where));
                    body = body.mid(3);
                }
                QVERIFY2(!body.contains('\\') && !body.contains('{') && !body.contains('}'),
                         qPrintable("an RTF character in a text: " + where));
                QVERIFY2(cp1251::CanEncode(body), qPrintable(where));
            }
    }

    void recordFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("exactCount");
        const QStringList texts = {"red", "0", "11", "19", "21", "29", "31", "39", "4"};
        QTest::addRow("Relocatable") << "Relocatable.DAT" << (QStringList(texts) << "days") << 0;
        QTest::addRow("Relocatable1") << "Relocatable1.DAT"
                                      << (QStringList(texts) << "day"
                                                             << "month"
                                                             << "weekday")
                                      << 0;
        QTest::addRow("Special") << "Special.DAT" << texts << 66;
        QTest::addRow("Weekdays") << "Weekdays.DAT" << QStringList{"red", "days", "0"} << 0;
        QTest::addRow("Weekdays1") << "Weekdays1.DAT" << QStringList{"red", "day", "month", "weekday", "0"}
                                   << 0;
        QTest::addRow("SpecWeekDays") << "SpecWeekDays.DAT" << QStringList{"red", "0"} << 7;
    }
    void recordFiles() {
        QFETCH(QString, name);
        QFETCH(QStringList, keys);
        QFETCH(int, exactCount);
        const Profile p = Profile::Parse(Bytes(name), name);
        const int count = int(p.Sections().size());
        QVERIFY(count > 0);
        if (exactCount)
            QCOMPARE(count, exactCount);
        for (int r = 1; r <= count; ++r) {
            // Records are numbered without gaps: a gap would end the file there.
            const ProfileSection* s = p.Section(QString::number(r));
            QVERIFY2(s && !s->Entries.empty(), qPrintable(QStringLiteral("record %1 missing").arg(r)));
            for (const ProfileEntry& e : s->Entries) {
                const QString key = e.Key.toLower();
                QVERIFY2(keys.contains(key),
                         qPrintable(QStringLiteral("record %1: unknown key %2").arg(r).arg(e.Key)));
                const int n = ParseNumber(e.Value);
                if (key == "days")
                    QVERIFY2(n >= -77 && n <= 70, // 70: the third Sunday after Pentecost
                             qPrintable(QStringLiteral("record %1: days %2").arg(r).arg(n)));
                else if (key == "month")
                    QVERIFY(n >= 1 && n <= 12);
                else if (key == "day")
                    QVERIFY(n >= 1 && n <= 31);
                else if (key == "weekday")
                    QVERIFY(n >= -7 && n <= 8); // 8: the Sunday nearest the date
            }
        }
    }

    void fastingRulesAreNumberedInTensWithAComment() {
        // A parish inserts a rule between two without renumbering, and reads what each rule claims above it.
        static const QRegularExpression header(QStringLiteral("^\\[(\\d+)\\]$"));
        static const QRegularExpression russian(QStringLiteral("^;.*[А-Яа-яЁё]"));
        const QStringList lines = cp1251::Decode(Bytes("Fasting.DAT")).split(QStringLiteral("\r\n"));
        int previous = 0, rules = 0;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const auto m = header.match(lines[i]);
            if (!m.hasMatch())
                continue;
            const int n = m.captured(1).toInt();
            QVERIFY2(n % 10 == 0 && n > previous, qPrintable(lines[i]));
            QVERIFY2(russian.match(lines[i - 1]).hasMatch(), qPrintable("no comment above " + lines[i]));
            previous = n;
            ++rules;
        }
        QVERIFY(rules >= 30);
    }

    void ruleTextsAreNotAlsoInDayFiles() {
        // A commemoration that a rule places lives only in its record, so no year shows it twice.
        const Profile special = Profile::Parse(Bytes("Special.DAT"));
        QSet<QString> placed;
        for (const ProfileSection& s : special.Sections())
            for (const ProfileEntry& e : s.Entries)
                if (e.Key == "0")
                    placed.insert(WithoutTag(e.Value));
        for (const MonthFile& m : kMonths) {
            const Profile p = Profile::Parse(Bytes(QString::fromLatin1(m.name)));
            for (const ProfileSection& s : p.Sections())
                for (const ProfileEntry& e : s.Entries)
                    QVERIFY2(!placed.contains(WithoutTag(e.Value)),
                             qPrintable(QStringLiteral("%1 [%2]: %3").arg(m.name, s.Name, e.Value)));
        }
    }

    void abbreviationsAreExplained() {
        QFile readme(kData + "/README.md");
        QVERIFY(readme.open(QIODevice::ReadOnly));
        const QString notes = QString::fromUtf8(readme.readAll());
        const QString abbr = cp1251::Decode(Bytes("Abbr.DAT"));
        static const QRegularExpression item(QStringLiteral("^- `([^`]+)` — "),
                                             QRegularExpression::MultilineOption);
        int listed = 0;
        for (auto it = item.globalMatch(notes); it.hasNext(); ++listed) {
            const QString a = it.next().captured(1);
            QVERIFY2(abbr.contains(a), qPrintable("not in Abbr.DAT: " + a));
        }
        QVERIFY(listed >= 20);
    }

    void dayFilesOrderGroupZeroByRank_data() { everyDayOfEveryMonthFile_data(); }
    void dayFilesOrderGroupZeroByRank() {
        // Group 0 reads: great feasts, then the days of a feast, then vigil, polyeleos, great doxology,
        // six stichera and the unranked lines. A ranked feast of another group would print below
        // ordinary saints, so ranks live in group 0 only.
        QFETCH(QString, name);
        const Profile p = Profile::Parse(Bytes(name), name);
        for (const ProfileSection& s : p.Sections()) {
            int stage = 0; // 0 great feasts, 1 days of a feast, 2 the rest
            int lastRank = 0;
            for (const ProfileEntry& e : s.Entries) {
                const QString where = QStringLiteral("[%1] %2=%3").arg(s.Name, e.Key, e.Value);
                if (e.Key == "1" || e.Key == "2" || e.Key == "3")
                    QVERIFY2(RankOrder(e.Value) == 5, qPrintable("a ranked line outside group 0: " + where));
                if (e.Key != "0")
                    continue;
                const int rank = RankOrder(e.Value);
                const int lineStage = rank == 0 ? 0 : IsDayOfFeast(e.Value) ? 1 : 2;
                QVERIFY2(lineStage >= stage, qPrintable("out of order: " + where));
                if (lineStage == 2) {
                    QVERIFY2(stage < 2 || rank >= lastRank,
                             qPrintable("a higher rank after a lower one: " + where));
                    lastRank = rank;
                }
                stage = lineStage;
            }
        }
    }

    void textsFollowTheWritingRules_data() { textsAreCleanFragments_data(); }
    void textsFollowTheWritingRules() {
        // The leave-taking of a great feast is kept with the great doxology, everywhere tagged so; a
        // note names a period and leaves the food of the day to the fasting rules; «ё» is written
        // where it is pronounced.
        QFETCH(QString, name);
        static const QRegularExpression food(
            QStringLiteral("Поста нет|Строгий пост|Разрешается|вкушают|рыба|икра|елей|сухоядение"));
        static const QRegularExpression withoutYo(
            QStringLiteral("(?<![А-Яа-яЁё])(трех|четырех|ее|жен-мироносиц|Рублева|нареченн[А-Яа-яЁё]*|"
                           "слепорожденн[А-Яа-яЁё]*|"
                           "сожженн[А-Яа-яЁё]*|Освященн[А-Яа-яЁё]*|перенесенн[А-Яа-яЁё]*|четвертой|Прощеное|"
                           "поется)(?![А-Яа-яЁё])"));
        const Profile p = Profile::Parse(Bytes(name), name);
        for (const ProfileSection& s : p.Sections())
            for (const ProfileEntry& e : s.Entries) {
                const QString where = QStringLiteral("[%1] %2=%3").arg(s.Name, e.Key, e.Value);
                const QString body = WithoutTag(e.Value);
                if (body.startsWith(u"Отдание праздника ") && !body.contains(u"Преполовения"))
                    QVERIFY2(e.Value.startsWith(u"{5}"), qPrintable("an untagged leave-taking: " + where));
                if (e.Key == "4")
                    QVERIFY2(!food.match(body).hasMatch(), qPrintable("a food rule in a note: " + where));
                QVERIFY2(!withoutYo.match(body).hasMatch(), qPrintable("«е» for «ё»: " + where));
            }
    }

    void dateLineAbbreviationsAreExplained() {
        const QString abbr = cp1251::Decode(Bytes("Abbr.DAT"));
        static const QRegularExpression shortened(
            QStringLiteral("(?:[А-ЯЁа-яё]+\\.){2,}|[А-ЯЁа-яё]+\\.(?=\\s)"));
        int found = 0;
        for (const QString& style : StyleNames)
            for (auto it = shortened.globalMatch(style); it.hasNext(); ++found) {
                const QString a = it.next().captured();
                QVERIFY2(abbr.contains(QStringLiteral("\\b %1\\b0  — ").arg(a)),
                         qPrintable("not in Abbr.DAT: " + a));
            }
        QVERIFY(found >= 2);
    }

    void daysOfTheChurchYear_data() {
        // Gregorian dates of the bundled data: what the weekday line and the commemorations must show,
        // in this order, and what they must not.
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<QStringList>("inOrder");
        QTest::addColumn<QStringList>("absent");
        const auto row = [](const char* name, int d, int m, int y, const QStringList& in,
                            const QStringList& out) {
            QTest::addRow("%s", name) << d << m << y << in << out;
        };
        const QString great = QStringLiteral("\\f1 (+)\\f0  ");
        row("Palm Sunday opens with its feast", 25, 4, 2027, {great + "Вход Господень", "Прп. Василия"}, {});
        row("moved Meeting first, then the Triodion, then the Menaion", 14, 2, 2010,
            {great + "Сретение Господа", "изгнания Адама", "Мч. Трифона"}, {});
        row("Annunciation on the Sunday of the Cross", 7, 4, 2013,
            {great + "Благовещение", "Поклонение Честному"}, {});
        row("Demetrius Saturday before St Demetrius", 1, 11, 2025, {"Димитриевская родительская суббота"},
            {});
        row("St Demetrius on a Saturday", 8, 11, 2025, {"Вмч. Димитрия Солунского"}, {"Димитриевская"});
        row("Demetrius Saturday on 24 October, one line", 6, 11, 2027,
            {"Димитриевская родительская суббота."}, {"в иных храмах"});
        row("no Demetrius Saturday a week before 24 October", 30, 10, 2027, {}, {"Димитриевская"});
        row("no memorial Saturday of Lent on the eve of the Annunciation", 6, 4, 2030,
            {"Предпразднство Благовещения"}, {"Родительская суббота"});
        row("Meeting leave-taking before Meatfare Saturday", 21, 2, 2025, {"Отдание праздника Сретения"}, {});
        row("Meatfare Saturday without the leave-taking", 22, 2, 2025, {"Суббота мясопустная"},
            {"Отдание праздника Сретения"});
        row("Meatfare memorial a week before the Meeting", 8, 2, 2031,
            {"Вселенская родительская суббота, перенесённая"}, {});
        row("Meeting on Meatfare Saturday", 15, 2, 2031, {"перенесена на предыдущую субботу", "Сретение"},
            {"перенесённая"});
        row("9 May in Bright Week", 9, 5, 2024, {"Светлый Четверг"}, {"усопших воинов"});
        row("departed warriors on Radonitsa", 14, 5, 2024, {"Радоница", "усопших воинов"}, {});
        row("departed warriors on 9 May", 9, 5, 2026, {"усопших воинов"}, {});
        row("St George on Pascha", 6, 5, 2040, {"Пасха"}, {"Георгия Победоносца"});
        row("St George on Bright Monday", 7, 5, 2040, {"Светлый Понедельник", "Георгия Победоносца"}, {});
        row("St George on Great Friday", 6, 5, 2078, {"Великая Пятница"}, {"Георгия Победоносца"});
        row("St George on Bright Monday after it", 9, 5, 2078, {"Георгия Победоносца"}, {});
        row("St George on his day", 6, 5, 2026, {"Георгия Победоносца", "Мц. царицы Александры"}, {});
        row("Synaxis of the New Martyrs, Sunday after", 8, 2, 2026, {"Собор новомучеников"}, {});
        row("Synaxis of the New Martyrs, on the day", 7, 2, 2027, {"Собор новомучеников"}, {});
        row("no Synaxis on the Saturday", 7, 2, 2026, {"Сщмч. Владимира"}, {"Собор новомучеников"});
        row("Butovo new martyrs, P+27, 2027", 29, 5, 2027, {"Собор новомучеников, в Бутове пострадавших."},
            {});
        row("Butovo new martyrs, P+27, 2028", 13, 5, 2028, {"Собор новомучеников, в Бутове пострадавших."},
            {});
        row("synaxes of the third Sunday after Pentecost, 2027", 11, 7, 2027,
            {"Собор Белорусских святых.", "Собор Санкт-Петербургских святых."}, {"Собор Тверских"});
        row("synaxes of the third Sunday after Pentecost, 2028", 25, 6, 2028,
            {"Собор Белорусских святых.", "Собор Санкт-Петербургских святых."}, {});
        row("Tver saints, the Sunday after 29 June, 2027", 18, 7, 2027, {"Собор Тверских святых."}, {});
        row("Tver saints, the Sunday after 29 June, 2028", 16, 7, 2028, {"Собор Тверских святых."}, {});
        row("Moscow saints, the Sunday before 26 August, 2027", 5, 9, 2027, {"Собор Московских святых."}, {});
        row("Moscow saints, the Sunday before 26 August, 2028", 3, 9, 2028, {"Собор Московских святых."}, {});
        row("Moscow saints not on 26 August itself", 8, 9, 2028, {}, {"Собор Московских святых."});
        row("Sunday of Zacchaeus", 25, 1, 2026, {"по Пятидесятнице, о Закхее."}, {});
        row("forefeast of the Annunciation moved", 5, 4, 2012, {"Предпразднство Благовещения"}, {});
        row("forefeast of the Annunciation not twice", 6, 4, 2012, {}, {"Предпразднство Благовещения"});
        row("forefeast of the Annunciation on its day", 6, 4, 2026, {"Предпразднство Благовещения"}, {});
    }
    void daysOfTheChurchYear() {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(QStringList, inOrder);
        QFETCH(QStringList, absent);
        const Engine e;
        const QString shown = e.Shown(e.Day(StyleGregorian, int16_t(day), int16_t(month), int16_t(year)));
        qsizetype at = 0;
        for (const QString& text : inOrder) {
            const qsizetype found = shown.indexOf(text, at);
            QVERIFY2(found >= 0,
                     qPrintable(QStringLiteral("%1 not after %2 in %3").arg(text).arg(at).arg(shown)));
            at = found + text.size();
        }
        for (const QString& text : absent)
            QVERIFY2(!shown.contains(text), qPrintable(text + " in " + shown));
    }

    void nativityAndAnnunciationEveryYear() {
        const Engine e;
        for (int16_t y = 1901; y <= 2099; ++y) {
            const DayInfo nativity = e.Day(StyleGregorian, 7, 1, y);
            QCOMPARE(nativity.Julian.Day, 25);
            QCOMPARE(nativity.Julian.Month, 12);
            QVERIFY2(e.RedMark(StyleGregorian, 7, 1, y),
                     qPrintable(QStringLiteral("7 January %1 is not red").arg(y)));
            QVERIFY(nativity.Red);
            const QString entries = EntriesMarkup(nativity.Entries);
            QVERIFY2(entries.contains(QStringLiteral("\\f1 (+)\\f0  Рождество по плоти")),
                     qPrintable(entries));

            const DayInfo annunciation = e.Day(StyleGregorian, 7, 4, y);
            QCOMPARE(annunciation.Julian.Day, 25);
            QCOMPARE(annunciation.Julian.Month, 3);
            QVERIFY(e.RedMark(StyleGregorian, 7, 4, y));
            QVERIFY(EntriesMarkup(annunciation.Entries)
                        .contains(QStringLiteral("Благовещение Пресвятой Богородицы")));
        }
    }

    void paschaTextComesFirst() {
        const Engine e;
        for (int16_t y : {2000, 2010, 2024, 2026, 2037}) {
            DayOptions o;
            const DayInfo pascha = e.engine->Day(JulianPascha(y), o);
            const QString entries = EntriesMarkup(pascha.Entries);
            QVERIFY2(entries.startsWith(QStringLiteral("\\par\r\n\\f1 (+)\\f0  Воскресение Господа")),
                     qPrintable(entries));
            QVERIFY(pascha.Red);
        }
    }

    void meetingOfTheLordIsPlacedAndRed() {
        const Engine e;
        QVERIFY(e.RedMark(StyleJulian, 2, 2, 2037)); // Pascha 23 March: 2 February stays
        QVERIFY(e.Entries(StyleJulian, 2, 2, 2037).contains(QStringLiteral("Сретение Господа")));
        QVERIFY(e.RedMark(StyleJulian, 1, 2, 2010)); // 2 February is Clean Monday: the feast moves to the 1st
        QVERIFY(e.Entries(StyleJulian, 1, 2, 2010).contains(QStringLiteral("Сретение Господа")));
        QVERIFY(!e.Entries(StyleJulian, 2, 2, 2010).contains(QStringLiteral("Сретение Господа Бога")));
    }
};

QTEST_GUILESS_MAIN(TestData)
#include "test_data.moc"
