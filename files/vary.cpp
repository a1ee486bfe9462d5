#include "files/vary.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <type_traits>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/parfile.h"

namespace korvane {

namespace {

// A varied field: where it lives in the model and whether the file holds it
// in degrees (the model in radians).
struct VariedField {
    const char* name;
    double SiloModel::*member;
    bool degrees;
};

// The real-valued inputs of the parameter file, in the file's order.
const VariedField kFields[] = {
    {"RHOMIN", &SiloModel::RHOMIN, false},
    {"RHOMAX", &SiloModel::RHOMAX, false},
    {"SIGMA0", &SiloModel::SIGMA0, false},
    {"PHIE", &SiloModel::PHIE, true},
    {"Phixschaft", &SiloModel::Phixschaft, true},
    {"Phixtrichter", &SiloModel::Phixtrichter, true},
    {"Phixunten", &SiloModel::Phixunten, true},
    {"Kwert", &SiloModel::Kwert, false},
    {"Durchmesser", &SiloModel::Durchmesser, false},
    {"Laenge", &SiloModel::Laenge, false},
    {"Trichterwinkel", &SiloModel::Trichterwinkel, true},
    {"Auslauf", &SiloModel::Auslauf, false},
    {"Hschaft", &SiloModel::Hschaft, false},
    {"Hunttricht", &SiloModel::Hunttricht, false},
    {"boeschwinkel", &SiloModel::boeschwinkel, true},
    {"Auflastspannung", &SiloModel::Auflastspannung, false},
    {"Fuellhoehe", &SiloModel::Fuellhoehe, false},
    {"PhixStirnwand", &SiloModel::PhixStirnwand, true},
};

const VariedField* findField(const std::string& name) {
    for (const VariedField& f : kFields)
        if (name == f.name) return &f;
    return nullptr;
}

// The whole text must be a finite decimal number with a point.
bool parseNumber(const std::string& text, double& v) {
    if (text.empty()) return false;
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '+') ++first;  // from_chars takes no plus sign
    const auto [end, ec] = std::from_chars(first, last, v);
    return ec == std::errc() && end == last && std::isfinite(v);
}

// Rounded to 15 significant digits: what a parameter file keeps of a value.
double fileDigits(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14E", v);
    return std::strtod(buf, nullptr);
}

std::string number(double v) {
    if (v == 0) v = 0;  // -0.0 is written as 0
    char buf[40];
    // The shortest text that reads back as the same double.
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}

}  // namespace

const std::vector<std::string>& varyFieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const VariedField& f : kFields) n.emplace_back(f.name);
        return n;
    }();
    return names;
}

bool parseVaryArgument(const std::string& text, VaryRange& out, std::string& error) {
    const auto eq = text.find('=');
    if (eq == std::string::npos) {
        error = "--vary needs NAME=FROM:TO:STEP, got '" + text + "'";
        return false;
    }
    out.name = text.substr(0, eq);
    if (!findField(out.name)) {
        std::string list;
        for (const std::string& n : varyFieldNames()) list += (list.empty() ? "" : ", ") + n;
        error = "--vary: unknown parameter '" + out.name + "' (known: " + list + ")";
        return false;
    }
    const std::string range = text.substr(eq + 1);
    const auto c1 = range.find(':');
    const auto c2 = c1 == std::string::npos ? c1 : range.find(':', c1 + 1);
    if (c2 == std::string::npos || range.find(':', c2 + 1) != std::string::npos ||
        !parseNumber(range.substr(0, c1), out.from) ||
        !parseNumber(range.substr(c1 + 1, c2 - c1 - 1), out.to) ||
        !parseNumber(range.substr(c2 + 1), out.step)) {
        error = "--vary " + out.name + ": range must be FROM:TO:STEP with numbers, got '" +
                range + "'";
        return false;
    }
    if (out.step == 0) {
        error = "--vary " + out.name + ": STEP must not be 0";
        return false;
    }
    return true;
}

bool makeVaryPlan(const std::vector<VaryRange>& ranges, VaryPlan& plan, std::string& error) {
    plan = VaryPlan{};
    if (ranges.empty()) {
        error = "no --vary given";
        return false;
    }
    long long runs = 1;
    for (const VaryRange& r : ranges) {
        if (std::find(plan.names.begin(), plan.names.end(), r.name) != plan.names.end()) {
            error = "--vary " + r.name + " given twice";
            return false;
        }
        if (!(r.step != 0) || !std::isfinite(r.step)) {
            error = "--vary " + r.name + ": STEP must not be 0";
            return false;
        }
        // Number of steps, allowing for the rounding of a step like 0.1.
        const double steps = (r.to - r.from) / r.step;
        if (!std::isfinite(steps) || steps < -1e-9) {
            error = "--vary " + r.name + ": TO cannot be reached from FROM with this STEP";
            return false;
        }
        const double count = std::floor(steps + 1e-9) + 1;
        if (count > static_cast<double>(kMaxVaryRuns) ||
            static_cast<double>(runs) * count > static_cast<double>(kMaxVaryRuns)) {
            error = "--vary: more than " + std::to_string(kMaxVaryRuns) +
                    " runs; choose a larger STEP or a smaller range";
            return false;
        }
        std::vector<double> values;
        values.reserve(static_cast<size_t>(count));
        for (long long i = 0; i < static_cast<long long>(count); ++i)
            values.push_back(fileDigits(r.from + static_cast<double>(i) * r.step));
        runs *= static_cast<long long>(count);
        plan.names.push_back(r.name);
        plan.values.push_back(std::move(values));
    }
    plan.runs = runs;
    return true;
}

bool setVariedField(SiloModel& m, const std::string& name, double value) {
    const VariedField* f = findField(name);
    if (!f) return false;
    // The file holds the hopper angle of a silo without hopper, but the
    // reader keeps 0 for it; every other field is taken as read.
    if (f->member == &SiloModel::Trichterwinkel && !m.Trichterja) return true;
    m.*(f->member) = f->degrees ? value * kPi / 180.0 : value;
    deriveReadGeometry(m);
    return true;
}

VaryRow runVariation(const SiloModel& base, const VaryPlan& plan, long long index,
                     SiloModel& work) {
    VaryRow row;
    row.values.resize(plan.values.size());
    // The last range varies fastest.
    long long rest = index;
    for (size_t k = plan.values.size(); k-- > 0;) {
        const long long n = static_cast<long long>(plan.values[k].size());
        row.values[k] = plan.values[k][static_cast<size_t>(rest % n)];
        rest /= n;
    }

    copyAllButResults(work, base);
    for (size_t k = 0; k < plan.names.size(); ++k) setVariedField(work, plan.names[k], row.values[k]);

    // As korvane-calc: the form shown with the loaded values and confirmed
    // with OK, then the main window's recalculation. The take-over has
    // calculated an accepted set once already, exactly as the main window
    // does (results cleared, prepared, calculated): that model is kept.
    DensityWorkingCopy w;
    row.Parameterfehler = confirmLoadedModel(work, w, &work);
    if (row.Parameterfehler != 0) return row;

    const int ende = std::clamp(work.Indexende, 1, kResultSize - 1);
    const int anfang = std::clamp(work.Indexanfang, 1, ende);
    // Heights as the diagram plots them: from the outlet up, slice by slice.
    double z = 0, wmax = static_cast<double>(work.SIGMAW[ende]), zmax = 0;
    for (int j = ende - 1; j >= anfang - 1; --j) {
        z += static_cast<double>(work.Dz[j + 1]);
        const double sw = static_cast<double>(work.SIGMAW[j]);
        if (sw > wmax) {
            wmax = sw;
            zmax = z;
        }
    }
    row.Fuellmenge = work.Fuellmenge;
    row.SIGMAV_Auslauf = static_cast<double>(work.SIGMAV[ende]);
    row.SIGMAW_max = wmax;
    row.z_SIGMAW_max = zmax;
    row.Massenfluss = work.Massenfluss;
    row.calculated = resultsFinite(work) && std::isfinite(row.Fuellmenge) && std::isfinite(wmax);
    return row;
}

std::vector<VaryRow> runVaryStudy(const SiloModel& base, const VaryPlan& plan, unsigned threads) {
    std::vector<VaryRow> rows(static_cast<size_t>(plan.runs));
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads = static_cast<unsigned>(std::min<long long>(threads, std::max(1LL, plan.runs)));
    // Each thread takes every threads-th run and writes only its own rows,
    // so the order of the rows does not depend on the timing.
    auto work = [&](unsigned t) {
        auto model = std::make_unique<SiloModel>();
        for (long long i = t; i < plan.runs; i += threads)
            rows[static_cast<size_t>(i)] = runVariation(base, plan, i, *model);
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work, t);
    work(0);
    for (std::thread& th : pool) th.join();
    return rows;
}

std::string varyCsvHeader(const VaryPlan& plan) {
    std::string h;
    for (const std::string& n : plan.names) h += n + ",";
    h += "Parameterfehler,Fuellmenge,SIGMAV_Auslauf,SIGMAW_max,z_SIGMAW_max,Massenfluss\n";
    return h;
}

std::string varyCsvRow(const VaryRow& row) {
    std::string o;
    for (double v : row.values) o += number(v) + ",";
    o += std::to_string(row.Parameterfehler);
    if (row.calculated) {
        o += "," + number(row.Fuellmenge) + "," + number(row.SIGMAV_Auslauf) + "," +
             number(row.SIGMAW_max) + "," + number(row.z_SIGMAW_max) + "," +
             (row.Massenfluss ? "1" : "0");
    } else {
        o += ",,,,,";
    }
    o += "\n";
    return o;
}

bool loadStudyBase(SiloModel& base, const std::string& parPath, std::string& error) {
    startAsTheProgramDoes(base);
    FileError err;
    if (!readParameterFile(base, parPath, err)) {
        error = "korvane-calc: cannot read " + parPath;
        if (err.line > 0) error += ", line " + std::to_string(err.line);
        error += ": " + err.reason;
        return false;
    }
    return true;
}

int runStudyCommand(const std::vector<VaryRange>& ranges, const std::string& parPath,
                    std::FILE* out, std::string& message) {
    VaryPlan plan;
    if (!makeVaryPlan(ranges, plan, message)) return 1;
    auto base = std::make_unique<SiloModel>();
    if (!loadStudyBase(*base, parPath, message)) return 2;
    const std::vector<VaryRow> rows = runVaryStudy(*base, plan);
    std::string text = varyCsvHeader(plan);
    for (const VaryRow& r : rows) text += varyCsvRow(r);
    if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
        message = "korvane-calc: cannot write the rows";
        return 2;
    }
    return 0;
}

}  // namespace korvane
