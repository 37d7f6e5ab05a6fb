// Placing the records in a Paschal year: days from Pascha, a weekday near a Julian date, and every
// branch of the rules behind the record numbers of Special.DAT and SpecWeekDays.DAT. The expected days
// are Julian dates worked out by hand and with a separate script, never with the code under test.
#include "fixture.h"

#include "bases/bases.h"
#include "core/calendar.h"

#include <QTest>

using namespace vorelian;
using fixture::Gregorian;
using fixture::Julian;

namespace {

struct Placed {
    const char* name;
    int year; // the Julian Paschal year
    int record;
    int day; // Julian date in that year; 0 = not placed
    int month;
};

// For every rule, a year that takes each of its branches (c = 2 February, b = 24 February, P = Pascha).
const Placed kSpecial[] = {
    {"S1: Nativity on a Sunday, 2000 (Pascha 17.4)", 2000, 1, 26, 12},
    {"S1: Nativity on a Monday, 2001 (Pascha 2.4)", 2001, 1, 31, 12},
    {"S1: Nativity on a Tuesday, 2002 (Pascha 22.4)", 2002, 1, 30, 12},
    {"S1: Nativity on a Wednesday, 2003 (Pascha 14.4)", 2003, 1, 29, 12},
    {"S1: Nativity on a Thursday, 2009 (Pascha 6.4)", 2009, 1, 28, 12},
    {"S1: Nativity on a Friday, 2004 (Pascha 29.3)", 2004, 1, 27, 12},
    {"S1: Nativity on a Saturday, 2005 (Pascha 18.4)", 2005, 1, 26, 12},
    {"S2: Meeting on another day, 2000 (Pascha 17.4)", 2000, 2, 1, 2},
    {"S3: Meeting on another day, 2000 (Pascha 17.4)", 2000, 3, 2, 2},
    {"S10: P-c 50..52, 2007 (Pascha 26.3)", 2007, 10, 5, 2},
    {"S4: P-c 50..52, 2007 (Pascha 26.3)", 2007, 4, 3, 2},
    {"S5: P-c 50..52, 2007 (Pascha 26.3)", 2007, 5, 4, 2},
    {"S6: P-c 50..52, 2007 (Pascha 26.3)", 2007, 6, 0, 0},
    {"S7: P-c 50..52, 2007 (Pascha 26.3)", 2007, 7, 0, 0},
    {"S8: P-c 50..52, 2007 (Pascha 26.3)", 2007, 8, 0, 0},
    {"S9: P-c 50..52, 2007 (Pascha 26.3)", 2007, 9, 0, 0},
    {"S10: P-c 53..54, 2034 (Pascha 27.3)", 2034, 10, 5, 2},
    {"S10: P-c 55..56, 2004 (Pascha 29.3)", 2004, 10, 6, 2},
    {"S10: P-c 57..60, 2001 (Pascha 2.4)", 2001, 10, 7, 2},
    {"S4: P-c 57..60, 2001 (Pascha 2.4)", 2001, 4, 3, 2},
    {"S5: P-c 57..60, 2001 (Pascha 2.4)", 2001, 5, 4, 2},
    {"S6: P-c 57..60, 2001 (Pascha 2.4)", 2001, 6, 5, 2},
    {"S7: P-c 57..60, 2001 (Pascha 2.4)", 2001, 7, 6, 2},
    {"S8: P-c 57..60, 2001 (Pascha 2.4)", 2001, 8, 0, 0},
    {"S9: P-c 57..60, 2001 (Pascha 2.4)", 2001, 9, 0, 0},
    {"S10: P-c 61..63, 2009 (Pascha 6.4)", 2009, 10, 7, 2},
    {"S10: P-c 65 or more, 2000 (Pascha 17.4)", 2000, 10, 9, 2},
    {"S10: P-c 64, 9 February on Meatfare Saturday, 2025 (Pascha 7.4)", 2025, 10, 8, 2},
    {"S8: P-c 64, 2025 (Pascha 7.4)", 2025, 8, 7, 2},
    {"S9: P-c 64, 2025 (Pascha 7.4)", 2025, 9, 0, 0},
    {"S10: P-c below 50, 2037 (Pascha 23.3)", 2037, 10, 0, 0},
    {"S10: Meeting on Cheesefare Monday, 2010 (Pascha 22.3)", 2010, 10, 0, 0},
    {"S11: P-b 44..47, 2006 (Pascha 10.4)", 2006, 11, 0, 0},
    {"S12: P-b 44..47, 2006 (Pascha 10.4)", 2006, 12, 24, 2},
    {"S11: b = P-48, 2060 (Pascha 12.4)", 2060, 11, 23, 2},
    {"S12: b = P-48, 2060 (Pascha 12.4)", 2060, 12, 0, 0},
    {"S11: b = P-51, 2035 (Pascha 16.4)", 2035, 11, 23, 2},
    {"S12: b = P-51, 2035 (Pascha 16.4)", 2035, 12, 0, 0},
    {"S11: b = P-53, 2000 (Pascha 17.4)", 2000, 11, 23, 2},
    {"S12: b = P-53, 2000 (Pascha 17.4)", 2000, 12, 0, 0},
    {"S11: b = P-57, 2002 (Pascha 22.4)", 2002, 11, 23, 2},
    {"S12: b = P-57, 2002 (Pascha 22.4)", 2002, 12, 0, 0},
    {"S11: b elsewhere, 2001 (Pascha 2.4)", 2001, 11, 24, 2},
    {"S12: b elsewhere, 2001 (Pascha 2.4)", 2001, 12, 0, 0},
    {"S13: 9 March on the fifth Saturday, 2007 (Pascha 26.3)", 2007, 13, 7, 3},
    {"S13: 9 March on P-15, 2143 (Pascha 24.3)", 2143, 13, 10, 3},
    {"S13: 9 March on P-25, 2017 (Pascha 3.4)", 2017, 13, 8, 3},
    {"S13: 9 March elsewhere, 2000 (Pascha 17.4)", 2000, 13, 9, 3},
    {"S14: Annunciation on P-16, 2006 (Pascha 10.4)", 2006, 14, 23, 3},
    {"S15: Annunciation on P-16, 2006 (Pascha 10.4)", 2006, 15, 26, 3},
    {"S14: Annunciation on P-18, 2038 (Pascha 12.4)", 2038, 14, 23, 3},
    {"S15: Annunciation on P-18, 2038 (Pascha 12.4)", 2038, 15, 26, 3},
    {"S14: Annunciation on P-8, 2001 (Pascha 2.4)", 2001, 14, 23, 3},
    {"S15: Annunciation on P-8, 2001 (Pascha 2.4)", 2001, 15, 0, 0},
    {"S14: Annunciation elsewhere, 2000 (Pascha 17.4)", 2000, 14, 0, 0},
    {"S15: Annunciation elsewhere, 2000 (Pascha 17.4)", 2000, 15, 0, 0},
    {"S16: on 24 February, 2058 (Pascha 1.4)", 2058, 16, 0, 0},
    {"S16: on 9 March, 2003 (Pascha 14.4)", 2003, 16, 0, 0},
    {"S16: free, 2000 (Pascha 17.4)", 2000, 16, 12, 3},
    {"S17: on 24 February, 2075 (Pascha 25.3)", 2075, 17, 0, 0},
    {"S17: on 25 March, 2040 (Pascha 23.4)", 2040, 17, 0, 0},
    {"S17: on 9 March, 2014 (Pascha 7.4)", 2014, 17, 0, 0},
    {"S17: free, 2000 (Pascha 17.4)", 2000, 17, 19, 3},
    {"S18: on 25 March, 2035 (Pascha 16.4)", 2035, 18, 0, 0},
    {"S18: on 24 March, the eve of the Annunciation, 2030 (Pascha 15.4)", 2030, 18, 0, 0},
    {"S18: on 9 March, 2031 (Pascha 31.3)", 2031, 18, 0, 0},
    {"S18: free, 2000 (Pascha 17.4)", 2000, 18, 26, 3},
    {"S20: 25 May on P+48, 2014 (Pascha 7.4)", 2014, 20, 23, 5},
    {"S20: 25 May on P+49, 2009 (Pascha 6.4)", 2009, 20, 22, 5},
    {"S20: 25 May on P+50, 2055 (Pascha 5.4)", 2055, 20, 26, 5},
    {"S20: 25 May on P+56, 2015 (Pascha 30.3)", 2015, 20, 23, 5},
    {"S20: 25 May elsewhere, 2000 (Pascha 17.4)", 2000, 20, 25, 5},
    {"S63: 16 July Monday..Wednesday, 2002 (Pascha 22.4)", 2002, 63, 15, 7},
    {"S63: 16 July Thursday..Saturday, 2000 (Pascha 17.4)", 2000, 63, 17, 7},
    {"S63: 16 July a Sunday, 2001 (Pascha 2.4)", 2001, 63, 16, 7},
    {"S64: 11 October Monday..Wednesday, 2000 (Pascha 17.4)", 2000, 64, 9, 10},
    {"S64: 11 October Thursday..Saturday, 2002 (Pascha 22.4)", 2002, 64, 14, 10},
    {"S64: 11 October a Sunday, 2004 (Pascha 29.3)", 2004, 64, 11, 10},
    {"S19: 9 May of the Gregorian calendar, 1900 (Pascha 9.4)", 1900, 19, 26, 4},
    {"S19: 9 May of the Gregorian calendar, 2000 (Pascha 17.4)", 2000, 19, 26, 4},
    {"S19: 9 May of the Gregorian calendar, 2100 (Pascha 18.4), P+7", 2100, 19, 25, 4},
    {"S19: 9 May on Bright Thursday, to Radonitsa, 2024 (Pascha 22.4)", 2024, 19, 1, 5},
    {"S19: 9 May on Pascha, to Radonitsa, 2040 (Pascha 23.4)", 2040, 19, 2, 5},
    {"S65: 23 April elsewhere, 2026 (Pascha 30.3)", 2026, 65, 23, 4},
    {"S65: 23 April on Pascha, 2040 (Pascha 23.4)", 2040, 65, 24, 4},
    {"S65: 23 April on Great Saturday, 2051 (Pascha 24.4)", 2051, 65, 25, 4},
    {"S65: 23 April on Great Friday, 2078 (Pascha 25.4)", 2078, 65, 26, 4},
    {"S65: 23 April on Bright Monday stays, 2024 (Pascha 22.4)", 2024, 65, 23, 4},
    {"S66: record 14 not placed, 2026 (Pascha 30.3)", 2026, 66, 24, 3},
    {"S66: record 14 placed, 2012 (Pascha 2.4)", 2012, 66, 0, 0},
    {"S66: record 14 placed, 2038 (Pascha 12.4)", 2038, 66, 0, 0},
};

const Placed kSpecWeekDays[] = {
    {"2031 Meatfare Saturday on 2 February, record 1", 2031, 1, 0, 0},
    {"2031 Meatfare Saturday on 2 February, record 2", 2031, 2, 2, 2},
    {"2031 Meatfare Saturday on 2 February, record 3", 2031, 3, 14, 3},
    {"2031 Meatfare Saturday on 2 February, record 4", 2031, 4, 19, 10},
    {"2031 Meatfare Saturday on 2 February, record 5", 2031, 5, 0, 0},
    {"2031 Meatfare Saturday on 2 February, record 6", 2031, 6, 0, 0},
    {"2031 Meatfare Saturday on 2 February, record 7", 2031, 7, 26, 1},
    {"2011 fifth Saturday on the Annunciation, record 1", 2011, 1, 13, 2},
    {"2011 fifth Saturday on the Annunciation, record 2", 2011, 2, 0, 0},
    {"2011 fifth Saturday on the Annunciation, record 3", 2011, 3, 23, 3},
    {"2011 fifth Saturday on the Annunciation, record 4", 2011, 4, 23, 10},
    {"2011 fifth Saturday on the Annunciation, record 5", 2011, 5, 0, 0},
    {"2011 fifth Saturday on the Annunciation, record 6", 2011, 6, 0, 0},
    {"2011 fifth Saturday on the Annunciation, record 7", 2011, 7, 0, 0},
    {"2000 Saturday on 22 October, record 1", 2000, 1, 20, 2},
    {"2000 Saturday on 22 October, record 2", 2000, 2, 0, 0},
    {"2000 Saturday on 22 October, record 3", 2000, 3, 31, 3},
    {"2000 Saturday on 22 October, record 4", 2000, 4, 15, 10},
    {"2000 Saturday on 22 October, record 5", 2000, 5, 0, 0},
    {"2000 Saturday on 22 October, record 6", 2000, 6, 0, 0},
    {"2004 Saturday on 24 October, record 1", 2004, 1, 1, 2},
    {"2004 Saturday on 24 October, record 2", 2004, 2, 0, 0},
    {"2004 Saturday on 24 October, record 3", 2004, 3, 12, 3},
    {"2004 Saturday on 24 October: it stays, record 4", 2004, 4, 24, 10},
    {"2004 Saturday on 24 October, record 5", 2004, 5, 0, 0},
    {"2004 Saturday on 24 October, record 6", 2004, 6, 0, 0},
    {"2027 Saturday on 24 October: it stays, record 4", 2027, 4, 24, 10},
    {"2001 Saturday on 21 October, record 1", 2001, 1, 4, 2},
    {"2001 Saturday on 21 October, record 2", 2001, 2, 0, 0},
    {"2001 Saturday on 21 October, record 3", 2001, 3, 16, 3},
    {"2001 Saturday on 21 October, record 4", 2001, 4, 21, 10},
    {"2001 Saturday on 21 October, record 5", 2001, 5, 0, 0},
    {"2001 Saturday on 21 October, record 6", 2001, 6, 0, 0},
    {"2003 St Demetrius on a Saturday, record 1", 2003, 1, 16, 2},
    {"2003 St Demetrius on a Saturday, record 2", 2003, 2, 0, 0},
    {"2003 St Demetrius on a Saturday, record 3", 2003, 3, 28, 3},
    {"2003 St Demetrius on a Saturday: the Saturday before, record 4", 2003, 4, 19, 10},
    {"2003 St Demetrius on a Saturday, record 5", 2003, 5, 0, 0},
    {"2003 St Demetrius on a Saturday, record 6", 2003, 6, 0, 0},
    {"2025 St Demetrius on a Saturday: the Saturday before, record 4", 2025, 4, 19, 10},
};

// SpecWeekDays records 1..n, each with a title only.
Profile Titles(int n) {
    QString text;
    for (int i = 1; i <= n; ++i)
        text += QStringLiteral("[%1]\n0=title %1\n").arg(i);
    return fixture::Parse(text);
}

// Where each record of the bases falls in a Paschal year: on its day of that year, and, in the bases that
// reach over two years, on its day of the year before (0: not placed).
struct PlacedRecord {
    int32_t DayNumber = 0, PrevDay = 0;
};
struct PlacedBase {
    std::vector<PlacedRecord> Records;
};
struct PlacedBases {
    PlacedBase Reloc, Reloc1, Special, Weekdays, Weekdays1, SpecWeekDays;
};

PlacedBases Place(const Bases& b, int16_t year) {
    const YearPlacement cur = PlaceYear(b, year), prev = PlaceYear(b, int16_t(year - 1));
    PlacedBases out;
    PlacedBase* bases[] = {&out.Reloc,    &out.Reloc1,    &out.Special,
                           &out.Weekdays, &out.Weekdays1, &out.SpecWeekDays};
    for (int k = 0; k < BaseKinds; ++k) {
        const bool twoYears = b[BaseKind(k)].TwoYears;
        for (std::size_t i = 0; i < cur.Days[k].size(); ++i)
            bases[k]->Records.push_back({cur.Days[k][i], twoYears ? prev.Days[k][i] : 0});
    }
    return out;
}

PlacedBases PlacedIn(int16_t year, int specWeekDays = 7) {
    Bases b;
    LoadSpecWeekDays(b, Titles(specWeekDays));
    return Place(b, year);
}

int32_t Expected(const Placed& r) {
    return r.day == 0 ? 0 : Julian(r.day, r.month, r.year);
}

} // namespace

class TestBasesMovable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void special_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("record");
        QTest::addColumn<int>("expected");
        for (const Placed& r : kSpecial)
            QTest::addRow("%s", r.name) << r.year << r.record << Expected(r);
    }
    void special() {
        QFETCH(int, year);
        QFETCH(int, record);
        QFETCH(int, expected);
        const PlacedBases b = PlacedIn(int16_t(year));
        QCOMPARE(b.Special.Records[record].DayNumber, expected);
        // The same year seen as the year before gives the same day.
        const PlacedBases next = PlacedIn(int16_t(year + 1));
        QCOMPARE(next.Special.Records[record].PrevDay, expected);
    }

    void specWeekDays_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("record");
        QTest::addColumn<int>("expected");
        for (const Placed& r : kSpecWeekDays)
            QTest::addRow("%s", r.name) << r.year << r.record << Expected(r);
    }
    void specWeekDays() {
        QFETCH(int, year);
        QFETCH(int, record);
        QFETCH(int, expected);
        QCOMPARE(PlacedIn(int16_t(year)).SpecWeekDays.Records[record].DayNumber, expected);
        QCOMPARE(PlacedIn(int16_t(year + 1)).SpecWeekDays.Records[record].PrevDay, expected);
    }

    void examplesOfTheMeetingOfTheLord() {
        // Pascha on 23 March of a common year: the Meeting is 49 days before it, no afterfeast.
        PlacedBases b = PlacedIn(2037);
        QCOMPARE(b.Special.Records[3].DayNumber, Julian(2, 2, 2037));
        QCOMPARE(b.Special.Records[2].DayNumber, Julian(1, 2, 2037));
        for (int k = 4; k <= 10; ++k)
            QCOMPARE(b.Special.Records[k].DayNumber, 0);
        // Pascha on 22 March: the Meeting falls on Cheesefare Monday and moves a day back.
        b = PlacedIn(2010);
        QCOMPARE(b.Special.Records[3].DayNumber, Julian(1, 2, 2010));
        QCOMPARE(b.Special.Records[2].DayNumber, Julian(31, 1, 2010));
        for (int k = 4; k <= 10; ++k)
            QCOMPARE(b.Special.Records[k].DayNumber, 0);
        // Pascha on 22 April: a full afterfeast, 3..8 February, leave-taking on 9 February.
        b = PlacedIn(2002);
        QCOMPARE(b.Special.Records[10].DayNumber, Julian(9, 2, 2002));
        for (int k = 4; k <= 9; ++k)
            QCOMPARE(b.Special.Records[k].DayNumber, Julian(k - 1, 2, 2002));
    }

    void apostlesFast_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("firstDay");
        QTest::addColumn<int>("firstMonth");
        QTest::addRow("Pascha 22 March, 2010: the longest fast") << 2010 << 41 << 19 << 5;
        QTest::addRow("Pascha 22 April, 2002") << 2002 << 10 << 19 << 6;
        QTest::addRow("Pascha 25 April, 2078: the shortest fast") << 2078 << 7 << 22 << 6;
    }
    void apostlesFast() {
        QFETCH(int, year);
        QFETCH(int, days);
        QFETCH(int, firstDay);
        QFETCH(int, firstMonth);
        const PlacedBases b = PlacedIn(int16_t(year));
        const int32_t first = Julian(firstDay, firstMonth, year);
        for (int k = 1; k <= days; ++k)
            QCOMPARE(b.Special.Records[20 + k].DayNumber, first + k - 1);
        QCOMPARE(b.Special.Records[20 + days].DayNumber, Julian(28, 6, year));
        for (int k = 21 + days; k <= 62; ++k)
            QCOMPARE(b.Special.Records[k].DayNumber, 0);
    }

    void fortyMartyrsWithoutTheFifthSaturday() {
        // 2007: 9 March is the Saturday of the fifth week; without that record the feast stays put.
        QCOMPARE(PlacedIn(2007, 6).Special.Records[13].DayNumber, Julian(7, 3, 2007));
        QCOMPARE(PlacedIn(2007, 2).Special.Records[13].DayNumber, Julian(9, 3, 2007));
    }

    void specWeekDaysOnlyRecordsThatExist() {
        PlacedBases b = PlacedIn(2004, 2);
        QCOMPARE(b.SpecWeekDays.Records.size(), std::size_t(3));
        QCOMPARE(b.SpecWeekDays.Records[1].DayNumber, Julian(1, 2, 2004));
        QCOMPARE(b.SpecWeekDays.Records[2].DayNumber, 0);
        b = PlacedIn(2004, 4); // records 5 and 6 of the rule are not there to write
        QCOMPARE(b.SpecWeekDays.Records.size(), std::size_t(5));
        QCOMPARE(b.SpecWeekDays.Records[4].DayNumber, Julian(24, 10, 2004));
        b = PlacedIn(2031, 8); // record 8 gets no day
        QCOMPARE(b.SpecWeekDays.Records[7].DayNumber, Julian(26, 1, 2031));
        QCOMPARE(b.SpecWeekDays.Records[8].DayNumber, 0);
        QCOMPARE(b.SpecWeekDays.Records[8].PrevDay, 0);
    }

    void relocatableFromPascha_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("expected");
        // Pascha 2024: 22 April Julian, 5 May Gregorian.
        QTest::addRow("Pascha") << 0 << Gregorian(5, 5, 2024);
        QTest::addRow("Palm Sunday") << -7 << Gregorian(28, 4, 2024);
        QTest::addRow("Pentecost") << 49 << Gregorian(23, 6, 2024);
        QTest::addRow("Meatfare Saturday") << -57 << Julian(25, 2, 2024);
    }
    void relocatableFromPascha() {
        QFETCH(int, days);
        QFETCH(int, expected);
        const Profile p = fixture::Parse(QStringLiteral("[1]\ndays=%1\n").arg(days));
        Bases b;
        LoadRelocatable(b, p);
        LoadWeekdays(b, p);
        const PlacedBases placed = Place(b, 2024);
        QCOMPARE(placed.Reloc.Records[1].DayNumber, expected);
        QCOMPARE(placed.Weekdays.Records[1].DayNumber, expected);
        // Only the current Paschal year: the day of the year before is not kept.
        QCOMPARE(Place(b, 2025).Reloc.Records[1].PrevDay, 0);
        QCOMPARE(Place(b, 2025).Weekdays.Records[1].PrevDay, 0);
    }

    void weekdayNearADate_data() {
        QTest::addColumn<int>("weekday");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("anchor");
        // Anchor 1 January (Julian): a Tuesday in 2025, a Sunday in 2024; 3 January: a Thursday in
        // 2025, a Tuesday in 2024.
        QTest::addRow("Sunday nearest: Tuesday back, Sunday itself")
            << 8 << Julian(30, 12, 2024) << Julian(1, 1, 2024) << 1;
        QTest::addRow("Sunday nearest: Thursday on, Tuesday back")
            << 8 << Julian(6, 1, 2025) << Julian(1, 1, 2024) << 3;
        QTest::addRow("Monday after") << 1 << Julian(7, 1, 2025) << Julian(2, 1, 2024) << 1;
        QTest::addRow("Tuesday after, on a Tuesday") << 2 << Julian(8, 1, 2025) << Julian(3, 1, 2024) << 1;
        QTest::addRow("Sunday after, on a Sunday") << 7 << Julian(6, 1, 2025) << Julian(8, 1, 2024) << 1;
        QTest::addRow("Sunday before, 0") << 0 << Julian(30, 12, 2024) << Julian(25, 12, 2023) << 1;
        QTest::addRow("Sunday before, -7") << -7 << Julian(30, 12, 2024) << Julian(25, 12, 2023) << 1;
        QTest::addRow("Tuesday before, on a Tuesday")
            << -2 << Julian(25, 12, 2024) << Julian(27, 12, 2023) << 1;
        QTest::addRow("Monday before") << -1 << Julian(31, 12, 2024) << Julian(26, 12, 2023) << 1;
        QTest::addRow("Saturday before") << -6 << Julian(29, 12, 2024) << Julian(31, 12, 2023) << 1;
    }
    void weekdayNearADate() {
        QFETCH(int, weekday);
        QFETCH(int, current);
        QFETCH(int, previous);
        QFETCH(int, anchor);
        const Profile p =
            fixture::Parse(QStringLiteral("[1]\nday=%1\nmonth=1\nweekday=%2\n").arg(anchor).arg(weekday));
        Bases b;
        LoadRelocatable1(b, p);
        LoadWeekdays1(b, p);
        const PlacedBases placed = Place(b, 2025);
        QCOMPARE(placed.Reloc1.Records[1].DayNumber, current);
        QCOMPARE(placed.Reloc1.Records[1].PrevDay, previous);
        QCOMPARE(placed.Weekdays1.Records[1].DayNumber, current);
        QCOMPARE(placed.Weekdays1.Records[1].PrevDay, previous);
    }

    void sundayAfterTheNativityInGregorianJanuary() {
        // 12 January 2025 (Gregorian) is the Sunday after 25 December of the Julian year before, so it is
        // reached through the day placed in the year before Pascha 2025.
        Bases b;
        LoadRelocatable1(b, fixture::Parse(QStringLiteral("[1]\nday=25\nmonth=12\nweekday=7\nred=1\n")));
        const PlacedBases placed = Place(b, 2025);
        QCOMPARE(placed.Reloc1.Records[1].PrevDay, Julian(30, 12, 2024));
        QCOMPARE(placed.Reloc1.Records[1].PrevDay, Gregorian(12, 1, 2025));
        QCOMPARE(placed.Reloc1.Records[1].DayNumber, Gregorian(11, 1, 2026));
    }
};

QTEST_GUILESS_MAIN(TestBasesMovable)
#include "test_bases_movable.moc"
