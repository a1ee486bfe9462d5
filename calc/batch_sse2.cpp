// The batch kernels for SSE2 (2 doubles per vector); see batch_kernel.inc.
#define KORVANE_BATCH_NS batch_sse2
#define KORVANE_BATCH_ISA "sse2"
#define KORVANE_BATCH_WIDTH 2
#include "calc/batch_kernel.inc"
