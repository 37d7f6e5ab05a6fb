// The text of a PDF file as poppler's pdftotext reads it, for the tests that print into PDF files.
#pragma once

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

namespace testing_pdf {

// Null when the tool is missing.
inline QString PdfText(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QString();
    QProcess p;
    p.start(tool, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A word of a PDF page where pdftotext found it: left and top edges in points.
struct PdfWord {
    QString Text;
    double Left = 0, Top = 0;
};

// The words of a PDF in reading order; empty when the tool is missing or failed.
inline QList<PdfWord> PdfWords(const QString& path) {
    QList<PdfWord> words;
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return words;
    QProcess p;
    p.start(tool, {QStringLiteral("-bbox"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                   QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return words;
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    for (auto m = word.globalMatch(html); m.hasNext();) {
        const auto hit = m.next();
        words.append(PdfWord{hit.captured(3), hit.captured(1).toDouble(), hit.captured(2).toDouble()});
    }
    return words;
}

} // namespace testing_pdf
