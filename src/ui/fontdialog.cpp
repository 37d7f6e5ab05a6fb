#include "ui/fontdialog.h"

#include "core/settings.h"
#include "report/report.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace vorelian {

namespace {

// The largest size a report header can carry in half-points within 16 bits, with room to spare.
constexpr double kMaxPoints = MaxFontSize;

QString StyleName(bool bold, bool italic) {
    if (bold && italic)
        return QStringLiteral("Полужирный курсив");
    if (bold)
        return QStringLiteral("Полужирный");
    if (italic)
        return QStringLiteral("Курсив");
    return QStringLiteral("Обычный");
}

// A size typed in the user's number format, or in the plain one with a point.
std::optional<double> ParseSize(const QString& text) {
    bool ok = false;
    double v = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v) || v < 1 || v > kMaxPoints)
        return std::nullopt;
    return v;
}

} // namespace

ReportFontDialog::ReportFontDialog(const FontChoice& current, QWidget* parent)
    : QDialog(parent), m_current(current) {
    setWindowTitle(QStringLiteral("Шрифт"));

    m_face = new QFontComboBox(this);
    m_face->setObjectName(QStringLiteral("face"));
    m_face->setEditable(true);
    m_face->setCurrentFont(QFont(current.Face));
    m_face->setEditText(current.Face); // a face this system lacks is kept by name

    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("size"));
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    for (int s : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        m_size->addItem(QString::number(s));
    m_size->setEditText(QLocale().toString(current.Size));

    // Bold and italic belong to the program, not to this choice: shown, greyed out.
    m_style = new QComboBox(this);
    m_style->setObjectName(QStringLiteral("style"));
    m_style->addItem(StyleName(current.Bold, current.Italic));
    m_style->setEnabled(false);

    m_sample = new QLabel(QStringLiteral("АаБбВв AaBbYyZz"), this);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setMinimumHeight(48);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFrameShape(QFrame::StyledPanel);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("ОК"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Шрифт:"), m_face);
    form->addRow(QStringLiteral("&Размер:"), m_size);
    form->addRow(QStringLiteral("Начертание:"), m_style);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_sample);
    layout->addWidget(m_buttons);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_face, &QComboBox::editTextChanged, this, &ReportFontDialog::Refresh);
    connect(m_size, &QComboBox::editTextChanged, this, &ReportFontDialog::Refresh);
    Refresh();
}

std::optional<FontChoice> ReportFontDialog::Choice() const {
    const auto size = ParseSize(m_size->currentText());
    const QString face = m_face->currentText().trimmed();
    if (!size || face.isEmpty())
        return std::nullopt;
    return FontChoice{face, *size, m_current.Bold, m_current.Italic};
}

void ReportFontDialog::Refresh() {
    const auto choice = Choice();
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(choice.has_value());
    if (!choice)
        return;
    QFont f(choice->Face);
    f.setPointSizeF(std::min(choice->Size, 72.0));
    f.setBold(choice->Bold);
    f.setItalic(choice->Italic);
    m_sample->setFont(f);
}

std::optional<FontChoice> RunReportFontDialog(QWidget* parent, const FontChoice& current) {
    ReportFontDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

int16_t RoundHalfEven(double points) {
    const double lower = std::floor(points);
    const double fraction = points - lower;
    double whole = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0))
        whole = lower + 1;
    return static_cast<int16_t>(whole);
}

bool ChangeReportFont(QWidget* parent, Settings& settings, Reports& reports,
                      const std::function<void()>& buildReport) {
    const FontChoice current{settings.FontName, double(settings.FontSize), settings.FontBold,
                             settings.FontItalic};
    const auto choice = Services().ChooseFont(parent, current);
    if (!choice || choice->Face.trimmed().isEmpty() || !(choice->Size >= 1 && choice->Size <= kMaxPoints))
        return false;
    settings.FontName = choice->Face;
    settings.FontSize = RoundHalfEven(choice->Size);
    settings.FontBold = choice->Bold;
    settings.FontItalic = choice->Italic;
    ClearReportStyles(reports);
    if (buildReport)
        buildReport();
    return true;
}

} // namespace vorelian
