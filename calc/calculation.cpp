// The stress calculation: surface stress from surcharge or heap, then the
// filled sections from the surface down to the outlet, each cut into
// Schrittzahl horizontal slices and integrated with a predictor-corrector
// (Heun) step, since the bulk density depends on the stress.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "calc/batch.h"
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

// A stress the checks accept: finite, not negative, not a negative zero (its
// bits read as a signed integer lie in [0, +inf)). The batch kernels test
// the same bits.
bool soundStress(double s) {
    std::int64_t b;
    std::memcpy(&b, &s, sizeof b);
    return b >= 0 && b < 0x7FF0000000000000LL;
}

// What one section's slices leave for the summary.
struct SectionTally {
    bool run = false;       // the section was integrated
    int n = 0;              // its slices
    double dz = 0;          // their height
    bool sound = true;
    double maxSigma = 0;    // largest SIGMAV of its slices
    double swMax = 0;       // largest SIGMAW, on a tie the lowest slice
    int swSlice = 0;        // 1..n
    double endSigma = 0;    // SIGMAV at its lower end
};

// The tallies of one slice, as the batch kernels keep them.
inline void tallySlice(SectionTally& t, int i, double sigma, double sw, double rhob, double dz) {
    t.sound = t.sound && soundStress(sigma) && soundStress(sw) &&
              (rhob > 0 || (rhob >= 0 && dz == 0)) && rhob < HUGE_VAL;
    if (sigma > t.maxSigma) t.maxSigma = sigma;
    if (sw >= t.swMax) {
        t.swMax = sw;
        t.swSlice = i;
    }
}

void beginTally(SectionTally& t, int n, double dz) {
    t = SectionTally{};
    t.run = true;
    t.n = n;
    t.dz = dz;
    t.swMax = -HUGE_VAL;
}

// Janssen slices of a section with vertical walls: going down by dz the
// vertical stress grows by the slice weight g*rho*dz and falls by the wall
// friction K*tan(phi_x)*(U/A)*sigma*dz.
struct VerticalSection {
    int first, n;
    double dz, q, K, A;
};
VerticalSection verticalSection(const SiloModel& m, int first, int n, double h, double phix,
                                double A, double U) {
    return {first, n, h / n, m.Kwert * std::tan(phix) * U / A, m.Kwert, A};
}

void integrateVertical(SiloModel& m, const VerticalSection& v, SectionTally& t) {
    const double q = v.q, dz = v.dz, K = v.K, A = v.A;
    beginTally(t, v.n, dz);
    // The running stress and mass stay in registers: each slice starts from
    // the stress of the slice above, so the loop is one long dependency chain.
    double sigma = m.SIGMAV[v.first - 1];
    double mass = m.Fuellmenge;
    for (int i = 1; i <= v.n; ++i) {
        const int k = v.first + i - 1;
        // Heun step: slope at the upper face, predictor, slope at the lower
        // face, corrector.
        const double sigma0 = sigma;
        const double rho0 = densityChecked(m, sigma0);
        const double s0 = kGravity * rho0 - q * sigma0;
        const double s1v = sigma0 + dz * s0;
        const double rho1 = densityChecked(m, s1v);
        const double rhob = (rho0 + rho1) / 2;
        const double s1 = kGravity * rho1 - q * s1v;
        sigma = sigma0 + dz * 0.5 * (s0 + s1);
        m.Dz[k] = dz;
        m.RHOB[k] = rhob;
        m.SIGMAV[k] = sigma;
        m.SIGMAW[k] = sigma * K;
        mass = mass + rhob * dz * A;
        tallySlice(t, i, sigma, sigma * K, rhob, dz);
    }
    m.Fuellmenge = mass;
    t.endSigma = sigma;
}

VerticalSection shaftSection(const SiloModel& m) {
    const double h = m.Hoberflaeche - (m.Hspitzeoben - m.Hspitzeauslauf) - m.Hunttricht;
    return verticalSection(m, 1, m.Schritteschaft, h, m.Phixschaft, m.Flaeche, m.Umfang);
}

VerticalSection belowSection(const SiloModel& m) {
    const double h =
        m.Hunttricht + m.Hkegel <= m.Fuellhoehe ? m.Hunttricht : m.Fuellhoehe - m.Hkegel;
    return verticalSection(m, m.Schritteschaft + m.Schrittetrichter + 1, m.Schritteunten, h,
                           m.Phixunten, m.Flaecheunten, m.Umfangunten);
}

// Hopper slices: the support by the inclined walls is n/r per metre (r the
// distance from the imaginary apex), plus the end-wall friction of a wedge.
// The density is evaluated at the major principal stress: the mean vertical
// stress when filling, (1 + sin PHIE)/(1 - sin PHIE) times it on discharge.
double principalFactor(const SiloModel& m) {
    return m.Fuellzustand ? 1.0 : (1.0 + std::sin(m.PHIE)) / (1.0 - std::sin(m.PHIE));
}

struct HopperSection {
    int n;
    double r0, step, dz, N, e, F, T, L, factor;
    bool cone;
};
HopperSection hopperSection(const SiloModel& m) {
    HopperSection h;
    h.r0 = m.Hunttricht + (m.Hspitzeoben - m.Hspitzeauslauf) + m.Hkegel > m.Fuellhoehe
               ? 0.5 * m.Boberflaeche / m.TanTrichter
               : m.Hspitzeoben;
    h.n = m.Schrittetrichter;
    h.dz = (h.r0 - m.Hspitzeauslauf) / h.n;
    h.step = h.dz;  // the apex distance falls by one slice height per slice
    h.N = m.TrichterN;
    h.e = m.Stirnwandterm;
    h.F = m.TrichterF;
    h.T = m.TanTrichter;
    h.L = m.Laenge;
    h.factor = principalFactor(m);
    h.cone = m.Querschnitt == 1;
    return h;
}

void integrateHopper(SiloModel& m, const HopperSection& h, SectionTally& t) {
    const double r0 = h.r0, dz = h.dz, factor = h.factor;
    const double N = h.N, e = h.e, F = h.F, T = h.T, L = h.L;
    const int nh = h.n;
    beginTally(t, nh, dz);
    double sigma = m.SIGMAV[m.Schritteschaft];
    double mass = m.Fuellmenge;
    for (int i = 1; i <= nh; ++i) {
        const int k = m.Schritteschaft + i;
        // Apex distance of the slice's upper face; both slopes use it.
        const double r = r0 - h.step * (i - 1);
        const double sigma0 = sigma;
        const double rho0 = densityChecked(m, factor * sigma0);
        const double a = N / r + e;
        const double s0 = a * sigma0 - kGravity * rho0;
        const double s1v = sigma0 - dz * s0;
        const double rho1 = densityChecked(m, factor * s1v);
        const double rhob = (rho0 + rho1) / 2;
        const double s1 = a * s1v - kGravity * rho1;
        sigma = sigma0 - dz * 0.5 * (s0 + s1);
        m.Rtrichter[k] = r;
        m.Dz[k] = dz;
        m.RHOB[k] = rhob;
        m.SIGMAV[k] = sigma;
        m.SIGMAW[k] = sigma * F;
        const double width = 2.0 * r * T;
        const double area = h.cone ? kPi / 4.0 * width * width : width * L;
        mass = mass + rhob * dz * area;
        tallySlice(t, i, sigma, sigma * F, rhob, dz);
    }
    m.Fuellmenge = mass;
    t.endSigma = sigma;
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

// Start of a calculation: the layout, the contents of the heap and the
// stress at the surface (from the heap's weight or the surcharge).
double beginCalculation(SiloModel& m) {
    m.Fuellmenge = 0;
    m.Messbereichueberschritten = false;
    // The layout must fit the arrays, however the model got its counts.
    const int n = slices(m);
    m.Schritteschaft = m.Schrittetrichter = m.Schritteunten = n;
    m.Gesamtschritte = 3 * n;
    if (!m.Schuettkegel) return m.Auflastspannung;
    integrateHeap(m);
    const double w = m.Boberflaeche;
    const double As = m.Querschnitt == 1 ? kPi / 4.0 * w * w : w * m.Laenge;
    return kGravity * m.Fuellmenge / As;
}

// The summary from the sections' tallies (0 shaft, 1 hopper, 2 below).
void finishSummary(SiloModel& m, double surface, const SectionTally t[3]) {
    CalcSummary s;
    s.sound = soundStress(surface) && std::isfinite(m.Fuellmenge);
    for (int k = 0; k < 3; ++k) {
        if (!t[k].run) continue;
        s.sound = s.sound && t[k].sound && t[k].dz >= 0 && t[k].dz < HUGE_VAL;
        s.depth += t[k].n * t[k].dz;
    }
    // Stresses at the section ends (a section not filled passes the surface
    // stress on), and the major principal stresses of the slots as the
    // hopper's slots count them (the slots of its ends included).
    const int n = slices(m);
    const double factor = principalFactor(m);
    const double atShaftEnd = t[0].run ? t[0].endSigma : surface;
    const double atHopperEnd = t[1].run ? t[1].endSigma : surface;
    double largest = std::max(0.0, surface);
    if (t[0].run) largest = std::max(largest, t[0].maxSigma);
    largest = std::max(largest, atShaftEnd * factor);
    largest = std::max(largest, t[1].run ? t[1].maxSigma * factor : surface * factor);
    if (t[2].run) largest = std::max(largest, t[2].maxSigma);
    s.largestStress = largest;
    const int ende = m.Indexende;
    s.outletStress = ende == 3 * n ? (t[2].run ? t[2].endSigma : 0.0)
                   : ende == 2 * n ? atHopperEnd
                   : ende == n     ? atShaftEnd
                                   : 0.0;
    // Largest wall stress, from the top down, a lower one winning a tie.
    int best = -1;
    for (int k = 0; k < 3; ++k)
        if (t[k].run && (best < 0 || t[k].swMax >= t[best].swMax)) best = k;
    if (best >= 0) {
        double z = 0;
        for (int k = 2; k > best; --k)
            if (t[k].run) z += t[k].n * t[k].dz;
        z += (t[best].n - t[best].swSlice) * t[best].dz;
        s.sigmawMax = t[best].swMax;
        s.zSigmawMax = z;
    }
    m.summary = s;
}

}  // namespace

void clearResults(SiloModel& m) {
    const int last = 3 * slices(m);
    for (int i = 0; i <= last; ++i) {
        m.SIGMAV[i] = m.SIGMAW[i] = m.RHOB[i] = m.Dz[i] = m.Rtrichter[i] = 0;
    }
    m.summary = CalcSummary{};
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
    const double surface = beginCalculation(m);
    m.SIGMAV[0] = surface;
    SectionTally t[3];

    if (shaftFilled(m)) integrateVertical(m, shaftSection(m), t[0]);
    else m.SIGMAV[m.Schritteschaft] = m.SIGMAV[0];

    if (hopperFilled(m)) integrateHopper(m, hopperSection(m), t[1]);
    else m.SIGMAV[m.Schritteschaft + m.Schrittetrichter] = m.SIGMAV[0];

    if (m.vertunten) integrateVertical(m, belowSection(m), t[2]);
    finishSummary(m, surface, t);
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

// ---- many silos at once ------------------------------------------------------

double laneDensity(const SiloModel* m, double sigma) { return density(*m, sigma); }

const BatchKernels* batchKernelsFor(const char* isa) {
    const std::string name = isa ? isa : "";
    if (name == "sse2") return &batch_sse2::kKernels;
    if (name == "avx2")
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")
                   ? &batch_avx2::kKernels
                   : nullptr;
    if (name == "avx512")
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq")
                   ? &batch_avx512::kKernels
                   : nullptr;
    return nullptr;
}

const BatchKernels& batchKernels() {
    static const BatchKernels* chosen = [] {
        if (const BatchKernels* k = batchKernelsFor(std::getenv("KORVANE_ISA"))) return k;
        for (const char* isa : {"avx512", "avx2"})
            if (const BatchKernels* k = batchKernelsFor(isa)) return k;
        return &batch_sse2::kKernels;
    }();
    return *chosen;
}

SliceStructure sliceStructure(const SiloModel& m) {
    SliceStructure s;
    s.shaft = shaftFilled(m);
    s.hopper = hopperFilled(m);
    s.below = m.vertunten;
    s.n = slices(m);
    switch (m.Dichtemodus()) {
        case 0: s.law = kLawConstant; break;
        case 1: s.law = m.SIGMA0 >= 1e-5 ? kLawFunction : kLawLinear; break;
        default:
            s.law = m.Anpassart == 0 ? kLawLinear
                  : m.Anpassart == 2 ? kLawFittedExp
                                     : kLawPerLane;
    }
    return s;
}

void calculateBatch(SiloModel* const* models, int count, const BatchKernels& kernels) {
    if (count <= 0) return;
    if (count > kBatchLanes) count = kBatchLanes;
    static thread_local const std::unique_ptr<BatchLanes> space = std::make_unique<BatchLanes>();
    BatchLanes& b = *space;
    const SliceStructure key = sliceStructure(*models[0]);
    double surface[kBatchLanes];
    SectionTally t[kBatchLanes][3];
    // Lanes beyond `count` repeat the last silo; their results are dropped.
    auto pad = [count](double* a) {
        for (int l = count; l < kBatchLanes; ++l) a[l] = a[count - 1];
    };
    for (int l = 0; l < count; ++l) {
        SiloModel& m = *models[l];
        surface[l] = beginCalculation(m);
        b.sigma[l] = surface[l];
        b.mass[l] = m.Fuellmenge;
        b.model[l] = &m;
        b.rhomin[l] = b.diff[l] = b.inv[l] = b.sigma0[l] = b.slope[l] = 0;
        switch (key.law) {
            case kLawConstant: b.rhomin[l] = m.RHOMIN; break;
            case kLawFunction:
                b.rhomin[l] = m.RHOMIN;
                b.diff[l] = m.RHOMAX - m.RHOMIN;
                b.inv[l] = 1.0 / m.SIGMA0;
                b.slope[l] = m.Rhosteigung;
                break;
            case kLawLinear:
                b.rhomin[l] = m.Dichtemodus() == 1 ? m.RHOMIN : m.AnpassA;
                b.slope[l] = m.Dichtemodus() == 1 ? m.Rhosteigung : m.AnpassB;
                break;
            case kLawFittedExp:
                b.rhomin[l] = m.AnpassRHOMIN;
                b.diff[l] = m.AnpassRHOMAX - m.AnpassRHOMIN;
                b.sigma0[l] = m.AnpassSIGMA0;
                break;
            default: break;
        }
    }
    for (int l = count; l < kBatchLanes; ++l) b.model[l] = b.model[count - 1];
    for (double* a : {b.sigma, b.mass, b.rhomin, b.diff, b.inv, b.sigma0, b.slope}) pad(a);

    auto collect = [&](int k) {
        for (int l = 0; l < count; ++l) {
            SectionTally& s = t[l][k];
            s.run = true;
            s.n = key.n;
            s.dz = b.dz[l];
            s.sound = b.sound[l] != 0;
            s.maxSigma = b.maxSigma[l];
            s.swMax = b.swMax[l];
            s.swSlice = static_cast<int>(b.swSlice[l]);
            s.endSigma = b.sigma[l];
        }
    };
    auto vertical = [&](int k, VerticalSection (*section)(const SiloModel&)) {
        for (int l = 0; l < count; ++l) {
            const VerticalSection v = section(*models[l]);
            b.dz[l] = v.dz;
            b.q[l] = v.q;
            b.K[l] = v.K;
            b.area[l] = v.A;
        }
        for (double* a : {b.dz, b.q, b.K, b.area}) pad(a);
        kernels.vertical(b, key.n, key.law);
        collect(k);
    };
    if (key.shaft) vertical(0, shaftSection);
    if (key.hopper) {
        for (int l = 0; l < count; ++l) {
            const HopperSection h = hopperSection(*models[l]);
            b.r0[l] = h.r0;
            b.step[l] = h.step;
            b.dz[l] = h.dz;
            b.N[l] = h.N;
            b.e[l] = h.e;
            b.F[l] = h.F;
            b.T[l] = h.T;
            b.L[l] = h.L;
            b.factor[l] = h.factor;
            b.cone[l] = h.cone ? 1.0 : 0.0;
        }
        for (double* a : {b.r0, b.step, b.dz, b.N, b.e, b.F, b.T, b.L, b.factor, b.cone}) pad(a);
        kernels.hopper(b, key.n, key.law);
        collect(1);
    } else {
        // The section below starts from the surface stress, as in calculate().
        for (int l = 0; l < count; ++l) b.sigma[l] = surface[l];
        pad(b.sigma);
    }
    if (key.below) vertical(2, belowSection);
    for (int l = 0; l < count; ++l) {
        SiloModel& m = *models[l];
        m.Fuellmenge = b.mass[l];
        finishSummary(m, surface[l], t[l]);
    }
}

void calculateBatch(SiloModel* const* models, int count) {
    calculateBatch(models, count, batchKernels());
}

}  // namespace korvane
