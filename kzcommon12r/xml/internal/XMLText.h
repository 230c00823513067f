#ifndef KZCOMMON12R_XML_INTERNAL_XMLTEXT_H
#define KZCOMMON12R_XML_INTERNAL_XMLTEXT_H

// Escaping, number text and narrow-to-UTF-8 conversion shared by the XML node
// classes and the writer functions. Not installed.

#include <cstddef>
#include <iosfwd>
#include <string>

namespace KzXML_1_2 {
namespace internal {

/// Appends name="value" with the value escaped as an attribute value.
void AppendAttribute(std::string& out, const std::string& name, const std::string& value);
/// Appends `value` escaped as an attribute value (without quotes).
void AppendAttributeEscaped(std::string& out, const std::string& value);
/// Appends character data with "&" and "<" escaped (and the "]]>" / CR guards).
void AppendTextEscaped(std::string& out, const std::string& text);

/// Appends "%.<digits>g" of x in the classic locale (locale-independent).
void AppendG(std::string& out, double x, int digits);
/// Appends the decimal digits of a 64-bit integer.
void AppendInteger(std::string& out, long long n);

/// Writes bytes to the stream buffer in one call (the stream's sentry decides
/// whether anything is written, as `put` would).
void WriteBytes(std::ostream& os, const char* p, size_t n);
/// Writes the bytes converted from the locale's narrow character set to UTF-8.
void WriteBytesAsUtf8(std::ostream& os, const char* p, size_t n);
/// Appends the bytes converted from the locale's narrow character set to UTF-8.
void AppendAsUtf8(std::string& out, const char* p, size_t n);

/// Block buffer between a renderer and a stream: the renderer appends to the
/// buffer and hands it over at element boundaries once it has grown past a
/// block, so a large tree never exists as a single string.
class XMLChunkSink {
 public:
  static constexpr size_t kBlockBytes = size_t{1} << 16;

  XMLChunkSink(std::ostream& os, bool utf8) : m_os(os), m_utf8(utf8) {}

  /// Writes and clears `buffer` when it holds at least a block. Call only at a
  /// position behind an ASCII byte, where no multibyte sequence is cut.
  void MaybeFlush(std::string& buffer) {
    if (buffer.size() >= kBlockBytes) Flush(buffer);
  }
  /// Writes and clears `buffer`.
  void Flush(std::string& buffer);

 private:
  std::ostream& m_os;
  bool m_utf8;
};

}  // namespace internal
}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_XML_INTERNAL_XMLTEXT_H
