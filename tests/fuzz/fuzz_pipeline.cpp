// Any bytes as every data file of the calendar at once (each day file and each record file is the input):
// the reader, the bases, the red days and every report built for one fixed date. Nothing may crash, hang
// or grow out of bounds. One data set for all the files, rather than one file in turn with the rest empty,
// keeps the run fast enough for the fuzzer to get anywhere, and covers the same loaders.
#include "bases/bases.h"
#include "core/calendar.h"
#include "core/recalc.h"
#include "core/settings.h"
#include "core/state.h"
#include "report/report.h"

#include <QLoggingCategory>

#include <cstdint>
#include <cstdlib>

using namespace vorelian;

namespace {

class Host : public ReportHost {
public:
    void ShowReport(int, const QString&, const QByteArray& document) override { Shown += document.size(); }
    qsizetype Shown = 0;
};

// Every report of Pascha 2025 (the same day in both calendars) with `file` as every data file.
void AllReports(const Profile& file) {
    CalendarData data;
    data.Files.SetFolder(QStringLiteral("/nonexistent/Calendar"));
    for (int slot = 0; slot < DataFiles::Count; ++slot)
        if (slot != DataFiles::Abbr && !DataFiles::Names[slot].isEmpty())
            data.Profiles.Put(data.Files[slot], file);
    LoadBases(data);

    Settings options;
    CalendarState st;
    InitStyleTables(st);
    SetYearRange(st, options.MinYear, options.MaxYear);
    BasesHooks hooks(data);
    st.Hooks = &hooks;
    st.CurStyle = StyleGregorian;
    SetGregorianDate(st, 20, 4, 2025);

    Reports reports;
    Host host;
    ReportContext ctx{st, options, data, reports, &host};
    for (int tab = TabDay; tab <= TabFeasts; ++tab)
        BuildReport(ctx, tab);
    FindInYear(ctx, QStringLiteral("Св"), false);
    if (host.Shown <= 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("vorelian.*.warning=false"));
        return true;
    }();
    (void)quiet;

    AllReports(Profile::Parse(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size))));
    return 0;
}
