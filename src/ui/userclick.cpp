#include "ui/userclick.h"

#include "ui/calendarapp.h"
#include "ui/datepickers.h"
#include "ui/frmcalendar.h"

#include <QComboBox>

namespace vorelian::UserClick {

namespace {

// What every step ends with, whether it moved, was refused or beeped.
void Tail(CalendarApp& app) {
    app.Window()->SetGridCal();
    app.BuildReport();
}

} // namespace

void PickerChanged(CalendarApp& app, int16_t index, int16_t newIndex, int16_t oldIndex) {
    if (!Navigation::TryPickerChanged(app.State, index, newIndex, oldIndex)) {
        app.Beep();
        app.Window()->Pickers().Combo1[index]->setCurrentIndex(oldIndex);
    }
    Tail(app);
}

void StepBack(CalendarApp& app, int16_t index) {
    if (!Navigation::TryStepBack(app.State, index))
        app.Beep();
    Tail(app);
}

void StepForward(CalendarApp& app, int16_t index) {
    if (!Navigation::TryStepForward(app.State, index))
        app.Beep();
    Tail(app);
}

void ShiftDays(CalendarApp& app, int32_t days) {
    if (!Navigation::TryShiftDays(app.State, days))
        app.Beep();
    Tail(app);
}

void PickAdjacentMonthDay(CalendarApp& app, int16_t day, int16_t column) {
    Navigation::MoveToAdjacentMonthDay(app.State, day, column);
    Tail(app);
}

void PickDay(CalendarApp& app, int16_t day) {
    Navigation::MoveToDay(app.State, day);
    app.BuildReport();
}

void GoToDate(CalendarApp& app, const Navigation::TypedDate& date) {
    Navigation::GoToDate(app.State, date);
    Tail(app);
}

} // namespace vorelian::UserClick
