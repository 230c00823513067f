#ifndef KZCOMMON12R_XML_XMLOBJ_H
#define KZCOMMON12R_XML_XMLOBJ_H

#include <iosfwd>
#include <string>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzXML_1_2 {

/// Writer of one object of the object stream: an "Obj" element named after the
/// object's class at `nTabs` tabs, holding one typed value element per line one
/// tab deeper. Every element starts on a new line. All writers return 0 and
/// write the bytes unchanged (no character-set conversion).
class KZ_EXPORT XMLObj {
 public:
  XMLObj(std::string name, int nTabs);
  XMLObj(const XMLObj&) = default;
  XMLObj& operator=(const XMLObj&) = default;
  ~XMLObj();

  const std::string& GetName() const { return m_name; }
  int GetNTabs() const { return m_nTabs; }

  /// "\n", nTabs tabs, "<Obj name=\"" name "\">" (name not escaped).
  int StartObj(std::ostream& os) const;
  /// "\n", nTabs tabs, "</Obj>".
  int EndObj(std::ostream& os) const;

  /// "\n", nTabs+1 tabs, "<Int value=\"n\"/>".
  int WriteSubElement(std::ostream& os, int value) const;
  /// "<Int value=\"n\"/>" line.
  int WriteSubElement(std::ostream& os, unsigned int value) const;
  /// "<Int value=\"1\"/>" for true, "0" for false.
  int WriteSubElement(std::ostream& os, bool value) const;
  /// "<Long value=\"n\"/>" line (32-bit value).
  int WriteSubElement(std::ostream& os, long value) const;
  /// "<Double value=...\"/>" line: "Missing" for the missing value, else the
  /// shortest of "%.15g" and "%.17g" (classic locale) that reads back to the
  /// same double.
  int WriteSubElement(std::ostream& os, double value) const;
  /// "<String value=\"...\"/>" line, the value escaped as an attribute value.
  int WriteSubElement(std::ostream& os, const std::string& value) const;

 private:
  int WriteLine(std::ostream& os, const char* type, const std::string& value) const;

  std::string m_name;
  int m_nTabs = 0;
};

}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_XML_XMLOBJ_H
