#include "exportcmd.h"

#include <QDate>

namespace vorelian::tool {

DayOptions OptionsOf(const ToolArgs& a) {
    return DayOptionsOf(SettingsOf(a, QDate::currentDate().year()), a.Style);
}

QByteArray JsonReport(const ToolArgs& a, const DayEngine& engine, int32_t dayNumber) {
    const DayOptions options = OptionsOf(a);
    const DateParts date = DateIn(engine.Day(dayNumber, options), a.Style);
    if (a.Name)
        return JsonBytes(NameSearchJson(engine, date.Year, options, *a.Name));
    return JsonBytes(ReportJson(engine, a.Tab, date, options, a.Text.value_or(QString()), a.WholeWord));
}

QByteArray IcalReport(const ToolArgs& a, const DayEngine& engine, DayRange days) {
    return IcalCalendar(engine, days, a.Scope, OptionsOf(a)).value_or(QByteArray());
}

} // namespace vorelian::tool
