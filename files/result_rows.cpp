#include "files/result_rows.h"

#include <algorithm>

namespace korvane {

std::vector<ResultRow> resultRows(const SiloModel& m) {
    std::vector<ResultRow> rows;
    const int total = std::min(m.Gesamtschritte, kResultSize - 1);
    const int last = std::min(std::max(m.Indexende, 0), kResultSize - 1);

    // Running height of the upper face of the slice, from the top down.
    double z = 0;
    for (int i = 1; i <= total; ++i) z += static_cast<double>(m.Dz[i]);

    // Which sections yield rows depends on the switches and heights only.
    const bool shaftRows =
        m.Schaftja && m.Hunttricht + (m.Hspitzeoben - m.Hspitzeauslauf) + m.Hkegel < m.Fuellhoehe;
    const bool hopperRows = m.Trichterja && m.Hunttricht + m.Hkegel < m.Fuellhoehe;
    const bool belowRows = m.vertunten;
    const int s = m.Schritteschaft, t = m.Schrittetrichter;
    rows.reserve(static_cast<size_t>(std::max(total, 0)) + 1);
    for (int i = 1; i <= total; ++i) {
        if ((shaftRows && i < s) || (hopperRows && s + 1 < i && i < s + t) ||
            (belowRows && i > s + t + 1))
            rows.push_back({z, m.RHOB[i], m.SIGMAV[i - 1], m.SIGMAW[i - 1]});
        z -= static_cast<double>(m.Dz[i]);
    }
    rows.push_back({z, m.RHOB[last], m.SIGMAV[last], m.SIGMAW[last]});
    return rows;
}

}  // namespace korvane
