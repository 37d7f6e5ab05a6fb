// The month grid: seven rows of weekdays in display order (the first weekday of the week on top), the
// weekday names in column 0 and six weeks in columns 1..6, the 1st of the month always in column 1.
// Days of the previous month stand above the 1st in column 1, days of the next month after the last day;
// both are grey, and the cells beyond the ends of the year range stay empty. The current day carries the
// highlight, whose cell remembers what it looked like before so that the highlight can move in place.
//
// Which day goes into which cell, and in which colours, is worked out apart from the widget by
// ComputeMonthLayout, so it is tested without a screen.
#pragma once

#include "core/state.h"
#include "ui/flexgrid.h"

#include <array>
#include <cstdint>
#include <functional>

namespace vorelian {

struct MonthCell {
    enum Kind { Previous, Current, Next };
    Kind CellKind = Current;
    QString Text; // the day in decimal, or empty
    int Back = 1; // colour roles of the grid colour table
    int Fore = 5;
    bool Bold = false;
};

struct MonthLayout {
    std::array<std::array<MonthCell, 7>, 7> Cells{}; // [row][column]; column 0 is not used
    std::array<std::array<bool, 7>, 7> Fast{};       // days of the month that are fast days
    int SelRow = 0, SelCol = 1;                      // the cell of the current day
};

// The grid row (1..7) that shows Sunday for a first weekday of 1 (Monday) or 7 (Sunday).
int16_t SundayRowOf(int16_t firstWeekday);

// Whether the day of a day number is a fast day; empty when nothing is known of fasts.
using FastDayTest = std::function<bool(int32_t dayNumber)>;

// The cells of the current month of the current style.
MonthLayout ComputeMonthLayout(const CalendarState& st, int16_t firstWeekday, const FastDayTest& fastDay = {});

class MonthGrid : public FlexGrid {
    Q_OBJECT
public:
    explicit MonthGrid(QWidget* parent = nullptr);

    // The weekday abbreviations in column 0, Sunday's bold and red, the other setting's Sunday row reset.
    void SetWeekDaysNames(int16_t firstWeekday, int16_t style);

    // Fills the month with its colours and fast-day marks and puts the highlight on the current day.
    void Fill(const CalendarState& st, int16_t firstWeekday, const FastDayTest& fastDay = {});

    // The highlight: Highlight saves the cell's look and paints it; RestoreHighlighted paints the saved
    // look back into the highlighted cell.
    void Highlight(int row, int col, int16_t style);
    void RestoreHighlighted();

    // What the click handler reads from the colours: the highlighted day and a day of another month.
    bool IsHighlighted(int row, int col, int16_t style) const;
    bool IsAdjacentMonth(int row, int col, int16_t style) const;

    int16_t SundayRow = 7;
    int16_t SelRow = 0, SelCol = 1;
    QColor SelBackColor, SelForeColor;
    bool SelFontBold = false;
};

} // namespace vorelian
