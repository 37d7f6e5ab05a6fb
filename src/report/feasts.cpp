// The main feasts report of tab 4 and the dated-row buffer that it shares with the selection report.
#include "bases/profile.h"
#include "core/calendar.h"
#include "core/tables.h"
#include "engine/yearfeasts.h"
#include "report/builders.h"
#include "report/dayblock.h"
#include "report/dialect.h"
#include "report/documents.h"

#include <algorithm>

namespace vorelian {
namespace {

QString Heading(QStringView before, QStringView title) {
    QString s;
    s += before;
    s += dialect::Blank;
    s += dialect::Red;
    s += title;
    s += dialect::Navy;
    s += dialect::Par;
    s += dialect::Separator;
    s += dialect::Par;
    return s;
}

// Places each feast of a table in the year, on the day it is kept, as rows in date order.
std::vector<DatedRow> FixedFeastRows(const DocRequest& r, const FeastYear& y, const FixedFeast* begin,
                                     const FixedFeast* end) {
    std::vector<DatedRow> rows;
    for (const FixedFeast* f = begin; f != end; ++f) {
        const int32_t d = FeastDay(r.Engine, y, *f);
        if (d == 0)
            continue;
        DatedRow row;
        row.Day = d;
        row.DateText = DatedRowHead(r.Engine.Day(d, r.Options), r.Options, false);
        row.EntryText = RankMarker(QString::fromUtf16(f->Title));
        row.EntryText += dialect::Par;
        rows.push_back(std::move(row));
    }
    SortRows(rows);
    return rows;
}

void WriteRows(ReportWriter& out, const std::vector<DatedRow>& rows) {
    for (const DatedRow& row : rows) {
        QString s = row.DateText;
        s += row.EntryText;
        s += dialect::Par;
        s += dialect::Separator;
        s += dialect::Par;
        out.Write(s);
    }
}

} // namespace

void SortRows(std::vector<DatedRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const DatedRow& a, const DatedRow& b) { return a.Day < b.Day; });
}

QByteArray FeastsDocument(const DocRequest& r) {
    const FeastYear y = FeastYearOf(r.Day, r.Options.Style);
    const int32_t pascha = y.State.Pascha.PaschaDay;
    ReportWriter out;
    out.Write(ReportHeader(r.Font) + HeadingBlock(YearTitle(y.State.Cur().Year, r.Options.Style)));

    // Pascha: the only red block, without a weekday line.
    QString s = dialect::Red.toString();
    s += DateLines(r.Engine.Day(pascha, r.Options), r.Options.Style, false, false, r.Options.ShowAllStyles);
    s += dialect::Blank;
    s += QStringView(PaschaTitle);
    s += dialect::Navy;
    s += dialect::Par;
    s += dialect::Par;
    s += dialect::Separator;
    s += dialect::Par;
    s += dialect::Par;
    out.Write(s);

    out.Write(Heading(QStringView(), u"Двунадесятые переходящие праздники"));
    for (const MovableFeast& f : TwelveMovableFeasts) {
        s = DatedRowHead(r.Engine.Day(pascha + f.Offset, r.Options), r.Options, false);
        s += dialect::Blank;
        s += QStringView(f.Title);
        s += dialect::Par;
        s += dialect::Par;
        s += dialect::Separator;
        s += dialect::Par;
        if (f.Offset == 49)
            s += dialect::Par; // an empty line after Pentecost, before the next heading
        out.Write(s);
    }

    out.Write(Heading(QStringView(), u"Двунадесятые непереходящие праздники"));
    WriteRows(out, FixedFeastRows(r, y, std::begin(TwelveFixedFeasts), std::end(TwelveFixedFeasts)));
    out.Write(Heading(dialect::Par, u"Великие праздники"));
    WriteRows(out, FixedFeastRows(r, y, std::begin(GreatFixedFeasts), std::end(GreatFixedFeasts)));

    out.Write(dialect::DocEnd);
    return out.Document();
}

} // namespace vorelian
