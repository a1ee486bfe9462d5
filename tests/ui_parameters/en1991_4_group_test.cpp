// The parameter form's EN 1991-4 group: its values go into the model with OK,
// come back when the form is shown again, and a factor below 1 keeps the form open.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "calc/en1991_4.h"
#include "calc/engine.h"
#include "form_test_support.h"
#include "ui/texts/en1991_4_texts.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

class EnGroupTest : public test_support::ParameterFormFixture {
protected:
    void retype(const char* name, const QString& keys) {
        QLineEdit* e = edit(name);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        if (!keys.isEmpty()) QTest::keyClicks(e, keys);
    }
};

}  // namespace

TEST_F(EnGroupTest, ValuesGoThroughOkAndComeBack) {
    struct Case {
        const char *aK, *aMu, *aPhi, *phir;
        bool dynamic;
        double K, mu, phi;
        bool phirGiven;
        double phirDeg;
    };
    const Case cases[] = {
        {"1.2", "1,1", "1.05", "32.5", true, 1.2, 1.1, 1.05, true, 32.5},
        {"1", "1", "1", "", false, 1.0, 1.0, 1.0, false, 0.0},  // empty phi_r: PHIE
    };
    for (const Case& c : cases) {
        open();
        // A fresh model shows the defaults: factors 1, no dynamic solid, phi_r = PHIE.
        retype("enAKField", c.aK);
        retype("enAMuField", c.aMu);
        retype("enAPhiField", c.aPhi);
        retype("enReposeAngleField", c.phir);
        QCheckBox* dynamic = get<QCheckBox>("enDynamicSolidBox");
        if (dynamic->isChecked() != c.dynamic) click(dynamic);
        click(get<QPushButton>("okButton"));
        ASSERT_FALSE(form->isVisible()) << c.aK;
        const SiloModel& m = doc->model;
        EXPECT_DOUBLE_EQ(m.ENaK, c.K);
        EXPECT_DOUBLE_EQ(m.ENamu, c.mu);
        EXPECT_DOUBLE_EQ(m.ENaphi, c.phi);
        EXPECT_EQ(m.ENdynamisch, c.dynamic);
        EXPECT_EQ(m.ENphirja, c.phirGiven);
        if (c.phirGiven) { EXPECT_NEAR(radToDeg(m.ENphir), c.phirDeg, 1e-12); }
        EXPECT_TRUE(doc->modified);

        // Shown again, the form holds what OK took over.
        open();
        EXPECT_EQ(edit("enAKField")->text().toDouble(), c.K);
        EXPECT_EQ(edit("enAMuField")->text().toDouble(), c.mu);
        EXPECT_EQ(get<QCheckBox>("enDynamicSolidBox")->isChecked(), c.dynamic);
        EXPECT_EQ(edit("enReposeAngleField")->text().isEmpty(), !c.phirGiven);
        form->cancel();
    }
}

TEST_F(EnGroupTest, FactorBelowOneIsSaidAndKeepsTheFormOpen) {
    open();
    retype("enAKField", "0.9");
    platform::shownMessages().clear();
    platform::setNextAnswer(true);
    click(get<QPushButton>("okButton"));
    platform::clearNextAnswer();
    EXPECT_TRUE(form->isVisible());
    ASSERT_FALSE(platform::shownMessages().isEmpty());
    EXPECT_TRUE(platform::shownMessages().last().contains(
        texts::T(texts::en1991_4::problemConversionFactor, 0)));
    EXPECT_DOUBLE_EQ(doc->model.ENaK, 1.0);  // the model keeps its value
}
