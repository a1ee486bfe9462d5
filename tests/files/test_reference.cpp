// The reference silos: every result-file row and every value of the JSON
// summary, computed in-process along the batch tool's path; the refused
// parameter sets; and the built korvane-calc itself.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <sys/wait.h>

#include "files/batch.h"
#include "test_support.h"

using namespace korvane;

namespace {

const std::string kCases = std::string(KORVANE_TEST_DATA) + "/reference-cases";

// Flat JSON object of numbers, true/false and null.
std::map<std::string, std::string> parseFlatJson(const std::string& s, std::vector<std::string>* order = nullptr) {
    std::map<std::string, std::string> out;
    size_t p = s.find('{');
    while (p != std::string::npos) {
        size_t k1 = s.find('"', p);
        if (k1 == std::string::npos) break;
        size_t k2 = s.find('"', k1 + 1);
        size_t colon = s.find(':', k2);
        size_t end = s.find_first_of(",}", colon);
        std::string v = s.substr(colon + 1, end - colon - 1);
        v.erase(0, v.find_first_not_of(' '));
        v.erase(v.find_last_not_of(" \n") + 1);
        std::string key = s.substr(k1 + 1, k2 - k1 - 1);
        out[key] = v;
        if (order) order->push_back(key);
        p = (s[end] == '}') ? std::string::npos : end;
    }
    return out;
}

bool closeRel(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b)) + 1e-12; }

void compareJson(const std::string& expectedText, const std::string& actualText, const std::string& name) {
    std::vector<std::string> eorder, aorder;
    auto e = parseFlatJson(expectedText, &eorder);
    auto a = parseFlatJson(actualText, &aorder);
    ASSERT_EQ(aorder, eorder) << name << ": keys or their order";
    for (const auto& [k, ev] : e) {
        const std::string& av = a[k];
        if (ev == "true" || ev == "false" || av == "true" || av == "false" || k == "Parameterfehler" ||
            k == "Indexanfang" || k == "Indexende") {
            EXPECT_EQ(av, ev) << name << " " << k;
        } else {
            EXPECT_TRUE(closeRel(std::stod(av), std::stod(ev))) << name << " " << k << ": " << av << " vs " << ev;
        }
    }
}

// Rows must agree to one unit of the last printed digit, column by column.
void compareResultFiles(const std::string& expected, const std::string& actual, const std::string& name) {
    bool crlf = false;
    auto el = ktest::crlfLines(expected);
    auto al = ktest::crlfLines(actual, &crlf);
    EXPECT_TRUE(crlf) << name;
    ASSERT_EQ(al.size(), el.size()) << name;
    ASSERT_FALSE(al.empty());
    EXPECT_EQ(al[0], el[0]);
    const double unit[4] = {0.001, 0.1, 1, 1};
    int bad = 0;
    for (size_t i = 1; i < el.size() && bad < 5; ++i) {
        std::stringstream es(el[i]), as(al[i]);
        std::string ef, af;
        for (int c = 0; c < 4; ++c) {
            std::getline(es, ef, ';');
            std::getline(as, af, ';');
            if (std::fabs(std::stod(ef) - std::stod(af)) > unit[c] * 1.0000001) {
                ADD_FAILURE() << name << " line " << i + 1 << ": " << al[i] << " vs " << el[i];
                ++bad;
                break;
            }
        }
    }
}

struct CmdResult {
    int status = -1;
    std::string out, err;
};

CmdResult run(const std::string& args, const ktest::TempDir& d) {
    std::string cmd = std::string(KORVANE_BIN_DIR) + "/korvane-calc " + args + " >" + d.file("out") +
                      " 2>" + d.file("err") + " </dev/null";
    int rc = std::system(cmd.c_str());
    CmdResult r;
    r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    r.out = ktest::slurp(d.file("out"));
    r.err = ktest::slurp(d.file("err"));
    return r;
}

}  // namespace

class ReferenceCase : public ::testing::TestWithParam<int> {};

TEST_P(ReferenceCase, ResultFileAndSummaryMatch) {
    char name[32];
    std::snprintf(name, sizeof name, "case_%04d", GetParam());
    const std::string base = kCases + "/" + name;
    ktest::TempDir d;
    auto m = ktest::freshModel();
    BatchResult r = runBatch(*m, base + ".par", d.file("out.txt"), 1);
    ASSERT_EQ(r.exitCode, kExitOk) << name << ": " << r.message;
    EXPECT_TRUE(r.calculated);
    const std::string written = ktest::slurp(d.file("out.txt"));
    compareResultFiles(ktest::slurp(base + ".txt"), written, name);
    // A value that rounds to zero carries no minus sign (the outlet's z).
    EXPECT_FALSE(std::regex_search(written, std::regex("[ \n]-0\\.?0*[;\r]"))) << name;
    compareJson(ktest::slurp(base + ".json"), resultJson(*m, r.Parameterfehler), name);
}

INSTANTIATE_TEST_SUITE_P(All40, ReferenceCase, ::testing::Range(1, 41));

TEST(ReferenceInvalid, RefusedWithTheirProblemCode) {
    int seen = 0;
    for (auto& e : std::filesystem::directory_iterator(kCases + "/invalid")) {
        const std::string fn = e.path().filename().string();
        if (e.path().extension() != ".par" || fn.rfind("code", 0) != 0) continue;
        const int code = std::stoi(fn.substr(4, 2));
        ktest::TempDir d;
        auto m = ktest::freshModel();
        BatchResult r = runBatch(*m, e.path().string(), d.file("out.txt"), 1);
        EXPECT_EQ(r.exitCode, kExitProblem) << fn;
        EXPECT_EQ(r.Parameterfehler, code) << fn;
        EXPECT_FALSE(r.calculated) << fn;
        EXPECT_NE(r.message.find(problemText(code, 1)), std::string::npos) << fn;
        EXPECT_FALSE(std::filesystem::exists(d.file("out.txt"))) << fn;
        ++seen;
    }
    EXPECT_EQ(seen, 7);
}

TEST(ReferenceInvalid, ProblemTextsInBothLanguages) {
    EXPECT_EQ(problemText(3, 0), "Füllhöhe höher als Silooberkante.");
    EXPECT_EQ(problemText(9, 1), "Invalid silo gemetry");
    EXPECT_EQ(problemText(21, 0), "Fehlende Wertepaare für Dichte-Spannungs-Funktion.");
    EXPECT_EQ(problemText(6, 1), "Invalid parameters for calculation of bulk density rhob");
}

TEST(Batch, UnreadableAndInvalidFilesExitWith2) {
    ktest::TempDir d;
    auto m = ktest::freshModel();
    BatchResult r = runBatch(*m, d.file("none.par"), "", 1);
    EXPECT_EQ(r.exitCode, kExitFile);
    EXPECT_NE(r.message.find(d.file("none.par")), std::string::npos);
    ktest::spit(d.file("bad.par"), "1000\r\n1\r\n0\r\n2400,0\r\n");
    r = runBatch(*m, d.file("bad.par"), "", 1);
    EXPECT_EQ(r.exitCode, kExitFile);
    EXPECT_NE(r.message.find("line 4"), std::string::npos) << r.message;
    // A result file that cannot be written.
    r = runBatch(*m, kCases + "/case_0001.par", d.file("no/such/folder.txt"), 1);
    EXPECT_EQ(r.exitCode, kExitFile);
    EXPECT_NE(r.message.find("folder.txt"), std::string::npos);
}

// ---- the built program -------------------------------------------------------

TEST(KorvaneCalc, ExitCodesAndOutput) {
    ktest::TempDir d;
    const std::string par = kCases + "/case_0002.par";

    CmdResult r = run("--json " + par + " " + d.file("r.txt"), d);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    EXPECT_EQ(r.out.back(), '\n');
    compareJson(ktest::slurp(kCases + "/case_0002.json"), r.out, "cli json");
    EXPECT_EQ(ktest::slurp(d.file("r.txt")), ktest::slurp(kCases + "/case_0002.txt"));

    r = run(par, d);  // no result file, no JSON: silent success
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.empty());

    r = run("--help", d);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: korvane-calc", 0), 0u);

    for (const char* args : {"", "--lang fr x.par", "--bogus x.par", "a.par b.txt c", "--lang"}) {
        r = run(args, d);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_NE(r.err.find("Usage:"), std::string::npos) << args;
        EXPECT_TRUE(r.out.empty()) << args;
    }

    r = run(d.file("missing.par"), d);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("missing.par"), std::string::npos);

    const std::string bad = kCases + "/invalid/code10_phix_hopper_above_phie.par";
    r = run("--json " + bad, d);
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("Invalid values of PHIX and/or PHIE"), std::string::npos) << r.err;
    EXPECT_EQ(parseFlatJson(r.out)["Parameterfehler"], "10");
    r = run("--lang de " + bad, d);
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("Ungültige Werte von PHIX und/oder PHIE."), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

TEST(KorvaneCalc, DashAndDevicesAreStandardOutputNeverReplaced) {
    ktest::TempDir d;
    const std::string par = kCases + "/case_0002.par";
    const std::string rows = ktest::slurp(kCases + "/case_0002.txt");

    CmdResult r = run(par + " -", d);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, rows);
    EXPECT_FALSE(std::filesystem::exists(d.file("-")));

    r = run("--json " + par + " -", d);
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.out.rfind(rows, 0), 0u);
    compareJson(ktest::slurp(kCases + "/case_0002.json"), r.out.substr(rows.size()), "json after rows");

    // Standard output named as a file (here redirected into a file).
    r = run(par + " /dev/stdout", d);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, rows);
    EXPECT_TRUE(std::filesystem::is_symlink("/dev/stdout"));
}
