#include "kzcommon12r/xml/XMLDocType.h"

#include <climits>
#include <utility>

#include "kzcommon12r/xml/internal/XMLText.h"

namespace KzXML_1_2 {

XMLDocType::XMLDocType(std::string name, std::string systemId, std::int32_t tag)
    : m_name(std::move(name)), m_systemId(std::move(systemId)), m_tag(tag) {}

XMLDocType::~XMLDocType() = default;

XMLDocType* XMLDocType::Create(const std::string& name, const std::string& systemId,
                               long tag) {
  // The tag is a 32-bit quantity; the low 32 bits of a wider long are kept.
  return new XMLDocType(name, systemId, static_cast<std::int32_t>(tag));
}

int XMLDocType::AddExtension(const std::string& text) {
  m_extension += '\n';
  m_extension += text;
  return m_extension.size() > static_cast<size_t>(INT_MAX) ? INT_MAX
                                                           : static_cast<int>(m_extension.size());
}

int XMLDocType::ToString(std::string& out, ExportFormat& /*format*/) const {
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<!DOCTYPE ";
  out += m_name;
  out += " SYSTEM \"";
  out += m_systemId;
  out += '"';
  if (!m_extension.empty()) {
    out += "\n[";
    out += m_extension;
    out += "\n]";
  }
  out += ">\n";
  return 0;
}

int XMLDocType::ToStream(std::ostream& os, ExportFormat& format, bool utf8) const {
  std::string text;
  ToString(text, format);
  return internal::WriteNodeText(os, text, utf8);
}

XMLDocType* XMLDocType::Clone() const { return new XMLDocType(*this); }

}  // namespace KzXML_1_2
