// The summary of a study in bounded memory: values beyond the memory's share
// go to a temporary file and the quantiles come from radix selection on it.
// With a budget of a few values the summary is the same as the one kept in
// memory and as a direct computation on the values; a temporary file that
// cannot be made ends the summary with a message instead of a wrong summary.
// A --vary study does not list the values of long ranges either.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "files/sample.h"
#include "files/summary.h"
#include "files/vary.h"
#include "test_support.h"

using namespace korvane;

namespace {

// Rows of a study of one input: the input is `x`, the results are made
// from it so that they have ties, negative values and both zeros. Every
// seventh run is not calculated, and a value that is not finite stays out of
// the input's column (and its run is not calculated).
std::vector<VaryRow> rowsOf(const std::vector<double>& xs) {
    std::vector<VaryRow> rows;
    for (size_t i = 0; i < xs.size(); ++i) {
        VaryRow r;
        r.values = {xs[i]};
        r.Fuellmenge = -xs[i];
        r.SIGMAV_Auslauf = std::round(xs[i] / 4);                           // ties
        r.SIGMAW_max = i % 2 == 0 ? 0.0 : -0.0;                             // both zeros only
        r.z_SIGMAW_max = std::ldexp(xs[i], static_cast<int>(i % 40) - 20);  // wide range
        r.Massenfluss = i % 3 == 0;
        r.calculated = i % 7 != 3 && std::isfinite(r.Fuellmenge) &&
                       std::isfinite(r.SIGMAV_Auslauf) && std::isfinite(r.z_SIGMAW_max);
        if (!r.calculated) r.Parameterfehler = 9;
        rows.push_back(r);
    }
    return rows;
}

// The summary's numbers worked out directly: the values sorted, the
// quantiles interpolated between neighbours, mean (summed in long double,
// which does not overflow near the largest double) and sample deviation in
// two passes.
ColumnSummary direct(std::vector<double> v) {
    ColumnSummary c;
    c.n = static_cast<long long>(v.size());
    if (v.empty()) return c;
    long double sum = 0;
    for (double x : v) sum += x;
    const auto mean = static_cast<double>(sum / static_cast<long double>(v.size()));
    double dev = 0;
    for (double x : v) dev += (x - mean) * (x - mean);
    std::sort(v.begin(), v.end());
    c.mean = mean;
    c.sd = v.size() > 1 ? std::sqrt(dev / static_cast<double>(v.size() - 1)) : 0.0;
    c.min = v.front();
    c.max = v.back();
    for (int i = 0; i < 4; ++i) c.q[i] = sortedQuantile(v, kSummaryLevels[i]);
    return c;
}

std::vector<double> columnOf(const std::vector<VaryRow>& rows, int col) {
    std::vector<double> v;
    for (const VaryRow& r : rows) {
        if (col == 0) {
            if (std::isfinite(r.values[0])) v.push_back(r.values[0]);
            continue;
        }
        if (!r.calculated) continue;
        const double res[] = {r.Fuellmenge, r.SIGMAV_Auslauf, r.SIGMAW_max, r.z_SIGMAW_max};
        v.push_back(res[col - 1]);
    }
    return v;
}

std::vector<double> mixed(int n) {
    std::vector<double> v;
    unsigned s = 12345;
    for (int i = 0; i < n; ++i) {
        s = s * 1103515245u + 12345u;
        const double u = static_cast<double>((s >> 8) % 20001) / 100.0 - 100.0;  // -100 .. 100
        v.push_back(i % 5 == 0 ? std::round(u / 10) * 10 : u);                   // ties
    }
    return v;
}

}  // namespace

TEST(Summary, SpilledToAFileAsInMemoryAndAsADirectComputation) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double tiny = std::numeric_limits<double>::denorm_min();
    const std::vector<std::vector<double>> cases = {
        {2.5},
        {-1.0, 1.0},
        {0.0, -0.0, 0.0, -0.0, -0.0, 0.0, 0.0, -0.0, 0.0},
        {3, 3, 3, 3, -3, -3, 3, 3, 3, 3, 3, 3, 3, 3, 3},
        {5, nan, -2, inf, 7, -inf, 1e-300, -1e10, 1e10, tiny, -tiny, 0.0, -0.0, 42, 42, 42},
        {1.7e308, 1.6e308, 1.75e308, 1.7e308, 1.1e308, 1.2e308, 1.3e308, 1.4e308, 1.5e308},  // sum overflows
        mixed(1000),
        mixed(4099),
    };
    const std::vector<std::string> names = {"Auflastspannung"};
    for (size_t t = 0; t < cases.size(); ++t) {
        const std::vector<VaryRow> rows = rowsOf(cases[t]);
        StudySummary inMemory(names);
        for (const VaryRow& r : rows) inMemory.add(r);
        EXPECT_FALSE(inMemory.spilled()) << t;
        const std::vector<ColumnSummary> expected = inMemory.columns();
        ASSERT_EQ(expected.size(), 6u);
        const std::string expectedCsv = inMemory.csv();
        // Budgets of one, two and three values a column (five columns).
        for (std::size_t perColumn : {1, 2, 3}) {
            const std::string where = "case " + std::to_string(t) + ", " +
                                      std::to_string(perColumn) + " values in memory";
            StudySummary onFile(names, perColumn * sizeof(double) * 5);
            for (const VaryRow& r : rows) onFile.add(r);
            EXPECT_EQ(onFile.spilled(), cases[t].size() > perColumn) << where;
            const std::vector<ColumnSummary>& got = onFile.columns();
            ASSERT_FALSE(onFile.failed()) << onFile.error();
            ASSERT_EQ(got.size(), expected.size()) << where;
            for (size_t c = 0; c < got.size(); ++c) {
                const ColumnSummary& a = got[c];
                const ColumnSummary& b = expected[c];
                EXPECT_EQ(a.name, b.name);
                EXPECT_EQ(a.n, b.n) << where << " " << a.name;
                const double ga[] = {a.mean, a.sd, a.min, a.max, a.q[0], a.q[1], a.q[2], a.q[3]};
                const double gb[] = {b.mean, b.sd, b.min, b.max, b.q[0], b.q[1], b.q[2], b.q[3]};
                for (int i = 0; i < 8; ++i)
                    EXPECT_TRUE(ga[i] == gb[i] || (std::isnan(ga[i]) && std::isnan(gb[i])))
                        << where << " " << a.name << " field " << i << ": " << ga[i]
                        << " != " << gb[i];
            }
            EXPECT_EQ(onFile.csv(), expectedCsv) << where;
        }
        // Against the values sorted directly.
        for (int col = 0; col < 5; ++col) {
            const ColumnSummary d = direct(columnOf(rows, col));
            const ColumnSummary& s = expected[static_cast<size_t>(col)];
            const std::string where = "case " + std::to_string(t) + " " + s.name;
            ASSERT_EQ(s.n, d.n) << where;
            if (d.n == 0) continue;
            EXPECT_EQ(s.min, d.min) << where;
            EXPECT_EQ(s.max, d.max) << where;
            for (int i = 0; i < 4; ++i) EXPECT_EQ(s.q[i], d.q[i]) << where << " q" << i;
            EXPECT_NEAR(s.mean, d.mean, 1e-12 * std::max(1.0, std::fabs(d.mean))) << where;
            if (std::isfinite(d.sd)) {
                EXPECT_NEAR(s.sd, d.sd, 1e-12 * std::max(1.0, std::fabs(d.sd))) << where;
            }
        }
    }

    // A study as korvane-calc runs it: the same text with 5 values a column
    // in memory as with the whole study there.
    const std::string par = std::string(KORVANE_TEST_DATA) + "/../../examples/Par/Standardsilo.par";
    ktest::TempDir d;
    std::string texts[2];
    for (int i = 0; i < 2; ++i) {
        StudyOptions o;
        o.samples = {{"RHOMIN", Distribution::Normal, 2400, 150},
                     {"Fuellhoehe", Distribution::Uniform, 2, 10.5}};
        o.runs = 301;
        o.seed = 3;
        o.summary = true;
        if (i == 1) o.summaryMemoryBytes = 5 * sizeof(double) * 6;
        const std::string outPath = d.file("out" + std::to_string(i));
        std::FILE* out = std::fopen(outPath.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::string message;
        EXPECT_EQ(runSampleOrSummaryCommand(o, par, out, message), 0) << message;
        std::fclose(out);
        texts[i] = ktest::slurp(outPath);
    }
    EXPECT_GT(texts[0].size(), 200u);
    EXPECT_EQ(texts[0], texts[1]);
}

TEST(Summary, OrderKeysSortAsTheNumbers) {
    const double inf = std::numeric_limits<double>::infinity();
    const double v[] = {-inf, -1e308, -1.0, -std::numeric_limits<double>::denorm_min(), -0.0,
                        0.0,  std::numeric_limits<double>::denorm_min(), 1.0, 1e308, inf};
    for (size_t i = 0; i < std::size(v); ++i) {
        EXPECT_EQ(std::signbit(fromOrderKey(orderKey(v[i]))), std::signbit(v[i]));
        EXPECT_EQ(fromOrderKey(orderKey(v[i])), v[i]);
        if (i > 0) {
            EXPECT_LT(orderKey(v[i - 1]), orderKey(v[i])) << v[i];
        }
    }
}

TEST(Summary, ATemporaryFileThatCannotBeMadeGivesNoSummary) {
    const std::string missing = "/nonexistent-korvane-folder/tmp";
    // Directly, and as korvane-calc runs a summary (exit status 2, nothing
    // on standard output).
    StudySummary s({"PHIE"}, 0, missing);
    for (const VaryRow& r : rowsOf(mixed(20))) s.add(r);
    EXPECT_TRUE(s.failed());
    EXPECT_TRUE(s.csv().empty());
    EXPECT_TRUE(s.columns().empty());
    EXPECT_NE(s.error().find(missing), std::string::npos) << s.error();

    ktest::TempDir d;
    const std::string par = std::string(KORVANE_TEST_DATA) + "/../../examples/Par/Standardsilo.par";
    StudyOptions o;
    o.samples = {{"PHIE", Distribution::Uniform, 30, 40}};
    o.runs = 40;
    o.summary = true;
    o.summaryMemoryBytes = 0;
    o.summaryTempDir = missing;
    const std::string outPath = d.file("out.csv");
    std::FILE* out = std::fopen(outPath.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::string message;
    EXPECT_EQ(runSampleOrSummaryCommand(o, par, out, message), 2);
    std::fclose(out);
    EXPECT_TRUE(ktest::slurp(outPath).empty());
    EXPECT_EQ(message.rfind("korvane-calc: cannot make the summary's temporary file in " + missing, 0),
              0u)
        << message;
}

TEST(StudyMemory, LongRangesAreComputedRunByRunAsListed) {
    // 11 × 66667 runs: more values than a plan lists, so each run computes
    // its values; they are the last ones of a plan short enough to list them.
    VaryPlan plan;
    std::string error;
    ASSERT_TRUE(makeVaryPlan({{"PHIE", 30, 31, 0.1}, {"Auflastspannung", 0.3, 100000.3, 1.5}}, plan,
                             error))
        << error;
    EXPECT_EQ(plan.runs, 11 * 66667);
    EXPECT_TRUE(plan.values.empty());
    ASSERT_TRUE(plan.valuesOf);
    for (long long index : {0LL, 1LL, 65000LL, 66667LL, 123457LL, 10 * 66667LL + 64999}) {
        const long long i = index / 66667, j = index % 66667;
        VaryPlan listed;
        ASSERT_TRUE(makeVaryPlan({{"PHIE", 30, 30 + static_cast<double>(i) * 0.1, 0.1},
                                  {"Auflastspannung", 0.3, 0.3 + static_cast<double>(j) * 1.5, 1.5}},
                                 listed, error))
            << error;
        ASSERT_FALSE(listed.valuesOf);
        const std::vector<double> v = planValues(plan, index);
        EXPECT_EQ(v, (std::vector<double>{listed.values[0].back(), listed.values[1].back()}))
            << index;
    }
}
