// The EN 1991-4 inputs in the parameter file: a block after the filler lines,
// written only when a value differs from its default. Files without it read
// the defaults; everything before it is the file as it always was.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "calc/en1991_4.h"
#include "calc/engine.h"
#include "files/parameter_file.h"
#include "test_support.h"

using namespace korvane;

namespace {

std::string enExample() { return std::string(KORVANE_TEST_DATA) + "/en1991-4/example2_slender_steep.par"; }

EnInputs allChanged() {
    EnInputs in;
    in.aK = 1.2;
    in.amu = 1.1;
    in.aphi = 1.05;
    in.dynamicSolid = true;
    in.phirGiven = true;
    in.phir = degToRad(33);
    in.patchLoads = true;
    in.Cop = 0.7;
    return in;
}

void expectSameEn(const EnInputs& a, const EnInputs& b) {
    EXPECT_NEAR(a.aK, b.aK, 1e-14);
    EXPECT_NEAR(a.amu, b.amu, 1e-14);
    EXPECT_NEAR(a.aphi, b.aphi, 1e-14);
    EXPECT_EQ(a.dynamicSolid, b.dynamicSolid);
    EXPECT_EQ(a.phirGiven, b.phirGiven);
    EXPECT_NEAR(a.phir, b.phir, 1e-14);
    EXPECT_EQ(a.patchLoads, b.patchLoads);
    EXPECT_NEAR(a.Cop, b.Cop, 1e-14);
}

}  // namespace

TEST(EnBlock, FilesWithoutTheBlockReadTheDefaultsAndAreWrittenAsBefore) {
    for (const std::string& path : {enExample(), std::string(KORVANE_TEST_DATA) + "/reference-cases/case_0001.par"}) {
        SCOPED_TRACE(path);
        auto m = ktest::freshModel();
        setEnInputs(*m, allChanged());  // values of an earlier file do not survive
        FileError err;
        ASSERT_TRUE(readParameterFile(*m, path, err)) << err.reason;
        expectSameEn(enInputsOf(*m), EnInputs{});
        const std::string text = parameterFileText(*m);
        EXPECT_EQ(text.find(kEnBlockMarker), std::string::npos);
        const auto lines = ktest::crlfLines(text);
        EXPECT_EQ(lines.size(), 49u);
    }
}

TEST(EnBlock, ChangedValuesRoundTripInABlockAfterTheFillerLines) {
    ktest::TempDir d;
    auto m = ktest::freshModel();
    FileError err;
    ASSERT_TRUE(readParameterFile(*m, enExample(), err)) << err.reason;
    const std::string before = parameterFileText(*m);
    setEnInputs(*m, allChanged());
    ASSERT_TRUE(writeParameterFile(*m, d.file("en.par"), err)) << err.reason;
    const std::string text = ktest::slurp(d.file("en.par"));

    // Everything a reader of the earlier layout reads is unchanged: the block
    // only follows the 21 filler lines.
    ASSERT_EQ(text.substr(0, before.size()), before);
    const auto block = ktest::crlfLines(text.substr(before.size()));
    ASSERT_EQ(block.size(), 9u);
    EXPECT_EQ(block[0], kEnBlockMarker);
    EXPECT_EQ(block[1], " 1.20000000000000E+0000");
    EXPECT_EQ(block[4], "1");
    EXPECT_EQ(block[6], " 3.30000000000000E+0001");

    auto back = ktest::freshModel();
    ASSERT_TRUE(readParameterFile(*back, d.file("en.par"), err)) << err.reason;
    expectSameEn(enInputsOf(*back), allChanged());
    EXPECT_EQ(parameterFileText(*back), text);

    // Back to the defaults: the block is left out again.
    setEnInputs(*back, EnInputs{});
    EXPECT_EQ(parameterFileText(*back), before);
}

TEST(EnBlock, AValueOfTheBlockThatIsNoNumberRefusesTheFile) {
    ktest::TempDir d;
    auto m = ktest::freshModel();
    FileError err;
    ASSERT_TRUE(readParameterFile(*m, enExample(), err)) << err.reason;
    std::string text = parameterFileText(*m) + kEnBlockMarker + "\r\n 1.2\r\nx1.1\r\n";
    ktest::spit(d.file("bad.par"), text);
    auto r = ktest::freshModel();
    EXPECT_FALSE(readParameterFile(*r, d.file("bad.par"), err));
    EXPECT_EQ(err.field, ParField::EN1991_4);
    EXPECT_EQ(err.line, 52);
}
