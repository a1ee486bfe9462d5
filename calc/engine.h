// The stress calculation: geometry, density law, Janssen slices in the
// vertical sections, Motzkus (filling) and Jenike / Arnold-McLean
// (discharge) in the hopper, the calculation driver and the curve fit.
// Plain C++: every function works on the model passed by reference.
#pragma once

#include "calc/model.h"

namespace korvane {

constexpr double kPi = 3.14159265358979323846;
inline double degToRad(double d) { return d * kPi / 180.0; }
inline double radToDeg(double r) { return r * 180.0 / kPi; }

// ---- silo model lifecycle ----------------------------------------------
void resetToDefaults(SiloModel& m);  // default silo (Hunttricht kept)
void clearResults(SiloModel& m);     // indices 0..3*Schrittzahl set to 0

// ---- geometry --------------------------------------------------------------
// Frustum of a hopper of height h between widths a (bottom) and b (top);
// q = 1 circular, 0 rectangular of length L.
double frustumVolume(int q, double L, double h, double a, double b);

struct Heap {
    double Hkegel = 0;  // heap height
    double Vkegel = 0;  // heap volume
    double w = 0;       // width / diameter of the heap's base (flat surface level)
};
// Heap standing on the flat surface level, found from where that level lies
// (section below the hopper, shaft, or hopper). tb = tan(angle of repose),
// T = tan(hopper angle), Hh = hopper height, Hu = height of the section below.
Heap computeHeap(int q, double D, double L, double d, double T, double Hu, double Hh,
                 double Hf, double tb);

// Cross-sections, hopper apex distances and Hsilo from the inputs.
void computeCrossSections(SiloModel& m);      // Flaeche, Umfang
void computeOutletSections(SiloModel& m);     // Flaecheunten, Umfangunten
void computeHopperApex(SiloModel& m);         // TanTrichter, Hspitze*, Auslaufflaeche
void computeFilledHeights(SiloModel& m);      // Hfuellschaft/-trichter/-unten
double grossVolume(const SiloModel& m);       // Bruttovolumen
// Filled volume; with the flat surface in the hopper and no heap it also
// returns the surface width there through *surfaceWidth (else untouched).
double filledVolume(const SiloModel& m, double* surfaceWidth);

// ---- density law --------------------------------------------------------------
double density(const SiloModel& m, double sigma);
double workingDensity(const DensityWorkingCopy& w, double sigma);

// ---- hopper coefficients ------------------------------------------------------
void fillingCoefficients(SiloModel& m);    // Motzkus
void dischargeCoefficients(SiloModel& m);  // Jenike / Arnold-McLean + mass flow check
struct MassFlow {
    double angleDeg = 0;  // Massenflusswinkel
    bool massFlow = false;
};
// ms = 1 cone, 0 wedge; angles in radians. Never NaN: where the conical limit
// is undefined (PHIE below about 19.47 deg) the hopper gives funnel flow.
MassFlow massFlowCheck(int ms, double phix, double phie, double theta);
void massFlowCheck(SiloModel& m);  // writes Massenflusswinkel, Massenfluss

// ---- calculation driver -------------------------------------------------------
// Prepare: defaults when applyDefaults, hopper coefficients for the chosen
// state, index layout.
void prepare(SiloModel& m, bool applyDefaults);
// Calculate: surface stress, shaft, hopper, section below the hopper.
void calculate(SiloModel& m);
// The model as the desktop program has it after its first activation: the
// defaults applied and the default silo calculated. A parameter file loaded
// into it leaves whatever it does not set (the hopper coefficients of a silo
// without a hopper, the committed fit of a file without the fitted law) as
// this left it, so the batch tool starts from here as well.
void startAsTheProgramDoes(SiloModel& m);
// ---- many silos at once --------------------------------------------------------
// The slice structure of a prepared model: the sections that are filled, the
// number of slices and the kind of density law. Models of one structure can
// be calculated together.
struct SliceStructure {
    bool shaft = false, hopper = false, below = false;
    int n = 0;
    int law = 0;
    bool operator==(const SliceStructure&) const = default;
};
SliceStructure sliceStructure(const SiloModel& m);
// Calculates `count` (1..kBatchLanes of calc/batch.h) prepared models of one
// slice structure together, with the batch kernels given or the widest the
// processor has: each gets Fuellmenge and the summary as calculate() gives
// them, within the rounding of the vector exp. The result slots are not
// written, and Messbereichueberschritten is only noted for the heap.
struct BatchKernels;
void calculateBatch(SiloModel* const* models, int count);
void calculateBatch(SiloModel* const* models, int count, const BatchKernels& kernels);

// True when every result value the displays read is finite.
bool resultsFinite(const SiloModel& m);

// Section flags used by the displays and the result file.
bool shaftFilled(const SiloModel& m);   // flat surface above the hopper's top
bool hopperFilled(const SiloModel& m);  // fill reaches into the hopper

// ---- curve fit -----------------------------------------------------------------
// Least squares y = B x + A over rows 1..Messpunktzahl (columns 1..4).
void regression(DensityWorkingCopy& w, int xcol, int ycol);
// Fit of the kind Messanpassart; the exponential search is capped.
void fit(DensityWorkingCopy& w);
constexpr int kMaxExponentialRounds = 200000;

}  // namespace korvane
