// What the command-line programs (the report tool and the server) share at their start: their arguments,
// the one line they write on stderr before they end, and the data set they read with the exit status that
// says why none is there. The statuses are the ones of core/exitstatus.h.
#pragma once

#include <QString>
#include <QStringList>

namespace vorelian {

// The program's arguments without the program's own name.
QStringList CommandArguments();

// Writes "program: line" on stderr and returns `status`, so that a program ends with `return`.
int EndWith(const char* program, int status, const QString& line);

// The data set of a command-line program: the folder named by --data (it must be a folder: a name that
// is not one is a bad argument) or else the first one the shared lookup finds (none: no data set).
struct CommandData {
    int Status = 0;   // ExitSuccess, ExitBadArguments or ExitNoDataSet
    QString Calendar; // the Calendar folder to load when Status is ExitSuccess
    QString Message;  // the one line to write otherwise
};
CommandData FindCommandData(const QString& programFolder, const QString& dataOption);

// The --help lines of the --data option, in Russian and English, the lines after the first indented to
// `column` like the program's other options.
QString DataOptionHelp(int column);

} // namespace vorelian
