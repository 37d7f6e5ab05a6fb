// What the benchmark programs share: the end of a main() that has made its Qt application, and the timing
// of the report tool as a whole process (start, load the data, build, print) once per iteration.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace vorelian::bench {

// Google Benchmark reads its own options, refuses any other and runs the program's benchmarks.
inline int RunBenchmarks(int& argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The CPU time of every child process that has ended so far.
inline double ChildrenCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs vorelian-report, built beside the benchmark, with `args` once per iteration; the counters are the
// CPU time of one run and the bytes it printed.
inline void RunTool(benchmark::State& state, const QStringList& args) {
    const QString tool =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vorelian-report"));
    if (!QFile::exists(tool)) {
        state.SkipWithError("vorelian-report is not built beside the benchmark");
        return;
    }
    const double cpuBefore = ChildrenCpuSeconds();
    qsizetype bytes = 0;
    for (auto _ : state) {
        QProcess p;
        p.start(tool, args);
        if (!p.waitForFinished(120000) || p.exitCode() != 0) {
            state.SkipWithError("vorelian-report failed");
            return;
        }
        bytes = p.readAllStandardOutput().size();
    }
    state.counters["cpu_ms"] =
        benchmark::Counter((ChildrenCpuSeconds() - cpuBefore) * 1000 / double(state.iterations()));
    state.counters["bytes"] = double(bytes);
}

} // namespace vorelian::bench
