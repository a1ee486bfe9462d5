#include "files/summary.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <limits>

#include <fcntl.h>
#include <unistd.h>

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

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;

}  // namespace

// A negative number's bits count down as it grows, so they are inverted; a
// positive number's bits count up and go above every negative one.
std::uint64_t orderKey(double x) {
    const auto b = std::bit_cast<std::uint64_t>(x);
    return (b & kSignBit) != 0 ? ~b : (b | kSignBit);
}

double fromOrderKey(std::uint64_t key) {
    return std::bit_cast<double>((key & kSignBit) != 0 ? (key & ~kSignBit) : ~key);
}

namespace {

const char* const kResultNames[] = {"Fuellmenge", "SIGMAV_Auslauf", "SIGMAW_max", "z_SIGMAW_max"};

// A running sum with Neumaier's compensation: the rounding error of every
// addition is kept and added at the end, so the sum of a million values is
// as good as their exact sum rounded once (for sums that do not cancel
// almost completely).
struct CompensatedSum {
    double s = 0, c = 0;
    void add(double x) {
        const double t = s + x;
        if (std::fabs(s) >= std::fabs(x)) c += (s - t) + x;
        else c += (x - t) + s;
        s = t;
    }
    double value() const { return s + c; }
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// An unnamed file in `dir` that is gone as soon as it is closed (or the
// program ends): O_TMPFILE where the file system has it, else a named file
// unlinked at once.
std::FILE* openUnnamedFile(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        std::string name = dir + "/korvane-summary-XXXXXX";
        fd = ::mkstemp(name.data());
        if (fd >= 0) ::unlink(name.c_str());
    }
    if (fd < 0) return nullptr;
    std::FILE* f = ::fdopen(fd, "w+b");
    if (!f) {
        const int e = errno;
        ::close(fd);
        errno = e;
    }
    return f;
}

std::string number(double v) {
    if (!std::isfinite(v)) return {};
    if (v == 0) v = 0;  // -0 is written as 0, as in the rows
    char buf[40];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}

}  // namespace

// The finite values of one column in run order: in memory up to `capacity`
// values; beyond that all of them in an unnamed temporary file, written a
// block of `capacity` values at a time.
class SummaryColumn {
public:
    SummaryColumn(std::size_t capacity, std::string dir)
        : capacity_(std::max<std::size_t>(1, capacity)), dir_(std::move(dir)) {
        buf_.reserve(capacity_);  // no doubling beyond the share
    }

    bool add(double x) {
        if (failed()) return false;
        if (n_ == 0 || x < min_) min_ = x;
        if (n_ == 0 || x > max_) max_ = x;
        sum_.add(x);
        ++n_;
        // A full buffer goes to the file when one more value arrives, so a
        // column of at most `capacity` values never makes a file.
        if (buf_.size() == capacity_ && !writeBuffer()) return false;
        buf_.push_back(x);
        return true;
    }

    bool spilled() const { return file_ != nullptr; }
    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

    ColumnSummary summarise(const std::string& name);

private:
    bool writeBuffer();
    bool finishWriting();
    template <typename F>
    bool forEachBlock(F&& f);
    template <typename Count>
    bool select(const std::vector<long long>& ranks, std::vector<double>& at,
                const std::function<void(const double*, std::size_t)>& firstPass);
    bool fail(const std::string& what) {
        if (errno == 0) errno = EIO;
        error_ = what + " the summary's temporary file in " + dir_ + ": " + std::strerror(errno);
        file_.reset();
        buf_ = {};
        return false;
    }

    std::size_t capacity_;
    std::string dir_;
    std::vector<double> buf_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    long long n_ = 0;
    double min_ = 0, max_ = 0;
    CompensatedSum sum_;
    std::string error_;
};

bool SummaryColumn::writeBuffer() {
    if (buf_.empty()) return true;
    if (!file_) {
        errno = 0;
        file_.reset(openUnnamedFile(dir_));
        if (!file_) return fail("cannot make");
    }
    errno = 0;
    if (std::fwrite(buf_.data(), sizeof(double), buf_.size(), file_.get()) != buf_.size())
        return fail("cannot write");
    buf_.clear();
    return true;
}

// The rest of a spilled column written and the file's buffer flushed (a full
// disk shows here at the latest).
bool SummaryColumn::finishWriting() {
    if (failed()) return false;
    if (!file_) return true;
    if (!writeBuffer()) return false;
    errno = 0;
    if (std::fflush(file_.get()) != 0) return fail("cannot write");
    buf_.resize(capacity_);
    return true;
}

// Calls f(values, count) for the values in run order, a block at a time.
template <typename F>
bool SummaryColumn::forEachBlock(F&& f) {
    if (!file_) {
        f(buf_.data(), buf_.size());
        return true;
    }
    errno = 0;
    if (std::fseek(file_.get(), 0, SEEK_SET) != 0) return fail("cannot read back");
    long long left = n_;
    while (left > 0) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<long long>(left, static_cast<long long>(capacity_)));
        errno = 0;
        if (std::fread(buf_.data(), sizeof(double), want, file_.get()) != want) {
            if (errno == 0) errno = EIO;  // shorter than written
            return fail("cannot read back");
        }
        f(buf_.data(), want);
        left -= static_cast<long long>(want);
    }
    return true;
}

// Radix selection of the values of ascending ranks `ranks` from the file:
// each pass narrows every wanted rank to the values whose key starts with
// the 16 bits more found so far, from a histogram of the next 16 bits of
// those values. Wanted ranks whose keys agree so far share a histogram.
// `firstPass` also sees the values of the first pass.
template <typename Count>
bool SummaryColumn::select(const std::vector<long long>& ranks, std::vector<double>& at,
                           const std::function<void(const double*, std::size_t)>& firstPass) {
    constexpr int kDigitBits = 16;
    constexpr std::size_t kDigits = std::size_t{1} << kDigitBits;
    struct Wanted {
        long long rank;           // among the values with this prefix
        std::uint64_t prefix = 0;  // the key's leading bits found so far
        std::size_t group = 0;
    };
    std::vector<Wanted> wanted;
    for (long long r : ranks) wanted.push_back({r});
    std::vector<Count> counts;
    for (int pass = 0; pass < 64 / kDigitBits; ++pass) {
        const int shift = 64 - kDigitBits * (pass + 1);
        // The distinct prefixes, in ascending order as the ranks are.
        std::vector<std::uint64_t> prefixes;
        for (Wanted& w : wanted) {
            if (prefixes.empty() || prefixes.back() != w.prefix) prefixes.push_back(w.prefix);
            w.group = prefixes.size() - 1;
        }
        counts.assign(prefixes.size() * kDigits, 0);
        const bool first = pass == 0;
        const bool ok = forEachBlock([&](const double* v, std::size_t m) {
            if (first && firstPass) firstPass(v, m);
            for (std::size_t i = 0; i < m; ++i) {
                const std::uint64_t key = orderKey(v[i]);
                const std::uint64_t lead = first ? 0 : key >> (shift + kDigitBits);
                const auto p = std::lower_bound(prefixes.begin(), prefixes.end(), lead);
                if (p == prefixes.end() || *p != lead) continue;
                const auto g = static_cast<std::size_t>(p - prefixes.begin());
                ++counts[g * kDigits + ((key >> shift) & (kDigits - 1))];
            }
        });
        if (!ok) return false;
        for (Wanted& w : wanted) {
            const Count* h = counts.data() + w.group * kDigits;
            std::uint64_t below = 0;
            std::size_t d = 0;
            while (d + 1 < kDigits && static_cast<std::uint64_t>(w.rank) >= below + h[d]) below += h[d++];
            w.rank -= static_cast<long long>(below);
            w.prefix = (w.prefix << kDigitBits) | d;
        }
    }
    at.resize(wanted.size());
    for (std::size_t i = 0; i < wanted.size(); ++i) at[i] = fromOrderKey(wanted[i].prefix);
    return true;
}

ColumnSummary SummaryColumn::summarise(const std::string& name) {
    ColumnSummary c;
    c.name = name;
    c.n = n_;
    if (n_ == 0 || !finishWriting()) return c;
    const double n = static_cast<double>(n_);
    c.min = min_;
    c.max = max_;
    // The mean from the compensated sum in run order; for values near the
    // largest double, whose sum overflows, a running mean instead.
    c.mean = sum_.value() / n;
    if (!std::isfinite(c.mean)) {
        double mean = 0;
        long long i = 0;
        if (!forEachBlock([&](const double* v, std::size_t m) {
                for (std::size_t j = 0; j < m; ++j) mean += (v[j] - mean) / static_cast<double>(++i);
            }))
            return c;
        c.mean = mean;
    }
    // The squared deviations from the mean (no cancellation as in the sum
    // of squares), in run order.
    CompensatedSum dev;
    const double mean = c.mean;
    const auto deviations = [&dev, mean](const double* v, std::size_t m) {
        for (std::size_t j = 0; j < m; ++j) dev.add((v[j] - mean) * (v[j] - mean));
    };
    // The order statistics the quantiles need: x[k] and x[k + 1].
    std::vector<long long> ranks;
    for (double p : kSummaryLevels) {
        const auto k = static_cast<long long>(std::floor((n - 1) * p));
        ranks.push_back(k);
        if (k + 1 < n_) ranks.push_back(k + 1);
    }
    std::sort(ranks.begin(), ranks.end());
    ranks.erase(std::unique(ranks.begin(), ranks.end()), ranks.end());
    std::vector<double> at;
    if (!file_) {
        deviations(buf_.data(), buf_.size());
        std::sort(buf_.begin(), buf_.end());
        for (long long r : ranks) at.push_back(buf_[static_cast<std::size_t>(r)]);
    } else if (  // 32-bit counts (a quarter of a MB a histogram) where they cannot overflow
        !(n_ <= std::numeric_limits<std::uint32_t>::max()
                     ? select<std::uint32_t>(ranks, at, deviations)
                     : select<std::uint64_t>(ranks, at, deviations))) {
        return c;
    }
    c.sd = n_ > 1 ? std::sqrt(dev.value() / (n - 1)) : 0.0;
    const auto x = [&](long long r) {
        return at[static_cast<std::size_t>(std::lower_bound(ranks.begin(), ranks.end(), r) -
                                           ranks.begin())];
    };
    for (int i = 0; i < 4; ++i) {
        const double h = (n - 1) * kSummaryLevels[i];
        const auto k = static_cast<long long>(std::floor(h));
        c.q[i] = k + 1 >= n_ ? x(n_ - 1) : x(k) + (h - static_cast<double>(k)) * (x(k + 1) - x(k));
    }
    // Done with the values: the file and the memory go.
    file_.reset();
    buf_ = {};
    return c;
}

StudySummary::StudySummary(std::vector<std::string> inputNames, std::size_t memoryBytes,
                           std::string tempDir)
    : names_(std::move(inputNames)) {
    for (const char* r : kResultNames) names_.emplace_back(r);
    if (tempDir.empty()) {
        const char* t = std::getenv("TMPDIR");
        tempDir = t && *t ? t : "/tmp";
    }
    const std::size_t share = memoryBytes / sizeof(double) / names_.size();
    for (size_t k = 0; k < names_.size(); ++k)
        values_.push_back(std::make_unique<SummaryColumn>(share, tempDir));
}

StudySummary::~StudySummary() = default;

void StudySummary::noteFailure() {
    for (const auto& v : values_)
        if (v->failed()) {
            error_ = v->error();
            return;
        }
}

bool StudySummary::spilled() const {
    return std::any_of(values_.begin(), values_.end(),
                       [](const auto& v) { return v->spilled(); });
}

void StudySummary::add(const VaryRow& row) {
    ++runs_;
    bool ok = true;
    const size_t ni = names_.size() - 4;
    for (size_t k = 0; k < ni && k < row.values.size(); ++k)
        if (std::isfinite(row.values[k])) ok = values_[k]->add(row.values[k]) && ok;
    if (row.Parameterfehler != 0) ++problems_[row.Parameterfehler];
    if (row.Parameterfehler == 0 && row.calculated) {
        ++calculated_;
        ok = values_[ni + 0]->add(row.Fuellmenge) && ok;
        ok = values_[ni + 1]->add(row.SIGMAV_Auslauf) && ok;
        ok = values_[ni + 2]->add(row.SIGMAW_max) && ok;
        ok = values_[ni + 3]->add(row.z_SIGMAW_max) && ok;
        if (row.Massenfluss) ++massFlow_;
    }
    if (!ok && error_.empty()) noteFailure();
}

const std::vector<ColumnSummary>& StudySummary::columns() {
    if (done_) return columns_;
    done_ = true;
    if (failed()) return columns_;
    for (size_t k = 0; k < names_.size(); ++k) {
        columns_.push_back(values_[k]->summarise(names_[k]));
        if (values_[k]->failed()) {
            noteFailure();
            columns_.clear();
            return columns_;
        }
    }
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
    columns_.push_back(m);
    return columns_;
}

std::string StudySummary::csv() {
    const std::vector<ColumnSummary>& cols = columns();
    if (failed()) return {};
    std::string o = "column,n,mean,sd,min,max,q5,q50,q95,q99\n";
    for (const ColumnSummary& c : cols) {
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
