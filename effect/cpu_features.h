// What the processor running the module offers beyond the build's baseline.
#pragma once

// True when the processor has AVX2 and the operating system saves the YMM
// registers across task switches, so AVX2 code may run.
bool cpuHasAvx2();

// True when the processor has AVX-512 Foundation and the operating system
// saves the opmask and full ZMM registers (XCR0 bits 5 to 7 beside the SSE
// and AVX bits), so AVX512F code may run.
bool cpuHasAvx512f();

// True when cpuid names the vendor "AuthenticAMD".
bool cpuIsAmd();
