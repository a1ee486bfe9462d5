// korvane-calc --en1991-4: the EN 1991-4 characteristic loads of a parameter
// file's silo, as a JSON summary and as a semicolon-separated loads file.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "calc/en1991_4.h"
#include "calc/model.h"

namespace korvane {

// Exit status of the EN command beyond those of the batch tool (0 loads,
// 1 usage, 2 file, 3 parameter problem): the silo lies outside the scope.
constexpr int kExitOutsideScope = 4;

// Options that override the EN values of the file.
struct EnBatchOptions {
    std::optional<double> aK, amu, aphi;
    bool dynamic = false;  // --dynamic: solid prone to dynamic behaviour
    bool json = false;
    int language = 1;      // of the parameter problem texts: 0 German, 1 English
};

// Parses the value of --a-K / --a-mu / --a-phi (a decimal number with a
// point); false for anything else.
bool parseEnFactor(const std::string& text, double& value);

// Header of the loads file.
constexpr const char* kEnLoadsHeader =
    "z[m];p_hf[Pa];p_wf[Pa];p_vf[Pa];p_he[Pa];p_we[Pa];p_nf[Pa];p_tf[Pa];p_ne[Pa];p_te[Pa]";

// The loads file's text: the header and one row per load row, CR LF; z and
// the loads in the result file's fixed formats (z 10.3, loads 10.0), empty
// fields where a load does not apply (formatFixed writes no negative zero).
std::string enLoadsText(const EnResult& r);

// One JSON object: in_scope, scope, slenderness_class, bottom, AAC, gamma,
// h_c, d_c, h_o, z_o, C_h, C_w, C_b, p_vft, unverified (numbers null where
// the result holds none).
std::string enJson(const EnResult& r);

// The whole command: load and confirm the file as the batch calculation does,
// apply the options, compute the loads, print the JSON (with opt.json) to
// `out` and write the loads file (loadsPath empty: none, "-": `out`).
// Messages for standard error are returned in `errors`. Returns the exit status.
int runEnCommand(const EnBatchOptions& opt, const std::string& parPath,
                 const std::string& loadsPath, std::FILE* out, std::string& errors);

}  // namespace korvane
