#include "report/dayblock.h"

#include "bases/profile.h"
#include "core/calendar.h"
#include "core/tables.h"
#include "report/dialect.h"

#include <array>

namespace vorelian {

QString IndictionLine(const ReportContext& ctx) {
    if (!ctx.Options.ShowIndiction)
        return QString();
    const int y = ctx.State.StyleDates[StyleAnnoMundi].Year;
    int n = y % 532;
    if (n == 0)
        n = 532;
    const int m = (y - n) / 532 + 1; // the great indiction of 532 years that holds the year
    QString s;
    s += dialect::Par;
    s += dialect::Blank;
    s += QString::number(n);
    s += u"-й год ";
    s += QString::number(m);
    s += u"-го индиктиона";
    s += dialect::Par;
    return s;
}

QString MonthName(const CalendarState& st, int16_t style, int form) {
    return MonthNameOf(CivilMonthOf(style, st.StyleDates[style].Month), form);
}

namespace {

QString DateLine(const CalendarState& st, int16_t style, bool year, bool name) {
    const StyleDate& r = st.StyleDates[style];
    QString s;
    s += dialect::Blank;
    s += QString::number(r.Day);
    s += u' ';
    s += MonthName(st, style, 2);
    if (year) {
        s += u' ';
        s += QString::number(r.Year);
        s += u" года";
    }
    if (name)
        s += StyleNames[style];
    s += dialect::Par;
    return s;
}

// Group 0 of a day in the order of the service: the great feasts, a movable one before a fixed one;
// then the other movable texts in the order of their tables; then the other lines of the day file,
// which the data keeps in the order of their rank.
class GroupZero {
public:
    void AddFixed(const QString& marked) {
        QString& list = IsGreat(marked) ? fixedGreat_ : fixed_;
        list += marked;
        list += dialect::Par;
    }
    // A record's text may hold several paragraphs; each goes where its own mark puts it.
    void AddMovable(QStringView text) {
        while (!text.isEmpty()) {
            const qsizetype end = text.indexOf(dialect::Par);
            const qsizetype size = end < 0 ? text.size() : end + dialect::Par.size();
            const QStringView paragraph = text.first(size);
            (IsGreat(paragraph) ? movableGreat_ : movable_) += paragraph;
            text = text.sliced(size);
        }
    }
    QString Joined() const { return movableGreat_ + fixedGreat_ + movable_ + fixed_; }

private:
    static bool IsGreat(QStringView paragraph) {
        static const QString mark = RankMarker(u"{1}");
        return paragraph.startsWith(mark);
    }
    QString movableGreat_, fixedGreat_, movable_, fixed_;
};

} // namespace

QString DateLines(const ReportContext& ctx, bool showYear, bool showStyle) {
    const CalendarState& st = ctx.State;
    const bool all = ctx.Options.ShowAllStyles;
    QString s;
    s += dialect::Par;
    s += DateLine(st, st.CurStyle, showYear || all, showStyle || all);
    if (all) {
        // The two other styles: Julian before Gregorian, either before Anno Mundi.
        static constexpr std::array<std::array<int16_t, 2>, 4> others = {{{0, 0},
                                                                          {StyleJulian, StyleGregorian},
                                                                          {StyleGregorian, StyleAnnoMundi},
                                                                          {StyleJulian, StyleAnnoMundi}}};
        for (int16_t other : others[st.CurStyle])
            s += DateLine(st, other, true, true);
    }
    s += dialect::Par;
    return s;
}

QString DayEntries(ReportContext& ctx) {
    CalendarState& st = ctx.State;
    const Bases& b = ctx.Data.Bases;
    bool& red = ctx.Out.DayIsRed;
    std::array<QString, 5> lists;
    GroupZero zero;

    if (st.CurWeekday == 7)
        red = true;

    const StyleDate& j = st.StyleDates[StyleJulian];
    const QString& file = ctx.Data.Files.DayFile(j.Month, j.YearLength);
    const QString section = ReadDataSection(ctx.Data.Profiles, QString::number(j.Day), file);
    QStringView buffer(section), entry;
    while (NextSectionEntry(buffer, entry)) {
        QStringView key, value;
        SplitEntry(entry, key, value);
        if (key.compare(u"red", Qt::CaseInsensitive) == 0) {
            red = true;
        } else if (key == u"0") {
            zero.AddFixed(RankMarker(value));
        } else if (key.size() == 1 && key[0] >= u'1' && key[0] <= u'3') {
            QString& list = lists[key[0].unicode() - u'0'];
            list += RankMarker(value);
            list += dialect::Par;
        } else if (key == u"4") {
            lists[4] += dialect::Blank;
            lists[4] += value;
            lists[4] += dialect::Par;
        }
    }

    const int32_t day = st.CurDayNumber;
    // One movable record on its day: "before" texts go in front of a list, "after" texts behind it.
    const auto apply = [&](bool isRed, const QString& t0, const QString& t11, const QString& t19,
                           const QString& t21, const QString& t29, const QString& t31, const QString& t39,
                           const QString& t4) {
        if (isRed)
            red = true;
        zero.AddMovable(t0);
        lists[1] = t11 + lists[1] + t19;
        lists[2] = t21 + lists[2] + t29;
        lists[3] = t31 + lists[3] + t39;
        lists[4] += t4;
    };
    for (int i = 1; i <= b.RelocCount; ++i)
        if (BelongsReloc(b, i, day))
            apply(b.RelocRed[i], b.RelocText0[i], b.RelocText11[i], b.RelocText19[i], b.RelocText21[i],
                  b.RelocText29[i], b.RelocText31[i], b.RelocText39[i], b.RelocText4[i]);
    for (int i = 1; i <= b.Reloc1Count; ++i)
        if (BelongsReloc1(b, i, day))
            apply(b.Reloc1Red[i], b.Reloc1Text0[i], b.Reloc1Text11[i], b.Reloc1Text19[i], b.Reloc1Text21[i],
                  b.Reloc1Text29[i], b.Reloc1Text31[i], b.Reloc1Text39[i], b.Reloc1Text4[i]);
    for (int i = 1; i <= b.SpecialCount; ++i)
        if (BelongsSpecial(b, i, day))
            apply(b.SpecialRed[i], b.SpecialText0[i], b.SpecialText11[i], b.SpecialText19[i],
                  b.SpecialText21[i], b.SpecialText29[i], b.SpecialText31[i], b.SpecialText39[i],
                  b.SpecialText4[i]);

    lists[0] = zero.Joined();
    QString s;
    for (const QString& list : lists)
        if (!list.isEmpty()) {
            s += dialect::Par;
            s += list;
        }
    return s;
}

void MakeDayCurrent(CalendarState& st, int32_t day, bool weekNo) {
    st.CurDayNumber = day;
    DayNumberToJulian(st);
    JulianToAnnoMundi(st);
    JulianToGregorian(st);
    st.CurWeekday = WeekdayOf(day);
    if (weekNo) {
        StyleDate& r = st.Cur();
        r.WeekNo = WeekSpan(r.YearFirstDay, r.YearFirstWeekday, day);
    }
}

} // namespace vorelian
