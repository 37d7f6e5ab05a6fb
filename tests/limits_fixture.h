// A data set with every file at its limits at once: each profile file just under its size cap and its cap
// of entries, Cyrillic texts throughout (the costliest to write as RTF), records spread over the year, and
// an abbreviations file of the same size. What any program makes of it must stay within its memory cap.
#pragma once

#include "bases/datafiles.h"
#include "bases/profile.h"

#include "sanitized_build.h"

#include <QDir>
#include <QFile>

#include <sys/resource.h>

namespace limits {

// A Windows-1251 Cyrillic text of `n` bytes.
inline QByteArray Text(qsizetype n) {
    QByteArray t;
    t.reserve(n);
    while (t.size() < n)
        t += t.size() % 8 == 7 ? ' ' : char(0xC0 + t.size() % 32);
    return t;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Fills `folder` (the "Calendar" folder itself); false when a file could not be written.
inline bool WriteDataSetAtLimits(const QString& folder) {
    using vorelian::DataFiles;
    using vorelian::Profile;
    QDir().mkpath(folder);
    const qsizetype entries = Profile::MaxEntries - 100;
    const qsizetype value = (Profile::MaxFileBytes - 4096) / entries - 8;
    const QByteArray text = Text(value);
    for (int slot = 0; slot < DataFiles::Count; ++slot) {
        const QString& name = DataFiles::Names[slot];
        if (name.isEmpty())
            continue;
        QByteArray bytes;
        bytes.reserve(Profile::MaxFileBytes);
        if (slot == DataFiles::Abbr) {
            while (bytes.size() + value + 2 < Profile::MaxFileBytes)
                bytes += text + "\r\n";
        } else if (slot <= DataFiles::February28) {
            const qsizetype perDay = entries / 31;
            for (int day = 1; day <= 31; ++day) {
                bytes += "[" + QByteArray::number(day) + "]\r\nRed=1\r\n";
                for (qsizetype i = 0; i < perDay - 1; ++i)
                    bytes += QByteArray::number(i % 5) + "=" + text + "\r\n";
            }
        } else {
            static const char* keys[] = {"0", "11", "19", "21", "29", "31", "39", "4"};
            const int records = 2000;
            const qsizetype perRecord = entries / records - 7; // a section and six keys besides
            const QByteArray recordText = Text((Profile::MaxFileBytes - 4096) / records / perRecord - 12);
            for (int r = 1; r <= records; ++r) {
                bytes += "[" + QByteArray::number(r) +
                         "]\r\nred=1\r\ndays=" + QByteArray::number(r % 400 - 60) +
                         "\r\nday=" + QByteArray::number(1 + r % 28) +
                         "\r\nmonth=" + QByteArray::number(1 + r % 12) +
                         "\r\nweekday=" + QByteArray::number(r % 15 - 7) + "\r\n";
                for (qsizetype i = 0; i < perRecord; ++i)
                    bytes += QByteArray(keys[i % 8]) + "=" + recordText + "\r\n";
            }
        }
        if (bytes.size() > Profile::MaxFileBytes || !WriteFile(QDir(folder).filePath(name), bytes))
            return false;
    }
    return true;
}

// The largest resident size any child process reaped so far reached, in MiB: an upper bound for each.
inline long ChildrenPeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace limits
