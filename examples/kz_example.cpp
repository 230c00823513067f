// A short tour of the foundation: missing values, statuses and warnings,
// the diagnostic display and bit sets marking redundant columns.
#include <iostream>

#include "kzcommon12r/kzcommon12r.h"

int main() {
  using namespace KzDisplay_1_2;
  using KzCommon_1_2::KzMV;

  DisplayText(0, "kzcommon12r example");
  DisplayTimeStamp("started");

  const std::vector<double> income = {41.2, KzMV::Missing(), 38.9, 52.0};
  DisplayDV("income", income, false);
  int missing = 0;
  for (double x : income) missing += KzMV::IsMissing(x);
  DisplayI("missing cases", missing);

  // Columns 2 and 4 of a design found redundant.
  KzMath_1_2::KzBitSet redundant(6);
  redundant.SetSubset({2, 4}, true);
  redundant.Display();
  DisplayI("redundant columns", redundant.InSet());

  KzCommon_1_2::KzWarnings warnings;
  KzCommon_1_2::KzStatus aliased(17, true);
  aliased.SetDiscreteDatum(0, 2);
  warnings.AddWarning(aliased);
  warnings.AddWarning(aliased);
  DisplayI("distinct warnings", static_cast<int>(warnings.GetWarnings().size()));
  DisplayText(1, "");
  std::cout << std::endl;
  return 0;
}
