#include "files/summary.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace korvane {

double sortedQuantile(const std::vector<double>& x, double p) {
    if (x.empty()) return std::numeric_limits<double>::quiet_NaN();
    const double h = static_cast<double>(x.size() - 1) * p;
    const size_t k = static_cast<size_t>(std::floor(h));
    if (k + 1 >= x.size()) return x.back();
    const double f = h - static_cast<double>(k);
    return x[k] + f * (x[k + 1] - x[k]);
}

namespace {

const char* const kResultNames[] = {"Fuellmenge", "SIGMAV_Auslauf", "SIGMAW_max", "z_SIGMAW_max"};

ColumnSummary summarise(const std::string& name, std::vector<double> v) {
    ColumnSummary c;
    c.name = name;
    c.n = static_cast<long long>(v.size());
    if (v.empty()) return c;
    // Two passes over the values in run order: the mean, then the squared
    // deviations from it (no cancellation as in the sum of squares).
    double sum = 0;
    for (double x : v) sum += x;
    c.mean = sum / static_cast<double>(v.size());
    if (!std::isfinite(c.mean)) {  // values near the largest double: a running mean
        c.mean = 0;
        for (size_t i = 0; i < v.size(); ++i) c.mean += (v[i] - c.mean) / static_cast<double>(i + 1);
    }
    double dev = 0;
    for (double x : v) dev += (x - c.mean) * (x - c.mean);
    c.sd = v.size() > 1 ? std::sqrt(dev / static_cast<double>(v.size() - 1)) : 0.0;
    std::sort(v.begin(), v.end());
    c.min = v.front();
    c.max = v.back();
    for (int i = 0; i < 4; ++i) c.q[i] = sortedQuantile(v, kSummaryLevels[i]);
    return c;
}

std::string number(double v) {
    if (!std::isfinite(v)) return {};
    char buf[40];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}

}  // namespace

StudySummary::StudySummary(std::vector<std::string> inputNames, long long expectedRuns)
    : names_(std::move(inputNames)) {
    for (const char* r : kResultNames) names_.emplace_back(r);
    values_.resize(names_.size());
    // Room for the expected runs at once: no doubling of large vectors.
    for (auto& v : values_) v.reserve(static_cast<size_t>(std::max(0LL, expectedRuns)));
}

void StudySummary::add(const VaryRow& row) {
    ++runs_;
    const size_t ni = names_.size() - 4;
    for (size_t k = 0; k < ni && k < row.values.size(); ++k)
        if (std::isfinite(row.values[k])) values_[k].push_back(row.values[k]);
    if (row.Parameterfehler != 0) ++problems_[row.Parameterfehler];
    if (row.Parameterfehler != 0 || !row.calculated) return;
    ++calculated_;
    values_[ni + 0].push_back(row.Fuellmenge);
    values_[ni + 1].push_back(row.SIGMAV_Auslauf);
    values_[ni + 2].push_back(row.SIGMAW_max);
    values_[ni + 3].push_back(row.z_SIGMAW_max);
    if (row.Massenfluss) ++massFlow_;
}

std::vector<ColumnSummary> StudySummary::columns() const {
    std::vector<ColumnSummary> out;
    for (size_t k = 0; k < names_.size(); ++k) out.push_back(summarise(names_[k], values_[k]));
    // Massenfluss: n values of 0 or 1, massFlow_ of them 1; sorted they are
    // the zeros, then the ones.
    ColumnSummary m;
    m.name = "Massenfluss";
    m.n = calculated_;
    if (calculated_ > 0) {
        const double n = static_cast<double>(calculated_), ones = static_cast<double>(massFlow_);
        m.mean = ones / n;
        m.sd = calculated_ > 1 ? std::sqrt((ones * (1 - m.mean) * (1 - m.mean) +
                                            (n - ones) * m.mean * m.mean) /
                                           (n - 1))
                               : 0.0;
        m.min = massFlow_ == calculated_ ? 1 : 0;
        m.max = massFlow_ > 0 ? 1 : 0;
        const long long firstOne = calculated_ - massFlow_;  // index of the first 1
        for (int i = 0; i < 4; ++i) {
            const double h = (n - 1) * kSummaryLevels[i];
            const long long k = static_cast<long long>(std::floor(h));
            const double xk = k >= firstOne ? 1.0 : 0.0;
            const double xk1 = k + 1 >= calculated_ ? xk : (k + 1 >= firstOne ? 1.0 : 0.0);
            m.q[i] = xk + (h - static_cast<double>(k)) * (xk1 - xk);
        }
    }
    out.push_back(m);
    return out;
}

std::string StudySummary::csv() const {
    std::string o = "column,n,mean,sd,min,max,q5,q50,q95,q99\n";
    for (const ColumnSummary& c : columns()) {
        o += c.name + "," + std::to_string(c.n);
        if (c.n > 0) {
            o += "," + number(c.mean) + "," + number(c.sd) + "," + number(c.min) + "," +
                 number(c.max);
            for (double q : c.q) o += "," + number(q);
        } else {
            o += ",,,,,,,,";
        }
        o += "\n";
    }
    return o;
}

}  // namespace korvane
