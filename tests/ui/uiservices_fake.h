// Answers for the dialogs that a person would give, and a record of what would have been shown: the
// tests of the window layer put this in with SetServices so that nothing waits for a person.
#pragma once

#include "ui/uiservices.h"

#include <QPrinter>
#include <QUrl>

#include <functional>
#include <optional>
#include <vector>

namespace vorelian::testing {

struct ShownMessage {
    QMessageBox::Icon Icon;
    QString Title;
    QString Text;
};

// What the save dialog was opened with.
struct SaveRequest {
    QString Folder;
    QString FileName;
    QStringList Filters;
    int FileType = 0;
};

class FakeServices : public UiServices {
public:
    FakeServices() { SetServices(this); }
    ~FakeServices() override { SetServices(nullptr); }

    void ShowMessage(QWidget*, QMessageBox::Icon icon, const QString& title, const QString& text) override {
        Messages.push_back({icon, title, text});
    }

    bool Ask(QWidget*, const QString& title, const QString& text) override {
        Questions.push_back({QMessageBox::Question, title, text});
        return AskAnswer;
    }

    std::optional<SaveChoice> ChooseSavePath(QWidget*, const QString& folder, const QString& fileName,
                                             const QStringList& filters, int fileType) override {
        SaveRequests.push_back({folder, fileName, filters, fileType});
        return SaveAnswer;
    }

    bool ChoosePrinter(QWidget*, QPrinter& printer, bool selection) override {
        PrinterRequests.push_back(selection);
        PreselectedRange.push_back(printer.printRange());
        ProposedFiles.push_back(printer.outputFileName());
        if (!PrinterAnswer)
            return false;
        PrinterAnswer(printer);
        return true;
    }

    void PreviewPrint(QWidget*, QPrinter& printer, const std::function<void(QPrinter&)>& paint) override {
        Previews.push_back(printer.docName());
        if (PrinterAnswer) { // the user prints from the preview
            PrinterAnswer(printer);
            paint(printer);
        }
    }

    std::optional<FontChoice> ChooseFont(QWidget*, const FontChoice& current) override {
        FontRequests.push_back(current);
        return FontAnswer;
    }

    void OpenUrl(const QUrl& url) override { Opened.push_back(url); }

    std::vector<ShownMessage> Messages;
    std::vector<ShownMessage> Questions;
    bool AskAnswer = false; // the answer to every question: false is «Нет»
    std::vector<SaveRequest> SaveRequests;
    std::optional<SaveChoice> SaveAnswer; // empty: the user cancels
    std::vector<bool> PrinterRequests;
    std::vector<QPrinter::PrintRange> PreselectedRange;
    std::vector<QString> ProposedFiles;           // the file the print dialog opened with
    std::function<void(QPrinter&)> PrinterAnswer; // empty: the user cancels; else sets the printer up
    std::vector<QString> Previews;                // the documents shown in a print preview
    std::vector<FontChoice> FontRequests;
    std::optional<FontChoice> FontAnswer; // empty: the user cancels
    std::vector<QUrl> Opened;
};

} // namespace vorelian::testing
