#include "report/exportdays.h"

#include "core/calendar.h"

#include <algorithm>

namespace vorelian {

DayRange ReportDays(int tab, int16_t style, const DateParts& date) {
    const int32_t day = DayNumber(style, date.Day, date.Month, date.Year);
    switch (tab) {
    case 1: {
        const int16_t k = WeekdayPosition(7, WeekdayOf(day)); // Sunday 1 .. Saturday 7
        return {day - k + 1, day - k + 7};
    }
    case 2: {
        const int32_t next = date.Month == 12 ? DayNumber(style, 1, 1, int16_t(date.Year + 1))
                                              : DayNumber(style, 1, int16_t(date.Month + 1), date.Year);
        return {DayNumber(style, 1, date.Month, date.Year), next - 1};
    }
    case 3:
        return {DayNumber(style, 1, 1, date.Year), DayNumber(style, 1, 1, int16_t(date.Year + 1)) - 1};
    default:
        return {day, day};
    }
}

QJsonObject ReportJson(const DayEngine& engine, int tab, const DateParts& date, const DayOptions& options,
                       const QString& searchText, bool wholeWord) {
    if (tab == 4)
        return FeastsJson(engine.Feasts(date.Year, options));
    if (tab == 5)
        return SearchJson(searchText, wholeWord, date.Year,
                          engine.Search(date.Year, options, searchText, wholeWord));
    const DayRange days = ReportDays(tab, options.Style, date);
    std::vector<DayInfo> list;
    list.reserve(size_t(std::max(0, days.Last - days.First + 1)));
    for (int32_t d = days.First; d <= days.Last; ++d)
        list.push_back(engine.Day(d, options));
    return DaysJson(list);
}

QJsonObject NameSearchJson(const DayEngine& engine, int16_t year, const DayOptions& options,
                           const QString& name) {
    return SearchJson(name, true, year, engine.SearchName(year, options, name));
}

std::optional<QByteArray> IcalCalendar(const DayEngine& engine, DayRange days, IcalScope scope,
                                       const DayOptions& options, const ExportProgress& progress) {
    IcalWriter writer(scope, options);
    const int64_t total = int64_t(days.Last) - days.First + 1;
    constexpr int step = 61; // days between two progress reports: about six a year
    for (int32_t d = days.First; d <= days.Last; ++d) {
        const int64_t done = int64_t(d) - days.First;
        if (progress && done % step == 0 && !progress(done, total))
            return std::nullopt;
        writer.Add(engine.Day(d, options));
    }
    if (progress && !progress(total, total))
        return std::nullopt;
    return writer.Finish();
}

} // namespace vorelian
