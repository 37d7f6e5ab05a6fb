// Sanity of every report on the data set shipped with the program: today's day report shows its date, and
// each report of a few dates in each style is a whole document that leaves the state as it was.
#include "calendar_fixture.h"

#include "core/tables.h"
#include "report/builders.h"

#include <QDate>
#include <QDir>

using namespace vorelian;
using namespace fixture;

namespace {

// A calendar on the bundled data set, or null when the source tree has none.
std::unique_ptr<Calendar> Bundled() {
    const QDir dir(QStringLiteral(VORELIAN_SOURCE_DIR "/data/Calendar"));
    if (!dir.exists(QStringLiteral("January.DAT")))
        return nullptr;
    return std::make_unique<Calendar>(Folder{dir.path()});
}

bool Balanced(const QByteArray& doc) {
    int depth = 0;
    for (qsizetype i = 0; i < doc.size(); ++i) {
        if (doc[i] == '\\') {
            ++i;
            continue;
        }
        depth += doc[i] == '{' ? 1 : doc[i] == '}' ? -1 : 0;
        if (depth < 0 || (depth == 0 && i + 3 < doc.size()))
            return false; // nothing may close the document early
    }
    return depth == 0;
}

} // namespace

class TestReportBundled : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void todaysDayReport() {
        auto c = Bundled();
        if (!c)
            QSKIP("no bundled data set");
        const QDate today = QDate::currentDate();
        c->SetGregorian(today.day(), today.month(), today.year());
        BuildReport(c->Ctx, TabDay);
        const QByteArray doc = c->Last(TabDay);
        QVERIFY(Balanced(doc));
        const QString line = B + QString::number(today.day()) + ' ' + MonthNameOf(today.month(), 2) + ' ' +
                             QString::number(today.year()) + " года от Р.Х. по новому стилю" + P;
        QVERIFY2(Text(doc).contains(line), qPrintable(line));
        QVERIFY(Text(doc).contains(u"Глас") || Text(doc).contains(u"седмицы") ||
                Text(doc).contains(u"\\f1    \\f0  "));
    }

    void everyReportIsWhole_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addRow("Gregorian New Year's week") << 3 << 1 << 1 << 2025;
        QTest::addRow("Gregorian Pascha 2024") << 3 << 5 << 5 << 2024;
        QTest::addRow("Julian 29 February") << 2 << 29 << 2 << 2024;
        QTest::addRow("Anno Mundi 1 September") << 1 << 1 << 1 << 7533;
        QTest::addRow("Anno Mundi 31 August") << 1 << 31 << 12 << 7532;
    }
    void everyReportIsWhole() {
        QFETCH(int, style);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        auto c = Bundled();
        if (!c)
            QSKIP("no bundled data set");
        c->Options.ShowIndiction = true;
        c->Options.ShowAllStyles = true;
        c->SetDate(int16_t(style), day, month, year);
        const Snapshot before(*c);
        for (int tab = TabDay; tab <= TabFeasts; ++tab) {
            BuildReport(c->Ctx, tab);
            QVERIFY2(Balanced(c->Last(tab)), qPrintable(QString::number(tab)));
            QVERIFY(c->Last(tab).endsWith("\\par\r\n}\r\n"));
            QCOMPARE(Snapshot(*c), before);
        }
        FindInYear(c->Ctx, QStringLiteral("Мч."), false);
        QVERIFY(Balanced(c->Last(TabSelection)));
        QVERIFY(!Text(c->Last(TabSelection)).contains(u"Ничего не найдено"));
        QCOMPARE(Snapshot(*c), before);
        QCOMPARE(c->Host.Depth, 0);
    }
};

QTEST_GUILESS_MAIN(TestReportBundled)
#include "test_report_bundled.moc"
