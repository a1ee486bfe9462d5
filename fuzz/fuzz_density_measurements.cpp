// libFuzzer target: measured (SIGMA, RHOB) pairs typed into the density
// window, any fit kind, then the parameter form's take-over with the fitted
// law, the calculation, saving and loading the set, and the result writer.
// Input: byte 0 the fit kind (modulo 4), byte 1 the stress state (bit 0:
// discharge), then text: one grid row a line, SIGMA and RHOB separated by ';'.
// It asserts what the parameter-file harness asserts:
//   - a refusal (the window's check or the form's) changes nothing it must
//     not: the window's check never touches the model, the form's names a
//     known problem;
//   - a set that passes gives finite, physically possible results;
//   - what passes saves, and the saved file loads to the same values;
//   - the result file has its header and four finite numbers in every row.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "calc/en1991_4.h"
#include "calc/engine.h"
#include "calc/form_logic.h"
#include "calc/model.h"
#include "files/parameter_file.h"
#include "files/result_file.h"
#include "fuzz/fuzz_support.h"

using fuzzsupport::violated;
using korvane::SiloModel;

namespace {

std::vector<korvane::MeasuredPairText> gridRows(const uint8_t* data, size_t size) {
    std::vector<korvane::MeasuredPairText> rows;
    std::string line;
    auto take = [&] {
        const size_t cut = line.find(';');
        if (cut == std::string::npos) rows.push_back({line, std::string()});
        else rows.push_back({line.substr(0, cut), line.substr(cut + 1)});
        line.clear();
    };
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') take();
        else line += static_cast<char>(data[i]);
    }
    if (!line.empty()) take();
    return rows;
}

bool knownProblem(int code) {
    for (int c : {3, 6, 9, 10, 13, 20, 21})
        if (code == c) return true;
    return false;
}

// Header, then rows of four ';'-separated finite numbers, CR LF after each.
void checkResultText(const std::string& text) {
    const std::string header = "z[m];RHOB[kg/m3];SIGMAV[Pa];SIGMAW[Pa]\r\n";
    if (text.compare(0, header.size(), header) != 0) violated("result file without its header");
    size_t p = header.size();
    int rows = 0;
    while (p < text.size()) {
        const size_t end = text.find("\r\n", p);
        if (end == std::string::npos) violated("result row without CR LF");
        const std::string row = text.substr(p, end - p);
        int fields = 0;
        size_t q = 0;
        while (true) {
            const size_t semi = std::min(row.find(';', q), row.size());
            const std::string f = row.substr(q, semi - q);
            char* stop = nullptr;
            const double v = std::strtod(f.c_str(), &stop);
            if (f.empty() || *stop != '\0' || !std::isfinite(v)) violated("result field not a finite number");
            ++fields;
            if (semi == row.size()) break;
            q = semi + 1;
        }
        if (fields != 4) violated("result row without four fields");
        ++rows;
        p = end + 2;
    }
    if (rows == 0) violated("result file without rows");
}

int testOne(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    static SiloModel* model = new SiloModel;
    static SiloModel* calculated = new SiloModel;
    static SiloModel* reloaded = new SiloModel;
    static unsigned char* before = new unsigned char[sizeof(SiloModel)];
    static const std::string savedPath = fuzzsupport::Scratch::instance().file("saved.par");
    static const std::string resultPath = fuzzsupport::Scratch::instance().file("results.txt");

    SiloModel& m = *model;
    m = fuzzsupport::startedModel();
    std::memcpy(before, &m, sizeof m);

    // The density window: its check and fit of the grid; refused, its OK
    // does nothing and the model is as it was.
    korvane::DensityWorkingCopy w;
    const int fitKind = data[0] % 4;
    if (!korvane::checkMeasuredPairs(gridRows(data + 2, size - 2), fitKind, w)) {
        if (std::memcmp(before, &m, sizeof m) != 0) violated("the density window's check changed the model");
        return 0;
    }

    // The parameter form with the fitted law chosen, confirmed with OK.
    korvane::FormInput in;
    korvane::showModelInForm(m, in);
    in.constantDensity = in.densityFunction = false;
    in.fittedDensity = true;
    in.stressState = data[1] & 1;
    const int code = korvane::takeOver(m, in, w, calculated);
    if (code != 0) {
        if (!knownProblem(code)) violated("the take-over refused with an unknown problem code");
        return 0;
    }
    if (m.Anpassart != fitKind || m.Messanzahl != w.Messpunktzahl || m.Rhokonstant || m.Rhofunktion)
        violated("the take-over did not commit the fitted law");
    fuzzsupport::checkPhysicallyPossible(*calculated);

    // The EN 1991-4 loads of what passes: outside the standard's scope with
    // a reason, or finite and not negative wherever a load is given.
    const korvane::EnResult en = korvane::en1991_4Loads(*calculated);
    if (en.inputProblem == korvane::EnInputProblem::None) {
        if (!en.inScope && en.scope.empty()) violated("EN 1991-4 outside the scope without a reason");
        for (const korvane::EnLoadRow& row : en.rows)
            for (double v : {row.p_hf, row.p_wf, row.p_vf, row.p_he, row.p_we, row.p_nf, row.p_tf,
                             row.p_ne, row.p_te})
                if (!korvane::enEmpty(v) && !(std::isfinite(v) && v >= 0))
                    violated("an EN 1991-4 load that is not finite or negative");
    }

    // What passes saves, and loads again to the same values.
    korvane::FileError err;
    const std::string savedText = korvane::parameterFileText(m);
    if (!korvane::writeParameterFile(m, savedPath, err)) violated("a taken-over set cannot be saved");
    korvane::copyAllButResults(*reloaded, fuzzsupport::startedModel());
    if (!korvane::readParameterFile(*reloaded, savedPath, err))
        violated("the program refuses a parameter file it saved itself");
    if (korvane::parameterFileText(*reloaded) != savedText)
        violated("take-over -> save -> load changed the parameters");

    // The result writer.
    const std::string results = korvane::resultFileText(*calculated);
    checkResultText(results);
    if (!korvane::writeResultFile(*calculated, resultPath, err)) violated("the results cannot be saved");
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int r = testOne(data, size);
    fuzzsupport::Scratch::instance().clear();
    return r;
}
