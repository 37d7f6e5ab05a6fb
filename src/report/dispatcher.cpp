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

void BuildReport(ReportContext& ctx, int visibleTab) {
    if (visibleTab < TabDay || visibleTab > TabFeasts)
        return; // the selection is built on request, the abbreviations never change
    const auto& built = ctx.Out.ReportBuiltFor[visibleTab];
    if (built[0] == ReportKey(ctx.State, visibleTab) && built[1] == ctx.State.CurStyle)
        return;
    switch (visibleTab) {
    case TabDay:
        BuildDayReport(ctx);
        break;
    case TabWeek:
        BuildWeekReport(ctx);
        break;
    case TabMonth:
        BuildMonthReport(ctx);
        break;
    case TabYear:
        BuildYearReport(ctx);
        break;
    default:
        BuildFeastsReport(ctx);
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
void BuildFromEngine(ReportContext& ctx, int tab, QByteArray (*build)(const DocRequest&), bool busy) {
    const BusyGuard guard(busy ? ctx.Host : nullptr);
    DayOptions o{ctx.State.CurStyle, ctx.Options.ShowIndiction, ctx.Options.ShowAllStyles,
                 ctx.Options.ShowFasting};
    o.ShowReadings = ctx.Options.ShowReadings;
    const DocRequest r{EngineOf(ctx), o, ctx.Options, ctx.State.CurDayNumber};
    ShowDocument(ctx, tab, build(r));
    ctx.Out.ReportBuiltFor[tab] = {ReportKey(ctx.State, tab), ctx.State.CurStyle};
}

} // namespace

void BuildDayReport(ReportContext& ctx) {
    BuildFromEngine(ctx, TabDay, DayDocument, false);
}
void BuildWeekReport(ReportContext& ctx) {
    BuildFromEngine(ctx, TabWeek, WeekDocument, true);
}
void BuildMonthReport(ReportContext& ctx) {
    BuildFromEngine(ctx, TabMonth, MonthDocument, true);
}
void BuildYearReport(ReportContext& ctx) {
    BuildFromEngine(ctx, TabYear, YearDocument, true);
}
void BuildFeastsReport(ReportContext& ctx) {
    BuildFromEngine(ctx, TabFeasts, FeastsDocument, false);
}

} // namespace vorelian
