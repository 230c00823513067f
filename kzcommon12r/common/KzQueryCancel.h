#ifndef KZCOMMON12R_COMMON_KZQUERYCANCEL_H
#define KZCOMMON12R_COMMON_KZQUERYCANCEL_H

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzCommon_1_2 {

/// Cancellation callback, implemented by the caller. Long operations poll
/// IsCancelRequested once per unit of work and stop when it answers true.
class KZ_EXPORT KzQueryCancel {
 public:
  virtual ~KzQueryCancel();
  virtual bool IsCancelRequested() = 0;
};

}  // namespace KzCommon_1_2

#endif  // KZCOMMON12R_COMMON_KZQUERYCANCEL_H
