#include "ui/calendarapp.h"

#include "core/recalc.h"
#include "ui/busycursor.h"
#include "ui/calendarmenus.h"
#include "ui/frmcalendar.h"
#include "ui/frmsplash.h"
#include "ui/uiservices.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSettings>
#include <QThread>
#include <QTimer>

#include <optional>

namespace vorelian {

CalendarApp::CalendarApp() : hooks_(Data, this) {
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
    DataProblems = ReadWholeDataSet(Data.Files, Data.Profiles);

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
    // Once the window is up and the event loop runs: a modal message inside the start-up would hold it.
    QTimer::singleShot(0, Window(), [this] { WarnAboutData(); });
}

void CalendarApp::WarnAboutData() {
    if (DataProblems.isEmpty())
        return;
    QStringList names;
    for (const QString& path : DataProblems)
        names << QStringLiteral("    ") + QFileInfo(path).fileName();
    names.removeDuplicates();
    Services().ShowMessage(
        Window(), QMessageBox::Warning, QStringLiteral("Данные календаря"),
        QStringLiteral("Эти файлы данных календаря прочитаны не полностью или с ошибками, поэтому часть "
                       "текстов может не показываться:\n\n%1\n\nПодробности — в журнале программы.")
            .arg(names.join(QLatin1Char('\n'))));
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

void CalendarApp::SetYearsMonths(CalendarState&) {
    Window()->SetYearsMonths();
}
void CalendarApp::SetWeeks(CalendarState&) {
    Window()->SetWeeks();
}
void CalendarApp::CheckStyleMenu(CalendarState& st) {
    Window()->Menus().CheckStyle(st.CurStyle);
}

} // namespace vorelian
