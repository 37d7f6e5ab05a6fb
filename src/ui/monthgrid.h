// The month grid: seven rows of weekdays in display order (the first weekday of the week on top), the
// weekday names in column 0 and six weeks in columns 1..6, the 1st of the month always in column 1.
// Days of the previous month stand above the 1st in column 1, days of the next month after the last day;
// both are grey, and the cells beyond the ends of the year range stay empty. The current day carries the
// highlight, whose cell remembers what it looked like before so that the highlight can move in place;
// today, when it is another day of the month shown, carries a frame in the highlight's colour.
//
// Which day goes into which cell, and in which colours, is worked out apart from the widget by
// ComputeMonthLayout, so it is tested without a screen. The grid keeps the layout it drew and answers a
// press from it. The arrow keys move the day (up and down by a day, left and right by a week), Home and
// End go to the first and the last day of the month, PageUp and PageDown and the wheel move the month,
// Ctrl+PageUp and Ctrl+PageDown the year; the grid only reports them.
#pragma once

#include "core/state.h"
#include "engine/dayengine.h"
#include "ui/flexgrid.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace vorelian {

struct MonthCell {
    enum Kind { Previous, Current, Next };
    Kind CellKind = Current;
    QString Text; // the day in decimal, or empty
    int Back = 1; // colour roles of the grid colour table
    int Fore = 5;
    bool Bold = false;
    int32_t DayNumber = 0; // the day shown, 0 for an empty cell
};

struct MonthLayout {
    std::array<std::array<MonthCell, 7>, 7> Cells{}; // [row][column]; column 0 is not used
    std::array<std::array<bool, 7>, 7> Fast{};       // days of the month that are fast days
    int SelRow = 0, SelCol = 1;                      // the cell of the current day
    int TodayRow = -1, TodayCol = -1;                // today's cell when today is in the month shown
};

// The grid row (1..7) that shows Sunday for a first weekday of 1 (Monday) or 7 (Sunday).
int16_t SundayRowOf(int16_t firstWeekday);

// The cells of the current month of the current style, red and fast as the day engine marks its days
// (DayEngine::Month; a day without a mark is neither).
MonthLayout ComputeMonthLayout(const CalendarState& st, int16_t firstWeekday, int32_t today = 0,
                               const std::vector<DayMark>& marks = {});

class MonthGrid : public FlexGrid {
    Q_OBJECT
public:
    explicit MonthGrid(QWidget* parent = nullptr);

    // Cell sizes: the weekday column, the six week columns, the rows; the grid fits them.
    void SetCellSizes(int weekdayWidth, int dayWidth, int rowHeight);

    // The weekday abbreviations in column 0, Sunday's bold and red, the other setting's Sunday row reset.
    void SetWeekDaysNames(int16_t firstWeekday, int16_t style);

    // Fills the month with its colours and fast-day marks, puts the highlight on the current day and the
    // frame on today.
    void Fill(const CalendarState& st, int16_t firstWeekday, int32_t today = 0,
              const std::vector<DayMark>& marks = {});

    // The highlight: Highlight saves the cell's look and paints it; RestoreHighlighted paints the saved
    // look back into the highlighted cell. Today's frame follows: never on the highlighted cell.
    void Highlight(int row, int col, int16_t style);
    void RestoreHighlighted();

    // What a press finds in the layout drawn: the highlighted day, a day of another month, the day.
    const MonthLayout& Layout() const { return layout_; }
    bool IsHighlighted(int row, int col) const;
    bool IsAdjacentMonth(int row, int col) const;
    // Whether today's frame is drawn on a cell.
    bool IsTodayMarked(int row, int col) const;

    // The tooltip of a day's cell, asked for when the pointer rests on it (empty: none).
    std::function<QString(int32_t dayNumber)> DayTip;

Q_SIGNALS:
    void DaysStep(int days);  // an arrow key
    void MonthStep(int step); // a notch of the wheel or PageUp/PageDown: -1 back, +1 on
    void YearStep(int step);  // Ctrl+PageUp/PageDown: -1 back, +1 on

public:
    int16_t SundayRow = 7;
    int16_t SelRow = 0, SelCol = 1;
    QColor SelBackColor, SelForeColor;
    bool SelFontBold = false;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void MarkToday(int16_t style);
    int DaysToMonthEdge(bool last) const;

    MonthLayout layout_;
    int wheelRest_ = 0; // wheel turn not yet amounting to a notch
};

} // namespace vorelian
