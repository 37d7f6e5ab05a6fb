// The report builders behind BuildReport and FindInYear, the dated-row buffer they share and the pieces
// of the search. Each builder has the engine compose its document for the user's day and style, writes the
// tab's temporary file and hands the document to the host; the window's navigation state is only read.
#pragma once

#include "engine/textsearch.h"
#include "report/report.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace vorelian {

void BuildDayReport(const ReportView& view);    // tab 0
void BuildWeekReport(const ReportView& view);   // tab 1
void BuildMonthReport(const ReportView& view);  // tab 2
void BuildYearReport(const ReportView& view);   // tab 3
void BuildFeastsReport(const ReportView& view); // tab 4

// The key day number of a tab for the window's current day (0 for tabs without a key).
int32_t ReportKey(const CalendarState& st, int tab);

// Sorts the buffer by day number, keeping the order of rows of one day.
void SortRows(std::vector<DatedRow>& rows);

// Puts every match, from the one at `position` on, between the red and the navy colour tokens.
QString MarkMatches(QString text, qsizetype position, QStringView pattern, bool wholeWord);

} // namespace vorelian
