#ifndef KZCOMMON12R_MATH_STATS_KZITERATIONREPORTER_H
#define KZCOMMON12R_MATH_STATS_KZITERATIONREPORTER_H

#include <string>
#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/math/stats/ProgressReportVect.h"

namespace KzMath_1_2 {

/// The progress of an iterative estimation, filled by the estimation loop
/// after each iteration and queried or displayed by a caller.
///
/// Measures: "iterNum" and "stepHalving" (integers), "loglik" (the pseudo -2
/// log-likelihood, exactly as the estimation gave it) and "time" (elapsed
/// seconds), "paramEstim", "paramEstim2" and "paramEstim3" (parameter
/// estimates).
///
/// The parameter vectors are borrowed, never owned or copied: the estimation
/// code keeps them alive (and in place) while the reporter refers to them.
class KZ_EXPORT KzIterationReporter : public KzCommon_1_2::ProgressReportVect {
 public:
  /// No vectors, every number 0.
  KzIterationReporter();
  /// Copies share the borrowed vectors.
  KzIterationReporter(const KzIterationReporter& other);
  KzIterationReporter& operator=(const KzIterationReporter& other);
  ~KzIterationReporter() override;

  /// "iterNum" or "stepHalving"; 0 for any other name.
  int DiscreteMeasure(const std::string& name) override;
  /// "loglik" or "time"; 0.0 for any other name.
  double ScaleMeasure(const std::string& name) override;
  /// "paramEstim", "paramEstim2" or "paramEstim3" (null when not set); null
  /// for any other name.
  const std::vector<double>* VectorMeasure(const std::string& name) override;
  /// No vectors, every number 0.
  virtual void Reset();
  /// "KzIterationReporter display start", the iteration number, the step
  /// halvings, "Pseudo -2 log-likelihood", "Elapsed time in sec", the first
  /// vector (or "Parameter estimates pointer is 0"), the second and third
  /// vectors when set, "KzIterationReporter display end".
  virtual void Display() const;

  /// Sets the first vector, the iteration number, the step halvings, the
  /// pseudo -2 log-likelihood and the time; the second and third vectors keep
  /// their values.
  void SetInfo(const std::vector<double>* estimates, int iterNum, int stepHalving, double logLik,
               double time);
  /// Sets the three vectors, the iteration number, the pseudo -2
  /// log-likelihood and the time; the step halvings keep their value.
  void SetInfo(const std::vector<double>* estimates, const std::vector<double>* estimates2,
               const std::vector<double>* estimates3, int iterNum, double logLik, double time);

 private:
  const std::vector<double>* m_estimates;
  const std::vector<double>* m_estimates2;
  const std::vector<double>* m_estimates3;
  int m_iterNum;
  int m_stepHalving;
  double m_logLik;
  double m_time;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_STATS_KZITERATIONREPORTER_H
