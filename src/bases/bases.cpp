#include "bases.h"

#include <limits>

namespace vorelian {
namespace {

// Starts a base afresh: entry 0 only, or records 1..minRecords as well.
void Clear(RecordBase& base, int minRecords) {
    base.Count = 0;
    base.Records.assign(static_cast<std::size_t>(minRecords) + 1, BaseRecord{});
}

void ApplyEntry(BaseRecord& r, bool titles, const ProfileEntry& e) {
    const QString key = e.Key.toLower();
    if (key == u"red") {
        r.Red = !e.Value.isEmpty(); // any value, even 0, makes the day red
        return;
    }
    const std::pair<QStringView, int16_t*> numbers[] = {
        {u"days", &r.Days}, {u"day", &r.Day}, {u"month", &r.Month}, {u"weekday", &r.Weekday}};
    for (const auto& [name, field] : numbers)
        if (key == name) {
            *field = ParseNumber(e.Value);
            return;
        }
    if (titles) {
        if (key == u"0")
            r.Texts[0] = {e.Value}; // the last title wins
        return;
    }
    for (std::size_t g = 0; g < TextKeys.size(); ++g)
        if (key == TextKeys[g]) {
            r.Texts[g].push_back(e.Value); // every text of a key is kept
            return;
        }
}

// The walk all six loaders share: sections " 1", " 2", … until the first missing or empty one.
void Load(Bases& b, RecordBase& base, const Profile& file, bool titles, bool twoYears, int minRecords) {
    Clear(base, minRecords);
    base.TwoYears = twoYears;
    b.Cache = std::make_shared<PlacementCache>(); // the records changed: placements are made anew
    for (int r = 1; r <= std::numeric_limits<int16_t>::max(); ++r) {
        const ProfileSection* s = file.Section(QStringLiteral(" %1").arg(r));
        if (!s || s->Entries.empty())
            break; // a gap ends the base
        base.Count = static_cast<int16_t>(r);
        if (base.Records.size() < static_cast<std::size_t>(r) + 1)
            base.Records.resize(static_cast<std::size_t>(r) + 1);
        for (const ProfileEntry& e : s->Entries)
            ApplyEntry(base.Records[r], titles, e);
    }
}

} // namespace

Bases::Bases() {
    Clear(Reloc, 0);
    Clear(Reloc1, 0);
    Clear(Special, SpecialRules);
    Clear(Weekdays, 0);
    Clear(Weekdays1, 0);
    Clear(SpecWeekDays, 0);
    Reloc1.TwoYears = Special.TwoYears = Weekdays1.TwoYears = SpecWeekDays.TwoYears = true;
}

RecordBase& Bases::operator[](BaseKind k) {
    return const_cast<RecordBase&>(static_cast<const Bases&>(*this)[k]);
}

const RecordBase& Bases::operator[](BaseKind k) const {
    switch (k) {
    case BaseKind::Relocatable:
        return Reloc;
    case BaseKind::Relocatable1:
        return Reloc1;
    case BaseKind::Special:
        return Special;
    case BaseKind::Weekdays:
        return Weekdays;
    case BaseKind::Weekdays1:
        return Weekdays1;
    default:
        return SpecWeekDays;
    }
}

void LoadRelocatable(Bases& b, const Profile& file) {
    Load(b, b.Reloc, file, false, false, 0);
}
void LoadRelocatable1(Bases& b, const Profile& file) {
    Load(b, b.Reloc1, file, false, true, 0);
}
void LoadSpecial(Bases& b, const Profile& file) {
    Load(b, b.Special, file, false, true, Bases::SpecialRules);
}
void LoadWeekdays(Bases& b, const Profile& file) {
    Load(b, b.Weekdays, file, true, false, 0);
}
void LoadWeekdays1(Bases& b, const Profile& file) {
    Load(b, b.Weekdays1, file, true, true, 0);
}
void LoadSpecWeekDays(Bases& b, const Profile& file) {
    Load(b, b.SpecWeekDays, file, true, true, 0);
}

void LoadBases(CalendarData& data) {
    const DataFiles& f = data.Files;
    ProfileCache& p = data.Profiles;
    Bases& b = data.Bases;
    LoadRelocatable(b, p.Get(f[DataFiles::Relocatable]));
    LoadRelocatable1(b, p.Get(f[DataFiles::Relocatable1]));
    LoadWeekdays(b, p.Get(f[DataFiles::Weekdays]));
    LoadWeekdays1(b, p.Get(f[DataFiles::Weekdays1]));
    LoadSpecWeekDays(b, p.Get(f[DataFiles::SpecWeekDays]));
    LoadSpecial(b, p.Get(f[DataFiles::Special]));
}

} // namespace vorelian
