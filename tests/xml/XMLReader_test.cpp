#include "kzcommon12r/xml/XMLReader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "XMLTestSupport.h"
#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/xml/XMLDocType.h"
#include "kzcommon12r/xml/XMLObj.h"
#include "kzcommon12r/xml/XMLWriter.h"

using namespace KzXML_1_2;

namespace {

// Writes `content` to a scratch file and opens it for reading.
class ScratchFile {
 public:
  explicit ScratchFile(const std::string& content) {
    // Unique across the test processes that ctest runs in parallel.
    static int counter = 0;
    m_path = testing::TempDir() + "kz_xml_reader_" + std::to_string(getpid()) + "_" +
             std::to_string(++counter) + ".xml";
    std::ofstream out(m_path, std::ios::binary);
    out << content;
  }
  ~ScratchFile() { std::remove(m_path.c_str()); }
  std::ifstream Open() const { return std::ifstream(m_path, std::ios::binary); }
  const std::string& path() const { return m_path; }

 private:
  std::string m_path;
};

const char kProlog[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
    "<!DOCTYPE KzXMLRoot SYSTEM \"savexml.dtd\">\n";

template <class T>
bool ReadOne(const std::string& line, T& out) {
  ScratchFile f(line + "\n");
  std::ifstream in = f.Open();
  return ParseValue(in, out);
}

TEST(ParseStartXML, AcceptsWrittenPrologAndRoot) {
  std::unique_ptr<XMLDocType> d(XMLDocType::Create("KzXMLRoot", "savexml.dtd", 0));
  std::ostringstream os;
  ExportFormat fmt;
  d->ToStream(os, fmt, false);
  StartRoot(os, "notice");
  ScratchFile f(os.str());
  std::ifstream in = f.Open();
  EXPECT_TRUE(ParseStartXML(in));
}

TEST(ParseStartXML, RejectsInternalSubsetAndStopsAtFirstBadLine) {
  std::unique_ptr<XMLDocType> d(XMLDocType::Create("KzXMLRoot", "savexml.dtd", 0));
  d->AddExtension("<!ENTITY x \"y\">");
  std::string text;
  ExportFormat fmt;
  d->ToString(text, fmt);
  ScratchFile f(text + "<KzXMLRoot copyright=\"\">");
  std::ifstream in = f.Open();
  EXPECT_FALSE(ParseStartXML(in));

  ScratchFile g("<?xml version=\"1.0\" ?>\nnot a doctype\nthird line\n");
  std::ifstream in2 = g.Open();
  EXPECT_FALSE(ParseStartXML(in2));
  std::string rest;
  std::getline(in2, rest);
  EXPECT_EQ(rest, "third line");  // two lines consumed
}

TEST(ParseStartObj, OneEmptyLineAllowedNotTwo) {
  ScratchFile one("\n\t<Obj name=\"KzCatVar\">\n");
  std::ifstream in1 = one.Open();
  EXPECT_TRUE(ParseStartObj(in1, "KzCatVar"));
  ScratchFile two("\n\n\t<Obj name=\"KzCatVar\">\n");
  std::ifstream in2 = two.Open();
  EXPECT_FALSE(ParseStartObj(in2, "KzCatVar"));
  ScratchFile spaced("<Obj name=\"My Class\">\r\n");
  std::ifstream in3 = spaced.Open();
  EXPECT_TRUE(ParseStartObj(in3, "My Class"));
}

TEST(ParseStartObj, OtherNameFailsAndConsumesTheLine) {
  ScratchFile f("\t<Obj name=\"KzContVar\">\n\t</Obj>\n");
  std::ifstream in = f.Open();
  EXPECT_FALSE(ParseStartObj(in, "KzCatVar"));
  EXPECT_TRUE(ParseEndObj(in));
  EXPECT_FALSE(ParseEndObj(in));  // end of input
}

TEST(ParseValue, IntLineAgainstEachReader) {
  const std::string line = "\t\t<Int value=\"7\"/>";
  int i = 0;
  EXPECT_TRUE(ReadOne(line, i));
  EXPECT_EQ(i, 7);
  bool b = true;
  EXPECT_FALSE(ReadOne(line, b));
  EXPECT_TRUE(b);  // unchanged
  long l = 3;
  EXPECT_FALSE(ReadOne(line, l));
  EXPECT_EQ(l, 3);
  unsigned u = 0;
  EXPECT_TRUE(ReadOne(line, u));
  EXPECT_EQ(u, 7u);
  double d = 1.0;
  EXPECT_FALSE(ReadOne(line, d));
  EXPECT_EQ(d, 1.0);
}

TEST(ParseValue, MissingAndStrings) {
  double d = 0.0;
  EXPECT_TRUE(ReadOne("\t\t<Double value=\"Missing\"/>", d));
  EXPECT_TRUE(KzCommon_1_2::KzMV::IsMissing(d));
  const struct {
    const char* line;
    const char* value;
  } cases[] = {
      {"\t\t<String value=\"\"/>", ""},
      {"\t\t<String value=\"a b\"/>", "a b"},
      {"\t\t<String value=\"a&amp;b\"/>", "a&b"},
      {"\t\t<String value=\"/>\"/>", "/>"},
      {"\t\t<String value=\"&amp;lt;\"/>", "&lt;"},  // one pass: never "<"
      {"\t\t<String value=\"&lt;&gt;&quot;&apos;\"/>", "<>\"'"},
      {"\t\t<String value=\"&#65;&#x42;&#X43;&#9;&#32;\"/>", "ABC\t "},
      {"\t\t<String value=\"&#xE9;&#8364;&#128512;\"/>", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
      {"\t\t<String value=\"A&B &x; &#; &#0; &#xD800; &#1114112; &amp\"/>",
       "A&B &x; &#; &#0; &#xD800; &#1114112; &amp"},
      {"\t\t<String value=\"x\"/>\r", "x"},
  };
  for (const auto& c : cases) {
    std::string s = "unchanged";
    EXPECT_TRUE(ReadOne(c.line, s)) << c.line;
    EXPECT_EQ(s, c.value) << c.line;
  }
  std::string s = "keep";
  EXPECT_FALSE(ReadOne("\t\t<Int value=\"x\"/>", s));
  EXPECT_EQ(s, "keep");
}

TEST(ParseValue, NumbersAreRequiredAndClamped) {
  int i = 5;
  EXPECT_TRUE(ReadOne("<Int value=\"99999999999\"/>", i));
  EXPECT_EQ(i, INT_MAX);
  EXPECT_TRUE(ReadOne("<Int value=\"-99999999999999999999999\"/>", i));
  EXPECT_EQ(i, INT_MIN);
  i = 5;
  for (const char* bad : {"<Int value=\"\"/>", "<Int value=\"abc\"/>", "<Int value=\"12abc\"/>",
                          "<Int value=", "<Int/>", "<Long value=\"1\"/>", ""}) {
    EXPECT_FALSE(ReadOne(bad, i)) << bad;
    EXPECT_EQ(i, 5);
  }
  long l = 0;
  EXPECT_TRUE(ReadOne("<Long value=\"4294967296\"/>", l));
  EXPECT_EQ(l, 2147483647L);
  EXPECT_TRUE(ReadOne("<Long value=\"-2147483649\"/>", l));
  EXPECT_EQ(l, -2147483647L - 1);
  unsigned u = 9;
  EXPECT_TRUE(ReadOne("<Int value=\"3.7\"/>", u));
  EXPECT_EQ(u, 3u);
  EXPECT_TRUE(ReadOne("<Int value=\"-1\"/>", u));
  EXPECT_EQ(u, 0u);
  EXPECT_TRUE(ReadOne("<Int value=\"5e9\"/>", u));
  EXPECT_EQ(u, UINT_MAX);
  u = 9;
  EXPECT_FALSE(ReadOne("<Int value=\"nan\"/>", u));
  EXPECT_EQ(u, 9u);
  bool b = false;
  EXPECT_TRUE(ReadOne("<Int value=\"1\"/>", b));
  EXPECT_TRUE(b);
  EXPECT_FALSE(ReadOne("<Int value=\"4294967297\"/>", b));  // not 1 once read wide
}

TEST(ParseValue, DoublesEdgeValues) {
  double d = 0.0;
  EXPECT_TRUE(ReadOne("<Double value=\"1e400\"/>", d));
  EXPECT_EQ(d, DBL_MAX);
  EXPECT_TRUE(ReadOne("<Double value=\"-1e400\"/>", d));
  EXPECT_EQ(d, -DBL_MAX);
  EXPECT_TRUE(ReadOne("<Double value=\"inf\"/>", d));
  EXPECT_EQ(d, std::numeric_limits<double>::infinity());
  EXPECT_TRUE(ReadOne("<Double value=\"-inf\"/>", d));
  EXPECT_EQ(d, -std::numeric_limits<double>::infinity());
  EXPECT_TRUE(ReadOne("<Double value=\"nan\"/>", d));
  EXPECT_TRUE(std::isnan(d));
  EXPECT_TRUE(ReadOne("<Double value=\"4.9406564584124654e-324\"/>", d));
  EXPECT_EQ(d, std::numeric_limits<double>::denorm_min());
  EXPECT_TRUE(ReadOne("<Double value=\"1e-400\"/>", d));
  EXPECT_EQ(d, 0.0);
  d = 2.0;
  for (const char* bad : {"<Double value=\"\"/>", "<Double value=\"1.5x\"/>",
                          "<Double value=\"1,5\"/>", "<Double value=\"missing\"/>"}) {
    EXPECT_FALSE(ReadOne(bad, d)) << bad;
    EXPECT_EQ(d, 2.0);
  }
}

TEST(ParseValue, DoublesIgnoreTheNumericLocale) {
  KzXMLTest::ScopedLocale loc(LC_NUMERIC, KzXMLTest::kLatin1Locale, true);
  if (!loc.ok()) GTEST_SKIP() << "the build could not compile a decimal-comma locale";
  double d = 0.0;
  EXPECT_TRUE(ReadOne("<Double value=\"2.5\"/>", d));
  EXPECT_EQ(d, 2.5);
  const XMLObj obj("X", 0);
  std::ostringstream os;
  obj.WriteSubElement(os, 0.1 + 0.2);
  ScratchFile f(os.str().substr(1) + "\n");
  std::ifstream in = f.Open();
  EXPECT_TRUE(ParseValue(in, d));
  EXPECT_EQ(d, 0.1 + 0.2);
}

TEST(ParseValue, LongLinesReadBackAndDoNotPoisonTheStream) {
  const std::string longText(300, 'x');
  const XMLObj obj("X", 1);
  std::ostringstream os;
  obj.WriteSubElement(os, longText);
  obj.WriteSubElement(os, 42);
  ScratchFile f(os.str().substr(1) + "\n");  // drop the leading line feed
  std::ifstream in = f.Open();
  std::string s;
  EXPECT_TRUE(ParseValue(in, s));
  EXPECT_EQ(s, longText);
  int i = 0;
  EXPECT_TRUE(ParseValue(in, i));
  EXPECT_EQ(i, 42);
}

TEST(ParseValue, TwoStreamsInterleaved) {
  // No hidden tokenizer state is shared between calls or streams.
  ScratchFile a("<Int value=\"1\"/>\n<Int value=\"2\"/>\n");
  ScratchFile b("<String value=\"p q\"/>\n<String value=\"r\"/>\n");
  std::ifstream ia = a.Open(), ib = b.Open();
  int x = 0;
  std::string s;
  EXPECT_TRUE(ParseValue(ia, x));
  EXPECT_TRUE(ParseValue(ib, s));
  EXPECT_EQ(s, "p q");
  EXPECT_TRUE(ParseValue(ia, x));
  EXPECT_EQ(x, 2);
  EXPECT_TRUE(ParseValue(ib, s));
  EXPECT_EQ(s, "r");
}

std::string EveryEscapedCharacter() {
  return std::string(" lead&<>\"\t\n\r  two   three \xE9 &amp; &#32; trail  ");
}

TEST(RoundTrip, WriteThenReadEveryType) {
  std::mt19937_64 gen(97531);
  std::vector<double> doubles = {0.0, -0.0, 0.1, 0.1 + 0.2, 1.0 / 3.0, 1e300, -1e-300,
                                 std::numeric_limits<double>::denorm_min(),
                                 std::numeric_limits<double>::max(),
                                 std::numeric_limits<double>::infinity(),
                                 KzCommon_1_2::KzMV::gMissingValue};
  for (int k = 0; k < 2000; ++k) {
    std::uint64_t bits = gen();
    double x;
    std::memcpy(&x, &bits, sizeof x);
    if (std::isfinite(x)) doubles.push_back(x);
    doubles.push_back(std::uniform_real_distribution<double>(-1e6, 1e6)(gen));
  }
  const std::vector<int> ints = {0, 1, -1, INT_MAX, INT_MIN, 123456789};
  const std::vector<unsigned> unsigneds = {0u, 1u, 4294967295u, 2147483648u};
  const std::vector<long> longs = {0L, -7L, 2147483647L, -2147483647L - 1};
  std::string tenThousand;
  for (int k = 0; k < 10000; ++k) tenThousand += "ab&<> \"\t\n\r"[k % 11];
  const std::vector<std::string> strings = {"",    " ",  "  ", "/>", "\"", "a&amp;b",
                                            EveryEscapedCharacter(), tenThousand,
                                            std::string(10000, ' ')};

  std::ostringstream os;
  std::unique_ptr<XMLDocType> d(XMLDocType::Create("KzXMLRoot", "savexml.dtd", 0));
  ExportFormat fmt;
  d->ToStream(os, fmt, false);
  WriteHeader(os, "(c) test & co");
  const XMLObj outer("Outer", 1), inner("Inner", 2);
  outer.StartObj(os);
  for (int v : ints) outer.WriteSubElement(os, v);
  for (unsigned v : unsigneds) outer.WriteSubElement(os, v);
  outer.WriteSubElement(os, true);
  outer.WriteSubElement(os, false);
  inner.StartObj(os);
  for (long v : longs) inner.WriteSubElement(os, v);
  for (const std::string& s : strings) inner.WriteSubElement(os, s);
  inner.EndObj(os);
  for (double v : doubles) outer.WriteSubElement(os, v);
  outer.EndObj(os);
  EndRoot(os);

  ScratchFile f(os.str());
  std::ifstream in = f.Open();
  ASSERT_TRUE(ParseStartXML(in));
  ASSERT_TRUE(ParseStartObj(in, "Outer"));
  for (int v : ints) {
    int r = 0;
    ASSERT_TRUE(ParseValue(in, r));
    EXPECT_EQ(r, v);
  }
  for (unsigned v : unsigneds) {
    unsigned r = 0;
    ASSERT_TRUE(ParseValue(in, r));
    EXPECT_EQ(r, v);
  }
  bool t = false, fl = true;
  ASSERT_TRUE(ParseValue(in, t));
  ASSERT_TRUE(ParseValue(in, fl));
  EXPECT_TRUE(t);
  EXPECT_FALSE(fl);
  ASSERT_TRUE(ParseStartObj(in, "Inner"));
  for (long v : longs) {
    long r = 0;
    ASSERT_TRUE(ParseValue(in, r));
    EXPECT_EQ(r, v);
  }
  for (const std::string& s : strings) {
    std::string r;
    ASSERT_TRUE(ParseValue(in, r));
    EXPECT_EQ(r, s);
  }
  ASSERT_TRUE(ParseEndObj(in));
  for (double v : doubles) {
    double r = 0.0;
    ASSERT_TRUE(ParseValue(in, r));
    EXPECT_EQ(std::memcmp(&r, &v, sizeof r), 0) << "seed 97531: wrote " << v << " read " << r;
  }
  ASSERT_TRUE(ParseEndObj(in));
}

}  // namespace
