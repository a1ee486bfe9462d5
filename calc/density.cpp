// Bulk density as a function of the major principal stress: constant, the
// exponential density function, or a law fitted to measured pairs.
#include <cmath>

#include "calc/engine.h"

namespace korvane {
namespace {

// Linear interpolation between measured points x[1..n], y[1..n] (ascending
// x), with the first and last segments extended beyond the measured range.
double interpolate(const double* x, const double* y, int n, double s) {
    if (n <= 0) return 0;
    if (n == 1) return y[1];
    int b = n + 1;
    for (int i = 1; i <= n; ++i) {
        if (s < x[i]) {
            b = i;
            break;
        }
    }
    int lo;  // segment lo .. lo + 1
    if (b == 1) lo = 1;
    else if (b == n + 1) lo = n - 1;
    else lo = b - 1;
    const double dx = x[lo + 1] - x[lo];
    // Two pairs with the same stress at an end of the range leave the
    // extended segment without a slope: hold the nearest measured density.
    if (dx == 0) return b == 1 ? y[1] : y[n];
    return y[lo] + (s - x[lo]) * (y[lo + 1] - y[lo]) / dx;
}

double fittedLaw(int kind, double A, double B, double rhomin, double rhomax, double sigma0,
                 const double* x, const double* y, int n, double s) {
    switch (kind) {
        case 0:
            return B * s + A;
        case 1:
            if (s < 1) s = 1;
            return B * std::log(s) + A;
        case 2:
            return (1.0 - std::exp(-s / sigma0)) * (rhomax - rhomin) + rhomin;
        case 3:
            return interpolate(x, y, n, s);
        default:
            return 0;  // unknown kind of fit: no density at all
    }
}

int clampCount(int n) { return n < 0 ? 0 : (n > kMaxPairs ? kMaxPairs : n); }

}  // namespace

double density(const SiloModel& m, double s) {
    if (!(s >= 0)) s = 0;
    switch (m.Dichtemodus()) {
        case 0:
            return m.RHOMIN;
        case 1:
            if (m.SIGMA0 < 1e-5) return s * m.Rhosteigung + m.RHOMIN;
            return (1.0 - std::exp(-s / m.SIGMA0)) * (m.RHOMAX - m.RHOMIN) + s * m.Rhosteigung +
                   m.RHOMIN;
        default:
            return fittedLaw(m.Anpassart, m.AnpassA, m.AnpassB, m.AnpassRHOMIN, m.AnpassRHOMAX,
                             m.AnpassSIGMA0, m.Messsigma, m.Messrho, clampCount(m.Messanzahl), s);
    }
}

double workingDensity(const DensityWorkingCopy& w, double s) {
    if (!(s >= 0)) s = 0;
    return fittedLaw(w.Messanpassart, w.MessA, w.MessB, w.MessRHOMIN, w.MessRHOMAX, w.MessSIGMA0,
                     w.Messtabelle[1], w.Messtabelle[2], clampCount(w.Messpunktzahl), s);
}

}  // namespace korvane
