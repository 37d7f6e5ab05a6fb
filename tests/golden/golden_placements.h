// The placements of every record of the movable bases of the bundled data set for each Paschal year
// 1901..2100, as compact text: per year and base one line of the record day numbers counted from that
// year's Pascha ("-" for a record not placed), the previous year's placements after "|".
#pragma once

#include "bases/bases.h"
#include "core/recalc.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>

namespace golden {

inline void AppendDays(QByteArray& out, const std::vector<int32_t>& days, int count, int32_t pascha) {
    for (int i = 1; i <= count; ++i) {
        const int32_t d = days[i];
        out += ' ';
        out += d == 0 ? QByteArray("-") : QByteArray::number(d - pascha);
    }
}

inline QByteArray PlacementsText() {
    using namespace vorelian;
    CalendarData data;
    data.Files.SetFolder(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Calendar")));
    LoadBases(data);
    const Bases& b = data.Bases;
    QByteArray out;
    for (int16_t y = 1901; y <= 2100; ++y) {
        const YearPlacement cur = PlaceYear(b, y), prev = PlaceYear(b, int16_t(y - 1));
        const int32_t p = JulianPascha(y);
        const auto line = [&](const char* name, BaseKind k, int count) {
            out += QByteArray::number(y) + ' ' + name;
            AppendDays(out, cur.Days[int(k)], count, p);
            if (b[k].TwoYears) {
                out += " |";
                AppendDays(out, prev.Days[int(k)], count, p);
            }
            out += '\n';
        };
        line("Relocatable", BaseKind::Relocatable, b.Reloc.Count);
        line("Relocatable1", BaseKind::Relocatable1, b.Reloc1.Count);
        line("Special", BaseKind::Special, Bases::SpecialRules);
        line("Weekdays", BaseKind::Weekdays, b.Weekdays.Count);
        line("Weekdays1", BaseKind::Weekdays1, b.Weekdays1.Count);
        line("SpecWeekDays", BaseKind::SpecWeekDays, b.SpecWeekDays.Count);
    }
    return out;
}

} // namespace golden
