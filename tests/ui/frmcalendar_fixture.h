// The whole program started for a test: a program folder with a small data set written here, the
// settings store and the temporary folder in scratch folders, today's date fixed, and the beep and the
// end of the process counted instead of done. Helpers act on the window as a user does.
#pragma once

#include "core/calendar.h"
#include "core/recalc.h"
#include "core/settings.h"
#include "core/tables.h"
#include "ui/calendarapp.h"
#include "ui/calendarmenus.h"
#include "ui/datepickers.h"
#include "ui/frmcalendar.h"
#include "ui/monthgrid.h"
#include "ui/richtextview.h"
#include "ui/stylestable.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <memory>

namespace fixture {

using namespace vorelian;

// Colours of the grid as the user sees them.
inline QColor Kind(int16_t style, int kind) {
    return WinColor(GridColor(style, kind));
}

// Key presses for any text, Cyrillic included (QTest::keyClicks takes Latin-1 only).
inline void KeyClicks(QWidget* widget, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, c == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
}

// A scratch world for one test program: settings store, temporary folder and program folder.
class World {
public:
    World() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           root_.filePath(QStringLiteral("config")));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           root_.filePath(QStringLiteral("config")));
        QDir(root_.path()).mkpath(QStringLiteral("tmp"));
        qputenv("TMPDIR", root_.filePath(QStringLiteral("tmp")).toLocal8Bit());
        QDir(root_.path()).mkpath(QStringLiteral("program/Calendar"));
        // Julian 7 January is red; the rest of the data set is missing and reads as empty.
        QFile day(ProgramFolder() + QStringLiteral("/Calendar/January.DAT"));
        if (day.open(QIODevice::WriteOnly))
            day.write("[7]\r\nRed=1\r\n0=Feast\r\n");
    }

    QString ProgramFolder() const { return root_.filePath(QStringLiteral("program")); }
    QString TempFolder() const { return root_.filePath(QStringLiteral("tmp")); }

    void ClearSettings() const {
        if (const auto store = OpenSettingsStore())
            store->clear();
    }
    void Store(const QString& key, const QString& value) const {
        OpenSettingsStore()->setValue(QStringLiteral("Settings/") + key, value);
    }
    QString Stored(const QString& key) const {
        return OpenSettingsStore()->value(QStringLiteral("Settings/") + key).toString();
    }
    bool HasStored(const QString& key) const {
        return OpenSettingsStore()->contains(QStringLiteral("Settings/") + key);
    }
    QStringList TempFiles() const {
        return QDir(TempFolder()).entryList({QStringLiteral("~DA*.TMP")}, QDir::Files);
    }

private:
    QTemporaryDir root_;
};

class Program {
public:
    Program(const World& world, QDate today) : today_(today) {
        app = std::make_unique<CalendarApp>();
        app->ProgramFolder = world.ProgramFolder();
        app->Today = [this] { return today_; };
        app->Beep = [this] { ++beeps; };
        app->EndProcess = [this] { ++ends; };
        app->SplashMinimum = std::chrono::milliseconds(0);
        app->Main();
        w = app->Window();
    }

    void SetToday(QDate d) { today_ = d; }

    // Brings a date of a style onto the window as a jump to it would, for the set-up of a test.
    void GoTo(int16_t style, int16_t day, int16_t month, int16_t year) {
        CalendarState& st = app->State;
        st.CurStyle = style;
        StyleDate& r = st.StyleDates[style];
        r.Day = day;
        r.Month = month;
        r.Year = year;
        RecalcYear(st);
        ApplyStyle(st);
        w->SetGridCal();
        app->BuildReport();
    }

    bool Activate() {
        w->activateWindow();
        return QTest::qWaitForWindowActive(w);
    }

    QComboBox* Combo(int i) const { return w->Pickers().Combo1[i]; }
    QLabel* Back(int i) const { return w->findChild<QLabel*>(QStringLiteral("Label1_%1").arg(i)); }
    QLabel* Forward(int i) const { return w->findChild<QLabel*>(QStringLiteral("Label2_%1").arg(i)); }
    MonthGrid* Grid() const { return w->findChild<MonthGrid*>(QStringLiteral("MSFlexGrid1")); }
    StylesTable* Styles() const { return w->findChild<StylesTable*>(QStringLiteral("MSFlexGrid2")); }
    QAction* Action(const QString& name) const { return w->findChild<QAction*>(name); }

    void Press(FlexGrid* grid, int row, int col, Qt::MouseButton button = Qt::LeftButton) const {
        const QPoint at = grid->visualRect(grid->model()->index(row, col)).center();
        QTest::mousePress(grid->viewport(), button, {}, at);
        QTest::mouseRelease(grid->viewport(), button, {}, at);
    }
    void Press(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mousePress(widget, button);
        QTest::mouseRelease(widget, button);
    }

    // A double click as the window system delivers it: press, release, double click, release.
    void DoubleClick(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) const {
        Press(widget, button);
        const QPointF at = QRectF(widget->rect()).center();
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &twice);
        QTest::mouseRelease(widget, button);
    }

    // The cell of a day of the current month (not a grey one), or (-1, -1).
    QPoint CellOf(int day) const {
        MonthGrid* g = Grid();
        for (int c = 1; c <= 6; ++c)
            for (int r = 0; r <= 6; ++r)
                if (g->Text(r, c) == QString::number(day) && g->CellForeColor(r, c) != Kind(1, 4))
                    return QPoint(c, r);
        return QPoint(-1, -1);
    }

    // The date the window shows in its three-style table for a style.
    QString Shown(int16_t style) const { return Styles()->Text(style - 1, 1); }
    QString ShownGregorian() const { return Shown(StyleGregorian); }

    std::unique_ptr<CalendarApp> app;
    frmCalendar* w = nullptr;
    int beeps = 0;
    int ends = 0;

private:
    QDate today_;
};

} // namespace fixture
