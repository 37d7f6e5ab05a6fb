// The selection report of tab 5: every day of the year whose commemorations hold the searched text, in date
// order, with the matches in red.
#include "bases/profile.h"
#include "core/calendar.h"
#include "core/tables.h"
#include "report/builders.h"
#include "report/dayblock.h"
#include "report/dialect.h"
#include "report/documents.h"

#include <map>

namespace vorelian {
namespace {

bool IsAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool IsCyrillicLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x0410 && u <= 0x044F) || u == 0x0401 || u == 0x0451;
}

bool IsRankCode(QStringView text) {
    if (text.size() < 3 || text[0] != u'{' || text[2] != u'}')
        return false;
    const QChar c = text[1];
    return c == u'1' || c == u'2' || c == u'3' || c == u'5' || c == u'6';
}

constexpr qsizetype kColourTokens = 10; // "\cf2 " and "\cf1 " around a match

} // namespace

QString LowerChars(QStringView text) {
    QString out(text.size(), Qt::Uninitialized);
    QChar* p = out.data();
    for (QChar c : text)
        *p++ = c.isSurrogate() ? c : c.toLower();
    return out;
}

std::vector<bool> VisibleChars(QStringView text) {
    const qsizetype n = text.size();
    std::vector<bool> seen(static_cast<std::size_t>(n), true);
    const auto hide = [&](qsizetype from, qsizetype to) {
        for (qsizetype k = from; k < to && k < n; ++k)
            seen[static_cast<std::size_t>(k)] = false;
    };
    qsizetype i = 0;
    if (IsRankCode(text)) {
        hide(0, 3);
        i = 3;
    }
    bool inMarker = false;    // between \f1 and \f0: the marker column
    bool afterMarker = false; // the one blank in the report font that ends a marker
    while (i < n) {
        const QChar c = text[i];
        if (c == u'\\') {
            qsizetype j = i + 1;
            if (j < n && IsAsciiLetter(text[j])) {
                while (j < n && IsAsciiLetter(text[j]))
                    ++j;
                const QStringView word = text.sliced(i + 1, j - i - 1);
                qsizetype k = j < n && text[j] == u'-' ? j + 1 : j;
                const qsizetype digits = k;
                while (k < n && IsDigit(text[k]))
                    ++k;
                int param = -1;
                if (k > digits) {
                    param = text.sliced(digits, k - digits).left(6).toInt();
                    j = k;
                }
                if (j < n && text[j] == u' ')
                    ++j; // the blank that ends a control word belongs to it
                if (word == u"f" && param == 1) {
                    inMarker = true;
                } else if (word == u"f" && param == 0 && inMarker) {
                    inMarker = false;
                    afterMarker = true;
                } else if (word == u"u" && j < n && text[j] != u'\\' && text[j] != u'{' && text[j] != u'}') {
                    ++j; // the fallback character of a \uN
                }
            } else if (j < n && text[j] == u'\'') {
                j += 3; // \'hh
            } else if (j < n) {
                ++j; // a control symbol
            }
            hide(i, j);
            i = j;
            continue;
        }
        if (c == u'{' || c == u'}' || c == u'\r' || c == u'\n' || inMarker) {
            hide(i, i + 1);
        } else if (afterMarker) {
            afterMarker = false;
            if (c == u' ')
                hide(i, i + 1);
        }
        ++i;
    }
    return seen;
}

qsizetype FindText(qsizetype start, QStringView text, QStringView pattern, bool wholeWord) {
    const qsizetype len = pattern.size();
    if (len == 0 || start < 1)
        return 0;
    const std::vector<bool> seen = VisibleChars(text);
    qsizetype from = start - 1;
    while (from <= text.size() - len) {
        const qsizetype at = text.indexOf(pattern, from);
        if (at < 0)
            return 0;
        bool visible = true;
        for (qsizetype k = at; k < at + len && visible; ++k)
            visible = seen[static_cast<std::size_t>(k)];
        if (!visible) {
            from = at + 1; // codes of the stored text are no match; a visible one may start inside
            continue;
        }
        if (wholeWord) {
            const bool before = at > 0 && IsCyrillicLetter(text[at - 1]);
            const bool after = at + len < text.size() && IsCyrillicLetter(text[at + len]);
            if (before || after) {
                from = at + len;
                continue;
            }
        }
        return at + 1;
    }
    return 0;
}

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

// The day files of a year: the February is that of the Julian year of its Pascha, since an Anno Mundi year
// begins in the September before and a Gregorian year in the Julian December before.
template <class Visit> void ForEachDayFileEntry(const DataSet& d, const CalendarState& year, Visit visit) {
    const int16_t februaryLength = IsLeapYear(StyleJulian, year.Pascha.PaschaYear) ? 366 : 365;
    for (int16_t m = 1; m <= 12; ++m)
        for (int16_t day = 1; day <= 31; ++day)
            for (const DayEntry& e : d.DayFileOf(m, februaryLength, day).Entries)
                visit(m, day, e);
}

// Every movable record of the three commemoration bases placed in the year, with its day numbers.
template <class Visit> void ForEachPlacedRecord(const DataSet& d, const CalendarState& year, Visit visit) {
    const Bases& b = d.Data.Bases;
    const auto cur = b.PlacementsOf(year.Pascha.PaschaYear);
    const auto prev = b.PlacementsOf(static_cast<int16_t>(year.Pascha.PaschaYear - 1));
    const StyleDate& y = year.Cur();
    for (BaseKind k : EntryBases) {
        const RecordBase& base = b[k];
        for (int i = 1; i <= base.Count; ++i)
            for (int32_t day : {cur->Days[int(k)][i], base.TwoYears ? prev->Days[int(k)][i] : 0})
                if (day != 0 && day >= y.YearFirstDay && day <= y.YearLastDay)
                    visit(day, base.Records[i]);
    }
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

    ReportWriter out(nullptr, TabSelection, QString());
    QString s = ReportHeader(r.Font);
    s += dialect::Navy;
    s += dialect::Par;
    s += dialect::Blank;
    s += YearTitle(year.Cur().Year, r.Options.Style);
    s += dialect::Par;
    s += dialect::Par;
    s += dialect::Blank;
    s += u"Строка поиска: \"";
    s += dialect::Red;
    s += EscapeRtfText(text);
    s += dialect::Navy;
    s += u'"';
    s += dialect::Par;
    s += dialect::Par;
    out.Write(s);

    if (merged.empty()) {
        s = dialect::Separator.toString();
        s += dialect::Par;
        s += dialect::Par;
        s += dialect::Blank;
        s += u"Ничего не найдено";
        s += dialect::Par;
        s += dialect::Par;
        out.Write(s);
    }
    for (const DatedRow& row : merged) {
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

std::vector<SearchMatch> DayEngine::Search(int16_t year, const DayOptions& options, const QString& text,
                                           bool wholeWord) const {
    std::vector<SearchMatch> found;
    const QString pattern = LowerChars(text);
    const std::optional<int32_t> first = DayNumberOf(options.Style, year, 1, 1);
    if (!first || pattern.trimmed().isEmpty())
        return found;
    const CalendarState st = StateOfDay(*first, options.Style);
    const auto add = [&](int32_t d, const QString& stored) {
        if (FindText(1, LowerChars(stored), pattern, wholeWord) == 0)
            return;
        const DayInfo day = Day(d, options);
        found.push_back(SearchMatch{d, day.AnnoMundi, day.Julian, day.Gregorian, PlainText(stored)});
    };
    ForEachPlacedRecord(Data(), st, [&](int32_t day, const BaseRecord& rec) {
        for (const auto& values : rec.Texts)
            for (const QString& v : values)
                add(day, v);
    });
    const int16_t julianYear = st.StyleDates[StyleJulian].Year;
    ForEachDayFileEntry(Data(), st, [&](int16_t month, int16_t day, const DayEntry& e) {
        if (const int32_t d = JulianDateInYear(st, julianYear, day, month))
            add(d, e.Stored);
    });
    std::stable_sort(found.begin(), found.end(),
                     [](const SearchMatch& a, const SearchMatch& b) { return a.DayNumber < b.DayNumber; });
    return found;
}

void FindInYear(ReportContext& ctx, const QString& text, bool wholeWord) {
    const BusyGuard busy(ctx.Host);
    const DayOptions o{ctx.State.CurStyle, ctx.Options.ShowIndiction, ctx.Options.ShowAllStyles,
                       ctx.Options.ShowFasting};
    const DocRequest r{EngineOf(ctx), o, ctx.Options, ctx.State.CurDayNumber};
    const QByteArray doc = SelectionDocument(r, text, wholeWord);
    if (!doc.isEmpty())
        ShowDocument(ctx, TabSelection, doc);
}

} // namespace vorelian
