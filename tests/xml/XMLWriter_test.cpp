#include "kzcommon12r/xml/XMLWriter.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <locale>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "XMLTestSupport.h"
#include "kzcommon12r/xml/XMLDocType.h"
#include "kzcommon12r/xml/XMLElement.h"
#include "kzcommon12r/xml/XMLString.h"

using namespace KzXML_1_2;
using KzXMLTest::ScopedLocale;

namespace {

std::string Utf(const std::string& s) {
  std::ostringstream os;
  EXPECT_EQ(WriteUTF(os, s), 0);
  return os.str();
}

TEST(Write, BytesUnchanged) {
  std::ostringstream os;
  const std::string s("a\xE9\x80\0z", 5);
  EXPECT_EQ(Write(os, s), 0);
  EXPECT_EQ(os.str(), s);
}

TEST(WriteUTF, CLocaleTakesNonUtf8BytesAsWindows1252) {
  ScopedLocale loc(LC_CTYPE, "C");
  ASSERT_TRUE(loc.ok());
  const struct {
    std::string in, out;
  } cases[] = {
      {"", ""},
      {"plain ascii", "plain ascii"},
      {"\xE9", "\xC3\xA9"},
      {"caf\xE9!", "caf\xC3\xA9!"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},              // UTF-8 is never encoded twice
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},    // four-byte form passes
      {"\x80", "\xE2\x82\xAC"},                    // euro sign
      {"\x9F", "\xC5\xB8"},                        // Y with diaeresis
      {"\x81", "\xC2\x81"},                        // undefined in 1252: the C1 control
      {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
      {"\xC3", "\xC3\x83"},                        // a lone lead byte is a 1252 character
      {"\xC3\xA9\xE9", "\xC3\xA9\xC3\xA9"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf(c.in), c.out) << c.in;
}

TEST(WriteUTF, Utf8LocaleReplacesInvalidBytes) {
  ScopedLocale loc(LC_CTYPE, "C.UTF-8");
  if (!loc.ok()) GTEST_SKIP() << "no C.UTF-8 locale";
  const std::string r = "\xEF\xBF\xBD";
  const struct {
    std::string in, out;
  } cases[] = {
      {"caf\xC3\xA9", "caf\xC3\xA9"},
      {"\xE9", r},
      {"a\xE9z", "a" + r + "z"},
      {"\xC0\xAF", r + r},                  // overlong "/"
      {"\xED\xA0\x80", r + r + r},          // encoded surrogate
      {"\xF4\x90\x80\x80", r + r + r + r},  // above U+10FFFF
      {"\xE2\x82", r + r},                  // cut at the end
      {"\xE2\x82\xAC", "\xE2\x82\xAC"},
      {"\xF0\x9F\x98\x80x", "\xF0\x9F\x98\x80x"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf(c.in), c.out) << c.in;
}

TEST(WriteUTF, OtherCharacterSetsGoThroughIconv) {
  ScopedLocale loc(LC_CTYPE, KzXMLTest::kLatin1Locale, true);
  if (!loc.ok()) GTEST_SKIP() << "the build could not compile a Latin-1 locale";
  // In Latin-1 0xE9 is e-acute and 0x80 a C1 control; "\xC3\xA9" is two characters.
  EXPECT_EQ(Utf("\xE9\x80"), "\xC3\xA9\xC2\x80");
  EXPECT_EQ(Utf("\xC3\xA9"), "\xC3\x83\xC2\xA9");
  EXPECT_EQ(Utf(std::string(5000, '\xFF')).size(), 10000u);  // longer than one iconv block
}

TEST(WriteTree, NullPrologEmptyRoot) {
  std::unique_ptr<XMLElement> a(XMLElement::Create("a"));
  std::ostringstream os;
  EXPECT_EQ(WriteTree(os, nullptr, a.get(), true), 0);
  EXPECT_EQ(os.str(), "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n\n<a/>");
  std::ostringstream flat;
  EXPECT_EQ(WriteTree(flat, nullptr, a.get(), false), 0);
  EXPECT_EQ(flat.str(), "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<a/>");
}

TEST(WriteTree, NullRootWritesNothing) {
  std::unique_ptr<XMLDocType> d(XMLDocType::Create("a", "a.dtd", 0));
  std::ostringstream os;
  EXPECT_EQ(WriteTree(os, d.get(), nullptr, true), -1);
  EXPECT_EQ(WriteTreeUTF8(os, d.get(), nullptr, true), -1);
  EXPECT_TRUE(os.str().empty());
}

TEST(WriteTree, PrologAndConversion) {
  ScopedLocale loc(LC_CTYPE, "C");
  std::unique_ptr<XMLDocType> d(XMLDocType::Create("r\xE9", "r.dtd", 0));
  std::unique_ptr<XMLElement> r(XMLElement::Create("r"));
  r->AddAttribute("n", "\xE9");
  r->AddElement(XMLString::Create("caf\xE9"));
  std::ostringstream raw, utf;
  EXPECT_EQ(WriteTree(raw, d.get(), r.get(), true), 0);
  EXPECT_EQ(WriteTreeUTF8(utf, d.get(), r.get(), true), 0);
  const std::string prolog = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<!DOCTYPE r";
  EXPECT_EQ(raw.str(), prolog + "\xE9 SYSTEM \"r.dtd\">\n\n<r\n\tn=\"\xE9\">caf\xE9</r>");
  EXPECT_EQ(utf.str(),
            prolog + "\xC3\xA9 SYSTEM \"r.dtd\">\n\n<r\n\tn=\"\xC3\xA9\">caf\xC3\xA9</r>");
}

TEST(ObjectStreamFrame, RootTags) {
  std::ostringstream os;
  EXPECT_EQ(StartRoot(os, "(c) A&B \"Q\""), 0);
  EXPECT_EQ(EndRoot(os), 0);
  EXPECT_EQ(os.str(), "<KzXMLRoot copyright=\"(c) A&amp;B &quot;Q&quot;\">\n</KzXMLRoot>");
  std::ostringstream alias;
  EXPECT_EQ(WriteHeader(alias, "(c) A&B \"Q\""), 0);
  EXPECT_EQ(EndHeader(alias), 0);
  EXPECT_EQ(alias.str(), os.str());
}

TEST(Format, FifteenDigitsClassicLocale) {
  EXPECT_EQ(Format(0.1, false, nullptr), "0.1");
  EXPECT_EQ(Format(1.0 / 3.0, false, nullptr), "0.333333333333333");
  EXPECT_EQ(Format(100000000000000000000.0, false, nullptr), "1e+20");
  EXPECT_EQ(Format(123456789012345.0, false, nullptr), "123456789012345");
  EXPECT_EQ(Format(1234567890123456.0, false, nullptr), "1.23456789012346e+15");
  EXPECT_EQ(Format(0.0001, false, nullptr), "0.0001");
  EXPECT_EQ(Format(0.00001, false, nullptr), "1e-05");
  EXPECT_EQ(Format(-0.0, false, nullptr), "-0");
  EXPECT_EQ(ReplaceSep(2.5, "%.2f"), "2.5");
  EXPECT_EQ(Format(5L), "5");
  EXPECT_EQ(Format(-2147483647L - 1), "-2147483648");
  EXPECT_EQ(GetListSeparator(), ";");
  EXPECT_EQ(GetDefaultNumericFormat(), "%.15g");
}

TEST(Format, ReplaceSepEqualsClassicStreamAtPrecision15) {
  // The oracle is the stream insertion the text is defined by.
  std::mt19937_64 gen(20261207);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (int i = 0; i < 20000; ++i) {
    std::uint64_t b = bits(gen);
    double x;
    std::memcpy(&x, &b, sizeof x);
    if (i % 2 == 0) x = std::ldexp(static_cast<double>(b >> 11), -53) * std::pow(10.0, i % 40 - 20);
    std::ostringstream os;
    os.imbue(std::locale::classic());
    os.precision(15);
    os << x;
    ASSERT_EQ(ReplaceSep(x, nullptr), os.str()) << "seed 20261207, i=" << i;
  }
  for (double x : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max()}) {
    std::ostringstream os;
    os.imbue(std::locale::classic());
    os.precision(15);
    os << x;
    EXPECT_EQ(ReplaceSep(x, nullptr), os.str());
  }
}

TEST(Format, CallerFormats) {
  ScopedLocale loc(LC_NUMERIC, "C");
  EXPECT_EQ(Format(2.5, true, "%.2f"), "2.50");
  EXPECT_EQ(Format(2.5, true, nullptr), "2.5");
  EXPECT_EQ(Format(2.5, true, "%8.3e%%"), "2.500e+00%");
  EXPECT_EQ(Format(2.5, true, "x=%-6gend"), "x=2.5   end");
  EXPECT_EQ(Format(2.5, true, "%lf"), "2.500000");
  // Longer than any fixed buffer.
  const std::string big = Format(1e300, true, "%f");
  EXPECT_EQ(big.size(), 301u + 7u);
  EXPECT_EQ(big.substr(0, 4), "1000");
  // Anything but one floating conversion falls back to "%.15g".
  for (const char* bad : {"%s", "%n", "%d", "%g %g", "%*g", "%.*f", "%Lf", "no conversion", "%",
                          "%5"}) {
    EXPECT_EQ(Format(0.1, true, bad), "0.1") << bad;
  }
}

TEST(Format, CallerFormatFollowsNumericLocale) {
  EXPECT_EQ(GetDecimalCharacter(), ".");
  ScopedLocale loc(LC_NUMERIC, KzXMLTest::kLatin1Locale, true);
  if (!loc.ok()) GTEST_SKIP() << "the build could not compile a decimal-comma locale";
  EXPECT_EQ(Format(2.5, true, nullptr), "2,5");
  EXPECT_EQ(Format(5L), "5");
  EXPECT_EQ(GetDecimalCharacter(), ",");
  EXPECT_EQ(Format(2.5, false, nullptr), "2.5");  // attributes never follow the locale
  std::unique_ptr<XMLElement> e(XMLElement::Create("e"));
  e->AddAttribute("x", 2.5);
  std::ostringstream os;
  WriteTree(os, nullptr, e.get(), false);
  EXPECT_EQ(os.str(), "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<e x=\"2.5\"/>");
}

}  // namespace
