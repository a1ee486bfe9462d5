#include "files/batch.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/parameter_file.h"
#include "files/result_file.h"

namespace korvane {

std::string problemText(int code, int language) {
    const bool de = language == 0;
    switch (code) {
        case 3: return de ? "Füllhöhe höher als Silooberkante." : "Filling height > silo height.";
        case 6:
            return de ? "Ungültige Parameter zur Berechnung der Schüttgutdichte rhob!"
                      : "Invalid parameters for calculation of bulk density rhob";
        case 9: return de ? "Ungültige Siloform!" : "Invalid silo gemetry";
        case 10:
            return de ? "Ungültige Werte von PHIX und/oder PHIE." : "Invalid values of PHIX and/or PHIE";
        case 13: return de ? "K muss größer Null sein." : "K must be greater than zero.";
        case 20:
            return de ? "Ungültiger Wert für Böschungswinkel." : "Invalid value of the angle of repose.";
        case 21:
            return de ? "Fehlende Wertepaare für Dichte-Spannungs-Funktion."
                      : "Missing data for density-stress-function.";
        default: return (de ? "Parameterfehler " : "Parameter problem ") + std::to_string(code);
    }
}

namespace {

bool finiteResults(const SiloModel& m) {
    const double scalars[] = {m.Fuellmenge, m.Massenflusswinkel, m.TrichterF, m.TrichterN,
                              m.Stirnwandterm, m.Hsilo, m.Hkegel, m.Vkegel, m.Boberflaeche,
                              m.Hoberflaeche, m.Bruttovolumen, m.Fuellvolumen};
    for (double v : scalars)
        if (!std::isfinite(v)) return false;
    return resultsFinite(m);
}

// The reason of a refused file in the language asked for; the reader's own
// reasons are English.
std::string fileReason(const FileError& err, int language) {
    if (language != 0) return err.reason;
    switch (err.fault) {
        case FileFault::ControlCharacter: return "enthält ein Steuerzeichen (beschädigte Datei?)";
        case FileFault::Utf16:
            return "als UTF-16 gespeichert; bitte als reinen Text (ANSI/Latin-1 oder UTF-8) "
                   "speichern";
        default: return err.reason;
    }
}

std::string fileMessage(const std::string& path, const FileError& err, const char* doing,
                        int language) {
    std::string s = std::string("korvane-calc: ") + doing + " " + path;
    if (err.line > 0) s += ", line " + std::to_string(err.line);
    s += ": " + fileReason(err, language);
    return s;
}

}  // namespace

BatchResult runBatch(SiloModel& m, const std::string& parPath, const std::string& resultPath,
                     int language) {
    BatchResult res;
    startAsTheProgramDoes(m);

    FileError err;
    if (!readParameterFile(m, parPath, err)) {
        res.exitCode = kExitFile;
        res.message = fileMessage(parPath, err, "cannot read", language);
        return res;
    }
    // Load: the form is shown with the loaded values and confirmed with OK.
    clearResults(m);
    auto w = std::make_unique<DensityWorkingCopy>();
    res.Parameterfehler = confirmLoadedModel(m, *w);
    if (res.Parameterfehler != 0) {
        res.exitCode = kExitProblem;
        res.message = "korvane-calc: " + parPath + ": " + problemText(res.Parameterfehler, language);
        return res;
    }
    // The main window is activated again and recalculates.
    clearResults(m);
    prepare(m, false);
    calculate(m);
    res.calculated = true;
    if (!finiteResults(m)) {
        res.exitCode = kExitProblem;
        res.message = "korvane-calc: " + parPath + ": results not finite";
        return res;
    }
    if (resultPath == "-") {
        // "-" names standard output: the rows go there, nothing is replaced.
        const std::string text = resultFileText(m);
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
            std::fflush(stdout) != 0) {
            res.exitCode = kExitFile;
            res.message = "korvane-calc: cannot write the results to standard output";
        }
        return res;
    }
    if (!resultPath.empty() && !writeResultFile(m, resultPath, err)) {
        res.exitCode = kExitFile;
        res.message = fileMessage(resultPath, err, "cannot write", language);
        return res;
    }
    return res;
}

std::string resultJson(const SiloModel& m, int Parameterfehler) {
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
        if (!std::isfinite(v)) {
            o += "null";
            return;
        }
        // As printf's %.17g, but never with the process locale's decimal comma.
        char buf[40];
        if (v == 0) v = 0;  // -0.0 is written as 0
        auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
        o.append(buf, r.ptr);
    };
    auto integer = [&](const char* k, long v) {
        key(k);
        o += std::to_string(v);
    };
    auto sw = [&](const char* k, bool v) {
        key(k);
        o += v ? "true" : "false";
    };
    const int ie = (m.Indexende >= 0 && m.Indexende < kResultSize) ? m.Indexende : 0;
    integer("Parameterfehler", Parameterfehler);
    num("Fuellmenge", m.Fuellmenge);
    num("SIGMAV_Auslauf", static_cast<double>(m.SIGMAV[ie]));
    sw("Massenfluss", m.Massenfluss);
    num("Massenflusswinkel", m.Massenflusswinkel);
    sw("Messbereichueberschritten", m.Messbereichueberschritten);
    num("TrichterF", m.TrichterF);
    num("TrichterN", m.TrichterN);
    num("Stirnwandterm", m.Stirnwandterm);
    num("Hsilo", m.Hsilo);
    num("Hkegel", m.Hkegel);
    num("Vkegel", m.Vkegel);
    num("Boberflaeche", m.Boberflaeche);
    num("Hoberflaeche", m.Hoberflaeche);
    num("Bruttovolumen", m.Bruttovolumen);
    num("Fuellvolumen", m.Fuellvolumen);
    integer("Indexanfang", m.Indexanfang);
    integer("Indexende", m.Indexende);
    o += "}";
    return o;
}

}  // namespace korvane
