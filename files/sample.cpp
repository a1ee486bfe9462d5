#include "files/sample.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <thread>

#include "calc/engine.h"
#include "files/summary.h"
#include "files/vary_checks.h"

namespace korvane {

namespace {

// SplitMix64's finaliser: a bijective mix of 64 bits.
std::uint64_t mix64(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

bool parseFinite(std::string text, double& v) {
    while (!text.empty() && text.front() == ' ') text.erase(text.begin());
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (text.empty()) return false;
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, v);
    return ec == std::errc() && end == last && std::isfinite(v);
}

// Rounded to 15 significant digits: what a parameter file keeps of a value.
double fileDigits(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14E", v);
    return std::strtod(buf, nullptr);
}

// A standard normal number from two uniform ones (Box–Muller, the cosine
// branch only): u1 in (0, 1] keeps the logarithm finite.
double standardNormal(std::uint64_t seed, long long run, int draw) {
    const double u1 = 1.0 - uniform01(seed, run, draw);
    const double u2 = uniform01(seed, run, draw + 1);
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * kPi * u2);
}

}  // namespace

double uniform01(std::uint64_t seed, long long run, int draw) {
    // One counter per (run, draw): the seed's stream is offset by the run,
    // each draw a further step of the golden-ratio increment.
    const std::uint64_t key = mix64(seed ^ 0x6A09E667F3BCC909ULL) +
                              mix64(static_cast<std::uint64_t>(run) + 0x9E3779B97F4A7C15ULL) +
                              static_cast<std::uint64_t>(draw) * 0x9E3779B97F4A7C15ULL;
    return static_cast<double>(mix64(key) >> 11) * 0x1.0p-53;
}

bool parseSampleArgument(const std::string& text, SampleSpec& out, std::string& error) {
    const auto eq = text.find('=');
    const std::string form = "NAME=uniform(A,B), NAME=normal(MEAN,SD) or NAME=lognormal(MEAN,SD)";
    if (eq == std::string::npos) {
        error = "--sample needs " + form + ", got '" + text + "'";
        return false;
    }
    out.name = text.substr(0, eq);
    const auto& names = varyFieldNames();
    if (std::find(names.begin(), names.end(), out.name) == names.end()) {
        std::string list;
        for (const std::string& n : names) list += (list.empty() ? "" : ", ") + n;
        error = "--sample: unknown parameter '" + out.name + "' (known: " + list + ")";
        return false;
    }
    const std::string d = text.substr(eq + 1);
    const auto open = d.find('(');
    const auto comma = d.find(',');
    const std::string kind = d.substr(0, open);
    if (kind == "uniform") out.dist = Distribution::Uniform;
    else if (kind == "normal") out.dist = Distribution::Normal;
    else if (kind == "lognormal") out.dist = Distribution::Lognormal;
    if ((kind != "uniform" && kind != "normal" && kind != "lognormal") ||
        open == std::string::npos || comma == std::string::npos || comma < open ||
        d.back() != ')' || d.find(',', comma + 1) != std::string::npos ||
        !parseFinite(d.substr(open + 1, comma - open - 1), out.a) ||
        !parseFinite(d.substr(comma + 1, d.size() - comma - 2), out.b)) {
        error = "--sample " + out.name + ": the distribution must be uniform(A,B), " +
                "normal(MEAN,SD) or lognormal(MEAN,SD) with numbers, got '" + d + "'";
        return false;
    }
    if (out.dist == Distribution::Uniform && !(out.a <= out.b)) {
        error = "--sample " + out.name + ": uniform(A,B) needs A <= B";
        return false;
    }
    if (out.dist != Distribution::Uniform && !(out.b >= 0)) {
        error = "--sample " + out.name + ": the standard deviation must not be negative";
        return false;
    }
    if (out.dist == Distribution::Lognormal && !(out.a > 0)) {
        error = "--sample " + out.name + ": lognormal(MEAN,SD) needs a positive MEAN";
        return false;
    }
    if (out.dist == Distribution::Uniform && !std::isfinite(out.b - out.a)) {
        error = "--sample " + out.name + ": the span from A to B exceeds the largest number " +
                "(about 1.8e308); choose a smaller range";
        return false;
    }
    return true;
}

bool parseSeed(const std::string& text, std::uint64_t& seed) {
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, ec] = std::from_chars(first, last, seed);
    return !text.empty() && ec == std::errc() && end == last;
}

bool parseRuns(const std::string& text, long long& runs) {
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, ec] = std::from_chars(first, last, runs);
    return !text.empty() && ec == std::errc() && end == last && runs >= 1 &&
           runs <= kMaxVaryRuns;
}

std::vector<double> sampleValues(const std::vector<SampleSpec>& specs, std::uint64_t seed,
                                 long long run) {
    std::vector<double> v(specs.size());
    // Every spec has two draws of its own, whatever its distribution, so
    // that adding a field does not change the numbers of the others.
    for (size_t k = 0; k < specs.size(); ++k) {
        const SampleSpec& s = specs[k];
        const int draw = 2 * static_cast<int>(k);
        double x = 0;
        switch (s.dist) {
            case Distribution::Uniform: x = s.a + (s.b - s.a) * uniform01(seed, run, draw); break;
            case Distribution::Normal: x = s.a + s.b * standardNormal(seed, run, draw); break;
            case Distribution::Lognormal: {
                const double s2 = std::log1p((s.b / s.a) * (s.b / s.a));
                const double mu = std::log(s.a) - s2 / 2;
                x = std::exp(mu + std::sqrt(s2) * standardNormal(seed, run, draw));
                break;
            }
        }
        v[k] = fileDigits(x);
    }
    return v;
}

std::vector<double> planValues(const VaryPlan& plan, long long index) {
    std::vector<double> values(plan.values.size());
    for (size_t k = plan.values.size(); k-- > 0;) {
        const long long n = static_cast<long long>(plan.values[k].size());
        values[k] = plan.values[k][static_cast<size_t>(index % n)];
        index /= n;
    }
    return values;
}

void runStudyInOrder(const SiloModel& base, const std::vector<std::string>& names,
                     long long runs, const std::function<std::vector<double>(long long)>& valuesOf,
                     const std::function<void(const VaryRow&)>& sink, unsigned threads) {
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    // Blocks of rows: the threads take runs of a block one by one from a
    // shared counter, then the block goes to the sink in order.
    const long long block = 256LL * threads;
    std::vector<VaryRow> rows(static_cast<size_t>(std::min(block, std::max(1LL, runs))));
    std::vector<std::unique_ptr<SiloModel>> work;
    for (unsigned t = 0; t < threads; ++t) work.push_back(std::make_unique<SiloModel>());
    for (long long start = 0; start < runs; start += block) {
        const long long count = std::min(block, runs - start);
        std::atomic<long long> next{0};
        auto worker = [&](unsigned t) {
            for (long long i; (i = next.fetch_add(1)) < count;)
                rows[static_cast<size_t>(i)] =
                    runWithValues(base, names, valuesOf(start + i), *work[t]);
        };
        const unsigned used = static_cast<unsigned>(std::min<long long>(threads, count));
        std::vector<std::thread> pool;
        for (unsigned t = 1; t < used; ++t) pool.emplace_back(worker, t);
        worker(0);
        for (std::thread& th : pool) th.join();
        for (long long i = 0; i < count; ++i) sink(rows[static_cast<size_t>(i)]);
    }
}

int runSampleOrSummaryCommand(const StudyOptions& o, const std::string& parPath, std::FILE* out,
                              std::string& message) {
    std::vector<std::string> names;
    VaryPlan plan;
    long long runs = o.runs;
    std::function<std::vector<double>(long long)> valuesOf;
    if (!o.samples.empty()) {
        for (const SampleSpec& s : o.samples) {
            if (std::find(names.begin(), names.end(), s.name) != names.end()) {
                message = "--sample " + s.name + " given twice";
                return 1;
            }
            names.push_back(s.name);
        }
        valuesOf = [&o](long long i) { return sampleValues(o.samples, o.seed, i); };
    } else {
        if (!makeVaryPlan(o.ranges, plan, message)) return 1;
        names = plan.names;
        runs = plan.runs;
        valuesOf = [&plan](long long i) { return planValues(plan, i); };
    }
    auto base = std::make_unique<SiloModel>();
    if (!loadStudyBase(*base, parPath, message)) return 2;
    if (!variedFieldsTakeEffect(*base, names, o.samples.empty() ? "--vary" : "--sample",
                                message))
        return 1;

    bool writeOk = true;
    auto write = [&](const std::string& text) {
        if (writeOk && std::fwrite(text.data(), 1, text.size(), out) != text.size()) writeOk = false;
    };
    if (o.summary) {
        StudySummary summary(names, runs);
        runStudyInOrder(*base, names, runs, valuesOf,
                        [&summary](const VaryRow& r) { summary.add(r); }, o.threads);
        write(summary.csv());
        if (!summary.problems().empty()) {
            long long n = 0;
            std::string codes;
            for (const auto& [code, count] : summary.problems()) {
                n += count;
                codes += (codes.empty() ? "" : ", ") + std::to_string(count) + " × code " +
                         std::to_string(code);
            }
            message = "korvane-calc: " + std::to_string(n) + " of " + std::to_string(runs) +
                      " runs not calculated (" + codes + ")";
        }
    } else {
        VaryPlan head;
        head.names = names;
        write(varyCsvHeader(head));
        std::string buffer;
        runStudyInOrder(*base, names, runs, valuesOf,
                        [&](const VaryRow& r) {
                            buffer += varyCsvRow(r);
                            if (buffer.size() > (1u << 16)) {
                                write(buffer);
                                buffer.clear();
                            }
                        },
                        o.threads);
        write(buffer);
    }
    if (!writeOk || std::fflush(out) != 0) {
        message = "korvane-calc: cannot write the rows";
        return 2;
    }
    return 0;
}

}  // namespace korvane
