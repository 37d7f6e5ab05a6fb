// The rich-text layer on a year report of about 600 KB: reading it into the model, writing it back,
// and showing it in the report view up to its first paint. Targets on a 2-core machine: the model under
// 60 ms, the first paint under 150 ms.
#include "bench_support.h"
#include "core/cp1251.h"
#include "rtf/reader.h"
#include "rtf/writer.h"
#include "ui/richtextview.h"

#include <QApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>

using namespace vorelian;

namespace {

// A year report in our dialect: one block per day with its date lines, weekday line and entries behind
// the seven markers, each block ending with a separator; red blocks for Sundays.
QByteArray YearReport() {
    static const QString kMarkers[] = {QStringLiteral("\\f1    \\f0  "), QStringLiteral("\\f1 (+)\\f0  "),
                                       QStringLiteral("\\f1  +)\\f0  "), QStringLiteral("\\f1  + \\f0  "),
                                       QStringLiteral("\\f1  c \\f0  "), QStringLiteral("\\f1  ш \\f0  "),
                                       QStringLiteral("\\f1  · \\f0  ")};
    static const QString kEntries[] = {
        QStringLiteral("Свт. Николая, архиеп. Мир Ликийских, чудотворца."),
        QStringLiteral("Прп. Саввы Освященного и мч. Анастасия, еп. Радонежского (1596)."),
        QStringLiteral("Сщмч. Киприана и мц. Иустины. Блж. Андрея, Христа ради юродивого."),
        QStringLiteral("Обретение мощей свт. Гурия, архиеп. Казанского, и свт. Варсонофия, еп. Тверского."),
        QStringLiteral("Ап. Фомы. Перенесение мощей прп. Сергия, игумена Радонежского."),
    };
    const QString separator(99, u'.');
    QString body = QStringLiteral("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{"
                                  "\\f0\\fswiss\\fprq2\\fcharset204 Times New Roman;}"
                                  "{\\f1\\fmodern\\fprq1\\fcharset204 Courier New;}}\r\n{\\colortbl "
                                  ";\\red0\\green0\\blue128;\\red255\\green0"
                                  "\\blue0;}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20\r\n\r\n");
    for (int day = 0; body.size() < 600 * 1024; ++day) {
        body += day % 7 == 6 ? QStringLiteral("\\cf2 ") : QStringLiteral("\\cf1 ");
        body +=
            kMarkers[0] + QStringLiteral("%1 декабря 7534 г. от Сотворения Мира\\par\r\n").arg(day % 31 + 1);
        body += kMarkers[0] +
                QStringLiteral("%1 декабря 2025 г. от Р.Х. по старому стилю\\par\r\n").arg(day % 31 + 1);
        body += kMarkers[0] +
                QStringLiteral("%1 декабря 2025 г. от Р.Х. по новому стилю\\par\r\n").arg(day % 31 + 1);
        body +=
            kMarkers[0] + QStringLiteral("Суббота. Седмица 27-я по Пятидесятнице. Глас 1\\par\r\n\\par\r\n");
        for (int e = 0; e < 9; ++e)
            body += kMarkers[(day + e) % 7] + kEntries[(day * 3 + e) % 5] + QStringLiteral("\\par\r\n");
        body += separator + QStringLiteral("\\par\r\n");
    }
    body += QStringLiteral("\\par\r\n}");
    return cp1251::Encode(body);
}

const QByteArray& Report() {
    static const QByteArray bytes = YearReport();
    return bytes;
}

void BM_ReadYearReport(benchmark::State& state) {
    const QByteArray& bytes = Report();
    for (auto _ : state) {
        rtf::Document d = rtf::ReadRtf(bytes);
        benchmark::DoNotOptimize(d.Paragraphs.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadYearReport)->Unit(benchmark::kMillisecond);

void BM_WriteYearReport(benchmark::State& state) {
    const rtf::Document d = rtf::ReadRtf(Report());
    for (auto _ : state) {
        QByteArray out = rtf::WriteRtf(d);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_WriteYearReport)->Unit(benchmark::kMillisecond);

// Loading the report into a shown view and painting what is visible, as a report build does.
void BM_ShowYearReport(benchmark::State& state) {
    RichTextView view;
    view.resize(800, 600);
    view.show();
    for (auto _ : state) {
        view.Load(Report());
        QPixmap shot = view.grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
}
BENCHMARK(BM_ShowYearReport)->Unit(benchmark::kMillisecond);

// A whole-word search that runs through the whole report: a frequent prefix, never a whole word.
void BM_FindThroughTheReport(benchmark::State& state) {
    RichTextView view;
    view.Load(Report());
    for (auto _ : state)
        benchmark::DoNotOptimize(view.Find(QStringLiteral("архие"), 0, -1, RichTextView::FindWholeWord));
}
BENCHMARK(BM_FindThroughTheReport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return vorelian::bench::RunBenchmarks(argc, argv);
}
