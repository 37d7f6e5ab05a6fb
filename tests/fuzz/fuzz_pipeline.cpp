// Any bytes as every data file of the calendar at once (each day file and each record file is the input):
// the reader, the bases, the marks of a month and every report built for one fixed date by the day engine,
// as the window asks for them and as the tool, the exports and the service do. Nothing may crash, hang
// or grow out of bounds. One data set for all the files, rather than one file in turn with the rest empty,
// keeps the run fast enough for the fuzzer to get anywhere, and covers the same loaders.
#include "bases/bases.h"
#include "core/calendar.h"
#include "core/recalc.h"
#include "core/settings.h"
#include "core/state.h"
#include "engine/dayengine.h"
#include "engine/fasting.h"
#include "engine/startup.h"
#include "report/documents.h"
#include "report/export.h"
#include "report/exportdays.h"
#include "report/report.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace vorelian;

namespace {

class Host : public ReportHost {
public:
    void ShowReport(int, const QString&, const QByteArray& document) override { Shown += document.size(); }
    qsizetype Shown = 0;
};

// Every report of the window for Pascha 2025 in the Gregorian calendar, and the marks of its month.
void WindowReports(const DayEngine& engine) {
    Settings options;
    CalendarState st;
    StartCalendar(st, options.MinYear, options.MaxYear);
    SetGregorianDate(st, 20, 4, 2025);
    Reports reports;
    Host host;
    const ReportView view{engine, st, options, reports, &host};
    for (int tab = TabDay; tab <= TabFeasts; ++tab)
        BuildReport(view, tab);
    FindInYear(view, QStringLiteral("Св"), false);
    if (host.Shown <= 0 || engine.Month(2025, 4, DayOptionsOf(options, StyleGregorian)).size() != 30)
        std::abort();
}

// The same input as every file of a data set folder (the fasting rules among them), loaded by the day
// engine: the JSON and the calendar file of the week of that Pascha, and the day report.
void EngineAnswers(const QByteArray& input) {
    static QTemporaryDir folder;
    for (int slot = 0; slot < DataFiles::Count; ++slot)
        if (slot != DataFiles::Abbr && !DataFiles::Names[slot].isEmpty()) {
            QFile out(folder.filePath(DataFiles::Names[slot]));
            if (out.open(QIODevice::WriteOnly))
                out.write(input);
        }
    QFile rules(folder.filePath(FastingFileName.toString()));
    if (rules.open(QIODevice::WriteOnly))
        rules.write(input);
    rules.close();

    const auto engine = DayEngine::Load(folder.path());
    DayOptions options;
    const DateParts pascha{2025, 4, 20};
    if (JsonBytes(ReportJson(*engine, 1, pascha, options, QStringLiteral("Св"))).isEmpty())
        std::abort();
    if (!IcalCalendar(*engine, ReportDays(1, options.Style, pascha), IcalScope::All, options))
        std::abort();
    const auto day = engine->DayNumberOf(options.Style, pascha.Year, pascha.Month, pascha.Day);
    if (!day || ReportDocument(*engine, 0, *day, options, Settings()).isEmpty())
        std::abort();
    WindowReports(*engine);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("vorelian.*.warning=false"));
        return true;
    }();
    (void)quiet;

    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    EngineAnswers(input);
    return 0;
}
