// The menu bar of the main window used from the keyboard: the style, today and view shortcuts with their
// check marks, the first weekday, the two report options, and the copy of a selection into the search
// box when the selection tab opens.
#include "frmcalendar_fixture.h"

#include "core/cp1251.h"
#include "ui/frmgoto.h"
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolTip>

using namespace vorelian;
using fixture::Program;

namespace {

QStringList Checked(const Program& p, const QString& prefix, int from, int to) {
    QStringList on;
    for (int i = from; i <= to; ++i)
        if (p.Action(prefix + QString::number(i))->isChecked())
            on << QString::number(i);
    return on;
}

} // namespace

class TestFrmCalendarMenus : public QObject {
    Q_OBJECT

    fixture::World world;
    const QDate friday{2024, 3, 15};

private Q_SLOTS:
    void init() { world.ClearSettings(); }

    void menuBarHoldsTheMenusInOrder() {
        Program p(world, friday);
        QStringList titles;
        for (QAction* a : p.w->menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"&Файл", "&Календарь", "&Вид", "&Настройка", "&Справка"}));
        // Every item of the other units' commands is there with its shortcut.
        const QList<std::pair<const char*, QKeySequence>> items = {
            {"mnuSaveAS", QKeySequence(Qt::CTRL | Qt::Key_S)},
            {"mnuExportIcal", QKeySequence()},
            {"mnuCopy", QKeySequence(Qt::CTRL | Qt::Key_C)},
            {"mnuCopyAll", QKeySequence(Qt::CTRL | Qt::Key_A)},
            {"mnuFind", QKeySequence(Qt::CTRL | Qt::Key_F)},
            {"mnuFindSelText", QKeySequence(Qt::Key_F3)},
            {"mnuPrint", QKeySequence(Qt::CTRL | Qt::Key_P)},
            {"mnuExit", QKeySequence(Qt::CTRL | Qt::Key_X)},
            {"mnuHelp", QKeySequence(Qt::Key_F1)},
            {"mnuFont", QKeySequence()},
            {"mnuRange", QKeySequence()},
            {"mnuEMail", QKeySequence()},
            {"mnuHomePage", QKeySequence()},
            {"mnuAbout", QKeySequence()}};
        for (const auto& [name, key] : items) {
            QAction* a = p.Action(QLatin1String(name));
            QVERIFY2(a, name);
            QCOMPARE(a->shortcut(), key);
        }
        // The keys of other desktop programs beside them.
        QCOMPARE(p.Action("mnuExit")->shortcuts().value(1), QKeySequence(Qt::CTRL | Qt::Key_Q));
        QCOMPARE(p.Action("mnuToday")->shortcuts().value(1), QKeySequence(Qt::ALT | Qt::Key_Home));
        QCOMPARE(p.Action("mnuSelectAll")->text(), "Выделить &всё");
        // No two items share a shortcut.
        QList<QKeySequence> keys;
        for (QAction* a : p.w->Menus().Actions())
            for (const QKeySequence& key : a->shortcuts()) {
                QVERIFY2(!keys.contains(key), qPrintable(a->objectName()));
                keys << key;
            }
    }

    void styleShortcuts_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifier");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("yearItem");
        const int ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
        QTest::addRow("Ctrl+F1") << int(Qt::Key_F1) << ctrl << 1 << "7532";
        QTest::addRow("Ctrl+F2") << int(Qt::Key_F2) << ctrl << 2 << "2024";
        QTest::addRow("Ctrl+F3") << int(Qt::Key_F3) << ctrl << 3 << "2024";
        QTest::addRow("Alt+1") << int(Qt::Key_1) << alt << 1 << "7532";
        QTest::addRow("Alt+2") << int(Qt::Key_2) << alt << 2 << "2024";
        QTest::addRow("Alt+3") << int(Qt::Key_3) << alt << 3 << "2024";
    }
    void styleShortcuts() {
        QFETCH(int, key);
        QFETCH(int, modifier);
        QFETCH(int, style);
        QFETCH(QString, yearItem);
        world.Store(QStringLiteral("Calendar"), style == 3 ? QStringLiteral("2") : QStringLiteral("3"));
        Program p(world, friday);
        QVERIFY(p.Activate());
        QTest::keyClick(p.w, Qt::Key(key), Qt::KeyboardModifiers(modifier));
        QCOMPARE(p.app->State.CurStyle, int16_t(style));
        QCOMPARE(Checked(p, QStringLiteral("mnuCal_"), 1, 3), QStringList{QString::number(style)});
        QCOMPARE(p.Combo(0)->currentIndex(), style - 1);
        QCOMPARE(p.Combo(1)->currentText(), yearItem);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 марта 2024 "));
        // Choosing the current style again keeps everything.
        QTest::keyClick(p.w, Qt::Key(key), Qt::KeyboardModifiers(modifier));
        QCOMPARE(p.app->State.CurStyle, int16_t(style));
        QCOMPARE(Checked(p, QStringLiteral("mnuCal_"), 1, 3), QStringList{QString::number(style)});
        QCOMPARE(p.beeps, 0);
    }

    void styleOutsideTheRangeBeepsAndKeepsTheMark() {
        Program p(world, QDate(1901, 1, 1));
        QVERIFY(p.Activate());
        QTest::keyClick(p.w, Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(p.beeps, 1);
        QCOMPARE(p.app->State.CurStyle, StyleGregorian);
        QCOMPARE(Checked(p, QStringLiteral("mnuCal_"), 1, 3), QStringList{"3"});
        // From the menu itself too.
        p.Action(QStringLiteral("mnuCal_2"))->trigger();
        QCOMPARE(p.beeps, 2);
        QCOMPARE(Checked(p, QStringLiteral("mnuCal_"), 1, 3), QStringList{"3"});
    }

    void todayShortcut() {
        Program p(world, friday);
        QVERIFY(p.Activate());
        p.Press(p.Forward(1));
        p.SetToday(QDate(2024, 3, 20));
        QTest::keyClick(p.w, Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("20 марта 2024 "));
        p.SetToday(QDate(2024, 3, 21));
        QTest::keyClick(p.w, Qt::Key_Home, Qt::AltModifier);
        QCOMPARE(p.ShownGregorian(), QStringLiteral("21 марта 2024 "));
    }

    // Ctrl++ and Ctrl+− step the window's text size within its three sizes; Ctrl+0 goes back to normal.
    void textSizeKeys() {
        Program p(world, friday);
        QVERIFY(p.Activate());
        const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Plus, 1},  {Qt::Key_Plus, 2}, {Qt::Key_Plus, 2},
                                                 {Qt::Key_Minus, 1}, {Qt::Key_0, 0},    {Qt::Key_Minus, 0}};
        for (const auto& [key, size] : steps) {
            QTest::keyClick(p.w, key, Qt::ControlModifier);
            QCOMPARE(p.app->Options.TextSize, int16_t(size));
            QCOMPARE(Checked(p, QStringLiteral("mnuTextSize_"), 0, 2), QStringList{QString::number(size)});
        }
    }

    // Ctrl+Q ends the program as Ctrl+X does, wherever the focus is; "Выделить всё" selects the report.
    void quitAndSelectAll() {
        Program p(world, friday);
        QVERIFY(p.Activate());
        p.w->View(0)->setFocus();
        p.Action(QStringLiteral("mnuSelectAll"))->trigger();
        QCOMPARE(p.w->View(0)->SelText(), p.w->View(0)->Text());
        QVERIFY(p.w->Menus().mnuFile->actions().contains(p.Action(QStringLiteral("mnuSelectAll"))));
        QTest::keyClick(p.w->View(0), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(p.ends, 1);
    }

    void titleNamesTheCurrentDayInTheCurrentStyle() {
        Program p(world, QDate(2026, 12, 7));
        QCOMPARE(p.w->windowTitle(), QStringLiteral("Vorelian — 7 декабря 2026"));
        p.Press(p.Forward(4));
        QCOMPARE(p.w->windowTitle(), QStringLiteral("Vorelian — 8 декабря 2026"));
        QVERIFY(p.Activate());
        QTest::keyClick(p.w, Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(p.w->windowTitle(), QStringLiteral("Vorelian — 25 ноября 7535"));
    }

    void goToADate_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // in the style typed; empty when refused
        QTest::addColumn<QString>("message");
        QTest::addRow("new style, month by name") << 3 << "14 октября 1918"
                                                  << "14 октября 1918 "
                                                  << "";
        QTest::addRow("new style, by numbers") << 3 << "14.10.1918"
                                               << "14 октября 1918 "
                                               << "";
        QTest::addRow("new style, short name, year word") << 3 << "1 янв 1901 г."
                                                          << "1 января 1901 "
                                                          << "";
        QTest::addRow("new style, no 29 February") << 3 << "29.02.2100"
                                                   << ""
                                                   << "Такого дня нет: в месяце «февраль» 2100 года 28 дней.";
        QTest::addRow("new style, 31 April") << 3 << "31 апреля 2024"
                                             << ""
                                             << "Такого дня нет: в месяце «апрель» 2024 года 30 дней.";
        QTest::addRow("new style, before the range") << 3 << "31 декабря 1900"
                                                     << ""
                                                     << "Год 1900 вне диапазона годов: с 1901 по 2100.";
        QTest::addRow("new style, month 13") << 3 << "1.13.2024"
                                             << ""
                                             << "Месяца с номером 13 нет: месяцы нумеруются от 1 до 12 "
                                                "(1 — январь, 12 — декабрь).";
        QTest::addRow("new style, unreadable") << 3 << "завтра"
                                               << ""
                                               << "Не удалось прочесть дату. Введите день, месяц и год, "
                                                  "например: 15 марта 2024.";
        QTest::addRow("new style, unknown month") << 3 << "5 мартобря 2024"
                                                  << ""
                                                  << "Месяц «мартобря» не найден. Введите день, месяц и год, "
                                                     "например: 15 марта 2024.";
        QTest::addRow("new style, ISO") << 3 << "2027-05-02"
                                        << "2 мая 2027 "
                                        << "";
        QTest::addRow("old style, ISO is of the new style") << 2 << " 2027-05-02 "
                                                            << "19 апреля 2027 "
                                                            << "";
        QTest::addRow("Anno Mundi, ISO") << 1 << "2027-05-02"
                                         << "19 апреля 7535 "
                                         << "";
        QTest::addRow("ISO, no such day") << 2 << "2027-02-29"
                                          << ""
                                          << "Такого дня нет: в месяце «февраль» 2027 года 28 дней.";
        QTest::addRow("new style, no year") << 3 << "2 мая"
                                            << "2 мая 2024 "
                                            << "";
        QTest::addRow("old style, no year, by numbers") << 2 << "7.1"
                                                        << "7 января 2024 "
                                                        << "";
        QTest::addRow("Anno Mundi, no year") << 1 << "1 сентября"
                                             << "1 сентября 7532 "
                                             << "";
        QTest::addRow("old style, 29 February 2100") << 2 << "29.02.2100"
                                                     << "29 февраля 2100 "
                                                     << "";
        QTest::addRow("old style, by name") << 2 << "1 октября 1918"
                                            << "1 октября 1918 "
                                            << "";
        QTest::addRow("old style, day 0") << 2 << "0 мая 2000"
                                          << ""
                                          << "Такого дня нет: в месяце «май» 2000 года 31 день.";
        QTest::addRow("Anno Mundi, month 1 is September") << 1 << "1.1.7527"
                                                          << "1 сентября 7527 "
                                                          << "";
        QTest::addRow("Anno Mundi, month 5 is January") << 1 << "7 5 7532"
                                                        << "7 января 7532 "
                                                        << "";
        QTest::addRow("Anno Mundi, by name") << 1 << "14 октября 7427"
                                             << "14 октября 7427 "
                                             << "";
        QTest::addRow("Anno Mundi, a year of the other count")
            << 1 << "14 октября 1918"
            << ""
            << "Год 1918 вне диапазона годов: с 7409 по 7608.";
        QTest::addRow("Anno Mundi, month 13") << 1 << "1.13.7527"
                                              << ""
                                              << "Месяца с номером 13 нет: месяцы нумеруются от 1 до 12 "
                                                 "(1 — сентябрь, 12 — август).";
    }
    void goToADate() {
        QFETCH(int, style);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        world.Store(QStringLiteral("Calendar"), QString::number(style));
        Program p(world, friday);
        const int32_t before = p.app->State.CurDayNumber;
        QVERIFY(p.Activate());
        QTest::keyClick(p.w, Qt::Key_G, Qt::ControlModifier);
        auto* dialog = p.w->findChild<frmGoTo*>();
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        QLineEdit* line = dialog->DateLine();
        QCOMPARE(line->selectedText(),
                 p.Shown(int16_t(style)).trimmed()); // the current day, ready to type over
        fixture::KeyClicks(line, typed);
        QTest::keyClick(line, Qt::Key_Return);
        if (shown.isEmpty()) {
            QVERIFY(dialog->isVisible());
            QVERIFY(dialog->Message()->isVisible());
            QCOMPARE(dialog->Message()->text(), message);
            QLabel* shownMessage = dialog->Message();
            QVERIFY(shownMessage->height() >= shownMessage->heightForWidth(shownMessage->width()));
            QCOMPARE(p.app->State.CurDayNumber, before);
            dialog->reject();
        } else {
            QTRY_VERIFY(!p.w->findChild<frmGoTo*>());
            QCOMPARE(p.Shown(int16_t(style)), shown);
            QCOMPARE(p.app->State.CurStyle, int16_t(style));
            QCOMPARE(p.Combo(1)->currentText(), shown.section(QLatin1Char(' '), 2, 2));
            QVERIFY(p.w->View(0)->Text().contains(shown.trimmed()));
        }
        QCOMPARE(p.beeps, 0);
    }

    void viewShortcuts() {
        Program p(world, friday);
        QVERIFY(p.Activate());
        for (int t = 0; t < 7; ++t) {
            QTest::keyClick(p.w, Qt::Key(Qt::Key_F1 + t), Qt::ShiftModifier);
            QCOMPARE(p.w->VisibleTab(), t);
            QCOMPARE(Checked(p, QStringLiteral("mnuTab_"), 0, 6), QStringList{QString::number(t)});
        }
        // A tab chosen with the mouse moves the check mark too.
        p.w->SSTab1->setCurrentIndex(2);
        QCOMPARE(Checked(p, QStringLiteral("mnuTab_"), 0, 6), QStringList{"2"});
        // The month report was built for the tab when it was shown.
        QVERIFY(p.w->View(2)->Text().contains(QStringLiteral("Март")));
        // The item of the tab already shown changes nothing but the marks.
        p.Action(QStringLiteral("mnuTab_2"))->trigger();
        QCOMPARE(p.w->VisibleTab(), 2);
        QCOMPARE(Checked(p, QStringLiteral("mnuTab_"), 0, 6), QStringList{"2"});
    }

    void selectionTabTakesTheSelectedText() {
        Program p(world, friday);
        QVERIFY(p.Activate());
        p.w->strFind->setText(QStringLiteral("old"));
        RichTextView* day = p.w->View(0);
        const int at = day->Find(QStringLiteral("марта"));
        QVERIFY(at >= 0);
        QTest::keyClick(p.w, Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(p.w->VisibleTab(), 5);
        QCOMPARE(p.w->strFind->text(), QStringLiteral("марта"));
        QVERIFY(p.w->strFind->hasFocus());
        // Without a selection in the tab left, the box keeps its text.
        QTest::keyClick(p.w, Qt::Key_F1, Qt::ShiftModifier);
        day->SetSelStart(0);
        QTest::keyClick(p.w, Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(p.w->strFind->text(), QStringLiteral("марта"));
        QVERIFY(p.w->strFind->hasFocus());
    }

    void firstWeekdayKeepsTheDate() {
        Program p(world, friday);
        p.Action(QStringLiteral("mnuFirstWD_0"))->trigger();
        QCOMPARE(p.app->Options.FirstWeekday, int16_t(7));
        QCOMPARE(Checked(p, QStringLiteral("mnuFirstWD_"), 0, 1), QStringList{"0"});
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 марта 2024 "));
        QCOMPARE(p.Combo(4)->currentText(), QStringLiteral("Пятница"));
        QCOMPARE(p.Combo(4)->currentIndex(), 5);
        // March 2024 from Sunday: the 1st (a Friday) in row 5 of column 1, the 15th in row 5 of column 3.
        QCOMPARE(p.Grid()->Text(5, 1), QStringLiteral("1"));
        QCOMPARE(p.CellOf(15), QPoint(3, 5));
        QCOMPARE(p.Combo(3)->currentText(), QStringLiteral("Сырная седмица"));
        // The item already checked runs the same steps and changes nothing.
        p.Action(QStringLiteral("mnuFirstWD_0"))->trigger();
        QCOMPARE(Checked(p, QStringLiteral("mnuFirstWD_"), 0, 1), QStringList{"0"});
        QCOMPARE(p.CellOf(15), QPoint(3, 5));
        p.Action(QStringLiteral("mnuFirstWD_1"))->trigger();
        QCOMPARE(p.CellOf(15), QPoint(3, 4));
        QCOMPARE(p.ShownGregorian(), QStringLiteral("15 марта 2024 "));
    }

    void optionTogglesRebuildTheVisibleReport_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("line");
        QTest::addRow("indiction") << "mnuIndiction"
                                   << "-го индиктиона";
        QTest::addRow("all styles") << "mnuAllStyles"
                                    << "от Сотворения Мира";
    }
    void optionTogglesRebuildTheVisibleReport() {
        QFETCH(QString, action);
        QFETCH(QString, line);
        Program p(world, friday);
        QAction* item = p.Action(action);
        QVERIFY(!p.w->View(0)->Text().contains(line));
        item->trigger();
        QVERIFY(item->isChecked());
        QVERIFY(p.w->View(0)->Text().contains(line));
        item->trigger();
        QVERIFY(!item->isChecked());
        QVERIFY(!p.w->View(0)->Text().contains(line));
        // Another tab follows when it is shown.
        item->trigger();
        p.Action(QStringLiteral("mnuTab_1"))->trigger();
        QVERIFY(p.w->View(1)->Text().contains(line));
    }

    // With a readings file in the data set the day shows its readings, its Liturgy and the weddings line;
    // the option «Показывать чтения», on by default, takes them away and brings them back.
    void readingsOptionShowsTheReadings() {
        const QString path = world.ProgramFolder() + QStringLiteral("/Calendar/Readings.DAT");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            cp1251::Encode(QStringLiteral("[Books]\r\nМф.=gospel 116\r\nРим.=apostle 335\r\n[Pascha]\r\n"
                                          "-51=Рим. 1:1–7 (79) | Мф. 5:1–12 (10)\r\n"
                                          "[NoWeddings]\r\nПятница=weekdays=5\r\n")));
        file.close();
        struct Remove {
            QString Path;
            ~Remove() { QFile::remove(Path); }
        } remove{path};
        Program p(world, friday); // Friday of Cheesefare week: no Liturgy
        QAction* item = p.Action(QStringLiteral("mnuReadings"));
        QCOMPARE(item->text(), QStringLiteral("Показывать &чтения"));
        const QStringList lines = {QStringLiteral("Ап.: Рим. 1:1–7 (зач. 79). Ев.: Мф. 5:1–12 (зач. 10)."),
                                   QStringLiteral("Литургии нет."),
                                   QStringLiteral("Браковенчание не совершается.")};
        const auto shown = [&p](const QString& line) { return p.w->View(0)->Text().contains(line); };
        QVERIFY(item->isChecked());
        QVERIFY(std::all_of(lines.begin(), lines.end(), shown));
        item->trigger();
        QVERIFY(!item->isChecked());
        QVERIFY(std::none_of(lines.begin(), lines.end(), shown));
        item->trigger();
        QVERIFY(std::all_of(lines.begin(), lines.end(), shown));
    }

    // With a rule file in the data set the day report ends with the day's fast and the month grid marks
    // the fast days; the option «Показывать пост», on by default, takes both away and brings them back.
    void fastingOptionShowsTheLineAndTheMarks() {
        const QString rules = world.ProgramFolder() + QStringLiteral("/Calendar/Fasting.DAT");
        QFile file(rules);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Levels]\r\ndry=Fast.\r\nnone=Free.\r\n[1]\r\nweekdays=3,5\r\nlevel=dry\r\n[2]\r\nlevel="
                   "none\r\n");
        file.close();
        struct Remove {
            QString Path;
            ~Remove() { QFile::remove(Path); }
        } remove{rules};
        Program p(world, friday); // 15 March 2024, a Friday
        QAction* item = p.Action(QStringLiteral("mnuFasting"));
        QCOMPARE(item->text(), QStringLiteral("Показывать по&ст"));
        const auto marked = [&p] {
            QStringList days;
            for (int d = 1; d <= 31; ++d)
                if (const QPoint c = p.CellOf(d); c.x() > 0 && p.Grid()->CellMark(c.y(), c.x()))
                    days << QString::number(d);
            return days;
        };
        const QStringList fastDays = {"1", "6", "8", "13", "15", "20", "22", "27", "29"};
        QVERIFY(item->isChecked());
        QVERIFY(p.w->View(0)->Text().endsWith(QStringLiteral("\n    Fast.\n\n"))); // the last line
        QCOMPARE(marked(), fastDays);
        item->trigger();
        QVERIFY(!item->isChecked());
        QVERIFY(!p.w->View(0)->Text().contains(QStringLiteral("Fast.")));
        QCOMPARE(marked(), QStringList());
        QVERIFY(!p.app->Options.ShowFasting);
        item->trigger();
        QCOMPARE(marked(), fastDays);
        // The mark's tooltip says what it means.
        QVERIFY(QTest::qWaitForWindowExposed(p.w));
        const QPoint cell = p.CellOf(15);
        const QRect r = p.Grid()->visualRect(p.Grid()->model()->index(cell.y(), cell.x()));
        QHelpEvent help(QEvent::ToolTip, r.center(), p.Grid()->viewport()->mapToGlobal(r.center()));
        QApplication::sendEvent(p.Grid()->viewport(), &help);
        QVERIFY2(QToolTip::text().endsWith(QStringLiteral("Постный день")), qPrintable(QToolTip::text()));
        p.GoTo(StyleGregorian, 16, 3, 2024);
        QVERIFY(p.w->View(0)->Text().contains(QStringLiteral("Free.")));
    }

    void menuShortcutsComeBeforeTheReportsKeys() {
        Program p(world, friday);
        QVERIFY(p.Activate());
        int copies = 0;
        QObject::connect(p.Action(QStringLiteral("mnuCopyAll")), &QAction::triggered, [&] { ++copies; });
        p.w->View(0)->setFocus();
        QTest::keyClick(p.w->View(0), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(copies, 1);
        QCOMPARE(p.w->View(0)->SelLength(), 0); // not the view's own select-all
    }
};

QTEST_MAIN(TestFrmCalendarMenus)
#include "test_frmcalendar_menus.moc"
