// The parameter form: edits the silo model's inputs, keeps a live
// sketch of the silo and its derived values, checks the values and takes
// them over into the model on OK.
#pragma once

#include <array>

#include <QDialog>
#include <QImage>

#include "calc/form_logic.h"
#include "ui/document/silodocument.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace korvane::ui {

class DensityWindow;
class RadioGroup;
class EnInputGroup;

// Paints the sketch result onto a W x H area: white, then the outline in
// black and the surface in red, or "Bad Data" centred.
void paintSketch(QPainter& p, int width, int height, const SketchResult& r);

// The widget that shows the silo sketch at the right of the form.
class SiloSketch : public QWidget {
public:
    explicit SiloSketch(QWidget* parent);
    void setResult(const SketchResult& r);
    const SketchResult& result() const { return result_; }
    QImage render() const;  // the sketch as it is shown

protected:
    void paintEvent(QPaintEvent*) override;

private:
    SketchResult result_;
};

// Edits the document it is given: its model, its density working copy, its
// change mark and pending problem.
class ParameterForm : public QDialog {
    Q_OBJECT
public:
    explicit ParameterForm(SiloDocument& document, QWidget* parent = nullptr);

    // Shows the form modally (for viewing only when `viewOnly`: no field
    // takes input and OK is off) and returns the dialog's result. Every
    // showing fills it from the document's model.
    int showModal(bool viewOnly = false);
    // The form is open for viewing only (until it is hidden again).
    bool viewOnly() const { return viewOnly_; }
    void setViewOnly(bool on) { viewOnly_ = on; }
    // Shown and no key typed yet (see justShown_).
    bool justShown() const { return justShown_; }
    // The form refuses its next close request (a value was wrong and the
    // user must correct it first).
    bool keepsOpen() const { return keepOpen_; }
    void setKeepOpen(bool keep) { keepOpen_ = keep; }
    SiloDocument& document() { return document_; }

    // Every showing: caption, the model in the controls, OK enabled unless
    // the form is open for viewing only.
    void activate();
    // Relabels the form in the current language and redraws the sketch; an
    // edit of a geometry field and the return from the density window run it.
    void refresh();
    // An option or a friction/density field changed: applies the option's
    // rule to the dependent controls and redraws the sketch.
    void onInputChanged(QObject* sender);
    // Puts the model's values into the controls.
    void showParameters();
    // The live check: derived values, flow pattern, K from PHIE and the
    // sketch of the values as they stand; sets the pending problem.
    void drawSketch();
    // Writes the controls' values into the model; sets the pending problem.
    void takeOverParameters();
    void okClicked();
    void cancel();
    // "Werte": the density window for the measured pairs of the fitted law.
    void editMeasuredValues();
    bool canClose();
    void finishClosing();
    void retranslate();

    // What the controls hold, as the logic reads it.
    FormInput formInput() const;

    void reject() override;  // Escape: Abbrechen
    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* e) override;
    void fitToScreen();
    void hideEvent(QHideEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    // The bulk density law the options choose.
    enum class DensityLaw { Constant, Function, Fitted };
    // How K (LAMBDA) is given.
    enum class KChoice { FromFriction, Fixed, Value };
    // What lies on the fill surface.
    enum class Surface { Flat, Heap, Surcharge };

    // The option rules: each enables the controls that its option makes
    // count and disables the others.
    void applyCrossSectionRule(bool rectangular);  // length and end wall
    void applyHopperRule(bool present);
    void applyShaftRule(bool present);
    void applyLowerPartRule(bool present);  // vertical part below the hopper
    void applySurfaceRule(Surface surface);
    void applyDensityRule(DensityLaw law);
    // RHOMIN, RHOMAX and SIGMA0 as the chosen density law has them.
    void showDensityFields();
    void applyKRule(KChoice choice);
    // All rules from the options as they are shown (the surface's only with
    // `withSurface`).
    void applyOptionRules(bool withSurface);

    void tryClose(int result);
    void markUserEdit();
    void sizeNumberFields();
    QSize contentSize() const;
    static QSize maximumFormSize();
    void setLongCaption(int language);
    QLineEdit* addNumberField(const char* name);
    QLabel* addOutputField(const char* name);

    // Stress state (filling / discharge) and cross-section (circle / rectangle).
    RadioGroup *stressStateGroup_, *crossSectionGroup_;
    // Bulk density: constant RHOMIN, the law from RHOMIN, RHOMAX and SIGMA0,
    // or a law fitted to measured pairs ("Werte").
    QRadioButton *constantDensityOption_, *densityFunctionOption_, *fittedDensityOption_;
    QLineEdit *rhoMinField_, *rhoMaxField_, *sigma0Field_;
    QPushButton* measuredValuesButton_;
    QLineEdit* internalFrictionField_;  // PHIE
    // K (LAMBDA): 1.2(1 - sin PHIE), 0.4, or a value typed in.
    QRadioButton *kFromFrictionOption_, *kFixedOption_, *kValueOption_;
    QLabel* kFromFrictionOutput_;  // K computed from PHIE
    QLineEdit* kValueField_;
    // The parts of the silo and their dimensions and wall frictions (PHIX).
    QCheckBox *shaftCheckBox_, *hopperCheckBox_, *lowerPartCheckBox_;
    QLineEdit *shaftHeightField_, *shaftWallFrictionField_, *diameterField_, *lengthField_,
        *hopperAngleField_, *outletWidthField_, *hopperWallFrictionField_, *endWallFrictionField_,
        *lowerPartHeightField_, *lowerPartWallFrictionField_;
    QLabel* flowPatternOutput_;  // mass flow or funnel flow in the discharge state
    // The fill surface: flat, a heap at its angle of repose, or a surcharge.
    QRadioButton *flatSurfaceOption_, *heapOption_, *surchargeOption_;
    QLineEdit *reposeAngleField_, *surchargeField_;
    QLineEdit* fillHeightField_;  // from the silo's bottom, heap included
    // Derived values: fill height without the heap, silo and hopper height,
    // net volume of the bulk solid and gross volume of the silo.
    QLabel *fillHeightWithoutHeapOutput_, *siloHeightOutput_, *hopperHeightOutput_,
        *netVolumeOutput_, *grossVolumeOutput_;
    SiloSketch* sketch_;
    EnInputGroup* enGroup_;  // the inputs of the EN 1991-4 loads only
    QWidget* content_ = nullptr;         // everything above the buttons
    QScrollArea* scrollArea_ = nullptr;  // scrolls content_ on small screens
    QPushButton *okButton_, *cancelButton_;

    // The pending problem was found by the take-over on OK, not by the live
    // check: the next OK takes over again instead of repeating the message.
    bool problemFromTakeOver_ = false;
    // The change mark as it was when the form was shown; Abbrechen returns to it.
    bool modifiedWhenShown_ = false;
    // Open for viewing only: no field takes input.
    bool viewOnly_ = false;
    // The form has just been shown and no key was typed yet, so the first
    // key in a field replaces its text instead of appending to it.
    bool justShown_ = true;
    // The next close request is refused (see keepsOpen()).
    bool keepOpen_ = false;
    SiloDocument& document_;              // the silo being edited
    DensityWindow* densityWindow_ = nullptr;  // "Werte", made at its first use
    // The density fields show the fitted law; the texts of the density
    // function (RHOMIN, RHOMAX, SIGMA0) are kept here meanwhile.
    bool fieldsShowFit_ = false;
    std::array<QString, 3> densityFunctionTexts_;

    // Group boxes and captions that retranslate() relabels.
    QGroupBox *densityBox_, *frictionBox_, *kBox_, *shaftBox_, *crossSectionSizeBox_, *hopperBox_,
        *lowerPartBox_, *surfaceBox_, *fillHeightBox_, *derivedValuesBox_;
    QLabel *shaftHeightLabel_, *diameterLabel_, *lengthLabel_, *hopperAngleLabel_,
        *outletWidthLabel_, *endWallFrictionLabel_, *lowerPartHeightLabel_, *reposeAngleLabel_,
        *fillHeightLabel_, *fillHeightWithoutHeapLabel_, *siloHeightLabel_, *hopperHeightLabel_,
        *netVolumeLabel_, *grossVolumeLabel_;
};

}  // namespace korvane::ui
