// Curve fit of measured (SIGMA, RHOB) pairs: straight line, logarithmic
// law, the exponential density law (searched by raising RHOMAX in steps of
// 0.1 %), or plain interpolation.
#include <cmath>

#include "calc/engine.h"

namespace korvane {
namespace {

int count(const DensityWorkingCopy& w) {
    return w.Messpunktzahl < 0 ? 0 : (w.Messpunktzahl > kMaxPairs ? kMaxPairs : w.Messpunktzahl);
}

}  // namespace

void regression(DensityWorkingCopy& w, int xcol, int ycol) {
    const int n = count(w);
    double sx = 0, sy = 0, sxy = 0, sxx = 0;
    int k = 0;
    for (int j = 1; j <= n; ++j) {
        const double x = w.Messtabelle[xcol][j];
        if (x == 0) continue;  // a point at x = 0 carries no weight in the sums
        const double y = w.Messtabelle[ycol][j];
        sx += x;
        sy += y;
        sxy += x * y;
        sxx += x * x;
        ++k;
    }
    if (n < 2) {
        w.MessB = sy / sx;
        w.MessA = 0;
    } else {
        w.MessB = (sxy - sx * sy / k) / (sxx - sx * sx / k);
        w.MessA = (sy - sx * w.MessB) / k;
    }
    // Mean squared residual of column 4 against a line in column 1: the
    // measure the exponential search minimises.
    double e = 0;
    for (int j = 1; j <= n; ++j) {
        const double r = w.Messtabelle[4][j] - (w.MessB * w.Messtabelle[1][j] + w.MessA);
        e += r * r;
    }
    w.Anpassfehler = e / n;
}

void fit(DensityWorkingCopy& w) {
    const int n = count(w);
    for (int j = 1; j <= n; ++j) {
        w.Messtabelle[3][j] = std::log(w.Messtabelle[1][j]);
        w.Messtabelle[4][j] = std::log(w.Messtabelle[2][j]);
    }
    switch (w.Messanpassart) {
        case 0:
            regression(w, 1, 2);
            break;
        case 1:
            regression(w, 3, 2);
            break;
        case 2: {
            // ln((RHOMAX - RHOB)/RHOMAX) = ln((RHOMAX - RHOMIN)/RHOMAX) - SIGMA/SIGMA0 is a
            // straight line in SIGMA for the right RHOMAX: raise RHOMAX from just
            // above the largest measured density until the residual grows.
            if (n < 1) break;
            double previous = 1e9;
            w.MessRHOMAX = 1.001 * w.Messtabelle[2][n];
            for (int round = 0; round < kMaxExponentialRounds; ++round) {
                for (int j = 1; j <= n; ++j) {
                    w.Messtabelle[4][j] =
                        std::log((w.MessRHOMAX - w.Messtabelle[2][j]) / w.MessRHOMAX);
                }
                regression(w, 1, 4);
                w.MessSIGMA0 = -1.0 / w.MessB;
                w.MessRHOMIN = w.MessRHOMAX - std::exp(w.MessA) * w.MessRHOMAX;
                w.MessRHOMAX = (1 + 0.001) * w.MessRHOMAX;
                // A residual that is not a number can never grow: stop there too.
                if (!(w.Anpassfehler <= previous)) break;
                previous = w.Anpassfehler;
            }
            break;
        }
        default:
            break;  // interpolation needs no fit
    }
}

}  // namespace korvane
