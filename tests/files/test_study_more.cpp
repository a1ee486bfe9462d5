// Studies of korvane-calc beyond --vary's rows: no value or result that is
// not a finite number is ever printed, a field the silo does not use cannot
// be varied or sampled, --sample draws reproducibly from its seed, and
// --summary agrees with a direct computation on the rows.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "calc/engine.h"
#include "files/batch.h"
#include "files/parameter_file.h"
#include "files/sample.h"
#include "files/summary.h"
#include "files/vary.h"
#include "test_support.h"

using namespace korvane;

namespace {

const std::string kPar = std::string(KORVANE_TEST_DATA) + "/../../examples/Par/";

using ktest::CalcRun;

CalcRun korvaneCalc(const std::string& args, const ktest::TempDir& d) {
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

// A variant of an example file written into `d`: the example loaded,
// changed by `change`, saved.
std::string variant(const ktest::TempDir& d, const std::string& example,
                    const std::function<void(SiloModel&)>& change) {
    auto m = ktest::freshModel();
    FileError err;
    if (!readParameterFile(*m, kPar + example, err)) return {};
    change(*m);
    const std::string path = d.file("variant.par");
    ktest::spit(path, parameterFileText(*m));
    return path;
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

TEST(StudyNumbers, NoValueOrResultThatIsNotFiniteIsPrinted) {
    const std::string big = "1.7976931348623157e308";
    struct Case {
        const char* file;
        std::string vary;
        int code;  // the row's problem code
    } cases[] = {
        {"Standardsilo.par", "RHOMIN=" + big + ":" + big + ":1", 6},
        {"Standardsilo.par", "RHOMAX=" + big + ":" + big + ":1", 6},
        {"Standardsilo.par", "PHIE=" + big + ":" + big + ":1", 10},
        {"Standardsilo.par", "Fuellhoehe=" + big + ":" + big + ":1", 9},
        {"Silo_Auflast_Unterteil.par", "Kwert=" + big + ":" + big + ":1", 13},
        {"Bunker_Schuettkegel.par", "boeschwinkel=" + big + ":" + big + ":1", 20},
    };
    for (const Case& c : cases) {
        ktest::TempDir d;
        const CalcRun r = korvaneCalc("--vary " + c.vary + " " + kPar + c.file, d);
        ASSERT_EQ(r.status, 0) << c.vary << r.err;
        const std::vector<std::string> lines = split(r.out, '\n');
        ASSERT_EQ(lines.size(), 3u) << r.out;
        EXPECT_EQ(lines[1], "," + std::to_string(c.code) + ",,,,,") << c.vary;
        EXPECT_EQ(lower(r.out).find("inf"), std::string::npos) << r.out;
        EXPECT_EQ(lower(r.out).find("nan"), std::string::npos) << r.out;
    }
}

TEST(StudyNumbers, ASpanBeyondTheLargestNumberIsNamed) {
    const char* args[] = {"--vary PHIE=1e308:-1e308:-1e307",
                          "--vary Fuellhoehe=-1.5e308:1.5e308:1e307",
                          "--sample 'Fuellhoehe=uniform(-1.5e308,1.5e308)' --runs 2"};
    for (const char* a : args) {
        ktest::TempDir d;
        const CalcRun r = korvaneCalc(std::string(a) + " " + kPar + "Standardsilo.par", d);
        EXPECT_EQ(r.status, kExitUsage) << a;
        EXPECT_NE(r.err.find("exceeds the largest number"), std::string::npos) << a << r.err;
        EXPECT_EQ(r.err.find("cannot be reached"), std::string::npos) << a << r.err;
    }
}

TEST(StudyFields, AFieldTheSiloDoesNotUseIsAUsageError) {
    ktest::TempDir d;
    const std::string noHopper = variant(d, "Standardsilo.par", [](SiloModel& m) {
        m.Trichterja = false;
        m.Fuellhoehe = 5;
    });
    const std::string noHopperCopy = d.file("nohopper.par");
    ktest::spit(noHopperCopy, ktest::slurp(noHopper));
    const std::string noShaft = variant(d, "Standardsilo.par", [](SiloModel& m) {
        m.Schaftja = false;
        m.Hschaft = 0;
        m.Fuellhoehe = 4;
    });
    const std::string noShaftCopy = d.file("noshaft.par");
    ktest::spit(noShaftCopy, ktest::slurp(noShaft));
    const std::string low = variant(d, "Standardsilo.par", [](SiloModel& m) { m.Fuellhoehe = 2; });
    const std::string lowCopy = d.file("low.par");
    ktest::spit(lowCopy, ktest::slurp(low));

    struct Case {
        std::string file, args, why;
    } cases[] = {
        {kPar + "Standardsilo.par", "--vary Kwert=0.3:0.5:0.1",
         "Kwert has no effect: this silo takes K = 0.4; choose K as a value in the file first"},
        {kPar + "Bunker_Schuettkegel.par", "--vary Kwert=0.3:0.5:0.1",
         "Kwert has no effect: this silo takes K = 1.2·(1 − sin PHIE); choose K as a value in "
         "the file first"},
        {kPar + "Massenfluss_Kreissilo.par", "--vary Laenge=3:5:1", "Laenge has no effect"},
        {kPar + "Massenfluss_Kreissilo.par", "--vary PhixStirnwand=20:30:5",
         "PhixStirnwand has no effect"},
        {kPar + "Standardsilo.par", "--vary boeschwinkel=20:30:5", "boeschwinkel has no effect"},
        {kPar + "Bunker_Schuettkegel.par", "--vary Auflastspannung=0:1000:500",
         "Auflastspannung has no effect"},
        {kPar + "Standardsilo.par", "--vary Hunttricht=1:2:1", "Hunttricht has no effect"},
        {kPar + "Standardsilo.par", "--vary Phixunten=20:30:5", "Phixunten has no effect"},
        {kPar + "Bunker_Schuettkegel.par", "--vary RHOMAX=2000:2100:100", "RHOMAX has no effect"},
        {kPar + "Bunker_Schuettkegel.par", "--vary SIGMA0=1000:2000:1000", "SIGMA0 has no effect"},
        {kPar + "Getreide_Dichtekurve.par", "--vary RHOMIN=700:750:50", "RHOMIN has no effect"},
        {noHopperCopy, "--vary Trichterwinkel=20:30:5", "Trichterwinkel has no effect"},
        {noHopperCopy, "--vary Phixtrichter=20:30:5", "Phixtrichter has no effect"},
        {noHopperCopy, "--vary Auslauf=1:2:1", "Auslauf has no effect"},
        {noHopperCopy, "--vary PhixStirnwand=20:30:5", "PhixStirnwand has no effect"},
        {noHopperCopy, "--vary PHIE=30:40:5", "PHIE has no effect"},
        {noShaftCopy, "--vary Hschaft=1:2:1", "Hschaft has no effect"},
        {noShaftCopy, "--vary Phixschaft=20:30:5", "Phixschaft has no effect"},
        {lowCopy, "--vary Phixschaft=20:30:5", "Phixschaft has no effect"},
        {kPar + "Massenfluss_Kreissilo.par", "--sample 'Laenge=uniform(3,5)' --runs 3",
         "--sample: Laenge has no effect"},
        {kPar + "Standardsilo.par", "--vary Fuellhoehe=4:8:4 --vary Kwert=0.3:0.5:0.1",
         "Kwert has no effect"},
    };
    for (const Case& c : cases) {
        ktest::TempDir out;
        const CalcRun r = korvaneCalc(c.args + " " + c.file, out);
        EXPECT_EQ(r.status, kExitUsage) << c.args << " " << c.file;
        EXPECT_TRUE(r.out.empty()) << c.args;
        EXPECT_NE(r.err.find(c.why), std::string::npos) << c.args << ": " << r.err;
    }

    // The same fields where the silo uses them give rows.
    const Case used[] = {
        {kPar + "Silo_Auflast_Unterteil.par", "--vary Kwert=0.3:0.5:0.1", ""},
        {kPar + "Silo_Auflast_Unterteil.par", "--vary Phixunten=20:22:2", ""},
        {kPar + "Silo_Auflast_Unterteil.par", "--vary Auflastspannung=0:1000:500", ""},
        {kPar + "Standardsilo.par", "--vary Laenge=5:6:1 --vary PhixStirnwand=20:30:10", ""},
        {kPar + "Bunker_Schuettkegel.par", "--vary boeschwinkel=20:30:10", ""},
        {kPar + "Massenfluss_Kreissilo.par", "--vary RHOMAX=1500:1600:100", ""},
        {noShaftCopy, "--vary Phixtrichter=20:25:5", ""},
        {lowCopy, "--vary Fuellhoehe=2:8:6 --vary Phixschaft=20:30:10", ""},
    };
    for (const Case& c : used) {
        ktest::TempDir out;
        const CalcRun r = korvaneCalc(c.args + " " + c.file, out);
        EXPECT_EQ(r.status, 0) << c.args << " " << c.file << ": " << r.err;
    }
}

TEST(Sample, TheSameSeedGivesTheSameRowsOnAnyNumberOfThreads) {
    auto base = ktest::freshModel();
    std::string error;
    ASSERT_TRUE(loadStudyBase(*base, kPar + "Standardsilo.par", error)) << error;
    std::vector<SampleSpec> specs(3);
    std::string why;
    ASSERT_TRUE(parseSampleArgument("RHOMIN=lognormal(2400,200)", specs[0], why)) << why;
    ASSERT_TRUE(parseSampleArgument("PHIE=normal(35,3)", specs[1], why)) << why;
    ASSERT_TRUE(parseSampleArgument("Fuellhoehe=uniform(3,10.5)", specs[2], why)) << why;
    auto rows = [&](std::uint64_t seed, unsigned threads) {
        std::string text;
        for (const VaryRow& r : runVaryStudy(*base, samplePlan(specs, 700, seed), threads))
            text += varyCsvRow(r);
        return text;
    };
    const std::string one = rows(42, 1);
    EXPECT_EQ(one, rows(42, 2));
    EXPECT_EQ(one, rows(42, 3));
    EXPECT_NE(one, rows(43, 2));
    // Some runs exceed the silo (code 3); the rest are calculated.
    EXPECT_NE(one.find(",3,,,,,"), std::string::npos);
    EXPECT_NE(one.find(",0,"), std::string::npos);

    // The batch tool: the same seed, the same output; a value of run i does
    // not depend on how many runs there are.
    ktest::TempDir d;
    const std::string args = "--sample \"PHIE=normal(35,3)\" --sample \"Kwert=uniform(0.3,0.6)\" "
                             "--seed 9 " + kPar + "Silo_Auflast_Unterteil.par --runs ";
    const CalcRun a = korvaneCalc(args + "50", d);
    const CalcRun b = korvaneCalc(args + "50", d);
    const CalcRun c = korvaneCalc(args + "20", d);
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(split(a.out, '\n').size(), 52u);
    EXPECT_EQ(a.out.substr(0, c.out.size()), c.out);
    EXPECT_EQ(split(a.out, '\n')[0],
              "PHIE,Kwert,Parameterfehler,Fuellmenge,SIGMAV_Auslauf,SIGMAW_max,z_SIGMAW_max,"
              "Massenfluss");
}

TEST(Sample, TheDistributionsHaveTheirMeanAndSpread) {
    struct Case {
        const char* arg;
        double mean, sd, lo, hi;
    } cases[] = {
        {"PHIE=uniform(30,40)", 35, 10 / std::sqrt(12.0), 30, 40},
        {"PHIE=normal(35,2)", 35, 2, -1e9, 1e9},
        {"RHOMIN=lognormal(2400,300)", 2400, 300, 0, 1e9},
    };
    const long long n = 40000;
    for (const Case& c : cases) {
        SampleSpec s;
        std::string why;
        ASSERT_TRUE(parseSampleArgument(c.arg, s, why)) << why;
        double sum = 0, sq = 0;
        for (long long i = 0; i < n; ++i) {
            const double x = sampleValues({s}, 5, i)[0];
            ASSERT_TRUE(x >= c.lo && x < c.hi) << c.arg << " " << x;
            sum += x;
            sq += x * x;
        }
        const double mean = sum / n, sd = std::sqrt(sq / n - mean * mean);
        // Four standard errors of the mean, and of the spread 5 %.
        EXPECT_NEAR(mean, c.mean, 4 * c.sd / std::sqrt(static_cast<double>(n))) << c.arg;
        EXPECT_NEAR(sd, c.sd, 0.05 * c.sd) << c.arg;
    }
}

TEST(Sample, BadArgumentsAreUsageErrors) {
    const char* bad[] = {
        "--sample 'PHIE=normal(35,3)'",                        // no --runs
        "--sample 'PHIE=gauss(35,3)' --runs 5",                // unknown distribution
        "--sample 'Foo=normal(35,3)' --runs 5",                // unknown field
        "--sample 'PHIE=normal(35)' --runs 5",                 // one number
        "--sample 'PHIE=normal(35,-1)' --runs 5",              // negative spread
        "--sample 'PHIE=uniform(40,30)' --runs 5",             // B < A
        "--sample 'RHOMIN=lognormal(0,1)' --runs 5",           // mean not positive
        "--sample 'PHIE=normal(35,3)' --runs 0",               // no run
        "--sample 'PHIE=normal(35,3)' --runs 1000001",         // too many
        "--sample 'PHIE=normal(35,3)' --runs 5 --seed -1",     // seed not a whole number >= 0
        "--sample 'PHIE=normal(35,3)' --sample 'PHIE=normal(35,3)' --runs 5",  // twice
        "--sample 'PHIE=normal(35,3)' --runs 5 --vary Fuellhoehe=1:2:1",     // one kind of study
        "--runs 5",                                          // --runs without --sample
        "--summary",                                         // nothing to summarise
    };
    for (const char* args : bad) {
        ktest::TempDir d;
        const CalcRun o = korvaneCalc(std::string(args) + " " + kPar + "Standardsilo.par", d);
        EXPECT_EQ(o.status, kExitUsage) << args;
        EXPECT_TRUE(o.out.empty()) << args;
        EXPECT_EQ(o.err.rfind("korvane-calc: ", 0), 0u) << args << ": " << o.err;
    }
}

TEST(Summary, AgreesWithADirectComputationOnTheRows) {
    const std::string file = kPar + "Standardsilo.par";
    const char* studies[] = {
        "--sample \"RHOMIN=normal(2400,150)\" --sample \"Fuellhoehe=uniform(2,10.5)\" --runs 301 "
        "--seed 3",
        "--vary PHIE=30:40:1 --vary Fuellhoehe=2:11:0.5",
    };
    for (const char* study : studies) {
        ktest::TempDir d;
        const CalcRun rows = korvaneCalc(std::string(study) + " " + file, d);
        const CalcRun summary = korvaneCalc(std::string(study) + " --summary " + file, d);
        ASSERT_EQ(rows.status, 0) << rows.err;
        ASSERT_EQ(summary.status, 0) << summary.err;
        // Runs above the silo are named on standard error.
        EXPECT_NE(summary.err.find("runs not calculated"), std::string::npos) << summary.err;

        const std::vector<std::string> lines = split(rows.out, '\n');
        const std::vector<std::string> head = split(lines[0], ',');
        const std::vector<std::string> sum = split(summary.out, '\n');
        ASSERT_EQ(sum[0], "column,n,mean,sd,min,max,q5,q50,q95,q99");
        size_t checked = 0;
        for (size_t col = 0; col < head.size(); ++col) {
            if (head[col] == "Parameterfehler") continue;
            std::vector<double> v;
            for (size_t r = 1; r + 1 < lines.size(); ++r) {
                const std::string f = split(lines[r], ',')[col];
                if (!f.empty()) v.push_back(std::stod(f));
            }
            const auto line = std::find_if(sum.begin(), sum.end(), [&](const std::string& l) {
                return l.rfind(head[col] + ",", 0) == 0;
            });
            ASSERT_NE(line, sum.end()) << head[col];
            const std::vector<std::string> s = split(*line, ',');
            ASSERT_EQ(s.size(), 10u) << *line;
            ASSERT_EQ(std::stoll(s[1]), static_cast<long long>(v.size())) << *line;
            ASSERT_GT(v.size(), 1u);
            double mean = 0;
            for (double x : v) mean += x;
            mean /= static_cast<double>(v.size());
            double dev = 0;
            for (double x : v) dev += (x - mean) * (x - mean);
            std::sort(v.begin(), v.end());
            auto quantile = [&v](double p) {
                const double h = (static_cast<double>(v.size()) - 1) * p;
                const size_t k = static_cast<size_t>(h);
                return k + 1 < v.size() ? v[k] + (h - static_cast<double>(k)) * (v[k + 1] - v[k])
                                        : v[k];
            };
            const double expect[] = {mean,          std::sqrt(dev / static_cast<double>(v.size() - 1)),
                                     v.front(),     v.back(),
                                     quantile(0.05), quantile(0.5),
                                     quantile(0.95), quantile(0.99)};
            for (int i = 0; i < 8; ++i)
                EXPECT_NEAR(std::stod(s[2 + i]), expect[i], 1e-12 * std::max(1.0, std::fabs(expect[i])))
                    << study << " " << *line << " field " << i;
            ++checked;
        }
        EXPECT_EQ(checked, head.size() - 1);
    }
}
