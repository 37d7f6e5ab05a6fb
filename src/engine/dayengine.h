// The day engine: the data set of one calendar folder loaded once, then only read, answering "what is this
// day?" for any date in any style, and listing the main feasts and the matches of a search in a year. One
// engine serves the window, the report tool, exports and the service; many threads may query it at once.
// The report layer builds its documents from what the engine answers (report/documents.h).
#pragma once

#include "engine/dayinfo.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vorelian {

struct DataSet;
struct Settings;

// What a report or export shows besides the day itself. Made by DayOptionsOf, never field by field.
struct DayOptions {
    int16_t Style = 3; // 1 Anno Mundi, 2 Julian, 3 Gregorian: the style of the date lines and of the year
    bool ShowIndiction = false;
    bool ShowAllStyles = false;
    bool ShowFasting = true; // the computed fasting line (no effect without a rule file)
    bool ShowReadings =
        true; // the readings, the Liturgy and the weddings line (none without a readings file)
};

// The options of a view in `style` from the user's display choices: the window's settings, the settings
// the tool makes of its arguments, or the defaults a request of the service starts from. The one place
// where a choice of the settings becomes an option of the days.
DayOptions DayOptionsOf(const Settings& choices, int16_t style);

// The marks of one day in the month grid.
struct DayMark {
    int32_t DayNumber = 0;
    bool Red = false;  // by the grid's rule: a "Red=1" key of the day file, or a red record placed on the day
    bool Fast = false; // the day's fast is stricter than abstaining from meat (only when fasting is shown)
};

// One row of the main feasts of a year.
struct FeastRow {
    int32_t DayNumber = 0;
    DateParts AnnoMundi, Julian, Gregorian;
    QString Text;
    bool Movable = false;
    bool Red = false;
};

// One commemoration of a year that holds the searched text.
struct SearchMatch {
    int32_t DayNumber = 0;
    DateParts AnnoMundi, Julian, Gregorian;
    QString Text; // the commemoration as a reader sees it
};

// The fasting line a view of the day shows: the phrase of the day's fast when the options show fasting,
// otherwise empty. Every report, page and export that shows the line takes it from here.
QString FastingLine(const DayInfo& day, const DayOptions& options);

class DayEngine {
public:
    // Every file of the data set in `calendarDir` parsed and every base loaded up front. A missing file
    // reads as empty.
    static std::shared_ptr<const DayEngine> Load(const QString& calendarDir);
    ~DayEngine();
    DayEngine(const DayEngine&) = delete;
    DayEngine& operator=(const DayEngine&) = delete;

    // Day number of a date in a style (Anno Mundi: year AM, month 1 = September); nullopt if no such day.
    std::optional<int32_t> DayNumberOf(int16_t style, int16_t year, int16_t month, int16_t day) const;

    // The day as the day report shows it in options.Style.
    DayInfo Day(int32_t dayNumber, const DayOptions& options) const;

    // Every day of a month of options.Style (Anno Mundi: month 1 is September) with its marks, in order;
    // empty for a month outside the calendar.
    std::vector<DayMark> Month(int16_t year, int16_t month, const DayOptions& options) const;

    // The main feasts of a year of options.Style, in the order of the feasts report.
    std::vector<FeastRow> Feasts(int16_t year, const DayOptions& options) const;

    // Every commemoration of a year of options.Style that holds `text` (letter case ignored), in date order.
    std::vector<SearchMatch> Search(int16_t year, const DayOptions& options, const QString& text,
                                    bool wholeWord) const;

    // The name-day search: every commemoration of the year that names a saint of `name`, through the church
    // forms of the table of names (Names.DAT) and their genitives as whole words, in date order. «Светлана»
    // finds «Фотины»; a name the table lacks finds nothing.
    std::vector<SearchMatch> SearchName(int16_t year, const DayOptions& options, const QString& name) const;

    const QString& CalendarDir() const;

    // The loaded data set itself, for the report builders.
    const DataSet& Data() const { return *data_; }

private:
    DayEngine();
    // The fasting line of a day whose entries are known; nothing without fasting rules.
    std::optional<Fasting> FastingOf(const DayInfo& day) const;

    std::unique_ptr<DataSet> data_;
};

} // namespace vorelian
