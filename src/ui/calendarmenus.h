// The menu bar of the main window. Every action is made in setupActions() with its object name, caption
// (the & marks the access key), shortcut and check group; the menus are then only assembled from them.
// The window connects the actions to its commands.
#pragma once

#include <QObject>

#include <array>
#include <cstdint>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;

namespace vorelian {

class CalendarMenus : public QObject {
    Q_OBJECT
public:
    // Makes the actions, assembles the menus into the window's menu bar and adds the actions to the window
    // so that their shortcuts work wherever the focus is.
    explicit CalendarMenus(QMainWindow* window);

    // "&Файл"
    QAction* mnuSaveAS = nullptr;
    QAction* mnuExportIcal = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuCopyAll = nullptr;
    QAction* mnuSelectAll = nullptr; // "Выделить всё": the whole report selected
    QAction* mnuFind = nullptr;
    QAction* mnuFindSelText = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuPrintMonth = nullptr; // "Печать месяца…": the month on the wall
    QAction* mnuExportPdf = nullptr;  // "Экспорт в PDF…": the report or the month page
    QAction* mnuExit = nullptr;
    // "&Календарь": styles 1..3 (entry 0 unused) and today
    std::array<QAction*, 4> mnuCal{};
    QAction* mnuToday = nullptr;
    QAction* mnuGoTo = nullptr; // "Перейти к дате…"

    // "&Вид": tabs 0..6
    std::array<QAction*, 7> mnuTab{};
    // "&Настройка"
    QAction* mnuFont = nullptr;
    QAction* mnuIndiction = nullptr;
    QAction* mnuAllStyles = nullptr;
    QAction* mnuFasting = nullptr;
    QAction* mnuReadings = nullptr;
    std::array<QAction*, 2> mnuFirstWD{};  // 0 Sunday, 1 Monday
    std::array<QAction*, 3> mnuTextSize{}; // the window's text: normal, large, largest
    QAction* mnuTextBigger = nullptr;      // one size up (Ctrl++)
    QAction* mnuTextSmaller = nullptr;     // one size down (Ctrl+−)
    QAction* mnuRange = nullptr;
    // "&Справка"
    QAction* mnuHelp = nullptr;
    QAction* mnuEMail = nullptr;
    QAction* mnuHomePage = nullptr;
    QAction* mnuAbout = nullptr;

    QMenu* mnuFile = nullptr;
    QMenu* mnuCalendar = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnuSetup = nullptr;
    QMenu* mnuFWD = nullptr;
    QMenu* mnuTextSizes = nullptr;
    QMenu* mnuInfo = nullptr;

    // The check marks that mirror the state.
    void CheckStyle(int16_t style);
    void CheckTab(int tab);
    void CheckFirstWeekday(int16_t firstWeekday);
    void CheckTextSize(int16_t size);

    // Every action, for the shortcut table and the tests.
    QList<QAction*> Actions() const;

private:
    void setupActions();
    void setupMenus();

    QMainWindow* window_;
    QActionGroup* calGroup_ = nullptr;
    QActionGroup* tabGroup_ = nullptr;
    QActionGroup* fwdGroup_ = nullptr;
    QActionGroup* sizeGroup_ = nullptr;
};

} // namespace vorelian
