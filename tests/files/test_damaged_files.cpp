// Files damaged on the way or saved in another encoding: a control character
// in a line refuses the file (it would otherwise end a number early and load
// another value), a UTF-8 byte-order mark is ignored, UTF-16 is named. And a
// save onto a read-only file system says so.
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "files/parameter_file.h"
#include "test_support.h"

using namespace korvane;

namespace {

const std::string kStandard = std::string(KORVANE_TEST_DATA) + "/../../examples/Par/Standardsilo.par";

// The example file with the line `index` (0-based) replaced.
std::string standardWithLine(size_t index, const std::string& line) {
    auto lines = ktest::crlfLines(ktest::slurp(kStandard));
    lines.at(index) = line;
    std::string s;
    for (auto& l : lines) s += l + "\r\n";
    return s;
}

std::string utf16(const std::string& ascii, bool bigEndian, bool mark) {
    std::string s;
    if (mark) s += bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) {
        if (bigEndian) s += '\0';
        s += c;
        if (!bigEndian) s += '\0';
    }
    return s;
}

struct CmdResult {
    int status = -1;
    std::string err;
};

CmdResult runCalc(const std::string& args, const ktest::TempDir& d) {
    const std::string cmd = std::string(KORVANE_BIN_DIR) + "/korvane-calc " + args + " >/dev/null 2>" +
                            d.file("err") + " </dev/null";
    const int rc = std::system(cmd.c_str());
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, ktest::slurp(d.file("err"))};
}

}  // namespace

TEST(DamagedFile, ControlCharacterInALineIsRefusedWithItsLineAndNothingChanges) {
    const std::string standard = ktest::slurp(kStandard);
    const std::string rho = " 2.40000000000000E+0003";
    struct Case {
        const char* name;
        std::string text;
        int line;  // 0: the file loads
    };
    const Case cases[] = {
        {"NUL inside a value", standardWithLine(3, std::string(" 2.4\0", 5) + rho.substr(5)), 4},
        {"NUL after a value", standardWithLine(3, rho + std::string("\0", 1)), 4},
        {"escape before a value", standardWithLine(0, "\x1b" "1000"), 1},
        {"bell between blanks", standardWithLine(5, " 5.0E+4 \a "), 6},
        {"NUL on a filler line", standardWithLine(40, std::string("1\0", 2)), 41},
        {"NUL after the last line", standard + std::string("\0", 1), 50},
        {"Ctrl-Z inside the file", standardWithLine(45, "\x1a"), 46},
        {"blanks and text after a value", standardWithLine(3, rho + "   kg/m3 RHOMIN"), 0},
        {"tab before and after a value", standardWithLine(3, "\t" + rho + "\t"), 0},
        {"DOS end-of-file mark at the end", standard + "\x1a", 0},
    };
    ktest::TempDir d;
    for (const auto& c : cases) {
        ktest::spit(d.file("p.par"), c.text);
        auto m = ktest::freshModel();
        m->RHOMIN = 1234;
        m->Schrittzahl = 1000;
        const std::string before = parameterFileText(*m);
        FileError err;
        const bool ok = readParameterFile(*m, d.file("p.par"), err);
        if (c.line == 0) {
            EXPECT_TRUE(ok) << c.name << ": " << err.reason;
            EXPECT_EQ(m->RHOMIN, 2400.0) << c.name;
            continue;
        }
        EXPECT_FALSE(ok) << c.name;
        EXPECT_EQ(err.fault, FileFault::ControlCharacter) << c.name;
        EXPECT_EQ(err.line, c.line) << c.name;
        EXPECT_EQ(err.reason, "contains a control character (damaged file?)") << c.name;
        EXPECT_EQ(parameterFileText(*m), before) << c.name;
    }
}

TEST(DamagedFile, Utf8MarkIsIgnoredAndUtf16IsNamed) {
    const std::string standard = ktest::slurp(kStandard);
    auto plain = ktest::freshModel();
    FileError err;
    ktest::TempDir d;
    ktest::spit(d.file("plain.par"), standard);
    ASSERT_TRUE(readParameterFile(*plain, d.file("plain.par"), err)) << err.reason;

    ktest::spit(d.file("bom.par"), "\xEF\xBB\xBF" + standard);
    auto bom = ktest::freshModel();
    ASSERT_TRUE(readParameterFile(*bom, d.file("bom.par"), err)) << err.reason;
    EXPECT_EQ(parameterFileText(*bom), parameterFileText(*plain));

    for (bool bigEndian : {false, true}) {
        for (bool mark : {false, true}) {
            ktest::spit(d.file("u16.par"), utf16(standard, bigEndian, mark));
            auto m = ktest::freshModel();
            const std::string before = parameterFileText(*m);
            EXPECT_FALSE(readParameterFile(*m, d.file("u16.par"), err)) << bigEndian << mark;
            EXPECT_EQ(err.fault, FileFault::Utf16) << bigEndian << mark;
            EXPECT_EQ(err.reason, "saved as UTF-16; save it as plain text (ANSI/Latin-1 or UTF-8)");
            EXPECT_EQ(parameterFileText(*m), before);
        }
    }
}

TEST(DamagedFile, BatchToolNamesTheLineInTheUsersLanguage) {
    ktest::TempDir d;
    ktest::spit(d.file("nul.par"), standardWithLine(3, std::string(" 2.4\0", 5) + "0000000000000E+0003"));
    ktest::spit(d.file("u16.par"), utf16(ktest::slurp(kStandard), false, true));
    struct Case {
        const char* options;
        const char* file;
        const char* expected;
    };
    const Case cases[] = {
        {"", "nul.par", "line 4: contains a control character (damaged file?)"},
        {"--lang de ", "nul.par", "line 4: enthält ein Steuerzeichen (beschädigte Datei?)"},
        {"", "u16.par", "saved as UTF-16; save it as plain text (ANSI/Latin-1 or UTF-8)"},
        {"--lang de ", "u16.par",
         "als UTF-16 gespeichert; bitte als reinen Text (ANSI/Latin-1 oder UTF-8) speichern"},
    };
    for (const auto& c : cases) {
        const CmdResult r = runCalc(c.options + d.file(c.file), d);
        EXPECT_EQ(r.status, 2) << c.options << c.file;
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << c.options << c.file << ": " << r.err;
    }
}

// Needs a file system that can be made read-only: a tmpfs mounted by root.
// Elsewhere (no root, no mount in the container) the test is skipped.
TEST(Saving, ReadOnlyFileSystemIsNamedAsSuch) {
    ktest::TempDir d;
    const std::string mnt = d.file("ro");
    ASSERT_EQ(::mkdir(mnt.c_str(), 0755), 0);
    if (::geteuid() != 0 || ::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    ktest::spit(mnt + "/old.par", "old\r\n");
    const bool remounted = ::mount(nullptr, mnt.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    if (remounted) {
        auto m = ktest::freshModel();
        m->Schrittzahl = 1000;
        for (const char* name : {"old.par", "new.par"}) {
            FileError err;
            EXPECT_FALSE(writeParameterFile(*m, mnt + "/" + name, err)) << name;
            EXPECT_EQ(err.code, EROFS) << name;
            EXPECT_EQ(err.fault, FileFault::System) << name;
            EXPECT_NE(err.reason.find("Read-only file system"), std::string::npos) << err.reason;
        }
        EXPECT_EQ(ktest::slurp(mnt + "/old.par"), "old\r\n");
    }
    ::umount2(mnt.c_str(), MNT_DETACH);
    if (!remounted) GTEST_SKIP() << "cannot remount read-only";
}
