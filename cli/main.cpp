// korvane-calc: calculates a parameter file as the desktop program does when
// the file is opened, the parameter form confirmed unchanged and the results
// saved.
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/model.h"
#include "files/batch.h"
#include "files/en_batch.h"
#include "files/sample.h"
#include "files/vary.h"

namespace {

const char* kUsage =
    "Usage: korvane-calc [--lang de|en] [--json] PARAMETER_FILE [RESULT_FILE]\n"
    "       korvane-calc --vary NAME=FROM:TO:STEP [--vary ...] [--summary] PARAMETER_FILE\n"
    "       korvane-calc --sample NAME=DIST [--sample ...] --runs N [--seed S]\n"
    "                    [--summary] PARAMETER_FILE\n"
    "       korvane-calc --en1991-4 [--a-K X] [--a-mu X] [--a-phi X] [--dynamic] [--json]\n"
    "                    PARAMETER_FILE [LOADS_FILE]\n"
    "\n"
    "Loads PARAMETER_FILE (.par), checks the parameters as the parameter form\n"
    "does on OK, calculates the stresses and writes RESULT_FILE (.txt) if given;\n"
    "RESULT_FILE - writes the result rows to standard output.\n"
    "\n"
    "  --lang de|en  language of the parameter problem texts (default en)\n"
    "  --json        print the main results as one JSON object on stdout\n"
    "  --vary NAME=FROM:TO:STEP\n"
    "                calculate the file for every value of the parameter-file\n"
    "                field NAME (file units, angles in degrees), every\n"
    "                combination of several --vary; one CSV row per run on stdout\n"
    "  --en1991-4    characteristic loads of EN 1991-4 instead of Korvane's\n"
    "                stresses: LOADS_FILE gets the wall and hopper loads (- for\n"
    "                standard output), --json prints the classification and factors\n"
    "  --a-K X, --a-mu X, --a-phi X\n"
    "                EN 1991-4 conversion factors (override the file's values)\n"
    "  --dynamic     EN 1991-4: the solid is prone to dynamic behaviour (C_b)\n"
    "  --sample NAME=DIST\n"
    "                draw the field NAME for each of N runs from DIST:\n"
    "                uniform(A,B) (from A to B), normal(MEAN,SD) or\n"
    "                lognormal(MEAN,SD) (MEAN and SD of the value itself)\n"
    "  --runs N      number of --sample runs (1 to 1000000)\n"
    "  --seed S      seed of the random numbers (whole number, default 1); the\n"
    "                same seed gives the same rows on any number of threads\n"
    "  --summary     instead of one row per run, per column: n, mean, standard\n"
    "                deviation (divisor n-1), min, max and the 5/50/95/99 %\n"
    "                quantiles (sorted values x[0..n-1], h = (n-1)p,\n"
    "                x[floor h] + (h - floor h)(x[floor h + 1] - x[floor h]))\n"
    "                A field that does not act on the file's silo (the length\n"
    "                of a circular silo, K taken from PHIE, ...) cannot be varied.\n"
    "  --help        show this text\n"
    "  --version     show the version\n"
    "\n"
    "Exit status: 0 success, 1 wrong usage, 2 file cannot be read or written\n"
    "or is not a valid parameter file, 3 parameter problem, 4 (--en1991-4) the\n"
    "silo lies outside the scope of EN 1991-4 (the reasons on standard error).\n";

int usageError(const std::string& why) {
    std::fprintf(stderr, "korvane-calc: %s\n\n%s", why.c_str(), kUsage);
    return korvane::kExitUsage;
}

// The options of --en1991-4; true when `a` is one of them (`why` set when
// its value is wrong).
bool takeEnOption(const std::string& a, int argc, char** argv, int& i,
                  korvane::EnBatchOptions& o, std::string& why) {
    if (a == "--dynamic") {
        o.dynamic = true;
        return true;
    }
    std::optional<double>* target = a == "--a-K" ? &o.aK : a == "--a-mu" ? &o.amu
                                  : a == "--a-phi" ? &o.aphi : nullptr;
    if (!target) return false;
    double v = 0;
    if (i + 1 >= argc || !korvane::parseEnFactor(argv[i + 1], v))
        why = a + " needs a number";
    else
        *target = v;
    ++i;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int language = 1;
    bool json = false;
    bool optionsDone = false;
    std::string files[2];
    int nfiles = 0;
    std::vector<korvane::VaryRange> ranges;
    bool en = false, enOptions = false;
    korvane::EnBatchOptions enOpt;
    std::string enWhy;
    korvane::StudyOptions study;
    bool runsGiven = false, seedGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (!optionsDone && a == "--") {
            optionsDone = true;
        } else if (!optionsDone && (a == "--help" || a == "-h")) {
            std::fputs(kUsage, stdout);
            return korvane::kExitOk;
        } else if (!optionsDone && a == "--version") {
            std::printf("korvane-calc %s\n", KORVANE_VERSION);
            return korvane::kExitOk;
        } else if (!optionsDone && a == "--json") {
            json = true;
        } else if (!optionsDone && (a == "--lang" || a.rfind("--lang=", 0) == 0)) {
            std::string v;
            if (a == "--lang") {
                if (i + 1 >= argc) return usageError("--lang needs de or en");
                v = argv[++i];
            } else {
                v = a.substr(7);
            }
            if (v == "de") language = 0;
            else if (v == "en") language = 1;
            else return usageError("unknown language '" + v + "'");
        } else if (!optionsDone && (a == "--vary" || a.rfind("--vary=", 0) == 0)) {
            std::string v;
            if (a == "--vary") {
                if (i + 1 >= argc) return usageError("--vary needs NAME=FROM:TO:STEP");
                v = argv[++i];
            } else {
                v = a.substr(7);
            }
            korvane::VaryRange r;
            std::string why;
            if (!korvane::parseVaryArgument(v, r, why)) return usageError(why);
            ranges.push_back(r);
        } else if (!optionsDone && a == "--en1991-4") {
            en = true;
        } else if (!optionsDone && takeEnOption(a, argc, argv, i, enOpt, enWhy)) {
            if (!enWhy.empty()) return usageError(enWhy);
            enOptions = true;
        } else if (!optionsDone && a == "--summary") {
            study.summary = true;
        } else if (!optionsDone && (a == "--sample" || a == "--runs" || a == "--seed")) {
            if (i + 1 >= argc) return usageError(a + " needs a value");
            const std::string v = argv[++i];
            std::string why;
            if (a == "--sample") {
                korvane::SampleSpec spec;
                if (!korvane::parseSampleArgument(v, spec, why)) return usageError(why);
                study.samples.push_back(spec);
            } else if (a == "--runs") {
                if (!korvane::parseRuns(v, study.runs))
                    return usageError("--runs needs a whole number from 1 to 1000000, got '" + v + "'");
                runsGiven = true;
            } else {
                if (!korvane::parseSeed(v, study.seed))
                    return usageError("--seed needs a whole number from 0 to 18446744073709551615, got '" + v + "'");
                seedGiven = true;
            }
        } else if (!optionsDone && a.size() > 1 && a[0] == '-') {
            return usageError("unknown option '" + a + "'");
        } else {
            if (nfiles == 2) return usageError("too many arguments");
            files[nfiles++] = a;
        }
    }
    if (nfiles == 0) return usageError("no parameter file given");
    if (enOptions && !en) return usageError("--a-K, --a-mu, --a-phi and --dynamic need --en1991-4");
    if (en) {
        if (!ranges.empty()) return usageError("--en1991-4 and --vary cannot be combined");
        enOpt.json = json;
        enOpt.language = language;
        std::string errors;
        const int code = korvane::runEnCommand(enOpt, files[0], files[1], stdout, errors);
        if (!errors.empty()) std::fprintf(stderr, "%s\n", errors.c_str());
        return code;
    }
    if (!study.samples.empty() && !ranges.empty()) return usageError("--sample and --vary cannot be combined");
    if (study.samples.empty() && (runsGiven || seedGiven)) return usageError("--runs and --seed belong to --sample");
    if (!study.samples.empty() && !runsGiven) return usageError("--sample needs --runs N");
    if (study.summary && study.samples.empty() && ranges.empty())
        return usageError("--summary needs --vary or --sample");
    if (!study.samples.empty() || study.summary) {
        if (nfiles > 1) return usageError("a study writes no result file");
        if (json) return usageError("a study and --json cannot be combined");
        study.ranges = ranges;
        std::string message;
        const int code = korvane::runSampleOrSummaryCommand(study, files[0], stdout, message);
        if (!message.empty()) {
            if (code == korvane::kExitUsage) return usageError(message);
            std::fprintf(stderr, "%s\n", message.c_str());
        }
        return code;
    }
    if (!ranges.empty()) {
        if (nfiles > 1) return usageError("--vary writes no result file");
        if (json) return usageError("--vary and --json cannot be combined");
        std::string message;
        const int code = korvane::runStudyCommand(ranges, files[0], stdout, message);
        if (!message.empty()) {
            if (code == korvane::kExitUsage) return usageError(message);
            std::fprintf(stderr, "%s\n", message.c_str());
        }
        return code;
    }

    auto model = std::make_unique<korvane::SiloModel>();
    korvane::BatchResult r = korvane::runBatch(*model, files[0], files[1], language);
    if (!r.message.empty()) std::fprintf(stderr, "%s\n", r.message.c_str());
    if (json && (r.exitCode == korvane::kExitOk || (r.exitCode == korvane::kExitProblem &&
                                                    r.Parameterfehler != 0))) {
        std::printf("%s\n", korvane::resultJson(*model, r.Parameterfehler).c_str());
    }
    return r.exitCode;
}
