// The month on the wall: one landscape page with a grid of the month's days, each with its chief
// commemoration, red days in red, a mark on fast days and the date of the other style small in the corner,
// as parishes print their wall calendars. Every day is read from the day engine, never from the window.
// The page is worked out apart from the painting (MonthSheetOf), so it is tested without a printer.
#pragma once

#include "engine/dayengine.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

class QPainter;
class QPrinter;
class QRectF;
class QWidget;

namespace vorelian {

class RichTextView;
struct FileNameParts;
struct CalendarState;
struct Settings;

struct MonthSheetDay {
    int16_t Day = 0;    // in the sheet's style
    QString OtherStyle; // "7 янв." of the other style: Julian on a new-style sheet, else Gregorian
    QString Chief;      // the chief commemoration; empty when the day has none
    bool Red = false;
    bool Fast = false;
    bool Sunday = false;
};

struct MonthSheet {
    QString Title;                                 // "Январь 2024 (н. ст.)"
    QStringList Weekdays;                          // the seven column heads, in the sheet's order
    std::vector<std::vector<MonthSheetDay>> Weeks; // rows of seven; Day 0 is an empty cell
    QString Legend;                                // the line under the grid
};

// The month `month` of `year` in `style` (Anno Mundi: month 1 is September), the weeks starting on
// Monday (firstWeekday 1) or Sunday (7). Fast days are marked when `options` show fasting.
MonthSheet MonthSheetOf(const DayEngine& engine, int16_t style, int16_t year, int16_t month,
                        int16_t firstWeekday, const DayOptions& options);

// Paints the sheet on the printer's page (landscape is the caller's choice). False when the printer
// failed.
bool PrintMonthSheet(QPrinter& printer, const MonthSheet& sheet);

// The sheet of the month the window shows, in its style, with the window's options.
MonthSheet CurrentMonthSheet(const DayEngine& engine, const CalendarState& state, const Settings& settings);

// "Печать месяца…": the print preview of the month's page, printed from there.
void PrintMonth(QWidget* parent, const MonthSheet& sheet);

// "Экспорт в PDF…": the visible report (first type) or the month's page (second type) into a PDF file
// chosen in the save dialog, proposed under the report's name and headed on each page by its name and
// days (`report` names the visible report); asks before replacing a file, remembers the folder. True
// when written.
bool ExportPdf(QWidget* parent, RichTextView& visible, const FileNameParts& report, const MonthSheet& sheet,
               Settings& settings);

} // namespace vorelian
