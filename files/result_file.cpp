// The result file: one row per slice face that the sections give, the
// junctions of sections left out, and the outlet last.
#include "files/result_file.h"

#include "files/file_numbers.h"
#include "files/result_rows.h"
#include "files/safe_save.h"

namespace korvane {

std::string resultFileText(const SiloModel& m) {
    std::string o = "z[m];RHOB[kg/m3];SIGMAV[Pa];SIGMAW[Pa]\r\n";
    // The rows the JSON and the Python module give, in the file's fixed columns.
    for (const ResultRow& r : resultRows(m)) {
        o += formatFixed(r.z, 10, 3);
        o += ';';
        o += formatFixed(r.RHOB, 8, 1);
        o += ';';
        o += formatFixed(r.SIGMAV, 10, 0);
        o += ';';
        o += formatFixed(r.SIGMAW, 10, 0);
        o += "\r\n";
    }
    return o;
}

bool writeResultFile(const SiloModel& m, const std::string& path, FileError& err) {
    return writeFileSafely(path, resultFileText(m), err);
}

}  // namespace korvane
