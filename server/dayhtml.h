// The page of one day the service shows to a browser: a small HTML5 document made only from a DayInfo
// value and the choices its links keep, so that it can be built and checked from hand-made values.
// Every text that comes from the data set is escaped: the data files are the user's to edit.
#pragma once

#include "engine/dayengine.h"
#include "engine/dayinfo.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringView>

namespace vorelian::server {

struct Site;

// The sign of a fast day in the month grid.
inline constexpr const char16_t* kFastMark = u"◆";

// Text with &, <, >, " and ' replaced by their character references.
QString EscapeHtml(QStringView text);

// "7 января 2027 г." for a date of a style, the month by its civil name in the genitive.
QString DateInWords(int16_t style, const DateParts& date);

// "Май" or "мая" for a month of a style (Anno Mundi: month 1 is September).
QString MonthInWords(int16_t style, int month, bool genitive);

// The legend of every sign a page may show, as visible text.
QString Legend();

// The weekday line, the commemorations with their signs, the readings and the fasting line of a day.
QString DayContent(const DayInfo& day, const DayOptions& options);

// "Четверг, 25 декабря 2026 г. по старому стилю": the day by its date in a style.
QString DayHeading(const DayInfo& day, int16_t style);

// The whole page, UTF-8, its dates and links in the site's style; the fasting line closes the
// commemorations when the options show it. A site without served days gives a page without navigation.
QByteArray DayPage(const DayInfo& day, const DayOptions& options, const Site& site);

} // namespace vorelian::server
