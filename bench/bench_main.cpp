// The benchmarks' entry point: runs them as BENCHMARK_MAIN does, but exits 1 when any reported
// an error or none ran, so that a benchmark that cannot measure fails its test instead of
// passing with no figures.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

namespace {

class ErrorCountingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                ++errors;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    int errors = 0;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    ErrorCountingReporter reporter;
    const size_t ran = benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (reporter.errors > 0) {
        std::fprintf(stderr, "%d benchmark(s) failed\n", reporter.errors);
        return 1;
    }
    if (ran == 0) {
        std::fprintf(stderr, "no benchmark ran\n");
        return 1;
    }
    return 0;
}
