#ifndef KZCOMMON12R_KZCOMMON12R_H
#define KZCOMMON12R_KZCOMMON12R_H

// Umbrella header: every public header of the library.

#include "kzcommon12r/kzcommon12r_export.h"

// common
#include "kzcommon12r/common/IOException.h"
#include "kzcommon12r/common/KzException.h"
#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/common/KzQueryCancel.h"
#include "kzcommon12r/common/KzStatus.h"
#include "kzcommon12r/common/KzWarnings.h"
#include "kzcommon12r/common/KzDynamicLoadedLibrary.h"

// display
#include "kzcommon12r/display/KzDisplay.h"

// xml
#include "kzcommon12r/xml/ExportFormat.h"
#include "kzcommon12r/xml/XMLAttribute.h"
#include "kzcommon12r/xml/XMLDocType.h"
#include "kzcommon12r/xml/XMLElement.h"
#include "kzcommon12r/xml/XMLInterface.h"
#include "kzcommon12r/xml/XMLObj.h"
#include "kzcommon12r/xml/XMLReader.h"
#include "kzcommon12r/xml/XMLString.h"
#include "kzcommon12r/xml/XMLWriter.h"

// settings

// variables
#include "kzcommon12r/variables/IKzVariable.h"

// documents

// math/matrix
#include "kzcommon12r/math/matrix/IKzRectMatrix.h"
#include "kzcommon12r/math/matrix/IKzSymMatrix.h"
#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzRectMatrixData.h"
#include "kzcommon12r/math/matrix/KzSparseVector.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrixData.h"
#include "kzcommon12r/math/matrix/KzEigenValues.h"
#include "kzcommon12r/math/matrix/KzSymBlockMatrix.h"

// math/kernels
#include "kzcommon12r/math/kernels/Blas1.h"
#include "kzcommon12r/math/kernels/KzMathFun.h"
#include "kzcommon12r/math/kernels/Linpack.h"

// math/stats
#include "kzcommon12r/math/stats/KzDistFun.h"
#include "kzcommon12r/math/stats/KzExtremeNum.h"
#include "kzcommon12r/math/stats/KzPower.h"
#include "kzcommon12r/math/stats/KzCatStats.h"
#include "kzcommon12r/math/stats/KzContStats.h"
#include "kzcommon12r/math/stats/KzMeansXProdData.h"
#include "kzcommon12r/math/stats/KzMeansXProducts.h"
#include "kzcommon12r/math/stats/KzProvMeans.h"
#include "kzcommon12r/math/stats/ProgressReport.h"
#include "kzcommon12r/math/stats/ProgressReportVect.h"
#include "kzcommon12r/math/stats/KzIterationReporter.h"
#include "kzcommon12r/math/stats/KzHashKey.h"
#include "kzcommon12r/math/stats/KzPackedInt.h"

// math/random

#endif  // KZCOMMON12R_KZCOMMON12R_H
