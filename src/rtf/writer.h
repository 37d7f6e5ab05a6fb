// Writing the document model, or a part of it, as RTF in Windows-1251, in the header style of our report
// files: font 0 is the document's text font and font 1 Courier New, both of character set 204, and the
// colour table starts with navy and red. Further fonts and colours follow when the document uses them.
// Characters outside Windows-1251 are written as \uN with "?" for readers that do not know it, and
// backslashes and braces of the text are escaped, so whatever the model holds reads back unchanged.
#pragma once

#include "rtf/document.h"

#include <QByteArray>

namespace vorelian::rtf {

// The text font when no run names one.
inline constexpr char kFallbackFontName[] = "Arial";

QByteArray WriteRtf(const Document& document);

// Plain text with one character per position of the document: paragraphs joined by LF, and a line
// break inside a paragraph written as LF too.
QString PlainText(const Document& document);

// Plain text for a file: paragraphs joined by CR LF, in Windows-1251 ("?" for what it cannot hold).
QByteArray PlainTextForFile(const Document& document);

// Plain text for a terminal: paragraphs joined by LF, in UTF-8.
QByteArray PlainTextForTerminal(const Document& document);

} // namespace vorelian::rtf
