// Result file rows and data folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "files/result_file.h"
#include "files/data_folders.h"
#include "test_support.h"

using namespace korvane;

namespace {

// A model laid out as the calculation leaves it, without running it:
// 1000 slices per section, every slice 0.01 m thick, values that name the
// slice they belong to.
void layOut(SiloModel& m, bool shaft, bool hopper, bool below) {
    m.Schrittzahl = 1000;
    m.Schritteschaft = m.Schrittetrichter = m.Schritteunten = 1000;
    m.Gesamtschritte = 3000;
    m.Schaftja = shaft;
    m.Trichterja = hopper;
    m.vertunten = below;
    m.Indexanfang = shaft ? 1 : (hopper ? 1001 : 2001);
    m.Indexende = below ? 3000 : (hopper ? 2000 : 1000);
    m.Hspitzeoben = hopper ? 6 : 0;
    m.Hspitzeauslauf = hopper ? 1 : 0;
    m.Hunttricht = below ? 2 : 0;
    for (int i = 1; i <= 3000; ++i) {
        bool used = (i <= 1000 && shaft) || (i > 1000 && i <= 2000 && hopper) || (i > 2000 && below);
        m.Dz[i] = used ? 0.01L : 0.0L;
        m.RHOB[i] = 1000 + i / 10.0L;
        m.SIGMAV[i] = 10.0L * i;
        m.SIGMAW[i] = 4.0L * i;
    }
    m.SIGMAV[0] = 5;
    m.SIGMAW[0] = 2;
}

}  // namespace

TEST(ResultFile, ShaftAndHopperFilledIntoTheShaftGives1999Lines) {
    ktest::TempDir d;
    auto m = ktest::freshModel();
    layOut(*m, true, true, false);
    m->Fuellhoehe = 12;  // flat surface above the hopper's top at 5 m
    FileError err;
    ASSERT_TRUE(writeResultFile(*m, d.file("r.txt"), err)) << err.reason;
    bool crlf = false;
    const std::string text = ktest::slurp(d.file("r.txt"));
    auto lines = ktest::crlfLines(text, &crlf);
    EXPECT_TRUE(crlf);  // every line ends with CR LF, no empty line after the last
    ASSERT_EQ(lines.size(), 1999u);
    EXPECT_EQ(lines[0], "z[m];RHOB[kg/m3];SIGMAV[Pa];SIGMAW[Pa]");
    // Row of slice 1: z of its upper face (20 m), RHOB[1], the surface stresses.
    EXPECT_EQ(lines[1], "    20.000;  1000.1;         5;         2");
    EXPECT_EQ(lines[2], "    19.990;  1000.2;        10;         4");
    EXPECT_EQ(lines[999], "    10.020;  1099.9;      9980;      3992");   // slice 999
    EXPECT_EQ(lines[1000], "     9.990;  1100.2;     10010;      4004");  // slice 1002
    EXPECT_EQ(lines[1997], "     0.020;  1199.9;     19980;      7992");  // slice 1999
    // Last row: z after all slices, values at Indexende 2000.
    EXPECT_EQ(lines[1998].substr(10), ";  1200.0;     20000;      8000");
    EXPECT_NEAR(std::stod(lines[1998].substr(0, 10)), 0.0, 0.0011);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_NE(text.substr(text.size() - 4), "\r\n\r\n");
}

TEST(ResultFile, SurfaceInTheHopperSkipsTheShaftRows) {
    auto m = ktest::freshModel();
    layOut(*m, true, true, false);
    m->Fuellhoehe = 4;  // below the hopper's top (5 m)
    auto lines = ktest::crlfLines(resultFileText(*m));
    ASSERT_EQ(lines.size(), 1u + 998u + 1u);
    EXPECT_EQ(lines[1], "     9.990;  1100.2;     10010;      4004");  // first row is slice 1002
}

TEST(ResultFile, SectionBelowAlwaysYieldsRowsAndZerosStillYieldRows) {
    auto m = ktest::freshModel();
    // Shaft and part below without hopper, a combination only a file can hold.
    layOut(*m, true, false, true);
    m->Fuellhoehe = 1;  // below the part's top: shaft not filled
    for (int i = 2001; i <= 3000; ++i) m->SIGMAV[i] = m->SIGMAW[i] = m->RHOB[i] = 0;
    auto lines = ktest::crlfLines(resultFileText(*m));
    ASSERT_EQ(lines.size(), 1u + 999u + 1u);
    EXPECT_EQ(lines[1], "     9.990;     0.0;         0;         0");  // slice 2002 holds zeros
    EXPECT_EQ(lines[999].substr(10), ";     0.0;         0;         0");
    EXPECT_EQ(lines[1000].substr(10), ";     0.0;         0;         0");

    // Hopper and part below, all three sections filled.
    layOut(*m, true, true, true);
    m->Fuellhoehe = 30;
    EXPECT_EQ(ktest::crlfLines(resultFileText(*m)).size(), 1u + 999u + 998u + 999u + 1u);
}

TEST(ResultFile, WideNumbersAreWrittenInFull) {
    auto m = ktest::freshModel();
    layOut(*m, true, false, false);
    m->Fuellhoehe = 5;
    m->SIGMAV[0] = 1234567890;
    m->SIGMAV[1000] = -12345678901.0L;
    m->RHOB[1000] = 123456789.25L;
    auto lines = ktest::crlfLines(resultFileText(*m));
    ASSERT_EQ(lines.size(), 1u + 999u + 1u);
    EXPECT_EQ(lines[1], "    10.000;  1000.1;1234567890;         2");
    EXPECT_EQ(lines[1000].substr(10), ";123456789.2;-12345678901;      4000");
}

TEST(ResultFile, FailedCreationWritesNothing) {
    ktest::TempDir d;
    auto m = ktest::freshModel();
    layOut(*m, true, true, false);
    FileError err;
    EXPECT_FALSE(writeResultFile(*m, d.file("missing/r.txt"), err));
    EXPECT_EQ(err.code, ENOENT);
    EXPECT_FALSE(std::filesystem::exists(d.file("missing")));
    std::filesystem::create_directory(d.file("r.txt"));
    EXPECT_FALSE(writeResultFile(*m, d.file("r.txt"), err));
    EXPECT_TRUE(std::filesystem::is_directory(d.file("r.txt")));
}

// ---- data folders ------------------------------------------------------------

TEST(DataFolders, WithoutMarkerTheProgramFolderIsUsed) {
    ktest::TempDir d;
    auto f = resolveDataFolders(d.path(), "/home/u/Documents");
    EXPECT_FALSE(f.markerInvalid);
    EXPECT_EQ(f.programFolder, d.path() + "/");
    EXPECT_EQ(f.dataFolder, d.path() + "/");
    EXPECT_EQ(f.parameterFolder, d.path() + "/Par/");
    EXPECT_EQ(f.resultFolder, d.path() + "/Output/");
    EXPECT_EQ(f.flyerFolder, d.path() + "/Flyer/");
    // A trailing slash is not doubled.
    EXPECT_EQ(resolveDataFolders(d.path() + "/", "/x").programFolder, d.path() + "/");
}

TEST(DataFolders, ValidMarkerSelectsTheDocumentsFolder) {
    ktest::TempDir d;
    for (const char* content : {"Korvane", "Korvane\n", "Korvane\r\n", "Korvane\nanything\nelse",
                                "Korvane\r\nKorvane "}) {
        ktest::spit(d.file("FOLDER.DAT"), content);
        auto f = resolveDataFolders(d.path(), "/home/u/Documents");
        EXPECT_FALSE(f.markerInvalid) << content;
        EXPECT_EQ(f.programFolder, d.path() + "/");
        EXPECT_EQ(f.dataFolder, "/home/u/Documents/Korvane/");
        EXPECT_EQ(f.parameterFolder, "/home/u/Documents/Korvane/Par/");
        EXPECT_EQ(f.resultFolder, "/home/u/Documents/Korvane/Output/");
        EXPECT_EQ(f.flyerFolder, "/home/u/Documents/Korvane/Flyer/");
    }
    EXPECT_FALSE(std::filesystem::exists("/home/u/Documents/Korvane"));  // nothing is created
}

TEST(DataFolders, WrongMarkerIsInvalid) {
    ktest::TempDir d;
    for (const char* content : {"Korvane ", "korvane", " Korvane", "", "\nKorvane", "Korvane\r\r\n",
                                "KORVANE\r\n", "Korvan"}) {
        ktest::spit(d.file("FOLDER.DAT"), content);
        EXPECT_TRUE(resolveDataFolders(d.path(), "/docs").markerInvalid) << '"' << content << '"';
    }
    // A folder of that name cannot be read as a text.
    std::filesystem::remove(d.file("FOLDER.DAT"));
    std::filesystem::create_directory(d.file("FOLDER.DAT"));
    EXPECT_TRUE(resolveDataFolders(d.path(), "/docs").markerInvalid);
}
