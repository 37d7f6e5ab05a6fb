// vorelian-report: builds one report exactly as the program builds it for its view, without a window, and
// prints it as the view's text or as the report document itself. It only reads the arguments, sets the
// calendar state as the program does, and prints: every line of the reports is the report layer's.
#include "toolargs.h"

#include "bases/bases.h"
#include "core/calendar.h"
#include "core/exitstatus.h"
#include "core/recalc.h"
#include "core/settings.h"
#include "core/state.h"
#include "report/report.h"
#include "rtf/reader.h"
#include "rtf/writer.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

using namespace vorelian;

namespace {

// Keeps the document the report layer hands over.
class ToolHost : public ReportHost {
public:
    void ShowReport(int, const QString&, const QByteArray& document) override {
        Document = document;
        Shown = true;
    }
    QByteArray Document;
    bool Shown = false;
};

int BadArgument(const QString& message) {
    std::fprintf(stderr, "vorelian-report: %s\n", message.toLocal8Bit().constData());
    return ExitBadArguments;
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
    QStringList args = app.arguments();
    args.removeFirst();

    QString error;
    const auto parsed = tool::ParseToolArgs(args, error);
    if (!parsed)
        return BadArgument(error);
    const tool::ToolArgs& a = *parsed;
    if (a.Help)
        return WriteOut(tool::HelpText().toUtf8()) ? ExitSuccess : ExitFailure;

    CalendarData data;
    if (a.DataDir.isEmpty()) {
        data.Files = DataFiles::BesideProgram();
    } else {
        if (!QFileInfo(a.DataDir).isDir())
            return BadArgument(QStringLiteral("no such data folder: %1").arg(a.DataDir));
        data.Files.SetFolder(QDir(a.DataDir).absolutePath());
    }

    // The settings as the program holds them after its start.
    Settings options;
    options.ShowIndiction = a.Indiction;
    options.ShowAllStyles = a.AllStyles;
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
    LoadBases(data);
    BasesHooks hooks(data);
    st.Hooks = &hooks;

    if (a.Year) {
        const int32_t n = DayNumber(a.Style, int16_t(*a.Day), int16_t(*a.Month), int16_t(*a.Year));
        if (n < st.MinDayNumbers[a.Style] || n > st.MaxDayNumbers[a.Style])
            return BadArgument(QStringLiteral("the date is outside the range of years %1-%2 (Julian)")
                                   .arg(options.MinYear)
                                   .arg(options.MaxYear));
        st.CurStyle = a.Style;
        st.CurDayNumber = n;
        DayNumberToJulian(st);
        JulianToAnnoMundi(st);
        JulianToGregorian(st);
        RecalcYear(st);
    } else {
        // Today in the Gregorian calendar, then the chosen style, as at the program's start.
        st.CurStyle = StyleGregorian;
        SetGregorianDate(st, int16_t(today.day()), int16_t(today.month()), int16_t(today.year()));
        if (a.Style != StyleGregorian) {
            st.CurStyle = a.Style;
            ApplyStyle(st);
        }
    }

    // No temporary report files: the document comes back from the report layer in memory, and a tool
    // that is killed must leave nothing behind.
    Reports reports;
    ToolHost host;
    ReportContext ctx{st, options, data, reports, &host};
    if (a.Tab == TabSelection)
        FindInYear(ctx, *a.Text, a.WholeWord);
    else
        BuildReport(ctx, a.Tab);
    if (!host.Shown) {
        std::fprintf(stderr, "vorelian-report: no report was built\n");
        return ExitFailure;
    }

    // The text is what the view would show, and the view keeps no more than its limit of characters.
    const rtf::ReadLimits limits;
    bool cut = false;
    QByteArray bytes = host.Document;
    if (a.Output == tool::Format::Text) {
        const rtf::Document shown = rtf::ReadRtf(host.Document, limits);
        cut = rtf::ReachedLimit(shown, limits);
        bytes = rtf::PlainTextForTerminal(shown);
    }
    if (!WriteOut(bytes)) {
        std::fprintf(stderr, "vorelian-report: the report could not be written out\n");
        return ExitFailure;
    }
    if (cut) {
        std::fprintf(stderr,
                     "vorelian-report: the report was cut at %lld characters; --format rtf gives it whole\n",
                     static_cast<long long>(limits.MaxText));
        return ExitOutputCut;
    }
    return ExitSuccess;
}
