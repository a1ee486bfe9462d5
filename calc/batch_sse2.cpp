// The batch kernels for SSE2 (2 doubles per vector); see batch_kernel.inc.
#define KORVANE_BATCH_NS batch_sse2
#define KORVANE_BATCH_ISA "sse2"
#define KORVANE_BATCH_WIDTH 2
#define KORVANE_BATCH_VT __m128d
#define KORVANE_BATCH_EXP Sleef_expd2_u10sse2
#include "calc/batch_kernel.inc"
