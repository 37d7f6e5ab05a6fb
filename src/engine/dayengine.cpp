#include "engine/dayengine.h"

#include "bases/datafiles.h"
#include "core/calendar.h"
#include "core/recalc.h"
#include "core/settings.h"
#include "engine/dataset.h"

#include <QDir>

#include <algorithm>

namespace vorelian {
namespace {

int16_t ValidStyle(int16_t style) {
    if (style >= StyleAnnoMundi && style <= StyleGregorian)
        return style;
    return StyleGregorian;
}

// The records of the bases whose texts (a commemoration base) or title (a day-title base) name a Saturday
// of the departed.
std::vector<RecordRef> DepartedRecordsOf(const DataSet& d) {
    std::vector<RecordRef> out;
    if (d.Readings.Empty())
        return out;
    for (BaseKind k : EntryBases)
        for (int i = 1; i <= d.Data.Bases[k].Count; ++i)
            for (const auto& entries : d.Prepared[int(k)][i])
                if (std::any_of(entries.begin(), entries.end(),
                                [&](const DayEntry& e) { return NamesDeparted(d.Readings, e.Text); })) {
                    out.push_back({k, i});
                    break;
                }
    for (BaseKind k : TitleBases) {
        const RecordBase& base = d.Data.Bases[k];
        for (int i = 1; i <= base.Count; ++i)
            if (NamesDeparted(d.Readings, PlainText(RecordTitle(base.Records[i]))))
                out.push_back({k, i});
    }
    return out;
}

// A Saturday on which the data names the departed: a record that names them placed on it, or its day file.
bool IsDepartedSaturday(const DataSet& d, const PlacedView& placed, const DayFileDay& file, int32_t day,
                        int weekday) {
    return weekday == 6 && (file.Departed || std::any_of(d.DepartedRecords.begin(), d.DepartedRecords.end(),
                                                         [&](const RecordRef& r) {
                                                             return placed.Belongs(r.Kind, r.Index, day);
                                                         }));
}

} // namespace

CalendarState StateOfDay(int32_t dayNumber, int16_t style) {
    CalendarState st;
    InitStyleTables(st);
    st.CurStyle = ValidStyle(style);
    SetCurrentDay(st, dayNumber);
    st.CurWeekday = WeekdayOf(dayNumber);
    SetYearAnchors(st);
    return st;
}

DayFacts FactsOfState(const CalendarState& st) {
    return DayFacts{st.CurDayNumber, st.CurWeekday, st.Cur().WeekNo, st.Pascha};
}

DayEngine::DayEngine() : data_(std::make_unique<DataSet>()) {}
DayEngine::~DayEngine() = default;

std::shared_ptr<const DayEngine> DayEngine::Load(const QString& calendarDir) {
    std::shared_ptr<DayEngine> e(new DayEngine());
    DataSet& d = *e->data_;
    d.Dir = QDir(calendarDir).absolutePath();
    d.Data.Files.SetFolder(d.Dir);
    // Every profile file parsed now, none later; the abbreviations are a document, not a profile.
    ReadWholeDataSet(d.Data.Files, d.Data.Profiles);
    LoadBases(d.Data);
    d.Fasting = LoadFastingRules(QDir(d.Dir).filePath(FastingFileName.toString()));
    d.Names = LoadNameTable(d.Data.Profiles.Get(QDir(d.Dir).filePath(NamesFileName.toString())));
    d.Readings = LoadReadings(QDir(d.Dir).filePath(ReadingsFileName.toString()));
    d.Prepared = PrepareRecordEntries(d.Data.Bases);
    for (int slot = 0; slot <= DataFiles::February28; ++slot) {
        const Profile& file = d.Data.Profiles.Get(d.Data.Files[slot]);
        for (int day = 1; day <= 31; ++day) {
            DayFileDay& out = d.DayFiles[slot][day];
            out.Entries = DayFileEntries(file.Section(QString::number(day)), out.Red);
            out.RedMark = file.Value(QString::number(day), u"Red") == u"1";
            out.Departed = std::any_of(out.Entries.begin(), out.Entries.end(), [&](const DayEntry& entry) {
                return NamesDeparted(d.Readings, entry.Text);
            });
        }
    }
    d.DepartedRecords = DepartedRecordsOf(d);
    return e;
}

std::optional<int32_t> DayEngine::DayNumberOf(int16_t style, int16_t year, int16_t month, int16_t day) const {
    if (style < StyleAnnoMundi || style > StyleGregorian || month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    const int32_t n = DayNumber(style, day, month, year);
    if (DatesOf(n).In(style) != DateParts{year, month, day})
        return std::nullopt;
    return n;
}

DayInfo DayEngine::Day(int32_t dayNumber, const DayOptions& options) const {
    const DataSet& d = *data_;
    const CalendarState st = StateOfDay(dayNumber, options.Style);
    const DayFacts facts = FactsOfState(st);
    const auto cur = d.Data.Bases.PlacementsOf(st.Pascha.PaschaYear);
    const auto prev = d.Data.Bases.PlacementsOf(static_cast<int16_t>(st.Pascha.PaschaYear - 1));
    const PlacedView placed{&d.Data.Bases, cur.get(), prev.get()};

    DayInfo info;
    info.DayNumber = dayNumber;
    info.AnnoMundi = PartsOf(st.StyleDates[StyleAnnoMundi]);
    info.Julian = PartsOf(st.StyleDates[StyleJulian]);
    info.Gregorian = PartsOf(st.StyleDates[StyleGregorian]);
    // The year within the great indiction of 532 years, and the number of that indiction.
    const int y = info.AnnoMundi.Year;
    const int n = y % 532 == 0 ? 532 : y % 532;
    info.IndictionYear = static_cast<int16_t>(n);
    info.IndictionCycle = static_cast<int16_t>((y - n) / 532 + 1);
    info.Weekday = static_cast<int8_t>(st.CurWeekday);

    const WeekdayLineParts line = WeekdayLineOf(facts, placed);
    info.WeekdayLine = line.Plain;
    info.WeekdayLineStored = line.Stored;
    info.Tone = static_cast<int8_t>(line.Tone);

    const StyleDate& j = st.StyleDates[StyleJulian];
    const DayFileDay& file = d.DayFileOf(j.Month, j.YearLength, j.Day);
    bool red = line.Red;
    info.Entries = DayEntriesOf(facts, file.Entries, file.Red, placed, &d.Prepared, red);
    info.Red = red;

    // The fast: the one place it is computed, for every day. It stays out of the entries; each view shows
    // it through FastingLine.
    info.Fast = FastingOf(info);
    if (options.ShowReadings)
        AddReadings(d.Readings, info, IsDepartedSaturday(d, placed, file, dayNumber, info.Weekday));
    return info;
}

DayOptions DayOptionsOf(const Settings& choices, int16_t style) {
    DayOptions o;
    o.Style = ValidStyle(style);
    o.ShowIndiction = choices.ShowIndiction;
    o.ShowAllStyles = choices.ShowAllStyles;
    o.ShowFasting = choices.ShowFasting;
    o.ShowReadings = choices.ShowReadings;
    return o;
}

std::vector<DayMark> DayEngine::Month(int16_t year, int16_t month, const DayOptions& options) const {
    const int16_t style = ValidStyle(options.Style);
    const std::optional<int32_t> first = DayNumberOf(style, year, month, 1);
    if (!first)
        return {};
    const DataSet& d = *data_;
    std::vector<DayMark> marks(MonthLength(style, month, year));
    const int32_t last = *first + int32_t(marks.size()) - 1;
    for (std::size_t k = 0; k < marks.size(); ++k) {
        marks[k].DayNumber = *first + int32_t(k);
        const DateParts j = DatesOf(marks[k].DayNumber).Julian;
        marks[k].Red = d.DayFileOf(j.Month, IsLeapYear(StyleJulian, j.Year) ? 366 : 365, j.Day).RedMark;
    }
    // The red records of the six bases placed in the month, in either of their years.
    const int16_t paschaYear = StateOfDay(*first, style).Pascha.PaschaYear;
    const auto cur = d.Data.Bases.PlacementsOf(paschaYear);
    const auto prev = d.Data.Bases.PlacementsOf(static_cast<int16_t>(paschaYear - 1));
    for (int k = 0; k < BaseKinds; ++k) {
        const RecordBase& base = d.Data.Bases[BaseKind(k)];
        for (int i = 1; i <= base.Count; ++i) {
            if (!base.Records[i].Red)
                continue;
            for (int32_t day : {cur->Days[k][i], base.TwoYears ? prev->Days[k][i] : 0})
                if (day >= *first && day <= last)
                    marks[day - *first].Red = true;
        }
    }
    if (options.ShowFasting && !d.Fasting.Empty())
        for (DayMark& m : marks) {
            const std::optional<Fasting> fast = Day(m.DayNumber, options).Fast;
            m.Fast = fast && fast->Level < FastLevel::NoMeat; // the Cheesefare week is no fast
        }
    return marks;
}

QString FastingLine(const DayInfo& day, const DayOptions& options) {
    if (!options.ShowFasting || !day.Fast)
        return QString();
    return day.Fast->Text;
}

std::optional<Fasting> DayEngine::FastingOf(const DayInfo& day) const {
    return FastOfDay(data_->Fasting, day);
}

const QString& DayEngine::CalendarDir() const {
    return data_->Dir;
}

} // namespace vorelian
