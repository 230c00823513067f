#include "kzcommon12r/math/stats/KzIterationReporter.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/KzDisplayCapture.h"
#include "support/KzVtableOrder.h"

using KzMath_1_2::KzIterationReporter;

namespace {

using Vec = std::vector<double>;
// Every measure, read through the query interface a caller holds.
using Measures = std::tuple<int, int, double, double, const Vec*, const Vec*, const Vec*>;

Measures Read(KzCommon_1_2::ProgressReportVect& r) {
  return {r.DiscreteMeasure("iterNum"),  r.DiscreteMeasure("stepHalving"),
          r.ScaleMeasure("loglik"),      r.ScaleMeasure("time"),
          r.VectorMeasure("paramEstim"), r.VectorMeasure("paramEstim2"),
          r.VectorMeasure("paramEstim3")};
}

TEST(KzIterationReporter, SetInfoFormsKeepWhatTheyDoNotSet) {
  const Vec a{1.5}, b{2.5}, c{3.5}, d{4.5};
  const Measures zero{0, 0, 0.0, 0.0, nullptr, nullptr, nullptr};
  KzIterationReporter r;
  EXPECT_EQ(Read(r), zero);
  r.SetInfo(&a, &b, &c, 3, -7.25, 0.5);
  EXPECT_EQ(Read(r), Measures(3, 0, -7.25, 0.5, &a, &b, &c));
  // Vectors 2 and 3 kept; the -2 log-likelihood kept as given, not rescaled.
  r.SetInfo(&d, 4, 2, 123.5, 1.25);
  EXPECT_EQ(Read(r), Measures(4, 2, 123.5, 1.25, &d, &b, &c));
  r.SetInfo(nullptr, &a, nullptr, 5, 99.0, 2.0);  // step halvings kept
  EXPECT_EQ(Read(r), Measures(5, 2, 99.0, 2.0, nullptr, &a, nullptr));
  KzIterationReporter copy(r);
  EXPECT_EQ(Read(copy), Read(r));  // the copy shares the vectors
  r.Reset();
  EXPECT_EQ(Read(r), zero);
  copy = r;
  EXPECT_EQ(Read(copy), zero);
}

TEST(KzIterationReporter, NamesMatchExactly) {
  const std::vector<double> a{1.0};
  KzIterationReporter r;
  r.SetInfo(&a, &a, &a, 9, 8.0, 7.0);
  r.SetInfo(&a, 9, 6, 8.0, 7.0);
  for (const char* name : {"IterNum", "iternum", "iterNum ", "", "loglik", "paramEstim"})
    EXPECT_EQ(r.DiscreteMeasure(name), 0) << name;
  for (const char* name : {"LogLik", "Time", "time ", "iterNum", "paramEstim"})
    EXPECT_EQ(r.ScaleMeasure(name), 0.0) << name;
  for (const char* name : {"ParamEstim", "paramEstim1", "paramEstim4", "loglik", ""})
    EXPECT_EQ(r.VectorMeasure(name), nullptr) << name;
}

TEST(KzIterationReporter, DisplayLayout) {
  kztest::DisplayCapture capture;
  KzIterationReporter r;
  r.Display();
  EXPECT_EQ(capture.Take(),
            "\nKzIterationReporter display start"
            "\nIteration number = 0"
            "\nNumber of step halving = 0"
            "\nPseudo -2 log-likelihood = 0"
            "\nElapsed time in sec = 0"
            "\nParameter estimates pointer is 0"
            "\nKzIterationReporter display end");

  const std::vector<double> a{0.25, -1.5}, b{}, c{1e-7};
  r.SetInfo(&a, 12, 3, 1234.56789, 0.125);
  r.Display();
  const std::string head =
      "\nKzIterationReporter display start"
      "\nIteration number = 12"
      "\nNumber of step halving = 3"
      "\nPseudo -2 log-likelihood = 1234.57"
      "\nElapsed time in sec = 0.125"
      "\nParameter estimates (size = 2)"
      "\n  0.25 -1.5";
  EXPECT_EQ(capture.Take(), head + "\nKzIterationReporter display end");

  r.SetInfo(&a, &b, &c, 12, 1234.56789, 0.125);
  r.Display();
  EXPECT_EQ(capture.Take(), head +
                                "\nParameter estimates, second vector (size = 0)"
                                "\nParameter estimates, third vector (size = 1)"
                                "\n  1e-07"
                                "\nKzIterationReporter display end");
}

#ifdef KZ_TEST_VTABLE_ORDER
TEST(KzIterationReporter, VirtualsFollowTheSlotOrder) {
  using R = KzIterationReporter;
  kztest::ExpectTableOrder({kztest::VIndex(&R::DiscreteMeasure), kztest::VIndex(&R::ScaleMeasure),
                            kztest::VIndex(&R::VectorMeasure), kztest::VIndex(&R::Reset),
                            kztest::VIndex(&R::Display)});
}
#endif

}  // namespace
