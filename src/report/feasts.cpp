// The main feasts report of tab 4 and the dated-row buffer that it shares with the selection report.
#include "bases/profile.h"
#include "core/calendar.h"
#include "core/tables.h"
#include "report/builders.h"
#include "report/dayblock.h"
#include "report/dialect.h"
#include "report/documents.h"

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

// The year of the feasts: the state of the user's day, whose Julian year starts the search of each date.
struct FeastYear {
    CalendarState State;
    int16_t JulianYear;
};

FeastYear YearOf(const DocRequest& r) {
    FeastYear y{StateOfDay(r.Day, r.Options.Style), 0};
    y.JulianYear = y.State.StyleDates[StyleJulian].Year;
    return y;
}

// The day on which a Special.DAT record stands in the year, or 0: of its days in the Paschal year of
// the year and the year before, the one that lies in the year.
int32_t KeptDay(const DayEngine& e, const CalendarState& year, int record) {
    const Bases& b = e.Data().Data.Bases;
    const auto cur = b.PlacementsOf(year.Pascha.PaschaYear);
    const auto prev = b.PlacementsOf(static_cast<int16_t>(year.Pascha.PaschaYear - 1));
    const auto& special = int(BaseKind::Special);
    const StyleDate& y = year.Cur();
    for (int32_t d : {cur->Days[special][record], prev->Days[special][record]})
        if (d != 0 && d >= y.YearFirstDay && d <= y.YearLastDay)
            return d;
    return 0;
}

// The day of a fixed feast in the year: the day it is kept, or its own date.
int32_t FeastDay(const DayEngine& e, const FeastYear& y, const FixedFeast& f) {
    const int32_t kept = f.KeptBy != 0 ? KeptDay(e, y.State, f.KeptBy) : 0;
    if (kept == 0)
        return JulianDateInYear(y.State, y.JulianYear, f.Day, f.Month);
    const CalendarState k = StateOfDay(kept, StyleJulian);
    const StyleDate& j = k.StyleDates[StyleJulian];
    return JulianDateInYear(y.State, y.JulianYear, j.Day, j.Month);
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
    const FeastYear y = YearOf(r);
    const int32_t pascha = y.State.Pascha.PaschaDay;
    ReportWriter out(nullptr, TabFeasts, QString());
    out.Write(ReportHeader(r.Font) + HeadingBlock(YearTitle(y.State.Cur().Year, r.Options.Style)));

    // Pascha: the only red block, without a weekday line.
    QString s = dialect::Red.toString();
    s += DateLines(r.Engine.Day(pascha, r.Options), r.Options.Style, false, false, r.Options.ShowAllStyles);
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
    WriteRows(out, FixedFeastRows(r, y, std::begin(kTwelveFixed), std::end(kTwelveFixed)));
    out.Write(Heading(dialect::Par, u"Великие праздники"));
    WriteRows(out, FixedFeastRows(r, y, std::begin(kGreat), std::end(kGreat)));

    out.Write(dialect::DocEnd);
    return out.Document();
}

std::vector<FeastRow> DayEngine::Feasts(int16_t year, const DayOptions& options) const {
    std::vector<FeastRow> rows;
    const std::optional<int32_t> first = DayNumberOf(options.Style, year, 1, 1);
    if (!first)
        return rows;
    const Settings font;
    const DocRequest r{*this, options, font, *first};
    const FeastYear y = YearOf(r);
    const auto add = [&](int32_t d, QStringView title, bool movable) {
        const DayInfo day = Day(d, options);
        rows.push_back(
            FeastRow{d, day.AnnoMundi, day.Julian, day.Gregorian, title.toString(), movable, day.Red});
    };
    add(y.State.Pascha.PaschaDay, u"СВЕТЛОЕ ХРИСТОВО ВОСКРЕСЕНИЕ. ПАСХА.", true);
    for (const MovableFeast& f : kTwelveMovable)
        add(y.State.Pascha.PaschaDay + f.Offset, f.Title, true);
    for (const auto& table : {std::pair{std::begin(kTwelveFixed), std::end(kTwelveFixed)},
                              std::pair{std::begin(kGreat), std::end(kGreat)}}) {
        std::vector<FeastRow> fixed;
        for (const FixedFeast* f = table.first; f != table.second; ++f)
            if (const int32_t d = FeastDay(*this, y, *f)) {
                const DayInfo day = Day(d, options);
                fixed.push_back(FeastRow{d, day.AnnoMundi, day.Julian, day.Gregorian,
                                         QString::fromUtf16(f->Title), false, day.Red});
            }
        std::stable_sort(fixed.begin(), fixed.end(),
                         [](const FeastRow& a, const FeastRow& b) { return a.DayNumber < b.DayNumber; });
        rows.insert(rows.end(), fixed.begin(), fixed.end());
    }
    return rows;
}

} // namespace vorelian
