// The week, month and year reports: one day block per day of the period under a heading, each followed by
// a navy separator. Every day comes from the engine as its own year sees it, so a week that straddles two
// years shows each half with its own year's entries.
#include "core/calendar.h"
#include "core/tables.h"
#include "report/builders.h"
#include "report/dayblock.h"
#include "report/dialect.h"
#include "report/documents.h"

namespace vorelian {
namespace {

// "с 28 декабря 2014 года" and its kind: a heading line naming a day with its year.
QString DatedHeadingLine(const DayInfo& day, int16_t style, QStringView prefix) {
    const DateParts& r = DateIn(day, style);
    QString s;
    s += dialect::Blank;
    s += prefix;
    s += QString::number(r.Day);
    s += u' ';
    s += MonthNameOf(CivilMonthOf(style, r.Month), 2);
    s += u' ';
    s += QString::number(r.Year);
    s += u" года";
    return s;
}

// The month and year reports: the heading, then every day of first..last written as its block;
// `beforeDay` may write something in front of a day (the year's month headings).
template <class BeforeDay>
QByteArray PeriodDocument(const DocRequest& r, int32_t first, int32_t last, const QString& heading,
                          BeforeDay beforeDay) {
    ReportWriter out;
    out.Write(ReportHeader(r.Font) + HeadingBlock(heading));
    for (int32_t t = first; t <= last; ++t) {
        const DayInfo day = r.Engine.Day(t, r.Options);
        beforeDay(out, day);
        out.Write(PeriodDayBlock(day, r.Options, t == first, false, false));
    }
    out.Write(dialect::DocEnd);
    return out.Document();
}

} // namespace

QByteArray WeekDocument(const DocRequest& r) {
    const int16_t style = r.Options.Style;
    const CalendarState st = StateOfDay(r.Day, style);
    const StyleDate& y = st.Cur();
    const int32_t first = r.Day - WeekdayPosition(7, st.CurWeekday) + 1; // the Sunday that opens the week
    const int32_t last = first + 6;
    const bool showYear = r.Options.ShowAllStyles || first < y.YearFirstDay || last > y.YearLastDay;

    ReportWriter out;
    QString head = ReportHeader(r.Font);
    head += dialect::Navy;
    out.Write(head);

    QString heading, body;
    DayInfo day;
    for (int32_t t = first; t <= last; ++t) {
        day = r.Engine.Day(t, r.Options);
        if (t == first) {
            heading += dialect::Par;
            heading += dialect::Blank;
            heading += u"Седмица";
            heading += dialect::Par;
            heading += DatedHeadingLine(day, style, u"с ");
            heading += dialect::Par;
        }
        body += PeriodDayBlock(day, r.Options, t == first, showYear, true);
    }
    heading += DatedHeadingLine(day, style, u"по ");
    heading += StyleNames[style];
    heading += dialect::Par;
    heading += dialect::Separator;
    heading += dialect::Par;

    heading += body;
    heading += dialect::DocEnd;
    out.Write(heading);
    return out.Document();
}

QByteArray MonthDocument(const DocRequest& r) {
    const int16_t style = r.Options.Style;
    const CalendarState st = StateOfDay(r.Day, style);
    const StyleDate& m = st.Cur();
    const int32_t first = r.Day - m.Day + 1;
    const int32_t last = first + m.MonthDays[m.Month] - 1;
    const QString heading = MonthName(st, style, 1) + u' ' + QString::number(m.Year) +
                            QStringLiteral(" года") + StyleNames[style];
    return PeriodDocument(r, first, last, heading, [](ReportWriter&, const DayInfo&) {});
}

QByteArray YearDocument(const DocRequest& r) {
    const int16_t style = r.Options.Style;
    const CalendarState st = StateOfDay(r.Day, style);
    const StyleDate& y = st.Cur();
    int16_t lastMonth = 0;
    return PeriodDocument(r, y.YearFirstDay, y.YearLastDay, YearTitle(y.Year, style),
                          [&](ReportWriter& out, const DayInfo& day) {
                              const int16_t month = DateIn(day, style).Month;
                              if (month != lastMonth) {
                                  out.Write(HeadingBlock(MonthNameOf(CivilMonthOf(style, month), 1)));
                                  lastMonth = month;
                              }
                          });
}

} // namespace vorelian
