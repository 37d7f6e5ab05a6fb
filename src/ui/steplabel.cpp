#include "ui/steplabel.h"

#include <QMouseEvent>

namespace vorelian {

namespace {
bool Steps(const QMouseEvent* event) {
    return event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton;
}
} // namespace

StepLabel::StepLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAlignment(Qt::AlignCenter);
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

} // namespace vorelian
