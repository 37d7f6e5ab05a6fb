// vorelian-report: builds one report exactly as the program builds it for its view, without a window, and
// prints it as the view's text or as the report document itself. It only reads the arguments, asks the day
// engine for the document of the day and style, and prints: every line of the reports is the report
// layer's. It writes no file.
#include "exportcmd.h"
#include "toolargs.h"

#include "bases/bases.h"
#include "bases/datafiles.h"
#include "core/calendar.h"
#include "core/commandline.h"
#include "core/exitstatus.h"
#include "core/settings.h"
#include "core/state.h"
#include "engine/dayengine.h"
#include "engine/startup.h"
#include "report/documents.h"
#include "report/report.h"
#include "rtf/reader.h"
#include "rtf/writer.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>

using namespace vorelian;

namespace {

constexpr const char* kProgram = "vorelian-report";

int BadArgument(const QString& message) {
    return EndWith(kProgram, ExitBadArguments, message);
}

// Writes the report to stdout; on failure says why, as the file device gives it.
bool WriteOut(const QByteArray& bytes, QString& why) {
    QFile out;
    if (out.open(stdout, QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.flush())
        return true;
    why = out.errorString();
    return false;
}

int WriteFailed(const QString& why) {
    return EndWith(kProgram, ExitFailure, QStringLiteral("the report could not be written out: %1").arg(why));
}

// "the date is outside the range of years 1901-2100 of the Julian style": the years checked are those of
// the style the dates are given in.
QString OutOfRange(const QString& what, const CalendarState& st, int16_t style) {
    static const char* const styles[4] = {"", "Anno Mundi", "Julian", "Gregorian"};
    return QStringLiteral("%1 is outside the range of years %2-%3 of the %4 style")
        .arg(what)
        .arg(st.MinYears[style])
        .arg(st.MaxYears[style])
        .arg(QLatin1String(styles[style]));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString error, why;
    const auto parsed = tool::ParseToolArgs(CommandArguments(), error);
    if (!parsed)
        return BadArgument(error);
    const tool::ToolArgs& a = *parsed;
    if (a.Help)
        return WriteOut(tool::HelpText().toUtf8(), why) ? ExitSuccess : ExitFailure;

    const CommandData data = FindCommandData(QCoreApplication::applicationDirPath(), a.DataDir);
    if (data.Status != ExitSuccess)
        return EndWith(kProgram, data.Status, data.Message);
    const QString folder = data.Calendar;
    if (const QString warning = MonthFileWarning(folder); !warning.isEmpty())
        EndWith(kProgram, ExitSuccess, warning);

    const QDate today = QDate::currentDate();
    const Settings options = tool::SettingsOf(a, today.year());

    CalendarState st;
    StartCalendar(st, options.MinYear, options.MaxYear);
    if (a.Ical) {
        const int32_t first = DayNumber(a.Style, a.From->Day, a.From->Month, a.From->Year);
        const int32_t last = DayNumber(a.Style, a.To->Day, a.To->Month, a.To->Year);
        if (first < st.MinDayNumbers[a.Style] || last > st.MaxDayNumbers[a.Style])
            return BadArgument(OutOfRange(QStringLiteral("the range"), st, a.Style));
        const auto engine = DayEngine::Load(folder);
        return WriteOut(tool::IcalReport(a, *engine, {first, last}), why) ? ExitSuccess : WriteFailed(why);
    }

    if (a.Year) {
        const int32_t n = DayNumber(a.Style, int16_t(*a.Day), int16_t(*a.Month), int16_t(*a.Year));
        if (n < st.MinDayNumbers[a.Style] || n > st.MaxDayNumbers[a.Style])
            return BadArgument(OutOfRange(QStringLiteral("the date"), st, a.Style));
        GoToDay(st, a.Style, n);
    } else {
        PlaceToday(st, today, a.Style); // as at the program's start
    }
    const int32_t day = st.CurDayNumber;

    const auto engine = DayEngine::Load(folder);
    const DayOptions dayOptions = tool::OptionsOf(a);
    if (a.Output == tool::Format::Json)
        return WriteOut(tool::JsonReport(a, *engine, day), why) ? ExitSuccess : WriteFailed(why);
    const QByteArray document =
        a.Name ? NameSelectionDocument(DocRequest{*engine, dayOptions, options, day}, *a.Name)
               : ReportDocument(*engine, a.Tab, day, dayOptions, options, a.Text.value_or(QString()),
                                a.WholeWord);
    if (document.isEmpty())
        return EndWith(kProgram, ExitFailure, QStringLiteral("no report was built"));

    // The text is what the view would show, and the view keeps no more than its limit of characters.
    const rtf::ReadLimits limits;
    bool cut = false;
    QByteArray bytes = document;
    if (a.Output == tool::Format::Text) {
        const rtf::Document shown = rtf::ReadRtf(document, limits);
        cut = rtf::ReachedLimit(shown, limits);
        bytes = rtf::PlainTextForTerminal(shown);
    }
    if (!WriteOut(bytes, why))
        return WriteFailed(why);
    if (cut)
        return EndWith(kProgram, ExitOutputCut,
                       QStringLiteral("the report was cut at %1 characters; --format rtf gives it whole")
                           .arg(limits.MaxText));
    return ExitSuccess;
}
