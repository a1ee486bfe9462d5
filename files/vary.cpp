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
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <map>
#include <mutex>

#include <sched.h>
#include <signal.h>
#include <unistd.h>
#include <type_traits>

#include "calc/batch.h"
#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/parameter_file.h"
#include "files/vary_checks.h"

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
    // (correctly rounded both ways, as the file's "%.14E" and its reader)
    char buf[40];
    const auto written = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    *written.ptr = '\0';
    double read = v;
    const auto [end, ec] = std::from_chars(buf, written.ptr, read);
    // beyond the range of a double once rounded: as the reader takes it
    if (ec != std::errc() || end != written.ptr) return std::strtod(buf, nullptr);
    return read;
}

// The shortest text that reads back as the same double (-0.0 as 0), at `p`
// with room for 32 characters; returns its end.
char* putNumber(char* p, double v) {
    if (v == 0) v = 0;
    const auto [end, ec] = std::to_chars(p, p + 32, v);
    return ec == std::errc() ? end : p;
}

// One CSV row appended to `out`: the varied values (a value that is not
// finite stays empty; the problem code says why), the problem code, and the
// results of a calculated run (else empty fields).
void appendCsvRow(std::string& out, const VaryRow& row) {
    char buf[64];
    for (double v : row.values) {
        char* p = std::isfinite(v) ? putNumber(buf, v) : buf;
        *p++ = ',';
        out.append(buf, p);
    }
    {
        const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, row.Parameterfehler);
        out.append(buf, ec == std::errc() ? end : buf);
    }
    if (row.calculated && row.Parameterfehler == 0) {
        for (double v : {row.Fuellmenge, row.SIGMAV_Auslauf, row.SIGMAW_max, row.z_SIGMAW_max}) {
            buf[0] = ',';
            out.append(buf, putNumber(buf + 1, v));
        }
        out += row.Massenfluss ? ",1\n" : ",0\n";
    } else {
        out += ",,,,,\n";
    }
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

namespace {

// Value i of a range, as a parameter file holds it.
double rangeValue(const VaryRange& r, long long i) {
    return fileDigits(r.from + static_cast<double>(i) * r.step);
}

// Ranges of a few values are listed in the plan; longer ones are not (a
// million values would take 8 MB): each run then computes its values from
// FROM, STEP and its combination number, so the memory of a study does not
// grow with its ranges.
void listOrComputeValues(const std::vector<VaryRange>& ranges,
                         const std::vector<long long>& counts, VaryPlan& plan) {
    constexpr long long kListedValues = 65536;
    long long total = 0;
    for (long long c : counts) total += c;
    if (total <= kListedValues) {
        for (size_t k = 0; k < ranges.size(); ++k) {
            std::vector<double> values(static_cast<size_t>(counts[k]));
            for (long long i = 0; i < counts[k]; ++i)
                values[static_cast<size_t>(i)] = rangeValue(ranges[k], i);
            plan.values.push_back(std::move(values));
        }
        return;
    }
    plan.valuesOf = [ranges, counts](long long index, std::vector<double>& values) {
        values.resize(ranges.size());
        for (size_t k = ranges.size(); k-- > 0;) {
            values[k] = rangeValue(ranges[k], index % counts[k]);
            index /= counts[k];
        }
    };
}

}  // namespace

bool makeVaryPlan(const std::vector<VaryRange>& ranges, VaryPlan& plan, std::string& error) {
    plan = VaryPlan{};
    std::vector<long long> counts;
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
        // A span beyond the largest double (1.8e308) has no step count.
        if (!std::isfinite(r.to - r.from)) {
            error = "--vary " + r.name + ": the span from FROM to TO exceeds the largest " +
                    "number (about 1.8e308); choose a smaller range";
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
        runs *= static_cast<long long>(count);
        plan.names.push_back(r.name);
        counts.push_back(static_cast<long long>(count));
    }
    plan.runs = runs;
    listOrComputeValues(ranges, counts, plan);
    return true;
}

namespace {

// False when the field keeps its value.
bool setField(SiloModel& m, const VariedField& f, double value) {
    // The file holds the hopper angle of a silo without hopper, but the
    // reader keeps 0 for it; every other field is taken as read.
    if (f.member == &SiloModel::Trichterwinkel && !m.Trichterja) return false;
    m.*(f.member) = f.degrees ? value * kPi / 180.0 : value;
    return true;
}

}  // namespace

bool setVariedField(SiloModel& m, const std::string& name, double value) {
    const VariedField* f = findField(name);
    if (!f) return false;
    if (setField(m, *f, value)) deriveReadGeometry(m);
    return true;
}

bool variedFieldValue(const SiloModel& m, const std::string& name, double& value) {
    const VariedField* f = findField(name);
    if (!f) return false;
    value = f->degrees ? m.*(f->member) * 180.0 / kPi : m.*(f->member);
    return true;
}

namespace {

// The varied values of the run with combination number `index`; the last
// range varies fastest. A random study's plan draws them instead.
void runValues(const VaryPlan& plan, long long index, std::vector<double>& values) {
    values.resize(plan.names.size());
    if (plan.valuesOf) {
        plan.valuesOf(index, values);
        return;
    }
    long long rest = index;
    for (size_t k = plan.values.size(); k-- > 0;) {
        const long long n = static_cast<long long>(plan.values[k].size());
        values[k] = plan.values[k][static_cast<size_t>(rest % n)];
        rest /= n;
    }
}

// The fields of `names` (nullptr for an unknown name).
std::vector<const VariedField*> fieldsOf(const std::vector<std::string>& names) {
    std::vector<const VariedField*> fields;
    for (const std::string& n : names) fields.push_back(findField(n));
    return fields;
}

// As korvane-calc up to the calculation: the form shown with the loaded
// values and confirmed with OK; a set that passes is prepared for the main
// window's calculation. The parameter problem code, 0 when it passes.
int prepareRun(const SiloModel& base, const FormCheck* form,
               const std::vector<std::string>& names,
               const std::vector<const VariedField*>& fields, const std::vector<double>& values,
               SiloModel& work) {
    // A value no parameter file can hold (beyond the largest double once
    // rounded to the file's digits) is refused as the reader refuses such a
    // value of its field.
    for (size_t k = 0; k < names.size(); ++k)
        if (!std::isfinite(values[k])) return problemCodeOfField(names[k]);
    copyAllButResults(work, base);
    bool changed = false;
    for (size_t k = 0; k < names.size(); ++k) {
        if (fields[k] && setField(work, *fields[k], values[k])) changed = true;
    }
    // (what the reader derives from the values, once for all of them)
    if (changed) deriveReadGeometry(work);
    // (in a study the form's checks of `base` are done once and only the
    // varied fields' own per run: the same verdict as checkLoadedModel)
    if (form) {
        if (const int code = form->check(work)) return code;
    } else {
        DensityWorkingCopy w;
        if (const int code = checkLoadedModel(work, w)) return code;
    }
    prepare(work, false);
    return 0;
}

// The row of a calculated run: the verdict of the checks on its results and
// the numbers its calculation gathered.
void finishRow(VaryRow& row, const SiloModel& work) {
    row.Parameterfehler = calculatedSetProblem(work);
    if (row.Parameterfehler != 0) return;
    const CalcSummary& s = work.summary;
    row.Fuellmenge = work.Fuellmenge;
    row.SIGMAV_Auslauf = s.outletStress;
    row.SIGMAW_max = s.sigmawMax;
    row.z_SIGMAW_max = s.zSigmawMax;
    row.Massenfluss = work.Massenfluss;
    row.calculated = std::isfinite(row.Fuellmenge) && std::isfinite(row.SIGMAV_Auslauf) &&
                     std::isfinite(row.SIGMAW_max) && std::isfinite(row.z_SIGMAW_max);
    // Results that are not finite numbers are never printed; the row says
    // why: the silo's geometry, as the form's own calculation names it when
    // neither the density law nor K is at fault.
    if (!row.calculated) row.Parameterfehler = kProblemGeometry;
}

// Runs to a chunk: the unit a thread takes, and a whole number of batches.
constexpr long long kChunkRuns = 8 * kBatchLanes;

// Scratch space of a thread: one model per lane of a batch.
struct BatchSpace {
    std::unique_ptr<SiloModel> models[kBatchLanes];
    BatchSpace() {
        for (auto& m : models) m = std::make_unique<SiloModel>();
    }
};

// The runs first .. first+count-1 into rows[0 .. count-1], the runs that
// pass the checks calculated together in batches of one slice structure.
void runChunk(const SiloModel& base, const FormCheck& form, const VaryPlan& plan,
              long long first, long long count, VaryRow* rows, BatchSpace& space,
              const BatchKernels& kernels) {
    const std::vector<const VariedField*> fields = fieldsOf(plan.names);
    SiloModel* batch[kBatchLanes];
    VaryRow* batchRows[kBatchLanes];
    int pending = 0;
    SliceStructure key;
    auto flush = [&] {
        if (pending == 0) return;
        for (int l = 0; l < pending; ++l) batch[l] = space.models[l].get();
        calculateBatch(batch, pending, kernels);
        for (int l = 0; l < pending; ++l) finishRow(*batchRows[l], *batch[l]);
        pending = 0;
    };
    for (long long r = 0; r < count; ++r) {
        VaryRow& row = rows[r];
        // (a row reused from the chunk before keeps its values' space)
        std::vector<double> values = std::move(row.values);
        row = VaryRow{};
        row.values = std::move(values);
        runValues(plan, first + r, row.values);
        row.Parameterfehler =
            prepareRun(base, &form, plan.names, fields, row.values, *space.models[pending]);
        if (row.Parameterfehler != 0) continue;
        const SliceStructure k = sliceStructure(*space.models[pending]);
        if (pending > 0 && !(k == key)) {
            // Another slice structure: the batch so far is calculated, and
            // this run's prepared model starts the next one.
            const int slot = pending;
            flush();
            std::swap(space.models[0], space.models[slot]);
        }
        key = k;
        batchRows[pending++] = &row;
        if (pending == kBatchLanes) flush();
    }
    flush();
}

// The processors this process may run on (its CPU affinity).
unsigned affinityCpus() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        const int n = CPU_COUNT(&set);
        if (n > 0) return static_cast<unsigned>(n);
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

// Chunks 0 .. chunks-1 on `threads` threads: `produce(c)` runs on a worker
// and gives the chunk's text, `emit(text)` gets the texts in chunk order as
// soon as the next one is ready (at most a few chunks wait for an earlier
// one, so the memory stays bounded). Stops taking chunks when `stop` turns
// non-zero or `emit` fails; returns the number of chunks emitted.
template <typename Produce, typename Emit>
long long runChunksInOrder(long long chunks, unsigned threads, Produce produce, Emit emit,
                           const volatile std::sig_atomic_t* stop) {
    std::mutex mu;
    std::condition_variable cv;
    long long nextTake = 0, nextEmit = 0;
    bool failed = false;
    const long long window = 2 * static_cast<long long>(threads) + 2;
    std::map<long long, std::string> ready;
    auto stopped = [&] { return failed || (stop && *stop != 0); };
    auto worker = [&] {
        for (;;) {
            long long c;
            {
                std::unique_lock<std::mutex> lock(mu);
                while (!stopped() && nextTake < chunks && nextTake >= nextEmit + window)
                    cv.wait_for(lock, std::chrono::milliseconds(50));
                if (stopped() || nextTake >= chunks) return;
                c = nextTake++;
            }
            std::string text = produce(c);
            std::lock_guard<std::mutex> lock(mu);
            ready.emplace(c, std::move(text));
            while (!ready.empty() && ready.begin()->first == nextEmit) {
                if (!failed && !emit(ready.begin()->second)) failed = true;
                if (!failed) ++nextEmit;
                ready.erase(ready.begin());
            }
            cv.notify_all();
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (std::thread& th : pool) th.join();
    return nextEmit;
}

unsigned threadsFor(unsigned threads, long long runs) {
    if (threads == 0) threads = studyThreads();
    const long long chunks = (runs + kChunkRuns - 1) / kChunkRuns;
    return static_cast<unsigned>(std::clamp<long long>(threads, 1, std::max(1LL, chunks)));
}

}  // namespace

unsigned studyThreads() { return affinityCpus(); }

VaryRow runVariation(const SiloModel& base, const VaryPlan& plan, long long index,
                     SiloModel& work) {
    VaryRow row;
    runValues(plan, index, row.values);
    row.Parameterfehler =
        prepareRun(base, nullptr, plan.names, fieldsOf(plan.names), row.values, work);
    if (row.Parameterfehler != 0) return row;
    calculate(work);
    finishRow(row, work);
    return row;
}

VaryRow runWithValues(const SiloModel& base, const std::vector<std::string>& names,
                      std::vector<double> values, SiloModel& work) {
    VaryRow row;
    row.values = std::move(values);
    row.Parameterfehler =
        prepareRun(base, nullptr, names, fieldsOf(names), row.values, work);
    if (row.Parameterfehler != 0) return row;
    calculate(work);
    finishRow(row, work);
    return row;
}

std::vector<VaryRow> runVaryStudy(const SiloModel& base, const VaryPlan& plan, unsigned threads) {
    std::vector<VaryRow> rows(static_cast<size_t>(plan.runs));
    threads = threadsFor(threads, plan.runs);
    const long long chunks = (plan.runs + kChunkRuns - 1) / kChunkRuns;
    const BatchKernels& kernels = batchKernels();
    const FormCheck form(base);
    // Each chunk writes only its own rows, so no order needs keeping.
    runChunksInOrder(
        chunks, threads,
        [&](long long c) {
            static thread_local std::unique_ptr<BatchSpace> space;
            if (!space) space = std::make_unique<BatchSpace>();
            const long long first = c * kChunkRuns;
            runChunk(base, form, plan, first, std::min(kChunkRuns, plan.runs - first),
                     rows.data() + first, *space, kernels);
            return std::string();
        },
        [](const std::string&) { return true; }, nullptr);
    return rows;
}

long long streamVaryStudy(const SiloModel& base, const VaryPlan& plan, std::FILE* out,
                          const StudyStreamOptions& options, bool& writeFailed) {
    writeFailed = false;
    const unsigned threads = threadsFor(options.threads, plan.runs);
    const long long chunks = (plan.runs + kChunkRuns - 1) / kChunkRuns;
    const BatchKernels& kernels = batchKernels();
    const FormCheck form(base);
    std::atomic<long long> done{0};
    long long written = 0;

    // The progress line: runs done, rate and time left, twice a second.
    std::atomic<bool> finished{false};
    std::thread progress;
    if (options.progress) {
        progress = std::thread([&] {
            const auto start = std::chrono::steady_clock::now();
            while (!finished.load()) {
                for (int i = 0; i < 5 && !finished.load(); ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                if (finished.load()) break;
                const double secs = std::chrono::duration<double>(
                                        std::chrono::steady_clock::now() - start)
                                        .count();
                const long long d = done.load();
                const double rate = secs > 0 ? d / secs : 0;
                const double left = rate > 0 ? (plan.runs - d) / rate : 0;
                std::fprintf(stderr, "\r%lld of %lld runs, %.0f runs/s, %.0f s left   ", d,
                             plan.runs, rate, left);
                std::fflush(stderr);
            }
            std::fputs("\r\033[K", stderr);
            std::fflush(stderr);
        });
    }

    const long long emitted = runChunksInOrder(
        chunks, threads,
        [&](long long c) {
            static thread_local std::unique_ptr<BatchSpace> space;
            static thread_local std::vector<VaryRow> rows;
            if (!space) space = std::make_unique<BatchSpace>();
            const long long first = c * kChunkRuns;
            const long long count = std::min(kChunkRuns, plan.runs - first);
            rows.resize(static_cast<size_t>(count));
            runChunk(base, form, plan, first, count, rows.data(), *space, kernels);
            std::string text;
            text.reserve(static_cast<size_t>(count) * 96);
            for (const VaryRow& r : rows) appendCsvRow(text, r);
            done += count;
            return text;
        },
        [&](const std::string& text) {
            if (std::fwrite(text.data(), 1, text.size(), out) != text.size() ||
                std::fflush(out) != 0)
                return false;
            return true;
        },
        options.stop);
    written = std::min(plan.runs, emitted * kChunkRuns);
    if (emitted < chunks && !(options.stop && *options.stop != 0)) writeFailed = true;
    finished = true;
    if (progress.joinable()) progress.join();
    return written;
}

std::string varyCsvHeader(const VaryPlan& plan) {
    std::string h;
    for (const std::string& n : plan.names) h += n + ",";
    h += "Parameterfehler,Fuellmenge,SIGMAV_Auslauf,SIGMAW_max,z_SIGMAW_max,Massenfluss\n";
    return h;
}

std::string varyCsvRow(const VaryRow& row) {
    std::string o;
    appendCsvRow(o, row);
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

namespace {

volatile std::sig_atomic_t gStopSignal = 0;
extern "C" void onStopSignal(int sig) { gStopSignal = sig; }

}  // namespace

int runStudyCommand(const std::vector<VaryRange>& ranges, const std::string& parPath,
                    std::FILE* out, std::string& message) {
    VaryPlan plan;
    if (!makeVaryPlan(ranges, plan, message)) return 1;
    auto base = std::make_unique<SiloModel>();
    if (!loadStudyBase(*base, parPath, message)) return 2;
    if (!variedFieldsTakeEffect(*base, plan.names, "--vary", message)) return 1;
    return streamStudyCommand(*base, plan, out, message);
}

int streamStudyCommand(const SiloModel& base, const VaryPlan& plan, std::FILE* out,
                       std::string& message) {
    const std::string header = varyCsvHeader(plan);
    if (std::fwrite(header.data(), 1, header.size(), out) != header.size() ||
        std::fflush(out) != 0) {
        message = "korvane-calc: cannot write the rows";
        return 2;
    }
    // SIGINT and SIGTERM stop the study after the chunks being calculated:
    // the rows written are complete lines.
    gStopSignal = 0;
    struct sigaction sa = {}, oldInt = {}, oldTerm = {};
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, &oldInt);
    sigaction(SIGTERM, &sa, &oldTerm);
    StudyStreamOptions options;
    options.stop = &gStopSignal;
    options.progress = isatty(fileno(stderr)) != 0;
    bool writeFailed = false;
    const long long written = streamVaryStudy(base, plan, out, options, writeFailed);
    sigaction(SIGINT, &oldInt, nullptr);
    sigaction(SIGTERM, &oldTerm, nullptr);
    if (gStopSignal != 0) {
        const int sig = gStopSignal;
        message = std::string("korvane-calc: study stopped by ") +
                  (sig == SIGINT ? "SIGINT" : "SIGTERM") + " after " + std::to_string(written) +
                  " of " + std::to_string(plan.runs) + " runs; their rows are written";
        return 128 + sig;
    }
    if (writeFailed) {
        message = "korvane-calc: cannot write the rows";
        return 2;
    }
    return 0;
}

}  // namespace korvane
