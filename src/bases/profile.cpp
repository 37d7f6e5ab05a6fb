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
        bool utf8 = bytes.startsWith(QByteArrayView(bom, 3));
        if (utf8) {
            bytes = bytes.sliced(3);
        } else if (LooksLikeUtf8(bytes)) {
            utf8 = true;
            Problem("text in UTF-8 rather than Windows-1251; read as UTF-8");
        }
        qsizetype pos = 0;
        int lineNo = 0;
        bool crOnly = false;
        while (pos < bytes.size()) {
            ++lineNo;
            // A line ends at LF, CR LF or a lone CR.
            qsizetype end = pos;
            while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
                ++end;
            const QByteArrayView line = bytes.sliced(pos, end - pos);
            pos = end + 1;
            if (end < bytes.size() && bytes[end] == '\r') {
                if (pos < bytes.size() && bytes[pos] == '\n')
                    ++pos;
                else if (pos < bytes.size())
                    crOnly = true;
            }
            Line(line, lineNo, utf8);
        }
        if (crOnly)
            qCWarning(lcProfile).noquote()
                << QStringLiteral("%1: note: lines end in CR alone; read as line ends").arg(fileName_);
        if (out_.malformed_ > Profile::MaxReportedLines)
            qCWarning(lcProfile).noquote() << QStringLiteral("%1: %2 more malformed lines skipped")
                                                  .arg(fileName_)
                                                  .arg(out_.malformed_ - Profile::MaxReportedLines);
        if (dropped_ > 0)
            qCWarning(lcProfile).noquote() << QStringLiteral("%1: more than %2 entries; the last %3 dropped")
                                                  .arg(fileName_)
                                                  .arg(Profile::MaxEntries)
                                                  .arg(dropped_);
        if (droppedSections_ > 0)
            qCWarning(lcProfile).noquote()
                << QStringLiteral("%1: more than %2 sections; the last %3 dropped with their entries")
                       .arg(fileName_)
                       .arg(Profile::MaxSections)
                       .arg(droppedSections_);
        if (out_.malformed_ > 0 || dropped_ > 0 || droppedSections_ > 0)
            out_.problems_ = true;
    }

    void Problem(const char* what) {
        qCWarning(lcProfile).noquote() << QStringLiteral("%1: %2").arg(fileName_, QLatin1String(what));
        out_.problems_ = true;
    }

    // Valid UTF-8 with at least one Cyrillic letter and no byte-order mark: a file saved in the wrong
    // code page. Windows-1251 Cyrillic text is almost never valid UTF-8, let alone UTF-8 Cyrillic.
    static bool LooksLikeUtf8(QByteArrayView bytes) {
        bool cyrillic = false;
        for (qsizetype i = 0; i < bytes.size();) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            if (b < 0x80) {
                ++i;
                continue;
            }
            const int n = b >= 0xC2 && b <= 0xDF   ? 1
                          : b >= 0xE0 && b <= 0xEF ? 2
                          : b >= 0xF0 && b <= 0xF4 ? 3
                                                   : -1;
            if (n < 0 || i + n >= bytes.size())
                return false;
            for (int k = 1; k <= n; ++k)
                if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                    return false;
            if (b == 0xD0 || b == 0xD1)
                cyrillic = true;
            i += n + 1;
        }
        if (!cyrillic)
            return false;
        // The strict decoder settles overlong forms and surrogates.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        (void)decoder(bytes);
        return !decoder.hasError();
    }

private:
    Profile& out_;
    const QString& fileName_;
    // The section receiving entries: -1 before the first header, kBroken under a header that could not be
    // read, whose entries are dropped with it rather than added to the section before.
    static constexpr qsizetype kBroken = -2;
    qsizetype current_ = -1;
    qsizetype entries_ = 0;
    qsizetype dropped_ = 0;
    qsizetype sections_ = 0;
    qsizetype droppedSections_ = 0;

    void Skip(int lineNo, const char* reason) {
        if (current_ >= 0)
            out_.sections_[current_].Skipped.push_back(lineNo);
        if (++out_.malformed_ <= Profile::MaxReportedLines)
            qCWarning(lcProfile).noquote() << QStringLiteral("%1:%2: %3; line skipped")
                                                  .arg(fileName_)
                                                  .arg(lineNo)
                                                  .arg(QLatin1String(reason));
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
        if (++entries_ > Profile::MaxEntries) {
            ++dropped_;
            return;
        }
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
            current_ = *it; // a repeated header continues its section
            out_.sections_[current_].Headers.push_back(lineNo);
            return;
        }
        if (++sections_ > Profile::MaxSections) {
            ++droppedSections_;
            current_ = kBroken;
            return;
        }
        current_ = static_cast<qsizetype>(out_.sections_.size());
        out_.sections_.push_back({name.toString(), {}, {}, {lineNo}});
        out_.index_.insert(key, current_);
    }
};

QString Profile::NameKey(QStringView name) {
    return name.trimmed().toString().toCaseFolded();
}

Profile Profile::Parse(QByteArrayView bytes, const QString& fileName) {
    Profile p;
    ProfileParser(p, fileName).Run(bytes);
    return p;
}

Profile Profile::Load(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return {};
    Profile refused;
    refused.problems_ = true;
    if (info.size() > MaxFileBytes) {
        qCWarning(lcProfile).noquote()
            << QStringLiteral("%1: file larger than %2 MiB, read as empty").arg(path).arg(MaxFileBytes >> 20);
        return refused;
    }
    QFile f(path);
    QByteArray bytes;
    if (f.open(QIODevice::ReadOnly))
        bytes = f.read(MaxFileBytes + 1);
    if (!f.isOpen() || f.error() != QFileDevice::NoError || bytes.size() > MaxFileBytes) {
        qCWarning(lcProfile).noquote()
            << QStringLiteral("%1: cannot be read (%2), read as empty").arg(path, f.errorString());
        return refused;
    }
    return Parse(bytes, path);
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

QStringList ProfileCache::FilesWithProblems() const {
    QStringList out;
    for (const auto& [path, profile] : files_)
        if (profile.HasProblems())
            out << path;
    return out;
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
    v = std::nearbyint(v); // halves to even, as the default rounding mode does
    constexpr double lo = std::numeric_limits<int16_t>::min(), hi = std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(v < lo ? lo : (v > hi ? hi : v));
}

} // namespace vorelian
