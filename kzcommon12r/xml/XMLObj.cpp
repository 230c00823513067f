#include "kzcommon12r/xml/XMLObj.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <utility>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/xml/internal/XMLText.h"

namespace KzXML_1_2 {

namespace {

void AppendTabs(std::string& out, int n) {
  if (n > 0) out.append(static_cast<size_t>(n), '\t');
}

}  // namespace

XMLObj::XMLObj(std::string name, int nTabs) : m_name(std::move(name)), m_nTabs(nTabs) {}

XMLObj::~XMLObj() = default;

int XMLObj::StartObj(std::ostream& os) const {
  std::string line = "\n";
  AppendTabs(line, m_nTabs);
  line += "<Obj name=\"";
  line += m_name;
  line += "\">";
  internal::WriteBytes(os, line.data(), line.size());
  return 0;
}

int XMLObj::EndObj(std::ostream& os) const {
  std::string line = "\n";
  AppendTabs(line, m_nTabs);
  line += "</Obj>";
  internal::WriteBytes(os, line.data(), line.size());
  return 0;
}

int XMLObj::WriteLine(std::ostream& os, const char* type, const std::string& value) const {
  std::string line = "\n";
  AppendTabs(line, m_nTabs + 1);
  line += '<';
  line += type;
  line += " value=\"";
  internal::AppendAttributeEscaped(line, value);
  line += "\"/>";
  internal::WriteBytes(os, line.data(), line.size());
  return 0;
}

// Every 32-bit integer has at most 10 digits, so the 15-digit form of the
// number converted to double is its exact decimal text.
int XMLObj::WriteSubElement(std::ostream& os, int value) const {
  std::string text;
  internal::AppendInteger(text, value);
  return WriteLine(os, "Int", text);
}

int XMLObj::WriteSubElement(std::ostream& os, unsigned int value) const {
  std::string text;
  internal::AppendInteger(text, static_cast<long long>(value));
  return WriteLine(os, "Int", text);
}

int XMLObj::WriteSubElement(std::ostream& os, bool value) const {
  return WriteLine(os, "Int", value ? "1" : "0");
}

int XMLObj::WriteSubElement(std::ostream& os, long value) const {
  // long carries a 32-bit value; a wider one keeps its low 32 bits.
  std::string text;
  internal::AppendInteger(text, static_cast<std::int32_t>(value));
  return WriteLine(os, "Long", text);
}

int XMLObj::WriteSubElement(std::ostream& os, double value) const {
  if (KzCommon_1_2::KzMV::IsMissing(value)) return WriteLine(os, "Double", "Missing");
  // 15 significant digits do not identify every double (0.1 + 0.2 and 0.3
  // both print "0.3"); 17 always do. Keep the 15-digit text whenever it
  // already reads back exactly, so such values are written as before.
  std::string text;
  internal::AppendG(text, value, 15);
  if (std::isfinite(value)) {
    double back = 0.0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), back);
    if (r.ec != std::errc() || back != value) {
      text.clear();
      internal::AppendG(text, value, 17);
    }
  }
  return WriteLine(os, "Double", text);
}

int XMLObj::WriteSubElement(std::ostream& os, const std::string& value) const {
  return WriteLine(os, "String", value);
}

}  // namespace KzXML_1_2
