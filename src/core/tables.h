// The fixed name and colour tables of the calendar, constant for the whole run.
// Tables counted from 1 keep entry 0 unused so that every index reads as in the calendar rules.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace vorelian {

// " от Сотворения Мира", " от Р.Х. по старому стилю", " от Р.Х. по новому стилю" (1..3).
extern const std::array<QString, 4> StyleNames;

// 1..7 full names from Monday; 8..14 the same with Sunday as "Неделя"; 15..21 short names.
extern const std::array<QString, 22> WeekdayNames;

// Days of the months of a common year, 1..12 from January (entry 0 unused).
inline constexpr std::array<int16_t, 13> JulianMonthLengths = {0,  31, 28, 31, 30, 31, 30,
                                                               31, 31, 30, 31, 30, 31};

// 1..12 nominative from January, 13..24 genitive.
extern const std::array<QString, 25> MonthNames;

// Colours in the 0x00BBGGRR form; entry (style s, role k) at s + 3 * (k - 1), 1..21.
// Roles: 1 grid background, 2 red day, 3 highlighted day, 4 day of another month, 5 ordinary text,
// 6 Sunday text, 7 text of the highlighted day.
extern const std::array<uint32_t, 22> GridColors;

inline uint32_t GridColor(int style, int role) {
    return GridColors[style + 3 * (role - 1)];
}

// Month m (January first) in case c (1 nominative, 2 genitive).
inline const QString& MonthNameOf(int m, int c) {
    return MonthNames[(c - 1) * 12 + m];
}

} // namespace vorelian
