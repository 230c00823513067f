#ifndef KZ_TESTS_MATH_STATS_KZDISTFUNACCESS_H
#define KZ_TESTS_MATH_STATS_KZDISTFUNACCESS_H

// The friend through which tests, the accuracy tool and the benchmarks reach
// the private numerical kernels of KzDistFun (exported with the class).

#include "kzcommon12r/math/stats/KzDistFun.h"

namespace KzMath_1_2 {

class KzDistFunAccess {
 public:
  static double Erf(double x) { return KzDistFun::derf(x); }
  static double Erfc(double x) { return KzDistFun::derfc(x); }
  static double Prbnrm(double x) { return KzDistFun::prbnrm(x); }
  static double Probit(double p) { return KzDistFun::probit(p); }
  static double LnGamma(double x) { return KzDistFun::dnlgam(x); }
  static double OrvaLnGamma(double x) { return KzDistFun::orvadnlgam(x); }
  static double LnBinomial(double n, double k, long& err) { return KzDistFun::dnlbnc(n, k, err); }
  static double Gamma(double x, double p, bool lower, long& err) {
    return KzDistFun::gammad(x, p, lower, err);
  }
  static double Beta(double x, double a, double b, long& err) {
    return KzDistFun::cdfbet(x, a, b, err);
  }
  static double BetaInv(double p, double a, double b) { return KzDistFun::betinv(p, a, b); }
  static double Cbtaux(double x) { return KzDistFun::cbtaux(x); }
  static double PeizerPratt(double k, double n, double p) {
    return KzDistFun::peizerPratt(k, n, p, 1.0 - p);
  }
  static double CdfF(double x, double d1, double d2, long& err) {
    return KzDistFun::orvacdff(x, d1, d2, err);
  }
  static double CdfT(double x, double df, long& err) { return KzDistFun::orvacdft(x, df, err); }
  static double IdfChi(double p, double df, long& err) { return KzDistFun::orvaidfchi(p, df, err); }
  static double IdfChiBisect(double p, double df, double start, long& err) {
    return KzDistFun::idfchb(p, df, start, err);
  }
  static double IdfF(double p, double d1, double d2, long& err) {
    return KzDistFun::orvaidff(p, d1, d2, err);
  }
  static double IdfT(double p, double df, long& err) { return KzDistFun::orvaidft(p, df, err); }
};

}  // namespace KzMath_1_2

#endif  // KZ_TESTS_MATH_STATS_KZDISTFUNACCESS_H
