#ifndef KZCOMMON12R_XML_INTERNAL_XMLESCAPE_H
#define KZCOMMON12R_XML_INTERNAL_XMLESCAPE_H

// The escaping rules as templates over the output, so the renderer writes
// into a std::string (ToString) or straight into a stream block (ToStream)
// with the same code and the same bytes. Not installed.
//
// An output type provides Append(const char*, size_t), Push(char) and
// Fill(size_t, char).

#include <array>
#include <cstddef>
#include <string>

namespace KzXML_1_2 {
namespace internal {

// Bytes that the attribute escaping replaces: & < > " tab LF CR space.
// Bytes that the text escaping looks at: & < > CR.
struct EscapeTables {
  std::array<bool, 256> attribute{};
  std::array<bool, 256> text{};
  constexpr EscapeTables() {
    for (unsigned char c : {'&', '<', '>', '"', '\t', '\n', '\r', ' '}) attribute[c] = true;
    for (unsigned char c : {'&', '<', '>', '\r'}) text[c] = true;
  }
};
inline constexpr EscapeTables kEscapeTables;

template <class Out, size_t N>
inline void PutLiteral(Out& out, const char (&text)[N]) {
  out.Append(text, N - 1);
}

// Attribute value escaping. Equivalent to these replace-all passes in order:
// & < > " tab LF CR to entities; each pair of spaces (left to right) to
// " &#32;"; a space first in the result to "&#32;"; then a space last to
// "&#32;". The passes touch disjoint characters, so one scan does them all.
template <class Out>
void PutAttributeValue(Out& out, const char* p, size_t n) {
  size_t i = 0;
  while (i < n) {
    size_t j = i;
    while (j < n && !kEscapeTables.attribute[static_cast<unsigned char>(p[j])]) ++j;
    out.Append(p + i, j - i);
    if (j == n) break;
    switch (p[j]) {
      case '&': PutLiteral(out, "&amp;"); break;
      case '<': PutLiteral(out, "&lt;"); break;
      case '>': PutLiteral(out, "&gt;"); break;
      case '"': PutLiteral(out, "&quot;"); break;
      case '\t': PutLiteral(out, "&#9;"); break;
      case '\n': PutLiteral(out, "&#10;"); break;
      case '\r': PutLiteral(out, "&#13;"); break;
      default: {
        // A run of spaces: kept by a normalising parser only as references.
        size_t k = j;
        while (k < n && p[k] == ' ') ++k;
        const size_t run = k - j;
        for (size_t m = 0; m + 1 < run; m += 2) {
          if (j + m == 0) {
            PutLiteral(out, "&#32;&#32;");
          } else {
            PutLiteral(out, " &#32;");
          }
        }
        if (run % 2 == 1) {
          const size_t last = k - 1;
          if (last == 0 || last == n - 1) {
            PutLiteral(out, "&#32;");
          } else {
            out.Push(' ');
          }
        }
        i = k;
        continue;
      }
    }
    i = j + 1;
  }
}

// name="value" with the value escaped.
template <class Out>
inline void PutAttribute(Out& out, const std::string& name, const std::string& value) {
  out.Append(name.data(), name.size());
  PutLiteral(out, "=\"");
  PutAttributeValue(out, value.data(), value.size());
  out.Push('"');
}

// Character data: "&" and "<" escaped. Two guards keep the document
// well-formed and faithful: ">" closing "]]>" (forbidden in character data)
// becomes "&gt;", and CR becomes "&#13;" (a parser reads a raw CR as LF).
template <class Out>
void PutText(Out& out, const char* p, size_t n) {
  size_t i = 0;
  while (i < n) {
    size_t j = i;
    while (j < n && !kEscapeTables.text[static_cast<unsigned char>(p[j])]) ++j;
    out.Append(p + i, j - i);
    if (j == n) break;
    switch (p[j]) {
      case '&': PutLiteral(out, "&amp;"); break;
      case '<': PutLiteral(out, "&lt;"); break;
      case '\r': PutLiteral(out, "&#13;"); break;
      default:
        if (j >= 2 && p[j - 1] == ']' && p[j - 2] == ']') {
          PutLiteral(out, "&gt;");
        } else {
          out.Push('>');
        }
        break;
    }
    i = j + 1;
  }
}

// Output into a caller's std::string.
class StringOut {
 public:
  explicit StringOut(std::string& s) : m_s(s) {}
  void Append(const char* p, size_t n) { m_s.append(p, n); }
  void Push(char c) { m_s.push_back(c); }
  void Fill(size_t n, char c) { m_s.append(n, c); }
  std::string& Str() { return m_s; }

 private:
  std::string& m_s;
};

}  // namespace internal
}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_XML_INTERNAL_XMLESCAPE_H
