#ifndef KZCOMMON12R_XML_EXPORTFORMAT_H
#define KZCOMMON12R_XML_EXPORTFORMAT_H

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzXML_1_2 {

/// Layout state of one rendering of an XML tree: whether the next node starts
/// a new line, whether it is indented, the master pretty-printing switch and the
/// nesting depth (one tab per level). Rendering changes it, so one format object
/// serves one rendering.
class KZ_EXPORT ExportFormat {
 public:
  /// New line, indentation and pretty printing on; level 0.
  ExportFormat() = default;
  ExportFormat(const ExportFormat&) = default;
  ExportFormat& operator=(const ExportFormat&) = default;

  /// Master switch: false writes the whole tree on one line, no tabs.
  void SetFormat(bool format) { m_format = format; }
  void SetIndentation(bool indentation) { m_indentation = indentation; }
  void SetIsNewParagraph(bool isNewParagraph) { m_isNewParagraph = isNewParagraph; }

  /// format && isNewParagraph: the next node starts with a line feed.
  bool IsNewParagraph() const { return m_format && m_isNewParagraph; }
  /// format && indentation: the next node is indented by `level` tabs.
  bool HasIndentation() const { return m_format && m_indentation; }

  bool GetFormat() const { return m_format; }
  /// Current nesting depth (0 at the root).
  int GetLevel() const { return m_level; }
  void SetLevel(int level) { m_level = level; }

 private:
  bool m_isNewParagraph = true;
  bool m_indentation = true;
  bool m_format = true;
  int m_level = 0;
};

}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_XML_EXPORTFORMAT_H
