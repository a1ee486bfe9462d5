// The live check and the silo sketch: problem codes, the pixel transform, the
// three drawing cases, the derived-value texts and the mass-flow label.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "calc/engine.h"
#include "calc/form_logic.h"

using namespace korvane;

namespace {

FormInput defaultForm() {
    FormInput in;
    in.shaftHeight = "6";
    in.fillHeight = "9";
    in.kFixed = true;
    return in;
}

// Shaft only: 6 m wide, 20 m high, filled to 10 m.
FormInput tallShaft() {
    FormInput in = defaultForm();
    in.Trichterja = false;
    in.shaftHeight = "20";
    in.fillHeight = "10";
    return in;
}

struct Sketch {
    std::unique_ptr<SiloModel> m = std::make_unique<SiloModel>();
    std::unique_ptr<DensityWorkingCopy> w = std::make_unique<DensityWorkingCopy>();
    SketchResult run(const FormInput& in, int width = 247, int height = 400) {
        return siloSketch(*m, in, *w, width, height);
    }
    int code(const FormInput& in) { return run(in).code; }
};

int count(const SketchResult& r, bool red) {
    int n = 0;
    for (const auto& l : r.lines) n += l.red == red;
    return n;
}

}  // namespace

TEST(SiloSketch, ScaleOfATallShaft) {
    Sketch s;
    const SketchResult r = s.run(tallShaft());
    ASSERT_EQ(r.code, kProblemNone);
    EXPECT_FALSE(r.badData);
    EXPECT_EQ(r.drawingCase, 3);
    EXPECT_EQ(r.scale, 16);  // 400 * 0.8 / 20 beats 247 * 0.8 / 6
    EXPECT_EQ(r.xCentre, 123.5);
    EXPECT_EQ(r.yBase, 360);
    // outline: bottom, left wall, top, right wall
    ASSERT_EQ(count(r, false), 4);
    const SketchLine& bottom = r.lines[0];
    EXPECT_EQ(bottom.x1, 172);  // 3 * 16 + 123.5
    EXPECT_EQ(bottom.y1, 360);  // lower edge
    EXPECT_EQ(bottom.x2, 76);
    EXPECT_EQ(bottom.y2, 360);
    EXPECT_EQ(r.lines[1].y2, 40);  // top at 20 m
    EXPECT_EQ(r.lines[3].x2, 172);
    EXPECT_EQ(r.lines[3].y2, 360);
    // flat surface at 10 m
    ASSERT_EQ(count(r, true), 1);
    const SketchLine& surface = r.lines[4];
    EXPECT_TRUE(surface.red);
    EXPECT_EQ(surface.y1, 200);
    EXPECT_EQ(surface.y2, 200);
    EXPECT_EQ(surface.x1, 76);
    EXPECT_EQ(surface.x2, 172);
    EXPECT_EQ(r.siloHeightText, "20");
    EXPECT_EQ(r.hopperHeightText, "0");
    EXPECT_EQ(r.fillHeightWithoutHeapText, "10");
    EXPECT_EQ(r.grossVolumeText, "720");
    EXPECT_EQ(r.netVolumeText, "360");
}

TEST(SiloSketch, WideSiloIsScaledByItsWidth) {
    Sketch s;
    FormInput in = tallShaft();
    in.diameterOrWidth = "40";
    const SketchResult r = s.run(in, 400, 400);
    ASSERT_EQ(r.code, kProblemNone);
    EXPECT_EQ(r.scale, 8);  // 400 * 0.8 / 40 beats 400 * 0.8 / 20
    EXPECT_EQ(r.lines[0].x1, 360);
    EXPECT_EQ(r.lines[0].x2, 40);
}

TEST(SiloSketch, DefaultSiloShaftAndHopper) {
    Sketch s;
    const SketchResult r = s.run(defaultForm());
    ASSERT_EQ(r.code, kProblemNone);
    EXPECT_EQ(r.drawingCase, 1);
    const double hsilo = 10.330127018922195;
    EXPECT_DOUBLE_EQ(r.scale, 400 * 0.8 / hsilo);
    // hopper 4, shaft 3, part below 3 (of no height), flat surface 1
    EXPECT_EQ(count(r, false), 10);
    EXPECT_EQ(count(r, true), 1);
    // the hopper's top edge at the hopper height
    const int top = static_cast<int>(std::nearbyint(360 - 4.330127018922194 * r.scale));
    EXPECT_EQ(r.lines[0].y1, top);
    EXPECT_EQ(r.lines[0].y2, top);
    // slot of 1 m at the lower edge
    EXPECT_EQ(r.lines[1].y2, 360);
    EXPECT_EQ(r.lines[1].x2, static_cast<int>(std::nearbyint(0.5 * r.scale + 123.5)));
    EXPECT_EQ(r.hopperHeightText, "4.330127");
    EXPECT_EQ(r.siloHeightText, "10.330127");
    EXPECT_EQ(r.grossVolumeText, "306.93267");
    EXPECT_EQ(r.netVolumeText, "259.04809");
    EXPECT_EQ(r.fillHeightWithoutHeapText, "9");
    EXPECT_TRUE(r.derivedValid);
    EXPECT_EQ(r.kFromFrictionText, "");  // K is not the formula's
    EXPECT_EQ(r.flowLabel, 3);  // filling state: blank
}

TEST(SiloSketch, HopperOnlyAndConeHeap) {
    Sketch s;
    FormInput in = defaultForm();
    in.Schaftja = false;
    in.crossSection = 0;
    in.fillHeight = "3";
    in.flatSurface = false;
    in.heap = true;
    in.boeschwinkel = "30";
    const SketchResult r = s.run(in);
    ASSERT_EQ(r.code, kProblemNone);
    EXPECT_EQ(r.drawingCase, 2);
    EXPECT_EQ(count(r, false), 7);  // hopper and part below
    ASSERT_EQ(count(r, true), 3);   // cone: two flanks and the base
    const SketchLine& flank = r.lines[7];
    EXPECT_EQ(flank.x2, 124);  // apex on the axis (123.5 to even)
    EXPECT_EQ(r.lines[9].x2, flank.x1);
    EXPECT_EQ(r.lines[9].y2, flank.y1);
    EXPECT_EQ(r.scale, 247 * 0.8 / 6);  // the hopper's height is the lower limit
}

TEST(SiloSketch, RidgeOfAnObeliskIsATrapezoid) {
    Sketch s;
    FormInput in = defaultForm();
    in.rectangleLength = "4";  // 6 m wide, 4 m long: the ridge height follows the length
    in.fillHeight = "9";
    in.flatSurface = false;
    in.heap = true;
    in.boeschwinkel = "45";
    const SketchResult r = s.run(in);
    ASSERT_EQ(r.code, kProblemNone);
    ASSERT_EQ(count(r, true), 4);
    // heap 2 m high on the 6 m width: the ridge is 2 m wide (s = 3 - 2)
    const SketchLine& up = r.lines[10];
    const SketchLine& ridge = r.lines[11];
    EXPECT_EQ(ridge.y1, ridge.y2);
    EXPECT_EQ(ridge.y1, static_cast<int>(std::nearbyint(360 - 9 * r.scale)));
    EXPECT_EQ(ridge.x1, static_cast<int>(std::nearbyint(-1 * r.scale + 123.5)));
    EXPECT_EQ(ridge.x2, static_cast<int>(std::nearbyint(1 * r.scale + 123.5)));
    EXPECT_EQ(up.y1, static_cast<int>(std::nearbyint(360 - 7 * r.scale)));
    EXPECT_EQ(r.fillHeightWithoutHeapText, "7");
}

TEST(SiloSketch, HopperAngleOutOfRangeIsBadData) {
    Sketch s;
    FormInput in = defaultForm();
    for (const char* a : {"0", "90", "95", ""}) {
        in.hopperAngle = a;
        const SketchResult r = s.run(in);
        EXPECT_TRUE(r.badData) << a;
        EXPECT_EQ(r.code, kProblemGeometry) << a;
        EXPECT_TRUE(r.lines.empty());
        EXPECT_FALSE(r.derivedValid);
        EXPECT_EQ(r.flowLabel, 4);  // model without hopper: label emptied
    }
    s.m->Trichterja = true;
    EXPECT_EQ(s.run(in).flowLabel, 0);
    // without a hopper the angle is not looked at
    in = tallShaft();
    in.hopperAngle = "0";
    EXPECT_EQ(s.code(in), kProblemNone);
}

TEST(SiloSketch, FillHeightLimits) {
    Sketch s;
    FormInput in = defaultForm();
    in.fillHeight = "0.005";
    EXPECT_EQ(s.code(in), kProblemGeometry);
    in.fillHeight = "0.01";
    EXPECT_EQ(s.code(in), kProblemNone);
    in.fillHeight = "10.330127";
    EXPECT_EQ(s.code(in), kProblemNone);
    in.fillHeight = "10.4";
    const SketchResult r = s.run(in);
    EXPECT_EQ(r.code, kProblemFillAboveSilo);
    EXPECT_TRUE(r.badData);
    EXPECT_FALSE(r.derivedValid);
}

TEST(SiloSketch, LengthCountsForTheRectangleOnly) {
    Sketch s;
    FormInput in = defaultForm();
    in.rectangleLength = "0";
    EXPECT_EQ(s.code(in), kProblemGeometry);
    in.crossSection = 0;
    EXPECT_EQ(s.code(in), kProblemNone);
    in.rectangleLength = "";
    EXPECT_EQ(s.code(in), kProblemNone);
}

TEST(SiloSketch, SiloWithoutHeightIsAGeometryProblem) {
    Sketch s;
    FormInput in = tallShaft();
    in.shaftHeight = "0";
    in.fillHeight = "0.5";
    const SketchResult r = s.run(in);
    EXPECT_TRUE(r.badData);
    EXPECT_EQ(r.code, kProblemGeometry);
}

TEST(SiloSketch, OutletNotNarrowerAndShaftWithoutWidth) {
    Sketch s;
    FormInput in = defaultForm();
    in.outletWidth = "6";
    EXPECT_EQ(s.code(in), kProblemGeometry);
    in = tallShaft();
    in.diameterOrWidth = "0";
    EXPECT_EQ(s.code(in), kProblemGeometry);
}

TEST(SiloSketch, ReposeAngleLimits) {
    Sketch s;
    FormInput in = tallShaft();
    in.flatSurface = false;
    in.heap = true;
    in.boeschwinkel = "89.5";
    EXPECT_EQ(s.code(in), kProblemRepose);
    in.boeschwinkel = "10";
    EXPECT_EQ(s.code(in), kProblemNone);
    // heap higher than the fill
    in.boeschwinkel = "80";
    in.fillHeight = "1";
    EXPECT_EQ(s.code(in), kProblemGeometry);
}

TEST(SiloSketch, FrictionAndDensityCodes) {
    Sketch s;
    FormInput in = defaultForm();
    in.Phixtrichter = "41";
    EXPECT_EQ(s.code(in), kProblemFriction);
    in.crossSection = 0;
    in.Phixtrichter = "30";
    in.PHIXTrichterStirnwand = "90";  // no end walls on a cone
    EXPECT_EQ(s.code(in), kProblemNone);

    in = defaultForm();
    in.constantDensity = false;
    in.densityFunction = true;
    in.sigma0 = "0";
    EXPECT_EQ(s.code(in), kProblemDensity);
    in.sigma0 = "50000";
    in.rhoMax = "2399";
    EXPECT_EQ(s.code(in), kProblemDensity);
    in.rhoMax = "2800";
    EXPECT_EQ(s.code(in), kProblemNone);

    in = defaultForm();
    in.rhoMin = "0";
    in.Phixschaft = "0";  // friction first, the density code replaces it
    EXPECT_EQ(s.code(in), kProblemDensity);

    in = defaultForm();
    in.constantDensity = false;
    in.fittedDensity = true;
    in.rhoMin = "0";  // the fitted law does not use RHOMIN
    s.w->Messpunktzahl = 1;
    EXPECT_EQ(s.code(in), kProblemMissingPairs);
    s.w->Messpunktzahl = 2;
    EXPECT_EQ(s.code(in), kProblemNone);
}

TEST(SiloSketch, KFromInternalFriction) {
    Sketch s;
    FormInput in = defaultForm();
    in.kFixed = false;
    in.kFromFriction = true;
    EXPECT_EQ(s.run(in).kFromFrictionText, "0.42865487");
}

TEST(SiloSketch, MassFlowLabelNeedsDischargeAndAHopperInTheModel) {
    Sketch s;
    FormInput in = defaultForm();
    in.crossSection = 0;
    in.hopperAngle = "15";
    in.Phixtrichter = "20";
    in.fillHeight = "5";
    in.stressState = 1;
    // the model (last taken over) has no hopper yet
    SketchResult r = s.run(in);
    EXPECT_EQ(r.flowLabel, 3);
    EXPECT_EQ(r.massFlowAngleDeg, 0);

    s.m->Trichterja = true;
    r = s.run(in);
    EXPECT_EQ(r.flowLabel, 1);  // mass flow
    EXPECT_NEAR(r.massFlowAngleDeg, 24.99, 0.01);
    EXPECT_TRUE(r.massFlow);

    in.hopperAngle = "30";  // steeper than the limit: funnel flow
    r = s.run(in);
    EXPECT_EQ(r.flowLabel, 2);
    EXPECT_FALSE(r.massFlow);

    in.stressState = 0;
    EXPECT_EQ(s.run(in).flowLabel, 3);
}

TEST(SiloSketch, ExtremeValuesStayWithinPixelRange) {
    Sketch s;
    FormInput in = defaultForm();
    in.hopperAngle = "89.99999999";  // nearly horizontal hopper wall
    in.outletWidth = "0";
    in.fillHeight = "1";
    const SketchResult r = s.run(in);
    ASSERT_EQ(r.drawingCase, 1);
    ASSERT_FALSE(r.lines.empty());
    for (const auto& l : r.lines) {
        EXPECT_LE(std::abs(l.x1), 1000000);
        EXPECT_LE(std::abs(l.x2), 1000000);
        EXPECT_LE(std::abs(l.y1), 1000000);
        EXPECT_LE(std::abs(l.y2), 1000000);
    }
}

TEST(SiloSketch, HeapHigherThanTheFillOfAShaftWithoutHopperIsRefused) {
    // Circular shaft 6 m wide and 6 m high, no hopper (its angle field still
    // 30, its outlet field 1), filled to 1.5 m with a heap of 30 deg: the heap
    // over the shaft is 1.7320508 m high, so the flat surface would lie below
    // the silo's lower edge.
    Sketch s;
    FormInput in = defaultForm();
    in.crossSection = 0;
    in.Trichterja = false;
    in.fillHeight = "1.5";
    in.flatSurface = false;
    in.heap = true;
    in.boeschwinkel = "30";
    EXPECT_EQ(s.code(in), kProblemGeometry);
    auto m = std::make_unique<SiloModel>();
    EXPECT_EQ(takeOver(*m, in, *s.w), kProblemGeometry);
    EXPECT_DOUBLE_EQ(m->Boberflaeche, 6);
    EXPECT_NEAR(m->Hkegel, 1.7320508, 1e-7);
    // Filled to 2.5 m the same heap fits: surface at 0.7679492 m, base 6 m.
    in.fillHeight = "2.5";
    EXPECT_EQ(s.code(in), kProblemNone);
    EXPECT_EQ(takeOver(*m, in, *s.w), kProblemNone);
    EXPECT_DOUBLE_EQ(m->Boberflaeche, 6);
    EXPECT_NEAR(m->Hoberflaeche, 2.5 - 1.7320508, 1e-7);
    EXPECT_NEAR(m->Fuellvolumen, kPi * 9 * (2.5 - 1.7320508) + kPi * 36 * 1.7320508 / 12, 1e-5);
}
