// Thousands of random and mutated data files from a fixed seed go through the reader, the reading layer,
// the loaders, the placing of the records and the red days: nothing may crash or hang, what is kept
// never outgrows the file, and what the reader keeps reads back the same through every path.
#include "fixture.h"

#include "bases/bases.h"

#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QTest>

using namespace vorelian;

namespace {

const QByteArray kSeedFile = fixture::Bytes(QStringLiteral(
    "; a record file\n[1]\ndays=-7\nday=25\nmonth=12\nweekday=7\nred=1\n0={1}Вход Господень в Иерусалим\n"
    "11={2}Перед\n19=После\n4=Пост\n[ 2 ]\ndays=49\n0=Троица · {4}\n[3]\nRed=\n29={6}Текст\n[4]\nweekday=-3\n"
    "[5]\n0={5} a\n[6]\nmonth=2\nday=29\n"));

QByteArray RandomBytes(QRandomGenerator& g) {
    static constexpr char alphabet[] = "[]=\r\n\t ;01234567-{}.abcRED\xD0\xE0\xB7\xEF\xBB\xBF";
    QByteArray out;
    const int size = g.bounded(0, 3000);
    const bool structured = g.bounded(2) == 0;
    for (int i = 0; i < size; ++i)
        out += structured ? alphabet[g.bounded(int(sizeof alphabet - 1))] : char(g.bounded(256));
    if (g.bounded(8) == 0)
        out.prepend("\xEF\xBB\xBF");
    return out;
}

QByteArray Mutated(QRandomGenerator& g) {
    QByteArray out = kSeedFile;
    static constexpr char specials[] = {'[', ']', '=', '\r', '\n', '\0', '\x01', '\x7F', ' ', '\xB7', '\xFF'};
    const int edits = g.bounded(1, 12);
    for (int e = 0; e < edits && !out.isEmpty(); ++e) {
        const int at = g.bounded(int(out.size()));
        switch (g.bounded(6)) {
        case 0:
            out[at] = char(g.bounded(256));
            break;
        case 1:
            out.insert(at, specials[g.bounded(int(sizeof specials))]);
            break;
        case 2:
            out.remove(at, g.bounded(1, 20));
            break;
        case 3:
            out.insert(at, out.mid(g.bounded(int(out.size())), g.bounded(1, 200)));
            break;
        case 4:
            out.truncate(at);
            break;
        default:
            out.insert(at, QByteArray(g.bounded(1, 5000), 'x'));
            break;
        }
    }
    return out;
}

qsizetype KeptCharacters(const Profile& p) {
    qsizetype n = 0;
    for (const ProfileSection& s : p.Sections()) {
        n += s.Name.size();
        for (const ProfileEntry& e : s.Entries)
            n += e.Key.size() + e.Value.size();
    }
    return n;
}

bool HasControl(const QString& text) {
    for (QChar c : text)
        if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F)
            return true;
    return false;
}

} // namespace

class TestBasesRobust : public QObject {
    Q_OBJECT

private:
    // What every file must satisfy, whatever its bytes.
    void CheckProfile(const Profile& p, qsizetype bytes) {
        QVERIFY(KeptCharacters(p) <= bytes);
        for (const ProfileSection& s : p.Sections()) {
            QCOMPARE(p.Section(s.Name), &s);
            QVERIFY(!HasControl(s.Name));
            for (const ProfileEntry& e : s.Entries) {
                QVERIFY(!HasControl(e.Key) && !HasControl(e.Value));
                QCOMPARE(e.Key, e.Key.trimmed());
                QCOMPARE(e.Value, e.Value.trimmed());
            }
        }
    }

    void CheckLoaders(const Profile& p) {
        Bases b;
        LoadRelocatable(b, p);
        LoadRelocatable1(b, p);
        LoadSpecial(b, p);
        LoadWeekdays(b, p);
        LoadWeekdays1(b, p);
        LoadSpecWeekDays(b, p);
        const auto sections = p.Sections().size();
        for (int16_t count : {b.Reloc.Count, b.Reloc1.Count, b.Special.Count, b.Weekdays.Count,
                              b.Weekdays1.Count, b.SpecWeekDays.Count})
            QVERIFY(count >= 0 && std::size_t(count) <= sections);
        QVERIFY(b.Special.Records.size() >= 65);
        for (int16_t year : {int16_t(1), int16_t(2025), int16_t(3000)})
            PlaceYear(b, year);
    }

private Q_SLOTS:
    void initTestCase() {
        QLoggingCategory::setFilterRules(QStringLiteral("vorelian.bases.profile.warning=false"));
    }

    void randomAndMutatedFiles() {
        QRandomGenerator g(20240607);
        for (int i = 0; i < 4000; ++i) {
            const QByteArray bytes = i % 3 == 0 ? RandomBytes(g) : Mutated(g);
            const Profile p = Profile::Parse(bytes);
            CheckProfile(p, bytes.size());
            CheckLoaders(p);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(
                    QStringLiteral("input %1: %2").arg(i).arg(QString::fromLatin1(bytes.toHex()))));
        }
    }

    void readBackThroughTheFiles() {
        // Every file stands in for all data files at once; each section reads back entry by entry.
        QRandomGenerator g(77);
        for (int i = 0; i < 150; ++i) {
            QTemporaryDir dir;
            QVERIFY(dir.isValid());
            const QByteArray bytes = i % 2 ? RandomBytes(g) : Mutated(g);
            CalendarData data;
            data.Files.SetFolder(dir.path());
            for (const QString& path : data.Files.Paths)
                if (!path.isEmpty())
                    fixture::Write(path, bytes);
            const Profile& p = data.Profiles.Get(data.Files[0]);
            for (const ProfileSection& s : p.Sections()) {
                const QString section = ReadDataSection(data.Profiles, s.Name, data.Files[0]);
                QStringView buffer = section, entry;
                std::size_t n = 0;
                while (NextSectionEntry(buffer, entry)) {
                    QVERIFY(n < s.Entries.size());
                    QString key, value;
                    SplitEntry(entry, key, value);
                    QCOMPARE(key, s.Entries[n].Key);
                    QCOMPARE(value, s.Entries[n].Value);
                    if (!s.Entries.empty() && n == 0)
                        QCOMPARE(ReadDataKey(data.Profiles, s.Name, key, data.Files[0]), value);
                    ++n;
                }
                QCOMPARE(n, s.Entries.size());
            }
            LoadBases(data);
            for (int16_t year : {int16_t(2024), int16_t(2025)})
                PlaceYear(data.Bases, year);
        }
    }

    void pathologicalShapes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("one long line without end") << QByteArray(3 << 20, 'a');
        QTest::addRow("one long entry") << "[1]\n0=" + QByteArray(Profile::MaxLineBytes - 2, 'a');
        QTest::addRow("only line ends") << QByteArray(1 << 20, '\n');
        QTest::addRow("only carriage returns") << QByteArray(1 << 20, '\r');
        QTest::addRow("only NUL bytes") << QByteArray(1 << 20, '\0');
        QTest::addRow("only =") << "[1]\n" + QByteArray(1 << 20, '=');
        QByteArray many("[1]\n");
        for (int i = 0; i < 200000; ++i)
            many += "=\n";
        QTest::addRow("200000 empty entries in one section") << many;
        QByteArray sections;
        for (int i = 1; i <= 40000; ++i)
            sections += "[" + QByteArray::number(i) + "]\n0=x\n";
        QTest::addRow("40000 records") << sections;
        QByteArray headers;
        for (int i = 0; i < 100000; ++i)
            headers += "[" + QByteArray::number(i % 7) + "\n";
        QTest::addRow("100000 broken headers") << headers;
    }
    void pathologicalShapes() {
        QFETCH(QByteArray, bytes);
        const Profile p = Profile::Parse(bytes);
        CheckProfile(p, bytes.size());
        CheckLoaders(p);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("x.DAT"));
        fixture::Write(file, bytes);
        ProfileCache cache;
        const QString section = ReadDataSection(cache, u"1", file);
        QStringView buffer = section, entry;
        qsizetype n = 0;
        while (NextSectionEntry(buffer, entry))
            ++n;
        const ProfileSection* s = p.Section(u"1");
        QCOMPARE(std::size_t(n), s ? s->Entries.size() : 0);
    }

    void recordCountHeldIn16Bits() {
        QByteArray bytes;
        for (int i = 1; i <= 33000; ++i)
            bytes += "[" + QByteArray::number(i) + "]\nred=1\n";
        Bases b;
        LoadRelocatable(b, Profile::Parse(bytes));
        QCOMPARE(b.Reloc.Count, int16_t(32767));
        QCOMPARE(b.Reloc.Records.size(), std::size_t(32768));
    }

    void fileTooLargeReadsEmpty() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("huge.DAT"));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[1]\n0=x\n");
            QVERIFY(f.resize(Profile::MaxFileBytes + 1)); // sparse: no disk is spent
        }
        ProfileCache cache;
        QCOMPARE(ReadDataSection(cache, u"1", file), QString());
    }
};

QTEST_GUILESS_MAIN(TestBasesRobust)
#include "test_bases_robust.moc"
