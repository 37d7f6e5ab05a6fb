#include "fasting.h"

#include "bases/profile.h"
#include "core/recalc.h"
#include "engine/rulefile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <limits>

namespace vorelian {

Q_LOGGING_CATEGORY(lcFasting, "vorelian.engine.fasting", QtWarningMsg)

namespace {

constexpr std::array<QStringView, FastLevelCount> kLevelNames = {
    u"noFood", u"dry", u"hotNoOil", u"oil", u"caviar", u"fish", u"noMeat", u"none",
};

constexpr int16_t kMonthDays[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

std::optional<int16_t> ParseInt(QStringView text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok || v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(v);
}

// "DD.MM" as month * 100 + day; February may have 29 days.
std::optional<int16_t> ParseDate(QStringView text) {
    const qsizetype dot = text.indexOf(u'.');
    if (dot < 0)
        return std::nullopt;
    const auto day = ParseInt(text.first(dot));
    const auto month = ParseInt(text.sliced(dot + 1));
    if (!day || !month || *month < 1 || *month > 12 || *day < 1 || *day > kMonthDays[*month])
        return std::nullopt;
    return static_cast<int16_t>(*month * 100 + *day);
}

// "A..B", "A..", "..B" or "A", each end read by `parse`; an open end keeps the value given for it.
template <typename Parse> bool ParseRange(QStringView text, Parse parse, int16_t& from, int16_t& to) {
    const qsizetype dots = text.indexOf(u"..");
    if (dots < 0) {
        const auto one = parse(text);
        if (!one)
            return false;
        from = to = *one;
        return true;
    }
    const QStringView a = text.first(dots).trimmed(), b = text.sliced(dots + 2).trimmed();
    if (a.isEmpty() && b.isEmpty())
        return false;
    if (!a.isEmpty()) {
        const auto v = parse(a);
        if (!v)
            return false;
        from = *v;
    }
    if (!b.isEmpty()) {
        const auto v = parse(b);
        if (!v)
            return false;
        to = *v;
    }
    return true;
}

std::optional<uint8_t> ParseWeekdays(QStringView text) {
    uint8_t bits = 0;
    for (QStringView part : text.split(u',')) {
        const auto w = ParseInt(part);
        if (!w || *w < 1 || *w > 7)
            return std::nullopt;
        bits |= uint8_t(1u << (*w - 1));
    }
    return bits;
}

std::optional<std::array<FastLevel, 7>> ParseWeek(QStringView text) {
    const auto parts = text.split(u',');
    if (parts.size() != 7)
        return std::nullopt;
    std::array<FastLevel, 7> week{};
    for (int i = 0; i < 7; ++i) {
        const auto level = FastLevelFromName(parts[i].trimmed());
        if (!level)
            return std::nullopt;
        week[i] = *level;
    }
    return week;
}

// One header of a rule section: a rule number may be given more than once, each time with its own lines.
struct RuleHeader {
    int Number = 0;
    int Line = 0; // the header's line
    int End = 0;  // the next header of the same section, or past the end of the file
    const ProfileSection* Section = nullptr;
    bool Holds(int line) const { return line > Line && line < End; }
};

// Every header of the numbered sections, by number and then by line.
std::vector<RuleHeader> RuleHeaders(const std::vector<std::pair<int, const ProfileSection*>>& numbered) {
    std::vector<RuleHeader> headers;
    for (const auto& [n, s] : numbered) {
        const std::vector<int> lines = s->Headers.empty() ? std::vector<int>{0} : s->Headers;
        for (std::size_t i = 0; i < lines.size(); ++i)
            headers.push_back({n, lines[i], i + 1 < lines.size() ? lines[i + 1] : INT_MAX, s});
    }
    std::stable_sort(headers.begin(), headers.end(), [](const RuleHeader& a, const RuleHeader& b) {
        return a.Number != b.Number ? a.Number < b.Number : a.Line < b.Line;
    });
    return headers;
}

// Reads the rule sections of one file, reporting what it cannot read.
class RuleReader {
public:
    RuleReader(FastingRules& out, const QString& fileName) : out_(out), fileName_(fileName) {}

    void Run(const Profile& profile) {
        std::vector<std::pair<int, const ProfileSection*>> numbered;
        for (const ProfileSection& s : profile.Sections()) {
            bool ok = false;
            const int n = s.Name.toInt(&ok);
            if (ok && n > 0)
                numbered.emplace_back(n, &s);
            else if (Profile::NameKey(s.Name) == u"levels")
                Phrases(s);
            else
                Warn(FirstLine(s), QStringLiteral("unknown section [%1] ignored").arg(s.Name),
                     QStringLiteral("раздел [%1] не известен и пропущен").arg(s.Name));
        }
        const std::vector<RuleHeader> headers = RuleHeaders(numbered);
        for (std::size_t i = 0; i < headers.size(); ++i) {
            const RuleHeader& h = headers[i];
            std::size_t last = i; // the rule of the last header of this number is the one used
            while (last + 1 < headers.size() && headers[last + 1].Number == h.Number)
                ++last;
            if (last != i) {
                const int later = headers[last].Line;
                Warn(
                    h.Line,
                    QStringLiteral("rule number %1 given again on line %2; the rule of line %2 is used")
                        .arg(h.Number)
                        .arg(later),
                    QStringLiteral("номер правила %1 повторён в строках %2 и %3; действует правило строки %3")
                        .arg(h.Number)
                        .arg(h.Line)
                        .arg(later),
                    false);
                continue;
            }
            Rule(h);
        }
        if (out_.Rules.empty())
            Warn(0, QStringLiteral("no rule can be read; no fasting line"),
                 QStringLiteral("ни одно правило не прочитано; строки поста нет"));
        else
            CheckPhrases();
    }

private:
    FastingRules& out_;
    const QString& fileName_;

    static int FirstLine(const ProfileSection& s) { return s.Entries.empty() ? 0 : s.Entries.front().Line; }

    // A message for the log, in English, and the same in Russian for the window; `lineInRussian` false when
    // the Russian sentence names its lines itself.
    void Warn(int line, const QString& what, const QString& said, bool lineInRussian = true) const {
        const QString file = QFileInfo(fileName_).fileName();
        if (line > 0) {
            qCWarning(lcFasting).noquote() << QStringLiteral("%1:%2: %3").arg(fileName_).arg(line).arg(what);
            out_.Problems << (lineInRussian
                                  ? QStringLiteral("%1, строка %2: %3").arg(file).arg(line).arg(said)
                                  : QStringLiteral("%1: %2").arg(file, said));
        } else {
            qCWarning(lcFasting).noquote() << QStringLiteral("%1: %2").arg(fileName_, what);
            out_.Problems << QStringLiteral("%1: %2").arg(file, said);
        }
    }

    void Phrases(const ProfileSection& s) {
        for (const ProfileEntry& e : s.Entries) {
            const auto level = FastLevelFromName(e.Key);
            if (!level || e.Value.isEmpty())
                Warn(e.Line, QStringLiteral("unknown level or empty phrase; line skipped"),
                     QStringLiteral("неизвестный уровень или пустая фраза; строка пропущена"));
            else
                out_.Phrases[int(*level)] = e.Value;
        }
    }

    enum Key : int { Name, Days, Dates, Weekdays, Level, Week, Text, Great, Vigil, Polyeleos, KeyCount };
    static constexpr std::array<QStringView, KeyCount> kKeys = {
        u"name", u"days", u"dates", u"weekdays", u"level", u"week", u"text", u"great", u"vigil", u"polyeleos",
    };

    static int KeyOf(QStringView key) {
        for (int i = 0; i < KeyCount; ++i)
            if (key.compare(kKeys[i], Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }

    // One entry of a rule; false when it cannot be read, is unknown, or repeats a key of the rule.
    static bool Apply(FastingRule& r, const ProfileEntry& e, uint32_t& seen) {
        const int k = KeyOf(e.Key);
        const uint32_t levelKeys = (1u << Level) | (1u << Week);
        if (k < 0 || (seen & (1u << k)) || ((1u << k) & levelKeys && seen & levelKeys))
            return false;
        seen |= 1u << k;
        const QStringView v = e.Value;
        switch (k) {
        case Name:
            r.Name = e.Value;
            return true;
        case Text:
            r.Text = e.Value;
            return !r.Text.isEmpty();
        case Days:
        case Dates:
        case Weekdays:
            return ReadDayCondition(r, e.Key, v);
        case Level: {
            const auto one = FastLevelFromName(v);
            r.Week.fill(one.value_or(FastLevel::None));
            return one.has_value();
        }
        case Week: {
            const auto week = ParseWeek(v);
            r.Week = week.value_or(r.Week);
            return week.has_value();
        }
        default:
            r.Relax[k - Great] = FastLevelFromName(v);
            return r.Relax[k - Great].has_value();
        }
    }

    // The rule under one header: the entries and skipped lines between it and the section's next header.
    void Rule(const RuleHeader& h) {
        const ProfileSection& s = *h.Section;
        const auto ours = [&](int line) { return h.Line == 0 || h.Holds(line); };
        FastingRule r;
        uint32_t seen = 0;
        bool good = true;
        for (const ProfileEntry& e : s.Entries)
            if (ours(e.Line) && !Apply(r, e, seen)) {
                Warn(e.Line,
                     QStringLiteral("cannot read \"%1=%2\"; rule [%3] left out").arg(e.Key, e.Value, s.Name),
                     QStringLiteral("не прочитано «%1=%2»; правило %3 не действует")
                         .arg(e.Key, e.Value, s.Name));
                good = false;
            }
        for (int line : s.Skipped) // the profile reader has named the line already
            if (ours(line)) {
                Warn(line, QStringLiteral("rule [%1] left out").arg(s.Name),
                     QStringLiteral("строка не прочитана; правило %1 не действует").arg(s.Name));
                good = false;
            }
        const bool hasLevel = seen & ((1u << Level) | (1u << Week));
        const auto first = std::find_if(s.Entries.begin(), s.Entries.end(),
                                        [&](const ProfileEntry& e) { return ours(e.Line); });
        if (good && !hasLevel)
            Warn(first != s.Entries.end() ? first->Line : h.Line,
                 QStringLiteral("rule [%1] gives no level; left out").arg(s.Name),
                 QStringLiteral("в правиле %1 нет уровня поста; правило не действует").arg(s.Name));
        if (good && hasLevel)
            out_.Rules.push_back(std::move(r));
    }

    // A level that a rule gives without a text of its own needs a phrase.
    void CheckPhrases() {
        std::array<bool, FastLevelCount> used{};
        for (const FastingRule& r : out_.Rules) {
            if (r.Text.isEmpty())
                for (FastLevel l : r.Week)
                    used[int(l)] = true;
            for (const auto& l : r.Relax)
                if (l)
                    used[int(*l)] = true;
        }
        used[int(FastLevel::None)] = true; // the days no rule claims
        for (int i = 0; i < FastLevelCount; ++i)
            if (used[i] && out_.Phrases[i].isEmpty())
                Warn(0, QStringLiteral("no phrase for the level %1 in [Levels]").arg(kLevelNames[i]),
                     QStringLiteral("нет фразы уровня %1 в разделе [Levels]").arg(kLevelNames[i]));
    }
};

} // namespace

QString FastLevelName(FastLevel level) {
    const int i = int(level);
    return i >= 0 && i < FastLevelCount ? kLevelNames[i].toString() : QString();
}

std::optional<FastLevel> FastLevelFromName(QStringView name) {
    for (int i = 0; i < FastLevelCount; ++i)
        if (name.compare(kLevelNames[i], Qt::CaseInsensitive) == 0)
            return FastLevel(i);
    return std::nullopt;
}

Rank HigherRank(Rank a, Rank b) {
    if (a == Rank::None)
        return b;
    if (b == Rank::None)
        return a;
    return int(a) < int(b) ? a : b;
}

FastingRules ParseFastingRules(QByteArrayView bytes, const QString& fileName) {
    FastingRules rules;
    RuleReader(rules, fileName).Run(Profile::Parse(bytes, fileName));
    return rules;
}

std::optional<QByteArray> ReadRuleFile(const QString& path, const QLoggingCategory& (*category)(),
                                       const QString& lost) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return std::nullopt;
    QFile f(path);
    if (!info.isFile() || info.size() > Profile::MaxFileBytes || !f.open(QIODevice::ReadOnly)) {
        qCWarning(category).noquote() << QStringLiteral("%1: cannot be read; %2").arg(path, lost);
        return std::nullopt;
    }
    return f.readAll();
}

FastingRules LoadFastingRules(const QString& path) {
    const auto bytes = ReadRuleFile(path, lcFasting, QStringLiteral("no fasting rules"));
    return bytes ? ParseFastingRules(*bytes, path) : FastingRules{};
}

namespace {

bool Claims(const FastingRule& r, int32_t fromPascha, int16_t date, int weekday) {
    if (r.HasDays && (fromPascha < r.DaysFrom || fromPascha > r.DaysTo))
        return false;
    if (r.HasDates) {
        const bool inside = r.DatesFrom <= r.DatesTo ? date >= r.DatesFrom && date <= r.DatesTo
                                                     : date >= r.DatesFrom || date <= r.DatesTo;
        if (!inside)
            return false;
    }
    return r.Weekdays & (1u << (weekday - 1));
}

// The rule's level for the weekday, relaxed for the day's rank; a relaxation never makes it stricter.
FastLevel LevelOf(const FastingRule& r, int weekday, Rank rank) {
    FastLevel level = r.Week[weekday - 1];
    if (rank == Rank::None)
        return level;
    for (int i = 0; i < 3; ++i)
        if (r.Relax[i] && int(rank) <= i + 1)
            level = std::max(level, *r.Relax[i]);
    return level;
}

} // namespace

bool ReadDayCondition(FastingRule& r, QStringView key, QStringView value) {
    if (key.compare(u"days", Qt::CaseInsensitive) == 0)
        return r.HasDays = ParseRange(value, ParseInt, r.DaysFrom, r.DaysTo);
    if (key.compare(u"dates", Qt::CaseInsensitive) == 0)
        return r.HasDates = ParseRange(value, ParseDate, r.DatesFrom, r.DatesTo);
    if (key.compare(u"weekdays", Qt::CaseInsensitive) != 0)
        return false;
    const auto w = ParseWeekdays(value);
    r.Weekdays = w.value_or(0);
    return w.has_value();
}

bool RuleClaims(const FastingRule& r, const FastingDay& day) {
    if (day.Weekday < 1 || day.Weekday > 7)
        return false;
    return Claims(r, day.DayNumber - day.PaschaDayNumber,
                  static_cast<int16_t>(day.JulianMonth * 100 + day.JulianDay), day.Weekday);
}

std::optional<Fasting> EvaluateFasting(const FastingRules& rules, const FastingDay& day) {
    if (rules.Empty() || day.Weekday < 1 || day.Weekday > 7)
        return std::nullopt;
    const int32_t fromPascha = day.DayNumber - day.PaschaDayNumber;
    const auto date = static_cast<int16_t>(day.JulianMonth * 100 + day.JulianDay);
    for (const FastingRule& r : rules.Rules)
        if (Claims(r, fromPascha, date, day.Weekday)) {
            const FastLevel level = LevelOf(r, day.Weekday, day.HighestRank);
            // The rule's own text names its own level, not a relaxed one.
            const bool own = !r.Text.isEmpty() && level == r.Week[day.Weekday - 1];
            return Fasting{level, own ? r.Text : rules.Phrases[int(level)]};
        }
    return Fasting{FastLevel::None, rules.Phrases[int(FastLevel::None)]};
}

Rank HighestRank(const std::vector<DayEntry>& entries) {
    Rank r = Rank::None;
    for (const DayEntry& e : entries)
        r = HigherRank(r, e.EntryRank);
    return r;
}

std::optional<Fasting> FastOfDay(const FastingRules& rules, const DayInfo& day) {
    if (rules.Empty())
        return std::nullopt;
    return EvaluateFasting(rules, {day.DayNumber, day.Julian.Month, day.Julian.Day, day.Weekday,
                                   JulianPascha(day.Julian.Year), HighestRank(day.Entries)});
}

} // namespace vorelian
