#include "report/builders.h"
#include "report/dayblock.h"
#include "report/dialect.h"
#include "report/documents.h"

namespace vorelian {

int32_t ReportKey(const CalendarState& st, int tab) {
    switch (tab) {
    case TabDay:
        return st.CurDayNumber;
    case TabWeek:
        return st.Cur().WeekFirstDay;
    case TabMonth:
        return st.Cur().MonthFirstDay;
    case TabYear:
    case TabFeasts:
        return st.Cur().YearFirstDay;
    default:
        return 0;
    }
}

void BuildReport(const ReportView& view, int visibleTab) {
    if (visibleTab < TabDay || visibleTab > TabFeasts)
        return; // the selection is built on request, the abbreviations never change
    const auto& built = view.Out.ReportBuiltFor[visibleTab];
    if (built[0] == ReportKey(view.State, visibleTab) && built[1] == view.State.CurStyle)
        return;
    switch (visibleTab) {
    case TabDay:
        BuildDayReport(view);
        break;
    case TabWeek:
        BuildWeekReport(view);
        break;
    case TabMonth:
        BuildMonthReport(view);
        break;
    case TabYear:
        BuildYearReport(view);
        break;
    default:
        BuildFeastsReport(view);
        break;
    }
}

void ClearReportStyles(Reports& out) {
    for (auto& row : out.ReportBuiltFor)
        row[1] = 0;
}

namespace {

// A report of the user's day and style, composed by the engine and shown; the long ones under the busy
// pointer.
void BuildFromEngine(const ReportView& view, int tab, QByteArray (*build)(const DocRequest&), bool busy) {
    const BusyGuard guard(busy ? view.Host : nullptr);
    const DayOptions o = DayOptionsOf(view.Options, view.State.CurStyle);
    const DocRequest r{view.Engine, o, view.Options, view.State.CurDayNumber};
    ShowDocument(view, tab, build(r));
    view.Out.ReportBuiltFor[tab] = {ReportKey(view.State, tab), view.State.CurStyle};
}

} // namespace

void BuildDayReport(const ReportView& view) {
    BuildFromEngine(view, TabDay, DayDocument, false);
}
void BuildWeekReport(const ReportView& view) {
    BuildFromEngine(view, TabWeek, WeekDocument, true);
}
void BuildMonthReport(const ReportView& view) {
    BuildFromEngine(view, TabMonth, MonthDocument, true);
}
void BuildYearReport(const ReportView& view) {
    BuildFromEngine(view, TabYear, YearDocument, true);
}
void BuildFeastsReport(const ReportView& view) {
    BuildFromEngine(view, TabFeasts, FeastsDocument, false);
}

} // namespace vorelian
