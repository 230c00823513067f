// NIST StRD linear least-squares datasets (Norris, Pontius, NoInt1, NoInt2,
// Longley; tests/data/nist, the NIST files unchanged) fitted two ways:
//  - sweep: the cross-product matrix of [X | y] (corrected for the means when
//    the model has an intercept, two-pass) swept on the predictors; the
//    coefficients read with GetRegCoeffs, the standard deviations from the
//    swept block -(XᵀX)⁻¹ and the residual sum of squares;
//  - QR: Householder QR of the design matrix [1 | X] itself, b = R⁻¹ qᵀy.
// Accuracy is the log relative error (LRE, McCullough 1998): the number of
// correct significant digits, capped at 15. Each path is asserted to the
// digits it reaches on each dataset (the table below).

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"

namespace {

using KzMath_1_2::KzBitSet;
using KzMath_1_2::KzRectMatrix;
using KzMath_1_2::KzSymMatrix;

struct Dataset {
  std::vector<double> coef, coefSd;  // certified, B0 first
  double residualSd = 0.0;
  std::vector<std::vector<double>> rows;  // y, x1, x2, ...
};

// Reads the certified values and the data of a NIST StRD .dat file.
bool ReadNist(const std::string& path, Dataset& out) {
  std::ifstream in(path);
  if (!in) return false;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  int first = 0, last = 0;
  for (const std::string& line : lines) {
    std::istringstream words(line);
    std::string w1, w2;
    words >> w1;
    const std::size_t range = line.find("(lines");
    if (first == 0 && w1 == "Data" && range != std::string::npos) {
      // "Data              (lines 61 to 96)"
      std::sscanf(line.c_str() + range, "(lines %d to %d)", &first, &last);
    } else if (out.residualSd == 0.0 && w1.size() >= 2 && w1[0] == 'B' &&
               std::isdigit(static_cast<unsigned char>(w1[1]))) {
      // "B1   estimate   standard deviation"
      double est = 0.0, sd = 0.0;
      if (words >> est >> sd) {
        out.coef.push_back(est);
        out.coefSd.push_back(sd);
      }
    } else if (out.residualSd == 0.0 && w1 == "Standard" && (words >> w2) && w2 == "Deviation") {
      double sd = 0.0;  // the column title has no number after it
      if (words >> sd) out.residualSd = sd;
    }
  }
  if (first < 1 || last > static_cast<int>(lines.size())) return false;
  for (int i = first; i <= last; ++i) {
    std::istringstream s(lines[static_cast<std::size_t>(i - 1)]);
    std::vector<double> row;
    for (double v; s >> v;) row.push_back(v);
    out.rows.push_back(row);
  }
  return !out.coef.empty() && out.residualSd > 0.0;
}

struct Fit {
  std::vector<double> coef, coefSd;
  double residualSd = 0.0;
};

// Predictor columns (without the intercept) of a row.
std::vector<double> Predictors(const std::vector<double>& row, bool quadratic) {
  if (quadratic) return {row[1], row[1] * row[1]};
  return std::vector<double>(row.begin() + 1, row.end());
}

Fit FitBySweep(const Dataset& ds, bool intercept, bool quadratic) {
  const int n = static_cast<int>(ds.rows.size());
  const int q = static_cast<int>(Predictors(ds.rows[0], quadratic).size());
  std::vector<double> means(static_cast<std::size_t>(q) + 1, 0.0);
  if (intercept) {
    for (const auto& row : ds.rows) {
      const std::vector<double> z = Predictors(row, quadratic);
      for (int j = 0; j < q; ++j) means[j] += z[j];
      means[q] += row[0];
    }
    for (double& v : means) v /= n;
  }
  KzRectMatrix x(n, q), y(n, 1);
  for (int r = 0; r < n; ++r) {
    const std::vector<double> z = Predictors(ds.rows[r], quadratic);
    for (int j = 0; j < q; ++j) x.SetElem(r, j, z[j] - means[j]);
    y.SetElem(r, 0, ds.rows[r][0] - means[q]);
  }
  KzSymMatrix m(q + 1);
  m.UpdateXXMat2(x, y, 1.0);
  std::vector<double> d;
  m.GetDiagonal(d);
  KzBitSet swept(q + 1);
  for (int j = 0; j < q; ++j) EXPECT_TRUE(m.Sweep(j, 1e-12, d, swept, true));
  std::vector<double> b;
  EXPECT_TRUE(m.GetRegCoeffs(b, swept));
  const int df = n - q - (intercept ? 1 : 0);
  const double s2 = m.GetElem(q, q) / df;
  Fit fit;
  fit.residualSd = std::sqrt(s2);
  if (intercept) {
    double b0 = means[q], v0 = 1.0 / n;
    for (int j = 0; j < q; ++j) {
      b0 -= b[j] * means[j];
      for (int k = 0; k < q; ++k) v0 += means[j] * means[k] * -m.GetElem(j, k);
    }
    fit.coef.push_back(b0);
    fit.coefSd.push_back(std::sqrt(v0 * s2));
  }
  for (int j = 0; j < q; ++j) {
    fit.coef.push_back(b[j]);
    fit.coefSd.push_back(std::sqrt(-m.GetElem(j, j) * s2));
  }
  return fit;
}

Fit FitByQR(const Dataset& ds, bool intercept, bool quadratic) {
  const int n = static_cast<int>(ds.rows.size());
  const int q = static_cast<int>(Predictors(ds.rows[0], quadratic).size());
  const int p = q + (intercept ? 1 : 0);
  KzRectMatrix a(n, p);
  for (int r = 0; r < n; ++r) {
    const std::vector<double> z = Predictors(ds.rows[r], quadratic);
    int c = 0;
    if (intercept) a.SetElem(r, c++, 1.0);
    for (double v : z) a.SetElem(r, c++, v);
  }
  KzSymMatrix rm;
  KzRectMatrix qm;
  EXPECT_TRUE(a.QRDecompositionH(rm, qm));
  std::vector<double> c(static_cast<std::size_t>(n), 0.0);  // qᵀ y
  for (int i = 0; i < n; ++i)
    for (int r = 0; r < n; ++r) c[i] += qm.GetElem(r, i) * ds.rows[r][0];
  // R⁻¹ by back substitution, column by column.
  std::vector<double> rinv(static_cast<std::size_t>(p) * p, 0.0);
  for (int col = 0; col < p; ++col)
    for (int i = col; i >= 0; --i) {
      double s = i == col ? 1.0 : 0.0;
      for (int k = i + 1; k <= col; ++k) s -= rm.GetElem(i, k) * rinv[k * p + col];
      rinv[i * p + col] = s / rm.GetElem(i, i);
    }
  Fit fit;
  double rss = 0.0;
  for (int i = p; i < n; ++i) rss += c[i] * c[i];
  const double s2 = rss / (n - p);
  fit.residualSd = std::sqrt(s2);
  for (int i = 0; i < p; ++i) {
    double b = 0.0, v = 0.0;
    for (int k = i; k < p; ++k) {
      b += rinv[i * p + k] * c[k];
      v += rinv[i * p + k] * rinv[i * p + k];
    }
    fit.coef.push_back(b);
    fit.coefSd.push_back(std::sqrt(v * s2));
  }
  return fit;
}

double Lre(double certified, double value) {
  if (value == certified) return 15.0;
  const double rel = std::fabs(value - certified) / std::fabs(certified);
  return std::min(15.0, -std::log10(rel));
}

struct Digits {
  double coef = 15.0, sd = 15.0, resid = 15.0;
};

Digits Measure(const Dataset& ds, const Fit& fit) {
  Digits g;
  EXPECT_EQ(ds.coef.size(), fit.coef.size());
  for (std::size_t j = 0; j < ds.coef.size() && j < fit.coef.size(); ++j) {
    g.coef = std::min(g.coef, Lre(ds.coef[j], fit.coef[j]));
    g.sd = std::min(g.sd, Lre(ds.coefSd[j], fit.coefSd[j]));
  }
  g.resid = Lre(ds.residualSd, fit.residualSd);
  return g;
}

struct NistCase {
  const char* name;
  bool intercept;
  bool quadratic;
  // Digits asserted (the smallest LRE over the parameters): coefficients,
  // their standard deviations, residual standard deviation; sweep then QR.
  Digits sweep, qr;
};

class NistRegression : public ::testing::TestWithParam<NistCase> {};

TEST_P(NistRegression, CertifiedValues) {
  const NistCase& c = GetParam();
  // KZ_TEST_DATA_DIR first; the source tree's tests/data when the variable is
  // unset or names another folder.
  const char* env = std::getenv("KZ_TEST_DATA_DIR");
  const std::string file = std::string("/nist/") + c.name + ".dat";
  Dataset ds;
  if (env == nullptr || !ReadNist(env + file, ds)) {
    ds = Dataset();
    ASSERT_TRUE(ReadNist(std::string(KZ_FACTOR_TEST_DATA) + file, ds)) << c.name;
  }
  const Digits sweep = Measure(ds, FitBySweep(ds, c.intercept, c.quadratic));
  const Digits qr = Measure(ds, FitByQR(ds, c.intercept, c.quadratic));
  std::printf("%-8s sweep: coef %.2f sd %.2f resid %.2f | QR: coef %.2f sd %.2f resid %.2f\n",
              c.name, sweep.coef, sweep.sd, sweep.resid, qr.coef, qr.sd, qr.resid);
  EXPECT_GE(sweep.coef, c.sweep.coef);
  EXPECT_GE(sweep.sd, c.sweep.sd);
  EXPECT_GE(sweep.resid, c.sweep.resid);
  EXPECT_GE(qr.coef, c.qr.coef);
  EXPECT_GE(qr.sd, c.qr.sd);
  EXPECT_GE(qr.resid, c.qr.resid);
}

INSTANTIATE_TEST_SUITE_P(
    StRD, NistRegression,
    // LRE measured (sweep | QR): Norris 12.77 11.69 11.69 | 13.33 14.56 14.49;
    // Pontius 11.44 9.37 9.37 | 12.21 12.21 12.21; NoInt1 14.72 13.50 13.51 |
    // 14.63 14.64 14.49; NoInt2 15 14.64 14.74 | 15 14.74 14.78; Longley 12.08
    // 13.03 13.59 | 10.76 11.74 11.81. The cross-products lose the digits of
    // R² (Pontius: RSS/Syy ~ 1e-6); QR on the raw Longley design meets its
    // condition number (~5e9).
    ::testing::Values(NistCase{"Norris", true, false, {12, 11, 11}, {13, 14, 14}},
                      NistCase{"Pontius", true, true, {11, 9, 9}, {12, 12, 12}},
                      NistCase{"NoInt1", false, false, {14, 13, 13}, {14, 14, 14}},
                      NistCase{"NoInt2", false, false, {15, 14, 14}, {15, 14, 14}},
                      NistCase{"Longley", true, false, {12, 13, 13}, {10, 11, 11}}),
    [](const ::testing::TestParamInfo<NistCase>& info) { return std::string(info.param.name); });

}  // namespace
