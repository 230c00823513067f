#ifndef KZ_TESTS_MATH_STATS_KZDISTACCURACY_H
#define KZ_TESTS_MATH_STATS_KZDISTACCURACY_H

// The accuracy measurement shared by the accuracy test and by
// tools/dist_accuracy.cpp, which writes tests/data/dist_accuracy.txt: the
// reference points (mpmath, 40 digits, tools/gen_dist_reference.py), the rows
// of the table (a function, the region of points it covers, the error metric)
// and the evaluation of this library's function at a point.

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "KzDistFunAccess.h"
#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/stats/KzDistFun.h"

namespace kzacc {

using KzMath_1_2::KzDistFun;
using KzMath_1_2::KzDistFunAccess;

struct RefPoint {
  std::string name;
  double arg[4] = {0, 0, 0, 0};
  double value = 0;
};

inline std::vector<RefPoint> LoadReference(const std::string& path) {
  std::vector<RefPoint> points;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::stringstream ss(line);
    std::vector<std::string> fields;
    std::string f;
    while (std::getline(ss, f, ',')) fields.push_back(f);
    if (fields.size() < 3) continue;
    RefPoint p;
    p.name = fields[0];
    for (size_t i = 1; i + 1 < fields.size() && i <= 4; ++i)
      p.arg[i - 1] = std::strtod(fields[i].c_str(), nullptr);
    p.value = std::strtod(fields.back().c_str(), nullptr);
    points.push_back(p);
  }
  return points;
}

/// One row of the accuracy table.
struct Row {
  std::string id;        // row name in the table
  std::string function;  // reference function name
  std::string region;    // description of the points covered
  double goal;           // largest error allowed; 0 = reported only
  std::function<bool(const RefPoint&)> in;
  bool scaledAbsolute;  // |error| / max(1, |ref|) instead of relative error
};

inline bool Moderate(const RefPoint& p, double maxParam) {
  const std::string& n = p.name;
  if (p.value < 1e-10) return false;
  if (n == "cdfchi" || n == "sigchi" || n == "cdft" || n == "sigt") return p.arg[1] <= maxParam;
  if (n == "cdff" || n == "sigf" || n == "ibeta")
    return p.arg[1] <= maxParam && p.arg[2] <= maxParam;
  return true;
}

inline std::vector<Row> Rows() {
  auto all = [](const RefPoint&) { return true; };
  auto moderate = [](const RefPoint& p) { return Moderate(p, 100.0); };
  std::vector<Row> rows = {
      {"CdfStdNorm", "cdfnorm", "value >= 1e-10", 1e-14,
       [](const RefPoint& p) { return p.value >= 1e-10; }, false},
      {"CdfStdNorm-tail", "cdfnorm", "value < 1e-10 (x >= -37.5)", 0,
       [](const RefPoint& p) { return p.value < 1e-10; }, false},
      {"IdfStdNorm", "idfnorm", "1e-298 <= p <= 1-1e-15", 1e-15, all, false},
      {"erf", "erf", "|x| <= 7", 1e-15, all, false},
      {"erfc", "erfc", "-5 <= x <= 26.6, value >= 1e-300", 0,
       [](const RefPoint& p) { return p.value >= 1e-300; }, false},
      {"lnGamma", "lgamma", "1e-300 <= x <= 1e6 (abs/max(1,|ref|))", 0, all, true},
      {"CdfChi", "cdfchi", "df <= 100, value >= 1e-10", 1e-13, moderate, false},
      {"SigChi", "sigchi", "df <= 100, value >= 1e-10", 1e-13, moderate, false},
      {"CdfChi-all", "cdfchi", "df <= 1000, all", 0, all, false},
      {"SigChi-all", "sigchi", "df <= 1000, all", 0, all, false},
      {"IdfChi", "idfchi", "1e-6 <= p <= 1-1e-6, df <= 1000", 1e-6, all, false},
      {"CdfT", "cdft", "df <= 100, value >= 1e-10", 1e-13, moderate, false},
      {"SigT", "sigt", "df <= 100, value >= 1e-10", 1e-13, moderate, false},
      {"CdfT-large-df", "cdft", "1e4 <= df <= 1e9, value >= 1e-300", 0,
       [](const RefPoint& p) { return p.arg[1] >= 1e4 && p.value >= 1e-300; }, false},
      {"IdfT", "idft", "1e-10 <= p <= 1-1e-6, df <= 100", 0, all, false},
      {"CdfF", "cdff", "df1, df2 <= 100, value >= 1e-10", 1e-13, moderate, false},
      {"SigF", "sigf", "df1, df2 <= 100, value >= 1e-10", 1e-13, moderate, false},
      {"SigF-large-df2", "sigf", "df1 <= 50, 1e5 <= df2 <= 1e9, value >= 1e-300", 0,
       [](const RefPoint& p) { return p.arg[2] >= 1e5 && p.value >= 1e-300; }, false},
      {"IdfF", "idff", "1e-6 <= p <= 0.999", 0, all, false},
      {"IncBeta", "ibeta", "a, b <= 100, value >= 1e-10", 1e-13, moderate, false},
      {"IncBeta-all", "ibeta", "a, b <= 300, all", 0, all, false},
      {"IdfBeta", "idfbeta", "1e-8 <= p <= 0.999", 0, all, false},
      {"PdfBin", "pdfbin", "n <= 5000, value >= 1e-300", 0,
       [](const RefPoint& p) { return p.value >= 1e-300; }, false},
      {"CdfBin", "cdfbin", "n <= 5000, value >= 1e-300", 0,
       [](const RefPoint& p) { return p.value >= 1e-300; }, false},
      {"CDFHyper", "cdfhyper", "N <= 10000 (AS 152), value >= 1e-300", 0,
       [](const RefPoint& p) { return p.arg[1] <= 10000 && p.value >= 1e-300; }, false},
      {"CDFHyper-normal", "cdfhyper", "N > 10000 (normal approximation; absolute error)", 0,
       [](const RefPoint& p) { return p.arg[1] > 10000; }, true},
  };
  return rows;
}

/// This library's value at a reference point.
inline double EvalKz(const RefPoint& p) {
  const double* a = p.arg;
  long err = 0;
  int ierr = 0;
  const std::string& n = p.name;
  if (n == "cdfnorm") return KzDistFun::CdfStdNorm(a[0]);
  if (n == "idfnorm") return KzDistFun::IdfStdNorm(a[0]);
  if (n == "erf") return KzDistFunAccess::Erf(a[0]);
  if (n == "erfc") return KzDistFunAccess::Erfc(a[0]);
  if (n == "lgamma") return KzDistFunAccess::LnGamma(a[0]);
  if (n == "cdfchi") return KzDistFun::CdfChi(a[0], a[1]);
  if (n == "sigchi") return KzDistFun::SigChi(a[0], a[1]);
  if (n == "idfchi") return KzDistFun::IdfChi(a[0], a[1]);
  if (n == "cdft") return KzDistFun::CdfT(a[0], a[1]);
  if (n == "sigt") return KzDistFun::SigT(a[0], a[1]);
  if (n == "idft") return KzDistFun::IdfT(a[0], a[1]);
  if (n == "cdff") return KzDistFun::CdfF(a[0], a[1], a[2]);
  if (n == "sigf") return KzDistFun::SigF(a[0], a[1], a[2]);
  if (n == "idff") return KzDistFun::IdfF(a[0], a[1], a[2]);
  if (n == "ibeta") return KzDistFunAccess::Beta(a[0], a[1], a[2], err);
  if (n == "idfbeta") return KzDistFun::IdfBeta(a[0], a[1], a[2]);
  if (n == "pdfbin") return KzDistFun::PdfBin(a[0], a[1], a[2], err);
  if (n == "cdfbin") return KzDistFun::CdfBin(a[0], a[1], a[2], err);
  if (n == "cdfhyper") return KzDistFun::CDFHyper(a[0], a[1], a[2], a[3], ierr);
  return KzCommon_1_2::KzMV::gMissingValue;
}

/// The error of `value` against the reference of `p` under the row's metric;
/// a missing or non-finite value counts as an infinite error.
inline double Error(const Row& row, const RefPoint& p, double value) {
  if (KzCommon_1_2::KzMV::IsMissing(value) || !std::isfinite(value)) return INFINITY;
  const double d = std::fabs(value - p.value);
  if (row.scaledAbsolute) return d / std::fmax(1.0, std::fabs(p.value));
  if (p.value == 0.0) return d;
  return d / std::fabs(p.value);
}

/// Largest error of `eval` over the row's points, with the worst point.
struct Measure {
  double maxError = 0;
  int points = 0;
  RefPoint worst;
};

inline Measure MeasureRow(const Row& row, const std::vector<RefPoint>& ref,
                          const std::function<double(const RefPoint&)>& eval) {
  Measure m;
  for (const RefPoint& p : ref) {
    if (p.name != row.function || !row.in(p)) continue;
    ++m.points;
    const double e = Error(row, p, eval(p));
    if (e > m.maxError || m.points == 1) {
      if (e >= m.maxError) m.worst = p;
      m.maxError = std::fmax(m.maxError, e);
    }
  }
  return m;
}

}  // namespace kzacc

#endif  // KZ_TESTS_MATH_STATS_KZDISTACCURACY_H
