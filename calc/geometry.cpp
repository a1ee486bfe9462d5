// Derived geometry of the silo: cross-sections, hopper apex distances, the
// heap on the surface, filled heights and volumes.
#include <algorithm>
#include <cmath>

#include "calc/engine.h"

namespace korvane {

double frustumVolume(int q, double L, double h, double a, double b) {
    return q * kPi * h * (a * a + a * b + b * b) / 12.0 + (1 - q) * L * h * (a + b) / 2.0;
}

namespace {

// Heap over a flat base of width w: a cone over a circle, an obelisk over a
// rectangle w x L whose four faces all lie at the angle of repose.
Heap heapOver(int q, double w, double L, double tb) {
    Heap h;
    h.w = w;
    if (q == 1) {
        h.Hkegel = tb * w / 2.0;
        h.Vkegel = kPi * w * w * h.Hkegel / 12.0;
    } else {
        const double a = std::min(w, L);
        const double b = std::max(w, L);
        h.Hkegel = tb * a / 2.0;
        h.Vkegel = h.Hkegel * a * (3.0 * b - a) / 6.0;
    }
    return h;
}

}  // namespace

Heap computeHeap(int q, double D, double L, double d, double T, double Hu, double Hh,
                 double Hf, double tb) {
    // Base in the section below the hopper: the heap stands on the outlet's
    // cross-section.
    Heap below = heapOver(q, d, L, tb);
    if (below.Hkegel + Hu > Hf) return below;
    // Base in the shaft: the heap spans the full shaft cross-section.
    Heap shaft = heapOver(q, D, L, tb);
    if (shaft.Hkegel + Hu + Hh <= Hf) return shaft;
    // Without a hopper (no hopper height) the base cannot lie on a hopper
    // wall: the heap spans the shaft, and a fill lower than that heap leaves
    // the flat surface below the silo's lower edge, which the checks refuse.
    // Solving for a hopper base here would put the heap on the outlet width
    // (or on a slope that does not exist) inside a wider shaft.
    if (!(Hh > 0)) return shaft;
    // Base in the hopper: the base width and the heap height depend on each
    // other through w = d + 2 T (Hf - Hu - Hkegel).
    double w;
    if (q == 1) {
        w = (2.0 * T * (Hf - Hu) + d) / (tb * T + 1.0);
    } else if (Hf <= Hu + tb * L / 2.0 + (L - d) / (2.0 * T)) {
        w = (2.0 * T * (Hf - Hu) + d) / (tb * T + 1.0);
    } else {
        // The base is wider than the length: the ridge height is fixed by L.
        w = d + 2.0 * T * (Hf - Hu - tb * L / 2.0);
    }
    return heapOver(q, w, L, tb);
}

void computeCrossSections(SiloModel& m) {
    const int q = m.Querschnitt;
    const double D = m.Durchmesser, L = m.Laenge;
    m.Flaeche = (1 - q) * L * D + q * kPi * D * D / 4.0;
    m.Umfang = (D + L) * 2.0 * (1 - q) + q * kPi * D;
}

void computeOutletSections(SiloModel& m) {
    const int q = m.Querschnitt;
    const double d = m.Auslauf, L = m.Laenge;
    m.Flaecheunten = (1 - q) * L * d + q * kPi * d * d / 4.0;
    m.Umfangunten = (d + L) * 2.0 * (1 - q) + q * kPi * d;
}

void computeHopperApex(SiloModel& m) {
    m.TanTrichter = std::tan(m.Trichterwinkel);
    const int q = m.Querschnitt;
    if (m.Trichterja) {
        m.Hspitzeauslauf = m.Auslauf / (2.0 * m.TanTrichter);
        m.Hspitzeoben = m.Durchmesser / (2.0 * m.TanTrichter);
        m.Auslaufflaeche = (1 - q) * m.Auslauf * m.Laenge + q * kPi * m.Auslauf * m.Auslauf / 4.0;
    } else {
        m.Hspitzeauslauf = 0;
        m.Hspitzeoben = 0;
        m.Auslaufflaeche = m.Flaeche;
    }
}

void computeFilledHeights(SiloModel& m) {
    const double Hu = m.Hunttricht;
    const double Hh = m.Hspitzeoben - m.Hspitzeauslauf;
    const double Hf = m.Fuellhoehe;
    if (Hf >= Hu + Hh) {
        m.Hfuellschaft = Hf - Hu - Hh;
        m.Hfuelltrichter = Hh;
        m.Hfuellunten = Hu;
    } else if (Hf >= Hu) {
        m.Hfuellschaft = 0;
        m.Hfuelltrichter = Hf - Hu;
        m.Hfuellunten = Hu;
    } else {
        m.Hfuellschaft = 0;
        m.Hfuelltrichter = 0;
        m.Hfuellunten = Hf;
    }
}

double grossVolume(const SiloModel& m) {
    const double Hh = m.Hspitzeoben - m.Hspitzeauslauf;
    return m.Hunttricht * m.Flaecheunten + m.Hschaft * m.Flaeche +
           frustumVolume(m.Querschnitt, m.Laenge, Hh, m.Auslauf, m.Durchmesser);
}

double filledVolume(const SiloModel& m, double* surfaceWidth) {
    const double Y = m.Hoberflaeche;
    const double Hu = m.Hunttricht;
    const double Hh = m.Hspitzeoben - m.Hspitzeauslauf;
    const int q = m.Querschnitt;
    double v;
    if (Y < Hu) {
        v = Y * m.Flaecheunten;
    } else if (Y < Hu + Hh) {
        double w = m.Boberflaeche;
        if (!m.Schuettkegel) {
            w = 2.0 * m.TanTrichter * (Y - Hu) + m.Auslauf;
            if (surfaceWidth) *surfaceWidth = w;
        }
        v = Hu * m.Flaecheunten + frustumVolume(q, m.Laenge, Y - Hu, m.Auslauf, w);
    } else {
        v = Hu * m.Flaecheunten + frustumVolume(q, m.Laenge, Hh, m.Auslauf, m.Durchmesser) +
            (Y - Hu - Hh) * m.Flaeche;
    }
    return v + m.Vkegel;
}

void resetToDefaults(SiloModel& m) {
    m.Querschnitt = 0;
    m.Schaftja = true;
    m.Hschaft = 6;
    m.Durchmesser = 6;
    m.Laenge = 6;
    m.Trichterja = true;
    m.Trichterwinkel = degToRad(30);
    m.Auslauf = 1;
    m.vertunten = false;
    m.Fuellhoehe = 9;
    m.Schuettkegel = false;
    m.boeschwinkel = 0;
    m.Auflastspannung = 0;
    m.setSpannungszustand(0);
    m.PHIE = degToRad(40);
    m.Phixschaft = m.Phixtrichter = m.PhixStirnwand = m.Phixunten = degToRad(30);
    m.Kwahl = 1;
    m.Kwert = 0.4;
    m.Rhokonstant = false;
    m.Rhofunktion = true;
    m.RHOMIN = 2400;
    m.RHOMAX = 2800;
    m.SIGMA0 = 50000;
    m.Schrittzahl = 1000;
    m.Rhosteigung = m.RHOMIN * 0 / 1000;
    computeCrossSections(m);
    computeHopperApex(m);
    m.Hoberflaeche = m.Fuellhoehe - m.Hkegel;
    computeFilledHeights(m);
}

}  // namespace korvane
