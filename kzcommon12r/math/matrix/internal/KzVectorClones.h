#ifndef KZCOMMON12R_MATH_MATRIX_INTERNAL_KZVECTORCLONES_H
#define KZCOMMON12R_MATH_MATRIX_INTERNAL_KZVECTORCLONES_H

// KZ_MATRIX_VECTOR_CLONES marks an element-wise kernel (each output element one
// product and one sum, in a fixed order) for copies compiled for wider vector
// registers, the one matching the processor being chosen once at load time.
// No clone forms a fused multiply-add (-ffp-contract=off, no "fma" target), so
// every clone rounds exactly as the baseline code does. Not installed.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define KZ_MATRIX_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define KZ_MATRIX_VECTOR_CLONES
#endif

namespace KzMath_1_2 {
namespace internal {

/// y[0..len) += a * x[0..len) for arrays that do not overlap: each element one
/// product and one sum, so the vector clones give the baseline's results.
void AxpyDisjoint(double* __restrict y, const double* __restrict x, double a, int len);

}  // namespace internal
}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_INTERNAL_KZVECTORCLONES_H
