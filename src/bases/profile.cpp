#include "profile.h"

#include "core/cp1251.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cmath>
#include <limits>

namespace vorelian {

Q_LOGGING_CATEGORY(lcProfile, "vorelian.bases.profile", QtWarningMsg)

// One pass over the bytes of a file, line by line.
class ProfileParser {
public:
    ProfileParser(Profile& out, const QString& fileName) : out_(out), fileName_(fileName) {}

    void Run(QByteArrayView bytes) {
        static constexpr char bom[] = "\xEF\xBB\xBF";
        const bool utf8 = bytes.startsWith(QByteArrayView(bom, 3));
        if (utf8)
            bytes = bytes.sliced(3);
        qsizetype pos = 0;
        int lineNo = 0;
        while (pos < bytes.size()) {
            ++lineNo;
            qsizetype end = bytes.indexOf('\n', pos);
            if (end < 0)
                end = bytes.size();
            QByteArrayView line = bytes.sliced(pos, end - pos);
            pos = end + 1;
            if (line.endsWith('\r'))
                line.chop(1);
            Line(line, lineNo, utf8);
        }
        if (out_.malformed_ > Profile::MaxReportedLines)
            qCWarning(lcProfile).noquote() << QStringLiteral("%1: %2 more malformed lines skipped")
                                                  .arg(fileName_)
                                                  .arg(out_.malformed_ - Profile::MaxReportedLines);
    }

private:
    Profile& out_;
    const QString& fileName_;
    // The section receiving entries: -1 before the first header, kBroken under a header that could not be
    // read, whose entries are dropped with it rather than added to the section before.
    static constexpr qsizetype kBroken = -2;
    qsizetype current_ = -1;

    void Skip(int lineNo, const char* reason) {
        if (current_ >= 0)
            out_.sections_[current_].Skipped.push_back(lineNo);
        if (++out_.malformed_ <= Profile::MaxReportedLines)
            qCWarning(lcProfile).noquote()
                << QStringLiteral("%1:%2: %3; line skipped").arg(fileName_).arg(lineNo).arg(QLatin1String(reason));
    }

    static bool HasControlBytes(QByteArrayView line) {
        for (char ch : line) {
            const auto b = static_cast<unsigned char>(ch);
            if ((b < 0x20 && b != '\t') || b == 0x7F)
                return true;
        }
        return false;
    }

    void Line(QByteArrayView raw, int lineNo, bool utf8) {
        if (raw.size() > Profile::MaxLineBytes)
            return Skip(lineNo, "line too long");
        if (HasControlBytes(raw))
            return Skip(lineNo, "control character");
        QString text;
        if (utf8) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            text = decoder(raw);
            if (decoder.hasError())
                return Skip(lineNo, "not valid UTF-8");
        } else {
            text = cp1251::Decode(raw);
        }
        const QStringView line = QStringView(text).trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            return;
        if (line.startsWith(u'['))
            return Header(line, lineNo);
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            return Skip(lineNo, "no \"=\" in entry");
        if (current_ == kBroken)
            return;
        if (current_ < 0)
            return Skip(lineNo, "entry outside any section");
        out_.sections_[current_].Entries.push_back(
            {line.first(eq).trimmed().toString(), line.sliced(eq + 1).trimmed().toString(), lineNo});
    }

    void Header(QStringView line, int lineNo) {
        const qsizetype close = line.indexOf(u']');
        if (close < 0) {
            current_ = kBroken;
            return Skip(lineNo, "section header without \"]\", its entries dropped too");
        }
        const QStringView name = line.sliced(1, close - 1).trimmed();
        const QString key = Profile::NameKey(name);
        const auto it = out_.index_.constFind(key);
        if (it != out_.index_.cend()) {
            current_ = *it;  // a repeated header continues its section
            return;
        }
        current_ = static_cast<qsizetype>(out_.sections_.size());
        out_.sections_.push_back({name.toString(), {}, {}});
        out_.index_.insert(key, current_);
    }
};

QString Profile::NameKey(QStringView name) { return name.trimmed().toString().toCaseFolded(); }

Profile Profile::Parse(QByteArrayView bytes, const QString& fileName) {
    Profile p;
    ProfileParser(p, fileName).Run(bytes);
    return p;
}

Profile Profile::Load(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return {};
    if (info.size() > MaxFileBytes) {
        qCWarning(lcProfile).noquote() << QStringLiteral("%1: file too large, read as empty").arg(path);
        return {};
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return Parse(f.readAll(), path);
}

const ProfileSection* Profile::Section(QStringView name) const {
    const auto it = index_.constFind(NameKey(name));
    return it == index_.cend() ? nullptr : &sections_[*it];
}

QString Profile::Value(QStringView section, QStringView key) const {
    const ProfileSection* s = Section(section);
    if (!s)
        return {};
    const QStringView k = key.trimmed();
    for (const ProfileEntry& e : s->Entries)
        if (e.Key.compare(k, Qt::CaseInsensitive) == 0)
            return e.Value;
    return {};
}

const Profile& ProfileCache::Get(const QString& path) {
    auto it = files_.find(path);
    if (it == files_.end())
        it = files_.emplace(path, Profile::Load(path)).first;
    return it->second;
}

QString ReadDataSection(ProfileCache& cache, QStringView section, const QString& file) {
    const ProfileSection* s = cache.Get(file).Section(section);
    if (!s)
        return {};
    qsizetype size = 0;
    for (const ProfileEntry& e : s->Entries)
        size += e.Key.size() + e.Value.size() + 2;
    QString out;
    out.reserve(size);
    for (const ProfileEntry& e : s->Entries) {
        out += e.Key;
        out += u'=';
        out += e.Value;
        out += QChar(u'\0');
    }
    return out;
}

QString ReadDataKey(ProfileCache& cache, QStringView section, QStringView key, const QString& file) {
    return cache.Get(file).Value(section, key);
}

bool NextSectionEntry(QStringView& buffer, QStringView& entry) {
    const qsizetype nul = buffer.indexOf(QChar(u'\0'));
    if (nul <= 0) {
        buffer = {};
        entry = {};
        return false;
    }
    entry = buffer.first(nul);
    buffer = buffer.sliced(nul + 1);
    return true;
}

void SplitEntry(QStringView entry, QStringView& key, QStringView& value) {
    const qsizetype eq = entry.indexOf(u'=');
    if (eq < 0) {
        key = {};
        value = {};
        return;
    }
    key = entry.first(eq).trimmed();
    value = entry.sliced(eq + 1).trimmed();
}

void SplitEntry(QStringView entry, QString& key, QString& value) {
    QStringView k, v;
    SplitEntry(entry, k, v);
    key = k.toString();
    value = v.toString();
}

namespace {
QString Concat(QStringView a, QStringView b) {
    QString r;
    r.reserve(a.size() + b.size());
    r += a;
    r += b;
    return r;
}
} // namespace

QString RankMarker(QStringView text) {
    struct Tag {
        QStringView tag, mark;
    };
    static constexpr Tag tags[] = {
        {u"{1}", u"\\f1 (+)\\f0  "}, {u"{2}", u"\\f1  +)\\f0  "},       {u"{3}", u"\\f1  + \\f0  "},
        {u"{5}", u"\\f1  c \\f0  "}, {u"{6}", u"\\f1  \u0448 \\f0  "},
    };
    if (text.size() >= 3) {
        const QStringView head = text.first(3);
        for (const Tag& t : tags)
            if (head == t.tag) {
                QStringView rest = text.sliced(3);
                while (!rest.isEmpty() && (rest.front() == u' ' || rest.front() == u'\t'))
                    rest = rest.sliced(1);
                return Concat(t.mark, rest);
            }
    }
    return Concat(u"\\f1  \u00B7 \\f0  ", text);
}

int16_t ParseNumber(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    double v = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i)
        v = v * 10 + (text[i].unicode() - u'0');
    if (i < n && text[i] == u'.') {
        double scale = 0.1;
        for (++i; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i, scale /= 10)
            v += (text[i].unicode() - u'0') * scale;
    }
    if (negative)
        v = -v;
    v = std::nearbyint(v);  // halves to even, as the default rounding mode does
    constexpr double lo = std::numeric_limits<int16_t>::min(), hi = std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(v < lo ? lo : (v > hi ? hi : v));
}

} // namespace vorelian
