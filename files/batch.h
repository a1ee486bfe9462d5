// The batch calculation behind korvane-calc: what a user does who starts the
// program, opens a parameter file, confirms the parameter form unchanged with
// OK and saves the results.
#pragma once

#include <string>

#include "calc/model.h"

namespace korvane {

enum BatchExit : int {
    kExitOk = 0,
    kExitUsage = 1,
    kExitFile = 2,
    kExitProblem = 3,
};

struct BatchResult {
    int exitCode = kExitOk;
    int Parameterfehler = 0;   // problem code of the loaded parameters
    bool calculated = false;   // the calculation ran
    std::string message;       // for stderr; empty on success
};

// Runs the pipeline on `m` (a freshly started model: all zero). language 0
// German, 1 English (for the problem texts). resultPath empty = no result file,
// "-" = the result rows on standard output.
BatchResult runBatch(SiloModel& m, const std::string& parPath, const std::string& resultPath,
                     int language);

// The problem text of a parameter code in the language (0 German, 1 English).
std::string problemText(int code, int language);

// One JSON object with the values korvane-calc --json prints, keys in a fixed
// order, numbers with 17 significant digits.
std::string resultJson(const SiloModel& m, int Parameterfehler);

}  // namespace korvane
