// The day block, from which every dated report is made: the indiction line, the date lines and the
// commemorations of a day, each written in the report dialect from what the day engine answers.
#pragma once

#include "engine/dataset.h"
#include "engine/daycompute.h"
#include "engine/dayengine.h"
#include "report/report.h"

#include <QString>
#include <QStringView>

namespace vorelian {

// "72-й год 15-го индиктиона" for the year of a day, between an empty line and the paragraph end.
QString IndictionLine(const DayInfo& day);

// The current month of `style` by its civil name; form 1 nominative ("Январь"), 2 genitive ("января").
QString MonthName(const CalendarState& st, int16_t style, int form);

// The date of a day in `style` (with year and style name as asked, or always with the all-styles option),
// then the two other styles when that option is on; an empty line before and after. The dates are those
// of a day in the three styles (entry 0 unused), or of a DayInfo.
QString DateLines(const std::array<DateParts, 4>& dates, int16_t style, bool showYear, bool showStyle,
                  bool allStyles);
QString DateLines(const DayInfo& day, int16_t style, bool showYear, bool showStyle, bool allStyles);

// The texts of one key of a record as the reports write them: each value of groups 0..3 behind its rank
// mark, of group 4 behind the blank mark, every one closed by a paragraph end.
QString RecordText(const BaseRecord& r, int key);

// The commemorations of a day as the reports write them: each group that has entries after an empty line,
// each entry behind its rank mark (group 4: the blank mark) and closed by a paragraph end.
QString EntriesMarkup(const std::vector<DayEntry>& entries);
// The commemorations of a day from the engine, then its fasting line (when the options show it) as the last
// line of the fifth group.
QString EntriesMarkup(const DayInfo& day, const DayOptions& options);

} // namespace vorelian
