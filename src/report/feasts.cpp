// The main feasts report of tab 4 and the dated-row buffer that it shares with the selection report.
#include "bases/profile.h"
#include "core/calendar.h"
#include "core/recalc.h"
#include "core/tables.h"
#include "report/builders.h"
#include "report/dayblock.h"
#include "report/dialect.h"

#include <algorithm>

namespace vorelian {
namespace {

struct FixedFeast {
    int16_t Day, Month; // Julian date
    const char16_t* Title;
    int KeptBy = 0; // the Special.DAT record that places the feast when the Triodion moves it, or 0
};

constexpr FixedFeast kTwelveFixed[] = {
    {6, 1, u"КРЕЩЕНИЕ ГОСПОДА БОГА И СПАСА НАШЕГО ИИСУСА ХРИСТА."},
    {2, 2, u"СРЕТЕНИЕ ГОСПОДА НАШЕГО ИИСУСА ХРИСТА.", 3},
    {25, 3, u"БЛАГОВЕЩЕНИЕ ПРЕСВЯТОЙ БОГОРОДИЦЫ."},
    {6, 8, u"ПРЕОБРАЖЕНИЕ ГОСПОДА БОГА И СПАСА НАШЕГО ИИСУСА ХРИСТА."},
    {15, 8, u"УСПЕНИЕ ПРЕСВЯТОЙ ВЛАДЫЧИЦЫ НАШЕЙ БОГОРОДИЦЫ И ПРИСНОДЕВЫ МАРИИ."},
    {8, 9, u"РОЖДЕСТВО ПРЕСВЯТОЙ ВЛАДЫЧИЦЫ НАШЕЙ БОГОРОДИЦЫ И ПРИСНОДЕВЫ МАРИИ."},
    {14, 9, u"ВОЗДВИЖЕНИЕ ЧЕСТНОГО И ЖИВОТВОРЯЩЕГО КРЕСТА ГОСПОДНЯ."},
    {21, 11, u"ВВЕДЕНИЕ ВО ХРАМ ПРЕСВЯТОЙ ВЛАДЫЧИЦЫ НАШЕЙ БОГОРОДИЦЫ И ПРИСНОДЕВЫ МАРИИ."},
    {25, 12, u"РОЖДЕСТВО ГОСПОДА БОГА И СПАСА НАШЕГО ИИСУСА ХРИСТА."},
};

constexpr FixedFeast kGreat[] = {
    {1, 1, u"ОБРЕЗАНИЕ ГОСПОДНЕ."},
    {24, 6, u"РОЖДЕСТВО ЧЕСТНОГО СЛАВНОГО ПРОРОКА, ПРЕДТЕЧИ И КРЕСТИТЕЛЯ ГОСПОДНЯ ИОАННА."},
    {29, 6, u"СЛАВНЫХ И ВСЕХВАЛЬНЫХ ПЕРВОВЕРХОВНЫХ АПОСТОЛОВ ПЕТРА И ПАВЛА."},
    {29, 8, u"УСЕКНОВЕНИЕ ГЛАВЫ ПРОРОКА, ПРЕДТЕЧИ И КРЕСТИТЕЛЯ ГОСПОДНЯ ИОАННА."},
    {1, 10, u"ПОКРОВ ПРЕСВЯТОЙ ВЛАДЫЧИЦЫ НАШЕЙ БОГОРОДИЦЫ И ПРИСНОДЕВЫ МАРИИ."},
};

struct MovableFeast {
    int Offset; // days from Pascha
    const char16_t* Title;
};

constexpr MovableFeast kTwelveMovable[] = {
    {-7, u"ВХОД ГОСПОДЕНЬ В ИЕРУСАЛИМ."},
    {39, u"ВОЗНЕСЕНИЕ ГОСПОДНЕ."},
    {49, u"ДЕНЬ СВЯТОЙ ТРОИЦЫ. ПЯТИДЕСЯТНИЦА."},
};

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

// The day on which a Special.DAT record stands in the year of the report, or 0. The bases hold the
// Paschal year of the report and the year before; one of the two days lies in the year.
int32_t KeptDay(const ReportContext& ctx, int record) {
    const Bases& b = ctx.Data.Bases;
    const StyleDate& year = ctx.State.SavedStyleDates[ctx.State.CurStyle];
    for (int32_t d : {b.SpecialDayNumber[record], b.SpecialPrevDayNumber[record]})
        if (d != 0 && d >= year.YearFirstDay && d <= year.YearLastDay)
            return d;
    return 0;
}

// Places each feast of a table in the year, on the day it is kept, and writes the rows in date order.
void WriteFixedFeasts(ReportContext& ctx, ReportWriter& out, const FixedFeast* begin, const FixedFeast* end) {
    for (const FixedFeast* f = begin; f != end; ++f) {
        StyleDate& j = ctx.State.StyleDates[StyleJulian];
        const int32_t kept = f->KeptBy != 0 ? KeptDay(ctx, f->KeptBy) : 0;
        if (kept != 0) {
            MakeDayCurrent(ctx.State, kept, false);
        } else {
            j.Day = f->Day;
            j.Month = f->Month;
        }
        AddDatedEntry(ctx, 0, QString::fromUtf16(f->Title), QString());
    }
    SortRows(ctx.Out.Rows);
    for (const DatedRow& row : ctx.Out.Rows) {
        QString s = row.DateText;
        s += row.EntryText;
        s += dialect::Par;
        s += dialect::Separator;
        s += dialect::Par;
        out.Write(s);
    }
    ctx.Out.Rows.clear();
}

} // namespace

void SortRows(std::vector<DatedRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const DatedRow& a, const DatedRow& b) { return a.Day < b.Day; });
}

void AddDatedEntry(ReportContext& ctx, qsizetype position, const QString& text, const QString& pattern,
                   bool wholeWord) {
    CalendarState& st = ctx.State;
    const StyleDate& j = st.StyleDates[StyleJulian];
    const StyleDate& year = st.SavedStyleDates[st.CurStyle];
    const int16_t julianYear = st.SavedStyleDates[StyleJulian].Year;
    // An Anno Mundi year begins in September and the first days of a Gregorian year are Julian dates of
    // the year before: try the neighbouring Julian year when the date falls outside.
    int32_t d = DayNumber(StyleJulian, j.Day, j.Month, julianYear);
    if (d < year.YearFirstDay)
        d = DayNumber(StyleJulian, j.Day, j.Month, static_cast<int16_t>(julianYear + 1));
    if (d > year.YearLastDay)
        d = DayNumber(StyleJulian, j.Day, j.Month, static_cast<int16_t>(julianYear - 1));
    if (d < year.YearFirstDay || d > year.YearLastDay)
        return;

    MakeDayCurrent(st, d, false);
    SetYearAnchors(st);
    const QString marked = position > 0 ? MarkMatches(text, position, pattern, wholeWord) : text;

    DatedRow row;
    row.Day = d;
    row.DateText = DateLines(ctx, false, false);
    row.DateText += WeekdayLine(ctx);
    row.DateText += dialect::Par;
    row.EntryText = RankMarker(marked);
    row.EntryText += dialect::Par;
    ctx.Out.Rows.push_back(std::move(row));
}

void BuildFeastsReport(ReportContext& ctx) {
    CalendarState& st = ctx.State;
    SaveState(st);
    ReportWriter out(ctx.Host, TabFeasts, ctx.Out.Temp.Paths[TabFeasts]);
    const int32_t firstDay = st.Cur().YearFirstDay;
    const int32_t pascha = st.Pascha.PaschaDay;
    ctx.Out.Rows.clear();

    out.Write(ReportHeader(ctx.Options) + HeadingBlock(YearTitle(st.Cur().Year, st.CurStyle)));
    QString s;

    // Pascha: the only red block, without a weekday line.
    MakeDayCurrent(st, pascha, false);
    s = dialect::Red.toString();
    s += DateLines(ctx, false, false);
    s += dialect::Blank;
    s += u"СВЕТЛОЕ ХРИСТОВО ВОСКРЕСЕНИЕ. ПАСХА.";
    s += dialect::Navy;
    s += dialect::Par;
    s += dialect::Par;
    s += dialect::Separator;
    s += dialect::Par;
    s += dialect::Par;
    out.Write(s);

    out.Write(Heading(QStringView(), u"Двунадесятые переходящие праздники"));
    for (const MovableFeast& f : kTwelveMovable) {
        MakeDayCurrent(st, pascha + f.Offset, true);
        s = DateLines(ctx, false, false);
        s += WeekdayLine(ctx);
        s += dialect::Par;
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
    WriteFixedFeasts(ctx, out, std::begin(kTwelveFixed), std::end(kTwelveFixed));
    out.Write(Heading(dialect::Par, u"Великие праздники"));
    WriteFixedFeasts(ctx, out, std::begin(kGreat), std::end(kGreat));

    out.Write(dialect::DocEnd);
    out.Finish();
    ctx.Out.ReportBuiltFor[TabFeasts] = {firstDay, st.CurStyle};
    RestoreState(st);
}

} // namespace vorelian
