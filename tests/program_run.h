// A command-line program run to its end the way a script runs it, for the tests of the report tool and the
// server: its exit status, standard output and standard error.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct Run {
    int Status = -1; // -1: it crashed or did not end in time
    QByteArray Out, Err;
};

// What a started process left once it has ended (or nothing but Status -1 when it does not end in time).
inline Run Finished(QProcess& p, int milliseconds = 120000) {
    Run r;
    if (!p.waitForFinished(milliseconds))
        return r;
    r.Status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Out = p.readAllStandardOutput();
    r.Err = p.readAllStandardError();
    return r;
}

inline Run RunProgram(const QString& program, const QStringList& args,
                      const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    return Finished(p);
}
