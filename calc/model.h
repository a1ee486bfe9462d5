// The silo model: every input of a calculation, the derived geometry, the
// hopper coefficients, the calculation control and the results.
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
    double largestStress = 0;  // largest major principal stress of a slot (>= 0)
    double outletStress = 0;   // SIGMAV at the outlet
    double sigmawMax = 0;      // largest SIGMAW (the lowest slice on a tie)
    double zSigmawMax = 0;     // height of its lower face above the outlet
    double depth = 0;          // sum of the slice heights
};

struct SiloModel {
    // ---- geometry inputs -------------------------------------------------
    std::uint8_t Querschnitt = 0;  // 1 circular (cone), 0 rectangular (wedge)
    bool Schaftja = false;         // vertical section ("shaft") at the top
    double Hschaft = 0;            // shaft height, 0 without shaft
    double Durchmesser = 0;        // diameter / width of shaft and hopper top
    double Laenge = 0;             // length of the rectangle (meaningless for circular)
    bool Trichterja = false;       // hopper present
    double Trichterwinkel = 0;     // hopper wall inclination against vertical, rad
    double Auslauf = 0;            // outlet diameter / width
    bool vertunten = false;        // vertical section below the hopper
    double Hunttricht = 0;         // its height, 0 without it
    double Fuellhoehe = 0;         // fill height incl. heap
    bool Schuettkegel = false;     // heap on the surface
    double boeschwinkel = 0;       // angle of repose, rad; 0 without heap
    double Auflastspannung = 0;    // surcharge on a flat surface, Pa

    // ---- bulk solid and method ------------------------------------------
    // The stress state is carried as two opposite switches.
    bool Fuellzustand = false;        // filling state
    bool Entleerungszustand = false;  // discharge state
    double PHIE = 0;           // effective angle of internal friction, rad
    double Phixschaft = 0;     // wall friction shaft, rad
    double Phixtrichter = 0;   // wall friction inclined hopper walls, rad
    double PhixStirnwand = 0;  // wall friction vertical end walls of a wedge, rad
    double Phixunten = 0;      // wall friction section below the hopper, rad
    std::uint8_t Kwahl = 0;    // 0: 1.2(1-sin PHIE), 1: 0.4, 2: value
    double Kwert = 0;          // K (LAMBDA)
    // The density law is carried as two switches; both false = fitted law.
    bool Rhokonstant = false;
    bool Rhofunktion = false;
    double RHOMIN = 0, RHOMAX = 0, SIGMA0 = 0;
    double Rhosteigung = 0;    // always 0

    // ---- EN 1991-4 inputs (calc/en1991_4.h) --------------------------------
    // Only the EN 1991-4 loads read them; Korvane's own calculation does not.
    // Their defaults are not zero: a fresh model, resetToDefaults() and a
    // parameter file without them give these values.
    double ENaK = 1.0;          // conversion factor a_K (Table E.1)
    double ENamu = 1.0;         // conversion factor a_mu
    double ENaphi = 1.0;        // conversion factor a_phi
    bool ENdynamisch = false;   // solid prone to dynamic behaviour (C_b)
    bool ENphirja = false;      // phi_r given; false: phi_r = PHIE where there is no heap
    double ENphir = 0;          // phi_r, rad (only with ENphirja)
    bool ENpatch = false;       // patch loads shown (unverified)
    double ENCop = 1.0;         // patch load solid reference factor C_op

    // ---- committed fitted density law -----------------------------------
    int Anpassart = 0;         // 0 linear, 1 log, 2 exponential, 3 interpolation
    int Messanzahl = 0;        // 0..50
    double Messsigma[kMaxPairs + 1] = {};  // indices 1..50, ascending
    double Messrho[kMaxPairs + 1] = {};
    double AnpassA = 0, AnpassB = 0;
    double AnpassRHOMIN = 0, AnpassRHOMAX = 0, AnpassSIGMA0 = 0;

    // ---- derived geometry -----------------------------------------------
    double TanTrichter = 0;
    double Flaeche = 0, Umfang = 0;
    double Flaecheunten = 0, Umfangunten = 0;
    double Auslaufflaeche = 0;
    double Hspitzeauslauf = 0, Hspitzeoben = 0;
    double Hsilo = 0;
    double Hkegel = 0, Vkegel = 0;
    double Hoberflaeche = 0;
    double Boberflaeche = 0;
    double Hfuellschaft = 0, Hfuelltrichter = 0, Hfuellunten = 0;
    double Bruttovolumen = 0, Fuellvolumen = 0;

    // ---- hopper coefficients --------------------------------------------
    double TrichterF = 0, TrichterN = 0, Stirnwandterm = 0;
    double Massenflusswinkel = 0;  // degrees
    bool Massenfluss = false;

    // ---- calculation control --------------------------------------------
    int Schrittzahl = 0;
    int Schritteschaft = 0, Schrittetrichter = 0, Schritteunten = 0;
    int Gesamtschritte = 0;
    int Indexanfang = 0, Indexende = 0;
    bool Erststart = true;  // defaults still due

    // ---- results ----------------------------------------------------------
    // Per slot (slice) of the layout; only the slots of the integrated
    // slices and the surface are written, the rest stay as cleared.
    double SIGMAV[kResultSize] = {};
    double SIGMAW[kResultSize] = {};
    double RHOB[kResultSize] = {};
    double Dz[kResultSize] = {};
    double Rtrichter[kResultSize] = {};
    double Fuellmenge = 0;
    bool Messbereichueberschritten = false;
    double Zlauf = 0;
    CalcSummary summary;  // gathered while integrating

    // Convenience views of the switch pairs.
    int Spannungszustand() const { return Entleerungszustand && !Fuellzustand ? 1 : 0; }
    void setSpannungszustand(int s) { Fuellzustand = (s == 0); Entleerungszustand = (s != 0); }
    int Dichtemodus() const { return Rhokonstant ? 0 : (Rhofunktion ? 1 : 2); }
};

// Working copy of the density measurement window, on which the curve fit
// operates. Rows 1..50; columns 1 SIGMA, 2 RHOB, 3 ln SIGMA, 4 transformed RHOB.
struct DensityWorkingCopy {
    double Messtabelle[5][kMaxPairs + 1] = {};  // [column][row]
    int Messpunktzahl = 0;
    int Messanpassart = 0;
    double MessA = 0, MessB = 0;
    double MessRHOMIN = 0, MessRHOMAX = 0, MessSIGMA0 = 0;
    double Anpassfehler = 0;
};

// Copies everything but the five result arrays, which are the bulk of the
// model (about 400 KB): the inputs, the derived values, the control fields
// and the scalar results. For scratch copies that are calculated afresh or
// never calculated at all.
void copyAllButResults(SiloModel& to, const SiloModel& from);

// A model as freshly constructed (all zero, defaults still due), to reset a
// scratch model with copyAllButResults.
const SiloModel& freshModel();

// The program's one silo model and the density window's working copy.
SiloModel& globalModel();
DensityWorkingCopy& globalWorkingCopy();

}  // namespace korvane
