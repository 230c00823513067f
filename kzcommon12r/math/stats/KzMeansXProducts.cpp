// Means and cross-products of a data matrix.
//
// Compute is the textbook two-pass method: the means first, then the sums of
// products of the deviations from them, which avoids the cancellation of
// sum(x xᵀ) - W mean meanᵀ (Chan, Golub and LeVeque, "Algorithms for
// computing the sample variance: analysis and recommendations", Amer. Statist.
// 37 (1983) 242-247). Update merges batches with the pairwise formula of the
// base class. The one-pass route gathers raw sums and forms P - mean Sᵀ at the
// end: a single sweep over the data, at the price of that cancellation when
// the means are large against the spread.
//
// The cross-product passes are blocked (see internal/KzPackedBlockUpdate.h):
// each element of the packed triangle receives the rows' terms in row order,
// exactly as in a row-by-row loop.

#include "kzcommon12r/math/stats/KzMeansXProducts.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "kzcommon12r/display/KzDisplay.h"
#include "kzcommon12r/math/stats/internal/KzPackedBlockUpdate.h"

namespace KzMath_1_2 {

namespace {
bool IsPositiveFinite(double w) { return w > 0.0 && std::isfinite(w); }
constexpr int kBlock = KzStatsInternal::kCaseBlock;
}  // namespace

KzMeansXProducts::KzMeansXProducts()
    : m_freqWeight(true), m_regWeight(false), m_w1(0.0), m_products(0) {}

KzMeansXProducts::KzMeansXProducts(int n, bool intercept, bool freqWeight, bool regWeight)
    : KzMeansXProdData(n, intercept),
      m_freqWeight(freqWeight),
      m_regWeight(regWeight),
      m_w1(0.0),
      m_products(0) {}

KzMeansXProducts::KzMeansXProducts(const KzMeansXProducts& other) = default;
KzMeansXProducts& KzMeansXProducts::operator=(const KzMeansXProducts& other) = default;
KzMeansXProducts::~KzMeansXProducts() = default;

int KzMeansXProducts::RowsToUse(const KzRectMatrix& data, int nRows) const {
  const long long expected =
      static_cast<long long>(GetNVars()) + (m_freqWeight ? 1 : 0) + (m_regWeight ? 1 : 0);
  if (!data.IsValidMatrix() || static_cast<long long>(data.GetNCols()) != expected) return -1;
  const int rows = data.GetNRows();
  return nRows < 1 ? rows : std::min(rows, nRows);
}

double KzMeansXProducts::RowWeight(const double* row) const {
  const std::size_t n = static_cast<std::size_t>(GetNVars());
  if (m_freqWeight && m_regWeight) return row[n] * row[n + 1];
  if (m_freqWeight || m_regWeight) return row[n];
  return 1.0;
}

bool KzMeansXProducts::Compute(const KzRectMatrix& data, int nRows) {
  const int m = RowsToUse(data, nRows);
  if (m < 1) return false;
  const std::size_t n = static_cast<std::size_t>(GetNVars());
  const std::size_t nc = static_cast<std::size_t>(data.GetNCols());
  const std::size_t rows = static_cast<std::size_t>(m);
  const double* a = data.AsVectorConst().data();
  const bool weighted = m_freqWeight || m_regWeight;

  // The total weight is validated before anything changes; its sum runs over
  // the rows in order, as in the means pass.
  std::vector<double> w;
  double total = static_cast<double>(m);
  if (weighted) {
    w.resize(rows);
    for (std::size_t r = 0; r < rows; ++r) w[r] = RowWeight(a + r * nc);
    total = w[0];
    for (std::size_t r = 1; r < rows; ++r) total += w[r];
  }
  if (!IsPositiveFinite(total)) return false;

  // First pass. Each variable's sum runs over the rows in order; the rows are
  // read contiguously. A column of equal values keeps that value exactly as its
  // mean instead of a sum divided back, which may be off by an ulp.
  std::vector<double> means(a, a + n);
  std::vector<double> sums(n);
  std::vector<double> equalSums(n, 0.0);
  std::vector<char> differs(n, 0);
  if (weighted) {
    for (std::size_t i = 0; i < n; ++i) sums[i] = means[i] * w[0];
    for (std::size_t r = 1; r < rows; ++r) {
      const double* row = a + r * nc;
      for (std::size_t i = 0; i < n; ++i) {
        sums[i] += row[i] * w[r];
        if (row[i] != means[i]) differs[i] = 1;
      }
    }
    for (std::size_t i = 0; i < n; ++i) {
      if (differs[i]) means[i] = sums[i] / total;
    }
  } else {
    std::fill(sums.begin(), sums.end(), 0.0);
    for (std::size_t r = 0; r < rows; ++r) {
      const double* row = a + r * nc;
      for (std::size_t i = 0; i < n; ++i) {
        sums[i] += row[i];
        equalSums[i] += means[i];
      }
    }
    for (std::size_t i = 0; i < n; ++i) {
      if (sums[i] != equalSums[i]) means[i] = sums[i] / total;
    }
  }

  Clear();
  SetState(total, means);
  double* x = XProdsForOverwrite().Data();
  if (n == 0) return true;

  // Second pass: X += (d_l d_j) w_r, row by row, d the deviations from the
  // final means (the raw values without intercept).
  const bool centre = IsIntercept();
  std::vector<double> d(n * kBlock), t(n * kBlock);
  for (std::size_t r0 = 0; r0 < rows; r0 += kBlock) {
    const int nb = static_cast<int>(std::min<std::size_t>(kBlock, rows - r0));
    const std::size_t nbs = static_cast<std::size_t>(nb);
    for (std::size_t b = 0; b < nbs; ++b) {
      const double* row = a + (r0 + b) * nc;
      double* db = d.data() + b * n;
      for (std::size_t j = 0; j < n; ++j) {
        db[j] = centre ? row[j] - means[j] : row[j];
        t[j * nbs + b] = db[j];
      }
    }
    if (weighted) {
      KzStatsInternal::PackedBlockWeightedProduct(x, static_cast<int>(n), d.data(), n, t.data(),
                                                  w.data() + r0, nb);
    } else {
      KzStatsInternal::PackedBlockScaledOuter(x, static_cast<int>(n), d.data(), n, t.data(), nb);
    }
  }
  return true;
}

bool KzMeansXProducts::Update(const KzRectMatrix& data, int nRows) {
  if (GetNCases() == 0.0) return Compute(data, nRows);
  const KzMeansXProdData previous(*this);
  if (!Compute(data, nRows)) return false;
  return Merge(previous);
}

// ---------------------------------------------------------------------------
// One pass from raw sums.

void KzMeansXProducts::StartUpdateOnePass() {
  const int n = GetNVars();
  m_w1 = 0.0;
  m_sums.assign(static_cast<std::size_t>(n), 0.0);
  if (m_products.GetNRows() != n) {
    m_products.SetNRows(n);
  } else {
    m_products.Clear();
  }
}

bool KzMeansXProducts::UpdateOnePass(const KzRectMatrix& data, int nRows) {
  const int m = RowsToUse(data, nRows);
  if (m < 0) return false;
  const int nVars = GetNVars();
  const std::size_t n = static_cast<std::size_t>(nVars);
  if (m_w1 == 0.0 || m_sums.size() != n || m_products.GetNRows() != nVars) StartUpdateOnePass();
  const bool weighted = m_freqWeight || m_regWeight;
  if (!weighted) m_w1 += m;
  if (m == 0) return true;

  const std::size_t nc = static_cast<std::size_t>(data.GetNCols());
  const std::size_t rows = static_cast<std::size_t>(m);
  const double* a = data.AsVectorConst().data();
  double* p = m_products.Data();
  // Row multipliers v_j = w x_j of each row of a block; the products then take
  // P[k] = v_j x_l + P[k] in row order.
  std::vector<double> t(n * kBlock);
  for (std::size_t r0 = 0; r0 < rows; r0 += kBlock) {
    const int nb = static_cast<int>(std::min<std::size_t>(kBlock, rows - r0));
    const std::size_t nbs = static_cast<std::size_t>(nb);
    for (std::size_t b = 0; b < nbs; ++b) {
      const double* row = a + (r0 + b) * nc;
      double w = 1.0;
      if (weighted) {
        w = RowWeight(row);
        m_w1 += w;
      }
      for (std::size_t j = 0; j < n; ++j) {
        const double v = weighted ? row[j] * w : row[j];
        m_sums[j] += v;
        t[j * nbs + b] = v;
      }
    }
    if (n > 0) {
      KzStatsInternal::PackedBlockScaledOuter(p, nVars, a + r0 * nc, nc, t.data(), nb);
    }
  }
  return true;
}

bool KzMeansXProducts::FinishUpdateOnePass() {
  const int nVars = GetNVars();
  const std::size_t n = static_cast<std::size_t>(nVars);
  if (m_w1 == 0.0) {
    Clear();
    return true;
  }
  if (!IsPositiveFinite(m_w1) || m_sums.size() != n || m_products.GetNRows() != nVars) {
    return false;
  }
  std::vector<double> means(n);
  for (std::size_t i = 0; i < n; ++i) means[i] = m_sums[i] / m_w1;
  SetState(m_w1, means);
  double* x = XProdsForOverwrite().Data();
  const double* p = m_products.Data();
  if (IsIntercept()) {
    std::size_t k = 0;
    for (std::size_t j = 0; j < n; ++j) {
      for (std::size_t l = 0; l <= j; ++l, ++k) x[k] = p[k] - means[j] * m_sums[l];
    }
  } else {
    // Without an intercept the cross-products are the raw sums, as in the
    // case updates and in Merge.
    std::copy(p, p + n * (n + 1) / 2, x);
  }
  return true;
}

void KzMeansXProducts::Display() const {
  using namespace KzDisplay_1_2;
  KzMeansXProdData::Display();
  DisplayB("Frequency weight indicator", m_freqWeight);
  DisplayB("Regression weight indicator", m_regWeight);
  if (m_w1 > 0.0) {
    DisplayD("Weighted number of cases accumulated by UpdateOnePass", m_w1);
    DisplayDV("Weighted sums accumulated by UpdateOnePass", m_sums, false);
    DisplayText(1, "Weighted sums of products accumulated by UpdateOnePass");
    m_products.Display();
  }
}

}  // namespace KzMath_1_2
