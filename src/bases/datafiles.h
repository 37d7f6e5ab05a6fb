// The 22 data-file slots of the calendar: the day files of the Julian months, the six record files and
// the abbreviations document, each a full path inside the data folder "Calendar" beside the program.
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace vorelian {

class ProfileCache;

struct DataFiles {
    static constexpr int Count = 22;
    // Slots of the record files and the abbreviations; day files of Julian month m != 2 are m - 1.
    enum Slot : int {
        January = 0,
        February29 = 1,
        December = 11,
        February28 = 12,
        Relocatable = 13,
        Relocatable1 = 14,
        Special = 15,
        Weekdays = 16,
        Weekdays1 = 17,
        SpecWeekDays = 20,
        Abbr = 21,
    };

    // The abbreviations are shown whole in a view: their file is held to the size of any data file, and
    // their text to what a window lays out at once without stalling.
    static constexpr qsizetype MaxAbbrText = 1 << 20;

    // File names of the slots; "" for the two unused ones (18, 19).
    static const std::array<QString, Count> Names;

    std::array<QString, Count> Paths; // full paths; "" for the unused slots

    // Fills every slot with its file inside `folder` (the "Calendar" folder itself).
    void SetFolder(const QString& folder);

    const QString& operator[](int slot) const { return Paths[slot]; }

    // The day file of a Julian month (1..12); February by the length of the Julian year.
    static int DayFileIndex(int16_t julianMonth, int16_t julianYearLength);
    const QString& DayFile(int16_t julianMonth, int16_t julianYearLength) const {
        return Paths[DayFileIndex(julianMonth, julianYearLength)];
    }
};

// The month files of the set in `folder` (January to December, February in both its lengths) that
// cannot be read, each named with why: "March.DAT (missing)", "May.DAT (not a regular file)", "an empty
// file", "unreadable". Nothing is opened, so a FIFO or a device among them cannot hold the program.
QStringList MonthFileGaps(const QString& folder);

// The warning the programs print once at start when month files of `folder` cannot be read (their days
// stay without texts, the rest is served), or an empty text.
QString MonthFileWarning(const QString& folder);

// Parses every profile file of the set (all but the abbreviations) into `cache`, so that whatever is wrong
// with the data set is known at once; returns the paths of the files with problems. A missing file is
// none: it reads as empty, as a data set may leave files out.
QStringList ReadWholeDataSet(const DataFiles& files, ProfileCache& cache);

} // namespace vorelian
