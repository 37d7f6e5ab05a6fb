// The settings store: defaults, the start-up corrections, and a write-read round trip, on scratch stores.
#include "core/settings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace vorelian;

namespace {
constexpr int kYear = 2026;
}

class TestSettings : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    std::unique_ptr<QSettings> Store(const QString& name) {
        return std::make_unique<QSettings>(dir.filePath(name + ".ini"), QSettings::IniFormat);
    }
    void Put(QSettings& s, const QString& key, const QString& value) { s.setValue("Settings/" + key, value); }

private Q_SLOTS:
    void defaultsOnAnEmptyStore() {
        auto store = Store("empty");
        const Settings s = ReadSettings(*store, kYear);
        QCOMPARE(s.Calendar, 3);
        QCOMPARE(s.FirstWeekday, 1);
        QCOMPARE(s.FontName, QStringLiteral("System"));
        QCOMPARE(s.FontSize, 10);
        QVERIFY(!s.FontBold && !s.FontItalic && !s.ShowIndiction && !s.ShowAllStyles);
        QVERIFY(s.ShowFasting);
        QCOMPARE(s.LastDir, QString());
        QCOMPARE(s.MinYear, 1901);
        QCOMPARE(s.MaxYear, 2100);
        QCOMPARE(s.WindowState, 0);
        QCOMPARE(s.Height, 6850.0);
        QCOMPARE(s.Width, 9600.0);
        QVERIFY(!s.Left && !s.Top);
    }

    void corrections_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("calendar");
        QTest::addColumn<int>("minYear");
        QTest::addColumn<int>("maxYear");
        QTest::addColumn<int>("windowState");
        QTest::addRow("MinYear equal to the current year") << "MinYear"
                                                           << "2026" << 3 << 1901 << 2100 << 0;
        QTest::addRow("MinYear above the current year") << "MinYear"
                                                        << "2500" << 3 << 1901 << 2100 << 0;
        QTest::addRow("MinYear below is kept") << "MinYear"
                                               << "2025" << 3 << 2025 << 2100 << 0;
        QTest::addRow("MinYear truncated") << "MinYear"
                                           << "1900.7" << 3 << 1900 << 2100 << 0;
        QTest::addRow("MaxYear equal to the current year") << "MaxYear"
                                                           << "2026" << 3 << 1901 << 2100 << 0;
        QTest::addRow("MaxYear above is kept") << "MaxYear"
                                               << "2027" << 3 << 1901 << 2027 << 0;
        QTest::addRow("MaxYear not a number") << "MaxYear"
                                              << "soon" << 3 << 1901 << 2100 << 0;
        QTest::addRow("style 1") << "Calendar"
                                 << "1" << 1 << 1901 << 2100 << 0;
        QTest::addRow("unknown style") << "Calendar"
                                       << "4" << 3 << 1901 << 2100 << 0;
        QTest::addRow("style not a number") << "Calendar"
                                            << "x" << 3 << 1901 << 2100 << 0;
        QTest::addRow("style out of 16 bits") << "Calendar"
                                              << "99999" << 3 << 1901 << 2100 << 0;
        QTest::addRow("minimised opens normal") << "WindowState"
                                                << "1" << 3 << 1901 << 2100 << 0;
        QTest::addRow("maximised") << "WindowState"
                                   << "2" << 3 << 1901 << 2100 << 2;
    }
    void corrections() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        auto store = Store(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
        Put(*store, key, value);
        const Settings s = ReadSettings(*store, kYear);
        QTEST(int(s.Calendar), "calendar");
        QTEST(int(s.MinYear), "minYear");
        QTEST(int(s.MaxYear), "maxYear");
        QTEST(int(s.WindowState), "windowState");
    }

    // Every numeric key just inside and just outside its range; outside, the default is used.
    void ranges_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<double>("read"); // NaN: absent
        QTest::addColumn<bool>("corrected");
        const double absent = qQNaN();
        const QString most = QString::number(kMaxTwips, 'f', 0);
        const QString beyond = QString::number(kMaxTwips + 15, 'f', 0);
        QTest::addRow("MinYear 1") << "MinYear"
                                   << "1" << 1.0 << false;
        QTest::addRow("MinYear 0") << "MinYear"
                                   << "0" << 1901.0 << false;
        QTest::addRow("MinYear -32768") << "MinYear"
                                        << "-32768" << 1901.0 << false;
        QTest::addRow("MaxYear 3000") << "MaxYear"
                                      << "3000" << 3000.0 << false;
        QTest::addRow("MaxYear 3001") << "MaxYear"
                                      << "3001" << 2100.0 << false;
        QTest::addRow("MaxYear 32767") << "MaxYear"
                                       << "32767" << 2100.0 << false;
        QTest::addRow("FontSize 1") << "FontSize"
                                    << "1" << 1.0 << false;
        QTest::addRow("FontSize 0") << "FontSize"
                                    << "0" << 10.0 << false;
        QTest::addRow("FontSize 1638") << "FontSize"
                                       << "1638" << 1638.0 << false;
        QTest::addRow("FontSize 1639") << "FontSize"
                                       << "1639" << 10.0 << false;
        QTest::addRow("Calendar 0") << "Calendar"
                                    << "0" << 3.0 << false;
        QTest::addRow("FirstWeekday 8") << "FirstWeekday"
                                        << "8" << 1.0 << false;
        QTest::addRow("WindowState 3") << "WindowState"
                                       << "3" << 0.0 << false;
        QTest::addRow("Width largest") << "Width" << most << kMaxTwips << false;
        QTest::addRow("Width beyond") << "Width" << beyond << 9600.0 << true;
        QTest::addRow("Width 1e308") << "Width"
                                     << "1e308" << 9600.0 << true;
        QTest::addRow("Width 0") << "Width"
                                 << "0" << 0.0 << false;
        QTest::addRow("Width -1") << "Width"
                                  << "-1" << 9600.0 << true;
        QTest::addRow("Width inf") << "Width"
                                   << "inf" << 9600.0 << true;
        QTest::addRow("Height beyond") << "Height" << beyond << 6850.0 << true;
        QTest::addRow("Height -1") << "Height"
                                   << "-1" << 6850.0 << true;
        QTest::addRow("Left lowest") << "Left"
                                     << "-" + most << -kMaxTwips << false;
        QTest::addRow("Left below") << "Left"
                                    << "-" + beyond << absent << true;
        QTest::addRow("Top highest") << "Top" << most << kMaxTwips << false;
        QTest::addRow("Top beyond") << "Top" << beyond << absent << true;
        QTest::addRow("Top not a number") << "Top"
                                          << "high" << absent << true;
    }
    void ranges() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(double, read);
        QFETCH(bool, corrected);
        auto store = Store(QStringLiteral("range_%1").arg(QTest::currentDataTag()).replace(' ', '_'));
        Put(*store, key, value);
        const Settings s = ReadSettings(*store, kYear);
        const std::optional<double> got = key == u"MinYear"        ? std::optional<double>(s.MinYear)
                                          : key == u"MaxYear"      ? s.MaxYear
                                          : key == u"FontSize"     ? s.FontSize
                                          : key == u"Calendar"     ? s.Calendar
                                          : key == u"FirstWeekday" ? s.FirstWeekday
                                          : key == u"WindowState"  ? s.WindowState
                                          : key == u"Width"        ? s.Width
                                          : key == u"Height"       ? s.Height
                                          : key == u"Left"         ? s.Left
                                                                   : s.Top;
        if (qIsNaN(read))
            QVERIFY(!got);
        else
            QCOMPARE(got.value_or(qQNaN()), read);
        QCOMPARE(s.Corrected.contains(key), corrected);

        // The exit writes every key, so a value outside its range never survives it; the rectangle is
        // written even in the maximised state when a value of it could not be used.
        WriteSettings(*store, s, false);
        const QString stored = store->value("Settings/" + key).toString();
        if (got != std::optional<double>(value.toDouble()) || corrected)
            QVERIFY2(stored != value, qPrintable(stored));
        if (corrected && qIsNaN(read))
            QVERIFY(!store->contains("Settings/" + key));
    }

    void boldAndItalicAlwaysStartOff() {
        auto store = Store("bold");
        Put(*store, "FontBold", "True");
        Put(*store, "FontItalic", "True");
        const Settings s = ReadSettings(*store, kYear);
        QVERIFY(!s.FontBold);
        QVERIFY(!s.FontItalic);
    }

    void roundTrip() {
        Settings s;
        s.Calendar = 1;
        s.FirstWeekday = 7;
        s.FontName = QStringLiteral("Liberation Serif");
        s.FontSize = 12;
        s.FontBold = true;
        s.ShowIndiction = true;
        s.ShowAllStyles = true;
        s.ShowFasting = false;
        s.LastDir = QStringLiteral("/tmp/отчёты");
        s.TextSize = 2;
        s.MinYear = 1800;
        s.MaxYear = 2200;
        s.WindowState = 0;
        s.Left = 100;
        s.Top = 200;
        s.Width = 12000;
        s.Height = 8000;
        auto store = Store("roundtrip");
        WriteSettings(*store, s, true);
        QCOMPARE(store->value("Settings/FontBold").toString(), QStringLiteral("True"));
        QCOMPARE(store->value("Settings/ShowIndiction").toString(), QStringLiteral("True"));
        QCOMPARE(store->value("Settings/Calendar").toString(), QStringLiteral("1"));
        const Settings r = ReadSettings(*store, kYear);
        QCOMPARE(r.Calendar, 1);
        QCOMPARE(r.FirstWeekday, 7);
        QCOMPARE(r.FontName, s.FontName);
        QCOMPARE(r.FontSize, 12);
        QVERIFY(!r.FontBold);
        QVERIFY(r.ShowIndiction && r.ShowAllStyles);
        QCOMPARE(store->value("Settings/ShowFasting").toString(), QStringLiteral("False"));
        QVERIFY(!r.ShowFasting);
        QCOMPARE(r.LastDir, s.LastDir);
        QCOMPARE(r.TextSize, 2);
        QCOMPARE(r.MinYear, 1800);
        QCOMPARE(r.MaxYear, 2200);
        QCOMPARE(r.Left.value_or(-1), 100.0);
        QCOMPARE(r.Top.value_or(-1), 200.0);
        QCOMPARE(r.Width, 12000.0);
        QCOMPARE(r.Height, 8000.0);
    }

    void rectangleOnlyInTheNormalState() {
        auto store = Store("maximised");
        Settings s;
        s.Left = 10;
        s.Top = 20;
        WriteSettings(*store, s, true);
        s.WindowState = 2;
        s.Left = 500;
        s.Width = 20000;
        WriteSettings(*store, s, false);
        const Settings r = ReadSettings(*store, kYear);
        QCOMPARE(r.WindowState, 2);
        QCOMPARE(r.Left.value_or(-1), 10.0);
        QCOMPARE(r.Width, 9600.0);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
