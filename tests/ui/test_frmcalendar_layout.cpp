// Where the month's days go and where the window's controls stand: every month of the default range in
// every style and both first weekdays against the Julian and Gregorian calendars of Qt, and the controls
// of the window at the design size and after resizing.
#include "frmcalendar_fixture.h"

#include <QCalendar>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>

#include <cmath>

#include "ui/windowtext.h"

using namespace vorelian;
using fixture::Program;

namespace {

// The calendar month of a style's month: Julian and Gregorian months as they are, Anno Mundi months from
// September, its months 1..4 in the Julian year before.
struct CivilMonth {
    QCalendar Calendar;
    int Year, Month;
};

CivilMonth Civil(int16_t style, int year, int month) {
    if (style == StyleGregorian)
        return {QCalendar(QCalendar::System::Gregorian), year, month};
    if (style == StyleJulian)
        return {QCalendar(QCalendar::System::Julian), year, month};
    return {QCalendar(QCalendar::System::Julian), month <= 4 ? year - 5509 : year - 5508,
            (month + 7) % 12 + 1};
}

CalendarState StateAt(int16_t style, int16_t day, int16_t month, int16_t year) {
    CalendarState st;
    InitStyleTables(st);
    SetYearRange(st, 1901, 2100);
    st.CurStyle = style;
    StyleDate& r = st.Cur();
    r.Day = day;
    r.Month = month;
    r.Year = year;
    RecalcYear(st);
    return st;
}

// The contrast of two colours as the accessibility guidelines reckon it, from 1 to 21.
double Contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A dark desktop palette, as the dark themes of GNOME and KDE give it.
QPalette DarkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xec));
    p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::AlternateBase, QColor(0x2a, 0x2a, 0x2a));
    p.setColor(QPalette::Text, QColor(0xee, 0xee, 0xec));
    p.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
    p.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xec));
    p.setColor(QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

} // namespace

class TestFrmCalendarLayout : public QObject {
    Q_OBJECT

    fixture::World world;

private Q_SLOTS:
    void init() { world.ClearSettings(); }

    // On a dark desktop every text of the window stays readable (4.5:1 at least): the column, the grids
    // and the reports keep a light background of their own, the rest follows the desktop.
    void everyTextIsReadableOnADarkDesktop() {
        const QPalette light = QApplication::palette();
        QApplication::setPalette(DarkPalette());
        const QString help = world.ProgramFolder() + QStringLiteral("/Help");
        QDir().mkpath(help);
        QFile::remove(help + QStringLiteral("/Index.html"));
        QVERIFY(QFile::copy(QStringLiteral(VORELIAN_SOURCE_DIR "/data/Help/Index.html"),
                            help + QStringLiteral("/Index.html")));
        {
            Program p(world, QDate(2024, 1, 7));
            QStringList faults;
            const auto check = [&](const QString& what, const QColor& fore, const QColor& back) {
                if (Contrast(fore, back) < 4.5)
                    faults << QStringLiteral("%1: %2 on %3").arg(what, fore.name(), back.name());
            };
            const auto roles = [&](QWidget* w, QPalette::ColorRole fore, QPalette::ColorRole back) {
                check(w->objectName(), w->palette().color(fore), w->palette().color(back));
            };
            for (int i = 0; i < 5; ++i) {
                roles(p.Combo(i), QPalette::Text, QPalette::Base);
                roles(p.Combo(i), QPalette::ButtonText, QPalette::Button);
                if (QLineEdit* box = p.Combo(i)->lineEdit()) // the year picker's box for typing
                    roles(box, QPalette::Text, QPalette::Base);
                roles(p.Back(i), QPalette::WindowText, QPalette::Window);
                roles(p.Forward(i), QPalette::WindowText, QPalette::Window);
            }
            for (FlexGrid* grid : {static_cast<FlexGrid*>(p.Grid()), static_cast<FlexGrid*>(p.Styles())})
                for (int r = 0; r < grid->rowCount(); ++r)
                    for (int c = 0; c < grid->columnCount(); ++c)
                        if (!grid->Text(r, c).isEmpty())
                            check(QStringLiteral("%1 %2,%3").arg(grid->objectName()).arg(r).arg(c),
                                  grid->CellForeColor(r, c), grid->CellBackColor(r, c));
            for (int t = 0; t < 7; ++t)
                roles(p.w->View(t), QPalette::Text, QPalette::Base);
            roles(p.w->cbToday, QPalette::ButtonText, QPalette::Button);
            p.Action(QStringLiteral("mnuHelp"))->trigger();
            auto* browser = p.w->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
            QVERIFY(browser);
            roles(browser, QPalette::Text, QPalette::Base);
            // The help page's own text colour, on the browser's page.
            const QTextCharFormat page = browser->document()->begin().charFormat();
            if (page.foreground().style() != Qt::NoBrush)
                check(QStringLiteral("help text"), page.foreground().color(),
                      browser->palette().color(QPalette::Base));
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        }
        QApplication::setPalette(light);
        QFile::remove(help + QStringLiteral("/Index.html"));
    }

    void everyMonthOfTheRange_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("firstWeekday");
        for (int s = 1; s <= 3; ++s)
            for (int f : {1, 7})
                QTest::addRow("style %d, first weekday %d", s, f) << s << f;
    }
    void everyMonthOfTheRange() {
        QFETCH(int, style);
        QFETCH(int, firstWeekday);
        const int16_t s = int16_t(style), fwd = int16_t(firstWeekday);
        const int lowest = s == StyleAnnoMundi ? 1901 + 5508 : 1901, highest = lowest + 199;
        for (int y = lowest; y <= highest; ++y)
            for (int m = 1; m <= 12; ++m) {
                const CivilMonth civil = Civil(s, y, m);
                const int days = civil.Calendar.daysInMonth(civil.Month, civil.Year);
                const int day = 1 + (y * 7 + m * 3) % days; // some day of the month
                const CalendarState st = StateAt(s, int16_t(day), int16_t(m), int16_t(y));
                const MonthLayout g = ComputeMonthLayout(st, fwd);
                const QString where = QStringLiteral("%1-%2").arg(y).arg(m);

                const int weekday = civil.Calendar.dateFromParts(civil.Year, civil.Month, 1).dayOfWeek();
                const int first = (weekday - fwd + 7) % 7; // row of the 1st
                for (int d = 1; d <= days; ++d) {
                    const int i = first + d - 1, row = i % 7, col = 1 + i / 7;
                    const MonthCell& c = g.Cells[row][col];
                    QVERIFY2(c.CellKind == MonthCell::Current && c.Text == QString::number(d),
                             qPrintable(where));
                    const bool sunday = (fwd + row - 1) % 7 == 6;
                    QVERIFY2(c.Bold == sunday && c.Fore == (sunday ? 6 : 5), qPrintable(where));
                    QVERIFY2(c.Back == 1 || c.Back == 2, qPrintable(where));
                }
                QVERIFY2(g.SelRow == (first + day - 1) % 7 && g.SelCol == 1 + (first + day - 1) / 7,
                         qPrintable(where));

                // Above the 1st: the last days of the previous month, none before the range.
                const bool atStart = y == lowest && m == 1, atEnd = y == highest && m == 12;
                const CivilMonth prev = m > 1 ? Civil(s, y, m - 1) : Civil(s, y - 1, 12);
                const int prevDays = prev.Calendar.daysInMonth(prev.Month, prev.Year);
                for (int row = first - 1, d = prevDays; row >= 0; --row, --d) {
                    const MonthCell& c = g.Cells[row][1];
                    QVERIFY2(c.CellKind == MonthCell::Previous && c.Fore == 4 && !c.Bold, qPrintable(where));
                    QVERIFY2(c.Text == (atStart ? QString() : QString::number(d)), qPrintable(where));
                }
                // After the last day: 1, 2, 3 ... to the end of column 6, none after the range.
                for (int i = first + days, d = 1; i < 42; ++i, ++d) {
                    const MonthCell& c = g.Cells[i % 7][1 + i / 7];
                    QVERIFY2(c.CellKind == MonthCell::Next && c.Fore == 4 && !c.Bold, qPrintable(where));
                    QVERIFY2(c.Text == (atEnd ? QString() : QString::number(d)), qPrintable(where));
                    QVERIFY2(1 + i / 7 >= 5, qPrintable(where));
                }
            }
    }

    // Fast days carry a violet corner mark, drawn over any background, the highlight's included; days of
    // the next and previous months carry none, and without marks no cell has one.
    void fastDaysCarryTheCornerMark() {
        const CalendarState st = StateAt(StyleGregorian, 15, 3, 2024); // a Friday, highlighted
        MonthGrid grid;
        grid.show();
        std::vector<DayMark> wednesdayOrFriday;
        for (int32_t n = st.Cur().MonthFirstDay; n <= st.Cur().MonthLastDay; ++n)
            wednesdayOrFriday.push_back({n, false, WeekdayOf(n) == 3 || WeekdayOf(n) == 5});
        grid.Fill(st, 1, 0, wednesdayOrFriday);
        const QImage shown = grid.grab().toImage();
        const MonthLayout g = ComputeMonthLayout(st, 1);
        int marked = 0;
        for (int r = 0; r <= 6; ++r)
            for (int c = 1; c <= 6; ++c) {
                const bool fast = g.Cells[r][c].CellKind == MonthCell::Current && (r == 2 || r == 4);
                QCOMPARE(grid.CellMark(r, c), fast);
                const QRect cell = grid.visualRect(grid.model()->index(r, c));
                const QPoint corner = grid.viewport()->mapTo(&grid, cell.topLeft() + QPoint(1, 1));
                QCOMPARE(shown.pixelColor(corner) == QColor(112, 48, 160), fast);
                marked += fast;
            }
        QCOMPARE(marked, 9); // March 2024: four Wednesdays and five Fridays
        grid.Fill(st, 1);
        for (int r = 0; r <= 6; ++r)
            for (int c = 1; c <= 6; ++c)
                QVERIFY(!grid.CellMark(r, c));
    }

    void controlsAtTheDesignSize() {
        Program p(world, QDate(2024, 3, 15));
        QWidget* client = p.w->centralWidget();
        QCOMPARE(client->size(), QSize(632, 426));
        // Every control lies inside the area that shows it.
        const QStringList names = {"SSTab1", "Con1",    "Con2",   "MSFlexGrid1", "MSFlexGrid2", "cbToday",
                                   "cbExit", "strFind", "cbFind", "WholeWord",   "NameDays"};
        QList<QWidget*> controls;
        for (const QString& n : names)
            controls << p.w->findChild<QWidget*>(n);
        for (int i = 0; i < 5; ++i)
            controls << p.Combo(i) << p.Back(i) << p.Forward(i);
        for (int t = 0; t < 7; ++t) {
            p.w->SSTab1->setCurrentIndex(t);
            controls << p.w->View(t);
        }
        for (QWidget* w : controls) {
            QVERIFY(w);
            QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(w->objectName()));
            const QRect inClient(w->mapTo(client, QPoint(0, 0)), w->size());
            QVERIFY2(client->rect().contains(inClient), qPrintable(w->objectName()));
        }
        // The design places (15 twips to a pixel) as the least, the widths grown to what the texts need,
        // the right-hand column pinned to the right edge.
        QCOMPARE(p.w->SSTab1->geometry().topLeft(), QPoint(8, 8));
        const QRect con1 = p.w->Con1->geometry();
        QCOMPARE(con1.topLeft(), QPoint(632 - con1.width(), 8));
        QVERIFY(con1.width() >= 175 && con1.height() >= 355);
        const int wide = p.Combo(1)->width(), high = p.Combo(1)->height();
        QVERIFY(wide >= 145 && high >= 21);
        QCOMPARE(p.Combo(1)->geometry(), QRect(p.Back(1)->geometry().right() + 4, 3 + high + 3, wide, high));
        QCOMPARE(p.Back(4)->geometry().topLeft(), QPoint(3, 3 + 4 * (high + 3)));
        QCOMPARE(p.Back(4)->height(), high);
        QVERIFY(p.Back(4)->width() >= 9);
        QCOMPARE(p.Forward(0)->geometry().left(), p.Combo(0)->geometry().right() + 4);
        const int inner = p.Combo(0)->x();
        QCOMPARE(p.Grid()->pos(), QPoint(inner, p.Combo(4)->geometry().bottom() + 1 + 7));
        QCOMPARE(p.Styles()->pos(), QPoint(inner, p.Grid()->geometry().bottom() + 1 + 7));
        QCOMPARE(p.Grid()->width(), wide);
        QCOMPARE(p.Styles()->width(), p.Grid()->width());
        QVERIFY(p.Grid()->columnWidth(0) >= 23);
        QVERIFY(p.Grid()->columnWidth(1) >= 20);
        QCOMPARE(p.Grid()->rowHeight(6), 17);
        QCOMPARE(p.w->cbToday->geometry(), QRect(inner, p.Styles()->geometry().bottom() + 1 + 7, wide, 33));
        QCOMPARE(p.w->cbExit->geometry(), QRect(inner, 3, wide, 33));
        // The grids fit their cells: nothing to scroll.
        QCOMPARE(p.Grid()->viewport()->size(),
                 QSize(p.Grid()->columnWidth(0) + 6 * p.Grid()->columnWidth(1), 7 * 17));
        QCOMPARE(p.Styles()->viewport()->height(), 3 * 17);
        // The report views keep their distance from the tab control's edges.
        const QRect tab = p.w->SSTab1->rect();
        for (int t = 0; t < 7; ++t) {
            p.w->SSTab1->setCurrentIndex(t);
            const QRect view(p.w->View(t)->mapTo(p.w->SSTab1, QPoint(0, 0)), p.w->View(t)->size());
            QCOMPARE(view.left(), 8);
            QCOMPARE(tab.right() - view.right(), 8);
            QCOMPARE(tab.bottom() - view.bottom(), 8);
            QCOMPARE(view.top(), t == 5 ? 91 : 32);
        }
    }

    void noTextIsCutOff_data() {
        QTest::addColumn<QString>("family"); // empty: the window's own choice
        QTest::addColumn<int>("size");
        for (int size = 0; size <= 2; ++size) {
            QTest::addRow("own face, size %d", size) << QString() << size;
            QTest::addRow("DejaVu Sans, size %d", size) << QStringLiteral("DejaVu Sans") << size;
            QTest::addRow("DejaVu Serif, size %d", size) << QStringLiteral("DejaVu Serif") << size;
        }
    }
    void noTextIsCutOff() {
        QFETCH(QString, family);
        QFETCH(int, size);
        Program p(world, QDate(2024, 12, 31)); // the longest week name: "28-я по Пятидесятнице"
        const QSize least = p.w->centralWidget()->minimumSize();
        p.w->SetWindowFont(WindowFont(int16_t(size), family.isEmpty() ? WindowFamily() : family));
        p.w->SetWeekDaysNames();
        p.w->SetGridCal();
        p.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.w));
        QWidget* client = p.w->centralWidget();
        if (size > 0)
            QVERIFY(client->minimumWidth() > least.width() && client->minimumHeight() >= least.height());
        for (int16_t style : {StyleGregorian, StyleAnnoMundi}) {
            if (style != p.app->State.CurStyle)
                p.Press(p.Styles(), style - 1, 1);
            for (int i = 0; i < 5; ++i) {
                QComboBox* c = p.Combo(i);
                QStyleOptionComboBox opt;
                opt.initFrom(c);
                const QRect field =
                    c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c);
                for (int k = 0; k < c->count(); ++k)
                    QVERIFY2(c->fontMetrics().horizontalAdvance(c->itemText(k)) <= field.width() - 2,
                             qPrintable(c->itemText(k)));
                QVERIFY(c->height() >= c->sizeHint().height());
                for (QLabel* step : {p.Back(i), p.Forward(i)})
                    QVERIFY(step->fontMetrics().horizontalAdvance(step->text()) <=
                            step->contentsRect().width());
            }
            for (FlexGrid* g : std::initializer_list<FlexGrid*>{p.Grid(), p.Styles()})
                for (int r = 0; r < g->rowCount(); ++r)
                    for (int c = 0; c < g->columnCount(); ++c) {
                        QFont f = g->font();
                        f.setBold(true); // the widest look a cell takes
                        const QFontMetrics fm(f);
                        const QString text = g->Text(r, c);
                        QVERIFY2(fm.horizontalAdvance(text) <= g->columnWidth(c) - 4, qPrintable(text));
                        QVERIFY2(fm.height() <= g->rowHeight(r), qPrintable(text));
                    }
        }
        for (QPushButton* b : {p.w->cbToday, p.w->cbExit, p.w->cbFind})
            QVERIFY2(b->width() >= b->sizeHint().width() && b->height() >= b->sizeHint().height(),
                     qPrintable(b->text()));
        QVERIFY(p.w->WholeWord->width() >= p.w->WholeWord->sizeHint().width());
        QTabBar* bar = p.w->SSTab1->tabBar();
        for (int t = 0; t < bar->count(); ++t)
            QVERIFY2(bar->rect().contains(bar->tabRect(t)), qPrintable(bar->tabText(t)));
        // Nothing overlaps the views, and every control lies inside the window.
        for (QWidget* w : {static_cast<QWidget*>(p.w->Con1), static_cast<QWidget*>(p.w->Con2)}) {
            const QRect inClient(w->mapTo(client, QPoint(0, 0)), w->size());
            QVERIFY(client->rect().contains(inClient));
            QVERIFY(!inClient.intersects(p.w->SSTab1->geometry()));
        }
        QVERIFY(!p.w->Con1->geometry().intersects(p.w->Con2->geometry()));
    }

    void textSizeFromTheSetupMenuIsKept() {
        Program p(world, QDate(2024, 3, 15));
        const int column = p.Grid()->columnWidth(1), wide = p.w->centralWidget()->minimumWidth();
        QVERIFY(p.Action(QStringLiteral("mnuTextSize_0"))->isChecked());
        const int menuHeight = p.w->menuBar()->sizeHint().height();
        p.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.w));
        p.Action(QStringLiteral("mnuTextSize_2"))->trigger();
        QCOMPARE(p.w->Con1->font().pointSize(), 12);
        QCOMPARE(p.w->SSTab1->tabBar()->font().pointSize(), 12);
        // The pickers and the menus grow with it, each picker as large as its text needs.
        for (int i = 0; i < 5; ++i) {
            QComboBox* c = p.Combo(i);
            QCOMPARE(c->font().pointSize(), 12);
            QVERIFY2(c->width() >= c->sizeHint().width() && c->height() >= c->sizeHint().height(),
                     qPrintable(c->currentText()));
        }
        QVERIFY(p.w->menuBar()->font().pointSize() >= 12);
        QVERIFY(p.w->menuBar()->sizeHint().height() > menuHeight);
        QCoreApplication::processEvents(); // the window lays itself out again
        QVERIFY(p.w->menuBar()->height() >= p.w->menuBar()->sizeHint().height());
        QVERIFY(p.w->centralWidget()->size().width() >= p.w->centralWidget()->minimumWidth());
        QVERIFY(p.w->centralWidget()->size().height() >= p.w->centralWidget()->minimumHeight());
        QCOMPARE(p.w->findChild<QMenu*>(QStringLiteral("mnuTextSizes"))->font().pointSize(),
                 p.w->menuBar()->font().pointSize());
        QVERIFY(p.Grid()->columnWidth(1) > column);
        QVERIFY(p.w->centralWidget()->minimumWidth() > wide);
        QVERIFY(p.w->centralWidget()->width() >= p.w->centralWidget()->minimumWidth());
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 марта 2024 "));
        p.Press(p.w->cbExit);
        QCOMPARE(world.Stored(QStringLiteral("TextSize")), QStringLiteral("2"));
        Program again(world, QDate(2024, 3, 15));
        QVERIFY(again.Action(QStringLiteral("mnuTextSize_2"))->isChecked());
        QCOMPARE(again.w->Con1->font().pointSize(), 12);
    }

    void resizingMovesTheColumnAndStretchesTheViews() {
        Program p(world, QDate(2024, 3, 15));
        const QRect con1 = p.w->Con1->geometry(), con2 = p.w->Con2->geometry();
        const QSize tab = p.w->SSTab1->size(), view = p.w->View(0)->size();
        const int visible = p.Combo(3)->maxVisibleItems();
        p.w->resize(p.w->width() + 100, p.w->height() + 50);
        QCOMPARE(p.w->Con1->geometry(), con1.translated(100, 0));
        QCOMPARE(p.w->Con2->geometry(), con2.translated(100, 50));
        QCOMPARE(p.w->SSTab1->size(), tab + QSize(100, 50));
        QCOMPARE(p.w->View(0)->size(), view + QSize(100, 50));
        p.w->SSTab1->setCurrentIndex(5);
        QCOMPARE(p.w->View(5)->height(), view.height() + 50 - (91 - 32));
        // The year, month and week lists drop down to near the window's bottom.
        QVERIFY(p.Combo(3)->maxVisibleItems() > visible);
        for (int i : {1, 2, 3}) {
            QComboBox* c = p.Combo(i);
            const int rowHeight = c->view()->sizeHintForRow(0);
            const int bottom =
                c->mapTo(p.w->centralWidget(), QPoint(0, c->height())).y() + c->maxVisibleItems() * rowHeight;
            QVERIFY(bottom <= p.w->centralWidget()->height());
            QVERIFY(bottom > p.w->centralWidget()->height() - 3 * rowHeight ||
                    c->maxVisibleItems() >= c->count());
        }
        QCOMPARE(p.Combo(0)->maxVisibleItems(), 10); // the style and weekday pickers keep theirs
        QCOMPARE(p.Combo(4)->maxVisibleItems(), 10);
    }

    void resizingWhileMinimisedChangesNothing() {
        Program p(world, QDate(2024, 3, 15));
        const QRect con1 = p.w->Con1->geometry();
        p.w->showMinimized();
        p.w->resize(p.w->width() + 100, p.w->height() + 50);
        QCOMPARE(p.w->Con1->geometry(), con1);
    }
};

QTEST_MAIN(TestFrmCalendarLayout)
#include "test_frmcalendar_layout.moc"
