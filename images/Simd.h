// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Marks a function whose loops the compiler vectorises: on x86-64 it is built
// twice, for AVX2 and for the baseline, and the right one is picked when the
// program loads.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_ADDRESS__)
#define QUILLERY_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define QUILLERY_VECTOR_CLONES
#endif
