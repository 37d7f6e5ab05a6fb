// Vorelian: until the main window lands, the program prints today's date in the three styles.
#include "core/calendar.h"
#include "core/recalc.h"
#include "core/state.h"
#include "core/tables.h"

#include <QCoreApplication>
#include <QDate>
#include <QTextStream>

using namespace vorelian;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    CalendarState st;
    InitStyleTables(st);
    const QDate today = QDate::currentDate();
    st.CurStyle = StyleGregorian;
    StyleDate& g = st.StyleDates[StyleGregorian];
    g.Day = static_cast<int16_t>(today.day());
    g.Month = static_cast<int16_t>(today.month());
    g.Year = static_cast<int16_t>(today.year());
    RecalcYear(st);

    QTextStream out(stdout);
    out << "Vorelian: the window is not built yet; today in the three styles:\n";
    for (int16_t s = 1; s <= 3; ++s) {
        const StyleDate& r = st.StyleDates[s];
        const int m = s == StyleAnnoMundi ? (r.Month + 7) % 12 + 1 : r.Month;
        out << "  " << r.Day << ' ' << MonthNameOf(m, 2) << ' ' << r.Year << " года" << StyleNames[s] << '\n';
    }
    out << "  " << WeekdayNames[st.CurWeekday] << '\n';
    return 0;
}
