// The day block, from which every dated report is made: the indiction line, the date lines, the weekday
// line with the week of the movable cycle and the tone, and the commemorations of the day gathered from
// the day file of its Julian date and from the movable bases. Each piece reads the live calendar state
// (the current day) and may set the red-day flag of the block being built.
#pragma once

#include "report/report.h"

#include <QString>
#include <QStringView>

namespace vorelian {

// "72-й год 15-го индиктиона" for the Anno Mundi year of the current day, between an empty line and the
// paragraph end; empty when the indiction option is off.
QString IndictionLine(const ReportContext& ctx);

// The current month of `style` by its civil name; form 1 nominative ("Январь"), 2 genitive ("января").
QString MonthName(const CalendarState& st, int16_t style, int form);

// The date of the current day in the current style (with year and style name as asked, or always with
// the all-styles option), then the two other styles when that option is on; an empty line before and after.
QString DateLines(const ReportContext& ctx, bool showYear, bool showStyle);

// The commemorations of the current day: lists 0..4 of the day file and the three movable bases, each
// list that is not empty after an empty line. Sets the red-day flag on a Sunday and for a red entry.
QString DayEntries(ReportContext& ctx);

// The weekday line of the current day: the day titles of the weekday bases, or the weekday name with its
// week of the movable cycle, then the tone. Leaves the tone in ctx.Out.Tone (0 for none).
QString WeekdayLine(ReportContext& ctx);

// The week of the movable cycle for a weekday (1 Monday .. 7 Sunday) in week w of a year whose Pascha
// falls in week p and whose first week is week k after the previous Pentecost.
QString WeekPhrase(int16_t weekday, int w, int p, int k);

// The tone of day d, given this year's and the previous year's Pascha; 0 when the day has none.
int16_t ToneOfDay(int32_t d, int32_t paschaDay, int32_t prevPaschaDay);

// acc, a blank when acc is not empty, then text.
QString JoinWithSpace(const QString& acc, QStringView text);
// acc without its final full stop (if it ends with one), then text.
QString JoinAfterPeriod(const QString& acc, QStringView text);

// Makes a day current the way the builders that walk through days do: the three style dates and the
// weekday; with `weekNo` also the current style's week number counted from the first day of its year.
void MakeDayCurrent(CalendarState& st, int32_t day, bool weekNo);

} // namespace vorelian
