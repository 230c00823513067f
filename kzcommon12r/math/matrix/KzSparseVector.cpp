// Sparse vector view. The multinomial probabilities follow the
// shifted log-sum-exp of the Part: every exponential is taken of an argument
// in [-708.39, 709], so none overflows and none underflows into a subnormal.
#include "kzcommon12r/math/matrix/KzSparseVector.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/display/KzDisplay.h"

namespace KzMath_1_2 {

using KzCommon_1_2::KzMV;

namespace {

// exp(x) is 0 in the Part's arithmetic below this argument (the smallest
// normal double is exp(-708.3964)).
constexpr double kExpLow = -708.39;
// exp(709) is close to the largest finite double.
constexpr double kExpHigh = 709.0;
// Predictors held on the stack by ComputeProbabilities.
constexpr std::size_t kLocalPredictors = 64;

bool DecideValidity(const std::vector<int>& indices, const std::vector<double>& values) {
  const std::size_t n = indices.size();
  if (n == 0 || n > static_cast<std::size_t>(INT_MAX) || values.size() != n) return false;
  if (indices[0] < 0) return false;
  for (std::size_t k = 1; k < n; ++k)
    if (indices[k] <= indices[k - 1]) return false;
  // The minimum dense size, last index + 1, must be an int.
  return indices[n - 1] < INT_MAX;
}

// True when a dense vector of `size` elements holds offset + minSize of them,
// computed without overflow.
bool Fits(std::size_t size, int offset, int minSize) {
  return offset >= 0 &&
         static_cast<std::uint64_t>(offset) + static_cast<std::uint64_t>(minSize) <= size;
}

}  // namespace

KzSparseVector::KzSparseVector(const std::vector<int>& indices, const std::vector<double>& values)
    : nElements(indices.size() > static_cast<std::size_t>(INT_MAX)
                    ? INT_MAX
                    : static_cast<int>(indices.size())),
      indices(indices),
      values(values),
      valid(DecideValidity(indices, values)) {}

int KzSparseVector::GetIndex(int k) const {
  if (k < 0 || k >= nElements || static_cast<std::size_t>(k) >= indices.size()) return -1;
  return indices[static_cast<std::size_t>(k)];
}

double KzSparseVector::GetValue(int k) const {
  if (k < 0 || k >= nElements || static_cast<std::size_t>(k) >= values.size())
    return KzMV::gMissingValue;
  return values[static_cast<std::size_t>(k)];
}

double KzSparseVector::InnerProduct(const int* idxA, const double* valA, int nA, const int* idxB,
                                    const double* valB, int nB) {
  if (idxA == nullptr || valA == nullptr || idxB == nullptr || valB == nullptr || nA < 0 || nB < 0)
    return KzMV::gMissingValue;
  double sum = 0.0;
  int a = 0;
  int b = 0;
  while (a < nA && b < nB) {
    if (idxA[a] == idxB[b]) {
      sum += valA[a] * valB[b];
      ++a;
      ++b;
    } else if (idxA[a] < idxB[b]) {
      ++a;
    } else {
      ++b;
    }
  }
  return sum;
}

double KzSparseVector::InnerProductWithPart(const std::vector<double>& dense, int offset) const {
  if (!valid || !Fits(dense.size(), offset, GetMinVecSize())) return KzMV::gMissingValue;
  const double* base = dense.data() + offset;
  double sum = 0.0;
  for (std::size_t k = 0; k < static_cast<std::size_t>(nElements); ++k)
    sum += base[indices[k]] * values[k];
  return sum;
}

bool KzSparseVector::IncrementPart(std::vector<double>& dense, int offset, double w) const {
  if (!valid || !Fits(dense.size(), offset, GetMinVecSize())) return false;
  double* base = dense.data() + offset;
  for (std::size_t k = 0; k < static_cast<std::size_t>(nElements); ++k)
    base[indices[k]] += w * values[k];
  return true;
}

int KzSparseVector::ConvertToRegularVector(std::vector<double>& dense) const {
  if (!valid) return -1;
  const std::size_t minSize = static_cast<std::size_t>(GetMinVecSize());
  if (dense.size() < minSize) dense.resize(minSize);
  std::fill(dense.begin(), dense.end(), 0.0);
  for (std::size_t k = 0; k < static_cast<std::size_t>(nElements); ++k)
    dense[static_cast<std::size_t>(indices[k])] = values[k];
  return static_cast<int>(dense.size());
}

bool KzSparseVector::ComputeProbabilities(const std::vector<double>& coef, int nCategories,
                                          int blockSize, std::vector<double>& probs,
                                          double& logRefProb) const {
  const int nCat = nCategories;
  if (!valid || nCat <= 0 || blockSize <= 0 || blockSize < GetMinVecSize()) return false;
  const std::size_t nPred = static_cast<std::size_t>(nCat) - 1;
  const std::size_t block = static_cast<std::size_t>(blockSize);
  // nPred * block < 2^31 * 2^31: no overflow in 64 bits.
  if (coef.size() < nPred * block) return false;

  // The linear predictors first, so that a refusal leaves `probs` untouched.
  // They go to a stack buffer for the usual few categories (no allocation per
  // case), to the heap beyond. block >= minimum dense size, so every block
  // lies inside coef.
  double local[kLocalPredictors];
  std::vector<double> heap;
  if (nPred > kLocalPredictors) heap.resize(nPred);
  double* const eta = nPred > kLocalPredictors ? heap.data() : local;
  double hi = 0.0;  // M: the largest of 0 and every eta_k
  double lo = 0.0;  // m: the smallest of 0 and every eta_k
  for (std::size_t k = 0; k < nPred; ++k) {
    const double* base = coef.data() + k * block;
    double sum = 0.0;
    for (std::size_t e = 0; e < static_cast<std::size_t>(nElements); ++e)
      sum += base[indices[e]] * values[e];
    if (!std::isfinite(sum)) return false;
    eta[k] = sum;
    if (sum > hi) hi = sum;
    if (sum < lo) lo = sum;
  }

  if (probs.size() < static_cast<std::size_t>(nCat)) probs.resize(static_cast<std::size_t>(nCat));

  if (nCat == 1) {
    probs[0] = 1.0;
    logRefProb = 0.0;
    return true;
  }

  if (lo < hi) {
    double g;  // an integer shift
    if (hi <= kExpHigh) {
      g = lo >= kExpLow ? 0.0 : std::fmax(std::trunc(hi - kExpHigh), std::trunc(lo - kExpLow));
    } else {
      g = std::trunc(hi - kExpHigh);
    }
    double s = -hi < kExpLow ? 0.0 : std::exp(-hi);
    for (std::size_t k = 0; k < nPred; ++k) {
      const double arg = eta[k] - hi;
      if (arg >= kExpLow) s += std::exp(arg);
    }
    // s >= exp(0) = 1 from the largest term, so ln s is finite.
    const double h = std::log(s) + (hi - g);
    for (std::size_t k = 0; k < nPred; ++k) {
      const double arg = eta[k] - g - h;
      probs[k] = arg < kExpLow ? 0.0 : std::exp(arg);
    }
    const double r = -g - h;
    probs[nPred] = r < kExpLow ? 0.0 : std::exp(r);
    logRefProb = r;
  } else {
    // Every predictor is 0: all categories equally likely.
    const double p = 1.0 / static_cast<double>(nCat);
    for (std::size_t k = 0; k < static_cast<std::size_t>(nCat); ++k) probs[k] = p;
    logRefProb = -std::log(static_cast<double>(nCat));
  }
  return true;
}

void KzSparseVector::Display() const {
  using namespace KzDisplay_1_2;
  DisplayText(1, "KzSparseVector display start");
  DisplayI("Number of sparse vector elements", nElements);
  DisplayIV("Vector of indices", indices);
  DisplayDV("Vector of values", values, false);
  DisplayB("Validity indicator", valid);
  DisplayText(1, "KzSparseVector display end");
}

}  // namespace KzMath_1_2
