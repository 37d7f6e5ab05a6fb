// The JSON and iCalendar writers on hand-made day values: every field of a day object, the exact bytes of
// a calendar of three days, folding at the 75-octet boundary with Cyrillic and wider characters, escaping,
// the scopes and stable event identities.
#include "report/export.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

#include <array>

using namespace vorelian;

namespace {

DayEntry Entry(int group, Rank rank, bool movable, const QString& text) {
    DayEntry e;
    e.Group = int8_t(group);
    e.EntryRank = rank;
    e.Movable = movable;
    e.Text = text;
    e.Stored = text;
    return e;
}

// A day of Bright Week and the week after in 2027: Julian April `julianDay`, Gregorian 13 days later,
// Anno Mundi 7535 (month 8 is April), year 87 of the 15th indiction.
DayInfo Eastertide2027(int16_t julianDay, int8_t weekday, const QString& weekdayLine) {
    DayInfo d;
    d.Gregorian = {2027, 5, int16_t(julianDay - 17)};
    d.Julian = {2027, 4, julianDay};
    d.AnnoMundi = {7535, 8, julianDay};
    d.IndictionYear = 87;
    d.IndictionCycle = 15;
    d.Weekday = weekday;
    d.WeekdayLine = weekdayLine;
    return d;
}

const Fasting kBrightWeek{FastLevel::None, QStringLiteral("Сплошная седмица. Поста нет.")};

// Pascha 2027 with a fixed commemoration after the feast.
DayInfo Pascha2027() {
    DayInfo d = Eastertide2027(19, 7, QStringLiteral("Светлое Христово Воскресение."));
    d.Red = true;
    d.Entries = {
        Entry(0, Rank::Great, true, QStringLiteral("Воскресение Господа Бога и Спаса нашего Иисуса Христа.")),
        Entry(2, Rank::None, false, QStringLiteral("Мч. Христофора."))};
    d.Fast = kBrightWeek;
    return d;
}

// A weekday whose texts hold every character iCalendar escapes.
DayInfo Monday2027() {
    DayInfo d = Eastertide2027(20, 1, QStringLiteral("Понедельник Светлой седмицы."));
    d.Entries = {
        Entry(1, Rank::Polyeleos, false, QStringLiteral("Прп. Феодора, ученика; свт. Анастасия\\Синаита.")),
        Entry(4, Rank::None, false, QStringLiteral("Иверской иконы Божией Матери."))};
    d.Fast = kBrightWeek;
    return d;
}

// A day without fasting rules, with a tone and a text long enough to be folded.
DayInfo Sunday2027() {
    DayInfo d = Eastertide2027(26, 7, QStringLiteral("Неделя 2-я по Пасхе, апостола Фомы. Глас 1-й."));
    d.Tone = 1;
    d.Red = true;
    d.Entries = {
        Entry(0, Rank::Vigil, true, QStringLiteral("Антипасха. Воспоминание уверения апостола Фомы.")),
        Entry(1, Rank::Six, false,
              QStringLiteral("Сщмч. Василия, епископа Амасийского, и с ним пострадавших во время "
                             "гонения при императоре Ликинии."))};
    return d;
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Golden(const QString& name) {
    return QStringLiteral(VORELIAN_SOURCE_DIR "/tests/report/data/") + name;
}

// The folded lines of one content line: each with its CRLF removed.
QList<QByteArray> Pieces(const QByteArray& folded) {
    QList<QByteArray> lines = folded.split('\n');
    lines.removeLast(); // after the final LF
    for (QByteArray& l : lines) {
        if (!l.endsWith('\r'))
            return {};
        l.chop(1);
    }
    return lines;
}

} // namespace

class TestReportExport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dayObject() {
        const QJsonObject o = DayJson(Pascha2027());
        QCOMPARE(o.size(), 14);
        QVERIFY(o["readings"].isNull() && o["liturgy"].isNull() && o["royalHours"].isNull() &&
                o["noWeddings"].isNull());
        QCOMPARE(o["gregorian"].toString(), "2027-05-02");
        QCOMPARE(o["julian"].toString(), "2027-04-19");
        QCOMPARE(o["annoMundi"].toObject(), (QJsonObject{{"year", 7535}, {"month", 8}, {"day", 19}}));
        QCOMPARE(o["indiction"].toObject(), (QJsonObject{{"year", 87}, {"cycle", 15}}));
        QCOMPARE(o["weekday"].toInt(), 7);
        QCOMPARE(o["weekdayLine"].toString(), "Светлое Христово Воскресение.");
        QVERIFY(o["tone"].isNull());
        QCOMPARE(o["red"].toBool(), true);
        const QJsonArray entries = o["entries"].toArray();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].toObject(),
                 (QJsonObject{{"group", 0},
                              {"rank", "great"},
                              {"text", "Воскресение Господа Бога и Спаса нашего Иисуса Христа."},
                              {"movable", true}}));
        QCOMPARE(entries[1].toObject(),
                 (QJsonObject{
                     {"group", 2}, {"rank", QJsonValue()}, {"text", "Мч. Христофора."}, {"movable", false}}));
        QCOMPARE(o["fasting"].toObject(),
                 (QJsonObject{{"level", "none"}, {"text", "Сплошная седмица. Поста нет."}}));
    }

    // The readings in print order, each with its printed line; a composite Gospel stays on one line.
    void readingsObject() {
        DayInfo day = Pascha2027();
        day.Readings = std::vector<Reading>{{"", ReadingKind::Apostle, "Деян.", "1:1–8", "1"},
                                            {"", ReadingKind::Gospel, "Ин.", "1:1–17", "1"},
                                            {"", ReadingKind::Gospel, "Мф.", "26:21–39", "108 от полу"}};
        day.Liturgy = DayLiturgy{LiturgyKind::None, true};
        day.NoWeddings = true;
        const QJsonObject o = DayJson(day);
        const QString line =
            "Ап.: Деян. 1:1–8 (зач. 1). Ев.: Ин. 1:1–17 (зач. 1). Мф. 26:21–39 (зач. 108 от полу).";
        const QJsonArray list = o["readings"].toArray();
        QCOMPARE(list.size(), 3);
        QCOMPARE(list[2].toObject(), (QJsonObject{{"label", ""},
                                                  {"kind", "gospel"},
                                                  {"book", "Мф."},
                                                  {"verses", "26:21–39"},
                                                  {"zachalo", "108 от полу"},
                                                  {"text", line}}));
        QCOMPARE(list[0]["kind"].toString(), "apostle");
        QCOMPARE(o["liturgy"].toString(), "none");
        QCOMPARE(o["royalHours"].toBool(), true);
        QCOMPARE(o["noWeddings"].toBool(), true);
    }

    void toneAndMissingFast() {
        const QJsonObject o = DayJson(Sunday2027());
        QCOMPARE(o["tone"].toInt(), 1);
        QVERIFY(o["fasting"].isNull());
        QVERIFY(o.contains("fasting"));
    }

    void earlyYearsKeepFourDigits() {
        DayInfo d;
        d.Gregorian = {33, 1, 5};
        d.Julian = {33, 1, 7};
        QCOMPARE(DayJson(d)["gregorian"].toString(), "0033-01-05");
        QCOMPARE(DayJson(d)["julian"].toString(), "0033-01-07");
    }

    void rankAndFastNames_data() {
        QTest::addColumn<int>("rank");
        QTest::addColumn<QString>("name");
        QTest::addRow("none") << int(Rank::None) << "";
        QTest::addRow("great") << int(Rank::Great) << "great";
        QTest::addRow("vigil") << int(Rank::Vigil) << "vigil";
        QTest::addRow("polyeleos") << int(Rank::Polyeleos) << "polyeleos";
        QTest::addRow("doxology") << int(Rank::Doxology) << "doxology";
        QTest::addRow("six") << int(Rank::Six) << "six";
    }
    void rankAndFastNames() {
        QFETCH(int, rank);
        QFETCH(QString, name);
        QCOMPARE(RankName(Rank(rank)), name);
    }

    void fastLevelNames() {
        const QStringList names = {"noFood", "dry", "hotNoOil", "oil", "caviar", "fish", "noMeat", "none"};
        for (int level = 0; level < names.size(); ++level) {
            DayInfo d;
            d.Fast = Fasting{FastLevel(level), QStringLiteral("x")};
            QCOMPARE(DayJson(d)["fasting"].toObject()["level"].toString(), names[level]);
        }
    }

    void documents() {
        const QJsonObject days = DaysJson({Pascha2027(), Monday2027()});
        QCOMPARE(days.keys(), QStringList{"days"});
        QCOMPARE(days["days"].toArray().size(), 2);
        QCOMPARE(days["days"].toArray()[1].toObject(), DayJson(Monday2027()));
        // The bytes parse back to the same document and are UTF-8 with a final newline.
        const QByteArray bytes = JsonBytes(days);
        QVERIFY(bytes.endsWith('\n'));
        QVERIFY(bytes.contains("Понедельник Светлой седмицы."));
        QJsonParseError error;
        QCOMPARE(QJsonDocument::fromJson(bytes, &error).object(), days);
        QCOMPARE(error.error, QJsonParseError::NoError);
    }

    // The whole file for three days in each scope, byte for byte.
    void calendarBytes_data() {
        QTest::addColumn<QString>("scope");
        QTest::addColumn<int>("events");
        QTest::addRow("all") << "all" << 3;
        QTest::addRow("red") << "red" << 2;
        QTest::addRow("great") << "great" << 1;
    }
    void calendarBytes() {
        QFETCH(QString, scope);
        QFETCH(int, events);
        IcalWriter w(*IcalScopeNamed(scope));
        for (const DayInfo& d : {Pascha2027(), Monday2027(), Sunday2027()})
            w.Add(d);
        QCOMPARE(w.EventCount(), events);
        const QByteArray bytes = w.Finish();
        const QString name = "three-days-" + scope + ".ics";
        const QByteArray golden = ReadFile(Golden(name));
        if (bytes != golden) { // left for a look with diff
            QFile actual(QDir::temp().filePath(name));
            if (actual.open(QIODevice::WriteOnly))
                actual.write(bytes);
        }
        QVERIFY(!golden.isEmpty());
        QCOMPARE(bytes, golden);
    }

    void scopeNames() {
        for (const char* name : {"great", "red", "all"})
            QCOMPARE(IcalScopeName(*IcalScopeNamed(QString::fromLatin1(name))), QString::fromLatin1(name));
        for (const char* bad : {"", "Great", "GREAT", "feasts", "all "})
            QVERIFY(!IcalScopeNamed(QString::fromLatin1(bad)));
    }

    void escaping_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::addRow("plain Cyrillic") << "Мч. Христофора."
                                        << "Мч. Христофора.";
        QTest::addRow("comma") << "Феодора, ученика"
                               << "Феодора\\, ученика";
        QTest::addRow("semicolon") << "а; б"
                                   << "а\\; б";
        QTest::addRow("backslash") << "a\\b"
                                   << "a\\\\b";
        QTest::addRow("backslash before n") << "\\n"
                                            << "\\\\n";
        QTest::addRow("line feed") << "а\nб"
                                   << "а\\nб";
        QTest::addRow("CR LF is one line end") << "а\r\nб"
                                               << "а\\nб";
        QTest::addRow("lone CR") << "а\rб"
                                 << "а\\nб";
        QTest::addRow("colon and quote stay") << "Глас: \"1\""
                                              << "Глас: \"1\"";
        QTest::addRow("tab stays") << "а\tб"
                                   << "а\tб";
        QTest::addRow("other controls dropped") << QString("а") + QChar(0x1b) + QChar(0x7f) + QChar(0) + "б"
                                                << "аб";
    }
    void escaping() {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QCOMPARE(IcalText(text), escaped);
    }

    // Lines of "SUMMARY:" (8 octets) and then characters of 1 to 4 octets, around the 75-octet boundary.
    void folding_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QList<int>>("lengths"); // octets of each physical line, the blank included
        const QString cyr = QStringLiteral("Ж");
        const QString dash = QStringLiteral("—");
        const QString cross = QString::fromUcs4(U"\U0001F54A"); // four octets
        QTest::addRow("67 ASCII: exactly 75") << QString(67, 'a') << QList<int>{75};
        QTest::addRow("68 ASCII: one over") << QString(68, 'a') << QList<int>{75, 2};
        QTest::addRow("33 Cyrillic: 74") << cyr.repeated(33) << QList<int>{74};
        QTest::addRow("34 Cyrillic: the 34th would end at 76") << cyr.repeated(34) << QList<int>{74, 3};
        QTest::addRow("a Cyrillic letter across 75") << "a" + cyr.repeated(33) << QList<int>{75};
        QTest::addRow("then one more") << "a" + cyr.repeated(34) << QList<int>{75, 3};
        QTest::addRow("a dash across the boundary") << QString(65, 'a') + dash + dash << QList<int>{73, 7};
        QTest::addRow("four-octet character across") << QString(64, 'a') + cross + cross << QList<int>{72, 9};
        QTest::addRow("continuation lines carry 74")
            << cyr.repeated(120) << QList<int>{74, 75, 75, 27}; // 8+66 | 1+74 | 1+74 | 1+26
        QTest::addRow("empty value") << QString() << QList<int>{8};
    }
    void folding() {
        QFETCH(QString, value);
        QFETCH(QList<int>, lengths);
        const QString line = "SUMMARY:" + value;
        const QList<QByteArray> pieces = Pieces(IcalLine(line));
        QList<int> got;
        QByteArray unfolded;
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            got << int(pieces[i].size());
            QVERIFY(pieces[i].size() <= 75);
            QCOMPARE(pieces[i].startsWith(' '), i > 0);
            // Each physical line is whole UTF-8 on its own.
            QCOMPARE(QString::fromUtf8(pieces[i]).toUtf8(), pieces[i]);
            QVERIFY(!QString::fromUtf8(pieces[i]).contains(QChar::ReplacementCharacter));
            unfolded += i == 0 ? pieces[i] : pieces[i].mid(1);
        }
        QCOMPARE(got, lengths);
        QCOMPARE(QString::fromUtf8(unfolded), line);
    }

    void longEntryFoldsInTheEvent() {
        const QByteArray event = IcalEvent(Sunday2027(), IcalScope::All);
        for (const QByteArray& l : Pieces(event))
            QVERIFY2(l.size() <= 75, l.constData());
        QVERIFY(event.contains("\r\n "));
    }

    void scopes_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<bool>("great");
        QTest::addColumn<bool>("red");
        QTest::addColumn<bool>("all");
        QTest::addRow("Pascha") << 0 << true << true << true;
        QTest::addRow("a weekday") << 1 << false << false << true;
        QTest::addRow("a Sunday") << 2 << false << true << true;
    }
    void scopes() {
        QFETCH(int, day);
        QFETCH(bool, great);
        QFETCH(bool, red);
        QFETCH(bool, all);
        const DayInfo d = std::array{Pascha2027(), Monday2027(), Sunday2027()}[day];
        QCOMPARE(InIcalScope(d, IcalScope::Great), great);
        QCOMPARE(InIcalScope(d, IcalScope::Red), red);
        QCOMPARE(InIcalScope(d, IcalScope::All), all);
    }

    // The same day and scope always give the same event; another scope or day another identity.
    void stableIdentity() {
        QCOMPARE(IcalEvent(Pascha2027(), IcalScope::Great), IcalEvent(Pascha2027(), IcalScope::Great));
        const auto uid = [](const DayInfo& d, IcalScope s) {
            const QByteArray e = IcalEvent(d, s);
            const qsizetype at = e.indexOf("UID:");
            return e.mid(at, e.indexOf("\r\n", at) - at);
        };
        QCOMPARE(uid(Pascha2027(), IcalScope::Great), "UID:20270502-great@vorelian");
        QCOMPARE(uid(Pascha2027(), IcalScope::All), "UID:20270502-all@vorelian");
        // The texts of a day do not change its identity: a corrected data file updates the same event.
        DayInfo edited = Pascha2027();
        edited.Entries.pop_back();
        QCOMPARE(uid(edited, IcalScope::Red), uid(Pascha2027(), IcalScope::Red));
        QVERIFY(uid(Monday2027(), IcalScope::Red) != uid(Pascha2027(), IcalScope::Red));
    }

    // The summary names the day by its highest rank even when a lesser entry stands first.
    void summaryIsTheWeightiestEntry() {
        DayInfo d = Monday2027();
        d.Entries.insert(d.Entries.begin(), Entry(1, Rank::None, false, QStringLiteral("Мч. Саввы.")));
        QVERIFY(IcalEvent(d, IcalScope::All).contains("SUMMARY:Прп. Феодора\\, ученика"));
        d.Entries.clear();
        QVERIFY(IcalEvent(d, IcalScope::All).contains("SUMMARY:Понедельник Светлой седмицы.\r\n"));
    }

    void eventEndsTheNextDay_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QByteArray>("end");
        QTest::addRow("end of a month") << QDate(2027, 4, 30) << QByteArray("20270501");
        QTest::addRow("end of a year") << QDate(2026, 12, 31) << QByteArray("20270101");
        QTest::addRow("leap day") << QDate(2028, 2, 28) << QByteArray("20280229");
        QTest::addRow("1900 had no leap day") << QDate(1900, 2, 28) << QByteArray("19000301");
    }
    void eventEndsTheNextDay() {
        QFETCH(QDate, date);
        QFETCH(QByteArray, end);
        DayInfo d = Monday2027();
        d.Gregorian = {int16_t(date.year()), int16_t(date.month()), int16_t(date.day())};
        QVERIFY(IcalEvent(d, IcalScope::All).contains("\r\nDTEND;VALUE=DATE:" + end + "\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestReportExport)
#include "test_report_export.moc"
