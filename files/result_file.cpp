// The result file: one row per slice face that the sections give, the
// junctions of sections left out, and the outlet last.
#include "files/result_file.h"

#include <algorithm>

#include "files/file_numbers.h"
#include "files/safe_save.h"

namespace korvane {

std::string resultFileText(const SiloModel& m) {
    std::string o = "z[m];RHOB[kg/m3];SIGMAV[Pa];SIGMAW[Pa]\r\n";
    const int total = std::min(m.Gesamtschritte, kResultSize - 1);
    const int last = std::min(std::max(m.Indexende, 0), kResultSize - 1);

    // Running height of the upper face of the slice being written.
    double z = 0;
    for (int i = 1; i <= total; ++i) z += static_cast<double>(m.Dz[i]);

    // Which sections yield rows depends on the switches and heights only.
    const bool shaftRows =
        m.Schaftja && m.Hunttricht + (m.Hspitzeoben - m.Hspitzeauslauf) + m.Hkegel < m.Fuellhoehe;
    const bool hopperRows = m.Trichterja && m.Hunttricht + m.Hkegel < m.Fuellhoehe;
    const bool belowRows = m.vertunten;
    const int s = m.Schritteschaft, t = m.Schrittetrichter;

    auto row = [&](long double height, long double rho, long double sv, long double sw) {
        o += formatFixed(height, 10, 3);
        o += ';';
        o += formatFixed(rho, 8, 1);
        o += ';';
        o += formatFixed(sv, 10, 0);
        o += ';';
        o += formatFixed(sw, 10, 0);
        o += "\r\n";
    };
    for (int i = 1; i <= total; ++i) {
        // The two slices at each junction of sections give no row.
        if ((shaftRows && i < s) || (hopperRows && s + 1 < i && i < s + t) ||
            (belowRows && i > s + t + 1)) {
            row(z, m.RHOB[i], m.SIGMAV[i - 1], m.SIGMAW[i - 1]);
        }
        z -= static_cast<double>(m.Dz[i]);
    }
    row(z, m.RHOB[last], m.SIGMAV[last], m.SIGMAW[last]);
    return o;
}

bool writeResultFile(const SiloModel& m, const std::string& path, FileError& err) {
    return writeFileSafely(path, resultFileText(m), err);
}

}  // namespace korvane
