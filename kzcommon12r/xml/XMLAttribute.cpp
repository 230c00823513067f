#include "kzcommon12r/xml/XMLAttribute.h"

#include <utility>

#include "kzcommon12r/xml/XMLWriter.h"
#include "kzcommon12r/xml/internal/XMLText.h"

namespace KzXML_1_2 {

XMLAttribute::XMLAttribute(std::string name, std::string value)
    : m_name(std::move(name)), m_value(std::move(value)) {}

XMLAttribute::~XMLAttribute() = default;

XMLAttribute* XMLAttribute::Create(const std::string& name, const std::string& value) {
  return new XMLAttribute(name, value);
}

XMLAttribute* XMLAttribute::Create(const std::string& name, double value) {
  return new XMLAttribute(name, Format(value, false, nullptr));
}

int XMLAttribute::ToString(std::string& out, ExportFormat& /*format*/) const {
  internal::AppendAttribute(out, m_name, m_value);
  return 0;
}

int XMLAttribute::ToStream(std::ostream& os, ExportFormat& format, bool utf8) const {
  std::string text;
  ToString(text, format);
  return internal::WriteNodeText(os, text, utf8);
}

XMLAttribute* XMLAttribute::Clone() const { return new XMLAttribute(*this); }

}  // namespace KzXML_1_2
