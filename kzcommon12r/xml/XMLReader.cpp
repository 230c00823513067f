// Reader of the line-oriented object stream. Each function reads whole lines
// into a std::string (no length limit; a trailing CR from a CRLF file is
// dropped), splits them with a strtok-like tokenizer that keeps its state
// locally, decodes the entity and character references of string values in
// one pass, and converts numbers with strtoll / strtod_l in the C locale,
// clamping to the target range.
#include "kzcommon12r/xml/XMLReader.h"

#include <locale.h>

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/xml/internal/XMLText.h"

namespace KzXML_1_2 {

namespace {

constexpr std::string_view kTagDelims(" \t\r\n<>=\"", 9);      // prolog lines
constexpr std::string_view kObjDelims(" \t\r\n<=\"", 8);       // object start tag
constexpr std::string_view kValueDelims(" \t\r\n=<\"", 8);     // value line, numbers
constexpr std::string_view kEndDelims(" \t\r\n<>", 6);         // object end tag
constexpr std::string_view kQuote("\"", 1);
constexpr std::string_view kNameValueDelims("=\"", 2);
constexpr std::string_view kStringDelims("\r\n\"", 3);

// Reads one whole line, of any length, dropping a trailing CR left by a file
// written with CRLF line ends. False at the end of the input or on a failed
// stream.
bool ReadLine(std::ifstream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// Splits a line the way strtok does (skip leading delimiters, take the run up
// to the next delimiter, continue behind that delimiter; the delimiter set may
// change between calls) but keeps its state here and remembers where each
// token starts.
class LineTokenizer {
 public:
  explicit LineTokenizer(const std::string& line) : m_line(line) {}

  bool Next(std::string_view delims, std::string_view& token, size_t& start) {
    const size_t n = m_line.size();
    size_t p = m_pos;
    while (p < n && delims.find(m_line[p]) != std::string_view::npos) ++p;
    if (p >= n) {
      m_pos = n;
      return false;
    }
    size_t e = p;
    while (e < n && delims.find(m_line[e]) == std::string_view::npos) ++e;
    token = std::string_view(m_line).substr(p, e - p);
    start = p;
    m_pos = e < n ? e + 1 : n;
    return true;
  }

  bool Next(std::string_view delims, std::string_view& token) {
    size_t start = 0;
    return Next(delims, token, start);
  }

 private:
  const std::string& m_line;
  size_t m_pos = 0;
};

bool FirstTokenIs(std::ifstream& in, std::string_view delims, std::string_view word) {
  std::string line;
  if (!ReadLine(in, line)) return false;
  LineTokenizer tokens(line);
  std::string_view token;
  return tokens.Next(delims, token) && token == word;
}

// Reads a value line "<Type value="..."/>" and hands back token 3 (taken with
// `valueDelims`) and where it starts. False when the line cannot be read or
// its type word or attribute name differ; `hasValue` tells whether token 3
// exists.
bool ReadValueToken(std::ifstream& in, std::string_view type, std::string_view valueDelims,
                    std::string& line, std::string_view& value, size_t& start,
                    bool& hasValue) {
  if (!ReadLine(in, line)) return false;
  LineTokenizer tokens(line);
  std::string_view token;
  if (!tokens.Next(kValueDelims, token) || token != type) return false;
  if (!tokens.Next(kNameValueDelims, token) || token != "value") return false;
  hasValue = tokens.Next(valueDelims, value, start);
  return true;
}

// Token 3 of a numeric value line of this type; false when it is missing.
bool ReadNumberText(std::ifstream& in, std::string_view type, std::string& text) {
  std::string line;
  std::string_view token;
  size_t start = 0;
  bool has = false;
  if (!ReadValueToken(in, type, kValueDelims, line, token, start, has) || !has) return false;
  text.assign(token);
  return true;
}

// The classic ("C") locale for number conversions, whatever the process's
// numeric locale says about the decimal point.
locale_t ClassicLocale() {
  static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return loc;
}

// A whole token as a decimal integer, clamped to [lo, hi]. No atoi: its
// overflow is undefined and it takes "12abc" or "" as numbers.
bool ParseInteger(const std::string& text, long long lo, long long hi, long long& out) {
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(text.c_str(), &end, 10);  // ERANGE saturates
  if (end == text.c_str() || *end != '\0') return false;
  if (v < lo) v = lo;
  if (v > hi) v = hi;
  out = v;
  return true;
}

// A whole token as a double in the classic locale: decimal, hexadecimal, inf
// or nan. A decimal overflow gives +-DBL_MAX (not infinity); an underflow
// keeps strtod's subnormal or zero.
bool ParseDouble(const std::string& text, double& out) {
  char* end = nullptr;
  errno = 0;
  double v = strtod_l(text.c_str(), &end, ClassicLocale());
  if (end == text.c_str() || *end != '\0') return false;
  if (errno == ERANGE && std::isinf(v)) v = v > 0 ? DBL_MAX : -DBL_MAX;
  out = v;
  return true;
}

// The code point of a character reference body ("#65", "#x41"), or false.
bool CharacterReference(std::string_view body, std::uint32_t& cp) {
  if (body.size() < 2 || body[0] != '#') return false;
  const bool hex = body[1] == 'x' || body[1] == 'X';
  const size_t first = hex ? 2 : 1;
  if (first >= body.size()) return false;
  std::uint32_t v = 0;
  for (size_t i = first; i < body.size(); ++i) {
    const char c = body[i];
    unsigned d;
    if (c >= '0' && c <= '9') {
      d = static_cast<unsigned>(c - '0');
    } else if (hex && c >= 'a' && c <= 'f') {
      d = static_cast<unsigned>(c - 'a' + 10);
    } else if (hex && c >= 'A' && c <= 'F') {
      d = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return false;
    }
    v = v * (hex ? 16u : 10u) + d;
    if (v > 0x10FFFF) return false;
  }
  if (v == 0 || (v >= 0xD800 && v <= 0xDFFF)) return false;
  cp = v;
  return true;
}

// Undoes the attribute escaping in one left-to-right pass, so "&amp;lt;"
// becomes "&lt;" and never "<". References above U+007F come back as UTF-8.
// An "&" that starts no known reference is kept as it is.
std::string DecodeEntities(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const size_t amp = s.find('&', i);
    if (amp == std::string_view::npos) {
      out.append(s.substr(i));
      break;
    }
    out.append(s.substr(i, amp - i));
    i = amp + 1;
    const size_t semi = s.find(';', i);
    // The longest reference is "&#x10FFFF;"; allow leading zeros up to 16.
    if (semi == std::string_view::npos || semi - i > 16) {
      out += '&';
      continue;
    }
    const std::string_view body = s.substr(i, semi - i);
    std::uint32_t cp = 0;
    char c = 0;
    if (body == "amp") {
      c = '&';
    } else if (body == "lt") {
      c = '<';
    } else if (body == "gt") {
      c = '>';
    } else if (body == "quot") {
      c = '"';
    } else if (body == "apos") {
      c = '\'';
    } else if (!CharacterReference(body, cp)) {
      out += '&';
      continue;
    }
    if (c != 0) {
      out += c;
    } else {
      char utf8[4];
      out.append(utf8, internal::EncodeUtf8(cp, utf8));
    }
    i = semi + 1;
  }
  return out;
}

}  // namespace

bool ParseStartXML(std::ifstream& in) {
  return FirstTokenIs(in, kTagDelims, "?xml") && FirstTokenIs(in, kTagDelims, "!DOCTYPE") &&
         FirstTokenIs(in, kTagDelims, "KzXMLRoot");
}

bool ParseStartObj(std::ifstream& in, const std::string& name) {
  std::string line;
  if (!ReadLine(in, line)) return false;
  if (line.empty() && !ReadLine(in, line)) return false;
  LineTokenizer tokens(line);
  std::string_view token;
  if (!tokens.Next(kObjDelims, token) || token != "Obj") return false;
  if (!tokens.Next(kObjDelims, token) || token != "name") return false;
  return tokens.Next(kQuote, token) && token == name;
}

bool ParseValue(std::ifstream& in, int& out) {
  std::string text;
  long long v = 0;
  if (!ReadNumberText(in, "Int", text) || !ParseInteger(text, INT_MIN, INT_MAX, v)) return false;
  out = static_cast<int>(v);
  return true;
}

bool ParseValue(std::ifstream& in, unsigned int& out) {
  std::string text;
  double v = 0.0;
  if (!ReadNumberText(in, "Int", text) || !ParseDouble(text, v) || std::isnan(v)) return false;
  v = std::trunc(v);
  if (v < 0.0) v = 0.0;
  if (v > static_cast<double>(UINT_MAX)) v = static_cast<double>(UINT_MAX);
  out = static_cast<unsigned int>(v);
  return true;
}

bool ParseValue(std::ifstream& in, bool& out) {
  std::string text;
  long long v = 0;
  if (!ReadNumberText(in, "Int", text) || !ParseInteger(text, LLONG_MIN, LLONG_MAX, v) ||
      (v != 0 && v != 1))
    return false;
  out = v == 1;
  return true;
}

bool ParseValue(std::ifstream& in, long& out) {
  std::string text;
  long long v = 0;
  if (!ReadNumberText(in, "Long", text) || !ParseInteger(text, INT32_MIN, INT32_MAX, v))
    return false;
  out = static_cast<long>(v);
  return true;
}

bool ParseValue(std::ifstream& in, double& out) {
  std::string text;
  if (!ReadNumberText(in, "Double", text)) return false;
  if (text == "Missing") {
    out = KzCommon_1_2::KzMV::gMissingValue;
    return true;
  }
  double v = 0.0;
  if (!ParseDouble(text, v)) return false;
  out = v;
  return true;
}

bool ParseValue(std::ifstream& in, std::string& out) {
  std::string line;
  std::string_view token;
  size_t start = 0;
  bool has = false;
  if (!ReadValueToken(in, "String", kStringDelims, line, token, start, has)) return false;
  // The writer's empty value is value=""/>: token 3 is then "/>" right behind
  // the two quotes (a value "/>" itself stands behind a single quote).
  if (!has || (token == "/>" && start >= 2 && line[start - 1] == '"' && line[start - 2] == '"')) {
    out.clear();
    return true;
  }
  out = DecodeEntities(token);
  return true;
}

bool ParseEndObj(std::ifstream& in) { return FirstTokenIs(in, kEndDelims, "/Obj"); }

}  // namespace KzXML_1_2
