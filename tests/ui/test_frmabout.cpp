// The Help menu's links and the About box: the help page in the help folder found, the help window and
// its links, the two forms of the mail link, the box's texts, its place on the screen and its links
// lighting up under the mouse.
#include "ui/frmabout.h"
#include "ui/frmhelp.h"
#include "ui/helplinks.h"
#include "ui/windowplace.h"
#include "uiservices_fake.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrlQuery>
#include <QtTest>

using namespace vorelian;
using vorelian::testing::FakeServices;

namespace {

const Contacts kSomeContacts{QStringLiteral("https://vorelian.example.org"),
                             QStringLiteral("vorelian@example.org")};

bool LooksLit(const QLabel* label) {
    return label->font().underline() && label->palette().color(QPalette::WindowText) == QColor(0, 0, 255);
}

bool LooksPlain(const QLabel* label) {
    return !label->font().underline() && label->palette().color(QPalette::WindowText) == QColor(0, 0, 0);
}

} // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void helpPageInTheHelpFolder_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("page");
        QTest::addRow("without separator") << "/usr/share/vorelian/Help"
                                           << "/usr/share/vorelian/Help/Index.html";
        QTest::addRow("with separator") << "/usr/share/vorelian/Help/"
                                        << "/usr/share/vorelian/Help/Index.html";
        QTest::addRow("no help folder found") << ""
                                              << "";
    }

    void helpPageInTheHelpFolder() {
        QFETCH(QString, folder);
        QFETCH(QString, page);
        DataPlaces places;
        places.Help = folder;
        QCOMPARE(HelpPage(places), page);
    }

    // The page opens in the program's own window; its anchors and local pages stay there, and only
    // links to the web or to mail leave for the desktop.
    void helpWindowFollowsLinks() {
        FakeServices fake;
        QWidget owner;
        const QString page = QStringLiteral(VORELIAN_SOURCE_DIR "/data/Help/Index.html");
        frmHelp* help = frmHelp::ShowHelp(&owner, page);
        QVERIFY(help->isVisible());
        QTextBrowser* browser = help->Browser();
        QCOMPARE(browser->source(), QUrl::fromLocalFile(page));
        Q_EMIT browser->anchorClicked(QUrl(QStringLiteral("#data")));
        QCOMPARE(browser->source().toLocalFile(), page);
        Q_EMIT browser->anchorClicked(QUrl(QStringLiteral("https://www.patriarchia.ru/")));
        Q_EMIT browser->anchorClicked(QUrl(QStringLiteral("mailto:someone@example.net")));
        QCOMPARE(int(fake.Opened.size()), 2);
        QCOMPARE(fake.Opened[0], QUrl(QStringLiteral("https://www.patriarchia.ru/")));
        QCOMPARE(fake.Opened[1].scheme(), QStringLiteral("mailto"));
        QCOMPARE(frmHelp::ShowHelp(&owner, page), help);

        frmHelp* missing = frmHelp::ShowHelp(nullptr, QString());
        QVERIFY(missing->Browser()->toPlainText().contains(QStringLiteral("Help/Index.html")));
        delete missing;
    }

    // Without addresses in the build the mail and web commands open nothing.
    void menuLinksFollowTheBuild() {
        FakeServices fake;
        OpenMailToAuthor();
        OpenHomePage();
        const Contacts& built = ProjectContacts();
        QCOMPARE(int(fake.Opened.size()), int(!built.EMail.isEmpty()) + int(!built.HomePage.isEmpty()));
    }

    void mailLinks() {
        const QUrl mail = MailUrl(kSomeContacts.EMail, true);
        QCOMPARE(mail.toString(), QStringLiteral("mailto:vorelian@example.org?subject=tavr&body="));
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QCOMPARE(mail.path(), kSomeContacts.EMail);
        const QUrlQuery query(mail);
        QCOMPARE(query.queryItemValue("subject"), QStringLiteral("tavr"));
        QVERIFY(query.hasQueryItem("body"));
        QVERIFY(query.queryItemValue("body").isEmpty());
        QCOMPARE(HomePageUrl(kSomeContacts.HomePage), QUrl(QStringLiteral("https://vorelian.example.org")));
        QCOMPARE(MailUrl(kSomeContacts.EMail, false).toString(),
                 QStringLiteral("mailto:vorelian@example.org"));
    }

    void placement_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QPoint>("expected");
        QTest::addRow("even") << QRect(0, 0, 1920, 1080) << QSize(400, 300) << QPoint(760, 260);
        QTest::addRow("fractions dropped") << QRect(0, 0, 1921, 1081) << QSize(400, 300) << QPoint(760, 260);
        QTest::addRow("second screen") << QRect(1920, 0, 1280, 1024) << QSize(300, 200) << QPoint(2410, 274);
        // Wider than the screen: the differences are negative and the quotients drop their fraction
        // toward zero.
        QTest::addRow("larger than the screen")
            << QRect(0, 0, 800, 600) << QSize(1001, 1001) << QPoint(-100, -133);
    }

    void placement() {
        QFETCH(QRect, screen);
        QFETCH(QSize, window);
        QFETCH(QPoint, expected);
        QCOMPARE(CentreThirdDown(screen, window), expected);
    }

    void aboutBoxTexts() {
        FakeServices fake;
        QWidget owner;
        QPointer<frmAbout> box = frmAbout::ShowAbout(&owner, kSomeContacts);
        QVERIFY(box->isVisible());
        QVERIFY(!box->isModal());
        QCOMPARE(box->windowTitle(), QStringLiteral("О программе"));
        QCOMPARE(box->findChild<QLabel*>("Label1")->text(), QStringLiteral("Vorelian"));
        const QString version = box->findChild<QLabel*>("Label2")->text();
        QVERIFY2(QRegularExpression(QStringLiteral("^Версия \\d+\\.\\d+\\.\\d+$")).match(version).hasMatch(),
                 qPrintable(version));
        QCOMPARE(version, QStringLiteral("Версия %1.%2.%3")
                              .arg(VORELIAN_VERSION_MAJOR)
                              .arg(VORELIAN_VERSION_MINOR)
                              .arg(VORELIAN_VERSION_PATCH));
        QVERIFY(box->findChild<QLabel*>("Label3")->text().contains(QStringLiteral("Разработчики Vorelian")));
        QVERIFY(box->findChild<QLabel*>("Label3")->text().contains(QStringLiteral("Лицензия MIT")));
        QCOMPARE(box->Label4()->text(), QStringLiteral("Сайт: https://vorelian.example.org"));
        QCOMPARE(box->Label5()->text(), QStringLiteral("Почта: vorelian@example.org"));
        QCOMPARE(box->Label4()->cursor().shape(), Qt::PointingHandCursor);
        const QRect screen = box->screen()->geometry();
        QCOMPARE(box->frameGeometry().topLeft(), CentreThirdDown(screen, box->frameGeometry().size()));

        QCOMPARE(box->findChild<QPushButton*>("cmdOK")->text(), QStringLiteral("Закрыть"));
        QTest::mouseClick(box->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(box.isNull());
    }

    // A build without addresses shows neither link.
    void aboutBoxWithoutAddresses() {
        frmAbout box(nullptr, Contacts{});
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QVERIFY(box.Label4()->isHidden());
        QVERIFY(box.Label5()->isHidden());
        QVERIFY(box.findChild<QLabel*>("Label2")->isVisible());
    }

    void linksLightUpUnderTheMouse() {
        FakeServices fake;
        frmAbout box(nullptr, kSomeContacts);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QVERIFY(LooksPlain(box.Label4()) && LooksPlain(box.Label5()));

        QTest::mouseMove(box.Label4());
        QTRY_VERIFY(LooksLit(box.Label4()));
        QVERIFY(LooksPlain(box.Label5()));

        QTest::mouseMove(box.Label5());
        QTRY_VERIFY(LooksLit(box.Label5()));
        QVERIFY(LooksPlain(box.Label4()));

        // Leaving the link for the button keeps the highlight; the empty form clears it.
        QTest::mouseMove(&box, QPoint(box.width() - 2, box.height() - 2));
        QTRY_VERIFY(LooksPlain(box.Label5()));
        QVERIFY(LooksPlain(box.Label4()));
    }

    void linksOpenTheirTargets() {
        FakeServices fake;
        frmAbout box(nullptr, kSomeContacts);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseClick(box.Label4(), Qt::LeftButton);
        QTest::mouseClick(box.Label5(), Qt::LeftButton);
        QTest::mouseClick(box.Label5(), Qt::RightButton);
        QCOMPARE(int(fake.Opened.size()), 2);
        QCOMPARE(fake.Opened[0], QUrl(QStringLiteral("https://vorelian.example.org")));
        QCOMPARE(fake.Opened[1].toString(), QStringLiteral("mailto:vorelian@example.org"));
    }
};

QTEST_MAIN(TestFrmAbout)
#include "test_frmabout.moc"
