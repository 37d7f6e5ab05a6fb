// The red (festal) days of the displayed month: from the "Red" keys of the Julian day files and from
// the red records of the bases placed in the month.
#include "bases.h"

#include "core/calendar.h"

namespace vorelian {
namespace {

bool DayFileRed(ProfileCache& profiles, const QString& file, int16_t day) {
    // The month grid counts only the value 1; the day report is more lenient (any "Red" key).
    return profiles.Get(file).Value(QStringLiteral(" %1").arg(day), u"Red") == u"1";
}

// The red records of a base placed in first..last, in either of its years.
void MarkRecords(std::vector<bool>& red, int32_t first, int32_t last, const RecordBase& base) {
    const auto mark = [&](int32_t n) {
        if (n >= first && n <= last)
            red[n - first + 1] = true;
    };
    for (int i = 1; i <= base.Count; ++i) {
        const BaseRecord& r = base.Records[i];
        if (!r.Red)
            continue;
        mark(r.DayNumber);
        if (base.TwoYears)
            mark(r.PrevDayNumber);
    }
}

} // namespace

void SetMonthRedDays(CalendarState& st, const Bases& b, ProfileCache& profiles, const DataFiles& files) {
    const StyleDate& r = st.Cur();
    const int16_t n = r.MonthDays[r.Month];
    std::vector<bool>& red = st.MonthRedDays;
    red.assign(n + 1, false);

    if (st.CurStyle == StyleGregorian) {
        // The Julian dates of a Gregorian month may span two Julian months.
        for (int32_t t = r.MonthFirstDay, k = 1; t <= r.MonthLastDay && k <= n; ++t, ++k) {
            const DateParts j = DatesOf(t).Julian;
            const int16_t length = IsLeapYear(StyleJulian, j.Year) ? 366 : 365;
            if (DayFileRed(profiles, files.DayFile(j.Month, length), j.Day))
                red[k] = true;
        }
    } else {
        const int16_t julianMonth = CivilMonthOf(st.CurStyle, r.Month);
        const QString& file = files.DayFile(julianMonth, r.YearLength);
        for (int16_t d = 1; d <= n; ++d)
            if (DayFileRed(profiles, file, d))
                red[d] = true;
    }

    const int32_t first = r.MonthFirstDay, last = r.MonthFirstDay + n - 1;
    for (int k = 0; k < BaseKinds; ++k)
        MarkRecords(red, first, last, b[BaseKind(k)]);
}

} // namespace vorelian
