#ifndef KZ_TESTS_MATH_MATRIX_BLASORACLE_H
#define KZ_TESTS_MATH_MATRIX_BLASORACLE_H

// The reference BLAS and LAPACK routines used as oracles by the matrix tests
// (Fortran interface: arguments by address, a hidden length per character
// argument). The test executable links the reference libraries by their own
// folder, so these are the published loops, not an optimised variant.
#include <cstddef>

extern "C" {
void dgemm_(const char* ta, const char* tb, const int* m, const int* n, const int* k,
            const double* alpha, const double* a, const int* lda, const double* b, const int* ldb,
            const double* beta, double* c, const int* ldc, std::size_t, std::size_t);
void dgemv_(const char* t, const int* m, const int* n, const double* alpha, const double* a,
            const int* lda, const double* x, const int* incx, const double* beta, double* y,
            const int* incy, std::size_t);
void dspmv_(const char* uplo, const int* n, const double* alpha, const double* ap,
            const double* x, const int* incx, const double* beta, double* y, const int* incy,
            std::size_t);
void dspr_(const char* uplo, const int* n, const double* alpha, const double* x, const int* incx,
           double* ap, std::size_t);
void dsymm_(const char* side, const char* uplo, const int* m, const int* n, const double* alpha,
            const double* a, const int* lda, const double* b, const int* ldb, const double* beta,
            double* c, const int* ldc, std::size_t, std::size_t);
void dgesv_(const int* n, const int* nrhs, double* a, const int* lda, int* ipiv, double* b,
            const int* ldb, int* info);
}

namespace kztest {

/// C (m x p) = A (m x k) B (k x p), all row-major, through the reference DGEMM
/// (row-major C = A B is column-major Cᵀ = Bᵀ Aᵀ).
inline void RefGemm(const double* a, const double* b, double* c, int m, int k, int p) {
  const double one = 1.0, zero = 0.0;
  if (m == 0 || p == 0) return;
  dgemm_("N", "N", &p, &m, &k, &one, b, &p, a, &k, &zero, c, &p, 1, 1);
}

}  // namespace kztest

#endif  // KZ_TESTS_MATH_MATRIX_BLASORACLE_H
