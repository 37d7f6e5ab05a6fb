#include "dayhtml.h"

#include "pagehtml.h"

#include "core/calendar.h"
#include "core/tables.h"
#include "engine/readings.h"

#include <array>
#include <utility>

namespace vorelian::server {
namespace {

// The mark the day report sets before a text of this rank, and what it means: the title of the mark and
// its line in the legend.
struct RankMark {
    Rank Of;
    const char16_t* Mark;
    const char16_t* Meaning;
};

constexpr std::array<RankMark, 5> kRankMarks = {{{Rank::Great, u"(+)", u"великий праздник"},
                                                 {Rank::Vigil, u"+)", u"бдение"},
                                                 {Rank::Polyeleos, u"+", u"полиелей"},
                                                 {Rank::Doxology, u"c", u"славословие"},
                                                 {Rank::Six, u"ш", u"шестеричная служба"}}};
// A commemoration without a rank; the notes of group 4 have no mark at all.
constexpr const char16_t* kPlainMark = u"·";

QString RankSpan(const DayEntry& e) {
    for (const RankMark& m : kRankMarks)
        if (m.Of == e.EntryRank)
            return QStringLiteral("<span class=\"rank\" title=\"%1\">%2</span> ")
                .arg(QString::fromUtf16(m.Meaning), QString::fromUtf16(m.Mark));
    if (e.Group == 4)
        return QStringLiteral("<span class=\"rank\">&#160;</span> ");
    return QStringLiteral("<span class=\"rank\">%1</span> ").arg(QString::fromUtf16(kPlainMark));
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
        html += e.Red ? QStringLiteral("<li class=\"red\">") : QStringLiteral("<li>");
        html += RankSpan(e) + EscapeHtml(e.Text) + QStringLiteral("</li>\n");
    }
    if (group >= 0)
        html += QStringLiteral("</ul>\n");
    return html + readings;
}

} // namespace

QString EscapeHtml(QStringView text) {
    // Qt escapes & < > and the double quote; the single quote too, for attributes in either quotes.
    return text.toString().toHtmlEscaped().replace(u'\'', QStringLiteral("&#39;"));
}

QString DateInWords(int16_t style, const DateParts& date) {
    return QStringLiteral("%1 %2 %3 г.")
        .arg(date.Day)
        .arg(MonthNameOf(CivilMonthOf(style, date.Month), 2))
        .arg(date.Year);
}

QString MonthInWords(int16_t style, int month, bool genitive) {
    return MonthNameOf(CivilMonthOf(style, int16_t(month)), genitive ? 2 : 1);
}

QString Legend() {
    QString html =
        QStringLiteral("<section class=\"legend\">\n<h2>Условные знаки</h2>\n<ul class=\"signs\">\n");
    const auto line = [&html](const QString& mark, const QString& meaning, const QString& cls = QString()) {
        html += (cls.isEmpty() ? QStringLiteral("<li>") : QStringLiteral("<li class=\"%1\">").arg(cls)) +
                QStringLiteral("<span class=\"rank\">%1</span> — %2</li>\n").arg(mark, meaning);
    };
    for (const RankMark& m : kRankMarks)
        line(QString::fromUtf16(m.Mark), QString::fromUtf16(m.Meaning));
    line(QString::fromUtf16(kPlainMark), QStringLiteral("память без особого знака службы"));
    line(QStringLiteral("Аа"), QStringLiteral("красный день: праздник и его главные памяти"),
         QStringLiteral("red"));
    line(QString::fromUtf16(kFastMark),
         QStringLiteral("постный день в сетке месяца: пост строже, чем без мяса"));
    return html + QStringLiteral("</ul>\n</section>\n");
}

QString DayContent(const DayInfo& day, const DayOptions& options) {
    QString html;
    if (!day.WeekdayLine.isEmpty())
        html += QStringLiteral("<p class=\"weekday\">%1</p>\n").arg(EscapeHtml(day.WeekdayLine));
    html += Entries(day);
    if (const QString fast = FastingLine(day, options); !fast.isEmpty())
        html += QStringLiteral("<p class=\"fast\">%1</p>\n").arg(EscapeHtml(fast));
    return html;
}

QString StyleName(int16_t style) {
    return style == 1   ? QStringLiteral("От Сотворения мира")
           : style == 2 ? QStringLiteral("По старому стилю")
                        : QStringLiteral("По новому стилю");
}

QString DayHeading(const DayInfo& day, int16_t style) {
    QString heading =
        WeekdayNames[day.Weekday] + QStringLiteral(", ") + DateInWords(style, DateIn(day, style));
    if (style != 3)
        heading += u' ' + StyleName(style).toLower();
    return heading;
}

QByteArray DayPage(const DayInfo& day, const DayOptions& options, const Site& site) {
    const int16_t style = site.Style;
    QString html =
        PageHead(DateInWords(style, DateIn(day, style)) + QStringLiteral(" — православный календарь"));
    html.reserve(8192);
    html += QStringLiteral("<h1%1>%2</h1>\n")
                .arg(day.Red ? QStringLiteral(" class=\"red\"") : QString(), DayHeading(day, style));
    html += QStringLiteral("<ul class=\"dates\">\n");
    for (const int16_t s : {int16_t(3), int16_t(2), int16_t(1)})
        html += DateLine(StyleName(s), s, DateIn(day, s));
    html += QStringLiteral("</ul>\n");
    html += DayContent(day, options);
    if (site.LastDay > 0)
        html += DayNavigation(site, day.DayNumber);
    html += PageFoot(site, true);
    return html.toUtf8();
}

} // namespace vorelian::server
