#include "engine/textsearch.h"

#include "engine/daycompute.h"

#include "engine/dataset.h"
#include "engine/dayengine.h"
#include "engine/yearfeasts.h"

#include <algorithm>

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
    if (RankOf(text) != Rank::None) {
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

namespace {

// Every commemoration of a year of options.Style whose stored text `holds` accepts, in date order.
template <class Holds>
std::vector<SearchMatch> MatchesInYear(const DayEngine& engine, int16_t year, const DayOptions& options,
                                       Holds holds) {
    std::vector<SearchMatch> found;
    const std::optional<int32_t> first = engine.DayNumberOf(options.Style, year, 1, 1);
    if (!first)
        return found;
    const CalendarState st = StateOfDay(*first, options.Style);
    // A match needs only the dates of its day, not the whole day: a full day file may hold thousands.
    const auto add = [&](int32_t d, const QString& stored) {
        if (!holds(stored))
            return;
        const CalendarState day = StateOfDay(d, options.Style);
        const auto& dates = day.StyleDates;
        found.push_back(SearchMatch{d, PartsOf(dates[StyleAnnoMundi]), PartsOf(dates[StyleJulian]),
                                    PartsOf(dates[StyleGregorian]), PlainText(stored)});
    };
    ForEachPlacedRecord(engine.Data(), st, [&](int32_t day, const BaseRecord& rec) {
        for (const auto& values : rec.Texts)
            for (const QString& v : values)
                add(day, v);
    });
    const int16_t julianYear = st.StyleDates[StyleJulian].Year;
    ForEachDayFileEntry(engine.Data(), st, [&](int16_t month, int16_t day, const DayEntry& e) {
        if (const int32_t d = JulianDateInYear(st, julianYear, day, month))
            add(d, e.Stored);
    });
    std::stable_sort(found.begin(), found.end(),
                     [](const SearchMatch& a, const SearchMatch& b) { return a.DayNumber < b.DayNumber; });
    return found;
}

} // namespace

std::vector<SearchMatch> DayEngine::Search(int16_t year, const DayOptions& options, const QString& text,
                                           bool wholeWord) const {
    const QString pattern = LowerChars(text);
    if (pattern.trimmed().isEmpty())
        return {};
    return MatchesInYear(*this, year, options, [&](const QString& stored) {
        return FindText(1, LowerChars(stored), pattern, wholeWord) != 0;
    });
}

std::vector<SearchMatch> DayEngine::SearchName(int16_t year, const DayOptions& options,
                                               const QString& name) const {
    const QStringList genitives = Data().Names.GenitivesOf(name);
    if (genitives.isEmpty())
        return {};
    // Names are written with a capital, so the case is kept: «Веры» the martyr, not «веры» the faith.
    return MatchesInYear(*this, year, options, [&](const QString& stored) {
        return std::any_of(genitives.begin(), genitives.end(),
                           [&](const QString& g) { return FindText(1, stored, g, true) != 0; });
    });
}

} // namespace vorelian
