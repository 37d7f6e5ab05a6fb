#include "pagehtml.h"

#include "dayhtml.h"

#include "core/calendar.h"
#include "core/dates.h"

#include <QFile>

#include <algorithm>
#include <array>

namespace vorelian::server {
namespace {

const std::array<const char16_t*, 8> kShortWeekdays = {u"", u"Пн", u"Вт", u"Ср", u"Чт", u"Пт", u"Сб", u"Вс"};

QString YearWords(int16_t style, int year) {
    QString text = QStringLiteral("%1 г.").arg(year);
    if (style == 1)
        text += QStringLiteral(" от Сотворения мира");
    else if (style == 2)
        text += QStringLiteral(" по старому стилю");
    return text;
}

QString Link(const QString& href, const QString& text, const QString& rel = QString()) {
    if (rel.isEmpty())
        return QStringLiteral("<a href=\"%1\">%2</a>").arg(href, text);
    return QStringLiteral("<a href=\"%1\" rel=\"%2\">%3</a>").arg(href, rel, text);
}

QString YearAddress(const Site& site, int year) {
    return QStringLiteral("/year/%1").arg(year) + LinkQuery(site, site.Style);
}

QString TodayAddress(const Site& site) {
    return u'/' + LinkQuery(site, site.Style);
}

bool Served(const Site& site, int32_t n) {
    return n >= site.FirstDay && n <= site.LastDay;
}

// The same day of the month `delta` months away in the site's style, the last day of a shorter month.
int32_t MonthAway(const Site& site, int32_t n, int delta) {
    const DateParts d = DatesOf(n).In(site.Style);
    const int index = d.Year * 12 + (d.Month - 1) + delta;
    const auto year = int16_t(index / 12);
    const auto month = int16_t(index % 12 + 1);
    const auto day = std::min(d.Day, MonthLength(site.Style, month, year));
    return DayNumber(site.Style, day, month, year);
}

// A link to a day when the service answers for it; nothing otherwise.
QString DayLinkIf(const Site& site, int32_t n, const QString& text, const QString& rel = QString()) {
    return Served(site, n) ? Link(DayAddress(site, n), text, rel) + u'\n' : QString();
}

// A plain GET form: the answer sends the visitor on to the day's own address.
QString DateForm(const Site& site, int32_t n) {
    const auto iso = [](const DateParts& d) {
        return QStringLiteral("%1-%2-%3")
            .arg(d.Year, 4, 10, QChar(u'0'))
            .arg(d.Month, 2, 10, QChar(u'0'))
            .arg(d.Day, 2, 10, QChar(u'0'));
    };
    QString html = QStringLiteral("<form action=\"/day\" method=\"get\">\n<label>Дата по новому стилю: "
                                  "<input type=\"date\" name=\"date\" value=\"%1\" min=\"%2\" max=\"%3\" "
                                  "required></label>\n")
                       .arg(iso(DatesOf(n).Gregorian), iso(DatesOf(site.FirstDay).Gregorian),
                            iso(DatesOf(site.LastDay).Gregorian));
    if (site.Style != 3)
        html += QStringLiteral("<input type=\"hidden\" name=\"style\" value=\"%1\">\n").arg(site.Style);
    if (site.ReadingsOff)
        html += QStringLiteral("<input type=\"hidden\" name=\"readings\" value=\"0\">\n");
    return html + QStringLiteral("<button type=\"submit\">Перейти</button>\n</form>\n");
}

// The same day by its date in each style: the address changes, the day stays.
QString StyleSwitch(const Site& site, int32_t n) {
    static const std::array<const char16_t*, 4> names = {u"", u"от Сотворения мира", u"по старому стилю",
                                                         u"по новому стилю"};
    QString html = QStringLiteral("<p class=\"styles\">Даты в адресах: ");
    for (const int16_t s : {int16_t(3), int16_t(2), int16_t(1)}) {
        const QString name = QString::fromUtf16(names[s]);
        if (s == site.Style) {
            html += QStringLiteral("<strong>%1</strong>").arg(name);
        } else {
            Site other = site;
            other.Style = s;
            html += Link(DayAddress(other, n), name);
        }
        html += s == 1 ? QStringLiteral("</p>\n") : QStringLiteral(" · ");
    }
    return html;
}

QString Subscription(const Site& site) {
    const QString feed = QStringLiteral("/calendar.ics?scope=great");
    QString html = QStringLiteral("<p class=\"subscribe\">Праздники в календаре телефона или компьютера: ");
    if (!site.Host.isEmpty()) {
        const QString webcal = EscapeHtml(QStringLiteral("webcal://") + site.Host + feed);
        html += Link(webcal, webcal) + QStringLiteral(" или файл ");
    }
    html += Link(feed, feed) + u'.';
    if (!site.Host.isEmpty())
        html += QStringLiteral(" На телефоне нажмите первую ссылку, и календарь предложит подписаться: "
                               "праздники будут появляться в нём сами.");
    return html + QStringLiteral("</p>\n");
}

QString MonthTitle(int16_t style, int year, int month) {
    return MonthInWords(style, month, false) + u' ' + YearWords(style, year);
}

QString Cell(const Site& site, const MonthCell& c) {
    QString html = c.Red ? QStringLiteral("<td class=\"red\">") : QStringLiteral("<td>");
    html += Link(DayAddress(site, c.DayNumber), QString::number(DatesOf(c.DayNumber).In(site.Style).Day));
    html +=
        QStringLiteral(" <span class=\"wd\">%1</span>").arg(QString::fromUtf16(kShortWeekdays[c.Weekday]));
    if (c.Fast)
        html += QStringLiteral(" <span class=\"fastmark\" title=\"постный день\">%1</span>")
                    .arg(QString::fromUtf16(kFastMark));
    if (!c.Chief.isEmpty())
        html += QStringLiteral(" <span class=\"chief\">%1</span>").arg(EscapeHtml(c.Chief));
    return html + QStringLiteral("</td>");
}

QString Grid(const Site& site, const std::vector<MonthCell>& days) {
    QString html = QStringLiteral("<table class=\"month\">\n<thead><tr>");
    for (int w = 1; w <= 7; ++w)
        html += QStringLiteral("<th>%1</th>").arg(QString::fromUtf16(kShortWeekdays[w]));
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    int column = 1;
    for (const MonthCell& c : days) {
        if (column == 1)
            html += QStringLiteral("<tr>");
        for (; column < c.Weekday; ++column)
            html += QStringLiteral("<td class=\"empty\"></td>");
        html += Cell(site, c);
        if (++column > 7) {
            html += QStringLiteral("</tr>\n");
            column = 1;
        }
    }
    if (column > 1) {
        for (; column <= 7; ++column)
            html += QStringLiteral("<td class=\"empty\"></td>");
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody>\n</table>\n");
}

// "2 мая" of a day in the site's style, never broken between the number and the month.
QString DayAndMonth(const Site& site, int32_t n) {
    const DateParts d = DatesOf(n).In(site.Style);
    return QStringLiteral("%1&#160;%2").arg(d.Day).arg(MonthInWords(site.Style, d.Month, true));
}

QString Feasts(const Site& site, const std::vector<FeastRow>& feasts) {
    QString html = QStringLiteral("<h2>Великие праздники</h2>\n<ul class=\"feasts\">\n");
    for (const FeastRow& f : feasts)
        html += (f.Red ? QStringLiteral("<li class=\"red\">") : QStringLiteral("<li>")) +
                Link(DayAddress(site, f.DayNumber), DayAndMonth(site, f.DayNumber)) + QStringLiteral(" — ") +
                EscapeHtml(f.Text) + QStringLiteral("</li>\n");
    return html + QStringLiteral("</ul>\n");
}

QString Fasts(const Site& site, const std::vector<FastSpan>& fasts) {
    QString html = QStringLiteral("<h2>Посты</h2>\n<ul class=\"feasts\">\n");
    for (const FastSpan& f : fasts) {
        html += QStringLiteral("<li>") + Link(DayAddress(site, f.First), DayAndMonth(site, f.First));
        if (f.Last != f.First)
            html += QStringLiteral("&#160;– ") + Link(DayAddress(site, f.Last), DayAndMonth(site, f.Last));
        html += QStringLiteral(" — ") + EscapeHtml(f.Name) + QStringLiteral("</li>\n");
    }
    return html + QStringLiteral("</ul>\n");
}

QString MonthLinks(const Site& site, int year) {
    QString html = QStringLiteral("<p class=\"months\">");
    for (int m = 1; m <= 12; ++m)
        html += Link(MonthAddress(site, year, m), MonthInWords(site.Style, m, false)) +
                (m < 12 ? QStringLiteral(" · ") : QStringLiteral("</p>\n"));
    return html;
}

// Previous and next links between two addresses of pages, either of them left out when empty.
QString PeriodNavigation(const QString& prevHref, const QString& prevText, const Site& site,
                         const QString& nextHref, const QString& nextText) {
    QString html = QStringLiteral("<nav>\n");
    if (!prevHref.isEmpty())
        html += Link(prevHref, QStringLiteral("←&#160;") + prevText, QStringLiteral("prev")) + u'\n';
    html += Link(TodayAddress(site), QStringLiteral("Сегодня")) + u'\n';
    if (!nextHref.isEmpty())
        html += Link(nextHref, nextText + QStringLiteral("&#160;→"), QStringLiteral("next")) + u'\n';
    return html + QStringLiteral("</nav>\n");
}

const char kStyleSheet[] =
    "body{font-family:serif;max-width:48em;margin:1em auto;padding:0 1em;line-height:1.4;color:#111;"
    "background:#fff}\n"
    "a{color:#0645ad}h1{font-size:1.5em}h2{font-size:1.2em}.red,.red a{color:#b00}\n"
    "ul.dates,ul.entries,ul.readings,ul.feasts,ul.signs{list-style:none;padding:0}\n"
    ".entries li,.feasts li,.signs li{padding-left:2.4em;text-indent:-2.4em}\n"
    ".rank{display:inline-block;width:2.2em;text-indent:0;font-family:monospace}\n"
    ".weekday{font-style:italic}.fast{font-weight:bold}\n"
    "nav a{margin-right:1em;white-space:nowrap;display:inline-block}\n"
    "form{margin:1em 0}.subscribe a{overflow-wrap:anywhere}\n"
    "table.month{border-collapse:collapse;width:100%;table-layout:fixed}\n"
    ".month th,.month td{border:1px solid #ccc;vertical-align:top;padding:.2em;font-size:.85em}\n"
    ".month .chief{display:block;font-size:.85em}.month .wd{display:none}.fastmark{color:#666}\n"
    "footer{margin-top:2em;padding-top:.5em;border-top:1px solid #ccc;font-size:.9em}\n"
    ".embed{margin:0;padding:.5em;font-size:.95em}\n"
    "@media (prefers-color-scheme:dark){body{color:#ddd;background:#121212}a{color:#8ab4f8}"
    ".red,.red a{color:#ff7b72}.month th,.month td,footer{border-color:#444}.fastmark{color:#aaa}}\n"
    "@media (max-width:40em){table.month,.month tbody,.month tr,.month td{display:block;width:auto}"
    ".month thead,.month td.empty{display:none}.month td{border-width:0 0 1px;padding-left:3.6em;"
    "text-indent:-3.6em}.month td a{display:inline-block;width:1.6em;text-indent:0}"
    ".month .wd{display:inline-block;width:1.6em;text-indent:0}.month .chief{display:inline}}\n";

} // namespace

QString LinkQuery(const Site& site, int16_t style) {
    QString q;
    if (style != 3)
        q += QStringLiteral("style=%1").arg(style);
    if (site.ReadingsOff)
        q += (q.isEmpty() ? QString() : QStringLiteral("&amp;")) + QStringLiteral("readings=0");
    return q.isEmpty() ? q : u'?' + q;
}

QString DayAddress(const Site& site, int32_t dayNumber) {
    const DateParts d = DatesOf(dayNumber).In(site.Style);
    return QStringLiteral("/day/%1-%2-%3")
               .arg(d.Year, 4, 10, QChar(u'0'))
               .arg(d.Month, 2, 10, QChar(u'0'))
               .arg(d.Day, 2, 10, QChar(u'0')) +
           LinkQuery(site, site.Style);
}

QString MonthAddress(const Site& site, int year, int month) {
    return QStringLiteral("/month/%1-%2").arg(year, 4, 10, QChar(u'0')).arg(month, 2, 10, QChar(u'0')) +
           LinkQuery(site, site.Style);
}

QString PageHead(const QString& title, const QString& extraHead) {
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                          "<meta name=\"color-scheme\" content=\"light dark\">\n"
                          "<title>%1</title>\n<link rel=\"stylesheet\" href=\"/style.css\">\n"
                          "<link rel=\"icon\" href=\"/favicon.ico\">\n%2</head>\n<body>\n<main>\n")
        .arg(title, extraHead);
}

QString PageFoot(const Site& site, bool legend) {
    QString html = QStringLiteral("</main>\n<footer>\n");
    if (legend)
        html += Legend();
    html += Subscription(site);
    return html + QStringLiteral("</footer>\n</body>\n</html>\n");
}

QString DayNavigation(const Site& site, int32_t n) {
    QString html = QStringLiteral("<nav>\n");
    html += DayLinkIf(site, n - 1, QStringLiteral("←&#160;Предыдущий день"), QStringLiteral("prev"));
    html += Link(TodayAddress(site), QStringLiteral("Сегодня")) + u'\n';
    html += DayLinkIf(site, n + 1, QStringLiteral("Следующий день&#160;→"), QStringLiteral("next"));
    html += QStringLiteral("</nav>\n<nav>\n");
    html += DayLinkIf(site, n - 7, QStringLiteral("←&#160;Неделя назад"));
    html += DayLinkIf(site, n + 7, QStringLiteral("Неделя вперёд&#160;→"));
    html += DayLinkIf(site, MonthAway(site, n, -1), QStringLiteral("←&#160;Месяц назад"));
    html += DayLinkIf(site, MonthAway(site, n, 1), QStringLiteral("Месяц вперёд&#160;→"));
    const DateParts d = DatesOf(n).In(site.Style);
    html += Link(MonthAddress(site, d.Year, d.Month), MonthTitle(site.Style, d.Year, d.Month)) + u'\n';
    html += Link(YearAddress(site, d.Year), QStringLiteral("Праздники и посты года")) + u'\n';
    html += QStringLiteral("</nav>\n");
    return html + DateForm(site, n) + StyleSwitch(site, n);
}

QByteArray MonthPage(const Site& site, int year, int month, const std::vector<MonthCell>& days) {
    const QString title = MonthTitle(site.Style, year, month);
    QString html = PageHead(title + QStringLiteral(" — православный календарь"));
    html += QStringLiteral("<h1>%1</h1>\n").arg(title);
    const int before = year * 12 + month - 2, after = year * 12 + month;
    const auto monthHref = [&](int index) {
        const int y = index / 12, m = index % 12 + 1;
        const int32_t first = DayNumber(site.Style, 1, int16_t(m), int16_t(y));
        return Served(site, first) ? MonthAddress(site, y, m) : QString();
    };
    html += PeriodNavigation(monthHref(before), MonthInWords(site.Style, before % 12 + 1, false), site,
                             monthHref(after), MonthInWords(site.Style, after % 12 + 1, false));
    html += Grid(site, days);
    html += QStringLiteral("<p>") + Link(YearAddress(site, year), QStringLiteral("Праздники и посты года")) +
            QStringLiteral("</p>\n");
    html += PageFoot(site, true);
    return html.toUtf8();
}

QByteArray YearPage(const Site& site, int year, const std::vector<FeastRow>& feasts,
                    const std::vector<FastSpan>& fasts) {
    const QString title = YearWords(site.Style, year);
    QString html = PageHead(title + QStringLiteral(" — праздники и посты"));
    html += QStringLiteral("<h1>Праздники и посты: %1</h1>\n").arg(title);
    const auto yearHref = [&](int y) {
        return Served(site, DayNumber(site.Style, 1, 1, int16_t(y))) ? YearAddress(site, y) : QString();
    };
    html += PeriodNavigation(yearHref(year - 1), QString::number(year - 1), site, yearHref(year + 1),
                             QString::number(year + 1));
    html += Feasts(site, feasts) + Fasts(site, fasts) + MonthLinks(site, year);
    html += PageFoot(site, true);
    return html.toUtf8();
}

QByteArray EmbedPage(const Site& site, const DayInfo& day, const DayOptions& options) {
    // Every link opens outside the frame, so that the parish site stays where it is.
    QString html = PageHead(DateInWords(site.Style, DateIn(day, site.Style)) +
                                QStringLiteral(" — православный календарь"),
                            QStringLiteral("<base target=\"_blank\">\n"));
    html.replace(QStringLiteral("<main>"), QStringLiteral("<main class=\"embed\">"));
    html += QStringLiteral("<p%1><strong>%2</strong></p>\n")
                .arg(day.Red ? QStringLiteral(" class=\"red\"") : QString(),
                     Link(DayAddress(site, day.DayNumber), DayHeading(day, site.Style)));
    html += DayContent(day, options);
    html += QStringLiteral("<details>\n<summary>Условные знаки</summary>\n") + Legend() +
            QStringLiteral("</details>\n</main>\n</body>\n</html>\n");
    return html.toUtf8();
}

QByteArray ErrorPage(int status, const QString& host) {
    QString heading, text;
    switch (status) {
    case 404:
        heading = QStringLiteral("Такой страницы нет");
        text = QStringLiteral("Проверьте адрес: страницы дня выглядят так: /day/2027-05-02, месяца — "
                              "/month/2027-05, года — /year/2027.");
        break;
    case 405:
        heading = QStringLiteral("Так страницу не открыть");
        text = QStringLiteral("Сервер только показывает страницы и ничего не принимает.");
        break;
    case 414:
        heading = QStringLiteral("Слишком длинный адрес");
        text = QStringLiteral("Такой длинный адрес сервер не читает.");
        break;
    default:
        heading = QStringLiteral("Неверный адрес");
        text = QStringLiteral("Такой даты нет в календаре, или она вне лет, которые он показывает "
                              "(с 1901 по 2100 год), или в адресе ошибка.");
        break;
    }
    QString html = PageHead(heading + QStringLiteral(" — православный календарь"));
    html += QStringLiteral("<h1>%1</h1>\n<p>%2</p>\n<p>%3</p>\n")
                .arg(heading, text, Link(QStringLiteral("/"), QStringLiteral("Календарь на сегодня")));
    Site site;
    site.Host = host;
    return (html + PageFoot(site, false)).toUtf8();
}

const QByteArray& StyleSheet() {
    static const QByteArray sheet(kStyleSheet);
    return sheet;
}

QByteArray Favicon() {
    // An icon directory of PNG pictures: a 6-byte head, a 16-byte entry per picture, then the pictures.
    QList<QByteArray> pictures;
    for (const int size : {16, 32}) {
        QFile f(QStringLiteral(":/favicon/%1x%1/apps/org.vorelian.Vorelian.png").arg(size));
        pictures.push_back(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    }
    const auto le16 = [](QByteArray& out, quint16 v) { out.append(char(v & 0xff)).append(char(v >> 8)); };
    const auto le32 = [&](QByteArray& out, quint32 v) {
        le16(out, quint16(v & 0xffff));
        le16(out, quint16(v >> 16));
    };
    QByteArray ico;
    le16(ico, 0);
    le16(ico, 1); // an icon, not a cursor
    le16(ico, quint16(pictures.size()));
    quint32 offset = quint32(6 + 16 * pictures.size());
    int size = 16;
    for (const QByteArray& p : pictures) {
        ico.append(char(size)).append(char(size)).append(char(0)).append(char(0));
        le16(ico, 1);  // colour planes
        le16(ico, 32); // bits per pixel
        le32(ico, quint32(p.size()));
        le32(ico, offset);
        offset += quint32(p.size());
        size *= 2;
    }
    for (const QByteArray& p : pictures)
        ico += p;
    return ico;
}

} // namespace vorelian::server
