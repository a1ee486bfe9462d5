// Peak memory of korvane-calc's studies: the built batch tool (next to this
// program) run on the standard silo as --vary with streamed rows, --sample
// with streamed rows and --sample --summary, for 100 000 and 1 000 000 runs;
// the counter peak_RSS_MB is the tool's largest resident set. The memory is
// meant not to grow with the run count.
// `--benchmark_filter=StudyPeakMemory` runs only these.
#include <benchmark/benchmark.h>

#include <climits>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string calcPath() {
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "korvane-calc";
    std::string path(self, static_cast<size_t>(n));
    return path.substr(0, path.rfind('/') + 1) + "korvane-calc";
}

// Runs korvane-calc with `args` (output to /dev/null); its peak resident
// set in kB, or -1 when it could not run or failed.
long peakKilobytes(const std::vector<std::string>& args) {
    const std::string calc = calcPath();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(calc.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, calc.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    struct rusage usage = {};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

}  // namespace

// Arguments: the kind of study (0 --vary, 1 --sample, 2 --sample --summary)
// and the number of runs.
static void BM_StudyPeakMemory(benchmark::State& state) {
    const long long runs = state.range(1);
    const std::string par = std::string(KORVANE_EXAMPLES) + "/Standardsilo.par";
    std::vector<std::string> args;
    switch (state.range(0)) {
        case 0:
            args = {"--vary", "Auflastspannung=0:" + std::to_string(runs - 1) + ":1"};
            state.SetLabel("--vary");
            break;
        case 1:
            args = {"--sample", "Auflastspannung=uniform(0,10000)", "--sample", "PHIE=normal(35,2)",
                    "--runs", std::to_string(runs)};
            state.SetLabel("--sample");
            break;
        default:
            args = {"--sample", "Auflastspannung=uniform(0,10000)", "--sample", "PHIE=normal(35,2)",
                    "--runs", std::to_string(runs), "--summary"};
            state.SetLabel("--sample --summary");
            break;
    }
    args.push_back(par);
    long peak = 0;
    for (auto _ : state) {
        peak = peakKilobytes(args);
        if (peak < 0) {
            state.SkipWithError("korvane-calc did not run");
            return;
        }
    }
    state.counters["peak_RSS_MB"] = static_cast<double>(peak) / 1024.0;
}
BENCHMARK(BM_StudyPeakMemory)
    ->ArgsProduct({{0, 1, 2}, {100000, 1000000}})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
