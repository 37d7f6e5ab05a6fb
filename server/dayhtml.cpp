#include "dayhtml.h"

#include "engine/readings.h"

#include <array>
#include <utility>

namespace vorelian::server {
namespace {

QString GenitiveMonth(int civilMonth) {
    static const std::array<const char16_t*, 13> names = {
        u"",     u"января",  u"февраля",  u"марта",   u"апреля", u"мая",    u"июня",
        u"июля", u"августа", u"сентября", u"октября", u"ноября", u"декабря"};
    return civilMonth >= 1 && civilMonth <= 12 ? QString::fromUtf16(names[civilMonth]) : QString();
}

QString WeekdayName(int weekday) {
    static const std::array<const char16_t*, 8> names = {
        u"", u"Понедельник", u"Вторник", u"Среда", u"Четверг", u"Пятница", u"Суббота", u"Воскресенье"};
    return weekday >= 1 && weekday <= 7 ? QString::fromUtf16(names[weekday]) : QString();
}

// The mark the day report sets before a text of this rank, and what it means, for the title.
struct RankMark {
    QString Mark;
    QString Meaning;
};

RankMark MarkOf(const DayEntry& e) {
    switch (e.EntryRank) {
    case Rank::Great:
        return {QStringLiteral("(+)"), QStringLiteral("великий праздник")};
    case Rank::Vigil:
        return {QStringLiteral("+)"), QStringLiteral("бдение")};
    case Rank::Polyeleos:
        return {QStringLiteral("+"), QStringLiteral("полиелей")};
    case Rank::Doxology:
        return {QStringLiteral("c"), QStringLiteral("славословие")};
    case Rank::Six:
        return {QStringLiteral("ш"), QStringLiteral("шестеричная служба")};
    case Rank::None:
        break;
    }
    if (e.Group == 4)
        return {};
    return {QStringLiteral("·"), QString()};
}

QString IsoDate(const QDate& d) {
    return d.toString(Qt::ISODate);
}

QString DayLink(const QDate& d, const QString& rel, const QString& text) {
    return QStringLiteral("<a href=\"/day/%1\" rel=\"%2\">%3</a>").arg(IsoDate(d), rel, text);
}

QString DateLine(const QString& styleName, int16_t style, const DateParts& date) {
    return QStringLiteral("<li>%1: <span class=\"date\">%2</span></li>\n")
        .arg(styleName, DateInWords(style, date));
}

// The readings group as a list of its own.
QString Readings(const DayInfo& day) {
    const QStringList lines = ReadingsGroup(day);
    if (lines.isEmpty())
        return QString();
    QString html = QStringLiteral("<ul class=\"readings\">\n");
    for (const QString& line : lines)
        html += QStringLiteral("<li>") + EscapeHtml(line) + QStringLiteral("</li>\n");
    return html + QStringLiteral("</ul>\n");
}

// The groups of the day, the readings after group 3 and before the notes of group 4.
QString Entries(const DayInfo& day) {
    QString html;
    QString readings = Readings(day);
    int8_t group = -1;
    for (const DayEntry& e : day.Entries) {
        if (e.Group != group) {
            if (group >= 0)
                html += QStringLiteral("</ul>\n");
            if (e.Group == 4)
                html += std::exchange(readings, QString());
            html += QStringLiteral("<ul class=\"entries\">\n");
            group = e.Group;
        }
        const RankMark mark = MarkOf(e);
        html += e.Red ? QStringLiteral("<li class=\"red\">") : QStringLiteral("<li>");
        if (mark.Mark.isEmpty())
            html += QStringLiteral("<span class=\"rank\">&#160;</span> ");
        else if (mark.Meaning.isEmpty())
            html += QStringLiteral("<span class=\"rank\">%1</span> ").arg(mark.Mark);
        else
            html +=
                QStringLiteral("<span class=\"rank\" title=\"%1\">%2</span> ").arg(mark.Meaning, mark.Mark);
        html += EscapeHtml(e.Text) + QStringLiteral("</li>\n");
    }
    if (group >= 0)
        html += QStringLiteral("</ul>\n");
    return html + readings;
}

const char16_t* const kStyleSheet =
    u"body{font-family:serif;max-width:40em;margin:1em auto;padding:0 1em;line-height:1.4;color:#111}"
    u"h1{font-size:1.5em}.red{color:#b00}.dates{list-style:none;padding:0}"
    u".entries{list-style:none;padding:0}.rank{display:inline-block;min-width:2.2em;font-family:monospace}"
    u".readings{list-style:none;padding:0}.weekday{font-style:italic}.fast{font-weight:bold}nav "
    u"a{margin-right:1em}";

} // namespace

QString EscapeHtml(QStringView text) {
    // Qt escapes & < > and the double quote; the single quote too, for attributes in either quotes.
    return text.toString().toHtmlEscaped().replace(u'\'', QStringLiteral("&#39;"));
}

QString DateInWords(int16_t style, const DateParts& date) {
    const int civil = style == 1 ? (date.Month + 7) % 12 + 1 : date.Month;
    return QStringLiteral("%1 %2 %3 г.").arg(date.Day).arg(GenitiveMonth(civil)).arg(date.Year);
}

QByteArray DayPage(const DayInfo& day, const DayOptions& options, const PageLinks& links) {
    const QString title = DateInWords(3, day.Gregorian);
    QString html;
    html.reserve(4096);
    html += QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
                           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
    html += QStringLiteral("<title>%1 — православный календарь</title>\n").arg(title);
    html += QStringLiteral("<style>") + QString::fromUtf16(kStyleSheet) + QStringLiteral("</style>\n");
    html += QStringLiteral("</head>\n<body>\n<main>\n");
    html += QStringLiteral("<h1%1>%2, %3</h1>\n")
                .arg(day.Red ? QStringLiteral(" class=\"red\"") : QString(), WeekdayName(day.Weekday), title);
    html += QStringLiteral("<ul class=\"dates\">\n");
    html += DateLine(QStringLiteral("По новому стилю"), 3, day.Gregorian);
    html += DateLine(QStringLiteral("По старому стилю"), 2, day.Julian);
    html += DateLine(QStringLiteral("От Сотворения мира"), 1, day.AnnoMundi);
    html += QStringLiteral("</ul>\n");
    if (!day.WeekdayLine.isEmpty())
        html += QStringLiteral("<p class=\"weekday\">%1</p>\n").arg(EscapeHtml(day.WeekdayLine));
    html += Entries(day);
    if (const QString fast = FastingLine(day, options); !fast.isEmpty())
        html += QStringLiteral("<p class=\"fast\">%1</p>\n").arg(EscapeHtml(fast));
    html += QStringLiteral("<nav>\n");
    if (links.Previous.isValid())
        html += DayLink(links.Previous, QStringLiteral("prev"), QStringLiteral("← Предыдущий день")) + u'\n';
    html += QStringLiteral("<a href=\"/\">Сегодня</a>\n");
    if (links.Next.isValid())
        html += DayLink(links.Next, QStringLiteral("next"), QStringLiteral("Следующий день →")) + u'\n';
    html += QStringLiteral("</nav>\n</main>\n</body>\n</html>\n");
    return html.toUtf8();
}

} // namespace vorelian::server
