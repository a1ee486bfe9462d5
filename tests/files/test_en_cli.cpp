// korvane-calc --en1991-4: exit status, JSON keys and the loads file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "files/en_batch.h"
#include "test_support.h"

namespace {

const std::string kEnData = std::string(KORVANE_TEST_DATA) + "/en1991-4/";

using Output = ktest::CalcRun;

Output calc(const std::string& args, const ktest::TempDir& d) {
    return ktest::runKorvaneCalc(args, d);
}

// A copy of a worked silo's file with line `line` (1-based) replaced, and
// `tail` appended.
std::string variant(const ktest::TempDir& d, const std::string& name, int line,
                    const std::string& value, const std::string& tail = "") {
    auto lines = ktest::crlfLines(ktest::slurp(kEnData + name));
    if (line > 0) lines[static_cast<size_t>(line - 1)] = value;
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    static int count = 0;
    const std::string path = d.file("v" + std::to_string(++count) + ".par");
    ktest::spit(path, text + tail);
    return path;
}

std::vector<std::string> jsonKeys(const std::string& json) {
    std::vector<std::string> keys;
    const std::regex key("\"([A-Za-z_]+)\": ");
    for (auto it = std::sregex_iterator(json.begin(), json.end(), key); it != std::sregex_iterator(); ++it)
        keys.push_back((*it)[1]);
    return keys;
}

constexpr int kFuellhoeheLine = 27;

}  // namespace

TEST(EnCli, ExitStatusAndJson) {
    ktest::TempDir d;
    const std::string ex2 = kEnData + "example2_slender_steep.par";
    const std::string ex3 = kEnData + "example3_rectangular_flat.par";
    const std::string enBlock = "EN1991-4\r\n 1.2\r\n 1.1\r\n 1\r\n0\r\n0\r\n 0\r\n0\r\n 0.5\r\n";
    struct Case {
        const char* name;
        std::string args;
        int status;
        std::string inStdout;  // part of the JSON
        std::string inStderr;
    };
    const std::vector<Case> cases = {
        {"slender steep", "--en1991-4 --json " + ex2, 0,
         "\"in_scope\": true, \"scope\": [], \"slenderness_class\": \"slender\", \"bottom\": \"steep\", \"AAC\": 2", ""},
        {"factors as options", "--en1991-4 --a-K 1.2 --a-mu 1.1 --json " + ex3, 0, "\"p_vft\": 55197.1", ""},
        {"factors from the file", "--en1991-4 --json " + variant(d, "example3_rectangular_flat.par", 0, "", enBlock),
         0, "\"p_vft\": 55197.1", ""},
        {"options override the file",
         "--en1991-4 --a-K 1 --a-mu 1 --json " + variant(d, "example3_rectangular_flat.par", 0, "", enBlock), 0,
         "\"p_vft\": 46880.0", ""},
        {"dynamic solid", "--en1991-4 --dynamic --json " + ex2, 0, "\"C_b\": 1.2", ""},
        {"surface in the hopper",
         "--en1991-4 --json " + variant(d, "example2_slender_steep.par", kFuellhoeheLine, " 2.0"), 4,
         "\"in_scope\": false, \"scope\": [\"The surface", "outside the scope of EN 1991-4"},
        {"fill above the silo", "--en1991-4 --json " + variant(d, "example2_slender_steep.par", kFuellhoeheLine, " 20.0"),
         3, "", "Filling height > silo height."},
        {"factor below 1", "--en1991-4 --a-phi 0.9 " + ex2, 3, "", "at least 1"},
        {"factor not a number", "--en1991-4 --a-mu 1,1 " + ex2, 1, "", "--a-mu needs a number"},
        {"factor without the command", "--a-K 1.2 " + ex2, 1, "", "need --en1991-4"},
    };
    const std::vector<std::string> keys = {"in_scope", "scope", "slenderness_class", "bottom", "AAC",
                                           "gamma", "h_c", "d_c", "h_o", "z_o", "C_h", "C_w",
                                           "C_b", "p_vft", "unverified"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Output o = calc(c.args, d);
        EXPECT_EQ(o.status, c.status) << o.err;
        EXPECT_NE(o.out.find(c.inStdout), std::string::npos) << o.out;
        EXPECT_NE(o.err.find(c.inStderr), std::string::npos) << o.err;
        if (c.status == 0 || c.status == 4) { EXPECT_EQ(jsonKeys(o.out), keys); }
        if (c.status == 4) { EXPECT_NE(o.out.find("\"gamma\": null"), std::string::npos); }
    }
}

TEST(EnCli, LoadsFileFromTheWallContactToTheOutlet) {
    ktest::TempDir d;
    const Output o = calc("--en1991-4 " + kEnData + "example2_slender_steep.par " + d.file("loads.txt"), d);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "");
    bool crlf = false;
    const std::string text = ktest::slurp(d.file("loads.txt"));
    const auto lines = ktest::crlfLines(text, &crlf);
    EXPECT_TRUE(crlf);
    ASSERT_EQ(lines.size(), 2003u);
    EXPECT_EQ(lines[0], korvane::kEnLoadsHeader);
    EXPECT_EQ(lines[1], "    12.890;         0;         0;         0;         0;         0;;;;");
    // The transition twice: the last wall row, then the first hopper row.
    EXPECT_EQ(lines[1001], "     2.895;     27640;     10060;     55279;     31786;     11066;;;;");
    EXPECT_EQ(lines[1002], "     2.895;;;;;;     51245;     13731;     81527;     21845");
    EXPECT_EQ(lines.back().substr(0, 11), "     0.000;");
    EXPECT_EQ(text.find("-0"), std::string::npos);
    // The same rows on standard output with "-".
    const Output dash = calc("--en1991-4 " + kEnData + "example2_slender_steep.par -", d);
    EXPECT_EQ(dash.out, text);
    // Outside the scope nothing is written.
    const Output outside = calc("--en1991-4 " + variant(d, "example2_slender_steep.par", kFuellhoeheLine, " 2.0") +
                                " " + d.file("none.txt"), d);
    EXPECT_EQ(outside.status, 4);
    EXPECT_FALSE(std::filesystem::exists(d.file("none.txt")));
}
