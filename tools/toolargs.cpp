#include "toolargs.h"

#include "core/exitstatus.h"

#include <QRegularExpression>

#include <functional>
#include <map>

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

bool JulianLeap(int y) {
    return y % 4 == 0;
}
bool GregorianLeap(int y) {
    return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

} // namespace

int MonthLength(int style, int month, int year) {
    static constexpr int lengths[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    int m = month, y = year;
    if (style == 1) {
        m = (month + 7) % 12 + 1;                   // September first
        y = month >= 5 ? year - 5508 : year - 5509; // the Julian year of that month
    }
    if (m != 2)
        return lengths[m];
    return (style == 3 ? GregorianLeap(y) : JulianLeap(y)) ? 29 : 28;
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
    std::optional<QString> dateText;
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
             if (v == u"text")
                 a.Output = Format::Text;
             else if (v == u"rtf")
                 a.Output = Format::Rtf;
             else
                 e = QStringLiteral("the format must be text or rtf: %1").arg(v);
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
             const auto n = Integer(v, 1, 1638);
             if (!n)
                 e = QStringLiteral("the font size must be a whole number of points from 1 to 1638: %1")
                         .arg(v);
             else
                 a.FontSize = int16_t(*n);
             return bool(n);
         }},
        {QStringLiteral("--min-year"),
         [&](const QString& v, QString& e) {
             const auto n = Integer(v, 1, 3000);
             if (!n)
                 e = QStringLiteral("the first year must be a Julian year from 1 to 3000: %1").arg(v);
             else
                 a.MinYear = int16_t(*n);
             return bool(n);
         }},
        {QStringLiteral("--max-year"),
         [&](const QString& v, QString& e) {
             const auto n = Integer(v, 1, 3000);
             if (!n)
                 e = QStringLiteral("the last year must be a Julian year from 1 to 3000: %1").arg(v);
             else
                 a.MaxYear = int16_t(*n);
             return bool(n);
         }},
        {QStringLiteral("--data"),
         [&](const QString& v, QString&) {
             a.DataDir = v;
             return true;
         }},
        {QStringLiteral("--text"),
         [&](const QString& v, QString&) {
             a.Text = v;
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
        return fail(QStringLiteral("no report given (day, week, month, year, feasts or search); see --help"));
    const auto r = Reports().find(report);
    if (r == Reports().end())
        return fail(
            QStringLiteral("unknown report: %1 (day, week, month, year, feasts or search)").arg(report));
    a.Tab = r->second;
    if (a.Tab == 5 && (!a.Text || a.Text->trimmed().isEmpty()))
        return fail(QStringLiteral("search needs a text to look for: --text T"));

    if (dateText) {
        static const QRegularExpression form(QStringLiteral("^(\\d{1,4})-(\\d{1,2})-(\\d{1,2})$"));
        const auto m = form.match(*dateText);
        if (!m.hasMatch())
            return fail(QStringLiteral("the date must be YYYY-MM-DD: %1").arg(*dateText));
        a.Year = m.captured(1).toInt();
        a.Month = m.captured(2).toInt();
        a.Day = m.captured(3).toInt();
        if (*a.Year < 1 || *a.Day < 1 || *a.Day > MonthLength(a.Style, *a.Month, *a.Year))
            return fail(QStringLiteral("there is no such day in style %1: %2").arg(a.Style).arg(*dateText));
    }
    return a;
}

QString HelpText() {
    return QStringLiteral(
        "vorelian-report REPORT [параметры]\n"
        "\n"
        "Строит отчёт церковного календаря без окна и выводит его.\n"
        "Builds a report of the church calendar without a window and prints it.\n"
        "\n"
        "REPORT / отчёт:\n"
        "  day      день / the day\n"
        "  week     седмица / the week (Sunday to Saturday)\n"
        "  month    месяц / the month\n"
        "  year     год / the year\n"
        "  feasts   основные праздники года / the main feasts of the year\n"
        "  search   выборка: поиск текста в году (нужен --text) / search the year (needs --text)\n"
        "\n"
        "Параметры / options:\n"
        "  --date YYYY-MM-DD   дата в выбранном стиле; для стиля 1 год от Сотворения мира, месяц 1 — "
        "сентябрь;\n"
        "                      по умолчанию сегодня по новому стилю.\n"
        "                      a date in the chosen style; for style 1 the year is Anno Mundi and month 1 "
        "is\n"
        "                      September; default: today in the Gregorian calendar.\n"
        "  --style 1|2|3       1 от Сотворения мира, 2 по старому стилю, 3 по новому стилю (по умолчанию 3)\n"
        "                      1 Anno Mundi, 2 Julian, 3 Gregorian (default 3)\n"
        "  --format text|rtf   text: текст, как его показывает окно, UTF-8, абзац на строку (по умолчанию);\n"
        "                      rtf: документ отчёта точно как его пишет программа (байты Windows-1251).\n"
        "                      text: what the view shows, UTF-8, one paragraph a line (default);\n"
        "                      rtf: the exact report document the program writes (Windows-1251 bytes).\n"
        "  --indiction         показывать год индиктиона / show the year of the indiction\n"
        "  --all-styles        даты во всех трёх стилях / dates in all three styles\n"
        "  --first-weekday 1|7 первый день недели в сетке месяца (на отчёты не влияет)\n"
        "                      first weekday of the month grid (reports do not depend on it)\n"
        "  --font NAME         шрифт отчёта (по умолчанию System) / report font (default System)\n"
        "  --font-size N       размер шрифта в пунктах, 1..1638 (по умолчанию 10) / font size in points\n"
        "  --min-year N        первый год диапазона по старому стилю (по умолчанию 1901)\n"
        "                      first Julian year of the range (default 1901)\n"
        "  --max-year N        последний год диапазона по старому стилю (по умолчанию 2100); годы,\n"
        "                      исключающие текущий, заменяются на 1901 и 2100, как при запуске программы.\n"
        "                      last Julian year of the range (default 2100); years that would leave out the\n"
        "                      current year become 1901 and 2100, as at the program's start.\n"
        "  --data DIR          папка данных (по умолчанию Calendar рядом с программой)\n"
        "                      data folder (default: Calendar beside the program)\n"
        "  --text T            текст для выборки / the text to search for\n"
        "  --whole-word        в выборке только целые слова / search whole words only\n"
        "  --help, -h          эта справка / this help\n"
        "\n") + QString::fromUtf8(kExitStatusHelp);
}

} // namespace vorelian::tool
