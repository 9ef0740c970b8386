// The engine's two searches against the plain step-by-step scans, and the engine alone at
// traffics no plain scan could reach. After the usual report it prints a Markdown table of the
// median times and the speed-ups.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "literal_scan.h"
#include "vantrel.h"

namespace {

constexpr double kCompared[] = {10, 100, 1000, 3000};
constexpr double kComparedTargets[] = {0.5, 0.01, 0.001, 1e-9};
constexpr double kEngineOnly[] = {1e4, 1e6, 1e9};
constexpr double kEngineOnlyTargets[] = {0.5, 0.01, 0.001, 1e-9};
constexpr double kMeanCallMinutes = 3;

std::string format(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", x);
    return text;
}

// The searches are timed at a traffic of about A erlangs: cal_trunk is asked for A itself,
// cal_traffic for the line count that A needs at the same target, so that the traffic it finds
// is about A.
struct Case {
    std::string function;  // "cal_trunk" or "cal_traffic"
    double A;
    double p;
    double lines;
    std::string name(const std::string& how) const {
        return function + "/" + how + "/A:" + format(A) + "/p:" + format(p);
    }
};

Case trunk_case(double A, double p) {
    return {"cal_trunk", A, p, 0};
}
Case traffic_case(double A, double p) {
    return {"cal_traffic", A, p, cal_trunk(A, p)};
}

void run_engine(benchmark::State& state, const Case& c) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(c.function == "cal_trunk"
                                     ? cal_trunk(c.A, c.p)
                                     : cal_traffic(c.p, c.lines, kMeanCallMinutes));
    }
}

void run_plain_scan(benchmark::State& state, const Case& c) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            c.function == "cal_trunk"
                ? *literal::cal_trunk(c.A, c.p, UINT64_MAX)
                : *literal::cal_traffic(c.p, c.lines, kMeanCallMinutes, UINT64_MAX));
    }
}

// Keeps the median of every benchmark, in nanoseconds, for the table at the end.
class MedianCollector : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
                medians[run.run_name.function_name] = run.GetAdjustedRealTime() / unit * 1e9;
            }
        }
    }
    std::map<std::string, double> medians;
};

std::string duration(double ns) {
    char text[32];
    if (ns >= 1e9) {
        std::snprintf(text, sizeof text, "%.3g s", ns / 1e9);
    } else if (ns >= 1e6) {
        std::snprintf(text, sizeof text, "%.3g ms", ns / 1e6);
    } else {
        std::snprintf(text, sizeof text, "%.3g µs", ns / 1e3);
    }
    return text;
}

void print_table(const std::vector<Case>& compared, const std::vector<Case>& engine_only,
                 const std::map<std::string, double>& medians) {
    std::printf("\n| function | traffic (E) | p | engine | plain scan | speed-up |\n");
    std::printf("|---|---:|---:|---:|---:|---:|\n");
    // Rows left out by --benchmark_filter are skipped.
    for (const Case& c : compared) {
        if (!medians.contains(c.name("engine")) || !medians.contains(c.name("plain_scan"))) {
            continue;
        }
        const double engine = medians.at(c.name("engine"));
        const double plain = medians.at(c.name("plain_scan"));
        std::printf("| %s | %s | %s | %s | %s | %.0f× |\n", c.function.c_str(), format(c.A).c_str(),
                    format(c.p).c_str(), duration(engine).c_str(), duration(plain).c_str(),
                    plain / engine);
    }
    for (const Case& c : engine_only) {
        if (!medians.contains(c.name("engine"))) {
            continue;
        }
        std::printf("| %s | %s | %s | %s | (not run) | |\n", c.function.c_str(),
                    format(c.A).c_str(), format(c.p).c_str(),
                    duration(medians.at(c.name("engine"))).c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::vector<Case> compared;
    std::vector<Case> engine_only;
    for (const double A : kCompared) {
        for (const double p : kComparedTargets) {
            compared.push_back(trunk_case(A, p));
            compared.push_back(traffic_case(A, p));
        }
    }
    for (const double A : kEngineOnly) {
        for (const double p : kEngineOnlyTargets) {
            engine_only.push_back(trunk_case(A, p));
            engine_only.push_back(traffic_case(A, p));
        }
    }
    for (const Case& c : compared) {
        benchmark::RegisterBenchmark(c.name("engine").c_str(), run_engine, c)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark(c.name("plain_scan").c_str(), run_plain_scan, c)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.2)
            ->Repetitions(3)
            ->ReportAggregatesOnly(true);
    }
    for (const Case& c : engine_only) {
        benchmark::RegisterBenchmark(c.name("engine").c_str(), run_engine, c)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    MedianCollector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    print_table(compared, engine_only, reporter.medians);
    benchmark::Shutdown();
    return 0;
}
