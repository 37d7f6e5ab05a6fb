// The main feasts of a year: the twelve great feasts, movable and fixed, and the other great feasts, each
// on the day it is kept in a year of any style. The engine lists them as values; the feasts report of the
// report layer writes them.
#pragma once

#include "core/state.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace vorelian {

class DayEngine;

struct FixedFeast {
    int16_t Day, Month; // Julian date
    const char16_t* Title;
    int KeptBy = 0; // the Special.DAT record that places the feast when the Triodion moves it, or 0
};

struct MovableFeast {
    int Offset; // days from Pascha
    const char16_t* Title;
};

// The title of Pascha among the feasts.
inline constexpr const char16_t* PaschaTitle = u"СВЕТЛОЕ ХРИСТОВО ВОСКРЕСЕНИЕ. ПАСХА.";

inline constexpr FixedFeast TwelveFixedFeasts[] = {
    {6, 1, u"КРЕЩЕНИЕ ГОСПОДА БОГА И СПАСА НАШЕГО ИИСУСА ХРИСТА."},
    {2, 2, u"СРЕТЕНИЕ ГОСПОДА НАШЕГО ИИСУСА ХРИСТА.", 3},
    {25, 3, u"БЛАГОВЕЩЕНИЕ ПРЕСВЯТОЙ БОГОРОДИЦЫ."},
    {6, 8, u"ПРЕОБРАЖЕНИЕ ГОСПОДА БОГА И СПАСА НАШЕГО ИИСУСА ХРИСТА."},
    {15, 8, u"УСПЕНИЕ ПРЕСВЯТОЙ ВЛАДЫЧИЦЫ НАШЕЙ БОГОРОДИЦЫ И ПРИСНОДЕВЫ МАРИИ."},
    {8, 9, u"РОЖДЕСТВО ПРЕСВЯТОЙ ВЛАДЫЧИЦЫ НАШЕЙ БОГОРОДИЦЫ И ПРИСНОДЕВЫ МАРИИ."},
    {14, 9, u"ВОЗДВИЖЕНИЕ ЧЕСТНОГО И ЖИВОТВОРЯЩЕГО КРЕСТА ГОСПОДНЯ."},
    {21, 11, u"ВВЕДЕНИЕ ВО ХРАМ ПРЕСВЯТОЙ ВЛАДЫЧИЦЫ НАШЕЙ БОГОРОДИЦЫ И ПРИСНОДЕВЫ МАРИИ."},
    {25, 12, u"РОЖДЕСТВО ГОСПОДА БОГА И СПАСА НАШЕГО ИИСУСА ХРИСТА."},
};

inline constexpr FixedFeast GreatFixedFeasts[] = {
    {1, 1, u"ОБРЕЗАНИЕ ГОСПОДНЕ."},
    {24, 6, u"РОЖДЕСТВО ЧЕСТНОГО СЛАВНОГО ПРОРОКА, ПРЕДТЕЧИ И КРЕСТИТЕЛЯ ГОСПОДНЯ ИОАННА."},
    {29, 6, u"СЛАВНЫХ И ВСЕХВАЛЬНЫХ ПЕРВОВЕРХОВНЫХ АПОСТОЛОВ ПЕТРА И ПАВЛА."},
    {29, 8, u"УСЕКНОВЕНИЕ ГЛАВЫ ПРОРОКА, ПРЕДТЕЧИ И КРЕСТИТЕЛЯ ГОСПОДНЯ ИОАННА."},
    {1, 10, u"ПОКРОВ ПРЕСВЯТОЙ ВЛАДЫЧИЦЫ НАШЕЙ БОГОРОДИЦЫ И ПРИСНОДЕВЫ МАРИИ."},
};

inline constexpr MovableFeast TwelveMovableFeasts[] = {
    {-7, u"ВХОД ГОСПОДЕНЬ В ИЕРУСАЛИМ."},
    {39, u"ВОЗНЕСЕНИЕ ГОСПОДНЕ."},
    {49, u"ДЕНЬ СВЯТОЙ ТРОИЦЫ. ПЯТИДЕСЯТНИЦА."},
};

// The year of the feasts: the state of a day of the year (made by StateOfDay), whose Julian year starts
// the search of each date.
struct FeastYear {
    CalendarState State;
    int16_t JulianYear = 0;
};
FeastYear FeastYearOf(int32_t dayNumber, int16_t style);

// The day of the year of the state `year` (a state made by StateOfDay) that has a Julian day and month, or
// 0 when the year has none; the search starts in the Julian year `julianYear`.
int32_t JulianDateInYear(const CalendarState& year, int16_t julianYear, int16_t day, int16_t month);

// The day of a fixed feast in the year: the day it is kept, or its own date; 0 when the year has none.
int32_t FeastDay(const DayEngine& e, const FeastYear& y, const FixedFeast& f);

// One fast of a year: its name and its first and last day.
struct FastSpan {
    QString Name;
    int32_t First = 0, Last = 0;
};

// The fasts that begin between days first and last, in order: the four long fasts and the three one-day
// fasts, by the Julian Paschalion and the Julian dates of the church year.
std::vector<FastSpan> YearFasts(const DayEngine& engine, int32_t first, int32_t last);

} // namespace vorelian
