// Showing the model in the parameter form: the controls it sets, the
// check-box rules that fire on the way, and its side effects on the model.
#include <gtest/gtest.h>

#include <memory>

#include "calc/engine.h"
#include "calc/form_logic.h"
#include "tests/common/test_silos.h"

using namespace korvane;
using korvane::test::defaultSilo;

TEST(ShowModel, DefaultSiloInAFreshForm) {
    auto m = defaultSilo();
    FormInput in;
    showModelInForm(*m, in);
    EXPECT_EQ(in.stressState, 0);
    EXPECT_EQ(in.crossSection, 1);
    EXPECT_TRUE(in.densityFunction);
    EXPECT_FALSE(in.constantDensity);
    EXPECT_FALSE(in.fittedDensity);
    EXPECT_EQ(in.rhoMin, "2400");
    EXPECT_EQ(in.rhoMax, "2800");
    EXPECT_EQ(in.sigma0, "50000");
    EXPECT_EQ(in.internalFriction, "40");
    EXPECT_EQ(in.Phixschaft, "30");
    EXPECT_EQ(in.Phixtrichter, "30");
    EXPECT_EQ(in.Phixunten, "30");
    EXPECT_EQ(in.PHIXTrichterStirnwand, "30");
    EXPECT_EQ(in.diameterOrWidth, "6");
    EXPECT_EQ(in.rectangleLength, "6");
    EXPECT_EQ(in.outletWidth, "1");
    EXPECT_EQ(in.hopperAngle, "30");
    EXPECT_EQ(in.fillHeight, "9");
    EXPECT_EQ(in.shaftHeight, "6");
    EXPECT_TRUE(in.Schaftja);
    EXPECT_TRUE(in.Trichterja);
    EXPECT_FALSE(in.vertunten);
    EXPECT_EQ(in.Hunttricht, "0");
    EXPECT_TRUE(in.flatSurface);
    EXPECT_FALSE(in.heap);
    EXPECT_FALSE(in.surcharge);
    EXPECT_FALSE(in.kFromFriction);
    EXPECT_TRUE(in.kFixed);
    EXPECT_FALSE(in.kOwnValue);
    EXPECT_EQ(in.kValue, "");
}

TEST(ShowModel, NeitherShaftNorHopperBecomesHopperOnly) {
    auto m = defaultSilo();
    m->Schaftja = false;
    m->Trichterja = false;
    FormInput in;
    showModelInForm(*m, in);
    EXPECT_TRUE(in.Trichterja);
    EXPECT_FALSE(in.Schaftja);
    // the model itself is only read
    EXPECT_FALSE(m->Trichterja);
}

TEST(ShowModel, PartBelowWithoutHopperStays) {
    auto m = defaultSilo();
    m->Trichterja = false;
    m->vertunten = true;
    m->Hunttricht = 2.827;
    FormInput in;
    showModelInForm(*m, in);
    EXPECT_FALSE(in.Trichterja);
    EXPECT_TRUE(in.Schaftja);
    EXPECT_TRUE(in.vertunten);
    EXPECT_EQ(in.Hunttricht, "2.827");
}

TEST(ShowModel, UncheckingTheHopperUnchecksThePartBelowFromAnEarlierShowing) {
    auto m = defaultSilo();
    m->Trichterja = false;
    m->vertunten = false;
    FormInput in;
    in.vertunten = true;
    in.Hunttricht = "3";
    showModelInForm(*m, in);
    EXPECT_FALSE(in.vertunten);
    EXPECT_EQ(in.Hunttricht, "0");
}

TEST(ShowModel, HopperOnlyAfterAFormWithoutHopperKeepsTheShaftUnchecked) {
    auto m = defaultSilo();
    m->Schaftja = false;
    FormInput in;
    in.Trichterja = false;  // an earlier showing of a shaft-only silo
    showModelInForm(*m, in);
    EXPECT_TRUE(in.Trichterja);
    EXPECT_FALSE(in.Schaftja);
}

TEST(ShowModel, NoPartBelowClearsItsHeightInTheModel) {
    auto m = defaultSilo();
    m->vertunten = false;
    m->Hunttricht = 4.5;
    FormInput in;
    showModelInForm(*m, in);
    EXPECT_EQ(m->Hunttricht, 0);
    EXPECT_EQ(in.Hunttricht, "0");
}

TEST(ShowModel, FlatSurfaceClearsReposeAndNonPositiveSurcharge) {
    auto m = defaultSilo();
    m->Schuettkegel = false;
    m->boeschwinkel = degToRad(35);
    m->Auflastspannung = -5;
    FormInput in;
    in.heap = true;
    in.flatSurface = false;
    showModelInForm(*m, in);
    EXPECT_TRUE(in.flatSurface);
    EXPECT_FALSE(in.heap);
    EXPECT_FALSE(in.surcharge);
    EXPECT_EQ(m->boeschwinkel, 0);
    EXPECT_EQ(m->Auflastspannung, 0);
    EXPECT_EQ(in.boeschwinkel, "0");
    EXPECT_EQ(in.surchargeStress, "0");
}

TEST(ShowModel, PositiveSurchargeChecksSurchargeButton) {
    auto m = defaultSilo();
    m->Auflastspannung = 12500.5;
    FormInput in;
    showModelInForm(*m, in);
    EXPECT_TRUE(in.surcharge);
    EXPECT_FALSE(in.flatSurface);
    EXPECT_EQ(in.surchargeStress, "12500.5");
}

TEST(ShowModel, HeapKeepsAngleAndSurcharge) {
    auto m = defaultSilo();
    m->Schuettkegel = true;
    m->boeschwinkel = degToRad(35);
    m->Auflastspannung = -5;
    FormInput in;
    showModelInForm(*m, in);
    EXPECT_TRUE(in.heap);
    EXPECT_FALSE(in.flatSurface);
    EXPECT_FALSE(in.surcharge);
    EXPECT_EQ(in.boeschwinkel, "35");
    EXPECT_EQ(m->Auflastspannung, -5);
    EXPECT_EQ(in.surchargeStress, "-5");
}

TEST(ShowModel, KChoices) {
    auto m = defaultSilo();
    FormInput in;
    in.kValue = "0.7";
    m->Kwahl = 0;
    m->Kwert = 0.9;
    showModelInForm(*m, in);
    EXPECT_TRUE(in.kFromFriction);
    EXPECT_FALSE(in.kFixed);
    EXPECT_FALSE(in.kOwnValue);
    EXPECT_EQ(in.kValue, "0.7");  // only the value choice writes the field

    m->Kwahl = 7;  // any other value is the value choice
    m->Kwert = 0.45678912345;
    showModelInForm(*m, in);
    EXPECT_FALSE(in.kFromFriction);
    EXPECT_TRUE(in.kOwnValue);
    EXPECT_EQ(in.kValue, "0.45678912");
}

TEST(ShowModel, StressStateAndDensityLawFromTheSwitches) {
    auto m = defaultSilo();
    FormInput in;
    m->setSpannungszustand(1);
    m->Rhokonstant = false;
    m->Rhofunktion = false;
    showModelInForm(*m, in);
    EXPECT_EQ(in.stressState, 1);
    EXPECT_TRUE(in.fittedDensity);
    EXPECT_FALSE(in.constantDensity);
    EXPECT_FALSE(in.densityFunction);

    // both switches alike: the radio group stays as it was
    m->Fuellzustand = m->Entleerungszustand = false;
    m->Rhokonstant = true;
    m->Rhofunktion = true;
    showModelInForm(*m, in);
    EXPECT_EQ(in.stressState, 1);
    EXPECT_TRUE(in.constantDensity);
    EXPECT_FALSE(in.densityFunction);
}

TEST(ShowModel, RawValuesAreShownWithEightDigits) {
    auto m = defaultSilo();
    m->Querschnitt = 1;
    m->Durchmesser = 14.4339953321423;
    m->Fuellhoehe = 1234567891.5;
    m->Trichterwinkel = degToRad(22.123456789);
    FormInput in;
    showModelInForm(*m, in);
    EXPECT_EQ(in.crossSection, 0);
    EXPECT_EQ(in.diameterOrWidth, "14.433995");
    EXPECT_EQ(in.fillHeight, "1.2345679E+09");
    EXPECT_EQ(in.hopperAngle, "22.123457");
}
