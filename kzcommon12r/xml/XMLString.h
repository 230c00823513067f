#ifndef KZCOMMON12R_XML_XMLSTRING_H
#define KZCOMMON12R_XML_XMLSTRING_H

#include <string>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/xml/XMLInterface.h"

namespace KzXML_1_2 {

/// One text node holding unescaped character data.
class KZ_EXPORT XMLString final : public XMLInterface {
 public:
  /// New text node owned by the caller.
  static XMLString* Create(const std::string& text);

  XMLString& operator=(const XMLString&) = default;
  ~XMLString() override;

  /// Appends the text with "&" as "&amp;" and "<" as "&lt;" (plus the two
  /// well-formedness guards: ">" of "]]>" as "&gt;", CR as "&#13;"), then
  /// switches the format's new line and indentation off. Returns 0.
  int ToString(std::string& out, ExportFormat& format) const override;
  int ToStream(std::ostream& os, ExportFormat& format, bool utf8) const override;
  XMLString* Clone() const override;

  const std::string& GetText() const { return m_text; }

 private:
  explicit XMLString(std::string text);
  XMLString(const XMLString&) = default;

  std::string m_text;
};

}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_XML_XMLSTRING_H
