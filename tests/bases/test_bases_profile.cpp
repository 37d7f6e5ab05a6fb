// The profile reader and the reading layer on small files written here: names in any case and with
// blanks, duplicates in file order, line ends, the code pages, missing files and sections, long sections,
// malformed lines and the rank marks.
#include "fixture.h"

#include "bases/datafiles.h"
#include "bases/profile.h"

#include <QRegularExpression>
#include <QTest>

using namespace vorelian;
using fixture::Bytes;

class TestBasesProfile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString Put(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        fixture::Write(path, bytes);
        return path;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void namesMatch_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addRow("leading blank finds plain name") << "[1]\nRed=1\n"
                                                        << " 1"
                                                        << "Red"
                                                        << "1";
        QTest::addRow("plain name finds blank-padded header") << "[  7 ]\nRed=1\n"
                                                              << "7"
                                                              << "Red"
                                                              << "1";
        QTest::addRow("key in another case") << "[1]\nRED = yes\n"
                                             << "1"
                                             << "red"
                                             << "yes";
        QTest::addRow("key with blanks around") << "[1]\n  red\t= 2 \n"
                                                << "1"
                                                << " Red "
                                                << "2";
        QTest::addRow("Cyrillic section in any case") << "[Праздник]\nКлюч=Значение\n"
                                                      << " ПРАЗДНИК "
                                                      << "ключ"
                                                      << "Значение";
        QTest::addRow("no such key") << "[1]\nRed=1\n"
                                     << "1"
                                     << "Blue"
                                     << "";
        QTest::addRow("no such section") << "[1]\nRed=1\n"
                                         << "2"
                                         << "Red"
                                         << "";
        QTest::addRow("blanks inside the value kept") << "[1]\n0 =  a  b  \n"
                                                      << "1"
                                                      << "0"
                                                      << "a  b";
        QTest::addRow("only the first = splits") << "[1]\n0=a=b\n"
                                                 << "1"
                                                 << "0"
                                                 << "a=b";
    }
    void namesMatch() {
        QFETCH(QString, text);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        ProfileCache cache;
        const QString file = Put(QStringLiteral("names.DAT"), Bytes(text));
        QCOMPARE(ReadDataKey(cache, section, key, file), value);
    }

    void duplicatesInFileOrder() {
        ProfileCache cache;
        const QString file =
            Put(QStringLiteral("dup.DAT"), Bytes("[ 3 ]\n0=first\n1=one\n0=second\n[4]\n0=x\n"
                                                 "[3]\n0=third\n"));
        // A repeated header continues its section.
        QCOMPARE(ReadDataSection(cache, u"3", file),
                 QStringLiteral("0=first\0001=one\0000=second\0000=third\000"));
        QCOMPARE(ReadDataKey(cache, u"3", u"0", file), QStringLiteral("first"));
    }

    void lineEnds_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("CRLF") << QByteArray("[1]\r\nRed=1\r\n0=a\r\n[2]\r\n0=b");
        QTest::addRow("LF") << QByteArray("[1]\nRed=1\n0=a\n[2]\n0=b\n");
        QTest::addRow("mixed") << QByteArray("[1]\r\nRed=1\n0=a\r\n[2]\n0=b\r\n");
        QTest::addRow("UTF-8 with byte-order mark")
            << QByteArray("\xEF\xBB\xBF[1]\r\nRed=1\r\n0=a\r\n[2]\r\n0=b");
    }
    void lineEnds() {
        QFETCH(QByteArray, bytes);
        const Profile p = Profile::Parse(bytes);
        QCOMPARE(p.MalformedLines(), qsizetype(0));
        QCOMPARE(p.Sections().size(), std::size_t(2));
        QCOMPARE(p.Value(u"1", u"red"), QStringLiteral("1"));
        QCOMPARE(p.Value(u"1", u"0"), QStringLiteral("a"));
        QCOMPARE(p.Value(u"2", u"0"), QStringLiteral("b"));
    }

    void codePages_data() {
        QTest::addColumn<QByteArray>("bytes");
        // "Свт. Николая · {1}" in Windows-1251 and in UTF-8 with the mark.
        QTest::addRow("Windows-1251")
            << QByteArray("[1]\r\n0=\xD1\xE2\xF2. \xCD\xE8\xEA\xEE\xEB\xE0\xFF \xB7 {1}\r\n");
        QTest::addRow("UTF-8") << (QByteArray("\xEF\xBB\xBF[1]\r\n0=") +
                                   QStringLiteral("Свт. Николая · {1}").toUtf8() + "\r\n");
    }
    void codePages() {
        QFETCH(QByteArray, bytes);
        ProfileCache cache;
        const QString file = Put(QStringLiteral("cyr.DAT"), bytes);
        QCOMPARE(ReadDataKey(cache, u" 1", u"0", file), QStringLiteral("Свт. Николая · {1}"));
    }

    void missingFileAndEmptySection() {
        ProfileCache cache;
        const QString missing = dir_.filePath(QStringLiteral("nowhere/None.DAT"));
        QCOMPARE(ReadDataSection(cache, u"1", missing), QString());
        QCOMPARE(ReadDataKey(cache, u"1", u"Red", missing), QString());
        QCOMPARE(ReadDataSection(cache, u"1", QString()), QString());
        const QString file = Put(QStringLiteral("empty.DAT"), Bytes("[1]\n; a comment\n\n[2]\nRed=1\n"));
        QVERIFY(cache.Get(file).Section(u"1") != nullptr);
        QCOMPARE(ReadDataSection(cache, u"1", file), QString());
        QCOMPARE(ReadDataSection(cache, u"2", file), QStringLiteral("Red=1\000"));
    }

    void sectionLongerThanTheOldBufferReadWhole() {
        QString text = QStringLiteral("[1]\n");
        QString expected;
        for (int i = 1; i <= 120; ++i) {
            const QString line = QStringLiteral("0=Строка %1: %2").arg(i).arg(QString(40, u'ж'));
            text += line + u'\n';
            expected += line + QChar(u'\0');
        }
        text += QStringLiteral("4=последняя строка\n");
        expected += QStringLiteral("4=последняя строка") + QChar(u'\0');
        ProfileCache cache;
        const QString file = Put(QStringLiteral("long.DAT"), Bytes(text));
        const QString section = ReadDataSection(cache, u"1", file);
        QVERIFY(section.size() > 2 * 3071);
        QCOMPARE(section, expected);
    }

    void parsedOnceAndKept() {
        ProfileCache cache;
        const QString file = Put(QStringLiteral("once.DAT"), Bytes("[1]\nRed=1\nbroken line\n"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("once\\.DAT:3: ")));
        QCOMPARE(ReadDataKey(cache, u"1", u"Red", file), QStringLiteral("1"));
        QCOMPARE(cache.ParsedFiles(), qsizetype(1));
        // The file changes on disk; the program keeps what it read and reports nothing again.
        fixture::Write(file, Bytes("[1]\nRed=0\n"));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QCOMPARE(ReadDataKey(cache, u"1", u"Red", file), QStringLiteral("1"));
        QCOMPARE(ReadDataSection(cache, u"1", file), QStringLiteral("Red=1\000"));
        QCOMPARE(cache.ParsedFiles(), qsizetype(1));
    }

    void badLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("section1");
        QTest::addRow("no =") << QByteArray("[1]\r\n0=a\r\njust text\r\n0=b\r\n") << 3 << "no \"=\""
                              << QStringLiteral("0=a\0000=b\000");
        QTest::addRow("NUL byte") << QByteArrayLiteral("[1]\r\n0=a\r\n0=b\0c\r\n0=d\r\n") << 3 << "control"
                                  << QStringLiteral("0=a\0000=d\000");
        QTest::addRow("escape byte") << QByteArray("[1]\n0=\x1B[31m\n0=c\n") << 2 << "control"
                                     << QStringLiteral("0=c\000");
        QTest::addRow("too long") << ("[1]\n0=a\n0=" + QByteArray(Profile::MaxLineBytes, 'x') + "\n0=c\n")
                                  << 3 << "too long" << QStringLiteral("0=a\0000=c\000");
        QTest::addRow("before any section")
            << QByteArray("Red=1\n[1]\n0=a\n") << 1 << "outside" << QStringLiteral("0=a\000");
        QTest::addRow("header without ]")
            << QByteArray("[1]\n0=a\n[2\n0=lost\n") << 3 << "header" << QStringLiteral("0=a\000");
        QTest::addRow("broken UTF-8")
            << QByteArray("\xEF\xBB\xBF[1]\n0=\xD0\n0=c\n") << 2 << "UTF-8" << QStringLiteral("0=c\000");
    }
    void badLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, reason);
        QFETCH(QString, section1);
        const QString file = Put(QStringLiteral("bad.DAT"), bytes);
        ProfileCache cache;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("bad\\.DAT:%1: .*%2.*skipped")
                                                                  .arg(line)
                                                                  .arg(QRegularExpression::escape(reason))));
        QCOMPARE(ReadDataSection(cache, u"1", file), section1);
        QCOMPARE(cache.Get(file).MalformedLines(), qsizetype(1));
    }

    // What used to pass without a word is reported once, naming the file, and counts as a problem of the
    // file where something was lost or guessed.
    void silentCasesLogOnce_data() {
        QTest::addColumn<QByteArray>("bytes"); // "unreadable" and "too large" stand for such files
        QTest::addColumn<QString>("message");  // "" when nothing is to be said
        QTest::addColumn<int>("entries");      // of section 1
        QTest::addColumn<QString>("first");    // its first value
        QTest::addColumn<bool>("problem");
        QByteArray many("[1]\n");
        for (qsizetype i = 0; i < Profile::MaxEntries + 5; ++i)
            many += "0=a\n";
        const QByteArray utf8 = "[1]\r\n0=" + QStringLiteral("Свт. Николая").toUtf8() + "\r\n";
        QTest::addRow("CR-only line ends")
            << QByteArray("[1]\r0=a\r0=b\r") << "lines end in CR alone" << 2 << "a" << false;
        QTest::addRow("bare CR inside")
            << QByteArray("[1]\n0=a\r0=b\n0=c\n") << "lines end in CR alone" << 3 << "a" << false;
        QTest::addRow("UTF-8 without the mark")
            << utf8 << "UTF-8 rather than Windows-1251" << 1 << "Свт. Николая" << true;
        QTest::addRow("Windows-1251 Cyrillic") << Bytes(QStringLiteral("[1]\n0=Свт. Николая «Ё» —\n")) << ""
                                               << 1 << "Свт. Николая «Ё» —" << false;
        QTest::addRow("too many entries")
            << many << QStringLiteral("more than %1 entries; the last 5 dropped").arg(Profile::MaxEntries)
            << int(Profile::MaxEntries) << "a" << true;
        QByteArray headers;
        for (qsizetype i = 0; i < Profile::MaxSections + 3; ++i)
            headers += "[" + QByteArray::number(i + 1) + "]\n0=a\n";
        QTest::addRow("too many sections")
            << headers
            << QStringLiteral("more than %1 sections; the last 3 dropped").arg(Profile::MaxSections) << 1
            << "a" << true;
        QTest::addRow("unreadable") << QByteArray("unreadable") << "cannot be read" << 0 << "" << true;
        QTest::addRow("too large") << QByteArray("too large") << "larger than 1 MiB, read as empty" << 0 << ""
                                   << true;
    }
    void silentCasesLogOnce() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(int, entries);
        QFETCH(QString, first);
        QFETCH(bool, problem);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Odd.DAT"));
        if (bytes == "unreadable") {
            // Opens, but every read fails: what a damaged disk or a file gone away under us does.
            QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), file));
        } else {
            fixture::Write(file, bytes);
            if (bytes == "too large") {
                QFile f(file);
                QVERIFY(f.resize(Profile::MaxFileBytes + 1)); // sparse: no disk is spent
            }
        }
        if (!message.isEmpty())
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("^%1: .*%2")
                                                        .arg(QRegularExpression::escape(file),
                                                             QRegularExpression::escape(message))));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        ProfileCache cache;
        const ProfileSection* s = cache.Get(file).Section(u"1");
        QCOMPARE(s ? int(s->Entries.size()) : 0, entries);
        if (s)
            QCOMPARE(s->Entries.front().Value, first);
        QCOMPARE(cache.FilesWithProblems(), problem ? QStringList{file} : QStringList());
        (void)cache.Get(file); // kept, not read nor reported again
    }

    // Every file of a data set at once, the abbreviations left to their view.
    void wholeDataSetRead() {
        QTemporaryDir dir;
        fixture::Write(dir.filePath(QStringLiteral("March.DAT")), QByteArray("[1]\n0=a\n"));
        fixture::Write(dir.filePath(QStringLiteral("Special.DAT")), QByteArray("[1]\nbroken\n"));
        fixture::Write(dir.filePath(QStringLiteral("Abbr.DAT")), QByteArray("no profile at all"));
        DataFiles files;
        files.SetFolder(dir.path());
        ProfileCache cache;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Special\\.DAT:2: ")));
        QCOMPARE(ReadWholeDataSet(files, cache), QStringList{files[DataFiles::Special]});
        QCOMPARE(cache.ParsedFiles(), qsizetype(DataFiles::Count - 3));
    }

    void manyBadLinesReportedBounded() {
        QByteArray bytes("[1]\n");
        for (int i = 0; i < Profile::MaxReportedLines + 50; ++i)
            bytes += "no equals sign\n";
        bytes += "0=kept\n";
        for (int i = 2; i <= Profile::MaxReportedLines + 1; ++i)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^many:%1: ").arg(i)));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^many: 50 more malformed lines")));
        const Profile p = Profile::Parse(bytes, QStringLiteral("many"));
        QCOMPARE(p.MalformedLines(), qsizetype(Profile::MaxReportedLines + 50));
        QCOMPARE(p.Value(u"1", u"0"), QStringLiteral("kept"));
    }

    void nextSectionEntry() {
        const QString section = QStringLiteral("0=a\0Red=1\0 x = y \0");
        QStringView buffer = section, entry;
        QStringList seen;
        while (NextSectionEntry(buffer, entry))
            seen << entry.toString();
        QCOMPARE(seen, QStringList({"0=a", "Red=1", " x = y "}));
        QVERIFY(entry.isEmpty());
        QVERIFY(buffer.isEmpty());
        // No NUL at all, or a NUL first, ends the walk.
        QStringView noNul = u"0=a";
        QVERIFY(!NextSectionEntry(noNul, entry));
        QVERIFY(noNul.isEmpty() && entry.isEmpty());
        const QString nulFirst = QStringLiteral("\0000=a\000");
        QStringView lead = nulFirst;
        QVERIFY(!NextSectionEntry(lead, entry));
        QVERIFY(lead.isEmpty() && entry.isEmpty());
    }

    void splitEntry_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addRow("plain") << "0=text"
                               << "0"
                               << "text";
        QTest::addRow("blanks around both") << "  Red \t=  1  "
                                            << "Red"
                                            << "1";
        QTest::addRow("first = only") << "k==v"
                                      << "k"
                                      << "=v";
        QTest::addRow("empty value") << "red="
                                     << "red"
                                     << "";
        QTest::addRow("empty key") << "=v"
                                   << ""
                                   << "v";
        QTest::addRow("no =") << "text"
                              << ""
                              << "";
    }
    void splitEntry() {
        QFETCH(QString, entry);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QString k = QStringLiteral("stale"), v = QStringLiteral("stale");
        SplitEntry(entry, k, v);
        QCOMPARE(k, key);
        QCOMPARE(v, value);
    }

    void parseNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::addRow("empty") << "" << 0;
        QTest::addRow("not a number") << "abc" << 0;
        QTest::addRow("plain") << "49" << 49;
        QTest::addRow("negative") << "-7" << -7;
        QTest::addRow("plus sign") << "+3" << 3;
        QTest::addRow("leading blanks") << "  12" << 12;
        QTest::addRow("trailing text") << "12abc" << 12;
        QTest::addRow("half rounds to even, down") << "2.5" << 2;
        QTest::addRow("half rounds to even, up") << "3.5" << 4;
        QTest::addRow("fraction") << "-6.7" << -7;
        QTest::addRow("above the range") << "99999" << 32767;
        QTest::addRow("below the range") << "-99999" << -32768;
        QTest::addRow("very many digits") << QString(400, u'9') << 32767;
    }
    void parseNumber() {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(int(ParseNumber(text)), number);
    }

    void dataFileSlots_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("yearLength");
        QTest::addColumn<QString>("name");
        QTest::addRow("January") << 1 << 365 << "January.DAT";
        QTest::addRow("February, leap") << 2 << 366 << "February29.DAT";
        QTest::addRow("February, common") << 2 << 365 << "February28.DAT";
        QTest::addRow("March, leap year") << 3 << 366 << "March.DAT";
        QTest::addRow("September") << 9 << 365 << "September.DAT";
        QTest::addRow("December") << 12 << 366 << "December.DAT";
    }
    void dataFileSlots() {
        QFETCH(int, month);
        QFETCH(int, yearLength);
        QFETCH(QString, name);
        DataFiles files;
        files.SetFolder(QStringLiteral("/data/Calendar"));
        QCOMPARE(files.DayFile(int16_t(month), int16_t(yearLength)),
                 QStringLiteral("/data/Calendar/") + name);
    }

    void dataFileNames() {
        DataFiles files;
        files.SetFolder(QStringLiteral("/x/Calendar"));
        const std::pair<int, const char*> slots[] = {
            {0, "January.DAT"},      {1, "February29.DAT"},    {11, "December.DAT"}, {12, "February28.DAT"},
            {13, "Relocatable.DAT"}, {14, "Relocatable1.DAT"}, {15, "Special.DAT"},  {16, "Weekdays.DAT"},
            {17, "Weekdays1.DAT"},   {20, "SpecWeekDays.DAT"}, {21, "Abbr.DAT"}};
        for (const auto& [slot, name] : slots)
            QCOMPARE(files[slot], QStringLiteral("/x/Calendar/") + QLatin1String(name));
        QCOMPARE(files[18], QString());
        QCOMPARE(files[19], QString());
    }
};

QTEST_GUILESS_MAIN(TestBasesProfile)
#include "test_bases_profile.moc"
