// The "Да" and "Отмена" buttons of the program's small dialogs: "Да" takes Enter, "Отмена" never does and
// closes the dialog unaccepted. Named cbOk and cbCancel, as the tests find them.
#pragma once

class QDialog;
class QPushButton;

namespace vorelian {

struct DialogButtons {
    QPushButton* Ok = nullptr;
    QPushButton* Cancel = nullptr;
};

// Makes the two buttons as children of `dialog`; what "Да" does is the dialog's own.
DialogButtons MakeDialogButtons(QDialog* dialog);

} // namespace vorelian
