// Random trees rendered by the library and parsed back by libxml2, an
// independent conforming parser: the output must be well-formed and carry the
// same names, attribute values and text; streaming must give the same bytes as
// rendering into a string.

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "XMLTestSupport.h"
#include "kzcommon12r/xml/XMLElement.h"
#include "kzcommon12r/xml/XMLString.h"
#include "kzcommon12r/xml/XMLWriter.h"

using namespace KzXML_1_2;

namespace {

// The tree as the test built it, to compare with what the parser returns.
struct Node {
  bool isText = false;
  std::string text;  // text node content, or element name
  std::vector<std::pair<std::string, std::string>> attributes;
  std::vector<Node> children;
};

class TreeMaker {
 public:
  explicit TreeMaker(unsigned seed) : m_gen(seed) {}

  std::string Name() {
    static const char first[] = "abcdefghijklmnopqrstuvwyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
    static const char rest[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_.-";
    std::string s(1, first[Pick(sizeof first - 1)]);  // no "x": "xml..." names are reserved
    const int len = static_cast<int>(Pick(8));
    for (int i = 0; i < len; ++i) s += rest[Pick(sizeof rest - 1)];
    return s;
  }

  // Every character the escaping handles, runs of spaces at either end, and
  // multibyte UTF-8.
  std::string Value(bool forText) {
    static const char* const pieces[] = {"&", "<", ">", "\"", "'", "\t", "\n", "\r", " ",
                                         "  ", "   ", "a", "Z", "9", "\xC3\xA9", "\xE2\x82\xAC",
                                         "&amp;", "]]>", "]", ";", "#", "=", "/"};
    std::string s;
    const int len = static_cast<int>(Pick(forText ? 12 : 10));
    for (int i = 0; i < len; ++i) s += pieces[Pick(sizeof pieces / sizeof pieces[0])];
    return s;
  }

  XMLElement* Element(Node& model, int depth) {
    model.text = Name();
    XMLElement* e = XMLElement::Create(model.text);
    const int nAttributes = static_cast<int>(Pick(4));
    for (int i = 0; i < nAttributes; ++i) {
      // Names unique within the element, as well-formedness requires.
      const std::string name = Name() + "_" + std::to_string(i);
      const std::string value = Value(false);
      e->AddAttribute(name, value);
      model.attributes.emplace_back(name, value);
    }
    const int nChildren = depth >= 5 ? 0 : static_cast<int>(Pick(6));
    for (int i = 0; i < nChildren; ++i) {
      Node child;
      if (Pick(3) == 0) {
        child.isText = true;
        child.text = Value(true);
        e->AddElement(XMLString::Create(child.text));
      } else {
        e->AddElement(Element(child, depth + 1));
      }
      model.children.push_back(std::move(child));
    }
    return e;
  }

 private:
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_gen); }
  std::mt19937 m_gen;
};

std::string RemoveWhitespace(const std::string& s) {
  std::string r;
  for (char c : s)
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') r += c;
  return r;
}

std::string Content(xmlNodePtr node) {
  xmlChar* c = xmlNodeGetContent(node);
  std::string s = c != nullptr ? reinterpret_cast<const char*>(c) : "";
  xmlFree(c);
  return s;
}

// Compares a parsed element with the model. Adjacent text nodes of the model
// are one text node after parsing; with pretty printing the parser also sees
// the line feeds and tabs of the layout, so text is then compared without
// whitespace.
void Compare(xmlNodePtr parsed, const Node& model, bool pretty, const std::string& where) {
  ASSERT_EQ(parsed->type, XML_ELEMENT_NODE) << where;
  ASSERT_EQ(reinterpret_cast<const char*>(parsed->name), model.text) << where;
  size_t i = 0;
  for (xmlAttrPtr a = parsed->properties; a != nullptr; a = a->next, ++i) {
    ASSERT_LT(i, model.attributes.size()) << where;
    EXPECT_EQ(reinterpret_cast<const char*>(a->name), model.attributes[i].first) << where;
    EXPECT_EQ(Content(reinterpret_cast<xmlNodePtr>(a)), model.attributes[i].second) << where;
  }
  EXPECT_EQ(i, model.attributes.size()) << where;

  std::vector<const Node*> elements;
  std::string modelText;
  for (const Node& c : model.children) {
    if (c.isText) {
      modelText += c.text;
    } else {
      elements.push_back(&c);
      modelText += '\x01';  // element boundary
    }
  }
  std::string parsedText;
  size_t k = 0;
  for (xmlNodePtr c = parsed->children; c != nullptr; c = c->next) {
    if (c->type == XML_TEXT_NODE) {
      parsedText += Content(c);
    } else {
      ASSERT_LT(k, elements.size()) << where;
      Compare(c, *elements[k], pretty, where + "/" + model.text);
      ++k;
      parsedText += '\x01';
    }
  }
  EXPECT_EQ(k, elements.size()) << where;
  if (pretty) {
    EXPECT_EQ(RemoveWhitespace(parsedText), RemoveWhitespace(modelText)) << where;
  } else {
    EXPECT_EQ(parsedText, modelText) << where;
  }
}

TEST(RandomTrees, StreamEqualsStringAndLibxml2ReadsTheSameTree) {
  KzXMLTest::ScopedLocale loc(LC_CTYPE, "C");
  for (unsigned seed = 1; seed <= 150; ++seed) {
    TreeMaker maker(seed);
    Node model;
    std::unique_ptr<XMLElement> root(maker.Element(model, 0));
    for (bool pretty : {true, false}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + (pretty ? " pretty" : " flat"));
      std::string text;
      ExportFormat f1;
      f1.SetFormat(pretty);
      root->ToString(text, f1);
      std::ostringstream raw, utf;
      ExportFormat f2, f3;
      f2.SetFormat(pretty);
      f3.SetFormat(pretty);
      root->ToStream(raw, f2, false);
      root->ToStream(utf, f3, true);
      EXPECT_EQ(raw.str(), text);
      std::ostringstream converted;
      WriteUTF(converted, text);
      EXPECT_EQ(utf.str(), converted.str());
      EXPECT_EQ(utf.str(), text);  // the model's text is UTF-8 already

      std::ostringstream doc;
      ASSERT_EQ(WriteTreeUTF8(doc, nullptr, root.get(), pretty), 0);
      const std::string bytes = doc.str();
      xmlDocPtr parsed = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "tree.xml",
                                       nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR |
                                                    XML_PARSE_NOWARNING);
      ASSERT_NE(parsed, nullptr) << "not well-formed:\n" << bytes;
      Compare(xmlDocGetRootElement(parsed), model, pretty, "");
      xmlFreeDoc(parsed);
    }
  }
}

}  // namespace
