// The user's settings: one typed struct with its defaults, read from and written to the per-user store
// (organisation and application "TAVR", group "Settings"). Values are stored as text. Everything is read
// once at start-up; the window writes the settings again soon after they change and at its exit.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

class QSettings;

namespace vorelian {

// The years a stored range may name.
inline constexpr int kFirstYear = 1;
inline constexpr int kLastYear = 3000;
// The range of years at the first start, and the one taken when a range would leave out the current year.
inline constexpr int16_t kDefaultMinYear = 1901;
inline constexpr int16_t kDefaultMaxYear = 2100;
// The report font size at the first start, and the one taken for a stored size out of range.
inline constexpr int16_t kDefaultFontSize = 10;
// The largest place or size in twips whose pixels still fit an int.
inline constexpr double kMaxTwips = 15.0 * 2147483647.0;
// The largest report font size in points: twice it must stay a valid font size of the reports.
inline constexpr int16_t MaxFontSize = 1638;

struct Settings {
    int16_t Calendar = 3;     // style shown at start-up
    int16_t FirstWeekday = 1; // 1 Monday or 7 Sunday: the first row of the month grid
    QString FontName = QStringLiteral("System");
    int16_t FontSize = kDefaultFontSize; // points
    bool FontBold = false;               // written at exit, never read: every run starts without bold
    bool FontItalic = false;
    bool ShowIndiction = false;
    bool ShowAllStyles = false;
    bool ShowFasting = true;  // the fasting line of each day (when the data set has fasting rules)
    bool ShowReadings = true; // the readings, Liturgy and weddings lines (when the data set has readings)
    int16_t TextSize = 0;     // the size of the window's own text: 0 normal, 1 large, 2 largest
    QString LastDir;
    int16_t MinYear = kDefaultMinYear; // Julian years of the allowed range
    int16_t MaxYear = kDefaultMaxYear;
    int16_t WindowState = 0; // 0 normal, 1 minimised, 2 maximised
    double Height = 6850;    // twips
    double Width = 9600;
    std::optional<double> Left; // absent: centred horizontally
    std::optional<double> Top;  // absent: a third down the screen
    QStringList Corrected;      // rectangle keys whose stored value was out of range and not used

    bool operator==(const Settings&) const = default;
};

// The longest font name and folder taken from the store; a longer text keeps the default.
inline constexpr qsizetype kMaxFontNameChars = 256;
inline constexpr qsizetype kMaxFolderChars = 4096;

// Where the user's settings store is kept.
QString SettingsStorePath();

// Why the store at `path` must be neither read nor written (in words for the user), or empty when it is a
// regular file or absent. A device, a pipe or a folder in its place would hang the start, be read without
// end or be replaced by the exit.
QString SettingsStoreProblem(const QString& path);

// Opens the user's settings store; nullptr when SettingsStoreProblem finds it unsafe.
std::unique_ptr<QSettings> OpenSettingsStore();

// Reads every key with its default, then applies the start-up rules: bold and italic off, a stored style
// outside 1..3 taken as 3, and a year range that would exclude `currentYear` replaced by 1901..2100.
// Every number is kept to its own range: years 1..3000, the font size 1..1638, places and sizes to what
// fits an int in pixels (sizes not below 0); outside it the default is used.
Settings ReadSettings(QSettings& store, int currentYear);

// Writes the keys that the exit sequence writes; the window rectangle only when `withRectangle`. False
// when the store could not be written (a read-only folder, say).
bool WriteSettings(QSettings& store, const Settings& s, bool withRectangle);

// The start-up rule for the year range, for any source of the two numbers.
void CorrectYearRange(int16_t& minYear, int16_t& maxYear, int currentYear);

} // namespace vorelian
