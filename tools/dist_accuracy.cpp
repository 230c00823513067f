// Writes the accuracy table of the distribution functions: for each row of
// tests/math/stats/KzDistAccuracy.h, the largest error of this library and of
// R's standalone math library (Rmath) against the mpmath reference values
// (tests/data/dist_reference.csv), over the same points. Built and run by
// tools/gen_dist_accuracy.sh; the accuracy test checks the table.

#define MATHLIB_STANDALONE
#include <Rmath.h>
#undef beta
#undef gamma

#include <cstdio>
#include <string>

#include "../tests/math/stats/KzDistAccuracy.h"

namespace {

double EvalRmath(const kzacc::RefPoint& p, bool& available) {
  const double* a = p.arg;
  const std::string& n = p.name;
  available = true;
  if (n == "cdfnorm") return pnorm(a[0], 0.0, 1.0, 1, 0);
  if (n == "idfnorm") return qnorm(a[0], 0.0, 1.0, 1, 0);
  if (n == "lgamma") return lgammafn(a[0]);
  if (n == "cdfchi") return pchisq(a[0], a[1], 1, 0);
  if (n == "sigchi") return pchisq(a[0], a[1], 0, 0);
  if (n == "idfchi") return qchisq(a[0], a[1], 1, 0);
  if (n == "cdft") return pt(a[0], a[1], 1, 0);
  if (n == "sigt") return pt(a[0], a[1], 0, 0);
  if (n == "idft") return qt(a[0], a[1], 1, 0);
  if (n == "cdff") return pf(a[0], a[1], a[2], 1, 0);
  if (n == "sigf") return pf(a[0], a[1], a[2], 0, 0);
  if (n == "idff") return qf(a[0], a[1], a[2], 1, 0);
  if (n == "ibeta") return pbeta(a[0], a[1], a[2], 1, 0);
  if (n == "idfbeta") return qbeta(a[0], a[1], a[2], 1, 0);
  if (n == "pdfbin") return dbinom(a[0], a[1], a[2], 0);
  if (n == "cdfbin") return pbinom(a[0], a[1], a[2], 1, 0);
  if (n == "cdfhyper") return phyper(a[0], a[2], a[1] - a[2], a[3], 1, 0);
  available = false;
  return 0.0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: dist_accuracy reference.csv\n");
    return 2;
  }
  const auto ref = kzacc::LoadReference(argv[1]);
  std::printf(
      "# Accuracy of KzDistFun against mpmath at 40 digits (tests/data/dist_reference.csv),\n");
  std::printf("# side by side with R's standalone math library (Rmath %s) on the same points.\n",
              R_VERSION_STRING);
  std::printf("# Written by tools/gen_dist_accuracy.sh; checked by KzDistFunAccuracy_test.\n");
  std::printf("# Error: relative (lnGamma: absolute / max(1, |value|)). goal 0: reported only.\n");
  std::printf("# row points goal kz_max_error rmath_max_error region\n");
  for (const auto& row : kzacc::Rows()) {
    const auto kz = kzacc::MeasureRow(row, ref, kzacc::EvalKz);
    bool available = true;
    kzacc::RefPoint probe;
    probe.name = row.function;
    EvalRmath(probe, available);
    std::string rm = "-";
    if (available) {
      const auto r = kzacc::MeasureRow(row, ref, [](const kzacc::RefPoint& p) {
        bool ok;
        return EvalRmath(p, ok);
      });
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.2e", r.maxError);
      rm = buf;
    }
    std::printf("%-16s %5d %8.1e %.2e %s  %s\n", row.id.c_str(), kz.points, row.goal, kz.maxError,
                rm.c_str(), row.region.c_str());
    std::fprintf(stderr, "%-16s worst at %s(%.17g, %.17g, %.17g, %.17g)\n", row.id.c_str(),
                 kz.worst.name.c_str(), kz.worst.arg[0], kz.worst.arg[1], kz.worst.arg[2],
                 kz.worst.arg[3]);
  }
  return 0;
}
