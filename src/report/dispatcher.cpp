#include "report/builders.h"
#include "report/dayblock.h"
#include "report/dialect.h"

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

void BuildDayReport(ReportContext& ctx) {
    ReportWriter out(ctx.Host, TabDay, ctx.Out.Temp.Paths[TabDay]);
    out.Write(ReportHeader(ctx.Options));
    ctx.Out.DayIsRed = false;
    QString body = IndictionLine(ctx);
    body += DateLines(ctx, true, true);
    body += WeekdayLine(ctx);
    body += DayEntries(ctx); // last: the colour of the block is known only after it
    body += dialect::DocEnd;
    body.prepend(ctx.Out.DayIsRed ? dialect::Red : dialect::Navy);
    out.Write(body);
    out.Finish();
    ctx.Out.ReportBuiltFor[TabDay] = {ctx.State.CurDayNumber, ctx.State.CurStyle};
}

} // namespace vorelian
