// Where a save goes: write-protected files are refused and kept, links are
// written through, devices and FIFOs written directly, long names work.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "calc/engine.h"
#include "files/parameter_file.h"
#include "files/result_file.h"
#include "test_support.h"
#include "tests/common/test_silos.h"

using namespace korvane;
using korvane::test::defaultSilo;
namespace fs = std::filesystem;

namespace {

mode_t modeOf(const std::string& p) {
    struct stat st{};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
}

int entries(const std::string& dir) {
    int n = 0;
    for (auto& e : fs::directory_iterator(dir)) { (void)e; ++n; }
    return n;
}

}  // namespace

TEST(Saving, WriteProtectedFileIsRefusedAndKept) {
    ktest::TempDir d;
    auto m = defaultSilo();
    SiloModel& model = *m;
    for (const char* name : {"p.par", "r.txt"}) {
        ktest::spit(d.file(name), "old\r\n");
        ::chmod(d.file(name).c_str(), 0444);
        FileError err;
        const bool ok = std::string(name) == "p.par"
                            ? writeParameterFile(model, d.file(name), err)
                            : writeResultFile(model, d.file(name), err);
        EXPECT_FALSE(ok) << name;
        EXPECT_EQ(err.code, EACCES) << name;
        EXPECT_EQ(err.fault, FileFault::WriteProtected) << name;
        EXPECT_EQ(ktest::slurp(d.file(name)), "old\r\n") << name;
        EXPECT_EQ(modeOf(d.file(name)), 0444u) << name;
    }
    EXPECT_EQ(entries(d.path()), 2);
}

TEST(Saving, SymlinkIsWrittenThroughAndKeepsTheModeOfItsFile) {
    ktest::TempDir d;
    fs::create_directory(d.file("real"));
    ktest::spit(d.file("real/silo.par"), "old\r\n");
    ::chmod(d.file("real/silo.par").c_str(), 0640);
    fs::create_symlink("real/silo.par", d.file("link.par"));          // relative
    fs::create_symlink(d.file("link.par"), d.file("link2.par"));      // a link to the link
    auto m = defaultSilo();
    for (const char* link : {"link.par", "link2.par"}) {
        ktest::spit(d.file("real/silo.par"), "old\r\n");
        FileError err;
        ASSERT_TRUE(writeParameterFile(*m, d.file(link), err)) << err.reason;
        EXPECT_TRUE(fs::is_symlink(d.file(link))) << link;
        EXPECT_EQ(ktest::slurp(d.file("real/silo.par")), parameterFileText(*m)) << link;
        EXPECT_EQ(modeOf(d.file("real/silo.par")), 0640u) << link;
    }
    EXPECT_EQ(entries(d.path()), 3);
    EXPECT_EQ(entries(d.file("real")), 1);
}

TEST(Saving, FifoIsWrittenDirectlyNotReplaced) {
    ktest::TempDir d;
    ASSERT_EQ(::mkfifo(d.file("pipe").c_str(), 0600), 0);
    auto m = defaultSilo();
    std::string received;
    std::thread reader([&] { received = ktest::slurp(d.file("pipe")); });
    FileError err;
    const bool ok = writeParameterFile(*m, d.file("pipe"), err);
    reader.join();
    EXPECT_TRUE(ok) << err.reason;
    EXPECT_EQ(received, parameterFileText(*m));
    struct stat st{};
    ASSERT_EQ(::lstat(d.file("pipe").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(entries(d.path()), 1);
}

TEST(Saving, LongestLegalNamesCanBeSaved) {
    ktest::TempDir d;
    auto m = defaultSilo();
    for (size_t len : {size_t{249}, size_t{255}}) {
        const std::string name = std::string(len - 4, 'n') + ".par";
        FileError err;
        ASSERT_TRUE(writeParameterFile(*m, d.file(name), err)) << len << ": " << err.reason;
        EXPECT_EQ(ktest::slurp(d.file(name)), parameterFileText(*m));
        ASSERT_TRUE(writeParameterFile(*m, d.file(name), err)) << len << " again: " << err.reason;
    }
    EXPECT_EQ(entries(d.path()), 2);
}
