#ifndef KZCOMMON12R_XML_XMLINTERFACE_H
#define KZCOMMON12R_XML_XMLINTERFACE_H

#include <iosfwd>
#include <string>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/xml/ExportFormat.h"

namespace KzXML_1_2 {

/// Abstract XML node. Nodes are created on the heap by their static `Create`
/// factories or by `Clone`, and are destroyed through this virtual destructor.
class KZ_EXPORT XMLInterface {
 public:
  XMLInterface() = default;
  XMLInterface(const XMLInterface&) = default;
  XMLInterface& operator=(const XMLInterface&) = default;
  virtual ~XMLInterface();

  /// Appends the node's text to `out`, updating `format`. Returns 0.
  virtual int ToString(std::string& out, ExportFormat& format) const = 0;
  /// Writes the same bytes as `ToString` followed by `Write` (utf8 false) or
  /// `WriteUTF` (utf8 true) of the whole text. Returns 0.
  virtual int ToStream(std::ostream& os, ExportFormat& format, bool utf8) const = 0;
  /// A new deep copy, owned by the caller.
  virtual XMLInterface* Clone() const = 0;
};

}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_XML_XMLINTERFACE_H
