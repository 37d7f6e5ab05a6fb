// What is read and served on a day: the Apostle and Gospel of the Liturgy, which Liturgy is served, and
// whether a wedding may be held. The pericopes, the days they belong to and the days without weddings are
// the data of the file "Readings.DAT" in the data folder; the rules that choose among them are here.
//
// Pascha, the Julian date and the weekday come from the engine's own reckoning; the Saturdays of the
// departed are the Saturdays on which the engine has placed a record that names the departed (the marker
// text of the file's [Departed] section), so the readings follow whatever rule the records keep.
//
// A data folder without the file gives no readings, no Liturgy and no weddings answer. A line that cannot
// be read (an unknown book, a zachalo out of range, a malformed pericope) is named once in the log with
// its file and line and left out; the rest of the file is read.
#pragma once

#include "engine/dayinfo.h"
#include "engine/fasting.h"

#include <QByteArrayView>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

namespace vorelian {

Q_DECLARE_LOGGING_CATEGORY(lcReadings)

// The readings file's name inside the data folder.
inline constexpr QStringView ReadingsFileName = u"Readings.DAT";

// The class of a Menaion commemoration with readings of its own, highest first.
enum class ReadingClass : int8_t {
    Lord,       // a twelve feast of the Lord
    Theotokos,  // a twelve feast of the Mother of God
    Great,      // another great feast, or a feast that takes the weekday's reading
    Displacing, // a vigil saint whose day takes the weekday's reading
    Vigil,
    Polyeleos,
    Doxology,
    Six,
    None, // no sign: read only when the day has no other
};

// The special Saturdays and Sundays, eves and floating commemorations of the [Special] section.
enum class SpecialDay : int8_t {
    SatBeforeExaltation,
    SunBeforeExaltation,
    SatAfterExaltation,
    SunAfterExaltation,
    Forefathers,
    SatBeforeNativity,
    SunBeforeNativity,
    NativityEve,
    NativityEveSaturday,
    SatAfterNativity,
    SunAfterNativity,
    SatBeforeTheophany,
    SunBeforeTheophany,
    TheophanyEve,
    SatAfterTheophany,
    SunAfterTheophany,
    Departed,
    DepartedLent4,
    Fathers,
    NewMartyrs,
    AllSaintsOfRussia,
    LentSaturday1,
    LentSunday2,
    LentSunday4,
    LentSaturday5,
    LentSunday5,
    CheesefareSaturday,
    Count
};

using Pericopes = std::vector<Reading>; // the Label of each is empty in the data

struct LabeledPericopes {
    QString Label;
    Pericopes Items;
};

struct MenaionReading {
    ReadingClass Class = ReadingClass::None;
    int8_t Weekday = 0; // 1 Monday .. 7 Sunday: read only on (or, with NotWeekday, never on) that day
    bool NotWeekday = false;
    QString Label;
    Pericopes Items;
};

struct ReadingsData {
    bool Loaded = false;
    std::array<std::array<Pericopes, 8>, 34> Weeks{}; // [week 1..33][weekday 1..7] after Pentecost
    std::array<Pericopes, 120> FromPascha{};          // [days from Pascha + 70], −70 … 49
    std::array<LabeledPericopes, int(SpecialDay::Count)> Special{};
    std::array<std::vector<MenaionReading>, 1232> Menaion{}; // [Julian month * 100 + day], Menaion order
    QStringList DepartedMarkers, DepartedExceptions;
    std::vector<FastingRule> NoWeddings; // a day claimed by any rule has no weddings
    bool Empty() const { return !Loaded; }
};

// The file's data; a missing file gives none silently, an unreadable one none and a warning.
ReadingsData LoadReadings(const QString& path);
// The data in the bytes of a file; `fileName` only names it in the messages.
ReadingsData ParseReadings(QByteArrayView bytes, const QString& fileName);

// What the rules look at in a day.
struct ReadingsDay {
    int32_t DayNumber = 0;
    bool Departed = false; // a Saturday of the departed placed by the records
};

// The readings of a day in the order the day prints them.
std::vector<Reading> ReadingsOf(const ReadingsData& data, const ReadingsDay& day);

// True when a text of the data names a Saturday of the departed: it holds a marker of the [Departed]
// section (any letter case) and none of its exceptions.
bool NamesDeparted(const ReadingsData& data, const QString& text);

// One printed line of readings: «[Label: ]Ап.: … (зач. N). Ев.: … (зач. N).», and the readings it holds.
struct ReadingLine {
    QString Text;
    int First = 0, Count = 0; // the readings of the line: [First, First + Count)
};
// The lines of a day's readings: a new line for each label, and for a new Apostle after a Gospel.
std::vector<ReadingLine> ReadingLines(const std::vector<Reading>& readings);
// The Liturgy line when it is not St John Chrysostom's, and «Царские часы.»; empty otherwise.
QStringList LiturgyLines(const DayLiturgy& liturgy);
// The stable machine name of a Liturgy: chrysostom, basil, presanctified, none.
QString LiturgyName(LiturgyKind kind);
inline constexpr QStringView NoWeddingsLine = u"Браковенчание не совершается.";

// The group a view of the day shows after group 3: the reading lines, the Liturgy lines and the weddings
// line; empty when the day has no readings answer.
QStringList ReadingsGroup(const DayInfo& day);

// Fills the readings, the Liturgy and the weddings answer of a computed day; nothing without data.
// `departed`: the day is a Saturday on which the records place a commemoration of the departed.
void AddReadings(const ReadingsData& data, DayInfo& day, bool departed);

} // namespace vorelian
