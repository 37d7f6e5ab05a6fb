// The day engine on the bundled data set: many threads building reports at once get exactly what one
// thread gets, and the day values agree with the day report built from them.
#include "bases/datafiles.h"
#include "core/cp1251.h"
#include "engine/dayengine.h"
#include "report/documents.h"
#include "report/report.h"
#include "rtf/reader.h"
#include "rtf/writer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <random>
#include <thread>

using namespace vorelian;

namespace {

std::shared_ptr<const DayEngine> Bundled() {
    static const auto engine =
        DayEngine::Load(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Calendar")));
    return engine;
}

struct Request {
    int Tab;
    int32_t Day;
    DayOptions Options;
};

// Day, week and month reports of random days of 1901..2100 in random styles and options.
std::vector<Request> RandomRequests(int count) {
    std::mt19937 random(20261207);
    const int32_t first = *Bundled()->DayNumberOf(StyleGregorian, 1901, 1, 14);
    const int32_t last = *Bundled()->DayNumberOf(StyleGregorian, 2100, 12, 31);
    std::uniform_int_distribution<int32_t> day(first, last);
    std::uniform_int_distribution<int> tab(TabDay, TabMonth), style(1, 3), flags(0, 3);
    std::vector<Request> requests;
    for (int i = 0; i < count; ++i) {
        const int f = flags(random);
        requests.push_back(
            {tab(random), day(random), DayOptions{int16_t(style(random)), bool(f & 1), bool(f & 2)}});
    }
    return requests;
}

QByteArray Build(const DayEngine& e, const Request& r) {
    return ReportDocument(e, r.Tab, r.Day, r.Options, Settings{});
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The bundled data set loads without a message: every profile file reads cleanly, and the
    // abbreviations document is not read as a profile.
    void bundledLoadLogsNothing() {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        const auto e = DayEngine::Load(
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Calendar")));
        QVERIFY(e->DayNumberOf(StyleGregorian, 2027, 1, 7));
    }

    void manyThreadsGetWhatOneThreadGets() {
        const auto engine = DayEngine::Load(Bundled()->CalendarDir()); // fresh: no year placed yet
        const std::vector<Request> requests = RandomRequests(96);
        std::vector<QByteArray> expected;
        {
            const auto single = DayEngine::Load(Bundled()->CalendarDir());
            for (const Request& r : requests)
                expected.push_back(Build(*single, r));
        }
        constexpr int threads = 8;
        std::vector<std::vector<QByteArray>> got(threads, std::vector<QByteArray>(requests.size()));
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t)
            workers.emplace_back([&, t] {
                std::vector<std::size_t> order(requests.size());
                for (std::size_t i = 0; i < order.size(); ++i)
                    order[i] = i;
                std::shuffle(order.begin(), order.end(), std::mt19937(t));
                for (std::size_t i : order)
                    got[t][i] = Build(*engine, requests[i]);
            });
        for (std::thread& w : workers)
            w.join();
        for (int t = 0; t < threads; ++t)
            for (std::size_t i = 0; i < requests.size(); ++i) {
                QVERIFY(!expected[i].isEmpty());
                QVERIFY2(got[t][i] == expected[i],
                         qPrintable(QStringLiteral("thread %1, request %2").arg(t).arg(i)));
            }
    }

    void dayNumberOf_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<bool>("exists");
        QTest::newRow("Gregorian leap day") << 3 << 2024 << 2 << 29 << true;
        QTest::newRow("no Gregorian 29 February 2100") << 3 << 2100 << 2 << 29 << false;
        QTest::newRow("Julian 29 February 2100") << 2 << 2100 << 2 << 29 << true;
        QTest::newRow("Anno Mundi month 6 is February") << 1 << 7532 << 6 << 29 << true;
        QTest::newRow("Anno Mundi February of a common year") << 1 << 7533 << 6 << 29 << false;
        QTest::newRow("31 April") << 3 << 2026 << 4 << 31 << false;
        QTest::newRow("month 13") << 2 << 2026 << 13 << 1 << false;
        QTest::newRow("style 4") << 4 << 2026 << 1 << 1 << false;
    }
    // A date names a day only when the style has it; the day gives back the same date.
    void dayNumberOf() {
        QFETCH(int, style);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(bool, exists);
        const auto n = Bundled()->DayNumberOf(int16_t(style), int16_t(year), int16_t(month), int16_t(day));
        QCOMPARE(n.has_value(), exists);
        if (!n)
            return;
        const DayInfo info = Bundled()->Day(*n, DayOptions{int16_t(style)});
        const DateParts& parts = style == 1 ? info.AnnoMundi : style == 2 ? info.Julian : info.Gregorian;
        QCOMPARE(parts, (DateParts{int16_t(year), int16_t(month), int16_t(day)}));
    }

    // What a reader sees of the day report is what the day value holds: the weekday line, then the text of
    // every entry in order. A red day names the line that makes it red: the first red entry.
    void dayValueReadsAsTheDayReport_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<bool>("red");
        QTest::addColumn<QString>("redLine"); // empty: no entry is red
        const QString pascha = QStringLiteral("Воскресение Господа Бога и Спаса нашего Иисуса Христа.");
        const QString nativity =
            QStringLiteral("Рождество по плоти Господа Бога и Спаса нашего Иисуса Христа.");
        QTest::newRow("Pascha 2025") << 2025 << 4 << 20 << true << pascha;
        QTest::newRow("Nativity 2024, a Sunday") << 2024 << 1 << 7 << true << nativity;
        QTest::newRow("Nativity 2027, a Thursday") << 2027 << 1 << 7 << true << nativity;
        QTest::newRow("the day after Nativity 2027") << 2027 << 1 << 8 << false << QString();
        QTest::newRow("an ordinary weekday") << 2026 << 12 << 7 << false << QString();
        QTest::newRow("Pentecost 2024")
            << 2024 << 6 << 23 << true << QStringLiteral("День Святой Троицы. Пятидесятница.");
    }
    void dayValueReadsAsTheDayReport() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(bool, red);
        QFETCH(QString, redLine);
        const DayEngine& e = *Bundled();
        const int32_t n = *e.DayNumberOf(StyleGregorian, int16_t(year), int16_t(month), int16_t(day));
        const DayInfo info = e.Day(n, DayOptions{});
        QVERIFY(!info.Entries.empty());
        const QByteArray document = ReportDocument(e, TabDay, n, DayOptions{}, Settings{});
        const QString shown = QString::fromUtf8(rtf::PlainTextForTerminal(rtf::ReadRtf(document)));
        qsizetype at = shown.indexOf(info.WeekdayLine);
        QVERIFY2(at > 0, qPrintable(info.WeekdayLine));
        int8_t group = 0;
        for (const DayEntry& entry : info.Entries) {
            QVERIFY(entry.Group >= group); // grouped, in the order of the report
            group = entry.Group;
            const qsizetype next = shown.indexOf(entry.Text, at);
            QVERIFY2(next > at, qPrintable(entry.Text));
            at = next;
        }
        const QString fast = FastingLine(info, DayOptions{});
        if (!fast.isEmpty()) { // not an entry, but the report's last line
            QVERIFY(info.Entries.back().Text != fast);
            QVERIFY2(shown.indexOf(fast, at) > at, qPrintable(fast));
        }
        QCOMPARE(document.contains("\r\n\\cf2 \\par\r\n"), info.Red); // the block is red when the day is
        QCOMPARE(info.Red, red);
        const auto firstRed =
            std::find_if(info.Entries.begin(), info.Entries.end(), [](const DayEntry& e) { return e.Red; });
        QCOMPARE(firstRed == info.Entries.end() ? QString() : firstRed->Text, redLine);
    }

    // The name-day search with the bundled table of names over a day file of our own (Julian January):
    // a name finds its saints through the genitive of its church form, as a whole word with its capital.
    void nameSearch_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("found"); // the texts found, in date order
        const auto row = [](const char* what, const QString& name, const QStringList& found) {
            QTest::addRow("%s", what) << name << found;
        };
        row("Seraphima, not Seraphim", "Серафима", {"Мц. Серафимы девы."});
        row("Seraphim, not Seraphima", "Серафим", {"Прп. Серафима Саровского."});
        row("Alexandra, not Alexander", "Александра", {"Мц. царицы Александры."});
        row("Alexander, not Alexandra", "Александр", {"Свт. Александра, еп."});
        row("Svetlana is Photina", "Светлана", {"Мц. Фотины Самаряныни."});
        row("Nicholas in small letters", "николай", {"Свт. Николая, архиеп. Мир Ликийских."});
        row("Yuri is George, blanks trimmed", " Юрий ", {"Вмч. Георгия Победоносца."});
        row("Fyodor written with yo", "Фёдор", {"Мч. Феодора Тирона."});
        row("the faith is no Vera", "Вера", {});
        row("a name the table lacks", "Никтослав", {});
        row("no name", "", {});
    }
    void nameSearch() {
        QFETCH(QString, name);
        QFETCH(QStringList, found);
        QTemporaryDir dir;
        QVERIFY(
            QFile::copy(Bundled()->CalendarDir() + QStringLiteral("/Names.DAT"), dir.filePath("Names.DAT")));
        QFile days(dir.filePath(QStringLiteral("January.DAT")));
        QVERIFY(days.open(QIODevice::WriteOnly));
        days.write(
            cp1251::Encode(QStringLiteral("[1]\r\n0=Прп. Серафима Саровского.\r\n1=Мц. Серафимы девы.\r\n"
                                          "[2]\r\n1=Мц. царицы Александры.\r\n1=Свт. Александра, еп.\r\n"
                                          "[3]\r\n1=Мц. Фотины Самаряныни.\r\n1=Исповедников веры.\r\n"
                                          "[4]\r\n0=Свт. Николая, архиеп. Мир Ликийских.\r\n"
                                          "1=Вмч. Георгия Победоносца.\r\n1=Мч. Феодора Тирона.\r\n")));
        days.close();
        const auto e = DayEngine::Load(dir.path());
        QStringList got;
        for (const SearchMatch& m : e->SearchName(2027, DayOptions{StyleJulian}, name)) {
            QCOMPARE(m.Julian.Month, 1);
            got << m.Text;
        }
        QCOMPARE(got, found);
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
