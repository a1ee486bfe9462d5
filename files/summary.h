// The summary of a study (korvane-calc --summary): instead of one row per
// run, per column the number of values, mean, standard deviation, least and
// largest value and the 5 %, 50 %, 95 % and 99 % quantiles.
//
// Quantiles are those of the sorted values x[0] <= ... <= x[n-1] with linear
// interpolation between neighbours: q(p) = x[k] + f·(x[k+1] − x[k]) with
// h = (n − 1)·p, k = floor(h), f = h − k (the usual definition of
// spreadsheets and of R's and NumPy's default). The standard deviation is the
// sample one (divisor n − 1; 0 for a single value).
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "files/vary.h"

namespace korvane {

inline constexpr double kSummaryLevels[4] = {0.05, 0.50, 0.95, 0.99};

// The memory a summary keeps values in before it moves them to a temporary
// file: shared by its columns.
inline constexpr std::size_t kSummaryMemoryBytes = std::size_t{2} << 20;

// Quantile p (0..1) of ascending values by the definition above; NaN for none.
double sortedQuantile(const std::vector<double>& ascending, double p);

// A key of a double whose unsigned order is the order of the numbers
// (-inf < ... < -0 < +0 < ... < +inf), and back.
std::uint64_t orderKey(double x);
double fromOrderKey(std::uint64_t key);

struct ColumnSummary {
    std::string name;
    long long n = 0;
    double mean = 0, sd = 0, min = 0, max = 0;
    double q[4] = {0, 0, 0, 0};  // at kSummaryLevels
};

class SummaryColumn;

// Gathers the rows of a study in run order. The varied or sampled values are
// summarised over every run whose value is a finite number, the results over
// the calculated runs; Massenfluss is counted.
//
// The exact quantiles need every value, but the memory stays bounded: each
// column keeps its share of `memoryBytes` of values; beyond that its values
// go, block by block in run order, to an unnamed temporary file in
// `tempDir` (empty: $TMPDIR, else /tmp). The quantiles of such a column are
// then found by radix selection on the order keys of its values: one pass
// over the file per 16 bits of the key, every order statistic the quantiles
// need in the same passes. Mean and standard deviation are computed the same
// way on either path (a compensated sum in run order, then the squared
// deviations from the mean), so the summary does not depend on the budget.
//
// When the temporary file cannot be made, written or read back, failed()
// turns true and error() says why; the summary must then not be used.
class StudySummary {
public:
    explicit StudySummary(std::vector<std::string> inputNames,
                          std::size_t memoryBytes = kSummaryMemoryBytes,
                          std::string tempDir = {});
    ~StudySummary();
    StudySummary(const StudySummary&) = delete;
    StudySummary& operator=(const StudySummary&) = delete;

    void add(const VaryRow& row);
    // The columns' summaries (computed once, on the first call). Empty when
    // failed().
    const std::vector<ColumnSummary>& columns();
    // "column,n,mean,sd,min,max,q5,q50,q95,q99" and one line per column,
    // numbers as in the study's rows; a column without values keeps its
    // number fields empty. Empty when failed().
    std::string csv();
    long long runs() const { return runs_; }
    // Runs with a parameter problem, by code.
    const std::map<int, long long>& problems() const { return problems_; }
    // True when a column's values were moved to a temporary file.
    bool spilled() const;
    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

private:
    void noteFailure();

    std::vector<std::string> names_;
    std::vector<std::unique_ptr<SummaryColumn>> values_;  // inputs, then the four results
    long long runs_ = 0, calculated_ = 0, massFlow_ = 0;
    std::map<int, long long> problems_;
    std::vector<ColumnSummary> columns_;
    bool done_ = false;
    std::string error_;
};

}  // namespace korvane
