// Vorelian: the program's entry. The start-up sequence runs once, then everything happens in the main
// window's events until its exit sequence ends the event loop. The end of the session (a logout, Ctrl+C,
// a closed terminal) runs that same exit sequence.
#include "core/exitsignals.h"
#include "ui/calendarapp.h"
#include "ui/desktop.h"
#include "ui/frmcalendar.h"
#include "ui/helplinks.h"
#include "ui/singleinstance.h"

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
    options.setApplicationDescription(QStringLiteral("Церковный календарь\nOrthodox church calendar"));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption data(QStringLiteral("data"),
                                  QStringLiteral("папка данных Calendar\nthe Calendar data folder"),
                                  QStringLiteral("DIR"));
    options.addOption(data);
    options.process(qapp);

    // A program already running on the same settings shows its window instead of a second one.
    vorelian::SingleInstance instance(vorelian::SettingsStorePath());
    if (instance.PassToRunning())
        return 0;
    instance.Listen();

    vorelian::ExitSignals endOfSession;
    vorelian::CalendarApp app;
    app.DataOption = options.value(data);
    // A second start during this one's start-up finds the window shown at its end anyway.
    QObject::connect(&instance, &vorelian::SingleInstance::RaiseRequested, &qapp, [&app] {
        qInfo("raised by a second start");
        if (app.HasWindow() && app.Window()->isVisible())
            vorelian::SingleInstance::Raise(app.Window());
    });
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
