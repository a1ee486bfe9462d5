// Parameter file: number formats, layout, round trip, reading rules and the
// all-or-nothing load, atomic save.
#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "calc/engine.h"
#include "files/file_numbers.h"
#include "files/parameter_file.h"
#include "test_support.h"

using namespace korvane;
using ktest::crlfLines;

namespace {

// A silo with every input set to a value that is easy to recognise.
void fillInputs(SiloModel& m, bool fitted, int pairs) {
    m.Schrittzahl = 1000;
    m.Querschnitt = 1;
    m.Schaftja = true;
    m.Hschaft = 7.25;
    m.Durchmesser = 4.125;
    m.Laenge = 3.5;
    m.Trichterja = true;
    m.Trichterwinkel = degToRad(17.5);
    m.Auslauf = 0.625;
    m.vertunten = true;
    m.Hunttricht = 1.75;
    m.Fuellhoehe = 11.3;
    m.Schuettkegel = true;
    m.boeschwinkel = degToRad(33.3);
    m.Auflastspannung = 1234.5;
    m.Fuellzustand = false;
    m.Entleerungszustand = true;
    m.PHIE = degToRad(41.7);
    m.Phixschaft = degToRad(22.2);
    m.Phixtrichter = degToRad(19.9);
    m.PhixStirnwand = degToRad(27.1);
    m.Phixunten = degToRad(24.4);
    m.Kwahl = 2;
    m.Kwert = 0.4375;
    m.Rhokonstant = !fitted;
    m.Rhofunktion = false;
    m.RHOMIN = 1452.4;
    m.RHOMAX = 1726.2;
    m.SIGMA0 = 43210.5;
    m.Anpassart = 2;
    m.Messanzahl = pairs;
    for (int i = 1; i <= pairs; ++i) {
        m.Messsigma[i] = 1000.0 * i + 0.123456789012345;
        m.Messrho[i] = 1500.0 + 3.25 * i;
    }
    m.AnpassA = -12.5;
    m.AnpassB = 0.00763560073335237;
    m.AnpassRHOMIN = 1499.9;
    m.AnpassRHOMAX = 1899.8;
    m.AnpassSIGMA0 = 6543.21;
}

std::string writeModel(const SiloModel& m, const std::string& path) {
    FileError err;
    EXPECT_TRUE(writeParameterFile(m, path, err)) << err.reason;
    return ktest::slurp(path);
}

// The text of a valid file with the constant density, line by line.
std::vector<std::string> constantLines() {
    return {"1000", "1", "0", "2400", "2800", "50000",
            "40", "30", "30", "30",  // PHIE, Phixschaft, Phixtrichter, Phixunten
            "1", "0.4", "1", "0", "6", "6",
            "1", "30", "1", "1", "6", "0", "0", "0", "0", "0", "9", "30"};
}
std::string join(const std::vector<std::string>& lines, const char* eol = "\r\n") {
    std::string s;
    for (auto& l : lines) s += l + eol;
    return s;
}

}  // namespace

// ---- number formats -----------------------------------------------------

TEST(Real23, ExamplesOfTheFileFormat) {
    EXPECT_EQ(formatReal23(2400), " 2.40000000000000E+0003");
    EXPECT_EQ(formatReal23(0), " 0.00000000000000E+0000");
    EXPECT_EQ(formatReal23(-0.0), " 0.00000000000000E+0000");
    EXPECT_EQ(formatReal23(30), " 3.00000000000000E+0001");
    EXPECT_EQ(formatReal23(-0.5), "-5.00000000000000E-0001");
    EXPECT_EQ(formatReal23(1e-300), " 1.00000000000000E-0300");
    // Rounded to nearest this would be -1.79769313486232E+0308, beyond the
    // largest double: the digits are cut instead, so that the file reads back.
    EXPECT_EQ(formatReal23(-1.7976931348623157e308), "-1.79769313486231E+0308");
}

TEST(Real23, RoundsTheFifteenthDigit) {
    EXPECT_EQ(formatReal23(9.999999999999999), " 1.00000000000000E+0001");
    EXPECT_EQ(formatReal23(0.998190638516562), " 9.98190638516562E-0001");
    EXPECT_EQ(formatReal23(1.234567890123456), " 1.23456789012346E+0000");
    for (double v : {1.0, -3.5e-7, 123456.789, 6.02214076e23}) EXPECT_EQ(formatReal23(v).size(), 23u);
}

TEST(Fixed, WidthDecimalsAndOverflow) {
    EXPECT_EQ(formatFixed(12.345L, 10, 3), "    12.345");
    EXPECT_EQ(formatFixed(2456.7L, 8, 1), "  2456.7");
    EXPECT_EQ(formatFixed(12345.0L, 10, 0), "     12345");
    EXPECT_EQ(formatFixed(6789.4L, 10, 0), "      6789");
    EXPECT_EQ(formatFixed(1234567890.0L, 10, 0), "1234567890");
    EXPECT_EQ(formatFixed(12345678901.0L, 10, 0), "12345678901");
    EXPECT_EQ(formatFixed(-3.25L, 8, 1), "    -3.2");  // round half to even of the binary value
    EXPECT_EQ(formatFixed(-17.5L, 10, 3), "   -17.500");
    EXPECT_EQ(formatFixed(0.0006L, 10, 3), "     0.001");
    EXPECT_EQ(formatFixed(1099511627776.0L, 10, 0), "1099511627776");
}

// ---- layout ----------------------------------------------------------------

TEST(ParameterWrite, ConstantDensityGives28ValueLinesAnd21Fillers) {
    ktest::TempDir d;
    auto m = ktest::freshModel();
    fillInputs(*m, false, 3);
    bool crlf = false;
    auto lines = crlfLines(writeModel(*m, d.file("a.par")), &crlf);
    EXPECT_TRUE(crlf);
    ASSERT_EQ(lines.size(), 28u + 21u);
    EXPECT_EQ(lines[0], "1000");
    EXPECT_EQ(lines[1], "1");
    EXPECT_EQ(lines[2], "0");
    EXPECT_EQ(lines[3], " 1.45240000000000E+0003");
    EXPECT_EQ(lines[6], " 4.17000000000000E+0001");   // PHIE in degrees
    EXPECT_EQ(lines[10], "2");                         // Kwahl
    EXPECT_EQ(lines[12], "0");                         // discharge: the filling switch is 0
    EXPECT_EQ(lines[13], "1");                         // circular
    EXPECT_EQ(lines[17], " 1.75000000000000E+0001");   // hopper angle in degrees
    EXPECT_EQ(lines[25], " 1.23450000000000E+0003");   // surcharge
    EXPECT_EQ(lines[26], " 1.13000000000000E+0001");   // fill height
    EXPECT_EQ(lines[27], " 2.71000000000000E+0001");   // end wall
    for (size_t i = 28; i < lines.size(); ++i) EXPECT_EQ(lines[i], "1");
}

TEST(ParameterWrite, FittedLawGives35PlusNValueLines) {
    ktest::TempDir d;
    auto m = ktest::freshModel();
    fillInputs(*m, true, 7);
    auto lines = crlfLines(writeModel(*m, d.file("a.par")));
    ASSERT_EQ(lines.size(), 35u + 7u + 21u);
    EXPECT_EQ(lines[6], "2");  // Anpassart
    EXPECT_EQ(lines[7], "7");  // Messanzahl
    EXPECT_EQ(lines[8], "-1.25000000000000E+0001");
    // A pair line: two 23-character fields, the second's sign position separating them.
    EXPECT_EQ(lines[13], " 1.00012345678901E+0003 1.50325000000000E+0003");
    EXPECT_EQ(lines[19], " 7.00012345678901E+0003 1.52275000000000E+0003");
    EXPECT_EQ(lines[20], " 4.17000000000000E+0001");  // PHIE right after the pairs
}

// ---- round trip ----------------------------------------------------------

TEST(ParameterRoundTrip, EveryInputFieldComesBack) {
    ktest::TempDir d;
    for (bool fitted : {false, true}) {
        auto m = ktest::freshModel();
        fillInputs(*m, fitted, 50);
        writeModel(*m, d.file("rt.par"));
        auto r = ktest::freshModel();
        FileError err;
        ASSERT_TRUE(readParameterFile(*r, d.file("rt.par"), err)) << err.reason;
        auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-14 * std::fabs(b) + 1e-300; };
        EXPECT_EQ(r->Schrittzahl, 1000);
        EXPECT_EQ(r->Querschnitt, m->Querschnitt);
        EXPECT_EQ(r->Schaftja, m->Schaftja);
        EXPECT_EQ(r->Trichterja, m->Trichterja);
        EXPECT_EQ(r->vertunten, m->vertunten);
        EXPECT_EQ(r->Schuettkegel, m->Schuettkegel);
        EXPECT_EQ(r->Fuellzustand, m->Fuellzustand);
        EXPECT_EQ(r->Entleerungszustand, m->Entleerungszustand);
        EXPECT_EQ(r->Kwahl, m->Kwahl);
        EXPECT_EQ(r->Rhokonstant, m->Rhokonstant);
        EXPECT_EQ(r->Rhofunktion, m->Rhofunktion);
        for (auto [a, b] : std::vector<std::pair<double, double>>{
                 {r->Hschaft, m->Hschaft}, {r->Durchmesser, m->Durchmesser}, {r->Laenge, m->Laenge},
                 {r->Trichterwinkel, m->Trichterwinkel}, {r->Auslauf, m->Auslauf},
                 {r->Hunttricht, m->Hunttricht}, {r->Fuellhoehe, m->Fuellhoehe},
                 {r->boeschwinkel, m->boeschwinkel}, {r->Auflastspannung, m->Auflastspannung},
                 {r->PHIE, m->PHIE}, {r->Phixschaft, m->Phixschaft}, {r->Phixtrichter, m->Phixtrichter},
                 {r->PhixStirnwand, m->PhixStirnwand}, {r->Phixunten, m->Phixunten},
                 {r->Kwert, m->Kwert}, {r->RHOMIN, m->RHOMIN}, {r->RHOMAX, m->RHOMAX},
                 {r->SIGMA0, m->SIGMA0}})
            EXPECT_TRUE(near(a, b)) << a << " vs " << b;
        if (fitted) {
            EXPECT_EQ(r->Anpassart, 2);
            EXPECT_EQ(r->Messanzahl, 50);
            EXPECT_TRUE(near(r->AnpassA, m->AnpassA));
            EXPECT_TRUE(near(r->AnpassB, m->AnpassB));
            EXPECT_TRUE(near(r->AnpassRHOMIN, m->AnpassRHOMIN));
            EXPECT_TRUE(near(r->AnpassRHOMAX, m->AnpassRHOMAX));
            EXPECT_TRUE(near(r->AnpassSIGMA0, m->AnpassSIGMA0));
            for (int i = 1; i <= 50; ++i) {
                EXPECT_TRUE(near(r->Messsigma[i], m->Messsigma[i])) << i;
                EXPECT_TRUE(near(r->Messrho[i], m->Messrho[i])) << i;
            }
        } else {
            EXPECT_EQ(r->Messanzahl, 0);  // the fit block is not read
        }
        // Derived values of the reader.
        EXPECT_NEAR(r->Flaeche, kPi * 4.125 * 4.125 / 4, 1e-12);
        EXPECT_NEAR(r->Umfang, kPi * 4.125, 1e-12);
        EXPECT_NEAR(r->TanTrichter, std::tan(degToRad(17.5)), 1e-14);
        EXPECT_NEAR(r->Hspitzeauslauf, 0.625 / (2 * std::tan(degToRad(17.5))), 1e-12);
        EXPECT_NEAR(r->Hspitzeoben, 4.125 / (2 * std::tan(degToRad(17.5))), 1e-12);
        EXPECT_NEAR(r->Auslaufflaeche, kPi * 0.625 * 0.625 / 4, 1e-14);
    }
}

// ---- reading rules -------------------------------------------------------

TEST(ParameterRead, SwitchRules) {
    ktest::TempDir d;
    auto l = constantLines();
    l[1] = "2";   // constant: only 1 is true
    l[2] = "1";   // function
    l[12] = "0";  // stress state: not 1 -> discharge
    l[16] = "2";  // hopper: non-zero is true
    l[19] = "-1"; // shaft
    l[21] = "7";  // part below
    l[23] = "3";  // heap
    l[13] = "1";    // circular
    l[10] = "514";  // Kwahl: low byte 2
    ktest::spit(d.file("s.par"), join(l));
    auto m = ktest::freshModel();
    FileError err;
    ASSERT_TRUE(readParameterFile(*m, d.file("s.par"), err)) << err.reason;
    EXPECT_FALSE(m->Rhokonstant);
    EXPECT_TRUE(m->Rhofunktion);
    EXPECT_FALSE(m->Fuellzustand);
    EXPECT_TRUE(m->Entleerungszustand);
    EXPECT_TRUE(m->Trichterja);
    EXPECT_TRUE(m->Schaftja);
    EXPECT_TRUE(m->vertunten);
    EXPECT_TRUE(m->Schuettkegel);
    EXPECT_EQ(m->Querschnitt, 1);
    EXPECT_EQ(m->Kwahl, 2);
    EXPECT_NEAR(m->Flaeche, kPi * 9, 1e-12);

    l[12] = "2";
    ktest::spit(d.file("s.par"), join(l));
    ASSERT_TRUE(readParameterFile(*m, d.file("s.par"), err));
    EXPECT_FALSE(m->Fuellzustand);
    l[12] = "1";
    ktest::spit(d.file("s.par"), join(l));
    ASSERT_TRUE(readParameterFile(*m, d.file("s.par"), err));
    EXPECT_TRUE(m->Fuellzustand);
    EXPECT_FALSE(m->Entleerungszustand);
}

TEST(ParameterRead, BlankLinesTextAfterValuesAndOtherSpellings) {
    ktest::TempDir d;
    std::string t = "\r\n  \t\r\n1000 ; slices\r\n1\tx\r\n0 comment\r\n2.4e3\r\n\t2800.\r\n"
                    "+5.0E+04 note\r\n40\r\n30\r\n\r\n30\r\n30\r\n1\r\n.4\r\n1\r\n0\r\n6\r\n6\r\n"
                    "1\r\n30\r\n1\r\n1\r\n6\r\n0\r\n0\r\n0\r\n0\r\n0\r\n9\r\n30";  // no final line end
    ktest::spit(d.file("t.par"), t);
    auto m = ktest::freshModel();
    FileError err;
    ASSERT_TRUE(readParameterFile(*m, d.file("t.par"), err)) << err.line << " " << err.reason;
    EXPECT_EQ(m->Schrittzahl, 1000);
    EXPECT_TRUE(m->Rhokonstant);
    EXPECT_DOUBLE_EQ(m->RHOMIN, 2400);
    EXPECT_DOUBLE_EQ(m->RHOMAX, 2800);
    EXPECT_DOUBLE_EQ(m->SIGMA0, 50000);
    EXPECT_DOUBLE_EQ(m->Kwert, 0.4);
    EXPECT_DOUBLE_EQ(m->Fuellhoehe, 9);
    EXPECT_NEAR(m->PhixStirnwand, degToRad(30), 1e-15);
    EXPECT_NEAR(m->Flaeche, 36, 1e-12);
    EXPECT_NEAR(m->Umfang, 24, 1e-12);
    EXPECT_NEAR(m->Auslaufflaeche, 6, 1e-12);
}

TEST(ParameterRead, OldLayoutAndEarlyEnd) {
    ktest::TempDir d;
    auto l = constantLines();
    l.pop_back();  // earlier layout: ends after the fill height
    ktest::spit(d.file("old.par"), join(l));
    auto m = ktest::freshModel();
    m->PhixStirnwand = 1.0;
    FileError err;
    ASSERT_TRUE(readParameterFile(*m, d.file("old.par"), err));
    EXPECT_EQ(m->PhixStirnwand, 0.0);
    EXPECT_DOUBLE_EQ(m->Fuellhoehe, 9);

    // Ends after the cross-section: the rest reads as 0, derived values follow.
    l.resize(15);
    ktest::spit(d.file("short.par"), join(l));
    m->Hschaft = 5;
    m->Trichterja = true;
    ASSERT_TRUE(readParameterFile(*m, d.file("short.par"), err));
    EXPECT_DOUBLE_EQ(m->Durchmesser, 6);
    EXPECT_EQ(m->Laenge, 0.0);
    EXPECT_FALSE(m->Trichterja);
    EXPECT_EQ(m->Hschaft, 0.0);
    EXPECT_EQ(m->Flaeche, 0.0);
    EXPECT_EQ(m->Auslaufflaeche, 0.0);

}

TEST(ParameterRead, WithoutHopperTheHopperValuesAreCleared) {
    ktest::TempDir d;
    auto l = constantLines();
    l[16] = "0";   // no hopper
    l[17] = "45";  // whatever the angle
    ktest::spit(d.file("nh.par"), join(l));
    auto m = ktest::freshModel();
    FileError err;
    ASSERT_TRUE(readParameterFile(*m, d.file("nh.par"), err));
    EXPECT_EQ(m->Trichterwinkel, 0.0);
    EXPECT_EQ(m->TanTrichter, 0.0);
    EXPECT_EQ(m->Hspitzeoben, 0.0);
    EXPECT_EQ(m->Hspitzeauslauf, 0.0);
    EXPECT_DOUBLE_EQ(m->Auslaufflaeche, m->Flaeche);
    EXPECT_DOUBLE_EQ(m->Flaeche, 36);
}

TEST(ParameterRead, PairLinesAndKeptFitWithADensitySwitch) {
    ktest::TempDir d;
    auto m = ktest::freshModel();
    fillInputs(*m, true, 4);
    writeModel(*m, d.file("fit.par"));
    auto r = ktest::freshModel();
    r->Messsigma[5] = 77;  // beyond the file's pairs: untouched
    FileError err;
    ASSERT_TRUE(readParameterFile(*r, d.file("fit.par"), err));
    EXPECT_EQ(r->Messanzahl, 4);
    EXPECT_EQ(r->Messsigma[5], 77);
    EXPECT_NEAR(r->Messrho[4], 1513, 1e-9);

    // With the constant density the committed fit keeps its previous values.
    auto l = constantLines();
    ktest::spit(d.file("c.par"), join(l));
    ASSERT_TRUE(readParameterFile(*r, d.file("c.par"), err));
    EXPECT_EQ(r->Messanzahl, 4);
    EXPECT_EQ(r->Anpassart, 2);
    EXPECT_NEAR(r->AnpassSIGMA0, 6543.21, 1e-9);
}

// ---- rejected files leave the model unchanged ------------------------

namespace {
struct Reject {
    const char* name;
    int lineIndex;       // 0-based line to replace
    const char* value;
    int expectedLine;    // 1-based line named by the error
};
}  // namespace

TEST(ParameterRead, InvalidContentIsRejectedWithItsLine) {
    ktest::TempDir d;
    const Reject cases[] = {
        {"comma decimal", 3, "2400,5", 4},
        {"real for an integer", 1, "1.0", 2},
        {"garbage", 7, "abc", 8},
        {"NaN", 4, "NaN", 5},
        {"inf", 26, "inf", 27},
        {"overflow", 24, "1e999", 25},
        {"huge Schrittzahl", 0, "1668", 1},
        {"integer overflow", 21, "99999999999", 22},
        {"too long", 5, "1.00000000000000000000000000000000000000000000000000000000000000001", 6},
        {"lone sign", 6, "-", 7},
        {"exponent without digits", 8, "3e", 9},
    };
    for (const auto& c : cases) {
        auto l = constantLines();
        l[c.lineIndex] = c.value;
        ktest::spit(d.file("bad.par"), join(l));
        auto m = ktest::freshModel();
        fillInputs(*m, true, 3);
        const std::string before = parameterFileText(*m);
        const double flaeche = m->Flaeche = 123.0;
        FileError err;
        EXPECT_FALSE(readParameterFile(*m, d.file("bad.par"), err)) << c.name;
        EXPECT_EQ(err.code, EINVAL) << c.name;
        EXPECT_EQ(err.line, c.expectedLine) << c.name;
        EXPECT_FALSE(err.reason.empty()) << c.name;
        EXPECT_EQ(parameterFileText(*m), before) << c.name;
        EXPECT_EQ(m->Flaeche, flaeche) << c.name;
    }
}

TEST(ParameterRead, TooManyPairsAreRejected) {
    ktest::TempDir d;
    std::vector<std::string> l = {"1000", "0", "0", "2400", "2800", "50000", "2", "51",
                                  "0", "0", "0", "0", "0"};
    for (int i = 1; i <= 51; ++i) l.push_back(std::to_string(i * 100) + " 2000");
    auto rest = constantLines();
    l.insert(l.end(), rest.begin() + 6, rest.end());
    ktest::spit(d.file("p.par"), join(l));
    auto m = ktest::freshModel();
    FileError err;
    EXPECT_FALSE(readParameterFile(*m, d.file("p.par"), err));
    EXPECT_EQ(err.line, 8);
    EXPECT_EQ(m->Messanzahl, 0);
    EXPECT_EQ(m->Schrittzahl, 0);

    // 50 pairs and the highest slice count the arrays hold are fine; so is a
    // count of 0 or less, which reads no pair line.
    l.erase(l.begin() + 13);
    l[7] = "50";
    l[0] = "1667";
    ktest::spit(d.file("p.par"), join(l));
    ASSERT_TRUE(readParameterFile(*m, d.file("p.par"), err)) << err.reason;
    EXPECT_EQ(m->Messanzahl, 50);
    EXPECT_EQ(m->Schrittzahl, 1667);
    EXPECT_DOUBLE_EQ(m->Messsigma[50], 5100);
    EXPECT_NEAR(m->PHIE, degToRad(40), 1e-15);
}

TEST(ParameterRead, NegativePairCountReadsNoPairs) {
    ktest::TempDir d;
    std::vector<std::string> l = {"1000", "0", "0", "2400", "2800", "50000", "1", "-3",
                                  "1", "2", "3", "4", "5"};
    auto rest = constantLines();
    l.insert(l.end(), rest.begin() + 6, rest.end());
    ktest::spit(d.file("n.par"), join(l));
    auto m = ktest::freshModel();
    FileError err;
    ASSERT_TRUE(readParameterFile(*m, d.file("n.par"), err)) << err.reason;
    EXPECT_EQ(m->Messanzahl, -3);
    EXPECT_DOUBLE_EQ(m->AnpassSIGMA0, 5);
    EXPECT_NEAR(m->PHIE, degToRad(40), 1e-15);
}

TEST(ParameterRead, MissingFileGivesTheSystemCode) {
    ktest::TempDir d;
    auto m = ktest::freshModel();
    m->RHOMIN = 5;
    FileError err;
    EXPECT_FALSE(readParameterFile(*m, d.file("none.par"), err));
    EXPECT_EQ(err.code, ENOENT);
    EXPECT_EQ(err.line, 0);
    EXPECT_EQ(m->RHOMIN, 5);
    EXPECT_FALSE(readParameterFile(*m, d.path(), err));
    EXPECT_EQ(err.code, EISDIR);
}

// ---- atomic save -----------------------------------------------------------

TEST(ParameterWrite, FailedSaveLeavesTheOldFile) {
    ktest::TempDir d;
    auto m = ktest::freshModel();
    fillInputs(*m, false, 0);
    FileError err;
    // The target is a folder.
    std::filesystem::create_directory(d.file("dir.par"));
    EXPECT_FALSE(writeParameterFile(*m, d.file("dir.par"), err));
    EXPECT_EQ(err.code, EISDIR);
    EXPECT_TRUE(std::filesystem::is_directory(d.file("dir.par")));
    // A folder that does not exist.
    EXPECT_FALSE(writeParameterFile(*m, d.file("nope/a.par"), err));
    EXPECT_EQ(err.code, ENOENT);
    // A read-only folder (not enforceable for the superuser).
    std::filesystem::create_directory(d.file("ro"));
    ktest::spit(d.file("ro/old.par"), "old contents\r\n");
    ::chmod(d.file("ro").c_str(), 0555);
    if (::geteuid() != 0) {
        EXPECT_FALSE(writeParameterFile(*m, d.file("ro/old.par"), err));
        EXPECT_EQ(err.code, EACCES);
        EXPECT_EQ(ktest::slurp(d.file("ro/old.par")), "old contents\r\n");
    }
    ::chmod(d.file("ro").c_str(), 0755);
}

TEST(ParameterWrite, OverwriteReplacesCompletelyAndLeavesNoTemporaryFile) {
    ktest::TempDir d;
    ktest::spit(d.file("x.par"), std::string(100000, 'x'));
    ::chmod(d.file("x.par").c_str(), 0640);
    auto m = ktest::freshModel();
    fillInputs(*m, false, 0);
    FileError err;
    ASSERT_TRUE(writeParameterFile(*m, d.file("x.par"), err));
    EXPECT_EQ(ktest::slurp(d.file("x.par")), parameterFileText(*m));
    struct stat st{};
    ::stat(d.file("x.par").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    int n = 0;
    for (auto& e : std::filesystem::directory_iterator(d.path())) { (void)e; ++n; }
    EXPECT_EQ(n, 1);
}

TEST(ParameterRead, EndlessDeviceIsRefused) {
    auto m = ktest::freshModel();
    m->RHOMIN = 7;
    FileError err;
    EXPECT_FALSE(readParameterFile(*m, "/dev/zero", err));
    EXPECT_EQ(err.code, EFBIG);
    EXPECT_EQ(m->RHOMIN, 7);
}
