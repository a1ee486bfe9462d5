#include "files/sample.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <memory>

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
    if (plan.valuesOf) {
        std::vector<double> drawn(plan.names.size());
        plan.valuesOf(index, drawn);
        return drawn;
    }
    std::vector<double> values(plan.values.size());
    for (size_t k = plan.values.size(); k-- > 0;) {
        const long long n = static_cast<long long>(plan.values[k].size());
        values[k] = plan.values[k][static_cast<size_t>(index % n)];
        index /= n;
    }
    return values;
}

VaryPlan samplePlan(const std::vector<SampleSpec>& specs, long long runs, std::uint64_t seed) {
    VaryPlan plan;
    for (const SampleSpec& s : specs) plan.names.push_back(s.name);
    plan.runs = runs;
    plan.valuesOf = [specs, seed](long long i, std::vector<double>& v) {
        v = sampleValues(specs, seed, i);
    };
    return plan;
}

int runSampleOrSummaryCommand(const StudyOptions& o, const std::string& parPath, std::FILE* out,
                              std::string& message) {
    VaryPlan plan;
    if (!o.samples.empty()) {
        for (size_t k = 0; k < o.samples.size(); ++k) {
            for (size_t j = 0; j < k; ++j) {
                if (o.samples[j].name == o.samples[k].name) {
                    message = "--sample " + o.samples[k].name + " given twice";
                    return 1;
                }
            }
        }
        plan = samplePlan(o.samples, o.runs, o.seed);
    } else if (!makeVaryPlan(o.ranges, plan, message)) {
        return 1;
    }
    const std::vector<std::string>& names = plan.names;
    const long long runs = plan.runs;
    auto base = std::make_unique<SiloModel>();
    if (!loadStudyBase(*base, parPath, message)) return 2;
    if (!variedFieldsTakeEffect(*base, names, o.samples.empty() ? "--vary" : "--sample",
                                message))
        return 1;
    // The rows of a random study stream as those of --vary do.
    if (!o.summary) return streamStudyCommand(*base, plan, out, message);

    // The summary takes the rows block by block, each block a plan of its
    // own for the studies' run loop, so only one block of rows is held
    // (about 100 bytes a row); the summary's own memory is bounded too.
    StudySummary summary(names, o.summaryMemoryBytes, o.summaryTempDir);
    constexpr long long kBlock = 8192;
    for (long long first = 0; first < runs; first += kBlock) {
        VaryPlan block;
        block.names = names;
        block.runs = std::min(kBlock, runs - first);
        block.valuesOf = [&plan, first](long long i, std::vector<double>& v) {
            if (plan.valuesOf) plan.valuesOf(first + i, v);
            else v = planValues(plan, first + i);
        };
        for (const VaryRow& r : runVaryStudy(*base, block, o.threads)) summary.add(r);
        if (summary.failed()) break;
    }
    const std::string text = summary.csv();
    if (summary.failed()) {
        // Never a summary of part of the values.
        message = "korvane-calc: " + summary.error() +
                  "; no summary written (TMPDIR names the folder for it)";
        return 2;
    }
    const bool writeOk = std::fwrite(text.data(), 1, text.size(), out) == text.size();
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
    if (!writeOk || std::fflush(out) != 0) {
        message = "korvane-calc: cannot write the rows";
        return 2;
    }
    return 0;
}

}  // namespace korvane
