// Studies at scale: silos calculated in batches agree with single
// calculations for every density law, cross-section, state, heap and
// surcharge on every instruction set the processor has; streamed rows do not
// depend on the threads; the thread count follows the CPU affinity; SIGINT
// and SIGTERM stop a study with complete lines and say how many runs were done.
#include <gtest/gtest.h>

#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "calc/batch.h"
#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/vary.h"
#include "test_support.h"

using namespace korvane;

namespace {

const std::string kExamples = std::string(KORVANE_TEST_DATA) + "/../../examples/Par/";

bool near(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    if (a == b) return true;
    return std::fabs(a - b) <= 1e-12 * std::max(std::fabs(a), std::fabs(b));
}

enum Law { kConstant, kFunction, kFunctionTinySigma0, kLinear, kLog, kExp, kInterpolated, kLaws };

// The density law `law` put on a checked model; `j` makes each lane's own.
void putLaw(SiloModel& m, int law, int j) {
    const double f = 1.0 + 0.01 * j;
    m.Rhokonstant = law == kConstant;
    m.Rhofunktion = law == kFunction || law == kFunctionTinySigma0;
    m.RHOMIN = 2000 * f;
    m.RHOMAX = 2500 * f;
    m.SIGMA0 = law == kFunctionTinySigma0 ? 1e-6 : 40000 * f;
    m.Anpassart = law == kLinear ? 0 : law == kLog ? 1 : law == kExp ? 2 : 3;
    m.AnpassA = law == kLinear ? 2000 * f : 1500 * f;
    m.AnpassB = law == kLinear ? 0.002 * f : 60 * f;
    m.AnpassRHOMIN = 1900 * f;
    m.AnpassRHOMAX = 2400 * f;
    m.AnpassSIGMA0 = 30000 * f;
    const double sigma[] = {0, 20000, 60000 * f, 150000};
    const double rho[] = {2000, 2100, 2250 * f, 2300};
    m.Messanzahl = 4;
    for (int i = 0; i < 4; ++i) {
        m.Messsigma[i + 1] = sigma[i];
        m.Messrho[i + 1] = rho[i];
    }
}

struct Compared {
    int lanes = 0, sound = 0;
};

// Every lane of each instruction set's batches against the single
// calculation of the same model.
void compareBatch(const std::vector<std::unique_ptr<SiloModel>>& models,
                  const std::vector<const BatchKernels*>& isas, const std::string& what,
                  Compared& c) {
    std::vector<std::unique_ptr<SiloModel>> single;
    for (const auto& m : models) {
        single.push_back(std::make_unique<SiloModel>(*m));
        clearResults(*single.back());
        calculate(*single.back());
    }
    std::vector<std::unique_ptr<SiloModel>> lanes;
    for (size_t l = 0; l < models.size(); ++l) lanes.push_back(ktest::freshModel());
    // Every instruction set does each lane's arithmetic in the same order:
    // the first one's numbers, bit for bit, are every other one's.
    std::vector<std::vector<double>> firstIsa;
    auto numbers = [](const SiloModel& m) {
        return std::vector<double>{m.Fuellmenge, m.summary.outletStress, m.summary.sigmawMax,
                                   m.summary.zSigmawMax, m.summary.largestStress,
                                   m.summary.depth, m.summary.sound ? 1.0 : 0.0};
    };
    auto sameBits = [](const std::vector<double>& a, const std::vector<double>& b) {
        return a.size() == b.size() &&
               std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0;
    };
    for (const BatchKernels* k : isas) {
        for (size_t l = 0; l < models.size(); ++l) copyAllButResults(*lanes[l], *models[l]);
        for (size_t first = 0; first < lanes.size();) {
            const SliceStructure key = sliceStructure(*lanes[first]);
            std::vector<SiloModel*> batch;
            size_t i = first;
            while (i < lanes.size() && batch.size() < static_cast<size_t>(kBatchLanes) &&
                   sliceStructure(*lanes[i]) == key)
                batch.push_back(lanes[i++].get());
            calculateBatch(batch.data(), static_cast<int>(batch.size()), *k);
            first = i;
        }
        for (size_t l = 0; l < lanes.size(); ++l) {
            const SiloModel& b = *lanes[l];
            const SiloModel& s = *single[l];
            const std::string where = what + " " + k->isa + " run " + std::to_string(l);
            EXPECT_EQ(b.summary.sound, s.summary.sound) << where;
            EXPECT_PRED2(near, b.Fuellmenge, s.Fuellmenge) << where;
            EXPECT_PRED2(near, b.summary.outletStress, s.summary.outletStress) << where;
            EXPECT_PRED2(near, b.summary.sigmawMax, s.summary.sigmawMax) << where;
            EXPECT_PRED2(near, b.summary.zSigmawMax, s.summary.zSigmawMax) << where;
            EXPECT_PRED2(near, b.summary.largestStress, s.summary.largestStress) << where;
            EXPECT_PRED2(near, b.summary.depth, s.summary.depth) << where;
            EXPECT_EQ(s.summary.outletStress, s.SIGMAV[s.Indexende]) << where;
            if (k == isas.front()) {
                firstIsa.push_back(numbers(b));
            } else {
                EXPECT_TRUE(sameBits(numbers(b), firstIsa[l])) << where << " and " << isas[0]->isa;
            }
            ++c.lanes;
            if (s.summary.sound) ++c.sound;
        }
    }
}

std::string slurpFile(std::FILE* f) {
    std::string text;
    std::rewind(f);
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    return text;
}

}  // namespace

TEST(StudyBatch, BatchedAgreesWithSingleCalculations) {
    const char* files[] = {"Standardsilo.par", "Massenfluss_Kreissilo.par",
                           "Bunker_Schuettkegel.par", "Silo_Auflast_Unterteil.par",
                           "Getreide_Dichtekurve.par"};
    std::vector<const BatchKernels*> isas;
    for (const char* isa : {"sse2", "avx2", "avx512"})
        if (const BatchKernels* k = batchKernelsFor(isa)) isas.push_back(k);
    ASSERT_FALSE(isas.empty());
    for (const char* file : files) {
        auto base = ktest::freshModel();
        std::string error;
        ASSERT_TRUE(loadStudyBase(*base, kExamples + file, error)) << error;
        for (int state = 0; state < 2; ++state) {
            for (int law = 0; law < kLaws; ++law) {
                Compared c;
                // A full batch and a part of one (lanes repeated).
                std::vector<std::unique_ptr<SiloModel>> models;
                for (int j = 0; j < kBatchLanes + 5; ++j) {
                    auto m = ktest::freshModel();
                    copyAllButResults(*m, *base);
                    ASSERT_TRUE(setVariedField(*m, "Auflastspannung", 400.0 * j));
                    ASSERT_TRUE(setVariedField(*m, "Fuellhoehe", m->Fuellhoehe - 0.01 * j));
                    m->setSpannungszustand(state);
                    DensityWorkingCopy w;
                    if (checkLoadedModel(*m, w) != 0) continue;
                    putLaw(*m, law, j);
                    prepare(*m, false);
                    models.push_back(std::move(m));
                }
                compareBatch(models, isas,
                             std::string(file) + " state " + std::to_string(state) + " law " +
                                 std::to_string(law),
                             c);
                EXPECT_GT(c.lanes, 0) << file << " " << state << " " << law;
                if (law != kInterpolated && law != kFunctionTinySigma0) {
                    EXPECT_GT(c.sound, 0) << file << " " << state << " " << law;
                }
            }
        }
    }
}

TEST(StudyBatch, StreamedRowsDoNotDependOnTheThreads) {
    auto base = ktest::freshModel();
    std::string error;
    ASSERT_TRUE(loadStudyBase(*base, kExamples + "Standardsilo.par", error)) << error;
    VaryPlan plan;
    // Fill heights from the hopper into the shaft and above the silo: several
    // slice structures, problems, and more than two chunks.
    ASSERT_TRUE(makeVaryPlan({{"Fuellhoehe", 0.5, 11, 0.05}, {"PHIE", 30, 40, 5}}, plan, error));
    std::string one;
    for (const VaryRow& r : runVaryStudy(*base, plan, 1)) one += varyCsvRow(r);
    for (unsigned threads : {1u, 2u, 3u}) {
        std::FILE* f = std::tmpfile();
        ASSERT_NE(f, nullptr);
        StudyStreamOptions o;
        o.threads = threads;
        bool failed = true;
        EXPECT_EQ(streamVaryStudy(*base, plan, f, o, failed), plan.runs) << threads;
        EXPECT_FALSE(failed);
        EXPECT_EQ(slurpFile(f), one) << threads;
        std::fclose(f);
    }
}

TEST(StudyBatch, ThreadsFollowTheCpuAffinity) {
    cpu_set_t saved, one;
    ASSERT_EQ(sched_getaffinity(0, sizeof saved, &saved), 0);
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &saved)) {
            CPU_SET(cpu, &one);
            break;
        }
    }
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    const unsigned n = studyThreads();
    sched_setaffinity(0, sizeof saved, &saved);
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(studyThreads(), static_cast<unsigned>(CPU_COUNT(&saved)));
}

TEST(StudyBatch, SignalStopsWithCompleteLines) {
    const struct {
        int sig;
        int status;
        const char* name;
    } cases[] = {{SIGINT, 130, "SIGINT"}, {SIGTERM, 143, "SIGTERM"}};
    for (const auto& c : cases) {
        ktest::TempDir d;
        int out[2];
        ASSERT_EQ(pipe(out), 0);
        const std::string calc = std::string(KORVANE_BIN_DIR) + "/korvane-calc";
        const std::string par = kExamples + "Standardsilo.par";
        const std::string err = d.file("err");
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            dup2(out[1], 1);
            std::FILE* e = std::fopen(err.c_str(), "w");
            if (e) dup2(fileno(e), 2);
            close(out[0]);
            execl(calc.c_str(), calc.c_str(), "--vary", "Auflastspannung=0:999999:1",
                  par.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        // Some rows first, then the signal.
        std::string text;
        char buf[4096];
        ssize_t n;
        while (text.size() < 20000 && (n = read(out[0], buf, sizeof buf)) > 0) text.append(buf, n);
        kill(pid, c.sig);
        while ((n = read(out[0], buf, sizeof buf)) > 0) text.append(buf, n);
        close(out[0]);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status)) << c.name;
        EXPECT_EQ(WEXITSTATUS(status), c.status) << c.name;
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '\n') << c.name;
        long long rows = -1;  // the header
        size_t start = 0;
        for (size_t e; (e = text.find('\n', start)) != std::string::npos; start = e + 1) {
            const std::string line = text.substr(start, e - start);
            EXPECT_EQ(std::count(line.begin(), line.end(), ','), 6) << line;
            if (rows >= 0) { EXPECT_EQ(line.rfind(std::to_string(rows) + ",", 0), 0u) << line; }
            ++rows;
        }
        EXPECT_GT(rows, 0);
        EXPECT_LT(rows, 1000000);
        const std::string message = ktest::slurp(err);
        EXPECT_NE(message.find(std::string(c.name) + " after " + std::to_string(rows) + " of 1000000 runs"),
                  std::string::npos)
            << message;
    }
}
