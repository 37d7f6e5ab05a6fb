// The report dialect: the small, fixed RTF that every generated report is written in (a header with the
// report font and Courier New, navy and red, paragraph ends, the separator line and the marker column),
// and the writer that composes a document's bytes in Windows-1251.
#pragma once

#include "core/markup.h"
#include "core/settings.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace vorelian {

class ReportHost;

// The report header for the font settings: font and colour tables, the font size, then bold and italic.
QString ReportHeader(const Settings& options);

// A heading paragraph under an empty line, with the separator after it: "\cf1 ", an empty line, the blank
// marker and the title, then the line of full stops. Month, year and feast headings all take this form.
QString HeadingBlock(QStringView title);

// "2026 год от Р.Х. по новому стилю": the title of a report about a whole year of a style.
QString YearTitle(int16_t year, int16_t style);

// One stored text of groups 0..3 with the rank mark of its tag ("{1}".."{6}", except "{4}"; the tag and
// the blanks after it give way to the mark) in front, or the mark of untagged texts. Marks are set in the
// fixed-pitch font 1 so that the texts line up.
QString RankMarker(QStringView text);

// A typed text made safe to stand in a report: backslash and braces escaped.
QString EscapeRtfText(QStringView text);

// Report text to the bytes of the report file: Windows-1251, and a character the code page cannot hold
// as \uN followed by "?" (the header's \uc1 tells a reader to skip that one fallback character).
QByteArray EncodeReport(QStringView text);

// Composes one report document: every piece is followed by CR LF and encoded as the report files are.
class ReportWriter {
public:
    void Write(QStringView piece);
    const QByteArray& Document() const { return bytes_; }

private:
    QByteArray bytes_;
};

// The busy pointer for as long as the guard lives.
class BusyGuard {
public:
    explicit BusyGuard(ReportHost* host);
    ~BusyGuard();
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    ReportHost* host_;
};

} // namespace vorelian
