// The application: it owns the calendar state, the user's settings, the data bases and the reports for
// the whole run, creates the main window on first use, and runs the start-up sequence (Main).
//
// It is the report layer's host (the built documents go into the window's report views); the window
// refreshes its pickers and menus itself after each recomputation. The clock, the beep, the end of the
// process, the program's folder and the settings store are seams, so that tests run the whole program against
// a fixed day and count beeps.
#pragma once

#include "bases/bases.h"
#include "core/datalookup.h"
#include "core/recalc.h"
#include "core/settings.h"
#include "core/state.h"
#include "engine/dayengine.h"
#include "report/report.h"

#include <QDate>
#include <QSettings>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

namespace vorelian {

class frmCalendar;
class SettingsKeeper;

class CalendarApp : public ReportHost {
public:
    CalendarApp();
    ~CalendarApp() override; // removes the temporary files if the exit sequence did not run
    CalendarApp(const CalendarApp&) = delete;
    CalendarApp& operator=(const CalendarApp&) = delete;

    CalendarState State;
    Settings Options;
    std::shared_ptr<const DayEngine> Engine; // the data set, loaded once at start-up
    Reports Out;

    // Seams.
    std::function<QDate()> Today = [] { return QDate::currentDate(); };
    std::function<void()> Beep;       // the system beep
    std::function<void()> EndProcess; // ends the event loop
    std::function<std::unique_ptr<QSettings>()> OpenStore = [] { return OpenSettingsStore(); };
    QString ProgramFolder; // where the data set, the help and the splash picture are looked for first
    QString DataOption;    // the Calendar folder named by --data; empty: VORELIAN_DATA or the search
    DataPlaces Places;     // where the data set and the help were found

    // The data files that had problems at start-up (each is in the log with its reason), named to the
    // user in one warning once the window is up.
    QStringList DataProblems;
    // The lines of the fasting rules that were not used (a repeated rule number, a rule dropped for a line it
    // cannot read), one sentence each with the file and lines, named in the same warning.
    QStringList RuleProblems;
    std::chrono::milliseconds SplashMinimum{1000};

    // The start-up sequence: tables, data paths, temporary files, bases, settings and year range, today,
    // the stored style, the grid and the first report, the splash wait, then the window is shown.
    // False when no data set was found: the message naming the places searched has been shown and the
    // process should end (status 3).
    bool Main();

    // The main window, created (and set up from the state and the settings) on first use.
    frmCalendar* Window();
    bool HasWindow() const { return window_ != nullptr; }

    // The days of the month shown with their red and fast marks, as the engine gives them.
    std::vector<DayMark> MonthMarks() const;

    // Rebuilds the report of the visible tab when it is out of date.
    void BuildReport();
    // The reports of the window: the engine, the user's day and settings, and this host.
    ReportView View();

    // The exit sequence's part outside the window: the settings store and the temporary files. After it
    // the settings are not written again.
    void SaveSettings(bool withRectangle);
    void RemoveTempFiles();

    // The one start-up warning about DataProblems and RuleProblems; nothing when there are none.
    void WarnAboutData();

    // ReportHost
    void ShowReport(int tab, const QString& path, const QByteArray& document) override;
    void SetBusy(bool busy) override;

private:
    // Writes the settings; a store that cannot be used or written is named to the user once.
    void WriteStore(const Settings& s, bool withRectangle);
    void WarnAboutStore(const QString& problem);

    // The data set and the help; without a data set shows the message naming the places searched.
    bool FindData();

    std::unique_ptr<frmCalendar> window_;
    int busy_ = 0;
    bool tempFilesGone_ = false;
    bool storeWarned_ = false;
    SettingsKeeper* keeper_ = nullptr; // owned by the window
};

} // namespace vorelian
