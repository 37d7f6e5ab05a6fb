#include "ui/frmrange.h"

#include "core/recalc.h"
#include "core/settings.h"
#include "core/state.h"
#include "ui/dialogbuttons.h"
#include "ui/uiservices.h"
#include "ui/windowplace.h"

#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <cmath>

namespace vorelian {

namespace {

const QString kCaption = QStringLiteral("Диапазон годов");

} // namespace

std::optional<double> ReadYear(const QString& text) {
    bool ok = false;
    double v = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return std::trunc(v);
}

QString RangeProblem(std::optional<double> first, std::optional<double> last, int clockYear) {
    QString wrong;
    if (!first)
        wrong = QStringLiteral("Первый год не задан числом.");
    else if (*first < kFirstYear)
        wrong = QStringLiteral("Первый год не может быть раньше %1.").arg(kFirstYear);
    else if (*first >= clockYear)
        wrong = QStringLiteral("Первый год должен быть раньше текущего, %1.").arg(clockYear);
    else if (!last)
        wrong = QStringLiteral("Последний год не задан числом.");
    else if (*last > kLastYear)
        wrong = QStringLiteral("Последний год не может быть позже %1.").arg(kLastYear);
    else if (*last <= clockYear)
        wrong = QStringLiteral("Последний год должен быть позже текущего, %1.").arg(clockYear);
    if (wrong.isEmpty())
        return wrong;
    // The years each box may take, so that the user need not guess the rule.
    return wrong + QStringLiteral("\nПервый год — от %1 до %2, последний — от %3 до %4.")
                       .arg(kFirstYear)
                       .arg(clockYear - 1)
                       .arg(clockYear + 1)
                       .arg(kLastYear);
}

frmRange::frmRange(CalendarState& state, RangeHost& host, Settings* settings, QWidget* parent)
    : QDialog(parent), m_state(state), m_host(host), m_settings(settings),
      m_clockYear(QDate::currentDate().year()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kCaption);

    auto* label1 = new QLabel(QStringLiteral("Рабочий диапазон годов\nпо старому стилю\n"
                                             "(максимально: от %1 до %2)")
                                  .arg(kFirstYear)
                                  .arg(kLastYear),
                              this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setAlignment(Qt::AlignCenter);
    m_text1 = new QLineEdit(QString::number(state.MinYears[StyleJulian]), this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    auto* label2 = new QLabel(QStringLiteral("\u2013"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    m_text2 = new QLineEdit(QString::number(state.MaxYears[StyleJulian]), this);
    m_text2->setObjectName(QStringLiteral("Text2"));
    for (QLineEdit* box : {m_text1, m_text2}) {
        box->setAlignment(Qt::AlignCenter);
        box->installEventFilter(this);
    }

    const DialogButtons yesNo = MakeDialogButtons(this);
    m_ok = yesNo.Ok;
    m_cancel = yesNo.Cancel;

    auto* years = new QHBoxLayout;
    years->addWidget(m_text1);
    years->addWidget(label2);
    years->addWidget(m_text2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QGridLayout(this);
    layout->addWidget(label1, 0, 0);
    layout->addLayout(years, 1, 0);
    layout->addLayout(buttons, 2, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, [this] { NewRange(); });
}

frmRange* frmRange::ShowRange(QWidget* owner, CalendarState& state, RangeHost& host, Settings* settings) {
    static QPointer<frmRange> open;
    const bool load = !open;
    if (load) {
        open = new frmRange(state, host, settings, owner);
        PlaceCentreThirdDown(open);
    }
    open->show();
    if (load)
        PlaceCentreThirdDown(open); // again with the frame the window got when shown
    open->raise();
    open->activateWindow();
    return open;
}

frmRange::Outcome frmRange::NewRange() {
    const auto first = ReadYear(m_text1->text());
    const auto last = ReadYear(m_text2->text());
    if (first && last && *first == m_state.MinYears[StyleJulian] && *last == m_state.MaxYears[StyleJulian]) {
        accept();
        return Outcome::Unchanged;
    }
    if (const QString problem = RangeProblem(first, last, m_clockYear); !problem.isEmpty()) {
        Services().ShowMessage(this, QMessageBox::Warning, kCaption, problem);
        return Outcome::Refused;
    }

    const auto minYear = static_cast<int16_t>(*first);
    const auto maxYear = static_cast<int16_t>(*last);
    SetYearRange(m_state, minYear, maxYear);
    if (m_settings) {
        m_settings->MinYear = minYear;
        m_settings->MaxYear = maxYear;
    }

    m_host.SetYearsMonths();
    const int16_t s = m_state.CurStyle;
    const int16_t year = m_state.StyleDates[s].Year;
    if (year < m_state.MinYears[s] || year > m_state.MaxYears[s]) {
        m_host.GoToday();
        m_host.BuildReport();
    } else {
        m_host.SetGridCal();
    }
    accept();
    return Outcome::Applied;
}

bool frmRange::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && (watched == m_text1 || watched == m_text2)) {
        auto* box = static_cast<QLineEdit*>(watched);
        box->selectAll();
        // A click that brought the focus would place the caret after this; select again once it is done.
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus())
                box->selectAll();
        });
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vorelian
