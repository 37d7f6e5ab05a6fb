#include "engine/daycompute.h"

#include "core/tables.h"

#include <algorithm>

namespace vorelian {
namespace {

// The group of each text key of a record.
constexpr std::array<int8_t, 8> kKeyGroups = {0, 1, 1, 2, 2, 3, 3, 4};

bool IsAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

DayEntry MakeEntry(int8_t group, const QString& stored, bool movable, bool red) {
    DayEntry e;
    e.Group = group;
    e.EntryRank = RankOf(stored);
    e.Movable = movable;
    e.Red = red;
    e.Stored = stored;
    e.Text = PlainText(stored);
    return e;
}

void Append(std::vector<DayEntry>& to, const std::vector<DayEntry>& from) {
    to.insert(to.end(), from.begin(), from.end());
}

void Prepend(std::vector<DayEntry>& to, const std::vector<DayEntry>& from) {
    to.insert(to.begin(), from.begin(), from.end());
}

} // namespace

bool PlacedView::Belongs(BaseKind k, int i, int32_t day) const {
    const RecordBase& base = (*Records)[k];
    const auto& cur = Cur->Days[int(k)];
    if (i <= 0 || static_cast<std::size_t>(i) >= cur.size())
        return false;
    return cur[i] == day || (base.TwoYears && Prev && Prev->Days[int(k)][i] == day);
}

Rank RankOf(QStringView stored) {
    if (stored.size() < 3 || stored[0] != u'{' || stored[2] != u'}')
        return Rank::None;
    switch (stored[1].unicode()) {
    case u'1':
        return Rank::Great;
    case u'2':
        return Rank::Vigil;
    case u'3':
        return Rank::Polyeleos;
    case u'5':
        return Rank::Doxology;
    case u'6':
        return Rank::Six;
    default:
        return Rank::None;
    }
}

QString PlainText(QStringView stored) {
    QStringView s = stored;
    if (RankOf(s) != Rank::None)
        s = s.sliced(3);
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s[i];
        if (c == u'\\') {
            qsizetype j = i + 1;
            if (j < s.size() && IsAsciiLetter(s[j])) {
                while (j < s.size() && IsAsciiLetter(s[j]))
                    ++j;
                if (j < s.size() && s[j] == u'-')
                    ++j;
                while (j < s.size() && s[j].isDigit())
                    ++j;
                if (j < s.size() && s[j] == u' ')
                    ++j; // the blank that ends a control word belongs to it
            } else if (j < s.size()) {
                if (s[j] == u'\\' || s[j] == u'{' || s[j] == u'}')
                    out += s[j];
                ++j;
            }
            i = j;
            continue;
        }
        if (c != u'{' && c != u'}')
            out += c;
        ++i;
    }
    return out.trimmed();
}

std::vector<DayEntry> RecordEntries(const BaseRecord& r, int key, bool red) {
    std::vector<DayEntry> out;
    out.reserve(r.Texts[key].size());
    for (const QString& value : r.Texts[key])
        out.push_back(MakeEntry(kKeyGroups[key], value, true, red));
    return out;
}

RecordEntryTable PrepareRecordEntries(const Bases& b) {
    RecordEntryTable table;
    for (BaseKind k : EntryBases) {
        const RecordBase& base = b[k];
        auto& records = table[int(k)];
        records.resize(base.Records.size());
        for (std::size_t i = 1; i < base.Records.size(); ++i)
            for (int key = 0; key < 8; ++key)
                records[i][key] = RecordEntries(base.Records[i], key, base.Records[i].Red);
    }
    return table;
}

std::vector<DayEntry> DayFileEntries(const ProfileSection* section, bool& red) {
    std::vector<DayEntry> out;
    if (!section)
        return out;
    bool marked = false;
    for (const ProfileEntry& e : section->Entries) {
        const QString& key = e.Key;
        if (key.compare(u"red", Qt::CaseInsensitive) == 0)
            marked = true;
        else if (key.size() == 1 && key[0] >= u'0' && key[0] <= u'4')
            out.push_back(MakeEntry(int8_t(key[0].unicode() - u'0'), e.Value, false, false));
    }
    if (!marked)
        return out;
    red = true;
    // The "Red" key names no line of its own: the feast that makes the day red is the first line of the
    // first group, where the day files keep the great feast of the day.
    const auto feast = std::find_if(out.begin(), out.end(), [](const DayEntry& e) { return e.Group == 0; });
    if (feast != out.end())
        feast->Red = true;
    return out;
}

std::vector<DayEntry> DayEntriesOf(const DayFacts& day, const std::vector<DayEntry>& fileEntries,
                                   bool fileRed, const PlacedView& placed, const RecordEntryTable* prepared,
                                   bool& red) {
    std::array<std::vector<DayEntry>, 5> lists;
    // Group 0 in the order of the service: the great feasts, a movable one before a fixed one; then the
    // other movable texts in the order of their tables; then the other lines of the day file, which the
    // data keeps in the order of their rank.
    std::vector<DayEntry> movableGreat, fixedGreat, movable, fixed;
    if (day.Weekday == 7)
        red = true;
    if (fileRed)
        red = true;
    for (const DayEntry& e : fileEntries) {
        if (e.Group == 0)
            (e.EntryRank == Rank::Great ? fixedGreat : fixed).push_back(e);
        else
            lists[e.Group].push_back(e);
    }

    placed.ForEachOn(EntryBases, day.Day, red, [&](BaseKind k, int i, const BaseRecord& r) {
        std::array<std::vector<DayEntry>, 8> made;
        if (!prepared)
            for (int key = 0; key < 8; ++key)
                made[key] = RecordEntries(r, key, r.Red);
        const auto& t = prepared ? (*prepared)[int(k)][i] : made;
        // One movable record on its day: each text of the first group goes where its own rank puts it;
        // "before" texts go in front of a later group, "after" texts behind it.
        for (const DayEntry& e : t[0])
            (e.EntryRank == Rank::Great ? movableGreat : movable).push_back(e);
        for (int g = 1; g <= 3; ++g) {
            Prepend(lists[g], t[2 * g - 1]);
            Append(lists[g], t[2 * g]);
        }
        Append(lists[4], t[7]);
    });
    for (auto* part : {&movableGreat, &fixedGreat, &movable, &fixed})
        Append(lists[0], *part);

    std::vector<DayEntry> out;
    for (auto& list : lists)
        for (DayEntry& e : list)
            out.push_back(std::move(e));
    return out;
}

QString JoinWithSpace(const QString& acc, QStringView text) {
    QString s = acc;
    if (!s.isEmpty())
        s += u' ';
    s += text;
    return s;
}

QString JoinAfterPeriod(const QString& acc, QStringView text) {
    QString s = acc;
    if (s.endsWith(u'.'))
        s.chop(1);
    s += text;
    return s;
}

QString WeekPhrase(int16_t weekday, int w, int p, int k) {
    const auto numbered = [](int n, QStringView text) {
        QString s = QString::number(n);
        s += text;
        return s;
    };
    if (weekday == 7) {
        // The Sunday that opens a week is counted one lower than the weekdays after it.
        if (w < p - 7)
            return numbered(w + k - 2, u"-я по Пятидесятнице.");
        if (w < p - 1)
            return numbered(w - p + 7, u"-я Великого поста.");
        if (w == p - 1)
            return QStringLiteral("Страстной седмицы.");
        if (w < p + 7)
            return numbered(w - p + 1, u"-я по Пасхе.");
        return numbered(w - p - 7, u"-я по Пятидесятнице.");
    }
    if (w < p - 7)
        return numbered(w + k - 1, u"-ой седмицы по Пятидесятнице.");
    if (w < p - 1)
        return numbered(w - p + 8, u"-ой седмицы Великого поста.");
    if (w == p - 1)
        return QStringLiteral("Страстной седмицы.");
    if (w == p)
        return QStringLiteral("Светлой седмицы.");
    if (w < p + 7)
        return numbered(w - p + 1, u"-ой седмицы по Пасхе.");
    return numbered(w - p - 6, u"-ой седмицы по Пятидесятнице.");
}

int16_t ToneOfDay(int32_t d, int32_t paschaDay, int32_t prevPaschaDay) {
    const int32_t b = d - paschaDay;
    // Palm Sunday to Bright Saturday, and the week of Pentecost, have no tone.
    if ((b >= -7 && b <= 6) || (b >= 49 && b <= 55))
        return 0;
    const int32_t x = b < 0 ? d - prevPaschaDay - 7 : b - 7;
    int32_t tone = (x / 7 + 1) % 8;
    if (tone == 0)
        tone = 8;
    return static_cast<int16_t>(tone);
}

WeekdayLineParts WeekdayLineOf(const DayFacts& day, const PlacedView& placed) {
    WeekdayLineParts out;
    QString special, continuation, specialPlain, continuationPlain;
    bool continued = false;
    placed.ForEachOn(TitleBases, day.Day, out.Red, [&](BaseKind, int, const BaseRecord& r) {
        const QString& text = RecordTitle(r);
        // A title that begins with a comma continues the weekday name instead of replacing it.
        if (text.startsWith(u',')) {
            continuation = JoinAfterPeriod(continuation, text);
            continuationPlain = JoinAfterPeriod(continuationPlain, PlainText(text));
            continued = true;
        } else {
            special = JoinWithSpace(special, text);
            specialPlain = JoinWithSpace(specialPlain, PlainText(text));
        }
    });

    QString& line = out.Stored;
    QString& plain = out.Plain;
    if (!special.isEmpty()) {
        line += BlankMark;
        line += special;
        plain = specialPlain;
    }
    if (special.isEmpty() || continued) {
        QString name = WeekdayNames[7 + day.Weekday];
        name += u' ';
        name += WeekPhrase(day.Weekday, day.WeekNo, day.Pascha.PaschaWeek, day.Pascha.PrevPentecostWeeks);
        line += BlankMark;
        line += name;
        plain = JoinWithSpace(plain, name);
    }
    if (continued) {
        line = JoinAfterPeriod(line, continuation);
        plain = JoinAfterPeriod(plain, continuationPlain);
    }

    out.Tone = ToneOfDay(day.Day, day.Pascha.PaschaDay, day.Pascha.PrevPaschaDay);
    if (out.Tone != 0) {
        const QString tone = QStringLiteral(" Глас %1-й.").arg(out.Tone);
        line += tone;
        plain += tone;
    }
    return out;
}

} // namespace vorelian
