#include "ui/stylestable.h"

#include "core/calendar.h"
#include "core/tables.h"
#include "ui/twips.h"

#include <QKeyEvent>

namespace vorelian {

QString StyleDateText(const CalendarState& st, int16_t style) {
    const StyleDate& r = st.StyleDates[style];
    return QStringLiteral("%1 %2 %3 ")
        .arg(r.Day)
        .arg(MonthNameOf(CivilMonthOf(style, r.Month), 2))
        .arg(r.Year);
}

StylesTable::StylesTable(int width, QWidget* parent) : FlexGrid(3, 2, parent) {
    setObjectName(QStringLiteral("MSFlexGrid2"));
    SetRowHeights(Px(255));
    setColumnWidth(0, Px(650));
    setColumnWidth(1, width - 2 * frameWidth() - Px(650));
    // The two rows from the birth of Christ say which is the old and which the new style.
    static const char16_t* const kLabels[] = {u"от С.М.", u"ст. ст.", u"н. ст."};
    for (int r = 0; r < 3; ++r) {
        const QColor back = WinColor(GridColor(r + 1, 1));
        SetText(r, 0, QString::fromUtf16(kLabels[r]));
        SetCellBackColor(r, 0, back);
        SetCellBackColor(r, 1, back);
    }
    SetBackColor(WinColor(GridColor(StyleGregorian, 1)));
    FitToCells();
}

void StylesTable::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    if (step == 0 || event->modifiers() & ~Qt::KeypadModifier) {
        event->ignore();
        return;
    }
    event->accept();
    const int row = currentRow() + step;
    if (row < 0 || row > 2)
        return;
    const QPoint at = viewport()->mapToGlobal(visualRect(model()->index(row, 1)).center());
    Q_EMIT MouseDown(Qt::LeftButton, row, 1, at);
}

void StylesTable::SetCellSizes(int labelWidth, int dateWidth, int rowHeight) {
    SetRowHeights(rowHeight);
    setColumnWidth(0, labelWidth);
    setColumnWidth(1, dateWidth);
    FitToCells();
}

void StylesTable::SetDatesCal(const CalendarState& st) {
    SetRedraw(false);
    for (int16_t s = 1; s <= 3; ++s)
        SetText(s - 1, 1, StyleDateText(st, s));
    setCurrentCell(st.CurStyle - 1, 1);
    SetRedraw(true);
}

} // namespace vorelian
