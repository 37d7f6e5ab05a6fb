#include "report/export.h"

#include "engine/dayengine.h"
#include "engine/readings.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include <algorithm>
#include <tuple>
#include <utility>

namespace vorelian {
namespace {

QString IsoDate(const DateParts& d) {
    return QStringLiteral("%1-%2-%3")
        .arg(d.Year, 4, 10, QLatin1Char('0'))
        .arg(d.Month, 2, 10, QLatin1Char('0'))
        .arg(d.Day, 2, 10, QLatin1Char('0'));
}

QJsonObject AnnoMundiJson(const DateParts& d) {
    return QJsonObject{
        {QStringLiteral("year"), d.Year}, {QStringLiteral("month"), d.Month}, {QStringLiteral("day"), d.Day}};
}

QJsonValue NameOrNull(const QString& name) {
    return name.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(name);
}

QJsonObject EntryJson(const DayEntry& e) {
    return QJsonObject{{QStringLiteral("group"), e.Group},
                       {QStringLiteral("rank"), NameOrNull(RankName(e.EntryRank))},
                       {QStringLiteral("text"), e.Text},
                       {QStringLiteral("movable"), e.Movable}};
}

QJsonValue FastingJson(const std::optional<Fasting>& fast) {
    if (!fast)
        return QJsonValue(QJsonValue::Null);
    return QJsonObject{{QStringLiteral("level"), FastLevelName(fast->Level)},
                       {QStringLiteral("text"), fast->Text}};
}

// The readings in the order the day prints them, each with the line it is printed on; null without them.
QJsonValue ReadingsJson(const DayInfo& day) {
    if (!day.Readings)
        return QJsonValue(QJsonValue::Null);
    QJsonArray list;
    for (const ReadingLine& line : ReadingLines(*day.Readings))
        for (int i = line.First; i < line.First + line.Count; ++i) {
            const Reading& r = (*day.Readings)[i];
            list.append(QJsonObject{
                {QStringLiteral("label"), r.Label},
                {QStringLiteral("kind"),
                 r.Kind == ReadingKind::Apostle ? QStringLiteral("apostle") : QStringLiteral("gospel")},
                {QStringLiteral("book"), r.Book},
                {QStringLiteral("verses"), r.Verses},
                {QStringLiteral("zachalo"), r.Zachalo},
                {QStringLiteral("text"), line.Text},
            });
        }
    return list;
}

QJsonValue BoolOrNull(const std::optional<bool>& b) {
    return b ? QJsonValue(*b) : QJsonValue(QJsonValue::Null);
}

} // namespace

QString RankName(Rank rank) {
    switch (rank) {
    case Rank::Great:
        return QStringLiteral("great");
    case Rank::Vigil:
        return QStringLiteral("vigil");
    case Rank::Polyeleos:
        return QStringLiteral("polyeleos");
    case Rank::Doxology:
        return QStringLiteral("doxology");
    case Rank::Six:
        return QStringLiteral("six");
    case Rank::None:
        break;
    }
    return QString();
}

QJsonObject DayJson(const DayInfo& day) {
    QJsonArray entries;
    for (const DayEntry& e : day.Entries)
        entries.append(EntryJson(e));
    return QJsonObject{
        {QStringLiteral("gregorian"), IsoDate(day.Gregorian)},
        {QStringLiteral("julian"), IsoDate(day.Julian)},
        {QStringLiteral("annoMundi"), AnnoMundiJson(day.AnnoMundi)},
        {QStringLiteral("indiction"), QJsonObject{{QStringLiteral("year"), day.IndictionYear},
                                                  {QStringLiteral("cycle"), day.IndictionCycle}}},
        {QStringLiteral("weekday"), day.Weekday},
        {QStringLiteral("weekdayLine"), day.WeekdayLine},
        {QStringLiteral("tone"), day.Tone > 0 ? QJsonValue(day.Tone) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("red"), day.Red},
        {QStringLiteral("entries"), entries},
        {QStringLiteral("fasting"), FastingJson(day.Fast)},
        {QStringLiteral("readings"), ReadingsJson(day)},
        {QStringLiteral("liturgy"),
         day.Liturgy ? QJsonValue(LiturgyName(day.Liturgy->Kind)) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("royalHours"),
         BoolOrNull(day.Liturgy ? std::optional<bool>(day.Liturgy->RoyalHours) : std::nullopt)},
        {QStringLiteral("noWeddings"), BoolOrNull(day.NoWeddings)},
    };
}

QJsonObject DaysJson(const std::vector<DayInfo>& days) {
    QJsonArray list;
    for (const DayInfo& d : days)
        list.append(DayJson(d));
    return QJsonObject{{QStringLiteral("days"), list}};
}

QJsonObject FeastsJson(const std::vector<FeastRow>& feasts) {
    QJsonArray list;
    for (const FeastRow& f : feasts)
        list.append(QJsonObject{{QStringLiteral("gregorian"), IsoDate(f.Gregorian)},
                                {QStringLiteral("julian"), IsoDate(f.Julian)},
                                {QStringLiteral("annoMundi"), AnnoMundiJson(f.AnnoMundi)},
                                {QStringLiteral("text"), f.Text},
                                {QStringLiteral("movable"), f.Movable},
                                {QStringLiteral("red"), f.Red}});
    return QJsonObject{{QStringLiteral("feasts"), list}};
}

QJsonObject SearchJson(const QString& text, bool wholeWord, int year,
                       const std::vector<SearchMatch>& matches) {
    QJsonArray list;
    for (const SearchMatch& m : matches)
        list.append(QJsonObject{{QStringLiteral("gregorian"), IsoDate(m.Gregorian)},
                                {QStringLiteral("julian"), IsoDate(m.Julian)},
                                {QStringLiteral("annoMundi"), AnnoMundiJson(m.AnnoMundi)},
                                {QStringLiteral("text"), m.Text}});
    return QJsonObject{{QStringLiteral("text"), text},
                       {QStringLiteral("wholeWord"), wholeWord},
                       {QStringLiteral("year"), year},
                       {QStringLiteral("matches"), list}};
}

QByteArray JsonBytes(const QJsonObject& document) {
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

// ---- iCalendar ----

namespace {

// The time every event says it was made: the release day of this version, never the clock, so that one
// range always gives the same bytes and a calendar program sees a change only with a new version.
constexpr QStringView ReleaseStamp = u"" VORELIAN_RELEASE_DAY "T000000Z";

QString VersionText() {
    return QStringLiteral("%1.%2.%3")
        .arg(VORELIAN_VERSION_MAJOR)
        .arg(VORELIAN_VERSION_MINOR)
        .arg(VORELIAN_VERSION_PATCH);
}

QString CalendarName(IcalScope scope) {
    switch (scope) {
    case IcalScope::Great:
        return QStringLiteral("Церковный календарь: великие праздники");
    case IcalScope::Red:
        return QStringLiteral("Церковный календарь: красные дни");
    case IcalScope::All:
        break;
    }
    return QStringLiteral("Церковный календарь");
}

// The category of a rank as the event shows it.
QString RankCategory(Rank rank) {
    switch (rank) {
    case Rank::Great:
        return QStringLiteral("Великий праздник");
    case Rank::Vigil:
        return QStringLiteral("Бдение");
    case Rank::Polyeleos:
        return QStringLiteral("Полиелей");
    case Rank::Doxology:
        return QStringLiteral("Славословие");
    case Rank::Six:
        return QStringLiteral("Шестеричная служба");
    case Rank::None:
        break;
    }
    return QString();
}

// Ranks by weight: great first, an entry without a rank last.
int RankWeight(Rank rank) {
    return rank == Rank::None ? 100 : int(rank);
}

// The line that names the day: its first entry of the highest rank (the day report puts it first), or the
// weekday line on a day without entries.
QString SummaryOf(const DayInfo& day) {
    const auto best =
        std::min_element(day.Entries.begin(), day.Entries.end(), [](const auto& a, const auto& b) {
            return RankWeight(a.EntryRank) < RankWeight(b.EntryRank);
        });
    return best == day.Entries.end() ? day.WeekdayLine : best->Text;
}

QString DescriptionOf(const DayInfo& day, const DayOptions& options) {
    QStringList lines;
    if (!day.WeekdayLine.isEmpty())
        lines << day.WeekdayLine;
    bool readings = false;
    for (const DayEntry& e : day.Entries) {
        if (e.Group == 4 && !std::exchange(readings, true))
            lines << ReadingsGroup(day);
        lines << e.Text;
    }
    if (!readings)
        lines << ReadingsGroup(day);
    if (const QString fast = FastingLine(day, options); !fast.isEmpty())
        lines << fast;
    return lines.join(u'\n');
}

// The ranks of the day, highest first, each once, escaped and joined by commas.
QString CategoriesOf(const DayInfo& day) {
    std::vector<Rank> ranks;
    for (const DayEntry& e : day.Entries)
        if (e.EntryRank != Rank::None && std::find(ranks.begin(), ranks.end(), e.EntryRank) == ranks.end())
            ranks.push_back(e.EntryRank);
    std::sort(ranks.begin(), ranks.end(), [](Rank a, Rank b) { return RankWeight(a) < RankWeight(b); });
    QStringList names;
    for (Rank r : ranks)
        names << IcalText(RankCategory(r));
    return names.join(u',');
}

QString BasicDate(const QDate& d) {
    return QStringLiteral("%1%2%3")
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

} // namespace

bool IcalRangeFits(const DateParts& first, const DateParts& last) {
    const auto key = [](int year, const DateParts& d) { return std::tuple(year, d.Month, d.Day); };
    return key(first.Year, first) <= key(last.Year, last) &&
           key(last.Year, last) < key(first.Year + MaxIcalYears, first);
}

std::optional<IcalScope> IcalScopeNamed(QStringView name) {
    for (IcalScope s : {IcalScope::Great, IcalScope::Red, IcalScope::All})
        if (name == IcalScopeName(s))
            return s;
    return std::nullopt;
}

QString IcalScopeName(IcalScope scope) {
    switch (scope) {
    case IcalScope::Great:
        return QStringLiteral("great");
    case IcalScope::Red:
        return QStringLiteral("red");
    case IcalScope::All:
        break;
    }
    return QStringLiteral("all");
}

bool InIcalScope(const DayInfo& day, IcalScope scope) {
    switch (scope) {
    case IcalScope::Great:
        return std::any_of(day.Entries.begin(), day.Entries.end(),
                           [](const DayEntry& e) { return e.EntryRank == Rank::Great; });
    case IcalScope::Red:
        return day.Red;
    case IcalScope::All:
        break;
    }
    return !day.Entries.empty() || !day.WeekdayLine.isEmpty();
}

QString IcalText(QStringView text) {
    QString s;
    s.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'\\':
            s += u"\\\\";
            break;
        case u';':
            s += u"\\;";
            break;
        case u',':
            s += u"\\,";
            break;
        case u'\n':
            s += u"\\n";
            break;
        case u'\r':
            if (i + 1 >= text.size() || text[i + 1] != u'\n')
                s += u"\\n"; // a lone CR ends a line too; CR LF is one line end
            break;
        case u'\t':
            s += c;
            break;
        default:
            if (c.unicode() >= 0x20 && c.unicode() != 0x7f)
                s += c; // other control characters may not stand in a content line
            break;
        }
    }
    return s;
}

QByteArray IcalLine(QStringView line) {
    constexpr qsizetype limit = 75; // octets a line, without its CRLF
    const QByteArray utf8 = line.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + utf8.size() / 36 + 2);
    qsizetype pos = 0;
    bool first = true;
    while (true) {
        const qsizetype room = first ? limit : limit - 1; // a folded line starts with one blank
        qsizetype end = pos + room;
        if (end >= utf8.size()) {
            if (!first)
                out += ' ';
            out += QByteArrayView(utf8).sliced(pos);
            out += "\r\n";
            return out;
        }
        while (end > pos && (uchar(utf8[end]) & 0xC0) == 0x80)
            --end; // never between the bytes of one character
        if (!first)
            out += ' ';
        out += QByteArrayView(utf8).sliced(pos, end - pos);
        out += "\r\n";
        pos = end;
        first = false;
    }
}

QByteArray IcalEvent(const DayInfo& day, IcalScope scope, const DayOptions& options) {
    const QDate start(day.Gregorian.Year, day.Gregorian.Month, day.Gregorian.Day);
    const QString date = BasicDate(start);
    QByteArray out;
    out += "BEGIN:VEVENT\r\n";
    out += IcalLine(QStringLiteral("UID:%1-%2@vorelian").arg(date, IcalScopeName(scope)));
    out += IcalLine(QStringLiteral("DTSTAMP:") + ReleaseStamp.toString());
    out += IcalLine(QStringLiteral("DTSTART;VALUE=DATE:") + date);
    out += IcalLine(QStringLiteral("DTEND;VALUE=DATE:") + BasicDate(start.addDays(1)));
    out += IcalLine(QStringLiteral("SUMMARY:") + IcalText(SummaryOf(day)));
    out += IcalLine(QStringLiteral("DESCRIPTION:") + IcalText(DescriptionOf(day, options)));
    const QString categories = CategoriesOf(day);
    if (!categories.isEmpty())
        out += IcalLine(QStringLiteral("CATEGORIES:") + categories);
    out += "TRANSP:TRANSPARENT\r\n"; // a feast day does not make anyone busy
    out += "END:VEVENT\r\n";
    return out;
}

IcalWriter::IcalWriter(IcalScope scope, const DayOptions& options) : scope_(scope), options_(options) {
    bytes_ += "BEGIN:VCALENDAR\r\n";
    bytes_ += "VERSION:2.0\r\n";
    bytes_ += IcalLine(QStringLiteral("PRODID:-//Vorelian//Vorelian %1//RU").arg(VersionText()));
    bytes_ += "CALSCALE:GREGORIAN\r\n";
    bytes_ += "METHOD:PUBLISH\r\n";
    bytes_ += IcalLine(QStringLiteral("X-WR-CALNAME:") + IcalText(CalendarName(scope)));
}

void IcalWriter::Add(const DayInfo& day) {
    if (!InIcalScope(day, scope_))
        return;
    bytes_ += IcalEvent(day, scope_, options_);
    ++events_;
}

QByteArray IcalWriter::Finish() {
    bytes_ += "END:VCALENDAR\r\n";
    return std::move(bytes_);
}

} // namespace vorelian
