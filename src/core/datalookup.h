// Where the program and the report tool find their data set (the "Calendar" folder) and the help page
// (the "Help" folder). A folder chosen by the person comes first; otherwise the places of a copy run from
// its build folder, of an installed copy and of the desktop's data folders are tried in turn, so that the
// same program works from the build tree, from /usr and from a user's own share folder.
#pragma once

#include <QString>
#include <QStringList>

namespace vorelian {

// What the search starts from.
struct DataSearch {
    QString Chosen;        // a Calendar folder from --data or VORELIAN_DATA; empty: search the places
    QString ProgramFolder; // the folder of the running program
    QStringList DataDirs;  // the desktop's data folders, most personal first
};

// What the search found.
struct DataPlaces {
    QString Calendar;     // the Calendar folder in use; empty when no data set was found
    QString Help;         // the Help folder holding Index.html; empty when none was found
    QStringList Searched; // every Calendar folder looked at, in order
    bool Found() const { return !Calendar.isEmpty(); }
};

// The search of the running program: `dataOption` (the --data value) or else the VORELIAN_DATA variable,
// the program's folder, and the generic data folders of the desktop (XDG_DATA_HOME and XDG_DATA_DIRS).
DataSearch DataSearchFor(const QString& programFolder, const QString& dataOption);

// A chosen folder is taken when it holds a readable January.DAT, as every folder searched must: a folder
// without it is no data set, whatever else it holds. Without a chosen one, the first of <program>/Calendar,
// <program>/../share/vorelian/Calendar and <data dir>/vorelian/Calendar that holds it. The help
// folder is looked for beside a chosen folder first, then in the same places, and needs Index.html.
DataPlaces FindDataSet(const DataSearch& search);

// The window's message when no data set was found: what is missing, every place searched and how to
// name a folder.
QString NoDataSetMessage(const DataPlaces& places);

} // namespace vorelian
