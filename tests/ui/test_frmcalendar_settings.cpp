// Settings and the window's life: what the start-up reads, the one exit sequence and what it writes,
// the window's stored place and state, and the temporary report files.
#include "../limits_fixture.h"
#include "frmcalendar_fixture.h"
#include "uiservices_fake.h"

#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace vorelian;
using fixture::Program;

namespace {

// The program itself started in a scratch world of its own: settings store and temporary folder.
struct RealProgram {
    QTemporaryDir Root;
    QProcess Process;

    QString Temp() const { return Root.filePath(QStringLiteral("tmp")); }
    QString Store() const { return Root.filePath(QStringLiteral("config/TAVR/TAVR.conf")); }
    QStringList TempFiles() const {
        return QDir(Temp()).entryList({QStringLiteral("~DA*.TMP")}, QDir::Files);
    }

    bool Start(const QString& platform, const QString& display = QString(),
               const QString& program = QStringLiteral(VORELIAN_PROGRAM)) {
        QDir(Root.path()).mkpath(QStringLiteral("tmp"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), Temp());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), Root.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        if (!display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), display);
        Process.setProcessEnvironment(env);
        Process.start(program, {});
        if (!Process.waitForStarted())
            return false;
        // The six report files exist once the start-up sequence has got going.
        QDeadlineTimer deadline(60000);
        while (TempFiles().size() < 6 && !deadline.hasExpired() && Process.state() == QProcess::Running)
            QTest::qWait(20);
        return TempFiles().size() == 6;
    }
};

} // namespace

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

    void changesAreWrittenSoonAndTheExitWritesEveryKey() {
        Program p(world, friday);
        QCOMPARE(world.TempFiles().size(), 6);
        p.Press(p.Styles(), 0, 1);
        p.Action(QStringLiteral("mnuFirstWD_0"))->trigger();
        p.Action(QStringLiteral("mnuIndiction"))->trigger();
        p.Action(QStringLiteral("mnuFasting"))->trigger();
        p.Action(QStringLiteral("mnuReadings"))->trigger();
        // Written without an exit, so that a lost display or a crash keeps them.
        QTRY_COMPARE(world.Stored(QStringLiteral("ShowIndiction")), QStringLiteral("True"));
        QCOMPARE(world.Stored(QStringLiteral("Calendar")), QStringLiteral("1"));
        p.Press(p.w->cbExit);
        const QList<std::pair<const char*, const char*>> expected = {
            {"Calendar", "1"},          {"FirstWeekday", "7"},    {"WindowState", "0"},
            {"Left", nullptr},          {"Top", nullptr},         {"Height", nullptr},
            {"Width", "9600"},          {"FontName", "System"},   {"FontSize", "10"},
            {"FontBold", "False"},      {"FontItalic", "False"},  {"ShowIndiction", "True"},
            {"ShowAllStyles", "False"}, {"LastDir", ""},          {"MinYear", "1901"},
            {"MaxYear", "2100"},        {"ShowFasting", "False"}, {"TextSize", "0"},
            {"ShowReadings", "False"}};
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

    // A store that is no regular file is neither read nor written: the program starts with the defaults,
    // says so once, and leaves the thing in its place as it was.
    void aStoreThatIsNoFileIsLeftAlone_data() {
        QTest::addColumn<QString>("kind");
        QTest::addRow("link to a device") << "device";
        QTest::addRow("pipe") << "fifo";
        QTest::addRow("folder") << "folder";
        QTest::addRow("read-only folder") << "read-only";
        QTest::addRow("huge texts") << "huge";
    }
    void aStoreThatIsNoFileIsLeftAlone() {
        QFETCH(QString, kind);
        const QString path = SettingsStorePath();
        const QString folder = QFileInfo(path).path();
        QVERIFY(QDir().mkpath(folder));
        struct Cleanup {
            QString Path, Folder;
            ~Cleanup() {
                QFile::setPermissions(Folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QDir(Path).removeRecursively();
                QFile::remove(Path);
            }
        } cleanup{path, folder};
        QFile::remove(path); // what an earlier test left there
        if (kind == u"device") {
            QVERIFY(QFile::link(QStringLiteral("/dev/null"), path));
        } else if (kind == u"fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == u"folder") {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == u"huge") {
            world.Store(QStringLiteral("FontName"), QString(300, u'x'));
            world.Store(QStringLiteral("LastDir"), u'/' + QString(5000, u'x'));
            world.Store(QStringLiteral("ShowIndiction"), QStringLiteral("True"));
        } else {
            if (::geteuid() == 0)
                QSKIP("the superuser writes into a read-only folder");
            world.Store(QStringLiteral("ShowIndiction"), QStringLiteral("True"));
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        }
        testing::FakeServices fake;
        {
            Program p(world, friday);
            QCOMPARE(p.app->Options.FontName, QStringLiteral("System"));
            QCOMPARE(p.app->Options.LastDir, QString());
            QCOMPARE(p.app->Options.ShowIndiction, kind == u"read-only" || kind == u"huge");
            p.Action(QStringLiteral("mnuAllStyles"))->trigger();
            p.w->GoToExit();
        }
        const bool warned = kind != u"huge";
        QCOMPARE(fake.Messages.size(), warned ? 1u : 0u);
        if (warned) {
            QCOMPARE(fake.Messages[0].Title, QStringLiteral("Настройки"));
            QVERIFY2(fake.Messages[0].Text.startsWith(
                         QStringLiteral("Настройки программы не удастся сохранить: ")),
                     qPrintable(fake.Messages[0].Text));
        }
        const QFileInfo after(path);
        if (kind == u"device")
            QCOMPARE(after.symLinkTarget(), QStringLiteral("/dev/null"));
        else if (kind == u"fifo")
            QVERIFY(!after.isFile() && !after.isDir() && after.exists());
        else if (kind == u"folder")
            QVERIFY(after.isDir());
        else if (kind == u"read-only")
            QVERIFY(!world.HasStored(QStringLiteral("ShowAllStyles")));
        else
            QCOMPARE(world.Stored(QStringLiteral("FontName")), QStringLiteral("System"));
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

    // A logout, Ctrl+C or a closed terminal: the same exit sequence as the menu's «Выход».
    void endOfSessionRunsTheExitSequence_data() {
        QTest::addColumn<int>("signal");
        QTest::addRow("SIGTERM") << int(SIGTERM);
        QTest::addRow("SIGINT") << int(SIGINT);
        QTest::addRow("SIGHUP") << int(SIGHUP);
    }
    void endOfSessionRunsTheExitSequence() {
        QFETCH(int, signal);
        RealProgram program;
        QVERIFY(program.Start(QStringLiteral("offscreen")));
        QVERIFY(!QFile::exists(program.Store()));
        QCOMPARE(::kill(pid_t(program.Process.processId()), signal), 0);
        QVERIFY(program.Process.waitForFinished(60000));
        QCOMPARE(program.Process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.Process.exitCode(), 0);
        QCOMPARE(program.TempFiles(), QStringList());
        QSettings stored(program.Store(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Settings/Calendar")).toString(), QStringLiteral("3"));
        QCOMPARE(stored.value(QStringLiteral("Settings/MaxYear")).toString(), QStringLiteral("2100"));
    }

    // A second start on the same settings raises the first window and ends without a window of its own.
    void aSecondStartRaisesTheFirst() {
        RealProgram first;
        QVERIFY(first.Start(QStringLiteral("offscreen")));
        QProcess second;
        second.setProcessEnvironment(first.Process.processEnvironment());
        second.start(QStringLiteral(VORELIAN_PROGRAM), {});
        const bool ended = second.waitForFinished(60000);
        if (!ended)
            second.kill();
        QVERIFY2(ended, second.readAllStandardError().constData());
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QByteArray said;
        QTRY_VERIFY((said += first.Process.readAllStandardError()).contains("raised by a second start"));
        QCOMPARE(first.Process.state(), QProcess::Running);
        QCOMPARE(first.TempFiles().size(), 6); // the second made no report files
        QCOMPARE(::kill(pid_t(first.Process.processId()), SIGTERM), 0);
        QVERIFY(first.Process.waitForFinished(60000));
        QCOMPARE(first.Process.exitCode(), 0);
    }

    // The display server goes away under the window: Qt ends the process through exit(), past the exit
    // sequence; the report files go all the same.
    void aLostDisplayLeavesNoTemporaryFile() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            QSKIP("Xvfb is not installed");
        QProcess server;
        server.setProcessChannelMode(QProcess::SeparateChannels);
        server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                            QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("1024x768x24")});
        QVERIFY(server.waitForStarted());
        QByteArray number;
        QDeadlineTimer deadline(30000);
        while (!number.contains('\n') && !deadline.hasExpired() && server.state() == QProcess::Running) {
            server.waitForReadyRead(100);
            number += server.readAllStandardOutput();
        }
        if (!number.contains('\n'))
            QSKIP("Xvfb did not start");
        RealProgram program;
        const bool started =
            program.Start(QStringLiteral("xcb"), u':' + QString::fromLatin1(number.trimmed()));
        server.kill();
        server.waitForFinished();
        QVERIFY(started);
        QVERIFY(program.Process.waitForFinished(60000));
        QCOMPARE(program.TempFiles(), QStringList());
    }

    // Every data file at its limits at once: the program starts, reads the whole set, builds the day's
    // report and ends within a memory cap far below what the files could cost unbounded.
    void aDataSetAtItsLimitsStaysWithinMemory() {
        if (kSanitizedBuild)
            QSKIP("the sanitizers' own memory would be counted");
        RealProgram program;
        const QString folder = program.Root.filePath(QStringLiteral("program"));
        QVERIFY(limits::WriteDataSetAtLimits(folder + QStringLiteral("/Calendar")));
        const QString copy = folder + QStringLiteral("/vorelian");
        QVERIFY(QFile::copy(QStringLiteral(VORELIAN_PROGRAM), copy));
        QVERIFY(program.Start(QStringLiteral("offscreen"), QString(), copy));
        QTest::qWait(2000); // the window up, its report laid out and the warning about the data shown
        QCOMPARE(::kill(pid_t(program.Process.processId()), SIGTERM), 0);
        QVERIFY(program.Process.waitForFinished(120000));
        QCOMPARE(program.Process.exitCode(), 0);
        QCOMPARE(program.TempFiles(), QStringList());
        const long peak = limits::ChildrenPeakMiB();
        qInfo("peak resident size: %ld MiB", peak);
        QVERIFY2(peak < 500, qPrintable(QString::number(peak)));
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

    // Stored places and sizes at and beyond the extremes of the arithmetic: the window opens on the
    // screen at a size it can have, and the exit writes numbers a next start can use.
    void geometryExtremes_data() {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        const QString most = QString::number(kMaxTwips, 'f', 0);
        const QString nearInt = QString::number(15.0 * 2147483000, 'f', 0);
        QTest::addRow("width 1e308") << "1500"
                                     << "900"
                                     << "1e308"
                                     << "6850";
        QTest::addRow("height -1e308") << "1500"
                                       << "900"
                                       << "9600"
                                       << "-1e308";
        QTest::addRow("left near 2^31 pixels") << nearInt << "900"
                                               << "9600"
                                               << "6850";
        QTest::addRow("top near 2^31 pixels") << "1500" << nearInt << "9600"
                                              << "6850";
        QTest::addRow("place and size at the int limit") << most << most << most << most;
        QTest::addRow("place at the negative limit") << "-" + most << "-" + most << "9600"
                                                     << "6850";
        QTest::addRow("size at the limit, place near the screen") << "0"
                                                                  << "0" << most << most;
    }
    void geometryExtremes() {
        QFETCH(QString, left);
        QFETCH(QString, top);
        QFETCH(QString, width);
        QFETCH(QString, height);
        StoreRectangle(left, top, width, height);
        Program p(world, friday);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect window(p.w->pos(), p.w->centralWidget()->size() + kNonClient);
        QVERIFY2(screen.intersects(window), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                           .arg(window.left())
                                                           .arg(window.top())
                                                           .arg(window.width())
                                                           .arg(window.height())));
        QVERIFY(window.width() <= qMax(screen.width(), kMinimumWindow.width()));
        QVERIFY(window.height() <= qMax(screen.height(), kMinimumWindow.height()));
        p.w->GoToExit();
        for (const QString& v : StoredRectangle()) {
            bool ok = false;
            const double d = v.toDouble(&ok);
            QVERIFY2(ok && std::abs(d) <= kMaxTwips, qPrintable(v));
        }
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

    // Files the data set could not give whole, and fasting rules not used, are logged one by one and named
    // to the user in one warning once the window is up; a file read well, CR-only line ends included, is not
    // named. The set is read once: the live calendar takes the files the engine parsed, so each problem is
    // logged once.
    void dataProblemsNamedOnceAtStartUp() {
        testing::FakeServices fake;
        QTemporaryDir root;
        const QString data = root.filePath(QStringLiteral("Calendar"));
        QVERIFY(QDir().mkpath(data));
        auto put = [&](const char* name, const QByteArray& bytes) {
            QFile f(data + u'/' + QLatin1String(name));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        };
        put("January.DAT", "[1]\r\n0=a\r\n");
        put("March.DAT", "[1]\r\n0=" + QStringLiteral("Свт. Николая.").toUtf8() + "\r\n");
        put("June.DAT", "[1]\r\n0=a\r\nbroken\r\n");
        put("May.DAT", "[1]\r0=a\r");
        put("Special.DAT", "[ 1]\r\n0=a\r\nbroken\r\n");
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), data + QStringLiteral("/April.DAT")));
        put("Fasting.DAT", "[Levels]\r\nnone=x\r\n[10]\r\nlevel=none\r\n[20]\r\nlevle=none\r\n[10]\r\n"
                           "level=none\r\n");
        put("Abbr.DAT", "{\\rtf1 x}");
        QVERIFY(QFile::resize(data + QStringLiteral("/Abbr.DAT"), Profile::MaxFileBytes + 1));
        for (const char* message : {"March\\.DAT: text in UTF-8", "June\\.DAT:3: ", "May\\.DAT: note: ",
                                    "April\\.DAT: cannot be read", "Abbr\\.DAT: .*not shown",
                                    "Special\\.DAT:3: ", "Fasting\\.DAT:3: ", "Fasting\\.DAT:6: "})
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QLatin1String(message)));
        QTest::failOnWarning(QRegularExpression(QStringLiteral("Special\\.DAT")));

        CalendarApp app;
        app.ProgramFolder = root.path();
        app.Today = [this] { return friday; };
        app.Beep = [] {};
        app.EndProcess = [] {};
        app.SplashMinimum = std::chrono::milliseconds(0);
        QVERIFY(app.Main());
        QVERIFY(fake.Messages.empty()); // not inside the start-up
        QTRY_COMPARE(int(fake.Messages.size()), 1);
        const QString text = fake.Messages[0].Text;
        QCOMPARE(fake.Messages[0].Icon, QMessageBox::Warning);
        for (const char* name : {"March.DAT", "June.DAT", "April.DAT", "Abbr.DAT", "Special.DAT"})
            QVERIFY2(text.contains(QLatin1String(name)), name);
        QVERIFY(!text.contains(QStringLiteral("May.DAT")));
        // The fasting rules: a repeated number with both lines, a rule dropped for a typo with its line.
        QVERIFY2(text.contains(QStringLiteral("Fasting.DAT: номер правила 10 повторён в строках 3 и 7")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Fasting.DAT, строка 6: не прочитано «levle=none»")),
                 qPrintable(text));
        QTest::qWait(50);
        QCOMPARE(int(fake.Messages.size()), 1);
    }

    // Without a data set anywhere the program names every folder it looked in and does not start.
    void aMissingDataSetIsNamedAndNothingStarts() {
        testing::FakeServices services;
        const QString nowhere = world.TempFolder() + QStringLiteral("/nowhere");
        CalendarApp app;
        app.ProgramFolder = nowhere;
        app.Today = [this] { return friday; };
        app.SplashMinimum = std::chrono::milliseconds(0);
        QVERIFY(!app.Main());
        QVERIFY(!app.HasWindow());
        QCOMPARE(services.Messages.size(), std::size_t(1));
        const QString text = services.Messages[0].Text;
        QCOMPARE(services.Messages[0].Icon, QMessageBox::Critical);
        QVERIFY2(text.contains(QStringLiteral("January.DAT")), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(nowhere + QStringLiteral("/Calendar"))),
                 qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(world.TempFolder() +
                                                        QStringLiteral("/share/vorelian/Calendar"))),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("--data")), qPrintable(text));

        // --data names a folder that exists: the program starts on it, even a partial set.
        app.DataOption = world.ProgramFolder() + QStringLiteral("/Calendar");
        QVERIFY(app.Main());
        QVERIFY(app.Window()->isVisible());
        QVERIFY(app.Window()->View(0)->Text().contains(QStringLiteral("15 марта 2024 года")));
    }
};

QTEST_MAIN(TestFrmCalendarSettings)
#include "test_frmcalendar_settings.moc"
