// Parameter studies: one parameter file calculated for every value of one or
// more varied inputs (every combination of several), each run exactly as
// korvane-calc calculates a file holding those values: the same reader's
// derived values, the parameter form's checks on OK, the calculation. The
// runs are independent and spread over threads; the rows come back in the
// order of the combinations.
#pragma once

#include <csignal>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "calc/model.h"

namespace korvane {

// One varied input: a parameter-file field name and its range, in the file's
// units (angles in degrees).
struct VaryRange {
    std::string name;
    double from = 0, to = 0, step = 0;
};

// More runs than this in one study is taken for a mistyped range.
constexpr long long kMaxVaryRuns = 1000000;

// The field names that can be varied, in the order of the parameter file.
const std::vector<std::string>& varyFieldNames();

// Parses "NAME=FROM:TO:STEP" (numbers with a point). False with a message
// for an unknown name, a malformed number or a step of 0.
bool parseVaryArgument(const std::string& text, VaryRange& out, std::string& error);

// The values of the study: per range its values FROM, FROM+STEP, ... up to
// TO (inclusive, within a rounding of the step), each rounded to 15
// significant digits so that the value written in a row is the value
// calculated. The first range varies slowest.
struct VaryPlan {
    std::vector<std::string> names;
    // The values of each range; empty when valuesOf gives them (ranges of
    // more than 65536 values in all are computed run by run).
    std::vector<std::vector<double>> values;
    long long runs = 0;
    // When set, run `index` takes the values this gives (one per name)
    // instead of a combination of `values`: a random study (--sample). It is
    // called from several threads at once.
    std::function<void(long long index, std::vector<double>& values)> valuesOf;
};
// False with a message when a range holds no value (TO on the wrong side of
// FROM), a name is given twice, or the study exceeds kMaxVaryRuns runs.
bool makeVaryPlan(const std::vector<VaryRange>& ranges, VaryPlan& plan, std::string& error);

// What one run gives. Without a parameter problem and with finite results
// the numbers are those of the calculation; otherwise `calculated` is false.
struct VaryRow {
    std::vector<double> values;   // the varied values of this run
    int Parameterfehler = 0;
    bool calculated = false;
    double Fuellmenge = 0;
    double SIGMAV_Auslauf = 0;
    double SIGMAW_max = 0;        // largest SIGMAW from the surface to the outlet
    double z_SIGMAW_max = 0;      // its height above the outlet, m
    bool Massenfluss = false;
};

// Sets one varied field of a model as the reader leaves it after loading
// (value in the file's units) and derives what the reader derives from it.
// False for an unknown name.
bool setVariedField(SiloModel& m, const std::string& name, double value);

// The value of a varied field in the file's units (angles in degrees).
// False for an unknown name.
bool variedFieldValue(const SiloModel& m, const std::string& name, double& value);

// The run with combination number `index` (0 .. plan.runs-1) on `base`, a
// model as the reader left it after loading the file over the default start.
// `work` is scratch space for the run.
VaryRow runVariation(const SiloModel& base, const VaryPlan& plan, long long index,
                     SiloModel& work);

// One run with the given values of the fields `names` (file units), each
// value as a parameter file would hold it.
VaryRow runWithValues(const SiloModel& base, const std::vector<std::string>& names,
                      std::vector<double> values, SiloModel& work);

// The threads a study uses by default: one per processor the process may
// run on (its CPU affinity; `taskset -c 0` gives one).
unsigned studyThreads();

// All runs on `threads` threads (0 = studyThreads()), rows in combination
// order. The runs are handed out in chunks of consecutive runs from a shared
// counter; the runs of a chunk that pass the checks are calculated together
// in batches (calculateBatch), so a row does not depend on the threads.
std::vector<VaryRow> runVaryStudy(const SiloModel& base, const VaryPlan& plan,
                                  unsigned threads = 0);

// A study written as it runs: each chunk's rows as CSV on `out` (no header)
// in combination order as soon as the rows before are written, with at most
// a few chunks waiting in memory. `stop` (set from a signal handler) ends the
// study after the chunks being calculated; `progress` shows runs done, rate
// and time left on standard error. Returns the number of runs whose rows were
// written; `writeFailed` when `out` refused them.
struct StudyStreamOptions {
    unsigned threads = 0;  // 0 = studyThreads()
    const volatile std::sig_atomic_t* stop = nullptr;
    bool progress = false;
};
long long streamVaryStudy(const SiloModel& base, const VaryPlan& plan, std::FILE* out,
                          const StudyStreamOptions& options, bool& writeFailed);

// The CSV text: a header row, then one row per run (comma separated, point
// as decimal separator, LF line ends). Result fields of a run that was not
// calculated stay empty; Massenfluss is 1 or 0.
std::string varyCsvHeader(const VaryPlan& plan);
std::string varyCsvRow(const VaryRow& row);

// The start of a study: the default start of the program, then the file
// loaded over it (as korvane-calc does before the form's checks). False with
// the reader's message (`error`) when the file cannot be read.
bool loadStudyBase(SiloModel& base, const std::string& parPath, std::string& error);

// The whole study of `korvane-calc --vary`: plan, load, runs, CSV on `out`.
// The rows are streamed (streamVaryStudy); SIGINT or SIGTERM stops the study
// with the rows written so far complete. Returns the exit status (0; 1 for a
// range that makes no study; 2 for a file that cannot be read or rows that
// cannot be written; 130 / 143 when stopped by SIGINT / SIGTERM) with the
// reason in `message`.
int runStudyCommand(const std::vector<VaryRange>& ranges, const std::string& parPath,
                    std::FILE* out, std::string& message);

// The same for a plan made and a base loaded already (a random study): the
// header, then the streamed rows; exit status and message as above.
int streamStudyCommand(const SiloModel& base, const VaryPlan& plan, std::FILE* out,
                       std::string& message);

}  // namespace korvane
