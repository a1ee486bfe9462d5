// Values that no silo can have are parameter problems with the code whose
// text fits, in the live check, in the take-over and for loaded files alike;
// whatever passes gives finite results with positive densities and no
// negative stress, height, volume or contents.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>

#include "calc/engine.h"
#include "calc/form_logic.h"

using namespace korvane;

namespace {

// The default silo as a user would enter it: 6 x 6 m shaft of 6 m, wedge
// hopper of 30 deg down to a 1 m slot, fill height 9 m, K = 0.4.
FormInput defaultForm() {
    FormInput in;
    in.shaftHeight = "6";
    in.fillHeight = "9";
    in.kFixed = true;
    return in;
}

// A fitted straight line rho = A + B sigma over two measured pairs.
void fittedLine(FormInput& in, DensityWorkingCopy& w, double A, double B) {
    in.constantDensity = in.densityFunction = false;
    in.fittedDensity = true;
    w.Messpunktzahl = 2;
    w.Messanpassart = 0;
    w.Messtabelle[1][1] = 1000;
    w.Messtabelle[2][1] = A + B * 1000;
    w.Messtabelle[1][2] = 2000;
    w.Messtabelle[2][2] = A + B * 2000;
    w.MessA = A;
    w.MessB = B;
}

struct Case {
    const char* what;
    std::function<void(FormInput&, DensityWorkingCopy&)> change;
    int takeOverCode;  // the take-over's code
    int sketchCode;    // the live check's code
};

const std::string kHuge = "1" + std::string(200, '0');  // "1" and 200 zeros

const Case kCases[] = {
    {"negative outlet", [](FormInput& in, DensityWorkingCopy&) { in.outletWidth = "-1"; },
     kProblemGeometry, kProblemGeometry},
    {"negative shaft height", [](FormInput& in, DensityWorkingCopy&) { in.shaftHeight = "-1"; },
     kProblemGeometry, kProblemGeometry},
    {"negative part below",
     [](FormInput& in, DensityWorkingCopy&) {
         in.vertunten = true;
         in.Hunttricht = "-2";
     },
     kProblemGeometry, kProblemGeometry},
    {"negative surcharge",
     [](FormInput& in, DensityWorkingCopy&) {
         in.flatSurface = false;
         in.surcharge = true;
         in.surchargeStress = "-50000";
     },
     kProblemGeometry, kProblemGeometry},
    {"huge diameter", [](FormInput& in, DensityWorkingCopy&) { in.diameterOrWidth = kHuge; },
     kProblemGeometry, kProblemGeometry},
    {"length whose area overflows",
     [](FormInput& in, DensityWorkingCopy&) { in.rectangleLength = "1" + std::string(308, '0'); },
     kProblemGeometry, kProblemGeometry},
    {"length whose contents overflow",
     [](FormInput& in, DensityWorkingCopy&) { in.rectangleLength = "1e306"; }, kProblemGeometry,
     kProblemNone},
    {"hopper angle of 1e306 degrees",
     [](FormInput& in, DensityWorkingCopy&) { in.hopperAngle = "1e306"; }, kProblemGeometry,
     kProblemGeometry},
    // The hopper's height is finite (1.7e302 m) but F of the wall stresses is not positive.
    {"hopper wall all but vertical", [](FormInput& in, DensityWorkingCopy&) { in.hopperAngle = "1e-300"; },
     kProblemGeometry, kProblemNone},
    {"negative constant density", [](FormInput& in, DensityWorkingCopy&) { in.rhoMin = "-5"; },
     kProblemDensity, kProblemDensity},
    {"density function with a negative reference stress",
     [](FormInput& in, DensityWorkingCopy&) {
         in.constantDensity = false;
         in.densityFunction = true;
         in.sigma0 = "-50000";
     },
     kProblemDensity, kProblemDensity},
    {"fitted line negative at no stress",
     [](FormInput& in, DensityWorkingCopy& w) { fittedLine(in, w, -5, 0.01); },
     kProblemDensity, kProblemNone},
    {"fitted line falling below zero within the silo's stresses",
     [](FormInput& in, DensityWorkingCopy& w) {
         fittedLine(in, w, 2000, -0.1);  // zero at 20 kPa
         in.flatSurface = false;
         in.surcharge = true;
         in.surchargeStress = "30000";
     },
     kProblemDensity, kProblemNone},
    {"fitted exponential law with a negative least density",
     [](FormInput& in, DensityWorkingCopy& w) {
         fittedLine(in, w, 0, 0);
         w.Messanpassart = 2;
         w.MessRHOMIN = -100;
         w.MessRHOMAX = 1500;
         w.MessSIGMA0 = 20000;
     },
     kProblemDensity, kProblemNone},
    {"interpolation dipping below zero between measured points",
     [](FormInput& in, DensityWorkingCopy& w) {
         fittedLine(in, w, 0, 0);
         w.Messanpassart = 3;
         w.Messpunktzahl = 3;
         w.Messtabelle[1][1] = 0;
         w.Messtabelle[2][1] = 1500;
         w.Messtabelle[1][2] = 10000;
         w.Messtabelle[2][2] = -10;
         w.Messtabelle[1][3] = 20000;
         w.Messtabelle[2][3] = 1600;
         in.flatSurface = false;  // stresses from 30 kPa up, past the dip
         in.surcharge = true;
         in.surchargeStress = "30000";
     },
     kProblemDensity, kProblemNone},
    {"fitted line growing without bound",
     [](FormInput& in, DensityWorkingCopy& w) { fittedLine(in, w, 2000, 1e300); },
     kProblemDensity, kProblemNone},
    {"fitted law of an unknown kind",
     [](FormInput& in, DensityWorkingCopy& w) {
         fittedLine(in, w, 2000, 0.01);
         w.Messanpassart = 7;
     },
     kProblemDensity, kProblemNone},
    {"huge K",
     [](FormInput& in, DensityWorkingCopy&) {
         in.kFixed = false;
         in.kOwnValue = true;
         in.kValue = "1e300";
     },
     kProblemK, kProblemNone},
    {"K above the passive ratio of PHIE 40 (4.6)",
     [](FormInput& in, DensityWorkingCopy&) {
         in.kFixed = false;
         in.kOwnValue = true;
         in.kValue = "5";
     },
     kProblemK, kProblemNone},
    {"friction angle of 1e400 degrees",
     [](FormInput& in, DensityWorkingCopy&) { in.Phixschaft = "1e400"; }, kProblemFriction,
     kProblemFriction},
    {"end wall angle of 1e400 degrees on a circular silo",
     [](FormInput& in, DensityWorkingCopy&) {
         in.crossSection = 0;
         in.PHIXTrichterStirnwand = "1e400";
     },
     kProblemFriction, kProblemFriction},
    {"negative angle of repose",
     [](FormInput& in, DensityWorkingCopy&) {
         in.flatSurface = false;
         in.heap = true;
         in.boeschwinkel = "-5";
     },
     kProblemRepose, kProblemRepose},
    // A shaft 0.1 m wide and 30 m high with 89 deg wall friction: one slice's
    // wall support is many times its stress, the slice step oscillates.
    {"slice step that cannot carry the silo",
     [](FormInput& in, DensityWorkingCopy&) {
         in.Trichterja = false;
         in.diameterOrWidth = "0.1";
         in.rectangleLength = "0.1";
         in.shaftHeight = "30";
         in.fillHeight = "30";
         in.internalFriction = "89";
         in.Phixschaft = in.Phixtrichter = in.Phixunten = "89";
     },
     kProblemGeometry, kProblemNone},
};

}  // namespace

TEST(ImpossibleValues, TakeOverRefusesEachWithTheCodeWhoseTextFits) {
    for (const Case& c : kCases) {
        FormInput in = defaultForm();
        auto m = std::make_unique<SiloModel>();
        auto w = std::make_unique<DensityWorkingCopy>();
        c.change(in, *w);
        EXPECT_EQ(takeOver(*m, in, *w), c.takeOverCode) << c.what;
    }
}

TEST(ImpossibleValues, LiveCheckRefusesWhatItCanJudge) {
    for (const Case& c : kCases) {
        FormInput in = defaultForm();
        auto m = std::make_unique<SiloModel>();
        auto w = std::make_unique<DensityWorkingCopy>();
        c.change(in, *w);
        EXPECT_EQ(siloSketch(*m, in, *w, 247, 400).code, c.sketchCode) << c.what;
    }
}

TEST(ImpossibleValues, HugeDiameterNeverShowsNanOrInfInTheDerivedFields) {
    FormInput in = defaultForm();
    in.diameterOrWidth = kHuge;
    auto m = std::make_unique<SiloModel>();
    auto w = std::make_unique<DensityWorkingCopy>();
    const SketchResult r = siloSketch(*m, in, *w, 247, 400);
    EXPECT_EQ(r.code, kProblemGeometry);
    EXPECT_TRUE(r.badData);
    EXPECT_FALSE(r.derivedValid);
    for (const std::string& t :
         {r.hopperHeightText, r.siloHeightText, r.grossVolumeText, r.netVolumeText, r.fillHeightWithoutHeapText, r.kFromFrictionText}) {
        EXPECT_EQ(t.find("NAN"), std::string::npos) << t;
        EXPECT_EQ(t.find("INF"), std::string::npos) << t;
    }
}

TEST(ImpossibleValues, NonFiniteNumbersNeverShowAsNanOrInf) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(formatGeneral8(std::nan("")), "");
    // An infinity reads back as the largest number, which the checks refuse.
    EXPECT_EQ(formatGeneral8(inf), "1.7976931E+308");
    EXPECT_EQ(formatGeneral8(-inf), "-1.7976931E+308");
    EXPECT_EQ(textToNumber(formatGeneral8(inf)), 1.7976931e308);
}

TEST(ImpossibleValues, ValidSilosStillPass) {
    // The default silo, a heap, a surcharge, K at the passive ratio's edge.
    FormInput heap = defaultForm();
    heap.flatSurface = false;
    heap.heap = true;
    heap.boeschwinkel = "30";
    FormInput surcharge = defaultForm();
    surcharge.flatSurface = false;
    surcharge.surcharge = true;
    surcharge.surchargeStress = "10000";
    FormInput bigK = defaultForm();
    bigK.kFixed = false;
    bigK.kOwnValue = true;
    bigK.kValue = "4.5";  // passive ratio of 40 deg: 4.599
    FormInput zeroOutlet = defaultForm();
    zeroOutlet.outletWidth = "0";
    for (const FormInput& in : {defaultForm(), heap, surcharge, bigK, zeroOutlet}) {
        auto m = std::make_unique<SiloModel>();
        auto w = std::make_unique<DensityWorkingCopy>();
        EXPECT_EQ(siloSketch(*m, in, *w, 247, 400).code, kProblemNone);
        EXPECT_EQ(takeOver(*m, in, *w), kProblemNone);
    }
}

// A file's angle near the largest number has no finite radians: the form
// would show it as a text it cannot read back. It is refused on loading.
TEST(ImpossibleValues, LoadedAngleWithoutFiniteRadiansIsRefused) {
    struct Angle {
        double SiloModel::*field;
        bool heap;
        int code;
    };
    const double inf = std::numeric_limits<double>::infinity();
    for (const Angle& a : {Angle{&SiloModel::boeschwinkel, true, kProblemRepose},
                           Angle{&SiloModel::PHIE, false, kProblemFriction},
                           Angle{&SiloModel::Trichterwinkel, false, kProblemGeometry}}) {
        for (int derive = 0; derive < 2; ++derive) {
            auto m = std::make_unique<SiloModel>();
            resetToDefaults(*m);
            m->Schuettkegel = a.heap;
            if (a.heap) m->boeschwinkel = degToRad(30);
            (*m).*(a.field) = inf;
            auto w = std::make_unique<DensityWorkingCopy>();
            const int code = derive ? deriveLoadedModel(*m) : confirmLoadedModel(*m, *w);
            EXPECT_EQ(code, a.code) << derive;
        }
    }
}
