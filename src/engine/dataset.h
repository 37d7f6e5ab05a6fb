// The data set an engine holds: every file of one calendar folder parsed, the bases loaded, the texts of
// the day files and of the records made into entries once. Filled by DayEngine::Load, then only read.
#pragma once

#include "bases/bases.h"
#include "engine/daycompute.h"

#include <QString>

#include <array>
#include <vector>

namespace vorelian {

// The commemorations of one day of a day file.
struct DayFileDay {
    std::vector<DayEntry> Entries; // keys 0..4 in file order
    bool Red = false;              // a "Red" key of any value
};

struct DataSet {
    QString Dir;
    CalendarData Data; // the file slots, every file parsed, the bases with their cache of placements
    RecordEntryTable Prepared;
    std::array<std::array<DayFileDay, 32>, DataFiles::February28 + 1> DayFiles{}; // [slot 0..12][day 1..31]

    const DayFileDay& DayFileOf(int16_t julianMonth, int16_t julianYearLength, int16_t day) const {
        return DayFiles[DataFiles::DayFileIndex(julianMonth, julianYearLength)][day];
    }
};

// The calendar state of one day in a style, as a jump to that day leaves it: the three style dates, the
// weekday, and the year anchors and Pascha block of the day's year of the style.
CalendarState StateOfDay(int32_t dayNumber, int16_t style);

// The facts a day is computed from, in a state made by StateOfDay (or the live state).
DayFacts FactsOfState(const CalendarState& st);

} // namespace vorelian
