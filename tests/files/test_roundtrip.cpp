// What the program saves, it loads again: load -> save -> load gives the same
// model, for the reference and example files and for extreme values; a model
// holding a value no file can carry is refused instead of written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>

#include "calc/engine.h"
#include "files/parameter_file.h"
#include "test_support.h"

using namespace korvane;

namespace {

// Every value the file carries, in the file's order.
std::vector<double> inputsOf(const SiloModel& m) {
    std::vector<double> v = {double(m.Schrittzahl), double(m.Rhokonstant), double(m.Rhofunktion),
                             m.RHOMIN, m.RHOMAX, m.SIGMA0};
    if (!m.Rhokonstant && !m.Rhofunktion) {
        v.insert(v.end(), {double(m.Anpassart), double(m.Messanzahl), m.AnpassA, m.AnpassB,
                           m.AnpassRHOMIN, m.AnpassRHOMAX, m.AnpassSIGMA0});
        for (int i = 1; i <= m.Messanzahl && i <= kMaxPairs; ++i)
            v.insert(v.end(), {m.Messsigma[i], m.Messrho[i]});
    }
    v.insert(v.end(), {m.PHIE, m.Phixschaft, m.Phixtrichter, m.Phixunten, double(m.Kwahl), m.Kwert,
                       double(m.Fuellzustand), double(m.Querschnitt), m.Durchmesser, m.Laenge,
                       double(m.Trichterja), m.Trichterwinkel, m.Auslauf, double(m.Schaftja),
                       m.Hschaft, double(m.vertunten), m.Hunttricht, double(m.Schuettkegel),
                       m.boeschwinkel, m.Auflastspannung, m.Fuellhoehe, m.PhixStirnwand});
    v.insert(v.end(), {m.ENaK, m.ENamu, m.ENaphi, double(m.ENdynamisch), double(m.ENphirja), m.ENphir,
                       double(m.ENpatch), m.ENCop});
    return v;
}

// The property: a file that loads is saved as one that loads again to the
// same model, as far as the file's 15 significant digits carry it, and a
// saved file is saved again unchanged.
void expectRoundTrip(const std::string& path, const std::string& name) {
    ktest::TempDir d;
    auto first = ktest::freshModel(), second = ktest::freshModel(), third = ktest::freshModel();
    FileError err;
    ASSERT_TRUE(readParameterFile(*first, path, err)) << name << ": " << err.reason;
    ASSERT_TRUE(writeParameterFile(*first, d.file("1.par"), err)) << name << ": " << err.reason;
    ASSERT_TRUE(readParameterFile(*second, d.file("1.par"), err))
        << name << " saved: line " << err.line << " " << err.reason;
    ASSERT_TRUE(writeParameterFile(*second, d.file("2.par"), err)) << name << ": " << err.reason;
    ASSERT_TRUE(readParameterFile(*third, d.file("2.par"), err)) << name << ": " << err.reason;
    EXPECT_EQ(ktest::slurp(d.file("2.par")), ktest::slurp(d.file("1.par"))) << name;
    EXPECT_EQ(inputsOf(*third), inputsOf(*second)) << name;
    const auto a = inputsOf(*first), b = inputsOf(*second);
    ASSERT_EQ(a.size(), b.size()) << name;
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_TRUE(std::isfinite(b[i])) << name << " #" << i;
        EXPECT_LE(std::fabs(a[i] - b[i]), 2e-14 * std::fabs(a[i])) << name << " #" << i;
    }
}

std::vector<std::string> constantLines() {
    return {"1000", "1", "0", "2400", "2800", "50000", "40", "30", "30", "30",
            "1", "0.4", "1", "0", "6", "6", "1", "30", "1", "1", "6", "0", "0", "1", "30",
            "0", "9", "30"};
}

}  // namespace

TEST(RoundTrip, ReferenceAndExampleFilesLoadAgainAsTheSameModel) {
    int seen = 0;
    for (const char* dir : {"/reference-cases", "/../../examples/Par"}) {
        for (auto& e : std::filesystem::directory_iterator(std::string(KORVANE_TEST_DATA) + dir)) {
            if (e.path().extension() != ".par") continue;
            expectRoundTrip(e.path().string(), e.path().filename().string());
            ++seen;
        }
    }
    EXPECT_EQ(seen, 45);
}

TEST(RoundTrip, ExtremeValuesLoadAgainAsTheSameModel) {
    struct Extreme {
        int line;
        std::string value;
    };
    const Extreme cases[] = {
        {3, "1.7976931348623157e308"},  {3, "-1.7976931348623157e308"},
        {4, "1.797693134862315e308"},   {4, "-1.79769313486231571e+308"},
        {5, "4.9e-324"},                {5, "2.2250738585072014e-308"},
        {6, "5.7e307"},                 {6, "-5.7e307"},
        {17, "5.7e307"},                {24, "-1e300"},
        {27, "1e-320"},                 {11, "1e308"},
        {26, "-0.0"},                   {14, "123456789012345678901234567890"},
        {25, "0.1234567890123456789"},
    };
    ktest::TempDir d;
    for (const auto& c : cases) {
        auto l = constantLines();
        l[static_cast<size_t>(c.line)] = c.value;
        std::string text;
        for (auto& s : l) text += s + "\r\n";
        ktest::spit(d.file("x.par"), text);
        expectRoundTrip(d.file("x.par"), c.value);
    }
}

TEST(RoundTrip, NegativeAndHugeMeasuredPairsReadBack) {
    std::vector<std::string> l = {"1000", "0", "0", "2400", "2800", "50000", "3", "4",
                                  "1", "2", "3", "4", "5"};
    auto rest = constantLines();
    l.insert(l.end(), rest.begin() + 6, rest.end());
    ktest::TempDir d;
    std::string text;
    for (auto& s : l) text += s + "\r\n";
    ktest::spit(d.file("f.par"), text);
    auto m = ktest::freshModel();
    FileError err;
    ASSERT_TRUE(readParameterFile(*m, d.file("f.par"), err)) << err.reason;
    const double pairs[4][2] = {{1000, -1500}, {-1e308, -2.5}, {1.7976931348623157e308, -1.7976931348623157e308},
                                {-0.5, 2.5e-300}};
    for (int i = 0; i < 4; ++i) {
        m->Messsigma[i + 1] = pairs[i][0];
        m->Messrho[i + 1] = pairs[i][1];
    }
    ASSERT_TRUE(writeParameterFile(*m, d.file("g.par"), err)) << err.reason;
    auto b = ktest::freshModel();
    ASSERT_TRUE(readParameterFile(*b, d.file("g.par"), err))
        << "line " << err.line << ": " << err.reason;
    ASSERT_EQ(b->Messanzahl, 4);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_LE(std::fabs(b->Messsigma[i] - m->Messsigma[i]), 1e-14 * std::fabs(m->Messsigma[i]));
        EXPECT_LE(std::fabs(b->Messrho[i] - m->Messrho[i]), 1e-14 * std::fabs(m->Messrho[i]));
    }
    // A positive density keeps the layout: the sign position is the separator.
    EXPECT_NE(ktest::slurp(d.file("g.par")).find("-5.00000000000000E-0001 2.50000000000000E-0300\r\n"), std::string::npos);
}

TEST(RoundTrip, ValuesNoFileCanCarryAreRefusedNotWritten) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        std::function<void(SiloModel&)> set;
        ParField field;
    };
    const Case cases[] = {
        {"infinite RHOMIN", [&](SiloModel& m) { m.RHOMIN = inf; }, ParField::RHOMIN},
        {"NaN PHIE", [](SiloModel& m) { m.PHIE = std::nan(""); }, ParField::PHIE},
        {"angle beyond degrees", [](SiloModel& m) { m.Trichterwinkel = 1e308; }, ParField::Trichterwinkel},
        {"infinite measured density", [&](SiloModel& m) {
             m.Rhokonstant = m.Rhofunktion = false;
             m.Messanzahl = 2;
             m.Messrho[2] = -inf;
         }, ParField::Messrho},
        {"no slices", [](SiloModel& m) { m.Schrittzahl = 0; }, ParField::Schrittzahl},
        {"cross-section 255", [](SiloModel& m) { m.Querschnitt = 255; }, ParField::Querschnitt},
    };
    ktest::TempDir d;
    for (const auto& c : cases) {
        auto m = ktest::freshModel();
        resetToDefaults(*m);
        c.set(*m);
        ktest::spit(d.file("keep.par"), "old\r\n");
        FileError err;
        EXPECT_FALSE(parameterFileWritable(*m, err)) << c.name;
        EXPECT_FALSE(writeParameterFile(*m, d.file("keep.par"), err)) << c.name;
        EXPECT_EQ(err.fault, FileFault::NotWritable) << c.name;
        EXPECT_EQ(err.field, c.field) << c.name;
        EXPECT_EQ(ktest::slurp(d.file("keep.par")), "old\r\n") << c.name;
    }
}
