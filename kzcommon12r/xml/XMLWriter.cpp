#include "kzcommon12r/xml/XMLWriter.h"

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <utility>
#include <vector>

#include "kzcommon12r/xml/ExportFormat.h"
#include "kzcommon12r/xml/XMLDocType.h"
#include "kzcommon12r/xml/XMLElement.h"
#include "kzcommon12r/xml/internal/XMLText.h"

namespace KzXML_1_2 {

namespace {

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n";

// True when `fmt` holds exactly one conversion, and that conversion prints a
// double: '%', flags, width digits, optionally '.' and precision digits, an
// optional 'l' (no effect on floating conversions), one of eEfFgGaA. "%%" is
// literal text. '*' (an int argument), %s, %n and the 'L' modifier are refused:
// printf would read arguments that are not there.
bool IsSingleFloatFormat(const char* fmt) {
  int conversions = 0;
  for (const char* p = fmt; *p != '\0'; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    while (*p != '\0' && std::strchr("-+ #0'", *p) != nullptr) ++p;
    while (*p >= '0' && *p <= '9') ++p;
    if (*p == '.') {
      ++p;
      while (*p >= '0' && *p <= '9') ++p;
    }
    if (*p == 'l') ++p;
    if (*p == '\0' || std::strchr("eEfFgGaA", *p) == nullptr) return false;
    ++conversions;
  }
  return conversions == 1;
}

int WriteDocument(std::ostream& os, const XMLDocType* docType, const XMLElement* root,
                  bool format, bool utf8) {
  if (root == nullptr) return -1;
  ExportFormat exportFormat;
  exportFormat.SetFormat(format);
  if (docType != nullptr) {
    docType->ToStream(os, exportFormat, utf8);
  } else {
    // The declaration is ASCII: the same bytes with or without conversion.
    internal::WriteBytes(os, kDeclaration, sizeof kDeclaration - 1);
  }
  root->ToStream(os, exportFormat, utf8);
  return 0;
}

}  // namespace

int Write(std::ostream& os, const std::string& s) {
  internal::WriteBytes(os, s.data(), s.size());
  return 0;
}

int WriteUTF(std::ostream& os, const std::string& s) {
  internal::WriteBytesAsUtf8(os, s.data(), s.size());
  return 0;
}

int WriteTree(std::ostream& os, const XMLDocType* docType, const XMLElement* root,
              bool format) {
  return WriteDocument(os, docType, root, format, false);
}

int WriteTreeUTF8(std::ostream& os, const XMLDocType* docType, const XMLElement* root,
                  bool format) {
  return WriteDocument(os, docType, root, format, true);
}

int StartRoot(std::ostream& os, std::string notice) {
  std::string line = "<KzXMLRoot ";
  internal::AppendAttribute(line, "copyright", notice);
  line += '>';
  return Write(os, line);
}

int WriteHeader(std::ostream& os, std::string notice) { return StartRoot(os, std::move(notice)); }

int EndRoot(std::ostream& os) { return Write(os, "\n</KzXMLRoot>"); }

int EndHeader(std::ostream& os) { return EndRoot(os); }

std::string Format(double x, bool useFormat, const char* fmt) {
  if (!useFormat) return ReplaceSep(x, fmt);
  if (fmt == nullptr || !IsSingleFloatFormat(fmt)) fmt = "%.15g";
  // Sized by a first snprintf: "%f" of 1e300 alone needs 308 characters.
  char small[128];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  const int n = std::snprintf(small, sizeof small, fmt, x);
  if (n < 0) return std::string();
  if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
  std::vector<char> big(static_cast<size_t>(n) + 1);
  std::snprintf(big.data(), big.size(), fmt, x);
#pragma GCC diagnostic pop
  return std::string(big.data(), static_cast<size_t>(n));
}

std::string Format(long n) {
  return Format(static_cast<double>(static_cast<std::int32_t>(n)), true, nullptr);
}

std::string ReplaceSep(double x, const char* /*fmt*/) {
  std::string text;
  internal::AppendG(text, x, 15);
  return text;
}

std::string GetDecimalCharacter() {
  const std::lconv* conv = std::localeconv();
  return conv != nullptr && conv->decimal_point != nullptr ? conv->decimal_point : ".";
}

std::string GetListSeparator() { return ";"; }

std::string GetDefaultNumericFormat() { return "%.15g"; }

}  // namespace KzXML_1_2
