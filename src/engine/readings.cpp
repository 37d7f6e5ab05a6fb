#include "readings.h"

#include "bases/profile.h"
#include "core/calendar.h"
#include "core/recalc.h"
#include "engine/rulefile.h"

#include <algorithm>
#include <optional>

namespace vorelian {

Q_LOGGING_CATEGORY(lcReadings, "vorelian.engine.readings", QtWarningMsg)

namespace {

constexpr std::array<QStringView, int(SpecialDay::Count)> kSpecialNames = {
    u"SatBeforeExaltation",
    u"SunBeforeExaltation",
    u"SatAfterExaltation",
    u"SunAfterExaltation",
    u"Forefathers",
    u"SatBeforeNativity",
    u"SunBeforeNativity",
    u"NativityEve",
    u"NativityEveSaturday",
    u"SatAfterNativity",
    u"SunAfterNativity",
    u"SatBeforeTheophany",
    u"SunBeforeTheophany",
    u"TheophanyEve",
    u"SatAfterTheophany",
    u"SunAfterTheophany",
    u"Departed",
    u"DepartedLent4",
    u"Fathers",
    u"NewMartyrs",
    u"AllSaintsOfRussia",
    u"LentSaturday1",
    u"LentSunday2",
    u"LentSunday4",
    u"LentSaturday5",
    u"LentSunday5",
    u"CheesefareSaturday",
};

constexpr std::array<QStringView, 9> kClassNames = {
    u"lord", u"theotokos", u"great", u"displacing", u"vigil", u"polyeleos", u"doxology", u"six", u"none",
};

struct Book {
    QString Name;
    ReadingKind Kind = ReadingKind::Apostle;
    int MaxZachalo = 0;
};

// Reads the sections of one file, naming every line it cannot read.
class ReadingsReader {
public:
    ReadingsReader(ReadingsData& out, const QString& fileName) : out_(out), fileName_(fileName) {}

    void Run(const Profile& profile) {
        if (const ProfileSection* s = profile.Section(u"Books"))
            Books(*s);
        for (const ProfileSection& s : profile.Sections()) {
            const QString key = Profile::NameKey(s.Name);
            if (key == u"books")
                continue;
            if (key == u"departed")
                Departed(s);
            else if (key == u"weeks")
                Weeks(s);
            else if (key == u"pascha")
                Pascha(s);
            else if (key == u"special")
                Special(s);
            else if (key == u"menaion")
                Menaion(s);
            else if (key == u"noweddings")
                Weddings(s);
            else
                Warn(s.Entries.empty() ? 0 : s.Entries.front().Line,
                     QStringLiteral("unknown section [%1] ignored").arg(s.Name));
        }
        out_.Loaded = true;
    }

private:
    ReadingsData& out_;
    const QString& fileName_;
    std::vector<Book> books_;

    void Warn(int line, const QString& what) const {
        if (line > 0)
            qCWarning(lcReadings).noquote() << QStringLiteral("%1:%2: %3").arg(fileName_).arg(line).arg(what);
        else
            qCWarning(lcReadings).noquote() << QStringLiteral("%1: %2").arg(fileName_, what);
    }
    void Skip(const ProfileEntry& e, const QString& why) const {
        Warn(e.Line, QStringLiteral("%1 in \"%2=%3\"; line left out").arg(why, e.Key, e.Value));
    }

    void Books(const ProfileSection& s) {
        for (const ProfileEntry& e : s.Entries) {
            const QStringList parts = e.Value.split(u' ', Qt::SkipEmptyParts);
            bool ok = false;
            const int max = parts.size() == 2 ? parts[1].toInt(&ok) : 0;
            const bool gospel = parts.value(0) == u"gospel";
            if (!ok || max < 1 || (!gospel && parts.value(0) != u"apostle") || e.Key.isEmpty()) {
                Skip(e, QStringLiteral("not a book"));
                continue;
            }
            books_.push_back({e.Key, gospel ? ReadingKind::Gospel : ReadingKind::Apostle, max});
        }
        // The longest abbreviation first, so that «1 Ин.» is not read as «Ин.».
        std::stable_sort(books_.begin(), books_.end(),
                         [](const Book& a, const Book& b) { return a.Name.size() > b.Name.size(); });
    }

    // «Рим. 1:1–7, 13–17 (79 от полу)»; the reason it cannot be read otherwise.
    std::optional<Reading> OnePericope(QStringView text, QString& why) const {
        text = text.trimmed();
        const Book* book = nullptr;
        for (const Book& b : books_)
            if (text.startsWith(b.Name) && text.size() > b.Name.size() && text[b.Name.size()] == u' ') {
                book = &b;
                break;
            }
        const qsizetype open = text.lastIndexOf(u" (");
        if (!book) {
            why = QStringLiteral("an unknown book");
            return std::nullopt;
        }
        if (open <= book->Name.size() || !text.endsWith(u')')) {
            why = QStringLiteral("no verses or zachalo");
            return std::nullopt;
        }
        Reading r;
        r.Kind = book->Kind;
        r.Book = book->Name;
        r.Verses = text.sliced(book->Name.size() + 1, open - book->Name.size() - 1).trimmed().toString();
        r.Zachalo = text.sliced(open + 2, text.size() - open - 3).trimmed().toString();
        QStringView number = r.Zachalo;
        if (number.endsWith(u" от полу"))
            number.chop(8);
        bool ok = false;
        const int n = number.toInt(&ok);
        if (!ok || n < 1 || n > book->MaxZachalo) {
            why = QStringLiteral("a zachalo out of range");
            return std::nullopt;
        }
        if (r.Verses.isEmpty()) {
            why = QStringLiteral("no verses");
            return std::nullopt;
        }
        return r;
    }

    // Pericopes separated by «|»; nullopt, with the line named, when one of them cannot be read.
    std::optional<Pericopes> List(const ProfileEntry& e, QStringView text) const {
        Pericopes out;
        for (QStringView part : text.split(u'|')) {
            QString why;
            auto r = OnePericope(part, why);
            if (!r) {
                Skip(e, why);
                return std::nullopt;
            }
            out.push_back(std::move(*r));
        }
        return out;
    }

    // «Label: pericopes».
    std::optional<LabeledPericopes> Labeled(const ProfileEntry& e, QStringView text) const {
        const qsizetype colon = text.indexOf(u": ");
        if (colon <= 0) {
            Skip(e, QStringLiteral("no label"));
            return std::nullopt;
        }
        auto items = List(e, text.sliced(colon + 2));
        if (!items)
            return std::nullopt;
        return LabeledPericopes{text.first(colon).trimmed().toString(), std::move(*items)};
    }

    void Departed(const ProfileSection& s) {
        for (const ProfileEntry& e : s.Entries) {
            if (e.Key.compare(u"marker", Qt::CaseInsensitive) == 0 && !e.Value.isEmpty())
                out_.DepartedMarkers << e.Value;
            else if (e.Key.compare(u"except", Qt::CaseInsensitive) == 0 && !e.Value.isEmpty())
                out_.DepartedExceptions << e.Value;
            else
                Skip(e, QStringLiteral("an unknown key"));
        }
    }

    void Weeks(const ProfileSection& s) {
        for (const ProfileEntry& e : s.Entries) {
            const QStringList parts = e.Key.split(u'.');
            bool okWeek = false, okDay = false;
            const int week = parts.value(0).toInt(&okWeek), day = parts.value(1).toInt(&okDay);
            if (parts.size() != 2 || !okWeek || !okDay || week < 1 || week > 33 || day < 1 || day > 7) {
                Skip(e, QStringLiteral("not a week and weekday"));
                continue;
            }
            if (auto items = List(e, e.Value))
                out_.Weeks[week][day] = std::move(*items);
        }
    }

    void Pascha(const ProfileSection& s) {
        for (const ProfileEntry& e : s.Entries) {
            bool ok = false;
            const int nd = e.Key.toInt(&ok);
            if (!ok || nd < -70 || nd > 49) {
                Skip(e, QStringLiteral("not a day from Pascha in −70 … 49"));
                continue;
            }
            if (auto items = List(e, e.Value))
                out_.FromPascha[nd + 70] = std::move(*items);
        }
    }

    void Special(const ProfileSection& s) {
        for (const ProfileEntry& e : s.Entries) {
            const auto it = std::find_if(kSpecialNames.begin(), kSpecialNames.end(), [&](QStringView n) {
                return e.Key.compare(n, Qt::CaseInsensitive) == 0;
            });
            if (it == kSpecialNames.end()) {
                Skip(e, QStringLiteral("an unknown special day"));
                continue;
            }
            if (auto pair = Labeled(e, e.Value))
                out_.Special[it - kSpecialNames.begin()] = std::move(*pair);
        }
    }

    // «class [weekday=N | weekday!=N] Label: pericopes» under a Julian date «DD.MM».
    void Menaion(const ProfileSection& s) {
        for (const ProfileEntry& e : s.Entries) {
            FastingRule date;
            if (!ReadDayCondition(date, u"dates", e.Key) || date.DatesFrom != date.DatesTo) {
                Skip(e, QStringLiteral("not a date"));
                continue;
            }
            QStringView rest = e.Value;
            const qsizetype blank = rest.indexOf(u' ');
            const QStringView word = blank < 0 ? rest : rest.first(blank);
            const auto cls = std::find(kClassNames.begin(), kClassNames.end(), word);
            if (cls == kClassNames.end()) {
                Skip(e, QStringLiteral("an unknown class"));
                continue;
            }
            MenaionReading m;
            m.Class = ReadingClass(cls - kClassNames.begin());
            rest = rest.sliced(blank + 1).trimmed();
            if (rest.startsWith(u"weekday")) {
                const qsizetype end = rest.indexOf(u' ');
                const QStringView cond = rest.first(std::max<qsizetype>(end, 0)).sliced(7);
                m.NotWeekday = cond.startsWith(u"!=");
                const int n = cond.sliced(2).toInt();
                if (end < 0 || (!m.NotWeekday && !cond.startsWith(u"==")) || n < 1 || n > 7) {
                    Skip(e, QStringLiteral("not a weekday condition"));
                    continue;
                }
                m.Weekday = static_cast<int8_t>(n);
                rest = rest.sliced(end + 1);
            }
            auto pair = Labeled(e, rest);
            if (!pair)
                continue;
            m.Label = std::move(pair->Label);
            m.Items = std::move(pair->Items);
            out_.Menaion[date.DatesFrom].push_back(std::move(m));
        }
    }

    // «name=days=…; dates=…; weekdays=…»: every condition must hold.
    void Weddings(const ProfileSection& s) {
        for (const ProfileEntry& e : s.Entries) {
            FastingRule r;
            r.Name = e.Key;
            bool good = !e.Value.isEmpty();
            for (QStringView cond : QStringView(e.Value).split(u';')) {
                const qsizetype eq = cond.indexOf(u'=');
                good = good && eq > 0 && ReadDayCondition(r, cond.first(eq).trimmed(), cond.sliced(eq + 1));
            }
            if (good)
                out_.NoWeddings.push_back(std::move(r));
            else
                Skip(e, QStringLiteral("a condition that cannot be read"));
        }
    }
};

// ---- The calendar of one day ----

struct JulianDate {
    int32_t Year = 0;
    int16_t Month = 0, Day = 0;
    int Key() const { return Month * 100 + Day; }
};

// A day number (a Julian Day Number) as a Julian date.
JulianDate JulianOf(int32_t n) {
    const int32_t c = n + 32082;
    const int32_t d = (4 * c + 3) / 1461;
    const int32_t e = c - 1461 * d / 4;
    const int32_t m = (5 * e + 2) / 153;
    return {d - 4800 + m / 10, static_cast<int16_t>(m + 3 - 12 * (m / 10)),
            static_cast<int16_t>(e - (153 * m + 2) / 5 + 1)};
}

int32_t J(int32_t year, int month, int day) {
    return DayNumber(StyleJulian, static_cast<int16_t>(day), static_cast<int16_t>(month),
                     static_cast<int16_t>(year));
}

// The day with weekday `wd` (1 Monday .. 7 Sunday) among the seven days from `first`.
int32_t WeekdayFrom(int32_t first, int wd) {
    return first + (wd - WeekdayOf(first) + 7) % 7;
}

// A day within its Paschal cycle: the cycle runs from the Sunday of the Publican to the next one.
struct Cycle {
    int32_t Day = 0;
    int Weekday = 0;
    JulianDate Date;
    int32_t Year = 0; // the Julian year of the cycle's Pascha
    int32_t Pascha = 0, NextPascha = 0;
    int Nd = 0; // days from the cycle's Pascha
};

Cycle CycleOf(int32_t n) {
    Cycle c;
    c.Day = n;
    c.Weekday = WeekdayOf(n);
    c.Date = JulianOf(n);
    const int32_t p = JulianPascha(c.Date.Year);
    if (n < p - 70) {
        c.Year = c.Date.Year - 1;
        c.Pascha = JulianPascha(c.Year);
        c.NextPascha = p;
    } else {
        c.Year = c.Date.Year;
        c.Pascha = p;
        c.NextPascha = JulianPascha(c.Year + 1);
    }
    c.Nd = n - c.Pascha;
    return c;
}

bool Between(int v, int from, int to) {
    return v >= from && v <= to;
}

// Which Menaion commemorations a day lets add their readings.
enum class SaintsMode { All, VigilUp, PolyeleosUp, AnnunciationOnly };

constexpr int kAnnunciation = 325, kCircumcision = 101, kGeorge = 423;

// What a day is before its readings are put together.
struct Frame {
    Cycle C;
    std::vector<SpecialDay> Before;   // special pairs read before the ordinary pair
    std::vector<SpecialDay> Floating; // commemorations read after the saints
    bool OwnOrdinary = true;          // the day reads its ordinary pair
    bool Moves = false;               // a feast takes the ordinary pair, which is read on a neighbour
    bool LordSunday = false;          // a feast of the Lord takes the Sunday
    bool Departed = false;            // the pair of the departed is read
    std::vector<const MenaionReading*> Feasts, Saints;
};

bool IsSpecialSeason(const Frame& f) {
    return !f.Before.empty() || f.LordSunday;
}

// The special days of the Exaltation, Nativity and Theophany, and whether the ordinary pair stays.
void SeasonDays(Frame& f, SaintsMode& mode) {
    const Cycle& c = f.C;
    const int md = c.Date.Key(), wd = c.Weekday;
    auto replace = [&](SpecialDay s) {
        f.Before.push_back(s);
        f.OwnOrdinary = false;
        mode = SaintsMode::VigilUp;
    };
    const bool sat = wd == 6, sun = wd == 7;
    if (sat && Between(md, 907, 913) && md != 908)
        f.Before.push_back(SpecialDay::SatBeforeExaltation);
    if (md == 913 && wd == 4) // 8 September is a Saturday: the pair goes to the 13th
        f.Before.push_back(SpecialDay::SatBeforeExaltation);
    if (sun && Between(md, 907, 913))
        f.Before.push_back(SpecialDay::SunBeforeExaltation);
    if (sat && Between(md, 915, 920))
        f.Before.push_back(SpecialDay::SatAfterExaltation);
    if (sun && Between(md, 915, 921))
        f.Before.push_back(SpecialDay::SunAfterExaltation);
    if (sun && Between(md, 1211, 1217)) {
        f.Before.push_back(SpecialDay::Forefathers);
        f.OwnOrdinary = false;
    }
    if (sat && Between(md, 1217, 1223))
        replace(SpecialDay::SatBeforeNativity);
    if (sun && Between(md, 1218, 1224))
        replace(SpecialDay::SunBeforeNativity);
    if (md == 1224 && wd <= 5)
        replace(SpecialDay::NativityEve);
    if (md == 1224 && sat)
        replace(SpecialDay::NativityEveSaturday);
    if (md == 1225 || md == 1226 || md == 106) {
        f.OwnOrdinary = false;
        mode = SaintsMode::VigilUp;
    }
    if ((sat && Between(md, 1226, 1231)) || (md == 1231 && wd == 5))
        replace(SpecialDay::SatAfterNativity);
    if ((sun && Between(md, 1226, 1231)) || (md == 1226 && wd == 1))
        replace(SpecialDay::SunAfterNativity);
    if (sat && (md == 1230 || md == 1231 || Between(md, 101, 105)))
        replace(SpecialDay::SatBeforeTheophany);
    if (sun && Between(md, 101, 105))
        replace(SpecialDay::SunBeforeTheophany);
    if (md == 105 && wd <= 5)
        replace(SpecialDay::TheophanyEve);
    if (sat && Between(md, 107, 112)) {
        f.Before.push_back(SpecialDay::SatAfterTheophany);
        f.OwnOrdinary = md != 107;
    }
    if (sun && Between(md, 107, 113)) {
        f.Before.push_back(SpecialDay::SunAfterTheophany);
        f.OwnOrdinary = c.Day == c.NextPascha - 77 || c.Day == c.NextPascha - 70;
    }
    // No Sunday on 1–5 January: the Sunday before Theophany is read on the 1st, after the saints.
    if (md == kCircumcision) {
        f.OwnOrdinary = false;
        if (wd == 1 || wd == 2)
            f.Floating.push_back(SpecialDay::SunBeforeTheophany);
    }
}

// The Saturdays and Sundays of the Triodion with a commemoration of their own, by days from Pascha.
constexpr std::array<std::pair<int, SpecialDay>, 6> kTriodionDays = {{
    {-50, SpecialDay::CheesefareSaturday},
    {-43, SpecialDay::LentSaturday1},
    {-35, SpecialDay::LentSunday2},
    {-21, SpecialDay::LentSunday4},
    {-15, SpecialDay::LentSaturday5},
    {-14, SpecialDay::LentSunday5},
}};

// The floating commemorations of the Triodion and of the year.
void FloatingDays(Frame& f, SaintsMode& mode) {
    const Cycle& c = f.C;
    const int md = c.Date.Key();
    const bool sun = c.Weekday == 7;
    auto add = [&](SpecialDay s, bool strict) {
        f.Floating.push_back(s);
        if (strict && mode == SaintsMode::All)
            mode = SaintsMode::PolyeleosUp;
    };
    for (const auto& [nd, day] : kTriodionDays)
        if (c.Nd == nd)
            add(day, false);
    if (c.Nd == 63)
        add(SpecialDay::AllSaintsOfRussia, true);
    if (sun && (Between(md, 713, 719) || Between(md, 1008, 1014)))
        add(SpecialDay::Fathers, true);
    if (sun && Between(md, 122, 128))
        add(SpecialDay::NewMartyrs, true);
}

SaintsMode ModeOfCycle(const Cycle& c) {
    const int nd = c.Nd;
    if (Between(nd, -7, 6) || nd == 24 || nd == 39 || nd == 49)
        return SaintsMode::AnnunciationOnly;
    if (Between(nd, -70, -8) && c.Weekday >= 6)
        return SaintsMode::PolyeleosUp;
    if (Between(nd, -48, -9))
        return SaintsMode::PolyeleosUp;
    return SaintsMode::All;
}

bool Admits(SaintsMode mode, const MenaionReading& m, int md, int nd) {
    switch (mode) {
    case SaintsMode::AnnunciationOnly:
        return md == kAnnunciation || (md == kGeorge && Between(nd, 1, 6));
    case SaintsMode::VigilUp:
        return m.Class <= ReadingClass::Vigil;
    case SaintsMode::PolyeleosUp:
        return m.Class <= ReadingClass::Polyeleos;
    default:
        return true;
    }
}

// Doxology and six stichera rank alike.
int Order(ReadingClass c) {
    return c == ReadingClass::Six ? int(ReadingClass::Doxology) : int(c);
}

// St George is kept in Bright Week; when his day falls on Pascha or in Holy Week it goes to Bright Monday.
bool GeorgeOnBrightMonday(const Cycle& c) {
    return c.Nd == 1 && Between(J(c.Year, 4, 23) - c.Pascha, -6, 0);
}

void ChooseSaints(const ReadingsData& d, Frame& f, SaintsMode mode) {
    const int md = GeorgeOnBrightMonday(f.C) ? kGeorge : f.C.Date.Key();
    const auto& list = d.Menaion[md];
    auto today = [&](const MenaionReading& m) {
        return m.Weekday == 0 || (m.Weekday == f.C.Weekday) != m.NotWeekday;
    };
    const bool alone = std::count_if(list.begin(), list.end(), today) == 1;
    for (const MenaionReading& m : list)
        if (today(m) && Admits(mode, m, md, f.C.Nd) && (m.Class != ReadingClass::None || alone))
            (m.Class <= ReadingClass::Great ? f.Feasts : f.Saints).push_back(&m);
    // By class, ties in the Menaion order: an insertion sort, since a day has few saints.
    auto& saints = f.Saints;
    for (std::size_t i = 1; i < saints.size(); ++i)
        for (std::size_t j = i; j > 0 && Order(saints[j]->Class) < Order(saints[j - 1]->Class); --j)
            std::swap(saints[j], saints[j - 1]);
}

Frame FrameOf(const ReadingsData& d, const Cycle& cycle, bool departed) {
    Frame f;
    f.C = cycle;
    const Cycle& c = f.C;
    const int md = c.Date.Key();
    SaintsMode mode = ModeOfCycle(c);
    SeasonDays(f, mode);
    FloatingDays(f, mode);
    if (c.Weekday == 7 && (md == 914 || md == 806 || (md == 202 && !Between(c.Nd, -70, -1)))) {
        f.LordSunday = true;
        f.OwnOrdinary = false;
    }
    ChooseSaints(d, f, mode);
    // A great feast or a saint of the polyeleos takes the place of the departed; a lesser saint gives way.
    if (departed && c.Weekday == 6) {
        const bool high = !f.Feasts.empty() || std::any_of(f.Saints.begin(), f.Saints.end(), [](auto* m) {
            return m->Class <= ReadingClass::Polyeleos;
        });
        f.Departed = !high;
        if (f.Departed)
            f.Saints.clear();
    }
    // A feast that displaces the weekday's pair, outside Lent, Holy and Bright Weeks; the Circumcision's is
    // not moved.
    const bool displacing = !f.Feasts.empty() || std::any_of(f.Saints.begin(), f.Saints.end(), [](auto* m) {
        return m->Class == ReadingClass::Displacing;
    });
    if (displacing && c.Weekday <= 6 && f.OwnOrdinary && !Between(c.Nd, -48, 6) && md != kCircumcision) {
        f.OwnOrdinary = false;
        f.Moves = true;
    }
    return f;
}

// The weeks after Pentecost of a day: the Apostle's and the Gospel's.
struct Weeks {
    int Apostle = 0, Gospel = 0;
};

// The Sunday of the Forefathers of a cycle year, and its weeks.
struct Forefathers {
    int32_t Day = 0;
    Weeks W;
};

int WeekAfterPentecost(int nd) {
    return (nd - 49 + 6) / 7;
}

int LukanJump(const Cycle& c, int& from) {
    const int s = WeekdayFrom(J(c.Year, 9, 15), 7) - c.Pascha;
    from = std::min(s, 168);
    return (168 - s) / 7;
}

Forefathers ForefathersOf(const Cycle& c, int jump) {
    Forefathers f;
    f.Day = WeekdayFrom(J(c.Year, 12, 11), 7);
    f.W.Apostle = WeekAfterPentecost(f.Day - c.Pascha);
    f.W.Gospel = f.W.Apostle + jump;
    return f;
}

// The reserve Gospels of the Sundays between the Sunday after Theophany and Zacchaeus, when there are at
// least two: the Luke Sundays skipped by the jump and the Forefathers, then Matthew's up to the 17th.
std::optional<int> ReserveGospel(const Cycle& c, const Forefathers& ff) {
    const int32_t after = WeekdayFrom(J(c.Year + 1, 1, 7), 7), zacchaeus = c.NextPascha - 77;
    if (c.Weekday != 7 || c.Day <= after || c.Day >= zacchaeus)
        return std::nullopt;
    const int count = (zacchaeus - after) / 7 - 1;
    if (count < 2)
        return std::nullopt;
    std::vector<int> reserves;
    for (int g = ff.W.Gospel + 1; g <= 31; ++g)
        reserves.push_back(g);
    const int more = count - int(reserves.size());
    for (int g = 17 - more + 1; g <= 17; ++g)
        reserves.push_back(g);
    return reserves[(c.Day - after) / 7 - 1];
}

Weeks WeeksOf(const Cycle& c) {
    Weeks w;
    int from = 0;
    const int jump = LukanJump(c, from);
    const int forward = WeekAfterPentecost(c.Nd);
    // Only a Sunday asks about the Forefathers' Sunday: for the reserve Gospels and the swaps below.
    const bool sunday = c.Weekday == 7;
    const Forefathers ff = sunday ? ForefathersOf(c, jump) : Forefathers{};
    if (c.Day > J(c.Year + 1, 1, 6) || forward > 33) {
        // From Theophany the weeks are counted back from the Publican's Sunday.
        w.Apostle = w.Gospel = 33 - (c.NextPascha - c.Day - 70) / 7;
        if (const auto reserve = sunday ? ReserveGospel(c, ff) : std::nullopt)
            w.Gospel = *reserve;
    } else {
        w.Apostle = forward;
        w.Gospel = c.Nd > from ? forward + jump : forward;
    }
    // The Forefathers' Sunday reads the Apostle of week 29 and the Gospel of Luke's 28th Sunday: the
    // Sundays that would read them read those of the Forefathers' own week instead.
    if (sunday && c.Day != ff.Day) {
        if (w.Gospel == 28)
            w.Gospel = ff.W.Gospel;
        if (w.Apostle == 29)
            w.Apostle = ff.W.Apostle;
    }
    w.Apostle = std::clamp(w.Apostle, 1, 33);
    w.Gospel = std::clamp(w.Gospel, 1, 33);
    return w;
}

Frame FrameOf(const ReadingsData& d, int32_t n, bool departed) {
    return FrameOf(d, CycleOf(n), departed);
}

// The ordinary pair of a day in the data, without a copy: the Apostle of one list and the Gospel of
// another after Pentecost, the whole list of the day before it.
struct Ordinary {
    const Pericopes* Apostles = nullptr;
    const Pericopes* Gospels = nullptr;
    bool Whole = false; // every reading of the one list, in its order
    bool Empty() const {
        auto none = [](const Pericopes* p, ReadingKind k) {
            return !p || std::none_of(p->begin(), p->end(), [k](const Reading& r) { return r.Kind == k; });
        };
        return none(Apostles, ReadingKind::Apostle) && none(Gospels, ReadingKind::Gospel);
    }
};

Ordinary OrdinaryOf(const ReadingsData& d, const Cycle& c) {
    if (c.Nd <= 49) {
        const Pericopes& day = d.FromPascha[c.Nd + 70];
        return {&day, &day, true};
    }
    const Weeks w = WeeksOf(c);
    return {&d.Weeks[w.Apostle][c.Weekday], &d.Weeks[w.Gospel][c.Weekday]};
}

// A day that can take a neighbour's moved pair: its own pair is read and nothing special stands on it.
bool Receives(const Frame& f) {
    return f.OwnOrdinary && f.C.Weekday != 7 && !IsSpecialSeason(f) && !f.Moves;
}

// A quick look before a neighbour's frame is built: a feast that may take the day's pair stands on it.
bool MayMove(const ReadingsData& d, int32_t n) {
    if (WeekdayOf(n) > 6)
        return false;
    const auto& list = d.Menaion[JulianOf(n).Key()];
    return std::any_of(list.begin(), list.end(),
                       [](const MenaionReading& m) { return m.Class <= ReadingClass::Displacing; });
}

// Where the moved pair of a feast day goes: −1 the day before, +1 the day after, 0 nowhere.
int MoveOf(const ReadingsData& d, const Frame& feast) {
    if (feast.C.Weekday != 1 && Receives(FrameOf(d, feast.C.Day - 1, false)))
        return -1;
    if (Receives(FrameOf(d, feast.C.Day + 1, false)))
        return +1;
    return 0;
}

QString UnderLabel(int weekday) {
    static const std::array<QString, 8> names = {
        QString(),
        QStringLiteral("понедельник"),
        QStringLiteral("вторник"),
        QStringLiteral("среду"),
        QStringLiteral("четверг"),
        QStringLiteral("пятницу"),
        QStringLiteral("субботу"),
        QStringLiteral("неделю"),
    };
    return QStringLiteral("За %1 (под зачало)").arg(names[weekday]);
}

void Put(std::vector<Reading>& out, const QString& label, const Pericopes& items) {
    for (const Reading& r : items)
        out.push_back(Reading{label, r.Kind, r.Book, r.Verses, r.Zachalo});
}

// The Apostle readings of one list, then the Gospel readings of the other; or the whole of one list.
void Put(std::vector<Reading>& out, const QString& label, const Ordinary& o) {
    if (o.Whole) {
        Put(out, label, *o.Apostles);
        return;
    }
    for (const auto& [list, kind] :
         {std::pair{o.Apostles, ReadingKind::Apostle}, std::pair{o.Gospels, ReadingKind::Gospel}})
        if (list)
            for (const Reading& r : *list)
                if (r.Kind == kind)
                    out.push_back(Reading{label, r.Kind, r.Book, r.Verses, r.Zachalo});
}

void PutSpecial(std::vector<Reading>& out, const ReadingsData& d, SpecialDay s) {
    const LabeledPericopes& p = d.Special[int(s)];
    Put(out, p.Label, p.Items);
}

void PutMenaion(std::vector<Reading>& out, const std::vector<const MenaionReading*>& list) {
    for (const MenaionReading* m : list)
        Put(out, m->Label, m->Items);
}

// The readings of a day in the order the day prints them.
std::vector<Reading> ReadingsOfCycle(const ReadingsData& d, const Cycle& c, bool departedSaturday) {
    std::vector<Reading> out;
    out.reserve(8);
    const Frame f = FrameOf(d, c, departedSaturday);
    // The ordinary pair: its own, or on the Saturday before a feast of the Lord on Sunday, the Sunday's.
    Ordinary ordinary;
    QString ordinaryLabel;
    if (f.OwnOrdinary)
        ordinary = OrdinaryOf(d, c);
    const int nextKey = JulianOf(c.Day + 1).Key();
    if (c.Weekday == 6 && c.Nd > 49 && !f.Moves && (nextKey == 914 || nextKey == 806 || nextKey == 202)) {
        const Frame sunday = FrameOf(d, c.Day + 1, false);
        if (sunday.LordSunday) {
            ordinary = OrdinaryOf(d, sunday.C);
            ordinaryLabel = UnderLabel(7);
        }
    }
    // The pairs of the neighbours' feasts read here «под зачало».
    Ordinary fromBefore, fromAfter;
    if (Receives(f) && MayMove(d, c.Day - 1)) {
        const Frame prev = FrameOf(d, c.Day - 1, false);
        if (prev.Moves && MoveOf(d, prev) == +1)
            fromBefore = OrdinaryOf(d, prev.C);
    }
    if (Receives(f) && MayMove(d, c.Day + 1)) {
        const Frame next = FrameOf(d, c.Day + 1, false);
        if (next.Moves && MoveOf(d, next) == -1)
            fromAfter = OrdinaryOf(d, next.C);
    }
    // The labels of the neighbours' pairs, made only for a day that reads one.
    const QString prevLabel = fromBefore.Empty() ? QString() : UnderLabel(WeekdayOf(c.Day - 1));
    const QString nextLabel = fromAfter.Empty() ? QString() : UnderLabel(WeekdayOf(c.Day + 1));
    const SpecialDay departed = c.Nd == -22 ? SpecialDay::DepartedLent4 : SpecialDay::Departed;

    if (!f.Before.empty()) {
        for (SpecialDay s : f.Before)
            PutSpecial(out, d, s);
        Put(out, ordinaryLabel.isEmpty() ? QStringLiteral("Ряд.") : ordinaryLabel, ordinary);
        PutMenaion(out, f.Feasts);
        PutMenaion(out, f.Saints);
    } else if (c.Weekday == 6 && c.Nd > 49) {
        PutMenaion(out, f.Feasts);
        PutMenaion(out, f.Saints);
        if (f.Departed)
            PutSpecial(out, d, departed);
        const bool others = !out.empty();
        Put(out, prevLabel, fromBefore);
        Put(out, ordinaryLabel.isEmpty() && others ? QStringLiteral("Ряд.") : ordinaryLabel, ordinary);
        Put(out, nextLabel, fromAfter);
    } else {
        Put(out, prevLabel, fromBefore);
        Put(out, ordinaryLabel, ordinary);
        Put(out, nextLabel, fromAfter);
        PutMenaion(out, f.Feasts);
        PutMenaion(out, f.Saints);
    }
    for (SpecialDay s : f.Floating)
        PutSpecial(out, d, s);
    if (f.Departed && !(c.Weekday == 6 && c.Nd > 49 && f.Before.empty()))
        PutSpecial(out, d, departed);
    return out;
}

DayLiturgy LiturgyOfCycle(const ReadingsData& d, const Cycle& c) {
    const int32_t n = c.Day;
    const int nd = c.Nd, wd = c.Weekday, md = c.Date.Key();
    const bool lent = Between(nd, -48, -9);
    if (md == kAnnunciation && Between(nd, -48, 6)) {
        if ((lent && wd == 7) || nd == -3 || nd == -1)
            return {LiturgyKind::Basil, false};
        return {LiturgyKind::Chrysostom, nd == -2};
    }
    if (nd == -2)
        return {LiturgyKind::None, true};
    if (md == kCircumcision || (lent && wd == 7 && nd != -7) || nd == -3 || nd == -1)
        return {LiturgyKind::Basil, false};
    // The eves of the Nativity and of Theophany: St Basil's with the Royal Hours on a weekday; on a Saturday
    // or Sunday the Liturgy goes to the feast and the Royal Hours to the Friday before, without Liturgy.
    for (const auto& [eve, feast] : {std::pair{1224, 1225}, std::pair{105, 106}}) {
        if (md == eve && wd <= 5)
            return {LiturgyKind::Basil, true};
        if (md == feast && WeekdayOf(n - 1) >= 6)
            return {LiturgyKind::Basil, false};
        if (wd == 5 && (JulianOf(n + 1).Key() == eve || JulianOf(n + 2).Key() == eve))
            return {LiturgyKind::None, true};
    }
    if (lent && wd <= 5) {
        if (wd == 3 || wd == 5 || nd == -17)
            return {LiturgyKind::Presanctified, false};
        Frame f;
        f.C = c;
        ChooseSaints(d, f, SaintsMode::PolyeleosUp);
        return {f.Feasts.empty() && f.Saints.empty() ? LiturgyKind::None : LiturgyKind::Presanctified, false};
    }
    if (Between(nd, -6, -4))
        return {LiturgyKind::Presanctified, false};
    if (nd == -53 || nd == -51)
        return {LiturgyKind::None, false};
    return {LiturgyKind::Chrysostom, false};
}

// The weddings rules count the days from the Pascha of the day's Julian year, which is the cycle's own or,
// in the Triodion before it, the next.
bool NoWeddingsOfCycle(const ReadingsData& d, const Cycle& c) {
    const int32_t pascha = c.Year == c.Date.Year ? c.Pascha : c.NextPascha;
    const FastingDay day{c.Day, c.Date.Month, c.Date.Day, static_cast<int8_t>(c.Weekday), pascha, Rank::None};
    return std::any_of(d.NoWeddings.begin(), d.NoWeddings.end(),
                       [&](const FastingRule& r) { return RuleClaims(r, day); });
}

} // namespace

ReadingsData ParseReadings(QByteArrayView bytes, const QString& fileName) {
    ReadingsData data;
    ReadingsReader(data, fileName).Run(Profile::Parse(bytes, fileName));
    return data;
}

ReadingsData LoadReadings(const QString& path) {
    const auto bytes = ReadRuleFile(path, lcReadings, QStringLiteral("no readings"));
    return bytes ? ParseReadings(*bytes, path) : ReadingsData{};
}

std::vector<Reading> ReadingsOf(const ReadingsData& d, const ReadingsDay& day) {
    return d.Empty() ? std::vector<Reading>() : ReadingsOfCycle(d, CycleOf(day.DayNumber), day.Departed);
}

bool NamesDeparted(const ReadingsData& d, const QString& text) {
    auto has = [&](const QString& m) { return text.contains(m, Qt::CaseInsensitive); };
    return std::any_of(d.DepartedMarkers.begin(), d.DepartedMarkers.end(), has) &&
           std::none_of(d.DepartedExceptions.begin(), d.DepartedExceptions.end(), has);
}

std::vector<ReadingLine> ReadingLines(const std::vector<Reading>& readings) {
    std::vector<ReadingLine> lines;
    for (int i = 0; i < int(readings.size()); ++i) {
        const Reading& r = readings[i];
        const Reading* before = i > 0 ? &readings[i - 1] : nullptr;
        const bool fresh = !before || before->Label != r.Label ||
                           (before->Kind == ReadingKind::Gospel && r.Kind == ReadingKind::Apostle);
        if (fresh) {
            lines.push_back({r.Label.isEmpty() ? QString() : r.Label + QStringLiteral(": "), i, 0});
        }
        ReadingLine& line = lines.back();
        const bool newKind = fresh || before->Kind != r.Kind;
        if (!fresh)
            line.Text += u' ';
        if (newKind)
            line.Text += r.Kind == ReadingKind::Apostle ? u"Ап.: " : u"Ев.: ";
        line.Text += QStringLiteral("%1 %2 (зач. %3).").arg(r.Book, r.Verses, r.Zachalo);
        ++line.Count;
    }
    return lines;
}

QStringList LiturgyLines(const DayLiturgy& liturgy) {
    QStringList lines;
    switch (liturgy.Kind) {
    case LiturgyKind::Basil:
        lines << QStringLiteral("Литургия свт. Василия Великого.");
        break;
    case LiturgyKind::Presanctified:
        lines << QStringLiteral("Литургия Преждеосвященных Даров.");
        break;
    case LiturgyKind::None:
        lines << QStringLiteral("Литургии нет.");
        break;
    default:
        break;
    }
    if (liturgy.RoyalHours)
        lines << QStringLiteral("Царские часы.");
    return lines;
}

QString LiturgyName(LiturgyKind kind) {
    static const std::array<QString, 4> names = {QStringLiteral("chrysostom"), QStringLiteral("basil"),
                                                 QStringLiteral("presanctified"), QStringLiteral("none")};
    return names[int(kind)];
}

QStringList ReadingsGroup(const DayInfo& day) {
    QStringList lines;
    if (day.Readings)
        for (const ReadingLine& l : ReadingLines(*day.Readings))
            lines << l.Text;
    if (day.Liturgy)
        lines << LiturgyLines(*day.Liturgy);
    if (day.NoWeddings.value_or(false))
        lines << NoWeddingsLine.toString();
    return lines;
}

void AddReadings(const ReadingsData& data, DayInfo& day, bool departed) {
    if (data.Empty())
        return;
    // The day's place in its Paschal cycle, reckoned once for the three answers.
    const Cycle c = CycleOf(day.DayNumber);
    day.Readings = ReadingsOfCycle(data, c, departed);
    day.Liturgy = LiturgyOfCycle(data, c);
    day.NoWeddings = NoWeddingsOfCycle(data, c);
}

} // namespace vorelian
