// Random studies (korvane-calc --sample): N silos whose sampled fields are
// drawn from given distributions, for sensitivity and reliability studies of
// the loads. The numbers of run i come from the seed and i alone (a counter-
// based generator with its own, portable transformations), so the same seed
// gives the same rows whatever the number of threads and on every machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "calc/model.h"
#include "files/summary.h"
#include "files/vary.h"

namespace korvane {

enum class Distribution { Uniform, Normal, Lognormal };

// One sampled field: uniform(a,b) draws from [a, b); normal(a,b) has mean a
// and standard deviation b; lognormal(a,b) has mean a and standard deviation
// b of the value itself (its logarithm is normal with
// s² = ln(1 + b²/a²) and mean ln a − s²/2).
struct SampleSpec {
    std::string name;
    Distribution dist = Distribution::Uniform;
    double a = 0, b = 0;
};

// Parses "NAME=uniform(A,B)", "NAME=normal(MEAN,SD)", "NAME=lognormal(MEAN,SD)".
// False with a message for an unknown name or distribution, numbers that are
// not numbers, B < A for uniform, SD < 0, a lognormal MEAN that is not positive.
bool parseSampleArgument(const std::string& text, SampleSpec& out, std::string& error);

// Parses the --seed value: a whole number 0 .. 18446744073709551615.
bool parseSeed(const std::string& text, std::uint64_t& seed);
// Parses the --runs value: a whole number 1 .. kMaxVaryRuns.
bool parseRuns(const std::string& text, long long& runs);

// The uniform number in [0, 1) with 53 random bits that draw `draw` of run
// `run` uses (SplitMix64 of seed, run and draw).
double uniform01(std::uint64_t seed, long long run, int draw);

// The values of run `run`: one per sampled field, each rounded to the 15 significant
// digits a parameter file keeps.
std::vector<double> sampleValues(const std::vector<SampleSpec>& specs, std::uint64_t seed,
                                 long long run);

// The plan of a random study: `runs` runs, run i with sampleValues(specs,
// seed, i). The studies' run loop (batched, threaded, streamed) takes it as
// it takes a plan of ranges.
VaryPlan samplePlan(const std::vector<SampleSpec>& specs, long long runs, std::uint64_t seed);

// The values of run `index` of a plan: combination `index` of its ranges (the
// last range fastest), or what its valuesOf gives.
std::vector<double> planValues(const VaryPlan& plan, long long index);

// What korvane-calc runs for --sample (specs given) or --vary with --summary
// (ranges given): load, check that every field takes effect, the runs, and
// on `out` the CSV rows or, with `summary`, the summary. Returns the exit
// status (0; 1 usage; 2 file) with the reason in `message`.
struct StudyOptions {
    std::vector<VaryRange> ranges;
    std::vector<SampleSpec> samples;
    long long runs = 0;
    std::uint64_t seed = 1;
    bool summary = false;
    unsigned threads = 0;
    // The summary's memory for values and the folder of its temporary file
    // beyond it (empty: $TMPDIR, else /tmp).
    std::size_t summaryMemoryBytes = kSummaryMemoryBytes;
    std::string summaryTempDir;
};
int runSampleOrSummaryCommand(const StudyOptions& options, const std::string& parPath,
                              std::FILE* out, std::string& message);

}  // namespace korvane
