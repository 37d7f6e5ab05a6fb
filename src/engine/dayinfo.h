// What the day engine answers for one day: plain values, no reference into the loaded data set, so a
// DayInfo can be kept, copied and handed to another thread. Everything that shows a day (the RTF reports,
// JSON, iCalendar, the HTML page of the service, the window's tooltips) is made from these values.
#pragma once

#include "core/dates.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace vorelian {

// The rank of a commemoration, by the tag at the start of its stored text ({1} great .. {6} six stichera).
enum class Rank : int8_t { None = 0, Great = 1, Vigil = 2, Polyeleos = 3, Doxology = 5, Six = 6 };

// What the Church's rule allows at the table on a day, strictest first.
enum class FastLevel : int8_t { NoFood = 0, Dry, HotNoOil, Oil, Caviar, Fish, NoMeat, None };

struct Fasting {
    FastLevel Level = FastLevel::None;
    QString Text; // the Russian phrase shown as the last line of the day, e.g. «Сухоядение.»
};

// One Apostle or Gospel reading of the Liturgy, as a church calendar prints it.
enum class ReadingKind : int8_t { Apostle, Gospel };
struct Reading {
    QString Label; // «» for the day's own, «Ряд.», «Праздника», «За понедельник (под зачало)», …
    ReadingKind Kind = ReadingKind::Apostle;
    QString Book;    // the abbreviation as printed: «Рим.», «1 Кор.»
    QString Verses;  // «1:1–7, 13–17»
    QString Zachalo; // «79» or «79 от полу»
    bool operator==(const Reading&) const = default;
};

// Which Liturgy the day has; St John Chrysostom's is the ordinary one.
enum class LiturgyKind : int8_t { Chrysostom, Basil, Presanctified, None };
struct DayLiturgy {
    LiturgyKind Kind = LiturgyKind::Chrysostom;
    bool RoyalHours = false; // the Royal Hours are read on the day
    bool operator==(const DayLiturgy&) const = default;
};

struct DayEntry {
    int8_t Group = 0; // 0..4, as the keys of the day files
    Rank EntryRank = Rank::None;
    bool Movable = false; // placed by a rule record rather than read from the day file
    bool Red = false;     // makes the day red
    QString Stored;       // the text as the data holds it, rank tag included, for the RTF reports
    QString Text;         // what a reader sees: no tag, no markup
};

struct DayInfo {
    int32_t DayNumber = 0;
    DateParts AnnoMundi, Julian, Gregorian;
    int16_t IndictionYear = 0;  // 1..532: the year within the great indiction ("72-й год")
    int16_t IndictionCycle = 0; // the number of that indiction ("15-го индиктиона")
    int8_t Weekday = 0;         // 1 Monday .. 7 Sunday
    QString WeekdayLine;        // the weekday line as the day report shows it, plain text
    QString WeekdayLineStored;  // the same line in the report markup, as the reports write it
    int8_t Tone = 0;            // 1..8, 0 for none
    bool Red = false;
    std::vector<DayEntry> Entries; // in the order the day report shows them; the fast is not one of them
    std::optional<Fasting> Fast;   // absent when the data set has no fasting rules
    // The Liturgy's Apostle and Gospel in the order the day prints them; absent when the data set has no
    // readings file, empty on a day without them.
    std::optional<std::vector<Reading>> Readings;
    std::optional<DayLiturgy> Liturgy; // absent when the data set has no readings file
    std::optional<bool> NoWeddings;    // absent when the data set has no readings file
};

// The date of a day in a style: 1 Anno Mundi, 2 Julian, 3 Gregorian.
inline const DateParts& DateIn(const DayInfo& day, int16_t style) {
    return style == 1 ? day.AnnoMundi : style == 2 ? day.Julian : day.Gregorian;
}

} // namespace vorelian
