// The calculation driver: Janssen slices, hopper, heap, index layout, and
// states that must never crash or hang.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "calc/engine.h"

using namespace korvane;

namespace {

// A circular shaft only, constant density, the geometry derived as the
// parameter form would.
std::unique_ptr<SiloModel> circularShaft(double D, double H, double fill) {
    auto m = std::make_unique<SiloModel>();
    resetToDefaults(*m);
    m->Querschnitt = 1;
    m->Durchmesser = D;
    m->Trichterja = false;
    m->Hschaft = H;
    m->Fuellhoehe = fill;
    m->Rhokonstant = true;
    m->RHOMIN = 1000;
    computeCrossSections(*m);
    computeOutletSections(*m);
    computeHopperApex(*m);
    m->Hsilo = H;
    m->Hoberflaeche = fill;
    computeFilledHeights(*m);
    return m;
}

void run(SiloModel& m) {
    clearResults(m);
    prepare(m, false);
    calculate(m);
}

}  // namespace

TEST(Janssen, ConstantDensityMatchesTheClosedForm) {
    auto m = circularShaft(4, 25, 20);
    run(*m);
    const double q = 4 * 0.4 * std::tan(degToRad(30)) / 4;
    const double janssen = kGravity * 1000 / q * (1 - std::exp(-q * 20));
    EXPECT_NEAR(static_cast<double>(m->SIGMAV[1000]), 42060, 10);
    EXPECT_NEAR(static_cast<double>(m->SIGMAV[1000]), janssen, 0.01);
    for (int i : {1, 250, 1000}) {
        EXPECT_NEAR(static_cast<double>(m->SIGMAW[i]), 0.4 * static_cast<double>(m->SIGMAV[i]), 1e-9);
    }
    EXPECT_EQ(m->Indexanfang, 1);
    EXPECT_EQ(m->Indexende, 1000);
    EXPECT_NEAR(m->Fuellmenge, 1000 * kPi * 4 * 20, 1e-6);
}

TEST(Janssen, SurchargeDecaysWithoutWeight) {
    auto m = circularShaft(4, 25, 20);
    m->RHOMIN = 1e-12;
    m->Auflastspannung = 10000;
    run(*m);
    const double q = 0.4 * std::tan(degToRad(30));
    EXPECT_NEAR(static_cast<double>(m->SIGMAV[1000]), 10000 * std::exp(-q * 20), 0.01);
}

TEST(Driver, OnlyAHopper) {
    SiloModel m;
    resetToDefaults(m);
    m.Schaftja = false;
    m.Hschaft = 0;
    m.Fuellhoehe = 3;
    m.Auflastspannung = 500;
    computeOutletSections(m);
    m.Hoberflaeche = 3;
    m.Boberflaeche = 2 * m.TanTrichter * 3 + 1;
    computeFilledHeights(m);
    run(m);
    EXPECT_EQ(m.Indexanfang, 1001);
    EXPECT_EQ(m.Indexende, 2000);
    EXPECT_EQ(m.SIGMAV[1000], 500);
    // Surface in the hopper: the slices start at the surface's apex distance.
    EXPECT_NEAR(static_cast<double>(m.Rtrichter[1001]), 0.5 * m.Boberflaeche / m.TanTrichter, 1e-12);
    EXPECT_NEAR(static_cast<double>(m.Dz[1001]) * 1000, 3, 1e-9);
    EXPECT_GT(m.SIGMAV[2000], 0);
}

TEST(Driver, FillEndingInThePartBelow) {
    SiloModel m;
    resetToDefaults(m);
    m.vertunten = true;
    m.Hunttricht = 2;
    m.Fuellhoehe = 1.5;
    m.Auflastspannung = 100;
    computeOutletSections(m);
    m.Hoberflaeche = 1.5;
    computeFilledHeights(m);
    run(m);
    EXPECT_EQ(m.Indexende, 3000);
    for (int i = 1; i < 1000; ++i) ASSERT_EQ(m.SIGMAV[i], 0) << i;
    for (int i = 1001; i < 2000; ++i) ASSERT_EQ(m.SIGMAV[i], 0) << i;
    EXPECT_EQ(m.SIGMAV[1000], 100);
    EXPECT_EQ(m.SIGMAV[2000], 100);
    EXPECT_NEAR(static_cast<double>(m.Dz[2001]) * 1000, 1.5, 1e-9);
}

TEST(Driver, ConeHeapAddsItsMassAndSetsTheSurfaceStress) {
    auto m = circularShaft(4, 25, 20);
    m->Schuettkegel = true;
    m->boeschwinkel = degToRad(30);
    Heap h = computeHeap(1, 4, 0, 1, 0, 0, 0, 20, std::tan(m->boeschwinkel));
    m->Hkegel = h.Hkegel;
    m->Vkegel = h.Vkegel;
    m->Boberflaeche = h.w;
    m->Auflastspannung = 99999;  // ignored with a heap
    m->Hoberflaeche = 20 - h.Hkegel;
    computeFilledHeights(*m);
    run(*m);
    const double heapMass = 1000 * kPi * 16 * h.Hkegel / 12;
    EXPECT_NEAR(static_cast<double>(m->SIGMAV[0]), kGravity * heapMass / (kPi * 4), 1e-6);
    const double shaftMass = 1000 * kPi * 4 * (20 - h.Hkegel);
    EXPECT_NEAR(m->Fuellmenge, heapMass + shaftMass, 1e-6);
}

TEST(Driver, RectangularObeliskMassMatchesItsVolume) {
    SiloModel m;
    resetToDefaults(m);
    m.Rhokonstant = true;
    m.RHOMIN = 800;
    m.Laenge = 10;
    m.Schuettkegel = true;
    m.boeschwinkel = degToRad(30);
    computeCrossSections(m);
    computeOutletSections(m);
    const double Hh = m.Hspitzeoben - m.Hspitzeauslauf;
    Heap h = computeHeap(0, 6, 10, 1, m.TanTrichter, 0, Hh, 9, std::tan(m.boeschwinkel));
    m.Hkegel = h.Hkegel;
    m.Boberflaeche = h.w;
    m.Vkegel = h.Vkegel;
    m.Hoberflaeche = 9 - h.Hkegel;
    computeFilledHeights(m);
    clearResults(m);
    prepare(m, false);
    m.Schaftja = false;  // weigh the heap alone
    m.Trichterja = false;
    calculate(m);
    EXPECT_NEAR(m.Fuellmenge, 800 * h.Vkegel, 1e-6);
}

TEST(Driver, RunningTwiceGivesIdenticalResults) {
    auto a = std::make_unique<SiloModel>();
    prepare(*a, true);
    computeOutletSections(*a);
    calculate(*a);
    auto b = std::make_unique<SiloModel>(*a);
    clearResults(*b);
    prepare(*b, false);
    calculate(*b);
    EXPECT_EQ(std::memcmp(a->SIGMAV, b->SIGMAV, sizeof a->SIGMAV), 0);
    EXPECT_EQ(a->Fuellmenge, b->Fuellmenge);
    EXPECT_TRUE(resultsFinite(*b));
}

TEST(Driver, DefaultSiloFillingState) {
    SiloModel m;
    prepare(m, true);
    calculate(m);
    EXPECT_EQ(m.Indexanfang, 1);
    EXPECT_EQ(m.Indexende, 2000);
    EXPECT_GT(m.SIGMAV[2000], 0);
    EXPECT_GT(m.Fuellmenge, 0);
    EXPECT_TRUE(resultsFinite(m));
}

TEST(Driver, FittedLawBeyondTheMeasuredRangeIsFlagged) {
    auto m = circularShaft(4, 25, 20);
    m->Rhokonstant = m->Rhofunktion = false;
    m->Anpassart = 0;
    m->AnpassA = 1000;
    m->AnpassB = 0;
    m->Messanzahl = 2;
    m->Messsigma[1] = 100; m->Messsigma[2] = 1000;
    m->Messrho[1] = 1000; m->Messrho[2] = 1000;
    run(*m);
    EXPECT_TRUE(m->Messbereichueberschritten);
    m->Messsigma[2] = 1e9;
    run(*m);
    EXPECT_FALSE(m->Messbereichueberschritten);
}

TEST(Robustness, GarbageStatesNeverCrash) {
    // Fresh model (all zero) calculated without defaults, zero areas, a circular
    // silo with length 0, huge slice counts, an unknown fit kind.
    auto m = std::make_unique<SiloModel>();
    prepare(*m, false);
    calculate(*m);
    m->Schrittzahl = 100000;
    m->Trichterja = true;
    m->vertunten = true;
    m->Fuellhoehe = 5;
    prepare(*m, false);
    calculate(*m);
    EXPECT_LE(m->Gesamtschritte, 3 * kMaxSchrittzahl);
    m->Schrittzahl = -5;
    clearResults(*m);
    prepare(*m, false);
    calculate(*m);
    m->Rhokonstant = m->Rhofunktion = false;
    m->Anpassart = 7;
    m->Messanzahl = 99;
    m->Schrittzahl = 1000;
    prepare(*m, false);
    calculate(*m);
    // The engine says when a state gave no usable numbers.
    m->Querschnitt = 1;
    m->Laenge = 0;
    m->Durchmesser = 0;
    m->Schuettkegel = true;
    prepare(*m, false);
    calculate(*m);
    SUCCEED();
}

TEST(Robustness, NonFiniteResultsAreReported) {
    SiloModel m;
    prepare(m, true);
    m.Umfang = std::nan("");
    calculate(m);
    EXPECT_FALSE(resultsFinite(m));
}
