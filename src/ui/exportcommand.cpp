#include "ui/exportcommand.h"

#include "core/calendar.h"
#include "core/settings.h"
#include "core/state.h"
#include "report/exportdays.h"
#include "ui/busycursor.h"
#include "ui/filecommands.h"
#include "ui/uiservices.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSaveFile>

namespace vorelian {
namespace {

const QString kCaption = QStringLiteral("Экспорт в календарь");

// Ranges longer than this many days show a progress dialog.
constexpr int32_t kProgressDays = 3 * 366;

QDate DateOf(int32_t dayNumber) {
    return QDate::fromJulianDay(dayNumber); // day numbers count as Julian Day Numbers do
}

int32_t DayNumberOf(const QDate& d) {
    return int32_t(d.toJulianDay());
}

QString DefaultName(const IcalRequest& r) {
    const QString years = r.From.year() == r.To.year()
                              ? QString::number(r.From.year())
                              : QStringLiteral("%1-%2").arg(r.From.year()).arg(r.To.year());
    return QStringLiteral("Церковный календарь %1.ics").arg(years);
}

} // namespace

bool WriteCalendarFile(QWidget* parent, const DayEngine& engine, const IcalRequest& request,
                       const DayOptions& options, const QString& path, QString& error, qsizetype* events) {
    error.clear();
    const DayRange days{DayNumberOf(request.From), DayNumberOf(request.To)};
    const BusyCursor busy;
    std::optional<QProgressDialog> progress;
    if (days.Last - days.First >= kProgressDays) {
        progress.emplace(QStringLiteral("Вычисляются дни календаря…"), QStringLiteral("Отмена"), 0,
                         days.Last - days.First + 1, parent);
        progress->setWindowTitle(kCaption);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(300);
    }
    const auto bytes = IcalCalendar(engine, days, request.Scope, options, [&progress](int64_t done, int64_t) {
        if (!progress)
            return true;
        progress->setValue(int(done));
        return !progress->wasCanceled();
    });
    if (!bytes)
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    if (events)
        *events = bytes->count("BEGIN:VEVENT\r\n");
    return true;
}

bool ExportCalendar(QWidget* parent, const DayEngine& engine, const CalendarState& state,
                    Settings& settings) {
    const int16_t style = state.CurStyle;
    const int16_t year = state.StyleDates[style].Year;
    const IcalRequest proposed{DateOf(DayNumber(style, 1, 1, year)),
                               DateOf(DayNumber(style, 1, 1, int16_t(year + 1)) - 1), IcalScope::All};
    frmExport dialog(proposed, DateOf(state.MinDayNumbers[StyleGregorian]),
                     DateOf(state.MaxDayNumbers[StyleGregorian]), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const IcalRequest request = dialog.Request();

    const auto choice = Services().ChooseSavePath(parent, SaveFolder(settings.LastDir), DefaultName(request),
                                                  {QStringLiteral("Календарь iCalendar (*.ics)")}, 1);
    if (!choice || choice->Path.isEmpty())
        return false;
    QString path = choice->Path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".ics");
    if (!MayReplace(parent, choice->Path, path, kCaption))
        return false;
    QString error;
    qsizetype events = 0;
    if (!WriteCalendarFile(parent, engine, request, DayOptionsOf(settings, style), path, error, &events)) {
        if (!error.isEmpty())
            Services().ShowMessage(parent, QMessageBox::Critical, kCaption,
                                   QStringLiteral("Не удалось сохранить файл «%1»:\n%2")
                                       .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    settings.LastDir = FolderOfPath(path);
    Services().ShowMessage(
        parent, QMessageBox::Information, kCaption,
        QStringLiteral("В файл «%1» записано событий: %2.").arg(QDir::toNativeSeparators(path)).arg(events));
    return true;
}

} // namespace vorelian
