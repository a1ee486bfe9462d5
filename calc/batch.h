// Many silos integrated together: the slices of one section of kBatchLanes
// silos, slice step by slice step, with a vector exp. The silos of a batch
// share their slice structure (which sections are filled, the number of
// slices, the kind of density law); everything else is per silo (per lane).
// The arithmetic of every lane is the scalar calculation's, operation for
// operation; only exp is the kernels' own vector exp (within about 1 ulp of
// libm's).
//
// The kernels are compiled once per instruction set (SSE2, AVX2, AVX-512)
// and the widest the processor has is chosen when first asked for.
#pragma once

#include <cstdint>

namespace korvane {

struct SiloModel;

constexpr int kBatchLanes = 32;

// The density law of a batch, as the calculation evaluates it.
enum BatchLaw : int {
    kLawConstant = 0,   // RHOMIN
    kLawFunction = 1,   // (1 - exp(-s / SIGMA0)) (RHOMAX - RHOMIN) + s Rhosteigung + RHOMIN
    kLawLinear = 2,     // fitted straight line B s + A (also the function with SIGMA0 ~ 0)
    kLawFittedExp = 3,  // fitted exponential law
    kLawPerLane = 4,    // logarithmic or interpolated: the scalar law per lane
};

// Lane data of one section; all arrays indexed by lane.
struct alignas(64) BatchLanes {
    // density law: rho = (1 - exp(-s * inv)) * diff + s * slope + rhomin
    // (kLawFittedExp: exp(-s / sigma0)); kLawLinear: slope * s + rhomin
    double rhomin[kBatchLanes], diff[kBatchLanes], inv[kBatchLanes], sigma0[kBatchLanes],
        slope[kBatchLanes];
    const SiloModel* model[kBatchLanes];  // kLawPerLane
    // section: vertical (q, K, area) or hopper (r0, step, N, e, F, T, L, factor, cone)
    double dz[kBatchLanes], q[kBatchLanes], K[kBatchLanes], area[kBatchLanes];
    double r0[kBatchLanes], step[kBatchLanes], N[kBatchLanes], e[kBatchLanes], F[kBatchLanes],
        T[kBatchLanes], L[kBatchLanes], factor[kBatchLanes], cone[kBatchLanes];
    // running state, in and out
    double sigma[kBatchLanes], mass[kBatchLanes];
    // tallies of the section, out
    double sound[kBatchLanes];     // 1 when every slice was sound
    double maxSigma[kBatchLanes];  // largest SIGMAV of the section's slices
    double swMax[kBatchLanes];     // largest SIGMAW
    double swSlice[kBatchLanes];   // its slice (1..n), the lowest on a tie; 0 none
};

struct BatchKernels {
    const char* isa;  // "sse2", "avx2", "avx512"
    void (*vertical)(BatchLanes& b, int n, int law);
    void (*hopper)(BatchLanes& b, int n, int law);
};

// The kernels for the widest instruction set of this processor; the
// environment variable KORVANE_ISA (sse2, avx2, avx512) may ask for a
// narrower one.
const BatchKernels& batchKernels();
// The kernels of one instruction set, or nullptr when the processor lacks it.
const BatchKernels* batchKernelsFor(const char* isa);

// The scalar density of a model (kLawPerLane).
double laneDensity(const SiloModel* m, double sigma);

namespace batch_sse2 { extern const BatchKernels kKernels; }
namespace batch_avx2 { extern const BatchKernels kKernels; }
namespace batch_avx512 { extern const BatchKernels kKernels; }

}  // namespace korvane
