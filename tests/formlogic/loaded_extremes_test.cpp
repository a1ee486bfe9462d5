// Parameter files with one value replaced by an extreme one, through the
// batch calculation: each is refused with a parameter problem or gives sound
// results; none ends in "results not finite".
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "calc/engine.h"
#include "files/batch.h"

namespace fs = std::filesystem;
using namespace korvane;

namespace {

const fs::path kCases = fs::path(KORVANE_TEST_DATA) / "reference-cases";

std::vector<std::string> readLines(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    std::vector<std::string> lines;
    std::string text = s.str(), line;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void writeLines(const fs::path& p, const std::vector<std::string>& lines) {
    std::ofstream f(p, std::ios::binary);
    for (const auto& l : lines) f << l << "\r\n";
}

// What the displays and the result file take from a calculation.
::testing::AssertionResult sound(const SiloModel& m) {
    if (!(m.Fuellmenge > 0 && std::isfinite(m.Fuellmenge)))
        return ::testing::AssertionFailure() << "contents " << m.Fuellmenge;
    for (double v : {m.Hsilo, m.Hkegel, m.Vkegel, m.Hoberflaeche, m.Bruttovolumen, m.Fuellvolumen})
        if (!(v >= 0 && std::isfinite(v))) return ::testing::AssertionFailure() << "geometry " << v;
    for (int i = 0; i <= 3000; ++i) {
        const double sv = static_cast<double>(m.SIGMAV[i]), sw = static_cast<double>(m.SIGMAW[i]);
        const double rho = static_cast<double>(m.RHOB[i]), dz = static_cast<double>(m.Dz[i]);
        if (!(sv >= 0 && sw >= 0 && std::isfinite(sv) && std::isfinite(sw)))
            return ::testing::AssertionFailure() << "stress at " << i << ": " << sv << " " << sw;
        if (dz > 0 && !(rho > 0 && std::isfinite(rho)))
            return ::testing::AssertionFailure() << "density at " << i << ": " << rho;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(LoadedExtremes, EveryValueReplacedIsRefusedOrCalculatesSoundly) {
    // circular, heap, discharge, density function; rectangular, fitted law,
    // part below, surcharge; circular, interpolated law, part below.
    const char* const files[] = {"case_0038.par", "case_0023.par", "case_0021.par",
                                 "case_0001.par"};
    const char* const extremes[] = {" -1", " 0", " 1e-300", " 1e300", " 1e306", " 5.73e307"};
    const fs::path dir = fs::temp_directory_path() / "korvane_loaded_extremes";
    fs::create_directories(dir);
    const fs::path par = dir / "extreme.par";
    int refused = 0, calculated = 0;
    for (const char* file : files) {
        const std::vector<std::string> lines = readLines(kCases / file);
        // the real lines before the 21 filler lines (a real carries a point)
        for (size_t i = 0; i + 21 < lines.size(); ++i) {
            if (lines[i].find('.') == std::string::npos) continue;
            if (lines[i].find('E') != lines[i].rfind('E')) continue;  // a measured pair
            for (const char* value : extremes) {
                std::vector<std::string> changed = lines;
                changed[i] = value;
                writeLines(par, changed);
                auto m = std::make_unique<SiloModel>();
                const BatchResult r = runBatch(*m, par.string(), "", 1);
                const std::string what = std::string(file) + " line " + std::to_string(i + 1) +
                                         " =" + value + ": " + r.message;
                EXPECT_EQ(r.message.find("not finite"), std::string::npos) << what;
                if (r.exitCode == kExitOk) {
                    EXPECT_TRUE(sound(*m)) << what;
                    ++calculated;
                } else if (r.exitCode == kExitFile) {
                    ++refused;  // the reader refuses an angle without finite radians
                } else {
                    EXPECT_NE(r.Parameterfehler, 0) << what;
                    ++refused;
                }
            }
        }
    }
    fs::remove_all(dir);
    EXPECT_GT(refused, 0);
    EXPECT_GT(calculated, 0);
}
