// Characteristic loads of EN 1991-4:2006 (Eurocode 1, actions in silos) for
// the silo of the model: classification, factors and the symmetrical loads on
// the vertical walls and the hopper for filling and discharge.
//
// Plain C++, no Qt. The engine reads the model's inputs and derived geometry
// as the parameter form leaves them after OK (heap height and volume, filled
// volume, hopper apex distances) and the EN-only inputs below; it never
// writes the model.
//
// Heights. z is, as everywhere in Korvane, the height above the outlet plane.
// Internally the EN depth is used: depth = height of the equivalent surface
// above the outlet minus z. The transition lies at the hopper's upper edge
// (flat bottom: the outlet plane). x is the height above the imaginary hopper
// apex, x = z + Hspitzeauslauf.
//
// Notation of EN 1991-4: gamma upper unit weight; A, U area and perimeter of
// the shaft; d_c characteristic dimension (circle D, rectangle min(D, L));
// h_o depth of the heap's equivalent surface below its top-of-wall contact
// (= V_heap / A); h_c height of the equivalent surface above the transition;
// z_o Janssen reference depth A / (K mu U).
//
// Where the standard's rules are used beyond what a published example checks,
// the result carries a note (EnNote); the displays show "not verified against
// a published example" with each of them.
#pragma once

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "calc/model.h"

namespace korvane {

// ---- EN-only inputs ---------------------------------------------------------
//
// They are held in the silo model itself (fields ENaK, ENamu, ENaphi,
// ENdynamisch, ENphirja, ENphir, ENpatch, ENCop, see calc/model.h) so that the
// document, undo and the parameter file carry them with the other inputs. The
// struct is the same set of values passed by value, for callers that want to
// try other values without touching the model (the batch tool's options).
struct EnInputs {
    double aK = 1.0;     // conversion factor of K (Table E.1), >= 1
    double amu = 1.0;    // conversion factor of the wall friction coefficients, >= 1
    double aphi = 1.0;   // conversion factor of the angle of internal friction, >= 1
    bool dynamicSolid = false;  // solid prone to dynamic behaviour (bottom load magnifier C_b)
    // Angle of repose phi_r for the intermediate / squat wall loads where the
    // surface carries no heap: false = PHIE; true = the value phir.
    bool phirGiven = false;
    double phir = 0;     // rad; used only when phirGiven (a heap uses its own angle)
    // Patch loads (C_pf, C_pe), off by default. Unverified.
    bool patchLoads = false;
    double Cop = 1.0;    // patch load solid reference factor C_op (Table E.1; 1.0 is its "default solid")
};

// The values the model holds / stores them into the model.
EnInputs enInputsOf(const SiloModel& m);
void setEnInputs(SiloModel& m, const EnInputs& in);
// Puts the model's EN inputs to their defaults (as a file without them reads).
void resetEnInputs(SiloModel& m);

// A problem with the EN-only inputs (0 none), checked before any load is
// computed; the batch tool exits with its parameter-problem code for them.
enum class EnInputProblem : int {
    None = 0,
    ConversionFactor,  // a_K, a_mu or a_phi below 1 or not finite
    ReposeAngle,       // phi_r given but not within 0 < phi_r < 90 deg
    PatchFactor,       // C_op negative or not finite
};
EnInputProblem checkEnInputs(const EnInputs& in);
const char* enInputProblemText(EnInputProblem p);  // English, for the batch tool

// ---- classification ----------------------------------------------------------

enum class EnSlenderness : int { Slender, Intermediate, Squat, Retaining, Undefined };
enum class EnBottom : int { Flat, Steep, Shallow };
// Keys as the batch tool's JSON gives them: "slender", "intermediate",
// "squat", "retaining" ("" for Undefined); "flat", "steep", "shallow".
const char* enSlendernessKey(EnSlenderness s);
const char* enBottomKey(EnBottom b);

// ---- outside the standard's scope ------------------------------------------------
//
// Each rule broken gives one reason; with any reason the result holds no
// numbers (inScope false, rows empty, the numeric fields NaN). The desktop
// words the reasons in the user's language from these codes; enScopeText
// gives the English text for the batch tool.
enum class EnScope : int {
    SlendernessLimit,       // h_b / d_c >= 10 (1.1.2(3))
    HeightLimit,            // h_b >= 100 m
    DiameterLimit,          // d_c >= 60 m
    SectionBelowHopper,     // a vertical section below the hopper (two transitions)
    NoShaft,                // no vertical wall section
    SurfaceBelowTransition, // the surface lies in the hopper, not on the vertical walls
    SurchargeWithoutHeap,   // a surcharge stress on the surface
    RetainingSilo,          // h_c / d_c <= 0.4 with a flat bottom
    HopperTooFlat,          // a hopper with beta > 85 deg
    NoWallFriction,         // a wall friction angle of 0 (z_o has no finite value)
    LoadsNotFinite,         // the formulas give no finite load for this silo
};
const char* enScopeText(EnScope s);  // English

// What the user must always be told: the loads hold for free-flowing solids
// and concentric filling and discharge only (English; the desktop words it).
const char* enAssumptionText();

// ---- unverified parts ----------------------------------------------------------------
//
// One note for each unverified rule that entered the result.
enum class EnNote : int {
    InternalFriction,     // phi_im taken as PHIE
    HopperLoadSets,       // K / mu / phi_i sets of Table 3.1 for the hopper loads
    GammaFittedLaw,       // gamma from the largest measured density of a fitted law
    ActionClass,          // AAC from the filled mass (Table 2.1)
    DischargeFactors,     // C_h, C_w of an intermediate or squat silo
    BottomFactor,         // C_b other than 1.0 (dynamic solid or AAC 1)
    WedgeHopper,          // S = 1 of a wedge hopper
    SteepDischarge,       // steep hopper discharge: F_e, phi_wh, p_vft,e
    ShallowDischarge,     // shallow hopper discharge taken as filling
    HopperFrictionCapped, // phi_wh above phi_i, capped at phi_i
    FlatBottomUniform,    // flat bottom of a squat/intermediate silo: uniform p_vft, 6.2.2 not applied
    PatchLoads,           // patch loads C_pf, C_pe
};
const char* enNoteText(EnNote n);  // English
// The words shown with every unverified value (English).
constexpr const char* kEnUnverified = "not verified against a published example";

// ---- characteristic values --------------------------------------------------------------
// One set of characteristic material values (Table 3.1) used for one load.
struct EnValueSet {
    double K = 0;     // lateral pressure ratio
    double mu = 0;    // wall friction coefficient (hopper sets: the hopper's)
    double phi = 0;   // angle of internal friction, rad (used by the steep discharge only)
    double z_o = 0;   // Janssen reference depth with this K and mu (wall sets), m
};

// ---- one row of loads -------------------------------------------------------------------
// NaN marks an empty value: wall loads in the hopper, hopper loads on the walls.
constexpr double kEnEmpty = std::numeric_limits<double>::quiet_NaN();
enum class EnPart : int { Wall, Hopper };
struct EnLoadRow {
    double z = 0;  // height above the outlet, m
    EnPart part = EnPart::Wall;
    // Vertical walls, filling and discharge (Pa).
    double p_hf = kEnEmpty, p_wf = kEnEmpty, p_vf = kEnEmpty;
    double p_he = kEnEmpty, p_we = kEnEmpty;
    double n_zSk = kEnEmpty;  // vertical wall force per unit perimeter, filling (N/m), with the p_w set
    // Hopper (or flat bottom), filling and discharge (Pa).
    double p_nf = kEnEmpty, p_tf = kEnEmpty, p_ne = kEnEmpty, p_te = kEnEmpty;
    double p_v = kEnEmpty;   // mean vertical stress in the hopper, filling
    double p_ve = kEnEmpty;  // the same, discharge
    // Patch loads on the walls (only with EnInputs::patchLoads).
    double p_pf = kEnEmpty, p_pe = kEnEmpty;
};
inline bool enEmpty(double v) { return std::isnan(v); }

// ---- the result ----------------------------------------------------------------------------
struct EnResult {
    // EN inputs that cannot be used (a factor below 1, ...): nothing is
    // computed, inScope is false and scope empty.
    EnInputProblem inputProblem = EnInputProblem::None;
    bool inScope = false;
    std::vector<EnScope> scope;        // rules broken; empty inside the scope
    std::vector<EnNote> unverified;    // unverified rules that entered the result
    EnInputs inputs;                   // the EN-only inputs used

    EnSlenderness slenderness = EnSlenderness::Undefined;
    EnBottom bottom = EnBottom::Flat;
    int AAC = 0;                       // action assessment class 1, 2, 3 (0 undefined)

    // Geometry (m, m2). NaN outside the scope.
    double A = kEnEmpty, U = kEnEmpty, d_c = kEnEmpty;
    double h_o = kEnEmpty, h_c = kEnEmpty, h_b = kEnEmpty;
    double ratio = kEnEmpty;           // h_c / d_c
    double phi_r = kEnEmpty;           // angle of repose used (heap angle or phi_r input), rad
    double zTransition = kEnEmpty;     // height of the transition above the outlet
    double zTopContact = kEnEmpty;     // highest wall contact above the outlet (heap base)
    double zSurface = kEnEmpty;        // equivalent surface above the outlet
    double mass = kEnEmpty;            // filled mass gamma/g * volume, kg (for the AAC)

    double gamma = kEnEmpty;           // upper characteristic unit weight, N/m3
    // Characteristic values per load (Table 3.1).
    EnValueSet setH;        // p_h: K_u, mu_l
    EnValueSet setW;        // p_w: K_u, mu_u
    EnValueSet setV;        // p_v, p_vft: K_l, mu_l
    EnValueSet setHopperF;  // hopper filling: K_l, mu_h,l
    EnValueSet setHopperE;  // hopper discharge: K_u, mu_h,l, phi_i,u
    double z_o = kEnEmpty;  // z_o of the horizontal load (setH), as the batch tool reports it
    // Intermediate / squat: exponent n of (5.80) per wall set (NaN for slender).
    double nH = kEnEmpty, nW = kEnEmpty, nV = kEnEmpty;

    // Discharge and bottom factors.
    double C_h = kEnEmpty, C_w = kEnEmpty, C_S = kEnEmpty, C_b = kEnEmpty;
    double p_vft = kEnEmpty;    // filling: C_b p_vf(h_c) (flat bottom: the uniform bottom load)
    double p_vfte = kEnEmpty;   // discharge start of the hopper: C_b p_vf(h_c) with (K_u, mu_l)

    // Hopper (NaN without one).
    double S = kEnEmpty, b = kEnEmpty;   // shape factor (cone 2, wedge 1), b = 0.2
    double beta = kEnEmpty;              // hopper wall angle from the vertical, rad
    double h_h = kEnEmpty, x_e = kEnEmpty;  // apex to transition / to outlet, m
    double F_f = kEnEmpty, n_f = kEnEmpty;  // filling
    double F_e = kEnEmpty, n_e = kEnEmpty;  // discharge
    double mu_heff = kEnEmpty;           // shallow hopper: effective friction
    double phi_wh = kEnEmpty, epsilon = kEnEmpty;  // steep discharge, rad

    // Patch loads (NaN unless EnInputs::patchLoads).
    double C_pf = kEnEmpty, C_pe = kEnEmpty;

    // The loads from the highest wall contact down to the outlet: wall rows
    // (steps slices over the filled wall), then hopper rows; the transition
    // height appears twice, as the last wall row and the first hopper row. A
    // flat bottom has wall rows only, down to z = 0. Empty outside the scope.
    std::vector<EnLoadRow> rows;
};

// Loads of the model's silo with the given EN inputs. The model must hold the
// derived values of a confirmed parameter set (as after the parameter form's
// OK or confirmLoadedModel). `steps` is the number of rows per part
// (<= 0: the model's Schrittzahl, at least 1000), so the rows are at least as
// fine as the result file's slices.
EnResult en1991_4Loads(const SiloModel& m, const EnInputs& in, int steps = 0);
// The same with the EN inputs held in the model.
inline EnResult en1991_4Loads(const SiloModel& m, int steps = 0) {
    return en1991_4Loads(m, enInputsOf(m), steps);
}

// The loads at the height z above the outlet, for a result of en1991_4Loads.
// Above the highest wall contact: all empty. Between the contact and the
// transition: a wall row. Below the transition: a hopper row. At the
// transition itself `part` chooses which side (a flat bottom at z = 0 gives
// the wall row). Outside the scope: all empty.
EnLoadRow en1991_4LoadsAt(const EnResult& r, double z, EnPart part = EnPart::Wall);

}  // namespace korvane
