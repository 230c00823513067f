#include "kzcommon12r/xml/XMLElement.h"

#include <climits>
#include <memory>
#include <typeinfo>
#include <utility>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/xml/internal/XMLEscape.h"
#include "kzcommon12r/xml/internal/XMLText.h"

namespace KzXML_1_2 {

namespace {

int CountAsInt(size_t n) { return n > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n); }

}  // namespace

XMLElement::XMLElement(std::string name) : m_name(std::move(name)) {}

XMLElement::XMLElement(const XMLElement& other) : XMLInterface(other), m_name(other.m_name) {
  // Built node by node; if a clone throws, the destructor of the partly built
  // element is not run, so release what was copied so far ourselves.
  try {
    m_attributes.reserve(other.m_attributes.size());
    for (const XMLAttribute* a : other.m_attributes) m_attributes.push_back(a->Clone());
    m_children.reserve(other.m_children.size());
    for (const XMLInterface* c : other.m_children) m_children.push_back(c->Clone());
  } catch (...) {
    for (XMLAttribute* a : m_attributes) delete a;
    for (XMLInterface* c : m_children) delete c;
    throw;
  }
}

XMLElement::~XMLElement() {
  for (XMLAttribute* a : m_attributes) delete a;
  for (XMLInterface* c : m_children) delete c;
}

XMLElement* XMLElement::Create(const std::string& name) { return new XMLElement(name); }

XMLElement* XMLElement::Clone() const { return new XMLElement(*this); }

int XMLElement::AddElement(XMLString* text) {
  if (text != nullptr) {
    std::unique_ptr<XMLString> owned(text);  // released only once stored
    m_children.push_back(owned.get());
    owned.release();
  }
  return CountAsInt(m_children.size());
}

int XMLElement::AddElement(XMLElement* child) {
  if (child != nullptr && child != this) {
    std::unique_ptr<XMLElement> owned(child);
    m_children.push_back(owned.get());
    owned.release();
  }
  return CountAsInt(m_children.size());
}

void XMLElement::AddAttribute(XMLAttribute* attribute) {
  if (attribute == nullptr) return;
  std::unique_ptr<XMLAttribute> owned(attribute);
  m_attributes.push_back(owned.get());
  owned.release();
}

void XMLElement::AddAttribute(const std::string& name, const std::string& value) {
  AddAttribute(XMLAttribute::Create(name, value));
}

void XMLElement::AddAttribute(const std::string& name, double value) {
  AddAttribute(XMLAttribute::Create(name, value));
}

namespace {

// Where the renderer may hand a full block on: only the stream output acts.
inline void AtElementBoundary(internal::StringOut& /*out*/) {}
inline void AtElementBoundary(internal::StreamBlockOut& out) { out.Boundary(); }

// Renders a node of a class the renderer does not know (a subclass of
// XMLElement) through its own virtual ToString.
inline void RenderForeign(internal::StringOut& out, const XMLInterface& node,
                          ExportFormat& format) {
  node.ToString(out.Str(), format);
}
inline void RenderForeign(internal::StreamBlockOut& out, const XMLInterface& node,
                          ExportFormat& format) {
  std::string text;
  node.ToString(text, format);
  out.Append(text.data(), text.size());
}

}  // namespace

// One pass over the subtree. Children of exactly the library's element and
// text classes are rendered here without a virtual call (the type_info
// objects are unique: both classes have their key function in this library;
// a mismatch merely takes the virtual path). Any other node renders through
// its own ToString.
template <class Out>
void XMLElement::RenderTo(Out& out, ExportFormat& format) const {
  const int level = format.GetLevel();
  if (format.IsNewParagraph()) out.Push('\n');
  if (format.HasIndentation()) out.Fill(static_cast<size_t>(level), '\t');
  out.Push('<');
  out.Append(m_name.data(), m_name.size());
  if (!m_attributes.empty()) {
    format.SetLevel(level + 1);
    for (const XMLAttribute* a : m_attributes) {
      out.Push(format.IsNewParagraph() ? '\n' : ' ');
      if (format.HasIndentation()) out.Fill(static_cast<size_t>(level) + 1, '\t');
      internal::PutAttribute(out, a->GetName(), a->GetValue());
    }
    format.SetLevel(level);
  }
  if (!m_children.empty()) {
    out.Push('>');
    format.SetLevel(level + 1);
    const std::type_info* const elementType = &typeid(XMLElement);
    const std::type_info* const textType = &typeid(XMLString);
    for (const XMLInterface* c : m_children) {
      const std::type_info* type = &typeid(*c);
      if (type == elementType) {
        static_cast<const XMLElement*>(c)->RenderTo(out, format);
      } else if (type == textType) {
        const std::string& text = static_cast<const XMLString*>(c)->GetText();
        internal::PutText(out, text.data(), text.size());
        format.SetIsNewParagraph(false);
        format.SetIndentation(false);
      } else {
        RenderForeign(out, *c, format);
      }
    }
    format.SetLevel(level);
    if (format.IsNewParagraph()) out.Push('\n');
    if (format.HasIndentation()) out.Fill(static_cast<size_t>(level), '\t');
    internal::PutLiteral(out, "</");
    out.Append(m_name.data(), m_name.size());
    out.Push('>');
  } else {
    internal::PutLiteral(out, "/>");
  }
  format.SetIsNewParagraph(true);
  format.SetIndentation(true);
  AtElementBoundary(out);
}

int XMLElement::ToString(std::string& out, ExportFormat& format) const {
  internal::StringOut o(out);
  RenderTo(o, format);
  return 0;
}

// Written block by block: a large tree never exists as one string, and the
// bytes are those of ToString followed by one Write/WriteUTF of the whole.
int XMLElement::ToStream(std::ostream& os, ExportFormat& format, bool utf8) const {
  internal::StreamBlockOut o(os, utf8);
  RenderTo(o, format);
  o.Flush();
  return 0;
}

void AddDoubleArrayText(XMLElement& element, const double* values, size_t count) {
  if (values == nullptr || count == 0) return;
  std::string text;
  text.reserve(count * 8);
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) text += ' ';
    if (KzCommon_1_2::KzMV::IsMissing(values[i])) {
      text += "NaN";
    } else {
      internal::AppendG(text, values[i], 15);
    }
  }
  element.AddElement(XMLString::Create(text));
}

}  // namespace KzXML_1_2
