// A model just loaded is completed from the file's own values by the same
// checks and derivations as the form's take-over: its results are those of
// opening the file and confirming the form with OK.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/result_file.h"
#include "tests/common/test_silos.h"

namespace fs = std::filesystem;
using namespace korvane;
using korvane::test::calculateAgain;
using korvane::test::startedFrom;

namespace {

const fs::path kData = fs::path(KORVANE_TEST_DATA);
const fs::path kExamples = kData / ".." / ".." / "examples" / "Par";

std::vector<fs::path> parFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().extension() == ".par") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

// A started program: the default silo calculated once, then the file loaded.

struct Outcome {
    int code;
    std::string results;  // the result file's text
    double contents, outletStress;
};

// Open, then OK: the form shows the model and takes it over.
Outcome openAndConfirm(const fs::path& par) {
    auto m = startedFrom(par);
    auto w = std::make_unique<DensityWorkingCopy>();
    Outcome o{confirmLoadedModel(*m, *w), "", 0, 0};
    if (o.code == 0) calculateAgain(*m);
    o.results = resultFileText(*m);
    o.contents = m->Fuellmenge;
    o.outletStress = static_cast<double>(m->SIGMAV[m->Indexende]);
    return o;
}

// Open, then Abbrechen: only what the open command derived.
Outcome openAndCancel(const fs::path& par) {
    auto m = startedFrom(par);
    Outcome o{deriveLoadedModel(*m), "", 0, 0};
    if (o.code == 0) calculateAgain(*m);
    o.results = resultFileText(*m);
    o.contents = m->Fuellmenge;
    o.outletStress = static_cast<double>(m->SIGMAV[m->Indexende]);
    return o;
}

}  // namespace

TEST(DeriveLoadedModel, ExamplesGiveTheResultsOfOk) {
    const auto files = parFiles(kExamples);
    ASSERT_EQ(files.size(), 5u);
    for (const fs::path& par : files) {
        const Outcome ok = openAndConfirm(par);
        const Outcome cancel = openAndCancel(par);
        ASSERT_EQ(ok.code, 0) << par;
        EXPECT_EQ(cancel.code, 0) << par;
        EXPECT_EQ(cancel.results, ok.results) << par;
    }
}

// The reference cases include values with more digits than the form shows:
// there OK works on the display's rounding, the open command on the file's
// values, and the two agree within the rounding.
TEST(DeriveLoadedModel, ReferenceCasesAgreeWithOkWithinTheDisplayRounding) {
    int checked = 0;
    for (const fs::path& par : parFiles(kData / "reference-cases")) {
        const Outcome ok = openAndConfirm(par);
        const Outcome cancel = openAndCancel(par);
        EXPECT_EQ(cancel.code, ok.code) << par;
        EXPECT_NEAR(cancel.contents, ok.contents, 1e-7 * std::fabs(ok.contents)) << par;
        EXPECT_NEAR(cancel.outletStress, ok.outletStress, 1e-7 * std::fabs(ok.outletStress) + 1e-9)
            << par;
        ++checked;
    }
    EXPECT_EQ(checked, 40);
}

TEST(DeriveLoadedModel, FilesWithAProblemGiveItsCode) {
    int checked = 0;
    for (const fs::path& par : parFiles(kData / "reference-cases" / "invalid")) {
        const std::string file = par.filename().string();
        auto m = startedFrom(par);
        EXPECT_EQ(deriveLoadedModel(*m), std::stoi(file.substr(4, 2))) << file;
        ++checked;
    }
    EXPECT_EQ(checked, 7);
}

TEST(DeriveLoadedModel, KeepsTheFilesValuesAtFullPrecision) {
    // Values with more digits than the form's eight, angles included.
    auto m = korvane::test::defaultSilo();
    m->Durchmesser = 6.123456789012;
    m->Fuellhoehe = 9.87654321098765;
    m->PHIE = degToRad(40.1234567890123);
    m->Trichterwinkel = degToRad(29.9876543210987);
    const SiloModel before = *m;
    ASSERT_EQ(deriveLoadedModel(*m), 0);
    EXPECT_EQ(m->Durchmesser, before.Durchmesser);
    EXPECT_EQ(m->Fuellhoehe, before.Fuellhoehe);
    EXPECT_EQ(m->PHIE, before.PHIE);
    EXPECT_EQ(m->Trichterwinkel, before.Trichterwinkel);
    EXPECT_EQ(m->Schrittzahl, 1000);
    EXPECT_GT(m->Hsilo, 0);
    EXPECT_GT(m->Fuellvolumen, 0);
}

TEST(DeriveLoadedModel, LeavesTheCommittedMeasuredSetAlone) {
    auto m = korvane::test::defaultSilo();  // density function
    m->Messanzahl = 3;
    m->Messsigma[2] = 1234;
    m->AnpassA = 77;
    ASSERT_EQ(deriveLoadedModel(*m), 0);
    EXPECT_EQ(m->Messanzahl, 3);
    EXPECT_EQ(m->Messsigma[2], 1234);
    EXPECT_EQ(m->AnpassA, 77);
}
