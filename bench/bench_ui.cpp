// The main window driven offscreen on the bundled data set: one day step (a press on a day of the month
// grid until the grid and the day report show it), a step to the next day with the "<"/">" label (the
// whole column redrawn), and a style switch from the three-style table.
#include "bench_support.h"
#include "ui/calendarapp.h"
#include "ui/frmcalendar.h"
#include "ui/monthgrid.h"
#include "ui/stylestable.h"

#include <QApplication>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

using namespace vorelian;

namespace {

// The program started on a fixed day, with its settings in a scratch folder.
std::unique_ptr<CalendarApp> Start() {
    auto app = std::make_unique<CalendarApp>();
    app->Today = [] { return QDate(2026, 12, 7); };
    app->Beep = [] {};
    app->EndProcess = [] {};
    app->SplashMinimum = std::chrono::milliseconds(0);
    app->Main();
    return app;
}

void Press(FlexGrid* grid, int row, int col) {
    const QPoint at = grid->visualRect(grid->model()->index(row, col)).center();
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

static void BM_DayStepOnTheGrid(benchmark::State& state) {
    auto app = Start();
    MonthGrid* grid = app->Window()->findChild<MonthGrid*>(QStringLiteral("MSFlexGrid1"));
    // Two days of December 2026 (the 1st is a Tuesday): the 8th and the 9th.
    const QPoint days[2] = {{2, 1}, {2, 2}};
    int i = 0;
    for (auto _ : state) {
        const QPoint cell = days[i++ & 1];
        Press(grid, cell.y(), cell.x());
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(app->State.CurDayNumber);
    }
}
BENCHMARK(BM_DayStepOnTheGrid)->Unit(benchmark::kMillisecond);

static void BM_DayStepWithTheLabel(benchmark::State& state) {
    auto app = Start();
    QLabel* forward = app->Window()->findChild<QLabel*>(QStringLiteral("Label2_4"));
    QLabel* back = app->Window()->findChild<QLabel*>(QStringLiteral("Label1_4"));
    int i = 0;
    for (auto _ : state) {
        QTest::mousePress((i++ & 1) ? back : forward, Qt::LeftButton);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(app->State.CurDayNumber);
    }
}
BENCHMARK(BM_DayStepWithTheLabel)->Unit(benchmark::kMillisecond);

static void BM_StyleSwitch(benchmark::State& state) {
    auto app = Start();
    StylesTable* styles = app->Window()->findChild<StylesTable*>(QStringLiteral("MSFlexGrid2"));
    int i = 0;
    for (auto _ : state) {
        Press(styles, i++ % 3, 1);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(app->State.CurStyle);
    }
}
BENCHMARK(BM_StyleSwitch)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    return vorelian::bench::RunBenchmarks(argc, argv);
}
