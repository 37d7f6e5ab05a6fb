// The days behind the JSON documents and the calendar files, asked of the day engine: which days a report
// covers, the document of each report, and a calendar file of a range. The report tool, the window and
// the web service all come here, so that they give the same bytes for the same request.
#pragma once

#include "engine/dayengine.h"
#include "report/export.h"

#include <QJsonObject>

#include <cstdint>
#include <functional>
#include <optional>

namespace vorelian {

// Day numbers, both ends included.
struct DayRange {
    int32_t First = 0;
    int32_t Last = -1;
};

// The days a report of `tab` covers around `date` (a date of `style`): tab 0 the day, 1 its week from
// Sunday to Saturday, 2 its month and 3 its year of the style (the Anno Mundi year from 1 September).
DayRange ReportDays(int tab, int16_t style, const DateParts& date);

// The JSON document of a report about `date` of options.Style: tabs 0..3 {"days"}, 4 {"feasts"} of its
// year, 5 the search of its year for `searchText`.
QJsonObject ReportJson(const DayEngine& engine, int tab, const DateParts& date, const DayOptions& options,
                       const QString& searchText = QString(), bool wholeWord = false);

// The name-day search of a year of options.Style (DayEngine::SearchName) in the shape of the text search:
// the name as "text", "wholeWord" true.
QJsonObject NameSearchJson(const DayEngine& engine, int16_t year, const DayOptions& options,
                           const QString& name);

// Told how many of the days are done; answers whether to go on.
using ExportProgress = std::function<bool(int64_t done, int64_t total)>;

// The calendar file of the days in `days` for `scope`; nothing when `progress` asked to stop.
std::optional<QByteArray> IcalCalendar(const DayEngine& engine, DayRange days, IcalScope scope,
                                       const DayOptions& options, const ExportProgress& progress = {});

} // namespace vorelian
