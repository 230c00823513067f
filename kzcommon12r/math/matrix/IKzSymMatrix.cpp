// Default bodies of the symmetric-matrix interface: each refuses
// (false, -1, the missing value) or does nothing, as the Part's table says.
// Three defaults write an output: CholInverse(..., minPivot) and the two
// MaxMinDiag forms set theirs to the missing value, so that a caller that
// ignores the refusal reads "missing" rather than stale numbers. The
// destructor, defined here, anchors the vtable in the library.
#include "kzcommon12r/math/matrix/IKzSymMatrix.h"

#include "kzcommon12r/common/KzMV.h"

namespace KzMath_1_2 {

namespace {
constexpr double kMissing = KzCommon_1_2::KzMV::gMissingValue;
using DVec = std::vector<double>;
using IVec = std::vector<int>;
}  // namespace

IKzSymMatrix::~IKzSymMatrix() = default;

void IKzSymMatrix::AddToDiagonal(double /*x*/) {}
void IKzSymMatrix::ChangeSign() {}
int IKzSymMatrix::CholInverse(const DVec& /*d*/, double /*eps*/, IKzSymMatrix& /*inv*/,
                              double& minPivot) const {
  minPivot = kMissing;
  return -1;
}
int IKzSymMatrix::CholInverse(const DVec& /*d*/, double /*eps*/, IKzSymMatrix& /*inv*/,
                              KzBitSet& /*kept*/) const {
  return -1;
}
int IKzSymMatrix::CholInverse(const DVec& /*d*/, double /*eps*/, IKzSymMatrix& /*inv*/) const {
  return -1;
}
void IKzSymMatrix::Clear() {}
bool IKzSymMatrix::ComputeAXpY(double /*a*/, const IKzSymMatrix& /*x*/) { return false; }
bool IKzSymMatrix::ComputeDeterminant(double /*eps*/, double* const /*det*/) const { return false; }
double IKzSymMatrix::ComputeDotProduct2Rows(int /*i*/, int /*j*/) const { return kMissing; }
bool IKzSymMatrix::ComputeGMG(const DVec& /*m*/, KzSymMatrix& /*out*/) const { return false; }
bool IKzSymMatrix::ComputeGMGNG(const IKzSymMatrix& /*m*/, const IKzSymMatrix& /*nn*/,
                                IKzSymMatrix& /*out*/, DVec& /*work*/) const {
  return false;
}
bool IKzSymMatrix::ComputeGSG(const IKzSymMatrix& /*s*/, IKzSymMatrix& /*out*/) const {
  return false;
}
bool IKzSymMatrix::ComputeLSLTrans(const IKzSymMatrix& /*l*/, IKzSymMatrix& /*out*/) const {
  return false;
}
bool IKzSymMatrix::ComputeLTransSL(const IKzSymMatrix& /*l*/, IKzSymMatrix& /*out*/,
                                   int /*k*/) const {
  return false;
}
bool IKzSymMatrix::ComputeLTransR(const KzRectMatrix& /*r*/, KzRectMatrix& /*out*/,
                                  int /*k*/) const {
  return false;
}
bool IKzSymMatrix::ComputeLTransV(const IVec& /*idx*/, const DVec& /*v*/, DVec& /*out*/) const {
  return false;
}
bool IKzSymMatrix::ComputeLTransV(const DVec& /*v*/, DVec& /*out*/) const { return false; }
bool IKzSymMatrix::ComputeLV(const IVec& /*idx*/, const DVec& /*v*/, DVec& /*out*/) const {
  return false;
}
bool IKzSymMatrix::ComputeLV(const DVec& /*v*/, DVec& /*out*/) const { return false; }
bool IKzSymMatrix::ComputeRByRTrans(const IKzRectMatrix& /*r*/) { return false; }
double IKzSymMatrix::ComputeRowDotProductS(int /*i*/, const DVec& /*v*/, int /*k*/) const {
  return kMissing;
}
double IKzSymMatrix::ComputeRowDotProductS(int /*i*/, const IKzSymMatrix& /*s*/, int /*k*/) const {
  return kMissing;
}
bool IKzSymMatrix::ComputeRS(const IKzRectMatrix& /*r*/, IKzRectMatrix& /*out*/) const {
  return false;
}
bool IKzSymMatrix::ComputeRSRTrans(const IKzRectMatrix& /*r*/, IKzSymMatrix& /*out*/) const {
  return false;
}
bool IKzSymMatrix::ComputeRTransByR(const IKzRectMatrix& /*r*/) { return false; }
bool IKzSymMatrix::ComputeRTransS(const IKzRectMatrix& /*r*/, IKzRectMatrix& /*out*/) const {
  return false;
}
bool IKzSymMatrix::ComputeRTransSR(const IKzRectMatrix& /*r*/, IKzSymMatrix& /*out*/) const {
  return false;
}
bool IKzSymMatrix::ComputeRTransSV(const IKzRectMatrix& /*r*/, const DVec& /*v*/,
                                   DVec& /*out*/) const {
  return false;
}
double IKzSymMatrix::ComputeRVD(int /*i*/, const double* /*v*/, int /*k*/) const {
  return kMissing;
}
double IKzSymMatrix::ComputeRVD(int /*i*/, const DVec& /*v*/, int /*k*/) const { return kMissing; }
bool IKzSymMatrix::ComputeSS(const IKzSymMatrix& /*s*/, IKzRectMatrix& /*out*/) const {
  return false;
}
void IKzSymMatrix::ComputeSTransS(IKzSymMatrix& /*out*/) const {}
bool IKzSymMatrix::ComputeSV(int /*k*/, const DVec& /*v*/, DVec& /*out*/) const { return false; }
bool IKzSymMatrix::ComputeSV(const DVec& /*v*/, DVec& /*out*/) const { return false; }
double IKzSymMatrix::ComputeVSV(const IKzRectMatrix& /*r*/, int /*row*/) const { return kMissing; }
double IKzSymMatrix::ComputeVSV(const DVec& /*v*/) const { return kMissing; }
double IKzSymMatrix::ComputeVSW(const DVec& /*t*/, int /*i*/, int /*j*/, int /*k*/) const {
  return kMissing;
}
double IKzSymMatrix::ComputeVSW(const double* /*v*/, int /*sv*/, const double* /*w*/,
                                int /*sw*/) const {
  return kMissing;
}
double IKzSymMatrix::ComputeVSW(const DVec& /*v*/, const DVec& /*w*/) const { return kMissing; }
double IKzSymMatrix::ComputeVSWParts(const double* /*v*/, int /*nv*/, const double* /*w*/,
                                     int /*nw*/) const {
  return kMissing;
}
double IKzSymMatrix::ComputeVSWParts(const DVec& /*v*/, int /*nv*/, const DVec& /*w*/,
                                     int /*nw*/) const {
  return kMissing;
}
bool IKzSymMatrix::CopyRowToRColumn(int /*i*/, IKzRectMatrix& /*r*/, int /*c*/, int /*k*/) const {
  return false;
}
void IKzSymMatrix::ExtractFirstNRows(IKzSymMatrix& /*out*/) const {}
bool IKzSymMatrix::ExtractSubmatrix(const IVec& /*rows*/, IKzSymMatrix& /*out*/) const {
  return false;
}
void IKzSymMatrix::GetNCheckDiagonal(DVec& /*out*/, double /*lo*/, double /*repl*/) const {}
bool IKzSymMatrix::IncrVecByRow(int /*i*/, DVec& /*v*/, int /*first*/, int /*count*/, double /*w*/,
                                bool /*check*/) const {
  return false;
}
bool IKzSymMatrix::IsZeroRow(int /*i*/, const KzBitSet& /*cols*/) const { return false; }
int IKzSymMatrix::LTChol(double /*eps*/, double& /*minPivot*/, bool /*check*/) { return -1; }
int IKzSymMatrix::LTChol(const DVec& /*d*/, double /*eps*/, KzBitSet& /*kept*/, bool /*check*/) {
  return -1;
}
int IKzSymMatrix::LTChol(const DVec& /*d*/, double /*eps*/, bool /*check*/) { return -1; }
int IKzSymMatrix::LTDetInverse(double* const /*det*/, int /*job*/) { return -1; }

bool IKzSymMatrix::LTInverse() {
  // job 10: invert the factor only; the determinant slots are scratch, but an
  // implementation may still write both, hence two elements.
  double det[2] = {0.0, 0.0};
  if (LTDetInverse(det, 10) < 0) return false;
  LTLTransL();
  return true;
}

void IKzSymMatrix::LTLLTrans() {}
void IKzSymMatrix::LTLTransL() {}
int IKzSymMatrix::LTSolve(const DVec& /*b*/, double /*eps*/, DVec& /*x*/) { return -1; }
int IKzSymMatrix::LTSubstitute(const DVec& /*b*/, DVec& /*x*/) const { return -1; }

void IKzSymMatrix::MaxMinDiag(double& max, double& min) const {
  max = kMissing;
  min = kMissing;
}

void IKzSymMatrix::MaxMinDiagOffDiag(double& maxD, double& minD, double& maxO, double& minO) const {
  maxD = kMissing;
  minD = kMissing;
  maxO = kMissing;
  minO = kMissing;
}

void IKzSymMatrix::MultiplyByNumber(double /*x*/) {}
bool IKzSymMatrix::PutRow(int /*i*/, const DVec& /*row*/) { return false; }
bool IKzSymMatrix::ReplaceFirstRows(const IKzSymMatrix& /*s*/, int /*k*/) { return false; }
bool IKzSymMatrix::Resize(int /*n*/) { return false; }
bool IKzSymMatrix::SetElem(int /*i*/, int /*j*/, double /*x*/) { return false; }
bool IKzSymMatrix::SetNRows(int /*n*/) { return false; }
bool IKzSymMatrix::SetRowColToConst(int /*i*/, double /*x*/) { return false; }
bool IKzSymMatrix::Sweep(int /*k*/, double /*eps*/, const DVec& /*d*/, KzBitSet& /*swept*/,
                         bool /*check*/) {
  return false;
}
double IKzSymMatrix::Trace() const { return 0.0; }
double IKzSymMatrix::TraceOfProduct(const IKzSymMatrix& /*s*/) const { return kMissing; }
double IKzSymMatrix::TraceOfProductOfThree(const IKzSymMatrix& /*s*/,
                                           const IKzSymMatrix& /*t*/) const {
  return kMissing;
}
bool IKzSymMatrix::UpdateXX(const DVec& /*x*/, double /*w*/) { return false; }
bool IKzSymMatrix::UpdateXXSparse(int /*k*/, const IVec& /*idx*/, const DVec& /*x*/, double /*w*/) {
  return false;
}
bool IKzSymMatrix::ZeroOut(int /*i*/) { return false; }
void IKzSymMatrix::ZeroOutNonDiag(double /*x*/) {}
void IKzSymMatrix::Display() const {}
void IKzSymMatrix::DisplayF() const {}

}  // namespace KzMath_1_2
