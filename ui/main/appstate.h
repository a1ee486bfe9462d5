// Program-wide state of the user interface: one instance for the whole run,
// reached through app(). Every window reads and writes the same flags.
#pragma once

#include <QString>

namespace korvane::ui {

struct AppState {
    // The parameter file shown in the captions and written by "save"; empty
    // while the model has not come from or gone to a file.
    QString parameterFile;
    // The result file written by "save results"; empty until one was chosen.
    QString resultFile;
    // The model was changed since it was last loaded or saved (the captions
    // show the change mark, closing asks).
    bool modified = false;
    // The parameter form is open for viewing only: no field takes input.
    bool viewOnly = false;
    // The parameter form has just been shown and no key was typed yet, so the
    // first key in a field replaces its text instead of appending to it.
    bool justShown = true;
    // The parameter form refuses the next close request (a value was wrong and
    // the user must correct it first).
    bool keepOpen = false;
    // Parameter problem code of the model, 0 when the parameters are sound;
    // the main window shows the problem's text instead of results.
    int pendingProblem = 0;
    // Screen factor against the 800 x 600 design screen; positions, sizes
    // and fonts of every window scale with it.
    double screenScale = 1.0;
    // Extra factor for wide screens (width over height above 4:3).
    double wideScreenFactor = 1.0;
    // Folders, each ending with '/': the program's own, the user's data
    // folder and below it the parameter, result and flyer folders.
    QString programFolder, dataFolder, parameterFolder, resultFolder, flyerFolder;
};

AppState& app();

}  // namespace korvane::ui
