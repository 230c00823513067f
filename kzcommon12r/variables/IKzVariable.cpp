#include "kzcommon12r/variables/IKzVariable.h"

namespace KzXML_1_2 {

// Out of line so that the vtable lives in the library.
IKzVariable::~IKzVariable() = default;

}  // namespace KzXML_1_2
