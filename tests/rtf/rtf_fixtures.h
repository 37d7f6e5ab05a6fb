// Small documents for the rtf and view tests: report files written the way the report builders write
// them (header, colour switches, the seven markers, separators), and the models they stand for.
#pragma once

#include "core/cp1251.h"
#include "rtf/document.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>

namespace fixtures {

using vorelian::rtf::CharFormat;
using vorelian::rtf::Document;
using vorelian::rtf::Paragraph;
using vorelian::rtf::Rgb;
using vorelian::rtf::Run;

inline constexpr Rgb kNavy = vorelian::rtf::MakeRgb(0, 0, 128);
inline constexpr Rgb kRed = vorelian::rtf::MakeRgb(255, 0, 0);

// The seven marker tokens of a report line, as written into report files.
inline const QString kBlank = QStringLiteral("\\f1    \\f0  ");
inline const QString kPlusCircle = QStringLiteral("\\f1 (+)\\f0  ");
inline const QString kPlusHalf = QStringLiteral("\\f1  +)\\f0  ");
inline const QString kPlus = QStringLiteral("\\f1  + \\f0  ");
inline const QString kSlav = QStringLiteral("\\f1  c \\f0  ");
inline const QString kSha = QStringLiteral("\\f1  ш \\f0  ");
inline const QString kDot = QStringLiteral("\\f1  · \\f0  ");
inline const QString kSeparator = QString(99, u'.');

// The report header for a font, size in points and the two style switches, with the CR LF that ends
// the first write of every report file.
inline QString ReportHeader(const QString& font, int size, bool bold, bool italic) {
    QString h =
        QStringLiteral("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fprq2"
                       "\\fcharset204 ") +
        font +
        QStringLiteral(";}{\\f1\\fmodern\\fprq1\\fcharset204 Courier New;}}\r\n{\\colortbl ;\\red0"
                       "\\green0\\blue128;\\red255\\green0\\blue0;}\r\n\\viewkind4\\uc1\\pard\\f0\\fs") +
        QString::number(size * 2) + QStringLiteral("\r\n");
    if (bold)
        h += QStringLiteral("\\b ");
    if (italic)
        h += QStringLiteral("\\i ");
    return h + QStringLiteral("\r\n");
}

inline QByteArray Bytes(const QString& text) {
    return vorelian::cp1251::Encode(text);
}

inline CharFormat Format(const QString& font, bool fixed, Rgb color, bool bold = false, bool italic = false,
                         int halfPoints = 20) {
    CharFormat f;
    f.FontName = font;
    f.FixedPitch = fixed;
    f.Color = color;
    f.Bold = bold;
    f.Italic = italic;
    f.HalfPoints = halfPoints;
    return f;
}

inline Paragraph P(std::initializer_list<Run> runs = {}) {
    return Paragraph{std::vector<Run>(runs)};
}

inline Document D(std::initializer_list<Paragraph> paragraphs) {
    Document d;
    d.Paragraphs.assign(paragraphs);
    return d;
}

// A short day report in the dialect: a navy day block with date lines, the weekday line, one entry for
// each marker, a separator, and a red heading as the main-feasts report writes it.
inline QString DayReportBody() {
    return QStringLiteral("\\cf1 ") + kBlank +
           QStringLiteral("1 января 2024 г. от Р.Х. по новому стилю\\par\r\n") + kBlank +
           QStringLiteral("Понедельник. Глас 4\\par\r\n") + QStringLiteral("\\par\r\n") + kPlusCircle +
           QStringLiteral("Обрезание Господне.\\par\r\n") + kPlusHalf +
           QStringLiteral("Свт. Василия Великого.\\par\r\n") + kPlus +
           QStringLiteral("Прп. Серафима.\\par\r\n") + kSlav + QStringLiteral("Мч. Петра.\\par\r\n") + kSha +
           QStringLiteral("Мц. Иустины.\\par\r\n") + kDot + QStringLiteral("{4}Прав. Иулиании.\\par\r\n") +
           kSeparator + QStringLiteral("\\par\r\n") + QStringLiteral("\\par\r\n") + kBlank +
           QStringLiteral("\\cf2 Великие праздники\\cf1 \\par\r\n") + kSeparator +
           QStringLiteral("\\par\r\n}");
}

// The model of DayReportBody under a header of `font`, size 10, with the given style switches.
inline Document DayReportModel(const QString& font, bool bold, bool italic) {
    const CharFormat body = Format(font, false, kNavy, bold, italic);
    const CharFormat mono = Format(QStringLiteral("Courier New"), true, kNavy, bold, italic);
    const CharFormat red = Format(font, false, kRed, bold, italic);
    auto line = [&](const QString& column, const QString& text) {
        return P({Run{column, mono}, Run{QStringLiteral(" ") + text, body}});
    };
    return D({
        line(QStringLiteral("   "), QStringLiteral("1 января 2024 г. от Р.Х. по новому стилю")),
        line(QStringLiteral("   "), QStringLiteral("Понедельник. Глас 4")),
        P(),
        line(QStringLiteral("(+)"), QStringLiteral("Обрезание Господне.")),
        line(QStringLiteral(" +)"), QStringLiteral("Свт. Василия Великого.")),
        line(QStringLiteral(" + "), QStringLiteral("Прп. Серафима.")),
        line(QStringLiteral(" c "), QStringLiteral("Мч. Петра.")),
        line(QStringLiteral(" ш "), QStringLiteral("Мц. Иустины.")),
        // An unescaped rank code such as {4} is a group to RTF: the braces do not show.
        line(QStringLiteral(" · "), QStringLiteral("4Прав. Иулиании.")),
        P({Run{kSeparator, body}}),
        P(),
        P({Run{QStringLiteral("   "), mono}, Run{QStringLiteral(" "), body},
           Run{QStringLiteral("Великие праздники"), red}}),
        P({Run{kSeparator, body}}),
        P(),
    });
}

} // namespace fixtures
