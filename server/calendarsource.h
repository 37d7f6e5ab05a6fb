// Everything the service asks of the calendar, in one place: the loaded day engine and the document
// writers the tool uses, so that an answer is byte for byte what `vorelian-report --format json` prints.
// Loaded once at start, then only read: safe to query from many threads at once.
#pragma once

#include "engine/dayinfo.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

namespace vorelian::server {

// Which days an iCalendar feed holds.
enum class FeedScope { Great, Red, All };

class CalendarSource {
public:
    virtual ~CalendarSource() = default;

    // The data set in `calendarDir`, loaded once; nothing when it cannot be loaded (`error` says why).
    static std::shared_ptr<const CalendarSource> Load(const QString& calendarDir, QString& error);

    // Day number of a date in a style (Anno Mundi: year AM, month 1 = September); nothing if no such day.
    virtual std::optional<int32_t> DayNumberOf(int16_t style, int16_t year, int16_t month,
                                               int16_t day) const = 0;
    virtual DayInfo Day(int32_t dayNumber) const = 0;

    // The JSON documents of the tool: {"days": […]} for the days first..last with date lines of `style`,
    // the main feasts of a year of the style, and the search of a year.
    virtual QByteArray DaysJson(int32_t first, int32_t last, int16_t style) const = 0;
    virtual QByteArray FeastsJson(int16_t year, int16_t style) const = 0;
    virtual QByteArray SearchJson(int16_t year, int16_t style, const QString& text, bool wholeWord) const = 0;
    // The iCalendar of the days first..last.
    virtual QByteArray Calendar(int32_t first, int32_t last, FeedScope scope) const = 0;
};

} // namespace vorelian::server
