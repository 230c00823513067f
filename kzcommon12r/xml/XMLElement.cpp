#include "kzcommon12r/xml/XMLElement.h"

#include <climits>
#include <memory>
#include <typeinfo>
#include <utility>

#include "kzcommon12r/common/KzMV.h"
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

// One pass over the subtree appending to `out`. Children of exactly the
// library's element and text classes are rendered here without a virtual call;
// any other node (a subclass of XMLElement) renders through its own ToString.
// With a sink, the buffer is handed on behind each element's closing ">", so
// streaming a large tree keeps memory to one block and never cuts a multibyte
// character.
void XMLElement::Render(std::string& out, ExportFormat& format,
                        internal::XMLChunkSink* sink) const {
  const int level = format.GetLevel();
  if (format.IsNewParagraph()) out += '\n';
  if (format.HasIndentation()) out.append(static_cast<size_t>(level), '\t');
  out += '<';
  out += m_name;
  if (!m_attributes.empty()) {
    format.SetLevel(level + 1);
    for (const XMLAttribute* a : m_attributes) {
      out += format.IsNewParagraph() ? '\n' : ' ';
      if (format.HasIndentation()) out.append(static_cast<size_t>(level) + 1, '\t');
      internal::AppendAttribute(out, a->GetName(), a->GetValue());
    }
    format.SetLevel(level);
  }
  if (!m_children.empty()) {
    out += '>';
    format.SetLevel(level + 1);
    for (const XMLInterface* c : m_children) {
      const std::type_info& type = typeid(*c);
      if (type == typeid(XMLElement)) {
        static_cast<const XMLElement*>(c)->Render(out, format, sink);
      } else if (type == typeid(XMLString)) {
        internal::AppendTextEscaped(out, static_cast<const XMLString*>(c)->GetText());
        format.SetIsNewParagraph(false);
        format.SetIndentation(false);
      } else {
        c->ToString(out, format);
      }
    }
    format.SetLevel(level);
    if (format.IsNewParagraph()) out += '\n';
    if (format.HasIndentation()) out.append(static_cast<size_t>(level), '\t');
    out += "</";
    out += m_name;
    out += '>';
  } else {
    out += "/>";
  }
  format.SetIsNewParagraph(true);
  format.SetIndentation(true);
  if (sink != nullptr) sink->MaybeFlush(out);
}

int XMLElement::ToString(std::string& out, ExportFormat& format) const {
  Render(out, format, nullptr);
  return 0;
}

int XMLElement::ToStream(std::ostream& os, ExportFormat& format, bool utf8) const {
  internal::XMLChunkSink sink(os, utf8);
  std::string buffer;
  buffer.reserve(internal::XMLChunkSink::kBlockBytes + 4096);
  Render(buffer, format, &sink);
  sink.Flush(buffer);
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
