// Cost of the dense storage accessors against the peer every
// caller would otherwise write: a plain loop over a std::vector. The unchecked
// inline accessors (LowerAt, At, RowData) should run at the peer's speed
// (ratio about 1.0); the checked virtual GetElem shows what an inner loop
// through the interface would cost. Also ComputeProbabilities (with its
// overflow-safe shifts) against the direct, unshifted softmax on the same
// design row.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

#include "kzcommon12r/math/matrix/IKzSymMatrix.h"
#include "kzcommon12r/math/matrix/KzRectMatrixData.h"
#include "kzcommon12r/math/matrix/KzSparseVector.h"
#include "kzcommon12r/math/matrix/KzSymMatrixData.h"

namespace {

using KzMath_1_2::IKzSymMatrix;
using KzMath_1_2::KzRectMatrixData;
using KzMath_1_2::KzSparseVector;
using KzMath_1_2::KzSymMatrixData;

std::vector<double> Random(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::vector<double> v(n);
  for (double& x : v) x = static_cast<double>(gen()) * 0x1p-32 - 0.5;
  return v;
}

KzSymMatrixData RandomSym(int n) {
  KzSymMatrixData m(n);
  const std::vector<double> v = Random(KzSymMatrixData::PackedSize(n), 20261207u);
  for (std::size_t k = 0; k < v.size(); ++k) m.Data()[k] = v[k];
  return m;
}

// Column sums of the lower triangle (acc[j] += M(i, j), j <= i): no reduction
// chain, so the loop runs at memory and vector speed and any per-element
// overhead shows.
void BM_SymLowerAtColSums(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const KzSymMatrixData m = RandomSym(n);
  std::vector<double> acc(static_cast<std::size_t>(n));
  for (auto _ : state) {
    std::fill(acc.begin(), acc.end(), 0.0);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j <= i; ++j) acc[static_cast<std::size_t>(j)] += m.LowerAt(i, j);
    benchmark::DoNotOptimize(acc.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(KzSymMatrixData::PackedSize(n)));
}

// The same through packed row pointers.
void BM_SymRowDataColSums(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const KzSymMatrixData m = RandomSym(n);
  std::vector<double> acc(static_cast<std::size_t>(n));
  for (auto _ : state) {
    std::fill(acc.begin(), acc.end(), 0.0);
    for (int i = 0; i < n; ++i) {
      const double* row = m.RowData(i);
      const std::size_t len = static_cast<std::size_t>(i) + 1;
      for (std::size_t j = 0; j < len; ++j) acc[j] += row[j];
    }
    benchmark::DoNotOptimize(acc.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(KzSymMatrixData::PackedSize(n)));
}

// The same through the interface: a virtual, checked call per element (the
// pointer is laundered so that the compiler cannot devirtualise).
void BM_SymVirtualGetElemColSums(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const KzSymMatrixData m = RandomSym(n);
  const IKzSymMatrix* im = &m;
  benchmark::DoNotOptimize(im);
  std::vector<double> acc(static_cast<std::size_t>(n));
  for (auto _ : state) {
    std::fill(acc.begin(), acc.end(), 0.0);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j <= i; ++j) acc[static_cast<std::size_t>(j)] += im->GetElem(i, j);
    benchmark::DoNotOptimize(acc.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(KzSymMatrixData::PackedSize(n)));
}

// Peer: the same over a plain vector with a running row offset.
void BM_PeerVectorColSums(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> v = Random(KzSymMatrixData::PackedSize(n), 20261207u);
  std::vector<double> acc(static_cast<std::size_t>(n));
  for (auto _ : state) {
    std::fill(acc.begin(), acc.end(), 0.0);
    std::size_t start = 0;
    for (std::size_t i = 0; i < acc.size(); ++i) {
      for (std::size_t j = 0; j <= i; ++j) acc[j] += v[start + j];
      start += i + 1;
    }
    benchmark::DoNotOptimize(acc.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(v.size()));
}

// Row-major rectangle: a transposed copy, walking columns through At, against
// the raw stride loop.
void BM_RectTransposeAt(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  KzRectMatrixData m(n, n);
  const std::vector<double> v = Random(static_cast<std::size_t>(n) * n, 7u);
  std::copy(v.begin(), v.end(), m.Data());
  std::vector<double> out(v.size());
  for (auto _ : state) {
    double* o = out.data();
    for (int c = 0; c < n; ++c)
      for (int r = 0; r < n; ++r) *o++ = m.At(r, c);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * n * n);
}

void BM_PeerRectTranspose(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<double> v = Random(static_cast<std::size_t>(n) * n, 7u);
  const std::size_t stride = static_cast<std::size_t>(n);
  std::vector<double> out(v.size());
  for (auto _ : state) {
    double* o = out.data();
    for (std::size_t c = 0; c < stride; ++c)
      for (std::size_t r = 0; r < stride; ++r) *o++ = v[r * stride + c];
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * n * n);
}

// Multinomial probabilities of one sparse design row (20 entries in a block of
// 200) over K categories.
struct ProbInput {
  std::vector<int> idx;
  std::vector<double> val;
  std::vector<double> coef;
};

ProbInput MakeProbInput(int k) {
  ProbInput in;
  for (int e = 0; e < 20; ++e) in.idx.push_back(10 * e + 3);
  in.val = Random(20, 11u);
  in.coef = Random(static_cast<std::size_t>(200) * static_cast<std::size_t>(k - 1), 13u);
  return in;
}

void BM_ComputeProbabilities(benchmark::State& state) {
  const int k = static_cast<int>(state.range(0));
  const ProbInput in = MakeProbInput(k);
  const KzSparseVector x(in.idx, in.val);
  std::vector<double> probs;
  double logRef = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(x.ComputeProbabilities(in.coef, k, 200, probs, logRef));
    benchmark::DoNotOptimize(probs.data());
  }
  state.SetItemsProcessed(state.iterations() * k);
}

// Peer: the direct formula exp(eta_k) / (1 + sum exp(eta_j)), no shifts.
void BM_PeerDirectSoftmax(benchmark::State& state) {
  const int k = static_cast<int>(state.range(0));
  const ProbInput in = MakeProbInput(k);
  std::vector<double> probs(static_cast<std::size_t>(k));
  for (auto _ : state) {
    double denom = 1.0;
    for (int c = 0; c + 1 < k; ++c) {
      const double* block = in.coef.data() + static_cast<std::size_t>(c) * 200;
      double eta = 0.0;
      for (std::size_t e = 0; e < in.idx.size(); ++e) eta += block[in.idx[e]] * in.val[e];
      probs[static_cast<std::size_t>(c)] = std::exp(eta);
      denom += probs[static_cast<std::size_t>(c)];
    }
    for (int c = 0; c + 1 < k; ++c) probs[static_cast<std::size_t>(c)] /= denom;
    probs[static_cast<std::size_t>(k - 1)] = 1.0 / denom;
    benchmark::DoNotOptimize(probs.data());
  }
  state.SetItemsProcessed(state.iterations() * k);
}

BENCHMARK(BM_SymLowerAtColSums)->RangeMultiplier(4)->Range(16, 1024);
BENCHMARK(BM_SymRowDataColSums)->RangeMultiplier(4)->Range(16, 1024);
BENCHMARK(BM_SymVirtualGetElemColSums)->RangeMultiplier(4)->Range(16, 1024);
BENCHMARK(BM_PeerVectorColSums)->RangeMultiplier(4)->Range(16, 1024);
BENCHMARK(BM_RectTransposeAt)->RangeMultiplier(4)->Range(16, 1024);
BENCHMARK(BM_PeerRectTranspose)->RangeMultiplier(4)->Range(16, 1024);
BENCHMARK(BM_ComputeProbabilities)->RangeMultiplier(4)->Range(2, 128);
BENCHMARK(BM_PeerDirectSoftmax)->RangeMultiplier(4)->Range(2, 128);

}  // namespace
