#include "kzcommon12r/common/KzQueryCancel.h"

namespace KzCommon_1_2 {

// Out of line so that the vtable and type information live in the library.
KzQueryCancel::~KzQueryCancel() = default;

}  // namespace KzCommon_1_2
