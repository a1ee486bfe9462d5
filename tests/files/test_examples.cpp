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
    in.RadioButton5 = in.RadioButton6 = in.RadioButton7 = false;
    if (name == "Massenfluss_Kreissilo") {
        // Steep cone, smooth wall: mass flow in the discharge state.
        in.RadioGroup4 = 1;
        in.RadioGroup1 = 0;
        in.Rhokonst = false; in.Rhofunkt = true;
        in.Edit17 = "1400"; in.Edit18 = "1600"; in.Edit19 = "30000";
        in.Edit15 = "40";
        in.RadioButton6 = true;
        in.Edit2 = "8"; in.Phixschaft = "25";
        in.Edit4 = "4"; in.Edit27 = "4";
        in.Edit6 = "15"; in.Edit7 = "0.5"; in.Phixtrichter = "20"; in.PHIXTrichterStirnwand = "20";
        in.Edit5 = "13";
    } else if (name == "Bunker_Schuettkegel") {
        // Rectangular bunker with a wedge hopper and a heap.
        in.RadioGroup4 = 0;
        in.RadioGroup1 = 1;
        in.Rhokonst = true; in.Rhofunkt = false;
        in.Edit17 = "1700"; in.Edit18 = "1900"; in.Edit19 = "50000";
        in.Edit15 = "38";
        in.RadioButton5 = true;
        in.Edit2 = "4"; in.Phixschaft = "28";
        in.Edit4 = "5"; in.Edit27 = "8";
        in.Edit6 = "35"; in.Edit7 = "0.8"; in.Phixtrichter = "26"; in.PHIXTrichterStirnwand = "28";
        in.RadioButton1 = false; in.boeschungsw = true; in.boeschwinkel = "32";
        in.Edit5 = "6.5";
    } else if (name == "Silo_Auflast_Unterteil") {
        // Circular silo with a vertical section below the cone and a surcharge.
        in.RadioGroup4 = 0;
        in.RadioGroup1 = 0;
        in.Rhokonst = false; in.Rhofunkt = true;
        in.Edit17 = "1100"; in.Edit18 = "1250"; in.Edit19 = "40000";
        in.Edit15 = "35";
        in.RadioButton7 = true; in.Edit31 = "0.45";
        in.Edit2 = "10"; in.Phixschaft = "22";
        in.Edit4 = "6"; in.Edit27 = "6";
        in.Edit6 = "30"; in.Edit7 = "1.5"; in.Phixtrichter = "24";
        in.vertunten = true; in.Hunttricht = "1.5"; in.Phixunten = "22";
        in.RadioButton1 = false; in.Auflast = true; in.Edit1 = "5000";
        in.Edit5 = "14";
    } else if (name == "Getreide_Dichtekurve") {
        // Grain with an exponential law fitted to seven measured points.
        in.RadioGroup4 = 0;
        in.RadioGroup1 = 0;
        in.Rhokonst = false; in.Rhofunkt = false; in.Rhoanpass = true;
        in.Edit17 = "760"; in.Edit18 = "830"; in.Edit19 = "40000";
        in.Edit15 = "30";
        in.RadioButton5 = true;
        in.Edit2 = "20"; in.Phixschaft = "22";
        in.Edit4 = "8"; in.Edit27 = "8";
        in.Edit6 = "35"; in.Edit7 = "0.6"; in.Phixtrichter = "25";
        in.Edit5 = "24";
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
        ASSERT_TRUE(Parameterdatei_schreiben(*m, kExamples + "/" + n + ".par", err)) << err.reason;
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
        ASSERT_TRUE(Parameterdatei_lesen(*l, path, err));
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
