// The batch kernels for AVX-512 (8 doubles per vector); see batch_kernel.inc.
#define KORVANE_BATCH_NS batch_avx512
#define KORVANE_BATCH_ISA "avx512"
#define KORVANE_BATCH_WIDTH 8
#include "calc/batch_kernel.inc"
