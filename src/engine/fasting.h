// The fast of a day: the rules of the file "Fasting.DAT" in the data folder, and the one function that
// answers, for one day, what the Church's rule allows at the table.
//
// The rules are data, so that a parish keeping another custom edits the file and not the program. Each
// rule names the days it claims (days from Pascha, Julian dates, weekdays) and the level it gives, by
// weekday where the fast differs through the week, with an optional relaxation for the day's highest rank.
// The rules are tried in the order of their numbers and the first that claims the day decides.
//
// A data folder without the file has no rules, and no day gets a fasting line. A file that cannot be read
// gives no rules and one warning. A rule line that cannot be read is logged with its file and line, and
// the rule it belongs to is left out whole: a rule with one of its conditions missing would claim days it
// was never written for. A rule number given twice is named with both lines; the later rule is used.
// Every such message is also kept, in Russian, in FastingRules::Problems for the window's start-up warning.
#pragma once

#include "engine/dayinfo.h"

#include <QByteArrayView>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vorelian {

Q_DECLARE_LOGGING_CATEGORY(lcFasting)

inline constexpr int FastLevelCount = 8;

// The rule file's name inside the data folder.
inline constexpr QStringView FastingFileName = u"Fasting.DAT";

// The stable machine name of a level ("noFood" .. "none"), as the rule file and the exports write it.
QString FastLevelName(FastLevel level);
// The level of a machine name, in any letter case; nullopt for an unknown name.
std::optional<FastLevel> FastLevelFromName(QStringView name);

struct FastingRule {
    QString Name; // the rule's own name in the file, for the messages
    // Days from Pascha, inclusive; the open ends are the int16_t limits.
    bool HasDays = false;
    int16_t DaysFrom = INT16_MIN, DaysTo = INT16_MAX;
    // Julian dates as month * 100 + day, inclusive; From > To runs over the new year.
    bool HasDates = false;
    int16_t DatesFrom = 101, DatesTo = 1231;
    uint8_t Weekdays = 0x7F;         // bit w - 1 for weekday w, 1 Monday .. 7 Sunday
    std::array<FastLevel, 7> Week{}; // the level by weekday, Monday first
    // The level at least allowed when the day's highest rank is great, vigil or polyeleos (or higher).
    std::array<std::optional<FastLevel>, 3> Relax{};
    QString Text; // replaces the level's phrase when not empty
};

struct FastingRules {
    std::array<QString, FastLevelCount> Phrases; // by level
    std::vector<FastingRule> Rules;              // in the order they are tried
    QStringList Problems; // what could not be read, one Russian sentence each, naming the file and lines
    bool Empty() const { return Rules.empty(); }
};

// What the rules look at in a day.
struct FastingDay {
    int32_t DayNumber = 0;
    int16_t JulianMonth = 0, JulianDay = 0;
    int8_t Weekday = 0;            // 1 Monday .. 7 Sunday
    int32_t PaschaDayNumber = 0;   // Pascha of the Julian year of the day
    Rank HighestRank = Rank::None; // the highest rank among the day's commemorations
};

// One day condition of a rule ("days", "dates" or "weekdays", any letter case) read into `r`; false for
// another key or a value that cannot be read. The wedding rules of the readings file use it too.
bool ReadDayCondition(FastingRule& r, QStringView key, QStringView value);
// True when the day conditions of the rule (days, dates, weekdays) all hold for the day.
bool RuleClaims(const FastingRule& r, const FastingDay& day);

// The highest of two ranks (Great is the highest; None the lowest).
Rank HigherRank(Rank a, Rank b);

// The rules of a file; a missing file gives none silently, an unreadable one gives none and a warning.
FastingRules LoadFastingRules(const QString& path);
// The rules in the bytes of a file; `fileName` only names it in the messages.
FastingRules ParseFastingRules(QByteArrayView bytes, const QString& fileName);

// The fast of a day, or nullopt when there are no rules. A day no rule claims has no fast.
std::optional<Fasting> EvaluateFasting(const FastingRules& rules, const FastingDay& day);

// The highest rank among a day's commemorations.
Rank HighestRank(const std::vector<DayEntry>& entries);

// The fast of a day built with its dates, weekday and commemorations; nullopt when there are no rules.
std::optional<Fasting> FastOfDay(const FastingRules& rules, const DayInfo& day);

} // namespace vorelian
