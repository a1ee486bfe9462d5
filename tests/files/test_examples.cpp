// The example parameter files shipped in examples/Par. They are produced by
// buildExample() below through the parameter form's take-over, as a user
// would enter them; run the test program with KORVANE_WRITE_EXAMPLES=1 to
// write them again. Every example must load, pass the form's checks and
// calculate to finite results.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/batch.h"
#include "files/parameter_file.h"
#include "test_support.h"

using namespace korvane;

namespace {

const std::string kExamples = std::string(KORVANE_TEST_DATA) + "/../../examples/Par";

const char* const kNames[] = {"Standardsilo", "Massenfluss_Kreissilo", "Bunker_Schuettkegel",
                              "Silo_Auflast_Unterteil", "Getreide_Dichtekurve"};

// Returns the take-over's problem code; the model holds the example.
int buildExample(const std::string& name, SiloModel& m) {
    if (name == "Standardsilo") {
        resetToDefaults(m);
        return 0;
    }
    FormInput in;
    auto w = std::make_unique<DensityWorkingCopy>();
    in.kFromFriction = in.kFixed = in.kOwnValue = false;
    if (name == "Massenfluss_Kreissilo") {
        // Steep cone, smooth wall: mass flow in the discharge state.
        in.stressState = 1;
        in.crossSection = 0;
        in.constantDensity = false; in.densityFunction = true;
        in.rhoMin = "1400"; in.rhoMax = "1600"; in.sigma0 = "30000";
        in.internalFriction = "40";
        in.kFixed = true;
        in.shaftHeight = "8"; in.Phixschaft = "25";
        in.diameterOrWidth = "4"; in.rectangleLength = "4";
        in.hopperAngle = "15"; in.outletWidth = "0.5"; in.Phixtrichter = "20"; in.PHIXTrichterStirnwand = "20";
        in.fillHeight = "13";
    } else if (name == "Bunker_Schuettkegel") {
        // Rectangular bunker with a wedge hopper and a heap.
        in.stressState = 0;
        in.crossSection = 1;
        in.constantDensity = true; in.densityFunction = false;
        in.rhoMin = "1700"; in.rhoMax = "1900"; in.sigma0 = "50000";
        in.internalFriction = "38";
        in.kFromFriction = true;
        in.shaftHeight = "4"; in.Phixschaft = "28";
        in.diameterOrWidth = "5"; in.rectangleLength = "8";
        in.hopperAngle = "35"; in.outletWidth = "0.8"; in.Phixtrichter = "26"; in.PHIXTrichterStirnwand = "28";
        in.flatSurface = false; in.heap = true; in.boeschwinkel = "32";
        in.fillHeight = "6.5";
    } else if (name == "Silo_Auflast_Unterteil") {
        // Circular silo with a vertical section below the cone and a surcharge.
        in.stressState = 0;
        in.crossSection = 0;
        in.constantDensity = false; in.densityFunction = true;
        in.rhoMin = "1100"; in.rhoMax = "1250"; in.sigma0 = "40000";
        in.internalFriction = "35";
        in.kOwnValue = true; in.kValue = "0.45";
        in.shaftHeight = "10"; in.Phixschaft = "22";
        in.diameterOrWidth = "6"; in.rectangleLength = "6";
        in.hopperAngle = "30"; in.outletWidth = "1.5"; in.Phixtrichter = "24";
        in.vertunten = true; in.Hunttricht = "1.5"; in.Phixunten = "22";
        in.flatSurface = false; in.surcharge = true; in.surchargeStress = "5000";
        in.fillHeight = "14";
    } else if (name == "Getreide_Dichtekurve") {
        // Grain with an exponential law fitted to seven measured points.
        in.stressState = 0;
        in.crossSection = 0;
        in.constantDensity = false; in.densityFunction = false; in.fittedDensity = true;
        in.rhoMin = "760"; in.rhoMax = "830"; in.sigma0 = "40000";
        in.internalFriction = "30";
        in.kFromFriction = true;
        in.shaftHeight = "20"; in.Phixschaft = "22";
        in.diameterOrWidth = "8"; in.rectangleLength = "8";
        in.hopperAngle = "35"; in.outletWidth = "0.6"; in.Phixtrichter = "25";
        in.fillHeight = "24";
        const double sigma[] = {1000, 5000, 10000, 20000, 40000, 80000, 150000};
        const double rho[] = {760, 772, 782, 795, 808, 818, 824};
        for (int j = 1; j <= 7; ++j) {
            w->Messtabelle[1][j] = sigma[j - 1];
            w->Messtabelle[2][j] = rho[j - 1];
        }
        w->Messpunktzahl = 7;
        w->Messanpassart = 2;
        fit(*w);
    } else {
        return -1;
    }
    clearResults(m);
    return takeOver(m, in, *w);
}

}  // namespace

TEST(Examples, WriteWhenAsked) {
    if (!std::getenv("KORVANE_WRITE_EXAMPLES")) GTEST_SKIP() << "set KORVANE_WRITE_EXAMPLES=1 to write";
    std::filesystem::create_directories(kExamples);
    for (const char* n : kNames) {
        auto m = ktest::freshModel();
        ASSERT_EQ(buildExample(n, *m), 0) << n;
        FileError err;
        ASSERT_TRUE(writeParameterFile(*m, kExamples + "/" + n + ".par", err)) << err.reason;
    }
}

TEST(Examples, EachLoadsConfirmsAndCalculates) {
    for (const char* n : kNames) {
        const std::string path = kExamples + "/" + n + ".par";
        ASSERT_TRUE(std::filesystem::exists(path)) << path;
        auto m = ktest::freshModel();
        ktest::TempDir d;
        BatchResult r = runBatch(*m, path, d.file("r.txt"), 1);
        ASSERT_EQ(r.exitCode, kExitOk) << n << ": " << r.message;
        EXPECT_GT(m->Fuellmenge, 0) << n;
        EXPECT_GT(m->SIGMAV[m->Indexende], 0) << n;
        EXPECT_GT(ktest::crlfLines(ktest::slurp(d.file("r.txt"))).size(), 1000u) << n;

        // The file holds what the example's builder enters.
        auto b = ktest::freshModel();
        ASSERT_EQ(buildExample(n, *b), 0) << n;
        auto l = ktest::freshModel();
        FileError err;
        ASSERT_TRUE(readParameterFile(*l, path, err));
        EXPECT_NEAR(l->Fuellhoehe, b->Fuellhoehe, 1e-12) << n;
        EXPECT_NEAR(l->PHIE, b->PHIE, 1e-14) << n;
        EXPECT_EQ(l->Querschnitt, b->Querschnitt) << n;
        EXPECT_EQ(l->Entleerungszustand, b->Entleerungszustand) << n;
        EXPECT_EQ(l->Schuettkegel, b->Schuettkegel) << n;
        EXPECT_EQ(l->vertunten, b->vertunten) << n;
        EXPECT_EQ(l->Messanzahl, b->Messanzahl) << n;
    }
}

TEST(Examples, EachShowsWhatItIsFor) {
    auto m = ktest::freshModel();
    ktest::TempDir d;
    ASSERT_EQ(runBatch(*m, kExamples + "/Standardsilo.par", "", 1).exitCode, 0);
    EXPECT_EQ(m->Querschnitt, 0);
    EXPECT_NEAR(m->Flaeche, 36, 1e-12);
    EXPECT_EQ(m->Indexende, 2000);

    m = ktest::freshModel();
    ASSERT_EQ(runBatch(*m, kExamples + "/Massenfluss_Kreissilo.par", "", 1).exitCode, 0);
    EXPECT_TRUE(m->Entleerungszustand);
    EXPECT_TRUE(m->Massenfluss);

    m = ktest::freshModel();
    ASSERT_EQ(runBatch(*m, kExamples + "/Bunker_Schuettkegel.par", "", 1).exitCode, 0);
    EXPECT_GT(m->Hkegel, 0);
    EXPECT_GT(m->SIGMAV[0], 0);

    m = ktest::freshModel();
    ASSERT_EQ(runBatch(*m, kExamples + "/Silo_Auflast_Unterteil.par", "", 1).exitCode, 0);
    EXPECT_EQ(m->Indexende, 3000);
    EXPECT_DOUBLE_EQ(static_cast<double>(m->SIGMAV[0]), 5000);

    m = ktest::freshModel();
    ASSERT_EQ(runBatch(*m, kExamples + "/Getreide_Dichtekurve.par", "", 1).exitCode, 0);
    EXPECT_EQ(m->Dichtemodus(), 2);
    EXPECT_EQ(m->Anpassart, 2);
    EXPECT_EQ(m->Messanzahl, 7);
    EXPECT_GT(m->AnpassRHOMAX, 824);
    EXPECT_LT(m->AnpassRHOMIN, 770);
}
