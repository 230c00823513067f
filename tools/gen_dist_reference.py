#!/usr/bin/python3
"""Reference values of the distribution functions, computed with mpmath at
40 significant digits, for tests/math/stats (KzDistFun accuracy tests).

Every argument is a double, printed with repr() so that the test reads back
exactly the value mpmath was given (mpmath converts a float exactly). Values
are printed with 20 significant digits. Inverse functions are solved to 40
digits for the double probability printed.

Output lines: name,arg1,arg2,arg3,value (unused arguments 0); cdfhyper has
four arguments x,N,K,n.

Usage: /usr/bin/python3 tools/gen_dist_reference.py > tests/data/dist_reference.csv
"""
import statistics
import sys

import mpmath as mp

mp.mp.dps = 40
ONE = mp.mpf(1)
HALF = mp.mpf('0.5')

out = []


def put(name, args, value):
    a = list(args) + [0.0] * (3 - len(args))
    out.append('%s,%r,%r,%r,%s' % (name, a[0], a[1], a[2], mp.nstr(value, 20, min_fixed=1, max_fixed=0)))


def ncdf(x):
    return mp.erfc(-mp.mpf(x) / mp.sqrt(2)) / 2


def gamma_p(p, x):
    return mp.gammainc(p, 0, x, regularized=True)


def gamma_q(p, x):
    return mp.gammainc(p, x, mp.inf, regularized=True)


def ibeta(x, a, b):
    return mp.betainc(a, b, 0, x, regularized=True)


def solve(f, df, target, lo, hi, x0=None):
    """Root of f(t) = target for f increasing on [lo, hi], derivative df:
    Newton steps safeguarded by bisection (geometric while the bracket spans
    orders of magnitude), to 36 digits."""
    target = mp.mpf(target)
    lo, hi = mp.mpf(lo), mp.mpf(hi)
    x = mp.mpf(x0) if x0 is not None else (mp.sqrt(lo * hi) if lo > 0 else (lo + hi) / 2)
    for _ in range(2000):
        fx = f(x) - target
        if fx == 0:
            return x
        if fx < 0:
            lo = x
        else:
            hi = x
        d = df(x)
        nx = x - fx / d if d > 0 else None
        if nx is None or not (lo < nx < hi):
            nx = mp.sqrt(lo * hi) if lo > 0 and hi / lo > 4 else (lo + hi) / 2
        if abs(nx - x) <= mp.mpf(10) ** -36 * abs(x):
            return nx
        x = nx
    raise RuntimeError('no convergence')


def npdf(x):
    return mp.exp(-mp.mpf(x) ** 2 / 2) / mp.sqrt(2 * mp.pi)


def gamma_pdf(a, t):
    return mp.exp((a - 1) * mp.log(t) - t - mp.loggamma(a))


def beta_pdf(t, a, b):
    return mp.exp((a - 1) * mp.log(t) + (b - 1) * mp.log(1 - t) - mp.log(mp.beta(a, b)))


def t_pdf(t, df):
    df = mp.mpf(df)
    return mp.exp(mp.loggamma((df + 1) / 2) - mp.loggamma(df / 2)) / mp.sqrt(df * mp.pi) * \
        (1 + t * t / df) ** (-(df + 1) / 2)


def main():
    # Normal distribution and error functions.
    xs = [i / 8.0 for i in range(-300, 80)] + [-37.5, -30.0, -20.0, -1e-8, 1e-8, 0.3, -0.7]
    for x in xs:
        put('cdfnorm', [x], ncdf(x))
    for x in [i / 16.0 for i in range(-112, 113)] + [1e-300, 1e-10, 2.19999, 2.2, 6.89999, 6.9]:
        put('erf', [x], mp.erf(x))
    for x in [i / 8.0 for i in range(-40, 215)] + [1e-10, 26.0, 26.5]:
        put('erfc', [x], mp.erfc(x))
    ps = [10.0 ** -k for k in range(1, 301, 3)] + [i / 64.0 for i in range(1, 64)]
    ps += [1.0 - 10.0 ** -k for k in range(1, 16)] + [0.975, 0.4999999, 0.5000001, 0.075, 0.925]
    for p in ps:
        z0 = statistics.NormalDist().inv_cdf(p)
        z = solve(ncdf, npdf, p, -40, 10, z0)
        put('idfnorm', [p], z)

    # Log-gamma.
    for x in ([k / 64.0 for k in range(1, 1024)] + [10.0 ** (k / 4.0) for k in range(-40, 25)]
              + [0.2499999, 0.25, 0.5000001, 3.4999999, 3.5, 7.9999999, 8.0, 1e-300]):
        put('lgamma', [x], mp.loggamma(x))

    # Incomplete gamma and chi-square.
    dfs = [0.1, 0.5, 1.0, 2.0, 3.0, 5.0, 10.0, 30.0, 100.0, 1000.0]
    for df in dfs:
        for q in [1e-6, 0.001, 0.01, 0.05, 0.2, 0.5, 0.8, 0.95, 0.99, 0.999, 1.0 - 1e-6]:
            # a grid point near each quantile, rounded to 6 digits
            a = mp.mpf(df) / 2
            r = solve(lambda t: gamma_p(a, t), lambda t: gamma_pdf(a, t), q, 1e-300, 10 * df + 200)
            x0 = float(2 * r)
            x = float('%.6g' % x0)
            put('cdfchi', [x, df], gamma_p(df / 2, mp.mpf(x) / 2))
            put('sigchi', [x, df], gamma_q(df / 2, mp.mpf(x) / 2))
            put('idfchi', [q, df], 2 * r)

    # t.
    def tcdf(x, df):
        x = mp.mpf(x)
        if x == 0:
            return HALF
        r = ibeta(df / (df + x * x), mp.mpf(df) / 2, HALF) / 2
        return r if x < 0 else 1 - r

    for df in [1.0, 1.5, 2.0, 3.0, 5.0, 10.0, 30.0, 100.0]:
        for x in [-1e6, -1000.0, -100.0, -20.0, -5.0, -2.5, -1.3, -1.0, -0.7, -0.2, -1e-9,
                  1e-9, 0.2, 0.7, 1.0, 1.3, 2.5, 5.0, 20.0, 100.0]:
            put('cdft', [x, df], tcdf(x, df))
            put('sigt', [x, df], tcdf(-x, df))
        for p in [1e-10, 1e-6, 0.001, 0.025, 0.1, 0.3, 0.45, 0.55, 0.7, 0.9, 0.975, 0.999, 1 - 1e-6]:
            put('idft', [p, df], solve(lambda t: tcdf(t, df), lambda t: t_pdf(t, df), p,
                                       -1e12, 1e12, 0))

    # t with very large df (reported in their own row).
    for df in [1e4, 1e5, 1e6, 1e7, 1e8, 1e9]:
        for x in [-40.0, -20.0, -10.0, -6.0, -4.5, -3.0, -2.0, -1.5, -1.1, -0.5, 0.5, 1.1, 2.0,
                  3.0, 6.0]:
            put('cdft', [x, df], tcdf(x, df))

    # F.
    def fcdf(x, d1, d2):
        x = mp.mpf(x)
        return ibeta(d1 * x / (d2 + d1 * x), mp.mpf(d1) / 2, mp.mpf(d2) / 2)

    def fsig(x, d1, d2):
        # The upper tail as the lower tail of the mirrored ratio: mpmath forms
        # betainc(a, b, x, 1) as a difference, which cancels in the far tail.
        x = mp.mpf(x)
        return ibeta(d2 / (d2 + d1 * x), mp.mpf(d2) / 2, mp.mpf(d1) / 2)

    for d1, d2 in [(1.0, 1.0), (1.0, 10.0), (2.0, 5.0), (3.0, 30.0), (5.0, 2.0), (10.0, 10.0),
                   (20.0, 100.0), (0.5, 7.0), (50.0, 3.0)]:
        for x in [1e-6, 0.01, 0.1, 0.3, 0.6, 0.9, 1.0, 1.2, 2.0, 3.5, 6.0, 12.0, 50.0, 1000.0]:
            put('cdff', [x, d1, d2], fcdf(x, d1, d2))
            put('sigf', [x, d1, d2], fsig(x, d1, d2))
        for p in [1e-6, 0.01, 0.1, 0.5, 0.9, 0.95, 0.99, 0.999]:
            a, b = mp.mpf(d1) / 2, mp.mpf(d2) / 2
            y = solve(lambda t: ibeta(t, a, b), lambda t: beta_pdf(t, a, b), p, 0, 1, HALF)
            put('idff', [p, d1, d2], y / (1 - y) * mp.mpf(d2) / d1)

    # F with very large denominator df (reported in their own row).
    for d1 in [1.0, 3.0, 10.0, 50.0]:
        for d2 in [1e5, 1e7, 1e9]:
            for x in [0.05, 0.5, 1.0, 1.5, 3.0, 8.0, 20.0]:
                put('sigf', [x, d1, d2], fsig(x, d1, d2))

    # Incomplete beta and its inverse.
    for a, b in [(0.5, 0.5), (0.5, 3.0), (0.7, 30.0), (1.5, 0.8), (2.0, 3.0), (5.0, 5.0),
                 (10.0, 2.5), (30.0, 40.0), (100.0, 150.0), (3.0, 300.0), (0.2, 0.9)]:
        for x in [1e-8, 1e-4, 0.01, 0.05, 0.1, 0.25, 0.4, 0.5, 0.6, 0.75, 0.9, 0.99, 0.9999]:
            put('ibeta', [x, a, b], ibeta(x, a, b))
        for p in [1e-8, 0.001, 0.05, 0.3, 0.5, 0.7, 0.95, 0.999]:
            put('idfbeta', [p, a, b],
                solve(lambda t: ibeta(t, a, b), lambda t: beta_pdf(t, a, b), p, 0, 1, HALF))

    # Binomial: exact sums of exact terms for the double pi.
    for n, pi in [(1, 0.3), (4, 0.5), (10, 0.1), (20, 0.7), (50, 0.5), (100, 0.01), (100, 0.37),
                  (1000, 0.5), (1000, 0.002), (5000, 0.9)]:
        P = mp.mpf(pi)
        cum = mp.mpf(0)
        step = max(1, n // 40)
        for k in range(0, n + 1):
            term = mp.binomial(n, k) * P ** k * (1 - P) ** (n - k)
            cum += term
            if k % step == 0 or k == n:
                put('pdfbin', [float(k), float(n), pi], term)
                put('cdfbin', [float(k), float(n), pi], cum)

    # Hypergeometric.
    for N, K, n in [(20, 7, 5), (50, 20, 25), (500, 100, 60), (2000, 300, 400),
                    (20000, 3000, 500), (1000, 1, 999)]:
        den = mp.binomial(N, n)
        cum = mp.mpf(0)
        lo, hi = max(0, K + n - N), min(K, n)
        step = max(1, (hi - lo) // 30)
        for x in range(lo, hi + 1):
            cum += mp.binomial(K, x) * mp.binomial(N - K, n - x) / den
            if (x - lo) % step == 0:
                out.append('cdfhyper,%r,%r,%r,%r,%s' % (float(x), float(N), float(K), float(n),
                                                        mp.nstr(cum, 20, min_fixed=1, max_fixed=0)))

    print('# Generated by tools/gen_dist_reference.py (mpmath %s, %d digits). Do not edit.'
          % (mp.__version__, mp.mp.dps))
    print('\n'.join(out))


if __name__ == '__main__':
    sys.exit(main())
