#include "kzcommon12r/xml/XMLInterface.h"

namespace KzXML_1_2 {

XMLInterface::~XMLInterface() = default;

}  // namespace KzXML_1_2
