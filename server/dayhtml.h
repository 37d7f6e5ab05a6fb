// The page of one day the service shows to a browser: a small HTML5 document made only from a DayInfo
// value and the dates of the links around it, so that it can be built and checked from hand-made values.
// Every text that comes from the data set is escaped: the data files are the user's to edit.
#pragma once

#include "engine/dayengine.h"
#include "engine/dayinfo.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringView>

namespace vorelian::server {

// The days the page links to, all Gregorian.
struct PageLinks {
    QDate Previous; // invalid: no link (the first day the service answers for)
    QDate Next;     // invalid: no link (the last day)
};

// Text with &, <, >, " and ' replaced by their character references.
QString EscapeHtml(QStringView text);

// "7 января 2027 г." for a date of a style, the month by its civil name in the genitive.
QString DateInWords(int16_t style, const DateParts& date);

// The whole page, UTF-8; the fasting line closes the commemorations when the options show it.
QByteArray DayPage(const DayInfo& day, const DayOptions& options, const PageLinks& links);

} // namespace vorelian::server
