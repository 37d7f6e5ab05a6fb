// The six temporary report files, one per report tab 0..5, created empty at start-up in the system's
// temporary folder and deleted at exit.
#pragma once

#include <QString>

#include <array>

namespace vorelian {

struct TempFiles {
    std::array<QString, 6> Paths; // empty when a file could not be created
};

// Creates a new empty file "~DA" + four hexadecimal digits + ".TMP" in `folder`, exclusively (a name
// already taken tries the next); returns its full path, or "" when none could be created.
QString MakeTempFileName(const QString& folder);

// Creates the six files in the system's temporary folder. Until DeleteTempFiles, they are also removed
// when the process ends through exit() without its own exit sequence.
void CreateTempFiles(TempFiles& files);
// Deletes them, ignoring files that are already gone.
void DeleteTempFiles(TempFiles& files);

} // namespace vorelian
