// The main window: seven report tabs on the left, the right-hand column with the date pickers and their
// steps, the month grid, the three-style table and "Сегодня", and "Закрыть" at the bottom right. The
// window only wires its parts together: the grid, the pickers, the three-style table and the menus are
// their own classes, the navigation is UserClick, and all state lives in the CalendarApp.
#pragma once

#include "ui/filecommands.h"
#include "ui/frmrange.h"
#include "ui/monthpage.h"
#include "ui/storedplacement.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <utility>

class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace vorelian {

class CalendarApp;
class CalendarMenus;
class DatePickers;
class frmFind;
class MonthGrid;
class RichTextView;
class StylesTable;

class frmCalendar : public QMainWindow, private RangeHost {
    Q_OBJECT
public:
    // Form_Initialize: builds the controls at their places, applies the stored placement, fills the
    // weekday names, the pickers and the abbreviations tab, and sets the check marks from the state.
    explicit frmCalendar(CalendarApp& app);
    ~frmCalendar() override;

    // The right-hand column, filled from the calendar state.
    void SetWeekDaysNames();
    void SetYearsMonths() override;
    void SetWeeks();
    void SetGridCal() override;
    void SetDatesCal();

    // "Сегодня": the system date in the current style.
    void GoToday() override;
    // The one exit sequence: settings written, temporary files deleted, window closed, process ended.
    void GoToExit();
    // The settings as the exit writes them: the options with the style, the window's state and place and
    // the range of years as they are now.
    Settings GatherSettings() const;
    // "Перейти к дате…": the typed date in the current style becomes the current day.
    void mnuGoTo_Click();

    // The type of the window's own text; every control of the column is sized from it again.
    void SetWindowFont(const QFont& font);

    int VisibleTab() const;
    RichTextView* View(int tab) const { return RichTextBox1[tab]; }
    void ShowReport(int tab, const QByteArray& document);

    CalendarMenus& Menus() const { return *menus_; }
    DatePickers& Pickers() const { return *pickers_; }

    // The controls, by the names the commands use.
    QTabWidget* SSTab1 = nullptr;
    std::array<RichTextView*, 7> RichTextBox1{};
    QLineEdit* strFind = nullptr;   // tab 5: the text to select by
    QPushButton* cbFind = nullptr;  // tab 5: "Выбрать"
    QCheckBox* WholeWord = nullptr; // tab 5: "Целое слово"
    QCheckBox* NameDays = nullptr;  // tab 5: "Именины", the box holds a name
    QFrame* Con1 = nullptr;
    QFrame* Con2 = nullptr;
    MonthGrid* MSFlexGrid1 = nullptr;
    StylesTable* MSFlexGrid2 = nullptr;
    QPushButton* cbToday = nullptr;
    QPushButton* cbExit = nullptr;

    int16_t ClickRow = 0, ClickCol = 0; // the cell of the last left press on the month grid

public Q_SLOTS:
    // Commands of the File, Setup and Help menus and of the selection tab that live in their own units.
    void TestmnuFile();                                            // the File menu opens
    void RichTextBox1_MouseDown(int tab, const QPoint& globalPos); // right button over a report
    void mnuSaveAS_Click();
    void mnuCopy_Click();
    void mnuCopyAll_Click();
    void mnuFind_Click();
    void mnuFindSelText_Click();
    void mnuPrint_Click();
    void mnuFont_Click();
    void mnuRange_Click();
    void mnuHelp_Click();
    void mnuEMail_Click();
    void mnuHomePage_Click();
    void mnuAbout_Click();
    void strFind_Change();
    void strFind_Enter();
    void cbFind_Click();

protected:
    // The abbreviations tab from its file, within the limits of a data file.
    void LoadAbbreviations();
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setupControls();
    void setupReportPage(int tab);
    void placeReportPage(int tab);
    void connectParts();
    void Form_Resize();

    void MSFlexGrid1_MouseDown(Qt::MouseButton button, int row, int col, const QPoint& globalPos);
    void MSFlexGrid2_MouseDown(Qt::MouseButton button, int row, const QPoint& globalPos);
    void SSTab1_Click(int previousTab);
    void mnuCal_Click(int16_t style);
    void mnuTab_Click(int tab);
    void mnuFirstWD_Click(int index);
    void mnuIndiction_Click();
    void mnuAllStyles_Click();
    void mnuFasting_Click();
    void mnuReadings_Click();
    void ChangeStyle(int16_t style);
    void mnuTextSize_Click(int16_t size);
    void LayOutControls();
    // The menu bar and its menus in the window's text size, never below the desktop's menu text.
    void SetMenuFont(const QFont& font);
    int32_t TodayDayNumber() const;
    QString FirstCommemoration(int32_t day);
    bool IsMenuShortcut(const QKeyEvent* key) const;
    void BuildReport() override;                // the range dialog's last step
    void SearchYear();                          // tab 5: the search of the year for the box's text
    FileNameParts CurrentFileNameParts() const; // what the proposed file names are made of
    MonthSheet MonthSheetOfWindow();            // the month shown, read from the day engine
    void FollowYearInSelection();

    CalendarApp& app_;
    QWidget* central_ = nullptr;
    std::array<QWidget*, 7> pages_{};
    CalendarMenus* menus_ = nullptr;
    DatePickers* pickers_ = nullptr;
    StoredPlacement placement_;
    int shownTab_ = 0;
    bool exiting_ = false;
    FileCommands fileCommands_;                       // remembers the file type chosen for the run
    QPointer<frmFind> find_;                          // the "Поиск" window while it is loaded
    std::pair<int16_t, int16_t> selectionYear_{0, 0}; // style and year the selection report searched
};

} // namespace vorelian
