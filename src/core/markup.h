// The report markup every layer writes in: the small, fixed RTF vocabulary of the stored texts and of the
// reports (paragraph ends, colours, the marker column, the separator line). Defined here once, below the
// bases that store texts with it and the reports that write it.
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
