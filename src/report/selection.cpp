// The selection report of tab 5: every day of the year whose commemorations hold the searched text, in date
// order, with the matches in red.
#include "bases/profile.h"
#include "core/tables.h"
#include "report/builders.h"
#include "report/dayblock.h"
#include "report/dialect.h"

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

void AddFoundMovable(ReportContext& ctx, int32_t dayNumber, const QString& text, const QString& pattern,
                     bool wholeWord) {
    const qsizetype p = FindText(1, LowerChars(text), pattern, wholeWord);
    if (p == 0)
        return;
    const QString marked = MarkMatches(text, p, pattern, wholeWord);
    MakeDayCurrent(ctx.State, dayNumber, true);
    std::vector<DatedRow>& rows = ctx.Out.Rows;
    if (!rows.empty() && rows.back().Day == dayNumber) {
        rows.back().EntryText += marked;
        return;
    }
    DatedRow row;
    row.Day = dayNumber;
    row.DateText = DateLines(ctx, true, false);
    row.DateText += WeekdayLine(ctx);
    row.DateText += dialect::Par;
    row.EntryText = marked;
    rows.push_back(std::move(row));
}

namespace {

// The eight texts of one movable record, searched under one day number.
void SearchRecord(ReportContext& ctx, int32_t day, const QString& pattern, bool wholeWord,
                  std::initializer_list<const QString*> texts) {
    for (const QString* t : texts)
        AddFoundMovable(ctx, day, *t, pattern, wholeWord);
}

} // namespace

void FindInYear(ReportContext& ctx, const QString& text, bool wholeWord) {
    const BusyGuard busy(ctx.Host);
    const QString pattern = LowerChars(text);
    if (pattern.trimmed().isEmpty())
        return; // nothing to search: the view keeps its document

    CalendarState& st = ctx.State;
    const Bases& b = ctx.Data.Bases;
    SaveState(st);
    ctx.Out.Rows.clear();
    const StyleDate& year = st.SavedStyleDates[st.CurStyle];
    const auto inYear = [&](int32_t d) { return d >= year.YearFirstDay && d <= year.YearLastDay; };

    for (int i = 1; i <= b.RelocCount; ++i)
        if (inYear(b.RelocDayNumber[i]))
            SearchRecord(ctx, b.RelocDayNumber[i], pattern, wholeWord,
                         {&b.RelocText0[i], &b.RelocText11[i], &b.RelocText19[i], &b.RelocText21[i],
                          &b.RelocText29[i], &b.RelocText31[i], &b.RelocText39[i], &b.RelocText4[i]});
    for (int i = 1; i <= b.Reloc1Count; ++i)
        for (int32_t d : {b.Reloc1DayNumber[i], b.Reloc1PrevDayNumber[i]})
            if (inYear(d))
                SearchRecord(ctx, d, pattern, wholeWord,
                             {&b.Reloc1Text0[i], &b.Reloc1Text11[i], &b.Reloc1Text19[i], &b.Reloc1Text21[i],
                              &b.Reloc1Text29[i], &b.Reloc1Text31[i], &b.Reloc1Text39[i], &b.Reloc1Text4[i]});
    for (int i = 1; i <= b.SpecialCount; ++i)
        for (int32_t d : {b.SpecialDayNumber[i], b.SpecialPrevDayNumber[i]})
            if (inYear(d))
                SearchRecord(ctx, d, pattern, wholeWord,
                             {&b.SpecialText0[i], &b.SpecialText11[i], &b.SpecialText19[i],
                              &b.SpecialText21[i], &b.SpecialText29[i], &b.SpecialText31[i],
                              &b.SpecialText39[i], &b.SpecialText4[i]});

    // The February of the searched year is that of the Julian year of its Pascha: an Anno Mundi year
    // begins in the September before, and a Gregorian year begins in the Julian December before.
    const int16_t februaryLength = st.SavedPascha.PaschaYear % 4 == 0 ? 366 : 365;
    for (int16_t m = 1; m <= 12; ++m) {
        const QString& file = ctx.Data.Files.DayFile(m, februaryLength);
        for (int16_t day = 1; day <= 31; ++day) {
            const QString section = ReadDataSection(ctx.Data.Profiles, QString::number(day), file);
            QStringView buffer(section), entry;
            while (NextSectionEntry(buffer, entry)) {
                QStringView key, value;
                SplitEntry(entry, key, value);
                if (key.size() != 1 || key[0] < u'0' || key[0] > u'4')
                    continue;
                const QString stored = value.toString();
                const qsizetype p = FindText(1, LowerChars(stored), pattern, wholeWord);
                if (p == 0)
                    continue;
                StyleDate& j = st.StyleDates[StyleJulian];
                j.Day = day;
                j.Month = m;
                AddDatedEntry(ctx, p, stored, pattern, wholeWord);
            }
        }
    }

    // Date order; rows of one day become one, under the date lines of the row that sorted first.
    std::vector<DatedRow>& rows = ctx.Out.Rows;
    SortRows(rows);
    std::vector<DatedRow> merged;
    merged.reserve(rows.size());
    for (DatedRow& row : rows) {
        if (!merged.empty() && merged.back().Day == row.Day)
            merged.back().EntryText += row.EntryText;
        else
            merged.push_back(std::move(row));
    }
    rows.clear();

    ReportWriter out(ctx.Host, TabSelection, ctx.Out.Temp.Paths[TabSelection]);
    QString s = ReportHeader(ctx.Options);
    s += dialect::Navy;
    s += dialect::Par;
    s += dialect::Blank;
    s += YearTitle(year.Year, st.CurStyle);
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
    out.Finish();
    RestoreState(st);
}

} // namespace vorelian
