// The silo model in three layers: what the user gives (SiloInputs), what the
// geometry and the hopper theory make of it (SiloDerived), and what the
// calculation produces (SiloModel's own results). A SiloModel is all three,
// so every field keeps its one name (`m.Fuellhoehe`), and copying the inputs
// alone (`SiloInputs in = m;`) costs about a kilobyte instead of the whole
// model with its result arrays. docs/GLOSSARY.md lists every field with its
// meaning, unit and where the user sets it.
//
// Units: lengths m, areas m2, volumes m3, stresses Pa, densities kg/m3,
// masses kg. Angles are held in radians (entered and stored in degrees);
// the one exception is Massenflusswinkel, held in degrees. Heights z are
// measured upwards from the outlet plane (the lower edge of the silo).
//
// A freshly constructed model is all zero, as at program start, apart from
// the EN 1991-4 inputs, which start at their defaults; the defaults are applied by resetToDefaults() at the first activation of the
// main window when no parameter file has been loaded.
#pragma once

#include <cstdint>

namespace korvane {

constexpr double kGravity = 9.81;          // m/s2, everywhere
constexpr int kMaxPairs = 50;              // measured (SIGMA, RHOB) pairs
constexpr int kResultSize = 5002;          // result arrays, indices 0..5001
constexpr int kMaxSchrittzahl = 1667;      // 3*Schrittzahl must stay <= 5001

// What a calculation gathers while it integrates, over the slices it
// actually integrated (and the stress at the surface), so that nobody needs
// to walk the result slots afterwards.
struct CalcSummary {
    // Every integrated stress finite, not negative and no negative zero,
    // every density positive and finite, every slice height finite and not
    // negative.
    bool sound = true;
    double largestStress = 0;  // largest major principal stress of a slot (>= 0), Pa
    double outletStress = 0;   // SIGMAV at the outlet, Pa
    double sigmawMax = 0;      // largest SIGMAW (the lowest slice on a tie), Pa
    double zSigmawMax = 0;     // height of its lower face above the outlet, m
    double depth = 0;          // sum of the slice heights, m
};

// What the user sets: the parameter form's values and the parameter file's
// fields.
struct SiloInputs {
    // ---- geometry ---------------------------------------------------------
    std::uint8_t Querschnitt = 0;  // cross-section: 1 circular (cone hopper), 0 rectangular (wedge)
    bool Schaftja = false;         // a vertical section ("shaft") at the top
    double Hschaft = 0;            // shaft height, m; 0 without shaft
    double Durchmesser = 0;        // diameter / width of the shaft and the hopper's top, m
    double Laenge = 0;             // length of the rectangle, m (unused for circular)
    bool Trichterja = false;       // a hopper below the shaft
    double Trichterwinkel = 0;     // hopper wall inclination against the vertical, rad
    double Auslauf = 0;            // outlet diameter / width, m
    bool vertunten = false;        // a vertical section below the hopper
    double Hunttricht = 0;         // height of that section, m; 0 without it
    double Fuellhoehe = 0;         // fill height from the outlet plane, heap included, m
    bool Schuettkegel = false;     // a heap on the fill surface
    double boeschwinkel = 0;       // angle of repose of the heap, rad; 0 without heap
    double Auflastspannung = 0;    // surcharge on a flat fill surface, Pa

    // ---- bulk solid and method --------------------------------------------
    // The stress state is carried as two opposite switches.
    bool Fuellzustand = false;        // filling state calculated
    bool Entleerungszustand = false;  // discharge state calculated
    double PHIE = 0;           // effective angle of internal friction, rad
    double Phixschaft = 0;     // wall friction angle in the shaft, rad
    double Phixtrichter = 0;   // wall friction angle on the inclined hopper walls, rad
    double PhixStirnwand = 0;  // wall friction angle on a wedge's vertical end walls, rad
    double Phixunten = 0;      // wall friction angle in the section below the hopper, rad
    std::uint8_t Kwahl = 0;    // how K is given: 0 1.2(1 - sin PHIE), 1 fixed 0.4, 2 Kwert
    double Kwert = 0;          // horizontal to vertical stress ratio K (LAMBDA), -
    // The density law is carried as two switches; both false = fitted law.
    bool Rhokonstant = false;  // constant bulk density RHOMIN
    bool Rhofunktion = false;  // density law from RHOMIN, RHOMAX and SIGMA0
    double RHOMIN = 0;         // bulk density without stress, kg/m3
    double RHOMAX = 0;         // bulk density approached at high stress, kg/m3
    double SIGMA0 = 0;         // stress scale of the density law, Pa
    double Rhosteigung = 0;    // linear density slope with stress, kg/m3/Pa (always 0)

    // ---- EN 1991-4 inputs (calc/en1991_4.h) ----------------------------------
    // Only the EN 1991-4 loads read them; Korvane's own calculation does not.
    // Their defaults are not zero: a fresh model, resetToDefaults() and a
    // parameter file without them give these values.
    double ENaK = 1.0;          // conversion factor a_K (Table E.1), -
    double ENamu = 1.0;         // conversion factor a_mu, -
    double ENaphi = 1.0;        // conversion factor a_phi, -
    bool ENdynamisch = false;   // solid prone to dynamic behaviour (C_b)
    bool ENphirja = false;      // phi_r given; false: phi_r = PHIE where there is no heap
    double ENphir = 0;          // phi_r, rad (only with ENphirja)
    bool ENpatch = false;       // patch loads shown (unverified)
    double ENCop = 1.0;         // patch load solid reference factor C_op, -

    // ---- committed fitted density law ---------------------------------------
    int Anpassart = 0;         // kind of fit: 0 linear, 1 logarithmic, 2 exponential, 3 interpolation
    int Messanzahl = 0;        // measured (SIGMA, RHOB) pairs, 0..50
    double Messsigma[kMaxPairs + 1] = {};  // measured stresses, Pa, indices 1..50 ascending
    double Messrho[kMaxPairs + 1] = {};    // measured bulk densities, kg/m3, same indices
    double AnpassA = 0;        // fitted coefficient A (kind-dependent units)
    double AnpassB = 0;        // fitted coefficient B (kind-dependent units)
    double AnpassRHOMIN = 0;   // RHOMIN of the exponential fit, kg/m3
    double AnpassRHOMAX = 0;   // RHOMAX of the exponential fit, kg/m3
    double AnpassSIGMA0 = 0;   // SIGMA0 of the exponential fit, Pa

    // ---- calculation control ------------------------------------------------
    int Schrittzahl = 0;       // slices per section (shaft, hopper, part below), 1..1667
    bool Erststart = true;     // the defaults are still due (nothing loaded or taken over)

    // Convenience views of the switch pairs.
    int Spannungszustand() const { return Entleerungszustand && !Fuellzustand ? 1 : 0; }
    void setSpannungszustand(int s) { Fuellzustand = (s == 0); Entleerungszustand = (s != 0); }
    int Dichtemodus() const { return Rhokonstant ? 0 : (Rhofunktion ? 1 : 2); }
};

// What the geometry, the heap and the hopper theory derive from the inputs
// (the take-over and prepare() write it).
struct SiloDerived {
    // ---- derived geometry -----------------------------------------------------
    double TanTrichter = 0;     // tangent of the hopper angle, -
    double Flaeche = 0;         // cross-section area of the shaft, m2
    double Umfang = 0;          // perimeter of the shaft, m
    double Flaecheunten = 0;    // cross-section area of the section below the hopper, m2
    double Umfangunten = 0;     // perimeter of the section below the hopper, m
    double Auslaufflaeche = 0;  // outlet area, m2
    double Hspitzeauslauf = 0;  // distance from the hopper's (virtual) apex up to the outlet, m
    double Hspitzeoben = 0;     // distance from the hopper's apex up to the hopper's top, m
    double Hsilo = 0;           // silo height (all sections), m
    double Hkegel = 0;          // heap height, m
    double Vkegel = 0;          // heap volume, m3
    double Hoberflaeche = 0;    // height of the flat fill surface (heap foot), m
    double Boberflaeche = 0;    // width / diameter of the fill surface, m
    double Hfuellschaft = 0;    // filled height in the shaft, m
    double Hfuelltrichter = 0;  // filled height in the hopper, m
    double Hfuellunten = 0;     // filled height in the section below the hopper, m
    double Bruttovolumen = 0;   // gross volume of the silo, m3
    double Fuellvolumen = 0;    // volume of the bulk solid, heap included, m3

    // ---- hopper coefficients --------------------------------------------------
    double TrichterF = 0;          // hopper stress coefficient F (Motzkus / Jenike), -
    double TrichterN = 0;          // hopper stress exponent n, -
    double Stirnwandterm = 0;      // end-wall friction term of a wedge hopper, -
    double Massenflusswinkel = 0;  // steepest hopper angle for mass flow, degrees
    bool Massenfluss = false;      // the hopper discharges in mass flow (else funnel flow)

    // ---- slice layout -------------------------------------------------------------
    int Schritteschaft = 0;    // slices in the shaft
    int Schrittetrichter = 0;  // slices in the hopper
    int Schritteunten = 0;     // slices in the section below the hopper
    int Gesamtschritte = 0;    // slices in all
    int Indexanfang = 0;       // result index of the fill surface
    int Indexende = 0;         // result index of the outlet
};

// One silo: inputs, derived values and the results of the last calculation.
struct SiloModel : SiloInputs, SiloDerived {
    // ---- results, per slice index 0..3*Schrittzahl ---------------------------------
    // Only the slots of the integrated slices and the surface are written,
    // the rest stay as cleared.
    double SIGMAV[kResultSize] = {};        // mean vertical stress, Pa
    double SIGMAW[kResultSize] = {};        // wall normal stress, Pa
    double RHOB[kResultSize] = {};          // bulk density, kg/m3
    double Dz[kResultSize] = {};            // slice height, m
    double Rtrichter[kResultSize] = {};     // hopper slice's apex distance, m
    double Fuellmenge = 0;                  // mass of the contents, kg
    bool Messbereichueberschritten = false; // a stress above the measured range of the fit
    CalcSummary summary;                    // gathered while integrating
};

// Working copy of the density measurement window, on which the curve fit
// operates. Rows 1..50; columns 1 SIGMA, 2 RHOB, 3 ln SIGMA, 4 transformed RHOB.
struct DensityWorkingCopy {
    double Messtabelle[5][kMaxPairs + 1] = {};  // [column][row], units as above
    int Messpunktzahl = 0;     // pairs in the table, 0..50
    int Messanpassart = 0;     // kind of fit chosen (as Anpassart)
    double MessA = 0;          // fitted coefficient A (as AnpassA)
    double MessB = 0;          // fitted coefficient B (as AnpassB)
    double MessRHOMIN = 0;     // exponential fit's RHOMIN, kg/m3
    double MessRHOMAX = 0;     // exponential fit's RHOMAX, kg/m3
    double MessSIGMA0 = 0;     // exponential fit's SIGMA0, Pa
    double Anpassfehler = 0;   // the fit's error measure, -
};

// Copies everything but the five result arrays, which are the bulk of the
// model (about 400 KB): the inputs, the derived values and the scalar
// results. For scratch copies that are calculated afresh or never
// calculated at all.
void copyAllButResults(SiloModel& to, const SiloModel& from);

// A model as freshly constructed (all zero, defaults still due), to reset a
// scratch model with copyAllButResults.
const SiloModel& freshModel();

}  // namespace korvane
