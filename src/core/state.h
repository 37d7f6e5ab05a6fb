// The calendar state of the window's navigation: the current day in each of the three styles with the
// spans derived from it, the Pascha block, the allowed range of years and the single saved copy of the
// described interface (SaveState/RestoreState). Plain data; the procedures that compute it live in
// calendar.h and recalc.h. What a day holds is the day engine's answer, never part of this state.
#pragma once

#include <array>
#include <cstdint>

namespace vorelian {

// Calendar styles: 1 Anno Mundi (year from 1 September), 2 Julian, 3 Gregorian.
enum : int16_t { StyleAnnoMundi = 1, StyleJulian = 2, StyleGregorian = 3 };

// The current day as seen in one style. Year, Month, Day, MonthDays and YearLength stay in step for all
// three styles; the span fields are computed for the current style only.
struct StyleDate {
    int16_t Year = 0;
    int16_t FebMonth = 2;                // February in this style's month order: 6 for style 1, else 2
    std::array<int16_t, 13> MonthDays{}; // 1..12 in this style's month order, entry 0 unused
    int32_t YearFirstDay = 0;
    int32_t YearLastDay = 0;
    int16_t YearFirstWeekday = 0;
    int16_t YearLength = 365;
    int16_t YearWeeks = 0;
    int16_t Month = 1;
    int32_t MonthFirstDay = 0;
    int32_t MonthLastDay = 0;
    int16_t MonthFirstWeekday = 0;
    int16_t WeekNo = 0;
    int32_t WeekFirstDay = 0;
    int32_t WeekLastDay = 0;
    int16_t Day = 1;

    bool operator==(const StyleDate&) const = default;
};

// Pascha of the current style's year and of the year before, with the week counts hung on them.
// Saved and restored as one unit.
struct PaschaBlock {
    int16_t PaschaYear = 0; // the Julian year in which this Pascha falls
    int32_t PaschaDay = 0;
    int32_t PrevPaschaDay = 0;
    int16_t PaschaWeek = 0;
    int16_t PrevPentecostWeeks = 0;
    int16_t PentecostWeeks = 0;

    bool operator==(const PaschaBlock&) const = default;
};

struct CalendarState {
    int16_t CurStyle = StyleGregorian;
    int32_t CurDayNumber = 0;
    int16_t CurWeekday = 0;
    std::array<StyleDate, 4> StyleDates{}; // 1..3, entry 0 unused
    PaschaBlock Pascha;

    std::array<int16_t, 4> MinYears{}; // per style, entry 0 unused
    std::array<int16_t, 4> MaxYears{};
    std::array<int32_t, 4> MinDayNumbers{};
    std::array<int32_t, 4> MaxDayNumbers{};

    // The saved copy (CurStyle is never part of it).
    std::array<StyleDate, 4> SavedStyleDates{};
    PaschaBlock SavedPascha;
    int32_t SavedDayNumber = 0;
    int16_t SavedWeekday = 0;

    StyleDate& Cur() { return StyleDates[CurStyle]; }
    const StyleDate& Cur() const { return StyleDates[CurStyle]; }
};

// Fills the month-length tables and FebMonth of the three styles with their initial values.
void InitStyleTables(CalendarState& st);

void SaveState(CalendarState& st);
void RestoreState(CalendarState& st);

} // namespace vorelian
