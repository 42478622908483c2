#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// Prints, after the usual table, each program case next to its bare SQL: a pair is named
// "<case>/program" and "<case>/bare".
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred)
                continue;
            // "<case>/<program|bare>" possibly followed by the library's own "/iterations:N".
            const std::string name = r.benchmark_name();
            const auto first = name.find('/');
            if (first == std::string::npos)
                continue;
            const auto second = name.find('/', first + 1);
            m_times[name.substr(0, first)][name.substr(first + 1, second - first - 1)] = r.GetAdjustedRealTime();
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-40s %14s %14s %8s\n", "case", "program (ms)", "bare (ms)", "ratio");
        for (const auto &[name, parts] : m_times) {
            const auto p = parts.find("program");
            const auto b = parts.find("bare");
            if (p == parts.end() || b == parts.end())
                continue;
            std::printf("%-40s %14.3f %14.3f %8.2f\n", name.c_str(), p->second, b->second,
                        b->second > 0 ? p->second / b->second : 0.0);
        }
    }

private:
    std::map<std::string, std::map<std::string, double>> m_times;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vialdesk"));
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
