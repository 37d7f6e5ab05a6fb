// The six record bases: the record files loaded once at start-up into parallel tables, the placing of
// their records in the current Paschal year and the year before (SetMovableDays), the red days of the
// displayed month (SetMonthRedDays), and the rule by which a record belongs to a day.
//
// Every table is indexed by record number 1..count (entry 0 unused), so each rule reads as written.
// A day number of 0 means that the record is not placed in that year.
#pragma once

#include "bases/datafiles.h"
#include "bases/profile.h"
#include "core/recalc.h"
#include "core/state.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace vorelian {

struct Bases {
    // Special.DAT records placed by the rules; the day tables always hold them, whatever the count.
    static constexpr int SpecialRules = 64;

    // Relocatable.DAT: days from Pascha; placed in the current Paschal year only.
    int16_t RelocCount = 0;
    std::vector<bool> RelocRed;
    std::vector<int16_t> RelocDays;
    std::vector<QString> RelocText0, RelocText11, RelocText19, RelocText21, RelocText29, RelocText31,
        RelocText39, RelocText4;
    std::vector<int32_t> RelocDayNumber;

    // Relocatable1.DAT: a weekday before or after a Julian date; placed in both years.
    int16_t Reloc1Count = 0;
    std::vector<bool> Reloc1Red;
    std::vector<int16_t> Reloc1Day, Reloc1Month, Reloc1Weekday;
    std::vector<QString> Reloc1Text0, Reloc1Text11, Reloc1Text19, Reloc1Text21, Reloc1Text29, Reloc1Text31,
        Reloc1Text39, Reloc1Text4;
    std::vector<int32_t> Reloc1DayNumber, Reloc1PrevDayNumber;

    // Special.DAT: the record number alone chooses the rule. Every table holds at least records 1..64,
    // so records the file lacks have days but no texts and are never red.
    int16_t SpecialCount = 0;
    std::vector<bool> SpecialRed;
    std::vector<QString> SpecialText0, SpecialText11, SpecialText19, SpecialText21, SpecialText29,
        SpecialText31, SpecialText39, SpecialText4;
    std::vector<int32_t> SpecialDayNumber, SpecialPrevDayNumber;

    // Weekdays.DAT: day titles by days from Pascha; current Paschal year only.
    int16_t WeekdaysCount = 0;
    std::vector<bool> WeekdaysRed;
    std::vector<int16_t> WeekdaysDays;
    std::vector<QString> WeekdaysText;
    std::vector<int32_t> WeekdaysDayNumber;

    // Weekdays1.DAT: day titles by a weekday near a Julian date; both years.
    int16_t Weekdays1Count = 0;
    std::vector<bool> Weekdays1Red;
    std::vector<int16_t> Weekdays1Day, Weekdays1Month, Weekdays1Weekday;
    std::vector<QString> Weekdays1Text;
    std::vector<int32_t> Weekdays1DayNumber, Weekdays1PrevDayNumber;

    // SpecWeekDays.DAT: day titles placed by rules 1..6; both years.
    int16_t SpecWeekDaysCount = 0;
    std::vector<bool> SpecWeekDaysRed;
    std::vector<QString> SpecWeekDaysText;
    std::vector<int32_t> SpecWeekDaysDayNumber, SpecWeekDaysPrevDayNumber;

    Bases();  // every base empty: tables hold entry 0 only (Special: records 1..64 too)
};

// The loaders: each walks sections " 1", " 2", … of its file and stops at the first missing or empty one.
// A loader starts its base afresh, so loading twice does not double the texts.
void LoadRelocatable(Bases& b, const Profile& file);
void LoadRelocatable1(Bases& b, const Profile& file);
void LoadSpecial(Bases& b, const Profile& file);
void LoadWeekdays(Bases& b, const Profile& file);
void LoadWeekdays1(Bases& b, const Profile& file);
void LoadSpecWeekDays(Bases& b, const Profile& file);

// Places every record for the Paschal year of the state (PaschaYear, PaschaDay) and the year before
// (PrevPaschaDay); needs SetYearAnchors to have run.
void SetMovableDays(const CalendarState& st, Bases& b);

// Fills st.MonthRedDays (1..n, entry 0 unused) for the current month of the current style from the
// "Red" keys of the day files and the red records of the bases. The current day, the three style
// records and the saved copy of the state are left as they were.
void SetMonthRedDays(CalendarState& st, const Bases& b, ProfileCache& profiles, const DataFiles& files);

// The belonging rule: does record i of a base fall on day number `day`? The one-year bases compare the
// current-year day only; the two-year bases the current-year or the previous-year day.
bool BelongsReloc(const Bases& b, int i, int32_t day);
bool BelongsReloc1(const Bases& b, int i, int32_t day);
bool BelongsSpecial(const Bases& b, int i, int32_t day);
bool BelongsWeekdays(const Bases& b, int i, int32_t day);
bool BelongsWeekdays1(const Bases& b, int i, int32_t day);
bool BelongsSpecWeekDays(const Bases& b, int i, int32_t day);

// Everything the data layer holds for one calendar: the file slots, the parsed files and the bases.
struct CalendarData {
    DataFiles Files;
    ProfileCache Profiles;
    vorelian::Bases Bases;
};

// Loads the six bases from the record files of data.Files, in the start-up order: Relocatable,
// Relocatable1, Weekdays, Weekdays1, SpecWeekDays, Special.
void LoadBases(CalendarData& data);

// Wires the bases into the recomputation of the core: RecalcYear and ApplyStyle place the movable
// days, SetMonthAnchors marks the red days.
class BasesHooks : public RecalcHooks {
public:
    explicit BasesHooks(CalendarData& data) : data_(data) {}

    void SetMovableDays(CalendarState& st) override;
    void SetMonthRedDays(CalendarState& st) override;

private:
    CalendarData& data_;
};

} // namespace vorelian
