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

#include <map>
#include <string>
#include <vector>

#include "files/vary.h"

namespace korvane {

inline constexpr double kSummaryLevels[4] = {0.05, 0.50, 0.95, 0.99};

// Quantile p (0..1) of ascending values by the definition above; NaN for none.
double sortedQuantile(const std::vector<double>& ascending, double p);

struct ColumnSummary {
    std::string name;
    long long n = 0;
    double mean = 0, sd = 0, min = 0, max = 0;
    double q[4] = {0, 0, 0, 0};  // at kSummaryLevels
};

// Gathers the rows of a study in run order. The varied or sampled values are
// summarised over every run whose value is a finite number, the results over
// the calculated runs. Keeps 8 bytes per run and numeric column (the exact
// quantiles need every value): 32 MB for 1,000,000 runs of the four result
// columns; Massenfluss is counted.
class StudySummary {
public:
    StudySummary(std::vector<std::string> inputNames, long long expectedRuns);
    void add(const VaryRow& row);
    std::vector<ColumnSummary> columns() const;
    // "column,n,mean,sd,min,max,q5,q50,q95,q99" and one line per column,
    // numbers as in the study's rows; a column without values keeps its
    // number fields empty.
    std::string csv() const;
    long long runs() const { return runs_; }
    // Runs with a parameter problem, by code.
    const std::map<int, long long>& problems() const { return problems_; }

private:
    std::vector<std::string> names_;
    std::vector<std::vector<double>> values_;  // inputs, then the four results
    long long runs_ = 0, calculated_ = 0, massFlow_ = 0;
    std::map<int, long long> problems_;
};

}  // namespace korvane
