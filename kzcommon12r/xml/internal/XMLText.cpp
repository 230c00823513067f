// Conversion of the process's narrow text to UTF-8. The narrow character set
// is the locale's (nl_langinfo(CODESET)):
// - UTF-8: well-formed sequences (Unicode 15, section 3.9, table 3-7) pass
//   unchanged; every byte that starts no well-formed sequence becomes U+FFFD;
// - C/POSIX (ASCII): well-formed UTF-8 passes unchanged, so text that already
//   is UTF-8 is never encoded twice; every other byte is a Windows-1252
//   character (0xE9 gives C3 A9);
// - any other set: iconv, each unconvertible byte becoming U+FFFD.
// No byte is ever dropped, so a failed conversion cannot leave a document
// malformed. Clean runs are written straight from the input.
#include "kzcommon12r/xml/internal/XMLText.h"

#include "kzcommon12r/xml/internal/XMLEscape.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <utility>

namespace KzXML_1_2 {
namespace internal {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// Code points of the bytes 0x80..0x9F in Windows-1252. The five bytes the code
// page leaves undefined map to the C1 control of the same value, as the
// platform conversion of that code page does.
constexpr std::uint16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

size_t EncodeUtf8(std::uint32_t cp, char* out) {
  if (cp < 0x80) {
    out[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    out[0] = static_cast<char>(0xC0 | (cp >> 6));
    out[1] = static_cast<char>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (cp >> 12));
    out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (cp & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (cp >> 18));
  out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (cp & 0x3F));
  return 4;
}

namespace {

// Length of the well-formed UTF-8 sequence at p (Unicode 15, table 3-7: no
// overlong forms, no surrogates, nothing above U+10FFFF), or 0.
size_t ValidSequenceLength(const unsigned char* p, size_t n) {
  const unsigned c = p[0];
  if (c < 0x80) return 1;
  if (c < 0xC2) return 0;
  if (c < 0xE0) return (n >= 2 && (p[1] & 0xC0) == 0x80) ? 2 : 0;
  if (c < 0xF0) {
    const unsigned lo = c == 0xE0 ? 0xA0 : 0x80;
    const unsigned hi = c == 0xED ? 0x9F : 0xBF;
    return (n >= 3 && p[1] >= lo && p[1] <= hi && (p[2] & 0xC0) == 0x80) ? 3 : 0;
  }
  if (c < 0xF5) {
    const unsigned lo = c == 0xF0 ? 0x90 : 0x80;
    const unsigned hi = c == 0xF4 ? 0x8F : 0xBF;
    return (n >= 4 && p[1] >= lo && p[1] <= hi && (p[2] & 0xC0) == 0x80 &&
            (p[3] & 0xC0) == 0x80)
               ? 4
               : 0;
  }
  return 0;
}

enum class NarrowKind { kUtf8, kPlainC, kOther };

// Compares a character-set name with a canonical one, ignoring case, '-' and '_'.
bool SameCharset(const char* name, const char* canonical) {
  for (;;) {
    while (*name == '-' || *name == '_') ++name;
    if (*name == '\0' || *canonical == '\0') return *name == *canonical;
    char a = *name;
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
    if (a != *canonical) return false;
    ++name;
    ++canonical;
  }
}

NarrowKind ClassifyCharset(const char* name) {
  if (name == nullptr || *name == '\0') return NarrowKind::kPlainC;
  if (SameCharset(name, "UTF8")) return NarrowKind::kUtf8;
  if (SameCharset(name, "ANSIX3.41968") || SameCharset(name, "ASCII") ||
      SameCharset(name, "USASCII"))
    return NarrowKind::kPlainC;
  return NarrowKind::kOther;
}

// Passes well-formed UTF-8 through unchanged and replaces every other byte:
// by U+FFFD under a UTF-8 locale, by its Windows-1252 character under the
// C/POSIX locale (whose ASCII would otherwise lose every byte above 0x7F).
// Valid runs are handed to `out` whole, so clean text is never copied.
template <class Out>
void ConvertUtf8OrWindows1252(const char* text, size_t n, bool windows1252, Out& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  size_t start = 0;
  size_t i = 0;
  while (i < n) {
    // ASCII eight bytes at a time.
    while (i + 8 <= n) {
      std::uint64_t w;
      std::memcpy(&w, p + i, 8);
      if (w & 0x8080808080808080ull) break;
      i += 8;
    }
    if (i >= n) break;
    const size_t len = ValidSequenceLength(p + i, n - i);
    if (len > 0) {
      i += len;
      continue;
    }
    out(text + start, i - start);
    if (windows1252) {
      const unsigned c = p[i];
      const std::uint32_t cp = c < 0xA0 ? kWindows1252High[c - 0x80] : c;
      char buf[4];
      out(buf, EncodeUtf8(cp, buf));
    } else {
      out(kReplacement, 3);
    }
    ++i;
    start = i;
  }
  out(text + start, n - start);
}

// One converter per thread, reopened when the locale's character set changes.
struct IconvCache {
  std::string name;
  iconv_t cd = reinterpret_cast<iconv_t>(-1);
  ~IconvCache() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
  iconv_t Get(const char* charset) {
    if (cd == reinterpret_cast<iconv_t>(-1) || name != charset) {
      if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
      name = charset;
      cd = iconv_open("UTF-8", charset);
    }
    return cd;
  }
};

// Any other character set goes through iconv; a byte it cannot convert
// becomes U+FFFD and the conversion goes on behind it, so no text is dropped.
template <class Out>
void ConvertIconv(iconv_t cd, const char* text, size_t n, Out& out) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(text);
  size_t inLeft = n;
  char buf[4096];
  while (inLeft > 0) {
    char* o = buf;
    size_t oLeft = sizeof buf;
    const size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    const int err = errno;
    out(buf, static_cast<size_t>(o - buf));
    if (r == static_cast<size_t>(-1) && err != E2BIG) {
      out(kReplacement, 3);
      ++in;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  char* o = buf;
  size_t oLeft = sizeof buf;
  iconv(cd, nullptr, nullptr, &o, &oLeft);
  out(buf, static_cast<size_t>(o - buf));
}

template <class Out>
void ConvertNarrow(const char* text, size_t n, Out& out) {
  if (n == 0) return;
  const char* charset = nl_langinfo(CODESET);
  switch (ClassifyCharset(charset)) {
    case NarrowKind::kUtf8:
      ConvertUtf8OrWindows1252(text, n, false, out);
      return;
    case NarrowKind::kPlainC:
      ConvertUtf8OrWindows1252(text, n, true, out);
      return;
    case NarrowKind::kOther: {
      thread_local IconvCache cache;
      const iconv_t cd = cache.Get(charset);
      if (cd == reinterpret_cast<iconv_t>(-1)) {
        // A character set iconv does not know: treat the bytes as under C.
        ConvertUtf8OrWindows1252(text, n, true, out);
      } else {
        ConvertIconv(cd, text, n, out);
      }
      return;
    }
  }
}

}  // namespace

void AppendAttributeEscaped(std::string& out, const std::string& value) {
  StringOut o(out);
  PutAttributeValue(o, value.data(), value.size());
}

void AppendAttribute(std::string& out, const std::string& name, const std::string& value) {
  StringOut o(out);
  PutAttribute(o, name, value);
}

void AppendTextEscaped(std::string& out, const std::string& text) {
  StringOut o(out);
  PutText(o, text.data(), text.size());
}

void AppendG(std::string& out, double x, int digits) {
  // to_chars with general format and a precision is printf's "%.*g" in the
  // C locale, without consulting the process locale.
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, digits);
  out.append(buf, static_cast<size_t>(r.ptr - buf));
}

void AppendInteger(std::string& out, long long n) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, n);
  out.append(buf, static_cast<size_t>(r.ptr - buf));
}

int WriteNodeText(std::ostream& os, const std::string& text, bool utf8) {
  if (utf8) {
    WriteBytesAsUtf8(os, text.data(), text.size());
  } else {
    WriteBytes(os, text.data(), text.size());
  }
  return 0;
}

void WriteBytes(std::ostream& os, const char* p, size_t n) {
  if (n > 0) os.write(p, static_cast<std::streamsize>(n));
}

void WriteBytesAsUtf8(std::ostream& os, const char* p, size_t n) {
  auto out = [&os](const char* q, size_t m) { WriteBytes(os, q, m); };
  ConvertNarrow(p, n, out);
}

void AppendAsUtf8(std::string& s, const char* p, size_t n) {
  auto out = [&s](const char* q, size_t m) { s.append(q, m); };
  ConvertNarrow(p, n, out);
}

StreamBlockOut::StreamBlockOut(std::ostream& os, bool utf8)
    : m_os(os), m_utf8(utf8), m_data(new char[kBlockBytes * 2]), m_capacity(kBlockBytes * 2) {}

void StreamBlockOut::Grow(size_t n) {
  size_t capacity = m_capacity * 2;
  if (capacity - m_size < n) capacity = m_size + n;
  std::unique_ptr<char[]> data(new char[capacity]);
  std::memcpy(data.get(), m_data.get(), m_size);
  m_data = std::move(data);
  m_capacity = capacity;
}

void StreamBlockOut::Flush() {
  if (m_utf8) {
    WriteBytesAsUtf8(m_os, m_data.get(), m_size);
  } else {
    WriteBytes(m_os, m_data.get(), m_size);
  }
  m_size = 0;
}

}  // namespace internal
}  // namespace KzXML_1_2
