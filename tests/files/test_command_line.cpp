// korvane-calc's command line under random arguments (a bounded property
// test): it never crashes or hangs, every refusal says why on stderr and exits
// with its status (1 wrong usage, 2 file, 3 parameter problem), and every CSV
// row of a study has its header's field count.
//
// 120 argument lists by default, the same ones every run. Longer runs with
// other lists: KORVANE_CLI_PROPERTY_SECONDS=3600 KORVANE_CLI_PROPERTY_SEED=7
// (seconds instead of a count; any seed).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <iterator>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "files/vary.h"
#include "test_support.h"

extern char** environ;

namespace {

struct CalcRun {
    bool exited = false;
    int status = -1;
    std::string out, err;
};

// Runs korvane-calc with exactly these arguments (no shell in between), in
// the temporary folder: a random argument taken for a result file name is
// written there and removed with it.
CalcRun runCalc(const std::vector<std::string>& args, const ktest::TempDir& d) {
    const std::string exe = std::string(KORVANE_BIN_DIR) + "/korvane-calc";
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 1, d.file("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&fa, 2, d.file("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&fa, d.path().c_str());
    pid_t pid = 0;
    CalcRun r;
    if (posix_spawn(&pid, exe.c_str(), &fa, nullptr, argv.data(), environ) == 0) {
        int ws = 0;
        ::waitpid(pid, &ws, 0);
        r.exited = WIFEXITED(ws);
        r.status = r.exited ? WEXITSTATUS(ws) : -WTERMSIG(ws);
    }
    posix_spawn_file_actions_destroy(&fa);
    r.out = ktest::slurp(d.file("out"));
    r.err = ktest::slurp(d.file("err"));
    return r;
}

std::string number(std::mt19937& rng) {
    static const char* const special[] = {"0", "-0", "1e308", "-1e308", "1.7976931348623157e308",
                                          "5e-324", "nan", "inf", "1e999", ".", "1,5", "", "+3", "0x10"};
    std::uniform_int_distribution<int> pick(0, 3);
    if (pick(rng) == 0) return special[std::uniform_int_distribution<size_t>(0, std::size(special) - 1)(rng)];
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.6g",
                  std::uniform_real_distribution<double>(-200, 3000)(rng));
    return buf;
}

// A --vary value: mostly a well-formed range of at most five values (so that
// a run stays short), else something malformed.
std::string varyValue(std::mt19937& rng) {
    const auto& names = korvane::varyFieldNames();
    std::uniform_int_distribution<int> kind(0, 9);
    const int k = kind(rng);
    const std::string name = k == 9 ? std::string("NoSuchField")
                                    : names[std::uniform_int_distribution<size_t>(0, names.size() - 1)(rng)];
    if (k >= 7) return name + "=" + number(rng) + ":" + number(rng) + (k == 8 ? "" : ":" + number(rng));
    const double from = std::uniform_real_distribution<double>(-100, 3000)(rng);
    const double step = std::uniform_real_distribution<double>(-50, 50)(rng);
    const int values = std::uniform_int_distribution<int>(1, 5)(rng);
    char buf[120];
    std::snprintf(buf, sizeof buf, "%s=%.10g:%.10g:%.10g", name.c_str(), from, from + (values - 1) * step,
                  step);
    return buf;
}

std::vector<std::string> randomArguments(std::mt19937& rng, const ktest::TempDir& d) {
    const std::string words[] = {"--json", "--lang", "de", "en", "fr", "--lang=de", "--lang=",
                                 "--vary", "--", "-", "-h", "--help", "--bogus", "", "-x",
                                 "--vary=", "--json=1"};
    // Copies only: a random list may name any of them as the result file.
    const std::string files[] = {
        d.file("Standardsilo.par"), d.file("Getreide_Dichtekurve.par"), d.file("damaged.par"), d.file("missing.par"), d.path(), d.file("results.txt"), "/dev/null"};
    std::vector<std::string> args;
    if (std::uniform_int_distribution<int>(0, 2)(rng) == 0) {
        // Shaped like a study, so that many runs get as far as the rows.
        const int ranges = std::uniform_int_distribution<int>(1, 3)(rng);
        for (int i = 0; i < ranges; ++i) args.push_back("--vary=" + varyValue(rng));
        args.push_back(files[std::uniform_int_distribution<size_t>(0, 1)(rng)]);
        return args;
    }
    const int count = std::uniform_int_distribution<int>(0, 6)(rng);
    for (int i = 0; i < count; ++i) {
        switch (std::uniform_int_distribution<int>(0, 5)(rng)) {
            case 0:
            case 1: args.push_back(files[std::uniform_int_distribution<size_t>(0, std::size(files) - 1)(rng)]); break;
            case 2: args.push_back("--vary"); args.push_back(varyValue(rng)); break;
            case 3: args.push_back("--vary=" + varyValue(rng)); break;
            case 4: {
                std::string junk(std::uniform_int_distribution<size_t>(1, 12)(rng), ' ');
                // Any byte but '/': a name taken for a result file stays in the folder.
                for (char& c : junk) {
                    c = static_cast<char>(std::uniform_int_distribution<int>(1, 254)(rng));
                    if (c == '/') c = static_cast<char>(255);
                }
                args.push_back(junk);
                break;
            }
            default: args.push_back(words[std::uniform_int_distribution<size_t>(0, std::size(words) - 1)(rng)]);
        }
    }
    return args;
}

size_t fields(const std::string& line) { return static_cast<size_t>(std::count(line.begin(), line.end(), ',')) + 1; }

std::string shown(const std::vector<std::string>& args) {
    std::string s;
    for (const auto& a : args) s += " '" + a + "'";
    return s;
}

}  // namespace

TEST(CommandLine, RandomArgumentsNeverCrashAndEveryRefusalSaysWhy) {
    ktest::TempDir d;
    using namespace std::string_literals;
    const std::string examples = std::string(KORVANE_TEST_DATA) + "/../../examples/Par/";
    for (const char* name : {"Standardsilo.par", "Getreide_Dichtekurve.par"})
        ktest::spit(d.file(name), ktest::slurp(examples + name));
    ktest::spit(d.file("damaged.par"), "1000\r\n0\r\n1\r\n 2.4\0" "0E+0003\r\n"s);
    const char* seedText = std::getenv("KORVANE_CLI_PROPERTY_SEED");
    const char* secondsText = std::getenv("KORVANE_CLI_PROPERTY_SECONDS");
    std::mt19937 rng(seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 1u);
    const auto end = std::chrono::steady_clock::now() +
                     std::chrono::seconds(secondsText ? std::strtol(secondsText, nullptr, 10) : 0);
    int studies = 0;
    for (int i = 0; secondsText ? std::chrono::steady_clock::now() < end : i < 120; ++i) {
        const std::vector<std::string> args = randomArguments(rng, d);
        const CalcRun r = runCalc(args, d);
        ASSERT_TRUE(r.exited) << "signal " << -r.status << " for" << shown(args);
        ASSERT_GE(r.status, 0) << shown(args);
        ASSERT_LE(r.status, 3) << shown(args);
        if (r.status != 0) {
            EXPECT_NE(r.err.find("korvane-calc"), std::string::npos) << shown(args) << "\n" << r.err;
            continue;
        }
        if (r.out.rfind("Usage", 0) == 0 || r.out.find('\n') == std::string::npos ||
            r.out.find(',') == std::string::npos || r.out[0] == '{' || r.out.rfind("z[m]", 0) == 0)
            continue;  // help, JSON, result rows: not a study
        ++studies;
        size_t p = r.out.find('\n');
        const size_t header = fields(r.out.substr(0, p));
        for (size_t q = p + 1; q < r.out.size(); q = p + 1) {
            p = r.out.find('\n', q);
            ASSERT_NE(p, std::string::npos) << "last row without a line end for" << shown(args);
            EXPECT_EQ(fields(r.out.substr(q, p - q)), header) << shown(args) << "\n" << r.out;
        }
    }
    EXPECT_GT(studies, 0);  // the lists include studies that run
}
