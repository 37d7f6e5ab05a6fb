// vorelian-report: builds one report exactly as the program builds it for its view, without a window, and
// prints it as the view's text or as the report document itself. It only reads the arguments, asks the day
// engine for the document of the day and style, and prints: every line of the reports is the report
// layer's. It writes no file.
#include "exportcmd.h"
#include "toolargs.h"

#include "bases/bases.h"
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

int WriteFailed() {
    return EndWith(kProgram, ExitFailure, QStringLiteral("the report could not be written out"));
}

bool WriteOut(const QByteArray& bytes) {
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return false;
    return out.write(bytes) == bytes.size() && out.flush();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString error;
    const auto parsed = tool::ParseToolArgs(CommandArguments(), error);
    if (!parsed)
        return BadArgument(error);
    const tool::ToolArgs& a = *parsed;
    if (a.Help)
        return WriteOut(tool::HelpText().toUtf8()) ? ExitSuccess : ExitFailure;

    const CommandData data = FindCommandData(QCoreApplication::applicationDirPath(), a.DataDir);
    if (data.Status != ExitSuccess)
        return EndWith(kProgram, data.Status, data.Message);
    const QString folder = data.Calendar;

    // The settings as the program holds them after its start.
    Settings options;
    options.ShowIndiction = a.Indiction;
    options.ShowAllStyles = a.AllStyles;
    options.ShowFasting = a.Fasting;
    options.FirstWeekday = a.FirstWeekday;
    if (a.Font)
        options.FontName = *a.Font;
    if (a.FontSize)
        options.FontSize = *a.FontSize;
    const QDate today = QDate::currentDate();
    options.MinYear = a.MinYear;
    options.MaxYear = a.MaxYear;
    CorrectYearRange(options.MinYear, options.MaxYear, today.year());

    CalendarState st;
    InitStyleTables(st);
    SetYearRange(st, options.MinYear, options.MaxYear);
    if (a.Ical) {
        const int32_t first = DayNumber(a.Style, a.From->Day, a.From->Month, a.From->Year);
        const int32_t last = DayNumber(a.Style, a.To->Day, a.To->Month, a.To->Year);
        if (first < st.MinDayNumbers[a.Style] || last > st.MaxDayNumbers[a.Style])
            return BadArgument(QStringLiteral("the range is outside the range of years %1-%2 (Julian)")
                                   .arg(options.MinYear)
                                   .arg(options.MaxYear));
        const auto engine = DayEngine::Load(folder);
        return WriteOut(tool::IcalReport(a, *engine, {first, last})) ? ExitSuccess : WriteFailed();
    }

    if (a.Year) {
        const int32_t n = DayNumber(a.Style, int16_t(*a.Day), int16_t(*a.Month), int16_t(*a.Year));
        if (n < st.MinDayNumbers[a.Style] || n > st.MaxDayNumbers[a.Style])
            return BadArgument(QStringLiteral("the date is outside the range of years %1-%2 (Julian)")
                                   .arg(options.MinYear)
                                   .arg(options.MaxYear));
        GoToDay(st, a.Style, n);
    } else {
        PlaceToday(st, today, a.Style); // as at the program's start
    }
    const int32_t day = st.CurDayNumber;

    const auto engine = DayEngine::Load(folder);
    DayOptions dayOptions{a.Style, options.ShowIndiction, options.ShowAllStyles, options.ShowFasting};
    dayOptions.ShowReadings = a.Readings;
    if (a.Output == tool::Format::Json)
        return WriteOut(tool::JsonReport(a, *engine, day)) ? ExitSuccess : WriteFailed();
    const QByteArray document =
        ReportDocument(*engine, a.Tab, day, dayOptions, options, a.Text.value_or(QString()), a.WholeWord);
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
    if (!WriteOut(bytes))
        return WriteFailed();
    if (cut)
        return EndWith(kProgram, ExitOutputCut,
                       QStringLiteral("the report was cut at %1 characters; --format rtf gives it whole")
                           .arg(limits.MaxText));
    return ExitSuccess;
}
