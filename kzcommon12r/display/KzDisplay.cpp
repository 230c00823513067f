#include "kzcommon12r/display/KzDisplay.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iostream>

#include "kzcommon12r/common/KzMV.h"

namespace KzDisplay_1_2 {

namespace {

using KzCommon_1_2::KzMV;

std::ostream* gOutStream = &std::cout;

// One displayed line: end-of-line first, then the text, then a flush.
void WriteLine(const std::string& text) {
  std::ostream& os = *gOutStream;
  os << std::endl;
  os << text;
  os.flush();
}

// printf-style formatting of one number; the format is always our own literal.
template <typename T>
std::string Fmt(const char* format, T value) {
  char buf[64];
  int len = std::snprintf(buf, sizeof buf, format, value);
  if (len < 0) return std::string();
  if (static_cast<size_t>(len) >= sizeof buf) len = sizeof buf - 1;
  return std::string(buf, static_cast<size_t>(len));
}

// " %g" or " miss".
std::string GItem(double x) { return KzMV::IsMissing(x) ? std::string(" miss") : Fmt(" %g", x); }

std::string SizeSuffix(size_t n) { return " (size =" + Fmt(" %d", static_cast<int>(n)) + ")"; }

// Collects items into value lines that start with one blank and wrap after
// `perLine` items; a partly filled last line is written by Finish.
class ValueLines {
 public:
  explicit ValueLines(int perLine) : m_perLine(perLine), m_text(" "), m_count(0) {}
  void Add(const std::string& item) {
    m_text += item;
    if (++m_count == m_perLine) {
      WriteLine(m_text);
      m_text = " ";
      m_count = 0;
    }
  }
  void Finish() {
    if (m_count != 0) WriteLine(m_text);
    m_text = " ";
    m_count = 0;
  }

 private:
  int m_perLine;
  std::string m_text;
  int m_count;
};

}  // namespace

void SetOutStream(std::ostream& s) { gOutStream = &s; }

std::ostream* GetOutStream() { return gOutStream; }

void DisplayText(const long& newLines, const char* text) {
  if (text == nullptr) return;
  std::ostream& os = *gOutStream;
  for (long i = 0; i < newLines; ++i) os << std::endl;
  os << text;
  os.flush();
}

void DisplayText(const long& newLines, const std::string& text) {
  std::ostream& os = *gOutStream;
  for (long i = 0; i < newLines; ++i) os << std::endl;
  os << text;
  os.flush();
}

void DisplayB(std::string label, bool b) { WriteLine(label + (b ? " = true" : " = false")); }

void DisplayD(std::string label, double x) {
  WriteLine(label + (KzMV::IsMissing(x) ? std::string(" = miss") : Fmt(" = %g", x)));
}

void DisplayDF(std::string label, double x) {
  WriteLine(label + (KzMV::IsMissing(x) ? std::string(" = miss") : Fmt(" = %.17g", x)));
}

void DisplayI(std::string label, int i) { WriteLine(label + Fmt(" = %d", i)); }

void DisplayS(std::string label, std::string s) { WriteLine(label + " = " + s); }

void DisplayTimeStamp(std::string label) {
  std::time_t now = std::time(nullptr);
  if (now == static_cast<std::time_t>(-1)) return;
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return;
  char buf[96];
  std::snprintf(buf, sizeof buf, "%d-%02d-%02d-%02d-%02d-%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  WriteLine(label + ": " + buf);
}

void DisplayDA(std::string label, const double* a, int n, bool showSize) {
  // A null array or a negative count is shown as an empty array.
  const int count = (a == nullptr || n < 0) ? 0 : n;
  WriteLine(showSize ? label + SizeSuffix(static_cast<size_t>(count)) : label);
  ValueLines lines(10);
  for (int i = 0; i < count; ++i) lines.Add(GItem(a[i]));
  lines.Finish();
}

void DisplayDV(std::string label, const std::vector<double>& v, bool onePerLine) {
  WriteLine(label + SizeSuffix(v.size()));
  if (onePerLine) {
    ValueLines lines(1);
    for (double x : v) lines.Add(KzMV::IsMissing(x) ? std::string(" miss") : Fmt(" = %.17g", x));
    lines.Finish();
  } else {
    ValueLines lines(10);
    for (double x : v) lines.Add(GItem(x));
    lines.Finish();
  }
}

void DisplayIV(std::string label, const std::vector<int>& v) {
  WriteLine(label + SizeSuffix(v.size()));
  ValueLines lines(25);
  for (int x : v) lines.Add(Fmt(" %d", x));
  lines.Finish();
}

void DisplayUV(std::string label, const std::vector<unsigned>& v) {
  WriteLine(label + SizeSuffix(v.size()));
  ValueLines lines(25);
  for (unsigned x : v) lines.Add(Fmt(" %u", x));
  lines.Finish();
}

void DisplaySV(std::string label, const std::vector<std::string>& v) {
  WriteLine(label + SizeSuffix(v.size()));
  ValueLines lines(10);
  for (const std::string& s : v) lines.Add(" \"" + s + "\"");
  lines.Finish();
}

void DisplayBV(std::string label, const std::vector<bool>& v) {
  WriteLine(label + SizeSuffix(v.size()));
  ValueLines lines(35);
  for (bool b : v) lines.Add(b ? " t" : " f");
  lines.Finish();
}

void DisplayVPD(std::string label, const std::vector<std::pair<double, double>>& v) {
  WriteLine(label + SizeSuffix(v.size()));
  ValueLines lines(1);
  for (const auto& p : v) lines.Add(GItem(p.first) + " " + GItem(p.second));
  lines.Finish();
}

void DisplayVPDI(std::string label, const std::vector<std::pair<double, int>>& v) {
  WriteLine(label + SizeSuffix(v.size()));
  ValueLines lines(1);
  for (const auto& p : v) lines.Add(GItem(p.first) + " " + Fmt("%d", p.second));
  lines.Finish();
}

void DisplayVPII(std::string label, const std::vector<std::pair<int, int>>& v) {
  WriteLine(label + SizeSuffix(v.size()));
  ValueLines lines(10);
  for (const auto& p : v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "(%d,%d) ", p.first, p.second);
    lines.Add(buf);
  }
  lines.Finish();
}

void DisplayDVV(std::string label, const std::vector<std::vector<double>>& vv, bool onePerLine) {
  if (vv.empty()) {
    WriteLine(label + " <none>");
    return;
  }
  WriteLine(label);
  for (size_t i = 0; i < vv.size(); ++i)
    DisplayDV(Fmt("vec[%d]", static_cast<int>(i)), vv[i], onePerLine);
}

void DisplaySVV(std::string label, const std::vector<std::vector<std::string>>& vv) {
  WriteLine(label);
  for (size_t i = 0; i < vv.size(); ++i) DisplaySV(Fmt("vec[%d]", static_cast<int>(i)), vv[i]);
}

void DisplayDVTR(std::string label, const std::vector<double>& v, int rows) {
  WriteLine(label + " (number of elements =" + Fmt(" %d", static_cast<int>(v.size())) +
            ", number of rows =" + Fmt(" %d", rows) + ")");
  const size_t size = v.size();
  for (int r = 0; r < rows; ++r) {
    const size_t start = static_cast<size_t>(r) * (static_cast<size_t>(r) + 1) / 2;
    if (start >= size) break;
    const size_t count = std::min(static_cast<size_t>(r) + 1, size - start);
    DisplayDA("row " + Fmt(" %d", r) + ": ", v.data() + start, static_cast<int>(count), false);
    if (count < static_cast<size_t>(r) + 1) break;
  }
}

void DisplayIIM(std::string label, const std::map<int, int>& m) {
  DisplayI("map size", static_cast<int>(m.size()));
  if (m.empty()) {
    WriteLine(label + " <none>");
    return;
  }
  std::string text = label;
  int count = 0;
  for (const auto& kv : m) {
    text += " (" + std::to_string(kv.first) + "," + std::to_string(kv.second) + ")";
    if (++count == 10) {
      WriteLine(text);
      text = " ";
      count = 0;
    }
  }
  if (count != 0) WriteLine(text);
}

void DisplayVIM(std::string label, const std::map<int, int>& m) {
  if (m.empty()) {
    WriteLine(label + " <none>");
    return;
  }
  std::string text = label;
  for (const auto& kv : m)
    text += " (" + std::to_string(kv.first) + "," + std::to_string(kv.second) + ")";
  WriteLine(text);
}

void DisplayIntVecDVecMap(std::string label,
                          const std::map<std::vector<int>, std::vector<double>>& m) {
  WriteLine(label);
  for (const auto& kv : m) {
    DisplayIV("Map key", kv.first);
    DisplayDV("Map value", kv.second, false);
  }
}

void DisplayIntVecIntMap(std::string label, const std::map<std::vector<int>, int>& m) {
  WriteLine(label);
  for (const auto& kv : m) {
    DisplayIV("Map key", kv.first);
    WriteLine("Map value" + Fmt(" = %d", kv.second));
  }
}

void DisplaySLDM(std::string label, const std::map<std::vector<std::string>, double>& m) {
  WriteLine(label);
  for (const auto& kv : m) {
    DisplaySV("Map's StringList:", kv.first);
    WriteLine(KzMV::IsMissing(kv.second) ? std::string("Map's double = miss")
                                         : "Map's double" + Fmt(" = %g", kv.second));
  }
}

void DisplayBVV(std::string label, const std::vector<std::vector<bool>>& m,
                const std::string& falseMark, const std::string& trueMark) {
  std::string header = label + " ( number of rows = " + Fmt(" %d", static_cast<int>(m.size()));
  if (!m.empty())
    header += ", number of columns = " + Fmt(" %d", static_cast<int>(m.front().size()));
  WriteLine(header + " )");
  for (const auto& row : m) {
    std::string text;
    for (bool b : row) text += b ? trueMark : falseMark;
    WriteLine(text);
  }
}

}  // namespace KzDisplay_1_2
