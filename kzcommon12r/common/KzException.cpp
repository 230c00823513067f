#include "kzcommon12r/common/KzException.h"

namespace KzCommon_1_2 {

KzException::KzException() : code(0) {}

KzException::KzException(int code, const std::string& message) : code(code), message(message) {}

KzException::KzException(const KzException& other) = default;

KzException& KzException::operator=(const KzException& other) = default;

KzException::~KzException() = default;

}  // namespace KzCommon_1_2
