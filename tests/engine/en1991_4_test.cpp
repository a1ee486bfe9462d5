// EN 1991-4 loads: the three worked silos to their printed digits, the
// equilibrium of a slender silo's wall loads, the deep Janssen limit and the
// rules that put a silo outside the standard's scope.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calc/en1991_4.h"
#include "calc/engine.h"
#include "calc/form_logic.h"
#include "tests/common/test_silos.h"

using namespace korvane;

namespace {

std::string enFile(const std::string& name) {
    return std::string(KORVANE_TEST_DATA) + "/en1991-4/" + name;
}

// The model as the batch tool has it: started, the file loaded and the
// parameter form confirmed with OK.
std::unique_ptr<SiloModel> loaded(const std::string& name,
                                  const std::function<void(SiloModel&)>& change = {}) {
    auto m = korvane::test::startedFrom(enFile(name));
    if (change) change(*m);
    auto w = std::make_unique<DensityWorkingCopy>();
    EXPECT_EQ(confirmLoadedModel(*m, *w), 0) << name;
    return m;
}

// The loads at the depth below the equivalent surface (wall) or at the height
// x above the hopper apex (hopper).
EnLoadRow atDepth(const EnResult& r, double depth) {
    return en1991_4LoadsAt(r, r.zSurface - depth, EnPart::Wall);
}
EnLoadRow atApexHeight(const EnResult& r, double x) {
    return en1991_4LoadsAt(r, std::min(x - r.x_e, r.zTransition), EnPart::Hopper);
}

struct Expected {
    const char* what;
    std::function<double(const EnResult&)> value;
    double printed;
    double tolerance;  // half a unit of the printed last digit
};

struct WorkedSilo {
    const char* file;
    EnInputs inputs;
    EnSlenderness slenderness;
    EnBottom bottom;
    int AAC;
    std::vector<Expected> values;
};

EnInputs factors(double aK, double amu) {
    EnInputs in;
    in.aK = aK;
    in.amu = amu;
    return in;
}

}  // namespace

TEST(En1991_4, WorkedExamplesToTheirPrintedDigits) {
    const std::vector<WorkedSilo> silos = {
        // 1. Cement silo, intermediate, shallow cone (a published example).
        {"example1_cement.par", EnInputs{}, EnSlenderness::Intermediate, EnBottom::Shallow, 2,
         {{"h_o", [](const EnResult& r) { return r.h_o; }, 0.6055, 5e-5},
          {"z_o", [](const EnResult& r) { return r.z_o; }, 6.065, 5e-4},
          {"p_vft", [](const EnResult& r) { return r.p_vft; }, 69243, 0.5},
          {"p_nf x=1", [](const EnResult& r) { return atApexHeight(r, 1).p_nf; }, 52976, 0.5},
          {"p_nf x=2", [](const EnResult& r) { return atApexHeight(r, 2).p_nf; }, 63712, 0.5},
          {"p_nf x=3", [](const EnResult& r) { return atApexHeight(r, 3).p_nf; }, 65314, 0.5}}},
        // 2. Slender silo, steep cone.
        {"example2_slender_steep.par", EnInputs{}, EnSlenderness::Slender, EnBottom::Steep, 2,
         {{"p_hf z=5", [](const EnResult& r) { return atDepth(r, 5).p_hf; }, 21309, 0.5},
          {"p_wf z=5", [](const EnResult& r) { return atDepth(r, 5).p_wf; }, 7756, 0.5},
          {"p_vf z=5", [](const EnResult& r) { return atDepth(r, 5).p_vf; }, 42618, 0.5},
          {"p_he z=5", [](const EnResult& r) { return atDepth(r, 5).p_he; }, 24506, 0.5},
          {"p_vft", [](const EnResult& r) { return r.p_vft; }, 55279, 0.5},
          {"p_nf transition", [](const EnResult& r) { return r.rows[1001].p_nf; }, 51245, 0.5},
          {"p_ne transition", [](const EnResult& r) { return r.rows[1001].p_ne; }, 81527, 0.5},
          {"F_e", [](const EnResult& r) { return r.F_e; }, 1.4748, 5e-5}}},
        // 3. Rectangular silo, flat bottom, conversion factors a_K 1.2, a_mu 1.1.
        {"example3_rectangular_flat.par", factors(1.2, 1.1), EnSlenderness::Slender,
         EnBottom::Flat, 2,
         {{"h_o", [](const EnResult& r) { return r.h_o; }, 0.4811, 5e-5},
          {"h_c", [](const EnResult& r) { return r.h_c; }, 10.326, 5e-4},
          {"p_hf z=4", [](const EnResult& r) { return atDepth(r, 4).p_hf; }, 16469, 0.5},
          {"p_wf z=4", [](const EnResult& r) { return atDepth(r, 4).p_wf; }, 7884, 0.5},
          {"p_vf z=4", [](const EnResult& r) { return atDepth(r, 4).p_vf; }, 30460, 0.5},
          {"p_vft", [](const EnResult& r) { return r.p_vft; }, 55197, 0.5}}},
    };
    for (const WorkedSilo& s : silos) {
        SCOPED_TRACE(s.file);
        auto m = loaded(s.file);
        const EnResult r = en1991_4Loads(*m, s.inputs);
        ASSERT_TRUE(r.inScope);
        EXPECT_EQ(r.slenderness, s.slenderness);
        EXPECT_EQ(r.bottom, s.bottom);
        EXPECT_EQ(r.AAC, s.AAC);
        EXPECT_TRUE(r.scope.empty());
        for (const Expected& e : s.values) EXPECT_NEAR(e.value(r), e.printed, e.tolerance) << e.what;
    }
}

TEST(En1991_4, WallLoadsCarryTheWeightOfTheSolid) {
    // gamma A z = p_vf A + U n_zSk at every depth below the equivalent
    // surface: the weight above a section is carried by the solid below and
    // the friction on the wall (Janssen for the slender silo, the 5.3 form
    // for the intermediate one).
    for (const char* file : {"example2_slender_steep.par", "example1_cement.par"}) {
        SCOPED_TRACE(file);
        auto m = loaded(file);
        const EnResult r = en1991_4Loads(*m);
        ASSERT_TRUE(r.inScope);
        int wallRows = 0;
        for (const EnLoadRow& row : r.rows) {
            if (row.part != EnPart::Wall) continue;
            ++wallRows;
            const double depth = r.zSurface - row.z;
            const double weight = r.gamma * r.A * depth;
            EXPECT_NEAR(row.p_vf * r.A + r.U * row.n_zSk, weight, 1e-9 * (weight + 1.0)) << row.z;
        }
        EXPECT_EQ(wallRows, 1001);
    }
}

TEST(En1991_4, DeepInASlenderSiloTheWallPressureApproachesJanssensLimit) {
    // D 1.2 m, shaft 10 m: about 6 z_o deep at the transition.
    auto m = loaded("example2_slender_steep.par", [](SiloModel& s) {
        s.Durchmesser = 1.2;
        s.Hschaft = 10;
        s.Fuellhoehe = 10.9;
    });
    const EnResult r = en1991_4Loads(*m);
    ASSERT_TRUE(r.inScope);
    const double limit = r.gamma * r.A / (r.U * std::tan(m->Phixschaft));
    const EnLoadRow deep = r.rows[1000];  // last wall row, at the transition
    ASSERT_EQ(deep.part, EnPart::Wall);
    const double depth = r.zSurface - deep.z;
    EXPECT_GT(depth / r.z_o, 5.5);
    EXPECT_LT(deep.p_hf, limit);
    EXPECT_NEAR(deep.p_hf, limit, limit * std::exp(-depth / r.z_o) * 1.000001);
}

TEST(En1991_4, RowsRunFromTheWallContactToTheOutletWithTheTransitionTwice) {
    auto m = loaded("example2_slender_steep.par");
    const EnResult r = en1991_4Loads(*m);
    ASSERT_EQ(r.rows.size(), 2002u);
    EXPECT_DOUBLE_EQ(r.rows.front().z, m->Hoberflaeche);
    EXPECT_DOUBLE_EQ(r.rows[1000].z, r.rows[1001].z);
    EXPECT_EQ(r.rows[1000].part, EnPart::Wall);
    EXPECT_EQ(r.rows[1001].part, EnPart::Hopper);
    EXPECT_TRUE(enEmpty(r.rows[1000].p_nf));
    EXPECT_TRUE(enEmpty(r.rows[1001].p_hf));
    EXPECT_EQ(r.rows.back().z, 0.0);
    for (size_t i = 1; i < r.rows.size(); ++i) EXPECT_LE(r.rows[i].z, r.rows[i - 1].z);
}

TEST(En1991_4, SilosOutsideTheScopeGetAReasonAndNoNumbers) {
    struct Case {
        const char* name;
        const char* file;
        std::function<void(SiloModel&)> change;
        EnScope reason;
    };
    const std::vector<Case> cases = {
        {"too slender", "example2_slender_steep.par",
         [](SiloModel& s) { s.Hschaft = 40; s.Fuellhoehe = 42; }, EnScope::SlendernessLimit},
        {"too high", "example2_slender_steep.par",
         [](SiloModel& s) { s.Durchmesser = 15; s.Hschaft = 100; s.Fuellhoehe = 105; },
         EnScope::HeightLimit},
        {"too wide", "example3_rectangular_flat.par",
         [](SiloModel& s) { s.Durchmesser = 60; s.Laenge = 60; s.Hschaft = 80; s.Fuellhoehe = 70; },
         EnScope::DiameterLimit},
        {"section below the hopper", "example2_slender_steep.par",
         [](SiloModel& s) { s.vertunten = true; s.Hunttricht = 1; s.Fuellhoehe = 13.5; },
         EnScope::SectionBelowHopper},
        {"no shaft", "example2_slender_steep.par",
         [](SiloModel& s) { s.Schaftja = false; s.Hschaft = 0; s.Fuellhoehe = 2; }, EnScope::NoShaft},
        {"surface in the hopper", "example2_slender_steep.par",
         [](SiloModel& s) { s.Fuellhoehe = 2; }, EnScope::SurfaceBelowTransition},
        {"surcharge", "example2_slender_steep.par",
         [](SiloModel& s) { s.Auflastspannung = 5000; }, EnScope::SurchargeWithoutHeap},
        {"retaining silo", "example3_rectangular_flat.par",
         [](SiloModel& s) { s.Fuellhoehe = 2; }, EnScope::RetainingSilo},
        {"hopper flatter than 85 deg", "example2_slender_steep.par",
         [](SiloModel& s) { s.Trichterwinkel = degToRad(86); s.Fuellhoehe = 10; }, EnScope::HopperTooFlat},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto m = loaded(c.file, c.change);
        const EnResult r = en1991_4Loads(*m);
        EXPECT_FALSE(r.inScope);
        EXPECT_NE(std::find(r.scope.begin(), r.scope.end(), c.reason), r.scope.end());
        EXPECT_TRUE(r.rows.empty());
        EXPECT_TRUE(std::isnan(r.gamma) && std::isnan(r.p_vft) && std::isnan(r.h_c));
        EXPECT_TRUE(enEmpty(en1991_4LoadsAt(r, 1.0).p_hf));
        for (EnScope s : r.scope) EXPECT_STRNE(enScopeText(s), "");
    }
    // EN inputs that cannot be used give nothing either.
    EnInputs below;
    below.aphi = 0.9;
    const EnResult r = en1991_4Loads(*loaded("example2_slender_steep.par"), below);
    EXPECT_EQ(r.inputProblem, EnInputProblem::ConversionFactor);
    EXPECT_FALSE(r.inScope);
    EXPECT_TRUE(r.rows.empty());
}

TEST(En1991_4, UnverifiedRulesAreNoted) {
    struct Case {
        const char* file;
        EnInputs inputs;
        std::vector<EnNote> notes;
    };
    EnInputs dynamic;
    dynamic.dynamicSolid = true;
    EnInputs patches;
    patches.patchLoads = true;
    const std::vector<Case> cases = {
        {"example1_cement.par", EnInputs{},
         {EnNote::ActionClass, EnNote::DischargeFactors, EnNote::HopperLoadSets,
          EnNote::ShallowDischarge}},
        {"example2_slender_steep.par", dynamic,
         {EnNote::ActionClass, EnNote::BottomFactor, EnNote::HopperLoadSets,
          EnNote::InternalFriction, EnNote::SteepDischarge}},
        {"example3_rectangular_flat.par", patches, {EnNote::ActionClass, EnNote::PatchLoads}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        auto m = loaded(c.file);
        const EnResult r = en1991_4Loads(*m, c.inputs);
        ASSERT_TRUE(r.inScope);
        EXPECT_EQ(r.unverified, c.notes);
        for (EnNote n : r.unverified) EXPECT_STRNE(enNoteText(n), "");
    }
    auto m = loaded("example2_slender_steep.par");
    EXPECT_DOUBLE_EQ(en1991_4Loads(*m, dynamic).C_b, 1.2);
}
