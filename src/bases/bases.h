// The six record bases: the record files loaded once into vectors of records, and the placing of their
// records in a Paschal year (PlaceYear), kept per year in a cache shared by every copy of the bases.
//
// Every base is indexed by record number 1..count (entry 0 unused), so each rule reads as written.
// A day number of 0 means that the record is not placed in that year.
#pragma once

#include "bases/datafiles.h"
#include "bases/profile.h"

#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace vorelian {

// The six record files, in the order of Bases::All.
enum class BaseKind : int { Relocatable = 0, Relocatable1, Special, Weekdays, Weekdays1, SpecWeekDays };
inline constexpr int BaseKinds = 6;

// The text keys of a record, in the order of BaseRecord::Texts: "0" the first group (of the day-title
// bases, the title), "11"/"19" before/after the second group, "21"/"29" the third, "31"/"39" the fourth,
// "4" the fifth.
inline constexpr std::array<QStringView, 8> TextKeys = {u"0", u"11", u"19", u"21", u"29", u"31", u"39", u"4"};

// One record of a base: its red flag, the fields that place it and its texts by key. Where it falls in a
// year is that year's YearPlacement.
struct BaseRecord {
    bool Red = false;
    int16_t Days = 0;                          // "days": days from Pascha
    int16_t Day = 0, Month = 0, Weekday = 0;   // "day", "month", "weekday": a weekday near a Julian date
    std::array<std::vector<QString>, 8> Texts; // every value of each key in file order, as stored; the
                                               // day-title bases keep one "0", the last

    bool operator==(const BaseRecord&) const = default;
};

// The day numbers of every record of the six bases in one Paschal year (index as the records; 0: not
// placed). Computed once for a year and never changed after.
struct YearPlacement {
    int16_t PaschaYear = 0;
    std::array<std::vector<int32_t>, BaseKinds> Days;
};

class Bases;

// The placements of the bases per Paschal year, each computed on first request and kept. Safe to use
// from many threads.
class PlacementCache {
public:
    std::shared_ptr<const YearPlacement> For(const Bases& b, int16_t paschaYear) const;

private:
    mutable std::mutex mutex_;
    mutable std::map<int16_t, std::shared_ptr<const YearPlacement>> years_;
};

// One base: its records 1..Count (entry 0 unused). Special always holds records 1..66, so records the
// file lacks have days but no texts and are never red.
struct RecordBase {
    int16_t Count = 0;
    std::vector<BaseRecord> Records;
    bool TwoYears = false; // placed in the previous Paschal year too
};

class Bases {
public:
    // Special.DAT records placed by the rules; the day tables always hold them, whatever the count.
    static constexpr int SpecialRules = 66;

    RecordBase Reloc;        // Relocatable.DAT: days from Pascha; current Paschal year only
    RecordBase Reloc1;       // Relocatable1.DAT: a weekday before or after a Julian date; both years
    RecordBase Special;      // Special.DAT: the record number alone chooses the rule; both years
    RecordBase Weekdays;     // Weekdays.DAT: day titles by days from Pascha; current year only
    RecordBase Weekdays1;    // Weekdays1.DAT: day titles by a weekday near a Julian date; both years
    RecordBase SpecWeekDays; // SpecWeekDays.DAT: day titles placed by rules 1..7; both years

    Bases(); // every base empty: records hold entry 0 only (Special: records 1..66 too)

    RecordBase& operator[](BaseKind k);
    const RecordBase& operator[](BaseKind k) const;

    // The placements of a Paschal year, from the cache that every copy of these bases shares; a loader
    // starts a new cache.
    std::shared_ptr<const YearPlacement> PlacementsOf(int16_t paschaYear) const {
        return Cache->For(*this, paschaYear);
    }
    std::shared_ptr<PlacementCache> Cache = std::make_shared<PlacementCache>();
};

// The eight commemoration bases' kinds in the order a day gathers them, and the three title bases.
inline constexpr std::array<BaseKind, 3> EntryBases = {BaseKind::Relocatable, BaseKind::Relocatable1,
                                                       BaseKind::Special};
inline constexpr std::array<BaseKind, 3> TitleBases = {BaseKind::Weekdays, BaseKind::Weekdays1,
                                                       BaseKind::SpecWeekDays};

// The title of a record of a day-title base ("" when it has none).
inline const QString& RecordTitle(const BaseRecord& r) {
    static const QString none;
    return r.Texts[0].empty() ? none : r.Texts[0].back();
}

// Places every record of the bases in one Paschal year (the Julian year of its Pascha).
YearPlacement PlaceYear(const Bases& b, int16_t paschaYear);

// The loaders: each walks sections " 1", " 2", … of its file and stops at the first missing or empty one.
// A loader starts its base afresh, so loading twice does not double the texts.
void LoadRelocatable(Bases& b, const Profile& file);
void LoadRelocatable1(Bases& b, const Profile& file);
void LoadSpecial(Bases& b, const Profile& file);
void LoadWeekdays(Bases& b, const Profile& file);
void LoadWeekdays1(Bases& b, const Profile& file);
void LoadSpecWeekDays(Bases& b, const Profile& file);

// Everything the data layer holds for one calendar: the file slots, the parsed files and the bases.
struct CalendarData {
    DataFiles Files;
    ProfileCache Profiles;
    vorelian::Bases Bases;
};

// Loads the six bases from the record files of data.Files, in the start-up order: Relocatable,
// Relocatable1, Weekdays, Weekdays1, SpecWeekDays, Special.
void LoadBases(CalendarData& data);

} // namespace vorelian
