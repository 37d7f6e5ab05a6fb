// The day block, from which every dated report is made: the indiction line, the date lines, the weekday
// line with the week of the movable cycle and the tone, and the commemorations of the day gathered from
// the day file of its Julian date and from the movable bases. Each piece reads the live calendar state
// (the current day) and may set the red-day flag of the block being built.
#pragma once

#include "engine/dataset.h"
#include "engine/daycompute.h"
#include "engine/dayengine.h"
#include "report/report.h"

#include <QString>
#include <QStringView>

namespace vorelian {

// "72-й год 15-го индиктиона" for the Anno Mundi year of the current day, between an empty line and the
// paragraph end; empty when the indiction option is off.
QString IndictionLine(const ReportContext& ctx);
// The same line for an Anno Mundi year, whatever the option.
QString IndictionLine(int16_t annoMundiYear);

// The current month of `style` by its civil name; form 1 nominative ("Январь"), 2 genitive ("января").
QString MonthName(const CalendarState& st, int16_t style, int form);

// The date of the current day in the current style (with year and style name as asked, or always with
// the all-styles option), then the two other styles when that option is on; an empty line before and after.
QString DateLines(const ReportContext& ctx, bool showYear, bool showStyle);
// The same lines for the dates of a day in the three styles (entry 0 unused), or of a DayInfo.
QString DateLines(const std::array<DateParts, 4>& dates, int16_t style, bool showYear, bool showStyle,
                  bool allStyles);
QString DateLines(const DayInfo& day, int16_t style, bool showYear, bool showStyle, bool allStyles);

// The commemorations of the current day: lists 0..4 of the day file and the three movable bases, each
// list that is not empty after an empty line. Sets the red-day flag on a Sunday and for a red entry.
QString DayEntries(ReportContext& ctx);

// The weekday line of the current day: the day titles of the weekday bases, or the weekday name with its
// week of the movable cycle, then the tone. Leaves the tone in ctx.Out.Tone (0 for none).
QString WeekdayLine(ReportContext& ctx);

// The commemorations of a day as the reports write them: each group that has entries after an empty line,
// each entry behind its rank mark (group 4: the blank mark) and closed by a paragraph end.
QString EntriesMarkup(const std::vector<DayEntry>& entries);
// The commemorations of a day from the engine, then its fasting line (when the options show it) as the last
// line of the fifth group.
QString EntriesMarkup(const DayInfo& day, const DayOptions& options);

// Makes a day current the way the builders that walk through days do: the three style dates and the
// weekday; with `weekNo` also the current style's week number counted from the first day of its year.
void MakeDayCurrent(CalendarState& st, int32_t day, bool weekNo);

} // namespace vorelian
