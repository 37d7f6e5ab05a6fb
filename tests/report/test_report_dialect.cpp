// The report dialect and its writer: the header for every font setting, the Windows-1251 bytes with \uN for
// what the code page lacks, escaping of typed text, a report that cannot be written to its file, and the
// six temporary files.
#include "calendar_fixture.h"

#include "report/dayblock.h"
#include "report/dialect.h"
#include "report/tempfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

using namespace vorelian;
using namespace fixture;

class TestReportDialect : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void header_data() {
        QTest::addColumn<QString>("font");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QString>("tail");
        QTest::addRow("size 10 plain") << "Arial" << 10 << false << false << "\\fs20\r\n";
        QTest::addRow("size 12 bold") << "Arial" << 12 << true << false << "\\fs24\r\n\\b ";
        QTest::addRow("size 9 italic") << "Times New Roman" << 9 << false << true << "\\fs18\r\n\\i ";
        QTest::addRow("bold before italic") << "Tahoma" << 14 << true << true << "\\fs28\r\n\\b \\i ";
        QTest::addRow("Cyrillic font name") << "Шрифт" << 1 << false << false << "\\fs2\r\n";
    }
    void header() {
        QFETCH(QString, font);
        QFETCH(int, size);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(QString, tail);
        Settings s;
        s.FontName = font;
        s.FontSize = int16_t(size);
        s.FontBold = bold;
        s.FontItalic = italic;
        const QString expected =
            "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset204 " +
            font +
            ";}{\\f1\\fmodern\\fprq1\\fcharset204 Courier New;}}\r\n{\\colortbl ;\\red0\\green0\\blue128;"
            "\\red255\\green0\\blue0;}\r\n\\viewkind4\\uc1\\pard\\f0" +
            tail;
        QCOMPARE(ReportHeader(s), expected);
    }

    void fontNameCannotOpenAGroup() {
        Settings s;
        s.FontName = QStringLiteral("Bad}{\\Name");
        QVERIFY(ReportHeader(s).contains(QStringLiteral("\\fcharset204 Bad\\}\\{\\\\Name;}")));
    }

    void encoding_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("ascii") << "\\par\r\n}" << QByteArray("\\par\r\n}");
        QTest::addRow("cyrillic") << "Ёж ш" << QByteArray("\xA8\xE6 \xF8");
        QTest::addRow("middle dot") << "\u00B7" << QByteArray("\xB7");
        QTest::addRow("greek alpha") << "a\u03B1b" << QByteArray("a\\u945?b");
        QTest::addRow("above 32767 is negative") << "\uFB01" << QByteArray("\\u-1279?");
        QTest::addRow("outside the basic plane")
            << QString::fromUcs4(U"\U0001F600") << QByteArray("\\u-10179?\\u-8704?");
    }
    void encoding() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(EncodeReport(text), bytes);
    }

    void escaping_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("escaped");
        QTest::addRow("plain") << "Слово"
                               << "Слово";
        QTest::addRow("braces") << "{x}"
                                << "\\{x\\}";
        QTest::addRow("backslash") << "\\par"
                                   << "\\\\par";
        QTest::addRow("all") << "a\\{b}"
                             << "a\\\\\\{b\\}";
    }
    void escaping() {
        QFETCH(QString, typed);
        QFETCH(QString, escaped);
        QCOMPARE(EscapeRtfText(typed), escaped);
    }

    void rankMarker_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::addRow("{1}") << "{1}Text"
                             << "\\f1 (+)\\f0  Text";
        QTest::addRow("{2}") << "{2}Text"
                             << "\\f1  +)\\f0  Text";
        QTest::addRow("{3}") << "{3}Text"
                             << "\\f1  + \\f0  Text";
        QTest::addRow("{5}") << "{5}Text"
                             << "\\f1  c \\f0  Text";
        QTest::addRow("{6}") << "{6}Text"
                             << "\\f1  ш \\f0  Text";
        QTest::addRow("{4} is untagged") << "{4}Text"
                                         << "\\f1  · \\f0  {4}Text";
        QTest::addRow("untagged") << "Прп. Text"
                                  << "\\f1  · \\f0  Прп. Text";
        QTest::addRow("blanks after a tag") << "{1}   Text  "
                                            << "\\f1 (+)\\f0  Text  ";
        QTest::addRow("tag alone") << "{2}"
                                   << "\\f1  +)\\f0  ";
        QTest::addRow("empty") << ""
                               << "\\f1  · \\f0  ";
        QTest::addRow("one character") << "{"
                                       << "\\f1  · \\f0  {";
        QTest::addRow("two characters") << "{1"
                                        << "\\f1  · \\f0  {1";
        QTest::addRow("tag not at the start") << " {1}Text"
                                              << "\\f1  · \\f0   {1}Text";
        QTest::addRow("{7} unknown") << "{7}Text"
                                     << "\\f1  · \\f0  {7}Text";
    }
    void rankMarker() {
        QFETCH(QString, text);
        QFETCH(QString, result);
        QCOMPARE(RankMarker(text), result);
    }

    // A record's texts of one key, each behind its mark and closed by a paragraph end.
    void recordText() {
        BaseRecord r;
        r.Texts[0] = {QStringLiteral("{1} Праздник"), QStringLiteral("Память")};
        r.Texts[7] = {QStringLiteral("{1}Без знака")};
        QCOMPARE(RecordText(r, 0), QStringLiteral("\\f1 (+)\\f0  Праздник") + P + Dot + "Память" + P);
        QCOMPARE(RecordText(r, 7), B + "{1}Без знака" + P);
    }

    // Every write is followed by CR LF, in Windows-1251.
    void writerComposesTheDocument() {
        ReportWriter w;
        w.Write(u"первая");
        w.Write(u"\\par\r\n}");
        QCOMPARE(w.Document(), Doc({QStringLiteral("первая"), End}));
    }

    void busyGuardPairs() {
        RecordingHost host;
        {
            const BusyGuard g(&host);
            QCOMPARE(host.Depth, 1);
        }
        QCOMPARE(host.Busy, (QList<bool>{true, false}));
        const BusyGuard none(nullptr);
    }

    void tempFileNames() {
        QTemporaryDir dir;
        const QRegularExpression name(QStringLiteral("^~DA[0-9A-F]{4}\\.TMP$"));
        QStringList made;
        for (int i = 0; i < 6; ++i) {
            const QString p = MakeTempFileName(dir.path());
            QVERIFY(!p.isEmpty());
            const QFileInfo fi(p);
            QVERIFY2(name.match(fi.fileName()).hasMatch(), qPrintable(fi.fileName()));
            QCOMPARE(QDir(fi.absolutePath()), QDir(dir.path()));
            QVERIFY(fi.exists());
            QCOMPARE(fi.size(), 0);
            QVERIFY(!made.contains(p));
            made << p;
        }
        QCOMPARE(MakeTempFileName(dir.filePath(QStringLiteral("missing"))), QString());
    }

    void createAndDeleteTempFiles() {
        TempFiles files;
        CreateTempFiles(files);
        for (const QString& p : files.Paths) {
            QVERIFY(!p.isEmpty());
            QVERIFY(QFileInfo(p).absolutePath() == QFileInfo(QDir::tempPath()).absoluteFilePath());
            QVERIFY(QFile::exists(p));
        }
        const auto paths = files.Paths;
        QFile::remove(paths[3]); // one already gone
        DeleteTempFiles(files);
        for (const QString& p : paths)
            QVERIFY(!QFile::exists(p));
        for (const QString& p : files.Paths)
            QVERIFY(p.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReportDialect)
#include "test_report_dialect.moc"
