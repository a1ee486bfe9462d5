// Geometry of the default and special silos, and the bulk density law.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "calc/engine.h"
#include "tests/common/test_silos.h"

using namespace korvane;
using korvane::test::defaultSilo;

TEST(Defaults, DefaultSiloIsTheRectangularBunker) {
    auto m = defaultSilo();
    EXPECT_EQ(m->Querschnitt, 0);
    EXPECT_TRUE(m->Schaftja);
    EXPECT_TRUE(m->Trichterja);
    EXPECT_FALSE(m->vertunten);
    EXPECT_DOUBLE_EQ(m->Fuellhoehe, 9);
    EXPECT_TRUE(m->Fuellzustand);
    EXPECT_FALSE(m->Entleerungszustand);
    EXPECT_EQ(m->Dichtemodus(), 1);
    EXPECT_DOUBLE_EQ(m->Kwert, 0.4);
    EXPECT_EQ(m->Schrittzahl, 1000);
    EXPECT_NEAR(m->TanTrichter, 0.57735, 1e-5);
    EXPECT_NEAR(m->Hspitzeauslauf, 0.86603, 1e-5);
    EXPECT_NEAR(m->Hspitzeoben, 5.19615, 1e-5);
    EXPECT_NEAR(m->Hspitzeoben - m->Hspitzeauslauf, 4.33013, 1e-5);
    EXPECT_DOUBLE_EQ(m->Flaeche, 36);
    EXPECT_DOUBLE_EQ(m->Umfang, 24);
    // Left for the form or a file to set.
    EXPECT_EQ(m->Hsilo, 0);
    EXPECT_EQ(m->Flaecheunten, 0);
    computeOutletSections(*m);
    EXPECT_DOUBLE_EQ(m->Flaecheunten, 6);
}

TEST(Defaults, KeepsTheHeightOfThePartBelow) {
    SiloModel m;
    m.Hunttricht = 2.5;
    resetToDefaults(m);
    EXPECT_DOUBLE_EQ(m.Hunttricht, 2.5);
}

TEST(Geometry, CircularCrossSectionIsNotDTimesL) {
    SiloModel m;
    m.Querschnitt = 1;
    m.Durchmesser = 4;
    m.Laenge = 7;
    computeCrossSections(m);
    EXPECT_NEAR(m.Flaeche, kPi * 4.0, 1e-12);
    EXPECT_NEAR(m.Umfang, kPi * 4.0, 1e-12);
}

TEST(Geometry, ConeOnACircularShaft) {
    // D = 4 m, heap of 30 deg with its base in the shaft.
    Heap h = computeHeap(1, 4, 0, 1, std::tan(degToRad(30)), 0, 3, 20, std::tan(degToRad(30)));
    EXPECT_NEAR(h.Hkegel, 1.1547, 1e-4);
    EXPECT_NEAR(h.Vkegel, kPi * 16 * 1.1547 / 12, 1e-3);
    EXPECT_DOUBLE_EQ(h.w, 4);
}

TEST(Geometry, ObeliskOverASquareIsAPyramid) {
    const double tb = std::tan(degToRad(35));
    Heap h = computeHeap(0, 6, 6, 1, std::tan(degToRad(30)), 0, 4.33, 20, tb);
    EXPECT_DOUBLE_EQ(h.w, 6);
    EXPECT_NEAR(h.Vkegel, 6 * 6 * h.Hkegel / 3, 1e-12);
}

TEST(Geometry, HeapBaseInTheSectionBelowTakesTheOutletWidth) {
    // Outlet 1 m, part below 2 m, fill height 2.2 m: the heap over the outlet
    // alone already reaches above the fill.
    const double tb = std::tan(degToRad(40));
    Heap h = computeHeap(1, 6, 6, 1, std::tan(degToRad(30)), 2, 4.33, 2.2, tb);
    EXPECT_DOUBLE_EQ(h.w, 1);
    EXPECT_NEAR(h.Hkegel, tb * 0.5, 1e-12);
}

TEST(Geometry, HeapBaseInTheHopperSolvesForTheWidth) {
    const double T = std::tan(degToRad(30)), tb = std::tan(degToRad(30));
    const double Hf = 3.0, d = 1.0;
    Heap h = computeHeap(1, 6, 0, d, T, 0, 4.33, Hf, tb);
    // The base lies on the hopper wall: w = d + 2 T (Hf - Hkegel).
    EXPECT_NEAR(h.w, d + 2 * T * (Hf - h.Hkegel), 1e-12);
    EXPECT_NEAR(h.Hkegel, tb * h.w / 2, 1e-12);
}

TEST(Geometry, WideObeliskInAWedgeHopperKeepsTheRidgeHeight) {
    // Rectangular bunker 6 m wide, only 2 m long: the base width exceeds L.
    const double T = std::tan(degToRad(30)), tb = std::tan(degToRad(30));
    Heap h = computeHeap(0, 6, 2, 1, T, 0, 4.33, 4.0, tb);
    EXPECT_NEAR(h.Hkegel, tb * 2 / 2, 1e-12);
    EXPECT_NEAR(h.w, 1 + 2 * T * (4.0 - tb), 1e-12);
    EXPECT_GT(h.w, 2);
}

TEST(Geometry, HeapWithoutHopperAlwaysSpansTheShaft) {
    // Shaft 6 m wide without a hopper, fill height 1.5 m, repose 30 deg: the
    // heap over the full width is tan 30 * 3 = 1.7320508 m high, more than
    // the fill. Its base must still be the shaft (a negative surface level
    // that the checks refuse), never the outlet width of 1 m, whatever the
    // hopper-angle field holds (0 after loading, 30 in the form).
    const double tb = std::tan(degToRad(30));
    for (double T : {0.0, std::tan(degToRad(30))}) {
        Heap cone = computeHeap(1, 6, 0, 1, T, 0, 0, 1.5, tb);
        EXPECT_DOUBLE_EQ(cone.w, 6) << T;
        EXPECT_NEAR(cone.Hkegel, 1.7320508, 1e-7) << T;
        EXPECT_NEAR(cone.Vkegel, kPi * 36 * 1.7320508 / 12, 1e-6) << T;
        // Obelisk 6 m x 8 m: height tan 30 * 3, volume h * 6 * (24 - 6) / 6.
        Heap ob = computeHeap(0, 6, 8, 1, T, 0, 0, 1.5, tb);
        EXPECT_DOUBLE_EQ(ob.w, 6) << T;
        EXPECT_NEAR(ob.Hkegel, 1.7320508, 1e-7) << T;
        EXPECT_NEAR(ob.Vkegel, 1.7320508 * 18, 1e-6) << T;
    }
    // With a part below the shaft (a file-only silo) a heap over the outlet
    // that reaches above the fill still stands in that part.
    Heap low = computeHeap(1, 6, 0, 1, 0, 2, 0, 2.2, std::tan(degToRad(40)));
    EXPECT_DOUBLE_EQ(low.w, 1);
}

TEST(Geometry, SurfaceAtTheHopperTopCountsTheFullFrustum) {
    auto m = defaultSilo();
    computeOutletSections(*m);
    m->Fuellhoehe = m->Hspitzeoben - m->Hspitzeauslauf;
    m->Hoberflaeche = m->Fuellhoehe;
    const double v = filledVolume(*m, nullptr);
    EXPECT_NEAR(v, frustumVolume(0, 6, m->Fuellhoehe, 1, 6), 1e-9);
    EXPECT_NEAR(frustumVolume(0, 6, m->Fuellhoehe, 1, 6), 6 * m->Fuellhoehe * 3.5, 1e-9);
}

TEST(Geometry, FilledHeightsPerSection) {
    auto m = defaultSilo();
    m->Hunttricht = 2;
    const double Hh = m->Hspitzeoben - m->Hspitzeauslauf;
    m->Fuellhoehe = 10;
    computeFilledHeights(*m);
    EXPECT_NEAR(m->Hfuellschaft, 10 - 2 - Hh, 1e-12);
    EXPECT_NEAR(m->Hfuelltrichter, Hh, 1e-12);
    m->Fuellhoehe = 3;
    computeFilledHeights(*m);
    EXPECT_EQ(m->Hfuellschaft, 0);
    EXPECT_NEAR(m->Hfuelltrichter, 1, 1e-12);
    EXPECT_EQ(m->Hfuellunten, 2);
    m->Fuellhoehe = 1.5;
    computeFilledHeights(*m);
    EXPECT_EQ(m->Hfuelltrichter, 0);
    EXPECT_EQ(m->Hfuellunten, 1.5);
}

TEST(Density, FunctionOfStress) {
    auto m = defaultSilo();
    EXPECT_DOUBLE_EQ(density(*m, 0), 2400);
    EXPECT_NEAR(density(*m, 50000), 2652.85, 0.01);
    EXPECT_NEAR(density(*m, 1e6), 2800, 1e-3);
    EXPECT_DOUBLE_EQ(density(*m, -10), 2400);
    EXPECT_DOUBLE_EQ(density(*m, std::nan("")), 2400);
    m->SIGMA0 = 0;
    EXPECT_DOUBLE_EQ(density(*m, 12345), 2400);
    m->Rhokonstant = true;
    m->RHOMIN = 1234;
    EXPECT_DOUBLE_EQ(density(*m, 1e9), 1234);
}

TEST(Density, FittedLaws) {
    SiloModel m;
    m.Rhokonstant = m.Rhofunktion = false;
    m.Messanzahl = 3;
    const double xs[] = {0, 1000, 2000, 4000}, ys[] = {0, 1500, 1600, 1650};
    for (int i = 1; i <= 3; ++i) {
        m.Messsigma[i] = xs[i];
        m.Messrho[i] = ys[i];
    }
    m.Anpassart = 3;
    EXPECT_DOUBLE_EQ(density(m, 1000), 1500);   // at a measured stress
    EXPECT_DOUBLE_EQ(density(m, 2000), 1600);
    EXPECT_DOUBLE_EQ(density(m, 1500), 1550);
    EXPECT_DOUBLE_EQ(density(m, 0), 1400);      // first segment extended
    EXPECT_DOUBLE_EQ(density(m, 4000), 1650);   // last point by the last segment
    EXPECT_DOUBLE_EQ(density(m, 6000), 1700);
    m.Anpassart = 1;
    m.AnpassA = 1000;
    m.AnpassB = 50;
    EXPECT_DOUBLE_EQ(density(m, 0.5), 1000);
    EXPECT_DOUBLE_EQ(density(m, 1), 1000);
    EXPECT_NEAR(density(m, std::exp(2.0)), 1100, 1e-9);
    m.Anpassart = 0;
    EXPECT_DOUBLE_EQ(density(m, 100), 1000 + 5000);
    m.Anpassart = 2;
    m.AnpassRHOMIN = 2400;
    m.AnpassRHOMAX = 2800;
    m.AnpassSIGMA0 = 50000;
    EXPECT_NEAR(density(m, 50000), 2652.85, 0.01);
}

TEST(Density, InterpolationWithEqualStressesAtTheEndsStaysFinite) {
    SiloModel m;
    m.Rhokonstant = m.Rhofunktion = false;
    m.Anpassart = 3;
    m.Messanzahl = 3;
    m.Messsigma[1] = 1000; m.Messrho[1] = 1500;
    m.Messsigma[2] = 1000; m.Messrho[2] = 1510;
    m.Messsigma[3] = 1000; m.Messrho[3] = 1520;
    EXPECT_TRUE(std::isfinite(density(m, 10)));
    EXPECT_TRUE(std::isfinite(density(m, 5000)));
    m.Messanzahl = 0;
    EXPECT_EQ(density(m, 10), 0);
}

TEST(Density, WorkingCopyTwinReadsTheWindowsTable) {
    DensityWorkingCopy w;
    w.Messanpassart = 3;
    w.Messpunktzahl = 2;
    w.Messtabelle[1][1] = 1000; w.Messtabelle[2][1] = 1500;
    w.Messtabelle[1][2] = 3000; w.Messtabelle[2][2] = 1600;
    EXPECT_DOUBLE_EQ(workingDensity(w, 2000), 1550);
    EXPECT_DOUBLE_EQ(workingDensity(w, -1), 1450);
}
