#ifndef KZCOMMON12R_XML_XMLDOCTYPE_H
#define KZCOMMON12R_XML_XMLDOCTYPE_H

#include <cstdint>
#include <string>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/xml/XMLInterface.h"

namespace KzXML_1_2 {

/// The document prolog: the XML declaration and a document type declaration
/// naming the root element and the DTD file, with an optional internal subset.
class KZ_EXPORT XMLDocType final : public XMLInterface {
 public:
  /// New prolog owned by the caller, with an empty internal subset. `tag` is
  /// stored (32-bit) and copied but takes no part in the text.
  static XMLDocType* Create(const std::string& name, const std::string& systemId, long tag);

  XMLDocType& operator=(const XMLDocType&) = default;
  ~XMLDocType() override;

  /// Appends a line feed and `text` to the internal subset; returns its new
  /// length (saturated at INT_MAX).
  int AddExtension(const std::string& text);

  /// Appends "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<!DOCTYPE name SYSTEM
  /// \"systemId\"" then "\n[" subset "\n]" when there is a subset, then ">\n".
  /// Nothing is escaped; the format is not used. Returns 0.
  int ToString(std::string& out, ExportFormat& format) const override;
  int ToStream(std::ostream& os, ExportFormat& format, bool utf8) const override;
  XMLDocType* Clone() const override;

  const std::string& GetName() const { return m_name; }
  const std::string& GetSystemId() const { return m_systemId; }
  const std::string& GetExtension() const { return m_extension; }
  long GetTag() const { return m_tag; }

 private:
  XMLDocType(std::string name, std::string systemId, std::int32_t tag);
  XMLDocType(const XMLDocType&) = default;

  std::string m_name;
  std::string m_systemId;
  std::string m_extension;
  std::int32_t m_tag = 0;
};

}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_XML_XMLDOCTYPE_H
