// Vorelian: the program's entry. The start-up sequence runs once, then everything happens in the main
// window's events until its exit sequence ends the event loop. The end of the session (a logout, Ctrl+C,
// a closed terminal) runs that same exit sequence.
#include "core/exitsignals.h"
#include "ui/calendarapp.h"
#include "ui/desktop.h"
#include "ui/frmcalendar.h"
#include "ui/helplinks.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSessionManager>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(vorelian::kProductName);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(VORELIAN_VERSION_MAJOR)
                                            .arg(VORELIAN_VERSION_MINOR)
                                            .arg(VORELIAN_VERSION_PATCH));

    vorelian::LoadQtRussian(QCoreApplication::applicationDirPath()); // the option help in Russian too
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Церковный календарь / Orthodox church calendar"));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption data(QStringLiteral("data"),
                                  QStringLiteral("папка данных Calendar / the Calendar data folder"),
                                  QStringLiteral("DIR"));
    options.addOption(data);
    options.process(qapp);

    vorelian::ExitSignals endOfSession;
    vorelian::CalendarApp app;
    app.DataOption = options.value(data);
    if (!app.Main())
        return 3;
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
