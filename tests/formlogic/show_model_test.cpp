// Showing the model in the parameter form: the controls it sets, the
// check-box rules that fire on the way, and its side effects on the model.
#include <gtest/gtest.h>

#include <memory>

#include "calc/engine.h"
#include "calc/form_logic.h"

using namespace korvane;

namespace {

std::unique_ptr<SiloModel> defaultModel() {
    auto m = std::make_unique<SiloModel>();
    resetToDefaults(*m);
    return m;
}

}  // namespace

TEST(ShowModel, DefaultSiloInAFreshForm) {
    auto m = defaultModel();
    FormInput in;
    showModelInForm(*m, in);
    EXPECT_EQ(in.RadioGroup4, 0);
    EXPECT_EQ(in.RadioGroup1, 1);
    EXPECT_TRUE(in.Rhofunkt);
    EXPECT_FALSE(in.Rhokonst);
    EXPECT_FALSE(in.Rhoanpass);
    EXPECT_EQ(in.Edit17, "2400");
    EXPECT_EQ(in.Edit18, "2800");
    EXPECT_EQ(in.Edit19, "50000");
    EXPECT_EQ(in.Edit15, "40");
    EXPECT_EQ(in.Phixschaft, "30");
    EXPECT_EQ(in.Phixtrichter, "30");
    EXPECT_EQ(in.Phixunten, "30");
    EXPECT_EQ(in.PHIXTrichterStirnwand, "30");
    EXPECT_EQ(in.Edit4, "6");
    EXPECT_EQ(in.Edit27, "6");
    EXPECT_EQ(in.Edit7, "1");
    EXPECT_EQ(in.Edit6, "30");
    EXPECT_EQ(in.Edit5, "9");
    EXPECT_EQ(in.Edit2, "6");
    EXPECT_TRUE(in.Schaftja);
    EXPECT_TRUE(in.Trichterja);
    EXPECT_FALSE(in.vertunten);
    EXPECT_EQ(in.Hunttricht, "0");
    EXPECT_TRUE(in.RadioButton1);
    EXPECT_FALSE(in.boeschungsw);
    EXPECT_FALSE(in.Auflast);
    EXPECT_FALSE(in.RadioButton5);
    EXPECT_TRUE(in.RadioButton6);
    EXPECT_FALSE(in.RadioButton7);
    EXPECT_EQ(in.Edit31, "");
}

TEST(ShowModel, NeitherShaftNorHopperBecomesHopperOnly) {
    auto m = defaultModel();
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
    auto m = defaultModel();
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
    auto m = defaultModel();
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
    auto m = defaultModel();
    m->Schaftja = false;
    FormInput in;
    in.Trichterja = false;  // an earlier showing of a shaft-only silo
    showModelInForm(*m, in);
    EXPECT_TRUE(in.Trichterja);
    EXPECT_FALSE(in.Schaftja);
}

TEST(ShowModel, NoPartBelowClearsItsHeightInTheModel) {
    auto m = defaultModel();
    m->vertunten = false;
    m->Hunttricht = 4.5;
    FormInput in;
    showModelInForm(*m, in);
    EXPECT_EQ(m->Hunttricht, 0);
    EXPECT_EQ(in.Hunttricht, "0");
}

TEST(ShowModel, FlatSurfaceClearsReposeAndNonPositiveSurcharge) {
    auto m = defaultModel();
    m->Schuettkegel = false;
    m->boeschwinkel = degToRad(35);
    m->Auflastspannung = -5;
    FormInput in;
    in.boeschungsw = true;
    in.RadioButton1 = false;
    showModelInForm(*m, in);
    EXPECT_TRUE(in.RadioButton1);
    EXPECT_FALSE(in.boeschungsw);
    EXPECT_FALSE(in.Auflast);
    EXPECT_EQ(m->boeschwinkel, 0);
    EXPECT_EQ(m->Auflastspannung, 0);
    EXPECT_EQ(in.boeschwinkel, "0");
    EXPECT_EQ(in.Edit1, "0");
}

TEST(ShowModel, PositiveSurchargeChecksSurchargeButton) {
    auto m = defaultModel();
    m->Auflastspannung = 12500.5;
    FormInput in;
    showModelInForm(*m, in);
    EXPECT_TRUE(in.Auflast);
    EXPECT_FALSE(in.RadioButton1);
    EXPECT_EQ(in.Edit1, "12500.5");
}

TEST(ShowModel, HeapKeepsAngleAndSurcharge) {
    auto m = defaultModel();
    m->Schuettkegel = true;
    m->boeschwinkel = degToRad(35);
    m->Auflastspannung = -5;
    FormInput in;
    showModelInForm(*m, in);
    EXPECT_TRUE(in.boeschungsw);
    EXPECT_FALSE(in.RadioButton1);
    EXPECT_FALSE(in.Auflast);
    EXPECT_EQ(in.boeschwinkel, "35");
    EXPECT_EQ(m->Auflastspannung, -5);
    EXPECT_EQ(in.Edit1, "-5");
}

TEST(ShowModel, KChoices) {
    auto m = defaultModel();
    FormInput in;
    in.Edit31 = "0.7";
    m->Kwahl = 0;
    m->Kwert = 0.9;
    showModelInForm(*m, in);
    EXPECT_TRUE(in.RadioButton5);
    EXPECT_FALSE(in.RadioButton6);
    EXPECT_FALSE(in.RadioButton7);
    EXPECT_EQ(in.Edit31, "0.7");  // only the value choice writes the field

    m->Kwahl = 7;  // any other value is the value choice
    m->Kwert = 0.45678912345;
    showModelInForm(*m, in);
    EXPECT_FALSE(in.RadioButton5);
    EXPECT_TRUE(in.RadioButton7);
    EXPECT_EQ(in.Edit31, "0.45678912");
}

TEST(ShowModel, StressStateAndDensityLawFromTheSwitches) {
    auto m = defaultModel();
    FormInput in;
    m->setSpannungszustand(1);
    m->Rhokonstant = false;
    m->Rhofunktion = false;
    showModelInForm(*m, in);
    EXPECT_EQ(in.RadioGroup4, 1);
    EXPECT_TRUE(in.Rhoanpass);
    EXPECT_FALSE(in.Rhokonst);
    EXPECT_FALSE(in.Rhofunkt);

    // both switches alike: the radio group stays as it was
    m->Fuellzustand = m->Entleerungszustand = false;
    m->Rhokonstant = true;
    m->Rhofunktion = true;
    showModelInForm(*m, in);
    EXPECT_EQ(in.RadioGroup4, 1);
    EXPECT_TRUE(in.Rhokonst);
    EXPECT_FALSE(in.Rhofunkt);
}

TEST(ShowModel, RawValuesAreShownWithEightDigits) {
    auto m = defaultModel();
    m->Querschnitt = 1;
    m->Durchmesser = 14.4339953321423;
    m->Fuellhoehe = 1234567891.5;
    m->Trichterwinkel = degToRad(22.123456789);
    FormInput in;
    showModelInForm(*m, in);
    EXPECT_EQ(in.RadioGroup1, 0);
    EXPECT_EQ(in.Edit4, "14.433995");
    EXPECT_EQ(in.Edit5, "1.2345679E+09");
    EXPECT_EQ(in.Edit6, "22.123457");
}
