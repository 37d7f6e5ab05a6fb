// How one day is made from the data: the commemorations of its day file and of the movable records placed
// on it, in the order the day report shows them, and its weekday line with the week of the movable cycle
// and the tone. The day engine computes every day through these functions.
#pragma once

#include "bases/bases.h"
#include "core/state.h"
#include "engine/dayinfo.h"

#include <QString>
#include <QStringView>

#include <array>
#include <vector>

namespace vorelian {

// Where the records of the bases fall: the placements of a Paschal year and of the year before.
struct PlacedView {
    const Bases* Records = nullptr;
    const YearPlacement* Cur = nullptr;
    const YearPlacement* Prev = nullptr;

    bool Belongs(BaseKind k, int i, int32_t day) const;

    // Visits visit(kind, index, record) for every record of the bases `kinds` placed on `day`, in table
    // order, and sets `red` when a visited record is red (never clears it).
    template <class Visit>
    void ForEachOn(const std::array<BaseKind, 3>& kinds, int32_t day, bool& red, Visit visit) const {
        for (BaseKind k : kinds) {
            const RecordBase& base = (*Records)[k];
            for (int i = 1; i <= base.Count; ++i) {
                if (!Belongs(k, i, day))
                    continue;
                const BaseRecord& r = base.Records[i];
                if (r.Red)
                    red = true;
                visit(k, i, r);
            }
        }
    }
};

// The entries of every text of every record, made once: [base][record][text key].
using RecordEntryTable = std::array<std::vector<std::array<std::vector<DayEntry>, 8>>, BaseKinds>;
RecordEntryTable PrepareRecordEntries(const Bases& b);

// The entries of one text key of a record.
std::vector<DayEntry> RecordEntries(const BaseRecord& r, int key, bool red);

// The day as its year sees it: the day number, weekday, the week within its year of the style, and the
// Pascha block of that year.
struct DayFacts {
    int32_t Day = 0;
    int16_t Weekday = 0;
    int16_t WeekNo = 0;
    PaschaBlock Pascha;
};

// The commemorations of a day file section (keys 0..4, in file order); `red` is set by a "Red" key of any
// value, and the first line of group 0 (the great feast of the day) is then marked red.
std::vector<DayEntry> DayFileEntries(const ProfileSection* section, bool& red);

// The commemorations of the day: the day file's entries, then those of the three commemoration bases
// placed on it, "before" texts in front of a group and "after" texts behind it. `prepared` may be null.
// Sets `red` for a Sunday, a red day file and a red record; never clears it.
std::vector<DayEntry> DayEntriesOf(const DayFacts& day, const std::vector<DayEntry>& fileEntries,
                                   bool fileRed, const PlacedView& placed, const RecordEntryTable* prepared,
                                   bool& red);

// The weekday line: as the day report writes it (with its blank marks) and as a reader sees it.
struct WeekdayLineParts {
    QString Stored;
    QString Plain;
    int16_t Tone = 0; // 1..8, 0 for none
    bool Red = false; // a red day-title record is placed on the day
};
WeekdayLineParts WeekdayLineOf(const DayFacts& day, const PlacedView& placed);

// The rank of a stored text by its tag ({1} .. {6}, not {4}).
Rank RankOf(QStringView stored);
// A stored text as a reader sees it: no rank tag, no control words, no braces, no blanks around it.
QString PlainText(QStringView stored);

// The week of the movable cycle for a weekday (1 Monday .. 7 Sunday) in week w of a year whose Pascha
// falls in week p and whose first week is week k after the previous Pentecost.
QString WeekPhrase(int16_t weekday, int w, int p, int k);
// The tone of day d, given this year's and the previous year's Pascha; 0 when the day has none.
int16_t ToneOfDay(int32_t d, int32_t paschaDay, int32_t prevPaschaDay);
// acc, a blank when acc is not empty, then text.
QString JoinWithSpace(const QString& acc, QStringView text);
// acc without its final full stop (if it ends with one), then text.
QString JoinAfterPeriod(const QString& acc, QStringView text);

} // namespace vorelian
