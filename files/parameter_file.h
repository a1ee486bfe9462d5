// Parameter files (.par): one value per line, CR LF, reals in a 23-character
// scientific notation, angles in degrees.
#pragma once

#include <string>

#include "calc/model.h"
#include "files/file_error.h"

namespace korvane {

// The EN 1991-4 inputs (ENaK ... ENCop of the model) follow the 21 filler
// lines, which the reader never reads, after a line holding only this marker:
// a_K, a_mu, a_phi (reals), the dynamic-solid switch, the phi_r-given switch,
// phi_r (degrees), the patch-load switch, C_op (real). The block is written
// only when a value differs from its default, so a set without EN values
// gives the same file as before; a file without the block reads the
// defaults, and a reader that stops after the end-wall friction ignores it.
constexpr const char* kEnBlockMarker = "EN1991-4";

// What the reader derives from the values it has read: cross-section area
// and perimeter and, with a hopper, the tangent of its angle, the apex
// distances and the outlet area (without a hopper the angle is cleared).
void deriveReadGeometry(SiloModel& m);

// Loads a parameter file into the model, all or nothing: on failure the model
// is unchanged and `err` names the line and the reason.
bool readParameterFile(SiloModel& m, const std::string& path, FileError& err);
// Writes the model; the previous file is replaced only by a complete new one.
// A symbolic link is written through (the link stays), a device or FIFO is
// written directly, a write-protected file is refused and left as it is. A
// model holding a value no file can carry (not finite) is refused.
bool writeParameterFile(const SiloModel& m, const std::string& path, FileError& err);
// The complete text the writer produces (CR LF line ends).
std::string parameterFileText(const SiloModel& m);

// Checks that every value of the model can be written so that it reads back;
// on failure `err` names the first one that cannot (fault NotWritable).
bool parameterFileWritable(const SiloModel& m, FileError& err);

}  // namespace korvane
