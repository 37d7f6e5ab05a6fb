#include "rtf/writer.h"

#include "core/cp1251.h"

#include <algorithm>

namespace vorelian::rtf {
namespace {

constexpr Rgb kNavy = MakeRgb(0, 0, 128);
constexpr Rgb kRed = MakeRgb(255, 0, 0);

struct FontKey {
    QString name;
    bool fixed = false;
    bool operator==(const FontKey&) const = default;
};

void AppendNumber(QByteArray& out, const char* word, int value) {
    out.append(word).append(QByteArray::number(value)).append(' ');
}

// Text in Windows-1251 bytes, with the characters RTF gives a meaning escaped.
void AppendEscaped(QByteArray& out, QStringView text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out.append('\\').append(char(u));
        } else if (u == '\t') {
            out.append("\\tab ");
        } else if (u == kLineBreak) {
            out.append("\\line ");
        } else if (u < 0x20) {
            continue; // no other control character has a place in a run
        } else if (const int b = cp1251::ByteOf(c); b >= 0) {
            out.append(char(b));
        } else {
            out.append("\\u").append(QByteArray::number(int(int16_t(u)))).append('?');
        }
    }
}

class Writer {
public:
    explicit Writer(const Document& doc) : doc_(doc) {}
    QByteArray Write();

private:
    int FontIndex(const CharFormat& f);
    int ColorIndex(Rgb c);
    void Switch(const CharFormat& f);

    const Document& doc_;
    std::vector<FontKey> fonts_;
    std::vector<Rgb> colors_{kAutoColor, kNavy, kRed};

    // What the body has switched on so far.
    int font_ = 0, size_ = 24, color_ = 0;
    bool bold_ = false, italic_ = false, underline_ = false;
    QByteArray body_;
};

int Writer::FontIndex(const CharFormat& f) {
    FontKey key{f.FontName, f.FixedPitch};
    if (key.name.isEmpty())
        key = f.FixedPitch ? fonts_[1] : fonts_[0];
    auto it = std::find(fonts_.begin(), fonts_.end(), key);
    if (it != fonts_.end())
        return int(it - fonts_.begin());
    fonts_.push_back(key);
    return int(fonts_.size()) - 1;
}

int Writer::ColorIndex(Rgb c) {
    if (c == kAutoColor)
        return 0;
    c |= 0xFF000000u;
    auto it = std::find(colors_.begin() + 1, colors_.end(), c);
    if (it != colors_.end())
        return int(it - colors_.begin());
    colors_.push_back(c);
    return int(colors_.size()) - 1;
}

// Switches on what changes between the last run and this one, in the order our reports write them.
void Writer::Switch(const CharFormat& f) {
    if (f.Bold != bold_)
        body_.append(f.Bold ? "\\b " : "\\b0 "), bold_ = f.Bold;
    if (f.Italic != italic_)
        body_.append(f.Italic ? "\\i " : "\\i0 "), italic_ = f.Italic;
    if (f.Underline != underline_)
        body_.append(f.Underline ? "\\ul " : "\\ulnone "), underline_ = f.Underline;
    const int size = std::clamp(f.HalfPoints, 1, 3276);
    if (size != size_)
        AppendNumber(body_, "\\fs", size), size_ = size;
    if (const int c = ColorIndex(f.Color); c != color_)
        AppendNumber(body_, "\\cf", c), color_ = c;
    if (const int font = FontIndex(f); font != font_)
        AppendNumber(body_, "\\f", font), font_ = font;
}

QByteArray Writer::Write() {
    QString textFont;
    for (const Paragraph& p : doc_.Paragraphs)
        for (const Run& r : p.Runs)
            if (textFont.isEmpty() && !r.Format.FixedPitch)
                textFont = r.Format.FontName;
    fonts_ = {FontKey{textFont.isEmpty() ? QString::fromLatin1(kFallbackFontName) : textFont, false},
              FontKey{QStringLiteral("Courier New"), true}};
    for (const Paragraph& p : doc_.Paragraphs)
        if (!p.Runs.empty()) {
            size_ = std::clamp(p.Runs.front().Format.HalfPoints, 1, 3276);
            break;
        }
    const int firstSize = size_;

    body_.reserve(doc_.Length() + doc_.Length() / 4 + 64);
    for (std::size_t i = 0; i < doc_.Paragraphs.size(); ++i) {
        if (i > 0)
            body_.append("\\par\r\n");
        for (const Run& r : doc_.Paragraphs[i].Runs) {
            Switch(r.Format);
            AppendEscaped(body_, r.Text);
        }
    }

    QByteArray out;
    out.reserve(body_.size() + 512);
    out.append("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl");
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        out.append("{\\f").append(QByteArray::number(qsizetype(i)));
        out.append(fonts_[i].fixed ? "\\fmodern\\fprq1" : "\\fswiss\\fprq2").append("\\fcharset204 ");
        QString name = fonts_[i].name;
        name.replace(u';', u' '); // the semicolon ends the entry
        AppendEscaped(out, name);
        out.append(";}");
    }
    out.append("}\r\n{\\colortbl ;");
    for (std::size_t i = 1; i < colors_.size(); ++i) {
        const Rgb c = colors_[i];
        out.append("\\red").append(QByteArray::number((c >> 16) & 0xFF));
        out.append("\\green").append(QByteArray::number((c >> 8) & 0xFF));
        out.append("\\blue").append(QByteArray::number(c & 0xFF)).append(';');
    }
    out.append("}\r\n\\viewkind4\\uc1\\pard\\f0\\fs").append(QByteArray::number(firstSize)).append("\r\n");
    out.append(body_).append('}');
    return out;
}

QString Flatten(const Document& document, QStringView paragraphEnd) {
    QString out;
    out.reserve(document.Length() + qsizetype(document.Paragraphs.size()));
    for (std::size_t i = 0; i < document.Paragraphs.size(); ++i) {
        if (i > 0)
            out.append(paragraphEnd);
        for (const Run& r : document.Paragraphs[i].Runs)
            for (QChar c : r.Text)
                if (c == QChar(kLineBreak))
                    out.append(paragraphEnd);
                else
                    out.append(c);
    }
    return out;
}

} // namespace

QByteArray WriteRtf(const Document& document) {
    return Writer(document).Write();
}

QString PlainText(const Document& document) {
    return Flatten(document, u"\n");
}

QByteArray PlainTextForFile(const Document& document) {
    return cp1251::Encode(Flatten(document, u"\r\n"));
}

QByteArray PlainTextForTerminal(const Document& document) {
    return Flatten(document, u"\n").toUtf8();
}

} // namespace vorelian::rtf
