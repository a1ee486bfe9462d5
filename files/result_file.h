// Result files (.txt): semicolon separated rows of height, bulk density and
// the two stresses, CR LF line ends.
#pragma once

#include <string>

#include "calc/model.h"
#include "files/file_error.h"

namespace korvane {

// Writes the results of the last calculation (safely, as every saver does).
bool writeResultFile(const SiloModel& m, const std::string& path, FileError& err);

// The complete text the writer produces (CR LF line ends): the height runs
// down from the top of the slices to the outlet.
std::string resultFileText(const SiloModel& m);

}  // namespace korvane
