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

CalendarApp::CalendarApp() {
    Beep = [] { QApplication::beep(); };
    EndProcess = [] { QCoreApplication::exit(0); };
    ProgramFolder = QCoreApplication::applicationDirPath();
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
    // The engine parses every file of the set up front: its reading is the one that names the problems.
    Engine = DayEngine::Load(calendarDir);
    StartCalendar(State, Options.MinYear, Options.MaxYear);
    DataProblems = Engine->Data().Data.Profiles.FilesWithProblems();
    RuleProblems = Engine->Data().Fasting.Problems;

    // Today in the new style; the week list it refreshes is the first thing that needs the window.
    State.CurStyle = StyleGregorian;
    StyleDate& g = State.StyleDates[StyleGregorian];
    g.Day = int16_t(today.day());
    g.Month = int16_t(today.month());
    g.Year = int16_t(today.year());
    RecalcYear(State);
    Window();

    State.CurStyle = Options.Calendar;
    if (State.CurStyle != StyleGregorian)
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
    if (DataProblems.isEmpty() && RuleProblems.isEmpty())
        return;
    const auto indented = [](const QStringList& lines) {
        return QStringLiteral("    ") + lines.join(QStringLiteral("\n    "));
    };
    QStringList names;
    for (const QString& path : DataProblems)
        names << QFileInfo(path).fileName();
    names.removeDuplicates();
    QStringList parts;
    if (!names.isEmpty())
        parts << QStringLiteral(
                     "Эти файлы данных календаря прочитаны не полностью или с ошибками, поэтому часть "
                     "текстов может не показываться:\n\n%1")
                     .arg(indented(names));
    if (!RuleProblems.isEmpty())
        parts << QStringLiteral("Правила поста прочитаны с ошибками:\n\n%1").arg(indented(RuleProblems));
    parts << QStringLiteral("Подробности — в журнале программы.");
    Services().ShowMessage(Window(), QMessageBox::Warning, QStringLiteral("Данные календаря"),
                           parts.join(QStringLiteral("\n\n")));
}

frmCalendar* CalendarApp::Window() {
    if (!window_)
        window_ = std::make_unique<frmCalendar>(*this);
    return window_.get();
}

ReportView CalendarApp::View() {
    return ReportView{*Engine, State, Options, Out, this};
}

std::vector<DayMark> CalendarApp::MonthMarks() const {
    if (!Engine)
        return {};
    const StyleDate& r = State.Cur();
    return Engine->Month(r.Year, r.Month, DayOptionsOf(Options, State.CurStyle));
}

void CalendarApp::BuildReport() {
    if (Engine)
        vorelian::BuildReport(View(), Window()->VisibleTab());
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
