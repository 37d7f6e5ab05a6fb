// Moving through dates from the right-hand column: the picker lists, a choice in a picker, the "<" and
// ">" steps with their limits and the beep, and the style cycle.
#include "frmcalendar_fixture.h"
#include "uiservices_fake.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPushButton>

using namespace vorelian;
using fixture::Program;

namespace {

// A choice made from the keyboard on a picker that has the focus, as a user does with the arrow keys.
void Choose(Program& p, int picker, Qt::Key key, int times = 1) {
    QComboBox* c = p.Combo(picker);
    c->setFocus();
    QVERIFY(p.Activate());
    QVERIFY(c->hasFocus());
    for (int i = 0; i < times; ++i)
        QTest::keyClick(c, key);
}

} // namespace

class TestFrmCalendarNavigation : public QObject {
    Q_OBJECT

    fixture::World world;
    const QDate friday{2024, 3, 15};

private Q_SLOTS:
    void init() { world.ClearSettings(); }

    void yearAndMonthLists_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("firstYear");
        QTest::addColumn<QString>("lastYear");
        QTest::addColumn<QString>("firstMonth");
        QTest::addColumn<QString>("lastMonth");
        QTest::addRow("Anno Mundi") << 1 << "7409"
                                    << "7608"
                                    << "(1) Сентябрь"
                                    << "(12) Август";
        QTest::addRow("Julian") << 2 << "1901"
                                << "2100"
                                << "(1) Январь"
                                << "(12) Декабрь";
        QTest::addRow("Gregorian") << 3 << "1901"
                                   << "2100"
                                   << "(1) Январь"
                                   << "(12) Декабрь";
    }
    void yearAndMonthLists() {
        QFETCH(int, style);
        QFETCH(QString, firstYear);
        QFETCH(QString, lastYear);
        QFETCH(QString, firstMonth);
        QFETCH(QString, lastMonth);
        world.Store(QStringLiteral("Calendar"), QString::number(style));
        Program p(world, friday);
        QCOMPARE(p.Combo(1)->count(), 200);
        QCOMPARE(p.Combo(1)->itemText(0), firstYear);
        QCOMPARE(p.Combo(1)->itemText(199), lastYear);
        QCOMPARE(p.Combo(2)->count(), 12);
        QCOMPARE(p.Combo(2)->itemText(0), firstMonth);
        QCOMPARE(p.Combo(2)->itemText(11), lastMonth);
        QCOMPARE(p.Combo(0)->currentIndex(), style - 1);
    }

    void weekListNamesTheWeeksOfTheChurchYear_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("week");
        // Weeks run from Sunday to Saturday; Pascha 2024 fell on 5 May.
        QTest::addRow("Pascha") << QDate(2024, 5, 5) << "Светлая седмица";
        QTest::addRow("Holy Week") << QDate(2024, 5, 1) << "Страстная седмица";
        QTest::addRow("first week of Lent") << QDate(2024, 3, 20) << "1-я Великого поста";
        QTest::addRow("sixth week of Lent") << QDate(2024, 4, 26) << "6-я Великого поста";
        QTest::addRow("Publican and Pharisee") << QDate(2024, 2, 27) << "О мытаре и фарисее";
        QTest::addRow("Prodigal Son") << QDate(2024, 3, 4) << "О блудном сыне";
        QTest::addRow("Cheesefare") << QDate(2024, 3, 16) << "Сырная седмица";
        QTest::addRow("second after Pascha") << QDate(2024, 5, 12) << "2-я по Пасхе";
        QTest::addRow("seventh after Pascha") << QDate(2024, 6, 20) << "7-я по Пасхе";
        QTest::addRow("first after Pentecost") << QDate(2024, 6, 23) << "1-я по Пятидесятнице";
        QTest::addRow("end of the year") << QDate(2024, 12, 31) << "28-я по Пятидесятнице";
        // Pentecost 2023 was 4 June; 1 January 2024 lies in the 31st week after it.
        QTest::addRow("carried into the new year") << QDate(2024, 1, 1) << "31-я по Пятидесятнице";
    }
    void weekListNamesTheWeeksOfTheChurchYear() {
        QFETCH(QDate, date);
        QFETCH(QString, week);
        Program p(world, date);
        QCOMPARE(p.Combo(3)->currentText(), week);
        // The groups stand in their order.
        const QComboBox* c = p.Combo(3);
        const int publican = c->findText(QStringLiteral("О мытаре и фарисее"));
        QVERIFY(publican >= 0);
        QCOMPARE(c->itemText(publican + 1), QStringLiteral("О блудном сыне"));
        QCOMPARE(c->itemText(publican + 2), QStringLiteral("Сырная седмица"));
        QCOMPARE(c->itemText(publican + 3), QStringLiteral("1-я Великого поста"));
        QCOMPARE(c->itemText(publican + 9), QStringLiteral("Страстная седмица"));
        QCOMPARE(c->itemText(publican + 10), QStringLiteral("Светлая седмица"));
        QCOMPARE(c->itemText(publican + 11), QStringLiteral("2-я по Пасхе"));
        QCOMPARE(c->itemText(publican + 17), QStringLiteral("1-я по Пятидесятнице"));
        QCOMPARE(c->count(), int(p.app->State.Cur().YearWeeks));
    }

    void choiceInAPicker_data() {
        QTest::addColumn<int>("picker");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("times");
        QTest::addColumn<QString>("shown");
        QTest::addRow("next weekday") << 4 << int(Qt::Key_Down) << 1 << "16 марта 2024 ";
        QTest::addRow("two weekdays back") << 4 << int(Qt::Key_Up) << 2 << "13 марта 2024 ";
        QTest::addRow("previous week") << 3 << int(Qt::Key_Up) << 1 << "8 марта 2024 ";
        QTest::addRow("three weeks on") << 3 << int(Qt::Key_Down) << 3 << "5 апреля 2024 ";
        QTest::addRow("next month") << 2 << int(Qt::Key_Down) << 1 << "15 апреля 2024 ";
        QTest::addRow("previous year") << 1 << int(Qt::Key_Up) << 1 << "15 марта 2023 ";
    }
    void choiceInAPicker() {
        QFETCH(int, picker);
        QFETCH(int, key);
        QFETCH(int, times);
        QFETCH(QString, shown);
        Program p(world, friday);
        Choose(p, picker, Qt::Key(key), times);
        QCOMPARE(p.ShownGregorian(), shown);
        QCOMPARE(p.beeps, 0);
        QVERIFY(p.w->View(0)->Text().contains(shown.trimmed() + QStringLiteral(" года")));
    }

    void weekChoiceIntoTheYearBefore_data() {
        QTest::addColumn<bool>("fromTheList");
        QTest::addRow("arrow key") << false;
        QTest::addRow("drop-down list") << true;
    }
    void weekChoiceIntoTheYearBefore() {
        QFETCH(bool, fromTheList);
        // 1 January 2025 is a Wednesday: Monday 6 January is in the second week, whose week before
        // begins in 2024. The week list is rebuilt for 2024 while its own choice is being handled.
        Program p(world, QDate(2025, 1, 6));
        QComboBox* weeks = p.Combo(3);
        if (fromTheList) {
            QVERIFY(p.Activate());
            weeks->setFocus();
            weeks->showPopup();
            QAbstractItemView* list = weeks->view();
            QTRY_VERIFY(list->isVisible());
            const QRect item = list->visualRect(list->model()->index(0, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        } else {
            Choose(p, 3, Qt::Key_Up);
        }
        QCOMPARE(p.ShownGregorian(), QStringLiteral("30 декабря 2024 "));
        QCOMPARE(p.Combo(1)->currentText(), QStringLiteral("2024"));
        QCOMPARE(weeks->count(), int(p.app->State.Cur().YearWeeks));
        QCOMPARE(weeks->currentIndex(), weeks->count() - 1);
        QCOMPARE(p.beeps, 0);
    }

    void monthChoiceClampsTheDay() {
        Program p(world, QDate(2024, 1, 31));
        Choose(p, 2, Qt::Key_Down);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("29 февраля 2024 "));
    }

    void refusedChoiceBeepsAndShowsTheOldItem_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("picker");
        QTest::addColumn<QString>("item");
        // Monday 7 January 1901 is in the second week; its first week begins before the range.
        QTest::addRow("week before the range") << QDate(1901, 1, 7) << 3 << "31-я по Пятидесятнице";
        // Tuesday 1 January 1901; its Monday is 31 December 1900.
        QTest::addRow("weekday before the range") << QDate(1901, 1, 1) << 4 << "Вторник";
    }
    void refusedChoiceBeepsAndShowsTheOldItem() {
        QFETCH(QDate, date);
        QFETCH(int, picker);
        QFETCH(QString, item);
        Program p(world, date);
        const QString before = p.ShownGregorian();
        const QString old = p.Combo(picker)->currentText();
        QCOMPARE(old, item);
        Choose(p, picker, Qt::Key_Up);
        QCOMPARE(p.beeps, 1);
        QCOMPARE(p.ShownGregorian(), before);
        QCOMPARE(p.Combo(picker)->currentText(), old);
        // A second try is refused the same way: the picker knows which item it shows.
        QTest::keyClick(p.Combo(picker), Qt::Key_Up);
        QCOMPARE(p.beeps, 2);
        QCOMPARE(p.Combo(picker)->currentText(), old);
    }

    void styleChoiceOutsideTheRangeBeeps() {
        Program p(world, QDate(1901, 1, 1));
        Choose(p, 0, Qt::Key_Up); // Julian: 19 December 1900
        QCOMPARE(p.beeps, 1);
        QCOMPARE(p.Combo(0)->currentIndex(), 2);
        QCOMPARE(p.app->State.CurStyle, StyleGregorian);
    }

    void keyboardAfterAJumpMovesByWhatIsShown() {
        Program p(world, friday);
        Choose(p, 4, Qt::Key_Down); // Saturday 16 March
        p.SetToday(QDate(2024, 3, 11));
        p.Action(QStringLiteral("mnuToday"))->trigger(); // Monday; the picker keeps the focus
        QCOMPARE(p.Combo(4)->currentText(), QStringLiteral("Понедельник"));
        QTest::keyClick(p.Combo(4), Qt::Key_Down);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("12 марта 2024 "));
    }

    // At the ends of the range the steps that would leave it are greyed out and take no press; the steps
    // the other way stay open, and one step back in the range opens them again.
    void stepsAtTheEndsOfTheRangeAreGreyedOut_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("forward");
        QTest::addRow("first day, back") << QDate(1901, 1, 1) << false;
        QTest::addRow("last day, forward") << QDate(2100, 12, 31) << true;
    }
    void stepsAtTheEndsOfTheRangeAreGreyedOut() {
        QFETCH(QDate, date);
        QFETCH(bool, forward);
        Program p(world, date);
        const QString shown = p.ShownGregorian();
        for (int i = 1; i <= 4; ++i) {
            QLabel* closed = forward ? p.Forward(i) : p.Back(i);
            QVERIFY2(!closed->isEnabled(), qPrintable(closed->objectName()));
            QVERIFY((forward ? p.Back(i) : p.Forward(i))->isEnabled());
            p.Press(closed);
            QCOMPARE(p.ShownGregorian(), shown);
        }
        QCOMPARE(p.beeps, 0);
        p.Press(forward ? p.Back(4) : p.Forward(4));
        QVERIFY(p.ShownGregorian() != shown);
        QVERIFY((forward ? p.Forward(4) : p.Back(4))->isEnabled());
        QVERIFY((forward ? p.Forward(1) : p.Back(1))->isEnabled() == false);
    }

    // A year typed into the year picker: a year of the range is chosen on Enter or on leaving the box;
    // another is refused, on Enter with a message that gives the range, and the shown year comes back.
    void typedYear_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("key"); // that ends the typing
        const QString outside = QStringLiteral("Года %1 нет в рабочем диапазоне: от 1901 до 2100.\n"
                                               "Диапазон меняется в меню «Настройка → Диапазон годов...».");
        QTest::addRow("in the range") << "1950"
                                      << "15 марта 1950 " << QString() << int(Qt::Key_Return);
        QTest::addRow("last year") << "2100"
                                   << "15 марта 2100 " << QString() << int(Qt::Key_Return);
        QTest::addRow("before") << "1900"
                                << "15 марта 2024 " << outside.arg(1900) << int(Qt::Key_Return);
        QTest::addRow("after") << "2101"
                               << "15 марта 2024 " << outside.arg(2101) << int(Qt::Key_Return);
        QTest::addRow("leaving the box takes it") << "1950"
                                                  << "15 марта 1950 " << QString() << int(Qt::Key_Tab);
        QTest::addRow("leaving the box says nothing") << "1900"
                                                      << "15 марта 2024 " << QString() << int(Qt::Key_Tab);
        QTest::addRow("letters are not taken") << "abc"
                                               << "15 марта 2024 " << QString() << int(Qt::Key_Return);
    }
    void typedYear() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        QFETCH(int, key);
        testing::FakeServices services;
        Program p(world, friday);
        QComboBox* years = p.Combo(1);
        years->setFocus();
        QVERIFY(p.Activate());
        years->lineEdit()->selectAll();
        QTest::keyClicks(years, typed);
        QTest::keyClick(years, Qt::Key(key));
        QCOMPARE(p.ShownGregorian(), shown);
        QCOMPARE(years->lineEdit()->text(), shown.section(u' ', 2, 2));
        QCOMPARE(services.Messages.size(), std::size_t(message.isEmpty() ? 0 : 1));
        if (!message.isEmpty())
            QCOMPARE(services.Messages[0].Text, message);
        QCOMPARE(p.beeps, 0);
    }

    // Each week of the list carries its days, Sunday to Saturday, in the style shown.
    void weeksCarryTheirDays_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("week");
        QTest::addColumn<QString>("days");
        QTest::addRow("first week over the new year") << 3 << 1 << "31 декабря 2023 – 6 января 2024";
        QTest::addRow("the shown week") << 3 << 11 << "10–16 марта 2024";
        QTest::addRow("over a month's end") << 3 << 14 << "31 марта – 6 апреля 2024";
        QTest::addRow("last week") << 3 << 53 << "29 декабря 2024 – 4 января 2025";
        QTest::addRow("Julian year from a Sunday") << 2 << 1 << "1–7 января 2024";
    }
    void weeksCarryTheirDays() {
        QFETCH(int, style);
        QFETCH(int, week);
        QFETCH(QString, days);
        Program p(world, friday);
        p.GoTo(int16_t(style), 15, 3, 2024);
        QComboBox* weeks = p.Combo(3);
        QVERIFY(weeks->count() >= week);
        QCOMPARE(weeks->itemData(week - 1, Qt::ToolTipRole).toString(), days);
    }

    void steps_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("picker");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("shown"); // in the current style
        QTest::addColumn<QString>("monthItem");
        QTest::addRow("day forward") << 3 << 15 << 3 << 2024 << 4 << true << "16 марта 2024 "
                                     << "(3) Март";
        QTest::addRow("day back over the year") << 3 << 1 << 1 << 2024 << 4 << false << "31 декабря 2023 "
                                                << "(12) Декабрь";
        QTest::addRow("week back") << 3 << 3 << 1 << 2024 << 3 << false << "27 декабря 2023 "
                                   << "(12) Декабрь";
        QTest::addRow("week back in Anno Mundi") << 1 << 3 << 5 << 7532 << 3 << false << "27 декабря 7532 "
                                                 << "(4) Декабрь";
        QTest::addRow("month 12 to 1") << 3 << 10 << 12 << 2023 << 2 << true << "10 января 2024 "
                                       << "(1) Январь";
        QTest::addRow("month 1 to 12") << 3 << 10 << 1 << 2024 << 2 << false << "10 декабря 2023 "
                                       << "(12) Декабрь";
        QTest::addRow("August to September") << 1 << 10 << 12 << 7532 << 2 << true << "10 сентября 7533 "
                                             << "(1) Сентябрь";
        QTest::addRow("September to August") << 1 << 10 << 1 << 7533 << 2 << false << "10 августа 7532 "
                                             << "(12) Август";
        QTest::addRow("31 January to February") << 2 << 31 << 1 << 2023 << 2 << true << "28 февраля 2023 "
                                                << "(2) Февраль";
        QTest::addRow("year forward from 29 February")
            << 3 << 29 << 2 << 2024 << 1 << true << "28 февраля 2025 "
            << "(2) Февраль";
    }
    void steps() {
        QFETCH(int, style);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(int, picker);
        QFETCH(bool, forward);
        QFETCH(QString, shown);
        QFETCH(QString, monthItem);
        Program p(world, friday);
        p.GoTo(int16_t(style), int16_t(day), int16_t(month), int16_t(year));
        p.Press(forward ? p.Forward(picker) : p.Back(picker));
        QCOMPARE(p.Shown(int16_t(style)), shown);
        QCOMPARE(p.Combo(2)->currentText(), monthItem);
        QCOMPARE(p.Combo(1)->currentText(), shown.section(QLatin1Char(' '), 2, 2));
        QCOMPARE(p.beeps, 0);
    }

    void styleStepsCycle() {
        Program p(world, friday);
        p.GoTo(1, 2, 7, 7532);
        QStringList forward, back;
        for (int i = 0; i < 3; ++i) {
            p.Press(p.Forward(0));
            forward << QString::number(p.app->State.CurStyle);
            QCOMPARE(p.Combo(0)->currentIndex(), p.app->State.CurStyle - 1);
            QVERIFY(p.Action(QStringLiteral("mnuCal_%1").arg(p.app->State.CurStyle))->isChecked());
        }
        for (int i = 0; i < 3; ++i) {
            p.Press(p.Back(0));
            back << QString::number(p.app->State.CurStyle);
        }
        QCOMPARE(forward, (QStringList{"2", "3", "1"}));
        QCOMPARE(back, (QStringList{"3", "2", "1"}));
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 марта 2024 "));
    }

    void styleStepToAStyleOutsideTheRangeIsGreyedOut() {
        Program p(world, QDate(1901, 1, 1));
        QVERIFY(!p.Back(0)->isEnabled()); // 3 -> 2 would be Julian 19 December 1900
        p.Press(p.Back(0));
        QCOMPARE(p.app->State.CurStyle, StyleGregorian);
        p.Press(p.Forward(0)); // 3 -> 1 is allowed
        QCOMPARE(p.app->State.CurStyle, StyleAnnoMundi);
    }

    // The Tab key walks the column left to right and top to bottom; a step with the focus steps on Space.
    void stepsFromTheKeyboard() {
        Program p(world, friday);
        QVERIFY(p.Activate());
        p.Back(0)->setFocus();
        QList<QWidget*> expected;
        for (int i = 0; i < 5; ++i)
            expected << p.Back(i) << p.Combo(i) << p.Forward(i);
        expected << p.Grid() << p.Styles() << p.w->cbToday << p.w->cbExit;
        QList<QWidget*> walked{QApplication::focusWidget()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << QApplication::focusWidget();
        }
        QCOMPARE(walked, expected);
        p.Forward(2)->setFocus();
        QTest::keyClick(p.Forward(2), Qt::Key_Space);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 апреля 2024 "));
        QTest::keyClick(p.Forward(2), Qt::Key_Return);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 мая 2024 "));
        // A click steps without taking the focus away from where the user was.
        p.Combo(1)->setFocus();
        p.Press(p.Back(2));
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 апреля 2024 "));
        QCOMPARE(QApplication::focusWidget(), p.Combo(1));
    }

    void doubleClickMakesTwoSteps_data() {
        QTest::addColumn<int>("button");
        QTest::addRow("left") << int(Qt::LeftButton);
        QTest::addRow("middle") << int(Qt::MiddleButton);
    }
    void doubleClickMakesTwoSteps() {
        QFETCH(int, button);
        Program p(world, friday);
        p.DoubleClick(p.Forward(4), Qt::MouseButton(button));
        QCOMPARE(p.ShownGregorian(), QStringLiteral("17 марта 2024 "));
        p.DoubleClick(p.Back(2), Qt::MouseButton(button));
        QCOMPARE(p.ShownGregorian(), QStringLiteral("17 января 2024 "));
    }

    void rightButtonOnAStepDoesNothing() {
        Program p(world, friday);
        for (int i = 0; i < 5; ++i) {
            p.Press(p.Forward(i), Qt::RightButton);
            p.DoubleClick(p.Back(i), Qt::RightButton);
        }
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 марта 2024 "));
        QCOMPARE(p.app->State.CurStyle, StyleGregorian);
        QCOMPARE(p.beeps, 0);
    }

    void stepActsOnThePressNotTheRelease() {
        Program p(world, friday);
        QTest::mousePress(p.Forward(4), Qt::LeftButton);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("16 марта 2024 "));
        QTest::mouseRelease(p.Forward(4), Qt::LeftButton);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("16 марта 2024 "));
    }
};

QTEST_MAIN(TestFrmCalendarNavigation)
#include "test_frmcalendar_navigation.moc"
