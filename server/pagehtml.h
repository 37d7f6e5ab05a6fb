// The pages a visitor of the service reads besides the day: the frame every page shares (its head, the
// links to other days, months and years, the legend of the signs, the subscription link), the month grid,
// the year of feasts and fasts, the widget for a parish site's frame and the error pages. Each is made
// only from plain values the answers ask of the engine, so it can be built and checked from hand-made
// ones. Every text that comes from the data set is escaped.
#pragma once

#include "engine/dayengine.h"
#include "engine/dayinfo.h"
#include "engine/yearfeasts.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace vorelian::server {

// What every link of a page keeps: the style of the dates in its addresses, readings left off when the
// visitor asked so, and the host the visitor reached (for the webcal address; empty when unknown).
struct Site {
    int16_t Style = 3;
    bool ReadingsOff = false;
    QString Host;
    int32_t FirstDay = 0, LastDay = 0; // the days of Style the service answers for; no link beyond them
};

// "?style=2&readings=0": what a link adds to keep the site's choices ("" for the defaults).
QString LinkQuery(const Site& site, int16_t style);
// "/day/2026-12-25?style=2": the address of a day by its date in the site's style.
QString DayAddress(const Site& site, int32_t dayNumber);
// "/month/2027-05": the month of a style's year.
QString MonthAddress(const Site& site, int year, int month);

// The start of a page up to its <main>, and its end: the links of every page, the legend when the page
// shows the signs, the subscription link.
QString PageHead(const QString& title, const QString& extraHead = QString());
QString PageFoot(const Site& site, bool legend);

// Navigation of a day page: the day, week and month before and after, its month and year, today, a date
// field, and the same day in the other styles.
QString DayNavigation(const Site& site, int32_t dayNumber);

// One day of the month grid.
struct MonthCell {
    int32_t DayNumber = 0;
    int8_t Weekday = 0; // 1 Monday .. 7 Sunday
    bool Red = false;
    bool Fast = false;
    QString Chief; // the chief commemoration, plain text
};
QByteArray MonthPage(const Site& site, int year, int month, const std::vector<MonthCell>& days);

QByteArray YearPage(const Site& site, int year, const std::vector<FeastRow>& feasts,
                    const std::vector<FastSpan>& fasts);

// The small page of a day for a frame on another site: the date, the commemorations, the fast and the
// readings, its links opening in a window of their own.
QByteArray EmbedPage(const Site& site, const DayInfo& day, const DayOptions& options);

// A Russian page for a refused address (404, 400, 405, 414), with a link to today and the subscription
// link of the host the visitor reached.
QByteArray ErrorPage(int status, const QString& host);

// The stylesheet of every page, light and dark.
const QByteArray& StyleSheet();

// The program's icon as an .ico file: its 16 and 32 pixel pictures as they are, in PNG.
QByteArray Favicon();

} // namespace vorelian::server
