// The profile ("INI") reader behind every data file of the calendar, and the small reading layer that the
// loaders and the reports walk sections with.
//
// A profile file is Windows-1251 (or UTF-8 when it opens with the byte-order mark), with CRLF, LF or CR
// line ends, made of [section] headers and key=value lines. Each file is parsed once, on first use, into its
// sections: every entry kept in file order, duplicate keys included. Section and key names match without
// regard to letter case or surrounding blanks, so " 1" and "1" name one section. A line that cannot be
// read (no "=", control bytes, absurd length) is skipped and reported through the logging category
// below, with file and line; nothing in a data file can stop the program.
//
// What one file may cost is bounded (MaxFileBytes, MaxEntries), so that a whole data set at its limits
// stays far below half a gigabyte: a file beyond a limit is refused in part or whole with one warning
// naming it. A file that cannot be read, and a file without the byte-order mark that is valid UTF-8 with
// Cyrillic letters (read as UTF-8), are reported once each; CR-only line ends are read as line ends with
// one note. Every file with such a problem counts in ProfileCache::FilesWithProblems.
#pragma once

#include "core/markup.h"

#include <QByteArrayView>
#include <QHash>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <map>
#include <vector>

namespace vorelian {

Q_DECLARE_LOGGING_CATEGORY(lcProfile)

struct ProfileEntry {
    QString Key;   // blanks around it removed
    QString Value; // blanks around it removed
    int Line = 0;  // 1-based line of the file, for messages about the entry's meaning
};

struct ProfileSection {
    QString Name;                      // as first written, blanks removed
    std::vector<ProfileEntry> Entries; // file order, duplicates kept
    std::vector<int> Skipped;          // lines skipped as malformed under this header
    std::vector<int> Headers;          // the line of its header, then of each repeated header
};

class Profile {
public:
    // Lines longer than this many bytes are skipped; no data line comes near it.
    static constexpr qsizetype MaxLineBytes = 64 * 1024;
    // A file larger than this reads as empty.
    static constexpr qsizetype MaxFileBytes = 1024 * 1024;
    // Entries, and sections, of one file kept; the rest are dropped. Far more than a month of days or a
    // base of records needs (record numbers are 16-bit).
    static constexpr qsizetype MaxEntries = 32768;
    static constexpr qsizetype MaxSections = 32768;
    // Malformed lines reported one by one per file; the rest are counted in one closing message.
    static constexpr int MaxReportedLines = 100;

    // Parses the bytes of one file; `fileName` only names the file in the messages.
    static Profile Parse(QByteArrayView bytes, const QString& fileName = QString());
    // Reads and parses a file; a missing or unreadable file gives an empty profile.
    static Profile Load(const QString& path);

    // The section of that name, or null.
    const ProfileSection* Section(QStringView name) const;
    // The value of the first entry of `key` in `section`; "" when there is none.
    QString Value(QStringView section, QStringView key) const;

    const std::vector<ProfileSection>& Sections() const { return sections_; }
    // Lines skipped as malformed while parsing.
    qsizetype MalformedLines() const { return malformed_; }
    // True when something of the file was lost or could be read only by guessing: malformed lines, a
    // limit reached, an unreadable file, text that is not Windows-1251.
    bool HasProblems() const { return problems_; }

    // The form in which names are compared: blanks removed, letter case folded.
    static QString NameKey(QStringView name);

private:
    std::vector<ProfileSection> sections_;
    QHash<QString, qsizetype> index_; // NameKey(section name) -> position in sections_
    qsizetype malformed_ = 0;
    bool problems_ = false;

    friend class ProfileParser;
};

// Every data file parsed once, on first use, and kept for the run (the files never change while the
// program runs). A missing file is kept as an empty profile.
class ProfileCache {
public:
    ProfileCache() = default;
    ProfileCache(const ProfileCache&) = delete;
    ProfileCache& operator=(const ProfileCache&) = delete;

    const Profile& Get(const QString& path);
    // Keeps `p` as the file at `path`, as if it had been read from there: for bytes held in memory.
    void Put(const QString& path, Profile p) { files_.insert_or_assign(path, std::move(p)); }
    // Keeps every file `other` has parsed that this cache does not hold yet, without reading it again.
    // The copies share their texts with the originals.
    void PutAll(const ProfileCache& other) { files_.insert(other.files_.begin(), other.files_.end()); }
    // How many files have been parsed so far.
    qsizetype ParsedFiles() const { return static_cast<qsizetype>(files_.size()); }
    // The paths of the files parsed so far that had problems, in path order.
    QStringList FilesWithProblems() const;

private:
    std::map<QString, Profile> files_; // node-based: references stay valid
};

// The whole section as "key=value" entries, each ended by a NUL; "" for a missing file or section.
// The section is never cut short, however long it is.
QString ReadDataSection(ProfileCache& cache, QStringView section, const QString& file);

// The value of the first occurrence of `key` in `section`; "" when absent.
QString ReadDataKey(ProfileCache& cache, QStringView section, QStringView key, const QString& file);

// Takes the next entry off the front of a section read by ReadDataSection. Returns false, with both
// views empty, at the end of the section (no NUL left, or a NUL first).
bool NextSectionEntry(QStringView& buffer, QStringView& entry);

// Splits an entry at its first "="; both parts lose the blanks around them. Without "=" both are "".
void SplitEntry(QStringView entry, QStringView& key, QStringView& value);
void SplitEntry(QStringView entry, QString& key, QString& value);

// The blank mark of group 4 texts.
inline constexpr QStringView BlankMark = dialect::Blank;

// The leading number of a text ("" or a non-number is 0), rounded to a 16-bit integer and held within
// its range.
int16_t ParseNumber(QStringView text);

} // namespace vorelian
