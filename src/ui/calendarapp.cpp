#include "ui/calendarapp.h"

#include "core/recalc.h"
#include "ui/busycursor.h"
#include "ui/calendarmenus.h"
#include "ui/frmcalendar.h"
#include "ui/frmsplash.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QThread>

#include <optional>

namespace vorelian {

CalendarApp::CalendarApp() : hooks_(Data) {
    Beep = [] { QApplication::beep(); };
    EndProcess = [] { QCoreApplication::exit(0); };
    ProgramFolder = QCoreApplication::applicationDirPath();
    State.Hooks = &hooks_;
}

CalendarApp::~CalendarApp() {
    window_.reset();
    RemoveTempFiles();
}

void CalendarApp::Main() {
    std::optional<BusyCursor> busy(std::in_place);

    frmSplash splash;
    QElapsedTimer shown;
    shown.start();
    splash.Load(ProgramFolder);

    InitStyleTables(State);
    Data.Files.SetFolder(QDir(ProgramFolder).filePath(QStringLiteral("Calendar")));
    CreateTempFiles(Out.Temp);
    LoadBases(Data);

    const QDate today = Today();
    Options = ReadSettings(*OpenStore(), today.year());
    SetYearRange(State, Options.MinYear, Options.MaxYear);

    // Today in the new style; the week list it refreshes is the first thing that needs the window.
    State.CurStyle = StyleGregorian;
    StyleDate& g = State.StyleDates[StyleGregorian];
    g.Day = int16_t(today.day());
    g.Month = int16_t(today.month());
    g.Year = int16_t(today.year());
    RecalcYear(State);
    Window();

    State.CurStyle = Options.Calendar;
    if (State.CurStyle == StyleGregorian)
        SetMovableDays(State);
    else
        ApplyStyle(State);

    Window()->SetGridCal();
    BuildReport();

    while (shown.elapsed() < SplashMinimum.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }

    busy.reset();
    Window()->show();
    splash.close();
}

frmCalendar* CalendarApp::Window() {
    if (!window_)
        window_ = std::make_unique<frmCalendar>(*this);
    return window_.get();
}

ReportContext CalendarApp::Context() {
    return ReportContext{State, Options, Data, Out, this};
}

void CalendarApp::BuildReport() {
    ReportContext ctx = Context();
    vorelian::BuildReport(ctx, Window()->VisibleTab());
}

void CalendarApp::SaveSettings(bool withRectangle) {
    WriteSettings(*OpenStore(), Options, withRectangle);
}

void CalendarApp::RemoveTempFiles() {
    if (tempFilesGone_)
        return;
    DeleteTempFiles(Out.Temp);
    tempFilesGone_ = true;
}

void CalendarApp::ShowReport(int tab, const QString&, const QByteArray& document) {
    Window()->ShowReport(tab, document);
}

void CalendarApp::SetBusy(bool busy) {
    if (busy) {
        ++busy_;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busy_ > 0) {
        --busy_;
        QGuiApplication::restoreOverrideCursor();
    }
}

} // namespace vorelian
