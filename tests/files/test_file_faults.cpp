// Files that are refused: what the reader reports (line, value, kind of
// fault, a short printable excerpt) and that the model stays as it was.
#include <gtest/gtest.h>

#include <cerrno>

#include "files/parameter_file.h"
#include "test_support.h"

using namespace korvane;

namespace {

// A valid file with the constant density, one value per line.
std::vector<std::string> constantLines() {
    return {"1000", "1", "0", "2400", "2800", "50000", "40", "30", "30", "30",
            "1", "0.4", "1", "0", "6", "6", "1", "30", "1", "1", "6", "0", "0", "0", "0",
            "0", "9", "30"};
}
std::string join(const std::vector<std::string>& lines) {
    std::string s;
    for (auto& l : lines) s += l + "\r\n";
    return s;
}

struct Refused {
    const char* name;
    std::string text;
    FileFault fault;
    ParField field;
    int line;
    std::string excerpt;
};

std::string withLine(int index, const std::string& value) {
    auto l = constantLines();
    l[static_cast<size_t>(index)] = value;
    return join(l);
}

}  // namespace

TEST(RefusedFile, NamesLineValueKindAndAShortPrintableExcerpt) {
    const Refused cases[] = {
        {"empty", "", FileFault::NotParameterFile, ParField::None, 0, ""},
        {"blanks and line ends", "  \r\n\t\r\n\r\n   ", FileFault::NotParameterFile, ParField::None, 0, ""},
        {"picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), FileFault::NotInteger,
         ParField::Schrittzahl, 1, "?PNG"},
        {"decimal comma", withLine(3, "2400,5"), FileFault::NotNumber, ParField::RHOMIN, 4, "2400,5"},
        {"real for a switch", withLine(1, "1.0"), FileFault::NotInteger, ParField::Rhokonstant, 2, "1.0"},
        {"partly a number", withLine(11, "0.4x"), FileFault::NotNumber, ParField::Kwert, 12, "0.4x"},
        {"umlaut", withLine(26, "9\xc3\xa4"), FileFault::NotNumber, ParField::Fuellhoehe, 27, "9??"},
        {"long garbage", withLine(14, std::string(40, 'z')), FileFault::NotNumber,
         ParField::Durchmesser, 15, std::string(12, 'z') + "..."},
        {"too long", withLine(5, "1." + std::string(70, '0')), FileFault::TooLong, ParField::SIGMA0,
         6, "1.0000000000..."},
        {"overflow", withLine(25, "1e999"), FileFault::OutOfRange, ParField::Auflastspannung, 26, "1e999"},
        {"angle beyond radians", withLine(6, "1.7e308"), FileFault::OutOfRange, ParField::PHIE, 7, "1.7e308"},
        {"integer overflow", withLine(21, "99999999999"), FileFault::OutOfRange, ParField::vertunten,
         22, "99999999999"},
        {"no slices", withLine(0, "0"), FileFault::SliceCount, ParField::Schrittzahl, 1, "0"},
        {"negative slices", withLine(0, "-5"), FileFault::SliceCount, ParField::Schrittzahl, 1, "-5"},
        {"more slices than the arrays hold", withLine(0, "1668"), FileFault::SliceCount,
         ParField::Schrittzahl, 1, "1668"},
        {"cross-section 2", withLine(13, "2"), FileFault::CrossSection, ParField::Querschnitt, 14, "2"},
        {"cross-section 255", withLine(13, "255"), FileFault::CrossSection, ParField::Querschnitt, 14, "255"},
        {"cross-section 257", withLine(13, "257"), FileFault::CrossSection, ParField::Querschnitt, 14, "257"},
        {"cross-section -1", withLine(13, "-1"), FileFault::CrossSection, ParField::Querschnitt, 14, "-1"},
    };
    ktest::TempDir d;
    for (const auto& c : cases) {
        ktest::spit(d.file("bad.par"), c.text);
        auto m = ktest::freshModel();
        m->RHOMIN = 1234;
        m->Schrittzahl = 1000;
        const std::string before = parameterFileText(*m);
        FileError err;
        EXPECT_FALSE(readParameterFile(*m, d.file("bad.par"), err)) << c.name;
        EXPECT_EQ(err.code, EINVAL) << c.name;
        EXPECT_EQ(err.fault, c.fault) << c.name;
        EXPECT_EQ(err.field, c.field) << c.name;
        EXPECT_EQ(err.line, c.line) << c.name;
        EXPECT_EQ(err.excerpt, c.excerpt) << c.name;
        EXPECT_FALSE(err.reason.empty()) << c.name;
        for (char ch : err.reason) EXPECT_TRUE(ch >= 32 && ch < 127) << c.name << ": " << err.reason;
        EXPECT_EQ(parameterFileText(*m), before) << c.name;
    }
}

TEST(RefusedFile, MeasuredPairIsNamedWithItsNumber) {
    std::vector<std::string> l = {"1000", "0", "0", "2400", "2800", "50000", "2", "3",
                                  "0", "0", "0", "0", "0", "100 700", "200 7,5", "300 720"};
    auto rest = constantLines();
    l.insert(l.end(), rest.begin() + 6, rest.end());
    ktest::TempDir d;
    ktest::spit(d.file("p.par"), join(l));
    auto m = ktest::freshModel();
    FileError err;
    EXPECT_FALSE(readParameterFile(*m, d.file("p.par"), err));
    EXPECT_EQ(err.field, ParField::Messrho);
    EXPECT_EQ(err.pair, 2);
    EXPECT_EQ(err.line, 15);
    EXPECT_EQ(err.excerpt, "7,5");
}

TEST(RefusedFile, FileThatEndsEarlyStillReadsZeros) {
    ktest::TempDir d;
    for (size_t keep : {size_t{1}, size_t{6}, size_t{15}}) {
        auto l = constantLines();
        l.resize(keep);
        ktest::spit(d.file("short.par"), join(l));
        auto m = ktest::freshModel();
        m->Fuellhoehe = 5;
        FileError err;
        ASSERT_TRUE(readParameterFile(*m, d.file("short.par"), err)) << keep << ": " << err.reason;
        EXPECT_EQ(m->Schrittzahl, 1000);
        EXPECT_EQ(m->Fuellhoehe, 0.0) << keep;
    }
}

TEST(RefusedFile, BelowTheSmallestDoubleReadsAsZero) {
    ktest::TempDir d;
    ktest::spit(d.file("tiny.par"), withLine(3, "1e-400"));
    auto m = ktest::freshModel();
    FileError err;
    ASSERT_TRUE(readParameterFile(*m, d.file("tiny.par"), err)) << err.reason;
    EXPECT_EQ(m->RHOMIN, 0.0);
    ktest::spit(d.file("tiny.par"), withLine(3, "-0.0000001e-399"));
    ASSERT_TRUE(readParameterFile(*m, d.file("tiny.par"), err)) << err.reason;
    EXPECT_EQ(m->RHOMIN, 0.0);
}
