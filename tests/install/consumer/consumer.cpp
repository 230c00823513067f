// A program built against the installed library only.
#include <kzcommon12r/kzcommon12r.h>

#include <sstream>

int main() {
  using KzCommon_1_2::KzMV;
  if (!KzMV::IsMissing(KzMV::Missing())) return 1;

  KzMath_1_2::KzBitSet flags(3);
  flags.Set(1, true);

  std::ostringstream out;
  KzDisplay_1_2::SetOutStream(out);
  flags.Display();
  KzDisplay_1_2::DisplayD("x", KzMV::gMissingValue);
  if (out.str() != "\nKzBitSet display start\nfbVec (size = 3)\n  f t f\nKzBitSet display end\nx = miss")
    return 2;

  KzCommon_1_2::KzWarnings warnings;
  warnings.AddWarning(KzCommon_1_2::KzStatus(1, true));
  return warnings.GetWarnings().size() == 1 ? 0 : 3;
}
