// Hopper coefficients (Motzkus, Jenike / Arnold-McLean), the mass-flow
// limit, and the curve fit of density measurements.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "calc/engine.h"
#include "tests/common/test_silos.h"

using namespace korvane;
using korvane::test::defaultSilo;

TEST(Filling, MotzkusForTheDefaultWedge) {
    auto m = defaultSilo();
    fillingCoefficients(*m);
    EXPECT_NEAR(m->TrichterF, 0.62507, 1e-5);
    EXPECT_NEAR(m->TrichterN, 0.25013, 1e-5);
    EXPECT_NEAR(m->Stirnwandterm, 0.076980, 1e-6);
}

TEST(Filling, ConeDoublesTheExponentAndHasNoEndWalls) {
    auto m = defaultSilo();
    m->Querschnitt = 1;
    fillingCoefficients(*m);
    EXPECT_NEAR(m->TrichterN, 0.50026, 1e-5);
    EXPECT_NEAR(m->TrichterF, 0.62507, 1e-5);
    EXPECT_EQ(m->Stirnwandterm, 0);
    // A circular silo ignores its length field, even when it holds 0.
    m->Laenge = 0;
    fillingCoefficients(*m);
    EXPECT_EQ(m->Stirnwandterm, 0);
    dischargeCoefficients(*m);
    EXPECT_EQ(m->Stirnwandterm, 0);
}

TEST(Filling, SteepHopperSwitchesToK1) {
    auto m = defaultSilo();
    m->Trichterwinkel = degToRad(38);
    fillingCoefficients(*m);
    const double f38 = m->TrichterF, n38 = m->TrichterN;
    m->Trichterwinkel = degToRad(40);  // above the limit of about 38.93 deg
    fillingCoefficients(*m);
    // With lambda = K1 the F changes, but the wall-friction term K1 t sin(2 theta)
    // does not depend on lambda: check F against the closed form with K1.
    const double a = std::pow(std::sin(degToRad(30)), 2), b = std::pow(std::sin(degToRad(40)), 2);
    const double R = std::sqrt((1 - a) * (b - a));
    const double K1 = (1 - a - R) / (1 + a + R);
    const double t = std::tan(degToRad(30)), th = degToRad(40);
    EXPECT_NEAR(m->TrichterF, (1 + K1) / 2 - (1 - K1) / 2 * std::cos(2 * th) + K1 * t * std::sin(2 * th), 1e-12);
    EXPECT_NE(m->TrichterF, f38);
    EXPECT_NE(m->TrichterN, n38);  // N follows cot(theta)
}

// The radial stress field's discharge coefficients. The cone's F is the
// wedge's (S/2)/D with its own D: a cone once took F = S/D, twice the field.
TEST(Discharge, CoefficientsOfConeAndWedge) {
    struct Case {
        const char* what;
        int cone;
        double theta, phix;  // deg; PHIE stays the default 40 deg
        double F, N, angleDeg;
        bool massFlow;
    };
    const Case cases[] = {
        {"default wedge", 0, 30, 30, 1.7337, 2.4675, 19.03, false},
        {"default as cone", 1, 30, 30, 1.3421, 3.3685, 10.53, false},
        {"steep cone", 1, 15, 20, 2.2970, -1, 24.99, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto m = defaultSilo();
        m->setSpannungszustand(1);
        m->Querschnitt = static_cast<std::uint8_t>(c.cone);
        m->Trichterwinkel = degToRad(c.theta);
        m->Phixtrichter = degToRad(c.phix);
        dischargeCoefficients(*m);
        EXPECT_NEAR(m->TrichterF, c.F, 1e-4);
        if (c.N >= 0) { EXPECT_NEAR(m->TrichterN, c.N, 1e-4); }
        const double tt = std::tan(degToRad(c.theta)), tx = std::tan(degToRad(c.phix));
        EXPECT_NEAR(m->TrichterN, (c.cone + 1) * (m->TrichterF * (1 + tx / tt) - 1), 1e-12);
        EXPECT_NEAR(m->Massenflusswinkel, c.angleDeg, 0.01);
        EXPECT_EQ(m->Massenfluss, c.massFlow);
    }
}

TEST(MassFlow, ThreeDegreesOrLessOfFrictionDifferenceIsFunnelFlow) {
    EXPECT_FALSE(massFlowCheck(1, degToRad(37), degToRad(40), degToRad(1)).massFlow);
    EXPECT_FALSE(massFlowCheck(0, degToRad(37), degToRad(40), degToRad(1)).massFlow);
    // Just above 3 degrees the steep wedge flows (its limit is about 9.4 deg).
    MassFlow wedge = massFlowCheck(0, degToRad(36.9), degToRad(40), degToRad(1));
    EXPECT_NEAR(wedge.angleDeg, 9.45, 0.05);
    EXPECT_TRUE(wedge.massFlow);
}

TEST(MassFlow, LowInternalFrictionConeReportsFunnelFlowNotNaN) {
    for (double phie : {5.0, 10.0, 19.0, 19.4}) {
        MassFlow r = massFlowCheck(1, degToRad(2), degToRad(phie), degToRad(1));
        EXPECT_FALSE(r.massFlow) << phie;
        EXPECT_TRUE(std::isfinite(r.angleDeg)) << phie;
    }
    // Wall friction above the internal friction: no finite limit either.
    MassFlow r = massFlowCheck(1, degToRad(45), degToRad(40), degToRad(1));
    EXPECT_FALSE(r.massFlow);
    EXPECT_TRUE(std::isfinite(r.angleDeg));
}

TEST(Fit, LinearThroughTwoPoints) {
    DensityWorkingCopy w;
    w.Messpunktzahl = 2;
    w.Messanpassart = 0;
    w.Messtabelle[1][1] = 1000; w.Messtabelle[2][1] = 1500;
    w.Messtabelle[1][2] = 3000; w.Messtabelle[2][2] = 1600;
    fit(w);
    EXPECT_NEAR(w.MessB, 0.05, 1e-12);
    EXPECT_NEAR(w.MessA, 1450, 1e-9);
}

TEST(Fit, LogarithmicLeavesOutThePointAtOnePascal) {
    DensityWorkingCopy w;
    w.Messpunktzahl = 3;
    w.Messanpassart = 1;
    const double s[] = {0, 1, 100, 10000}, r[] = {0, 5000, 1200, 1400};
    for (int i = 1; i <= 3; ++i) { w.Messtabelle[1][i] = s[i]; w.Messtabelle[2][i] = r[i]; }
    fit(w);
    // ln 1 = 0: the fit runs through the other two points only.
    EXPECT_NEAR(w.MessB, 200 / std::log(100.0), 1e-9);
    EXPECT_NEAR(w.MessB * std::log(100.0) + w.MessA, 1200, 1e-9);
}

TEST(Fit, ExponentialSearchOnPointsOfTheLaw) {
    DensityWorkingCopy w;
    const double s[] = {1000, 5000, 10000, 20000, 50000, 100000, 200000};
    w.Messpunktzahl = 7;
    w.Messanpassart = 2;
    for (int i = 0; i < 7; ++i) {
        w.Messtabelle[1][i + 1] = s[i];
        w.Messtabelle[2][i + 1] = 2400 + 400 * (1 - std::exp(-s[i] / 50000));
    }
    fit(w);
    EXPECT_NEAR(w.MessSIGMA0, 55430, 5);
    EXPECT_NEAR(w.MessRHOMIN, 2414.7, 0.05);
    EXPECT_NEAR(w.MessRHOMAX, 2806.67, 0.01);
    // Stopped in the fourth round: RHOMAX = 1.001^5 times the start value.
    EXPECT_NEAR(w.MessRHOMAX, 1.001 * w.Messtabelle[2][7] * std::pow(1.001, 4), 1e-6);
}

TEST(Fit, ExponentialSearchEndsOnLinearData) {
    DensityWorkingCopy w;
    w.Messpunktzahl = 50;
    w.Messanpassart = 2;
    for (int i = 1; i <= 50; ++i) {
        w.Messtabelle[1][i] = 1000.0 * i;
        w.Messtabelle[2][i] = 1000 + 0.01 * 1000.0 * i;
    }
    fit(w);  // must return: the search is capped
    EXPECT_GT(w.MessRHOMAX, 1500);
}
