// The five date pickers of the right-hand column, each between its "<" and ">" step: 0 style, 1 year,
// 2 month, 3 week, 4 weekday. The pickers only show the calendar state; a choice made by the user is
// reported with PickerChanged (new and previous list index), a step with StepBack / StepForward.
//
// While code re-selects the pickers (BeginUpdate .. EndUpdate) their changes are not reported.
// PrevListIndex is the list index the picker being changed had before the change: taken when a picker
// gets the focus, after each handled change, and whenever code has re-selected the focused picker, so
// that a change made from the keyboard after a jump elsewhere moves by what the user sees.
#pragma once

#include "core/state.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <cstdint>

class QComboBox;
class QWidget;

namespace vorelian {

class StepLabel;

// The item texts of the pickers.
QStringList StyleItems();
QStringList YearItems(int16_t lowest, int16_t highest);
QStringList MonthItems(int16_t style);
// Weeks of a year with Pascha in week P, A weeks after last year's Pentecost carried into it and B weeks
// after this year's Pentecost.
QStringList WeekItems(int16_t P, int16_t A, int16_t B);
QStringList WeekdayItems(int16_t firstWeekday);
// The days of week `week` (1-based, Sunday to Saturday) of the current year in the current style, as a
// reader says them: «12–18 мая 2024», «28 апреля – 4 мая 2024», «29 декабря 2024 – 4 января 2025».
QString WeekDatesText(const CalendarState& st, int week);

class DatePickers : public QObject {
    Q_OBJECT
public:
    // Creates the pickers and their steps inside the right-hand column `con1`; Place puts them.
    explicit DatePickers(QWidget* con1);

    // The width a picker needs to show its longest item in any year and style, in the pickers' font.
    int NeededWidth() const;
    // Places the five rows from `top`: a step `stepWidth` wide, `gap`, the picker, `gap`, the other
    // step; rows `height` high and `gap` apart. Returns the bottom of the last row.
    int Place(int left, int top, int stepWidth, int pickerWidth, int height, int gap);

    std::array<QComboBox*, 5> Combo1{};
    std::array<StepLabel*, 5> Label1{}; // "<"
    std::array<StepLabel*, 5> Label2{}; // ">"

    int16_t PrevListIndex = 0;
    bool UpdatingPickers = false;

    // The year and month lists, rebuilt only when the year range of the style differs from the list.
    void SetYearsMonths(const CalendarState& st);
    void SetWeeks(const CalendarState& st); // rebuilt only when the week names differ
    // Greys out each "<" and ">" whose step would leave the range of years.
    void EnableSteps(const CalendarState& st);
    void SetWeekdayItems(int16_t firstWeekday);
    void SetBackground(const QColor& color);

    void BeginUpdate();
    void EndUpdate();
    // Selects the items of the current state (inside BeginUpdate .. EndUpdate).
    void SelectAll(const CalendarState& st, int16_t firstWeekday);
    void SelectWeekAndWeekday(const CalendarState& st, int16_t firstWeekday);

    // Lets the lists of the year, month and week pickers drop down to `bottom` (in the coordinates of
    // the pickers' container).
    void ReSizeCombo(int bottom);

Q_SIGNALS:
    void PickerChanged(int index, int newIndex, int oldIndex);
    void StepBack(int index);
    void StepForward(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Combo1_Click(int index);
    // A year typed into the year picker, on Enter or on leaving the box: chosen when the list has it, else
    // the shown year put back, after a message that gives the range when `tell` (Enter) asks for one.
    void TakeYear(bool tell);
    int32_t weeksYearStart_ = 0; // the first day of the year whose dates the week items carry
    int16_t weeksStyle_ = 0;
    static void Fill(QComboBox* combo, const QStringList& items);
};

} // namespace vorelian
