// The parameter form driven like a user: keys into the edits, clicks on the
// options, OK / Abbrechen / the close box, captions, the live sketch.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "calc/engine.h"
#include "files/parameter_file.h"
#include "ui/density/densitywindow.h"
#include "ui/density/radiogroup.h"
#include "ui/main/appstate.h"
#include "ui/main/display_logic.h"
#include "ui/main/platform.h"
#include "ui/parameters/parameterform.h"
#include "ui/texts/texts.h"
#include "form_test_support.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

const QString kGerman = QString::fromUtf8("Parameter      [Aktuelle Parameterdatei: ");

class ParameterFormTest : public test_support::ParameterFormFixture {
protected:
    // Replaces a field's text by typing, as a user does.
    void retype(const char* name, const QString& keys) {
        QLineEdit* e = edit(name);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, keys);
    }
    // OK with a problem pending: the box answers OK without showing.
    QString okMessage() {
        platform::shownMessages().clear();
        platform::setNextAnswer(true);
        click(get<QPushButton>("okButton"));
        platform::clearNextAnswer();
        return platform::shownMessages().isEmpty() ? QString() : platform::shownMessages().last();
    }
};

}  // namespace

TEST_F(ParameterFormTest, ShowsTheModel) {
    open();
    EXPECT_EQ(form->objectName(), "parameterForm");
    EXPECT_EQ(edit("diameterField")->text(), "6");
    EXPECT_EQ(edit("shaftHeightField")->text(), "6");
    EXPECT_EQ(edit("fillHeightField")->text(), "9");
    EXPECT_EQ(edit("hopperAngleField")->text(), "30");
    EXPECT_EQ(edit("internalFrictionField")->text(), "40");
    EXPECT_EQ(edit("sigma0Field")->text(), "50000");
    EXPECT_TRUE(get<QRadioButton>("densityFunctionOption")->isChecked());
    EXPECT_TRUE(get<QRadioButton>("kFixedOption")->isChecked());
    EXPECT_TRUE(get<QRadioButton>("flatSurfaceOption")->isChecked());
    EXPECT_EQ(get<RadioGroup>("crossSectionGroup")->itemIndex(), 1);  // rectangular
    EXPECT_EQ(form->windowTitle(), "Parameter");
    // Enable states match the options shown.
    EXPECT_FALSE(edit("surchargeField")->isEnabled());
    EXPECT_FALSE(edit("reposeAngleField")->isEnabled());
    EXPECT_FALSE(edit("lowerPartHeightField")->isEnabled());
    EXPECT_TRUE(edit("rhoMaxField")->isEnabled());
    EXPECT_FALSE(get<QPushButton>("measuredValuesButton")->isEnabled());
    EXPECT_FALSE(edit("kValueField")->isEnabled());
    // Derived values of the default silo: 6 m shaft over a 30 degree hopper.
    EXPECT_FALSE(get<QLabel>("siloHeightOutput")->text().isEmpty());
    EXPECT_FALSE(doc->modified);
    EXPECT_EQ(doc->pendingProblem, 0);
}

TEST_F(ParameterFormTest, CommaBecomesPointMinusAndLettersDoNothing) {
    open();
    retype("fillHeightField", "7,5");
    EXPECT_EQ(edit("fillHeightField")->text(), "7.5");
    QTest::keyClicks(edit("fillHeightField"), "-xE+");
    EXPECT_EQ(edit("fillHeightField")->text(), "7.5");
    retype("internalFrictionField", "3a5");
    EXPECT_EQ(edit("internalFrictionField")->text(), "35");
    EXPECT_FALSE(form->justShown());
    EXPECT_TRUE(doc->modified);
}

TEST_F(ParameterFormTest, OptionsBeforeAnyKeyKeepParametersUnchanged) {
    open();
    click(get<RadioGroup>("crossSectionGroup")->item(0));
    click(get<QRadioButton>("heapOption"));
    click(get<QCheckBox>("lowerPartCheckBox"));
    EXPECT_FALSE(doc->modified);
    EXPECT_TRUE(edit("reposeAngleField")->isEnabled());
    EXPECT_FALSE(edit("lengthField")->isEnabled());
    EXPECT_TRUE(edit("lowerPartHeightField")->isEnabled());
    // The first key typed ends that: the next option change marks a change.
    QTest::keyClick(edit("fillHeightField"), Qt::Key_End);  // no character: does not count
    EXPECT_TRUE(form->justShown());
    QTest::keyClicks(edit("fillHeightField"), "0");
    click(get<RadioGroup>("crossSectionGroup")->item(1));
    EXPECT_TRUE(doc->modified);
    EXPECT_TRUE(edit("lengthField")->isEnabled());
}

TEST_F(ParameterFormTest, AtLeastOneOfShaftAndHopperStays) {
    open();
    auto* shaft = get<QCheckBox>("shaftCheckBox");
    auto* hopper = get<QCheckBox>("hopperCheckBox");
    click(shaft);
    EXPECT_FALSE(shaft->isChecked());
    EXPECT_FALSE(edit("shaftHeightField")->isEnabled());
    click(hopper);  // unchecking the hopper brings the shaft back
    EXPECT_FALSE(hopper->isChecked());
    EXPECT_TRUE(shaft->isChecked());
    click(shaft);  // and unchecking the shaft brings the hopper back
    EXPECT_FALSE(shaft->isChecked());
    EXPECT_TRUE(hopper->isChecked());
}

TEST_F(ParameterFormTest, UncheckingTheHopperUnchecksAndDisablesThePartBelow) {
    open();
    auto* lowerPart = get<QCheckBox>("lowerPartCheckBox");
    click(lowerPart);
    ASSERT_TRUE(lowerPart->isChecked());
    EXPECT_TRUE(edit("lowerPartHeightField")->isEnabled());
    click(get<QCheckBox>("hopperCheckBox"));
    EXPECT_FALSE(lowerPart->isChecked());
    EXPECT_FALSE(lowerPart->isEnabled());
    EXPECT_FALSE(edit("lowerPartHeightField")->isEnabled());
    EXPECT_FALSE(edit("lowerPartWallFrictionField")->isEnabled());
    EXPECT_FALSE(edit("hopperAngleField")->isEnabled());
    EXPECT_TRUE(get<QLabel>("flowPatternOutput")->text().isEmpty());
}

TEST_F(ParameterFormTest, Problem3FillAboveTheSilo) {
    open();
    retype("fillHeightField", "100");
    EXPECT_EQ(doc->pendingProblem, 3);
    const double before = doc->model.Fuellhoehe;
    EXPECT_EQ(okMessage(), QString::fromUtf8("Füllhöhe höher als Silooberkante."));
    EXPECT_TRUE(form->isVisible());
    EXPECT_DOUBLE_EQ(doc->model.Fuellhoehe, before);
    EXPECT_TRUE(get<SiloSketch>("sketch")->result().badData);
}

TEST_F(ParameterFormTest, Problem6DensityLaw) {
    open();
    retype("sigma0Field", "0");
    EXPECT_EQ(okMessage(),
              QString::fromUtf8("Ungültige Parameter zur Berechnung der Schüttgutdichte rhob!"));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(ParameterFormTest, Problem9HopperAngleAndTinySilo) {
    open();
    retype("hopperAngleField", "90");
    EXPECT_EQ(okMessage(), QString::fromUtf8("Ungültige Siloform!"));
    retype("hopperAngleField", "30");
    EXPECT_EQ(doc->pendingProblem, 0);
    // Shaft only, with no height: a silo below 0.01 m is a geometry problem.
    click(get<QCheckBox>("hopperCheckBox"));
    retype("shaftHeightField", "0");
    EXPECT_EQ(doc->pendingProblem, 9);
    EXPECT_EQ(okMessage(), QString::fromUtf8("Ungültige Siloform!"));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(ParameterFormTest, Problem10Friction) {
    open();
    retype("hopperWallFrictionField", "45");  // above PHIE = 40
    EXPECT_EQ(okMessage(), QString::fromUtf8("Ungültige Werte von PHIX und/oder PHIE."));
    retype("hopperWallFrictionField", "40");
    EXPECT_EQ(doc->pendingProblem, 0);
}

TEST_F(ParameterFormTest, Problem13KIsReportedAtOnce) {
    open();
    click(get<QRadioButton>("kValueOption"));
    ASSERT_TRUE(edit("kValueField")->isEnabled());
    retype("kValueField", "0");
    EXPECT_EQ(doc->pendingProblem, 0);  // the live check knows nothing of K
    EXPECT_EQ(okMessage(), QString::fromUtf8("K muss größer Null sein."));
    EXPECT_TRUE(form->isVisible());
    // Corrected, OK takes the value over and closes.
    retype("kValueField", "0.5");
    QTest::mouseClick(edit("kValueField"), Qt::LeftButton);  // its click re-runs the check
    click(get<QPushButton>("okButton"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(doc->model.Kwahl, 2);
    EXPECT_DOUBLE_EQ(doc->model.Kwert, 0.5);
}

TEST_F(ParameterFormTest, RefusedTakeOverLeavesTheModelAsItWas) {
    open();
    retype("fillHeightField", "10");
    click(get<QRadioButton>("kValueOption"));
    retype("kValueField", "0");
    EXPECT_EQ(okMessage(), QString::fromUtf8("K muss größer Null sein."));
    ASSERT_TRUE(form->isVisible());
    // Nothing of the refused set reached the model: not the fill height read
    // before K, not the K choice.
    const SiloModel& m = doc->model;
    EXPECT_DOUBLE_EQ(m.Fuellhoehe, 9);
    EXPECT_EQ(m.Kwahl, 1);
    EXPECT_DOUBLE_EQ(m.Kwert, 0.4);
    // Leaving with Abbrechen hands the calculation the old set, whole.
    click(get<QPushButton>("cancelButton"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_DOUBLE_EQ(m.Fuellhoehe, 9);
    EXPECT_EQ(m.Kwahl, 1);
}

TEST_F(ParameterFormTest, KCorrectedByKeysAloneIsTakenOver) {
    open();
    click(get<QRadioButton>("kValueOption"));
    retype("kValueField", "0");
    EXPECT_EQ(okMessage(), QString::fromUtf8("K muss größer Null sein."));
    // Typing in the K field redraws nothing; OK judges the new value.
    retype("kValueField", "0.45");
    EXPECT_EQ(okMessage(), QString());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(doc->model.Kwahl, 2);
    EXPECT_DOUBLE_EQ(doc->model.Kwert, 0.45);
}

TEST_F(ParameterFormTest, AbbrechenKeepsTheMarkOfAnEarlierChange) {
    // Parameters changed and taken over earlier, not saved since.
    doc->parameterFile = "/p/a.par";
    doc->modified = true;
    open();
    retype("fillHeightField", "8");
    click(get<QPushButton>("cancelButton"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(doc->modified);
    EXPECT_DOUBLE_EQ(doc->model.Fuellhoehe, 9);
    // Unchanged at showing: Abbrechen leaves it unchanged.
    doc->modified = false;
    open();
    retype("fillHeightField", "8");
    EXPECT_TRUE(doc->modified);
    click(get<QPushButton>("cancelButton"));
    EXPECT_FALSE(doc->modified);
}

TEST_F(ParameterFormTest, Problem20AngleOfRepose) {
    open();
    click(get<QRadioButton>("heapOption"));
    retype("reposeAngleField", "89.5");
    EXPECT_EQ(okMessage(), QString::fromUtf8("Ungültiger Wert für Böschungswinkel."));
    retype("reposeAngleField", "25");
    EXPECT_EQ(doc->pendingProblem, 0);
}

TEST_F(ParameterFormTest, Problem21MissingPairs) {
    open();
    click(get<QRadioButton>("fittedDensityOption"));
    EXPECT_TRUE(get<QPushButton>("measuredValuesButton")->isEnabled());
    EXPECT_FALSE(edit("rhoMinField")->isEnabled());
    EXPECT_EQ(okMessage(),
              QString::fromUtf8("Fehlende Wertepaare für Dichte-Spannungs-Funktion."));
    EXPECT_EQ(doc->model.Messanzahl, 0);
}

TEST_F(ParameterFormTest, EnglishProblemText) {
    texts::setLanguage(1);
    open();
    retype("fillHeightField", "100");
    EXPECT_EQ(okMessage(), "Filling height > silo height.");
}

TEST_F(ParameterFormTest, OkTakesOverAndCloses) {
    open();
    retype("fillHeightField", "10");
    click(get<RadioGroup>("stressStateGroup")->item(1));
    click(get<QPushButton>("okButton"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(doc->model.Fuellhoehe, 10);
    EXPECT_TRUE(doc->model.Entleerungszustand);
    EXPECT_FALSE(doc->model.Erststart);
    EXPECT_EQ(doc->model.Schrittzahl, 1000);
}

TEST_F(ParameterFormTest, CircularSiloIgnoresItsLength) {
    open();
    retype("lengthField", "0");
    EXPECT_EQ(doc->pendingProblem, 9);  // a rectangle needs a length
    click(get<RadioGroup>("crossSectionGroup")->item(0));
    EXPECT_FALSE(edit("lengthField")->isEnabled());
    EXPECT_EQ(doc->pendingProblem, 0);  // a circle has none
    EXPECT_FALSE(get<SiloSketch>("sketch")->result().badData);
    click(get<QPushButton>("okButton"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(doc->model.Querschnitt, 1);
}

TEST_F(ParameterFormTest, TextsThatAreNoNumbersRaiseNothing) {
    open();
    retype("fillHeightField", "");
    EXPECT_EQ(doc->pendingProblem, 9);  // fill height 0
    retype("fillHeightField", ".");
    EXPECT_EQ(doc->pendingProblem, 9);
    retype("fillHeightField", "1..2");
    EXPECT_NE(doc->pendingProblem, 3);
}

TEST_F(ParameterFormTest, ViewOnly) {
    form->setViewOnly(true);
    open();
    auto* ok = get<QPushButton>("okButton");
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(form->focusWidget(), get<QPushButton>("cancelButton"));
    retype("fillHeightField", "10");
    form->okClicked();  // OK, if triggered, only closes
    EXPECT_FALSE(form->isVisible());
    EXPECT_DOUBLE_EQ(doc->model.Fuellhoehe, 9);
    EXPECT_FALSE(form->viewOnly());
}

TEST_F(ParameterFormTest, CloseQueryKeepsAChangedFormWithAProblemOpen) {
    open();
    retype("fillHeightField", "100");
    platform::setNextAnswer(true);  // the box that says why
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    // Escape is Abbrechen: clears the change mark and closes.
    QTest::keyClick(edit("fillHeightField"), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(doc->modified);
    EXPECT_DOUBLE_EQ(doc->model.Fuellhoehe, 9);
}

TEST_F(ParameterFormTest, OkWithAProblemThenAbbrechenClosesAtOnce) {
    open();
    retype("fillHeightField", "100");
    okMessage();
    EXPECT_FALSE(form->keepsOpen());  // consumed by the refused close
    click(get<QPushButton>("cancelButton"));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(ParameterFormTest, CloseBoxClosesAnUnchangedForm) {
    open();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(ParameterFormTest, CaptionWithFileAndChangeMarkGerman) {
    doc->parameterFile = "/data/Par/silo1.par";
    open();
    EXPECT_EQ(form->windowTitle(), "Parameter");
    retype("fillHeightField", "8");
    EXPECT_EQ(form->windowTitle(),
              kGerman + "/data/Par/silo1.par]" + "    " + QString::fromUtf8("Geändert!"));
}

TEST_F(ParameterFormTest, CaptionWithFileAndChangeMarkEnglish) {
    texts::setLanguage(1);
    doc->parameterFile = "/data/Par/silo1.par";
    open();
    EXPECT_EQ(form->windowTitle(), "Parameters");
    EXPECT_EQ(get<QPushButton>("cancelButton")->text(), "CANCEL");
    retype("fillHeightField", "8");
    EXPECT_EQ(form->windowTitle(),
              "Parameter      [parameter file: /data/Par/silo1.par]    Data modified!");
}

TEST_F(ParameterFormTest, CaptionShownChangedAfterLoad) {
    doc->parameterFile = "/p/a.par";
    doc->modified = true;
    open();
    EXPECT_EQ(form->windowTitle(), kGerman + "/p/a.par]    " + QString::fromUtf8("Geändert!"));
}

TEST_F(ParameterFormTest, SketchScaleExample) {
    // A silo 6 m wide and 20 m high in the 247 x 400 image: 16 px per metre.
    SiloModel& m = doc->model;
    m.Trichterja = false;
    m.Schaftja = true;
    m.Hschaft = 20;
    m.Fuellhoehe = 10;
    open();
    auto* img = get<SiloSketch>("sketch");
    ASSERT_EQ(img->size(), QSize(247, 400));
    const SketchResult& r = img->result();
    ASSERT_FALSE(r.badData);
    EXPECT_DOUBLE_EQ(r.scale, 16);
    EXPECT_DOUBLE_EQ(r.yBase, 360);
    const QImage pic = img->render();
    const int mid = 123;
    EXPECT_EQ(pic.pixel(mid, 360), qRgb(0, 0, 0));         // bottom of the outline
    EXPECT_EQ(pic.pixel(mid, 40), qRgb(0, 0, 0));          // top at 20 m
    EXPECT_EQ(pic.pixel(mid, 200), qRgb(255, 0, 0));       // surface at 10 m
    EXPECT_EQ(pic.pixel(mid, 300), qRgb(255, 255, 255));   // inside: white
    EXPECT_EQ(pic.pixel(mid - 3 * 16 + 1, 250), qRgb(0, 0, 0)) << "left wall";
    EXPECT_EQ(pic.pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_EQ(get<QLabel>("siloHeightOutput")->text(), "20");
    EXPECT_EQ(get<QLabel>("fillHeightWithoutHeapOutput")->text(), "10");
}

TEST_F(ParameterFormTest, FieldsStayInPlaceWhileTheDerivedValuesChange) {
    open();
    QCoreApplication::processEvents();
    const QRect before = edit("fillHeightField")->geometry();
    const QRect sketchBefore = get<SiloSketch>("sketch")->geometry();
    // A heap gives the fill height without it 8 digits instead of "9".
    click(get<QRadioButton>("heapOption"));
    retype("reposeAngleField", "30");
    QCoreApplication::processEvents();
    ASSERT_EQ(get<QLabel>("fillHeightWithoutHeapOutput")->text().size(), 9);
    EXPECT_EQ(edit("fillHeightField")->geometry(), before);
    EXPECT_EQ(get<SiloSketch>("sketch")->geometry(), sketchBefore);
}

TEST_F(ParameterFormTest, BadDataDrawsOnlyTheText) {
    open();
    retype("fillHeightField", "100");
    const QImage pic = get<SiloSketch>("sketch")->render();
    int dark = 0, red = 0, topDark = 0;
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x) {
            const QRgb c = pic.pixel(x, y);
            if (qRed(c) > 200 && qGreen(c) < 80) ++red;
            if (qGray(c) < 100) {
                ++dark;
                if (y < pic.height() / 2) ++topDark;
            }
        }
    EXPECT_GT(dark, 20);    // the text is there
    EXPECT_EQ(red, 0);      // no surface line
    EXPECT_EQ(topDark, 0);  // text starts at half the height
}

TEST_F(ParameterFormTest, FittedLawOfALoadedFileIsConfirmedWithoutMissingPairs) {
    SiloModel& m = doc->model;
    m.Rhokonstant = false;
    m.Rhofunktion = false;
    m.Messanzahl = 2;
    m.Messsigma[1] = 1000;
    m.Messrho[1] = 1500;
    m.Messsigma[2] = 3000;
    m.Messrho[2] = 1600;
    m.Anpassart = 0;
    m.AnpassA = 1450;
    m.AnpassB = 0.05;
    open();
    EXPECT_TRUE(get<QRadioButton>("fittedDensityOption")->isChecked());
    EXPECT_EQ(doc->workingCopy.Messpunktzahl, 2);
    EXPECT_EQ(doc->pendingProblem, 0);
    click(get<QPushButton>("okButton"));
    EXPECT_TRUE(platform::shownMessages().isEmpty());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(doc->model.Messanzahl, 2);
    EXPECT_DOUBLE_EQ(doc->model.AnpassB, 0.05);
}

TEST_F(ParameterFormTest, ShowingWithoutSurfaceClearsSurchargeAndRepose) {
    SiloModel& m = doc->model;
    m.Auflastspannung = -5;
    m.boeschwinkel = 0.3;
    open();
    EXPECT_TRUE(get<QRadioButton>("flatSurfaceOption")->isChecked());
    EXPECT_DOUBLE_EQ(doc->model.Auflastspannung, 0);
    EXPECT_DOUBLE_EQ(doc->model.boeschwinkel, 0);
}

TEST_F(ParameterFormTest, MassFlowLabelInTheDischargeState) {
    SiloModel& m = doc->model;
    m.setSpannungszustand(1);
    open();
    const QString t = get<QLabel>("flowPatternOutput")->text();
    EXPECT_TRUE(t == "MF" || t == "KF") << t.toStdString();
    click(get<RadioGroup>("stressStateGroup")->item(0));
    EXPECT_EQ(get<QLabel>("flowPatternOutput")->text(), " ");
}

TEST_F(ParameterFormTest, WerteOpensTheDensityWindowAndMarksAChange) {
    open();
    click(get<QRadioButton>("fittedDensityOption"));
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* w = QApplication::activeModalWidget();
        seen = w && w->objectName() == "densityWindow";
        if (w) QTest::keyClick(w, Qt::Key_Escape);
    });
    click(get<QPushButton>("measuredValuesButton"));
    EXPECT_TRUE(seen);
    EXPECT_TRUE(doc->modified);
    EXPECT_FALSE(form->justShown());
}

TEST_F(ParameterFormTest, ModalShowingReturnsAfterOk) {
    QTimer::singleShot(0, [&] {
        if (auto* b = form->findChild<QPushButton*>("okButton")) b->click();
    });
    EXPECT_EQ(form->showModal(), QDialog::Accepted);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(ParameterFormTest, PairsEditedThroughWerteReachTheModelOnOk) {
    SiloModel& m = doc->model;
    m.Rhokonstant = false;
    m.Rhofunktion = false;
    m.Messanzahl = 2;
    m.Messsigma[1] = 1000;
    m.Messrho[1] = 1500;
    m.Messsigma[2] = 3000;
    m.Messrho[2] = 1600;
    open();
    QTimer::singleShot(0, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        auto* grid = w->findChild<QTableWidget*>("measurementGrid");
        grid->item(2, 1)->setText("8000");
        grid->item(2, 2)->setText("1700");
        w->findChild<QPushButton*>("testButton")->click();
        w->findChild<QPushButton*>("okButton")->click();
    });
    click(get<QPushButton>("measuredValuesButton"));
    // The activation after the density window keeps the edited working copy.
    EXPECT_EQ(doc->workingCopy.Messpunktzahl, 3);
    EXPECT_EQ(doc->pendingProblem, 0);
    click(get<QPushButton>("okButton"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(doc->model.Messanzahl, 3);
    EXPECT_DOUBLE_EQ(doc->model.Messsigma[3], 8000);
}

// With the fitted law the greyed RHOMIN, RHOMAX and SIGMA0 show the law
// that is calculated and saved: at the showing, after a new fit in the
// density window, and in the file written after OK; the density function's
// own values come back with its option and are kept in the file.
TEST_F(ParameterFormTest, GreyedDensityFieldsShowTheFittedLawThatIsSaved) {
    const std::string examples = KORVANE_TEST_DATA "/../../examples/Par/";
    FileError err;
    ASSERT_TRUE(readParameterFile(doc->model, examples + "Getreide_Dichtekurve.par", err));
    ASSERT_EQ(doc->model.Dichtemodus(), 2);
    ASSERT_EQ(doc->model.Anpassart, 2);
    auto fields = [&] {
        return QStringList{edit("rhoMinField")->text(), edit("rhoMaxField")->text(),
                           edit("sigma0Field")->text()};
    };
    auto general8 = [](double v) { return QString::fromStdString(formatGeneral8(v)); };
    open();
    EXPECT_EQ(fields(), (QStringList{general8(doc->model.AnpassRHOMIN),
                                     general8(doc->model.AnpassRHOMAX),
                                     general8(doc->model.AnpassSIGMA0)}));
    // A new fit: the lightest pair made lighter still.
    QTimer::singleShot(0, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        w->findChild<QTableWidget*>("measurementGrid")->item(0, 2)->setText("700");
        w->findChild<QPushButton*>("testButton")->click();
        w->findChild<QPushButton*>("okButton")->click();
    });
    click(get<QPushButton>("measuredValuesButton"));
    const QStringList afterFit = fields();
    EXPECT_NE(afterFit[0], "760");
    EXPECT_EQ(afterFit[0], general8(doc->workingCopy.MessRHOMIN));
    for (const QString& t : afterFit) EXPECT_FALSE(t.isEmpty());

    click(get<QPushButton>("okButton"));
    ASSERT_FALSE(form->isVisible());
    const std::string path = QDir::temp().filePath("korvane_fitted_fields.par").toStdString();
    ASSERT_TRUE(writeParameterFile(doc->model, path, err));
    SiloModel saved;
    ASSERT_TRUE(readParameterFile(saved, path, err));
    std::remove(path.c_str());
    EXPECT_EQ(afterFit, (QStringList{general8(saved.AnpassRHOMIN), general8(saved.AnpassRHOMAX),
                                     general8(saved.AnpassSIGMA0)}));
    EXPECT_DOUBLE_EQ(saved.RHOMIN, 760);  // the density function's, kept aside
    open();
    EXPECT_EQ(fields(), afterFit);
    click(get<QRadioButton>("densityFunctionOption"));
    EXPECT_EQ(fields(), (QStringList{"760", "830", "40000"}));
}

TEST(ParameterFormScaling, SketchAndFontFollowTheScreenFactor) {
    // A desktop large enough for the scaled form.
    const platform::ScreenInfo wide{QRect(0, 0, 2560, 1600), QRect(0, 0, 2560, 1560)};
    platform::setScreenOverride(&wide);
    app() = AppState{};
    auto silo = std::make_unique<SiloDocument>();
    const int basePt = ParameterForm(*silo).font().pointSize();
    app().screenScale = 1.5;
    ParameterForm big(*silo);
    auto* img = big.findChild<SiloSketch*>("sketch");
    ASSERT_TRUE(img);
    EXPECT_EQ(img->size(), QSize(371, 600));
    EXPECT_NEAR(big.font().pointSizeF(), basePt * 1.5, 0.6);
    app() = AppState{};
    platform::setScreenOverride(nullptr);
}

TEST(ParameterFormScaling, FormFitsASmallDesktop) {
    // 1280 x 1024 gives the screen factor 1.6; the grown form must still fit.
    const platform::ScreenInfo screen{QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 984)};
    platform::setScreenOverride(&screen);
    app() = AppState{};
    app().screenScale = 1.6;
    auto silo = std::make_unique<SiloDocument>();
    ParameterForm form(*silo);
    EXPECT_LE(form.sizeHint().width(), 1280);
    EXPECT_LE(form.sizeHint().height(), 984);
    // Everything shrank together: the sketch keeps its proportions and the
    // text stays readable.
    const QSize sketch = form.findChild<SiloSketch*>("sketch")->size();
    EXPECT_LT(sketch.height(), 640);
    EXPECT_NEAR(double(sketch.width()) / sketch.height(), 247.0 / 400.0, 0.01);
    EXPECT_GE(form.font().pointSizeF(), QApplication::font().pointSizeF() * 0.9);
    app() = AppState{};
    platform::setScreenOverride(nullptr);
}

// In German (the longer texts) at 1024 x 768 the whole form fits without a
// scroll bar; 1920 x 1080 at scale 2 leaves 960 x 540 pixels, where it may
// scroll up and down, never sideways.
TEST(ParameterFormScaling, FormFitsSmallDesktopsInGerman) {
    struct Case {
        QRect screen, available;
        bool fitsWhole;
    };
    for (const Case& c : {Case{QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 728), true},
                          Case{QRect(0, 0, 960, 540), QRect(0, 0, 960, 520), false}}) {
        SCOPED_TRACE(c.screen.width());
        const platform::ScreenInfo screen{c.screen, c.available};
        platform::setScreenOverride(&screen);
        app() = AppState{};
        app().screenScale = computeScreenFactors(screen.geometry, screen.available).screenScale;
        texts::setLanguage(0);
        auto silo = std::make_unique<SiloDocument>();
        ParameterForm form(*silo);
        form.activate();
        const QSize hint = form.sizeHint();
        EXPECT_LE(hint.width(), c.available.width());
        EXPECT_LE(hint.height(), c.available.height());
        const QSize content = form.findChild<QWidget*>("formContent")->sizeHint();
        EXPECT_LE(content.width() + 16, hint.width());
        // The whole content, sketch included, fits the form: no scroll bar.
        if (c.fitsWhole) {
            EXPECT_LE(content.height() + 16, hint.height());
        }
        app() = AppState{};
        platform::setScreenOverride(nullptr);
    }
}
