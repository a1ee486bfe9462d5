// Program-wide settings of the desktop program: the screen scale and the
// folders, one instance for the whole run, reached through app(). The main
// window's creation step and the start window set them; every window reads
// them. The language is the text table's (texts::language()). What belongs
// to one silo (files, change mark, pending problem) lives in its
// SiloDocument, what belongs to one window in that window.
#pragma once

#include <QString>

namespace korvane::ui {

struct AppState {
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
