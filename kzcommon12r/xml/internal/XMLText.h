#ifndef KZCOMMON12R_XML_INTERNAL_XMLTEXT_H
#define KZCOMMON12R_XML_INTERNAL_XMLTEXT_H

// Escaping, number text and narrow-to-UTF-8 conversion shared by the XML node
// classes and the writer functions. Not installed.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <memory>
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

/// Encodes a code point (at most U+10FFFF) as UTF-8 into out[0..3]; returns
/// the number of bytes.
size_t EncodeUtf8(std::uint32_t cp, char* out);

/// Writes a node's rendered text with `Write` (utf8 false) or `WriteUTF`.
int WriteNodeText(std::ostream& os, const std::string& text, bool utf8);

/// Writes bytes to the stream buffer in one call (the stream's sentry decides
/// whether anything is written, as `put` would).
void WriteBytes(std::ostream& os, const char* p, size_t n);
/// Writes the bytes converted from the locale's narrow character set to UTF-8.
void WriteBytesAsUtf8(std::ostream& os, const char* p, size_t n);
/// Appends the bytes converted from the locale's narrow character set to UTF-8.
void AppendAsUtf8(std::string& out, const char* p, size_t n);

/// Output straight into a block that is written to a stream (converted to
/// UTF-8 or not) whenever the renderer reaches an element boundary with at
/// least a block filled. Appends are inline copies; the block grows only for
/// an element whose own text exceeds it. A boundary always follows an ASCII
/// byte, so no multibyte character is ever cut.
class StreamBlockOut {
 public:
  static constexpr size_t kBlockBytes = size_t{1} << 16;

  StreamBlockOut(std::ostream& os, bool utf8);
  StreamBlockOut(const StreamBlockOut&) = delete;
  StreamBlockOut& operator=(const StreamBlockOut&) = delete;

  void Append(const char* p, size_t n) {
    if (n > m_capacity - m_size) Grow(n);
    std::memcpy(m_data.get() + m_size, p, n);
    m_size += n;
  }
  void Push(char c) {
    if (m_size == m_capacity) Grow(1);
    m_data[m_size++] = c;
  }
  void Fill(size_t n, char c) {
    if (n > m_capacity - m_size) Grow(n);
    std::memset(m_data.get() + m_size, c, n);
    m_size += n;
  }
  /// Called behind each element's closing ">".
  void Boundary() {
    if (m_size >= kBlockBytes) Flush();
  }
  /// Writes out and empties the block.
  void Flush();

 private:
  void Grow(size_t n);

  std::ostream& m_os;
  bool m_utf8;
  std::unique_ptr<char[]> m_data;
  size_t m_size = 0;
  size_t m_capacity = 0;
};

}  // namespace internal
}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_XML_INTERNAL_XMLTEXT_H
