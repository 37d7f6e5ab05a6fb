// The rich-text document model shared by the RTF reader, the RTF writer, the plain-text export and the
// report view: paragraphs of runs, each run a piece of text in one character format. Plain data that
// compares with ==, so a test can spell out the document it expects.
//
// Paragraphs are separated by paragraph ends, the way the blocks of a text editor are: a document that
// ends with a paragraph end has an empty last paragraph, and a document always has at least one
// paragraph. Positions count the characters of the paragraphs with one more for each paragraph end, so
// they are the positions a text view shows (see PlainText).
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace vorelian::rtf {

// A colour as 0xAARRGGBB (the layout of QRgb, without linking QtGui). An explicit colour is opaque;
// 0 is the automatic colour, the viewer's ordinary text colour.
using Rgb = uint32_t;
inline constexpr Rgb kAutoColor = 0;
constexpr Rgb MakeRgb(int r, int g, int b) {
    return 0xFF000000u | (Rgb(r & 0xFF) << 16) | (Rgb(g & 0xFF) << 8) | Rgb(b & 0xFF);
}

// A line break inside a paragraph (RTF \line).
inline constexpr char16_t kLineBreak = 0x2028;

struct CharFormat {
    QString FontName; // empty: the viewer's default font
    bool FixedPitch = false;
    Rgb Color = kAutoColor;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int HalfPoints = 24; // font size in half-points, as RTF counts it: 24 is 12 pt

    bool operator==(const CharFormat&) const = default;
};

struct Run {
    QString Text; // never holds CR, LF or a paragraph separator
    CharFormat Format;

    bool operator==(const Run&) const = default;
};

struct Paragraph {
    std::vector<Run> Runs; // empty for an empty line

    qsizetype Length() const;
    bool operator==(const Paragraph&) const = default;
};

struct Document {
    std::vector<Paragraph> Paragraphs = std::vector<Paragraph>(1);

    // Characters plus one for each paragraph end: the last position of the document.
    qsizetype Length() const;
    bool operator==(const Document&) const = default;
};

// Appends text in a format to a paragraph, joining it to the last run when the format is the same.
void AppendText(Paragraph& paragraph, QStringView text, const CharFormat& format);

// Drops empty runs and joins neighbours of equal format; leaves at least one paragraph.
void Normalize(Document& document);

// The part of a document between two positions (clamped to the document), with its formats.
Document Slice(const Document& document, qsizetype from, qsizetype to);

} // namespace vorelian::rtf
