// Vorelian: the program's entry. The start-up sequence runs once, then everything happens in the main
// window's events until its exit sequence ends the event loop. The end of the session (a logout, Ctrl+C,
// a closed terminal) runs that same exit sequence.
#include "core/exitsignals.h"
#include "ui/calendarapp.h"
#include "ui/frmcalendar.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    vorelian::ExitSignals endOfSession;
    vorelian::CalendarApp app;
    app.Main();
    // Listening only now: a signal during the start-up waits for the event loop, which the exit
    // sequence then ends.
    endOfSession.Listen([&app](int) { app.Window()->GoToExit(); });
#ifndef QT_NO_SESSIONMANAGER
    // A desktop session that ends asks first; the answer is the same exit.
    QObject::connect(&qapp, &QGuiApplication::commitDataRequest, &qapp,
                     [&app](QSessionManager&) { app.Window()->GoToExit(); });
#endif
    return qapp.exec();
}
