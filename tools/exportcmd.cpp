#include "exportcmd.h"

namespace vorelian::tool {

DayOptions OptionsOf(const ToolArgs& a) {
    DayOptions o;
    o.Style = a.Style;
    o.ShowIndiction = a.Indiction;
    o.ShowAllStyles = a.AllStyles;
    o.ShowReadings = a.Readings;
    return o;
}

QByteArray JsonReport(const ToolArgs& a, const DayEngine& engine, int32_t dayNumber) {
    const DayOptions options = OptionsOf(a);
    const DateParts date = StyleDateOf(engine.Day(dayNumber, options), a.Style);
    return JsonBytes(ReportJson(engine, a.Tab, date, options, a.Text.value_or(QString()), a.WholeWord));
}

QByteArray IcalReport(const ToolArgs& a, const DayEngine& engine, DayRange days) {
    return IcalCalendar(engine, days, a.Scope, OptionsOf(a)).value_or(QByteArray());
}

} // namespace vorelian::tool
