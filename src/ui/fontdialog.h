// The report font: a small dialog in which the face and the size can be chosen while bold and italic are
// shown but cannot be changed, and the "&Шрифт..." command that stores the choice and brings the reports
// up to date.
#pragma once

#include "core/settings.h"
#include "ui/uiservices.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QDialogButtonBox;
class QFontComboBox;
class QLabel;

namespace vorelian {

struct Reports;

class ReportFontDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReportFontDialog(const FontChoice& current, QWidget* parent = nullptr);

    // The face and size shown now, with bold and italic as passed in. Empty while the size is not a number.
    std::optional<FontChoice> Choice() const;

private:
    void Refresh();

    FontChoice m_current;
    QFontComboBox* m_face;
    QComboBox* m_size;
    QComboBox* m_style;
    QLabel* m_sample;
    QDialogButtonBox* m_buttons;
};

// Shows the dialog modally; empty when cancelled.
std::optional<FontChoice> RunReportFontDialog(QWidget* parent, const FontChoice& current);

// Whole points from a size with a fraction; a half goes to the even neighbour (10.5 -> 10, 11.5 -> 12).
int16_t RoundHalfEven(double points);

// "&Шрифт...": asks for the report font; on a choice stores face, size, bold and italic in `settings`,
// makes every report out of date and calls `buildReport` to rebuild the visible one. Returns false and
// changes nothing when the dialog is cancelled.
bool ChangeReportFont(QWidget* parent, Settings& settings, Reports& reports,
                      const std::function<void()>& buildReport);

} // namespace vorelian
