#ifndef KZCOMMON12R_XML_XMLELEMENT_H
#define KZCOMMON12R_XML_XMLELEMENT_H

#include <cstddef>
#include <string>
#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/xml/XMLAttribute.h"
#include "kzcommon12r/xml/XMLInterface.h"
#include "kzcommon12r/xml/XMLString.h"

namespace KzXML_1_2 {

/// An element with its attributes and its children (elements and text nodes
/// mixed, in insertion order). The element owns everything added to it and
/// deletes, in its destructor, first the attributes and then the children.
class KZ_EXPORT XMLElement : public XMLInterface {
 public:
  /// New element without attributes or children, owned by the caller.
  static XMLElement* Create(const std::string& name);

  /// Deep copy, the same as `Clone`.
  XMLElement(const XMLElement& other);
  /// Copying would have to release or share owned nodes: not offered.
  XMLElement& operator=(const XMLElement&) = delete;
  ~XMLElement() override;

  /// Renders the element and its subtree (see `ExportFormat`): start tag with
  /// one attribute per line when pretty printing, children one level deeper,
  /// end tag, or "/>" without children. Returns 0.
  int ToString(std::string& out, ExportFormat& format) const override;
  /// Same bytes as `ToString` then one `Write`/`WriteUTF`, written in blocks.
  int ToStream(std::ostream& os, ExportFormat& format, bool utf8) const override;
  /// A new deep copy owned by the caller.
  XMLElement* Clone() const override;

  /// Appends a text child and takes ownership; returns the number of children.
  /// Null is ignored (count unchanged).
  virtual int AddElement(XMLString* text);
  /// Appends a child element and takes ownership; returns the number of
  /// children. Null and the element itself are ignored (count unchanged).
  virtual int AddElement(XMLElement* child);

  /// Appends an attribute and takes ownership; null is ignored. Duplicate
  /// names are kept and written again.
  void AddAttribute(XMLAttribute* attribute);
  /// Appends `XMLAttribute::Create(name, value)`.
  void AddAttribute(const std::string& name, const std::string& value);
  /// Appends `XMLAttribute::Create(name, value)` (15 significant digits).
  void AddAttribute(const std::string& name, double value);

  const std::string& GetName() const { return m_name; }
  size_t GetNumberOfAttributes() const { return m_attributes.size(); }
  size_t GetNumberOfChildren() const { return m_children.size(); }

 protected:
  explicit XMLElement(std::string name);

 private:
  // The one renderer behind ToString and ToStream; Out is a string or a
  // stream block (defined and instantiated in the source file only).
  template <class Out>
  void RenderTo(Out& out, ExportFormat& format) const;

  std::vector<XMLAttribute*> m_attributes;
  std::string m_name;
  std::vector<XMLInterface*> m_children;
};

/// Appends to `element` one text node holding the `count` numbers of `values`
/// separated by single spaces, each as `Format(x, false, nullptr)` and the
/// missing value as "NaN". Appends nothing when `values` is null or `count` 0.
KZ_EXPORT void AddDoubleArrayText(XMLElement& element, const double* values, size_t count);

}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_XML_XMLELEMENT_H
