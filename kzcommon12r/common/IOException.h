#ifndef KZCOMMON12R_COMMON_IOEXCEPTION_H
#define KZCOMMON12R_COMMON_IOEXCEPTION_H

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzXML_1_2 {

/// Thrown by pointer (`throw new IOException`) by the object-stream readers
/// after they write a "Failure reading ..." line to standard error. The
/// catcher owns the object and deletes it.
class KZ_EXPORT IOException {};

}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_COMMON_IOEXCEPTION_H
