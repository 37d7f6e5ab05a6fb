// The text of a PDF file as poppler's pdftotext reads it, for the tests that print into PDF files.
#pragma once

#include <QProcess>
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

} // namespace testing_pdf
