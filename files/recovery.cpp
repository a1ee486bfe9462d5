#include "files/recovery.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "files/parameter_file.h"
#include "files/safe_save.h"

namespace korvane {

namespace {

constexpr const char* kParameters = "unsaved.par";
constexpr const char* kHeader = "unsaved.txt";
constexpr const char* kPendingParameters = "unsaved-pending.par";
constexpr const char* kPendingHeader = "unsaved-pending.txt";
constexpr const char* kHeaderMark = "Korvane unsaved parameters 1";

bool exists(const std::string& p) {
    std::error_code ec;
    return std::filesystem::exists(p, ec);
}

// Header: the mark, the original path, the time in seconds since 1970; one a
// line. A path holding a line end cannot be named in it and is left out.
std::string headerText(const std::string& originalPath, std::time_t madeAt) {
    const bool nameable = originalPath.find_first_of("\r\n") == std::string::npos;
    return std::string(kHeaderMark) + "\n" + (nameable ? originalPath : std::string()) + "\n" +
           std::to_string(static_cast<long long>(madeAt)) + "\n";
}

bool parseHeader(const std::string& text, RecoveryInfo& info) {
    const size_t a = text.find('\n');
    if (a == std::string::npos || text.compare(0, a, kHeaderMark) != 0) return false;
    const size_t b = text.find('\n', a + 1);
    if (b == std::string::npos) return false;
    const size_t c = text.find('\n', b + 1);
    if (c == std::string::npos) return false;
    long long t = 0;
    const auto r = std::from_chars(text.data() + b + 1, text.data() + c, t);
    if (r.ec != std::errc() || r.ptr != text.data() + c) return false;
    info.originalPath = text.substr(a + 1, b - a - 1);
    info.madeAt = static_cast<std::time_t>(t);
    return true;
}

}  // namespace

RecoveryStore::RecoveryStore(std::string folder) : folder_(std::move(folder)) {
    while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
}

void RecoveryStore::setAsidePrevious() {
    // The header is written last and moved last: a set is complete when its
    // header is there.
    if (!exists(path(kHeader))) return;
    std::rename(path(kParameters).c_str(), path(kPendingParameters).c_str());
    std::rename(path(kHeader).c_str(), path(kPendingHeader).c_str());
}

bool RecoveryStore::pending(RecoveryInfo& info) const {
    std::ifstream in(path(kPendingHeader), std::ios::binary);
    if (!in) return false;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parseHeader(text, info) && exists(path(kPendingParameters));
}

bool RecoveryStore::restorePending(SiloModel& m, FileError& err) const {
    return readParameterFile(m, path(kPendingParameters), err);
}

void RecoveryStore::dropPending() {
    std::remove(path(kPendingHeader).c_str());
    std::remove(path(kPendingParameters).c_str());
}

bool RecoveryStore::keep(const SiloModel& m, const std::string& originalPath, std::time_t madeAt,
                         FileError& err) {
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    if (ec) {
        err = FileError{};
        err.code = ec.value() ? ec.value() : EIO;
        err.fault = FileFault::System;
        err.reason = "cannot create " + folder_ + ": " + ec.message();
        return false;
    }
    return writeParameterFile(m, path(kParameters), err) &&
           writeFileSafely(path(kHeader), headerText(originalPath, madeAt), err);
}

void RecoveryStore::discard() {
    // Header first: without it the parameters are no longer a set.
    std::remove(path(kHeader).c_str());
    std::remove(path(kParameters).c_str());
}

}  // namespace korvane
