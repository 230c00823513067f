// The two abstract matrix interfaces: every default body refuses
// as the Part's table says and changes no argument, the enumerations carry the
// table's values, and (on the Itanium C++ ABI) the virtual operations sit in
// the vtable in the table's order.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/matrix/IKzRectMatrix.h"
#include "kzcommon12r/math/matrix/IKzSymMatrix.h"
#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzRectMatrixData.h"
#include "kzcommon12r/math/matrix/KzSparseVector.h"
#include "kzcommon12r/math/matrix/KzSymMatrixData.h"
#include "support/KzDisplayCapture.h"
#include "support/KzRefusal.h"
#include "support/KzVtableOrder.h"

using KzCommon_1_2::KzMV;
using KzMath_1_2::IKzRectMatrix;
using KzMath_1_2::IKzSymMatrix;
using KzMath_1_2::KzBitSet;
using KzMath_1_2::KzRectMatrix;
using KzMath_1_2::KzRectMatrixData;
using KzMath_1_2::KzSparseVector;
using KzMath_1_2::KzSymMatrix;
using KzMath_1_2::KzSymMatrixData;

namespace {

constexpr double kMiss = KzMV::gMissingValue;
using DVec = std::vector<double>;
using IVec = std::vector<int>;

// The smallest rectangular matrix: the core over a fixed 2 x 2 array.
class RectCore : public IKzRectMatrix {
 public:
  RectMatrixType GetMatrixType() const override { return kRectMatrix; }
  bool IsValidMatrix() const override { return true; }
  int GetNRows() const override { return 2; }
  int GetNCols() const override { return 2; }
  double GetElem(int r, int c) const override {
    return (r >= 0 && r < 2 && c >= 0 && c < 2) ? m_e[r][c] : kMiss;
  }
  bool GetRow(int r, DVec& out) const override {
    if (r < 0 || r >= 2) return false;
    out = {m_e[r][0], m_e[r][1]};
    return true;
  }
  bool GetCol(int c, DVec& out) const override {
    if (c < 0 || c >= 2) return false;
    out = {m_e[0][c], m_e[1][c]};
    return true;
  }

 private:
  double m_e[2][2] = {{1, 2}, {3, 4}};
};

// The smallest symmetric matrix: the core over a fixed 2 x 2 array.
class SymCore : public IKzSymMatrix {
 public:
  SymMatrixType GetType() const override { return kSymMatrix; }
  int GetNRows() const override { return 2; }
  bool IsValidMatrix() const override { return true; }
  double GetElem(int i, int j) const override {
    return (i >= 0 && i < 2 && j >= 0 && j < 2) ? m_e[i][j] : kMiss;
  }
  void GetDiagonal(DVec& out) const override { out = {m_e[0][0], m_e[1][1]}; }
  bool GetRow(int i, DVec& out) const override {
    if (i < 0 || i >= 2) return false;
    out = {m_e[i][0], m_e[i][1]};
    return true;
  }

 private:
  double m_e[2][2] = {{4, 1}, {1, 3}};
};

// KzSymMatrix and KzRectMatrix (Parts 6.4, 6.5) are declared but not yet
// defined; a few defaults take them by reference and never touch them. These
// stand-ins give those parameters something to bind to.
alignas(std::max_align_t) unsigned char gStandIn[512] = {};
KzSymMatrix& SymStandIn() { return *reinterpret_cast<KzSymMatrix*>(gStandIn); }
KzRectMatrix& RectStandIn() { return *reinterpret_cast<KzRectMatrix*>(gStandIn); }

TEST(MatrixInterfaces, EnumerationValues) {
  EXPECT_EQ(IKzRectMatrix::kRectMatrixData, 0);
  EXPECT_EQ(IKzRectMatrix::kRectMatrix, 1);
  EXPECT_EQ(IKzRectMatrix::kSparseRectMatrix, 2);
  EXPECT_EQ(IKzSymMatrix::kSymMatrix, 0);
  EXPECT_EQ(IKzSymMatrix::kSymMatrixData, 1);
  EXPECT_EQ(IKzSymMatrix::kDiagMatrix, 2);
  EXPECT_EQ(IKzSymMatrix::kSymBlockDiagMatrix, 3);
}

TEST(MatrixInterfaces, RectDefaultsRefuseAndChangeNothing) {
  RectCore m;
  KzRectMatrixData other(2, 2);
  other.At(1, 0) = 5;
  const std::vector<int> idx = {0};
  const DVec val = {1};
  const KzSparseVector sv(idx, val);
  DVec v = {1, 2};
  DVec out = {9};

  KZ_EXPECT_REFUSED(-1, m.AddRow(sv), m);                                         // 8
  KZ_EXPECT_REFUSED(-1, m.AddRow(), m);                                           // 9
  KZ_EXPECT_UNCHANGED(m.Clear(), m);                                              // 10
  KZ_EXPECT_REFUSED(false, m.ColClean(0, 1.0), m);                                // 11
  KZ_EXPECT_REFUSED(kMiss, m.ColNorm(0), m);                                      // 12
  KZ_EXPECT_REFUSED(false, m.ColScale(0, 2.0), m);                                // 13
  KZ_EXPECT_REFUSED(false, m.ComputeMatrixProduct(other, other), m, other);       // 14
  KZ_EXPECT_REFUSED(false, m.ComputeProductMatrixTrans(other, other), m, other);  // 15
  KZ_EXPECT_REFUSED(false, m.ComputeRV(v, out), m, v, out);                       // 16
  KZ_EXPECT_REFUSED(false, m.ComputeVR(v, out), m, v, out);                       // 17
  KZ_EXPECT_REFUSED(false, m.CopyColToCol(0, 1, other), m, other);                // 18
  KZ_EXPECT_REFUSED(false, m.CopyColToRow(other, 0, 1), m, other);                // 19
  KZ_EXPECT_REFUSED(false, m.CopyColToVec(0, out), m, out);                       // 20
  KZ_EXPECT_REFUSED(false, m.CopyRows(other, 0, 1), m, other);                    // 21
  KZ_EXPECT_REFUSED(false, m.CopyRowToRow(0, 1, other), m, other);                // 22
  KZ_EXPECT_REFUSED(false, m.CreateBlockDiagonal(2, other), m, other);            // 23
  KZ_EXPECT_REFUSED(kMiss, m.DotProductCol(0, 1), m);                             // 24
  KZ_EXPECT_REFUSED(kMiss, m.DotProductColCol(0, other, 1), m, other);            // 25
  KZ_EXPECT_REFUSED(0.0, m.DotProductRows(0, 1), m);                              // 26
  KZ_EXPECT_REFUSED(kMiss, m.DotProductRowCol(0, other, 1), m, other);            // 27
  KZ_EXPECT_REFUSED(kMiss, m.DotProductRowRow(0, other, 1), m, other);            // 28
  KZ_EXPECT_REFUSED(false, m.ExpandSquare(other, other), m, other);               // 29
  KZ_EXPECT_REFUSED(-1, m.ExtractColumns(idx, other), m, other);                  // 30
  KZ_EXPECT_REFUSED(-1, m.ExtractRows(idx, other), m, other);                     // 31
  KZ_EXPECT_REFUSED(false, m.IncrVecByColumn(0, v, 0, 2, 1.0, true), m, v);       // 32
  KZ_EXPECT_REFUSED(true, m.IsColZero(0), m);                                     // 33
  KZ_EXPECT_REFUSED(true, m.IsRowZero(0), m);                                     // 34
  KZ_EXPECT_REFUSED(false, m.Resize(3, 3), m);                                    // 35
  KZ_EXPECT_REFUSED(kMiss, m.RowNorm(0), m);                                      // 36
  KZ_EXPECT_REFUSED(false, m.SetElem(0, 0, 7.0), m);                              // 37
  KZ_EXPECT_REFUSED(false, m.SetRow(0, sv), m);                                   // 38
  KZ_EXPECT_UNCHANGED(m.SetNRowsCols(3, 3), m);                                   // 39
  KZ_EXPECT_REFUSED(false, m.ShiftColumns(1, other), m, other);                   // 40
  KZ_EXPECT_REFUSED(false, m.ShiftRows(1, other), m, other);                      // 41
  KZ_EXPECT_UNCHANGED(m.Transpose(), m);                                          // 42
  KZ_EXPECT_REFUSED(false, m.ZeroOutCol(0), m);                                   // 43
  KZ_EXPECT_REFUSED(false, m.ZeroOutRowPart(0, 0, 1), m);                         // 44

  kztest::DisplayCapture capture;
  m.Display();   // 45
  m.DisplayF();  // 46
  EXPECT_EQ(capture.Text(), "");
}

TEST(MatrixInterfaces, SymDefaultsRefuseAndChangeNothing) {
  SymCore m;
  SymCore s;
  KzSymMatrixData other(2);
  other.LowerAt(1, 0) = 5;
  KzRectMatrixData r(2, 2);
  r.At(0, 1) = 3;
  KzBitSet bits(2);
  bits.Set(1, true);
  const DVec d = {1, 1};
  const IVec idx = {0, 1};
  DVec v = {1, 2};
  DVec out = {9};
  DVec work = {8, 8, 8};
  double det[2] = {7, 7};
  const double raw[] = {1, 2, 3, 4};
  double pivot = 6;

  KZ_EXPECT_UNCHANGED(m.AddToDiagonal(1.0), m);                           // 7
  KZ_EXPECT_UNCHANGED(m.ChangeSign(), m);                                 // 8
  KZ_EXPECT_REFUSED(-1, m.CholInverse(d, 1e-8, other, pivot), m, other);  // 9
  EXPECT_EQ(pivot, kMiss);  // the one default of the three that writes its output
  KZ_EXPECT_REFUSED(-1, m.CholInverse(d, 1e-8, other, bits), m, other, bits);      // 10
  KZ_EXPECT_REFUSED(-1, m.CholInverse(d, 1e-8, other), m, other);                  // 11
  KZ_EXPECT_UNCHANGED(m.Clear(), m);                                               // 12
  KZ_EXPECT_REFUSED(false, m.ComputeAXpY(2.0, other), m, other);                   // 13
  KZ_EXPECT_REFUSED(false, m.ComputeDeterminant(1e-8, det), m, det[0], det[1]);    // 14
  KZ_EXPECT_REFUSED(kMiss, m.ComputeDotProduct2Rows(0, 1), m);                     // 15
  KZ_EXPECT_REFUSED(false, m.ComputeGMG(v, SymStandIn()), m, v);                   // 16
  KZ_EXPECT_REFUSED(false, m.ComputeGMGNG(s, s, other, work), m, s, other, work);  // 17
  KZ_EXPECT_REFUSED(false, m.ComputeGSG(s, other), m, s, other);                   // 18
  KZ_EXPECT_REFUSED(false, m.ComputeLSLTrans(s, other), m, s, other);              // 19
  KZ_EXPECT_REFUSED(false, m.ComputeLTransSL(s, other, 1), m, s, other);           // 20
  KZ_EXPECT_REFUSED(false, m.ComputeLTransR(RectStandIn(), RectStandIn(), 1), m);  // 21
  KZ_EXPECT_REFUSED(false, m.ComputeLTransV(idx, v, out), m, v, out);              // 22
  KZ_EXPECT_REFUSED(false, m.ComputeLTransV(v, out), m, v, out);                   // 23
  KZ_EXPECT_REFUSED(false, m.ComputeLV(idx, v, out), m, v, out);                   // 24
  KZ_EXPECT_REFUSED(false, m.ComputeLV(v, out), m, v, out);                        // 25
  KZ_EXPECT_REFUSED(false, m.ComputeRByRTrans(r), m, r);                           // 26
  KZ_EXPECT_REFUSED(kMiss, m.ComputeRowDotProductS(0, v, 0), m, v);                // 27
  KZ_EXPECT_REFUSED(kMiss, m.ComputeRowDotProductS(0, s, 0), m, s);                // 28
  KZ_EXPECT_REFUSED(false, m.ComputeRS(r, r), m, r);                               // 29
  KZ_EXPECT_REFUSED(false, m.ComputeRSRTrans(r, other), m, r, other);              // 30
  KZ_EXPECT_REFUSED(false, m.ComputeRTransByR(r), m, r);                           // 31
  KZ_EXPECT_REFUSED(false, m.ComputeRTransS(r, r), m, r);                          // 32
  KZ_EXPECT_REFUSED(false, m.ComputeRTransSR(r, other), m, r, other);              // 33
  KZ_EXPECT_REFUSED(false, m.ComputeRTransSV(r, v, out), m, r, v, out);            // 34
  KZ_EXPECT_REFUSED(kMiss, m.ComputeRVD(0, raw, 1), m);                            // 35
  KZ_EXPECT_REFUSED(kMiss, m.ComputeRVD(0, v, 1), m, v);                           // 36
  KZ_EXPECT_REFUSED(false, m.ComputeSS(s, r), m, s, r);                            // 37
  KZ_EXPECT_UNCHANGED(m.ComputeSTransS(other), m, other);                          // 38
  KZ_EXPECT_REFUSED(false, m.ComputeSV(2, v, out), m, v, out);                     // 39
  KZ_EXPECT_REFUSED(false, m.ComputeSV(v, out), m, v, out);                        // 40
  KZ_EXPECT_REFUSED(kMiss, m.ComputeVSV(r, 0), m, r);                              // 41
  KZ_EXPECT_REFUSED(kMiss, m.ComputeVSV(v), m, v);                                 // 42
  KZ_EXPECT_REFUSED(kMiss, m.ComputeVSW(work, 0, 1, 2), m, work);                  // 43
  KZ_EXPECT_REFUSED(kMiss, m.ComputeVSW(raw, 1, raw, 1), m);                       // 44
  KZ_EXPECT_REFUSED(kMiss, m.ComputeVSW(v, v), m, v);                              // 45
  KZ_EXPECT_REFUSED(kMiss, m.ComputeVSWParts(raw, 2, raw, 2), m);                  // 46
  KZ_EXPECT_REFUSED(kMiss, m.ComputeVSWParts(v, 2, v, 2), m, v);                   // 47
  KZ_EXPECT_REFUSED(false, m.CopyRowToRColumn(0, r, 0, 2), m, r);                  // 48
  KZ_EXPECT_UNCHANGED(m.ExtractFirstNRows(other), m, other);                       // 49
  KZ_EXPECT_REFUSED(false, m.ExtractSubmatrix(idx, other), m, other);              // 50
  KZ_EXPECT_UNCHANGED(m.GetNCheckDiagonal(out, 0.5, 1.0), m, out);                 // 51
  KZ_EXPECT_REFUSED(false, m.IncrVecByRow(0, v, 0, 2, 1.0, true), m, v);           // 52
  KZ_EXPECT_REFUSED(false, m.IsZeroRow(0, bits), m, bits);                         // 53
  KZ_EXPECT_REFUSED(-1, m.LTChol(1e-8, pivot, true), m, pivot);                    // 54
  KZ_EXPECT_REFUSED(-1, m.LTChol(d, 1e-8, bits, true), m, bits);                   // 55
  KZ_EXPECT_REFUSED(-1, m.LTChol(d, 1e-8, true), m);                               // 56
  KZ_EXPECT_REFUSED(-1, m.LTDetInverse(det, 11), m, det[0], det[1]);               // 57
  KZ_EXPECT_REFUSED(false, m.LTInverse(), m);                                      // 58
  KZ_EXPECT_UNCHANGED(m.LTLLTrans(), m);                                           // 59
  KZ_EXPECT_UNCHANGED(m.LTLTransL(), m);                                           // 60
  KZ_EXPECT_REFUSED(-1, m.LTSolve(v, 1e-8, out), m, v, out);                       // 61
  KZ_EXPECT_REFUSED(-1, m.LTSubstitute(v, out), m, v, out);                        // 62
  double a = 1, b = 2, c = 3, e = 4;
  m.MaxMinDiag(a, b);  // 63
  EXPECT_EQ(a, kMiss);
  EXPECT_EQ(b, kMiss);
  a = 1, b = 2;
  m.MaxMinDiagOffDiag(a, b, c, e);  // 64
  EXPECT_EQ(DVec({a, b, c, e}), DVec(4, kMiss));
  KZ_EXPECT_UNCHANGED(m.MultiplyByNumber(2.0), m);                     // 65
  KZ_EXPECT_REFUSED(false, m.PutRow(0, v), m, v);                      // 66
  KZ_EXPECT_REFUSED(false, m.ReplaceFirstRows(s, 1), m, s);            // 67
  KZ_EXPECT_REFUSED(false, m.Resize(3), m);                            // 68
  KZ_EXPECT_REFUSED(false, m.SetElem(0, 1, 5.0), m);                   // 69
  KZ_EXPECT_REFUSED(false, m.SetNRows(3), m);                          // 70
  KZ_EXPECT_REFUSED(false, m.SetRowColToConst(0, 5.0), m);             // 71
  KZ_EXPECT_REFUSED(false, m.Sweep(0, 1e-8, d, bits, true), m, bits);  // 72
  KZ_EXPECT_REFUSED(0.0, m.Trace(), m);                                // 73
  KZ_EXPECT_REFUSED(kMiss, m.TraceOfProduct(s), m, s);                 // 74
  KZ_EXPECT_REFUSED(kMiss, m.TraceOfProductOfThree(s, s), m, s);       // 75
  KZ_EXPECT_REFUSED(false, m.UpdateXX(v, 1.0), m, v);                  // 76
  KZ_EXPECT_REFUSED(false, m.UpdateXXSparse(2, idx, v, 1.0), m, v);    // 77
  KZ_EXPECT_REFUSED(false, m.ZeroOut(0), m);                           // 78
  KZ_EXPECT_UNCHANGED(m.ZeroOutNonDiag(0.5), m);                       // 79

  kztest::DisplayCapture capture;
  m.Display();   // 80
  m.DisplayF();  // 81
  EXPECT_EQ(capture.Text(), "");
}

// A factor whose LTDetInverse succeeds: the default LTInverse must hand it a
// two-element determinant buffer with job 10, then call LTLTransL.
class InvertibleFactor : public SymCore {
 public:
  int LTDetInverse(double* const det, int job) override {
    det[0] = 1.0;  // an implementation may write both slots whatever the job
    det[1] = 0.0;
    jobSeen = job;
    return refuse ? -1 : 0;
  }
  void LTLTransL() override { ++transposedProducts; }

  bool refuse = false;
  int jobSeen = -1;
  int transposedProducts = 0;
};

TEST(MatrixInterfaces, DefaultLTInverseGoesThroughTheFactor) {
  InvertibleFactor f;
  EXPECT_TRUE(f.LTInverse());
  EXPECT_EQ(f.jobSeen, 10);
  EXPECT_EQ(f.transposedProducts, 1);
  f.refuse = true;
  EXPECT_FALSE(f.LTInverse());
  EXPECT_EQ(f.transposedProducts, 1);  // not called after a refusal
}

#ifdef KZ_TEST_VTABLE_ORDER
using kztest::ExpectTableOrder;
using kztest::VIndex;

TEST(MatrixInterfaces, RectVirtualsFollowTheTableOrder) {
  using R = IKzRectMatrix;
  ExpectTableOrder({
      VIndex(&R::GetMatrixType),
      VIndex(&R::IsValidMatrix),
      VIndex(&R::GetNRows),
      VIndex(&R::GetNCols),
      VIndex(&R::GetElem),
      VIndex(&R::GetRow),
      VIndex(&R::GetCol),
      VIndex(static_cast<int (R::*)(const KzSparseVector&)>(&R::AddRow)),
      VIndex(static_cast<int (R::*)()>(&R::AddRow)),
      VIndex(&R::Clear),
      VIndex(&R::ColClean),
      VIndex(&R::ColNorm),
      VIndex(&R::ColScale),
      VIndex(&R::ComputeMatrixProduct),
      VIndex(&R::ComputeProductMatrixTrans),
      VIndex(&R::ComputeRV),
      VIndex(&R::ComputeVR),
      VIndex(&R::CopyColToCol),
      VIndex(&R::CopyColToRow),
      VIndex(&R::CopyColToVec),
      VIndex(&R::CopyRows),
      VIndex(&R::CopyRowToRow),
      VIndex(&R::CreateBlockDiagonal),
      VIndex(&R::DotProductCol),
      VIndex(&R::DotProductColCol),
      VIndex(&R::DotProductRows),
      VIndex(&R::DotProductRowCol),
      VIndex(&R::DotProductRowRow),
      VIndex(&R::ExpandSquare),
      VIndex(&R::ExtractColumns),
      VIndex(&R::ExtractRows),
      VIndex(&R::IncrVecByColumn),
      VIndex(&R::IsColZero),
      VIndex(&R::IsRowZero),
      VIndex(&R::Resize),
      VIndex(&R::RowNorm),
      VIndex(&R::SetElem),
      VIndex(&R::SetRow),
      VIndex(&R::SetNRowsCols),
      VIndex(&R::ShiftColumns),
      VIndex(&R::ShiftRows),
      VIndex(&R::Transpose),
      VIndex(&R::ZeroOutCol),
      VIndex(&R::ZeroOutRowPart),
      VIndex(&R::Display),
      VIndex(&R::DisplayF),
  });
}

TEST(MatrixInterfaces, SymVirtualsFollowTheTableOrder) {
  using S = IKzSymMatrix;
  ExpectTableOrder({
      VIndex(&S::GetType),
      VIndex(&S::GetNRows),
      VIndex(&S::IsValidMatrix),
      VIndex(&S::GetElem),
      VIndex(&S::GetDiagonal),
      VIndex(&S::GetRow),
      VIndex(&S::AddToDiagonal),
      VIndex(&S::ChangeSign),
      VIndex(static_cast<int (S::*)(const DVec&, double, S&, double&) const>(&S::CholInverse)),
      VIndex(static_cast<int (S::*)(const DVec&, double, S&, KzBitSet&) const>(&S::CholInverse)),
      VIndex(static_cast<int (S::*)(const DVec&, double, S&) const>(&S::CholInverse)),
      VIndex(&S::Clear),
      VIndex(&S::ComputeAXpY),
      VIndex(&S::ComputeDeterminant),
      VIndex(&S::ComputeDotProduct2Rows),
      VIndex(&S::ComputeGMG),
      VIndex(&S::ComputeGMGNG),
      VIndex(&S::ComputeGSG),
      VIndex(&S::ComputeLSLTrans),
      VIndex(&S::ComputeLTransSL),
      VIndex(&S::ComputeLTransR),
      VIndex(static_cast<bool (S::*)(const IVec&, const DVec&, DVec&) const>(&S::ComputeLTransV)),
      VIndex(static_cast<bool (S::*)(const DVec&, DVec&) const>(&S::ComputeLTransV)),
      VIndex(static_cast<bool (S::*)(const IVec&, const DVec&, DVec&) const>(&S::ComputeLV)),
      VIndex(static_cast<bool (S::*)(const DVec&, DVec&) const>(&S::ComputeLV)),
      VIndex(&S::ComputeRByRTrans),
      VIndex(static_cast<double (S::*)(int, const DVec&, int) const>(&S::ComputeRowDotProductS)),
      VIndex(static_cast<double (S::*)(int, const S&, int) const>(&S::ComputeRowDotProductS)),
      VIndex(&S::ComputeRS),
      VIndex(&S::ComputeRSRTrans),
      VIndex(&S::ComputeRTransByR),
      VIndex(&S::ComputeRTransS),
      VIndex(&S::ComputeRTransSR),
      VIndex(&S::ComputeRTransSV),
      VIndex(static_cast<double (S::*)(int, const double*, int) const>(&S::ComputeRVD)),
      VIndex(static_cast<double (S::*)(int, const DVec&, int) const>(&S::ComputeRVD)),
      VIndex(&S::ComputeSS),
      VIndex(&S::ComputeSTransS),
      VIndex(static_cast<bool (S::*)(int, const DVec&, DVec&) const>(&S::ComputeSV)),
      VIndex(static_cast<bool (S::*)(const DVec&, DVec&) const>(&S::ComputeSV)),
      VIndex(static_cast<double (S::*)(const IKzRectMatrix&, int) const>(&S::ComputeVSV)),
      VIndex(static_cast<double (S::*)(const DVec&) const>(&S::ComputeVSV)),
      VIndex(static_cast<double (S::*)(const DVec&, int, int, int) const>(&S::ComputeVSW)),
      VIndex(
          static_cast<double (S::*)(const double*, int, const double*, int) const>(&S::ComputeVSW)),
      VIndex(static_cast<double (S::*)(const DVec&, const DVec&) const>(&S::ComputeVSW)),
      VIndex(static_cast<double (S::*)(const double*, int, const double*, int) const>(
          &S::ComputeVSWParts)),
      VIndex(static_cast<double (S::*)(const DVec&, int, const DVec&, int) const>(
          &S::ComputeVSWParts)),
      VIndex(&S::CopyRowToRColumn),
      VIndex(&S::ExtractFirstNRows),
      VIndex(&S::ExtractSubmatrix),
      VIndex(&S::GetNCheckDiagonal),
      VIndex(&S::IncrVecByRow),
      VIndex(&S::IsZeroRow),
      VIndex(static_cast<int (S::*)(double, double&, bool)>(&S::LTChol)),
      VIndex(static_cast<int (S::*)(const DVec&, double, KzBitSet&, bool)>(&S::LTChol)),
      VIndex(static_cast<int (S::*)(const DVec&, double, bool)>(&S::LTChol)),
      VIndex(&S::LTDetInverse),
      VIndex(&S::LTInverse),
      VIndex(&S::LTLLTrans),
      VIndex(&S::LTLTransL),
      VIndex(&S::LTSolve),
      VIndex(&S::LTSubstitute),
      VIndex(&S::MaxMinDiag),
      VIndex(&S::MaxMinDiagOffDiag),
      VIndex(&S::MultiplyByNumber),
      VIndex(&S::PutRow),
      VIndex(&S::ReplaceFirstRows),
      VIndex(&S::Resize),
      VIndex(&S::SetElem),
      VIndex(&S::SetNRows),
      VIndex(&S::SetRowColToConst),
      VIndex(&S::Sweep),
      VIndex(&S::Trace),
      VIndex(&S::TraceOfProduct),
      VIndex(&S::TraceOfProductOfThree),
      VIndex(&S::UpdateXX),
      VIndex(&S::UpdateXXSparse),
      VIndex(&S::ZeroOut),
      VIndex(&S::ZeroOutNonDiag),
      VIndex(&S::Display),
      VIndex(&S::DisplayF),
  });
}
#endif

}  // namespace
