// The reports: the dispatcher that keeps the visible report current, and the search of the year.
// The report layer composes RTF documents in the report dialect, writes each to its temporary file and
// hands it to the host (the window, or the command-line tool) to show. It knows no widget.
#pragma once

#include "core/settings.h"
#include "core/state.h"
#include "engine/dayengine.h"
#include "report/tempfiles.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace vorelian {

// Tabs of the report views.
enum ReportTab : int { TabDay = 0, TabWeek, TabMonth, TabYear, TabFeasts, TabSelection, TabAbbreviations };

// What the report layer needs of whoever shows the reports.
class ReportHost {
public:
    virtual ~ReportHost() = default;
    // Shows the document just built for `tab`. `path` is its temporary file, or empty when the file could
    // not be written; `document` holds the same bytes in any case.
    virtual void ShowReport(int tab, const QString& path, const QByteArray& document) = 0;
    // The busy pointer around long reports.
    virtual void SetBusy(bool) {}
};

// One row of the dated-row buffer: the day number (sort key), the date text and the entry text.
struct DatedRow {
    int32_t Day = 0;
    QString DateText;
    QString EntryText;
};

struct Reports {
    // Per tab 0..6: the key day number and the style the document was last built for.
    std::array<std::array<int32_t, 2>, 7> ReportBuiltFor{};
    TempFiles Temp;
};

// The reports of a view: the engine they are asked of, the user's day and style and settings (only
// read), the record of what was built and the host that shows it.
struct ReportView {
    const DayEngine& Engine;
    const CalendarState& State;
    const Settings& Options;
    Reports& Out;
    ReportHost* Host = nullptr;
};

// Rebuilds the report of the visible tab when its key or style no longer match (tabs 0..4).
void BuildReport(const ReportView& view, int visibleTab);

// Makes every report out of date, for a change that all of them depend on (font, options).
void ClearReportStyles(Reports& out);

// Searches the commemorations of the current year for `text` and shows the selection report (tab 5).
void FindInYear(const ReportView& view, const QString& text, bool wholeWord);
// The name-day selection of the current year for `name` (NameSelectionDocument), shown like FindInYear.
void FindNameDays(const ReportView& view, const QString& name);

} // namespace vorelian
