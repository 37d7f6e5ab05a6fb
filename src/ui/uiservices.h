// The window layer's ways out to the person and the desktop: message boxes, the save, print and font
// dialogs, and the shell's opening of files and addresses. Every command reaches them through Services(),
// so that a test can put in its own answers and read what would have been shown, without a person.
#pragma once

#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QPrinter;
class QUrl;
class QWidget;

namespace vorelian {

// What the save dialog answers: the chosen path and the chosen file type (1-based index of the filter).
struct SaveChoice {
    QString Path;
    int FileType = 1;
};

// The face and size chosen in the report font dialog; bold and italic are those passed in.
struct FontChoice {
    QString Face;
    double Size = 10; // points, as typed: may have a fraction
    bool Bold = false;
    bool Italic = false;
};

class UiServices {
public:
    virtual ~UiServices() = default;

    // A modal message box with one button.
    virtual void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                             const QString& text);

    // A modal question with the buttons «Да» and «Нет», «Нет» the default. True for «Да».
    virtual bool Ask(QWidget* parent, const QString& title, const QString& text);

    // The save dialog: opens in `folder` with `fileName` proposed and filter `fileType` chosen.
    // Empty when cancelled.
    virtual std::optional<SaveChoice> ChooseSavePath(QWidget* parent, const QString& folder,
                                                     const QString& fileName, const QStringList& filters,
                                                     int fileType);

    // The print dialog over `printer`; `selection` preselects printing the selection. False when cancelled.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer, bool selection);

    // The print preview of what `paint` draws on `printer`, printed from the preview when the user asks.
    virtual void PreviewPrint(QWidget* parent, QPrinter& printer,
                              const std::function<void(QPrinter&)>& paint);

    // The report font dialog. Empty when cancelled.
    virtual std::optional<FontChoice> ChooseFont(QWidget* parent, const FontChoice& current);

    // Hands a file, web address or mail link to the desktop; the outcome is not examined.
    virtual void OpenUrl(const QUrl& url);
};

// The services in use: the real ones unless a test has put in its own.
UiServices& Services();

// Puts in other services for the rest of the run; nullptr goes back to the real ones. The caller keeps
// ownership.
void SetServices(UiServices* services);

} // namespace vorelian
