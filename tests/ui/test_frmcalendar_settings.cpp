// Settings and the window's life: what the start-up reads, the one exit sequence and what it writes,
// the window's stored place and state, and the temporary report files.
#include "frmcalendar_fixture.h"

#include <QPushButton>
#include <QScreen>

using namespace vorelian;
using fixture::Program;

class TestFrmCalendarSettings : public QObject {
    Q_OBJECT

    fixture::World world;
    const QDate friday{2024, 3, 15};

    void StoreRectangle(const QString& left, const QString& top, const QString& width,
                        const QString& height) {
        world.Store(QStringLiteral("Left"), left);
        world.Store(QStringLiteral("Top"), top);
        world.Store(QStringLiteral("Width"), width);
        world.Store(QStringLiteral("Height"), height);
    }
    QStringList StoredRectangle() const {
        return {world.Stored(QStringLiteral("Left")), world.Stored(QStringLiteral("Top")),
                world.Stored(QStringLiteral("Width")), world.Stored(QStringLiteral("Height"))};
    }

private Q_SLOTS:
    void init() { world.ClearSettings(); }

    void exitWritesEveryKeyAndNothingEarlier() {
        Program p(world, friday);
        QCOMPARE(world.TempFiles().size(), 6);
        p.Press(p.Styles(), 0, 1);
        p.Action(QStringLiteral("mnuFirstWD_0"))->trigger();
        p.Action(QStringLiteral("mnuIndiction"))->trigger();
        QVERIFY(OpenSettingsStore()->allKeys().isEmpty());
        p.Press(p.w->cbExit);
        const QList<std::pair<const char*, const char*>> expected = {
            {"Calendar", "1"},          {"FirstWeekday", "7"},   {"WindowState", "0"},
            {"Left", nullptr},          {"Top", nullptr},        {"Height", nullptr},
            {"Width", "9600"},          {"FontName", "System"},  {"FontSize", "10"},
            {"FontBold", "False"},      {"FontItalic", "False"}, {"ShowIndiction", "True"},
            {"ShowAllStyles", "False"}, {"LastDir", ""},         {"MinYear", "1901"},
            {"MaxYear", "2100"},        {"TextSize", "0"}};
        for (const auto& [key, value] : expected) {
            QVERIFY2(world.HasStored(QLatin1String(key)), key);
            if (value)
                QCOMPARE(world.Stored(QLatin1String(key)), QString::fromUtf8(value));
        }
        QCOMPARE(OpenSettingsStore()->allKeys().size(), expected.size());
        QCOMPARE(p.ends, 1);
        QVERIFY(!p.w->isVisible());
        QCOMPARE(world.TempFiles(), QStringList());
    }

    void exitRunsOnce_data() {
        QTest::addColumn<QString>("way");
        QTest::addRow("menu item") << "menu";
        QTest::addRow("shortcut") << "shortcut";
        QTest::addRow("button") << "button";
        QTest::addRow("window frame") << "frame";
    }
    void exitRunsOnce() {
        QFETCH(QString, way);
        Program p(world, friday);
        int writes = 0;
        p.app->OpenStore = [&writes] {
            ++writes;
            return OpenSettingsStore();
        };
        if (way == u"menu") {
            p.Action(QStringLiteral("mnuExit"))->trigger();
        } else if (way == u"shortcut") {
            QVERIFY(p.Activate());
            QTest::keyClick(p.w, Qt::Key_X, Qt::ControlModifier);
        } else if (way == u"button") {
            p.Press(p.w->cbExit);
        } else {
            p.w->close();
        }
        QCOMPARE(writes, 1);
        QCOMPARE(p.ends, 1);
        QVERIFY(!p.w->isVisible());
        p.w->close();
        p.w->GoToExit();
        QCOMPARE(writes, 1);
        QCOMPARE(p.ends, 1);
        QCOMPARE(world.TempFiles(), QStringList());
    }

    void temporaryFilesGoEvenWithoutTheExit() {
        {
            Program p(world, friday);
            QCOMPARE(world.TempFiles().size(), 6);
        }
        QCOMPARE(world.TempFiles(), QStringList());
    }

    void storedPlaceAndSize() {
        StoreRectangle("1500", "900", "10500", "7500");
        Program p(world, friday);
        QCOMPARE(p.w->pos(), QPoint(100, 60));
        QCOMPARE(p.w->centralWidget()->size() + kNonClient, QSize(700, 500));
        p.w->GoToExit();
        QCOMPARE(StoredRectangle(), (QStringList{"1500", "900", "10500", "7500"}));
    }

    void aValueBetweenPixelsIsWrittenBackAsRead() {
        StoreRectangle("1507", "903", "9610", "7001.5");
        Program p(world, friday);
        p.w->GoToExit();
        QCOMPARE(StoredRectangle(), (QStringList{"1507", "903", "9610", "7001.5"}));
    }

    void aMovedAndResizedWindowWritesWhereItIs() {
        Program p(world, friday);
        p.w->move(30, 40);
        p.w->resize(p.w->width() + 60, p.w->height() + 20);
        QCOMPARE(p.w->centralWidget()->size() + kNonClient, QSize(700, 480));
        p.w->GoToExit();
        QCOMPARE(StoredRectangle(), (QStringList{"450", "600", "10500", "7200"}));
    }

    void maximisedKeepsTheOldNormalRectangle() {
        StoreRectangle("1500", "900", "10500", "7500");
        {
            Program p(world, friday);
            p.w->showMaximized();
            p.w->GoToExit();
            QCOMPARE(world.Stored(QStringLiteral("WindowState")), QStringLiteral("2"));
            QCOMPARE(StoredRectangle(), (QStringList{"1500", "900", "10500", "7500"}));
        }
        Program again(world, friday);
        QVERIFY(again.w->isMaximized());
        QCOMPARE(again.app->Options.Width, 10500.0);
        again.w->showNormal();
        QCOMPARE(again.w->centralWidget()->size() + kNonClient, QSize(700, 500));
    }

    void minimisedReopensNormal() {
        StoreRectangle("1500", "900", "10500", "7500");
        {
            Program p(world, friday);
            p.w->showMinimized();
            p.w->GoToExit();
            QCOMPARE(world.Stored(QStringLiteral("WindowState")), QStringLiteral("1"));
            QCOMPARE(StoredRectangle(), (QStringList{"1500", "900", "10500", "7500"}));
        }
        Program again(world, friday);
        QVERIFY(!again.w->isMinimized());
        QVERIFY(!again.w->isMaximized());
        QVERIFY(again.w->isVisible());
        QCOMPARE(again.w->pos(), QPoint(100, 60));
    }

    void aPlaceOffEveryScreenComesBack() {
        StoreRectangle("-150000", "90000", "9600", "6850");
        Program p(world, friday);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect window(p.w->pos(), p.w->centralWidget()->size() + kNonClient);
        QVERIFY(screen.contains(window.topLeft()));
        QCOMPARE(window.left(), (screen.width() - window.width()) / 2);
        p.w->GoToExit();
        QCOMPARE(world.Stored(QStringLiteral("Left")).toDouble(), 15.0 * window.left());
    }

    void aWindowPartlyOnTheScreenStays() {
        StoreRectangle("-3000", "-300", "9600", "6850");
        Program p(world, friday);
        QCOMPARE(p.w->pos(), QPoint(-200, -20));
    }

    void dragStopsAtTheMinimumSize() {
        Program p(world, friday);
        p.w->resize(300, 200);
        QCOMPARE(p.w->centralWidget()->size() + kNonClient, QSize(640, 460));
    }

    void boldAndItalicAlwaysStartOff() {
        world.Store(QStringLiteral("FontBold"), QStringLiteral("True"));
        world.Store(QStringLiteral("FontItalic"), QStringLiteral("True"));
        world.Store(QStringLiteral("FontName"), QStringLiteral("Liberation Serif"));
        world.Store(QStringLiteral("FontSize"), QStringLiteral("14"));
        Program p(world, friday);
        QVERIFY(!p.app->Options.FontBold);
        QVERIFY(!p.app->Options.FontItalic);
        QCOMPARE(p.app->Options.FontName, QStringLiteral("Liberation Serif"));
        QCOMPARE(p.app->Options.FontSize, int16_t(14));
        p.w->GoToExit();
        QCOMPARE(world.Stored(QStringLiteral("FontBold")), QStringLiteral("False"));
        QCOMPARE(world.Stored(QStringLiteral("FontName")), QStringLiteral("Liberation Serif"));
    }

    void storedOptionsAreShownAtStartUp() {
        world.Store(QStringLiteral("ShowIndiction"), QStringLiteral("True"));
        world.Store(QStringLiteral("FirstWeekday"), QStringLiteral("7"));
        Program p(world, friday);
        QVERIFY(p.Action(QStringLiteral("mnuIndiction"))->isChecked());
        QVERIFY(p.Action(QStringLiteral("mnuFirstWD_0"))->isChecked());
        QVERIFY(!p.Action(QStringLiteral("mnuFirstWD_1"))->isChecked());
        QVERIFY(p.w->View(0)->Text().contains(QStringLiteral("-го индиктиона")));
        QCOMPARE(p.Grid()->Text(0, 0), QStringLiteral("Вс."));
    }

    void startUpDate_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("monthItem");
        QTest::addRow("1 January 2000 in Anno Mundi") << QDate(2000, 1, 1) << 1 << "19 декабря 7508 "
                                                      << "(4) Декабрь";
        QTest::addRow("last day of an Anno Mundi year") << QDate(2024, 9, 13) << 1 << "31 августа 7532 "
                                                        << "(12) Август";
        QTest::addRow("first day of an Anno Mundi year") << QDate(2024, 9, 14) << 1 << "1 сентября 7533 "
                                                         << "(1) Сентябрь";
        QTest::addRow("29 February") << QDate(2024, 2, 29) << 3 << "29 февраля 2024 "
                                     << "(2) Февраль";
        QTest::addRow("Julian 29 February") << QDate(2024, 3, 13) << 2 << "29 февраля 2024 "
                                            << "(2) Февраль";
        QTest::addRow("a stored style out of range") << QDate(2024, 3, 15) << 9 << "15 марта 2024 "
                                                     << "(3) Март";
    }
    void startUpDate() {
        QFETCH(QDate, today);
        QFETCH(int, style);
        QFETCH(QString, shown);
        QFETCH(QString, monthItem);
        world.Store(QStringLiteral("Calendar"), QString::number(style));
        Program p(world, today);
        const int16_t s = style >= 1 && style <= 3 ? int16_t(style) : int16_t(StyleGregorian);
        QCOMPARE(p.app->State.CurStyle, s);
        QCOMPARE(p.Shown(s), shown);
        QCOMPARE(p.Combo(2)->currentText(), monthItem);
        QCOMPARE(p.Combo(1)->currentText(), shown.section(QLatin1Char(' '), 2, 2));
        QVERIFY(p.Action(QStringLiteral("mnuCal_%1").arg(s))->isChecked());
        const QPoint cell = p.CellOf(shown.section(QLatin1Char(' '), 0, 0).toInt());
        QCOMPARE(p.Grid()->CellBackColor(cell.y(), cell.x()), fixture::Kind(s, 3));
        QVERIFY(p.w->View(0)->Text().contains(shown.trimmed() + QStringLiteral(" года")));
    }

    void yearRangeAtStartUp_data() {
        QTest::addColumn<QString>("minYear");
        QTest::addColumn<QString>("maxYear");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addRow("stored range") << "1950"
                                      << "2050"
                                      << "1950"
                                      << "2050";
        QTest::addRow("fractions truncated") << "1950.7"
                                             << "2050.9"
                                             << "1950"
                                             << "2050";
        QTest::addRow("lowest is the current year") << "2024"
                                                    << "2050"
                                                    << "1901"
                                                    << "2050";
        QTest::addRow("highest is the current year") << "1950"
                                                     << "2024"
                                                     << "1950"
                                                     << "2100";
        QTest::addRow("not numbers") << "abc"
                                     << ""
                                     << "1901"
                                     << "2100";
    }
    void yearRangeAtStartUp() {
        QFETCH(QString, minYear);
        QFETCH(QString, maxYear);
        QFETCH(QString, first);
        QFETCH(QString, last);
        world.Store(QStringLiteral("MinYear"), minYear);
        world.Store(QStringLiteral("MaxYear"), maxYear);
        Program p(world, friday);
        QCOMPARE(p.Combo(1)->itemText(0), first);
        QCOMPARE(p.Combo(1)->itemText(p.Combo(1)->count() - 1), last);
        QCOMPARE(p.Combo(1)->currentText(), QStringLiteral("2024"));
        p.w->GoToExit();
        QCOMPARE(world.Stored(QStringLiteral("MinYear")), first);
        QCOMPARE(world.Stored(QStringLiteral("MaxYear")), last);
    }

    void aMissingDataFolderStillStarts() {
        Program p(world, friday);
        p.app.reset();
        p.app = std::make_unique<CalendarApp>();
        p.app->ProgramFolder = world.TempFolder() + QStringLiteral("/nowhere");
        p.app->Today = [this] { return friday; };
        p.app->Beep = [] {};
        p.app->EndProcess = [] {};
        p.app->SplashMinimum = std::chrono::milliseconds(0);
        p.app->Main();
        QVERIFY(p.app->Window()->isVisible());
        QVERIFY(p.app->Window()->View(0)->Text().contains(QStringLiteral("15 марта 2024 года")));
        QVERIFY(p.app->Window()->View(6)->Text().trimmed().isEmpty());
    }
};

QTEST_MAIN(TestFrmCalendarSettings)
#include "test_frmcalendar_settings.moc"
