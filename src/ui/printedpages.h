// Reports on paper: the pages of a text document, each headed by a line with the report's name and days
// and the page's number.
#pragma once

#include <QString>

class QPrinter;
class QTextDocument;

namespace vorelian {

// Prints `document` on `printer`. The document is laid out with the screen's measures and the result
// scaled to the paper, so that the hanging indents of wrapped lines, which the window measures in screen
// pixels, keep their place beside the text as on screen. Text left in the desktop's colour prints black. The
// printer's page range is honoured. False when the printer reports an error.
bool PrintPages(QPrinter& printer, const QTextDocument& document, const QString& header);

} // namespace vorelian
