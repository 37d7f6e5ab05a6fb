// "Диапазон годов": the dialog in which the user sets the working range of years (Julian years, the same
// range for all three styles). NewRange checks the two numbers, stores the range in the calendar state
// and asks the main window to follow through RangeHost.
#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vorelian {

struct CalendarState;
struct Settings;

// The main window's steps after a new range.
class RangeHost {
public:
    virtual ~RangeHost() = default;
    virtual void SetYearsMonths() = 0; // refill the year (and month) pickers for the new range
    virtual void GoToday() = 0;        // move to today's date, redraw
    virtual void BuildReport() = 0;    // rebuild the visible report when it is out of date
    virtual void SetGridCal() = 0;     // redraw the month grid
};

// A year as typed: a number in the user's format (or with a plain point), truncated toward zero.
// Empty for anything that is not a finite number.
std::optional<double> ReadYear(const QString& text);

// What keeps first..last (as ReadYear gave them) from becoming the range with the clock in `clockYear`:
// which year is wrong and the years each may take, in Russian; empty when the range may be taken.
QString RangeProblem(std::optional<double> first, std::optional<double> last, int clockYear);

class frmRange : public QDialog {
    Q_OBJECT
public:
    // `settings` may be null; when given, its MinYear and MaxYear follow the range for the exit sequence.
    frmRange(CalendarState& state, RangeHost& host, Settings* settings, QWidget* parent = nullptr);

    // "&Диапазон годов...": shows the dialog owned by `owner`, creating it only when it is not open yet.
    static frmRange* ShowRange(QWidget* owner, CalendarState& state, RangeHost& host, Settings* settings);

    enum class Outcome { Unchanged, Refused, Applied };

    // "Да" and Enter: validate the two boxes and apply them. Closes the dialog unless refused.
    Outcome NewRange();

    // The year of the computer's clock that the range must contain; tests may fix it.
    void SetClockYear(int year) { m_clockYear = year; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CalendarState& m_state;
    RangeHost& m_host;
    Settings* m_settings;
    int m_clockYear;
    QLineEdit* m_text1;
    QLineEdit* m_text2;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace vorelian
