// Default bodies of the rectangular-matrix interface: each refuses
// (false, -1, the missing value) or does nothing, as the Part's table says, and
// changes no argument. The destructor, defined here, anchors the vtable in the
// library.
#include "kzcommon12r/math/matrix/IKzRectMatrix.h"

#include "kzcommon12r/common/KzMV.h"

namespace KzMath_1_2 {

namespace {
constexpr double kMissing = KzCommon_1_2::KzMV::gMissingValue;
}  // namespace

IKzRectMatrix::~IKzRectMatrix() = default;

int IKzRectMatrix::AddRow(const KzSparseVector& /*v*/) { return -1; }
int IKzRectMatrix::AddRow() { return -1; }
void IKzRectMatrix::Clear() {}
bool IKzRectMatrix::ColClean(int /*c*/, double /*tol*/) { return false; }
double IKzRectMatrix::ColNorm(int /*c*/) const { return kMissing; }
bool IKzRectMatrix::ColScale(int /*c*/, double /*s*/) { return false; }
bool IKzRectMatrix::ComputeMatrixProduct(const IKzRectMatrix& /*b*/, IKzRectMatrix& /*out*/) const {
  return false;
}
bool IKzRectMatrix::ComputeProductMatrixTrans(const IKzRectMatrix& /*b*/,
                                              IKzRectMatrix& /*out*/) const {
  return false;
}
bool IKzRectMatrix::ComputeRV(const std::vector<double>& /*v*/,
                              std::vector<double>& /*out*/) const {
  return false;
}
bool IKzRectMatrix::ComputeVR(const std::vector<double>& /*v*/,
                              std::vector<double>& /*out*/) const {
  return false;
}
bool IKzRectMatrix::CopyColToCol(int /*c*/, int /*to*/, IKzRectMatrix& /*dst*/) const {
  return false;
}
bool IKzRectMatrix::CopyColToRow(const IKzRectMatrix& /*src*/, int /*c*/, int /*r*/) {
  return false;
}
bool IKzRectMatrix::CopyColToVec(int /*c*/, std::vector<double>& /*out*/) const { return false; }
bool IKzRectMatrix::CopyRows(const IKzRectMatrix& /*src*/, int /*first*/, int /*count*/) {
  return false;
}
bool IKzRectMatrix::CopyRowToRow(int /*r*/, int /*to*/, IKzRectMatrix& /*dst*/) const {
  return false;
}
bool IKzRectMatrix::CreateBlockDiagonal(int /*nBlocks*/, IKzRectMatrix& /*out*/) const {
  return false;
}
double IKzRectMatrix::DotProductCol(int /*c1*/, int /*c2*/) const { return kMissing; }
double IKzRectMatrix::DotProductColCol(int /*c*/, const IKzRectMatrix& /*b*/, int /*cb*/) const {
  return kMissing;
}
double IKzRectMatrix::DotProductRows(int /*r1*/, int /*r2*/) const { return 0.0; }
double IKzRectMatrix::DotProductRowCol(int /*r*/, const IKzRectMatrix& /*b*/, int /*cb*/) const {
  return kMissing;
}
double IKzRectMatrix::DotProductRowRow(int /*r*/, const IKzRectMatrix& /*b*/, int /*rb*/) const {
  return kMissing;
}
bool IKzRectMatrix::ExpandSquare(const IKzRectMatrix& /*b*/, IKzRectMatrix& /*out*/) const {
  return false;
}
int IKzRectMatrix::ExtractColumns(const std::vector<int>& /*cols*/, IKzRectMatrix& /*out*/) const {
  return -1;
}
int IKzRectMatrix::ExtractRows(const std::vector<int>& /*rows*/, IKzRectMatrix& /*out*/) const {
  return -1;
}
bool IKzRectMatrix::IncrVecByColumn(int /*c*/, std::vector<double>& /*v*/, int /*first*/,
                                    int /*count*/, double /*w*/, bool /*check*/) const {
  return false;
}
bool IKzRectMatrix::IsColZero(int /*c*/) const { return true; }
bool IKzRectMatrix::IsRowZero(int /*r*/) const { return true; }
bool IKzRectMatrix::Resize(int /*nRows*/, int /*nCols*/) { return false; }
double IKzRectMatrix::RowNorm(int /*r*/) const { return kMissing; }
bool IKzRectMatrix::SetElem(int /*r*/, int /*c*/, double /*x*/) { return false; }
bool IKzRectMatrix::SetRow(int /*r*/, const KzSparseVector& /*v*/) { return false; }
void IKzRectMatrix::SetNRowsCols(int /*nRows*/, int /*nCols*/) {}
bool IKzRectMatrix::ShiftColumns(int /*k*/, IKzRectMatrix& /*out*/) const { return false; }
bool IKzRectMatrix::ShiftRows(int /*k*/, IKzRectMatrix& /*out*/) const { return false; }
void IKzRectMatrix::Transpose() {}
bool IKzRectMatrix::ZeroOutCol(int /*c*/) { return false; }
bool IKzRectMatrix::ZeroOutRowPart(int /*r*/, int /*first*/, int /*last*/) { return false; }
void IKzRectMatrix::Display() const {}
void IKzRectMatrix::DisplayF() const {}

}  // namespace KzMath_1_2
