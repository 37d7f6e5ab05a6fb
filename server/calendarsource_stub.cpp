// STAND-IN until the day engine and the JSON and iCalendar writers are merged: dates only, no
// commemorations, placeholder documents. Replaced by calendarsource.cpp; nothing else depends on it.
#include "calendarsource.h"

#include "core/calendar.h"
#include "core/state.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vorelian::server {
namespace {

class StubSource final : public CalendarSource {
public:
    std::optional<int32_t> DayNumberOf(int16_t style, int16_t year, int16_t month,
                                       int16_t day) const override {
        if (month < 1 || month > 12 || day < 1 || day > 31)
            return std::nullopt;
        const int32_t n = DayNumber(style, day, month, year);
        const DayInfo d = Day(n);
        const DateParts& back = style == 1 ? d.AnnoMundi : style == 2 ? d.Julian : d.Gregorian;
        if (back != DateParts{year, month, day})
            return std::nullopt;
        return n;
    }
    DayInfo Day(int32_t dayNumber) const override {
        CalendarState st;
        InitStyleTables(st);
        st.CurDayNumber = dayNumber;
        DayNumberToJulian(st);
        JulianToGregorian(st);
        JulianToAnnoMundi(st);
        DayInfo d;
        d.DayNumber = dayNumber;
        const auto parts = [&](int s) {
            const StyleDate& sd = st.StyleDates[s];
            return DateParts{sd.Year, sd.Month, sd.Day};
        };
        d.AnnoMundi = parts(1);
        d.Julian = parts(2);
        d.Gregorian = parts(3);
        d.Weekday = int8_t(WeekdayOf(dayNumber));
        return d;
    }
    QByteArray DaysJson(int32_t first, int32_t last, int16_t) const override {
        QJsonArray days;
        for (int32_t n = first; n <= last; ++n)
            days.append(QJsonObject{{QStringLiteral("dayNumber"), n}});
        return QJsonDocument(QJsonObject{{QStringLiteral("days"), days}}).toJson(QJsonDocument::Compact);
    }
    QByteArray FeastsJson(int16_t, int16_t) const override { return QByteArrayLiteral("{\"feasts\":[]}"); }
    QByteArray SearchJson(int16_t, int16_t, const QString&, bool) const override {
        return QByteArrayLiteral("{\"matches\":[]}");
    }
    QByteArray Calendar(int32_t, int32_t, FeedScope) const override {
        return QByteArrayLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
    }
};

} // namespace

std::shared_ptr<const CalendarSource> CalendarSource::Load(const QString&, QString&) {
    return std::make_shared<StubSource>();
}

} // namespace vorelian::server
