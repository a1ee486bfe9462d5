// Timings of the calculation: the default silo, a silo with a fitted
// density law and a heap in the discharge state, the exponential fit, and
// parameter studies: one run, one batch, 10 000 and 1 000 000 runs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "calc/batch.h"
#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/vary.h"

using namespace korvane;

namespace {

void fillGrainMeasurements(DensityWorkingCopy& w, int n) {
    for (int j = 1; j <= n; ++j) {
        const double sigma = 500.0 * j * j / 10.0 + 200.0 * j;
        w.Messtabelle[1][j] = sigma;
        w.Messtabelle[2][j] = 760.0 + 70.0 * (1.0 - std::exp(-sigma / 40000.0)) + 0.5 * std::sin(j);
    }
    w.Messpunktzahl = n;
    w.Messanpassart = 2;
}

}  // namespace

static void BM_DefaultSilo(benchmark::State& state) {
    auto m = std::make_unique<SiloModel>();
    resetToDefaults(*m);
    for (auto _ : state) {
        clearResults(*m);
        prepare(*m, false);
        calculate(*m);
        benchmark::DoNotOptimize(m->SIGMAV[m->Indexende]);
    }
}
BENCHMARK(BM_DefaultSilo)->Unit(benchmark::kMicrosecond);

static void BM_FittedLawHeapDischarge(benchmark::State& state) {
    auto m = std::make_unique<SiloModel>();
    auto w = std::make_unique<DensityWorkingCopy>();
    fillGrainMeasurements(*w, 7);
    fit(*w);
    FormInput in;
    in.stressState = 1;
    in.crossSection = 0;
    in.constantDensity = false;
    in.densityFunction = false;
    in.fittedDensity = true;
    in.internalFriction = "30";
    in.kFromFriction = true;
    in.kFixed = in.kOwnValue = false;
    in.shaftHeight = "20";
    in.Phixschaft = "22";
    in.diameterOrWidth = "8";
    in.rectangleLength = "8";
    in.hopperAngle = "20";
    in.outletWidth = "0.6";
    in.Phixtrichter = "25";
    in.flatSurface = false;
    in.heap = true;
    in.boeschwinkel = "28";
    in.fillHeight = "24";
    if (takeOver(*m, in, *w) != 0) {
        state.SkipWithError("example refused by the take-over");
        return;
    }
    for (auto _ : state) {
        clearResults(*m);
        prepare(*m, false);
        calculate(*m);
        benchmark::DoNotOptimize(m->SIGMAV[m->Indexende]);
    }
}
BENCHMARK(BM_FittedLawHeapDischarge)->Unit(benchmark::kMicrosecond);

static void BM_ExponentialFit50(benchmark::State& state) {
    auto w = std::make_unique<DensityWorkingCopy>();
    for (auto _ : state) {
        fillGrainMeasurements(*w, 50);
        fit(*w);
        benchmark::DoNotOptimize(w->MessSIGMA0);
    }
}
BENCHMARK(BM_ExponentialFit50)->Unit(benchmark::kMicrosecond);

// The standard silo as a study's base, its surcharge varied from 0 to
// `lastSurcharge` Pa in steps of 1 Pa; false (and the benchmark skipped) when
// the example cannot be loaded.
static bool standardSiloStudy(benchmark::State& state, SiloModel& base, VaryPlan& plan,
                              double lastSurcharge) {
    std::string error;
    if (!loadStudyBase(base, KORVANE_EXAMPLES "/Standardsilo.par", error) ||
        !makeVaryPlan({{"Auflastspannung", 0, lastSurcharge, 1}}, plan, error)) {
        state.SkipWithError(error.c_str());
        return false;
    }
    return true;
}

// One run of a parameter study: the form's checks and the calculation of the
// standard silo with one field changed.
static void BM_StudySingleRun(benchmark::State& state) {
    auto base = std::make_unique<SiloModel>();
    VaryPlan plan;
    if (!standardSiloStudy(state, *base, plan, 0)) return;
    auto work = std::make_unique<SiloModel>();
    for (auto _ : state) benchmark::DoNotOptimize(runVariation(*base, plan, 0, *work).SIGMAW_max);
}
BENCHMARK(BM_StudySingleRun)->Unit(benchmark::kMicrosecond);

// One batch: kBatchLanes runs of the standard silo prepared, then their
// slices integrated together (the time is per batch), with the kernels of
// each instruction set the processor has (0 SSE2, 1 AVX2, 2 AVX-512).
static void BM_StudyBatchOf32(benchmark::State& state) {
    const char* isas[] = {"sse2", "avx2", "avx512"};
    const BatchKernels* kernels = batchKernelsFor(isas[state.range(0)]);
    if (!kernels) {
        state.SkipWithError("instruction set not available");
        return;
    }
    auto base = std::make_unique<SiloModel>();
    VaryPlan plan;
    if (!standardSiloStudy(state, *base, plan, kBatchLanes - 1)) return;
    std::vector<std::unique_ptr<SiloModel>> models;
    std::vector<SiloModel*> lanes;
    for (int l = 0; l < kBatchLanes; ++l) {
        models.push_back(std::make_unique<SiloModel>());
        runVariation(*base, plan, l, *models.back());
        lanes.push_back(models.back().get());
    }
    for (auto _ : state) {
        calculateBatch(lanes.data(), kBatchLanes, *kernels);
        benchmark::DoNotOptimize(lanes[0]->Fuellmenge);
    }
    state.SetLabel(kernels->isa);
}
BENCHMARK(BM_StudyBatchOf32)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The parameter form's checks of one study run (the standard silo with its
// surcharge changed): 0 the form shown afresh (checkLoadedModel), 1 the
// study's way (FormCheck: the form shown once, the changed field per run).
static void BM_StudyFormChecks(benchmark::State& state) {
    auto base = std::make_unique<SiloModel>();
    VaryPlan plan;
    if (!standardSiloStudy(state, *base, plan, 0)) return;
    const FormCheck form(*base);
    auto work = std::make_unique<SiloModel>();
    double surcharge = 0;
    for (auto _ : state) {
        copyAllButResults(*work, *base);
        setVariedField(*work, "Auflastspannung", surcharge);
        surcharge = surcharge < 1e6 ? surcharge + 1 : 0;
        if (state.range(0) == 0) {
            DensityWorkingCopy w;
            benchmark::DoNotOptimize(checkLoadedModel(*work, w));
        } else {
            benchmark::DoNotOptimize(form.check(*work));
        }
    }
}
BENCHMARK(BM_StudyFormChecks)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// 10 000 runs of the standard silo (surcharge 0 .. 9 999 Pa) on 1 and 2 threads.
static void BM_Study10000Runs(benchmark::State& state) {
    auto base = std::make_unique<SiloModel>();
    VaryPlan plan;
    if (!standardSiloStudy(state, *base, plan, 9999)) return;
    for (auto _ : state) {
        const auto rows = runVaryStudy(*base, plan, static_cast<unsigned>(state.range(0)));
        benchmark::DoNotOptimize(rows.back().SIGMAW_max);
    }
    state.SetLabel(batchKernels().isa);
}
BENCHMARK(BM_Study10000Runs)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// 1 000 000 runs of the standard silo (surcharge 0 .. 999 999 Pa) on 1 and 2
// threads, streamed as korvane-calc --vary streams them (to /dev/null).
static void BM_Study1000000Runs(benchmark::State& state) {
    auto base = std::make_unique<SiloModel>();
    VaryPlan plan;
    if (!standardSiloStudy(state, *base, plan, 999999)) return;
    std::FILE* out = std::fopen("/dev/null", "w");
    if (!out) {
        state.SkipWithError("cannot open /dev/null");
        return;
    }
    StudyStreamOptions options;
    options.threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        bool failed = false;
        benchmark::DoNotOptimize(streamVaryStudy(*base, plan, out, options, failed));
    }
    std::fclose(out);
    state.SetLabel(batchKernels().isa);
}
BENCHMARK(BM_Study1000000Runs)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

BENCHMARK_MAIN();
