// The data set an engine holds: every file of one calendar folder parsed, the bases loaded, the texts of
// the day files and of the records made into entries once. Filled by DayEngine::Load, then only read.
#pragma once

#include "bases/bases.h"
#include "core/calendar.h"
#include "engine/daycompute.h"
#include "engine/fasting.h"
#include "engine/names.h"
#include "engine/readings.h"

#include <QString>

#include <array>
#include <vector>

namespace vorelian {

// The commemorations of one day of a day file.
struct DayFileDay {
    std::vector<DayEntry> Entries; // keys 0..4 in file order
    bool Red = false;              // a "Red" key of any value: the day report's rule
    bool RedMark = false;          // a "Red" key of the value 1: the month grid's rule
    bool Departed = false;         // an entry names a Saturday of the departed (the readings' marker)
};

// A record of the bases by its place in them.
struct RecordRef {
    BaseKind Kind = BaseKind::Relocatable;
    int Index = 0;
};

struct DataSet {
    QString Dir;
    CalendarData Data; // the file slots, every file parsed, the bases with their cache of placements
    RecordEntryTable Prepared;
    std::array<std::array<DayFileDay, 32>, DataFiles::February28 + 1> DayFiles{}; // [slot 0..12][day 1..31]
    FastingRules Fasting;                                                         // none without a rule file
    NameTable Names;       // the names of the name-day search; none without Names.DAT
    ReadingsData Readings; // none without a readings file
    // The records whose title or texts name a Saturday of the departed, found once: a Saturday is one of
    // the departed when such a record is placed on it (or its day file names it).
    std::vector<RecordRef> DepartedRecords;

    const DayFileDay& DayFileOf(int16_t julianMonth, int16_t julianYearLength, int16_t day) const {
        return DayFiles[DataFiles::DayFileIndex(julianMonth, julianYearLength)][day];
    }
};

// The calendar state of one day in a style, as a jump to that day leaves it: the three style dates, the
// weekday, and the year anchors and Pascha block of the day's year of the style.
CalendarState StateOfDay(int32_t dayNumber, int16_t style);

// The facts a day is computed from, in a state made by StateOfDay.
DayFacts FactsOfState(const CalendarState& st);

// The day files of a year: the February is that of the Julian year of its Pascha, since an Anno Mundi year
// begins in the September before and a Gregorian year in the Julian December before.
template <class Visit> void ForEachDayFileEntry(const DataSet& d, const CalendarState& year, Visit visit) {
    const int16_t februaryLength = IsLeapYear(StyleJulian, year.Pascha.PaschaYear) ? 366 : 365;
    for (int16_t m = 1; m <= 12; ++m)
        for (int16_t day = 1; day <= 31; ++day)
            for (const DayEntry& e : d.DayFileOf(m, februaryLength, day).Entries)
                visit(m, day, e);
}

// Every movable record of the three commemoration bases placed in the year, with its day numbers.
template <class Visit> void ForEachPlacedRecord(const DataSet& d, const CalendarState& year, Visit visit) {
    const Bases& b = d.Data.Bases;
    const auto cur = b.PlacementsOf(year.Pascha.PaschaYear);
    const auto prev = b.PlacementsOf(static_cast<int16_t>(year.Pascha.PaschaYear - 1));
    const StyleDate& y = year.Cur();
    for (BaseKind k : EntryBases) {
        const RecordBase& base = b[k];
        for (int i = 1; i <= base.Count; ++i)
            for (int32_t day : {cur->Days[int(k)][i], base.TwoYears ? prev->Days[int(k)][i] : 0})
                if (day != 0 && day >= y.YearFirstDay && day <= y.YearLastDay)
                    visit(day, base.Records[i]);
    }
}

} // namespace vorelian
