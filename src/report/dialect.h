// The report dialect: the small, fixed RTF that every generated report is written in (a header with the
// report font and Courier New, navy and red, paragraph ends, the separator line and the marker column),
// and the writer that puts a report into its temporary file in Windows-1251 and hands it to the host.
#pragma once

#include "core/markup.h"
#include "core/settings.h"

#include <QByteArray>
#include <QFile>
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

// A typed text made safe to stand in a report: backslash and braces escaped.
QString EscapeRtfText(QStringView text);

// Report text to the bytes of the report file: Windows-1251, and a character the code page cannot hold
// as \uN followed by "?" (the header's \uc1 tells a reader to skip that one fallback character).
QByteArray EncodeReport(QStringView text);

// Writes one report: every piece is followed by CR LF, goes to the tab's temporary file and is kept in
// memory too, so that a file that cannot be opened or written still leaves a document to show.
class ReportWriter {
public:
    ReportWriter(ReportHost* host, int tab, const QString& path);
    ~ReportWriter();
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    void Write(QStringView piece);
    // Closes the file and asks the host to show the document (with an empty path when the file failed).
    void Finish();

    const QByteArray& Document() const { return bytes_; }

private:
    ReportHost* host_;
    int tab_;
    QFile file_;
    bool fileOk_ = false;
    bool finished_ = false;
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
