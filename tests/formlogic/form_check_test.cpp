// The form's checks of a study's runs (FormCheck: the form shown with the
// study's silo once, per run only the fields that differ formatted and
// converted again) give what checkLoadedModel gives for each run: the same
// problem code and the same model, for every field a study can vary, with
// values that switch the form's options (a surcharge of 0, a part below of no
// height) and values no form can show (NaN, infinities, huge numbers).
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "files/parameter_file.h"
#include "files/vary.h"

using namespace korvane;

namespace {

const std::string kExamples = std::string(KORVANE_TEST_DATA) + "/../../examples/Par/";

// The values a run gives a field, from the loaded value `v`.
std::vector<double> trialValues(double v) {
    const double inf = std::numeric_limits<double>::infinity();
    return {v,         v * 0.5,  v * 1.5 + 0.3, v + 1e-9, 0.0,  -1.0,  1.0,  45.0,
            123456.789, 1e-7,    1e300,         -1e300,   inf,  -inf,  std::nan("")};
}

// A model's inputs as a parameter file holds them, its derived geometry and
// what a calculation of it gives: what must agree.
std::string describe(SiloModel& m, int code) {
    std::string d = parameterFileText(m);
    for (double v : {m.TanTrichter, m.Flaeche, m.Umfang, m.Flaecheunten, m.Umfangunten,
                     m.Auslaufflaeche, m.Hspitzeauslauf, m.Hspitzeoben, m.Hsilo, m.Hkegel,
                     m.Vkegel, m.Hoberflaeche, m.Boberflaeche, m.Hfuellschaft, m.Hfuelltrichter,
                     m.Hfuellunten, m.Bruttovolumen, m.Fuellvolumen, m.Kwert, m.RHOMIN,
                     m.Auflastspannung, m.boeschwinkel, m.Hunttricht})
        d += " " + std::to_string(std::bit_cast<std::uint64_t>(v));
    if (code == kProblemNone) {
        clearResults(m);
        prepare(m, false);
        calculate(m);
        for (double v : {m.Fuellmenge, m.summary.outletStress, m.summary.sigmawMax})
            d += " " + std::to_string(std::bit_cast<std::uint64_t>(v));
    }
    return d;
}

}  // namespace

TEST(FormCheck, SameVerdictAndModelAsTheFormShownAfresh) {
    const char* files[] = {"Standardsilo.par", "Massenfluss_Kreissilo.par",
                           "Bunker_Schuettkegel.par", "Silo_Auflast_Unterteil.par",
                           "Getreide_Dichtekurve.par"};
    int runs = 0, passed = 0;
    for (const char* file : files) {
        auto base = std::make_unique<SiloModel>();
        std::string error;
        ASSERT_TRUE(loadStudyBase(*base, kExamples + file, error)) << error;
        const FormCheck form(*base);
        auto fast = std::make_unique<SiloModel>();
        auto full = std::make_unique<SiloModel>();
        for (const std::string& name : varyFieldNames()) {
            double loaded = 0;
            ASSERT_TRUE(variedFieldValue(*base, name, loaded));
            for (double v : trialValues(loaded)) {
                const std::string where = std::string(file) + " " + name + "=" + std::to_string(v);
                copyAllButResults(*fast, *base);
                ASSERT_TRUE(setVariedField(*fast, name, v));
                copyAllButResults(*full, *fast);
                const int fastCode = form.check(*fast);
                DensityWorkingCopy w;
                const int fullCode = checkLoadedModel(*full, w);
                ASSERT_EQ(fastCode, fullCode) << where;
                EXPECT_EQ(describe(*fast, fastCode), describe(*full, fullCode)) << where;
                ++runs;
                if (fastCode == kProblemNone) ++passed;
            }
        }
    }
    // Both verdicts occur often enough to mean something.
    EXPECT_GT(passed, runs / 4);
    EXPECT_LT(passed, runs);
}
