#include "kzcommon12r/xml/XMLString.h"

#include <utility>

#include "kzcommon12r/xml/internal/XMLText.h"

namespace KzXML_1_2 {

XMLString::XMLString(std::string text) : m_text(std::move(text)) {}

XMLString::~XMLString() = default;

XMLString* XMLString::Create(const std::string& text) { return new XMLString(text); }

int XMLString::ToString(std::string& out, ExportFormat& format) const {
  internal::AppendTextEscaped(out, m_text);
  format.SetIsNewParagraph(false);
  format.SetIndentation(false);
  return 0;
}

int XMLString::ToStream(std::ostream& os, ExportFormat& format, bool utf8) const {
  std::string text;
  ToString(text, format);
  return internal::WriteNodeText(os, text, utf8);
}

XMLString* XMLString::Clone() const { return new XMLString(*this); }

}  // namespace KzXML_1_2
