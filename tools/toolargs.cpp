#include "toolargs.h"

#include "core/calendar.h"
#include "core/commandline.h"
#include "core/exitstatus.h"
#include "core/settings.h"

#include <QRegularExpression>

#include <functional>
#include <map>
#include <tuple>

namespace vorelian::tool {
namespace {

const std::map<QString, int>& Reports() {
    static const std::map<QString, int> reports = {
        {QStringLiteral("day"), 0},  {QStringLiteral("week"), 1},   {QStringLiteral("month"), 2},
        {QStringLiteral("year"), 3}, {QStringLiteral("feasts"), 4}, {QStringLiteral("search"), 5},
    };
    return reports;
}

std::optional<int> Integer(const QString& text, int low, int high) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high)
        return std::nullopt;
    return n;
}

// A date typed as YYYY-MM-DD, checked against the months of the style.
std::optional<DateParts> ReadDate(const QString& text, int style, QString& error) {
    static const QRegularExpression form(QStringLiteral("^(\\d{1,4})-(\\d{1,2})-(\\d{1,2})$"));
    const auto m = form.match(text);
    if (!m.hasMatch()) {
        error = QStringLiteral("the date must be YYYY-MM-DD: %1").arg(text);
        return std::nullopt;
    }
    const int year = m.captured(1).toInt(), month = m.captured(2).toInt(), day = m.captured(3).toInt();
    if (year < 1 || day < 1 || day > MonthLength(style, month, year)) {
        error = QStringLiteral("there is no such day in style %1: %2").arg(style).arg(text);
        return std::nullopt;
    }
    return DateParts{int16_t(year), int16_t(month), int16_t(day)};
}

} // namespace

namespace {

// The calendar file: both ends of the range in the chosen style, in order, at most MaxIcalYears apart.
std::optional<ToolArgs> ReadIcalArgs(ToolArgs& a, const std::optional<QString>& dateText,
                                     const std::optional<QString>& fromText,
                                     const std::optional<QString>& toText, bool formatGiven, QString& error) {
    if (dateText || formatGiven || a.Text || a.Name || a.WholeWord) {
        error = QStringLiteral(
            "ical takes --from, --to, --scope and --style, not --date, --format, --text or --name");
        return std::nullopt;
    }
    if (!fromText || !toText) {
        error = QStringLiteral("ical needs the range: --from YYYY-MM-DD --to YYYY-MM-DD");
        return std::nullopt;
    }
    a.Ical = true;
    a.From = ReadDate(*fromText, a.Style, error);
    if (!a.From)
        return std::nullopt;
    a.To = ReadDate(*toText, a.Style, error);
    if (!a.To)
        return std::nullopt;
    const auto key = [](const DateParts& d) { return std::tuple(d.Year, d.Month, d.Day); };
    if (key(*a.To) < key(*a.From)) {
        error = QStringLiteral("the range ends before it starts: %1 to %2").arg(*fromText, *toText);
        return std::nullopt;
    }
    if (!IcalRangeFits(*a.From, *a.To)) {
        error = QStringLiteral("the range is longer than %1 years: %2 to %3")
                    .arg(MaxIcalYears)
                    .arg(*fromText, *toText);
        return std::nullopt;
    }
    return a;
}

} // namespace

int MonthLength(int style, int month, int year) {
    return vorelian::MonthLength(int16_t(style), int16_t(month), int16_t(year));
}

std::optional<ToolArgs> ParseToolArgs(const QStringList& args, QString& error) {
    ToolArgs a;
    QString report;
    const auto fail = [&](const QString& message) {
        error = message;
        return std::nullopt;
    };

    // Options that take a value, each with the check of its value.
    using Setter = std::function<bool(const QString&, QString&)>;
    std::optional<QString> dateText, fromText, toText;
    bool formatGiven = false, scopeGiven = false;
    const std::map<QString, Setter> valued = {
        {QStringLiteral("--date"),
         [&](const QString& v, QString&) {
             dateText = v;
             return true;
         }},
        {QStringLiteral("--style"),
         [&](const QString& v, QString& e) {
             const auto n = Integer(v, 1, 3);
             if (!n)
                 e = QStringLiteral("the style must be 1, 2 or 3: %1").arg(v);
             else
                 a.Style = int16_t(*n);
             return bool(n);
         }},
        {QStringLiteral("--format"),
         [&](const QString& v, QString& e) {
             formatGiven = true;
             if (v == u"text")
                 a.Output = Format::Text;
             else if (v == u"rtf")
                 a.Output = Format::Rtf;
             else if (v == u"json")
                 a.Output = Format::Json;
             else
                 e = QStringLiteral("the format must be text, rtf or json: %1").arg(v);
             return e.isEmpty();
         }},
        {QStringLiteral("--first-weekday"),
         [&](const QString& v, QString& e) {
             if (v != u"1" && v != u"7")
                 e = QStringLiteral("the first weekday must be 1 or 7: %1").arg(v);
             else
                 a.FirstWeekday = int16_t(v.toInt());
             return e.isEmpty();
         }},
        {QStringLiteral("--font"),
         [&](const QString& v, QString& e) {
             if (v.trimmed().isEmpty())
                 e = QStringLiteral("the font name is empty");
             else
                 a.Font = v;
             return e.isEmpty();
         }},
        {QStringLiteral("--font-size"),
         [&](const QString& v, QString& e) {
             const auto n = Integer(v, 1, MaxFontSize);
             if (!n)
                 e = QStringLiteral("the font size must be a whole number of points from 1 to %1: %2")
                         .arg(MaxFontSize)
                         .arg(v);
             else
                 a.FontSize = int16_t(*n);
             return bool(n);
         }},
        {QStringLiteral("--min-year"),
         [&](const QString& v, QString& e) {
             const auto n = Integer(v, kFirstYear, kLastYear);
             if (!n)
                 e = QStringLiteral("the first year must be a Julian year from %1 to %2: %3")
                         .arg(kFirstYear)
                         .arg(kLastYear)
                         .arg(v);
             else
                 a.MinYear = int16_t(*n);
             return bool(n);
         }},
        {QStringLiteral("--max-year"),
         [&](const QString& v, QString& e) {
             const auto n = Integer(v, kFirstYear, kLastYear);
             if (!n)
                 e = QStringLiteral("the last year must be a Julian year from %1 to %2: %3")
                         .arg(kFirstYear)
                         .arg(kLastYear)
                         .arg(v);
             else
                 a.MaxYear = int16_t(*n);
             return bool(n);
         }},
        {QStringLiteral("--fasting"),
         [&](const QString& v, QString& e) {
             const bool on = v == u"on", off = v == u"off";
             if (!on && !off)
                 e = QStringLiteral("--fasting takes on or off: %1").arg(v);
             else
                 a.Fasting = on;
             return on || off;
         }},
        {QStringLiteral("--readings"),
         [&](const QString& v, QString& e) {
             const bool on = v == u"on", off = v == u"off";
             if (!on && !off)
                 e = QStringLiteral("--readings takes on or off: %1").arg(v);
             else
                 a.Readings = on;
             return on || off;
         }},
        {QStringLiteral("--data"),
         [&](const QString& v, QString&) {
             a.DataDir = v;
             return true;
         }},
        {QStringLiteral("--from"),
         [&](const QString& v, QString&) {
             fromText = v;
             return true;
         }},
        {QStringLiteral("--to"),
         [&](const QString& v, QString&) {
             toText = v;
             return true;
         }},
        {QStringLiteral("--scope"),
         [&](const QString& v, QString& e) {
             scopeGiven = true;
             const auto scope = IcalScopeNamed(v);
             if (!scope)
                 e = QStringLiteral("the scope must be great, red or all: %1").arg(v);
             else
                 a.Scope = *scope;
             return bool(scope);
         }},
        {QStringLiteral("--text"),
         [&](const QString& v, QString&) {
             a.Text = v;
             return true;
         }},
        {QStringLiteral("--name"),
         [&](const QString& v, QString&) {
             a.Name = v;
             return true;
         }},
    };
    const std::map<QString, bool*> flags = {
        {QStringLiteral("--indiction"), &a.Indiction},
        {QStringLiteral("--all-styles"), &a.AllStyles},
        {QStringLiteral("--whole-word"), &a.WholeWord},
    };

    for (qsizetype i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        if (arg == u"--help" || arg == u"-h") {
            a.Help = true;
            return a;
        }
        if (!arg.startsWith(u"--")) {
            if (!report.isEmpty())
                return fail(QStringLiteral("only one report at a time: %1").arg(arg));
            report = arg;
            continue;
        }
        std::optional<QString> value;
        const qsizetype eq = arg.indexOf(u'=');
        if (eq > 0) {
            value = arg.mid(eq + 1);
            arg.truncate(eq);
        }
        if (const auto f = flags.find(arg); f != flags.end()) {
            if (value)
                return fail(QStringLiteral("%1 takes no value").arg(arg));
            *f->second = true;
            continue;
        }
        const auto v = valued.find(arg);
        if (v == valued.end())
            return fail(QStringLiteral("unknown option: %1").arg(arg));
        if (!value) {
            if (i + 1 >= args.size())
                return fail(QStringLiteral("%1 needs a value").arg(arg));
            value = args[++i];
        }
        QString e;
        if (!v->second(*value, e))
            return fail(e);
    }

    if (report.isEmpty())
        return fail(
            QStringLiteral("no report given (day, week, month, year, feasts, search or ical); see --help"));
    if (report == u"ical")
        return ReadIcalArgs(a, dateText, fromText, toText, formatGiven, error);
    if (fromText || toText || scopeGiven)
        return fail(QStringLiteral("--from, --to and --scope belong to ical"));
    const auto r = Reports().find(report);
    if (r == Reports().end())
        return fail(QStringLiteral("unknown report: %1 (day, week, month, year, feasts, search or ical)")
                        .arg(report));
    a.Tab = r->second;
    if (a.Name && (a.Tab != 5 || a.Text || a.WholeWord))
        return fail(QStringLiteral("--name belongs to search, without --text and --whole-word"));
    if (a.Name && a.Name->trimmed().isEmpty())
        return fail(QStringLiteral("search needs a name to look for: --name N"));
    if (a.Tab == 5 && !a.Name && (!a.Text || a.Text->trimmed().isEmpty()))
        return fail(QStringLiteral("search needs a text to look for: --text T, or a name: --name N"));

    if (dateText) {
        const auto d = ReadDate(*dateText, a.Style, error);
        if (!d)
            return std::nullopt;
        a.Year = d->Year;
        a.Month = d->Month;
        a.Day = d->Day;
    }
    return a;
}

Settings SettingsOf(const ToolArgs& a, int currentYear) {
    Settings s;
    s.ShowIndiction = a.Indiction;
    s.ShowAllStyles = a.AllStyles;
    s.ShowFasting = a.Fasting;
    s.ShowReadings = a.Readings;
    s.FirstWeekday = a.FirstWeekday;
    if (a.Font)
        s.FontName = *a.Font;
    if (a.FontSize)
        s.FontSize = *a.FontSize;
    s.MinYear = a.MinYear;
    s.MaxYear = a.MaxYear;
    CorrectYearRange(s.MinYear, s.MaxYear, currentYear);
    return s;
}

QString HelpText() {
    // The numbers come from the constants the arguments are checked against, so the text cannot drift.
    const Settings defaults;
    const auto n = [](int number) { return QString::number(number); };
    const QString head = QStringLiteral(R"(vorelian-report REPORT [параметры]
vorelian-report ical --from YYYY-MM-DD --to YYYY-MM-DD [--scope great|red|all] [--style 1|2|3]

Строит отчёт церковного календаря без окна и выводит его.
Builds a report of the church calendar without a window and prints it.

REPORT / отчёт:
  day      день / the day
  week     седмица / the week (Sunday to Saturday)
  month    месяц / the month
  year     год / the year
  feasts   основные праздники года / the main feasts of the year
  search   выборка: поиск текста в году (нужен --text) или именин (--name) /
           search the year (needs --text), or the name days (--name)
  ical     календарь iCalendar (RFC 5545) за дни --from..--to, не более %1 лет, для программ
           календаря: событие на весь день для каждого дня выбранного охвата.
           an iCalendar file (RFC 5545) of the days --from..--to, at most %1 years, for calendar
           programs: an all-day event for each day of the chosen scope.

Параметры / options:
  --date YYYY-MM-DD   дата в выбранном стиле; для стиля 1 год от Сотворения мира, месяц 1 — сентябрь;
                      по умолчанию сегодня по новому стилю.
                      a date in the chosen style; for style 1 the year is Anno Mundi and month 1 is
                      September; default: today in the Gregorian calendar.
  --style 1|2|3       1 от Сотворения мира, 2 по старому стилю, 3 по новому стилю (по умолчанию 3)
                      1 Anno Mundi, 2 Julian, 3 Gregorian (default 3)
  --format text|rtf|json  text: текст, как его показывает окно, UTF-8, абзац на строку (по умолчанию);
                      rtf: документ отчёта точно как его пишет программа (байты Windows-1251).
                      json: дни, праздники или выборка как документ JSON в UTF-8.
                      text: what the view shows, UTF-8, one paragraph a line (default);
                      rtf: the exact report document the program writes (Windows-1251 bytes);
                      json: the days, feasts or matches as a JSON document in UTF-8.
  --from, --to YYYY-MM-DD  первый и последний день календаря ical, в выбранном стиле
                      first and last day of the ical file, in the chosen style
  --scope great|red|all    великие праздники, красные дни или все дни (по умолчанию all)
                      great feasts, red days or every day (default all)
  --indiction         показывать год индиктиона / show the year of the indiction
  --all-styles        даты во всех трёх стилях / dates in all three styles
  --fasting on|off    строка поста в конце дня (по умолчанию on) / the fasting line of each day
                      (default on)
  --readings on|off   чтения дня, литургия и венчание (по умолчанию on) / the readings, the Liturgy
                      and the weddings line of each day (default on)
  --first-weekday 1|7 первый день недели в сетке месяца (на отчёты не влияет)
                      first weekday of the month grid (reports do not depend on it)
  --font NAME         шрифт отчёта (по умолчанию %2) / report font (default %2)
  --font-size N       размер шрифта в пунктах, 1..%3 (по умолчанию %4) / font size in points
  --min-year N        первый год диапазона по старому стилю, %5..%6 (по умолчанию %7)
                      first Julian year of the range, %5..%6 (default %7)
  --max-year N        последний год диапазона по старому стилю, %5..%6 (по умолчанию %8); годы,
                      исключающие текущий, заменяются на %7 и %8, как при запуске программы.
                      last Julian year of the range, %5..%6 (default %8); years that would leave out
                      the current year become %7 and %8, as at the program's start.
)");
    const QString tail = QStringLiteral(R"(  --text T            текст для выборки / the text to search for
  --whole-word        в выборке только целые слова / search whole words only
  --name N            именины: дни святых с этим именем (вместо --text) /
                      name days: the days of the saints of this name (instead of --text)
  --help, -h          эта справка / this help

)");
    return head.arg(n(MaxIcalYears), defaults.FontName, n(MaxFontSize), n(kDefaultFontSize), n(kFirstYear),
                    n(kLastYear), n(kDefaultMinYear), n(kDefaultMaxYear)) +
           DataOptionHelp(22) + tail + QString::fromUtf8(kExitStatusHelp);
}

} // namespace vorelian::tool
