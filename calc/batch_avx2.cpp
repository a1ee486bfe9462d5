// The batch kernels for AVX2 (4 doubles per vector); see batch_kernel.inc.
#define KORVANE_BATCH_NS batch_avx2
#define KORVANE_BATCH_ISA "avx2"
#define KORVANE_BATCH_WIDTH 4
#include "calc/batch_kernel.inc"
