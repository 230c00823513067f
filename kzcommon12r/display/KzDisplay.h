#ifndef KZCOMMON12R_DISPLAY_KZDISPLAY_H
#define KZCOMMON12R_DISPLAY_KZDISPLAY_H

// Diagnostic display: labelled values, vectors, maps and time stamps written as
// plain text lines to one library-wide output stream.
//
// Layout rules shared by every function:
//  - a line is an end-of-line (newline and flush), the line's text, then a flush,
//    so the last line of a display is not terminated until the next output;
//  - numbers use printf conventions ("%g", or "%.17g" for the F variants) and the
//    missing value is written as "miss";
//  - sequences write a header line, then value lines that start with one blank,
//    each item carrying its own leading separator, wrapped after a fixed count.
// Labels and string values are written as text, never used as formats.

#include <iosfwd>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzDisplay_1_2 {

/// All later output goes to `s`; the caller keeps `s` alive while it is in use.
KZ_EXPORT void SetOutStream(std::ostream& s);
/// The current output stream (standard output until SetOutStream is called).
KZ_EXPORT std::ostream* GetOutStream();

/// `newLines` end-of-lines (none when negative), then `text`, then a flush; no
/// leading end-of-line of its own. Nothing at all is written for a null text.
KZ_EXPORT void DisplayText(const long& newLines, const char* text);
KZ_EXPORT void DisplayText(const long& newLines, const std::string& text);

/// "L = true" or "L = false".
KZ_EXPORT void DisplayB(std::string label, bool b);
/// "L = %g" or "L = miss".
KZ_EXPORT void DisplayD(std::string label, double x);
/// "L = %.17g" or "L = miss".
KZ_EXPORT void DisplayDF(std::string label, double x);
/// "L = %d".
KZ_EXPORT void DisplayI(std::string label, int i);
/// "L = s".
KZ_EXPORT void DisplayS(std::string label, std::string s);
/// "L: yyyy-mm-dd-hh-mm-ss" in local time; nothing when the time is unavailable.
KZ_EXPORT void DisplayTimeStamp(std::string label);

/// Header "L" (plus " (size = n)" when `showSize`), then " %g" items, 10 a line.
/// A null `a` or a negative `n` displays an empty array (header only, size 0).
KZ_EXPORT void DisplayDA(std::string label, const double* a, int n, bool showSize);
/// Header "L (size = n)"; " %g" items 10 a line, or with `onePerLine` one
/// "  = %.17g" line per element.
KZ_EXPORT void DisplayDV(std::string label, const std::vector<double>& v, bool onePerLine);
/// Header "L (size = n)", " %d" items 25 a line.
KZ_EXPORT void DisplayIV(std::string label, const std::vector<int>& v);
/// Header "L (size = n)", " %u" items 25 a line.
KZ_EXPORT void DisplayUV(std::string label, const std::vector<unsigned>& v);
/// Header "L (size = n)", ` "s"` items 10 a line.
KZ_EXPORT void DisplaySV(std::string label, const std::vector<std::string>& v);
/// Header "L (size = n)", " t" / " f" items 35 a line.
KZ_EXPORT void DisplayBV(std::string label, const std::vector<bool>& v);
/// Header "L (size = n)", one "  %g  %g" line per pair.
KZ_EXPORT void DisplayVPD(std::string label, const std::vector<std::pair<double, double>>& v);
/// Header "L (size = n)", one "  %g %d" line per pair.
KZ_EXPORT void DisplayVPDI(std::string label, const std::vector<std::pair<double, int>>& v);
/// Header "L (size = n)", "(%d,%d) " items 10 a line.
KZ_EXPORT void DisplayVPII(std::string label, const std::vector<std::pair<int, int>>& v);

/// "L <none>" when empty; otherwise "L", then DisplayDV("vec[i]", ...) per vector.
KZ_EXPORT void DisplayDVV(std::string label, const std::vector<std::vector<double>>& vv,
                          bool onePerLine);
/// "L", then DisplaySV("vec[i]", ...) per vector.
KZ_EXPORT void DisplaySVV(std::string label, const std::vector<std::vector<std::string>>& vv);
/// A lower triangle stored by rows: a header with the element and row counts,
/// then one DisplayDA per row ("row  r: "), stopping where the vector ends.
KZ_EXPORT void DisplayDVTR(std::string label, const std::vector<double>& v, int rows);
/// "map size = n", then " (k,v)" pairs after L, 10 a line; "L <none>" when empty.
KZ_EXPORT void DisplayIIM(std::string label, const std::map<int, int>& m);
/// One line: L and " (k,v)" for every pair; "L <none>" when empty.
KZ_EXPORT void DisplayVIM(std::string label, const std::map<int, int>& m);
/// "L", then DisplayIV("Map key") and DisplayDV("Map value") per entry.
KZ_EXPORT void DisplayIntVecDVecMap(std::string label,
                                    const std::map<std::vector<int>, std::vector<double>>& m);
/// "L", then DisplayIV("Map key") and "Map value = %d" per entry.
KZ_EXPORT void DisplayIntVecIntMap(std::string label, const std::map<std::vector<int>, int>& m);
/// "L", then DisplaySV("Map's StringList:") and "Map's double = %g" per entry.
KZ_EXPORT void DisplaySLDM(std::string label, const std::map<std::vector<std::string>, double>& m);
/// Header "L ( number of rows =  r, number of columns =  c )", then one line per
/// row made of `trueMark` / `falseMark` per element.
KZ_EXPORT void DisplayBVV(std::string label, const std::vector<std::vector<bool>>& m,
                          const std::string& falseMark, const std::string& trueMark);

}  // namespace KzDisplay_1_2

#endif  // KZCOMMON12R_DISPLAY_KZDISPLAY_H
