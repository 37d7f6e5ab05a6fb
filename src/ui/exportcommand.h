// "&Экспорт в календарь (iCalendar)…" of the File menu: the export dialog over the displayed year, the
// save dialog, then the days computed by the day engine under the busy pointer, with a progress dialog
// for long ranges, and the file written whole or not at all. A failure is reported as Save as reports it.
#pragma once

#include "engine/dayengine.h"
#include "ui/frmexport.h"

#include <QString>

class QWidget;

namespace vorelian {

struct CalendarState;
struct Settings;

// The calendar file of the request, its days shown with `options`, written to `path`; false with the reason
// in `error` when it could not be written, or with an empty `error` when the user stopped it in the progress
// dialog. `events` (when given) gets the number of events written.
bool WriteCalendarFile(QWidget* parent, const DayEngine& engine, const IcalRequest& request,
                       const DayOptions& options, const QString& path, QString& error,
                       qsizetype* events = nullptr);

// The whole command for the state the window shows: the dialog opens on the displayed year of the current
// style, within the working range of years; the days are shown with the user's display choices. True when a
// file was written; LastDir follows it, and the user is told how many events it holds.
bool ExportCalendar(QWidget* parent, const DayEngine& engine, const CalendarState& state, Settings& settings);

} // namespace vorelian
