// The take-over on OK: what each problem code stops or lets pass, and what is
// written into the model up to a stop.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "calc/engine.h"
#include "calc/form_logic.h"

using namespace korvane;

namespace {

constexpr double kSentinel = -777;

// The default silo as a user would enter it: 6 x 6 m shaft of 6 m, wedge
// hopper of 30 deg down to a 1 m slot, fill height 9 m, K = 0.4.
FormInput defaultForm() {
    FormInput in;
    in.shaftHeight = "6";
    in.fillHeight = "9";
    in.kFixed = true;
    return in;
}

struct Fixture {
    std::unique_ptr<SiloModel> m = std::make_unique<SiloModel>();
    std::unique_ptr<DensityWorkingCopy> w = std::make_unique<DensityWorkingCopy>();
    Fixture() {
        // marks for "not written"
        SiloModel& s = *m;
        s.Hspitzeoben = s.Hspitzeauslauf = s.Hsilo = kSentinel;
        s.Hkegel = s.Vkegel = s.Auflastspannung = kSentinel;
        s.Hfuellschaft = s.Hfuelltrichter = s.Hfuellunten = kSentinel;
        s.Bruttovolumen = s.Fuellvolumen = s.Kwert = kSentinel;
        s.Flaecheunten = s.Hoberflaeche = s.Flaeche = s.RHOMIN = kSentinel;
        s.Messanzahl = 7;
        s.Messsigma[1] = 1234;
        s.Schrittzahl = 500;
    }
    int run(const FormInput& in) { return takeOver(*m, in, *w); }
};

const double kHh = 2.5 / std::tan(30 * M_PI / 180);  // hopper height of the default silo

}  // namespace

TEST(TakeOver, DefaultSiloIsWrittenCompletely) {
    Fixture f;
    ASSERT_EQ(f.run(defaultForm()), kProblemNone);
    const SiloModel& m = *f.m;
    EXPECT_EQ(m.Schrittzahl, 1000);
    EXPECT_TRUE(m.Fuellzustand);
    EXPECT_FALSE(m.Entleerungszustand);
    EXPECT_TRUE(m.Rhokonstant);
    EXPECT_FALSE(m.Rhofunktion);
    EXPECT_EQ(m.RHOMIN, 2400);
    EXPECT_DOUBLE_EQ(m.PHIE, 40 * M_PI / 180);
    EXPECT_DOUBLE_EQ(m.PhixStirnwand, 30 * M_PI / 180);
    EXPECT_EQ(m.Querschnitt, 0);
    EXPECT_EQ(m.Flaeche, 36);
    EXPECT_EQ(m.Umfang, 24);
    EXPECT_EQ(m.Flaecheunten, 6);
    EXPECT_EQ(m.Auslaufflaeche, 6);
    EXPECT_NEAR(m.TanTrichter, 0.5773502691896257, 1e-15);
    EXPECT_NEAR(m.Hspitzeauslauf, 0.8660254037844386, 1e-14);
    EXPECT_NEAR(m.Hspitzeoben, 5.196152422706632, 1e-14);
    EXPECT_NEAR(m.Hsilo, 10.330127018922195, 1e-13);
    EXPECT_EQ(m.Hkegel, 0);
    EXPECT_EQ(m.Auflastspannung, 0);
    EXPECT_EQ(m.Hoberflaeche, 9);
    EXPECT_NEAR(m.Hfuellschaft, 9 - kHh, 1e-13);
    EXPECT_NEAR(m.Hfuelltrichter, kHh, 1e-13);
    EXPECT_EQ(m.Hfuellunten, 0);
    EXPECT_NEAR(m.Bruttovolumen, 306.93266739736606, 1e-11);
    EXPECT_NEAR(m.Fuellvolumen, 259.0480947161671, 1e-11);
    EXPECT_EQ(m.Boberflaeche, 6);
    EXPECT_EQ(m.Kwahl, 1);
    EXPECT_EQ(m.Kwert, 0.4);
    // the working copy (empty) became the committed measured set
    EXPECT_EQ(m.Messanzahl, 0);
    EXPECT_EQ(m.Messsigma[1], 0);
}

TEST(TakeOver, Code21StopsBeforeTheMeasuredSetIsCommitted) {
    Fixture f;
    FormInput in = defaultForm();
    in.constantDensity = false;
    in.fittedDensity = true;
    f.w->Messpunktzahl = 1;
    f.w->Messtabelle[1][1] = 1000;
    EXPECT_EQ(f.run(in), kProblemMissingPairs);
    EXPECT_EQ(f.m->Messanzahl, 7);
    EXPECT_EQ(f.m->Messsigma[1], 1234);
    EXPECT_EQ(f.m->Schrittzahl, 500);
    EXPECT_EQ(f.m->RHOMIN, kSentinel);
}

TEST(TakeOver, FittedLawWithTwoPairsCommitsTheWorkingCopy) {
    Fixture f;
    FormInput in = defaultForm();
    in.constantDensity = false;
    in.fittedDensity = true;
    f.w->Messpunktzahl = 2;
    f.w->Messanpassart = 3;
    f.w->Messtabelle[1][1] = 1000;
    f.w->Messtabelle[2][1] = 2400;
    f.w->Messtabelle[1][2] = 5000;
    f.w->Messtabelle[2][2] = 2500;
    f.w->Messtabelle[1][50] = 9;
    f.w->MessA = 1.5;
    f.w->MessSIGMA0 = 777;
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_EQ(f.m->Messanzahl, 2);
    EXPECT_EQ(f.m->Anpassart, 3);
    EXPECT_EQ(f.m->Messsigma[2], 5000);
    EXPECT_EQ(f.m->Messrho[2], 2500);
    EXPECT_EQ(f.m->Messsigma[50], 9);
    EXPECT_EQ(f.m->AnpassA, 1.5);
    EXPECT_EQ(f.m->AnpassSIGMA0, 777);
    EXPECT_FALSE(f.m->Rhokonstant);
    EXPECT_FALSE(f.m->Rhofunktion);
}

TEST(TakeOver, Code6ContinuesToTheEnd) {
    Fixture f;
    FormInput in = defaultForm();
    in.constantDensity = false;
    in.densityFunction = true;
    in.sigma0 = "0";
    EXPECT_EQ(f.run(in), kProblemDensity);
    EXPECT_NEAR(f.m->Fuellvolumen, 259.0480947161671, 1e-11);
    EXPECT_EQ(f.m->Kwert, 0.4);

    in.sigma0 = "50000";
    in.rhoMax = "2300";  // RHOMAX below RHOMIN
    EXPECT_EQ(f.run(in), kProblemDensity);
    in.rhoMax = "2400";  // equal is fine
    EXPECT_EQ(f.run(in), kProblemNone);
}

TEST(TakeOver, FrictionLimits) {
    Fixture f;
    FormInput in = defaultForm();
    in.Phixtrichter = "41";  // above PHIE 40
    EXPECT_EQ(f.run(in), kProblemFriction);
    EXPECT_NEAR(f.m->Fuellvolumen, 259.0480947161671, 1e-11);  // continues
    EXPECT_DOUBLE_EQ(f.m->Phixtrichter, 41 * M_PI / 180);

    in.Phixtrichter = "40";
    EXPECT_EQ(f.run(in), kProblemNone);
    in.internalFriction = "89";
    in.Phixschaft = "89";
    EXPECT_EQ(f.run(in), kProblemNone);
    in.Phixschaft = "89.5";
    EXPECT_EQ(f.run(in), kProblemFriction);
    in.Phixschaft = "30";
    in.Phixunten = "0";  // limits apply without the section too
    EXPECT_EQ(f.run(in), kProblemFriction);
    in.Phixunten = "30";
    in.PHIXTrichterStirnwand = "0";  // end walls may be smooth
    EXPECT_EQ(f.run(in), kProblemNone);
    in.PHIXTrichterStirnwand = "95";
    EXPECT_EQ(f.run(in), kProblemFriction);
    in.crossSection = 0;  // a cone has no end walls
    EXPECT_EQ(f.run(in), kProblemNone);
}

TEST(TakeOver, LaterCodesReplaceEarlierOnes) {
    Fixture f;
    FormInput in = defaultForm();
    in.constantDensity = false;
    in.densityFunction = true;
    in.sigma0 = "0";
    in.Phixtrichter = "50";
    EXPECT_EQ(f.run(in), kProblemFriction);
    in.kFixed = false;
    in.kOwnValue = true;
    in.kValue = "0";
    EXPECT_EQ(f.run(in), kProblemK);
    EXPECT_EQ(f.m->Kwahl, 2);
    EXPECT_EQ(f.m->Kwert, 0);
}

TEST(TakeOver, Code9AtTheSiloFormStopsBeforeTheApex) {
    Fixture f;
    FormInput in = defaultForm();
    in.outletWidth = "6";  // outlet as wide as the top
    EXPECT_EQ(f.run(in), kProblemGeometry);
    EXPECT_EQ(f.m->Durchmesser, 6);
    EXPECT_EQ(f.m->Flaeche, 36);
    EXPECT_NEAR(f.m->TanTrichter, 0.5773502691896257, 1e-15);
    EXPECT_EQ(f.m->Hspitzeoben, kSentinel);
    EXPECT_EQ(f.m->Hsilo, kSentinel);
    EXPECT_EQ(f.m->Flaecheunten, kSentinel);
}

TEST(TakeOver, SiloFormChecks) {
    Fixture f;
    FormInput in = defaultForm();
    in.hopperAngle = "0";
    EXPECT_EQ(f.run(in), kProblemGeometry);
    in.hopperAngle = "30";
    in.rectangleLength = "0";  // rectangle without length
    EXPECT_EQ(f.run(in), kProblemGeometry);
    in.crossSection = 0;  // circle: the length is not looked at
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_EQ(f.m->Querschnitt, 1);
    EXPECT_NEAR(f.m->Flaeche, M_PI * 9, 1e-12);
    in.rectangleLength = "";
    EXPECT_EQ(f.run(in), kProblemNone);

    // shaft alone needs a width; its outlet and angle do not matter
    in = defaultForm();
    in.Trichterja = false;
    in.hopperAngle = "0";
    in.outletWidth = "9";
    in.fillHeight = "5";
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_EQ(f.m->Hsilo, 6);
    EXPECT_EQ(f.m->Auslaufflaeche, 36);
    EXPECT_EQ(f.m->Hspitzeoben, 0);
    in.diameterOrWidth = "0";
    EXPECT_EQ(f.run(in), kProblemGeometry);
}

TEST(TakeOver, PartBelowNeedsAPositiveHeight) {
    Fixture f;
    FormInput in = defaultForm();
    in.vertunten = true;
    in.Hunttricht = "0";
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_FALSE(f.m->vertunten);
    EXPECT_EQ(f.m->Hunttricht, 0);

    in.Hunttricht = "2";
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_TRUE(f.m->vertunten);
    EXPECT_NEAR(f.m->Hsilo, 12.330127018922195, 1e-13);
    EXPECT_NEAR(f.m->Bruttovolumen, 306.93266739736606 + 12, 1e-11);

    in.vertunten = false;  // the field's value is not taken
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_EQ(f.m->Hunttricht, 0);
}

TEST(TakeOver, Code20StopsAndLeavesSurfaceVolumesAndKOld) {
    Fixture f;
    FormInput in = defaultForm();
    in.flatSurface = false;
    in.heap = true;
    in.boeschwinkel = "89";
    // the angle passes; the steep heap on the slot then reaches above the fill
    EXPECT_EQ(f.run(in), kProblemGeometry);
    EXPECT_GT(f.m->Hkegel, 9);
    in.boeschwinkel = "89.5";
    Fixture g;
    EXPECT_EQ(g.run(in), kProblemRepose);
    EXPECT_TRUE(g.m->Schuettkegel);
    EXPECT_DOUBLE_EQ(g.m->boeschwinkel, 89.5 * M_PI / 180);  // held in radians
    EXPECT_NEAR(g.m->Hsilo, 10.330127018922195, 1e-13);
    EXPECT_EQ(g.m->Hkegel, kSentinel);
    EXPECT_EQ(g.m->Auflastspannung, kSentinel);
    EXPECT_EQ(g.m->Hfuellschaft, kSentinel);
    EXPECT_EQ(g.m->Fuellvolumen, kSentinel);
    EXPECT_EQ(g.m->Kwert, kSentinel);
    in.boeschwinkel = "-1";
    EXPECT_EQ(g.run(in), kProblemRepose);
}

TEST(TakeOver, Code3WritesFilledHeightsButNotVolumes) {
    Fixture f;
    FormInput in = defaultForm();
    in.fillHeight = "11";
    EXPECT_EQ(f.run(in), kProblemFillAboveSilo);
    EXPECT_EQ(f.m->Hoberflaeche, 11);
    EXPECT_NEAR(f.m->Hfuellschaft, 11 - kHh, 1e-13);
    EXPECT_NEAR(f.m->Hfuelltrichter, kHh, 1e-13);
    EXPECT_EQ(f.m->Hfuellunten, 0);
    EXPECT_EQ(f.m->Auflastspannung, 0);
    EXPECT_EQ(f.m->Bruttovolumen, kSentinel);
    EXPECT_EQ(f.m->Fuellvolumen, kSentinel);
    EXPECT_EQ(f.m->Kwert, kSentinel);
}

// A silo filled to the brim: the form's 8 digits round the fill height up
// past the silo height (10.330127 m for a silo of 10.3301265189 m). That is
// the full silo; a fill clearly above it is still refused.
TEST(TakeOver, FillToTheBrimIsTheFullSilo) {
    const double silo = 5.9999995 + kHh;
    const struct {
        const char* fill;
        int code;
    } cases[] = {{"10.330127", kProblemNone}, {"10.330128", kProblemFillAboveSilo}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fill);
        FormInput in = defaultForm();
        in.shaftHeight = "5.9999995";
        in.fillHeight = c.fill;
        Fixture f;
        EXPECT_EQ(f.run(in), c.code);
        if (c.code == kProblemNone) { EXPECT_NEAR(f.m->Fuellhoehe, silo, 1e-12); }
        DensityWorkingCopy w;
        auto sketchModel = std::make_unique<SiloModel>();
        EXPECT_EQ(siloSketch(*sketchModel, in, w, 400, 400).code, c.code);
    }
}

TEST(TakeOver, HeapHigherThanTheFillIsCode9) {
    Fixture f;
    FormInput in = defaultForm();
    in.flatSurface = false;
    in.heap = true;
    in.boeschwinkel = "45";
    in.fillHeight = "0.1";  // heap on the 1 m slot is 0.5 m high
    EXPECT_EQ(f.run(in), kProblemGeometry);
    EXPECT_NEAR(f.m->Hkegel, 0.5, 1e-12);
    EXPECT_NEAR(f.m->Hoberflaeche, -0.4, 1e-12);
    EXPECT_EQ(f.m->Hfuellunten, 0);  // filled heights come before the check
    EXPECT_EQ(f.m->Hfuelltrichter, 0.1);
    EXPECT_EQ(f.m->Bruttovolumen, kSentinel);
}

TEST(TakeOver, HeapInThePartBelowStandsOnTheOutlet) {
    Fixture f;
    FormInput in = defaultForm();
    in.vertunten = true;
    in.Hunttricht = "2";
    in.flatSurface = false;
    in.heap = true;
    in.boeschwinkel = "60";
    in.fillHeight = "2.5";
    in.crossSection = 0;
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_EQ(f.m->Boberflaeche, 1);
    const double hk = std::tan(60 * M_PI / 180) * 0.5;
    EXPECT_NEAR(f.m->Hkegel, hk, 1e-12);
    EXPECT_NEAR(f.m->Fuellvolumen, (2.5 - hk) * M_PI / 4 + M_PI * hk / 12, 1e-12);
}

TEST(TakeOver, HeapThenFlatSurfaceDropsTheHeap) {
    Fixture f;
    FormInput in = defaultForm();
    in.crossSection = 0;
    in.diameterOrWidth = "4";
    in.fillHeight = "8";
    in.flatSurface = false;
    in.heap = true;
    in.boeschwinkel = "30";
    in.surchargeStress = "500";
    f.m->Auflastspannung = 321;
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_NEAR(f.m->Hkegel, std::tan(M_PI / 6) * 2, 1e-12);
    EXPECT_NEAR(f.m->Vkegel, M_PI * 16 * std::tan(M_PI / 6) * 2 / 12, 1e-12);
    EXPECT_EQ(f.m->Auflastspannung, 321);  // kept with a heap
    const double withHeap = f.m->Fuellvolumen;

    in.heap = false;
    in.flatSurface = true;
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_EQ(f.m->Hkegel, 0);
    EXPECT_EQ(f.m->Vkegel, 0);
    EXPECT_EQ(f.m->boeschwinkel, 0);
    EXPECT_EQ(f.m->Auflastspannung, 0);
    const double hh = 1.5 / std::tan(M_PI / 6);  // cone from 4 m down to 1 m
    const double flat = M_PI * hh * (1 + 4 + 16) / 12 + (8 - hh) * M_PI * 4;
    EXPECT_NEAR(f.m->Fuellvolumen, flat, 1e-9);
    EXPECT_NEAR(withHeap, flat - (std::tan(M_PI / 6) * 2) * M_PI * 4 + M_PI * 16 * std::tan(M_PI / 6) * 2 / 12,
                1e-9);

    in.flatSurface = false;
    in.surcharge = true;
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_EQ(f.m->Auflastspannung, 500);
}

TEST(TakeOver, FlatSurfaceInTheHopperSetsItsWidth) {
    Fixture f;
    FormInput in = defaultForm();
    in.fillHeight = "3";
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_NEAR(f.m->Boberflaeche, 1 + 2 * std::tan(M_PI / 6) * 3, 1e-12);
}

TEST(TakeOver, KFromInternalFriction) {
    Fixture f;
    FormInput in = defaultForm();
    in.kFixed = false;
    in.kFromFriction = true;
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_EQ(f.m->Kwahl, 0);
    EXPECT_NEAR(f.m->Kwert, 0.4286548683761529, 1e-15);
    in.kFromFriction = false;
    in.kOwnValue = true;
    in.kValue = "0.55";
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_EQ(f.m->Kwahl, 2);
    EXPECT_EQ(f.m->Kwert, 0.55);
}

TEST(TakeOver, DischargeStateSwitches) {
    Fixture f;
    FormInput in = defaultForm();
    in.stressState = 1;
    EXPECT_EQ(f.run(in), kProblemNone);
    EXPECT_FALSE(f.m->Fuellzustand);
    EXPECT_TRUE(f.m->Entleerungszustand);
    EXPECT_EQ(f.m->Spannungszustand(), 1);
}
