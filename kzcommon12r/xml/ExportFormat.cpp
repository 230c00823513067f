#include "kzcommon12r/xml/ExportFormat.h"

// ExportFormat is a plain value class whose operations are all inline; this
// translation unit only anchors the header in the library's build.
