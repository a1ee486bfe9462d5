// The parameter form's logic without widgets: the values its controls hold,
// showing the model in them, the live check that draws the silo sketch, and
// the take-over of the values into the model on OK.
#pragma once

#include <string>
#include <vector>

#include "calc/model.h"

namespace korvane {

// Problem codes of a parameter set (0 = none).
enum ProblemCode : int {
    kProblemNone = 0,
    kProblemFillAboveSilo = 3,
    kProblemDensity = 6,
    kProblemGeometry = 9,
    kProblemFriction = 10,
    kProblemK = 13,
    kProblemRepose = 20,
    kProblemMissingPairs = 21,
};

// The option states of the parameter form: its check boxes and radio buttons.
struct FormOptions {
    int stressState = 0;   // 0 filling, 1 discharge
    int crossSection = 1;  // 0 circular ("Kreis"), 1 rectangular ("Rechteck")
    // Bulk density: constant RHOMIN, the law from RHOMIN, RHOMAX and SIGMA0,
    // or the law fitted to measured pairs.
    bool constantDensity = true, densityFunction = false, fittedDensity = false;
    // K: 1.2 (1 - sin PHIE), the fixed 0.4, or the value typed in kValue.
    bool kFromFriction = false, kFixed = false, kOwnValue = false;
    // The silo's parts as in the model (Schaftja, Trichterja, vertunten).
    bool Schaftja = true;
    bool Trichterja = true;
    bool vertunten = false;
    // The fill surface: flat, a heap at the angle of repose, or a surcharge.
    bool flatSurface = true, heap = false, surcharge = false;
};

// What the parameter form's controls hold: the option states and the edit
// fields' texts.
struct FormInput : FormOptions {
    std::string rhoMin = "2400", rhoMax = "2800", sigma0 = "50000";
    std::string internalFriction = "40";  // PHIE
    std::string kValue;
    // The parts' dimensions and wall friction angles PHIX.
    std::string shaftHeight = "0";
    std::string Phixschaft = "30";
    std::string diameterOrWidth = "6", rectangleLength = "6";
    std::string hopperAngle = "30", outletWidth = "1.0";  // wall inclination, outlet size
    std::string Phixtrichter = "30", PHIXTrichterStirnwand = "30";
    std::string Hunttricht = "0", Phixunten = "30";
    std::string boeschwinkel = "0", surchargeStress = "0";  // angle of repose, surcharge [Pa]
    std::string fillHeight = "12";                          // from the bottom, heap included
};

// The numbers the edit fields stand for: each text of a FormInput as the
// form converts it (textToNumber). The checks and the take-over work on these.
struct FormNumbers {
    double rhoMin = 0, rhoMax = 0, sigma0 = 0, internalFriction = 0, kValue = 0;
    double shaftHeight = 0, Phixschaft = 0, diameterOrWidth = 0, rectangleLength = 0;
    double hopperAngle = 0, outletWidth = 0, Phixtrichter = 0, PHIXTrichterStirnwand = 0;
    double Hunttricht = 0, Phixunten = 0, boeschwinkel = 0, surchargeStress = 0, fillHeight = 0;
};
FormNumbers formNumbers(const FormInput& in);

// Text to number as the form converts it: a decimal number with a point. Any
// text that is not a number (empty, a lone point, two points, ...) gives a
// defined value and never an error: the longest leading valid number, else 0.
double textToNumber(const std::string& text);

// General format with 8 significant digits (at most 2 exponent digits), point
// as decimal separator: the number display of the parameter form.
std::string formatGeneral8(double value);
// The fill height to use: one above the silo height only by the form's
// 8-digit rounding is the full silo (the silo height); else unchanged.
double fillHeightInSilo(double fill, double siloHeight);

// The check-box rules of the form: at least one of shaft and hopper stays
// present, no section below without the hopper being ticked by a user.
// Showing the model in the form sets the controls one by one, and each change
// fires these rules as a click would. This reproduces that on `in` (the
// controls' previous contents) and applies the showing's side effects on the
// model (Hunttricht 0 without the part below, boeschwinkel 0 without heap,
// surcharge 0 when not positive).
void showModelInForm(SiloModel& m, FormInput& in);

// Result of the live check and sketch of the silo as entered in the form.
struct SketchLine {
    int x1, y1, x2, y2;
    bool red;  // surface and heap red, outline black
    bool dotted = false;
};
struct SketchResult {
    int code = 0;             // Parameterfehler after the check
    bool badData = false;     // draw "Bad Data" instead of the silo
    int drawingCase = 0;      // 1 shaft+hopper, 2 hopper only, 3 shaft only
    double scale = 0, xCentre = 0, yBase = 0;  // pixels per metre, axis, bottom line
    // In drawing order: outline (hopper, shaft, part below) black, then the
    // surface and heap red. Points are rounded to the nearest pixel.
    std::vector<SketchLine> lines;
    // "Berechnet:" texts (8 significant digits). When derivedValid is false
    // the check ended before them: the first four labels are emptied and
    // the fill height without heap keeps its last text.
    bool derivedValid = false;
    std::string hopperHeightText, siloHeightText, grossVolumeText, netVolumeText,
        fillHeightWithoutHeapText;
    std::string kFromFrictionText;  // K from PHIE when "1.2(1-sinPHIE)" is chosen, else empty
    // Mass-flow label: 0 leave, 1 "MF", 2 funnel flow ("KF"/"FF"), 3 " ", 4 emptied
    int flowLabel = 0;
    // The mass-flow check ran (discharge state, model with hopper): the limit
    // angle of the hopper wall in degrees and whether the hopper is steep
    // enough for mass flow, from the values as they stand.
    bool massFlowChecked = false;
    double massFlowAngleDeg = 0;  // Massenflusswinkel
    bool massFlow = false;        // Massenfluss
};
// Runs the sketch's checks on the form's values and computes the drawing for
// an image of the given size. Changes nothing: the mass-flow check's outcome
// (discharge state, model with hopper) comes back in the result.
SketchResult siloSketch(const SiloModel& m, const FormInput& in, const DensityWorkingCopy& w,
                        int imageWidth, int imageHeight);

// The take-over on OK: converts the controls' values, checks them and writes
// them with the derived geometry into the model. Returns the problem code;
// steps before a stopping problem stay written, as the form does. Values that
// no silo can have are refused: negative widths, heights and surcharges,
// angles outside their physical range, values whose derived geometry is not a
// finite number (code 9, friction 10, angle of repose 20), a density law that
// is not positive over the stresses of the silo (6), a K that is not positive
// or above the passive ratio (1 + sin PHIE) / (1 - sin PHIE) (13). A set that
// passes is calculated once on a copy; what passes gives finite results with
// positive densities and no negative stress, height, volume or contents.
// With `calculated` given (it may be `m` itself), a set that passes leaves
// that calculated model there, so that a caller need not calculate it again.
int takeOver(SiloModel& m, const FormInput& in, const DensityWorkingCopy& w,
             SiloModel* calculated = nullptr);

// The form's checks of many silos that each differ from one loaded model in
// a few values (the runs of a parameter study): checkLoadedModel for each,
// with the form shown with the loaded model once. Per silo only the fields
// whose value differs from the loaded model's are formatted to the form's
// eight digits and converted back; the sketch's checks run without drawing.
// The same problem code and the same model as checkLoadedModel with a fresh
// working copy, at a fraction of its cost. check() may be called from several
// threads at once.
class FormCheck {
public:
    explicit FormCheck(const SiloModel& loaded);
    int check(SiloModel& m) const;

private:
    FormNumbers shown_;    // the loaded model's values as the fields show them
    FormNumbers numbers_;  // and the numbers the fields' texts convert to
    bool kShown_ = false;  // the K field shows the loaded model's Kwert
    double freshK_ = 0;    // the number of a fresh form's empty K field
};

// Copy of the model's committed measurement set into the working copy
// (the form does it when shown with the fitted law).
void committedToWorkingCopy(const SiloModel& m, DensityWorkingCopy& w);

// What a user does who opens a parameter file and confirms the form
// unchanged with OK: show the model in a freshly created form (default
// controls), the working copy being the model's measured set, then the
// sketch's pending problem, else the take-over. Returns the problem code;
// `calculated` as for takeOver.
int confirmLoadedModel(SiloModel& m, DensityWorkingCopy& w, SiloModel* calculated = nullptr);
// As confirmLoadedModel, but a set that passes the value checks is not
// calculated: it is left as the take-over leaves it, ready for prepare() and
// calculate() (or a batch calculation).
int checkLoadedModel(SiloModel& m, DensityWorkingCopy& w);
// The verdict on a set that passed checkLoadedModel once it has been
// prepared and calculated (its summary is read, not its result slots):
// kProblemNone, or the code confirmLoadedModel would have given.
int calculatedSetProblem(const SiloModel& m);

// One row of the density window's grid as typed: the SIGMA and the RHOB cell.
struct MeasuredPairText {
    std::string sigma, rho;
};
// The density window's check of its grid: takes the rows with both cells
// filled and neither value zero (at most kMaxPairs), sorts them by stress,
// stores the fit kind, fits with at least two pairs and returns whether the
// fitted law is a law (densityFitFinite) that gives a positive density at 0.1 Pa.
bool checkMeasuredPairs(const std::vector<MeasuredPairText>& rows, int fitKind,
                        DensityWorkingCopy& w);
// Whether the fitted law of the working copy is a law at all: its
// coefficients and its densities over the diagram's range are finite numbers.
bool densityFitFinite(const DensityWorkingCopy& w);

// Completes a model just loaded from a file: the same checks and derivations
// as the take-over (same formulas, same order), from the model's own values
// at their full precision, so that leaving the form with Abbrechen after
// opening gives the results of OK. The committed measured set and the density
// window's working copy are left as they are. Returns the problem code; with
// a problem the model is only partly derived and must not be calculated.
int deriveLoadedModel(SiloModel& m);

}  // namespace korvane
