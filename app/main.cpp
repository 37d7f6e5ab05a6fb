// Vorelian: the program's entry. The start-up sequence runs once, then everything happens in the main
// window's events until its exit sequence ends the event loop.
#include "ui/calendarapp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    vorelian::CalendarApp app;
    app.Main();
    return qapp.exec();
}
