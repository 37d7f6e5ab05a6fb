// The command line of vorelian-report: what it asks for, read and checked before anything is built.
// Every bad argument becomes one line of message; nothing here touches the calendar.
#pragma once

#include "core/settings.h"
#include "report/export.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace vorelian::tool {

enum class Format { Text, Rtf, Json };

struct ToolArgs {
    bool Help = false;
    int Tab = -1;                      // report tab 0..5; -1 for the calendar file
    bool Ical = false;                 // "ical": a calendar file of --from..--to instead of a report
    std::optional<DateParts> From, To; // in the chosen style
    IcalScope Scope = IcalScope::All;
    int16_t Style = 3;
    std::optional<int> Year, Month, Day; // --date, in the chosen style
    Format Output = Format::Text;
    bool Indiction = false;
    bool AllStyles = false;
    bool Fasting = true;  // --fasting on|off
    bool Readings = true; // --readings on|off
    int16_t FirstWeekday = 1;
    std::optional<QString> Font;
    std::optional<int16_t> FontSize;
    int16_t MinYear = kDefaultMinYear;
    int16_t MaxYear = kDefaultMaxYear;
    QString DataDir; // empty: VORELIAN_DATA or the first data set found (core/datalookup.h)
    std::optional<QString> Text;
    bool WholeWord = false;
    std::optional<QString> Name; // search: the name-day search of this name instead of --text
};

// Reads the arguments (without the program name). On a bad argument returns nothing and sets `error`.
std::optional<ToolArgs> ParseToolArgs(const QStringList& args, QString& error);

// The settings as the program holds them after its start, with the tool's choices in place of the
// user's: display choices, first weekday, report font and the range of years (corrected for
// `currentYear` as at start-up).
Settings SettingsOf(const ToolArgs& a, int currentYear);

// Days of a month of a style: month 1 is September for style 1, whose year is Anno Mundi.
int MonthLength(int style, int month, int year);

// The help text, in Russian and English.
QString HelpText();

} // namespace vorelian::tool
