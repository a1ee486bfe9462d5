// Parameter files (.par): one value per line, CR LF, reals in a 23-character
// scientific notation, angles in degrees. Result files (.txt): semicolon
// separated rows. Data folder marker FOLDER.DAT.
#pragma once

#include <string>

#include "calc/model.h"

namespace korvane {

struct FileError {
    int code = 0;          // 0 ok; else an errno-style code (ENOENT, EACCES, ...) or EINVAL for bad content
    int line = 0;          // line of the file where reading failed, 0 if none
    std::string reason;    // readable reason (English)
};

// Real as the file writes it: sign position, d.dddddddddddddd, E, sign, 4 digits.
std::string formatReal23(double v);
// Fixed point, right-aligned in `width`, `decimals` decimals, point separator.
std::string formatFixed(long double v, int width, int decimals);

// Loads a parameter file into the model, all or nothing: on failure the model
// is unchanged and `err` names the line and the reason.
bool Parameterdatei_lesen(SiloModel& m, const std::string& path, FileError& err);
// Writes the model; the previous file is replaced only by a complete new one.
bool Parameterdatei_schreiben(const SiloModel& m, const std::string& path, FileError& err);
// Writes the results of the last calculation (uses Zlauf as running height).
bool Ergebnisdatei_schreiben(SiloModel& m, const std::string& path, FileError& err);

// The complete text the two writers produce (CR LF line ends). The result
// text runs Zlauf down from the top to the outlet as the writer does.
std::string parameterFileText(const SiloModel& m);
std::string resultFileText(SiloModel& m);

// Data folders. Paths end with '/'.
struct DataFolders {
    bool markerInvalid = false;  // FOLDER.DAT present with wrong first line
    std::string Programmordner, Datenordner, Parameterordner, Ergebnisordner, Flyerordner;
};
// programDir: folder of the executable (with or without trailing '/');
// documentsDir: the user's documents folder (used with a valid marker).
DataFolders resolveDataFolders(const std::string& programDir, const std::string& documentsDir);

}  // namespace korvane
