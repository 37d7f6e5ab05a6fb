#include "report/documents.h"

#include "core/calendar.h"
#include "report/builders.h"
#include "report/dayblock.h"
#include "report/dialect.h"

#include <QFile>

namespace vorelian {

QString PeriodDayBlock(const DayInfo& day, const DayOptions& o, bool firstDay, bool showYear, bool inWeek) {
    QString block;
    if (o.ShowIndiction && (firstDay || (day.AnnoMundi.Month == 1 && day.AnnoMundi.Day == 1)))
        block = IndictionLine(day);
    block += DateLines(day, o.Style, showYear, false, o.ShowAllStyles);
    block += day.WeekdayLineStored;
    block += dialect::Par;
    block += EntriesMarkup(day, o);
    block.prepend(day.Red ? dialect::Red : dialect::Navy);
    block += dialect::Navy;
    if (inWeek)
        block += u"\r\n";
    block += dialect::Par;
    block += dialect::Separator;
    block += dialect::Par;
    return block;
}

QString DatedRowHead(const DayInfo& day, const DayOptions& o, bool showYear) {
    QString s = DateLines(day, o.Style, showYear, false, o.ShowAllStyles);
    s += day.WeekdayLineStored;
    s += dialect::Par;
    s += dialect::Par;
    return s;
}

QByteArray DayDocument(const DocRequest& r) {
    const DayInfo day = r.Engine.Day(r.Day, r.Options);
    ReportWriter out;
    out.Write(ReportHeader(r.Font));
    QString body = day.Red ? dialect::Red.toString() : dialect::Navy.toString();
    if (r.Options.ShowIndiction)
        body += IndictionLine(day);
    body += DateLines(day, r.Options.Style, true, true, r.Options.ShowAllStyles);
    body += day.WeekdayLineStored;
    body += dialect::Par;
    body += EntriesMarkup(day, r.Options);
    body += dialect::DocEnd;
    out.Write(body);
    return out.Document();
}

void ShowDocument(const ReportView& view, int tab, const QByteArray& document) {
    const QString& path = view.Out.Temp.Paths[tab];
    bool ok = false;
    if (!path.isEmpty()) {
        QFile file(path);
        ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
             file.write(document) == document.size() && file.flush();
        file.close();
        ok = ok && file.error() == QFileDevice::NoError;
    }
    if (view.Host)
        view.Host->ShowReport(tab, ok ? path : QString(), document);
}

QByteArray ReportDocument(const DayEngine& engine, int tab, int32_t dayNumber, const DayOptions& options,
                          const Settings& font, const QString& searchText, bool wholeWord) {
    const DocRequest r{engine, options, font, dayNumber};
    switch (tab) {
    case TabDay:
        return DayDocument(r);
    case TabWeek:
        return WeekDocument(r);
    case TabMonth:
        return MonthDocument(r);
    case TabYear:
        return YearDocument(r);
    case TabFeasts:
        return FeastsDocument(r);
    case TabSelection:
        return SelectionDocument(r, searchText, wholeWord);
    default:
        return {};
    }
}

} // namespace vorelian
