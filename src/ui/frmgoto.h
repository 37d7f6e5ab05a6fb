// "Перейти к дате": one line for a date typed in the current style (day, month by name or by number in
// the style's order, year), opened from the Calendar menu. A date that cannot be read, a day the month
// does not have or a date outside the range of years is explained under the line and the window stays
// open; a good date becomes the current day and the window closes.
#pragma once

#include "core/navigation.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vorelian {

class frmGoTo : public QDialog {
    Q_OBJECT
public:
    using GoFn = std::function<void(const Navigation::TypedDate&)>;

    // Reads the state when shown and at every attempt; `go` moves to a good date.
    frmGoTo(QWidget* parent, const CalendarState& state, GoFn go);

    QLineEdit* DateLine() const { return line_; }
    QLabel* Message() const { return message_; }
    QPushButton* GoButton() const { return goButton_; }

public Q_SLOTS:
    void accept() override;

private:
    const CalendarState& state_;
    GoFn go_;
    QLineEdit* line_;
    QLabel* message_;
    QPushButton* goButton_;
};

} // namespace vorelian
