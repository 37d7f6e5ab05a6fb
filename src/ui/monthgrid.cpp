#include "ui/monthgrid.h"

#include "core/calendar.h"
#include "core/tables.h"
#include "ui/twips.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace vorelian {

int16_t SundayRowOf(int16_t firstWeekday) {
    return WeekdayPosition(firstWeekday, 7);
}

MonthLayout ComputeMonthLayout(const CalendarState& st, int16_t firstWeekday, int32_t today,
                               const std::vector<DayMark>& marks) {
    MonthLayout g;
    const int16_t s = st.CurStyle;
    const StyleDate& r = st.StyleDates[s];
    const int sundayRow = SundayRowOf(firstWeekday);

    // Length of the previous month; none before the first month of the lowest year.
    int last = 0;
    if (r.Month > 1)
        last = r.MonthDays[r.Month - 1];
    else if (r.Year > st.MinYears[s])
        last = r.MonthDays[12];

    const int first = WeekdayPosition(firstWeekday, r.MonthFirstWeekday); // row of the 1st, 1-based
    for (int row = first - 2; row >= 0; --row, --last) {
        MonthCell& c = g.Cells[row][1];
        c = {MonthCell::Previous,
             last >= 1 ? QString::number(last) : QString(),
             1,
             4,
             false,
             last >= 1 ? r.MonthFirstDay - (first - 1 - row) : 0};
    }

    int row = first - 1, col = 1;
    const auto advance = [&] {
        if (++row > 6) {
            row = 0;
            ++col;
        }
    };
    const int days = r.MonthDays[r.Month];
    for (int d = 1; d <= days; ++d, advance()) {
        const bool red = d <= int(marks.size()) && marks[d - 1].Red;
        const bool sunday = row + 1 == sundayRow;
        g.Cells[row][col] = {MonthCell::Current,     QString::number(d), red ? 2 : 1, sunday ? 6 : 5, sunday,
                             r.MonthFirstDay + d - 1};
        g.Fast[row][col] = d <= int(marks.size()) && marks[d - 1].Fast;
        if (d == r.Day) {
            g.SelRow = row;
            g.SelCol = col;
        }
        if (r.MonthFirstDay + d - 1 == today) {
            g.TodayRow = row;
            g.TodayCol = col;
        }
    }

    // The next month, left empty after the last month of the highest year.
    const bool end = r.Month == 12 && r.Year >= st.MaxYears[s];
    int d = 1;
    while (col <= 6) { // advance() moves on to the next column after the last row
        g.Cells[row][col] = {MonthCell::Next, end ? QString() : QString::number(d), 1, 4,
                             false,           end ? 0 : r.MonthLastDay + d};
        ++d;
        advance();
    }
    return g;
}

MonthGrid::MonthGrid(QWidget* parent) : FlexGrid(7, 7, parent) {
    setObjectName(QStringLiteral("MSFlexGrid1"));
    SetRowHeights(Px(255));
    setColumnWidth(0, Px(345));
    for (int c = 1; c <= 6; ++c)
        setColumnWidth(c, Px(300));
    FitToCells();
}

void MonthGrid::SetCellSizes(int weekdayWidth, int dayWidth, int rowHeight) {
    SetRowHeights(rowHeight);
    setColumnWidth(0, weekdayWidth);
    for (int c = 1; c <= 6; ++c)
        setColumnWidth(c, dayWidth);
    FitToCells();
}

void MonthGrid::SetWeekDaysNames(int16_t firstWeekday, int16_t style) {
    SetRedraw(false);
    SundayRow = SundayRowOf(firstWeekday);
    for (int r = 0; r <= 6; ++r) {
        const int w = (firstWeekday + r - 1) % 7; // 0 Monday
        SetText(r, 0, WeekdayNames[15 + w]);
    }
    const int other = (7 - SundayRow) % 7;
    SetCellFontBold(other, 0, false);
    SetCellForeColor(other, 0, WinColor(GridColor(style, 5)));
    SetCellFontBold(SundayRow - 1, 0, true);
    SetCellForeColor(SundayRow - 1, 0, WinColor(GridColor(style, 6)));
    // Repainting resumes with the grid's next fill.
}

void MonthGrid::Fill(const CalendarState& st, int16_t firstWeekday, int32_t today,
                     const std::vector<DayMark>& marks) {
    const int16_t s = st.CurStyle;
    SetRedraw(false);
    SetBackColor(WinColor(GridColor(s, 1)));
    layout_ = ComputeMonthLayout(st, firstWeekday, today, marks);
    const MonthLayout& g = layout_;
    for (int r = 0; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c) {
            const MonthCell& cell = g.Cells[r][c];
            SetCell(r, c, cell.Text, WinColor(GridColor(s, cell.Back)), WinColor(GridColor(s, cell.Fore)),
                    cell.Bold);
            SetCellMark(r, c, g.Fast[r][c]);
        }
    SelRow = int16_t(g.SelRow);
    SelCol = int16_t(g.SelCol);
    Highlight(SelRow, SelCol, s);
    SetRedraw(true);
}

void MonthGrid::Highlight(int row, int col, int16_t style) {
    setCurrentCell(row, col);
    SelRow = int16_t(row);
    SelCol = int16_t(col);
    SelBackColor = CellBackColor(row, col);
    SelForeColor = CellForeColor(row, col);
    SelFontBold = CellFontBold(row, col);
    SetCellBackColor(row, col, WinColor(GridColor(style, 3)));
    SetCellForeColor(row, col, WinColor(GridColor(style, 7)));
    SetCellFontBold(row, col, true);
    MarkToday(style);
}

void MonthGrid::MarkToday(int16_t style) {
    for (int r = 0; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c) {
            const bool today =
                r == layout_.TodayRow && c == layout_.TodayCol && !(r == SelRow && c == SelCol);
            SetCellFrame(r, c, today ? WinColor(GridColor(style, 3)) : QColor());
        }
}

void MonthGrid::RestoreHighlighted() {
    SetCellBackColor(SelRow, SelCol, SelBackColor);
    SetCellForeColor(SelRow, SelCol, SelForeColor);
    SetCellFontBold(SelRow, SelCol, SelFontBold);
}

bool MonthGrid::IsHighlighted(int row, int col) const {
    return row == SelRow && col == SelCol;
}

bool MonthGrid::IsAdjacentMonth(int row, int col) const {
    return row >= 0 && row <= 6 && col >= 1 && col <= 6 &&
           layout_.Cells[row][col].CellKind != MonthCell::Current;
}

bool MonthGrid::IsTodayMarked(int row, int col) const {
    return CellFrame(row, col).isValid();
}

bool MonthGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        QString tip;
        if (index.isValid() && index.column() >= 1 && DayTip)
            if (const int32_t day = layout_.Cells[index.row()][index.column()].DayNumber; day != 0)
                tip = DayTip(day);
        // The corner mark says what it means.
        if (index.isValid() && index.column() >= 1 && layout_.Fast[index.row()][index.column()])
            tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + QStringLiteral("Постный день");
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
        return true;
    }
    return FlexGrid::viewportEvent(event);
}

// The days from the current day to the first (or the last) day of the month shown.
int MonthGrid::DaysToMonthEdge(bool last) const {
    const int32_t current = layout_.Cells[SelRow][SelCol].DayNumber;
    int32_t edge = current;
    for (int c = 1; c <= 6; ++c)
        for (int r = 0; r <= 6; ++r) {
            const MonthCell& cell = layout_.Cells[r][c];
            if (cell.CellKind == MonthCell::Current && cell.DayNumber != 0)
                edge = last ? std::max(edge, cell.DayNumber) : std::min(edge, cell.DayNumber);
        }
    return int(edge - current);
}

void MonthGrid::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool page = event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown;
    if (page && (mods == Qt::NoModifier || mods == Qt::ControlModifier)) {
        event->accept();
        const int step = event->key() == Qt::Key_PageUp ? -1 : 1;
        if (mods == Qt::ControlModifier)
            Q_EMIT YearStep(step);
        else
            Q_EMIT MonthStep(step);
        return;
    }
    int days = 0;
    switch (event->key()) {
    case Qt::Key_Up:
        days = -1;
        break;
    case Qt::Key_Down:
        days = 1;
        break;
    case Qt::Key_Left:
        days = -7;
        break;
    case Qt::Key_Right:
        days = 7;
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        days = DaysToMonthEdge(event->key() == Qt::Key_End);
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
    if (mods == Qt::NoModifier && days != 0)
        Q_EMIT DaysStep(days);
}

void MonthGrid::wheelEvent(QWheelEvent* event) {
    event->accept();
    // A turn down (towards the person) goes on, as a list scrolls on.
    wheelRest_ -= event->angleDelta().y();
    while (wheelRest_ >= 120) {
        wheelRest_ -= 120;
        Q_EMIT MonthStep(1);
    }
    while (wheelRest_ <= -120) {
        wheelRest_ += 120;
        Q_EMIT MonthStep(-1);
    }
}

} // namespace vorelian
