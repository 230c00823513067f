#include "support/KzMatrixBuilders.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <random>
#include <utility>

#include "kzcommon12r/math/matrix/KzRectMatrixData.h"
#include "kzcommon12r/math/matrix/KzSymMatrixData.h"

namespace kztest {

namespace {

std::size_t Sz(int n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }

}  // namespace

std::vector<double> RandomVector(int n, std::uint32_t seed) {
  std::mt19937 gen(seed);
  std::vector<double> v(Sz(n));
  for (double& x : v) {
    // 53 random bits: 27 from one draw, 26 from the next.
    const std::uint64_t hi = gen() >> 5;
    const std::uint64_t lo = gen() >> 6;
    const double u = static_cast<double>((hi << 26) | lo) * 0x1p-53;  // [0, 1)
    x = 2.0 * u - 1.0;
  }
  return v;
}

std::vector<double> HilbertRowMajor(int rows, int cols) {
  std::vector<double> h(Sz(rows) * Sz(cols));
  for (std::size_t i = 0; i < Sz(rows); ++i)
    for (std::size_t j = 0; j < Sz(cols); ++j)
      h[i * Sz(cols) + j] = 1.0 / static_cast<double>(i + j + 1);
  return h;
}

std::vector<double> HilbertPacked(int n) {
  std::vector<double> h;
  h.reserve(Sz(n) * (Sz(n) + 1) / 2);
  for (std::size_t i = 0; i < Sz(n); ++i)
    for (std::size_t j = 0; j <= i; ++j) h.push_back(1.0 / static_cast<double>(i + j + 1));
  return h;
}

std::vector<double> KnownRankRowMajor(int rows, int cols, int rank, std::uint32_t seed) {
  const std::size_t m = Sz(rows), n = Sz(cols), r = Sz(rank);
  const std::vector<double> a = RandomVector(static_cast<int>(m * r), seed);
  const std::vector<double> b = RandomVector(static_cast<int>(r * n), seed + 1);
  std::vector<double> out(m * n, 0.0);
  for (std::size_t i = 0; i < m; ++i)
    for (std::size_t j = 0; j < n; ++j) {
      double s = 0.0;
      for (std::size_t k = 0; k < r; ++k) s += a[i * r + k] * b[k * n + j];
      out[i * n + j] = s;
    }
  return out;
}

std::vector<double> KnownRankSymPacked(int n, int rank, std::uint32_t seed) {
  const std::size_t m = Sz(n), r = Sz(rank);
  const std::vector<double> c = RandomVector(static_cast<int>(m * r), seed);
  std::vector<double> out;
  out.reserve(m * (m + 1) / 2);
  for (std::size_t i = 0; i < m; ++i)
    for (std::size_t j = 0; j <= i; ++j) {
      double s = 0.0;
      for (std::size_t k = 0; k < r; ++k) s += c[i * r + k] * c[j * r + k];
      out.push_back(s);
    }
  return out;
}

std::vector<double> PackLower(const std::vector<double>& rowMajor, int n) {
  std::vector<double> p;
  p.reserve(Sz(n) * (Sz(n) + 1) / 2);
  for (std::size_t i = 0; i < Sz(n); ++i)
    for (std::size_t j = 0; j <= i; ++j) p.push_back(rowMajor.at(i * Sz(n) + j));
  return p;
}

std::vector<double> UnpackSym(const std::vector<double>& packed, int n) {
  std::vector<double> full(Sz(n) * Sz(n));
  std::size_t pos = 0;
  for (std::size_t i = 0; i < Sz(n); ++i)
    for (std::size_t j = 0; j <= i; ++j, ++pos) {
      full[i * Sz(n) + j] = packed.at(pos);
      full[j * Sz(n) + i] = packed.at(pos);
    }
  return full;
}

bool Fill(KzMath_1_2::KzRectMatrixData& m, const std::vector<double>& rowMajor) {
  if (rowMajor.size() != m.AsVectorConst().size()) return false;
  std::copy(rowMajor.begin(), rowMajor.end(), m.Data());
  return true;
}

bool Fill(KzMath_1_2::KzSymMatrixData& m, const std::vector<double>& packed) {
  if (packed.size() != m.AsVectorConst().size()) return false;
  std::copy(packed.begin(), packed.end(), m.Data());
  return true;
}

int NumericalRank(std::vector<double> a, int rows, int cols, double tol) {
  const std::size_t m = Sz(rows), n = Sz(cols);
  double scale = 0.0;
  for (double x : a) scale = std::max(scale, std::fabs(x));
  if (scale == 0.0) return 0;
  int rank = 0;
  for (std::size_t k = 0; k < std::min(m, n); ++k) {
    // Complete pivoting over the trailing block.
    std::size_t pr = k, pc = k;
    double best = 0.0;
    for (std::size_t i = k; i < m; ++i)
      for (std::size_t j = k; j < n; ++j)
        if (std::fabs(a[i * n + j]) > best) {
          best = std::fabs(a[i * n + j]);
          pr = i;
          pc = j;
        }
    if (best <= tol * scale) break;
    for (std::size_t j = 0; j < n; ++j) std::swap(a[k * n + j], a[pr * n + j]);
    for (std::size_t i = 0; i < m; ++i) std::swap(a[i * n + k], a[i * n + pc]);
    for (std::size_t i = k + 1; i < m; ++i) {
      const double f = a[i * n + k] / a[k * n + k];
      for (std::size_t j = k; j < n; ++j) a[i * n + j] -= f * a[k * n + j];
    }
    ++rank;
  }
  return rank;
}

}  // namespace kztest
