#include "answers.h"

#include "dayhtml.h"
#include "pagehtml.h"

#include "bases/datafiles.h"
#include "bases/profile.h"
#include "core/calendar.h"
#include "core/dates.h"
#include "core/recalc.h"
#include "core/settings.h"
#include "engine/yearfeasts.h"
#include "report/export.h"
#include "report/exportdays.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>

namespace vorelian::server {
namespace {

const QByteArray kJson = QByteArrayLiteral("application/json; charset=utf-8");
const QByteArray kHtml = QByteArrayLiteral("text/html; charset=utf-8");
const QByteArray kText = QByteArrayLiteral("text/plain; charset=utf-8");
const QByteArray kCalendar = QByteArrayLiteral("text/calendar; charset=utf-8");
const QByteArray kDatedCache = QByteArrayLiteral("public, max-age=86400");
const QByteArray kCss = QByteArrayLiteral("text/css; charset=utf-8");
const QByteArray kIcon = QByteArrayLiteral("image/x-icon");
// The pages load only their own stylesheet and icon, send their form only here, and are never framed…
const QByteArray kPageSecurity = QByteArrayLiteral(
    "default-src 'none'; style-src 'self'; img-src 'self'; form-action 'self'; frame-ancestors 'none'");
// … but the widget, which any site may frame.
const QByteArray kWidgetSecurity =
    QByteArrayLiteral("default-src 'none'; style-src 'self'; img-src 'self'; frame-ancestors *");

// A part of the address that cannot be answered: the status and the message of the JSON error.
struct Refusal {
    int Status = 400;
    QString Message;
};

using Params = std::map<QByteArray, QString>;

Answer Error(int status, const QString& message) {
    Answer a;
    a.Status = status;
    a.ContentType = kJson;
    a.Body =
        QJsonDocument(QJsonObject{{QStringLiteral("error"), message}}).toJson(QJsonDocument::Compact) + '\n';
    a.Headers.push_back({QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store")});
    return a;
}

Answer Error(const Refusal& r) {
    return Error(r.Status, r.Message);
}

// name=value pairs, '+' as a blank, percent escapes decoded as UTF-8. A name given twice is refused.
std::optional<Params> ParseQuery(const QByteArray& query, Refusal& refusal) {
    Params params;
    for (const QByteArray& pair : query.split('&')) {
        if (pair.isEmpty())
            continue;
        const qsizetype eq = pair.indexOf('=');
        const auto decode = [](QByteArray part) {
            return QString::fromUtf8(QByteArray::fromPercentEncoding(part.replace('+', ' ')));
        };
        const QByteArray name = QByteArray::fromPercentEncoding(eq < 0 ? pair : pair.left(eq));
        if (!params.emplace(name, eq < 0 ? QString() : decode(pair.mid(eq + 1))).second) {
            refusal.Message = QStringLiteral("the parameter %1 is given twice").arg(QString::fromUtf8(name));
            return std::nullopt;
        }
    }
    return params;
}

// Digits only, exactly `width` of them.
std::optional<int> FixedNumber(QStringView text, qsizetype width) {
    if (text.size() != width)
        return std::nullopt;
    int n = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

// "YYYY", "YYYY-MM" or "YYYY-MM-DD" by the number of parts asked for.
std::optional<std::array<int, 3>> ParseDateText(QStringView text, int parts) {
    static constexpr qsizetype widths[3] = {4, 2, 2};
    std::array<int, 3> out{0, 1, 1};
    const auto pieces = text.split(u'-');
    if (pieces.size() != parts)
        return std::nullopt;
    for (int i = 0; i < parts; ++i) {
        const auto n = FixedNumber(pieces[i], widths[i]);
        if (!n)
            return std::nullopt;
        out[i] = *n;
    }
    return out;
}

std::optional<int16_t> StyleOf(const Params& params, Refusal& refusal) {
    const auto it = params.find("style");
    if (it == params.end())
        return int16_t(3);
    if (it->second == u"1" || it->second == u"2" || it->second == u"3")
        return int16_t(it->second.toShort());
    refusal.Message = QStringLiteral("style must be 1, 2 or 3");
    return std::nullopt;
}

QString OutOfRange() {
    return QStringLiteral("the date is outside the years the service answers for (%1-%2, %3-%4 Anno Mundi)")
        .arg(kDefaultMinYear)
        .arg(kDefaultMaxYear)
        .arg(kDefaultMinYear + AnnoMundiOffset)
        .arg(kDefaultMaxYear + AnnoMundiOffset);
}

bool Served(const ServiceData& data, int16_t style, int32_t first, int32_t last) {
    return first >= data.FirstDay[style] && last <= data.LastDay[style] && first <= last;
}

// A date of a style, checked against the calendar and the served range.
struct Dated {
    int32_t Number = 0;
    DateParts Date;
};

std::optional<Dated> DayOf(const ServiceData& data, int16_t style, QStringView text, Refusal& refusal) {
    const auto d = ParseDateText(text, 3);
    if (!d) {
        refusal.Message = QStringLiteral("the date must be YYYY-MM-DD");
        return std::nullopt;
    }
    const DateParts date{int16_t((*d)[0]), int16_t((*d)[1]), int16_t((*d)[2])};
    const auto n = data.Engine->DayNumberOf(style, date.Year, date.Month, date.Day);
    if (!n) {
        refusal.Message = QStringLiteral("there is no such day in style %1").arg(style);
        return std::nullopt;
    }
    if (!Served(data, style, *n, *n)) {
        refusal.Message = OutOfRange();
        return std::nullopt;
    }
    return Dated{*n, date};
}

// The days of a month (month > 0) or of a whole year (month == 0) of a style.
std::optional<std::pair<int32_t, int32_t>> PeriodOf(const ServiceData& data, int16_t style, int year,
                                                    int month, Refusal& refusal) {
    const int nextYear = month == 0 || month == 12 ? year + 1 : year;
    const int nextMonth = month == 0 || month == 12 ? 1 : month + 1;
    const auto first = data.Engine->DayNumberOf(style, int16_t(year), int16_t(month == 0 ? 1 : month), 1);
    const auto next = data.Engine->DayNumberOf(style, int16_t(nextYear), int16_t(nextMonth), 1);
    if (!first || !next) {
        refusal.Message = month == 0 ? QStringLiteral("there is no such year in style %1").arg(style)
                                     : QStringLiteral("there is no such month in style %1").arg(style);
        return std::nullopt;
    }
    if (!Served(data, style, *first, *next - 1)) {
        refusal.Message = OutOfRange();
        return std::nullopt;
    }
    return std::pair{*first, *next - 1};
}

std::optional<int> YearOf(QStringView text, Refusal& refusal) {
    const auto d = ParseDateText(text, 1);
    if (!d)
        refusal.Message = QStringLiteral("the year must be YYYY");
    return d ? std::optional<int>((*d)[0]) : std::nullopt;
}

// The readings option of a request, readings=0|1; on when it is not given (Route refuses other values).
bool ReadingsOn(const Params& p) {
    const auto it = p.find("readings");
    return it == p.end() || it->second != u"0";
}

QByteArray ETagOf(const ServiceData& data, const QByteArray& key) {
    QCryptographicHash h(QCryptographicHash::Sha1);
    h.addData(data.DataHash);
    h.addData("\n");
    // The program's version: a new version may show the same data otherwise (the readings, for one).
    h.addData(QByteArray::number(VORELIAN_VERSION_MAJOR) + '.' + QByteArray::number(VORELIAN_VERSION_MINOR) +
              '.' + QByteArray::number(VORELIAN_VERSION_PATCH) + '\n');
    h.addData(key);
    return '"' + h.result().toHex().left(24) + '"';
}

bool Matches(const QByteArray& ifNoneMatch, const QByteArray& etag) {
    for (QByteArray tag : ifNoneMatch.split(',')) {
        tag = tag.trimmed();
        if (tag.startsWith("W/"))
            tag = tag.mid(2);
        if (tag == etag || tag == "*")
            return true;
    }
    return false;
}

using Build = std::function<QByteArray()>;

// A document that depends only on the data set and on `key`: an ETag, a cache time, and 304 when the
// client holds it already. The tag is known before the document, so a 304 and a HEAD never build it.
Answer Cached(const ServiceData& data, const Request& request, const QByteArray& key, const QByteArray& type,
              const Build& build, const QByteArray& cacheControl = kDatedCache) {
    Answer a;
    const QByteArray etag = ETagOf(data, key);
    a.Headers.push_back({QByteArrayLiteral("ETag"), etag});
    a.Headers.push_back({QByteArrayLiteral("Cache-Control"), cacheControl});
    if (!request.IfNoneMatch.isEmpty() && Matches(request.IfNoneMatch, etag)) {
        a.Status = 304;
        return a;
    }
    a.ContentType = type;
    if (request.Method == "HEAD")
        a.Unbuilt = true;
    else
        a.Body = build();
    return a;
}

// The headers of an HTML page: only the widget may be shown in another site's frame.
Answer Framed(Answer a, bool widget = false) {
    a.Headers.push_back(
        {QByteArrayLiteral("Content-Security-Policy"), widget ? kWidgetSecurity : kPageSecurity});
    if (!widget)
        a.Headers.push_back({QByteArrayLiteral("X-Frame-Options"), QByteArrayLiteral("DENY")});
    return a;
}

// The options of a request's days: the service holds no user settings, so the defaults with the style
// the request names.
DayOptions RequestOptions(int16_t style, const Params& p) {
    Settings choices;
    choices.ShowReadings = ReadingsOn(p);
    return DayOptionsOf(choices, style);
}

// The host a visitor reached, when it is a plain host name or address with a port; "" otherwise.
QString HostOf(const QByteArray& header) {
    if (header.isEmpty() || header.size() > 255)
        return QString();
    for (const char c : header)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':' || c == '[' ||
              c == ']'))
            return QString();
    return QString::fromLatin1(header);
}

Site SiteOf(const ServiceData& data, const Request& r, const Params& p, int16_t style) {
    return Site{style, !ReadingsOn(p), HostOf(r.Host), data.FirstDay[style], data.LastDay[style]};
}

QByteArray StyleKey(int16_t style, const Params& p) {
    return "?style=" + QByteArray::number(style) + (ReadingsOn(p) ? "&readings=1" : "&readings=0");
}

// The key of a page: what it shows, its style and readings, and the host its webcal link names.
QByteArray PageKey(const QByteArray& what, int16_t style, const Params& p, const Request& r) {
    return what + StyleKey(style, p) + "&host=" + HostOf(r.Host).toLatin1();
}

// The page of day n; the page of today keeps the key of its dated page, so its tag changes at midnight.
Answer Page(const ServiceData& data, const Request& request, const Params& p, int16_t style, int32_t n,
            const QByteArray& cacheControl) {
    const QByteArray key = PageKey("/day/" + QByteArray::number(n), style, p, request);
    return Framed(Cached(
        data, request, key, kHtml,
        [&] {
            const DayOptions options = RequestOptions(style, p);
            return DayPage(data.Engine->Day(n, options), options, SiteOf(data, request, p, style));
        },
        cacheControl));
}

std::optional<int32_t> TodayNumber(const ServiceData& data, const QDate& today) {
    const auto n =
        data.Engine->DayNumberOf(3, int16_t(today.year()), int16_t(today.month()), int16_t(today.day()));
    if (!n || !Served(data, 3, *n, *n))
        return std::nullopt;
    return n;
}

// The document the tool prints for report `tab` about `date` of the style.
QByteArray ToolJson(const ServiceData& data, const Params& p, int tab, int16_t style, const DateParts& date,
                    const QString& text = QString(), bool wholeWord = false) {
    return JsonBytes(ReportJson(*data.Engine, tab, date, RequestOptions(style, p), text, wholeWord));
}

// The answers of the JSON interface, each from the rest of the path after its prefix.
Answer DayApi(const ServiceData& data, const Request& r, const Params& p, QStringView rest) {
    Refusal no;
    const auto style = StyleOf(p, no);
    const auto day = style ? DayOf(data, *style, rest, no) : std::nullopt;
    if (!day)
        return Error(no);
    // The day number found above is the day: asked of the engine once, written as the tool writes a day.
    return Cached(data, r, r.Path + StyleKey(*style, p), kJson, [&] {
        return JsonBytes(DaysJson({data.Engine->Day(day->Number, RequestOptions(*style, p))}));
    });
}

// A month named by the address in the style of the request, checked against the served range.
struct StyledMonth {
    int16_t Style = 3;
    int Year = 0, Month = 0;
};

std::optional<StyledMonth> MonthOf(const ServiceData& data, const Params& p, QStringView text,
                                   Refusal& refusal) {
    const auto style = StyleOf(p, refusal);
    if (!style)
        return std::nullopt;
    const auto ym = ParseDateText(text, 2);
    // Month 0 is no month (a period of month 0 is a whole year).
    if (!ym || (*ym)[1] == 0) {
        refusal.Message = QStringLiteral("the month must be YYYY-MM");
        return std::nullopt;
    }
    if (!PeriodOf(data, *style, (*ym)[0], (*ym)[1], refusal))
        return std::nullopt;
    return StyledMonth{*style, (*ym)[0], (*ym)[1]};
}

Answer MonthApi(const ServiceData& data, const Request& r, const Params& p, QStringView rest) {
    Refusal no;
    const auto m = MonthOf(data, p, rest, no);
    if (!m)
        return Error(no);
    const DateParts first{int16_t(m->Year), int16_t(m->Month), 1};
    return Cached(data, r, r.Path + StyleKey(m->Style, p), kJson,
                  [&] { return ToolJson(data, p, 2, m->Style, first); });
}

// The year of days (tab 3) or its main feasts (tab 4).
Answer YearApi(const ServiceData& data, const Request& r, const Params& p, QStringView rest, int tab) {
    Refusal no;
    const auto style = StyleOf(p, no);
    const auto year = style ? YearOf(rest, no) : std::nullopt;
    if (!year || !PeriodOf(data, *style, *year, 0, no))
        return Error(no);
    return Cached(data, r, r.Path + StyleKey(*style, p), kJson, [&] {
        return ToolJson(data, p, tab, *style, DateParts{int16_t(*year), 1, 1});
    });
}

Answer SearchApi(const ServiceData& data, const Request& r, const Params& p) {
    Refusal no;
    const auto style = StyleOf(p, no);
    if (!style)
        return Error(no);
    const auto yearText = p.find("year");
    if (yearText == p.end())
        return Error(400, QStringLiteral("year is missing"));
    const auto year = YearOf(yearText->second, no);
    if (!year || !PeriodOf(data, *style, *year, 0, no))
        return Error(no);
    const auto text = p.find("text");
    if (const auto name = p.find("name"); name != p.end()) {
        if (text != p.end() || p.find("wholeWord") != p.end())
            return Error(400, QStringLiteral("name goes without text and wholeWord"));
        if (name->second.trimmed().isEmpty())
            return Error(400, QStringLiteral("name is missing"));
        if (name->second.size() > MaxSearchText)
            return Error(400, QStringLiteral("name is longer than %1 characters").arg(MaxSearchText));
        const DayOptions options = RequestOptions(*style, p);
        const QByteArray key = r.Path + StyleKey(*style, p) + "&year=" + QByteArray::number(*year) +
                               "&name=" + name->second.toUtf8().toPercentEncoding();
        return Cached(data, r, key, kJson, [&] {
            return JsonBytes(NameSearchJson(*data.Engine, int16_t(*year), options, name->second));
        });
    }
    if (text == p.end() || text->second.trimmed().isEmpty())
        return Error(400, QStringLiteral("text is missing"));
    if (text->second.size() > MaxSearchText)
        return Error(400, QStringLiteral("text is longer than %1 characters").arg(MaxSearchText));
    bool wholeWord = false;
    if (const auto w = p.find("wholeWord"); w != p.end()) {
        if (w->second != u"0" && w->second != u"1")
            return Error(400, QStringLiteral("wholeWord must be 0 or 1"));
        wholeWord = w->second == u"1";
    }
    const QByteArray key = r.Path + StyleKey(*style, p) + "&year=" + QByteArray::number(*year) +
                           "&wholeWord=" + (wholeWord ? "1" : "0") +
                           "&text=" + text->second.toUtf8().toPercentEncoding();
    return Cached(data, r, key, kJson, [&] {
        return ToolJson(data, p, 5, *style, DateParts{int16_t(*year), 1, 1}, text->second, wholeWord);
    });
}

// /calendar.ics?from=&to=&scope=&style=: both ends in the style; without them this Gregorian year and
// the next.
Answer Feed(const ServiceData& data, const Request& r, const Params& p, const QDate& today) {
    Refusal no;
    const auto style = StyleOf(p, no);
    if (!style)
        return Error(no);
    const bool dated = p.count("from") || p.count("to");
    Dated from, to;
    if (dated) {
        if (!p.count("from") || !p.count("to"))
            return Error(400, QStringLiteral("from and to go together"));
        const auto f = DayOf(data, *style, p.at("from"), no);
        const auto t = f ? DayOf(data, *style, p.at("to"), no) : std::nullopt;
        if (!t)
            return Error(no);
        from = *f;
        to = *t;
    } else {
        const auto f = TodayNumber(data, QDate(today.year(), 1, 1));
        const auto t = TodayNumber(data, QDate(today.year() + 1, 12, 31));
        if (!f || !t)
            return Error(400, OutOfRange());
        from.Number = *f;
        to.Number = *t;
    }
    if (from.Number > to.Number)
        return Error(400, QStringLiteral("from is after to"));
    const auto key3 = [](const DateParts& d, int years) {
        return std::tuple(d.Year + years, d.Month, d.Day);
    };
    if (dated && key3(to.Date, 0) >= key3(from.Date, MaxFeedYears))
        return Error(400, QStringLiteral("the range is longer than %1 years").arg(MaxFeedYears));
    IcalScope scope = IcalScope::All;
    if (const auto s = p.find("scope"); s != p.end()) {
        const auto named = IcalScopeNamed(s->second);
        if (!named)
            return Error(400, QStringLiteral("scope must be great, red or all"));
        scope = *named;
    }
    const DayOptions options = RequestOptions(*style, p);
    const QByteArray key = r.Path + StyleKey(*style, p) + "&from=" + QByteArray::number(from.Number) +
                           "&to=" + QByteArray::number(to.Number) +
                           "&scope=" + IcalScopeName(scope).toLatin1();
    // Without dates the feed moves with the year, so a client asks again within the hour.
    return Cached(
        data, r, key, kCalendar,
        [&] {
            return IcalCalendar(*data.Engine, {from.Number, to.Number}, scope, options)
                .value_or(QByteArray());
        },
        dated ? kDatedCache : QByteArrayLiteral("public, max-age=3600"));
}

// The commemoration a month's cell shows: the first of the highest rank, the notes of group 4 aside.
QString ChiefOf(const DayInfo& d) {
    const auto order = [](const DayEntry& e) { return e.EntryRank == Rank::None ? 99 : int(e.EntryRank); };
    const DayEntry* chief = nullptr;
    for (const DayEntry& e : d.Entries)
        if (e.Group != 4 && (!chief || order(e) < order(*chief)))
            chief = &e;
    return chief ? chief->Text : QString();
}

// /month/YYYY-MM?style=: the grid of a month of the style.
Answer MonthAnswer(const ServiceData& data, const Request& r, const Params& p, QStringView rest) {
    Refusal no;
    const auto m = MonthOf(data, p, rest, no);
    if (!m)
        return Error(no);
    const int16_t style = m->Style;
    const int year = m->Year, month = m->Month;
    const QByteArray what = "/month/" + QByteArray::number(year * 100 + month);
    return Framed(Cached(data, r, PageKey(what, style, p, r), kHtml, [&] {
        // The cells show no readings: the day pages do.
        Settings choices;
        choices.ShowReadings = false;
        const DayOptions options = DayOptionsOf(choices, style);
        std::vector<MonthCell> cells;
        for (const DayMark& mark : data.Engine->Month(int16_t(year), int16_t(month), options)) {
            const DayInfo d = data.Engine->Day(mark.DayNumber, options);
            cells.push_back({mark.DayNumber, d.Weekday, mark.Red, mark.Fast, ChiefOf(d)});
        }
        return MonthPage(SiteOf(data, r, p, style), year, month, cells);
    }));
}

// /year/YYYY?style=: the great feasts and the fasts of a year of the style.
Answer YearAnswer(const ServiceData& data, const Request& r, const Params& p, QStringView rest) {
    Refusal no;
    const auto style = StyleOf(p, no);
    const auto year = style ? YearOf(rest, no) : std::nullopt;
    const auto days = year ? PeriodOf(data, *style, *year, 0, no) : std::nullopt;
    if (!days)
        return Error(no);
    return Framed(Cached(data, r, PageKey("/year/" + QByteArray::number(*year), *style, p, r), kHtml, [&] {
        const DayOptions options = RequestOptions(*style, p);
        return YearPage(SiteOf(data, r, p, *style), *year, data.Engine->Feasts(int16_t(*year), options),
                        YearFasts(*data.Engine, days->first, days->second));
    }));
}

// /day?date=YYYY-MM-DD&style=: the date field's form, sent on to the day's own address in the style.
Answer DateFormAnswer(const ServiceData& data, const Request& r, const Params& p) {
    Refusal no;
    const auto style = StyleOf(p, no);
    const auto date = p.find("date");
    const auto day = style && date != p.end() ? DayOf(data, 3, date->second, no) : std::nullopt;
    if (!day || !Served(data, *style, day->Number, day->Number))
        return Error(400, QStringLiteral("no such day"));
    Answer a;
    a.Status = 303;
    QString to = DayAddress(SiteOf(data, r, p, *style), day->Number);
    a.Headers.push_back(
        {QByteArrayLiteral("Location"), to.replace(QStringLiteral("&amp;"), QStringLiteral("&")).toLatin1()});
    a.Headers.push_back({QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store")});
    return a;
}

// /embed/today: today's day for a frame on a parish site.
Answer WidgetAnswer(const ServiceData& data, const Request& r, const Params& p, const QDate& today) {
    Refusal no;
    const auto style = StyleOf(p, no);
    const auto n = style ? TodayNumber(data, today) : std::nullopt;
    if (!n)
        return Error(style ? 404 : 400, style ? QStringLiteral("today is outside the years") : no.Message);
    const QByteArray key = PageKey("/embed/" + QByteArray::number(*n), *style, p, r);
    return Framed(Cached(
                      data, r, key, kHtml,
                      [&] {
                          const DayOptions options = RequestOptions(*style, p);
                          return EmbedPage(SiteOf(data, r, p, *style), data.Engine->Day(*n, options),
                                           options);
                      },
                      QByteArrayLiteral("no-cache")),
                  true);
}

bool Readable(const QByteArray& method) {
    return method == "GET" || method == "HEAD";
}

Answer Route(const ServiceData& data, const Request& r, const Params& p, const QDate& today) {
    if (const auto it = p.find("readings"); it != p.end() && it->second != u"0" && it->second != u"1")
        return Error(400, QStringLiteral("readings must be 0 or 1"));
    const QString path = QString::fromLatin1(r.Path);
    const auto rest = [&](QStringView prefix) { return QStringView(path).sliced(prefix.size()); };
    if (path == u"/") {
        Refusal no;
        const auto style = StyleOf(p, no);
        if (!style)
            return Error(no);
        const auto n = TodayNumber(data, today);
        if (!n)
            return Error(404, QStringLiteral("today is outside the years the service answers for"));
        return Page(data, r, p, *style, *n, QByteArrayLiteral("no-cache"));
    }
    if (path == u"/healthz") {
        Answer a;
        a.ContentType = kText;
        a.Body = QByteArrayLiteral("ok\n");
        a.Headers.push_back({QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store")});
        return a;
    }
    if (path.startsWith(u"/day/")) {
        Refusal no;
        const auto style = StyleOf(p, no);
        const auto day = style ? DayOf(data, *style, rest(u"/day/"), no) : std::nullopt;
        if (!day)
            return Error(no);
        return Page(data, r, p, *style, day->Number, kDatedCache);
    }
    if (path == u"/day")
        return DateFormAnswer(data, r, p);
    if (path.startsWith(u"/month/"))
        return MonthAnswer(data, r, p, rest(u"/month/"));
    if (path.startsWith(u"/year/"))
        return YearAnswer(data, r, p, rest(u"/year/"));
    if (path == u"/embed/today")
        return WidgetAnswer(data, r, p, today);
    if (path == u"/style.css")
        return Cached(data, r, "/style.css", kCss, [] { return StyleSheet(); });
    if (path == u"/favicon.ico")
        return Cached(data, r, "/favicon.ico", kIcon, [] { return Favicon(); });
    if (path.startsWith(u"/api/v1/day/"))
        return DayApi(data, r, p, rest(u"/api/v1/day/"));
    if (path.startsWith(u"/api/v1/month/"))
        return MonthApi(data, r, p, rest(u"/api/v1/month/"));
    if (path.startsWith(u"/api/v1/year/"))
        return YearApi(data, r, p, rest(u"/api/v1/year/"), 3);
    if (path.startsWith(u"/api/v1/feasts/"))
        return YearApi(data, r, p, rest(u"/api/v1/feasts/"), 4);
    if (path == u"/api/v1/search")
        return SearchApi(data, r, p);
    if (path == u"/calendar.ics")
        return Feed(data, r, p, today);
    return Error(404, QStringLiteral("no such page"));
}

bool KnownPath(const QByteArray& path) {
    static const char* const exact[] = {"/",    "/healthz",     "/api/v1/search", "/calendar.ics",
                                        "/day", "/embed/today", "/style.css",     "/favicon.ico"};
    static const char* const prefixes[] = {
        "/day/", "/month/", "/year/", "/api/v1/day/", "/api/v1/month/", "/api/v1/year/", "/api/v1/feasts/"};
    for (const char* e : exact)
        if (path == e)
            return true;
    for (const char* pre : prefixes)
        if (path.startsWith(pre))
            return true;
    return false;
}

// The answer after the checks every request goes through: its length, its path and its method.
Answer Checked(const ServiceData& data, const Request& request, const QDate& today) {
    if (request.Path.size() + request.Query.size() > MaxTargetLength)
        return Error(414, QStringLiteral("the address is longer than %1 bytes").arg(MaxTargetLength));
    if (!KnownPath(request.Path))
        return Error(404, QStringLiteral("no such page"));
    if (!Readable(request.Method)) {
        Answer a = Error(405, QStringLiteral("only GET and HEAD are answered"));
        a.Headers.push_back({QByteArrayLiteral("Allow"), QByteArrayLiteral("GET, HEAD")});
        return a;
    }
    Refusal no;
    const auto params = ParseQuery(request.Query, no);
    Answer a = params ? Route(data, request, *params, today) : Error(no);
    if (request.Path.startsWith("/api/"))
        a.Headers.push_back({QByteArrayLiteral("Access-Control-Allow-Origin"), QByteArrayLiteral("*")});
    a.Headers.push_back({QByteArrayLiteral("X-Content-Type-Options"), QByteArrayLiteral("nosniff")});
    return a;
}

} // namespace

void SetServedDays(ServiceData& data) {
    CalendarState st;
    SetYearRange(st, kDefaultMinYear, kDefaultMaxYear);
    for (int s = 1; s <= 3; ++s) {
        data.FirstDay[s] = st.MinDayNumbers[s];
        data.LastDay[s] = st.MaxDayNumbers[s];
    }
}

QByteArray DataSetHash(const QString& folder) {
    QCryptographicHash h(QCryptographicHash::Sha1);
    DataFiles files;
    files.SetFolder(folder);
    for (int i = 0; i < DataFiles::Count; ++i) {
        if (DataFiles::Names[i].isEmpty())
            continue;
        // Only what the reader reads: a regular file within its size cap, read in pieces. A larger one
        // reads as empty, so its size alone stands for it.
        QFile f(files[i]);
        const QFileInfo info(f);
        const qint64 size = info.isFile() ? info.size() : -1;
        h.addData(DataFiles::Names[i].toUtf8() + '\0' + QByteArray::number(size) + '\0');
        if (size < 0 || size > Profile::MaxFileBytes || !f.open(QIODevice::ReadOnly))
            continue;
        char piece[64 * 1024];
        for (qint64 left = Profile::MaxFileBytes, n = 0;
             left > 0 && (n = f.read(piece, qMin<qint64>(left, sizeof piece))) > 0; left -= n)
            h.addData(QByteArrayView(piece, n));
    }
    return h.result().toHex();
}

Answer Respond(const ServiceData& data, const Request& request, const QDate& today) {
    Answer a = Checked(data, request, today);
    // Outside the JSON interface a refusal is read by a person: a Russian page with a way back.
    if (a.Status >= 400 && !request.Path.startsWith("/api/")) {
        a.ContentType = kHtml;
        a.Body = ErrorPage(a.Status, HostOf(request.Host));
        a = Framed(std::move(a));
    }
    return a;
}

QByteArray LogEscaped(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7f) {
            out += "\\x";
            out += QByteArray::number(u, 16).rightJustified(2, '0');
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += c;
        }
    }
    return out;
}

Answer ErrorAnswer(int status, const QString& message) {
    return Error(status, message);
}

} // namespace vorelian::server
