#include "ui/filecommands.h"

#include "core/tables.h"
#include "ui/fileproblem.h"
#include "ui/printedpages.h"
#include "ui/richtextview.h"
#include "ui/uiservices.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTextDocument>

namespace vorelian {

namespace {

void PutOnClipboard(const QByteArray& rtf, const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(MakeReportMimeData(rtf, text));
}

} // namespace

QString MonthNameOfPicker(const QString& monthPickerText) {
    if (!monthPickerText.startsWith(QLatin1Char('(')))
        return monthPickerText;
    const qsizetype close = monthPickerText.indexOf(QStringLiteral(") "));
    return close < 0 ? monthPickerText : monthPickerText.mid(close + 2);
}

namespace {

// The style in the short words of church calendars, without the dots of "Р.Х." that a save dialog would
// take for the start of an extension.
QString StyleWords(const QString& styleText) {
    if (styleText.contains(QStringLiteral("стар")))
        return QStringLiteral("(ст. ст.)");
    if (styleText.contains(QStringLiteral("нов")))
        return QStringLiteral("(н. ст.)");
    return QStringLiteral("(от сотворения мира)");
}

// "Декабрь" as "декабря", for a date in Russian order.
QString GenitiveOf(const QString& monthName) {
    for (int m = 1; m <= 12; ++m)
        if (MonthNameOf(m, 1).compare(monthName, Qt::CaseInsensitive) == 0)
            return MonthNameOf(m, 2).toLower();
    return monthName;
}

// A tab caption as shown, without the mark of its access key.
QString ShownCaption(QString caption) {
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

} // namespace

QString DefaultFileName(const FileNameParts& p) {
    const QString yearStyle = p.YearText + QLatin1Char(' ') + StyleWords(p.StyleText);
    switch (p.Tab) {
    case 0:
        return p.GridDayText + QLatin1Char(' ') + GenitiveOf(MonthNameOfPicker(p.MonthText)) +
               QLatin1Char(' ') + yearStyle;
    case 1:
        return p.WeekText + QStringLiteral(", ") + yearStyle;
    case 2:
        return MonthNameOfPicker(p.MonthText) + QLatin1Char(' ') + yearStyle;
    case 3:
        return yearStyle;
    default:
        return ShownCaption(p.TabCaption);
    }
}

QString PrintedHeader(const FileNameParts& p) {
    const QString caption = ShownCaption(p.TabCaption);
    const QString dash = QStringLiteral(" — ");
    switch (p.Tab) {
    case 1:
        if (!p.WeekDates.isEmpty())
            return caption + dash + p.WeekText + QStringLiteral(": ") + p.WeekDates + QLatin1Char(' ') +
                   StyleWords(p.StyleText);
        [[fallthrough]];
    case 0:
    case 2:
    case 3:
        return caption + dash + DefaultFileName(p);
    case 4:
    case 5: // the main feasts and the search belong to the year
        return caption + dash + p.YearText + QLatin1Char(' ') + StyleWords(p.StyleText);
    default:
        return caption;
    }
}

QString FolderOfPath(const QString& path) {
    qsizetype n = path.size() - 1; // at least one character goes
    while (n > 0 && path[n - 1] != QLatin1Char('/') && path[n - 1] != QLatin1Char('\\'))
        --n;
    return n > 0 ? path.left(n) : QString();
}

QString SaveFolder(const QString& lastDir) {
    if (!lastDir.isEmpty())
        return lastDir;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return (documents.isEmpty() || !QFileInfo(documents).isDir() ? QDir::homePath() : documents) +
           QLatin1Char('/');
}

QStringList SaveFilters() {
    return {QStringLiteral("Документ RTF (*.rtf *.RTF)"),
            QStringLiteral("Текст (Windows-1251) (*.txt *.TXT)"),
            QStringLiteral("Текст (UTF-8) (*.txt *.TXT)")};
}

QString WithExtension(const QString& path, int fileType) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0 && dot + 1 < name.size()) {
        bool plain = true;
        for (qsizetype i = dot + 1; i < name.size() && plain; ++i)
            plain = name[i].isLetterOrNumber();
        if (plain && name.size() - dot - 1 <= 5)
            return path;
    }
    return path + (fileType == 1 ? QStringLiteral(".rtf") : QStringLiteral(".txt"));
}

bool MayReplace(QWidget* parent, const QString& chosen, const QString& path, const QString& title) {
    if (path == chosen || !QFileInfo::exists(path))
        return true;
    return Services().Ask(
        parent, title,
        QStringLiteral("Файл «%1» уже существует. Заменить?").arg(QDir::toNativeSeparators(path)));
}

QMimeData* MakeReportMimeData(const QByteArray& rtf, const QString& text) {
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/rtf"), rtf);
#ifdef Q_OS_WIN
    // Qt puts only plain text and HTML on the Windows clipboard by itself; rich-text editors there look
    // for the registered format of this name.
    data->setData(QStringLiteral("application/x-qt-windows-mime;value=\"Rich Text Format\""), rtf);
#endif
    data->setText(text);
    return data;
}

void FileCommands::TestmnuFile(const RichTextView* visible, QAction* mnuCopy, QAction* mnuFindSelText) {
    const bool selected = visible && visible->SelLength() != 0;
    if (mnuCopy)
        mnuCopy->setEnabled(selected);
    if (mnuFindSelText)
        mnuFindSelText->setEnabled(selected);
}

void FileCommands::PopupFileMenu(QMenu* mnuFile, const QPoint& globalPos, const RichTextView* visible,
                                 QAction* mnuCopy, QAction* mnuFindSelText) {
    TestmnuFile(visible, mnuCopy, mnuFindSelText);
    if (mnuFile)
        mnuFile->popup(globalPos);
}

bool FileCommands::SaveAs(QWidget* parent, RichTextView& visible, const QString& defaultName) {
    const QStringList filters = SaveFilters();
    const auto choice =
        Services().ChooseSavePath(parent, SaveFolder(m_settings.LastDir), defaultName, filters, m_fileType);
    if (!choice || choice->Path.isEmpty())
        return false;
    // The type stays chosen for the next Save as of this run, whether or not this one succeeds.
    if (choice->FileType >= 1 && choice->FileType <= filters.size())
        m_fileType = choice->FileType;
    const int format = m_fileType == 3   ? RichTextView::TextFileUtf8
                       : m_fileType == 2 ? RichTextView::TextFile
                                         : RichTextView::RtfFile;
    const QString path = WithExtension(choice->Path, m_fileType);
    if (!MayReplace(parent, choice->Path, path, QStringLiteral("Сохранить как")))
        return false;
    QString error;
    if (!visible.SaveFile(path, format, &error)) {
        Services().ShowMessage(
            parent, QMessageBox::Critical, QStringLiteral("Сохранить как"),
            QStringLiteral("Не удалось сохранить файл «%1»:\n%2").arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    m_settings.LastDir = FolderOfPath(path);
    return true;
}

void FileCommands::Copy(const RichTextView& visible) {
    PutOnClipboard(visible.SelRTF(), visible.SelText());
}

void FileCommands::CopyAll(const RichTextView& visible) {
    PutOnClipboard(visible.TextRTF(), visible.Text());
}

bool FileCommands::Print(QWidget* parent, RichTextView& visible, const QString& documentName,
                         const QString& folder, const QString& header) {
    QPrinter printer(QPrinter::HighResolution);
    if (!documentName.isEmpty()) {
        printer.setDocName(documentName);
        // With no printer installed the dialog can only print into a file: propose where and as what.
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            const QString where = SaveFolder(folder);
            printer.setOutputFileName(where + documentName + QStringLiteral(".pdf"));
        }
    }
    const bool selection = visible.SelLength() != 0;
    printer.setPrintRange(selection ? QPrinter::Selection : QPrinter::AllPages);
    if (!Services().ChoosePrinter(parent, printer, selection))
        return false;
    QString error;
    if (PrintTo(printer, visible, header, &error))
        return true;
    Services().ShowMessage(parent, QMessageBox::Critical, QStringLiteral("Печать"), error);
    return false;
}

bool FileCommands::PrintTo(QPrinter& printer, RichTextView& visible, const QString& header, QString* error) {
    bool ok = false;
    if (visible.SelLength() != 0 && printer.printRange() != QPrinter::Selection) {
        // A selection exists but the whole report was asked for.
        QTextDocument whole;
        visible.Render(visible.Document(), &whole);
        ok = PrintPages(printer, whole, header);
    } else {
        ok = visible.SelPrint(&printer, header);
    }
    if (!ok && error) {
        if (printer.outputFormat() == QPrinter::PdfFormat)
            *error = QStringLiteral("Не удалось напечатать в файл «%1»: %2")
                         .arg(QDir::toNativeSeparators(printer.outputFileName()),
                              FileProblem(printer.outputFileName()));
        else
            *error = QStringLiteral("Не удалось напечатать на принтере «%1»: принтер сообщил об ошибке.")
                         .arg(printer.printerName());
    }
    return ok;
}

} // namespace vorelian
