#include "ui/steplabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace vorelian {

namespace {
bool Steps(const QMouseEvent* event) {
    return event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton;
}
} // namespace

StepLabel::StepLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::TabFocus);
}

void StepLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (Steps(event))
        Q_EMIT Step();
}

void StepLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (Steps(event))
        Q_EMIT Step();
}

void StepLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        Q_EMIT Step();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void StepLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

} // namespace vorelian
