// The main window as a user first meets it and the month grid: what the first run shows, the cells and
// colours of a month, and what a press on the grid or on the three-style table does.
#include "frmcalendar_fixture.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWheelEvent>

#include <QMenu>
#include <QPushButton>
#include <QScreen>

using namespace vorelian;
using fixture::Kind;
using fixture::Program;

class TestFrmCalendar : public QObject {
    Q_OBJECT

    fixture::World world;
    const QDate friday{2024, 3, 15};

private Q_SLOTS:
    void init() { world.ClearSettings(); }

    void firstRunShowsTodayInTheNewStyle() {
        Program p(world, friday);
        QCOMPARE(p.app->State.CurStyle, StyleGregorian);
        QCOMPARE(p.Combo(0)->currentText(), QStringLiteral("от Р.Х. (новый стиль)"));
        QCOMPARE(p.Combo(1)->currentText(), QStringLiteral("2024"));
        QCOMPARE(p.Combo(1)->count(), 200);
        QCOMPARE(p.Combo(1)->itemText(0), QStringLiteral("1901"));
        QCOMPARE(p.Combo(1)->itemText(199), QStringLiteral("2100"));
        QCOMPARE(p.Combo(2)->currentText(), QStringLiteral("(3) Март"));
        QCOMPARE(p.Combo(4)->currentText(), QStringLiteral("Пятница"));
        QCOMPARE(p.Combo(4)->itemText(0), QStringLiteral("Понедельник")); // the week starts on Monday
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 марта 2024 "));
        QCOMPARE(p.Shown(StyleJulian), QStringLiteral("2 марта 2024 "));
        QCOMPARE(p.Shown(StyleAnnoMundi), QStringLiteral("2 марта 7532 "));
        QVERIFY(p.Action(QStringLiteral("mnuCal_3"))->isChecked());
        QVERIFY(p.Action(QStringLiteral("mnuTab_0"))->isChecked());
        QVERIFY(p.Action(QStringLiteral("mnuFirstWD_1"))->isChecked());
        QVERIFY(!p.Action(QStringLiteral("mnuIndiction"))->isChecked());
        QVERIFY(!p.Action(QStringLiteral("mnuAllStyles"))->isChecked());
        QCOMPARE(p.w->windowTitle(), QStringLiteral("Vorelian — 15 марта 2024"));
        QCOMPARE(p.w->VisibleTab(), 0);
        QVERIFY(!p.w->cbFind->isEnabled());
        QVERIFY(p.w->isVisible());
        // The day report of today is on the first tab.
        QVERIFY(p.w->View(0)->Text().contains(QStringLiteral("15 марта 2024 года")));
    }

    void firstRunWindowIsCentredAndAThirdDown() {
        Program p(world, friday);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QWidget* client = p.w->centralWidget();
        // 9600 twips wide; 6850 twips high is raised to the 460-pixel minimum.
        const QSize outer = client->size() + kNonClient;
        QCOMPARE(outer, QSize(640, 460));
        QCOMPARE(p.w->pos().x(), qRound((screen.width() * 15 - 9600) / 2 / 15.0));
        QCOMPARE(p.w->pos().y(), qRound(double((screen.height() * 15 - 460 * 15) / 3) / 15.0));
        QCOMPARE(p.w->minimumSize().width(), 640 - kNonClient.width());
    }

    void gridOfAMonth_data() {
        QTest::addColumn<int>("firstWeekday");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QStringList>("column1"); // texts of column 1, rows 0..6
        QTest::addColumn<QPoint>("lastDay");      // cell (column, row) of the month's last day
        QTest::addColumn<QStringList>("after");   // texts of the cells after the last day, in order
        QTest::addRow("1st on Monday, week from Monday")
            << 1 << QDate(2024, 1, 1) << QStringList{"1", "2", "3", "4", "5", "6", "7"} << QPoint(5, 2)
            << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
        QTest::addRow("1st on Sunday, week from Sunday")
            << 7 << QDate(2024, 9, 1) << QStringList{"1", "2", "3", "4", "5", "6", "7"} << QPoint(5, 1)
            << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
        QTest::addRow("29-day February")
            << 1 << QDate(2024, 2, 10) << QStringList{"29", "30", "31", "1", "2", "3", "4"} << QPoint(5, 3)
            << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
        QTest::addRow("month 1 of the lowest year")
            << 1 << QDate(1901, 1, 15) << QStringList{"", "1", "2", "3", "4", "5", "6"} << QPoint(5, 3)
            << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
        QTest::addRow("month 12 of the highest year")
            << 1 << QDate(2100, 12, 15) << QStringList{"29", "30", "1", "2", "3", "4", "5"} << QPoint(5, 4)
            << QStringList{"", "", "", "", "", "", "", "", ""};
    }
    void gridOfAMonth() {
        QFETCH(int, firstWeekday);
        QFETCH(QDate, date);
        QFETCH(QStringList, column1);
        QFETCH(QPoint, lastDay);
        QFETCH(QStringList, after);
        world.Store(QStringLiteral("FirstWeekday"), QString::number(firstWeekday));
        Program p(world, date);
        MonthGrid* g = p.Grid();
        for (int r = 0; r <= 6; ++r)
            QCOMPARE(g->Text(r, 1), column1[r]);
        const int first = int(column1.indexOf(QStringLiteral("1")));
        for (int r = 0; r < first; ++r) // days before the 1st are grey
            QCOMPARE(g->CellForeColor(r, 1), Kind(3, 4));
        QCOMPARE(g->Text(lastDay.y(), lastDay.x()), QString::number(date.daysInMonth()));
        QStringList next;
        for (int c = lastDay.x(), r = lastDay.y() + 1; c <= 6; ++r) {
            if (r > 6) {
                r = 0;
                ++c;
                if (c > 6)
                    break;
            }
            next << g->Text(r, c);
            QCOMPARE(g->CellForeColor(r, c), Kind(3, 4));
        }
        QCOMPARE(next, after);
        // Every day of the month stands in the row of its weekday.
        for (int d = 1; d <= date.daysInMonth(); ++d) {
            const QPoint cell = p.CellOf(d);
            const int weekday = QDate(date.year(), date.month(), d).dayOfWeek();
            QCOMPARE(g->Text(cell.y(), 0), WeekdayNames[14 + weekday]);
        }
    }

    void sundayRowIsBoldRedInBothSettings() {
        Program p(world, friday);
        MonthGrid* g = p.Grid();
        QCOMPARE(g->Text(6, 0), QStringLiteral("Вс."));
        QVERIFY(g->CellFontBold(6, 0));
        QCOMPARE(g->CellForeColor(6, 0), Kind(3, 6));
        QVERIFY(!g->CellFontBold(0, 0));
        // The Sundays of the month are bold and red too.
        QCOMPARE(g->Text(6, 2), QStringLiteral("10"));
        QVERIFY(g->CellFontBold(6, 2));
        QCOMPARE(g->CellForeColor(6, 2), Kind(3, 6));

        p.Action(QStringLiteral("mnuFirstWD_0"))->trigger();
        QCOMPARE(g->Text(0, 0), QStringLiteral("Вс."));
        QCOMPARE(p.Styles()->Text(1, 0) + p.Styles()->Text(2, 0), QStringLiteral("ст. ст.н. ст."));
        QVERIFY(g->CellFontBold(0, 0));
        QCOMPARE(g->CellForeColor(0, 0), Kind(3, 6));
        // The old Sunday row now names Saturday, in plain navy.
        QCOMPARE(g->Text(6, 0), QStringLiteral("Сб."));
        QVERIFY(!g->CellFontBold(6, 0));
        QCOMPARE(g->CellForeColor(6, 0), Kind(3, 5));
        QCOMPARE(p.Combo(4)->itemText(0), QStringLiteral("Воскресенье"));
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 марта 2024 ")); // the date stays

        p.Action(QStringLiteral("mnuFirstWD_1"))->trigger();
        QCOMPARE(g->Text(6, 0), QStringLiteral("Вс."));
        QVERIFY(g->CellFontBold(6, 0));
        QCOMPARE(g->CellForeColor(0, 0), Kind(3, 5));
        QVERIFY(!g->CellFontBold(0, 0));
    }

    void redDaysArePinkAndTheCurrentDayHighlighted() {
        Program p(world, QDate(2024, 1, 15));
        MonthGrid* g = p.Grid();
        // Julian 7 January is Gregorian 20 January.
        const QPoint red = p.CellOf(20);
        QCOMPARE(g->CellBackColor(red.y(), red.x()), Kind(3, 2));
        const QPoint plain = p.CellOf(19);
        QCOMPARE(g->CellBackColor(plain.y(), plain.x()), Kind(3, 1));
        const QPoint today = p.CellOf(15);
        QCOMPARE(g->CellBackColor(today.y(), today.x()), Kind(3, 3));
        QCOMPARE(g->CellForeColor(today.y(), today.x()), Kind(3, 7));
        QVERIFY(g->CellFontBold(today.y(), today.x()));
        QCOMPARE(g->currentRow(), today.y());
        QCOMPARE(g->currentColumn(), today.x());
        // Exactly one highlighted cell.
        int highlighted = 0;
        for (int r = 0; r <= 6; ++r)
            for (int c = 1; c <= 6; ++c)
                highlighted += g->CellBackColor(r, c) == Kind(3, 3);
        QCOMPARE(highlighted, 1);

        // In the Julian style the red day is the 7th.
        p.Press(p.Styles(), 1, 1);
        QCOMPARE(p.app->State.CurStyle, StyleJulian);
        const QPoint julian = p.CellOf(7);
        QCOMPARE(g->CellBackColor(julian.y(), julian.x()), Kind(2, 2));
        QCOMPARE(g->BackColor(), Kind(2, 1));
    }

    void pressOnADayMovesTheHighlightInPlace() {
        Program p(world, friday);
        MonthGrid* g = p.Grid();
        const QPoint old = p.CellOf(15), cell = p.CellOf(20);
        p.Press(g, cell.y(), cell.x());
        QCOMPARE(p.ShownGregorian(), QStringLiteral("20 марта 2024 "));
        QCOMPARE(p.Combo(4)->currentText(), QStringLiteral("Среда"));
        QCOMPARE(g->CellBackColor(cell.y(), cell.x()), Kind(3, 3));
        QCOMPARE(g->CellBackColor(old.y(), old.x()), Kind(3, 1));
        QCOMPARE(g->CellForeColor(old.y(), old.x()), Kind(3, 5));
        QVERIFY(!g->CellFontBold(old.y(), old.x()));
        QVERIFY(p.w->View(0)->Text().contains(QStringLiteral("20 марта 2024 года")));
        // A Sunday gets its bold red text back when the highlight leaves it.
        const QPoint sunday = p.CellOf(17);
        p.Press(g, sunday.y(), sunday.x());
        p.Press(g, cell.y(), cell.x());
        QVERIFY(g->CellFontBold(sunday.y(), sunday.x()));
        QCOMPARE(g->CellForeColor(sunday.y(), sunday.x()), Kind(3, 6));
        QCOMPARE(p.beeps, 0);
    }

    void pressOnTheHighlightedDayChangesNothing() {
        Program p(world, friday);
        const int32_t day = p.app->State.CurDayNumber;
        const QPoint cell = p.CellOf(15);
        p.w->View(0)->SetSelStart(3);
        p.w->View(0)->SetSelLength(4);
        p.Press(p.Grid(), cell.y(), cell.x());
        QCOMPARE(p.app->State.CurDayNumber, day);
        QCOMPARE(p.w->View(0)->SelLength(), 4); // the report was not rebuilt
    }

    void pressOnAGreyDay_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("shown");
        QTest::addRow("column 1: previous month") << 0 << 1 << QStringLiteral("26 февраля 2024 ");
        QTest::addRow("column 5: next month") << 6 << 5 << QStringLiteral("31 марта 2024 "); // still March
        QTest::addRow("column 6: next month") << 0 << 6 << QStringLiteral("1 апреля 2024 ");
        QTest::addRow("column 6, last row") << 6 << 6 << QStringLiteral("7 апреля 2024 ");
    }
    void pressOnAGreyDay() {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, shown);
        Program p(world, friday);
        p.Press(p.Grid(), row, col);
        QCOMPARE(p.ShownGregorian(), shown);
        const QPoint cell = p.CellOf(p.app->State.Cur().Day);
        QCOMPARE(p.Grid()->CellBackColor(cell.y(), cell.x()), Kind(3, 3));
    }

    void greyDayOfAnotherYear_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("shown");
        QTest::addRow("new style, into December")
            << 3 << QDate(2025, 1, 10) << 1 << 1 << QStringLiteral("31 декабря 2024 ");
        QTest::addRow("new style, into January")
            << 3 << QDate(2024, 12, 10) << 6 << 6 << QStringLiteral("5 января 2025 ");
    }
    void greyDayOfAnotherYear() {
        QFETCH(int, style);
        QFETCH(QDate, date);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, shown);
        Program p(world, date);
        QCOMPARE(p.app->State.CurStyle, int16_t(style));
        p.Press(p.Grid(), row, col);
        QCOMPARE(p.ShownGregorian(), shown);
        QCOMPARE(p.Combo(1)->currentText(), shown.section(QLatin1Char(' '), 2, 2));
    }

    void emptyCellsIgnorePresses() {
        Program p(world, QDate(1901, 1, 3));
        const int32_t day = p.app->State.CurDayNumber;
        QCOMPARE(p.Grid()->Text(0, 1), QString());
        p.Press(p.Grid(), 0, 1);
        QCOMPARE(p.app->State.CurDayNumber, day);
        QCOMPARE(p.beeps, 0);
        QCOMPARE(p.Grid()->CellBackColor(p.CellOf(3).y(), p.CellOf(3).x()), Kind(3, 3));
        QCOMPARE(QPoint(p.Grid()->currentColumn(), p.Grid()->currentRow()), p.CellOf(3));
    }

    void weekdayNameMovesWithinTheWeek_data() {
        QTest::addColumn<int>("firstWeekday");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("shown");
        QTest::addRow("Monday, week from Monday") << 1 << 0 << QStringLiteral("11 марта 2024 ");
        QTest::addRow("Sunday, week from Monday") << 1 << 6 << QStringLiteral("17 марта 2024 ");
        QTest::addRow("Sunday, week from Sunday") << 7 << 0 << QStringLiteral("10 марта 2024 ");
        QTest::addRow("the current weekday") << 1 << 4 << QStringLiteral("15 марта 2024 ");
    }
    void weekdayNameMovesWithinTheWeek() {
        QFETCH(int, firstWeekday);
        QFETCH(int, row);
        QFETCH(QString, shown);
        world.Store(QStringLiteral("FirstWeekday"), QString::number(firstWeekday));
        Program p(world, friday);
        p.Press(p.Grid(), row, 0);
        QCOMPARE(p.ShownGregorian(), shown);
        QCOMPARE(p.Combo(4)->currentIndex(), row);
        QCOMPARE(p.beeps, 0);
    }

    void weekdayNameBeforeTheRangeBeeps() {
        Program p(world, QDate(1901, 1, 1)); // a Tuesday, the first day of the range
        p.Press(p.Grid(), 0, 0);             // Monday would be 31 December 1900
        QCOMPARE(p.beeps, 1);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("1 января 1901 "));
        QCOMPARE(p.Combo(4)->currentText(), QStringLiteral("Вторник"));
    }

    void stylesTableSwitchesStyleOrBeeps() {
        Program p(world, friday);
        p.Press(p.Styles(), 0, 1);
        QCOMPARE(p.app->State.CurStyle, StyleAnnoMundi);
        QCOMPARE(p.Combo(0)->currentText(), QStringLiteral("от Сотворения Мира"));
        QCOMPARE(p.Combo(1)->currentText(), QStringLiteral("7532"));
        QCOMPARE(p.Combo(2)->currentText(), QStringLiteral("(7) Март"));
        QVERIFY(p.Action(QStringLiteral("mnuCal_1"))->isChecked());
        QCOMPARE(p.Grid()->BackColor(), Kind(1, 1));
        QCOMPARE(p.Shown(StyleGregorian), QStringLiteral("15 марта 2024 ")); // the day stays
        p.Press(p.Styles(), 0, 0);                                           // the current style
        QCOMPARE(p.app->State.CurStyle, StyleAnnoMundi);
        QCOMPARE(p.beeps, 0);

        Program q(world, QDate(1901, 1, 1)); // Julian 19 December 1900: outside the Julian range
        q.Press(q.Styles(), 1, 1);
        QCOMPARE(q.beeps, 1);
        QCOMPARE(q.app->State.CurStyle, StyleGregorian);
        QVERIFY(q.Action(QStringLiteral("mnuCal_3"))->isChecked());
        q.Press(q.Styles(), 0, 1); // Anno Mundi 7409 began on Julian 1 September 1900
        QCOMPARE(q.app->State.CurStyle, StyleAnnoMundi);
        QCOMPARE(q.beeps, 1);
    }

    void rightButtonOnEitherGridOnlyOpensTheCalendarMenu() {
        Program p(world, friday);
        const int32_t day = p.app->State.CurDayNumber;
        QMenu* menu = p.w->Menus().mnuCalendar;
        const QPoint grey(1, 0);
        p.Press(p.Grid(), grey.y(), grey.x(), Qt::RightButton);
        QVERIFY(menu->isVisible());
        menu->hide();
        p.Press(p.Grid(), 3, 0, Qt::RightButton);
        QVERIFY(menu->isVisible());
        menu->hide();
        p.Press(p.Styles(), 0, 1, Qt::RightButton);
        QVERIFY(menu->isVisible());
        menu->hide();
        QCOMPARE(p.app->State.CurDayNumber, day);
        QCOMPARE(p.app->State.CurStyle, StyleGregorian);
        QCOMPARE(p.beeps, 0);
        // The grid's current cell is still the current day's.
        QCOMPARE(QPoint(p.Grid()->currentColumn(), p.Grid()->currentRow()), p.CellOf(15));
    }

    void keysOnTheGridChooseNothingButTheArrowsMoveTheDay() {
        Program p(world, friday);
        QVERIFY(p.Activate());
        const QPoint cell = p.CellOf(15);
        p.Press(p.Grid(), cell.y(), cell.x());
        QVERIFY(p.Grid()->hasFocus());
        for (Qt::Key key : {Qt::Key_2, Qt::Key_Space, Qt::Key_Return})
            QTest::keyClick(p.Grid(), key);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 марта 2024 "));
        QCOMPARE(QPoint(p.Grid()->currentColumn(), p.Grid()->currentRow()), cell);
        // Rows are weekdays and columns weeks: down a day, right a week, across the month's end; Home and
        // End the ends of the month, PageUp and PageDown a month, with Ctrl a year.
        const struct {
            Qt::Key Key;
            Qt::KeyboardModifiers Mods;
            const char* Shown;
        } steps[] = {{Qt::Key_Down, {}, "16 марта 2024 "},
                     {Qt::Key_Right, {}, "23 марта 2024 "},
                     {Qt::Key_Right, {}, "30 марта 2024 "},
                     {Qt::Key_Right, {}, "6 апреля 2024 "},
                     {Qt::Key_Up, {}, "5 апреля 2024 "},
                     {Qt::Key_Left, {}, "29 марта 2024 "},
                     {Qt::Key_Home, {}, "1 марта 2024 "},
                     {Qt::Key_End, {}, "31 марта 2024 "},
                     {Qt::Key_PageDown, {}, "30 апреля 2024 "},
                     {Qt::Key_PageUp, {}, "30 марта 2024 "},
                     {Qt::Key_PageDown, Qt::ControlModifier, "30 марта 2025 "},
                     {Qt::Key_PageUp, Qt::ControlModifier, "30 марта 2024 "},
                     {Qt::Key_Up, {}, "29 марта 2024 "}};
        for (const auto& [key, mods, shown] : steps) {
            QTest::keyClick(p.Grid(), key, mods);
            QCOMPARE(p.ShownGregorian(), QString::fromUtf8(shown));
            QVERIFY(p.Grid()->hasFocus());
            const QPoint now = p.CellOf(p.app->State.Cur().Day);
            QCOMPARE(QPoint(p.Grid()->currentColumn(), p.Grid()->currentRow()), now);
        }
        QVERIFY(p.w->View(0)->Text().contains(QStringLiteral("29 марта 2024 года")));
        QCOMPARE(p.beeps, 0);
        // At the end of the range the arrow beeps.
        p.GoTo(StyleGregorian, 31, 12, 2100);
        QTest::keyClick(p.Grid(), Qt::Key_Down);
        QCOMPARE(p.beeps, 1);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("31 декабря 2100 "));
    }

    void todayKeepsAFrameWhenAnotherDayIsChosen() {
        Program p(world, friday);
        MonthGrid* g = p.Grid();
        const auto framed = [g] {
            QList<QPoint> cells;
            for (int r = 0; r <= 6; ++r)
                for (int c = 0; c <= 6; ++c)
                    if (g->IsTodayMarked(r, c))
                        cells << QPoint(c, r);
            return cells;
        };
        const QPoint today = p.CellOf(15);
        QCOMPARE(framed(), QList<QPoint>{}); // today is the current day: the highlight alone
        const QPoint other = p.CellOf(20);
        p.Press(g, other.y(), other.x());
        QCOMPARE(framed(), QList<QPoint>{today});
        QCOMPARE(g->CellBackColor(today.y(), today.x()), Kind(3, 1)); // a frame, not a colour
        p.Press(p.Forward(2));                                        // April: today is not shown
        QCOMPARE(framed(), QList<QPoint>{});
        p.Press(p.Back(2));
        QCOMPARE(p.ShownGregorian(), QStringLiteral("20 марта 2024 "));
        QCOMPARE(framed(), QList<QPoint>{today});
        p.Press(p.Styles(), 1, 1); // in the Julian month the same day stands elsewhere
        QCOMPARE(framed(), QList<QPoint>{p.CellOf(2)});
        p.Press(p.Styles(), 2, 1);
        p.Press(g, today.y(), today.x());
        QCOMPARE(framed(), QList<QPoint>{});
        QCOMPARE(g->CellBackColor(today.y(), today.x()), Kind(3, 3));
    }

    void wheelOverTheGridMovesAMonthAndOverAnUnfocusedPickerNothing() {
        Program p(world, friday);
        QVERIFY(p.Activate());
        const auto wheel = [](QWidget* w, int delta) {
            const QPointF at = QRectF(w->rect()).center();
            QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(w, &e);
        };
        wheel(p.Grid()->viewport(), -120);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 апреля 2024 "));
        wheel(p.Grid()->viewport(), 120);
        wheel(p.Grid()->viewport(), 120);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 февраля 2024 "));
        wheel(p.Grid()->viewport(), 60); // half a notch waits for the other half
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 февраля 2024 "));
        p.w->cbToday->setFocus();
        for (int i = 0; i < 5; ++i)
            for (QComboBox* c : {p.Combo(1), p.Combo(2), p.Combo(3), p.Combo(4)})
                wheel(c, -120);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 февраля 2024 "));
        // A focused picker takes the wheel as before.
        p.Combo(1)->setFocus();
        QVERIFY(p.Combo(1)->hasFocus());
        wheel(p.Combo(1), -120);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 февраля 2025 "));
    }

    void tooltipsNameTheStepsPickersTodayAndTheDaysFirstEntry() {
        Program p(world, QDate(2024, 1, 15));
        QCOMPARE(p.Back(1)->toolTip(), QStringLiteral("Назад: год"));
        QCOMPARE(p.Forward(2)->toolTip(), QStringLiteral("Вперёд: месяц"));
        QCOMPARE(p.Combo(3)->toolTip(), QStringLiteral("Седмица"));
        QVERIFY(!p.w->cbToday->toolTip().isEmpty());
        p.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.w));
        MonthGrid* g = p.Grid();
        const auto tipAt = [&](QPoint cell) {
            const QRect r = g->visualRect(g->model()->index(cell.y(), cell.x()));
            QHelpEvent help(QEvent::ToolTip, r.center(), g->viewport()->mapToGlobal(r.center()));
            QApplication::sendEvent(g->viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        // Julian 7 January, Gregorian 20 January, has the one entry of the small data set.
        QCOMPARE(tipAt(p.CellOf(19)), QString());
        QCOMPARE(tipAt(p.CellOf(20)), QStringLiteral("Feast"));
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 января 2024 ")); // the day stays as it was
        p.w->hide();
    }

    void todayKeepsTheStyle() {
        Program p(world, friday);
        p.Press(p.Styles(), 1, 1); // Julian
        p.Press(p.Grid(), 0, 6);   // somewhere in the next month
        p.SetToday(QDate(2024, 7, 4));
        p.Press(p.w->cbToday);
        QCOMPARE(p.app->State.CurStyle, StyleJulian);
        QCOMPARE(p.Shown(StyleJulian), QStringLiteral("21 июня 2024 "));
        QCOMPARE(p.Combo(2)->currentText(), QStringLiteral("(6) Июнь"));
        const QPoint cell = p.CellOf(21);
        QCOMPARE(p.Grid()->CellBackColor(cell.y(), cell.x()), Kind(2, 3));
    }
};

QTEST_MAIN(TestFrmCalendar)
#include "test_frmcalendar.moc"
