#include "ui/dialogbuttons.h"

#include <QDialog>
#include <QPushButton>

namespace vorelian {

DialogButtons MakeDialogButtons(QDialog* dialog) {
    DialogButtons b;
    b.Ok = new QPushButton(QStringLiteral("Да"), dialog);
    b.Ok->setObjectName(QStringLiteral("cbOk"));
    b.Ok->setDefault(true);
    b.Cancel = new QPushButton(QStringLiteral("Отмена"), dialog);
    b.Cancel->setObjectName(QStringLiteral("cbCancel"));
    b.Cancel->setAutoDefault(false);
    QObject::connect(b.Cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return b;
}

} // namespace vorelian
