// korvane-calc: calculates a parameter file as the desktop program does when
// the file is opened, the parameter form confirmed unchanged and the results
// saved.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "calc/model.h"
#include "files/batch.h"
#include "files/vary.h"

namespace {

const char* kUsage =
    "Usage: korvane-calc [--lang de|en] [--json] PARAMETER_FILE [RESULT_FILE]\n"
    "       korvane-calc --vary NAME=FROM:TO:STEP [--vary ...] PARAMETER_FILE\n"
    "\n"
    "Loads PARAMETER_FILE (.par), checks the parameters as the parameter form\n"
    "does on OK, calculates the stresses and writes RESULT_FILE (.txt) if given;\n"
    "RESULT_FILE - writes the result rows to standard output.\n"
    "\n"
    "  --lang de|en  language of the parameter problem texts (default en)\n"
    "  --json        print the main results as one JSON object on stdout\n"
    "  --vary NAME=FROM:TO:STEP\n"
    "                calculate the file for every value of the parameter-file\n"
    "                field NAME (file units, angles in degrees), every\n"
    "                combination of several --vary; one CSV row per run on stdout\n"
    "  --help        show this text\n"
    "  --version     show the version\n"
    "\n"
    "Exit status: 0 success, 1 wrong usage, 2 file cannot be read or written\n"
    "or is not a valid parameter file, 3 parameter problem.\n";

int usageError(const std::string& why) {
    std::fprintf(stderr, "korvane-calc: %s\n\n%s", why.c_str(), kUsage);
    return korvane::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    int language = 1;
    bool json = false;
    bool optionsDone = false;
    std::string files[2];
    int nfiles = 0;
    std::vector<korvane::VaryRange> ranges;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (!optionsDone && a == "--") {
            optionsDone = true;
        } else if (!optionsDone && (a == "--help" || a == "-h")) {
            std::fputs(kUsage, stdout);
            return korvane::kExitOk;
        } else if (!optionsDone && a == "--version") {
            std::printf("korvane-calc %s\n", KORVANE_VERSION);
            return korvane::kExitOk;
        } else if (!optionsDone && a == "--json") {
            json = true;
        } else if (!optionsDone && (a == "--lang" || a.rfind("--lang=", 0) == 0)) {
            std::string v;
            if (a == "--lang") {
                if (i + 1 >= argc) return usageError("--lang needs de or en");
                v = argv[++i];
            } else {
                v = a.substr(7);
            }
            if (v == "de") language = 0;
            else if (v == "en") language = 1;
            else return usageError("unknown language '" + v + "'");
        } else if (!optionsDone && (a == "--vary" || a.rfind("--vary=", 0) == 0)) {
            std::string v;
            if (a == "--vary") {
                if (i + 1 >= argc) return usageError("--vary needs NAME=FROM:TO:STEP");
                v = argv[++i];
            } else {
                v = a.substr(7);
            }
            korvane::VaryRange r;
            std::string why;
            if (!korvane::parseVaryArgument(v, r, why)) return usageError(why);
            ranges.push_back(r);
        } else if (!optionsDone && a.size() > 1 && a[0] == '-') {
            return usageError("unknown option '" + a + "'");
        } else {
            if (nfiles == 2) return usageError("too many arguments");
            files[nfiles++] = a;
        }
    }
    if (nfiles == 0) return usageError("no parameter file given");
    if (!ranges.empty()) {
        if (nfiles > 1) return usageError("--vary writes no result file");
        if (json) return usageError("--vary and --json cannot be combined");
        std::string message;
        const int code = korvane::runStudyCommand(ranges, files[0], stdout, message);
        if (!message.empty()) {
            if (code == korvane::kExitUsage) return usageError(message);
            std::fprintf(stderr, "%s\n", message.c_str());
        }
        return code;
    }

    auto model = std::make_unique<korvane::SiloModel>();
    korvane::BatchResult r = korvane::runBatch(*model, files[0], files[1], language);
    if (!r.message.empty()) std::fprintf(stderr, "%s\n", r.message.c_str());
    if (json && (r.exitCode == korvane::kExitOk || (r.exitCode == korvane::kExitProblem &&
                                                    r.Parameterfehler != 0))) {
        std::printf("%s\n", korvane::resultJson(*model, r.Parameterfehler).c_str());
    }
    return r.exitCode;
}
