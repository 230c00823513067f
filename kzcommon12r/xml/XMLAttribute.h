#ifndef KZCOMMON12R_XML_XMLATTRIBUTE_H
#define KZCOMMON12R_XML_XMLATTRIBUTE_H

#include <string>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/xml/XMLInterface.h"

namespace KzXML_1_2 {

/// One attribute: a name (written unchanged) and an unescaped value.
class KZ_EXPORT XMLAttribute final : public XMLInterface {
 public:
  /// New attribute owned by the caller; `value` is stored unchanged.
  static XMLAttribute* Create(const std::string& name, const std::string& value);
  /// New attribute whose value is `Format(value, false, nullptr)`: 15 significant
  /// digits, classic locale. No missing-value test: callers test it themselves.
  static XMLAttribute* Create(const std::string& name, double value);

  XMLAttribute& operator=(const XMLAttribute&) = default;
  ~XMLAttribute() override;

  /// Appends name="escaped value" (& < > " tab LF CR as entities, runs of
  /// spaces as " &#32;" pairs, leading/trailing space as "&#32;"). Returns 0.
  int ToString(std::string& out, ExportFormat& format) const override;
  int ToStream(std::ostream& os, ExportFormat& format, bool utf8) const override;
  XMLAttribute* Clone() const override;

  const std::string& GetName() const { return m_name; }
  const std::string& GetValue() const { return m_value; }

 private:
  XMLAttribute(std::string name, std::string value);
  XMLAttribute(const XMLAttribute&) = default;

  std::string m_name;
  std::string m_value;
};

}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_XML_XMLATTRIBUTE_H
