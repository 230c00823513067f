#ifndef KZCOMMON12R_TESTS_XML_XMLTESTSUPPORT_H
#define KZCOMMON12R_TESTS_XML_XMLTESTSUPPORT_H

#include <clocale>
#include <cstdlib>
#include <string>

namespace KzXMLTest {

// The Latin-1 locale with a decimal comma that the build compiles for the tests.
constexpr const char* kLatin1Locale = "de_DE.ISO-8859-1";

// Switches one locale category for the lifetime of the object. With
// `fromTestDir` the locale is looked up in the build's own locale folder.
class ScopedLocale {
 public:
  ScopedLocale(int category, const char* name, bool fromTestDir = false) : m_category(category) {
    const char* current = std::setlocale(category, nullptr);
    m_saved = current != nullptr ? current : "C";
#ifdef KZ_TEST_LOCALE_DIR
    if (fromTestDir) setenv("LOCPATH", KZ_TEST_LOCALE_DIR, 1);
#endif
    m_ok = std::setlocale(category, name) != nullptr;
    if (fromTestDir) unsetenv("LOCPATH");
  }
  ~ScopedLocale() { std::setlocale(m_category, m_saved.c_str()); }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;
  bool ok() const { return m_ok; }

 private:
  int m_category;
  std::string m_saved;
  bool m_ok = false;
};

}  // namespace KzXMLTest

#endif  // KZCOMMON12R_TESTS_XML_XMLTESTSUPPORT_H
