// The splash window of the start-up: which picture it takes, where it stands, and that a missing or
// unreadable picture never stops the program.
#include "frmcalendar_fixture.h"
#include "ui/frmsplash.h"

#include <QElapsedTimer>
#include <QImage>
#include <QScreen>

using namespace vorelian;

namespace {

// A 1 × 1 GIF picture, byte by byte (Qt reads GIF but does not write it).
const QByteArray kGif =
    QByteArray::fromHex("47494638396101000100800000000000ffffff2c00000000010001000002024401003b");

void WritePicture(const QString& path, const char* format, QSize size = QSize(120, 80)) {
    if (qstrcmp(format, "GIF") == 0) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(kGif);
        return;
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QVERIFY(image.save(path, format));
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

bool SplashAround() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == u"frmSplash")
            return true;
    return false;
}

} // namespace

class TestFrmSplash : public QObject {
    Q_OBJECT

    fixture::World world;

private Q_SLOTS:
    void init() { world.ClearSettings(); }

    void pictureOfPreference_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("chosen");
        QTest::addRow("all three") << QStringList{"Splash.BMP", "Splash.GIF", "Splash.JPG"} << "Splash.BMP";
        QTest::addRow("GIF and JPG") << QStringList{"Splash.GIF", "Splash.JPG"} << "Splash.GIF";
        QTest::addRow("JPG only") << QStringList{"Splash.JPG"} << "Splash.JPG";
        QTest::addRow("letter case") << QStringList{"splash.gif", "Splash.JPG"} << "splash.gif";
        QTest::addRow("none") << QStringList{"Splash.PNG", "Other.BMP"} << "";
    }
    void pictureOfPreference() {
        QFETCH(QStringList, files);
        QFETCH(QString, chosen);
        QTemporaryDir folder;
        for (const QString& f : files)
            WriteBytes(folder.filePath(f), "x");
        QDir(folder.path()).mkdir(QStringLiteral("Splash.bmp.d"));
        const QString found = FindSplashPicture(folder.path());
        QCOMPARE(QFileInfo(found).fileName(), chosen);
    }

    void aFolderNamedLikeThePictureIsNoPicture() {
        QTemporaryDir folder;
        QDir(folder.path()).mkdir(QStringLiteral("Splash.BMP"));
        WritePicture(folder.filePath(QStringLiteral("Splash.JPG")), "JPG");
        QCOMPARE(QFileInfo(FindSplashPicture(folder.path())).fileName(), QStringLiteral("Splash.JPG"));
    }

    void showsThePictureCentredAThirdDown() {
        QTemporaryDir folder;
        WritePicture(folder.filePath(QStringLiteral("Splash.BMP")), "BMP", QSize(300, 120));
        frmSplash splash;
        splash.Load(folder.path());
        QVERIFY(splash.isVisible());
        QCOMPARE(splash.size(), QSize(300, 120));
        QVERIFY(splash.windowTitle().isEmpty());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(splash.pos(), QPoint((screen.width() - 300) / 2, (screen.height() - 120) / 3));
    }

    void gifIsShown() {
        QTemporaryDir folder;
        WritePicture(folder.filePath(QStringLiteral("Splash.GIF")), "GIF");
        WritePicture(folder.filePath(QStringLiteral("Splash.JPG")), "JPG");
        frmSplash splash;
        splash.Load(folder.path());
        QVERIFY(splash.isVisible());
        QCOMPARE(QFileInfo(splash.PictureFile()).fileName(), QStringLiteral("Splash.GIF"));
        QCOMPARE(splash.size(), QSize(1, 1));
    }

    void noPictureNoWindow() {
        QTemporaryDir folder;
        frmSplash splash;
        splash.Load(folder.path());
        QVERIFY(!splash.isVisible());
        QVERIFY(splash.PictureFile().isEmpty());
    }

    void anUnreadablePictureDoesNotStopTheStart() {
        WriteBytes(world.ProgramFolder() + QStringLiteral("/Splash.BMP"), "BM this is no picture");
        frmSplash splash;
        splash.Load(world.ProgramFolder());
        QVERIFY(!splash.isVisible());
        fixture::Program p(world, QDate(2024, 3, 15));
        QVERIFY(p.w->isVisible());
        QFile::remove(world.ProgramFolder() + QStringLiteral("/Splash.BMP"));
    }

    void splashStandsItsTimeAndGoes() {
        WritePicture(world.ProgramFolder() + QStringLiteral("/Splash.JPG"), "JPG");
        CalendarApp app;
        app.ProgramFolder = world.ProgramFolder();
        app.Today = [] { return QDate(2024, 3, 15); };
        app.Beep = [] {};
        app.EndProcess = [] {};
        app.SplashMinimum = std::chrono::milliseconds(200);
        QElapsedTimer clock;
        clock.start();
        app.Main();
        QVERIFY(clock.elapsed() >= 200);
        QVERIFY(app.Window()->isVisible());
        QVERIFY(!SplashAround());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr); // the hourglass is gone
        QFile::remove(world.ProgramFolder() + QStringLiteral("/Splash.JPG"));
    }
};

QTEST_MAIN(TestFrmSplash)
#include "test_frmsplash.moc"
