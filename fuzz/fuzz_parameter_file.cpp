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
#include <cstdint>
#include <cstring>
#include <string>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "calc/model.h"
#include "files/parameter_file.h"
#include "fuzz/fuzz_support.h"

using fuzzsupport::checkPhysicallyPossible;
using fuzzsupport::startedModel;
using fuzzsupport::violated;
using korvane::SiloModel;

namespace {

// Runs one input; the scratch files are removed afterwards whatever happens.
int testOne(const uint8_t* data, size_t size);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int r = testOne(data, size);
    fuzzsupport::Scratch::instance().clear();
    return r;
}

namespace {

int testOne(const uint8_t* data, size_t size) {
    static const std::string inputPath = fuzzsupport::Scratch::instance().file("input.par");
    static const std::string savedPath = fuzzsupport::Scratch::instance().file("saved.par");
    static SiloModel* model = new SiloModel;
    static SiloModel* reloaded = new SiloModel;
    static unsigned char* before = new unsigned char[sizeof(SiloModel)];
    static auto* working = new korvane::DensityWorkingCopy;

    SiloModel& m = *model;
    m = startedModel();
    fuzzsupport::writeInput(inputPath, data, size);

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

}  // namespace
