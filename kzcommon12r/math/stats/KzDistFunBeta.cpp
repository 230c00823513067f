// Beta family: the incomplete beta ratio I_x(a, b) and its inverse, and the F
// and t distributions built on them.
//
// cdfbet: closed forms for a = 1 or b = 1; the power series
// I_x(a, b) = x^a (1-x)^b / (a B(a, b)) sum_j u_j, u_{j+1} = u_j (j+a+b)/(j+a+1) x,
// for b <= 1 (after exchanging the roles when a <= 1); otherwise the continued
// fraction of I_x(a, b) with coefficients d_{2i}, d_{2i+1} (Abramowitz and
// Stegun 26.5.8), and as a last resort the normal approximation of
// D. B. Peizer and J. W. Pratt, JASA 63 (1968) 1416-1456.
//
// betinv: K. L. Majumder and G. P. Bhattacharjee, Algorithm AS 109, Appl.
// Statist. 22 (1973) 411-414, with the initial approximation of A. H. Carter
// (1947) and Newton steps on the density.

#include <cmath>

#include "kzcommon12r/math/stats/KzDistFun.h"
#include "kzcommon12r/math/stats/KzPower.h"
#include "kzcommon12r/math/stats/internal/KzDistInternal.h"

namespace KzMath_1_2 {

namespace {

using kzdist::kMissing;

constexpr double kSeriesTol = 1e-15;
constexpr int kSeriesMaxTerms = 10000;
constexpr int kFractionMaxIter = 10000;
constexpr double kBetinvAcu = 1e-20;  // squared step and squared correction
constexpr double kBetinvFpu = 1e-300;
constexpr int kBetinvMaxIter = 50;
constexpr double kBetinvMinStart = 1e-300;

// ln(v) where v = 1 - w: near 1 through log1p(-w), whose argument carries the
// small side exactly (the callers form x and 1 - x independently).
inline double LogOf(double v, double w) { return v > 0.5 ? std::log1p(-w) : std::log(v); }

// The exponential of a logarithmic result, flushed to 0 below e^-708.
inline double ExpOrZero(double arg) { return arg < kzdist::kMinLogExp ? 0.0 : std::exp(arg); }

}  // namespace

double KzDistFun::peizerPratt(const double& k, const double& n, const double& p, const double& q) {
  // P(X <= k) ~ Phi(z), z = d sqrt((1 + q g(S/(n p)) + p g(T/(n q))) / ((n + 1/6) p q)),
  // S = k + 1/2, T = n - k - 1/2, d = k + 2/3 - (n + 1/3) p + a correction / 50.
  // S and T are clamped at 0 (g(0) = 1): the continued fraction that falls
  // back here may have a parameter below 1/2.
  const double s = std::fmax(k + 0.5, 0.0);
  const double t = std::fmax(n - k - 0.5, 0.0);
  const double d = k + 2.0 / 3.0 - (n + 1.0 / 3.0) * p +
                   (q / (k + 1.0) - p / (n - k) + (q - 0.5) / (n + 1.0)) / 50.0;
  const double g1 = cbtaux(s / (n * p));
  const double g2 = cbtaux(t / (n * q));
  const double z = d * std::sqrt((1.0 + q * g1 + p * g2) / ((n + 1.0 / 6.0) * p * q));
  return prbnrm(z);
}

double KzDistFun::cbtaux(const double& x) {
  if (std::isnan(x) || x < 0.0) return kMissing;
  if (x == 0.0) return 1.0;
  if (x == 1.0) return 0.0;
  if (x > kzdist::kSqrtDblMax) return -1.0;
  const double e = x - 1.0;
  if (std::fabs(e) < 0.05) {
    // Near 1 the closed form cancels: g(1 + e) = sum_m 2 (-e)^m / ((m+1)(m+2)).
    double sum = 0.0;
    double power = 1.0;
    for (int m = 1; m <= 14; ++m) {
      power *= -e;
      sum += 2.0 * power / ((m + 1.0) * (m + 2.0));
    }
    return sum;
  }
  return (1.0 - x * x + 2.0 * x * std::log(x)) / (e * e);
}

double KzDistFun::cdfbet(const double& x, const double& a, const double& b, long& err) {
  return cdfbetPair(x, 1.0 - x, a, b, err);
}

double KzDistFun::cdfbetPair(const double& x, const double& complement, const double& a,
                             const double& b, long& err) {
  err = 0;
  if (!(a > 0.0 && b > 0.0) || std::isnan(x) || std::isnan(complement)) {
    err = 1;
    return kMissing;
  }
  if (x <= 0.0) return 0.0;
  if (x >= 1.0 || complement <= 0.0) return 1.0;
  const double y = complement;
  // ln(x^a (1-x)^b Gamma(a+b) / (Gamma(a+1) Gamma(b))) with 1 - x given as y.
  // With large parameters the differences of large log-gammas are formed from
  // Stirling's series directly (kzdist::LnBetaFrontLarge, kzdist::LnGammaShift),
  // which keeps the absolute error near that of the small result.
  auto logFront = [](double lx, double ly, double la, double lb, bool& ok) {
    if (la >= 8.0 && lb >= 8.0) {
      ok = true;
      return kzdist::LnBetaFrontLarge(lx, ly, la, lb);
    }
    double gamma;
    if (lb >= 8.0) {  // lnGamma(a + b) - lnGamma(b), then - lnGamma(a + 1)
      const double ga1 = dnlgam(la + 1.0);
      ok = ga1 != kMissing;
      gamma = kzdist::LnGammaShift(lb, la) - ga1;
    } else if (la >= 8.0) {  // lnGamma((a + 1) + (b - 1)) - lnGamma(a + 1), then - lnGamma(b)
      const double gb = dnlgam(lb);
      ok = gb != kMissing;
      gamma = kzdist::LnGammaShift(la + 1.0, lb - 1.0) - gb;
    } else {
      const double gab = dnlgam(la + lb);
      const double ga1 = dnlgam(la + 1.0);
      const double gb = dnlgam(lb);
      ok = gab != kMissing && ga1 != kMissing && gb != kMissing;
      gamma = gab - ga1 - gb;
    }
    return gamma + la * LogOf(lx, ly) + lb * LogOf(ly, lx);
  };
  if (a == 1.0) {
    if (b == 1.0) return x;
    // 1 - y^b, formed with expm1 so that small results keep their digits.
    const double lg = b * LogOf(y, x);
    if (lg < kzdist::kMinLogExp) return 1.0;
    return -std::expm1(lg);
  }
  if (b == 1.0) return ExpOrZero(a * LogOf(x, y));

  // Power series on (x, a, b), or on (1 - x, b, a) complemented when
  // `exchange`; false when it does not converge (argument above 0.9, more
  // than 10000 terms, or a sum beyond 1e300).
  auto series = [&logFront, x, y, a, b](bool exchange, double& result) {
    const double sx = exchange ? y : x;
    const double sy = exchange ? x : y;
    const double sa = exchange ? b : a;
    const double sb = exchange ? a : b;
    if (sx > 0.9) return false;
    double u = 1.0;
    double sum = 1.0;
    bool converged = false;
    for (int j = 0; j < kSeriesMaxTerms; ++j) {
      u *= (j + sa + sb) / (j + sa + 1.0) * sx;
      sum += u;
      if (std::fabs(u) < kSeriesTol * sum) {
        converged = true;
        break;
      }
      if (sum > 1e300) break;
    }
    if (!converged) return false;
    bool ok;
    const double arg = logFront(sx, sy, sa, sb, ok) + std::log(sum);
    if (!ok) return false;
    double v = ExpOrZero(arg);
    if (v > 1.0) v = 1.0;
    result = exchange ? 1.0 - v : v;
    return true;
  };

  // The power series serves when a <= 1 or b <= 1. It runs on the side whose
  // probability is the smaller: on (x, a, b) for x up to the mean a/(a + b),
  // else on (1 - x, b, a) and complemented, so that a small I_x(a, b) is not
  // formed as 1 minus a number near 1 (exchanging whenever a <= 1 lost
  // I_x(0.5, df/2) of small t-statistics that way). On that side the terms
  // fall at least by the factor of the argument; above 0.9 that is too slow.
  // A complement that would converge too slowly gives way to the direct sum
  // (a tiny a with a huge b puts the mean near 0: the probability is near 1
  // and is summed directly). Otherwise, or when the series does not converge,
  // the continued fraction starts from the caller's (x, a, b).
  const bool smallParameter = a <= 1.0 || b <= 1.0;
  bool preferExchange = x * (a + b) > a;
  if (preferExchange && y > 0.9 && x <= 0.9) preferExchange = false;
  double r;
  if (smallParameter && series(preferExchange, r)) return r;
  // Very unequal parameters (one beyond 1e4, the other at most 50: the t
  // distribution with a large df, x near 1, or F with a large denominator df)
  // make the continued fraction converge slowly and lose digits (2e-11 for t
  // at df = 1e7, 4e-9 at df = 1e9; the Peizer-Pratt fallback beyond).
  const double big = std::fmax(a, b);
  const double small = std::fmin(a, b);
  const bool veryUnequal = big >= 1e4 && small <= 50.0;
  // There the leading term of the uniform asymptotic expansion of Temme (the
  // start of Didonato and Morris's BGRAT, TOMS 708) serves:
  // I_x(a, b) = Q(b, T), T = -(a + (b - 1)/2) ln x, for a large (P(a, T) with
  // the roles exchanged for b large). Its relative error, measured against
  // Rmath and mpmath, is below (0.02 + 0.04 b^2)(1 + T)^2 / a^2.
  auto temme = [x, y, a, b](double& T, double& result) {
    long gerr;
    if (a >= b) {
      T = -(a + 0.5 * (b - 1.0)) * LogOf(x, y);
      result = gammad(T, b, false, gerr);
    } else {
      T = -(b + 0.5 * (a - 1.0)) * LogOf(y, x);
      result = gammad(T, a, true, gerr);
    }
    return gerr == 0;
  };
  if (veryUnequal) {
    // Taken where that error is below 1e-14, or below 5e-12 once the large
    // parameter exceeds 5e5 (where the fraction does worse).
    double T;
    if (temme(T, r)) {
      const double estimate = (0.02 + 0.04 * small * small) * (1.0 + T) * (1.0 + T) / (big * big);
      if (estimate <= 1e-14 || (big >= 5e5 && estimate <= 5e-12)) return r;
    }
    // Near the mean the complement's series falls like a Poisson sum: it is
    // taken when the result keeps enough relative digits (at least 1e-3).
    if (smallParameter && !preferExchange && series(true, r) && r >= 1e-3) return r;
  }

  // Continued fraction, on the side where it converges fast.
  const bool flip = x >= (a + 1.0) / (a + b + 2.0);
  const double cx = flip ? y : x;
  const double cy = flip ? x : y;
  const double ca = flip ? b : a;
  const double cb = flip ? a : b;
  double a0 = 1.0, a1 = 1.0, b0 = 1.0;
  double b1 = 1.0 - (ca + cb) * cx / (ca + 1.0);
  double value = b1 != 0.0 ? a1 / b1 : 1.0;
  // Successive values agreeing within 10 units of rounding. (A tolerance that
  // grows with a + b, 10 max(a + b, 1) units, stops early enough at a + b = 50
  // to cost 1e-13 in the result; the few extra iterations are cheap.)
  const double tol = 10.0;
  bool converged = false;
  double prevDiff = 0.0;
  for (int i = 1; i <= kFractionMaxIter; ++i) {
    const double m = i;
    const double even = m * (cb - m) * cx / ((ca + 2.0 * m - 1.0) * (ca + 2.0 * m));
    a0 = a1 + even * a0;
    b0 = b1 + even * b0;
    const double odd = -(ca + m) * (ca + cb + m) * cx / ((ca + 2.0 * m) * (ca + 2.0 * m + 1.0));
    a1 = a0 + odd * a1;
    b1 = b0 + odd * b1;
    if (b1 == 0.0) continue;
    a0 /= b1;
    b0 /= b1;
    a1 /= b1;
    b1 = 1.0;
    const double old = value;
    value = a1;
    const double diff = std::fabs(value - old);
    if (KzPower::AlmostEqual(value, old, tol)) {
      // A fraction that converges slowly (ratio rho of successive changes
      // near 1) still moves by about diff rho/(1 - rho) after agreeing to 10
      // units: it must also be below that tolerance.
      const double rho = prevDiff > 0.0 ? diff / prevDiff : 0.0;
      if (rho < 0.5 || diff * rho / (1.0 - rho) <= tol * KzPower::gMachineEpsilon * value) {
        converged = true;
        break;
      }
    }
    prevDiff = diff;
  }
  if (converged && value > 0.0) {
    bool ok;
    const double arg = logFront(cx, cy, ca, cb, ok) + std::log(value);
    if (ok) {
      double v = ExpOrZero(arg);
      if (v > 1.0) v = 1.0;
      return flip ? 1.0 - v : v;
    }
  }
  // The fraction needs of the order of sqrt(min(a, b)) iterations near the
  // mean; with a parameter of 1e8 it can run out. The other orientation of the
  // series, a complement with its absolute accuracy, comes before the normal
  // approximation.
  double T;
  if (veryUnequal && temme(T, r)) return r;  // the fraction did not converge
  if (smallParameter && series(!preferExchange, r)) return r;
  // Peizer-Pratt: I_x(a, b) = P(Binomial(a + b - 1, x) >= a).
  const double n = a + b - 1.0;
  return 1.0 - peizerPratt(a - 1.0, n, x, y);
}

double KzDistFun::betinv(const double& p, const double& a, const double& b) {
  double x, complement;
  if (!betinvPair(p, a, b, x, complement)) return -1.0;
  return x;
}

bool KzDistFun::betinvPair(const double& p, const double& a, const double& b, double& x,
                           double& complement) {
  if (p == 0.0 && a > 0.0 && b > 0.0) {
    x = 0.0;
    complement = 1.0;
    return true;
  }
  if (p == 1.0 && a > 0.0 && b > 0.0) {
    x = 1.0;
    complement = 0.0;
    return true;
  }
  if (!(a > 0.0 && b > 0.0 && p >= 0.0 && p <= 1.0) || !std::isfinite(a) || !std::isfinite(b)) {
    return false;
  }
  // Closed forms.
  if (a != b && a == 1.0) {  // 1 - (1 - p)^(1/b)
    complement = std::exp(std::log1p(-p) / b);
    x = -std::expm1(std::log1p(-p) / b);
    return true;
  }
  if (a != b && b == 1.0) {  // p^(1/a)
    x = std::exp(std::log(p) / a);
    complement = -std::expm1(std::log(p) / a);
    return true;
  }
  if (a == b && p == 0.5) {
    x = complement = 0.5;
    return true;
  }
  if (a == 0.5 && b == 0.5) {
    const double s = std::sin(0.5 * kzdist::kPi * p);
    const double c = std::cos(0.5 * kzdist::kPi * p);
    x = s * s;
    complement = c * c;
    return true;
  }
  if (b <= a * 1e-20) {
    x = 1.0;
    complement = 0.0;
    return true;
  }

  // Work on the lower tail alpha <= 1/2.
  const bool upper = p > 0.5;
  const double alpha = upper ? 1.0 - p : p;
  const double pp = upper ? b : a;
  const double qq = upper ? a : b;
  const double lnBeta = dnlgam(pp) + dnlgam(qq) - dnlgam(pp + qq);
  // AS 109 takes the upper deviate y = -Phi^-1(alpha) > 0 of the lower tail.
  const double z = probit(alpha);
  if (z == kMissing) return false;
  const double y = -z;
  double xb;
  if (pp > 1.0 && qq > 1.0) {
    // Carter's approximation.
    const double r = (y * y - 3.0) / 6.0;
    const double s = 1.0 / (pp + pp - 1.0);
    const double t = 1.0 / (qq + qq - 1.0);
    const double h = 2.0 / (s + t);
    const double w = y * std::sqrt(h + r) / h - (t - s) * (r + 5.0 / 6.0 - 2.0 / (3.0 * h));
    if (w + w > kzdist::kMaxLogExp) {
      x = a / (a + b);
      complement = b / (a + b);
      return true;
    }
    xb = pp / (pp + qq * std::exp(w + w));
  } else {
    const double r = qq + qq;
    double t = 1.0 / (9.0 * qq);
    const double c = 1.0 - t + y * std::sqrt(t);
    t = r * c * c * c;
    if (t <= 0.0) {
      xb = -std::expm1((std::log1p(-alpha) + std::log(qq) + lnBeta) / qq);
    } else {
      t = (4.0 * pp + r - 2.0) / t;
      if (t <= 1.0) {
        xb = std::exp((std::log(alpha * pp) + lnBeta) / pp);
      } else {
        xb = 1.0 - 2.0 / (t + 1.0);
      }
    }
  }
  // The start is kept below 0.9999999 but not raised to 1e-8: a lower tail
  // whose root lies below 1e-8 (small a, tiny p) is reached from the start
  // formula, which is asymptotically exact there, not by Newton steps cut by
  // thirds from 1e-8.
  if (!(xb >= kBetinvMinStart)) xb = kBetinvMinStart;
  if (xb > 0.9999999) xb = 0.9999999;

  // Solves I_x(P, Q) = target from the start xb; false on an error of cdfbet.
  auto refine = [lnBeta](double target, double P, double Q, double xb, double& result) {
    // Far in the tail the start can miss by orders of magnitude (Carter's form
    // for I = 1e-45 with pp = 15), and Newton steps on I itself then creep along
    // a power law, gaining a factor 1 - 1/pp per step; with a tiny pp, I is so
    // flat in x that they hardly move at all. Newton steps are first taken on
    // ln I against ln x, where a power law is a straight line, until I is
    // within 0.1% of the target or ln x settles.
    for (int it = 0; it < kBetinvMaxIter; ++it) {
      long err;
      const double cdf = cdfbet(xb, P, Q, err);
      if (err) return false;
      if (!(cdf > 0.0)) {  // underflow: far below the root
        xb = std::fmin(xb * 1e4, 0.5 * (xb + 1.0));
        continue;
      }
      const double lr = std::log(cdf / target);
      if (std::fabs(lr) < 1e-3) break;
      // d ln I / d ln x = x f(x) / I(x).
      const double slope = std::exp(P * std::log(xb) + (Q - 1.0) * std::log1p(-xb) - lnBeta) / cdf;
      if (!(slope > 0.0) || !std::isfinite(slope)) break;
      double step = lr / slope;
      if (std::fabs(step) < 1e-12) break;  // ln x settled (a tiny P: I is flat in x)
      if (step < -50.0) step = -50.0;      // at most e^50 in one step
      const double next = xb * std::exp(-step);
      xb = next < 1.0 ? next : 0.5 * (xb + 1.0);
      if (!(xb > 0.0)) xb = kBetinvMinStart;
    }

    // Newton steps on I_x(pp, qq) - alpha with the density; each step is cut by
    // factors of 3 until it lands strictly inside (0, 1) and its square is
    // below the previous one.
    const double r = 1.0 - P;
    const double t = 1.0 - Q;
    double yprev = 0.0;
    double sq = 1.0;
    double prev = 1.0;
    result = xb;
    for (int it = 0; it < kBetinvMaxIter; ++it) {
      long err;
      const double cdf = cdfbet(xb, P, Q, err);
      if (err) return false;
      const double corr =
          (cdf - target) * std::exp(lnBeta + r * std::log(xb) + t * std::log1p(-xb));
      if (corr * yprev <= 0.0) prev = std::fmax(sq, kBetinvFpu);
      double g = 1.0;
      double tx = xb;
      bool stop = false;
      for (int cut = 0; cut < 200; ++cut) {
        const double adj = g * corr;
        sq = adj * adj;
        if (sq < prev) {
          tx = xb - adj;
          if (tx > 0.0 && tx < 1.0) {
            // Converged: the last step is applied, which costs nothing and
            // squares the remaining error.
            // The tests of AS 109 are absolute (1e-20 on the squares); scaled
            // by x^2 they are relative, so roots far below 1 keep their digits.
            const double scale = xb * xb;
            if (prev <= kBetinvAcu * scale || corr * corr <= kBetinvAcu * scale) stop = true;
            break;
          }
        }
        g /= 3.0;
      }
      if (!(tx > 0.0 && tx < 1.0)) tx = xb;
      result = tx;
      if (stop || tx == xb) break;
      xb = tx;
      yprev = corr;
    }
    return true;
  };

  double result = xb;
  if (!refine(alpha, pp, qq, xb, result)) return false;
  if (upper && result > 0.9) {
    // The root of the mirrored problem lies near 1, where the doubles do not
    // carry its complement (a tiny a with p above 1/2): the original problem,
    // whose root lies near 0, is solved from that complement.
    double direct = 1.0 - result;
    if (!(direct > 0.0)) direct = kBetinvMinStart;
    if (refine(p, a, b, direct, direct) && direct < 0.5) {
      x = direct;
      complement = 1.0 - direct;
      return true;
    }
  }
  if (upper) {
    x = 1.0 - result;
    complement = result;
  } else {
    x = result;
    complement = 1.0 - result;
  }
  return true;
}

double KzDistFun::IdfBeta(const double& p, const double& a, const double& b) {
  double x, complement;
  if (!betinvPair(p, a, b, x, complement)) return kMissing;
  return x;
}

// ---- F ------------------------------------------------------------------------

double KzDistFun::orvacdff(const double& x, const double& df1, const double& df2, long& err) {
  err = 0;
  if (!(df1 > 0.0 && df2 > 0.0) || std::isnan(x)) {
    err = 1;
    return kMissing;
  }
  if (x <= 0.0) return 0.0;
  if (std::isinf(x)) return 1.0;
  const double d1x = df1 * x;
  const double s = df2 + d1x;
  if (x >= 1.0) {
    const double w = df2 / d1x;  // finite when df1 x overflows
    const double r = cdfbetPair(w / (1.0 + w), 1.0 / (1.0 + w), 0.5 * df2, 0.5 * df1, err);
    return err ? kMissing : 1.0 - r;
  }
  const double r = cdfbetPair(d1x / s, df2 / s, 0.5 * df1, 0.5 * df2, err);
  return err ? kMissing : r;
}

double KzDistFun::CdfF(double x, double df1, double df2) {
  long err;
  const double r = orvacdff(x, df1, df2, err);
  return err ? kMissing : r;
}

double KzDistFun::SigF(double x, double df1, double df2) {
  if (!(df1 > 0.0 && df2 > 0.0) || std::isnan(x)) return kMissing;
  if (x <= 0.0) return 1.0;
  if (std::isinf(x)) return 0.0;
  long err;
  const double d1x = df1 * x;
  const double s = df2 + d1x;
  if (x >= 1.0) {
    const double w = df2 / d1x;
    const double r = cdfbetPair(w / (1.0 + w), 1.0 / (1.0 + w), 0.5 * df2, 0.5 * df1, err);
    return err ? kMissing : r;
  }
  const double r = cdfbetPair(d1x / s, df2 / s, 0.5 * df1, 0.5 * df2, err);
  return err ? kMissing : 1.0 - r;
}

double KzDistFun::orvaidff(const double& p, const double& df1, const double& df2, long& err) {
  err = 0;
  if (!(p >= 0.0 && p < 1.0 && df1 > 0.0 && df2 > 0.0)) {
    err = 1;
    return kMissing;
  }
  if (p == 0.0) return 0.0;
  double y, complement;
  if (!betinvPair(p, 0.5 * df1, 0.5 * df2, y, complement) || !(y >= 0.0 && y < 1.0) ||
      !(complement > 0.0)) {
    err = 2;
    return kMissing;
  }
  return y / complement * (df2 / df1);
}

double KzDistFun::IdfF(double p, double df1, double df2) {
  long err;
  const double r = orvaidff(p, df1, df2, err);
  return err ? kMissing : r;
}

// ---- t ------------------------------------------------------------------------

double KzDistFun::orvacdft(const double& x, const double& df, long& err) {
  err = 0;
  if (!(df > 0.0) || std::isnan(x)) {
    err = 1;
    return kMissing;
  }
  if (x == 0.0) return 0.5;
  if (std::isinf(x)) return x < 0.0 ? 0.0 : 1.0;
  if (df == 1.0) {
    // Cauchy: 1/2 + atan(x)/pi, with the tails as atan(1/|x|)/pi so that they
    // keep their relative accuracy.
    if (x < -1.0) return std::atan(-1.0 / x) / kzdist::kPi;
    if (x > 1.0) return 1.0 - std::atan(1.0 / x) / kzdist::kPi;
    return 0.5 + std::atan(x) / kzdist::kPi;
  }
  const double xx = x * x;
  if (std::fabs(x) > 1.0) {
    // df/(df + x^2) and its complement through w = df/x^2, which stays finite
    // when x^2 overflows.
    const double w = df / xx;
    const double r = 0.5 * cdfbetPair(w / (1.0 + w), 1.0 / (1.0 + w), 0.5 * df, 0.5, err);
    if (err) return kMissing;
    return x < 0.0 ? r : 1.0 - r;
  }
  const double s = df + xx;
  const double r = cdfbetPair(xx / s, df / s, 0.5, 0.5 * df, err);
  if (err) return kMissing;
  return x < 0.0 ? 0.5 - 0.5 * r : 0.5 + 0.5 * r;
}

double KzDistFun::CdfT(double x, double df) {
  long err;
  const double r = orvacdft(x, df, err);
  return err ? kMissing : r;
}

double KzDistFun::SigT(double x, double df) {
  long err;
  const double r = orvacdft(-x, df, err);
  return err ? kMissing : r;
}

double KzDistFun::orvaidft(const double& p, const double& df, long& err) {
  err = 0;
  if (!(p > 0.0 && p < 1.0 && df > 0.0)) {
    err = 1;
    return kMissing;
  }
  if (p == 0.5) return 0.0;
  const double q = p < 0.5 ? 2.0 * p : 2.0 - 2.0 * p;
  double y, complement;
  if (!betinvPair(q, 0.5 * df, 0.5, y, complement) || !(y > 0.0)) {
    err = 2;
    return kMissing;
  }
  // (1/y - 1) df with 1 - y taken from the inverse, not formed by subtraction.
  const double radicand = complement / y * df;
  if (!(radicand >= 0.0)) {
    err = 2;
    return kMissing;
  }
  const double t = std::sqrt(radicand);
  return p < 0.5 ? -t : t;
}

double KzDistFun::IdfT(double p, double df) {
  long err;
  const double r = orvaidft(p, df, err);
  return err ? kMissing : r;
}

}  // namespace KzMath_1_2
