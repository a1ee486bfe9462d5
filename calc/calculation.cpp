// The stress calculation: surface stress from surcharge or heap, then the
// filled sections from the surface down to the outlet, each cut into
// Schrittzahl horizontal slices and integrated with a predictor-corrector
// (Heun) step, since the bulk density depends on the stress.
#include <cmath>

#include "calc/engine.h"

namespace korvane {
namespace {

int slices(const SiloModel& m) {
    int n = m.Schrittzahl;
    if (n < 0) n = 0;
    if (n > kMaxSchrittzahl) n = kMaxSchrittzahl;
    return n;
}

// Density at a stress, noting when a fitted law is used beyond the largest
// measured stress. The density function's reciprocal reference stress is
// taken once per calculation: the slices are a serial chain of density
// evaluations, and a multiplication is much shorter than a division there.
double densityChecked(SiloModel& m, double sigma) {
    switch (m.Dichtemodus()) {
        case 0:
            return density(m, sigma);
        case 1:
            if (m.SIGMA0 >= 1e-5) {
                if (!(sigma >= 0)) sigma = 0;
                return (1.0 - std::exp(-sigma * (1.0 / m.SIGMA0))) * (m.RHOMAX - m.RHOMIN) +
                       sigma * m.Rhosteigung + m.RHOMIN;
            }
            return density(m, sigma);
        default: {
            int n = m.Messanzahl;
            if (n < 0) n = 0;
            if (n > kMaxPairs) n = kMaxPairs;
            if (sigma > m.Messsigma[n]) m.Messbereichueberschritten = true;
            return density(m, sigma);
        }
    }
}

// Janssen slices of a section with vertical walls: going down by dz the
// vertical stress grows by the slice weight g*rho*dz and falls by the wall
// friction K*tan(phi_x)*(U/A)*sigma*dz.
void integrateVertical(SiloModel& m, int first, int n, double h, double phix, double A,
                       double U) {
    const double q = m.Kwert * std::tan(phix) * U / A;
    const double dz = h / n;
    const double K = m.Kwert;
    // The running stress and mass stay in registers: each slice starts from
    // the stress of the slice above, so the loop is one long dependency chain.
    double sigma = static_cast<double>(m.SIGMAV[first - 1]);
    double mass = m.Fuellmenge;
    for (int i = 1; i <= n; ++i) {
        const int k = first + i - 1;
        // Heun step: slope at the upper face, predictor, slope at the lower
        // face, corrector.
        const double sigma0 = sigma;
        const double rho0 = densityChecked(m, sigma0);
        const double s0 = kGravity * rho0 - q * sigma0;
        const double s1v = sigma0 + dz * s0;
        const double rho1 = densityChecked(m, s1v);
        const long double rhob = (static_cast<long double>(rho0) + rho1) / 2;
        const double s1 = kGravity * rho1 - q * s1v;
        sigma = sigma0 + dz * 0.5 * (s0 + s1);
        m.Dz[k] = dz;
        m.RHOB[k] = rhob;
        m.SIGMAV[k] = sigma;
        m.SIGMAW[k] = sigma * K;
        mass = static_cast<double>(mass + rhob * dz * A);
    }
    m.Fuellmenge = mass;
}

void integrateShaft(SiloModel& m) {
    const double h = m.Hoberflaeche - (m.Hspitzeoben - m.Hspitzeauslauf) - m.Hunttricht;
    integrateVertical(m, 1, m.Schritteschaft, h, m.Phixschaft, m.Flaeche, m.Umfang);
}

void integrateBelow(SiloModel& m) {
    const double h =
        m.Hunttricht + m.Hkegel <= m.Fuellhoehe ? m.Hunttricht : m.Fuellhoehe - m.Hkegel;
    integrateVertical(m, m.Schritteschaft + m.Schrittetrichter + 1, m.Schritteunten, h,
                      m.Phixunten, m.Flaecheunten, m.Umfangunten);
}

// Hopper slices: the support by the inclined walls is n/r per metre (r the
// distance from the imaginary apex), plus the end-wall friction of a wedge.
// The density is evaluated at the major principal stress: the mean vertical
// stress when filling, (1 + sin PHIE)/(1 - sin PHIE) times it on discharge.
void integrateHopper(SiloModel& m) {
    const double r0 = m.Hunttricht + (m.Hspitzeoben - m.Hspitzeauslauf) + m.Hkegel > m.Fuellhoehe
                          ? 0.5 * m.Boberflaeche / m.TanTrichter
                          : m.Hspitzeoben;
    const double factor =
        m.Fuellzustand ? 1.0 : (1.0 + std::sin(m.PHIE)) / (1.0 - std::sin(m.PHIE));
    const int nh = m.Schrittetrichter;
    const double dz = (r0 - m.Hspitzeauslauf) / nh;
    const double N = m.TrichterN, e = m.Stirnwandterm, F = m.TrichterF;
    const double T = m.TanTrichter, L = m.Laenge;
    const bool cone = m.Querschnitt == 1;
    double sigma = static_cast<double>(m.SIGMAV[m.Schritteschaft]);
    double mass = m.Fuellmenge;
    for (int i = 1; i <= nh; ++i) {
        const int k = m.Schritteschaft + i;
        // Apex distance of the slice's upper face; both slopes use it.
        const double r = r0 - (r0 - m.Hspitzeauslauf) * (i - 1) / nh;
        const double sigma0 = sigma;
        const double rho0 = densityChecked(m, factor * sigma0);
        const double a = N / r + e;
        const double s0 = a * sigma0 - kGravity * rho0;
        const double s1v = sigma0 - dz * s0;
        const double rho1 = densityChecked(m, factor * s1v);
        const long double rhob = (static_cast<long double>(rho0) + rho1) / 2;
        const double s1 = a * s1v - kGravity * rho1;
        sigma = sigma0 - dz * 0.5 * (s0 + s1);
        m.Rtrichter[k] = r;
        m.Dz[k] = dz;
        m.RHOB[k] = rhob;
        m.SIGMAV[k] = sigma;
        m.SIGMAW[k] = sigma * F;
        const double width = 2.0 * r * T;
        const double area = cone ? kPi / 4.0 * width * width : width * L;
        mass = static_cast<double>(mass + rhob * dz * area);
    }
    m.Fuellmenge = mass;
}

// Cut area and volume above the cut of a heap at the depth fraction d
// (measured from the tip): a similar, smaller heap.
struct HeapCut {
    double area, volume;
};
HeapCut heapCut(const SiloModel& m, double d) {
    const double w = m.Boberflaeche, H = m.Hkegel, L = m.Laenge;
    if (m.Querschnitt == 1) {
        const double dw = d * w;
        return {kPi / 4.0 * dw * dw, (kPi / 3.0) * dw * dw / 4.0 * d * H};
    }
    if (L > w) {  // ridge along the length
        const double dw = d * w;
        return {dw * (dw + L - w), d * H * dw * (2.0 * (dw + L - w) + (L - w)) / 6.0};
    }
    const double dL = d * L;  // ridge along the width
    return {dL * (dL + w - L), d * H * dL * (2.0 * (dL + w - L) + (w - L)) / 6.0};
}

// Mass of the heap in 100 layers from the tip down, each layer's density
// taken at the weight of the heap above it spread over the cut.
void integrateHeap(SiloModel& m) {
    double vPrev = 0;
    for (int j = 1; j <= 100; ++j) {
        const HeapCut cut = heapCut(m, j / 100.0);
        const double sigma = kGravity * m.Fuellmenge / cut.area;
        const double rho = densityChecked(m, sigma);
        m.Fuellmenge += rho * (cut.volume - vPrev);
        vPrev = cut.volume;
    }
}

}  // namespace

void clearResults(SiloModel& m) {
    const int last = 3 * slices(m);
    for (int i = 0; i <= last; ++i) {
        m.SIGMAV[i] = m.SIGMAW[i] = m.RHOB[i] = m.Dz[i] = m.Rtrichter[i] = 0;
    }
}

bool shaftFilled(const SiloModel& m) {
    return m.Schaftja && m.Hunttricht + (m.Hspitzeoben - m.Hspitzeauslauf) + m.Hkegel < m.Fuellhoehe;
}

bool hopperFilled(const SiloModel& m) {
    return m.Trichterja && m.Hunttricht + m.Hkegel < m.Fuellhoehe;
}

void prepare(SiloModel& m, bool applyDefaults) {
    if (applyDefaults) resetToDefaults(m);
    if (m.Trichterja) {
        if (m.Fuellzustand) fillingCoefficients(m);
        else dischargeCoefficients(m);
    }
    const int n = slices(m);
    m.Schritteschaft = m.Schrittetrichter = m.Schritteunten = n;
    m.Gesamtschritte = 3 * n;
    m.Indexende = m.vertunten ? 3000 : (m.Trichterja ? 2000 : 1000);
    m.Indexanfang = m.Schaftja ? 1 : (m.Trichterja ? 1001 : 2001);
}

void calculate(SiloModel& m) {
    m.Fuellmenge = 0;
    m.Messbereichueberschritten = false;
    // The layout must fit the arrays, however the model got its counts.
    const int n = slices(m);
    m.Schritteschaft = m.Schrittetrichter = m.Schritteunten = n;
    m.Gesamtschritte = 3 * n;

    double surface;
    if (m.Schuettkegel) {
        integrateHeap(m);
        const double w = m.Boberflaeche;
        const double As = m.Querschnitt == 1 ? kPi / 4.0 * w * w : w * m.Laenge;
        surface = kGravity * m.Fuellmenge / As;
    } else {
        surface = m.Auflastspannung;
    }
    m.SIGMAV[0] = surface;

    if (shaftFilled(m)) integrateShaft(m);
    else m.SIGMAV[m.Schritteschaft] = m.SIGMAV[0];

    if (hopperFilled(m)) integrateHopper(m);
    else m.SIGMAV[m.Schritteschaft + m.Schrittetrichter] = m.SIGMAV[0];

    if (m.vertunten) integrateBelow(m);
}

void startAsTheProgramDoes(SiloModel& m) {
    clearResults(m);
    prepare(m, true);
    calculate(m);
    m.Erststart = false;
}

bool resultsFinite(const SiloModel& m) {
    if (!std::isfinite(m.Fuellmenge)) return false;
    const int last = 3 * slices(m);
    for (int i = 0; i <= last; ++i) {
        if (!std::isfinite(m.SIGMAV[i]) || !std::isfinite(m.SIGMAW[i]) ||
            !std::isfinite(m.RHOB[i]) || !std::isfinite(m.Dz[i]))
            return false;
    }
    if (m.Indexende >= 0 && m.Indexende < kResultSize &&
        (!std::isfinite(m.SIGMAV[m.Indexende]) || !std::isfinite(m.SIGMAW[m.Indexende])))
        return false;
    return true;
}

}  // namespace korvane
