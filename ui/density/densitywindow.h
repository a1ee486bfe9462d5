// The density measurement window: measured (SIGMA, RHOB) pairs,
// the kind of fit and its check diagram, on the working copy.
#pragma once

#include <QDialog>
#include <QImage>
#include <QList>
#include <QString>
#include <array>
#include <utility>

#include "calc/model.h"
#include "ui/document/silodocument.h"

class QWidget;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QLabel;
class QFontMetrics;
class QGroupBox;

namespace korvane::ui {

class RadioGroup;

// ---- logic of the window, callable without it ----------------------------

// One grid row as typed: the SIGMA and the RHOB cell.
struct MeasurementRow {
    QString sigma;
    QString rho;
};

// The check that every command of the window runs: reads the rows in order
// (a row counts when both cells are filled; a pair with SIGMA*RHOB = 0 is
// dropped), closes the gaps, sorts by ascending SIGMA (stable for equal
// stresses), stores the fit kind, fits with at least two pairs and returns
// whether the fitted law gives a positive density at 0.1 Pa.
bool checkMeasurements(const QList<MeasurementRow>& rows, int fitKind, DensityWorkingCopy& w);

// Whether the fitted law of the working copy is a law at all: its
// coefficients and its densities over the diagram's range are finite numbers
// (two pairs at the same stress give a straight line without a slope).
bool fitIsFinite(const DensityWorkingCopy& w);

// The first row (0-based) with exactly one of its two cells filled, or -1.
int firstHalfFilledRow(const QList<MeasurementRow>& rows);

// Grid spacing of the check diagram for an axis running up to m. Never 0:
// below a spacing of 1 the decade itself is halved or doubled.
double densityGridStep(double m);

// The RHOB axis of the check diagram: from a multiple of its grid step just
// below the lowest density shown to one just above the highest, so that the
// measured pairs fill the diagram instead of a band at the top of an axis
// from 0; never below 0.
struct DensityAxis {
    double min = 0, max = 0, step = 0;
};
DensityAxis densityAxisRange(double lowest, double highest);

// The densities the check diagram has to show: the measured ones and the
// fitted curve over the drawn stresses, the curve only as far as one span of
// the measured densities beyond them (a wild extrapolation leaves the
// diagram instead of squeezing the pairs together).
std::pair<double, double> densitiesShown(const DensityWorkingCopy& w);

// Value ranges and pixel mapping of the check diagram. `leftMargin` and
// `topMargin` (pixels) leave room for the RHOB labels and the axis title;
// negative: a tenth of the width, seven hundredths of the height.
struct DensityScale {
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    double x0 = 0, sx = 0, y0 = 0, sy = 0;
    double sigmaStep = 0, rhoStep = 0;
    int px(double sigma) const;
    int py(double rho) const;
};
DensityScale densityScale(const DensityWorkingCopy& w, int width, int height, int leftMargin = -1,
                          int topMargin = -1);

// The scale drawDensityDiagram uses with the painter's font `fm`: margins
// wide enough for the RHOB labels and the axis title.
DensityScale drawnDensityScale(const DensityWorkingCopy& w, int width, int height,
                               const QFontMetrics& fm);

// How the fitted law of the working copy meets the measured pairs: the
// largest difference |measured - fitted| RHOB, in kg/m3 and in per cent of
// the measured density, and the stress where it occurs.
struct FitDeviation {
    bool valid = false;  // at least two pairs and a finite law
    double rho = 0;      // kg/m3
    double percent = 0;
    double sigma = 0;    // Pa
};
FitDeviation largestDeviation(const DensityWorkingCopy& w);

// The fitted law's parameters, one per line with their units, then its
// largest deviation, in the given language (the text under the diagram).
QString fitSummaryText(const DensityWorkingCopy& w, int language);

// RHOMIN, RHOMAX and SIGMA0 of the fitted law as the parameter form's greyed
// fields show them: the exponential law's values; for the other kinds the
// density without stress as RHOMIN and nothing else (they have no RHOMAX or
// SIGMA0); nothing before a fit of two pairs.
std::array<QString, 3> fittedLawFieldTexts(const DensityWorkingCopy& w);

// Draws the check diagram of the working copy (at least one pair) onto a
// white W x H area: grid, axes, labels, measured squares, fitted curve red
// below the first pair, green over the measured range, red above it.
void drawDensityDiagram(QPainter& p, int width, int height, const DensityWorkingCopy& w);

// ---- the window ---------------------------------------------------------------

class DensityPlot;

// Edits the working copy of the document it is given; Cancel restores it.
class DensityWindow : public QDialog {
    Q_OBJECT
public:
    explicit DensityWindow(SiloDocument& document, QWidget* parent = nullptr);

    void retranslate();
    // Every showing: the working copy's pairs in the grid, its fit kind and
    // diagram; OK waits for a test.
    void activate();
    // The grid's rows 1..50 as typed (an open cell editor is committed first).
    QList<MeasurementRow> gridRows();
    // "Testen" and a click on the diagram: checks the pairs, fits and draws
    // the law; with two pairs or more OK becomes possible.
    void testFit();
    void fitKindChanged();
    void okClicked();
    void cancel();
    void drawDiagram();

    // The last check's fit gives a positive density at small stresses.
    bool fitIsUsable() const { return fitUsable_; }
    const QImage& diagramImage() const;

    void reject() override;  // Escape and the close box cancel

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    // The check of the grid's pairs into the working copy; true when the
    // fitted law is usable.
    bool checkPairs();
    bool checkPairs(const QList<MeasurementRow>& rows);
    void setOkEnabled(bool on);
    // Tells the user about a row with one cell filled and puts the cursor
    // into its empty cell; true when there was one.
    bool reportHalfFilledRow(const QList<MeasurementRow>& rows);

    QPlainTextEdit* instructions_;  // what to enter, above the grid
    QTableWidget* grid_;            // the measured pairs: number, SIGMA, RHOB
    DensityPlot* diagram_;          // the check diagram of the fitted law
    QGroupBox* fitResultBox_;       // holds fitSummary_
    QLabel* fitSummary_;            // the fitted law's parameters and deviation
    RadioGroup* fitKindGroup_;      // the law fitted to the pairs
    QPushButton* testButton_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    bool fitUsable_ = false;
    bool fitFinite_ = true;  // the last check's fit is a finite law
    // Everything the window may change, as it was at activation: Cancel
    // restores the pairs, their count, the fit kind and the coefficients.
    DensityWorkingCopy savedWorkingCopy_;
    SiloDocument& document_;  // whose working copy the window edits
};

}  // namespace korvane::ui
