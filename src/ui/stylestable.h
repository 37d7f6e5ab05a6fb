// The three-style table: the current date in each calendar style, one row per style, in the row colour
// of that style. A press on a row asks for that style (the window decides), and so do the up and down
// arrows from the current style's row, which carries the focus mark.
#pragma once

#include "core/state.h"
#include "ui/flexgrid.h"

namespace vorelian {

// "7 января 2005 ": the day, the genitive month name and the year of style s, each followed by a blank.
QString StyleDateText(const CalendarState& st, int16_t style);

class StylesTable : public FlexGrid {
    Q_OBJECT
public:
    // `width` is the month grid's width, which the table shares.
    StylesTable(int width, QWidget* parent = nullptr);

    void SetDatesCal(const CalendarState& st);
    // Cell sizes: the style labels, the dates, the rows; the table fits them.
    void SetCellSizes(int labelWidth, int dateWidth, int rowHeight);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace vorelian
