// The RTF writer, parts of documents and plain-text export: exact bytes in the report header style,
// escapes, round trips through the reader over every character, and random documents.
#include "rtf_fixtures.h"

#include "rtf/reader.h"
#include "rtf/writer.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vorelian::rtf;
using namespace fixtures;

namespace {

const QString kTimes = QStringLiteral("Times New Roman");
const QString kCourier = QStringLiteral("Courier New");

QByteArray HeaderBytes(const QString& font, int halfPoints, const QByteArray& moreFonts = {},
                       const QByteArray& moreColors = {}) {
    return "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset204 " +
           Bytes(font) + ";}{\\f1\\fmodern\\fprq1\\fcharset204 Courier New;}" + moreFonts +
           "}\r\n{\\colortbl ;\\red0\\green0\\blue128;\\red255\\green0\\blue0;" + moreColors +
           "}\r\n\\viewkind4\\uc1\\pard\\f0\\fs" + QByteArray::number(halfPoints) + "\r\n";
}

// A random document in the form the reader gives back: named fonts, opaque or automatic colours, no
// empty runs, neighbouring runs in different formats.
Document RandomDocument(QRandomGenerator& random) {
    static const QString kChars = QStringLiteral("ab АБвгё·\\{}\t\u2028 ΩѢ€\u00A0") + QString::fromUtf8("😀");
    static const QString kFonts[] = {kTimes, kCourier, QStringLiteral("Arial"), QStringLiteral("Ариал")};
    static const Rgb kColors[] = {kAutoColor, kNavy, kRed, MakeRgb(0, 128, 0), MakeRgb(1, 2, 3)};
    Document d;
    d.Paragraphs.clear();
    const int paragraphs = 1 + int(random.bounded(6));
    for (int p = 0; p < paragraphs; ++p) {
        Paragraph para;
        const int runs = int(random.bounded(5));
        for (int r = 0; r < runs; ++r) {
            CharFormat f;
            f.FontName = kFonts[random.bounded(4)];
            f.FixedPitch = random.bounded(2);
            f.Color = kColors[random.bounded(5)];
            f.Bold = random.bounded(2);
            f.Italic = random.bounded(2);
            f.Underline = random.bounded(2);
            f.HalfPoints = 1 + int(random.bounded(80));
            QString text;
            const int length = 1 + int(random.bounded(6));
            while (text.size() < length) {
                const qsizetype i = random.bounded(int(kChars.size()));
                text += kChars[i];
                if (kChars[i].isHighSurrogate())
                    text += kChars[i + 1];
                else if (kChars[i].isLowSurrogate())
                    text.chop(1);
            }
            AppendText(para, text, f);
        }
        d.Paragraphs.push_back(std::move(para));
    }
    Normalize(d);
    return d;
}

} // namespace

class TestRtfWriter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reportBytes();
    void styleSwitches();
    void escapes_data();
    void escapes();
    void moreFontsAndColours();
    void fallbackFont();
    void everyCharacterRoundTrips();
    void randomDocumentsRoundTrip();
    void reportRoundTrips();
    void slice_data();
    void slice();
    void plainTextForFile();
    void plainTextForTerminal();
};

void TestRtfWriter::reportBytes() {
    // A navy line with the blank marker, then the end of the document: byte for byte a report file.
    const CharFormat mono = Format(kCourier, true, kNavy);
    const CharFormat body = Format(kTimes, false, kNavy);
    const Document d = D({P({Run{"   ", mono}, Run{QStringLiteral(" Текст"), body}}), P()});
    QCOMPARE(WriteRtf(d),
             HeaderBytes(kTimes, 20) + Bytes(QStringLiteral("\\cf1 \\f1    \\f0  Текст\\par\r\n}")));

    QCOMPARE(WriteRtf(Document{}), HeaderBytes(QStringLiteral("Arial"), 24) + "}");
}

void TestRtfWriter::styleSwitches() {
    // Bold before italic, as the report header writes them.
    const CharFormat body = Format(kTimes, false, kNavy, true, true, 28);
    const CharFormat plain = Format(kTimes, false, kRed, false, false, 28);
    const Document d = D({P({Run{"a", body}, Run{"b", plain}})});
    QCOMPARE(WriteRtf(d), HeaderBytes(kTimes, 28) + "\\b \\i \\cf1 a\\b0 \\i0 \\cf2 b}");
}

void TestRtfWriter::escapes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addRow("backslash and braces") << QStringLiteral("a\\b{c}d") << QByteArray("a\\\\b\\{c\\}d");
    QTest::addRow("tab and line break") << QStringLiteral("a\tb\u2028c") << QByteArray("a\\tab b\\line c");
    QTest::addRow("Cyrillic and middle dot as bytes") << QStringLiteral("Жё·") << QByteArray("\xc6\xb8\xb7");
    QTest::addRow("outside the code page") << QStringLiteral("Ωx") << QByteArray("\\u937?x");
    QTest::addRow("above 32767") << QStringLiteral("\uF0B7") << QByteArray("\\u-3913?");
    QTest::addRow("surrogate pair") << QString::fromUtf8("😀") << QByteArray("\\u-10179?\\u-8704?");
}

void TestRtfWriter::escapes() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const Document d = D({P({Run{text, CharFormat{}}})});
    const QByteArray rtf = WriteRtf(d);
    QVERIFY2(rtf.endsWith("\\pard\\f0\\fs24\r\n" + bytes + "}"), rtf.constData());
    QCOMPARE(PlainText(ReadRtf(rtf)), PlainText(d));
}

void TestRtfWriter::moreFontsAndColours() {
    const Document d = D({P({Run{"a", Format(QStringLiteral("Arial"), false, MakeRgb(0, 128, 0))},
                             Run{"b", Format(QStringLiteral("Consolas"), true, kRed)},
                             Run{"c", Format(kTimes, false, MakeRgb(0, 128, 0))}})});
    const QByteArray header = HeaderBytes(QStringLiteral("Arial"), 20,
                                          "{\\f2\\fmodern\\fprq1\\fcharset204 Consolas;}"
                                          "{\\f3\\fswiss\\fprq2\\fcharset204 Times New Roman;}",
                                          "\\red0\\green128\\blue0;");
    QCOMPARE(WriteRtf(d), header + "\\cf3 a\\cf2 \\f2 b\\cf3 \\f3 c}");
    QCOMPARE(ReadRtf(WriteRtf(d)), d);
}

void TestRtfWriter::fallbackFont() {
    // Runs without a font name take the text font, or Courier New when fixed-pitch.
    CharFormat fixed;
    fixed.FixedPitch = true;
    const Document d = D({P({Run{"a", CharFormat{}}, Run{"b", fixed}})});
    const Document back = ReadRtf(WriteRtf(d));
    QCOMPARE(back.Paragraphs[0].Runs[0].Format.FontName, QStringLiteral("Arial"));
    QCOMPARE(back.Paragraphs[0].Runs[1].Format.FontName, kCourier);
    QVERIFY(back.Paragraphs[0].Runs[1].Format.FixedPitch);
}

void TestRtfWriter::everyCharacterRoundTrips() {
    // Every UTF-16 unit a run may hold, in one document: those of Windows-1251 as bytes, the rest as \uN.
    QString all;
    for (char32_t u = 0x20; u <= 0xFFFF; ++u)
        if (!QChar::isSurrogate(u) && u != 0x2029)
            all += QChar(char16_t(u));
    all += QString::fromUcs4(U"\U0001F600\U00010400");
    const Document d = D({P({Run{all, Format(kTimes, false, kNavy)}}), P()});
    const QByteArray rtf = WriteRtf(d);
    QCOMPARE(ReadRtf(rtf), d);
    // Characters of the code page take one byte each.
    for (int b = 0x20; b < 0x100; ++b) {
        const char byte = char(b);
        const QString ch = vorelian::cp1251::Decode(QByteArrayView(&byte, 1));
        if (ch != QStringLiteral("\\") && ch != QStringLiteral("{") && ch != QStringLiteral("}"))
            QVERIFY2(WriteRtf(D({P({Run{ch, CharFormat{}}})})).endsWith("\r\n" + QByteArray(1, byte) + "}"),
                     qPrintable(QString::number(b, 16)));
    }
}

void TestRtfWriter::randomDocumentsRoundTrip() {
    QRandomGenerator random(1049);
    for (int i = 0; i < 2000; ++i) {
        const Document d = RandomDocument(random);
        const QByteArray rtf = WriteRtf(d);
        const Document back = ReadRtf(rtf);
        if (!(back == d))
            QFAIL(qPrintable(QStringLiteral("round %1: %2").arg(i).arg(QString::fromLatin1(rtf.toBase64()))));
    }
}

void TestRtfWriter::reportRoundTrips() {
    const Document report = ReadRtf(Bytes(ReportHeader(kTimes, 10, true, false) + DayReportBody()));
    QCOMPARE(report, DayReportModel(kTimes, true, false));
    const QByteArray rtf = WriteRtf(report);
    QCOMPARE(ReadRtf(rtf), report);
    // The rewrite is in the dialect: the same header, then the switches of the first line.
    QVERIFY(rtf.startsWith(HeaderBytes(kTimes, 20) + "\\b \\cf1 \\f1    \\f0  1 "));
    QVERIFY(rtf.endsWith("\\par\r\n}"));
}

void TestRtfWriter::slice_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("runs"); // runs of the first paragraph
    // "ab" + "cd" | "" | "ef": positions a0 b1 c2 d3 |4 |5 e6 f7, end 8
    QTest::addRow("all") << 0 << 8 << QStringLiteral("abcd\n\nef") << 2;
    QTest::addRow("nothing") << 3 << 3 << QString() << 0;
    QTest::addRow("across runs") << 1 << 3 << QStringLiteral("bc") << 2;
    QTest::addRow("one run") << 2 << 4 << QStringLiteral("cd") << 1;
    QTest::addRow("paragraph end only") << 4 << 5 << QStringLiteral("\n") << 0;
    QTest::addRow("across paragraphs") << 3 << 7 << QStringLiteral("d\n\ne") << 1;
    QTest::addRow("clamped") << -5 << 99 << QStringLiteral("abcd\n\nef") << 2;
    QTest::addRow("reversed") << 5 << 2 << QString() << 0;
}

void TestRtfWriter::slice() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, text);
    QFETCH(int, runs);
    const CharFormat bold = Format(kTimes, false, kRed, true);
    const Document d =
        D({P({Run{"ab", Format(kTimes, false, kNavy)}, Run{"cd", bold}}), P(), P({Run{"ef", bold}})});
    QCOMPARE(d.Length(), 8);
    const Document part = Slice(d, from, to);
    QCOMPARE(PlainText(part), text);
    QCOMPARE(int(part.Paragraphs.front().Runs.size()), runs);
    QCOMPARE(ReadRtf(WriteRtf(part)), part);
    if (runs > 0)
        QCOMPARE(part.Paragraphs.front().Runs.back().Format, bold);
}

void TestRtfWriter::plainTextForFile() {
    const Document report = ReadRtf(Bytes(ReportHeader(kTimes, 10, false, false) + DayReportBody()));
    const QByteArray bytes = PlainTextForFile(report);
    const QByteArray expected =
        Bytes(QStringLiteral(
            "    1 января 2024 г. от Р.Х. по новому стилю\r\n    Понедельник. Глас 4\r\n\r\n(+) Обрезание "
            "Господне.\r\n"
            " +) Свт. Василия Великого.\r\n +  Прп. Серафима.\r\n c  Мч. Петра.\r\n ш  Мц. Иустины.\r\n"
            " ·  4Прав. Иулиании.\r\n")) +
        QByteArray(99, '.') + "\r\n\r\n" + Bytes(QStringLiteral("    Великие праздники\r\n")) +
        QByteArray(99, '.') + "\r\n";
    QCOMPARE(bytes, expected);
    QVERIFY(bytes.contains("\xb7"));  // the middle dot as its own byte
    QVERIFY(!bytes.contains("\r\r")); // no stray CR

    const Document other = D({P({Run{QStringLiteral("a\u2028Ω\tb"), CharFormat{}}})});
    QCOMPARE(PlainTextForFile(other), QByteArray("a\r\n?\tb"));
}

void TestRtfWriter::plainTextForTerminal() {
    const Document d =
        D({P({Run{QStringLiteral("Прп. · Ω"), CharFormat{}}}), P(), P({Run{"x", CharFormat{}}})});
    QCOMPARE(PlainTextForTerminal(d), QStringLiteral("Прп. · Ω\n\nx").toUtf8());
    QCOMPARE(PlainText(d), QStringLiteral("Прп. · Ω\n\nx"));
}

QTEST_GUILESS_MAIN(TestRtfWriter)
#include "test_rtf_writer.moc"
