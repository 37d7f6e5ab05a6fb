// The selection report of tab 5: every day of the year whose commemorations hold the searched text, in date
// order, with the matches in red.
#include "bases/profile.h"
#include "core/tables.h"
#include "report/builders.h"
#include "report/dayblock.h"
#include "report/dialect.h"
#include "report/documents.h"

#include <map>

namespace vorelian {
namespace {

constexpr qsizetype kColourTokens = 10; // "\cf2 " and "\cf1 " around a match

} // namespace

QString MarkMatches(QString text, qsizetype position, QStringView pattern, bool wholeWord) {
    const qsizetype len = pattern.size();
    qsizetype p = position;
    while (p > 0) {
        text.insert(p - 1, dialect::Red);
        text.insert(p + 4 + len, dialect::Navy);
        p = FindText(p + len + kColourTokens, LowerChars(text), pattern, wholeWord);
    }
    return text;
}

namespace {

// The rows of the selection: each day that holds the text, in date order.
struct Selection {
    const DocRequest& R;
    const QString& Pattern;
    bool WholeWord;
    std::vector<DatedRow> Rows;
    std::map<std::pair<int32_t, bool>, QString> Heads;

    // The date lines of a day, made once: a full day file may hold thousands of matches, and the engine
    // would build the whole day again for each.
    const QString& HeadOf(int32_t dayNumber, bool movable) {
        const auto [at, added] = Heads.try_emplace({dayNumber, movable});
        if (added)
            at->second = DatedRowHead(R.Engine.Day(dayNumber, R.Options), R.Options, movable);
        return at->second;
    }

    // One stored movable text under its day number: appended to the last row when that row is of the same
    // day.
    void AddMovable(int32_t dayNumber, const QString& text) {
        const qsizetype p = FindText(1, LowerChars(text), Pattern, WholeWord);
        if (p == 0)
            return;
        const QString marked = MarkMatches(text, p, Pattern, WholeWord);
        if (!Rows.empty() && Rows.back().Day == dayNumber) {
            Rows.back().EntryText += marked;
            return;
        }
        DatedRow row;
        row.Day = dayNumber;
        row.DateText = HeadOf(dayNumber, true);
        row.EntryText = marked;
        Rows.push_back(std::move(row));
    }

    // One entry of a day file, found at `position`, on its day of the year.
    void AddDated(int32_t dayNumber, qsizetype position, const QString& text) {
        DatedRow row;
        row.Day = dayNumber;
        row.DateText = HeadOf(dayNumber, false);
        row.EntryText = RankMarker(MarkMatches(text, position, Pattern, WholeWord));
        row.EntryText += dialect::Par;
        Rows.push_back(std::move(row));
    }
};

// The selection document: the year, the searched text after its label, then the rows or «Ничего не
// найдено».
QByteArray SelectionOut(const DocRequest& r, int16_t year, QStringView label, const QString& text,
                        const std::vector<DatedRow>& rows) {
    ReportWriter out;
    QString s = ReportHeader(r.Font);
    s += dialect::Navy;
    s += dialect::Par;
    s += dialect::Blank;
    s += YearTitle(year, r.Options.Style);
    s += dialect::Par;
    s += dialect::Par;
    s += dialect::Blank;
    s += label;
    s += dialect::Red;
    s += EscapeRtfText(text);
    s += dialect::Navy;
    s += u'"';
    s += dialect::Par;
    s += dialect::Par;
    out.Write(s);

    if (rows.empty()) {
        s = dialect::Separator.toString();
        s += dialect::Par;
        s += dialect::Par;
        s += dialect::Blank;
        s += u"Ничего не найдено";
        s += dialect::Par;
        s += dialect::Par;
        out.Write(s);
    }
    for (const DatedRow& row : rows) {
        s = dialect::Separator.toString();
        s += dialect::Par;
        s += row.DateText;
        s += row.EntryText;
        s += dialect::Par;
        out.Write(s);
    }
    s = dialect::Separator.toString();
    s += dialect::Par;
    s += dialect::DocEnd;
    out.Write(s);
    return out.Document();
}

} // namespace

QByteArray SelectionDocument(const DocRequest& r, const QString& text, bool wholeWord) {
    const QString pattern = LowerChars(text);
    if (pattern.trimmed().isEmpty())
        return {}; // nothing to search: the view keeps its document

    const CalendarState year = StateOfDay(r.Day, r.Options.Style);
    const DataSet& data = r.Engine.Data();
    Selection sel{r, pattern, wholeWord, {}, {}};
    ForEachPlacedRecord(data, year, [&](int32_t day, const BaseRecord& rec) {
        for (int key = 0; key < 8; ++key)
            sel.AddMovable(day, RecordText(rec, key));
    });
    const int16_t julianYear = year.StyleDates[StyleJulian].Year;
    ForEachDayFileEntry(data, year, [&](int16_t month, int16_t day, const DayEntry& e) {
        const qsizetype p = FindText(1, LowerChars(e.Stored), pattern, wholeWord);
        if (p == 0)
            return;
        if (const int32_t d = JulianDateInYear(year, julianYear, day, month))
            sel.AddDated(d, p, e.Stored);
    });

    // Date order; rows of one day become one, under the date lines of the row that sorted first.
    std::vector<DatedRow>& rows = sel.Rows;
    SortRows(rows);
    std::vector<DatedRow> merged;
    merged.reserve(rows.size());
    for (DatedRow& row : rows) {
        if (!merged.empty() && merged.back().Day == row.Day)
            merged.back().EntryText += row.EntryText;
        else
            merged.push_back(std::move(row));
    }

    return SelectionOut(r, year.Cur().Year, u"Строка поиска: \"", text, merged);
}

// The name-day selection: each day of the year whose saints bear the name, one row a day, the genitive of
// the name in red.
QByteArray NameSelectionDocument(const DocRequest& r, const QString& name) {
    if (name.trimmed().isEmpty())
        return {};
    const CalendarState year = StateOfDay(r.Day, r.Options.Style);
    const int16_t y = year.Cur().Year;
    QStringList forms;
    for (const QString& g : r.Engine.Data().Names.GenitivesOf(name))
        forms << LowerChars(g);
    std::vector<DatedRow> rows;
    for (const SearchMatch& m : r.Engine.SearchName(y, r.Options, name)) {
        QString text = EscapeRtfText(m.Text);
        for (const QString& g : forms)
            if (const qsizetype p = FindText(1, LowerChars(text), g, true); p > 0) {
                text = MarkMatches(text, p, g, true);
                break;
            }
        text += dialect::Par;
        if (!rows.empty() && rows.back().Day == m.DayNumber) {
            rows.back().EntryText += text;
            continue;
        }
        DatedRow row;
        row.Day = m.DayNumber;
        row.DateText = DatedRowHead(r.Engine.Day(m.DayNumber, r.Options), r.Options, false);
        row.EntryText = text;
        rows.push_back(std::move(row));
    }
    return SelectionOut(r, y, u"Именины: \"", name, rows);
}

namespace {

// A selection document of the current year and style, shown in its tab unless there was nothing to search.
template <class Build> void ShowSelection(const ReportView& view, Build build) {
    const BusyGuard busy(view.Host);
    const DayOptions o = DayOptionsOf(view.Options, view.State.CurStyle);
    const QByteArray doc = build(DocRequest{view.Engine, o, view.Options, view.State.CurDayNumber});
    if (!doc.isEmpty())
        ShowDocument(view, TabSelection, doc);
}

} // namespace

void FindInYear(const ReportView& view, const QString& text, bool wholeWord) {
    ShowSelection(view, [&](const DocRequest& r) { return SelectionDocument(r, text, wholeWord); });
}

void FindNameDays(const ReportView& view, const QString& name) {
    ShowSelection(view, [&](const DocRequest& r) { return NameSelectionDocument(r, name); });
}

} // namespace vorelian
