// Helpers shared by the file tests: temporary folders, reading and writing
// whole files, splitting CR LF text into lines.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "calc/model.h"

namespace ktest {

class TempDir {
public:
    TempDir() {
        std::string t = (std::filesystem::temp_directory_path() / "korvane-files-XXXXXX").string();
        if (!::mkdtemp(t.data())) std::abort();
        path_ = t;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void spit(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// Splits at CR LF; a missing CR LF after the last line gives a last element.
inline std::vector<std::string> crlfLines(const std::string& text, bool* allCrlf = nullptr) {
    std::vector<std::string> lines;
    size_t p = 0;
    bool ok = true;
    while (p < text.size()) {
        size_t e = text.find("\r\n", p);
        if (e == std::string::npos) {
            lines.push_back(text.substr(p));
            ok = false;
            break;
        }
        std::string l = text.substr(p, e - p);
        if (l.find('\n') != std::string::npos || l.find('\r') != std::string::npos) ok = false;
        lines.push_back(l);
        p = e + 2;
    }
    if (allCrlf) *allCrlf = ok;
    return lines;
}

// The built korvane-calc run with `args` (standard input empty), its exit
// status and what it wrote to standard output and standard error.
struct CalcRun {
    int status = -1;
    std::string out, err;
};
inline CalcRun runKorvaneCalc(const std::string& args, const TempDir& d) {
    const std::string cmd = std::string(KORVANE_BIN_DIR) + "/korvane-calc " + args + " >" +
                            d.file("out") + " 2>" + d.file("err") + " </dev/null";
    const int rc = std::system(cmd.c_str());
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, slurp(d.file("out")), slurp(d.file("err"))};
}

inline std::unique_ptr<korvane::SiloModel> freshModel() {
    return std::make_unique<korvane::SiloModel>();
}

}  // namespace ktest
