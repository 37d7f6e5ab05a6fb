#include "ui/frmabout.h"

#include "ui/helplinks.h"
#include "ui/uiservices.h"
#include "ui/windowplace.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>

namespace vorelian {

namespace {

void SetLinkLook(QLabel* label, bool lit) {
    QFont f = label->font();
    f.setUnderline(lit);
    label->setFont(f);
    QPalette p = label->palette();
    // The desktop's own link and text colours, readable on its own window colour.
    p.setColor(QPalette::WindowText,
               QApplication::palette().color(lit ? QPalette::Link : QPalette::WindowText));
    label->setPalette(p);
}

} // namespace

frmAbout::frmAbout(QWidget* parent, const Contacts& contacts) : QDialog(parent), contacts_(contacts) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("О программе"));
    setMouseTracking(true);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    const QIcon icon = QApplication::windowIcon().isNull()
                           ? style()->standardIcon(QStyle::SP_MessageBoxInformation)
                           : QApplication::windowIcon();
    image->setPixmap(icon.pixmap(48, 48));

    auto* label1 = new QLabel(kProductName, this);
    label1->setObjectName(QStringLiteral("Label1"));
    QFont big = label1->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    label1->setFont(big);
    auto* label2 = new QLabel(VersionText(), this);
    label2->setObjectName(QStringLiteral("Label2"));
    auto* label3 = new QLabel(kLegalNotice, this);
    label3->setObjectName(QStringLiteral("Label3"));

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    m_label4 = new QLabel(QStringLiteral("Сайт: ") + contacts_.HomePage, this);
    m_label4->setObjectName(QStringLiteral("Label4"));
    m_label4->setHidden(contacts_.HomePage.isEmpty());
    m_label5 = new QLabel(QStringLiteral("Почта: ") + contacts_.EMail, this);
    m_label5->setObjectName(QStringLiteral("Label5"));
    m_label5->setHidden(contacts_.EMail.isEmpty());
    for (QLabel* link : {m_label4, m_label5}) {
        link->setCursor(Qt::PointingHandCursor);
        link->setMouseTracking(true);
        link->installEventFilter(this);
        SetLinkLook(link, false);
    }

    m_ok = new QPushButton(QStringLiteral("Закрыть"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QWidget::close);

    auto* grid = new QGridLayout(this);
    grid->addWidget(image, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(label1, 0, 1);
    grid->addWidget(label2, 1, 1);
    grid->addWidget(label3, 2, 1);
    line->setHidden(m_label4->isHidden() && m_label5->isHidden());
    grid->addWidget(line, 3, 0, 1, 2);
    grid->addWidget(m_label4, 4, 0, 1, 2);
    grid->addWidget(m_label5, 5, 0, 1, 2);
    grid->addWidget(m_ok, 6, 0, 1, 2, Qt::AlignRight);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

frmAbout* frmAbout::ShowAbout(QWidget* owner, const Contacts& contacts) {
    auto* box = new frmAbout(owner, contacts);
    PlaceCentreThirdDown(box);
    box->show();
    PlaceCentreThirdDown(box); // again with the frame the window got when shown
    return box;
}

void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    Highlight(nullptr);
    QDialog::mouseMoveEvent(event);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    auto* link = qobject_cast<QLabel*>(watched);
    if (link != m_label4 && link != m_label5)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
        Highlight(link);
        return true; // the form's own move would clear the highlight
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton && link->rect().contains(me->position().toPoint()))
            Services().OpenUrl(link == m_label4 ? HomePageUrl(contacts_.HomePage)
                                                : MailUrl(contacts_.EMail, false));
        return true;
    }
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void frmAbout::Highlight(QLabel* link) {
    SetLinkLook(m_label4, link == m_label4);
    SetLinkLook(m_label5, link == m_label5);
}

} // namespace vorelian
