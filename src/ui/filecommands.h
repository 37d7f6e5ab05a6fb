// The File menu's commands on the visible report: the enabling of "&Копировать" and "&Искать выделенный
// текст", the proposed file name of each tab, Save as, Copy, Copy all and Print. The main window keeps one
// FileCommands for the run (it remembers the file type chosen in the save dialog) and hands each command
// the report view of the visible tab, read afresh every time.
#pragma once

#include "core/settings.h"

#include <QString>

class QAction;
class QMenu;
class QMimeData;
class QPoint;
class QPrinter;
class QWidget;

namespace vorelian {

class RichTextView;

// What the default file name is made of: the visible tab and what the main window shows.
struct FileNameParts {
    int Tab = 0;         // 0..6
    QString StyleText;   // style picker, e.g. "от Р.Х. (старый стиль)"
    QString YearText;    // year picker, e.g. "2005"
    QString MonthText;   // month picker, e.g. "(1) Январь"
    QString WeekText;    // week picker
    QString GridDayText; // the grid's current cell, e.g. "15"
    QString TabCaption;  // caption of the visible tab, used on tabs 4..6
    QString WeekDates;   // the days of the week picker's week, e.g. "12–18 мая 2024"
};

// The month picker's text without its leading "(n) ".
QString MonthNameOfPicker(const QString& monthPickerText);

// The name Save as proposes on each tab; no extension.
QString DefaultFileName(const FileNameParts& parts);

// The line at the top of each printed page: the report's name and the days it covers, e.g.
// «День — 8 декабря 2026 (н. ст.)», «Седмица — 3-я по Пасхе: 12–18 мая 2024 (н. ст.)».
QString PrintedHeader(const FileNameParts& parts);

// The folder of a saved path with its final separator: characters are dropped from the end, at least one,
// until the last one left is a separator; a path without one gives "".
QString FolderOfPath(const QString& path);

// The folder a save or print dialog opens in: the last folder written to, else the user's Documents
// folder (the home folder when there is none), never the working folder the program was started in.
QString SaveFolder(const QString& lastDir);

// The filters of the save dialog: type 1 RTF, type 2 text in Windows-1251, type 3 text in UTF-8. Each
// matches its extension in either case.
QStringList SaveFilters();

// The path with the extension of a file type (".rtf" or ".txt") added when the name has none of its
// own. The dots inside "Р.Х." start no extension: one is a dot followed by letters and digits alone.
QString WithExtension(const QString& path, int fileType);

// Whether the file at `path` may be written: yes when nothing is there, or when the save dialog itself
// already asked about this very name (`path` equals `chosen`); else the user is asked «Файл … уже
// существует. Заменить?» under `title`. The extension is added after the dialog, so that name was never
// checked by it.
bool MayReplace(QWidget* parent, const QString& chosen, const QString& path, const QString& title);

// Both formats of a piece of a report for the clipboard: RTF ("text/rtf", and on Windows the registered
// "Rich Text Format") and plain text.
QMimeData* MakeReportMimeData(const QByteArray& rtf, const QString& text);

class FileCommands {
public:
    explicit FileCommands(Settings& settings) : m_settings(settings) {}

    // Opening the File menu, or a right press over a report: "&Копировать" and "&Искать выделенный текст"
    // are enabled exactly when the visible report has a selection.
    static void TestmnuFile(const RichTextView* visible, QAction* mnuCopy, QAction* mnuFindSelText);

    // A right press over a report: TestmnuFile, then the whole File menu at the pointer.
    static void PopupFileMenu(QMenu* mnuFile, const QPoint& globalPos, const RichTextView* visible,
                              QAction* mnuCopy, QAction* mnuFindSelText);

    // "Сохранить &как...": asks for a path and a type (RTF or plain text, by the chosen type whatever the
    // extension), saves, and on success sets LastDir to the file's folder. A cancel is silent; a failure
    // names the file and the reason. True when the file was written.
    bool SaveAs(QWidget* parent, RichTextView& visible, const QString& defaultName);

    // "&Копировать" and "Копировать &все": the selection, or the whole report, in both formats.
    static void Copy(const RichTextView& visible);
    static void CopyAll(const RichTextView& visible);

    // "&Печать...": the print dialog with the selection preselected when there is one, then the selection
    // or the whole report as the dialog says. A cancel is silent; a failure names the printer (or the
    // output file) and the reason. True when the report was printed. The job is named `documentName`;
    // printing into a file proposes that name with ".pdf" in `folder` (the home folder when empty).
    // Each page is headed by `header`.
    static bool Print(QWidget* parent, RichTextView& visible, const QString& documentName = QString(),
                      const QString& folder = QString(), const QString& header = QString());

    // The same once a printer has been chosen: prints the selection when `printer` asks for the
    // selection and there is one, else the whole report.
    static bool PrintTo(QPrinter& printer, RichTextView& visible, const QString& header = QString(),
                        QString* error = nullptr);

    // The file type the next Save as opens with: 1 RTF, 2 plain text, 3 plain text in UTF-8.
    int FileType() const { return m_fileType; }

private:
    Settings& m_settings;
    int m_fileType = 1;
};

} // namespace vorelian
