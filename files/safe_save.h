// Saving a file so that a failure never leaves a half-written one: the new
// text goes to a temporary file beside the target that replaces it only when
// complete.
#pragma once

#include <string>
#include <string_view>

#include "files/file_error.h"

namespace korvane {

// Writes `data` to `path` as the savers do: through a temporary file beside
// the target that replaces it only when complete (links written through,
// devices and FIFOs written directly, write-protected files refused).
bool writeFileSafely(const std::string& path, std::string_view data, FileError& err);

}  // namespace korvane
