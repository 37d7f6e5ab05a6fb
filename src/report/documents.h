// The report documents built from a day engine: every builder asks the engine for the days it shows and
// composes the RTF in memory, on a state of its own. Nothing here touches the caller's live state or
// writes a file; the window writes the temporary files from the bytes.
#pragma once

#include "engine/dayengine.h"
#include "report/report.h"

#include <QByteArray>
#include <QString>

namespace vorelian {

// What a document is built for: the engine, the options, the report font and the day the user is on.
struct DocRequest {
    const DayEngine& Engine;
    DayOptions Options;
    const Settings& Font;
    int32_t Day = 0;
};

QByteArray DayDocument(const DocRequest& r);
QByteArray WeekDocument(const DocRequest& r);
QByteArray MonthDocument(const DocRequest& r);
QByteArray YearDocument(const DocRequest& r);
QByteArray FeastsDocument(const DocRequest& r);
// Empty when the searched text has nothing but blanks.
QByteArray SelectionDocument(const DocRequest& r, const QString& text, bool wholeWord);

// The block of one day inside a period report, with its colour, the separator after it and, on the first
// day of the period and on 1 September, the indiction line.
QString PeriodDayBlock(const DayInfo& day, const DayOptions& o, bool firstDay, bool showYear, bool inWeek);

// The date lines and weekday line of a dated row of the feasts and selection reports, with an empty line
// after them.
QString DatedRowHead(const DayInfo& day, const DayOptions& o, bool showYear);

// The day of the year of the state `year` (a state made by StateOfDay) that has a Julian day and month, or
// 0 when the year has none; the search starts in the Julian year `julianYear`.
int32_t JulianDateInYear(const CalendarState& year, int16_t julianYear, int16_t day, int16_t month);

// The engine for a live calendar: the one the reports hold, loaded from the calendar's data folder on
// first use.
const DayEngine& EngineOf(ReportContext& ctx);

// Writes a document to the temporary file of its tab and hands it to the host (with an empty path when the
// file could not be written).
void ShowDocument(ReportContext& ctx, int tab, const QByteArray& document);

} // namespace vorelian
