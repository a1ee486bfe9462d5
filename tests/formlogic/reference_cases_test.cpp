// Loaded parameter files confirmed unchanged, as the batch tool does: the
// problem code and the derived geometry written by the take-over.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/parfile.h"

namespace fs = std::filesystem;
using namespace korvane;

namespace {

const fs::path kCases = fs::path(KORVANE_TEST_DATA) / "reference-cases";

std::string readText(const fs::path& p) {
    std::ifstream f(p);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Value of a numeric key in a flat JSON object; NAN when missing.
double jsonNumber(const std::string& json, const std::string& key) {
    const std::string k = "\"" + key + "\":";
    const size_t pos = json.find(k);
    if (pos == std::string::npos) return NAN;
    return std::strtod(json.c_str() + pos + k.size(), nullptr);
}

void expectRelative(double expected, double actual, const std::string& what) {
    const double tol = 1e-9 * std::max(1.0, std::fabs(expected));
    EXPECT_NEAR(expected, actual, tol) << what;
}

struct Loaded {
    std::unique_ptr<SiloModel> m = std::make_unique<SiloModel>();
    std::unique_ptr<DensityWorkingCopy> w = std::make_unique<DensityWorkingCopy>();
    int code = -1;
};

Loaded loadAndConfirm(const fs::path& par) {
    Loaded l;
    FileError err;
    const bool ok = Parameterdatei_lesen(*l.m, par.string(), err);
    EXPECT_TRUE(ok) << par << ": " << err.reason;
    if (ok) l.code = confirmLoadedModel(*l.m, *l.w);
    return l;
}

}  // namespace

TEST(ReferenceCases, ValidFilesConfirmWithoutProblemAndGiveTheGeometry) {
    int checked = 0;
    for (int i = 1; i <= 40; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "case_%04d", i);
        const fs::path par = kCases / (std::string(name) + ".par");
        if (!fs::exists(par)) continue;
        const std::string json = readText(kCases / (std::string(name) + ".json"));
        Loaded l = loadAndConfirm(par);
        const SiloModel& m = *l.m;
        EXPECT_EQ(l.code, static_cast<int>(jsonNumber(json, "Parameterfehler"))) << name;
        expectRelative(jsonNumber(json, "Hsilo"), m.Hsilo, std::string(name) + " Hsilo");
        expectRelative(jsonNumber(json, "Hkegel"), m.Hkegel, std::string(name) + " Hkegel");
        expectRelative(jsonNumber(json, "Vkegel"), m.Vkegel, std::string(name) + " Vkegel");
        expectRelative(jsonNumber(json, "Boberflaeche"), m.Boberflaeche,
                       std::string(name) + " Boberflaeche");
        expectRelative(jsonNumber(json, "Hoberflaeche"), m.Hoberflaeche,
                       std::string(name) + " Hoberflaeche");
        expectRelative(jsonNumber(json, "Bruttovolumen"), m.Bruttovolumen,
                       std::string(name) + " Bruttovolumen");
        expectRelative(jsonNumber(json, "Fuellvolumen"), m.Fuellvolumen,
                       std::string(name) + " Fuellvolumen");
        EXPECT_EQ(m.Schrittzahl, 1000) << name;
        ++checked;
    }
    EXPECT_EQ(checked, 40);
}

TEST(ReferenceCases, InvalidFilesGiveTheCodeInTheirName) {
    int checked = 0;
    for (const auto& e : fs::directory_iterator(kCases / "invalid")) {
        const std::string file = e.path().filename().string();
        if (e.path().extension() != ".par" || file.rfind("code", 0) != 0) continue;
        const int expected = std::atoi(file.substr(4, 2).c_str());
        Loaded l = loadAndConfirm(e.path());
        EXPECT_EQ(l.code, expected) << file;
        ++checked;
    }
    EXPECT_EQ(checked, 7);
}
