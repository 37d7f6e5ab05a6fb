// The report dialect and its writer: the header for every font setting, the Windows-1251 bytes with \uN for
// what the code page lacks, escaping of typed text, a report that cannot be written to its file, and the
// six temporary files.
#include "calendar_fixture.h"

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

    // Every write is followed by CR LF and reaches both the file and the host.
    void writerWritesFileAndShows() {
        QTemporaryDir dir;
        const QString path = MakeTempFileName(dir.path());
        QVERIFY(!path.isEmpty());
        RecordingHost host;
        {
            ReportWriter w(&host, 2, path);
            w.Write(u"первая");
            w.Write(u"\\par\r\n}");
            w.Finish();
        }
        QCOMPARE(host.Reports.size(), 1);
        QCOMPARE(host.Reports[0].Tab, 2);
        QCOMPARE(host.Reports[0].Path, path);
        const QByteArray expected = Doc({QStringLiteral("первая"), End});
        QCOMPARE(host.Reports[0].Document, expected);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), expected);
    }

    // A report rewrites its file whole: a shorter report leaves nothing of a longer one.
    void writerTruncates() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.tmp"));
        RecordingHost host;
        ReportWriter(&host, 0, path).Write(u"a long first report");
        ReportWriter second(&host, 0, path);
        second.Write(u"b");
        second.Finish();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("b\r\n"));
    }

    void writerWithoutFileStillShows_data() {
        QTest::addColumn<QString>("path");
        QTest::addRow("no temporary file") << QString();
        QTest::addRow("folder gone") << QStringLiteral("/nonexistent-folder-of-vorelian/~DA0001.TMP");
    }
    void writerWithoutFileStillShows() {
        QFETCH(QString, path);
        RecordingHost host;
        ReportWriter w(&host, 4, path);
        w.Write(u"x");
        w.Finish();
        w.Finish(); // once only
        QCOMPARE(host.Reports.size(), 1);
        QCOMPARE(host.Reports[0].Path, QString());
        QCOMPARE(host.Reports[0].Document, QByteArray("x\r\n"));
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
