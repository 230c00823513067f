#ifndef KZCOMMON12R_XML_XMLREADER_H
#define KZCOMMON12R_XML_XMLREADER_H

#include <fstream>
#include <string>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzXML_1_2 {

// Reader of the object stream written by XMLObj inside StartRoot/EndRoot.
// Each function reads whole lines (any length; a trailing CR is dropped),
// compares fixed tokens with the writer's words and returns false on any
// mismatch or at the end of the input. `out` changes only on true. Every call
// moves the stream forward by the lines it read, successful or not.

/// Reads up to three lines: the XML declaration, a "<!DOCTYPE" line and the
/// "<KzXMLRoot" start tag; stops at the first line that does not match.
KZ_EXPORT bool ParseStartXML(std::ifstream& in);

/// Reads the start tag `<Obj name="name">` (after at most one empty line);
/// the name must equal `name` exactly.
KZ_EXPORT bool ParseStartObj(std::ifstream& in, const std::string& name);

/// Reads an "Int" value line; the value is clamped to the int range.
KZ_EXPORT bool ParseValue(std::ifstream& in, int& out);
/// Reads an "Int" value line; the number is truncated towards zero and
/// clamped to [0, UINT_MAX] (NaN refused).
KZ_EXPORT bool ParseValue(std::ifstream& in, unsigned int& out);
/// Reads an "Int" value line holding 0 or 1; any other number returns false.
KZ_EXPORT bool ParseValue(std::ifstream& in, bool& out);
/// Reads a "Long" value line; the value is clamped to the 32-bit range.
KZ_EXPORT bool ParseValue(std::ifstream& in, long& out);
/// Reads a "Double" value line: "Missing" gives the missing value; otherwise
/// a decimal or hexadecimal number, inf or nan in the classic locale, an
/// overflow clamped to +-DBL_MAX.
KZ_EXPORT bool ParseValue(std::ifstream& in, double& out);
/// Reads a "String" value line, decoding &amp; &lt; &gt; &quot; &apos; &#N;
/// and &#xN; (an unknown "&" stays as it is). An empty value gives "".
KZ_EXPORT bool ParseValue(std::ifstream& in, std::string& out);

/// Reads the end tag "</Obj>".
KZ_EXPORT bool ParseEndObj(std::ifstream& in);

}  // namespace KzXML_1_2

#endif  // KZCOMMON12R_XML_XMLREADER_H
