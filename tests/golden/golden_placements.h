// The placements of every record of the movable bases of the bundled data set for each Paschal year
// 1901..2100, as compact text: per year and base one line of the record day numbers counted from that
// year's Pascha ("-" for a record not placed), the previous year's placements after "|".
#pragma once

#include "bases/bases.h"
#include "core/recalc.h"

#include <QByteArray>

namespace golden {

inline void AppendDays(QByteArray& out, const std::vector<int32_t>& days, int count, int32_t pascha) {
    for (int i = 1; i <= count; ++i) {
        out += ' ';
        out += days[i] == 0 ? QByteArray("-") : QByteArray::number(days[i] - pascha);
    }
}

inline QByteArray PlacementsText() {
    using namespace vorelian;
    CalendarData data;
    data.Files = DataFiles::BesideProgram();
    LoadBases(data);
    const Bases& b = data.Bases;
    QByteArray out;
    for (int16_t y = 1901; y <= 2100; ++y) {
        CalendarState st;
        InitStyleTables(st);
        st.CurStyle = StyleJulian;
        st.Pascha.PrevPaschaDay = PaschaDayNumber(st, int16_t(y - 1));
        st.Pascha.PaschaDay = PaschaDayNumber(st, y);
        SetMovableDays(st, data.Bases);
        const int32_t p = st.Pascha.PaschaDay;
        const auto line = [&](const char* name, const std::vector<int32_t>& cur,
                              const std::vector<int32_t>* prev, int count) {
            out += QByteArray::number(y) + ' ' + name;
            AppendDays(out, cur, count, p);
            if (prev) {
                out += " |";
                AppendDays(out, *prev, count, p);
            }
            out += '\n';
        };
        line("Relocatable", b.RelocDayNumber, nullptr, b.RelocCount);
        line("Relocatable1", b.Reloc1DayNumber, &b.Reloc1PrevDayNumber, b.Reloc1Count);
        line("Special", b.SpecialDayNumber, &b.SpecialPrevDayNumber, Bases::SpecialRules);
        line("Weekdays", b.WeekdaysDayNumber, nullptr, b.WeekdaysCount);
        line("Weekdays1", b.Weekdays1DayNumber, &b.Weekdays1PrevDayNumber, b.Weekdays1Count);
        line("SpecWeekDays", b.SpecWeekDaysDayNumber, &b.SpecWeekDaysPrevDayNumber, b.SpecWeekDaysCount);
    }
    return out;
}

} // namespace golden
