// Any bytes as a data file: the reader, the reading layer, the six loaders and the placing of the records.
// What the reader keeps must never outgrow the file, and every section must read back entry by entry.
#include "bases/bases.h"
#include "core/calendar.h"
#include "core/recalc.h"

#include <QLoggingCategory>

#include <cstdint>
#include <cstdlib>

using namespace vorelian;

namespace {

// A section in the form ReadDataSection gives it.
QString Joined(const ProfileSection& s) {
    QString out;
    for (const ProfileEntry& e : s.Entries)
        out += e.Key + u'=' + e.Value + QChar(u'\0');
    return out;
}

void Check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("vorelian.bases.profile.warning=false"));
        return true;
    }();
    (void)quiet;

    const Profile p = Profile::Parse(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    qsizetype kept = 0;
    for (const ProfileSection& s : p.Sections()) {
        Check(p.Section(s.Name) == &s);
        const QString section = Joined(s);
        QStringView buffer = section, entry;
        std::size_t n = 0;
        while (NextSectionEntry(buffer, entry)) {
            Check(n < s.Entries.size());
            QStringView key, value;
            SplitEntry(entry, key, value);
            Check(key == s.Entries[n].Key && value == s.Entries[n].Value);
            (void)ParseNumber(value);
            ++n;
        }
        Check(n == s.Entries.size());
        kept += s.Name.size();
        for (const ProfileEntry& e : s.Entries)
            kept += e.Key.size() + e.Value.size();
    }
    Check(kept <= qsizetype(size));

    Bases b;
    LoadRelocatable(b, p);
    LoadRelocatable1(b, p);
    LoadWeekdays(b, p);
    LoadWeekdays1(b, p);
    LoadSpecWeekDays(b, p);
    LoadSpecial(b, p);
    PlaceYear(b, 2024);
    PlaceYear(b, 2025);
    return 0;
}
