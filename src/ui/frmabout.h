// The About box: product name, version, licence and two links (the home page and the author's e-mail)
// that light up blue and underlined under the mouse; a link whose address is empty is not shown. Not
// modal; "Да" or the frame's close command closes and deletes it.
#pragma once

#include "ui/helplinks.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vorelian {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr, const Contacts& contacts = ProjectContacts());

    // Creates the box owned by `owner`, places it centred and a third down the screen and shows it.
    static frmAbout* ShowAbout(QWidget* owner, const Contacts& contacts = ProjectContacts());

    QLabel* Label4() const { return m_label4; }
    QLabel* Label5() const { return m_label5; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Highlight(QLabel* link); // nullptr: both links plain

    Contacts contacts_;
    QLabel* m_label4;
    QLabel* m_label5;
    QPushButton* m_ok;
};

} // namespace vorelian
