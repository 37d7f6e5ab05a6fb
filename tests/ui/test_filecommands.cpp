// The File menu on a report, as a user meets it: the enabling of the two selection items, the menu on a
// right press, the proposed file names, Save as with its two types and remembered folder, Copy and Copy
// all with both clipboard formats, and printing the selection or the whole report into a PDF file.
#include "core/cp1251.h"
#include "pdftext.h"
#include "rtf/reader.h"
#include "rtf/writer.h"
#include "ui/filecommands.h"
#include "ui/fileproblem.h"
#include "ui/richtextview.h"
#include "uiservices_fake.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cerrno>

using namespace vorelian;
using vorelian::testing::FakeServices;

namespace {

const rtf::Rgb kRed = rtf::MakeRgb(255, 0, 0);

// Three paragraphs; the first bold and red, as a feast stands in a report.
rtf::Document Report() {
    rtf::Document doc;
    doc.Paragraphs.resize(3);
    rtf::CharFormat feast;
    feast.Bold = true;
    feast.Color = kRed;
    rtf::AppendText(doc.Paragraphs[0], u"Рождество Христово", feast);
    rtf::AppendText(doc.Paragraphs[1], u"Второй абзац", rtf::CharFormat{});
    rtf::AppendText(doc.Paragraphs[2], u"Третий абзац", rtf::CharFormat{});
    return doc;
}

const QString kText = QStringLiteral("Рождество Христово\nВторой абзац\nТретий абзац");

bool HasBoldRed(const rtf::Document& doc, const QString& text) {
    for (const auto& p : doc.Paragraphs)
        for (const auto& r : p.Runs)
            if (r.Text == text && r.Format.Bold && r.Format.Color == kRed)
                return true;
    return false;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

using testing_pdf::PdfText;

struct ReportWindow {
    QWidget Window;
    RichTextView* View;
    QMenu* FileMenu;
    QAction* Copy;
    QAction* FindSelText;

    ReportWindow() {
        View = new RichTextView(&Window);
        View->setGeometry(0, 0, 400, 300);
        View->SetDocument(Report());
        FileMenu = new QMenu(QStringLiteral("&Файл"), &Window);
        Copy = FileMenu->addAction(QStringLiteral("&Копировать"));
        FindSelText = FileMenu->addAction(QStringLiteral("&Искать выделенный текст"));
        QObject::connect(FileMenu, &QMenu::aboutToShow, &Window,
                         [this] { FileCommands::TestmnuFile(View, Copy, FindSelText); });
        QObject::connect(View, &RichTextView::RightButtonPressed, &Window, [this](const QPoint& at) {
            FileCommands::PopupFileMenu(FileMenu, at, View, Copy, FindSelText);
        });
        Window.resize(400, 300);
        Window.show();
    }
    void Select(const QString& what) {
        View->SetSelStart(int(kText.indexOf(what)));
        View->SetSelLength(int(what.size()));
    }
};

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The proposed file name, and the line heading each printed page: the report's name and days.
    void defaultFileNames_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("header");
        const QString old = QStringLiteral("от Р.Х. (старый стиль)");
        QTest::addRow("day") << 0 << "(1) Январь" << old << "15 января 2005 (ст. ст.)"
                             << "День — 15 января 2005 (ст. ст.)";
        QTest::addRow("week") << 1 << "(1) Январь" << old << "3-я седмица, 2005 (ст. ст.)"
                              << "Седмица — 3-я седмица: 9–15 января 2005 (ст. ст.)";
        QTest::addRow("month 10") << 2 << "(10) Октябрь" << old << "Октябрь 2005 (ст. ст.)"
                                  << "Месяц — Октябрь 2005 (ст. ст.)";
        QTest::addRow("day in month 12, new style") << 0 << "(12) Декабрь"
                                                    << "от Р.Х. (новый стиль)"
                                                    << "15 декабря 2005 (н. ст.)"
                                                    << "День — 15 декабря 2005 (н. ст.)";
        QTest::addRow("Anno Mundi June is 10") << 2 << "(10) Июнь"
                                               << "от Сотворения Мира"
                                               << "Июнь 2005 (от сотворения мира)"
                                               << "Месяц — Июнь 2005 (от сотворения мира)";
        QTest::addRow("year") << 3 << "(1) Январь" << old << "2005 (ст. ст.)"
                              << "Год — 2005 (ст. ст.)";
        QTest::addRow("main feasts") << 4 << "" << old << "Основные"
                                     << "Основные — 2005 (ст. ст.)";
        QTest::addRow("selection") << 5 << "" << old << "Выборка"
                                   << "Выборка — 2005 (ст. ст.)";
        QTest::addRow("abbreviations") << 6 << "" << old << "Сокращения"
                                       << "Сокращения";
    }

    void defaultFileNames() {
        QFETCH(int, tab);
        QFETCH(QString, month);
        QFETCH(QString, style);
        QFETCH(QString, expected);
        static const QStringList captions{"День",     "Седмица", "Месяц",     "Год",
                                          "Основные", "Выборка", "Сокращения"};
        FileNameParts parts;
        parts.Tab = tab;
        parts.StyleText = style;
        parts.YearText = QStringLiteral("2005");
        parts.MonthText = month;
        parts.WeekText = QStringLiteral("3-я седмица");
        parts.GridDayText = QStringLiteral("15");
        parts.TabCaption = captions[tab];
        parts.WeekDates = QStringLiteral("9–15 января 2005");
        QCOMPARE(DefaultFileName(parts), expected);
        QFETCH(QString, header);
        QCOMPARE(PrintedHeader(parts), header);
    }

    void folderOfASavedPath_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder");
        QTest::addRow("posix") << "/home/u/Docs/a.rtf"
                               << "/home/u/Docs/";
        QTest::addRow("windows") << "C:\\Docs\\a.rtf"
                                 << "C:\\Docs\\";
        QTest::addRow("root") << "/a.rtf"
                              << "/";
        QTest::addRow("no separator") << "a.rtf"
                                      << "";
        QTest::addRow("one character") << "a"
                                       << "";
        QTest::addRow("empty") << ""
                               << "";
        QTest::addRow("at least one goes") << "/home/u/"
                                           << "/home/";
    }

    void folderOfASavedPath() {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QCOMPARE(FolderOfPath(path), folder);
    }

    void theMenuFollowsTheSelection() {
        ReportWindow w;
        w.FileMenu->popup(QPoint(10, 10));
        QVERIFY(!w.Copy->isEnabled());
        QVERIFY(!w.FindSelText->isEnabled());
        w.FileMenu->close();
        w.Select(QStringLiteral("Второй"));
        QVERIFY(!w.Copy->isEnabled()); // only opening the menu looks again
        w.FileMenu->popup(QPoint(10, 10));
        QVERIFY(w.Copy->isEnabled());
        QVERIFY(w.FindSelText->isEnabled());
        w.FileMenu->close();
    }

    void aRightPressShowsTheFileMenu_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("shown");
        QTest::addRow("right") << int(Qt::RightButton) << true;
        QTest::addRow("left") << int(Qt::LeftButton) << false;
        QTest::addRow("middle") << int(Qt::MiddleButton) << false;
    }

    void aRightPressShowsTheFileMenu() {
        QFETCH(int, button);
        QFETCH(bool, shown);
        ReportWindow w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.Window));
        w.Select(QStringLiteral("Третий"));
        w.Copy->setEnabled(false);
        QTest::mousePress(w.View->viewport(), Qt::MouseButton(button), {}, QPoint(300, 250));
        QCOMPARE(w.FileMenu->isVisible(), shown);
        if (shown) {
            QVERIFY(w.Copy->isEnabled());
            QCOMPARE(w.FileMenu->pos(), w.View->viewport()->mapToGlobal(QPoint(300, 250)));
            w.FileMenu->close();
        }
    }

    void saveAs() {
        FakeServices fake;
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        Settings settings;
        FileCommands commands(settings);
        ReportWindow w;
        const QString name = QStringLiteral("Январь 15, 2005 от Р.Х. (старый стиль)");

        // RTF, the first type.
        fake.SaveAnswer = SaveChoice{dir.filePath(name), 1};
        QVERIFY(commands.SaveAs(&w.Window, *w.View, name));
        // The first save opens in the Documents folder, never where the program was started.
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(fake.SaveRequests[0].Folder,
                 (QFileInfo(documents).isDir() ? documents : QDir::homePath()) + QLatin1Char('/'));
        QCOMPARE(fake.SaveRequests[0].FileName, name);
        QCOMPARE(fake.SaveRequests[0].Filters,
                 QStringList({"Документ RTF (*.rtf *.RTF)", "Текст (Windows-1251) (*.txt *.TXT)",
                              "Текст (UTF-8) (*.txt *.TXT)"}));
        QCOMPARE(fake.SaveRequests[0].FileType, 1);
        QVERIFY(!QFile::exists(dir.filePath(name)));
        const QByteArray rtf = ReadAll(dir.filePath(name + ".rtf")); // the type's extension added
        QVERIFY(rtf.startsWith("{\\rtf"));
        QCOMPARE(rtf::PlainText(rtf::ReadRtf(rtf)), kText);
        QVERIFY(HasBoldRed(rtf::ReadRtf(rtf), QStringLiteral("Рождество Христово")));
        QCOMPARE(settings.LastDir, dir.path() + "/");

        // Plain text chosen, whatever the extension typed.
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        fake.SaveAnswer = SaveChoice{dir.filePath("sub/report.rtf"), 2};
        QVERIFY(commands.SaveAs(&w.Window, *w.View, name));
        QCOMPARE(fake.SaveRequests[1].Folder, dir.path() + "/");
        QCOMPARE(fake.SaveRequests[1].FileType, 1);
        QCOMPARE(ReadAll(dir.filePath("sub/report.rtf")),
                 cp1251::Encode(u"Рождество Христово\r\nВторой абзац\r\nТретий абзац"));
        QCOMPARE(settings.LastDir, dir.path() + "/sub/");
        QCOMPARE(commands.FileType(), 2);

        // The next Save as opens with the plain-text type and the last folder; a cancel changes nothing.
        fake.SaveAnswer.reset();
        QVERIFY(!commands.SaveAs(&w.Window, *w.View, name));
        QCOMPARE(fake.SaveRequests[2].FileType, 2);
        QCOMPARE(fake.SaveRequests[2].Folder, dir.path() + "/sub/");
        QCOMPARE(settings.LastDir, dir.path() + "/sub/");
        QVERIFY(fake.Messages.empty());

        // A save that fails names the file, says why and leaves the folder as it was.
        const QString bad = dir.filePath("missing/x.rtf");
        fake.SaveAnswer = SaveChoice{bad, 1};
        QVERIFY(!commands.SaveAs(&w.Window, *w.View, name));
        QCOMPARE(int(fake.Messages.size()), 1);
        QCOMPARE(fake.Messages[0].Icon, QMessageBox::Critical);
        QVERIFY2(fake.Messages[0].Text.contains(QDir::toNativeSeparators(bad)),
                 qPrintable(fake.Messages[0].Text));
        QVERIFY(fake.Messages[0].Text.size() > bad.size() + 30); // a reason follows the name
        QCOMPARE(settings.LastDir, dir.path() + "/sub/");
        QVERIFY(!QFile::exists(bad));

        // UTF-8 text: what the view shows, read back as it is.
        fake.SaveAnswer = SaveChoice{dir.filePath(QStringLiteral("Основные")), 3};
        QVERIFY(commands.SaveAs(&w.Window, *w.View, name));
        QCOMPARE(commands.FileType(), 3);
        QCOMPARE(QString::fromUtf8(ReadAll(dir.filePath(QStringLiteral("Основные.txt")))), w.View->Text());
        QCOMPARE(QString::fromUtf8(ReadAll(dir.filePath(QStringLiteral("Основные.txt")))), kText);
    }

    void extensionOfTheChosenType_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("saved");
        const QString day = QStringLiteral("Январь 15, 2005 от Р.Х. (старый стиль)");
        QTest::addRow("RTF, dots inside the name") << day << 1 << day + ".rtf";
        QTest::addRow("text") << day << 2 << day + ".txt";
        QTest::addRow("UTF-8 text") << day << 3 << day + ".txt";
        QTest::addRow("own extension kept") << QStringLiteral("year.rtf") << 2 << QStringLiteral("year.rtf");
        QTest::addRow("upper-case extension kept")
            << QStringLiteral("year.TXT") << 1 << QStringLiteral("year.TXT");
        QTest::addRow("another extension kept")
            << QStringLiteral("year.doc") << 1 << QStringLiteral("year.doc");
        QTest::addRow("trailing dot") << QStringLiteral("year.") << 1 << QStringLiteral("year..rtf");
        QTest::addRow("hidden name") << QStringLiteral(".year") << 3 << QStringLiteral(".year.txt");
    }
    void extensionOfTheChosenType() {
        QFETCH(QString, typed);
        QFETCH(int, type);
        QFETCH(QString, saved);
        QCOMPARE(WithExtension(QStringLiteral("/tmp/a.b/") + typed, type),
                 QStringLiteral("/tmp/a.b/") + saved);
        // The type's filter shows files of its extension in either case.
        const QString ext = type == 1 ? QStringLiteral("rtf") : QStringLiteral("txt");
        const QString filter = SaveFilters()[type - 1];
        QVERIFY2(filter.contains("*." + ext) && filter.contains("*." + ext.toUpper()), qPrintable(filter));
    }

    // A name typed without an extension gets the type's one after the dialog: a file already there under
    // that final name is replaced only when the user says so.
    void replaceOnlyWhenAsked_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<bool>("asked");
        QTest::addRow("RTF, no") << "probe" << 1 << false << "probe.rtf" << true;
        QTest::addRow("RTF, yes") << "probe" << 1 << true << "probe.rtf" << true;
        QTest::addRow("text, no") << "probe" << 2 << false << "probe.txt" << true;
        QTest::addRow("UTF-8 text, no") << "probe" << 3 << false << "probe.txt" << true;
        QTest::addRow("UTF-8 text, yes") << "probe" << 3 << true << "probe.txt" << true;
        QTest::addRow("the dialog asked itself") << "probe.rtf" << 1 << false << "probe.rtf" << false;
        QTest::addRow("another type's file") << "probe" << 1 << false << "probe.txt" << false;
    }
    void replaceOnlyWhenAsked() {
        QFETCH(QString, typed);
        QFETCH(int, type);
        QFETCH(bool, yes);
        QFETCH(QString, existing);
        QFETCH(bool, asked);
        QTemporaryDir dir;
        QFile old(dir.filePath(existing));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        FakeServices fake;
        fake.AskAnswer = yes;
        fake.SaveAnswer = SaveChoice{dir.filePath(typed), type};
        Settings settings;
        FileCommands commands(settings);
        ReportWindow w;
        const bool written = commands.SaveAs(&w.Window, *w.View, QStringLiteral("x"));
        QCOMPARE(int(fake.Questions.size()), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(fake.Questions[0].Title, QStringLiteral("Сохранить как"));
            QCOMPARE(fake.Questions[0].Text, QStringLiteral("Файл «%1» уже существует. Заменить?")
                                                 .arg(QDir::toNativeSeparators(dir.filePath(existing))));
        }
        QCOMPARE(written, !asked || yes);
        QCOMPARE(ReadAll(dir.filePath(existing)) == "old",
                 asked && !yes || existing != WithExtension(typed, type));
        QVERIFY(fake.Messages.empty());
    }

    // The common reasons a save fails, each in its own words; the file already there stays as it was.
    void saveErrorsInWords_data() {
        QTest::addColumn<QString>("path"); // under the scratch folder
        QTest::addColumn<int>("systemError");
        QTest::addColumn<QString>("reason");
        QTest::addRow("folder missing") << "missing/x.rtf" << 0 << "не существует";
        QTest::addRow("name is a folder") << "sub.rtf" << 0 << "это папка";
        QTest::addRow("permission") << "old.rtf" << int(EACCES) << "нет права на запись";
        QTest::addRow("read-only disk") << "old.rtf" << int(EROFS) << "нет права на запись";
        QTest::addRow("disk full") << "old.rtf" << int(ENOSPC) << "не хватает места";
        QTest::addRow("anything else") << "old.rtf" << int(EIO) << "запись не удалась";
    }
    void saveErrorsInWords() {
        QFETCH(QString, path);
        QFETCH(int, systemError);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("sub.rtf"));
        QFile old(dir.filePath("old.rtf"));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        QVERIFY2(FileProblem(dir.filePath(path), systemError).contains(reason),
                 qPrintable(FileProblem(dir.filePath(path), systemError)));
        if (systemError != 0)
            return;
        // The causes the file system shows by itself reach the user through Save as.
        FakeServices fake;
        Settings settings;
        FileCommands commands(settings);
        ReportWindow w;
        fake.SaveAnswer = SaveChoice{dir.filePath(path), 1};
        QVERIFY(!commands.SaveAs(&w.Window, *w.View, QStringLiteral("x")));
        QCOMPARE(int(fake.Messages.size()), 1);
        QVERIFY2(fake.Messages[0].Text.contains(reason), qPrintable(fake.Messages[0].Text));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"old.rtf", "sub.rtf"}));
        QCOMPARE(ReadAll(dir.filePath("old.rtf")), QByteArray("old"));
    }

    // The real save dialog opens in the folder, with the name and the type asked for, and answers the
    // path and the type the user leaves chosen.
    void theSaveDialogItself() {
        QTemporaryDir dir;
        UiServices real;
        QString seenFilter, seenFolder;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seenFilter = dialog->selectedNameFilter();
            seenFolder = dialog->directory().absolutePath();
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            QCOMPARE(name->text(), QStringLiteral("Основные"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        const auto choice =
            real.ChooseSavePath(nullptr, dir.path() + "/", QStringLiteral("Основные"), SaveFilters(), 2);
        QVERIFY(choice);
        QCOMPARE(seenFilter, QStringLiteral("Текст (Windows-1251) (*.txt *.TXT)"));
        QCOMPARE(seenFolder, dir.path());
        QCOMPARE(choice->Path, dir.filePath("Основные")); // the extension is added by the save
        QCOMPARE(choice->FileType, 2);

        QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        QVERIFY(!real.ChooseSavePath(nullptr, dir.path(), QStringLiteral("Основные"), SaveFilters(), 1));
    }

    void copyPutsBothFormatsOnTheClipboard_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("all");
        QTest::addColumn<QString>("expected");
        QTest::addRow("selection") << "Рождество" << false << "Рождество";
        QTest::addRow("across paragraphs") << "Христово\nВторой" << false << "Христово\nВторой";
        QTest::addRow("nothing selected") << "" << false << "";
        QTest::addRow("all, with a selection") << "Второй" << true << kText;
        QTest::addRow("all, without one") << "" << true << kText;
    }

    void copyPutsBothFormatsOnTheClipboard() {
        QFETCH(QString, selected);
        QFETCH(bool, all);
        QFETCH(QString, expected);
        ReportWindow w;
        QGuiApplication::clipboard()->setText(QStringLiteral("left over"));
        if (selected.isEmpty())
            w.View->SetSelStart(4);
        else
            w.Select(selected);
        if (all)
            FileCommands::CopyAll(*w.View);
        else
            FileCommands::Copy(*w.View);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data->hasFormat("text/rtf"));
        QVERIFY(data->hasText());
        QCOMPARE(data->text(), expected);
        const QByteArray rtf = data->data("text/rtf");
        if (expected.isEmpty()) {
            QVERIFY(rtf.isEmpty());
            return;
        }
        QCOMPARE(rtf::PlainText(rtf::ReadRtf(rtf)), expected);
        if (expected.startsWith(QStringLiteral("Рождество")))
            QVERIFY(HasBoldRed(rtf::ReadRtf(rtf), expected.section('\n', 0, 0)));
    }

    void printSelectionThenWholeReport() {
        FakeServices fake;
        QTemporaryDir dir;
        ReportWindow w;
        QString pdf;
        fake.PrinterAnswer = [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
        };

        pdf = dir.filePath("selection.pdf");
        w.Select(QStringLiteral("Второй абзац"));
        QVERIFY(FileCommands::Print(&w.Window, *w.View));
        QCOMPARE(fake.PrinterRequests.back(), true);
        QCOMPARE(fake.PreselectedRange.back(), QPrinter::Selection);
        const QString part = PdfText(pdf);
        if (part.isNull())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QVERIFY2(part.contains(QStringLiteral("Второй абзац")), qPrintable(part));
        QVERIFY(!part.contains(QStringLiteral("Рождество")));
        QVERIFY(!part.contains(QStringLiteral("Третий")));

        pdf = dir.filePath("whole.pdf");
        w.View->SetSelStart(0);
        QVERIFY(FileCommands::Print(&w.Window, *w.View));
        QCOMPARE(fake.PrinterRequests.back(), false);
        QCOMPARE(fake.PreselectedRange.back(), QPrinter::AllPages);
        const QString whole = PdfText(pdf);
        for (const QString& line : kText.split('\n'))
            QVERIFY2(whole.contains(line), qPrintable(whole));

        // With a selection, the user may still ask the dialog for everything.
        pdf = dir.filePath("all-over-selection.pdf");
        w.Select(QStringLiteral("Второй абзац"));
        fake.PrinterAnswer = [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            p.setPrintRange(QPrinter::AllPages);
        };
        QVERIFY(FileCommands::Print(&w.Window, *w.View));
        const QString over = PdfText(pdf);
        QVERIFY2(over.contains(QStringLiteral("Рождество Христово")) &&
                     over.contains(QStringLiteral("Третий")),
                 qPrintable(over));
        QVERIFY(fake.Messages.empty());
    }

    void printCancelAndFailure() {
        FakeServices fake;
        QTemporaryDir dir;
        ReportWindow w;
        QVERIFY(!FileCommands::Print(&w.Window, *w.View)); // cancelled
        QVERIFY(fake.Messages.empty());

        const QString bad = dir.filePath("missing/out.pdf");
        fake.PrinterAnswer = [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(bad);
        };
        QVERIFY(!FileCommands::Print(&w.Window, *w.View));
        QCOMPARE(int(fake.Messages.size()), 1);
        QCOMPARE(fake.Messages[0].Icon, QMessageBox::Critical);
        QCOMPARE(fake.Messages[0].Title, QStringLiteral("Печать"));
        QVERIFY2(fake.Messages[0].Text.contains(QDir::toNativeSeparators(bad)),
                 qPrintable(fake.Messages[0].Text));
        QVERIFY(fake.Messages[0].Text.contains(QStringLiteral("не существует")));
    }
};

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"
