// The calendar for other programs: days, feasts and search matches as JSON documents, and days as an
// iCalendar file of all-day events. Everything here is made from the engine's plain values (DayInfo,
// FeastRow, SearchMatch), so the report tool, the window and the web service give the same bytes for the
// same days. QtCore only.
#pragma once

#include "engine/dayengine.h"
#include "engine/dayinfo.h"
#include "engine/fasting.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace vorelian {

struct FeastRow;
struct SearchMatch;

// ---- JSON ----

// One day: the three dates, indiction, weekday, weekday line, tone, red, entries and fasting.
QJsonObject DayJson(const DayInfo& day);
// {"days": [...]}: the document of the day, week, month and year reports.
QJsonObject DaysJson(const std::vector<DayInfo>& days);
// {"feasts": [...]}: the main feasts of a year, in the order given.
QJsonObject FeastsJson(const std::vector<FeastRow>& feasts);
// {"text", "wholeWord", "year", "matches": [...]}: the search of a year.
QJsonObject SearchJson(const QString& text, bool wholeWord, int year,
                       const std::vector<SearchMatch>& matches);
// A document as the bytes the tool prints and the service sends: indented UTF-8, ending in a newline.
QByteArray JsonBytes(const QJsonObject& document);

// "great", "vigil", "polyeleos", "doxology", "six"; empty for Rank::None.
QString RankName(Rank rank);
// The machine names of the fasting levels ("noFood" .. "none") are FastLevelName of the engine.

// ---- iCalendar ----

// The longest range one calendar file may cover, in years.
inline constexpr int MaxIcalYears = 50;
// Whether first..last, two dates of one style, may make one calendar file: in order and less than
// MaxIcalYears years apart (1901-01-01..1950-12-31 fits, ..1951-01-01 does not).
bool IcalRangeFits(const DateParts& first, const DateParts& last);

// Which days become events: the days of a great feast, the red days, or every day.
enum class IcalScope : int8_t { Great, Red, All };

// The scope of a name ("great", "red", "all"); nothing for any other text.
std::optional<IcalScope> IcalScopeNamed(QStringView name);
QString IcalScopeName(IcalScope scope);
// Whether a day has something to show in the scope.
bool InIcalScope(const DayInfo& day, IcalScope scope);

// Builds one calendar: the head at construction, one event per day in the scope, the end at Finish().
// The same days always give the same bytes: nothing depends on the clock or the machine.
class IcalWriter {
public:
    // `options` say whether a description ends with the fasting line.
    explicit IcalWriter(IcalScope scope, const DayOptions& options = {});
    // Adds the day's event when the day belongs to the scope; days must come in date order.
    void Add(const DayInfo& day);
    // The whole calendar, closed. The writer is spent afterwards.
    QByteArray Finish();
    int EventCount() const { return events_; }

private:
    IcalScope scope_;
    DayOptions options_;
    QByteArray bytes_;
    int events_ = 0;
};

// The event of one day in a scope, as folded content lines with CRLF ends.
QByteArray IcalEvent(const DayInfo& day, IcalScope scope, const DayOptions& options = {});
// A TEXT value escaped: backslash, semicolon and comma behind a backslash, a line end as \n.
QString IcalText(QStringView text);
// One content line in UTF-8, folded so that no line exceeds 75 octets and no character is split, with
// CRLF after every piece.
QByteArray IcalLine(QStringView line);

} // namespace vorelian
