// vorelian-report: builds one report exactly as the program builds it for its view, without a window, and
// prints it as the view's text or as the report document itself. It only reads the arguments, asks the day
// engine for the document of the day and style, and prints: every line of the reports is the report
// layer's. It writes no file.
#include "toolargs.h"

#include "bases/bases.h"
#include "core/calendar.h"
#include "core/settings.h"
#include "core/state.h"
#include "engine/dayengine.h"
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

int BadArgument(const QString& message) {
    std::fprintf(stderr, "vorelian-report: %s\n", message.toLocal8Bit().constData());
    return 2;
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

    QString folder = DataFiles::BesideProgram()[DataFiles::Relocatable];
    folder = QFileInfo(folder).absolutePath();
    if (!a.DataDir.isEmpty()) {
        if (!QFileInfo(a.DataDir).isDir())
            return BadArgument(QStringLiteral("no such data folder: %1").arg(a.DataDir));
        folder = QDir(a.DataDir).absolutePath();
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
    int32_t day = 0;
    if (a.Year) {
        day = DayNumber(a.Style, int16_t(*a.Day), int16_t(*a.Month), int16_t(*a.Year));
        if (day < st.MinDayNumbers[a.Style] || day > st.MaxDayNumbers[a.Style])
            return BadArgument(QStringLiteral("the date is outside the range of years %1-%2 (Julian)")
                                   .arg(options.MinYear)
                                   .arg(options.MaxYear));
    } else {
        day = DayNumber(StyleGregorian, int16_t(today.day()), int16_t(today.month()), int16_t(today.year()));
    }

    const auto engine = DayEngine::Load(folder);
    const DayOptions dayOptions{a.Style, options.ShowIndiction, options.ShowAllStyles};
    const QByteArray document =
        engine->ReportDocument(a.Tab, day, dayOptions, options, a.Text.value_or(QString()), a.WholeWord);
    if (document.isEmpty()) {
        std::fprintf(stderr, "vorelian-report: no report was built\n");
        return 1;
    }

    const QByteArray bytes =
        a.Output == tool::Format::Rtf ? document : rtf::PlainTextForTerminal(rtf::ReadRtf(document));
    if (!WriteOut(bytes)) {
        std::fprintf(stderr, "vorelian-report: the report could not be written out\n");
        return 1;
    }
    return 0;
}
