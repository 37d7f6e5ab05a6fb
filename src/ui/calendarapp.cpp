#include "ui/calendarapp.h"

#include "core/recalc.h"
#include "engine/dataset.h"
#include "engine/dayengine.h"
#include "engine/startup.h"
#include "report/documents.h"
#include "ui/busycursor.h"
#include "ui/calendarmenus.h"
#include "ui/desktop.h"
#include "ui/frmcalendar.h"
#include "ui/frmsplash.h"
#include "ui/helplinks.h"
#include "ui/settingskeeper.h"
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

bool CalendarApp::FindData() {
    Places = FindDataSet(DataSearchFor(ProgramFolder, DataOption));
    if (Places.Found())
        return true;
    Services().ShowMessage(nullptr, QMessageBox::Critical, kProductName, NoDataSetMessage(Places));
    return false;
}

bool CalendarApp::Main() {
    PrepareDesktop(ProgramFolder);
    if (!FindData())
        return false;
    std::optional<BusyCursor> busy(std::in_place);

    // The splash picture beside the program, or else beside the data set (an installed copy).
    const QString dataRoot = QDir::cleanPath(Places.Calendar + QStringLiteral("/.."));
    frmSplash splash;
    QElapsedTimer shown;
    shown.start();
    splash.Load(FindSplashPicture(ProgramFolder).isEmpty() ? dataRoot : ProgramFolder);

    CreateTempFiles(Out.Temp);
    const QDate today = Today();
    QString storeProblem;
    if (const std::unique_ptr<QSettings> store = OpenStore()) {
        Options = ReadSettings(*store, today.year());
    } else {
        CorrectYearRange(Options.MinYear, Options.MaxYear, today.year());
        storeProblem =
            SettingsStoreProblem(SettingsStorePath()) + QStringLiteral("; взяты настройки по умолчанию");
    }
    const QString calendarDir = Places.Calendar;
    // The engine parses every file of the set up front: its reading is the one that names the problems,
    // and the live calendar takes its parsed files and bases rather than reading them again.
    Out.Engine = DayEngine::Load(calendarDir);
    StartCalendar(Data, State, *Out.Engine, Options.MinYear, Options.MaxYear, State.Hooks);
    DataProblems = Out.Engine->Data().Data.Profiles.FilesWithProblems();

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
    keeper_ = new SettingsKeeper([this] { return Window()->GatherSettings(); },
                                 [this](const Settings& s) { WriteStore(s, s.WindowState == 0); }, Window());
    keeper_->Start();
    // Once the window is up and the event loop runs: a modal message inside the start-up would hold it.
    QTimer::singleShot(0, Window(), [this, storeProblem] {
        WarnAboutData();
        if (!storeProblem.isEmpty())
            WarnAboutStore(storeProblem);
    });
    return true;
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

std::function<bool(int32_t)> CalendarApp::FastDays() {
    if (!Options.ShowFasting)
        return {};
    ReportContext ctx = Context();
    EngineOf(ctx); // the reports' engine, loaded on first use
    const std::shared_ptr<const DayEngine> engine = Out.Engine;
    if (engine->Data().Fasting.Empty())
        return {};
    return [engine](int32_t day) {
        const std::optional<Fasting> fast = engine->Day(day, DayOptions{}).Fast;
        return fast && fast->Level < FastLevel::NoMeat; // the Cheesefare week is no fast
    };
}

void CalendarApp::BuildReport() {
    ReportContext ctx = Context();
    vorelian::BuildReport(ctx, Window()->VisibleTab());
}

void CalendarApp::SaveSettings(bool withRectangle) {
    if (keeper_)
        keeper_->Stop();
    WriteStore(Options, withRectangle);
}

void CalendarApp::WriteStore(const Settings& s, bool withRectangle) {
    const std::unique_ptr<QSettings> store = OpenStore();
    if (!store)
        WarnAboutStore(SettingsStoreProblem(SettingsStorePath()));
    else if (!WriteSettings(*store, s, withRectangle))
        WarnAboutStore(QStringLiteral("файл «%1» недоступен для записи").arg(store->fileName()));
}

void CalendarApp::WarnAboutStore(const QString& problem) {
    qWarning().noquote() << QStringLiteral("settings not saved: %1").arg(problem);
    if (storeWarned_)
        return;
    storeWarned_ = true;
    Services().ShowMessage(HasWindow() ? Window() : nullptr, QMessageBox::Warning,
                           QStringLiteral("Настройки"),
                           QStringLiteral("Настройки программы не удастся сохранить: %1.").arg(problem));
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
