// The reports and placements recorded from the program before its engine was reshaped, compared byte for
// byte with what the program makes now. The cases run vorelian-report as a script does, on the bundled
// data set; the placements of every record of the movable bases are written out for every Paschal year of
// the default range.
//
// Recording: VORELIAN_GOLDEN_RECORD=1 writes the case list, the reports and the placements into
// tests/golden/ of the source tree instead of comparing. Only a program known to be right records.
#include "../program_run.h"
#include "golden_placements.h"

#include "core/calendar.h"
#include "core/recalc.h"
#include "core/state.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <memory>
#include <vector>

using namespace vorelian;

namespace {

const QString GoldenDir = QStringLiteral(VORELIAN_SOURCE_DIR "/tests/golden");

bool Recording() {
    return qEnvironmentVariableIsSet("VORELIAN_GOLDEN_RECORD");
}

struct Case {
    QString Name;
    QStringList Args;
    bool DigestOnly = false; // the year reports are kept as their SHA-256, to keep the set small
};

// Fifty days: the edges of the range and of the years of each style, Paschal days, leap days, then days
// spread over the range by a fixed sequence.
QList<std::array<int, 3>> GoldenDays() {
    QList<std::array<int, 3>> days = {
        {1901, 1, 14}, {1901, 4, 28},  {1914, 9, 13}, {1914, 9, 14}, {1924, 2, 29},
        {1941, 4, 20}, {1952, 12, 31}, {1967, 1, 7},  {1983, 5, 8},  {1994, 5, 1},
        {2000, 2, 29}, {2000, 12, 31}, {2001, 1, 1},  {2010, 4, 4},  {2014, 12, 28},
        {2019, 4, 28}, {2021, 9, 14},  {2023, 1, 1},  {2024, 2, 15}, {2024, 4, 28},
        {2024, 5, 5},  {2024, 6, 23},  {2025, 4, 20}, {2026, 12, 7}, {2100, 12, 18},
    };
    quint32 x = 20261207;
    while (days.size() < 50) {
        x = x * 1103515245u + 12345u;
        const int year = 1901 + int((x >> 8) % 200);
        const int month = 1 + int((x >> 4) % 12);
        const int day = 1 + int((x >> 16) % 28);
        days.append({year, month, day});
    }
    return days;
}

// The date of a Gregorian day in a style, as the tool's --date takes it.
QString DateIn(int16_t style, const std::array<int, 3>& g) {
    CalendarState st;
    InitStyleTables(st);
    st.CurDayNumber = DayNumber(StyleGregorian, int16_t(g[2]), int16_t(g[1]), int16_t(g[0]));
    DayNumberToJulian(st);
    JulianToAnnoMundi(st);
    JulianToGregorian(st);
    const StyleDate& r = st.StyleDates[style];
    return QStringLiteral("%1-%2-%3").arg(r.Year).arg(r.Month).arg(r.Day);
}

QStringList OptionSet(int k) {
    switch (k % 4) {
    case 1:
        return {QStringLiteral("--indiction")};
    case 2:
        return {QStringLiteral("--all-styles")};
    case 3:
        return {QStringLiteral("--indiction"), QStringLiteral("--all-styles")};
    default:
        return {};
    }
}

// Every case in both output formats.
QList<Case> AllCases() {
    const QStringList searches = {QStringLiteral("Пасх"),      QStringLiteral("николая"),
                                  QStringLiteral("Иоанна"),    QStringLiteral("мучеников"),
                                  QStringLiteral("{\\}"),      QStringLiteral("праздник"),
                                  QStringLiteral("Ничегонет"), QStringLiteral("глас"),
                                  QStringLiteral("крест"),     QStringLiteral("Богородицы")};
    const auto days = GoldenDays();
    QList<Case> cases;
    const auto add = [&](const QString& name, const QString& report, int16_t style,
                         const std::array<int, 3>& g, QStringList extra, bool digest = false) {
        for (const char* format : {"rtf", "text"}) {
            Case c;
            c.Name = QStringLiteral("%1.%2").arg(name, QString::fromLatin1(format));
            c.Args = QStringList{report,
                                 QStringLiteral("--style"),
                                 QString::number(style),
                                 QStringLiteral("--date"),
                                 DateIn(style, g),
                                 QStringLiteral("--format"),
                                 QString::fromLatin1(format)} +
                     extra + QStringList{QStringLiteral("--readings"), QStringLiteral("off")};
            c.DigestOnly = digest;
            cases.append(c);
        }
    };
    for (int i = 0; i < days.size(); ++i) {
        const auto& g = days[i];
        const QString tag = QStringLiteral("%1-%2")
                                .arg(i, 2, 10, QChar(u'0'))
                                .arg(QStringLiteral("%1%2%3")
                                         .arg(g[0])
                                         .arg(g[1], 2, 10, QChar(u'0'))
                                         .arg(g[2], 2, 10, QChar(u'0')));
        for (int16_t s = 1; s <= 3; ++s)
            add(QStringLiteral("day-%1-s%2").arg(tag).arg(s), QStringLiteral("day"), s, g, OptionSet(i + s));
        const int16_t style = int16_t(i % 3 + 1);
        add(QStringLiteral("week-%1-s%2").arg(tag).arg(style), QStringLiteral("week"), style, g,
            OptionSet(i / 3));
        if (i % 2 == 0) {
            const int16_t ms = int16_t((i / 2) % 3 + 1);
            add(QStringLiteral("month-%1-s%2").arg(tag).arg(ms), QStringLiteral("month"), ms, g,
                OptionSet(i / 2 + 1));
        }
        if (i % 3 == 0) {
            const int16_t fs = int16_t((i / 3) % 3 + 1);
            add(QStringLiteral("feasts-%1-s%2").arg(tag).arg(fs), QStringLiteral("feasts"), fs, g,
                OptionSet(i / 3 + 2));
        }
        if (i % 5 == 0) {
            const int k = i / 5;
            const int16_t ss = int16_t(k % 3 + 1);
            QStringList extra = OptionSet(k);
            extra << QStringLiteral("--text") << searches[k];
            if (k % 2 == 1)
                extra << QStringLiteral("--whole-word");
            add(QStringLiteral("search-%1-s%2").arg(tag).arg(ss), QStringLiteral("search"), ss, g, extra);
        }
        if (i % 10 == 0) {
            const int16_t ys = int16_t((i / 10) % 3 + 1);
            add(QStringLiteral("year-%1-s%2").arg(tag).arg(ys), QStringLiteral("year"), ys, g,
                OptionSet(i / 10 + 3), true);
        }
    }
    // A few reports with the readings: a feast's pair read on the next day, Holy Week, the Nativity eve.
    const std::array<std::pair<QString, std::array<int, 3>>, 3> readingDays = {{
        {QStringLiteral("day"), {2022, 12, 20}},
        {QStringLiteral("week"), {2024, 4, 28}},
        {QStringLiteral("day"), {2025, 1, 6}},
    }};
    for (const auto& [report, g] : readingDays) {
        for (const char* format : {"rtf", "text"}) {
            Case c;
            c.Name = QStringLiteral("readings-%1-%2%3%4.%5")
                         .arg(report)
                         .arg(g[0])
                         .arg(g[1], 2, 10, QChar(u'0'))
                         .arg(g[2], 2, 10, QChar(u'0'))
                         .arg(QString::fromLatin1(format));
            c.Args = QStringList{report,
                                 QStringLiteral("--style"),
                                 QStringLiteral("3"),
                                 QStringLiteral("--date"),
                                 DateIn(3, g),
                                 QStringLiteral("--format"),
                                 QString::fromLatin1(format)};
            cases.append(c);
        }
    }
    return cases;
}

// Runs the tool for every case, several processes at a time; the outputs in the order of the cases.
QList<Run> RunAll(const QList<Case>& cases) {
    constexpr int parallel = 8;
    QList<Run> runs(cases.size());
    for (qsizetype first = 0; first < cases.size(); first += parallel) {
        std::vector<std::unique_ptr<QProcess>> batch;
        for (qsizetype i = first; i < cases.size() && i < first + parallel; ++i) {
            batch.push_back(std::make_unique<QProcess>());
            batch.back()->start(QStringLiteral(VORELIAN_REPORT_TOOL), cases[i].Args);
        }
        for (std::size_t k = 0; k < batch.size(); ++k) {
            runs[first + qsizetype(k)] = Finished(*batch[k]);
        }
    }
    return runs;
}

QByteArray Digest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + ' ' +
           QByteArray::number(bytes.size()) + '\n';
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The recorded cases: one line each, the file name, a tab, the arguments separated by tabs.
QList<Case> RecordedCases() {
    QList<Case> cases;
    const QList<QByteArray> lines = ReadAll(GoldenDir + QStringLiteral("/cases.txt")).split('\n');
    for (const QByteArray& line : lines) {
        if (line.isEmpty())
            continue;
        const QStringList parts = QString::fromUtf8(line).split(u'\t');
        Case c;
        c.Name = parts.first();
        c.Args = parts.mid(1);
        c.DigestOnly = c.Name.endsWith(u".sha256");
        cases.append(c);
    }
    return cases;
}

} // namespace

Q_DECLARE_METATYPE(Run)

class TestGolden : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        if (!Recording())
            return;
        QDir(GoldenDir).mkpath(QStringLiteral("reports"));
        QByteArray list;
        const QList<Case> cases = AllCases();
        const QList<Run> runs = RunAll(cases);
        for (qsizetype i = 0; i < cases.size(); ++i) {
            const Case& c = cases[i];
            const Run& r = runs[i];
            if (r.Status != 0)
                continue; // a day outside the range of a style: not a report
            const QString name = c.DigestOnly ? c.Name + QStringLiteral(".sha256") : c.Name;
            QVERIFY(WriteAll(GoldenDir + QStringLiteral("/reports/") + name,
                             c.DigestOnly ? Digest(r.Out) : r.Out));
            list += (QStringList{name} + c.Args).join(u'\t').toUtf8() + '\n';
        }
        QVERIFY(WriteAll(GoldenDir + QStringLiteral("/cases.txt"), list));
        QVERIFY(WriteAll(GoldenDir + QStringLiteral("/placements.txt"), golden::PlacementsText()));
    }

    void reports_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Run>("run");
        const QList<Case> cases = RecordedCases();
        QVERIFY(cases.size() > 300);
        const QList<Run> runs = RunAll(cases);
        for (qsizetype i = 0; i < cases.size(); ++i)
            QTest::newRow(qPrintable(cases[i].Name)) << cases[i].Name << runs[i];
    }
    // Each report exactly as recorded.
    void reports() {
        QFETCH(QString, name);
        QFETCH(Run, run);
        const Run& r = run;
        QCOMPARE(r.Status, 0);
        const QByteArray expected = ReadAll(GoldenDir + QStringLiteral("/reports/") + name);
        const QByteArray actual = name.endsWith(u".sha256") ? Digest(r.Out) : r.Out;
        if (actual != expected) {
            WriteAll(QDir::current().filePath(QStringLiteral("golden-actual-") + name), r.Out);
            QFAIL(qPrintable(QStringLiteral("%1 differs; the output is in golden-actual-%1").arg(name)));
        }
    }

    // The day numbers of every record of the movable bases in every Paschal year 1901..2100.
    void placements() {
        const QByteArray actual = golden::PlacementsText();
        const QByteArray expected = ReadAll(GoldenDir + QStringLiteral("/placements.txt"));
        QVERIFY(!expected.isEmpty());
        if (actual != expected) {
            WriteAll(QDir::current().filePath(QStringLiteral("golden-actual-placements.txt")), actual);
            QFAIL("the placements differ; the output is in golden-actual-placements.txt");
        }
    }
};

QTEST_GUILESS_MAIN(TestGolden)
#include "test_golden.moc"
