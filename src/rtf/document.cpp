#include "rtf/document.h"

#include <algorithm>

namespace vorelian::rtf {

qsizetype Paragraph::Length() const {
    qsizetype n = 0;
    for (const Run& r : Runs)
        n += r.Text.size();
    return n;
}

qsizetype Document::Length() const {
    if (Paragraphs.empty())
        return 0;
    qsizetype n = qsizetype(Paragraphs.size()) - 1; // the paragraph ends
    for (const Paragraph& p : Paragraphs)
        n += p.Length();
    return n;
}

void AppendText(Paragraph& paragraph, QStringView text, const CharFormat& format) {
    if (text.isEmpty())
        return;
    if (!paragraph.Runs.empty() && paragraph.Runs.back().Format == format)
        paragraph.Runs.back().Text.append(text);
    else
        paragraph.Runs.push_back(Run{text.toString(), format});
}

void Normalize(Document& document) {
    for (Paragraph& p : document.Paragraphs) {
        Paragraph joined;
        for (Run& r : p.Runs)
            AppendText(joined, r.Text, r.Format);
        p = std::move(joined);
    }
    if (document.Paragraphs.empty())
        document.Paragraphs.emplace_back();
}

Document Slice(const Document& document, qsizetype from, qsizetype to) {
    Document out;
    out.Paragraphs.clear();
    const qsizetype length = document.Length();
    from = std::clamp<qsizetype>(from, 0, length);
    to = std::clamp<qsizetype>(to, from, length);

    qsizetype pos = 0; // position of the current paragraph's first character
    for (const Paragraph& p : document.Paragraphs) {
        const qsizetype end = pos + p.Length(); // position of this paragraph's end
        if (end >= from && pos <= to) {
            Paragraph part;
            qsizetype at = pos;
            for (const Run& r : p.Runs) {
                const qsizetype a = std::max(from, at), b = std::min(to, at + r.Text.size());
                if (a < b)
                    AppendText(part, QStringView(r.Text).mid(a - at, b - a), r.Format);
                at += r.Text.size();
            }
            out.Paragraphs.push_back(std::move(part));
        }
        if (end >= to)
            break;
        pos = end + 1;
    }
    if (out.Paragraphs.empty())
        out.Paragraphs.emplace_back();
    return out;
}

} // namespace vorelian::rtf
