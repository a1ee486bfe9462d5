// libFuzzer target: an arbitrary file handed to the program as a parameter
// file, followed the way korvane-calc follows it (load, the form's checks on
// OK, the calculation). Besides "no crash, no hang" it asserts what a user
// relies on:
//   - a refused file leaves the silo model exactly as it was;
//   - what loads can be saved, and the saved file loads to the same values;
//   - a set that passes the checks gives finite, physically possible results:
//     positive densities, non-negative stresses, heights, volumes, contents.
// A violated property aborts with a message, which libFuzzer reports as a
// crash together with the input.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "calc/model.h"
#include "files/parfile.h"

namespace {

using korvane::SiloModel;

std::string scratchPath(const char* suffix) {
    const char* dir = std::getenv("TMPDIR");
    std::string base = dir && *dir ? dir : (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    return base + "/korvane-fuzz-" + std::to_string(getpid()) + suffix;
}

[[noreturn]] void violated(const char* property) {
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
}

void writeInput(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) violated("cannot write the scratch file (check TMPDIR)");
    if (size > 0 && std::fwrite(data, 1, size, f) != size) violated("cannot write the scratch file");
    std::fclose(f);
}

void requireNonNegative(double v, const char* what) {
    if (!std::isfinite(v) || v < 0) violated(what);
}

// What a calculated silo must look like whatever its parameters were.
void checkPhysicallyPossible(const SiloModel& m) {
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
const SiloModel& startedModel() {
    static const SiloModel* started = [] {
        auto* m = new SiloModel;
        korvane::startAsTheProgramDoes(*m);
        return m;
    }();
    return *started;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string inputPath = scratchPath(".par");
    static const std::string savedPath = scratchPath("-saved.par");
    static SiloModel* model = new SiloModel;
    static SiloModel* reloaded = new SiloModel;
    static unsigned char* before = new unsigned char[sizeof(SiloModel)];
    static auto* working = new korvane::DensityWorkingCopy;

    SiloModel& m = *model;
    m = startedModel();
    writeInput(inputPath, data, size);

    std::memcpy(before, &m, sizeof m);
    korvane::FileError err;
    if (!korvane::readParameterFile(m, inputPath, err)) {
        if (std::memcmp(before, &m, sizeof m) != 0) violated("a refused file changed the model");
        return 0;
    }

    // What loads, saves; what is saved, loads again to the same values.
    const std::string savedText = korvane::parameterFileText(m);
    if (!korvane::writeParameterFile(m, savedPath, err))
        violated("a loaded parameter set cannot be saved");
    korvane::copyAllButResults(*reloaded, startedModel());
    if (!korvane::readParameterFile(*reloaded, savedPath, err))
        violated("the program refuses a parameter file it saved itself");
    if (korvane::parameterFileText(*reloaded) != savedText)
        violated("load -> save -> load changed the parameters");

    // The form confirmed unchanged with OK, then the calculation.
    korvane::clearResults(m);
    *working = korvane::DensityWorkingCopy{};
    if (korvane::confirmLoadedModel(m, *working) != 0) return 0;
    korvane::clearResults(m);
    korvane::prepare(m, false);
    korvane::calculate(m);
    checkPhysicallyPossible(m);
    return 0;
}
