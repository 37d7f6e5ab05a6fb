// The week, month and year reports: one day block per day of the period under a heading, each followed by
// a navy separator. The builders move the current day through the period and put the state back after.
#include "core/calendar.h"
#include "core/recalc.h"
#include "core/tables.h"
#include "report/builders.h"
#include "report/dayblock.h"
#include "report/dialect.h"

namespace vorelian {
namespace {

// The block of the current day inside a period report, with its colour, the separator after it and, on the
// first day of the period and on 1 September, the indiction line.
QString PeriodDayBlock(ReportContext& ctx, bool firstDay, bool showYear, bool inWeek) {
    const StyleDate& am = ctx.State.StyleDates[StyleAnnoMundi];
    ctx.Out.DayIsRed = false;
    QString block;
    if (firstDay || (am.Month == 1 && am.Day == 1))
        block = IndictionLine(ctx);
    block += DateLines(ctx, showYear, false);
    block += WeekdayLine(ctx);
    block += DayEntries(ctx);
    block.prepend(ctx.Out.DayIsRed ? dialect::Red : dialect::Navy);
    block += dialect::Navy;
    if (inWeek)
        block += u"\r\n";
    block += dialect::Par;
    block += dialect::Separator;
    block += dialect::Par;
    return block;
}

// "с 28 декабря 2014 года" and its kind: a heading line naming the current day with its year.
QString DatedHeadingLine(const CalendarState& st, QStringView prefix) {
    const StyleDate& r = st.Cur();
    QString s;
    s += dialect::Blank;
    s += prefix;
    s += QString::number(r.Day);
    s += u' ';
    s += MonthName(st, st.CurStyle, 2);
    s += u' ';
    s += QString::number(r.Year);
    s += u" года";
    return s;
}

} // namespace

void BuildWeekReport(ReportContext& ctx) {
    CalendarState& st = ctx.State;
    const BusyGuard busy(ctx.Host);
    SaveState(st);
    ReportWriter out(ctx.Host, TabWeek, ctx.Out.Temp.Paths[TabWeek]);
    QString head = ReportHeader(ctx.Options);
    head += dialect::Navy;
    out.Write(head);

    const StyleDate& r = st.Cur();
    const int32_t first = r.WeekFirstDay, last = r.WeekLastDay;
    const bool showYear = ctx.Options.ShowAllStyles || first < r.YearFirstDay || last > r.YearLastDay;
    // The year the anchors and movable days were last placed for. Each day of another year places them
    // anew, so that both halves of a week that straddles a year boundary show their own year's entries,
    // whichever half the user's date is in.
    int16_t anchorsYear = r.Year;
    bool moved = false;

    QString heading, body;
    for (int32_t t = first; t <= last; ++t) {
        MakeDayCurrent(st, t, false);
        if (st.Cur().Year != anchorsYear) {
            SetYearAnchors(st);
            SetMovableDays(st, ctx.Data.Bases);
            anchorsYear = st.Cur().Year;
            moved = true;
        }
        if (t == first) {
            heading += dialect::Par;
            heading += dialect::Blank;
            heading += u"Седмица";
            heading += dialect::Par;
            heading += DatedHeadingLine(st, u"с ");
            heading += dialect::Par;
        }
        body += PeriodDayBlock(ctx, t == first, showYear, true);
    }
    heading += DatedHeadingLine(st, u"по ");
    heading += StyleNames[st.CurStyle];
    heading += dialect::Par;
    heading += dialect::Separator;
    heading += dialect::Par;

    heading += body;
    heading += dialect::DocEnd;
    out.Write(heading);
    out.Finish();
    ctx.Out.ReportBuiltFor[TabWeek] = {first, st.CurStyle};
    RestoreState(st);
    if (moved) {
        SetYearAnchors(st);
        SetMovableDays(st, ctx.Data.Bases);
    }
}

namespace {

// The month and year reports: the heading, then every day of first..last made current with its week number
// and written as its block; `beforeDay` may write something in front of a day (the year's month headings).
template <class BeforeDay>
void WritePeriodReport(ReportContext& ctx, int tab, int32_t first, int32_t last, const QString& heading,
                       BeforeDay beforeDay) {
    CalendarState& st = ctx.State;
    const BusyGuard busy(ctx.Host);
    SaveState(st);
    ReportWriter out(ctx.Host, tab, ctx.Out.Temp.Paths[tab]);
    out.Write(ReportHeader(ctx.Options) + HeadingBlock(heading));
    for (int32_t t = first; t <= last; ++t) {
        MakeDayCurrent(st, t, true);
        beforeDay(out);
        out.Write(PeriodDayBlock(ctx, t == first, false, false));
    }
    out.Write(dialect::DocEnd);
    out.Finish();
    ctx.Out.ReportBuiltFor[tab] = {first, st.CurStyle};
    RestoreState(st);
}

} // namespace

void BuildMonthReport(ReportContext& ctx) {
    const CalendarState& st = ctx.State;
    const StyleDate& r = st.Cur();
    const QString heading = MonthName(st, st.CurStyle, 1) + u' ' + QString::number(r.Year) +
                            QStringLiteral(" года") + StyleNames[st.CurStyle];
    WritePeriodReport(ctx, TabMonth, r.MonthFirstDay, r.MonthLastDay, heading, [](ReportWriter&) {});
}

void BuildYearReport(ReportContext& ctx) {
    const CalendarState& st = ctx.State;
    const StyleDate& r = st.Cur();
    int16_t lastMonth = 0;
    WritePeriodReport(ctx, TabYear, r.YearFirstDay, r.YearLastDay, YearTitle(r.Year, st.CurStyle),
                      [&](ReportWriter& out) {
                          if (st.Cur().Month != lastMonth) {
                              out.Write(HeadingBlock(MonthName(st, st.CurStyle, 1)));
                              lastMonth = st.Cur().Month;
                          }
                      });
}

} // namespace vorelian
