#include "ui/uiservices.h"

#include "ui/fontdialog.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QUrl>

namespace vorelian {

namespace {
UiServices* g_override = nullptr;
} // namespace

UiServices& Services() {
    static UiServices real;
    return g_override ? *g_override : real;
}

void SetServices(UiServices* services) {
    g_override = services;
}

void UiServices::ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                             const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool UiServices::Ask(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<SaveChoice> UiServices::ChooseSavePath(QWidget* parent, const QString& folder,
                                                     const QString& fileName, const QStringList& filters,
                                                     int fileType) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (fileType >= 1 && fileType <= filters.size())
        dialog.selectNameFilter(filters[fileType - 1]);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int chosen = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return SaveChoice{dialog.selectedFiles().constFirst(), chosen > 0 ? chosen : fileType};
}

bool UiServices::ChoosePrinter(QWidget* parent, QPrinter& printer, bool selection) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setPrintRange(selection ? QAbstractPrintDialog::Selection : QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

void UiServices::PreviewPrint(QWidget* parent, QPrinter& printer,
                              const std::function<void(QPrinter&)>& paint) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* p) { paint(*p); });
    dialog.exec();
}

std::optional<FontChoice> UiServices::ChooseFont(QWidget* parent, const FontChoice& current) {
    return RunReportFontDialog(parent, current);
}

void UiServices::OpenUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

} // namespace vorelian
