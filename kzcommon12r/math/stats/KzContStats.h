#ifndef KZCOMMON12R_MATH_STATS_KZCONTSTATS_H
#define KZCOMMON12R_MATH_STATS_KZCONTSTATS_H

#include <utility>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

/// Minimum, maximum, weight sums, weighted mean and sum of squared deviations
/// of one continuous variable, updated case by case (West's weighted
/// provisional means) and pooled pairwise.
///
/// A case carries a frequency weight fw (<= 0 counts as 1) and a case weight
/// cw (<= 0 counts as 1); the mean and the sum of squares use the composite
/// weight u = fw cw, while the variance divides by the frequency count.
///
/// The running mean is carried to twice the working precision (a double and
/// its rounding residue), so that the deviations x - mean stay exact to the
/// last bits of the spread even when the mean is thousands of standard
/// deviations from 0: the standard deviation then keeps 14 to 15 digits where
/// a mean rounded to double would lose log10(|mean| / sd) of them.
class KZ_EXPORT KzContStats {
 public:
  /// Empty: extrema missing, sums, mean and SSQ 0.
  KzContStats();
  KzContStats(const KzContStats& other);
  KzContStats& operator=(const KzContStats& other);
  ~KzContStats();

  /// `Update(x, 1, 1)`.
  bool Update(double x);
  /// With g the composite sum before the case: sumFw += fw, sumCw = g + u,
  /// mean += (x - mean) u/(g + u), SSQ += g u/(g + u) (x - mean_old)².
  /// False, unchanged, when an argument is missing, NaN or infinite.
  bool Update(double x, double fw, double cw);
  /// Pools another summary (Chan-Golub-LeVeque): SSQ += SSQ_o +
  /// g g_o diff²/(g + g_o), mean += diff g_o/(g + g_o), diff = mean_o - mean.
  /// `other` may be this object.
  void Pool(const KzContStats& other);

  /// The weighted mean (the double nearest the double-length mean); missing
  /// when the frequency-weight sum is 0.
  double GetMean() const;
  /// SSQ / (sum of frequency weights - 1); missing unless that sum exceeds 1.
  double GetVariance() const;
  /// (minimum, maximum); both missing when empty.
  std::pair<double, double> GetExtrema() const;
  double GetSumFreqWeights() const { return m_sumFreq; }
  /// Sum of composite weights.
  double GetSumCompositeWeights() const { return m_sumComposite; }
  /// Sum of squared deviations about the mean.
  double GetSSQ() const { return m_ssq; }

  /// "KzContStats", "Min & max", "Sum of freq. wgts, composite wgts", "Mean",
  /// "SSQ".
  void Display() const;

 private:
  double m_min;
  double m_max;
  double m_sumFreq;
  double m_sumComposite;
  /// Adds step to the double-length mean (m_mean, m_meanLow).
  void AddToMean(double step);

  double m_mean;
  double m_ssq;
  /// The rounding residue of the mean: mean = m_mean + m_meanLow.
  double m_meanLow;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_STATS_KZCONTSTATS_H
