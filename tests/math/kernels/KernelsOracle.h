#ifndef KZ_TESTS_MATH_KERNELS_KERNELSORACLE_H
#define KZ_TESTS_MATH_KERNELS_KERNELSORACLE_H

// The reference BLAS and LAPACK (Fortran interface) as oracles for the kernel
// tests, and builders of test matrices from fixed seeds.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

extern "C" {
double ddot_(const int* n, const double* x, const int* incx, const double* y, const int* incy);
double dasum_(const int* n, const double* x, const int* incx);
void daxpy_(const int* n, const double* a, const double* x, const int* incx, double* y,
            const int* incy);
void dcopy_(const int* n, const double* x, const int* incx, double* y, const int* incy);
void dswap_(const int* n, double* x, const int* incx, double* y, const int* incy);
void drot_(const int* n, double* x, const int* incx, double* y, const int* incy, const double* c,
           const double* s);
void dscal_(const int* n, const double* a, double* x, const int* incx);
int idamax_(const int* n, const double* x, const int* incx);

void dgetrf_(const int* m, const int* n, double* a, const int* lda, int* ipiv, int* info);
void dgetrs_(const char* trans, const int* n, const int* nrhs, const double* a, const int* lda,
             const int* ipiv, double* b, const int* ldb, int* info, std::size_t trans_len);
void dgetri_(const int* n, double* a, const int* lda, const int* ipiv, double* work,
             const int* lwork, int* info);
void dsptrf_(const char* uplo, const int* n, double* ap, int* ipiv, int* info,
             std::size_t uplo_len);
void dsptrs_(const char* uplo, const int* n, const int* nrhs, const double* ap, const int* ipiv,
             double* b, const int* ldb, int* info, std::size_t uplo_len);
}

namespace kztest {

/// Same bits (so -0.0 differs from 0.0 and a NaN equals itself).
inline bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

/// n uniform values in [-1, 1) from a fixed seed.
inline std::vector<double> RandomVector(std::size_t n, std::uint32_t seed) {
  std::mt19937_64 gen(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::vector<double> v(n);
  for (double& x : v) x = u(gen);
  return v;
}

/// Column-major n x n matrix of order n with leading dimension lda >= n; the
/// rows below n hold a sentinel that a routine must never touch.
inline std::vector<double> RandomMatrix(int n, int lda, std::uint32_t seed) {
  std::vector<double> a(static_cast<std::size_t>(lda) * static_cast<std::size_t>(n), 777.0);
  const std::vector<double> v = RandomVector(static_cast<std::size_t>(n) * n, seed);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i)
      a[static_cast<std::size_t>(j) * lda + i] = v[static_cast<std::size_t>(j) * n + i];
  return a;
}

/// Hilbert matrix h(i, j) = 1/(i + j + 1), 0-based, column-major with lda = n.
inline std::vector<double> Hilbert(int n) {
  std::vector<double> a(static_cast<std::size_t>(n) * n);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) a[static_cast<std::size_t>(j) * n + i] = 1.0 / (i + j + 1);
  return a;
}

/// Packed position of (i, j), 0-based, j <= i (lower by rows = upper by columns).
inline std::size_t Pk(int i, int j) {
  return i >= j ? static_cast<std::size_t>(i) * (i + 1) / 2 + j
                : static_cast<std::size_t>(j) * (j + 1) / 2 + i;
}

/// Unpacks a packed symmetric matrix to column-major full storage (lda = n).
inline std::vector<double> Unpack(const std::vector<double>& ap, int n) {
  std::vector<double> a(static_cast<std::size_t>(n) * n);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) a[static_cast<std::size_t>(j) * n + i] = ap[Pk(i, j)];
  return a;
}

/// 1-norm condition number of the column-major matrix a (lda = n), the inverse
/// formed by LAPACK dgetrf/dgetri; 0 if LAPACK finds it singular.
inline double Kappa1(std::vector<double> a, int n) {
  auto norm1 = [n](const std::vector<double>& m) {
    double best = 0.0;
    for (int j = 0; j < n; ++j) {
      double s = 0.0;
      for (int i = 0; i < n; ++i) {
        const double x = m[static_cast<std::size_t>(j) * n + i];
        s += x < 0 ? -x : x;
      }
      if (s > best) best = s;
    }
    return best;
  };
  const double an = norm1(a);
  std::vector<int> ipiv(static_cast<std::size_t>(n));
  int info = 0;
  dgetrf_(&n, &n, a.data(), &n, ipiv.data(), &info);
  if (info != 0) return 0.0;
  const int lwork = 64 * n;
  std::vector<double> work(static_cast<std::size_t>(lwork));
  dgetri_(&n, a.data(), &n, ipiv.data(), work.data(), &lwork, &info);
  return an * norm1(a);
}

}  // namespace kztest

#endif  // KZ_TESTS_MATH_KERNELS_KERNELSORACLE_H
