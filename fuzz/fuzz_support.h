// What the libFuzzer harnesses share: a scratch folder that is removed again,
// the stop on a violated property, and what a calculated silo must look like.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calc/engine.h"
#include "calc/model.h"

// libFuzzer's entry point, which each harness defines.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzzsupport {

// A folder of this process for the files a harness writes, on tmpfs where
// there is one (saving syncs each file to disk). The files are removed after
// every input (clear) and the folder when the process ends, also when a
// property is violated.
class Scratch {
public:
    static Scratch& instance() {
        static Scratch* s = new Scratch;
        return *s;
    }
    std::string file(const char* name) const { return folder_ + "/" + name; }
    // Removes every file the harness and the savers left in the folder (the
    // savers' temporary files included).
    void clear() const {
        if (!folder_.empty()) removeContents();
    }
    void removeAll() const {
        if (folder_.empty()) return;
        removeContents();
        ::rmdir(folder_.c_str());
    }

private:
    Scratch() {
        const char* dir = std::getenv("TMPDIR");
        std::string base = dir && *dir ? dir : (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        std::string t = base + "/korvane-fuzz-XXXXXX";
        if (!::mkdtemp(t.data())) {
            std::fprintf(stderr, "cannot create a scratch folder in %s (check TMPDIR)\n", base.c_str());
            std::abort();
        }
        folder_ = t;
        std::atexit([] { Scratch::instance().removeAll(); });
    }
    void removeContents() const {
        DIR* d = ::opendir(folder_.c_str());
        if (!d) return;
        while (dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..") ::unlink((folder_ + "/" + name).c_str());
        }
        ::closedir(d);
    }
    std::string folder_;
};

[[noreturn]] inline void violated(const char* property) {
    std::fprintf(stderr, "property violated: %s\n", property);
    Scratch::instance().removeAll();
    std::abort();
}

inline void writeInput(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) violated("cannot write the scratch file (check TMPDIR)");
    if (size > 0 && std::fwrite(data, 1, size, f) != size) violated("cannot write the scratch file");
    std::fclose(f);
}

inline void requireNonNegative(double v, const char* what) {
    if (!std::isfinite(v) || v < 0) violated(what);
}

// What a calculated silo must look like whatever its parameters were.
inline void checkPhysicallyPossible(const korvane::SiloModel& m) {
    requireNonNegative(m.Fuellmenge, "contents (Fuellmenge) negative or not finite");
    requireNonNegative(m.Hsilo, "silo height negative or not finite");
    requireNonNegative(m.Hkegel, "heap height negative or not finite");
    requireNonNegative(m.Vkegel, "heap volume negative or not finite");
    requireNonNegative(m.Bruttovolumen, "gross volume negative or not finite");
    requireNonNegative(m.Fuellvolumen, "filled volume negative or not finite");
    if (!korvane::resultsFinite(m)) violated("results not finite");
    if (m.Indexanfang < 0 || m.Indexende >= korvane::kResultSize || m.Indexanfang > m.Indexende)
        violated("index range outside the result arrays");
    for (int i = m.Indexanfang; i <= m.Indexende; ++i) {
        if (!(m.SIGMAV[i] >= 0)) violated("negative vertical stress SIGMAV");
        if (!(m.SIGMAW[i] >= 0)) violated("negative wall normal stress SIGMAW");
        if (i > 0 && m.Dz[i] > 0 && !(m.RHOB[i] > 0)) violated("bulk density RHOB not positive");
    }
}

// The model as the program has it after start: the default silo calculated.
inline const korvane::SiloModel& startedModel() {
    static const korvane::SiloModel* started = [] {
        auto* m = new korvane::SiloModel;
        korvane::startAsTheProgramDoes(*m);
        return m;
    }();
    return *started;
}

}  // namespace fuzzsupport
