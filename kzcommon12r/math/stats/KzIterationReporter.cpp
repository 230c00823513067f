#include "kzcommon12r/math/stats/KzIterationReporter.h"

#include "kzcommon12r/display/KzDisplay.h"

namespace KzMath_1_2 {

KzIterationReporter::KzIterationReporter()
    : m_estimates(nullptr),
      m_estimates2(nullptr),
      m_estimates3(nullptr),
      m_iterNum(0),
      m_stepHalving(0),
      m_logLik(0.0),
      m_time(0.0) {}

KzIterationReporter::KzIterationReporter(const KzIterationReporter& other) = default;
KzIterationReporter& KzIterationReporter::operator=(const KzIterationReporter& other) = default;
KzIterationReporter::~KzIterationReporter() = default;

int KzIterationReporter::DiscreteMeasure(const std::string& name) {
  if (name == "iterNum") return m_iterNum;
  if (name == "stepHalving") return m_stepHalving;
  return 0;
}

double KzIterationReporter::ScaleMeasure(const std::string& name) {
  if (name == "loglik") return m_logLik;
  if (name == "time") return m_time;
  return 0.0;
}

const std::vector<double>* KzIterationReporter::VectorMeasure(const std::string& name) {
  if (name == "paramEstim") return m_estimates;
  if (name == "paramEstim2") return m_estimates2;
  if (name == "paramEstim3") return m_estimates3;
  return nullptr;
}

void KzIterationReporter::Reset() { *this = KzIterationReporter(); }

void KzIterationReporter::SetInfo(const std::vector<double>* estimates, int iterNum,
                                  int stepHalving, double logLik, double time) {
  m_estimates = estimates;
  m_iterNum = iterNum;
  m_stepHalving = stepHalving;
  m_logLik = logLik;
  m_time = time;
}

void KzIterationReporter::SetInfo(const std::vector<double>* estimates,
                                  const std::vector<double>* estimates2,
                                  const std::vector<double>* estimates3, int iterNum, double logLik,
                                  double time) {
  m_estimates = estimates;
  m_estimates2 = estimates2;
  m_estimates3 = estimates3;
  m_iterNum = iterNum;
  m_logLik = logLik;
  m_time = time;
}

void KzIterationReporter::Display() const {
  using namespace KzDisplay_1_2;
  DisplayText(1, "KzIterationReporter display start");
  DisplayI("Iteration number", m_iterNum);
  DisplayI("Number of step halving", m_stepHalving);
  // The value is already on the -2 log-likelihood scale: shown as stored.
  DisplayD("Pseudo -2 log-likelihood", m_logLik);
  DisplayD("Elapsed time in sec", m_time);
  if (m_estimates != nullptr)
    DisplayDV("Parameter estimates", *m_estimates, false);
  else
    DisplayText(1, "Parameter estimates pointer is 0");
  if (m_estimates2 != nullptr)
    DisplayDV("Parameter estimates, second vector", *m_estimates2, false);
  if (m_estimates3 != nullptr) DisplayDV("Parameter estimates, third vector", *m_estimates3, false);
  DisplayText(1, "KzIterationReporter display end");
}

}  // namespace KzMath_1_2
