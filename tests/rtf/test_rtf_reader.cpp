// The RTF reader: our report dialect into exact runs and colours, the RTF that editors write for simple
// documents, and inputs built to break a parser.
#include "rtf_fixtures.h"

#include "rtf/reader.h"
#include "rtf/writer.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace vorelian::rtf;
using namespace fixtures;

Q_DECLARE_METATYPE(vorelian::rtf::Document)

namespace {

QString TextOf(const Document& d) {
    return PlainText(d);
}

// What every document the reader returns must satisfy, whatever it was given.
void CheckInvariants(const Document& d) {
    QVERIFY(!d.Paragraphs.empty());
    for (const Paragraph& p : d.Paragraphs) {
        for (std::size_t i = 0; i < p.Runs.size(); ++i) {
            const Run& r = p.Runs[i];
            QVERIFY(!r.Text.isEmpty());
            QVERIFY(i == 0 || !(p.Runs[i - 1].Format == r.Format));
            QVERIFY(r.Format.HalfPoints >= 1 && r.Format.HalfPoints <= 3276);
            QVERIFY(r.Format.Color == kAutoColor || (r.Format.Color >> 24) == 0xFF);
            for (qsizetype k = 0; k < r.Text.size(); ++k) {
                const QChar c = r.Text[k];
                QVERIFY(c.unicode() >= 0x20 || c == u'\t');
                QVERIFY(c.unicode() != 0x2029);
                if (c.isHighSurrogate()) {
                    QVERIFY(k + 1 < r.Text.size() && r.Text[k + 1].isLowSurrogate());
                    ++k;
                } else {
                    QVERIFY(!c.isLowSurrogate());
                }
            }
        }
    }
}

// Writing what was read and reading it again settles after one round: the second round changes nothing.
void CheckRewriteSettles(const Document& read) {
    const Document once = ReadRtf(WriteRtf(read));
    QCOMPARE(ReadRtf(WriteRtf(once)), once);
    QCOMPARE(TextOf(once), TextOf(read));
}

// Reads the row's "rtf": it gives the row's "text", in a document that keeps the invariants.
void ReadsAsText() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const Document d = ReadRtf(rtf);
    QCOMPARE(TextOf(d), text);
    CheckInvariants(d);
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reportDialect_data();
    void reportDialect();
    void headerOnlyReport();
    void bundledAbbreviations();
    void ordinaryRtf_data();
    void ordinaryRtf();
    void formats_data();
    void formats();
    void plainText();
    void detection();
    void robustness_data();
    void robustness();
    void deepNesting();
    void limits();
    void randomBytes();
    void mutatedReports();
};

void TestRtfReader::reportDialect_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addRow("plain") << QStringLiteral("Times New Roman") << false << false;
    QTest::addRow("bold") << QStringLiteral("Arial") << true << false;
    QTest::addRow("italic") << QStringLiteral("Tahoma") << false << true;
    QTest::addRow("bold and italic") << QStringLiteral("Georgia") << true << true;
}

void TestRtfReader::reportDialect() {
    QFETCH(QString, font);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    const QByteArray file = Bytes(ReportHeader(font, 10, bold, italic) + DayReportBody());
    const Document read = ReadRtf(file);
    const Document expected = DayReportModel(font, bold, italic);
    QCOMPARE(read.Paragraphs.size(), expected.Paragraphs.size());
    for (std::size_t i = 0; i < expected.Paragraphs.size(); ++i)
        QVERIFY2(read.Paragraphs[i] == expected.Paragraphs[i], qPrintable(QString::number(i)));
    QCOMPARE(read, expected);
}

void TestRtfReader::headerOnlyReport() {
    // A report whose body is empty is the header and the end of the document.
    const Document read = ReadRtf(
        Bytes(ReportHeader(QStringLiteral("Arial"), 12, false, false) + QStringLiteral("\\par\r\n}")));
    QCOMPARE(read, D({P(), P()}));
}

void TestRtfReader::bundledAbbreviations() {
    // The prepared table of abbreviations reads as a document in our two fonts and two colours, its
    // marker lines with the column in the fixed-pitch font.
    QFile file(QStringLiteral(VORELIAN_SOURCE_DIR "/data/Calendar/Abbr.DAT"));
    if (!file.open(QIODevice::ReadOnly))
        QSKIP("the data set has no Abbr.DAT");
    const Document d = ReadRtf(file.readAll());
    CheckInvariants(d);
    QVERIFY(d.Paragraphs.size() > 10);
    int markerLines = 0;
    for (const Paragraph& p : d.Paragraphs) {
        for (const Run& r : p.Runs) {
            QVERIFY(r.Format.Color == kNavy || r.Format.Color == kRed);
            QCOMPARE(r.Format.FixedPitch, r.Format.FontName == QStringLiteral("Courier New"));
        }
        if (p.Runs.size() > 1 && p.Runs.front().Format.FixedPitch && p.Runs.front().Text.size() == 3)
            ++markerLines;
    }
    QVERIFY(markerLines >= 6);
}

void TestRtfReader::ordinaryRtf_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addRow("hex escapes in code page 1251")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}") << QStringLiteral("При");
    QTest::addRow("raw bytes in code page 1251")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0\xe8\xb7}") << QStringLiteral("При·");
    QTest::addRow("charset 204 over an ANSI document")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset204 Arial;}}\\f0 \\'cf}")
        << QStringLiteral("П");
    QTest::addRow("ANSI document is code page 1252")
        << QByteArray("{\\rtf1\\ansi \\'e9\\'80\\'85}") << QStringLiteral("é€…");
    QTest::addRow("unicode with one stand-in")
        << QByteArray("{\\rtf1 \\u1055?\\u1088?}") << QStringLiteral("Пр");
    QTest::addRow("unicode with two stand-ins")
        << QByteArray("{\\rtf1\\uc2 \\u8364\\'80\\'80x}") << QStringLiteral("€x");
    QTest::addRow("unicode without stand-ins")
        << QByteArray("{\\rtf1\\uc0 \\u1055 x}") << QStringLiteral("Пx");
    QTest::addRow("stand-ins end with the group")
        << QByteArray("{\\rtf1 {\\uc3\\u1055 ab}cd}") << QStringLiteral("Пcd");
    QTest::addRow("negative unicode") << QByteArray("{\\rtf1 \\u-3913?}") << QString(QChar(0xF0B7));
    QTest::addRow("surrogate pair") << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QString::fromUtf8("😀");
    QTest::addRow("lone surrogate") << QByteArray("{\\rtf1 \\u-10179?x}") << QStringLiteral("\uFFFDx");
    QTest::addRow("tab and line") << QByteArray("{\\rtf1 a\\tab b\\line c}") << QStringLiteral("a\tb\nc");
    QTest::addRow("paragraphs") << QByteArray("{\\rtf1 a\\par b\\par}") << QStringLiteral("a\nb\n");
    QTest::addRow("escaped line end is a paragraph")
        << QByteArray("{\\rtf1 a\\\r\nb}") << QStringLiteral("a\nb");
    QTest::addRow("raw line ends mean nothing")
        << QByteArray("{\\rtf1 a\r\nb\rc\nd}") << QStringLiteral("abcd");
    QTest::addRow("control symbols") << QByteArray("{\\rtf1 \\\\\\{\\}\\~\\-\\_}")
                                     << QStringLiteral("\\{}\u00A0\u2011");
    QTest::addRow("named characters")
        << QByteArray("{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}")
        << QStringLiteral("—–•‘’“”");
    QTest::addRow("skipped destinations")
        << QByteArray("{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}{\\*\\generator X;}"
                      "{\\pict\\pngblip 89504e}{\\*\\unknownword zzz}{\\header H}{\\footnote F}x}")
        << QStringLiteral("x");
    QTest::addRow("field result shown, instruction not")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt link}}}")
        << QStringLiteral("link");
    QTest::addRow("unknown words ignored")
        << QByteArray("{\\rtf1\\foo\\bar12 x\\zzz-3 y}") << QStringLiteral("xy");
    QTest::addRow("binary data skipped") << QByteArray("{\\rtf1 a\\bin3 {}\\ b}") << QStringLiteral("a b");
    QTest::addRow("hidden text") << QByteArray("{\\rtf1 a{\\v hidden}b\\v c\\v0 d}") << QStringLiteral("abd");
    QTest::addRow("text after the document") << QByteArray("{\\rtf1 a}b{c}") << QStringLiteral("a");
    QTest::addRow("space ends a word, the next one is text")
        << QByteArray("{\\rtf1\\b  x}") << QStringLiteral(" x");
    QTest::addRow("empty") << QByteArray() << QString();
}

void TestRtfReader::ordinaryRtf() {
    ReadsAsText();
}

void TestRtfReader::formats_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<Document>("expected");
    const CharFormat plain;
    auto with = [](auto change) {
        CharFormat f;
        change(f);
        return f;
    };
    QTest::addRow("bold, italic, underline switched off by 0")
        << QByteArray("{\\rtf1 \\b a\\i b\\ul c\\b0 d\\i0\\ulnone e\\uldb f\\ul0 g}")
        << D({P({Run{"a", with([](CharFormat& f) { f.Bold = true; })},
                 Run{"b", with([](CharFormat& f) { f.Bold = f.Italic = true; })},
                 Run{"c", with([](CharFormat& f) { f.Bold = f.Italic = f.Underline = true; })},
                 Run{"d", with([](CharFormat& f) { f.Italic = f.Underline = true; })}, Run{"e", plain},
                 Run{"f", with([](CharFormat& f) { f.Underline = true; })}, Run{"g", plain}})});
    QTest::addRow("groups restore, plain resets")
        << QByteArray("{\\rtf1{\\colortbl;\\red0\\green128\\blue0;}\\fs30 {\\b\\cf1 a}b\\b\\cf1 c\\plain d}")
        << D({P({Run{"a", with([](CharFormat& f) {
                         f.Bold = true, f.Color = MakeRgb(0, 128, 0), f.HalfPoints = 30;
                     })},
                 Run{"b", with([](CharFormat& f) { f.HalfPoints = 30; })}, Run{"c", with([](CharFormat& f) {
                                                                                   f.Bold = true,
                                                                                   f.Color =
                                                                                       MakeRgb(0, 128, 0),
                                                                                   f.HalfPoints = 30;
                                                                               })},
                 Run{"d", plain}})});
    QTest::addRow("pard keeps the character format")
        << QByteArray("{\\rtf1\\b a\\par\\pard b}")
        << D({P({Run{"a", with([](CharFormat& f) { f.Bold = true; })}}),
              P({Run{"b", with([](CharFormat& f) { f.Bold = true; })}})});
    QTest::addRow("colour table without an automatic entry")
        << QByteArray("{\\rtf1{\\colortbl\\red1\\green2\\blue3;}\\cf0 x}")
        << D({P({Run{"x", with([](CharFormat& f) { f.Color = MakeRgb(1, 2, 3); })}})});
    QTest::addRow("colour index out of the table")
        << QByteArray("{\\rtf1{\\colortbl ;\\red1\\green2\\blue3;}\\cf9 x}") << D({P({Run{"x", plain}})});
    QTest::addRow("font table without entry groups, modern family is fixed")
        << QByteArray("{\\rtf1{\\fonttbl\\f0\\froman Times;\\f1\\fmodern Courier;}\\f1 x\\f0 y}")
        << D({P({Run{"x", with([](CharFormat& f) { f.FontName = "Courier", f.FixedPitch = true; })},
                 Run{"y", with([](CharFormat& f) { f.FontName = "Times"; })}})});
    QTest::addRow("pitch 2 is variable even in the modern family")
        << QByteArray("{\\rtf1{\\fonttbl{\\f3\\fmodern\\fprq2 Mono Like;}}\\f3 x}")
        << D({P({Run{"x", with([](CharFormat& f) { f.FontName = "Mono Like"; })}})});
    QTest::addRow("default font and its return with plain")
        << QByteArray("{\\rtf1\\deff1{\\fonttbl{\\f0 A;}{\\f1 B;}}x\\f0 y\\plain z}")
        << D({P({Run{"x", with([](CharFormat& f) { f.FontName = "B"; })},
                 Run{"y", with([](CharFormat& f) { f.FontName = "A"; })},
                 Run{"z", with([](CharFormat& f) { f.FontName = "B"; })}})});
    QTest::addRow("font name parts skipped")
        << QByteArray(
               "{\\rtf1{\\fonttbl{\\f0\\fnil{\\*\\panose 02020603}Liberation Serif{\\*\\falt Times};}}x}")
        << D({P({Run{"x", with([](CharFormat& f) { f.FontName = "Liberation Serif"; })}})});
    QTest::addRow("font name in its own code page")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}}x}")
        << D({P({Run{"x", with([](CharFormat& f) { f.FontName = QStringLiteral("Ариал"); })}})});
    QTest::addRow("sizes out of range")
        << QByteArray("{\\rtf1\\fs0 a\\fs-5 b\\fs99999999 c\\fs3 d}")
        << D({P({Run{"ab", plain}, Run{"c", with([](CharFormat& f) { f.HalfPoints = 3276; })},
                 Run{"d", with([](CharFormat& f) { f.HalfPoints = 3; })}})});
    const CharFormat calibri = with([](CharFormat& f) { f.FontName = "Calibri", f.HalfPoints = 22; });
    QTest::addRow("a document as a word processor writes it")
        << QByteArray(
               "{\\rtf1\\ansi\\ansicpg1251\\deff0\\nouicompat\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 "
               "Calibri;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
               "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n\\pard\\sa200\\sl276\\slmult1"
               "\\cf1\\b\\f0\\fs22\\lang9 \\'c7\\'e0\\'e3\\'ee\\'eb\\'ee\\'e2\\'ee\\'ea\\cf0\\b0\\par\r\n"
               "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720 "
               "\\'cf\\'f3\\'ed\\'ea\\'f2\\par\r\n}\r\n")
        << D({P({Run{QStringLiteral("Заголовок"), with([](CharFormat& f) {
                         f.FontName = "Calibri", f.HalfPoints = 22, f.Bold = true,
                         f.Color = MakeRgb(255, 0, 0);
                     })}}),
              P({Run{QStringLiteral("·\t"),
                     with([](CharFormat& f) { f.FontName = "Symbol", f.HalfPoints = 22; })},
                 Run{QStringLiteral("Пункт"), calibri}}),
              P()});
}

void TestRtfReader::formats() {
    QFETCH(QByteArray, rtf);
    QFETCH(Document, expected);
    const Document d = ReadRtf(rtf);
    QCOMPARE(d, expected);
}

void TestRtfReader::plainText() {
    const Document d = ReadPlainText("a\r\n\xcf\xf0\xe8\xb7\nb\rc\t\x01\r\n");
    QCOMPARE(TextOf(d), QStringLiteral("a\nПри·\nb\nc\t\n"));
    QCOMPARE(d.Paragraphs.size(), std::size_t(5));
    CheckInvariants(d);
}

void TestRtfReader::detection() {
    QVERIFY(LooksLikeRtf(" \r\n{\\rtf1}"));
    QVERIFY(!LooksLikeRtf("{\\rt"));
    QVERIFY(!LooksLikeRtf("plain {\\rtf1}"));
    QCOMPARE(TextOf(ReadDocument("{\\rtf1 a\\par b}")), QStringLiteral("a\nb"));
    QCOMPARE(TextOf(ReadDocument("a\\par b")), QStringLiteral("a\\par b"));
}

void TestRtfReader::robustness_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addRow("closing braces to spare") << QByteArray("{\\rtf1 a}}}}") << QStringLiteral("a");
    QTest::addRow("closing braces first") << QByteArray("}}{\\rtf1 a}") << QStringLiteral("a");
    QTest::addRow("groups never closed") << QByteArray("{\\rtf1 {{{\\b a") << QStringLiteral("a");
    QTest::addRow("huge font size") << QByteArray("{\\rtf1\\fs99999999999999999999 x}")
                                    << QStringLiteral("x");
    QTest::addRow("huge unicode") << QByteArray("{\\rtf1 \\u99999999999?x}") << QStringLiteral("x");
    QTest::addRow("huge negative colour") << QByteArray("{\\rtf1\\cf-2147483649 x}") << QStringLiteral("x");
    QTest::addRow("huge stand-in count")
        << QByteArray("{\\rtf1\\uc99999999999 \\u1055 abcdefghijklmnopqrstu}") << QStringLiteral("Пqrstu");
    QTest::addRow("huge font number") << QByteArray("{\\rtf1\\f2147483647 x}") << QStringLiteral("x");
    QTest::addRow("huge binary length")
        << QByteArray("{\\rtf1 x\\bin99999999999 abc}") << QStringLiteral("x");
    QTest::addRow("long word") << QByteArray("{\\rtf1 \\") + QByteArray(5000, 'a') + QByteArray("1 x}")
                               << QStringLiteral("x");
    QTest::addRow("long number") << QByteArray("{\\rtf1 \\b") + QByteArray(5000, '7') + QByteArray(" x}")
                                 << QStringLiteral("x");
    QTest::addRow("truncated hex escape") << QByteArray("{\\rtf1 ab\\'") << QStringLiteral("ab");
    QTest::addRow("hex escape with one digit") << QByteArray("{\\rtf1 ab\\'4") << QStringLiteral("ab");
    QTest::addRow("hex escape with a bad digit") << QByteArray("{\\rtf1 ab\\'4x}") << QStringLiteral("abx");
    QTest::addRow("truncated unicode") << QByteArray("{\\rtf1 ab\\u") << QStringLiteral("ab");
    // A minus sign without digits is no part of the word: it is text.
    QTest::addRow("truncated negative unicode") << QByteArray("{\\rtf1 ab\\u-") << QStringLiteral("ab-");
    QTest::addRow("unicode before the end") << QByteArray("{\\rtf1 ab\\u1055") << QStringLiteral("abП");
    QTest::addRow("lone backslash at the end") << QByteArray("{\\rtf1 ab\\") << QStringLiteral("ab");
    QTest::addRow("nul bytes") << QByteArray("{\\rtf1 a\0b}", 11) << QStringLiteral("ab");
    QTest::addRow("unicode controls dropped")
        << QByteArray("{\\rtf1 a\\u0?\\u13?\\u8233?b}") << QStringLiteral("ab");
    QTest::addRow("star at the top") << QByteArray("{\\rtf1 a{\\*}b}") << QStringLiteral("ab");
}

void TestRtfReader::robustness() {
    ReadsAsText();
}

void TestRtfReader::deepNesting() {
    const int n = 100000;
    const Document balanced =
        ReadRtf(QByteArray("{\\rtf1 ") + QByteArray(n, '{') + "x" + QByteArray(n, '}') + QByteArray("y}"));
    QCOMPARE(TextOf(balanced), QStringLiteral("xy"));

    QByteArray open("{\\rtf1 ");
    for (int i = 0; i < n; ++i)
        open += "{\\b ";
    const Document unclosed = ReadRtf(open + "x");
    QCOMPARE(unclosed.Paragraphs.front().Runs.size(), std::size_t(1));
    QVERIFY(unclosed.Paragraphs.front().Runs.front().Format.Bold);

    // Past the depth limit a group shares its parent's state, and its end leaves the state of the kept
    // group it was in.
    ReadLimits limits;
    limits.MaxDepth = 3;
    const Document capped = ReadRtf("{\\rtf1 {{a{\\b b{\\i c}}d}}e}", limits);
    QCOMPARE(TextOf(capped), QStringLiteral("abcde"));
    CheckInvariants(capped);
}

void TestRtfReader::limits() {
    QByteArray big("{\\rtf1 ");
    for (int i = 0; i < 1000; ++i)
        big += "ab\\par ";
    big += "}";
    ReadLimits limits;
    limits.MaxText = 10;
    const Document d = ReadRtf(big, limits);
    QCOMPARE(TextOf(d), QStringLiteral("ab\nab\nab\na"));
    QCOMPARE(d.Length(), 10);

    QByteArray colours("{\\rtf1{\\colortbl ;");
    for (int i = 0; i < 5000; ++i)
        colours += "\\red1\\green2\\blue3;";
    colours += "}\\cf4095 a\\cf4096 b}";
    const Document c = ReadRtf(colours);
    QCOMPARE(c.Paragraphs.front().Runs.size(), std::size_t(2));
    QCOMPARE(c.Paragraphs.front().Runs[0].Format.Color, MakeRgb(1, 2, 3));
    QCOMPARE(c.Paragraphs.front().Runs[1].Format.Color, kAutoColor);

    const Document plain = ReadPlainText(QByteArray(100, 'x'), limits);
    QCOMPARE(plain.Length(), 10);
}

void TestRtfReader::randomBytes() {
    // RTF's own characters are drawn more often than others, so that the parser's states are reached.
    static const QByteArray kSpecial("{}\\\\\\'*;uc0123456789-abfiplrs \r\n");
    QRandomGenerator random(5051);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = round % 2 ? QByteArray("{\\rtf1 ") : QByteArray();
        const int length = int(random.bounded(1500));
        for (int i = 0; i < length; ++i)
            bytes += random.bounded(3) ? kSpecial[random.bounded(int(kSpecial.size()))]
                                       : char(random.bounded(256));
        const Document d = ReadRtf(bytes);
        CheckInvariants(d);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable("input " + bytes.toBase64()));
        CheckRewriteSettles(d);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable("input " + bytes.toBase64()));
    }
}

void TestRtfReader::mutatedReports() {
    const QByteArray report =
        Bytes(ReportHeader(QStringLiteral("Times New Roman"), 11, true, false) + DayReportBody());
    static const char kInserts[] = "{}\\'u-9 ;";
    QRandomGenerator random(1251);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = report;
        const int edits = 1 + int(random.bounded(8));
        for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
            const int at = int(random.bounded(int(bytes.size())));
            switch (random.bounded(4)) {
            case 0:
                bytes.remove(at, 1 + int(random.bounded(20)));
                break;
            case 1:
                bytes.insert(at, kInserts[random.bounded(int(sizeof kInserts) - 1)]);
                break;
            case 2:
                bytes[at] = char(random.bounded(256));
                break;
            default:
                bytes.truncate(at);
                break;
            }
        }
        const Document d = ReadRtf(bytes);
        CheckInvariants(d);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable("input " + bytes.toBase64()));
        CheckRewriteSettles(d);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable("input " + bytes.toBase64()));
    }
}

QTEST_GUILESS_MAIN(TestRtfReader)
#include "test_rtf_reader.moc"
