// One silo as the desktop program holds it: the model with its inputs,
// derived geometry and results, the density window's working copy, the
// files it came from and goes to, the change mark and the pending problem.
// The main window owns one; the parameter form and the density window are
// handed the document they edit. Nothing here is shared between documents,
// so two documents can be calculated side by side.
#pragma once

#include <QString>

#include "calc/model.h"

namespace korvane::ui {

struct SiloDocument {
    // Inputs, derived geometry and results of the silo.
    SiloModel model;
    // The measured (SIGMA, RHOB) pairs and their fit while the density
    // window edits them; the take-over commits them to the model.
    DensityWorkingCopy workingCopy;
    // The parameter file shown in the captions and written by "save"; empty
    // while the model has not come from or gone to a file.
    QString parameterFile;
    // The result file written by "save results"; empty until one was chosen.
    QString resultFile;
    // The model was changed since it was last loaded or saved (the captions
    // show the change mark, closing asks).
    bool modified = false;
    // Parameter problem code of the model, 0 when the parameters are sound;
    // the main window shows the problem's text instead of results.
    int pendingProblem = 0;
    // Parameter problem of the opened file, until a take-over resolves it
    // (0 none): the main window shows its text instead of results and does
    // not calculate.
    int loadedProblem = 0;
};

}  // namespace korvane::ui
