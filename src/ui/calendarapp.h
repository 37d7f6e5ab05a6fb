// The application: it owns the calendar state, the user's settings, the data bases and the reports for
// the whole run, creates the main window on first use, and runs the start-up sequence (Main).
//
// It is the report layer's host (the built documents go into the window's report views); the window
// refreshes its pickers and menus itself after each recomputation. The clock, the beep, the end of the
// process, the program's folder and the settings store are seams, so that tests run the whole program against
// a fixed day and count beeps.
#pragma once

#include "bases/bases.h"
#include "core/recalc.h"
#include "core/settings.h"
#include "core/state.h"
#include "report/report.h"

#include <QDate>
#include <QSettings>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

namespace vorelian {

class frmCalendar;

class CalendarApp : public ReportHost {
public:
    CalendarApp();
    ~CalendarApp() override; // removes the temporary files if the exit sequence did not run
    CalendarApp(const CalendarApp&) = delete;
    CalendarApp& operator=(const CalendarApp&) = delete;

    CalendarState State;
    Settings Options;
    CalendarData Data;
    Reports Out;

    // Seams.
    std::function<QDate()> Today = [] { return QDate::currentDate(); };
    std::function<void()> Beep;       // the system beep
    std::function<void()> EndProcess; // ends the event loop
    std::function<std::unique_ptr<QSettings>()> OpenStore = [] { return OpenSettingsStore(); };
    QString ProgramFolder; // where Calendar/ and the splash picture are looked for
    std::chrono::milliseconds SplashMinimum{1000};

    // The start-up sequence: tables, data paths, temporary files, bases, settings and year range, today,
    // the stored style, the grid and the first report, the splash wait, then the window is shown.
    void Main();

    // The main window, created (and set up from the state and the settings) on first use.
    frmCalendar* Window();
    bool HasWindow() const { return window_ != nullptr; }

    // Rebuilds the report of the visible tab when it is out of date.
    void BuildReport();
    ReportContext Context();

    // The exit sequence's part outside the window: the settings store and the temporary files.
    void SaveSettings(bool withRectangle);
    void RemoveTempFiles();

    // ReportHost
    void ShowReport(int tab, const QString& path, const QByteArray& document) override;
    void SetBusy(bool busy) override;

private:
    BasesHooks hooks_;
    std::unique_ptr<frmCalendar> window_;
    int busy_ = 0;
    bool tempFilesGone_ = false;
};

} // namespace vorelian
