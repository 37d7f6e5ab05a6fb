#include "ui/stylestable.h"

#include "core/calendar.h"
#include "core/tables.h"
#include "ui/twips.h"

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
    static const char16_t* const kLabels[] = {u"от С.М.", u"от Р.Х.", u"от Р.Х."};
    for (int r = 0; r < 3; ++r) {
        const QColor back = WinColor(GridColor(r + 1, 1));
        SetText(r, 0, QString::fromUtf16(kLabels[r]));
        SetCellBackColor(r, 0, back);
        SetCellBackColor(r, 1, back);
    }
    FitToCells();
}

void StylesTable::SetDatesCal(const CalendarState& st) {
    SetRedraw(false);
    for (int16_t s = 1; s <= 3; ++s)
        SetText(s - 1, 1, StyleDateText(st, s));
    SetRedraw(true);
}

} // namespace vorelian
