// "Экспорт в календарь (iCalendar)": the dialog that asks for the days and the scope of a calendar file
// for other programs. It only asks and checks the range; the export command computes and writes.
#pragma once

#include "report/export.h"

#include <QDate>
#include <QDialog>

class QComboBox;
class QDateEdit;
class QPushButton;

namespace vorelian {

// What the user asked to export: Gregorian dates, both ends included.
struct IcalRequest {
    QDate From, To;
    IcalScope Scope = IcalScope::All;
};

class frmExport : public QDialog {
    Q_OBJECT
public:
    // Opens with `proposed`; the dates may be chosen within earliest..latest.
    frmExport(const IcalRequest& proposed, QDate earliest, QDate latest, QWidget* parent = nullptr);

    IcalRequest Request() const;

    // "Да": closes with the request when the range is in order and short enough, else says why and stays.
    bool Confirm();

private:
    QDateEdit* m_from;
    QDateEdit* m_to;
    QComboBox* m_scope;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace vorelian
