// Weighted means and cross-products by provisional means.
//
// Updating formulas: D. H. D. West, "Updating mean and variance estimates: an
// improved method", Comm. ACM 22 (1979) 532-535; the pairwise combination of
// partial results: T. F. Chan, G. H. Golub and R. J. LeVeque, "Updating
// formulae and a pairwise algorithm for computing sample variances", Stanford
// report STAN-CS-79-773 (1979). Centring each case about the running mean
// keeps the cross-products free of the cancellation of the raw-sums formula
// sum(x xᵀ) - W mean meanᵀ; the relative error of the result is of the order
// of n_cases * eps times the condition of the data about their means.

#include "kzcommon12r/math/stats/KzMeansXProdData.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "kzcommon12r/display/KzDisplay.h"
#include "kzcommon12r/math/stats/internal/KzPackedBlockUpdate.h"

namespace KzMath_1_2 {

namespace {

using KzStatsInternal::kEmptyWeightTolerance;

bool IsPositiveFinite(double w) { return w > 0.0 && std::isfinite(w); }

}  // namespace

KzMeansXProdData::KzMeansXProdData()
    : m_nVars(0), m_intercept(true), m_nCases(0.0), m_xprods(0), m_nPending(0) {}

KzMeansXProdData::KzMeansXProdData(int n, bool intercept)
    : m_nVars(n < 0 ? 0 : n),
      m_intercept(intercept),
      m_nCases(0.0),
      m_means(static_cast<std::size_t>(n < 0 ? 0 : n), 0.0),
      m_xprods(n < 0 ? 0 : n),
      m_nPending(0) {}

KzMeansXProdData::KzMeansXProdData(const KzMeansXProdData& other)
    : m_nVars(other.m_nVars),
      m_intercept(other.m_intercept),
      m_nCases(other.m_nCases),
      m_means(other.m_means),
      m_xprods(other.GetXProds()),
      m_nPending(0) {}

KzMeansXProdData& KzMeansXProdData::operator=(const KzMeansXProdData& other) {
  if (this == &other) return *this;
  KzSymMatrix xprods(other.GetXProds());
  std::vector<double> means(other.m_means);
  m_nVars = other.m_nVars;
  m_intercept = other.m_intercept;
  m_nCases = other.m_nCases;
  m_means.swap(means);
  m_xprods = std::move(xprods);
  m_nPending = 0;
  return *this;
}

KzMeansXProdData::~KzMeansXProdData() = default;

const KzSymMatrix& KzMeansXProdData::GetXProds() const {
  ApplyPendingCases();
  return m_xprods;
}

double* KzMeansXProdData::XProdsData() {
  ApplyPendingCases();
  return m_xprods.Data();
}

KzSymMatrix& KzMeansXProdData::XProdsForOverwrite() {
  DiscardPendingCases();
  if (m_xprods.GetNRows() != m_nVars) m_xprods.SetNRows(m_nVars);
  return m_xprods;
}

void KzMeansXProdData::SetState(double nCases, const std::vector<double>& means) {
  m_nCases = nCases;
  m_means = means;
}

void KzMeansXProdData::Clear() {
  DiscardPendingCases();
  m_nCases = 0.0;
  m_means.assign(static_cast<std::size_t>(m_nVars), 0.0);
  m_xprods.SetNRows(m_nVars);
}

bool KzMeansXProdData::SetNVars(int n) {
  if (n < 0) return false;
  KzSymMatrix xprods(n);
  if (!xprods.IsValidMatrix()) return false;
  DiscardPendingCases();
  m_nVars = n;
  m_nCases = 0.0;
  m_means.assign(static_cast<std::size_t>(n), 0.0);
  m_xprods = std::move(xprods);
  return true;
}

bool KzMeansXProdData::AdoptShapeOf(int n, bool intercept) {
  if (!SetNVars(n)) return false;
  m_intercept = intercept;
  return true;
}

// ---------------------------------------------------------------------------
// Case updates: the cross-product term of each case is queued (its vector d
// and factor f, formed from the means as they stand), the means and the weight
// are updated at once.

double* KzMeansXProdData::NextPendingSlot(double f) {
  const std::size_t n = static_cast<std::size_t>(m_nVars);
  const std::size_t need = n * static_cast<std::size_t>(KzStatsInternal::kCaseBlock);
  if (m_pendD.size() < need || m_pendT.size() < need) {
    // Sized once per order (a failed allocation throws before anything
    // changed, and the next call tries again).
    m_pendF.resize(static_cast<std::size_t>(KzStatsInternal::kCaseBlock));
    m_pendT.resize(need);
    m_pendD.resize(need);
  }
  if (m_nPending == KzStatsInternal::kCaseBlock) ApplyPendingCases();
  m_pendF[static_cast<std::size_t>(m_nPending)] = f;
  return m_pendD.data() + static_cast<std::size_t>(m_nPending++) * n;
}

void KzMeansXProdData::ApplyPendingCases() const {
  const int nb = m_nPending;
  if (nb == 0) return;
  m_nPending = 0;
  const int n = m_nVars;
  if (n == 0 || m_xprods.GetNRows() != n) return;
  const std::size_t ns = static_cast<std::size_t>(n);
  const std::size_t nbs = static_cast<std::size_t>(nb);
  // Row multipliers d_bj f_b, row j's block contiguous: the (d_j f) of the
  // case-by-case order, formed once per case and row.
  for (int b = 0; b < nb; ++b) {
    const double* d = m_pendD.data() + static_cast<std::size_t>(b) * ns;
    const double f = m_pendF[static_cast<std::size_t>(b)];
    for (std::size_t j = 0; j < ns; ++j) m_pendT[j * nbs + static_cast<std::size_t>(b)] = d[j] * f;
  }
  KzStatsInternal::PackedBlockScaledOuter(m_xprods.Data(), n, m_pendD.data(), ns, m_pendT.data(),
                                          nb);
}

void KzMeansXProdData::UpdateXX(const std::vector<double>& x, double f) {
  const std::size_t n = static_cast<std::size_t>(m_nVars);
  if (n == 0) return;
  double* d = NextPendingSlot(f);
  if (m_intercept) {
    for (std::size_t j = 0; j < n; ++j) d[j] = x[j] - m_means[j];
  } else {
    for (std::size_t j = 0; j < n; ++j) d[j] = x[j];
  }
}

bool KzMeansXProdData::AddCase(const std::vector<double>& x, double w) {
  const std::size_t n = static_cast<std::size_t>(m_nVars);
  if (x.size() < n || !IsPositiveFinite(w)) return false;
  const double total = m_nCases + w;
  UpdateXX(x, m_intercept ? m_nCases * w / total : w);
  const double r = w / total;
  for (std::size_t i = 0; i < n; ++i) m_means[i] = r * (x[i] - m_means[i]) + m_means[i];
  m_nCases = total;
  return true;
}

bool KzMeansXProdData::DeleteCase(const std::vector<double>& x, double w) {
  const std::size_t n = static_cast<std::size_t>(m_nVars);
  if (x.size() < n || !IsPositiveFinite(w)) return false;
  const double before = m_nCases;
  const double rest = before - w;
  if (std::fabs(rest) <= kEmptyWeightTolerance * before) {
    Clear();
    return true;
  }
  if (rest < 0.0) return false;
  const double a = -(w / rest);
  const double c = before / rest;
  for (std::size_t i = 0; i < n; ++i) m_means[i] = a * x[i] + c * m_means[i];
  UpdateXX(x, m_intercept ? -(rest * w / before) : -w);
  m_nCases = rest;
  return true;
}

// ---------------------------------------------------------------------------
// Merging. With b = W_other, c = W_this, t = b + c and m the pooled means,
//   X = b (m - mo)(m - mo)ᵀ + c (m - mt)(m - mt)ᵀ + Xo + X,
// the two rank-1 terms moving each part's sums of squares to the pooled mean.

bool KzMeansXProdData::Merge(const KzMeansXProdData& other) {
  if (m_nVars == 0 && !AdoptShapeOf(other.m_nVars, other.m_intercept)) return false;
  if (other.m_nVars != m_nVars || other.m_intercept != m_intercept) return false;
  const double b = other.m_nCases;
  const double c = m_nCases;
  const double t = b + c;
  if (!(t > 0.0)) return true;
  const std::size_t n = static_cast<std::size_t>(m_nVars);
  // Read the other's state before this one changes: other may be *this.
  const double* xo = other.GetXProds().Data();
  double* x = XProdsData();
  std::vector<double> merged(n);
  for (std::size_t i = 0; i < n; ++i) {
    merged[i] = b / t * (other.m_means[i] - m_means[i]) + m_means[i];
  }
  if (m_intercept) {
    std::vector<double> uo(n), ut(n), uob(n), utc(n);
    for (std::size_t i = 0; i < n; ++i) {
      uo[i] = merged[i] - other.m_means[i];
      ut[i] = merged[i] - m_means[i];
      uob[i] = uo[i] * b;
      utc[i] = ut[i] * c;
    }
    std::size_t k = 0;
    for (std::size_t j = 0; j < n; ++j) {
      for (std::size_t l = 0; l <= j; ++l, ++k) {
        x[k] = uob[j] * uo[l] + (utc[j] * ut[l] + xo[k]) + x[k];
      }
    }
  } else {
    const std::size_t size = n * (n + 1) / 2;
    for (std::size_t k = 0; k < size; ++k) x[k] = xo[k] + x[k];
  }
  m_means.swap(merged);
  m_nCases = t;
  return true;
}

bool KzMeansXProdData::MergeAll(const KzMeansXProdData* const* list, std::size_t count) {
  const KzMeansXProdData* reference = nullptr;
  for (std::size_t i = 0; i < count && reference == nullptr; ++i) reference = list[i];
  const int refN = reference != nullptr ? reference->m_nVars : 0;
  const bool refIntercept = reference != nullptr ? reference->m_intercept : true;
  const bool adopt = m_nVars < 1;
  if (adopt ? refN < 1 : refN != m_nVars) return false;
  const bool intercept = adopt ? refIntercept : m_intercept;
  // Every entry is checked before anything changes, so that a mismatch further
  // down the list cannot leave a partly merged accumulator behind.
  for (std::size_t i = 0; i < count; ++i) {
    const KzMeansXProdData* p = list[i];
    if (p != nullptr && (p->m_nVars != refN || p->m_intercept != intercept)) return false;
  }
  if (adopt && !AdoptShapeOf(refN, refIntercept)) return false;
  bool result = true;
  for (std::size_t i = 0; i < count && result; ++i) {
    if (list[i] != nullptr) result = Merge(*list[i]);
  }
  return result;
}

bool KzMeansXProdData::Merge(const std::vector<const KzMeansXProdData*>& list) {
  return MergeAll(list.data(), list.size());
}

bool KzMeansXProdData::Merge(const std::vector<KzMeansXProdData*>& list) {
  return MergeAll(list.data(), list.size());
}

// ---------------------------------------------------------------------------

void KzMeansXProdData::Display() const {
  using namespace KzDisplay_1_2;
  DisplayText(1, "KzMeansXProdData display start");
  DisplayI("Number of variables", m_nVars);
  DisplayB("Intercept indicator", m_intercept);
  DisplayD("Weighted number of cases", m_nCases);
  DisplayDV("Vector of means", m_means, false);
  DisplayText(1, "Matrix of cross-products:");
  GetXProds().Display();
  DisplayText(1, "KzMeansXProdData display end");
}

}  // namespace KzMath_1_2
