#include "kzcommon12r/math/stats/ProgressReport.h"

namespace KzCommon_1_2 {

// Out of line so that the class's vtable and type information live in the library.
ProgressReport::~ProgressReport() = default;

}  // namespace KzCommon_1_2
