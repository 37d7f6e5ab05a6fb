// vorelian-report: builds one report exactly as the program builds it for its view, without a window, and
// prints it as the view's text or as the report document itself. It only reads the arguments, sets the
// calendar state as the program does, and prints: every line of the reports is the report layer's.
#include "toolargs.h"

#include "bases/bases.h"
#include "core/calendar.h"
#include "core/datalookup.h"
#include "core/recalc.h"
#include "core/settings.h"
#include "core/state.h"
#include "report/report.h"
#include "rtf/reader.h"
#include "rtf/writer.h"

#include <QCoreApplication>
#include <QDate>
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

// The six temporary report files live as long as the tool runs, as they do in the program.
struct TempFilesGuard {
    TempFiles& Files;
    explicit TempFilesGuard(TempFiles& files) : Files(files) { CreateTempFiles(Files); }
    ~TempFilesGuard() { DeleteTempFiles(Files); }
};

int BadArgument(const QString& message) {
    std::fprintf(stderr, "vorelian-report: %s\n", message.toLocal8Bit().constData());
    return 2;
}

// Status 3: no data set anywhere; the one line names every folder looked at.
int NoDataSet(const DataPlaces& places) {
    const QString message =
        QStringLiteral(
            "no calendar data (a Calendar folder holding January.DAT) in: %1; name one with --data "
            "or VORELIAN_DATA")
            .arg(places.Searched.join(QStringLiteral(", ")));
    std::fprintf(stderr, "vorelian-report: %s\n", message.toLocal8Bit().constData());
    return 3;
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
        return WriteOut(tool::HelpText().toUtf8()) ? 0 : 1;

    if (!a.DataDir.isEmpty() && !QFileInfo(a.DataDir).isDir())
        return BadArgument(QStringLiteral("no such data folder: %1").arg(a.DataDir));
    const DataPlaces places = FindDataSet(DataSearchFor(QCoreApplication::applicationDirPath(), a.DataDir));
    if (!places.Found())
        return NoDataSet(places);
    CalendarData data;
    data.Files.SetFolder(places.Calendar);

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

    Reports reports;
    const TempFilesGuard temp(reports.Temp);
    ToolHost host;
    ReportContext ctx{st, options, data, reports, &host};
    if (a.Tab == TabSelection)
        FindInYear(ctx, *a.Text, a.WholeWord);
    else
        BuildReport(ctx, a.Tab);
    if (!host.Shown) {
        std::fprintf(stderr, "vorelian-report: no report was built\n");
        return 1;
    }

    const QByteArray bytes = a.Output == tool::Format::Rtf
                                 ? host.Document
                                 : rtf::PlainTextForTerminal(rtf::ReadRtf(host.Document));
    if (!WriteOut(bytes)) {
        std::fprintf(stderr, "vorelian-report: the report could not be written out\n");
        return 1;
    }
    return 0;
}
