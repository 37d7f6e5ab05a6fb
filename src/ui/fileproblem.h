// Why a file could not be written, in the user's words: the common causes each get a sentence of their
// own; anything else says only that the writing failed. Save as and printing into a file both use it.
#pragma once

#include <QString>

namespace vorelian {

// The reason for `path`, from what the file system shows now and the system's error code of the failed
// call (0 when there is none): "name is a folder", "folder missing", "no permission", "disk full".
QString FileProblem(const QString& path, int systemError = 0);

} // namespace vorelian
