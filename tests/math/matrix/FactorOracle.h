#ifndef KZ_TESTS_MATH_MATRIX_FACTORORACLE_H
#define KZ_TESTS_MATH_MATRIX_FACTORORACLE_H

// Reference LAPACK routines that serve as independent oracles for the
// factorisation tests (Fortran interface: arguments by address, one hidden
// length per character argument), and small helpers around them. The test
// executable links the reference libraries by their own folder.

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" {
void dpptrf_(const char* uplo, const int* n, double* ap, int* info, std::size_t);
void dpptri_(const char* uplo, const int* n, double* ap, int* info, std::size_t);
void dppsv_(const char* uplo, const int* n, const int* nrhs, double* ap, double* b,
            const int* ldb, int* info, std::size_t);
void dgels_(const char* trans, const int* m, const int* n, const int* nrhs, double* a,
            const int* lda, double* b, const int* ldb, double* work, const int* lwork, int* info,
            std::size_t);
void dgesv_(const int* n, const int* nrhs, double* a, const int* lda, int* ipiv, double* b,
            const int* ldb, int* info);
}

namespace kztest {

/// LAPACK DPPTRF('U') on a copy of the packed lower triangle by rows (the same
/// memory as LAPACK's packed upper triangle by columns): the packed L, or an
/// empty vector when DPPTRF reports a non-positive pivot.
inline std::vector<double> RefPackedCholesky(const std::vector<double>& packed, int n) {
  std::vector<double> ap(packed);
  int info = 0;
  dpptrf_("U", &n, ap.data(), &info, 1);
  if (info != 0) ap.clear();
  return ap;
}

/// The packed inverse of a positive definite packed matrix (DPPTRF + DPPTRI).
inline std::vector<double> RefPackedInverse(const std::vector<double>& packed, int n) {
  std::vector<double> ap(packed);
  int info = 0;
  dpptrf_("U", &n, ap.data(), &info, 1);
  if (info != 0) return {};
  dpptri_("U", &n, ap.data(), &info, 1);
  return ap;
}

/// Least squares min |A x - B| of a row-major rows x cols A (rows >= cols,
/// full rank) and nrhs row-major right-hand sides: the cols x nrhs solution,
/// row-major, and rss[j] = the residual sum of squares of column j.
inline std::vector<double> RefLeastSquares(const std::vector<double>& aRowMajor, int rows, int cols,
                                           const std::vector<double>& bRowMajor, int nrhs,
                                           std::vector<double>* rss = nullptr) {
  std::vector<double> a(static_cast<std::size_t>(rows) * cols);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) a[static_cast<std::size_t>(c) * rows + r] = aRowMajor[static_cast<std::size_t>(r) * cols + c];
  std::vector<double> b(static_cast<std::size_t>(rows) * nrhs);
  for (int r = 0; r < rows; ++r)
    for (int j = 0; j < nrhs; ++j) b[static_cast<std::size_t>(j) * rows + r] = bRowMajor[static_cast<std::size_t>(r) * nrhs + j];
  int info = 0, lwork = -1;
  double query = 0.0;
  dgels_("N", &rows, &cols, &nrhs, a.data(), &rows, b.data(), &rows, &query, &lwork, &info, 1);
  lwork = static_cast<int>(query);
  std::vector<double> work(static_cast<std::size_t>(lwork));
  dgels_("N", &rows, &cols, &nrhs, a.data(), &rows, b.data(), &rows, work.data(), &lwork, &info,
         1);
  std::vector<double> x(static_cast<std::size_t>(cols) * nrhs);
  for (int c = 0; c < cols; ++c)
    for (int j = 0; j < nrhs; ++j) x[static_cast<std::size_t>(c) * nrhs + j] = b[static_cast<std::size_t>(j) * rows + c];
  if (rss != nullptr) {
    rss->assign(static_cast<std::size_t>(nrhs), 0.0);
    for (int j = 0; j < nrhs; ++j)
      for (int r = cols; r < rows; ++r) {
        const double v = b[static_cast<std::size_t>(j) * rows + r];
        (*rss)[static_cast<std::size_t>(j)] += v * v;
      }
  }
  return x;
}

/// Solution of a general square system (row-major A) by DGESV; empty when
/// singular.
inline std::vector<double> RefSolve(const std::vector<double>& aRowMajor, int n,
                                    const std::vector<double>& b) {
  std::vector<double> a(static_cast<std::size_t>(n) * n);
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < n; ++c) a[static_cast<std::size_t>(c) * n + r] = aRowMajor[static_cast<std::size_t>(r) * n + c];
  std::vector<double> x(b);
  std::vector<int> ipiv(static_cast<std::size_t>(n));
  int info = 0, one = 1;
  dgesv_(&n, &one, a.data(), &n, ipiv.data(), x.data(), &n, &info);
  if (info != 0) x.clear();
  return x;
}

}  // namespace kztest

#endif  // KZ_TESTS_MATH_MATRIX_FACTORORACLE_H
