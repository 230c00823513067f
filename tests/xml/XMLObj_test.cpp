#include "kzcommon12r/xml/XMLObj.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>

#include "kzcommon12r/common/KzMV.h"

using KzXML_1_2::XMLObj;

namespace {

TEST(XMLObj, WorkedExampleObject) {
  const XMLObj obj("KzURandom", 1);
  std::ostringstream os;
  EXPECT_EQ(obj.StartObj(os), 0);
  EXPECT_EQ(obj.WriteSubElement(os, 5.0), 0);
  EXPECT_EQ(obj.WriteSubElement(os, true), 0);
  EXPECT_EQ(obj.WriteSubElement(os, false), 0);
  EXPECT_EQ(obj.EndObj(os), 0);
  EXPECT_EQ(os.str(),
            "\n\t<Obj name=\"KzURandom\">"
            "\n\t\t<Double value=\"5\"/>"
            "\n\t\t<Int value=\"1\"/>"
            "\n\t\t<Int value=\"0\"/>"
            "\n\t</Obj>");
}

template <class T>
std::string Line(const XMLObj& obj, T value) {
  std::ostringstream os;
  obj.WriteSubElement(os, value);
  return os.str();
}

TEST(XMLObj, TypedValueElements) {
  const XMLObj obj("X", 0);
  EXPECT_EQ(Line(obj, 7), "\n\t<Int value=\"7\"/>");
  EXPECT_EQ(Line(obj, INT_MIN), "\n\t<Int value=\"-2147483648\"/>");
  EXPECT_EQ(Line(obj, 4294967295u), "\n\t<Int value=\"4294967295\"/>");
  EXPECT_EQ(Line(obj, -7L), "\n\t<Long value=\"-7\"/>");
  EXPECT_EQ(Line(obj, 0.1), "\n\t<Double value=\"0.1\"/>");
  EXPECT_EQ(Line(obj, KzCommon_1_2::KzMV::gMissingValue), "\n\t<Double value=\"Missing\"/>");
  EXPECT_EQ(Line(obj, 1e20), "\n\t<Double value=\"1e+20\"/>");
  EXPECT_EQ(Line(obj, std::string("a \"b\" ")), "\n\t<String value=\"a &quot;b&quot;&#32;\"/>");
  EXPECT_EQ(Line(obj, std::string()), "\n\t<String value=\"\"/>");
  const XMLObj copy = obj;
  EXPECT_EQ(copy.GetName(), "X");
  EXPECT_EQ(copy.GetNTabs(), 0);
}

TEST(XMLObj, DoublesKeepFifteenDigitsUnlessThatLosesTheValue) {
  const XMLObj obj("X", 0);
  // Values that 15 digits identify keep their 15-digit text.
  EXPECT_EQ(Line(obj, 0.3), "\n\t<Double value=\"0.3\"/>");
  // 1/3 needs all 17 digits to read back.
  EXPECT_EQ(Line(obj, 1.0 / 3.0), "\n\t<Double value=\"0.33333333333333331\"/>");
  // 0.1 + 0.2 is not 0.3 and must not be written as "0.3".
  EXPECT_EQ(Line(obj, 0.1 + 0.2), "\n\t<Double value=\"0.30000000000000004\"/>");
  EXPECT_EQ(Line(obj, 2.5), "\n\t<Double value=\"2.5\"/>");
}

}  // namespace
