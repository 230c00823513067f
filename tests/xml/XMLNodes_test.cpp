#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/xml/ExportFormat.h"
#include "kzcommon12r/xml/XMLAttribute.h"
#include "kzcommon12r/xml/XMLDocType.h"
#include "kzcommon12r/xml/XMLElement.h"
#include "kzcommon12r/xml/XMLString.h"

using namespace KzXML_1_2;

namespace {

std::string Render(const XMLInterface& node, bool format = true, int level = 0) {
  ExportFormat f;
  f.SetFormat(format);
  f.SetLevel(level);
  std::string out;
  EXPECT_EQ(node.ToString(out, f), 0);
  return out;
}

std::string Stream(const XMLInterface& node, bool format = true, bool utf8 = false) {
  ExportFormat f;
  f.SetFormat(format);
  std::ostringstream os;
  EXPECT_EQ(node.ToStream(os, f, utf8), 0);
  return os.str();
}

std::string AttributeText(const std::string& value) {
  std::unique_ptr<XMLAttribute> a(XMLAttribute::Create("v", value));
  return Render(*a);
}

// a(x="1") { b { "t" } }
std::unique_ptr<XMLElement> WorkedExampleTree() {
  std::unique_ptr<XMLElement> a(XMLElement::Create("a"));
  a->AddAttribute("x", "1");
  XMLElement* b = XMLElement::Create("b");
  b->AddElement(XMLString::Create("t"));
  a->AddElement(b);
  return a;
}

TEST(ExportFormat, DefaultsAndMasterSwitch) {
  ExportFormat f;
  EXPECT_TRUE(f.IsNewParagraph());
  EXPECT_TRUE(f.HasIndentation());
  EXPECT_EQ(f.GetLevel(), 0);
  f.SetFormat(false);
  EXPECT_FALSE(f.IsNewParagraph());
  EXPECT_FALSE(f.HasIndentation());
  f.SetFormat(true);
  f.SetIsNewParagraph(false);
  EXPECT_FALSE(f.IsNewParagraph());
  EXPECT_TRUE(f.HasIndentation());
  f.SetIndentation(false);
  EXPECT_FALSE(f.HasIndentation());
}

TEST(XMLAttribute, EscapingTable) {
  const struct {
    const char* value;
    const char* expected;
  } cases[] = {
      {"", "v=\"\""},
      {"1", "v=\"1\""},
      {"a&b<c>d\"e", "v=\"a&amp;b&lt;c&gt;d&quot;e\""},
      {"&lt;", "v=\"&amp;lt;\""},  // escapes are escaped again, once
      {"t\tn\nr\r", "v=\"t&#9;n&#10;r&#13;\""},
      {"  a  ", "v=\"&#32;&#32;a &#32;\""},
      {" ", "v=\"&#32;\""},
      {"  ", "v=\"&#32;&#32;\""},
      {"   ", "v=\"&#32;&#32;&#32;\""},
      {"a b", "v=\"a b\""},
      {"a  b", "v=\"a &#32;b\""},
      {"a   b", "v=\"a &#32; b\""},
      {"a    b", "v=\"a &#32; &#32;b\""},
      {" a", "v=\"&#32;a\""},
      {"a ", "v=\"a&#32;\""},
      {"a   ", "v=\"a &#32;&#32;\""},
      {"\xE9", "v=\"\xE9\""},  // bytes above 0x7F unchanged
  };
  for (const auto& c : cases) EXPECT_EQ(AttributeText(c.value), c.expected) << c.value;
}

TEST(XMLAttribute, NumberValuesUseFifteenDigitsClassicLocale) {
  std::unique_ptr<XMLAttribute> a(XMLAttribute::Create("n", 0.1));
  EXPECT_EQ(a->GetValue(), "0.1");
  std::unique_ptr<XMLAttribute> b(XMLAttribute::Create("n", 1.0 / 3.0));
  EXPECT_EQ(b->GetValue(), "0.333333333333333");
  std::unique_ptr<XMLAttribute> c(XMLAttribute::Create("n", 1e20));
  EXPECT_EQ(c->GetValue(), "1e+20");
  // No missing-value test: the number itself.
  std::unique_ptr<XMLAttribute> m(XMLAttribute::Create("n", KzCommon_1_2::KzMV::gMissingValue));
  EXPECT_EQ(m->GetValue(), "-1.79769313486232e+308");
}

TEST(XMLAttribute, CloneAndAssignmentCopyFields) {
  std::unique_ptr<XMLAttribute> a(XMLAttribute::Create("n", "a&b"));
  std::unique_ptr<XMLAttribute> c(a->Clone());
  EXPECT_EQ(Render(*c), "n=\"a&amp;b\"");
  std::unique_ptr<XMLAttribute> d(XMLAttribute::Create("m", "z"));
  *d = *a;
  EXPECT_EQ(d->GetName(), "n");
  EXPECT_EQ(d->GetValue(), "a&b");
  EXPECT_EQ(Stream(*a), Render(*a));
}

TEST(XMLString, EscapesOnlyAmpersandAndLessThanAndEndsTheLine) {
  std::unique_ptr<XMLString> s(XMLString::Create("a<b&c>d\"e'"));
  ExportFormat f;
  std::string out;
  s->ToString(out, f);
  EXPECT_EQ(out, "a&lt;b&amp;c>d\"e'");
  EXPECT_FALSE(f.IsNewParagraph());
  EXPECT_FALSE(f.HasIndentation());
}

TEST(XMLString, WellFormednessGuards) {
  // "]]>" may not appear in character data, and a raw CR would be read as LF.
  std::unique_ptr<XMLString> s(XMLString::Create("x]]>y]>z]] >\r\n"));
  EXPECT_EQ(Render(*s), "x]]&gt;y]>z]] >&#13;\n");
}

TEST(XMLDocType, PrologWithAndWithoutInternalSubset) {
  std::unique_ptr<XMLDocType> d(XMLDocType::Create("KzXMLRoot", "savexml.dtd", 7));
  EXPECT_EQ(Render(*d),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
            "<!DOCTYPE KzXMLRoot SYSTEM \"savexml.dtd\">\n");
  EXPECT_EQ(d->AddExtension("A"), 2);
  EXPECT_EQ(d->AddExtension("B"), 4);
  EXPECT_EQ(Render(*d, false),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
            "<!DOCTYPE KzXMLRoot SYSTEM \"savexml.dtd\"\n[\nA\nB\n]>\n");
  std::unique_ptr<XMLDocType> c(d->Clone());
  EXPECT_EQ(Render(*c), Render(*d));
  EXPECT_EQ(c->GetTag(), 7);
  std::unique_ptr<XMLDocType> e(XMLDocType::Create("x", "y", 1));
  *e = *d;
  EXPECT_EQ(Render(*e), Render(*d));
  EXPECT_EQ(Stream(*d), Render(*d));
}

TEST(XMLElement, WorkedExamples) {
  const auto a = WorkedExampleTree();
  EXPECT_EQ(Render(*a), "\n<a\n\tx=\"1\">\n\t<b>t</b>\n</a>");
  EXPECT_EQ(Render(*a, false), "<a x=\"1\"><b>t</b></a>");

  std::unique_ptr<XMLElement> c(XMLElement::Create("c"));
  c->AddAttribute("y", "2");
  c->AddAttribute(XMLAttribute::Create("z", "3"));
  EXPECT_EQ(Render(*c, true, 1), "\n\t<c\n\t\ty=\"2\"\n\t\tz=\"3\"/>");
}

TEST(XMLElement, EmptyElement) {
  std::unique_ptr<XMLElement> e(XMLElement::Create("e"));
  EXPECT_EQ(Render(*e), "\n<e/>");
  EXPECT_EQ(Render(*e, true, 2), "\n\t\t<e/>");
  EXPECT_EQ(Render(*e, false, 2), "<e/>");
}

TEST(XMLElement, MixedContentAndDuplicateAttributes) {
  std::unique_ptr<XMLElement> r(XMLElement::Create("r"));
  r->AddAttribute("k", "1");
  r->AddAttribute("k", 2.5);
  EXPECT_EQ(r->AddElement(XMLString::Create("x")), 1);
  EXPECT_EQ(r->AddElement(XMLElement::Create("e")), 2);  // text and elements count together
  EXPECT_EQ(r->AddElement(XMLString::Create("y")), 3);
  XMLElement* f = XMLElement::Create("f");
  f->AddElement(XMLElement::Create("g"));
  EXPECT_EQ(r->AddElement(f), 4);
  // After a text node the next element continues on the same line, and so
  // does that element's first child; the end of any element switches the line
  // feed and indentation on again.
  EXPECT_EQ(Render(*r), "\n<r\n\tk=\"1\"\n\tk=\"2.5\">x<e/>y<f><g/>\n\t</f>\n</r>");
  EXPECT_EQ(Render(*r, false), "<r k=\"1\" k=\"2.5\">x<e/>y<f><g/></f></r>");
}

TEST(XMLElement, LevelReturnsAndRenderingRepeats) {
  const auto a = WorkedExampleTree();
  ExportFormat f;
  f.SetLevel(3);
  std::string once;
  a->ToString(once, f);
  EXPECT_EQ(f.GetLevel(), 3);
  EXPECT_TRUE(f.IsNewParagraph());
  EXPECT_EQ(Render(*a), Render(*a));
}

TEST(XMLElement, CloneAndCopyAreDeep) {
  auto a = WorkedExampleTree();
  std::unique_ptr<XMLElement> c(a->Clone());
  XMLElement copy(*a);
  const std::string expected = Render(*a);
  a.reset();  // the copies own their own nodes
  EXPECT_EQ(Render(*c), expected);
  EXPECT_EQ(Render(copy), expected);
}

TEST(XMLElement, NullAndSelfAreIgnored) {
  std::unique_ptr<XMLElement> e(XMLElement::Create("e"));
  EXPECT_EQ(e->AddElement(static_cast<XMLElement*>(nullptr)), 0);
  EXPECT_EQ(e->AddElement(static_cast<XMLString*>(nullptr)), 0);
  EXPECT_EQ(e->AddElement(e.get()), 0);
  e->AddAttribute(static_cast<XMLAttribute*>(nullptr));
  EXPECT_EQ(e->GetNumberOfAttributes(), 0u);
  EXPECT_EQ(Render(*e), "\n<e/>");
}

// A caller's element class with its own rendering.
class Marker : public XMLElement {
 public:
  Marker() : XMLElement("m") {}
  int ToString(std::string& out, ExportFormat& format) const override {
    out += "<MARK/>";
    format.SetIsNewParagraph(true);
    return 0;
  }
};

TEST(XMLElement, SubclassChildrenRenderThemselves) {
  std::unique_ptr<XMLElement> p(XMLElement::Create("p"));
  p->AddElement(XMLString::Create("t"));
  p->AddElement(new Marker());
  p->AddElement(XMLElement::Create("e"));
  // The marker switched the line feed on again but not the indentation.
  EXPECT_EQ(Render(*p), "\n<p>t<MARK/>\n<e/>\n</p>");
  EXPECT_EQ(Stream(*p), Render(*p));
  std::unique_ptr<XMLElement> c(p->Clone());  // Clone of the base: plain "m"
  EXPECT_EQ(Render(*c), "\n<p>t<m/>\n\t<e/>\n</p>");
}

TEST(XMLElement, StreamEqualsStringIncludingBlockBoundaries) {
  // Enough content to cross several stream blocks, with multibyte text.
  std::unique_ptr<XMLElement> r(XMLElement::Create("r"));
  for (int i = 0; i < 20000; ++i) {
    XMLElement* e = XMLElement::Create("item");
    e->AddAttribute("i", static_cast<double>(i));
    e->AddElement(XMLString::Create("caf\xC3\xA9 & <x>"));
    r->AddElement(e);
  }
  // One element larger than a stream block.
  XMLElement* big = XMLElement::Create("big");
  big->AddAttribute("v", std::string(200000, 'v') + "&");
  big->AddElement(XMLString::Create(std::string(300000, 't') + "<"));
  r->AddElement(big);
  for (bool format : {true, false}) {
    EXPECT_EQ(Stream(*r, format), Render(*r, format));
  }
}

TEST(AddDoubleArrayText, NumbersMissingAndNothing) {
  std::unique_ptr<XMLElement> e(XMLElement::Create("Array"));
  const double v[] = {1.0, 0.1, KzCommon_1_2::KzMV::gMissingValue, -2.5e-7, 1.0 / 3.0};
  AddDoubleArrayText(*e, v, 5);
  EXPECT_EQ(Render(*e, false), "<Array>1 0.1 NaN -2.5e-07 0.333333333333333</Array>");
  AddDoubleArrayText(*e, nullptr, 3);
  AddDoubleArrayText(*e, v, 0);
  EXPECT_EQ(e->GetNumberOfChildren(), 1u);
}

}  // namespace
