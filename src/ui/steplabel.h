// A "<" or ">" step beside a date picker. It steps on the press of the left or the middle button and once
// more on a double click, so a double click makes two steps; the right button does nothing. The Tab key
// reaches it (a click leaves the focus where it was), it shows a focus frame, and Space or Enter steps.
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
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vorelian
