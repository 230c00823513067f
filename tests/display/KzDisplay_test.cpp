#include "kzcommon12r/display/KzDisplay.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "kzcommon12r/common/KzMV.h"
#include "support/KzDisplayCapture.h"

using namespace KzDisplay_1_2;
using KzCommon_1_2::KzMV;

namespace {

const double kMiss = KzMV::gMissingValue;

using DisplayTest = kztest::DisplayCaptureTest;

TEST_F(DisplayTest, ScalarLines) {
  struct Case {
    void (*display)();
    const char* expected;
  } const cases[] = {
      {[] { DisplayD("x", kMiss); }, "\nx = miss"},
      {[] { DisplayD("x", 0.1); }, "\nx = 0.1"},
      {[] { DisplayD("x", 1234567.0); }, "\nx = 1.23457e+06"},
      {[] { DisplayDF("x", 0.1); }, "\nx = 0.10000000000000001"},
      {[] { DisplayDF("x", kMiss); }, "\nx = miss"},
      {[] { DisplayB("flag", true); }, "\nflag = true"},
      {[] { DisplayB("flag", false); }, "\nflag = false"},
      {[] { DisplayI("n", -42); }, "\nn = -42"},
      {[] { DisplayS("name", "abc"); }, "\nname = abc"},
      // A label or value holding "%" is text, never a format.
      {[] { DisplayS("100% %s %n", "%d"); }, "\n100% %s %n = %d"},
      {[] { DisplayD("pct %n%s", 2.0); }, "\npct %n%s = 2"},
  };
  for (const Case& c : cases) {
    c.display();
    EXPECT_EQ(capture.Take(), c.expected);
  }
}

TEST_F(DisplayTest, TextHasNoLeadingEndOfLineOfItsOwn) {
  DisplayText(2, "abc");
  EXPECT_EQ(capture.Take(), "\n\nabc");
  DisplayText(0, std::string("def"));
  EXPECT_EQ(capture.Take(), "def");
  DisplayText(1, static_cast<const char*>(nullptr));
  EXPECT_EQ(capture.Take(), "");
  DisplayText(-3, "x");
  EXPECT_EQ(capture.Take(), "x");
}

TEST_F(DisplayTest, DoubleVectorWrapsAfterTenItems) {
  DisplayDV("v", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, false);
  EXPECT_EQ(capture.Take(), "\nv (size = 12)\n  1 2 3 4 5 6 7 8 9 10\n  11 12");
  DisplayDV("v", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, false);
  EXPECT_EQ(capture.Take(), "\nv (size = 10)\n  1 2 3 4 5 6 7 8 9 10");
  DisplayDV("v", {}, false);
  EXPECT_EQ(capture.Take(), "\nv (size = 0)");
  DisplayDV("v", {0.5, kMiss}, false);
  EXPECT_EQ(capture.Take(), "\nv (size = 2)\n  0.5 miss");
}

TEST_F(DisplayTest, DoubleVectorOnePerLineUsesSeventeenDigits) {
  DisplayDV("v", {1.5, kMiss, 0.1}, true);
  EXPECT_EQ(capture.Take(), "\nv (size = 3)\n  = 1.5\n  miss\n  = 0.10000000000000001");
}

TEST_F(DisplayTest, DoubleArrayHeaderAndGuards) {
  const double a[] = {1, kMiss, 3};
  DisplayDA("a", a, 3, false);
  EXPECT_EQ(capture.Take(), "\na\n  1 miss 3");
  DisplayDA("a", a, 3, true);
  EXPECT_EQ(capture.Take(), "\na (size = 3)\n  1 miss 3");
  DisplayDA("a", nullptr, 3, true);
  EXPECT_EQ(capture.Take(), "\na (size = 0)");
  DisplayDA("a", a, -1, false);
  EXPECT_EQ(capture.Take(), "\na");
}

TEST_F(DisplayTest, IntegerBoolAndStringVectorsWrapAtTheirLimits) {
  std::vector<int> iv(26);
  for (int i = 0; i < 26; ++i) iv[i] = i;
  DisplayIV("iv", iv);
  std::string line1 = " ";
  for (int i = 0; i < 25; ++i) line1 += " " + std::to_string(i);
  EXPECT_EQ(capture.Take(), "\niv (size = 26)\n" + line1 + "\n  25");

  DisplayUV("uv", {4000000000u, 1u});
  EXPECT_EQ(capture.Take(), "\nuv (size = 2)\n  4000000000 1");

  std::vector<bool> bv(36, true);
  bv[35] = false;
  DisplayBV("bv", bv);
  std::string t35 = " ";
  for (int i = 0; i < 35; ++i) t35 += " t";
  EXPECT_EQ(capture.Take(), "\nbv (size = 36)\n" + t35 + "\n  f");

  DisplaySV("sv", {"a", "b c", ""});
  EXPECT_EQ(capture.Take(), "\nsv (size = 3)\n  \"a\" \"b c\" \"\"");
}

TEST_F(DisplayTest, PairVectors) {
  DisplayVPD("p", {{1.5, kMiss}, {2, 3}});
  EXPECT_EQ(capture.Take(), "\np (size = 2)\n  1.5  miss\n  2  3");
  DisplayVPDI("q", {{0.25, 7}});
  EXPECT_EQ(capture.Take(), "\nq (size = 1)\n  0.25 7");
  std::vector<std::pair<int, int>> pairs;
  for (int i = 0; i < 11; ++i) pairs.emplace_back(i, -i);
  DisplayVPII("r", pairs);
  EXPECT_EQ(capture.Take(),
            "\nr (size = 11)\n (0,0) (1,-1) (2,-2) (3,-3) (4,-4) (5,-5) (6,-6) (7,-7) (8,-8) "
            "(9,-9) \n (10,-10) ");
}

TEST_F(DisplayTest, NestedVectors) {
  DisplayDVV("m", {}, false);
  EXPECT_EQ(capture.Take(), "\nm <none>");
  DisplayDVV("m", {{1}, {}}, false);
  EXPECT_EQ(capture.Take(), "\nm\nvec[0] (size = 1)\n  1\nvec[1] (size = 0)");
  DisplaySVV("s", {});
  EXPECT_EQ(capture.Take(), "\ns");
  DisplaySVV("s", {{"x"}});
  EXPECT_EQ(capture.Take(), "\ns\nvec[0] (size = 1)\n  \"x\"");
}

TEST_F(DisplayTest, LowerTriangleStopsWhereTheVectorEnds) {
  DisplayDVTR("t", {1, 2, 3, 4}, 3);
  EXPECT_EQ(capture.Take(),
            "\nt (number of elements = 4, number of rows = 3)"
            "\nrow  0: \n  1\nrow  1: \n  2 3\nrow  2: \n  4");
  DisplayDVTR("cov", {1, 2, 3, 4, 5, 6}, 3);
  EXPECT_EQ(capture.Take(),
            "\ncov (number of elements = 6, number of rows = 3)"
            "\nrow  0: \n  1\nrow  1: \n  2 3\nrow  2: \n  4 5 6");
  // Rows starting past the end are not shown.
  DisplayDVTR("u", {1}, 4);
  EXPECT_EQ(capture.Take(), "\nu (number of elements = 1, number of rows = 4)\nrow  0: \n  1");
}

TEST_F(DisplayTest, IntMaps) {
  DisplayIIM("m", {});
  EXPECT_EQ(capture.Take(), "\nmap size = 0\nm <none>");
  std::map<int, int> m;
  for (int i = 0; i < 11; ++i) m[i] = 2 * i;
  DisplayIIM("m", m);
  EXPECT_EQ(capture.Take(),
            "\nmap size = 11\nm (0,0) (1,2) (2,4) (3,6) (4,8) (5,10) (6,12) (7,14) (8,16) "
            "(9,18)\n  (10,20)");
  DisplayVIM("v", {{3, 1}, {1, -1}});
  EXPECT_EQ(capture.Take(), "\nv (1,-1) (3,1)");
  DisplayVIM("v", {});
  EXPECT_EQ(capture.Take(), "\nv <none>");
}

TEST_F(DisplayTest, VectorKeyedMaps) {
  DisplayIntVecDVecMap("m", {{{1, 2}, {0.5}}});
  EXPECT_EQ(capture.Take(), "\nm\nMap key (size = 2)\n  1 2\nMap value (size = 1)\n  0.5");
  DisplayIntVecIntMap("m", {{{3}, 9}});
  EXPECT_EQ(capture.Take(), "\nm\nMap key (size = 1)\n  3\nMap value = 9");
  DisplaySLDM("m", {{{"a"}, kMiss}, {{"b"}, 2.5}});
  EXPECT_EQ(capture.Take(),
            "\nm\nMap's StringList: (size = 1)\n  \"a\"\nMap's double = miss"
            "\nMap's StringList: (size = 1)\n  \"b\"\nMap's double = 2.5");
  DisplaySLDM("e", {});
  EXPECT_EQ(capture.Take(), "\ne");
}

TEST_F(DisplayTest, BoolMatrix) {
  DisplayBVV("b", {{true, false}}, ".", "X");
  EXPECT_EQ(capture.Take(), "\nb ( number of rows =  1, number of columns =  2 )\nX.");
  DisplayBVV("pattern", {{true, true, false}, {false, false, false}}, "0", "1");
  EXPECT_EQ(capture.Take(),
            "\npattern ( number of rows =  2, number of columns =  3 )\n110\n000");
  DisplayBVV("e", {}, ".", "X");
  EXPECT_EQ(capture.Take(), "\ne ( number of rows =  0 )");
}

TEST_F(DisplayTest, TimeStampLayout) {
  DisplayTimeStamp("at");
  const std::string text = capture.Take();
  // "\nat: " then yyyy-mm-dd-hh-mm-ss.
  const std::string shape = "\nat: dddd-dd-dd-dd-dd-dd";
  ASSERT_EQ(text.size(), shape.size()) << text;
  for (size_t i = 0; i < shape.size(); ++i) {
    if (shape[i] == 'd')
      EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(text[i]))) << text;
    else
      EXPECT_EQ(text[i], shape[i]) << text;
  }
}

TEST(DisplayStream, SetAndGetAndRestore) {
  std::ostream* original = GetOutStream();
  {
    kztest::DisplayCapture outer;
    std::ostringstream inner;
    SetOutStream(inner);
    EXPECT_EQ(GetOutStream(), &inner);
    DisplayI("k", 1);
    EXPECT_EQ(inner.str(), "\nk = 1");
    EXPECT_EQ(outer.Text(), "");
  }
  EXPECT_EQ(GetOutStream(), original);
}

}  // namespace
