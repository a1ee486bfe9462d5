#include "ui/study/study_plot.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvane::ui {

double studyResultValue(const VaryRow& row, int result) {
    if (!row.calculated || row.Parameterfehler != 0) return std::numeric_limits<double>::quiet_NaN();
    switch (result) {
        case kResultContents: return row.Fuellmenge;
        case kResultOutletStress: return row.SIGMAV_Auslauf;
        case kResultLargestWallStress: return row.SIGMAW_max;
        case kResultHeightOfLargest: return row.z_SIGMAW_max;
        default: return std::numeric_limits<double>::quiet_NaN();
    }
}

PlotAxis niceAxis(double lo, double hi, int maxTicks) {
    PlotAxis a;
    if (!(std::isfinite(lo) && std::isfinite(hi))) {
        lo = 0;
        hi = 1;
    }
    if (hi < lo) std::swap(lo, hi);
    if (hi == lo) {
        const double d = lo == 0 ? 1.0 : std::fabs(lo) * 0.1;
        lo -= d;
        hi += d;
    }
    maxTicks = std::max(2, maxTicks);
    const double raw = (hi - lo) / (maxTicks - 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (step >= raw) break;
    }
    a.lo = std::floor(lo / step) * step;
    a.hi = std::ceil(hi / step) * step;
    const long long n = std::llround((a.hi - a.lo) / step);
    for (long long i = 0; i <= n; ++i) {
        double t = a.lo + static_cast<double>(i) * step;
        if (std::fabs(t) < step * 1e-9) t = 0;  // no "-0" or 1e-17 at the zero tick
        a.ticks.push_back(t);
    }
    return a;
}

StudyPlot makeStudyPlot(const std::vector<VaryRow>& rows, int result) {
    StudyPlot p;
    double xlo = std::numeric_limits<double>::infinity(), xhi = -xlo, ylo = xlo, yhi = -xlo;
    for (const VaryRow& r : rows) {
        if (r.values.empty() || !std::isfinite(r.values[0])) continue;
        const bool hasSecond = r.values.size() > 1;
        const double second = hasSecond ? r.values[1] : 0.0;
        auto c = std::find_if(p.curves.begin(), p.curves.end(), [&](const StudyCurve& k) {
            return k.hasSecond == hasSecond && (!hasSecond || k.second == second);
        });
        if (c == p.curves.end()) {
            p.curves.push_back({hasSecond, second, {}, {}});
            c = p.curves.end() - 1;
        }
        const double y = studyResultValue(r, result);
        c->x.push_back(r.values[0]);
        c->y.push_back(y);
        xlo = std::min(xlo, r.values[0]);
        xhi = std::max(xhi, r.values[0]);
        if (std::isfinite(y)) {
            ylo = std::min(ylo, y);
            yhi = std::max(yhi, y);
            ++p.points;
        }
    }
    if (p.points == 0) {
        ylo = 0;
        yhi = 1;
    }
    if (p.curves.empty()) {
        xlo = 0;
        xhi = 1;
    }
    p.x = niceAxis(xlo, xhi);
    p.y = niceAxis(ylo, yhi);
    return p;
}

}  // namespace korvane::ui
