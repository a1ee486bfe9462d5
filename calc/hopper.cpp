// Hopper coefficients: Motzkus for the filling state, the radial stress
// field of Jenike as proposed by Arnold and McLean for the discharge state,
// and Jenike's limiting wall inclination for mass flow.
#include <cmath>

#include "calc/engine.h"

namespace korvane {
namespace {

// Friction of the two vertical end walls of a wedge hopper, per metre of
// descent: 2 K tan(phi_end) / L. A cone has no end walls, whatever the
// length field holds.
double endWallTerm(const SiloModel& m) {
    if (m.Querschnitt == 1) return 0;
    return (2 - 2 * m.Querschnitt) * m.Kwert * std::tan(m.PhixStirnwand) / m.Laenge;
}

}  // namespace

void fillingCoefficients(SiloModel& m) {
    const double phix = m.Phixtrichter, phie = m.PHIE, theta = m.Trichterwinkel;
    const int ms = m.Querschnitt;
    const double t = std::tan(phix);
    const double u = std::tan(kPi / 2.0 - theta);
    const double a = std::sin(phix) * std::sin(phix);
    const double b = std::sin(phie) * std::sin(phie);
    const double R = std::sqrt((1.0 - a) * (b - a));
    const double K1 = (1.0 - a - R) / (1.0 + a + R);
    const double K2 = ((u - t) - t * K1 * ((1.0 + t * t) - (u - t) * (u - t))) / (u * (1.0 + t * u));
    const double thetaLim = kPi / 2.0 - std::asin(std::sin(phix) / std::sin(phie));
    const double lambda = theta < thetaLim ? K2 : K1;
    m.TrichterF = (1.0 + lambda) / 2.0 - (1.0 - lambda) / 2.0 * std::cos(2.0 * theta) +
                  K1 * t * std::sin(2.0 * theta);
    m.TrichterN = (ms + 1) * K1 * t * u;
    m.Stirnwandterm = endWallTerm(m);
}

void dischargeCoefficients(SiloModel& m) {
    const double phix = m.Phixtrichter, phie = m.PHIE, theta = m.Trichterwinkel;
    const int ms = m.Querschnitt;
    const bool cone = ms == 1;
    const double sphie = std::sin(phie);
    const double beta = 0.5 * (phix + std::asin(std::sin(phix) / sphie));
    const double X = std::pow(2.0, ms) * sphie / (1.0 - sphie) *
                     (1.0 + std::sin(2.0 * beta + theta) / std::sin(theta));
    const double sbt = std::sin(beta + theta);
    double Y;
    if (cone) {
        Y = (2.0 * (1.0 - std::cos(beta + theta)) * std::sin(theta) +
             std::sin(beta) * sbt * sbt) /
            ((1.0 - sphie) * sbt * sbt * sbt);
    } else {
        Y = ((beta + theta) * std::sin(theta) + std::sin(beta) * sbt) / ((1.0 - sphie) * sbt * sbt);
    }
    const double S = Y * (1.0 + sphie * std::cos(2.0 * beta)) / ((X - 1.0) * std::sin(theta));
    const double tt = std::tan(theta), tx = std::tan(phix);
    // D = SIGMAV / (rho g B) from the vertical equilibrium of the solid below
    // a level, with the wall normal stress S rho g B / 2 of the radial field.
    // For the cone (h up from the apex, R = h tan theta): weight rho g pi R^2 h / 3
    // and the top face's SIGMAV pi R^2 carried by the walls' integral of
    // SIGMAW (tan theta + tan phix) 2 pi r dh, which gives
    // SIGMAV = rho g h [2 S (tan theta + tan phix) - 1] / 3. For both shapes
    // the ratio F = SIGMAW / SIGMAV is then (S / 2) / D.
    const double D = cone ? ((tt + tx) * S - 0.5) / (3.0 * tt)
                          : ((tt + tx) * S - 1.0) * 0.25 / tt;
    m.TrichterF = (S / 2.0) / D;
    m.TrichterN = (ms + 1) * (m.TrichterF * (1.0 + tx / tt) - 1.0);
    m.Stirnwandterm = endWallTerm(m);
    massFlowCheck(m);
}

MassFlow massFlowCheck(int ms, double phix, double phie, double theta) {
    constexpr double kDeg = 57.29577951308232;
    const double phieDeg = phie * 180.0 / kPi;
    const double phixDeg = phix * 180.0 / kPi;
    const double thetaDeg = theta * 180.0 / kPi;
    MassFlow r;
    if (ms == 1) {
        const double arg = (1.0 - std::sin(phie)) / (2.0 * std::sin(phie));
        // Below about 19.47 deg of internal friction the conical limit has no
        // solution: no inclination gives mass flow.
        if (!(arg <= 1.0 && arg >= -1.0)) return r;
        r.angleDeg = 90.0 - 0.5 * (std::acos(arg) * kDeg + phixDeg +
                                   std::asin(std::sin(phix) / std::sin(phie)) * kDeg) -
                     2.0;
    } else {
        r.angleDeg = (60.5 + std::atan((50.0 - phieDeg) / 7.73) / 15.07) *
                     (1.0 - phixDeg / (42.3 + 0.131 * std::exp(phie * 10.8 / kPi)));
    }
    if (!std::isfinite(r.angleDeg)) {
        r.angleDeg = 0;
        return r;
    }
    r.massFlow = thetaDeg < r.angleDeg && (phieDeg - phixDeg) > 3.0;
    return r;
}

void massFlowCheck(SiloModel& m) {
    const MassFlow r = massFlowCheck(m.Querschnitt, m.Phixtrichter, m.PHIE, m.Trichterwinkel);
    m.Massenflusswinkel = r.angleDeg;
    m.Massenfluss = r.massFlow;
}

}  // namespace korvane
