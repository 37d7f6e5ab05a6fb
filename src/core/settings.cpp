#include "settings.h"

#include <QFileInfo>
#include <QSettings>

#include <cmath>
#include <limits>

namespace vorelian {

namespace {

const QString kGroup = QStringLiteral("Settings");

std::optional<double> ReadNumber(const QSettings& store, const char* key) {
    const QVariant v = store.value(QLatin1String(key));
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

// Integer keys: the text rounded to the nearest whole number (halves to even); a value that is not a
// number or does not fit in 16 bits keeps the default.
int16_t ReadInt16(const QSettings& store, const char* key, int16_t def) {
    const auto d = ReadNumber(store, key);
    if (!d)
        return def;
    const double r = std::nearbyint(*d);
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max())
        return def;
    return static_cast<int16_t>(r);
}

// Year limits are truncated toward zero rather than rounded; a year outside 1..3000 keeps the default.
int16_t ReadYear(const QSettings& store, const char* key, int16_t def) {
    const auto d = ReadNumber(store, key);
    if (!d)
        return def;
    const double t = std::trunc(*d);
    if (t < kFirstYear || t > kLastYear)
        return def;
    return static_cast<int16_t>(t);
}

// A place or size of the window in twips: a stored value whose pixels would not fit an int, or a size
// below 0, is replaced by `def` and its key noted, so that the exit writes the key afresh.
std::optional<double> ReadTwips(const QSettings& store, const char* key, std::optional<double> def, bool size,
                                QStringList& corrected) {
    if (!store.contains(QLatin1String(key)))
        return def;
    const auto d = ReadNumber(store, key);
    if (d && std::abs(*d) <= kMaxTwips && (!size || *d >= 0))
        return d;
    corrected << QLatin1String(key);
    return def;
}

bool ReadBool(const QSettings& store, const char* key, bool def) {
    const QVariant v = store.value(QLatin1String(key));
    if (!v.isValid())
        return def;
    const QString t = v.toString().trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double d = t.toDouble(&ok);
    return ok ? d != 0 : def;
}

QString BoolText(bool b) {
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

QString SettingsStorePath() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Opening a store reads it, so the folder of the user's stores is learnt from a store nobody keeps.
    const QSettings probe(QSettings::NativeFormat, QSettings::UserScope,
                          QStringLiteral("vorelian-store-probe"));
    return QFileInfo(probe.fileName()).path() + QStringLiteral("/TAVR/TAVR.conf");
#else
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("TAVR"),
                     QStringLiteral("TAVR"))
        .fileName();
#endif
}

QString SettingsStoreProblem(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) // absent, or a link to nothing: a new file is written
        return QString();
    if (info.isDir())
        return QStringLiteral("на месте файла настроек «%1» находится папка").arg(path);
    if (!info.isFile())
        return QStringLiteral("файл настроек «%1» — не обычный файл (устройство, канал или сокет)").arg(path);
    return QString();
}

std::unique_ptr<QSettings> OpenSettingsStore() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const QString path = SettingsStorePath();
    if (!SettingsStoreProblem(path).isEmpty())
        return nullptr;
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("TAVR"),
                                       QStringLiteral("TAVR"));
#endif
}

void CorrectYearRange(int16_t& minYear, int16_t& maxYear, int currentYear) {
    if (minYear >= currentYear)
        minYear = kDefaultMinYear;
    if (maxYear <= currentYear)
        maxYear = kDefaultMaxYear;
}

Settings ReadSettings(QSettings& store, int currentYear) {
    Settings s;
    store.beginGroup(kGroup);
    s.Calendar = ReadInt16(store, "Calendar", 3);
    if (s.Calendar < 1 || s.Calendar > 3)
        s.Calendar = 3;
    s.FirstWeekday = ReadInt16(store, "FirstWeekday", 1);
    if (s.FirstWeekday != 1 && s.FirstWeekday != 7)
        s.FirstWeekday = 1;
    const QString fontName = store.value(QStringLiteral("FontName"), s.FontName).toString();
    if (fontName.size() <= kMaxFontNameChars)
        s.FontName = fontName;
    s.FontSize = ReadInt16(store, "FontSize", kDefaultFontSize);
    if (s.FontSize < 1 || s.FontSize > MaxFontSize)
        s.FontSize = kDefaultFontSize;
    s.FontBold = false;
    s.FontItalic = false;
    s.ShowIndiction = ReadBool(store, "ShowIndiction", false);
    s.ShowAllStyles = ReadBool(store, "ShowAllStyles", false);
    s.ShowFasting = ReadBool(store, "ShowFasting", true);
    s.ShowReadings = ReadBool(store, "ShowReadings", true);
    const QString lastDir = store.value(QStringLiteral("LastDir"), QString()).toString();
    if (lastDir.size() <= kMaxFolderChars)
        s.LastDir = lastDir;
    s.TextSize = ReadInt16(store, "TextSize", 0);
    if (s.TextSize < 0 || s.TextSize > 2)
        s.TextSize = 0;
    s.MinYear = ReadYear(store, "MinYear", kDefaultMinYear);
    s.MaxYear = ReadYear(store, "MaxYear", kDefaultMaxYear);
    CorrectYearRange(s.MinYear, s.MaxYear, currentYear);
    s.WindowState = ReadInt16(store, "WindowState", 0);
    if (s.WindowState != 2) // a stored minimised state opens normal
        s.WindowState = 0;
    s.Height = *ReadTwips(store, "Height", Settings().Height, true, s.Corrected);
    s.Width = *ReadTwips(store, "Width", Settings().Width, true, s.Corrected);
    s.Left = ReadTwips(store, "Left", std::nullopt, false, s.Corrected);
    s.Top = ReadTwips(store, "Top", std::nullopt, false, s.Corrected);
    store.endGroup();
    return s;
}

bool WriteSettings(QSettings& store, const Settings& s, bool withRectangle) {
    store.beginGroup(kGroup);
    store.setValue(QStringLiteral("Calendar"), QString::number(s.Calendar));
    store.setValue(QStringLiteral("FirstWeekday"), QString::number(s.FirstWeekday));
    store.setValue(QStringLiteral("WindowState"), QString::number(s.WindowState));
    if (withRectangle) {
        store.setValue(QStringLiteral("Left"), QString::number(s.Left.value_or(0)));
        store.setValue(QStringLiteral("Top"), QString::number(s.Top.value_or(0)));
        store.setValue(QStringLiteral("Height"), QString::number(s.Height));
        store.setValue(QStringLiteral("Width"), QString::number(s.Width));
    } else {
        // The rectangle stays as stored, except a value that could not be used: an absent place is the
        // default one, a size is written as the one the window opened with.
        for (const QString& key : s.Corrected) {
            if (key == u"Left" || key == u"Top")
                store.remove(key);
            else if (key == u"Height")
                store.setValue(key, QString::number(s.Height));
            else if (key == u"Width")
                store.setValue(key, QString::number(s.Width));
        }
    }
    store.setValue(QStringLiteral("FontName"), s.FontName);
    store.setValue(QStringLiteral("FontSize"), QString::number(s.FontSize));
    store.setValue(QStringLiteral("FontBold"), BoolText(s.FontBold));
    store.setValue(QStringLiteral("FontItalic"), BoolText(s.FontItalic));
    store.setValue(QStringLiteral("ShowIndiction"), BoolText(s.ShowIndiction));
    store.setValue(QStringLiteral("ShowAllStyles"), BoolText(s.ShowAllStyles));
    store.setValue(QStringLiteral("ShowFasting"), BoolText(s.ShowFasting));
    store.setValue(QStringLiteral("ShowReadings"), BoolText(s.ShowReadings));
    store.setValue(QStringLiteral("LastDir"), s.LastDir);
    store.setValue(QStringLiteral("TextSize"), QString::number(s.TextSize));
    store.setValue(QStringLiteral("MinYear"), QString::number(s.MinYear));
    store.setValue(QStringLiteral("MaxYear"), QString::number(s.MaxYear));
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace vorelian
