#include "kzcommon12r/math/kernels/Blas1.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <limits>
#include <vector>

#include "math/kernels/KernelsOracle.h"
#include "support/KzTestCompare.h"

using KzMath_1_2::Blas1;
using kztest::RandomVector;
using kztest::SameBits;

namespace {

struct Strides {
  int incx;
  int incy;
};

// Unit strides take the unrolled loops; the others the general walk, negative
// strides from the far end, zero strides on element 0.
const Strides kStrides[] = {{1, 1}, {2, 3}, {-1, 1}, {3, -2}, {-2, -2}, {0, 1}, {1, 0}};
const int kSizes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 13, 100, 1001, 12347};

std::size_t Span(int n, int inc) {
  const int a = inc < 0 ? -inc : inc;
  return n <= 0 ? 1 : static_cast<std::size_t>(n - 1) * a + 1;
}

// Values of mixed magnitudes so that the order of addition shows in the last bits.
std::vector<double> Wide(std::size_t n, std::uint32_t seed) {
  std::vector<double> v = RandomVector(n, seed);
  for (std::size_t i = 0; i < n; ++i) v[i] *= std::ldexp(1.0, static_cast<int>(i % 23) - 11);
  return v;
}

TEST(Blas1, DDotIsBitIdenticalToReferenceDdot) {
  for (const Strides& st : kStrides) {
    for (int n : kSizes) {
      const std::vector<double> x0 = Wide(Span(n, st.incx), 11u + n);
      const std::vector<double> y0 = Wide(Span(n, st.incy), 29u + n);
      std::vector<double> x = x0;
      std::vector<double> y = y0;
      const double ours = Blas1::DDot(n, x.data(), st.incx, y.data(), st.incy);
      const double ref = ddot_(&n, x0.data(), &st.incx, y0.data(), &st.incy);
      EXPECT_TRUE(SameBits(ours, ref)) << "n=" << n << " incx=" << st.incx << " incy=" << st.incy
                                       << ": " << ours << " vs " << ref;
      EXPECT_EQ(x, x0);
      EXPECT_EQ(y, y0);
    }
  }
}

TEST(Blas1, DASumIsBitIdenticalToReferenceAndRefusesNonPositiveStride) {
  for (int inc : {1, 2, 5}) {
    for (int n : kSizes) {
      std::vector<double> x = Wide(Span(n, inc), 7u + n);
      const double ref = dasum_(&n, x.data(), &inc);
      EXPECT_TRUE(SameBits(Blas1::DASum(n, x.data(), inc), ref)) << "n=" << n << " inc=" << inc;
    }
  }
  // No read before x[0] for a negative stride; zero stride gives 0 as the reference.
  std::vector<double> x = {1.0, -2.0, 3.0};
  EXPECT_EQ(Blas1::DASum(3, x.data() + 2, -1), 0.0);
  EXPECT_EQ(Blas1::DASum(3, x.data(), 0), 0.0);
  EXPECT_EQ(Blas1::DASum(0, x.data(), 1), 0.0);
  EXPECT_EQ(Blas1::DASum(3, x.data(), 1), 6.0);
}

// The element-wise routines against the reference, on every stride pattern.
TEST(Blas1, ElementWiseRoutinesMatchReference) {
  for (const Strides& st : kStrides) {
    for (int n : kSizes) {
      const std::vector<double> x0 = Wide(Span(n, st.incx), 3u + n);
      const std::vector<double> y0 = Wide(Span(n, st.incy), 5u + n);
      const double a = -0.7318;
      const double c = 0.6;
      const double s = -0.8;
      {  // Daxpy
        std::vector<double> x = x0, y = y0, xr = x0, yr = y0;
        Blas1::Daxpy(n, a, x.data(), st.incx, y.data(), st.incy);
        daxpy_(&n, &a, xr.data(), &st.incx, yr.data(), &st.incy);
        EXPECT_EQ(y, yr) << "Daxpy n=" << n << " incx=" << st.incx << " incy=" << st.incy;
        EXPECT_EQ(x, x0);
      }
      {  // DCopy
        std::vector<double> x = x0, y = y0, yr = y0;
        Blas1::DCopy(n, x.data(), st.incx, y.data(), st.incy);
        dcopy_(&n, x0.data(), &st.incx, yr.data(), &st.incy);
        EXPECT_EQ(y, yr) << "DCopy n=" << n << " incx=" << st.incx << " incy=" << st.incy;
      }
      {  // DSwap
        std::vector<double> x = x0, y = y0, xr = x0, yr = y0;
        Blas1::DSwap(n, x.data(), st.incx, y.data(), st.incy);
        dswap_(&n, xr.data(), &st.incx, yr.data(), &st.incy);
        EXPECT_EQ(x, xr) << "DSwap n=" << n;
        EXPECT_EQ(y, yr) << "DSwap n=" << n;
      }
      {  // DRot
        std::vector<double> x = x0, y = y0, xr = x0, yr = y0;
        Blas1::DRot(n, x.data(), st.incx, y.data(), st.incy, c, s);
        drot_(&n, xr.data(), &st.incx, yr.data(), &st.incy, &c, &s);
        EXPECT_EQ(x, xr) << "DRot n=" << n << " incx=" << st.incx << " incy=" << st.incy;
        EXPECT_EQ(y, yr) << "DRot n=" << n;
      }
      if (st.incx > 0) {  // DScal, IDAMax: the reference refuses stride <= 0
        std::vector<double> x = x0, xr = x0;
        Blas1::DScal(n, a, x.data(), st.incx);
        dscal_(&n, &a, xr.data(), &st.incx);
        EXPECT_EQ(x, xr) << "DScal n=" << n << " inc=" << st.incx;
        EXPECT_EQ(Blas1::IDAMax(n, x.data(), st.incx), idamax_(&n, x.data(), &st.incx))
            << "IDAMax n=" << n;
      }
    }
  }
}

TEST(Blas1, DaxpyOnOverlappingArraysKeepsTheElementOrder) {
  // y = x shifted by one: each update reads the element the previous one wrote.
  std::vector<double> v = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  Blas1::Daxpy(8, 1.0, v.data(), 1, v.data() + 1, 1);
  EXPECT_EQ(v, (std::vector<double>{1, 3, 6, 10, 15, 21, 28, 36, 45}));
  std::vector<double> w = {1, 2, 3, 4, 5};
  Blas1::Daxpy(5, 2.0, w.data(), 1, w.data(), 1);  // y is x: y := 3y
  EXPECT_EQ(w, (std::vector<double>{3, 6, 9, 12, 15}));
  std::vector<double> z = {1, 2};
  Blas1::Daxpy(2, 0.0, z.data(), 1, z.data(), 1);  // a == 0: no work at all
  EXPECT_EQ(z, (std::vector<double>{1, 2}));
}

TEST(Blas1, DScalNegativeAndZeroStrideAndNaN) {
  std::vector<double> x = {1, 2, 3, 4, 5, 6};
  Blas1::DScal(3, 2.0, x.data(), -2);  // the same elements as stride 2
  EXPECT_EQ(x, (std::vector<double>{2, 2, 6, 4, 10, 6}));
  Blas1::DScal(3, 2.0, x.data(), 0);  // element 0 three times
  EXPECT_EQ(x[0], 16.0);
  std::vector<double> y = {std::nan(""), std::numeric_limits<double>::infinity(), 1.0};
  Blas1::DScal(3, 0.0, y.data(), 1);  // a multiplication: NaN*0 and inf*0 stay NaN
  EXPECT_TRUE(std::isnan(y[0]));
  EXPECT_TRUE(std::isnan(y[1]));
  EXPECT_EQ(y[2], 0.0);
}

TEST(Blas1, IDAMaxEdgeCases) {
  std::vector<double> x = {3, -3, 1};
  EXPECT_EQ(Blas1::IDAMax(3, x.data(), 1), 1);  // ties keep the earlier element
  EXPECT_EQ(Blas1::IDAMax(0, x.data(), 1), 0);
  EXPECT_EQ(Blas1::IDAMax(3, x.data(), 0), 0);
  EXPECT_EQ(Blas1::IDAMax(3, x.data(), -1), 0);
  EXPECT_EQ(Blas1::IDAMax(1, x.data(), 1), 1);
  std::vector<double> y = {1, 2, -5, 4, 5};
  EXPECT_EQ(Blas1::IDAMax(5, y.data(), 1), 3);
  EXPECT_EQ(Blas1::IDAMax(3, y.data(), 2), 2);  // 1, -5, 5
}

TEST(Blas1, DNrm2ScaledSumOfSquares) {
  std::vector<double> x = {-3.0, 4.0};
  EXPECT_EQ(Blas1::DNrm2(2, x.data(), 1), 5.0);
  EXPECT_EQ(Blas1::DNrm2(1, x.data(), 1), 3.0);  // |x[0]|, no scaling
  EXPECT_EQ(Blas1::DNrm2(2, x.data(), 0), 0.0);
  EXPECT_EQ(Blas1::DNrm2(0, x.data(), 1), 0.0);
  std::vector<double> zeros(5, 0.0);
  EXPECT_EQ(Blas1::DNrm2(5, zeros.data(), 1), 0.0);
  // Squares that overflow and underflow in a plain sum.
  std::vector<double> big = {3e300, 0.0, -4e300};
  KZ_EXPECT_REL(5e300, Blas1::DNrm2(3, big.data(), 1), kztest::ToDouble(kztest::Tol::k2Eps));
  std::vector<double> tiny = {3e-300, 4e-300};
  KZ_EXPECT_REL(5e-300, Blas1::DNrm2(2, tiny.data(), 1), kztest::ToDouble(kztest::Tol::k2Eps));
  // Against a long double sum on random data, with stride.
  const std::vector<double> r = RandomVector(3001, 99u);
  long double ss = 0.0L;
  for (std::size_t i = 0; i < r.size(); i += 3) ss += static_cast<long double>(r[i]) * r[i];
  std::vector<double> rc = r;
  KZ_EXPECT_REL(static_cast<double>(std::sqrt(ss)), Blas1::DNrm2(1001, rc.data(), 3),
                kztest::ToDouble(kztest::Tol::k256Eps));
}

TEST(Blas1, DRotGConstructsTheGivensRotation) {
  struct Case {
    double a, b, r, z, c, s;
  };
  const Case cases[] = {
      {0.0, 0.0, 0.0, 0.0, 1.0, 0.0},        // no rotation
      {0.0, 2.0, 2.0, 1.0, 0.0, 1.0},        // c == 0: z = 1
      {4.0, 3.0, 5.0, 0.6, 0.8, 0.6},        // |a| > |b|: z = s
      {3.0, 4.0, 5.0, 1.0 / 0.6, 0.6, 0.8},  // |b| >= |a|: z = 1/c
      {-4.0, 3.0, -5.0, -0.6, 0.8, -0.6},    // r takes the sign of the larger
      {3.0, -4.0, -5.0, 1.0 / -0.6, -0.6, 0.8},
  };
  for (const Case& k : cases) {
    double a = k.a, b = k.b, c = -9.0, s = -9.0;
    Blas1::DRotG(&a, &b, &c, &s);
    const double tol = kztest::ToDouble(kztest::Tol::k16Eps);
    KZ_EXPECT_REL(k.r, a, tol) << "a=" << k.a << " b=" << k.b;
    KZ_EXPECT_REL(k.z, b, tol) << "a=" << k.a << " b=" << k.b;
    KZ_EXPECT_REL(k.c, c, tol) << "a=" << k.a << " b=" << k.b;
    KZ_EXPECT_REL(k.s, s, tol) << "a=" << k.a << " b=" << k.b;
    // The rotation maps (a, b) to (r, 0).
    EXPECT_NEAR(c * k.a + s * k.b, a, 1e-14);
    EXPECT_NEAR(-s * k.a + c * k.b, 0.0, 1e-14);
  }
}

TEST(Blas1, ScalarHelpers) {
  EXPECT_TRUE(SameBits(Blas1::D_Abs(-2.5), 2.5));
  EXPECT_TRUE(SameBits(Blas1::D_Abs(0.0), 0.0));
  EXPECT_TRUE(std::isnan(Blas1::D_Abs(std::nan(""))));
  EXPECT_EQ(Blas1::D_Sign(-0.5), -1.0);
  EXPECT_EQ(Blas1::D_Sign(0.0), 1.0);
  EXPECT_EQ(Blas1::D_Sign(3.0), 1.0);
  EXPECT_EQ(Blas1::D_Max(1.0, 2.0), 2.0);
  EXPECT_EQ(Blas1::D_Max(2.0, 1.0), 2.0);
  EXPECT_EQ(Blas1::I_Max(-1, 4), 4);
  EXPECT_EQ(Blas1::I_Min(-1, 4), -1);
  EXPECT_TRUE(Blas1::LSame('a', 'A'));
  EXPECT_TRUE(Blas1::LSame('Z', 'z'));
  EXPECT_TRUE(Blas1::LSame('u', 'u'));
  EXPECT_TRUE(Blas1::LSame('*', '*'));
  EXPECT_FALSE(Blas1::LSame('a', 'b'));
  EXPECT_FALSE(Blas1::LSame('[', '{'));  // 0x5B and 0x7B are not letters
  EXPECT_FALSE(Blas1::LSame('@', '`'));
}

TEST(Blas1, DMachConstants) {
  EXPECT_EQ(Blas1::DMach(1), 2.220446049250313e-16);
  EXPECT_EQ(Blas1::DMach(2), 8.900295434028806e-306);
  EXPECT_EQ(Blas1::DMach(3), 1.1235582092889475e+305);
}

TEST(Blas1DeathTest, DMachWithBadJobReportsThroughXErBlaAndExits) {
  // The report goes to standard output; send it to the stream the death test
  // inspects.
  EXPECT_EXIT(
      {
        std::cout.rdbuf(std::cerr.rdbuf());
        Blas1::DMach(4);
      },
      ::testing::ExitedWithCode(1),
      "^\nXERBLA - Fatal error!\n  On entry to routine DMACH\n  input parameter number 1 had an "
      "illegal value\\.\n$");
}

}  // namespace
