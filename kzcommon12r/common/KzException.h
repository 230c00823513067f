#ifndef KZCOMMON12R_COMMON_KZEXCEPTION_H
#define KZCOMMON12R_COMMON_KZEXCEPTION_H

#include <cstdint>
#include <string>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzCommon_1_2 {

/// The library's own exception: an integer code with a message. Thrown by
/// value, only by the generic value type when a value is used against its
/// type (code 13: wrong type, not an array, not a map; code 14: out of bounds).
class KZ_EXPORT KzException {
 public:
  KzException();
  KzException(int code, const std::string& message);
  KzException(const KzException& other);
  KzException& operator=(const KzException& other);
  virtual ~KzException();

  int GetCode() const { return code; }
  std::string GetMessage() const { return message; }

 private:
  std::int32_t code;
  std::string message;
};

}  // namespace KzCommon_1_2

#endif  // KZCOMMON12R_COMMON_KZEXCEPTION_H
