#include "report/dialect.h"

#include "core/tables.h"

#include "core/cp1251.h"
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

ReportWriter::ReportWriter(ReportHost* host, int tab, const QString& path) : host_(host), tab_(tab) {
    if (!path.isEmpty()) {
        file_.setFileName(path);
        fileOk_ = file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
}

ReportWriter::~ReportWriter() {
    if (file_.isOpen())
        file_.close();
}

void ReportWriter::Write(QStringView piece) {
    const qsizetype start = bytes_.size();
    bytes_ += EncodeReport(piece);
    bytes_ += "\r\n";
    if (fileOk_) {
        const QByteArrayView added(bytes_.constData() + start, bytes_.size() - start);
        fileOk_ = file_.write(added.data(), added.size()) == added.size();
    }
}

void ReportWriter::Finish() {
    if (finished_)
        return;
    finished_ = true;
    if (file_.isOpen()) {
        if (fileOk_)
            fileOk_ = file_.flush();
        file_.close();
        fileOk_ = fileOk_ && file_.error() == QFileDevice::NoError;
    }
    if (host_)
        host_->ShowReport(tab_, fileOk_ ? file_.fileName() : QString(), bytes_);
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
