// The selection report: the search of a year's commemorations with its whole-word rule, the marking of
// matches only in the text a reader sees, the rows of one day merged, typed braces and backslashes kept
// harmless, and the state left as it was.
#include "calendar_fixture.h"

#include "report/builders.h"

using namespace vorelian;
using namespace fixture;

namespace {

const QString kGreg = QStringLiteral(" от Р.Х. по новому стилю");

// Around the Gregorian year 2024 (Pascha 5 May).
const Files& SearchFiles() {
    static const Files files = {
        {"Relocatable.DAT", "[1]\ndays=0\nred=1\n0={1}Светлое Христово Воскресение.\n"
                            "[2]\ndays=10\n0=Память святых отцов.\n11=Отцов собора.\n"
                            "[3]\ndays=20\n0=Свв. 12 апостолов.\n"
                            "[4]\ndays=30\n0=Слово parable.\n"},
        {"Relocatable1.DAT", "[1]\nday=25\nmonth=12\nweekday=7\n0=Неделя по Рождестве Христовом.\n"},
        {"May.DAT", "[2]\n0=Свт. Афанасия, отцов учителя.\n"},
        {"June.DAT", "[1]\nred=1\n0=Проверка: слово2 и словоX, словом.\n"},
        {"August.DAT", "[6]\nred=1\n0={1}Преображение Господне, 1-й.\n"},
        {"February29.DAT", "[29]\n0=Кассиан високосный.\n"},
        {"February28.DAT", "[28]\n0=Кассиан простой.\n"},
    };
    return files;
}

QString Heading(const QString& year, const QString& typed) {
    return Header() + Navy + P + B + year + P + P + B + "Строка поиска: \"" + Red + typed + Navy + "\"" + P +
           P;
}

// The rows of a selection report: each day's text between two separators.
QStringList Rows(const QString& doc) {
    QStringList parts = doc.split(Sep + P);
    parts.removeFirst(); // the heading
    return parts;
}

// Braces that open or close a group, not escaped ones.
int Depth(const QString& doc) {
    int depth = 0;
    for (qsizetype i = 0; i < doc.size(); ++i) {
        if (doc[i] == u'\\') {
            ++i;
            continue;
        }
        depth += doc[i] == u'{' ? 1 : doc[i] == u'}' ? -1 : 0;
        if (depth < 0)
            return -1;
    }
    return depth;
}

QByteArray Search(Calendar& c, const QString& text, bool wholeWord = false) {
    FindInYear(c.Ctx, text, wholeWord);
    return c.Last(TabSelection);
}

} // namespace

class TestReportSelection : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Upper case finds every case, the heading keeps the typed text, a movable and a fixed entry of one day
    // share one row under the date lines of the movable one.
    void upperCaseAndMerge() {
        Calendar c(SearchFiles());
        c.MakeTempFiles();
        c.SetGregorian(20, 2, 2024);
        const Snapshot before(c);
        const QByteArray doc = Search(c, QStringLiteral("ОТЦОВ"));
        QCOMPARE(Snapshot(c), before);
        QCOMPARE(c.Host.Busy, (QList<bool>{true, false}));
        const QStringList writes = {
            Heading("2024 год" + kGreg, "ОТЦОВ"),
            Sep + P + P + B + "15 мая 2024 года" + P + P + B + "Среда 2-ой седмицы по Пасхе. Глас 1-й." + P +
                P + Dot + "Память святых " + Red + "отцов" + Navy + "." + P + Dot + Red + "Отцов" + Navy +
                " собора." + P + Dot + "Свт. Афанасия, " + Red + "отцов" + Navy + " учителя." + P + P,
            Sep + P + End,
        };
        QCOMPARE(Text(doc), Text(Doc(writes)));
        QCOMPARE(doc, Doc(writes));
        QFile f(c.Out.Temp.Paths[TabSelection]);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), doc);
    }

    void nothingFound() {
        Calendar c(SearchFiles());
        c.SetGregorian(20, 2, 2024);
        const QStringList writes = {
            Heading("2024 год" + kGreg, "несуществующее"),
            Sep + P + P + B + "Ничего не найдено" + P + P,
            Sep + P + End,
        };
        QCOMPARE(Search(c, QStringLiteral("несуществующее")), Doc(writes));
    }

    void wholeWord_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<QString>("fixedEntry");
        QTest::addColumn<int>("rows");
        QTest::addRow("inside words, any position")
            << "слово" << false
            << "Проверка: " + Red + "слово" + Navy + "2 и " + Red + "слово" + Navy + "X, " + Red + "слово" +
                   Navy + "м."
            << 2;
        QTest::addRow("whole word: digit and Latin letter bound it")
            << "слово" << true
            << "Проверка: " + Red + "слово" + Navy + "2 и " + Red + "слово" + Navy + "X, словом." << 2;
        QTest::addRow("whole word: only inside Cyrillic words") << "отц" << true << QString() << 0;
        QTest::addRow("not whole word: inside Cyrillic words") << "отц" << false << QString() << 1;
    }
    void wholeWord() {
        QFETCH(QString, pattern);
        QFETCH(bool, wholeWord);
        QFETCH(QString, fixedEntry);
        QFETCH(int, rows);
        Calendar c(SearchFiles());
        c.SetGregorian(20, 2, 2024);
        const QString doc = Text(Search(c, pattern, wholeWord));
        const QStringList found = Rows(doc);
        if (rows == 0) {
            QVERIFY(doc.contains(B + "Ничего не найдено" + P));
            return;
        }
        QCOMPARE(found.size(), rows + 1); // and the closing separator
        if (!fixedEntry.isEmpty())
            QVERIFY2(doc.contains(P + B + "14 июня" + P + P), "the fixed entry's row");
        if (!fixedEntry.isEmpty())
            QVERIFY(doc.contains(Dot + fixedEntry + P));
    }

    // Digits are marked where the reader sees them, never in \f1 of a marker, \cf1 of a colour token or
    // the rank code of a stored text.
    void digitPattern() {
        Calendar c(SearchFiles());
        c.SetGregorian(20, 2, 2024);
        const QString doc = Text(Search(c, QStringLiteral("1")));
        const QStringList rows = Rows(doc);
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows[0].contains(B + "25 мая 2024 года" + P));
        QVERIFY(rows[0].contains(Dot + "Свв. " + Red + "1" + Navy + "2 апостолов." + P));
        QVERIFY(rows[1].contains(B + "19 августа" + P));
        QVERIFY(rows[1].contains("\\f1 (+)\\f0  Преображение Господне, " + Red + "1" + Navy + "-й." + P));
        QCOMPARE(Depth(doc), 0);
    }

    void patternInsideControlWords_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("rows");
        QTest::addRow("par") << "par" << 1;
        QTest::addRow("PAR") << "PAR" << 1;
        QTest::addRow("\\par") << "\\par" << 0;
        QTest::addRow("cf") << "cf" << 0;
        QTest::addRow("f0") << "f0" << 0;
        QTest::addRow("f1 ") << "f1 " << 0;
        QTest::addRow("middle dot of a marker") << "\u00B7" << 0;
        QTest::addRow("(+) of a marker") << "(+)" << 0;
        QTest::addRow("rank code") << "{1}" << 0;
    }
    void patternInsideControlWords() {
        QFETCH(QString, pattern);
        QFETCH(int, rows);
        Calendar c(SearchFiles());
        c.SetGregorian(20, 2, 2024);
        const QString doc = Text(Search(c, pattern));
        QCOMPARE(Depth(doc), 0);
        if (rows == 0) {
            QVERIFY(doc.contains(B + "Ничего не найдено" + P));
            return;
        }
        QVERIFY(doc.contains(Dot + "Слово " + Red + "par" + Navy + "able." + P));
        QCOMPARE(Rows(doc).size(), rows + 1);
    }

    void typedBracesAndBackslashes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addRow("a group") << "{\\par}"
                                 << "\\{\\\\par\\}";
        QTest::addRow("a closing brace") << "}"
                                         << "\\}";
        QTest::addRow("a lone backslash") << "\\"
                                          << "\\\\";
        QTest::addRow("a control word") << "\\rtf1 x"
                                        << "\\\\rtf1 x";
    }
    void typedBracesAndBackslashes() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Calendar c(SearchFiles());
        c.SetGregorian(20, 2, 2024);
        const QString doc = Text(Search(c, typed));
        QVERIFY(doc.startsWith(Heading("2024 год" + kGreg, shown)));
        QVERIFY(doc.contains(B + "Ничего не найдено" + P));
        QCOMPARE(Depth(doc), 0);
    }

    // A character outside the code page reaches the document as \uN.
    void typedCharacterOutsideTheCodePage() {
        Calendar c(SearchFiles());
        c.SetGregorian(20, 2, 2024);
        const QByteArray doc = Search(c, QStringLiteral("\u03B1\u03C9"));
        QVERIFY(doc.contains(
            "\xD1\xF2\xF0\xEE\xEA\xE0 \xEF\xEE\xE8\xF1\xEA\xE0: \"\\cf2 \\u945?\\u969?\\cf1 \""));
    }

    void blankTextSearchesNothing_data() {
        QTest::addColumn<QString>("typed");
        QTest::addRow("empty") << "";
        QTest::addRow("blanks") << "   ";
        QTest::addRow("a tab") << "\t";
    }
    void blankTextSearchesNothing() {
        QFETCH(QString, typed);
        Calendar c(SearchFiles());
        c.SetGregorian(20, 2, 2024);
        c.State.SavedDayNumber = 12345;
        FindInYear(c.Ctx, typed, false);
        QVERIFY(c.Host.Reports.isEmpty());
        QCOMPARE(c.State.SavedDayNumber, 12345);
        QCOMPARE(c.Host.Busy, (QList<bool>{true, false}));
    }

    // A record placed from the Julian December of the year before is found in January.
    void previousPaschalYear() {
        Calendar c(SearchFiles());
        c.SetGregorian(20, 2, 2024);
        const QStringList rows = Rows(Text(Search(c, QStringLiteral("рождестве"))));
        QCOMPARE(rows.size(), 2);
        QVERIFY(rows[0].startsWith(P + B + "14 января 2024 года" + P + P + B +
                                   "Неделя 32-я по Пятидесятнице. Глас 7-й." + P + P + Dot + "Неделя по " +
                                   Red + "Рождестве" + Navy + " Христовом." + P));
    }

    // The February searched is the one inside the displayed year, whatever the Julian year of the user's
    // date.
    void februaryOfTheDisplayedYear_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("row");
        QTest::addRow("Gregorian 2024, user in March") << 3 << 20 << 3 << 2024 << "13 марта" + P + P;
        QTest::addRow("Gregorian 2024, user in early January") << 3 << 5 << 1 << 2024 << "13 марта" + P + P;
        QTest::addRow("Anno Mundi 7533, user in October") << 1 << 10 << 2 << 7533 << "28 февраля" + P + P;
        QTest::addRow("Anno Mundi 7533, user in April") << 1 << 10 << 8 << 7533 << "28 февраля" + P + P;
        QTest::addRow("Anno Mundi 7532, user in December") << 1 << 10 << 4 << 7532 << "29 февраля" + P + P;
    }
    void februaryOfTheDisplayedYear() {
        QFETCH(int, style);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(QString, row);
        Calendar c(SearchFiles());
        c.SetDate(int16_t(style), day, month, year);
        const QStringList rows = Rows(Text(Search(c, QStringLiteral("кассиан"))));
        QCOMPARE(rows.size(), 2);
        QVERIFY2(rows[0].startsWith(P + B + row), qPrintable(rows[0]));
        QCOMPARE(rows[0].contains(u"високосный"), row.startsWith(u"13") || row.startsWith(u"29"));
    }

    void visibleChars_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("seen"); // the characters a reader sees
        QTest::addRow("marker and paragraph") << "\\f1  · \\f0  Текст.\\par\r\n"
                                              << "Текст.";
        QTest::addRow("rank code") << "{1}Текст {4}"
                                   << "Текст 4";
        QTest::addRow("no rank code") << "{4}Текст"
                                      << "4Текст";
        QTest::addRow("colour tokens") << "a\\cf2 b\\cf1 c"
                                       << "abc";
        QTest::addRow("negative parameter") << "\\li-120 x"
                                            << "x";
        QTest::addRow("hex escape") << "a\\'e0b"
                                    << "ab";
        QTest::addRow("escaped brace") << "a\\{b"
                                       << "ab";
        QTest::addRow("unicode with fallback") << "a\\u945?b"
                                               << "ab";
        QTest::addRow("control word ends at a Cyrillic letter") << "\\b\u0436"
                                                                << "\u0436";
        QTest::addRow("a lone \\f0 is no marker end") << "\\f0 x y"
                                                      << "x y";
        QTest::addRow("trailing backslash") << "x\\"
                                            << "x";
    }
    void visibleChars() {
        QFETCH(QString, text);
        QFETCH(QString, seen);
        const std::vector<bool> mask = VisibleChars(text);
        QCOMPARE(mask.size(), std::size_t(text.size()));
        QString shown;
        for (qsizetype i = 0; i < text.size(); ++i)
            if (mask[std::size_t(i)])
                shown += text[i];
        QCOMPARE(shown, seen);
    }

    void findText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<int>("position");
        QTest::addRow("first") << "ab ab"
                               << "ab" << 1 << false << 1;
        QTest::addRow("from start") << "ab ab"
                                    << "ab" << 2 << false << 4;
        QTest::addRow("past the end") << "ab"
                                      << "ab" << 3 << false << 0;
        QTest::addRow("whole word at the ends") << "слово"
                                                << "слово" << 1 << true << 1;
        QTest::addRow("whole word skips a longer word") << "словом слово"
                                                        << "слово" << 1 << true << 8;
        QTest::addRow("ё counts as a letter") << "ёлка"
                                              << "лка" << 1 << true << 0;
        QTest::addRow("Ё counts as a letter") << "лкаЁ"
                                              << "лка" << 1 << true << 0;
        QTest::addRow("Latin neighbours are boundaries") << "xслово1"
                                                         << "слово" << 1 << true << 2;
        QTest::addRow("inside a control word") << "\\par par"
                                               << "par" << 1 << false << 6;
        QTest::addRow("empty pattern") << "abc"
                                       << "" << 1 << false << 0;
    }
    void findText() {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(int, start);
        QFETCH(bool, wholeWord);
        QFETCH(int, position);
        QCOMPARE(int(FindText(start, text, pattern, wholeWord)), position);
    }

    void lowerCaseKeepsPositions() {
        const QString text =
            QStringLiteral("\u0130Ё\u1E9EЖ"); // İ would grow to two characters in full case mapping
        QCOMPARE(LowerChars(text).size(), text.size());
        QCOMPARE(LowerChars(QStringLiteral("ЁЖ")), QStringLiteral("ёж"));
    }
};

QTEST_GUILESS_MAIN(TestReportSelection)
#include "test_report_selection.moc"
