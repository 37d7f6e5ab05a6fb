// A "<" or ">" step beside a date picker. It steps on the press of the left or the middle button and once
// more on a double click, so a double click makes two steps; the right button does nothing.
#pragma once

#include <QLabel>

namespace vorelian {

class StepLabel : public QLabel {
    Q_OBJECT
public:
    StepLabel(const QString& caption, QWidget* parent = nullptr);

Q_SIGNALS:
    void Step();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace vorelian
