#include "rtf/reader.h"

#include "core/cp1251.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <string_view>

namespace vorelian::rtf {
namespace {

// ---- Code pages of \'hh and of raw bytes above 0x7F ----

using ByteTable = std::array<char16_t, 256>;

const ByteTable& Cp1251Table() {
    static const ByteTable table = [] {
        ByteTable t{};
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            t[b] = cp1251::Decode(QByteArrayView(&byte, 1)).at(0).unicode();
        }
        return t;
    }();
    return table;
}

const ByteTable& Latin1Table() {
    static const ByteTable table = [] {
        ByteTable t{};
        for (int b = 0; b < 256; ++b)
            t[b] = char16_t(b);
        return t;
    }();
    return table;
}

const ByteTable& Cp1252Table() {
    static const ByteTable table = [] {
        static constexpr char16_t k80[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                             0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
        ByteTable t = Latin1Table();
        std::copy(std::begin(k80), std::end(k80), t.begin() + 0x80);
        return t;
    }();
    return table;
}

// Code pages we hold a table for; any other single-byte page reads as Latin-1, which keeps ASCII intact.
const ByteTable* TableOfCodePage(int codePage) {
    switch (codePage) {
    case 1251:
        return &Cp1251Table();
    case 1252:
        return &Cp1252Table();
    default:
        return &Latin1Table();
    }
}

// \fcharsetN: the code page of a font's character set, or 0 for "the document's own".
int CodePageOfCharset(int charset) {
    switch (charset) {
    case 204:
        return 1251;
    case 0:
    case 1:
        return 0;
    default:
        return -1; // a page we do not hold: Latin-1
    }
}

// ---- Control words ----

enum class Dest : uint8_t { Text, Skip, FontTable, ColorTable };

// Destinations whose text is not part of the document.
bool IsSkippedDestination(std::string_view w) {
    // clang-format off
    static constexpr std::string_view kSkipped[] = {
        "annotation", "atnauthor", "atnid",      "atnref",    "atntime",   "author",    "bkmkend",
        "bkmkstart",  "buptim",    "colorschememapping",      "comment",   "company",   "creatim",
        "datastore",  "docvar",    "doccomm",    "filetbl",   "fldinst",   "footer",    "footerf",
        "footerl",    "footerr",   "footnote",   "generator", "header",    "headerf",   "headerl",
        "headerr",    "info",      "keywords",   "latentstyles",          "listoverridetable",
        "listtable",  "nonshppict", "object",    "objdata",   "operator",  "pgdsctbl",  "pict",
        "printim",    "private",   "revtbl",     "revtim",    "rsidtbl",   "rxe",       "stylesheet",
        "subject",    "tc",        "themedata",  "title",     "txe",       "userprops", "xe",
        "xmlnstbl"};
    // clang-format on
    return std::find(std::begin(kSkipped), std::end(kSkipped), w) != std::end(kSkipped);
}

struct GroupState {
    int font = -1; // font number; -1 is the document's default font (\deff)
    int color = 0; // colour table index
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hidden = false;
    uint8_t uc = 1; // bytes that stand in for each \uN
    Dest dest = Dest::Text;
};

struct FontDef {
    QString name;
    bool fixed = false;
    const ByteTable* table = nullptr; // nullptr: the document's code page
};

class Reader {
public:
    Reader(QByteArrayView bytes, const ReadLimits& limits) : in_(bytes), limits_(limits) {
        stack_.reserve(64);
        stack_.push_back(GroupState{});
        doc_.Paragraphs.reserve(std::min<qsizetype>(bytes.size() / 64 + 1, 1 << 16));
    }

    Document Read();

private:
    GroupState& St() { return stack_.back(); }

    void OpenGroup();
    bool CloseGroup(); // false once the outermost group has closed
    void ControlWord(std::string_view word, bool hasParam, int param);
    void ControlSymbol(char c);
    void EmitByte(unsigned char b);
    void Emit(char16_t c);
    void EndParagraph();
    void UpdateFormat();
    void MarkDirty() { dirty_ = true; }

    // Font table
    void BeginFont(int number);
    void CommitFont();

    QByteArrayView in_;
    ReadLimits limits_;
    std::vector<GroupState> stack_;
    int overflow_ = 0; // groups opened beyond MaxDepth, not yet closed
    bool sawRoot_ = false;
    int ucSkip_ = 0; // stand-in bytes still to skip after a \uN

    const ByteTable* docTable_ = &Cp1252Table();
    int deff_ = 0;
    QHash<int, FontDef> fonts_;
    std::vector<Rgb> colors_;

    // The font table entry being read.
    bool fontOpen_ = false;
    int fontNumber_ = 0;
    FontDef font_;
    int fontPitch_ = 0;
    bool fontModern_ = false;

    // The colour table entry being read.
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;

    Document doc_;
    qsizetype kept_ = 0;
    bool full_ = false;    // MaxText reached
    bool dirty_ = true;    // the group state changed since the format was last derived
    bool runOpen_ = false; // the last run of the last paragraph has the current format
    CharFormat format_;
    const ByteTable* textTable_ = nullptr;
};

void Reader::OpenGroup() {
    ucSkip_ = 0;
    if (int(stack_.size()) > limits_.MaxDepth) {
        ++overflow_;
        return;
    }
    stack_.push_back(stack_.back());
    if (stack_.size() == 2)
        sawRoot_ = true;
}

bool Reader::CloseGroup() {
    ucSkip_ = 0;
    if (overflow_ > 0) {
        --overflow_;
        return true;
    }
    if (stack_.size() <= 1)
        return !sawRoot_; // a stray closing brace before any group
    if (St().dest == Dest::FontTable && fontOpen_)
        CommitFont(); // an entry without its closing semicolon
    stack_.pop_back();
    dirty_ = true;
    return stack_.size() > 1;
}

void Reader::BeginFont(int number) {
    if (fontOpen_)
        CommitFont();
    fontOpen_ = true;
    fontNumber_ = number;
    font_ = FontDef{};
    fontPitch_ = 0;
    fontModern_ = false;
}

void Reader::CommitFont() {
    fontOpen_ = false;
    font_.name = font_.name.trimmed();
    font_.fixed = fontPitch_ == 1 || (fontPitch_ == 0 && fontModern_);
    if (fonts_.size() < limits_.MaxTableEntries || fonts_.contains(fontNumber_))
        fonts_.insert(fontNumber_, font_);
    dirty_ = true;
}

void Reader::ControlWord(std::string_view w, bool hasParam, int param) {
    GroupState& s = St();
    const bool on = !hasParam || param != 0;
    if (s.dest == Dest::FontTable && w != "u" && w != "uc") { // a font name may hold \uN
        if (w == "f")
            BeginFont(param);
        else if (w == "fcharset") {
            const int cp = CodePageOfCharset(param);
            font_.table = cp == 0 ? nullptr : TableOfCodePage(cp);
        } else if (w == "fprq")
            fontPitch_ = param;
        else if (w == "fmodern")
            fontModern_ = true;
        return;
    }
    if (s.dest == Dest::ColorTable) {
        const int v = std::clamp(param, 0, 255);
        if (w == "red")
            red_ = v, colorSet_ = true;
        else if (w == "green")
            green_ = v, colorSet_ = true;
        else if (w == "blue")
            blue_ = v, colorSet_ = true;
        return;
    }

    if (w == "par" || w == "sect" || w == "row")
        EndParagraph();
    else if (w == "tab" || w == "cell" || w == "nestcell")
        Emit(u'\t');
    else if (w == "line")
        Emit(kLineBreak);
    else if (w == "u") {
        if (!hasParam)
            return;
        const int v = param < 0 ? param + 65536 : param;
        if (v >= 0 && v <= 0xFFFF)
            Emit(char16_t(v));
        ucSkip_ = s.uc;
    } else if (w == "uc")
        s.uc = uint8_t(std::clamp(param, 0, 16));
    else if (w == "b")
        s.bold = on, MarkDirty();
    else if (w == "i")
        s.italic = on, MarkDirty();
    else if (w == "ulnone")
        s.underline = false, MarkDirty();
    else if (w.substr(0, 2) == "ul" && w != "ulc")
        s.underline = on, MarkDirty();
    else if (w == "v")
        s.hidden = on;
    else if (w == "plain") {
        s.font = -1, s.color = 0, s.halfPoints = 24;
        s.bold = s.italic = s.underline = s.hidden = false;
        MarkDirty();
    } else if (w == "f")
        s.font = param, MarkDirty();
    else if (w == "fs") {
        if (hasParam && param > 0)
            s.halfPoints = std::min(param, 3276), MarkDirty();
    } else if (w == "cf")
        s.color = param, MarkDirty();
    else if (w == "fonttbl")
        s.dest = Dest::FontTable;
    else if (w == "colortbl")
        s.dest = Dest::ColorTable;
    else if (w == "deff")
        deff_ = param, MarkDirty();
    else if (w == "ansicpg")
        docTable_ = TableOfCodePage(param), MarkDirty();
    else if (w == "ansi")
        docTable_ = &Cp1252Table(), MarkDirty();
    else if (w == "mac" || w == "pc" || w == "pca")
        docTable_ = &Latin1Table(), MarkDirty();
    else if (w == "emdash")
        Emit(u'\u2014');
    else if (w == "endash")
        Emit(u'\u2013');
    else if (w == "bullet")
        Emit(u'\u2022');
    else if (w == "lquote")
        Emit(u'\u2018');
    else if (w == "rquote")
        Emit(u'\u2019');
    else if (w == "ldblquote")
        Emit(u'\u201C');
    else if (w == "rdblquote")
        Emit(u'\u201D');
    else if (w == "emspace")
        Emit(u'\u2003');
    else if (w == "enspace")
        Emit(u'\u2002');
    else if (w == "qmspace")
        Emit(u'\u2005');
    else if (IsSkippedDestination(w))
        s.dest = Dest::Skip;
}

void Reader::ControlSymbol(char c) {
    switch (c) {
    case '\\':
    case '{':
    case '}':
        Emit(char16_t(c));
        break;
    case '~':
        Emit(u'\u00A0');
        break;
    case '_':
        Emit(u'\u2011');
        break;
    case '*':
        St().dest = Dest::Skip; // an optional destination: none of them is ours to show
        break;
    case '\r':
    case '\n':
        EndParagraph();
        break;
    default:
        break; // \- (optional hyphen), \| , \: and the like show nothing
    }
}

void Reader::UpdateFormat() {
    dirty_ = false;
    const GroupState& s = St();
    CharFormat f;
    const auto it = fonts_.constFind(s.font < 0 ? deff_ : s.font);
    const FontDef* font = it == fonts_.constEnd() ? nullptr : &it.value();
    if (font) {
        f.FontName = font->name;
        f.FixedPitch = font->fixed;
    }
    textTable_ = font && font->table ? font->table : docTable_;
    if (s.color >= 0 && s.color < int(colors_.size()))
        f.Color = colors_[s.color];
    f.Bold = s.bold;
    f.Italic = s.italic;
    f.Underline = s.underline;
    f.HalfPoints = s.halfPoints;
    if (!(f == format_)) {
        format_ = std::move(f);
        const auto& runs = doc_.Paragraphs.back().Runs;
        runOpen_ = !runs.empty() && runs.back().Format == format_;
    }
}

void Reader::EmitByte(unsigned char b) {
    const GroupState& s = St();
    if (s.dest == Dest::FontTable) {
        Emit((font_.table ? *font_.table : *docTable_)[b]);
        return;
    }
    if (dirty_ || !textTable_)
        UpdateFormat();
    Emit((*textTable_)[b]);
}

void Reader::Emit(char16_t c) {
    GroupState& s = St();
    switch (s.dest) {
    case Dest::Skip:
        return;
    case Dest::FontTable:
        if (c == u';') {
            if (fontOpen_)
                CommitFont();
        } else if (fontOpen_ && font_.name.size() < 256 && c >= 0x20) { // names are short
            font_.name.append(QChar(c));
        }
        return;
    case Dest::ColorTable:
        if (c == u';') {
            if (int(colors_.size()) < limits_.MaxTableEntries)
                colors_.push_back(colorSet_ ? MakeRgb(red_, green_, blue_) : kAutoColor);
            red_ = green_ = blue_ = 0;
            colorSet_ = false;
            dirty_ = true;
        }
        return;
    case Dest::Text:
        break;
    }
    if (s.hidden || full_)
        return;
    if ((c < 0x20 && c != u'\t') || c == 0x2029)
        return; // paragraph ends come only from \par; other controls have nothing to show
    if (++kept_ > limits_.MaxText) {
        full_ = true;
        return;
    }
    if (dirty_)
        UpdateFormat();
    auto& runs = doc_.Paragraphs.back().Runs;
    if (!runOpen_) {
        runs.push_back(Run{QString(), format_});
        runOpen_ = true;
    }
    runs.back().Text.append(QChar(c));
}

void Reader::EndParagraph() {
    const GroupState& s = St();
    if (s.dest != Dest::Text || s.hidden || full_)
        return;
    if (++kept_ > limits_.MaxText) {
        full_ = true;
        return;
    }
    doc_.Paragraphs.emplace_back();
    runOpen_ = false;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Document Reader::Read() {
    const char* p = in_.data();
    const qsizetype n = in_.size();
    qsizetype i = 0;
    while (i < n && !full_) {
        const char c = p[i];
        if (c == '{') {
            OpenGroup();
            ++i;
        } else if (c == '}') {
            ++i;
            if (!CloseGroup())
                break;
        } else if (c == '\\') {
            if (++i >= n)
                break;
            if (IsLetter(p[i])) {
                const qsizetype start = i;
                while (i < n && IsLetter(p[i]))
                    ++i;
                // Words are at most 32 letters; a longer one is no word we know.
                const std::string_view word(p + start, std::min<qsizetype>(i - start, 32));
                bool negative = false, hasParam = false;
                int64_t value = 0;
                if (i + 1 < n && p[i] == '-' && IsDigit(p[i + 1]))
                    negative = true, ++i;
                while (i < n && IsDigit(p[i])) {
                    hasParam = true;
                    value = std::min<int64_t>(value * 10 + (p[i] - '0'), int64_t(1) << 31);
                    ++i;
                }
                if (i < n && p[i] == ' ')
                    ++i;
                if (negative)
                    value = -value;
                const int param = int(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
                if (word == "bin" && ucSkip_ == 0) { // binary data: its bytes are not RTF
                    i += std::clamp<qsizetype>(param, 0, n - i);
                    continue;
                }
                if (ucSkip_ > 0)
                    --ucSkip_;
                else
                    ControlWord(word, hasParam, param);
            } else if (p[i] == '\'') {
                ++i;
                const int hi = i < n ? HexValue(p[i]) : -1;
                const int lo = hi >= 0 && i + 1 < n ? HexValue(p[i + 1]) : -1;
                i += (hi >= 0) + (lo >= 0);
                if (lo < 0)
                    continue; // a broken escape shows nothing
                if (ucSkip_ > 0)
                    --ucSkip_;
                else
                    EmitByte(static_cast<unsigned char>(hi * 16 + lo));
            } else {
                const char sym = p[i++];
                if (ucSkip_ > 0)
                    --ucSkip_;
                else
                    ControlSymbol(sym);
            }
        } else {
            ++i;
            if (c == '\r' || c == '\n')
                continue; // line ends in RTF source carry no meaning
            if (ucSkip_ > 0)
                --ucSkip_;
            else
                EmitByte(static_cast<unsigned char>(c));
        }
    }
    if (fontOpen_)
        CommitFont();

    // Lone halves of surrogate pairs (a broken \uN sequence) become the replacement character.
    for (Paragraph& para : doc_.Paragraphs)
        for (rtf::Run& r : para.Runs) {
            QChar* t = r.Text.data();
            const qsizetype len = r.Text.size();
            for (qsizetype k = 0; k < len; ++k) {
                if (t[k].isHighSurrogate() && k + 1 < len && t[k + 1].isLowSurrogate())
                    ++k;
                else if (t[k].isSurrogate())
                    t[k] = QChar(QChar::ReplacementCharacter);
            }
        }
    doc_.Paragraphs.shrink_to_fit();
    return std::move(doc_);
}

} // namespace

bool LooksLikeRtf(QByteArrayView bytes) {
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf");
}

Document ReadRtf(QByteArrayView bytes, const ReadLimits& limits) {
    return Reader(bytes, limits).Read();
}

Document ReadPlainText(QByteArrayView bytes, const ReadLimits& limits) {
    Document doc;
    const ByteTable& table = Cp1251Table();
    qsizetype kept = 0;
    CharFormat format;
    for (qsizetype i = 0; i < bytes.size() && kept < limits.MaxText; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\r' || b == '\n') {
            if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            doc.Paragraphs.emplace_back();
            ++kept;
        } else if (b >= 0x20 || b == '\t') {
            const QChar ch(table[b]);
            AppendText(doc.Paragraphs.back(), QStringView(&ch, 1), format);
            ++kept;
        }
    }
    return doc;
}

Document ReadDocument(QByteArrayView bytes, const ReadLimits& limits) {
    return LooksLikeRtf(bytes) ? ReadRtf(bytes, limits) : ReadPlainText(bytes, limits);
}

} // namespace vorelian::rtf
