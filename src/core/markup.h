// The words of the report dialect that more than one layer writes: the record bases put the blank marker
// and the paragraph end into their texts, the reports write all of them. Written once, here, so that a
// text of a base and a line of a report always meet in the same markup.
#pragma once

#include <QStringView>

namespace vorelian::dialect {

inline constexpr QStringView Par = u"\\par\r\n";     // end of a paragraph
inline constexpr QStringView DocEnd = u"\\par\r\n}"; // end of the document
inline constexpr QStringView Navy = u"\\cf1 ";
inline constexpr QStringView Red = u"\\cf2 ";
inline constexpr QStringView Bold = u"\\b ";
inline constexpr QStringView Italic = u"\\i ";
// The marker of date lines, headings and group 4 texts: three blanks in the marker column.
inline constexpr QStringView Blank = u"\\f1    \\f0  ";
// 99 full stops.
inline constexpr QStringView Separator =
    u"...................................................................................................";

} // namespace vorelian::dialect
