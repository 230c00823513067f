#ifndef KZCOMMON12R_XML_XMLWRITER_H
#define KZCOMMON12R_XML_XMLWRITER_H

#include <iosfwd>
#include <string>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzXML_1_2 {

class XMLDocType;
class XMLElement;

/// Writes the bytes of `s` unchanged. Returns 0. The stream state is not tested.
KZ_EXPORT int Write(std::ostream& os, const std::string& s);

/// Writes `s` converted from the locale's narrow character set
/// (nl_langinfo(CODESET)) to UTF-8: under UTF-8 valid sequences pass and each
/// invalid byte becomes U+FFFD; under C/POSIX valid UTF-8 passes and every
/// other byte is read as Windows-1252; other sets go through iconv, unconvertible
/// bytes becoming U+FFFD. Returns 0.
KZ_EXPORT int WriteUTF(std::ostream& os, const std::string& s);

/// Writes a document without conversion: the prolog of `docType` (or, when it
/// is null, the UTF-8 XML declaration and a line feed), then `root` rendered
/// with pretty printing `format`. Returns 0; a null `root` returns -1 and
/// writes nothing.
KZ_EXPORT int WriteTree(std::ostream& os, const XMLDocType* docType, const XMLElement* root,
                        bool format);

/// `WriteTree` with every byte converted to UTF-8 as by `WriteUTF`.
/// Returns 0, or -1 (nothing written) for a null `root`.
KZ_EXPORT int WriteTreeUTF8(std::ostream& os, const XMLDocType* docType,
                            const XMLElement* root, bool format);

/// Writes the object-stream root start tag "<KzXMLRoot copyright=\"notice\">"
/// (notice escaped as an attribute value), no line feeds. Returns 0.
KZ_EXPORT int StartRoot(std::ostream& os, std::string notice);
/// Same as `StartRoot`.
KZ_EXPORT int WriteHeader(std::ostream& os, std::string notice);
/// Writes "\n</KzXMLRoot>". Returns 0.
KZ_EXPORT int EndRoot(std::ostream& os);
/// Same as `EndRoot`.
KZ_EXPORT int EndHeader(std::ostream& os);

/// Text of `x`. `useFormat` true: printf of `x` with `fmt` in the process's
/// numeric locale, where `fmt` must hold exactly one floating conversion
/// (flags, width, precision digits, one of e E f F g G a A; "%%" allowed) and
/// otherwise, or when null, "%.15g" is used; any length. `useFormat` false:
/// `ReplaceSep(x, fmt)`.
KZ_EXPORT std::string Format(double x, bool useFormat, const char* fmt);
/// "%.15g" of the 32-bit value `n` in the process's numeric locale.
KZ_EXPORT std::string Format(long n);
/// "%.15g" of `x` in the classic locale ("." decimal point, no grouping);
/// `fmt` is not used.
KZ_EXPORT std::string ReplaceSep(double x, const char* fmt);
/// The decimal point of the process's current numeric locale (localeconv).
KZ_EXPORT std::string GetDecimalCharacter();
/// Always ";".
KZ_EXPORT std::string GetListSeparator();
/// Always "%.15g".
KZ_EXPORT std::string GetDefaultNumericFormat();

}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_XML_XMLWRITER_H
