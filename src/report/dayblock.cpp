#include "report/dayblock.h"

#include "bases/profile.h"
#include "core/calendar.h"
#include "core/tables.h"
#include "engine/dataset.h"
#include "engine/readings.h"
#include "report/dialect.h"

#include <algorithm>
#include <array>

namespace vorelian {

QString IndictionLine(const DayInfo& day) {
    QString s;
    s += dialect::Par;
    s += dialect::Blank;
    s += QString::number(day.IndictionYear);
    s += u"-й год ";
    s += QString::number(day.IndictionCycle);
    s += u"-го индиктиона";
    s += dialect::Par;
    return s;
}

QString MonthName(const CalendarState& st, int16_t style, int form) {
    return MonthNameOf(CivilMonthOf(style, st.StyleDates[style].Month), form);
}

namespace {

QString DateLine(const DateParts& r, int16_t style, bool year, bool name) {
    QString s;
    s += dialect::Blank;
    s += QString::number(r.Day);
    s += u' ';
    s += MonthNameOf(CivilMonthOf(style, r.Month), 2);
    if (year) {
        s += u' ';
        s += QString::number(r.Year);
        s += u" года";
    }
    if (name)
        s += StyleNames[style];
    s += dialect::Par;
    return s;
}

} // namespace

QString DateLines(const std::array<DateParts, 4>& dates, int16_t style, bool showYear, bool showStyle,
                  bool allStyles) {
    QString s;
    s += dialect::Par;
    s += DateLine(dates[style], style, showYear || allStyles, showStyle || allStyles);
    if (allStyles) {
        // The two other styles: Julian before Gregorian, either before Anno Mundi.
        static constexpr std::array<std::array<int16_t, 2>, 4> others = {{{0, 0},
                                                                          {StyleJulian, StyleGregorian},
                                                                          {StyleGregorian, StyleAnnoMundi},
                                                                          {StyleJulian, StyleAnnoMundi}}};
        for (int16_t other : others[style])
            s += DateLine(dates[other], other, true, true);
    }
    s += dialect::Par;
    return s;
}

QString DateLines(const DayInfo& day, int16_t style, bool showYear, bool showStyle, bool allStyles) {
    return DateLines({DateParts{}, day.AnnoMundi, day.Julian, day.Gregorian}, style, showYear, showStyle,
                     allStyles);
}

QString RecordText(const BaseRecord& r, int key) {
    QString text;
    for (const QString& value : r.Texts[key]) {
        if (key == 7) {
            text += dialect::Blank;
            text += value;
        } else {
            text += RankMarker(value);
        }
        text += dialect::Par;
    }
    return text;
}

QString EntriesMarkup(const std::vector<DayEntry>& entries) {
    QString s;
    int group = -1;
    for (const DayEntry& e : entries) {
        if (e.Group != group) {
            s += dialect::Par; // an empty line before each group that has entries
            group = e.Group;
        }
        if (e.Group == 4) {
            s += dialect::Blank;
            s += e.Stored;
        } else {
            s += RankMarker(e.Stored);
        }
        s += dialect::Par;
    }
    return s;
}

// The readings group: an empty line, then a line each, in the blank mark column like the notes.
QString ReadingsMarkup(const QStringList& lines) {
    QString s;
    if (lines.isEmpty())
        return s;
    s += dialect::Par;
    for (const QString& line : lines) {
        s += dialect::Blank;
        s += line;
        s += dialect::Par;
    }
    return s;
}

QString EntriesMarkup(const DayInfo& day, const DayOptions& options) {
    const QStringList readings = ReadingsGroup(day);
    QString s;
    if (readings.isEmpty()) {
        s = EntriesMarkup(day.Entries);
    } else {
        // The readings stand after group 3 and before the notes of group 4.
        const auto notes = std::find_if(day.Entries.begin(), day.Entries.end(),
                                        [](const DayEntry& e) { return e.Group == 4; });
        s = EntriesMarkup(std::vector<DayEntry>(day.Entries.begin(), notes));
        s += ReadingsMarkup(readings);
        s += EntriesMarkup(std::vector<DayEntry>(notes, day.Entries.end()));
    }
    const QString fast = FastingLine(day, options);
    if (fast.isEmpty())
        return s;
    if (day.Entries.empty() || day.Entries.back().Group != 4)
        s += dialect::Par; // the fifth group begins with the fasting line
    s += dialect::Blank;
    s += fast;
    s += dialect::Par;
    return s;
}

} // namespace vorelian
