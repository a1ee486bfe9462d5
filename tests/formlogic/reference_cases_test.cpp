// Loaded parameter files confirmed unchanged, as the batch tool does: the
// problem code and the derived geometry written by the take-over.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/parameter_file.h"
#include "tests/common/test_silos.h"

namespace fs = std::filesystem;
using namespace korvane;
using korvane::test::defaultSilo;

namespace {

const fs::path kCases = fs::path(KORVANE_TEST_DATA) / "reference-cases";

std::string readText(const fs::path& p) {
    std::ifstream f(p);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Value of a numeric key in a flat JSON object; NAN when missing.
double jsonNumber(const std::string& json, const std::string& key) {
    const std::string k = "\"" + key + "\":";
    const size_t pos = json.find(k);
    if (pos == std::string::npos) return NAN;
    return std::strtod(json.c_str() + pos + k.size(), nullptr);
}

void expectRelative(double expected, double actual, const std::string& what) {
    const double tol = 1e-9 * std::max(1.0, std::fabs(expected));
    EXPECT_NEAR(expected, actual, tol) << what;
}

struct Loaded {
    std::unique_ptr<SiloModel> m = std::make_unique<SiloModel>();
    std::unique_ptr<DensityWorkingCopy> w = std::make_unique<DensityWorkingCopy>();
    int code = -1;
};

Loaded loadAndConfirm(const fs::path& par) {
    Loaded l;
    FileError err;
    const bool ok = readParameterFile(*l.m, par.string(), err);
    EXPECT_TRUE(ok) << par << ": " << err.reason;
    if (ok) l.code = confirmLoadedModel(*l.m, *l.w);
    return l;
}

}  // namespace

TEST(ReferenceCases, ValidFilesConfirmWithoutProblemAndGiveTheGeometry) {
    int checked = 0;
    for (int i = 1; i <= 40; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "case_%04d", i);
        const fs::path par = kCases / (std::string(name) + ".par");
        if (!fs::exists(par)) continue;
        const std::string json = readText(kCases / (std::string(name) + ".json"));
        Loaded l = loadAndConfirm(par);
        const SiloModel& m = *l.m;
        EXPECT_EQ(l.code, static_cast<int>(jsonNumber(json, "Parameterfehler"))) << name;
        expectRelative(jsonNumber(json, "Hsilo"), m.Hsilo, std::string(name) + " Hsilo");
        expectRelative(jsonNumber(json, "Hkegel"), m.Hkegel, std::string(name) + " Hkegel");
        expectRelative(jsonNumber(json, "Vkegel"), m.Vkegel, std::string(name) + " Vkegel");
        expectRelative(jsonNumber(json, "Boberflaeche"), m.Boberflaeche,
                       std::string(name) + " Boberflaeche");
        expectRelative(jsonNumber(json, "Hoberflaeche"), m.Hoberflaeche,
                       std::string(name) + " Hoberflaeche");
        expectRelative(jsonNumber(json, "Bruttovolumen"), m.Bruttovolumen,
                       std::string(name) + " Bruttovolumen");
        expectRelative(jsonNumber(json, "Fuellvolumen"), m.Fuellvolumen,
                       std::string(name) + " Fuellvolumen");
        EXPECT_EQ(m.Schrittzahl, 1000) << name;
        ++checked;
    }
    EXPECT_EQ(checked, 40);
}

TEST(ReferenceCases, InvalidFilesGiveTheCodeInTheirName) {
    int checked = 0;
    for (const auto& e : fs::directory_iterator(kCases / "invalid")) {
        const std::string file = e.path().filename().string();
        if (e.path().extension() != ".par" || file.rfind("code", 0) != 0) continue;
        const int expected = std::atoi(file.substr(4, 2).c_str());
        Loaded l = loadAndConfirm(e.path());
        EXPECT_EQ(l.code, expected) << file;
        ++checked;
    }
    EXPECT_EQ(checked, 7);
}

TEST(ConfirmLoadedModel, FittedLawTakesTheCommittedSetIntoTheWorkingCopy) {
    auto m = defaultSilo();
    m->Rhokonstant = m->Rhofunktion = false;
    m->Messanzahl = 3;
    m->Anpassart = 1;
    for (int i = 1; i <= 3; ++i) {
        m->Messsigma[i] = 1000.0 * i;
        m->Messrho[i] = 2400 + 10.0 * i;
    }
    m->AnpassA = 11;
    m->AnpassB = 22;
    auto w = std::make_unique<DensityWorkingCopy>();
    w->Messpunktzahl = 9;
    w->Messtabelle[1][5] = 42;
    EXPECT_EQ(confirmLoadedModel(*m, *w), kProblemNone);
    EXPECT_EQ(w->Messpunktzahl, 3);
    EXPECT_EQ(w->Messanpassart, 1);
    EXPECT_EQ(w->Messtabelle[1][3], 3000);
    EXPECT_EQ(w->Messtabelle[2][2], 2420);
    EXPECT_EQ(w->Messtabelle[1][5], 0);
    EXPECT_EQ(w->MessB, 22);
    // and back into the model by the take-over
    EXPECT_EQ(m->Messanzahl, 3);
    EXPECT_EQ(m->AnpassA, 11);
}

TEST(ConfirmLoadedModel, OtherLawsLeaveTheWorkingCopy) {
    auto m = defaultSilo();
    m->Messanzahl = 5;
    auto w = std::make_unique<DensityWorkingCopy>();
    w->Messpunktzahl = 2;
    w->Messtabelle[1][1] = 42;
    EXPECT_EQ(confirmLoadedModel(*m, *w), kProblemNone);
    EXPECT_EQ(w->Messpunktzahl, 2);
    // the take-over commits the working copy as it is
    EXPECT_EQ(m->Messanzahl, 2);
    EXPECT_EQ(m->Messsigma[1], 42);
}

TEST(ConfirmLoadedModel, ProblemOfTheSketchStopsBeforeTheTakeOver) {
    auto m = defaultSilo();
    m->Fuellhoehe = 11;  // above the silo's 10.33 m
    m->Schrittzahl = 700;
    auto w = std::make_unique<DensityWorkingCopy>();
    EXPECT_EQ(confirmLoadedModel(*m, *w), kProblemFillAboveSilo);
    EXPECT_EQ(m->Schrittzahl, 700);  // nothing taken over
}

TEST(ConfirmLoadedModel, RawValuesGoThroughTheFormsDisplay) {
    auto m = defaultSilo();
    m->Querschnitt = 1;
    m->Durchmesser = 14.4339953321423;
    m->Laenge = 0;
    m->Fuellhoehe = 12.123456789;
    m->Phixtrichter = degToRad(29.9999999);
    auto w = std::make_unique<DensityWorkingCopy>();
    EXPECT_EQ(confirmLoadedModel(*m, *w), kProblemNone);
    EXPECT_EQ(m->Durchmesser, 14.433995);
    EXPECT_EQ(m->Fuellhoehe, 12.123457);
    EXPECT_EQ(m->Phixtrichter, 30 * kPi / 180);
    EXPECT_EQ(m->Laenge, 0);
    EXPECT_EQ(m->Hunttricht, 0);
}

TEST(ConfirmLoadedModel, ShaftAndPartBelowWithoutHopperAsOnlyAFileHoldsIt) {
    auto m = defaultSilo();
    m->Trichterja = false;
    m->Trichterwinkel = 0;
    m->vertunten = true;
    m->Hunttricht = 2;
    m->Fuellhoehe = 5;
    auto w = std::make_unique<DensityWorkingCopy>();
    EXPECT_EQ(confirmLoadedModel(*m, *w), kProblemNone);
    EXPECT_FALSE(m->Trichterja);
    EXPECT_TRUE(m->vertunten);
    EXPECT_EQ(m->Hsilo, 8);
    EXPECT_EQ(m->Flaecheunten, 6);
    EXPECT_EQ(m->Bruttovolumen, 2 * 6 + 6 * 36);
    EXPECT_EQ(m->Fuellvolumen, 2 * 6 + 3 * 36);
}
