#include "ui/frmgoto.h"

#include "core/tables.h"
#include "ui/stylestable.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorelian {

frmGoTo::frmGoTo(QWidget* parent, const CalendarState& state, GoFn go)
    : QDialog(parent), state_(state), go_(std::move(go)) {
    setObjectName(QStringLiteral("frmGoTo"));
    setWindowTitle(QStringLiteral("Перейти к дате"));
    const int16_t style = state_.CurStyle;
    auto* prompt = new QLabel(QStringLiteral("Дата%1 (день, месяц, год):").arg(StyleNames[style]), this);
    line_ = new QLineEdit(StyleDateText(state_, style).trimmed(), this);
    line_->setObjectName(QStringLiteral("DateLine"));
    line_->selectAll();
    prompt->setBuddy(line_);
    const QString order =
        style == StyleAnnoMundi ? QStringLiteral("1 — сентябрь") : QStringLiteral("1 — январь");
    auto* hint = new QLabel(
        QStringLiteral("Месяц — словом или номером (%1); без года — в текущем году; 2027-05-02 — дата по "
                       "новому стилю.")
            .arg(order),
        this);
    hint->setWordWrap(true);
    hint->setEnabled(false);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("Message"));
    message_->setWordWrap(true);
    QFont bold = message_->font();
    bold.setBold(true);
    message_->setFont(bold);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message_->hide();

    auto* buttons = new QDialogButtonBox(this);
    goButton_ = buttons->addButton(QStringLiteral("Перейти"), QDialogButtonBox::AcceptRole);
    goButton_->setObjectName(QStringLiteral("GoButton"));
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmGoTo::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmGoTo::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(line_);
    layout->addWidget(hint);
    layout->addWidget(message_);
    layout->addWidget(buttons);
    line_->setMinimumWidth(line_->fontMetrics().horizontalAdvance(QStringLiteral("30 сентября 7608 года")) +
                           16);
}

void frmGoTo::accept() {
    QString error;
    const auto date = Navigation::ParseTypedDate(state_, state_.CurStyle, line_->text(), &error);
    if (!date) {
        message_->setText(error);
        message_->show();
        // The window grows to the wrapped message, so that none of it is cut.
        layout()->activate();
        const int needed = layout()->totalHeightForWidth(width());
        if (needed > height())
            resize(width(), needed);
        line_->setFocus();
        line_->selectAll();
        return;
    }
    QDialog::accept();
    if (go_)
        go_(*date);
}

} // namespace vorelian
