// Placing the records of the bases in a Paschal year: by days from Pascha, by a weekday near a Julian
// date, and by the church rules behind the record numbers of Special.DAT and SpecWeekDays.DAT.
#include "bases.h"

#include "core/calendar.h"
#include "core/recalc.h"

#include <algorithm>

namespace vorelian {
namespace {

// One Paschal year: the Julian year Y and its Pascha P.
struct Year {
    int16_t Y;
    int32_t P;
    // A date of the Julian calendar of that year.
    int32_t D(int16_t day, int16_t month) const { return DayNumber(StyleJulian, day, month, Y); }
};

// The Sunday nearest a day: Monday to Wednesday go back to the Sunday before, Thursday to Saturday on
// to the Sunday after.
int32_t NearestSunday(int32_t n) {
    const int16_t w = WeekdayOf(n);
    if (w == 7)
        return n;
    return w <= 3 ? n - w : n + 7 - w;
}

void PlaceByDays(const Year& y, const RecordBase& base, std::vector<int32_t>& out) {
    for (int i = 1; i <= base.Count; ++i)
        out[i] = y.P + base.Records[i].Days;
}

// The weekday value of a record: 1..7 and -7..0 as the core counts them, 8 the Sunday nearest the anchor.
constexpr int16_t kNearestSunday = 8;

void PlaceByWeekday(const Year& y, const RecordBase& base, std::vector<int32_t>& out) {
    for (int i = 1; i <= base.Count; ++i) {
        const BaseRecord& r = base.Records[i];
        const int32_t anchor = y.D(r.Day, r.Month);
        out[i] = r.Weekday == kNearestSunday ? NearestSunday(anchor) : NearestWeekday(anchor, r.Weekday);
    }
}

// SpecWeekDays records 1..7; a rule writes only the records the file has.
void PlaceSpecWeekDays(const Year& y, int count, std::vector<int32_t>& s) {
    auto set = [&](int k, int32_t v) {
        if (k <= count)
            s[k] = v;
    };
    // 1, 2: the Saturday before Meatfare Sunday, or, when it falls on the Meeting of the Lord, record 2.
    const int32_t meatfare = y.P - 57;
    const bool onMeeting = meatfare == y.D(2, 2);
    set(1, onMeeting ? 0 : meatfare);
    set(2, onMeeting ? meatfare : 0);
    // 7: in those years the memorial service of the departed is held on the Saturday before.
    set(7, onMeeting ? meatfare - 7 : 0);
    // 3: the Saturday of the fifth week of Lent, two days earlier when it meets the Annunciation.
    const int32_t akathist = y.P - 17;
    set(3, akathist == y.D(25, 3) ? akathist - 2 : akathist);
    // 4: the Saturday before St Demetrius (26 October), that is on 19..25 October; a week earlier when it
    // would be the Kazan icon's day (22 October). Records 5 and 6 are kept in the file but never placed.
    const int32_t a = NearestWeekday(y.D(26, 10), -6);
    set(4, a == y.D(22, 10) ? a - 7 : a);
    set(5, 0);
    set(6, 0);
}

// Special records 1..66. `akathist` is SpecWeekDays record 3 of the same year, or 0 when that base has
// fewer than three records.
void PlaceSpecial(const Year& y, int32_t akathist, std::vector<int32_t>& S) {
    const int32_t P = y.P;
    std::fill(S.begin() + 1, S.begin() + Bases::SpecialRules + 1, 0);

    // 1: the Sunday after the Nativity; the Nativity on a Sunday gives the day after.
    const int32_t nativity = y.D(25, 12);
    S[1] = WeekdayOf(nativity) == 7 ? nativity + 1 : NearestWeekday(nativity, 7);

    // 2, 3: the Meeting of the Lord and its forefeast, a day earlier when it is the Monday of Cheesefare.
    const int32_t c = y.D(2, 2);
    const bool meetingOnMonday = c == P - 48;
    S[3] = meetingOnMonday ? c - 1 : c;
    S[2] = S[3] - 1;

    // 10: the leave-taking of the Meeting, by its distance from Pascha. On 9 February it would meet
    // Meatfare Saturday (d = 64) and goes to the Friday before, as for 61..63.
    if (!meetingOnMonday) {
        const int32_t d = P - c;
        if (d >= 65)
            S[10] = c + 7;
        else if (d >= 61)
            S[10] = P - 58;
        else if (d >= 57)
            S[10] = P - 54;
        else if (d >= 55)
            S[10] = P - 52;
        else if (d >= 53)
            S[10] = P - 50;
        else if (d >= 50)
            S[10] = P - 49;
    }
    // 4..9: the days of the afterfeast between the feast and its leave-taking.
    if (S[10] != 0)
        for (int k = 4, n = S[3] + 1; k <= 9 && n < S[10]; ++k, ++n)
            S[k] = n;

    // 11, 12: the finding of the head of the Forerunner.
    const int32_t b = y.D(24, 2);
    if (b == P - 57 || b == P - 53 || b == P - 51 || b == P - 48)
        S[11] = b - 1;
    else if (P - b >= 44 && P - b <= 47)
        S[12] = b;
    else
        S[11] = b;

    // 13: the Forty Martyrs.
    const int32_t m = y.D(9, 3);
    if (m == P - 25)
        S[13] = m - 1;
    else if (akathist != 0 && m == akathist)
        S[13] = m - 2;
    else if (m == P - 15)
        S[13] = m + 1;
    else
        S[13] = m;

    // 14, 15: the Annunciation meeting the Lenten Saturdays and Lazarus Saturday.
    const int32_t e = y.D(25, 3);
    if (e == P - 18 || e == P - 16) {
        S[14] = e - 2;
        S[15] = e + 1;
    } else if (e == P - 8) {
        S[14] = e - 2;
    }

    // 16..18: the Saturdays of the second, third and fourth weeks of Lent, unless a feast or the eve of
    // the Annunciation takes them.
    for (int k = 16; k <= 18; ++k) {
        const int32_t t = P - 36 + 7 * (k - 16);
        S[k] = (t == m || t == b || t == e || t == e - 1) ? 0 : t;
    }

    // 19: 9 May of the Gregorian calendar; in Bright Week the departed are remembered on Radonitsa.
    const int32_t may9 = DayNumber(StyleGregorian, 9, 5, y.Y);
    S[19] = may9 >= P && may9 <= P + 6 ? P + 9 : may9;

    // 20: the third finding of the head of the Forerunner.
    const int32_t h = y.D(25, 5);
    if (h == P + 48)
        S[20] = h - 2;
    else if (h == P + 49)
        S[20] = h - 3;
    else if (h == P + 50)
        S[20] = h + 1;
    else if (h == P + 56)
        S[20] = h - 2;
    else
        S[20] = h;

    // 21..62: every day of the Apostles' fast, from P + 58 through 28 June.
    const int32_t last = y.D(28, 6) - P - 57;
    for (int k = 1; k <= last && 20 + k <= 62; ++k)
        S[20 + k] = P + 57 + k;

    // 63, 64: the Sundays nearest 16 July and 11 October.
    S[63] = NearestSunday(y.D(16, 7));
    S[64] = NearestSunday(y.D(11, 10));

    // 65: St George, moved to Bright Monday from Holy Week and from Pascha.
    const int32_t g = y.D(23, 4);
    S[65] = g >= P - 6 && g <= P ? P + 1 : g;

    // 66: the forefeast of the Annunciation on its own day, in the years record 14 does not move it.
    S[66] = S[14] == 0 ? y.D(24, 3) : 0;
}

} // namespace

YearPlacement PlaceYear(const Bases& b, int16_t paschaYear) {
    const Year y{paschaYear, JulianPascha(paschaYear)};
    YearPlacement p;
    p.PaschaYear = paschaYear;
    for (int k = 0; k < BaseKinds; ++k)
        p.Days[k].assign(b[BaseKind(k)].Records.size(), 0);
    auto& days = p.Days;

    PlaceByDays(y, b.Reloc, days[int(BaseKind::Relocatable)]);
    PlaceByWeekday(y, b.Reloc1, days[int(BaseKind::Relocatable1)]);
    PlaceByDays(y, b.Weekdays, days[int(BaseKind::Weekdays)]);
    PlaceByWeekday(y, b.Weekdays1, days[int(BaseKind::Weekdays1)]);
    auto& specWeek = days[int(BaseKind::SpecWeekDays)];
    PlaceSpecWeekDays(y, b.SpecWeekDays.Count, specWeek);
    PlaceSpecial(y, b.SpecWeekDays.Count >= 3 ? specWeek[3] : 0, days[int(BaseKind::Special)]);
    return p;
}

std::shared_ptr<const YearPlacement> PlacementCache::For(const Bases& b, int16_t paschaYear) const {
    {
        const std::lock_guard lock(mutex_);
        if (const auto it = years_.find(paschaYear); it != years_.end())
            return it->second;
    }
    // Placed outside the lock; should two threads place one year at once, the first one kept wins.
    auto placed = std::make_shared<const YearPlacement>(PlaceYear(b, paschaYear));
    const std::lock_guard lock(mutex_);
    return years_.emplace(paschaYear, std::move(placed)).first->second;
}

} // namespace vorelian
