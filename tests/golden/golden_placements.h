// The placements of every record of the movable bases of the bundled data set for each Paschal year
// 1901..2100, as compact text: per year and base one line of the record day numbers counted from that
// year's Pascha ("-" for a record not placed), the previous year's placements after "|".
#pragma once

#include "bases/bases.h"
#include "core/recalc.h"

#include <QByteArray>

namespace golden {

inline void AppendDays(QByteArray& out, const vorelian::RecordBase& base, int count, bool previous,
                       int32_t pascha) {
    for (int i = 1; i <= count; ++i) {
        const int32_t d = previous ? base.Records[i].PrevDayNumber : base.Records[i].DayNumber;
        out += ' ';
        out += d == 0 ? QByteArray("-") : QByteArray::number(d - pascha);
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
        const auto line = [&](const char* name, const RecordBase& base, int count) {
            out += QByteArray::number(y) + ' ' + name;
            AppendDays(out, base, count, false, p);
            if (base.TwoYears) {
                out += " |";
                AppendDays(out, base, count, true, p);
            }
            out += '\n';
        };
        line("Relocatable", b.Reloc, b.Reloc.Count);
        line("Relocatable1", b.Reloc1, b.Reloc1.Count);
        line("Special", b.Special, Bases::SpecialRules);
        line("Weekdays", b.Weekdays, b.Weekdays.Count);
        line("Weekdays1", b.Weekdays1, b.Weekdays1.Count);
        line("SpecWeekDays", b.SpecWeekDays, b.SpecWeekDays.Count);
    }
    return out;
}

} // namespace golden
