// Grouped data: a percentile by linear interpolation of the cumulative
// frequency (at group midpoints, over groups of a common width, or over
// explicit class boundaries) and the distribution-free confidence interval for
// the median from binomial(n, 1/2) order statistics.

#include <cmath>
#include <cstddef>

#include "kzcommon12r/math/stats/KzDistFun.h"
#include "kzcommon12r/math/stats/internal/KzDistInternal.h"

namespace KzMath_1_2 {

namespace {

using kzdist::kMissing;

// Linear interpolation between lo (at count a) and hi (at count c); missing
// when the counts coincide, the lower point for a fraction of exactly 0.
double Interpolate(double target, double a, double c, double lo, double hi) {
  if (c == a) return kMissing;
  const double fraction = (target - a) / (c - a);
  if (fraction == 0.0) return lo;
  return lo + fraction * (hi - lo);
}

}  // namespace

void KzDistFun::GPTile(long nGroups, double percent, const std::vector<double>& values,
                       const std::vector<double>& frequencies, const std::vector<double>& bounds,
                       long nBounds, double& result, long& status) {
  result = kMissing;
  status = -1;
  if (nGroups < 2) return;
  const auto groups = static_cast<std::size_t>(nGroups);
  if (values.size() < groups || frequencies.size() < groups) return;
  if (nBounds >= 1 && bounds.size() < static_cast<std::size_t>(nBounds)) return;
  if (std::isnan(percent)) return;
  status = 0;
  double total = 0.0;
  for (std::size_t i = 0; i < groups; ++i) total += frequencies[i];
  const double target = total * percent / 100.0;

  if (nBounds < 1) {
    // Midpoint method: c_i = (earlier frequencies) + f_i/2.
    double before = 0.0;
    double cPrev = frequencies[0] / 2.0;
    if (target < cPrev) {
      status = 1;
      return;
    }
    for (std::size_t i = 1; i < groups; ++i) {
      before += frequencies[i - 1];
      const double c = before + frequencies[i] / 2.0;
      if (cPrev <= target && target < c) {
        result = Interpolate(target, cPrev, c, values[i - 1], values[i]);
        return;
      }
      cPrev = c;
    }
    if (target == cPrev) {
      result = values[groups - 1];
    } else {
      status = 2;
    }
    return;
  }

  if (nBounds == 1) {
    // Groups of common width w centred on their values.
    const double half = bounds[0] / 2.0;
    if (target < 0.0) {
      status = 1;
      return;
    }
    double a = 0.0;
    for (std::size_t i = 0; i < groups; ++i) {
      const double c = a + frequencies[i];
      if (a <= target && target < c) {
        result = Interpolate(target, a, c, values[i] - half, values[i] + half);
        return;
      }
      a = c;
    }
    if (target == total) {
      result = values[groups - 1] + half;
    } else {
      status = 2;
    }
    return;
  }

  // Explicit class boundaries; the last class ends at 2 v - b, v the first
  // group value above its lower boundary b (b itself when no value lies above).
  const auto nb = static_cast<std::size_t>(nBounds);
  auto countBelow = [&](double boundary) {
    double s = 0.0;
    for (std::size_t i = 0; i < groups; ++i) {
      if (values[i] < boundary) s += frequencies[i];
    }
    return s;
  };
  const double lastLower = bounds[nb - 1];
  double lastUpper = lastLower;
  for (std::size_t i = 0; i < groups; ++i) {
    if (values[i] > lastLower) {
      lastUpper = 2.0 * values[i] - lastLower;
      break;
    }
  }
  double a = countBelow(bounds[0]);
  if (target == 0.0 && a == 0.0) {
    result = bounds[0];
    return;
  }
  if (target < a) {
    status = 1;
    return;
  }
  for (std::size_t j = 0; j < nb; ++j) {
    const double lo = bounds[j];
    const double hi = j + 1 < nb ? bounds[j + 1] : lastUpper;
    const double c = j + 1 < nb ? countBelow(hi) : (lastUpper > lastLower ? countBelow(hi) : a);
    if (a <= target && target <= c) {
      result = Interpolate(target, a, c, lo, hi);
      return;
    }
    a = c;
  }
  status = 2;
}

void KzDistFun::Mednci(long nGroups, const std::vector<double>& values,
                       const std::vector<double>& frequencies, double n, double confidence,
                       bool computeActual, double& lower, double& upper, double& actual) {
  lower = upper = actual = kMissing;
  if (nGroups < 1) return;
  const auto groups = static_cast<std::size_t>(nGroups);
  if (values.size() < groups || frequencies.size() < groups) return;
  const double first = values[0];
  const double last = values[groups - 1];
  if (n == 2.0) {
    lower = first;
    upper = last;
    actual = 100.0;
  }
  if (!(n > 2.0)) return;
  long err;
  const double k = IdfBin(0.5 - confidence / 200.0, n, 0.5, err);
  if (err) return;
  if (k < 0.0) {
    lower = first;
    upper = last;
    actual = 100.0;
    return;
  }
  // Lower limit: the (k + 1)-th smallest case.
  double rankLow = k + 1.0;
  if (n <= k + 1.0) {
    lower = last;
    rankLow = n;
  } else {
    double cum = 0.0;
    lower = last;
    for (std::size_t i = 0; i + 1 < groups; ++i) {
      cum += frequencies[i];
      if (cum >= k + 1.0) {
        lower = values[i];
        break;
      }
    }
  }
  // Upper limit: the (k + 1)-th largest case, i.e. rank n - k.
  double rankHigh = n - k;
  if (n - k <= 1.0) {
    upper = first;
    rankHigh = 1.0;
  } else {
    double cum = 0.0;
    upper = first;
    for (std::size_t i = groups; i-- > 0;) {
      cum += frequencies[i];
      if (cum > k) {
        upper = values[i];
        break;
      }
    }
  }
  if (computeActual) {
    long berr;
    const double I = cdfbet(0.5, rankLow, rankHigh, berr);
    if (!berr) actual = std::fmax(0.0, (I - 0.5) * 200.0);
  }
}

}  // namespace KzMath_1_2
