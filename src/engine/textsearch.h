// Finding a text among the commemorations as a reader sees them: letter case ignored, the codes of a
// stored text never matched, whole words on request. The engine's search of a year and the selection
// report share these.
#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace vorelian {

// Lower case character by character, so that every position in the result is the same in the original.
QString LowerChars(QStringView text);

// Which characters of a stored entry text a reader sees: not control words or symbols (with their
// delimiting blank), not braces, not the marker column between \f1 and \f0 with the blank after it, and
// not a rank code at the very beginning. Matches are accepted only where every character is seen.
std::vector<bool> VisibleChars(QStringView text);

// The 1-based position of the first acceptable occurrence of `pattern` in `text` at or after `start`,
// or 0. With `wholeWord` the occurrence may not touch a Cyrillic letter on either side.
qsizetype FindText(qsizetype start, QStringView text, QStringView pattern, bool wholeWord);

} // namespace vorelian
