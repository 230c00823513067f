#include "kzcommon12r/common/KzMV.h"

#include <limits>

namespace KzCommon_1_2 {

static_assert(KzMV::gMissingValue == -std::numeric_limits<double>::max(),
              "the missing value is the most negative finite double");

}  // namespace KzCommon_1_2
