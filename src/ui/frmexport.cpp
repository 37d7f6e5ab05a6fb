#include "ui/frmexport.h"

#include "ui/dialogbuttons.h"
#include "ui/uiservices.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorelian {
namespace {

const QString kCaption = QStringLiteral("Экспорт в календарь");

DateParts PartsOf(const QDate& d) {
    return {int16_t(d.year()), int16_t(d.month()), int16_t(d.day())};
}

QDateEdit* DateBox(const QDate& date, QDate earliest, QDate latest, const QString& name, QWidget* parent) {
    auto* box = new QDateEdit(parent);
    box->setObjectName(name);
    box->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    box->setCalendarPopup(true);
    box->setDateRange(earliest, latest);
    box->setDate(date);
    return box;
}

} // namespace

frmExport::frmExport(const IcalRequest& proposed, QDate earliest, QDate latest, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(kCaption);
    m_from = DateBox(proposed.From, earliest, latest, QStringLiteral("dtFrom"), this);
    m_to = DateBox(proposed.To, earliest, latest, QStringLiteral("dtTo"), this);
    m_scope = new QComboBox(this);
    m_scope->setObjectName(QStringLiteral("cmbScope"));
    m_scope->addItem(QStringLiteral("Великие праздники"), int(IcalScope::Great));
    m_scope->addItem(QStringLiteral("Красные дни"), int(IcalScope::Red));
    m_scope->addItem(QStringLiteral("Все дни с памятями"), int(IcalScope::All));
    m_scope->setCurrentIndex(m_scope->findData(int(proposed.Scope)));

    const DialogButtons yesNo = MakeDialogButtons(this);
    m_ok = yesNo.Ok;
    m_cancel = yesNo.Cancel;

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("С (по новому стилю):"), m_from);
    form->addRow(QStringLiteral("По (по новому стилю):"), m_to);
    form->addRow(QStringLiteral("Что включить:"), m_scope);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, [this] { Confirm(); });
}

IcalRequest frmExport::Request() const {
    return {m_from->date(), m_to->date(), IcalScope(m_scope->currentData().toInt())};
}

bool frmExport::Confirm() {
    const IcalRequest r = Request();
    if (!IcalRangeFits(PartsOf(r.From), PartsOf(r.To))) {
        Services().ShowMessage(this, QMessageBox::Warning, kCaption,
                               QStringLiteral("Последний день не может быть раньше первого, а весь "
                                              "диапазон — длиннее %1 лет.")
                                   .arg(MaxIcalYears));
        return false;
    }
    accept();
    return true;
}

} // namespace vorelian
