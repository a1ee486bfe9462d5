// Parameter studies of korvane-calc --vary: every row equals a single run of
// korvane-calc on a file holding the row's values; bad ranges are usage
// errors; the rows do not depend on the number of threads.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "calc/engine.h"
#include "files/batch.h"
#include "files/file_numbers.h"
#include "files/parameter_file.h"
#include "files/vary.h"
#include "test_support.h"

using namespace korvane;

namespace {

const std::string kExamples = std::string(KORVANE_TEST_DATA) + "/../../examples/Par/";

using Output = ktest::CalcRun;

Output calc(const std::string& args, const ktest::TempDir& d) {
    return ktest::runKorvaneCalc(args, d);
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, sep)) parts.push_back(part);
    if (!s.empty() && s.back() == sep) parts.emplace_back();
    return parts;
}

// The number after "key": in korvane-calc's JSON line.
std::string jsonValue(const std::string& json, const std::string& key) {
    const auto p = json.find("\"" + key + "\": ");
    if (p == std::string::npos) return {};
    const auto start = p + key.size() + 4;
    return json.substr(start, json.find_first_of(",}", start) - start);
}

struct Study {
    const char* file;
    std::vector<std::string> vary;  // NAME=FROM:TO:STEP
    int rows;
};

}  // namespace

TEST(VaryStudy, RowsAgreeWithSingleRunsOfTheSameValues) {
    const Study studies[] = {
        {"Standardsilo.par", {"Fuellhoehe=2:10:4", "PHIE=30:40:10"}, 6},
        {"Standardsilo.par", {"Fuellhoehe=10:12:2"}, 2},  // 12 m is above the silo: code 3
        {"Massenfluss_Kreissilo.par", {"Trichterwinkel=10:20:10"}, 2},
        {"Bunker_Schuettkegel.par", {"boeschwinkel=20:40:20", "Durchmesser=5:7:2"}, 4},
        {"Getreide_Dichtekurve.par", {"Auflastspannung=0:5000:5000"}, 2},
    };
    for (const Study& s : studies) {
        ktest::TempDir d;
        std::string args;
        for (const std::string& v : s.vary) args += "--vary " + v + " ";
        const Output study = calc(args + kExamples + s.file, d);
        ASSERT_EQ(study.status, 0) << s.file << ": " << study.err;
        const std::vector<std::string> lines = split(study.out, '\n');
        ASSERT_EQ(static_cast<int>(lines.size()), s.rows + 2) << study.out;  // header, rows, ""
        const std::vector<std::string> head = split(lines[0], ',');
        const size_t nv = s.vary.size();
        ASSERT_EQ(head.size(), nv + 6);
        EXPECT_EQ(head[nv], "Parameterfehler");
        EXPECT_EQ(head[nv + 5], "Massenfluss");

        for (int r = 1; r <= s.rows; ++r) {
            const std::vector<std::string> f = split(lines[r], ',');
            ASSERT_EQ(f.size(), nv + 6) << lines[r];
            // The file holding this row's values.
            auto m = ktest::freshModel();
            FileError err;
            ASSERT_TRUE(readParameterFile(*m, kExamples + s.file, err));
            std::string text;
            for (size_t k = 0; k < nv; ++k) {
                const double v = std::stod(f[k]);
                ASSERT_TRUE(setVariedField(*m, head[k], v));
            }
            text = parameterFileText(*m);
            for (size_t k = 0; k < nv; ++k)  // the value stands in the file as given
                EXPECT_NE(text.find(formatReal23(std::stod(f[k]))), std::string::npos)
                    << head[k] << " " << f[k];
            ktest::spit(d.file("row.par"), text);
            const Output single = calc("--json " + d.file("row.par"), d);
            const std::string json = single.out;
            const std::string where = std::string(s.file) + " row " + lines[r];
            EXPECT_EQ(f[nv], jsonValue(json, "Parameterfehler")) << where;
            if (f[nv] != "0") {
                EXPECT_EQ(single.status, kExitProblem) << where;
                for (size_t k = nv + 1; k < f.size(); ++k) EXPECT_TRUE(f[k].empty()) << where;
                continue;
            }
            ASSERT_EQ(single.status, 0) << where << single.err;
            // The study calculates its runs in batches with a vector exp: the
            // same numbers within 1e-12.
            auto near = [](double a, double b) {
                return std::fabs(a - b) <= 1e-12 * std::max(std::fabs(a), std::fabs(b));
            };
            EXPECT_TRUE(near(std::stod(f[nv + 1]), std::stod(jsonValue(json, "Fuellmenge"))))
                << where;
            EXPECT_TRUE(near(std::stod(f[nv + 2]), std::stod(jsonValue(json, "SIGMAV_Auslauf"))))
                << where;
            EXPECT_EQ(f[nv + 5], jsonValue(json, "Massenfluss") == "true" ? "1" : "0") << where;
            // Largest SIGMAW and its height from the single run's curve.
            auto one = ktest::freshModel();
            ASSERT_EQ(runBatch(*one, d.file("row.par"), "", 1).exitCode, kExitOk);
            double z = 0, wmax = static_cast<double>(one->SIGMAW[one->Indexende]), zmax = 0;
            for (int j = one->Indexende - 1; j >= one->Indexanfang - 1; --j) {
                z += static_cast<double>(one->Dz[j + 1]);
                if (static_cast<double>(one->SIGMAW[j]) > wmax) {
                    wmax = static_cast<double>(one->SIGMAW[j]);
                    zmax = z;
                }
            }
            EXPECT_TRUE(near(std::stod(f[nv + 3]), wmax)) << where;
            EXPECT_TRUE(near(std::stod(f[nv + 4]), zmax)) << where;
        }
    }
}

TEST(VaryStudy, BadArgumentsAreUsageErrors) {
    const char* bad[] = {
        "--vary Foo=1:2:1",                                 // unknown name
        "--vary fuellhoehe=1:2:1",                          // names as in the file
        "--vary Fuellhoehe=1:2:0",                          // step 0
        "--vary Fuellhoehe=0:1000:0.0001",                  // 10 million runs
        "--vary PHIE=1:1000:1 --vary Fuellhoehe=1:2000:1",  // 2 million combinations
        "--vary Fuellhoehe=1:2",                            // no step
        "--vary Fuellhoehe=1:2:x",                          // not a number
        "--vary Fuellhoehe=1,5:2:1",                        // comma is no decimal point
        "--vary Fuellhoehe=5:1:1",                          // TO not reachable
        "--vary Fuellhoehe=1:2:1 --vary Fuellhoehe=3:4:1",  // twice
        "--vary",                                           // nothing
        "--json --vary Fuellhoehe=1:2:1",                   // one output at a time
    };
    for (const char* args : bad) {
        ktest::TempDir d;
        const Output o = calc(std::string(args) + " " + kExamples + "Standardsilo.par", d);
        EXPECT_EQ(o.status, kExitUsage) << args;
        EXPECT_TRUE(o.out.empty()) << args;
        EXPECT_EQ(o.err.rfind("korvane-calc: ", 0), 0u) << args << ": " << o.err;
    }
}

TEST(VaryStudy, RowsDoNotDependOnTheThreads) {
    auto base = ktest::freshModel();
    std::string error;
    ASSERT_TRUE(loadStudyBase(*base, kExamples + "Standardsilo.par", error)) << error;
    VaryPlan plan;
    ASSERT_TRUE(makeVaryPlan({{"Fuellhoehe", 3, 11, 0.5}, {"Kwert", 0.3, 0.5, 0.1}}, plan, error));
    ASSERT_EQ(plan.runs, 17 * 3);
    std::string one, many;
    for (const VaryRow& r : runVaryStudy(*base, plan, 1)) one += varyCsvRow(r);
    for (const VaryRow& r : runVaryStudy(*base, plan, 5)) many += varyCsvRow(r);
    EXPECT_EQ(one, many);
    // The first range varies slowest; 0.1 steps keep their decimal values.
    EXPECT_EQ(one.substr(0, one.find(',', 4) + 1), "3,0.3,");
    EXPECT_NE(one.find("\n3,0.4,"), std::string::npos);
    EXPECT_NE(one.find("\n11,0.5,"), std::string::npos);
}
