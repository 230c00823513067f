// Univariate summary by weighted provisional means: D. H. D. West, "Updating
// mean and variance estimates: an improved method", Comm. ACM 22 (1979)
// 532-535, and, for pooling, T. F. Chan, G. H. Golub and R. J. LeVeque,
// STAN-CS-79-773 (1979). Each case moves the mean by its share of the
// deviation and adds g u/(g+u) times the squared deviation from the old mean,
// so no large sums of squares are ever subtracted.
//
// What remains is the rounding of the mean itself: held in one double it is
// off by up to eps |mean| after each update, and every later deviation
// inherits that error, eps |mean| / sd relative, which costs the NIST Mavro
// data (mean 2.0019, sd 4.3e-4) three of their fifteen digits. The mean is
// therefore kept as an unevaluated sum of two doubles (Dekker 1971; Knuth's
// TwoSum, TAOCP vol. 2, 4.2.2): each step is added exactly and its residue
// carried, so the deviations are correct to rounding of their own size.

#include "kzcommon12r/math/stats/KzContStats.h"

#include <cmath>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/display/KzDisplay.h"

namespace KzMath_1_2 {

using KzCommon_1_2::KzMV;

KzContStats::KzContStats()
    : m_min(KzMV::gMissingValue),
      m_max(KzMV::gMissingValue),
      m_sumFreq(0.0),
      m_sumComposite(0.0),
      m_mean(0.0),
      m_ssq(0.0),
      m_meanLow(0.0) {}

KzContStats::KzContStats(const KzContStats& other) = default;
KzContStats& KzContStats::operator=(const KzContStats& other) = default;
KzContStats::~KzContStats() = default;

bool KzContStats::Update(double x) { return Update(x, 1.0, 1.0); }

bool KzContStats::Update(double x, double fw, double cw) {
  // NaN and infinite values would poison every later mean; they are refused
  // like the missing value.
  if (KzMV::IsMissing(x) || !std::isfinite(x) || KzMV::IsMissing(fw) || !std::isfinite(fw) ||
      KzMV::IsMissing(cw) || !std::isfinite(cw)) {
    return false;
  }
  if (KzMV::IsMissing(m_min) || x < m_min) m_min = x;
  if (KzMV::IsMissing(m_max) || x > m_max) m_max = x;
  const double f = fw <= 0.0 ? 1.0 : fw;
  const double u = f * (cw <= 0.0 ? 1.0 : cw);
  const double g = m_sumComposite;
  const double total = g + u;
  m_sumFreq += f;
  m_sumComposite = total;
  if (g == 0.0) {
    // The mean of one case is the case: x u / u may be an ulp off x.
    m_mean = x;
    m_meanLow = 0.0;
    return true;
  }
  const double deviation = (x - m_mean) - m_meanLow;
  AddToMean(deviation * u / total);
  m_ssq = g * u / total * (deviation * deviation) + m_ssq;
  return true;
}

void KzContStats::AddToMean(double step) {
  // TwoSum: m_mean + step = s + e exactly.
  const double s = m_mean + step;
  const double b = s - m_mean;
  const double e = (m_mean - (s - b)) + (step - b);
  // Renormalise so that the low part stays below half an ulp of the high part.
  const double low = m_meanLow + e;
  m_mean = s + low;
  m_meanLow = low - (m_mean - s);
}

void KzContStats::Pool(const KzContStats& other) {
  if (other.m_sumFreq == 0.0) return;
  if (m_sumFreq == 0.0) {
    *this = other;
    return;
  }
  const KzContStats o(other);  // other may be *this
  if (o.m_min < m_min) m_min = o.m_min;
  if (o.m_max > m_max) m_max = o.m_max;
  const double diff = (o.m_mean - m_mean) + (o.m_meanLow - m_meanLow);
  const double g = m_sumComposite;
  const double total = g + o.m_sumComposite;
  m_ssq = g * o.m_sumComposite * (diff * diff) / total + o.m_ssq + m_ssq;
  AddToMean(diff * o.m_sumComposite / total);
  m_sumComposite = total;
  m_sumFreq += o.m_sumFreq;
}

double KzContStats::GetMean() const {
  return m_sumFreq == 0.0 ? KzMV::gMissingValue : m_mean + m_meanLow;
}

double KzContStats::GetVariance() const {
  return m_sumFreq > 1.0 ? m_ssq / (m_sumFreq - 1.0) : KzMV::gMissingValue;
}

std::pair<double, double> KzContStats::GetExtrema() const { return {m_min, m_max}; }

void KzContStats::Display() const {
  using namespace KzDisplay_1_2;
  DisplayText(1, "KzContStats");
  const double extrema[2] = {m_min, m_max};
  DisplayDA("Min & max", extrema, 2, false);
  const double sums[2] = {m_sumFreq, m_sumComposite};
  DisplayDA("Sum of freq. wgts, composite wgts", sums, 2, false);
  DisplayD("Mean", m_mean + m_meanLow);
  DisplayD("SSQ", m_ssq);
}

}  // namespace KzMath_1_2
