// The report documents built from a day engine: every builder asks the engine for the days it shows and
// composes the RTF in memory. Nothing here touches the caller's navigation state or writes a file; the
// window writes the temporary files from the bytes.
#pragma once

#include "engine/dayengine.h"
#include "engine/yearfeasts.h"
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

// The RTF document of a report (tab 0 day .. 4 main feasts; 5 the selection of `searchText`), for the
// day, week, month or year of options.Style that holds `dayNumber`, exactly as the window shows it. Built
// on a state of its own: the engine is only read.
QByteArray ReportDocument(const DayEngine& engine, int tab, int32_t dayNumber, const DayOptions& options,
                          const Settings& font, const QString& searchText = QString(),
                          bool wholeWord = false);

QByteArray DayDocument(const DocRequest& r);
QByteArray WeekDocument(const DocRequest& r);
QByteArray MonthDocument(const DocRequest& r);
QByteArray YearDocument(const DocRequest& r);
QByteArray FeastsDocument(const DocRequest& r);
// Empty when the searched text has nothing but blanks.
QByteArray SelectionDocument(const DocRequest& r, const QString& text, bool wholeWord);
// The name-day selection: the days of the year whose saints bear `name` (DayEngine::SearchName), the names
// in red; empty when the name has nothing but blanks.
QByteArray NameSelectionDocument(const DocRequest& r, const QString& name);

// The block of one day inside a period report, with its colour, the separator after it and, on the first
// day of the period and on 1 September, the indiction line.
QString PeriodDayBlock(const DayInfo& day, const DayOptions& o, bool firstDay, bool showYear, bool inWeek);

// The date lines and weekday line of a dated row of the feasts and selection reports, with an empty line
// after them.
QString DatedRowHead(const DayInfo& day, const DayOptions& o, bool showYear);

// Writes a document to the temporary file of its tab and hands it to the host (with an empty path when the
// file could not be written).
void ShowDocument(const ReportView& view, int tab, const QByteArray& document);

} // namespace vorelian
