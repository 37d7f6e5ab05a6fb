#include "report/dialect.h"

#include "core/tables.h"

#include "core/cp1251.h"
#include "engine/daycompute.h"
#include "report/report.h"

namespace vorelian {

QString HeadingBlock(QStringView title) {
    QString s;
    s += dialect::Navy;
    s += dialect::Par;
    s += dialect::Blank;
    s += title;
    s += dialect::Par;
    s += dialect::Separator;
    s += dialect::Par;
    return s;
}

QString YearTitle(int16_t year, int16_t style) {
    return QString::number(year) + QStringLiteral(" год") + StyleNames[style];
}

QString ReportHeader(const Settings& options) {
    QString h;
    h.reserve(320);
    h += u"{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset204 ";
    h += EscapeRtfText(options.FontName);
    h += u";}{\\f1\\fmodern\\fprq1\\fcharset204 Courier New;}}\r\n"
         u"{\\colortbl ;\\red0\\green0\\blue128;\\red255\\green0\\blue0;}\r\n"
         u"\\viewkind4\\uc1\\pard\\f0\\fs";
    h += QString::number(2 * int(options.FontSize));
    h += u"\r\n";
    if (options.FontBold)
        h += dialect::Bold;
    if (options.FontItalic)
        h += dialect::Italic;
    return h;
}

QString EscapeRtfText(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\\' || c == u'{' || c == u'}')
            out += u'\\';
        out += c;
    }
    return out;
}

QByteArray EncodeReport(QStringView text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int b = cp1251::ByteOf(c);
        if (b >= 0) {
            out += static_cast<char>(b);
            continue;
        }
        // RTF numbers are signed 16-bit: code units above 32767 are written negative. A character outside
        // the basic plane goes as its two surrogates, each with its own fallback.
        const int n = c.unicode() > 32767 ? int(c.unicode()) - 65536 : int(c.unicode());
        out += "\\u";
        out += QByteArray::number(n);
        out += '?';
    }
    return out;
}

QString RankMarker(QStringView text) {
    QStringView mark = u"\\f1  \u00B7 \\f0  ";
    switch (RankOf(text)) {
    case Rank::Great:
        mark = u"\\f1 (+)\\f0  ";
        break;
    case Rank::Vigil:
        mark = u"\\f1  +)\\f0  ";
        break;
    case Rank::Polyeleos:
        mark = u"\\f1  + \\f0  ";
        break;
    case Rank::Doxology:
        mark = u"\\f1  c \\f0  ";
        break;
    case Rank::Six:
        mark = u"\\f1  \u0448 \\f0  ";
        break;
    case Rank::None:
        break;
    }
    QStringView rest = text;
    if (RankOf(text) != Rank::None) {
        rest = text.sliced(3);
        while (!rest.isEmpty() && (rest.front() == u' ' || rest.front() == u'\t'))
            rest = rest.sliced(1);
    }
    QString out = mark.toString();
    out += rest;
    return out;
}

void ReportWriter::Write(QStringView piece) {
    bytes_ += EncodeReport(piece);
    bytes_ += "\r\n";
}

BusyGuard::BusyGuard(ReportHost* host) : host_(host) {
    if (host_)
        host_->SetBusy(true);
}

BusyGuard::~BusyGuard() {
    if (host_)
        host_->SetBusy(false);
}

} // namespace vorelian
