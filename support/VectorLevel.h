// VectorLevel: the widest vector instruction set this processor runs, for code that picks its
// kernels at run time (SSE2 is the floor of every x86-64 processor).
#pragma once

enum class VectorLevel { kSse2, kAvx2 };

// Asked of the processor once; afterwards a constant read, safe on the audio thread.
VectorLevel WidestVectorLevel();
