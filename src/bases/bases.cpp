#include "bases.h"

#include <array>
#include <limits>

namespace vorelian {
namespace {

using Flags = std::vector<bool> Bases::*;
using Shorts = std::vector<int16_t> Bases::*;
using Texts = std::vector<QString> Bases::*;
using DayNumbers = std::vector<int32_t> Bases::*;

// Which tables of Bases one record file fills. All six loaders share one walk; they differ only here.
struct Layout {
    int16_t Bases::*count;
    Flags red;
    Shorts days = nullptr;                   // "days"
    Shorts day = nullptr, month = nullptr, weekday = nullptr;
    std::array<Texts, 8> texts{};            // "0", "11", "19", "21", "29", "31", "39", "4", or none
    Texts title = nullptr;                   // "0" of the day-title bases: the last one wins
    DayNumbers current = nullptr, previous = nullptr;
    int minSize = 1;                         // entries every table holds at least
};

constexpr std::array<QStringView, 8> kTextKeys = {u"0", u"11", u"19", u"21", u"29", u"31", u"39", u"4"};

const Layout kRelocatable = {&Bases::RelocCount, &Bases::RelocRed, &Bases::RelocDays, nullptr, nullptr, nullptr,
    {&Bases::RelocText0, &Bases::RelocText11, &Bases::RelocText19, &Bases::RelocText21, &Bases::RelocText29,
     &Bases::RelocText31, &Bases::RelocText39, &Bases::RelocText4},
    nullptr, &Bases::RelocDayNumber, nullptr, 1};

const Layout kRelocatable1 = {&Bases::Reloc1Count, &Bases::Reloc1Red, nullptr, &Bases::Reloc1Day,
    &Bases::Reloc1Month, &Bases::Reloc1Weekday,
    {&Bases::Reloc1Text0, &Bases::Reloc1Text11, &Bases::Reloc1Text19, &Bases::Reloc1Text21,
     &Bases::Reloc1Text29, &Bases::Reloc1Text31, &Bases::Reloc1Text39, &Bases::Reloc1Text4},
    nullptr, &Bases::Reloc1DayNumber, &Bases::Reloc1PrevDayNumber, 1};

const Layout kSpecial = {&Bases::SpecialCount, &Bases::SpecialRed, nullptr, nullptr, nullptr, nullptr,
    {&Bases::SpecialText0, &Bases::SpecialText11, &Bases::SpecialText19, &Bases::SpecialText21,
     &Bases::SpecialText29, &Bases::SpecialText31, &Bases::SpecialText39, &Bases::SpecialText4},
    nullptr, &Bases::SpecialDayNumber, &Bases::SpecialPrevDayNumber, Bases::SpecialRules + 1};

const Layout kWeekdays = {&Bases::WeekdaysCount, &Bases::WeekdaysRed, &Bases::WeekdaysDays, nullptr, nullptr,
    nullptr, {}, &Bases::WeekdaysText, &Bases::WeekdaysDayNumber, nullptr, 1};

const Layout kWeekdays1 = {&Bases::Weekdays1Count, &Bases::Weekdays1Red, nullptr, &Bases::Weekdays1Day,
    &Bases::Weekdays1Month, &Bases::Weekdays1Weekday, {}, &Bases::Weekdays1Text, &Bases::Weekdays1DayNumber,
    &Bases::Weekdays1PrevDayNumber, 1};

const Layout kSpecWeekDays = {&Bases::SpecWeekDaysCount, &Bases::SpecWeekDaysRed, nullptr, nullptr, nullptr,
    nullptr, {}, &Bases::SpecWeekDaysText, &Bases::SpecWeekDaysDayNumber, &Bases::SpecWeekDaysPrevDayNumber, 1};

// Sizes every table of the base to `size` entries; new entries start empty, 0 or false.
void Resize(Bases& b, const Layout& l, std::size_t size) {
    (b.*l.red).resize(size);
    for (Shorts s : {l.days, l.day, l.month, l.weekday})
        if (s)
            (b.*s).resize(size);
    for (Texts t : l.texts)
        if (t)
            (b.*t).resize(size);
    if (l.title)
        (b.*l.title).resize(size);
    for (DayNumbers d : {l.current, l.previous})
        if (d)
            (b.*d).resize(size);
}

void Clear(Bases& b, const Layout& l) {
    b.*l.count = 0;
    (b.*l.red).clear();
    for (Shorts s : {l.days, l.day, l.month, l.weekday})
        if (s)
            (b.*s).clear();
    for (Texts t : l.texts)
        if (t)
            (b.*t).clear();
    if (l.title)
        (b.*l.title).clear();
    for (DayNumbers d : {l.current, l.previous})
        if (d)
            (b.*d).clear();
    Resize(b, l, l.minSize);
}

void ApplyEntry(Bases& b, const Layout& l, int r, const ProfileEntry& e) {
    const QString key = e.Key.toLower();
    if (key == u"red") {
        (b.*l.red)[r] = !e.Value.isEmpty();  // any value, even 0, makes the day red
        return;
    }
    const std::pair<QStringView, Shorts> numbers[] = {
        {u"days", l.days}, {u"day", l.day}, {u"month", l.month}, {u"weekday", l.weekday}};
    for (const auto& [name, table] : numbers)
        if (table && key == name) {
            (b.*table)[r] = ParseNumber(e.Value);
            return;
        }
    if (l.title) {
        if (key == u"0")
            (b.*l.title)[r] = e.Value;
        return;
    }
    for (std::size_t g = 0; g < kTextKeys.size(); ++g)
        if (l.texts[g] && key == kTextKeys[g]) {
            QString& text = (b.*l.texts[g])[r];
            if (g == 7) {
                text += BlankMark;
                text += e.Value;
            } else {
                text += RankMarker(e.Value);
            }
            text += QStringView(u"\\par\r\n");
            return;
        }
}

void Load(Bases& b, const Layout& l, const Profile& file) {
    Clear(b, l);
    for (int r = 1; r <= std::numeric_limits<int16_t>::max(); ++r) {
        const ProfileSection* s = file.Section(QStringLiteral(" %1").arg(r));
        if (!s || s->Entries.empty())
            break;  // a gap ends the base
        b.*l.count = static_cast<int16_t>(r);
        if ((b.*l.red).size() < static_cast<std::size_t>(r) + 1)
            Resize(b, l, r + 1);
        for (const ProfileEntry& e : s->Entries)
            ApplyEntry(b, l, r, e);
    }
}

bool At(const std::vector<int32_t>& table, int i, int32_t day) {
    return i > 0 && static_cast<std::size_t>(i) < table.size() && table[i] == day;
}

} // namespace

Bases::Bases() {
    for (const Layout* l : {&kRelocatable, &kRelocatable1, &kSpecial, &kWeekdays, &kWeekdays1, &kSpecWeekDays})
        Clear(*this, *l);
}

void LoadRelocatable(Bases& b, const Profile& file) { Load(b, kRelocatable, file); }
void LoadRelocatable1(Bases& b, const Profile& file) { Load(b, kRelocatable1, file); }
void LoadSpecial(Bases& b, const Profile& file) { Load(b, kSpecial, file); }
void LoadWeekdays(Bases& b, const Profile& file) { Load(b, kWeekdays, file); }
void LoadWeekdays1(Bases& b, const Profile& file) { Load(b, kWeekdays1, file); }
void LoadSpecWeekDays(Bases& b, const Profile& file) { Load(b, kSpecWeekDays, file); }

bool BelongsReloc(const Bases& b, int i, int32_t day) { return At(b.RelocDayNumber, i, day); }
bool BelongsReloc1(const Bases& b, int i, int32_t day) {
    return At(b.Reloc1DayNumber, i, day) || At(b.Reloc1PrevDayNumber, i, day);
}
bool BelongsSpecial(const Bases& b, int i, int32_t day) {
    return At(b.SpecialDayNumber, i, day) || At(b.SpecialPrevDayNumber, i, day);
}
bool BelongsWeekdays(const Bases& b, int i, int32_t day) { return At(b.WeekdaysDayNumber, i, day); }
bool BelongsWeekdays1(const Bases& b, int i, int32_t day) {
    return At(b.Weekdays1DayNumber, i, day) || At(b.Weekdays1PrevDayNumber, i, day);
}
bool BelongsSpecWeekDays(const Bases& b, int i, int32_t day) {
    return At(b.SpecWeekDaysDayNumber, i, day) || At(b.SpecWeekDaysPrevDayNumber, i, day);
}

void LoadBases(CalendarData& data) {
    const DataFiles& f = data.Files;
    ProfileCache& p = data.Profiles;
    Bases& b = data.Bases;
    LoadRelocatable(b, p.Get(f[DataFiles::Relocatable]));
    LoadRelocatable1(b, p.Get(f[DataFiles::Relocatable1]));
    LoadWeekdays(b, p.Get(f[DataFiles::Weekdays]));
    LoadWeekdays1(b, p.Get(f[DataFiles::Weekdays1]));
    LoadSpecWeekDays(b, p.Get(f[DataFiles::SpecWeekDays]));
    LoadSpecial(b, p.Get(f[DataFiles::Special]));
}

void BasesHooks::SetMovableDays(CalendarState& st) { vorelian::SetMovableDays(st, data_.Bases); }

void BasesHooks::SetMonthRedDays(CalendarState& st) {
    vorelian::SetMonthRedDays(st, data_.Bases, data_.Profiles, data_.Files);
}

} // namespace vorelian
