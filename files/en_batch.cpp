#include "files/en_batch.h"

#include <charconv>
#include <cmath>
#include <memory>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/batch.h"
#include "files/file_numbers.h"
#include "files/parameter_file.h"
#include "files/safe_save.h"

namespace korvane {

bool parseEnFactor(const std::string& text, double& value) {
    if (text.empty()) return false;
    const char* b = text.data();
    const char* e = b + text.size();
    if (*b == '+') ++b;
    double v = 0;
    auto r = std::from_chars(b, e, v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != e || !std::isfinite(v)) return false;
    value = v;
    return true;
}

namespace {

void jsonString(std::string& o, const std::string& s) {
    o += '"';
    for (char c : s) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            o += '\\';
            o += c;
        } else if (u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            o += buf;
        } else {
            o += c;
        }
    }
    o += '"';
}

}  // namespace

std::string enLoadsText(const EnResult& r) {
    std::string o = kEnLoadsHeader;
    o += "\r\n";
    for (const EnLoadRow& row : r.rows) {
        o += formatFixed(row.z, 10, 3);
        for (double v : {row.p_hf, row.p_wf, row.p_vf, row.p_he, row.p_we, row.p_nf, row.p_tf,
                         row.p_ne, row.p_te}) {
            o += ';';
            if (!enEmpty(v)) o += formatFixed(v, 10, 0);
        }
        o += "\r\n";
    }
    return o;
}

std::string enJson(const EnResult& r) {
    std::string o = "{";
    bool first = true;
    auto key = [&](const char* k) {
        if (!first) o += ", ";
        first = false;
        o += '"';
        o += k;
        o += "\": ";
    };
    auto num = [&](const char* k, double v) {
        key(k);
        if (!r.inScope || !std::isfinite(v)) {
            o += "null";
            return;
        }
        char buf[40];
        auto res = std::to_chars(buf, buf + sizeof buf, v == 0 ? 0.0 : v);
        o.append(buf, res.ptr);
    };
    auto text = [&](const char* k, const char* v) {
        key(k);
        if (*v) jsonString(o, v);
        else o += "null";
    };
    key("in_scope");
    o += r.inScope ? "true" : "false";
    key("scope");
    o += '[';
    for (size_t i = 0; i < r.scope.size(); ++i) {
        if (i) o += ", ";
        jsonString(o, enScopeText(r.scope[i]));
    }
    o += ']';
    text("slenderness_class", enSlendernessKey(r.slenderness));
    text("bottom", enBottomKey(r.bottom));
    key("AAC");
    o += r.AAC >= 1 && r.AAC <= 3 ? std::to_string(r.AAC) : std::string("null");
    num("gamma", r.gamma);
    num("h_c", r.h_c);
    num("d_c", r.d_c);
    num("h_o", r.h_o);
    num("z_o", r.z_o);
    num("C_h", r.C_h);
    num("C_w", r.C_w);
    num("C_b", r.C_b);
    num("p_vft", r.p_vft);
    key("unverified");
    o += '[';
    for (size_t i = 0; i < r.unverified.size(); ++i) {
        if (i) o += ", ";
        jsonString(o, std::string(enNoteText(r.unverified[i])) + " (" + kEnUnverified + ")");
    }
    o += "]}";
    return o;
}

int runEnCommand(const EnBatchOptions& opt, const std::string& parPath,
                 const std::string& loadsPath, std::FILE* out, std::string& errors) {
    auto m = std::make_unique<SiloModel>();
    startAsTheProgramDoes(*m);
    FileError err;
    if (!readParameterFile(*m, parPath, err)) {
        errors = "korvane-calc: cannot read " + parPath;
        if (err.line > 0) errors += ", line " + std::to_string(err.line);
        errors += ": " + err.reason;
        return kExitFile;
    }
    // As on opening the file: the form is shown and confirmed with OK.
    clearResults(*m);
    auto w = std::make_unique<DensityWorkingCopy>();
    const int problem = confirmLoadedModel(*m, *w);
    if (problem != 0) {
        errors = "korvane-calc: " + parPath + ": " + problemText(problem, opt.language);
        return kExitProblem;
    }
    EnInputs in = enInputsOf(*m);
    if (opt.aK) in.aK = *opt.aK;
    if (opt.amu) in.amu = *opt.amu;
    if (opt.aphi) in.aphi = *opt.aphi;
    if (opt.dynamic) in.dynamicSolid = true;
    const EnInputProblem inputProblem = checkEnInputs(in);
    if (inputProblem != EnInputProblem::None) {
        errors = "korvane-calc: " + parPath + ": " + enInputProblemText(inputProblem);
        return kExitProblem;
    }

    const EnResult r = en1991_4Loads(*m, in);
    if (!r.inScope) {
        for (EnScope s : r.scope) {
            if (!errors.empty()) errors += '\n';
            errors += "korvane-calc: " + parPath + ": outside the scope of EN 1991-4: " +
                      enScopeText(s);
        }
        if (opt.json) {
            const std::string j = enJson(r) + "\n";
            std::fwrite(j.data(), 1, j.size(), out);
            std::fflush(out);
        }
        return kExitOutsideScope;
    }

    if (loadsPath == "-") {
        const std::string text = enLoadsText(r);
        if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
            errors = "korvane-calc: cannot write the loads to standard output";
            return kExitFile;
        }
    } else if (!loadsPath.empty() && !writeFileSafely(loadsPath, enLoadsText(r), err)) {
        errors = "korvane-calc: cannot write " + loadsPath + ": " + err.reason;
        return kExitFile;
    }
    if (opt.json) {
        const std::string j = enJson(r) + "\n";
        if (std::fwrite(j.data(), 1, j.size(), out) != j.size() || std::fflush(out) != 0) {
            errors = "korvane-calc: cannot write to standard output";
            return kExitFile;
        }
    }
    return kExitOk;
}

}  // namespace korvane
