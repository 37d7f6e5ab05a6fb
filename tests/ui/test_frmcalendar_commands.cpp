// The File, Setup and Help commands and the search of the year, used through the main window as a
// person would: menu items, the search box and button of the "Выборка" tab, a right press on a report.
// The dialogs are answered through the services seam.
#include "frmcalendar_fixture.h"
#include "pdftext.h"
#include "uiservices_fake.h"

#include "core/cp1251.h"
#include "ui/frmabout.h"
#include "ui/frmhelp.h"

#include "ui/frmrange.h"
#include "ui/helplinks.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>

using fixture::Program;
using namespace vorelian;

class TestFrmCalendarCommands : public QObject {
    Q_OBJECT

    fixture::World world;
    const QDate friday{2024, 3, 15};

private Q_SLOTS:
    void init() { world.ClearSettings(); }

    void saveAsProposesTheDayAndRemembersTheFolder() {
        testing::FakeServices services;
        Program p(world, friday);
        p.GoTo(StyleJulian, 15, 1, 2005);
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("day.txt"));
        services.SaveAnswer = SaveChoice{path, 2};
        p.Action(QStringLiteral("mnuSaveAS"))->trigger();
        QCOMPARE(services.SaveRequests.size(), std::size_t(1));
        QCOMPARE(services.SaveRequests[0].FileName, QStringLiteral("15 января 2005 (ст. ст.)"));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QVERIFY(bytes.contains("\r\n"));
        QVERIFY(bytes.contains(cp1251::Encode(QStringLiteral("15 января"))));
        QCOMPARE(QDir(p.app->Options.LastDir).canonicalPath(), QDir(out.path()).canonicalPath());
        QVERIFY(services.Messages.empty());
    }

    void saveAsOnTheFeastsTabUsesItsCaption() {
        testing::FakeServices services;
        Program p(world, friday);
        p.Action(QStringLiteral("mnuTab_4"))->trigger();
        p.Action(QStringLiteral("mnuSaveAS"))->trigger(); // cancelled: nothing written, no message
        QCOMPARE(services.SaveRequests.at(0).FileName, QStringLiteral("Основные"));
        QVERIFY(services.Messages.empty());
        QCOMPARE(p.app->Options.LastDir, QString());
    }

    void searchTheYearFromItsTab() {
        Program p(world, friday);
        p.Action(QStringLiteral("mnuTab_5"))->trigger();
        QCOMPARE(p.w->SSTab1->currentIndex(), 5);
        QVERIFY(!p.w->cbFind->isEnabled());
        QTest::keyClicks(p.w->strFind, QStringLiteral("   "));
        QVERIFY(!p.w->cbFind->isEnabled());
        QTest::keyClick(p.w->strFind, Qt::Key_Return); // blanks search nothing
        QCOMPARE(p.w->View(5)->Text().trimmed(), QString());
        p.w->strFind->clear();
        QTest::keyClicks(p.w->strFind, QStringLiteral("FEAST"));
        QVERIFY(p.w->cbFind->isEnabled());
        QTest::mouseClick(p.w->cbFind, Qt::LeftButton);
        const QString shown = p.w->View(5)->Text();
        QVERIFY2(shown.contains(QStringLiteral("Строка поиска: \"FEAST\"")), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("20 января")), qPrintable(shown)); // Julian 7 January
        QVERIFY(!shown.contains(QStringLiteral("Ничего не найдено")));

        p.w->strFind->clear();
        p.w->strFind->insert(QStringLiteral("нет такого")); // typed; QTest types ASCII only
        QTest::keyClick(p.w->strFind, Qt::Key_Return);
        QVERIFY(p.w->View(5)->Text().contains(QStringLiteral("Ничего не найдено")));
    }

    // «Именины»: the box holds a name, found through the table of names; the text search is left as it is.
    void searchNameDaysFromItsTab() {
        const QString folder = world.ProgramFolder() + QStringLiteral("/Calendar/");
        const auto put = [&](const QString& name, const QString& text) {
            QFile f(folder + name);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(cp1251::Encode(text)) > 0);
        };
        put(QStringLiteral("Names.DAT"),
            QStringLiteral("[Фотина]\r\ngender=ж\r\ngenitive=Фотины\r\nnames=Светлана\r\n"));
        put(QStringLiteral("March.DAT"), QStringLiteral("[20]\r\n1=Мц. Фотины Самаряныни.\r\n"));
        Program p(world, friday);
        p.Action(QStringLiteral("mnuTab_5"))->trigger();
        p.w->strFind->insert(QStringLiteral("Светлана"));
        QTest::mouseClick(p.w->cbFind, Qt::LeftButton);
        QVERIFY(p.w->View(5)->Text().contains(QStringLiteral("Ничего не найдено"))); // no such text
        QTest::mouseClick(p.w->NameDays, Qt::LeftButton, {}, QPoint(4, p.w->NameDays->height() / 2));
        QVERIFY(p.w->NameDays->isChecked());
        QTest::mouseClick(p.w->cbFind, Qt::LeftButton);
        const QString shown = p.w->View(5)->Text();
        QVERIFY2(shown.contains(QStringLiteral("Именины: \"Светлана\"")), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("2 апреля")), qPrintable(shown)); // Julian 20 March
        QVERIFY2(shown.contains(QStringLiteral("Мц. Фотины Самаряныни.")), qPrintable(shown));
        QVERIFY(QFile::remove(folder + QStringLiteral("Names.DAT")));
        QVERIFY(QFile::remove(folder + QStringLiteral("March.DAT")));
    }

    void selectionReportFollowsTheYear() {
        Program p(world, friday);
        p.Action(QStringLiteral("mnuTab_5"))->trigger();
        QTest::keyClicks(p.w->strFind, QStringLiteral("FEAST"));
        QTest::keyClick(p.w->strFind, Qt::Key_Return);
        QVERIFY(p.w->View(5)->Text().contains(QStringLiteral("2024 год")));
        // Another year with the text standing: the search runs again for that year.
        p.Press(p.Forward(1));
        QString shown = p.w->View(5)->Text();
        QVERIFY2(shown.contains(QStringLiteral("2025 год")) && !shown.contains(QStringLiteral("2024 год")),
                 qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("20 января 2025")) ||
                     shown.contains(QStringLiteral("20 января")),
                 qPrintable(shown));
        // Steps within the year leave the report as it is.
        const QString before = p.w->View(5)->Text();
        p.Press(p.Forward(2));
        QCOMPARE(p.w->View(5)->Text(), before);
        // With the box emptied, another year empties the report instead of showing last year's.
        p.w->strFind->clear();
        p.Press(p.Back(1));
        QCOMPARE(p.w->View(5)->Text().trimmed(), QString());
    }

    void printProposesTheReportNameInTheLastFolder() {
        testing::FakeServices services;
        Program p(world, friday);
        p.app->Options.LastDir = QStringLiteral("/tmp/отчёты/");
        p.Action(QStringLiteral("mnuPrint"))->trigger(); // cancelled
        QCOMPARE(services.ProposedFiles.size(), std::size_t(1));
        if (QPrinterInfo::availablePrinters().isEmpty())
            QCOMPARE(services.ProposedFiles[0], QStringLiteral("/tmp/отчёты/15 марта 2024 (н. ст.).pdf"));
    }

    // The month on the wall, read from the day engine: printed from the preview and exported into a PDF
    // file, whose text is read back.
    void theMonthPageInPdf() {
        testing::FakeServices services;
        Program p(world, QDate(2024, 1, 15));
        QTemporaryDir out;
        const QString printed = out.filePath(QStringLiteral("printed.pdf"));
        services.PrinterAnswer = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
        };
        p.Action(QStringLiteral("mnuPrintMonth"))->trigger();
        QCOMPARE(services.Previews, std::vector<QString>{QStringLiteral("Январь 2024 (н. ст.)")});
        services.SaveAnswer = SaveChoice{out.filePath(QStringLiteral("wall")), 2};
        p.Action(QStringLiteral("mnuExportPdf"))->trigger();
        QVERIFY(services.Messages.empty());
        QCOMPARE(QDir(p.app->Options.LastDir).canonicalPath(), QDir(out.path()).canonicalPath());
        for (const QString& pdf : {printed, out.filePath(QStringLiteral("wall.pdf"))}) {
            const QString text = testing_pdf::PdfText(pdf);
            if (text.isNull())
                QSKIP("pdftotext (poppler-utils) is not installed");
            // The title, the weekdays, every day, the one feast of the small data set (Julian 7 January,
            // the 20th) with its Julian date.
            for (const char* shown :
                 {"Январь 2024 (н. ст.)", "Понедельник", "Воскресенье", "31", "Feast", "7 янв."})
                QVERIFY2(text.contains(QString::fromUtf8(shown)), qPrintable(text));
        }
        // The first type is the report itself, each page headed by its name and day.
        services.SaveAnswer = SaveChoice{out.filePath(QStringLiteral("report.pdf")), 1};
        p.Action(QStringLiteral("mnuExportPdf"))->trigger();
        const QString report = testing_pdf::PdfText(out.filePath(QStringLiteral("report.pdf")));
        QVERIFY2(report.startsWith(QStringLiteral("День — 15 января 2024 (н. ст.)")), qPrintable(report));
        QVERIFY(report.contains(QStringLiteral("15 января 2024 года")));
    }

    void menuKeyAndShiftF10OpenTheFileMenu_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addRow("menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier);
        QTest::addRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    }
    void menuKeyAndShiftF10OpenTheFileMenu() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Program p(world, friday);
        p.w->show();
        QVERIFY(p.Activate());
        RichTextView* day = p.w->View(0);
        day->setFocus();
        day->SetSelStart(2);
        day->SetSelLength(5);
        QTest::keyClick(day, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QMenu* file = p.w->Menus().mnuFile;
        QTRY_VERIFY(file->isVisible());
        QVERIFY(p.Action(QStringLiteral("mnuCopy"))->isEnabled()); // something is selected
        file->hide();
        p.w->hide();
    }

    void copyPutsBothFormatsOnTheClipboard() {
        Program p(world, friday);
        RichTextView* day = p.w->View(0);
        day->SetSelStart(0);
        day->SetSelLength(10);
        p.Action(QStringLiteral("mnuCopy"))->trigger();
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime->hasFormat(QStringLiteral("text/rtf")));
        QCOMPARE(mime->text(), day->SelText());
        p.Action(QStringLiteral("mnuCopyAll"))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->text(), day->Text());
    }

    void rightPressOnAReportOpensTheFileMenu() {
        Program p(world, friday);
        p.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.w));
        RichTextView* day = p.w->View(0);
        day->SetSelLength(0);
        QTest::mousePress(day->viewport(), Qt::RightButton, {}, QPoint(20, 20));
        QMenu* file = p.w->Menus().mnuFile;
        QTRY_VERIFY(file->isVisible());
        QVERIFY(!p.Action(QStringLiteral("mnuCopy"))->isEnabled()); // nothing selected
        file->hide();
        p.w->hide();
    }

    void fontReachesTheDayReport() {
        testing::FakeServices services;
        Program p(world, friday);
        services.FontAnswer = FontChoice{QStringLiteral("DejaVu Serif"), 11.5, false, false};
        p.Action(QStringLiteral("mnuFont"))->trigger();
        QCOMPARE(p.app->Options.FontName, QStringLiteral("DejaVu Serif"));
        QCOMPARE(p.app->Options.FontSize, 12);
        QVERIFY(p.w->View(0)->TextRTF().contains("DejaVu Serif"));
    }

    void rangeFromTheMenu() {
        Program p(world, friday);
        p.Action(QStringLiteral("mnuRange"))->trigger();
        frmRange* range = p.w->findChild<frmRange*>();
        QVERIFY(range);
        range->SetClockYear(2024);
        auto* first = range->findChild<QLineEdit*>(QStringLiteral("Text1"));
        auto* last = range->findChild<QLineEdit*>(QStringLiteral("Text2"));
        first->setText(QStringLiteral("2000"));
        last->setText(QStringLiteral("2030"));
        QTest::mouseClick(range->findChild<QPushButton*>(QStringLiteral("cbOk")), Qt::LeftButton);
        QCOMPARE(p.Combo(1)->count(), 31);
        QCOMPARE(p.Combo(1)->itemText(0), QStringLiteral("2000"));
        QCOMPARE(p.app->State.MinYears[StyleAnnoMundi], 7508);
    }

    // F1 opens the help page found beside the program in the program's own help window; a second F1
    // brings the same window back. Mail and web commands are enabled only with an address.
    void helpAndAbout() {
        testing::FakeServices services;
        const QString help = world.ProgramFolder() + QStringLiteral("/Help");
        QDir().mkpath(help);
        QVERIFY(QFile::copy(QStringLiteral(VORELIAN_SOURCE_DIR "/data/Help/Index.html"),
                            help + QStringLiteral("/Index.html")));
        Program p(world, friday);
        QVERIFY(p.Activate());
        QTest::keyClick(p.w, Qt::Key_F1);
        auto* window = p.w->findChild<frmHelp*>();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->Browser()->source(), QUrl::fromLocalFile(help + QStringLiteral("/Index.html")));
        QCOMPARE(window->Browser()->documentTitle(), QStringLiteral("Vorelian — помощь"));
        QVERIFY(window->Browser()->toPlainText().contains(QStringLiteral("Три стиля летосчисления")));
        QCOMPARE(window->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
        // «Назад» and «В начало» as in a browser; Esc closes.
        QVERIFY(!window->BackButton()->isEnabled());
        window->Browser()->setSource(QUrl::fromLocalFile(help + QStringLiteral("/Index.html#keys")));
        QVERIFY(window->BackButton()->isEnabled());
        window->BackButton()->click();
        QCOMPARE(window->Browser()->source(), QUrl::fromLocalFile(help + QStringLiteral("/Index.html")));
        window->HomeButton()->click();
        QCOMPARE(window->Browser()->source(), QUrl::fromLocalFile(help + QStringLiteral("/Index.html")));
        QVERIFY(window->isActiveWindow() || QTest::qWaitForWindowActive(window));
        QTest::keyClick(window->Browser(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        p.Action(QStringLiteral("mnuHelp"))->trigger();
        QCOMPARE(p.w->findChildren<frmHelp*>().size(), 1);
        QVERIFY(window->isVisible());
        QVERIFY(services.Opened.empty());

        QCOMPARE(p.Action(QStringLiteral("mnuEMail"))->isVisible(), !ProjectContacts().EMail.isEmpty());
        QCOMPARE(p.Action(QStringLiteral("mnuHomePage"))->isVisible(), !ProjectContacts().HomePage.isEmpty());
        p.Action(QStringLiteral("mnuAbout"))->trigger();
        frmAbout* about = p.w->findChild<frmAbout*>();
        QVERIFY(about && about->isVisible());
        about->close();
        QFile::remove(help + QStringLiteral("/Index.html"));
    }

    // Qt's own dialogs and buttons speak Russian, and every window wears the program's icon.
    void russianDialogsAndTheIcon() {
        Program p(world, friday);
        QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Save)->text(), QStringLiteral("Сохранить"));
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
        QVERIFY(!p.w->windowIcon().isNull());
        QVERIFY(p.w->windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(p.w->windowIcon().availableSizes().contains(QSize(256, 256)));
    }
};

QTEST_MAIN(TestFrmCalendarCommands)
#include "test_frmcalendar_commands.moc"
