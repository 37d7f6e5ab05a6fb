// A whole calendar for report tests: small data files written by the test into a scratch folder (texts in
// Windows-1251 with CRLF line ends), a day engine loaded from them, the state set to a date in a style, and
// a host that records what it is asked to show.
#pragma once

#include "bases/bases.h"
#include "core/calendar.h"
#include "core/cp1251.h"
#include "core/recalc.h"
#include "core/settings.h"
#include "engine/dayengine.h"
#include "engine/startup.h"
#include "report/report.h"

#include <QFile>
#include <QList>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace fixture {

// Literals of the report dialect, spelled out here so that expected documents read as they are written.
inline const QString P = QStringLiteral("\\par\r\n");
inline const QString B = QStringLiteral("\\f1    \\f0  ");
inline const QString Dot = QStringLiteral("\\f1  \u00B7 \\f0  ");
inline const QString Navy = QStringLiteral("\\cf1 ");
inline const QString Red = QStringLiteral("\\cf2 ");
inline const QString End = QStringLiteral("\\par\r\n}");
inline const QString Sep = QString(99, u'.');

// The header for the default font settings (System, 10 points, neither bold nor italic).
inline QString Header(const QString& font = QStringLiteral("System"), int size = 10) {
    return QStringLiteral(
               "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset204 ") +
           font +
           QStringLiteral(
               ";}{\\f1\\fmodern\\fprq1\\fcharset204 Courier New;}}\r\n{\\colortbl ;\\red0\\green0\\blue128;"
               "\\red255\\green0\\blue0;}\r\n\\viewkind4\\uc1\\pard\\f0\\fs") +
           QString::number(2 * size) + QStringLiteral("\r\n");
}

// The bytes of a report made of these writes: each is followed by CR LF, everything in Windows-1251.
inline QByteArray Doc(const QStringList& writes) {
    QString all;
    for (const QString& w : writes)
        all += w + QStringLiteral("\r\n");
    return vorelian::cp1251::Encode(all);
}

inline QString Text(const QByteArray& doc) {
    return vorelian::cp1251::Decode(doc);
}

struct Shown {
    int Tab;
    QString Path;
    QByteArray Document;
};

class RecordingHost : public vorelian::ReportHost {
public:
    void ShowReport(int tab, const QString& path, const QByteArray& document) override {
        Reports.append({tab, path, document});
    }
    void SetBusy(bool on) override {
        Busy.append(on);
        Depth += on ? 1 : -1;
    }
    QList<Shown> Reports;
    QList<bool> Busy;
    int Depth = 0;
};

inline void WriteFile(const QString& path, const QString& text) {
    QString crlf = text;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    const QByteArray bytes = vorelian::cp1251::Encode(crlf);
    QCOMPARE(f.write(bytes), bytes.size());
}

// Data file name -> its text.
using Files = QMap<QString, QString>;

// A data set folder that exists already.
struct Folder {
    QString Path;
};

class Calendar {
public:
    explicit Calendar(const Files& files = {}) : Engine(Written(Dir, files)) {
        vorelian::StartCalendar(State, 1901, 2100);
    }
    explicit Calendar(const Folder& folder) : Engine(vorelian::DayEngine::Load(folder.Path)) {
        vorelian::StartCalendar(State, 1901, 2100);
    }
    Calendar(const Calendar&) = delete;
    Calendar& operator=(const Calendar&) = delete;

    // Makes a date of a style current the way a jump to any day does.
    void SetDate(int16_t style, int day, int month, int year) {
        vorelian::GoToDate(State, style, int16_t(day), int16_t(month), int16_t(year));
    }
    void SetGregorian(int day, int month, int year) { SetDate(vorelian::StyleGregorian, day, month, year); }
    // Makes a day number current in a style, as a jump to that day does.
    void SetDay(int16_t style, int32_t dayNumber) { vorelian::GoToDay(State, style, dayNumber); }

    // The current day as the engine answers it for the options.
    vorelian::DayInfo Today() const {
        return Engine->Day(State.CurDayNumber, vorelian::DayOptionsOf(Options, State.CurStyle));
    }

    // Temporary report files inside the scratch folder.
    void MakeTempFiles() {
        for (QString& p : Out.Temp.Paths)
            p = vorelian::MakeTempFileName(Dir.path());
    }

    // The document last shown for a tab.
    QByteArray Last(int tab) const {
        for (qsizetype i = Host.Reports.size() - 1; i >= 0; --i)
            if (Host.Reports[i].Tab == tab)
                return Host.Reports[i].Document;
        return {};
    }
    int Builds(int tab) const {
        int n = 0;
        for (const Shown& s : Host.Reports)
            n += s.Tab == tab;
        return n;
    }

    QTemporaryDir Dir;
    std::shared_ptr<const vorelian::DayEngine> Engine;
    vorelian::CalendarState State;
    vorelian::Settings Options;
    vorelian::Reports Out;
    RecordingHost Host;
    vorelian::ReportView Ctx{*Engine, State, Options, Out, &Host};

private:
    static std::shared_ptr<const vorelian::DayEngine> Written(const QTemporaryDir& dir, const Files& files) {
        for (auto it = files.begin(); it != files.end(); ++it)
            WriteFile(dir.filePath(it.key()), it.value());
        return vorelian::DayEngine::Load(dir.path());
    }
};

// Everything the builders promise to leave as it was: the user's date, its style records and the Pascha
// block.
struct Snapshot {
    explicit Snapshot(const Calendar& c)
        : Style(c.State.CurStyle), Day(c.State.CurDayNumber), Weekday(c.State.CurWeekday),
          Dates(c.State.StyleDates), Pascha(c.State.Pascha) {}
    bool operator==(const Snapshot&) const = default;

    int16_t Style;
    int32_t Day;
    int16_t Weekday;
    std::array<vorelian::StyleDate, 4> Dates;
    vorelian::PaschaBlock Pascha;
};

} // namespace fixture
