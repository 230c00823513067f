#include "kzcommon12r/common/KzDynamicLoadedLibrary.h"

#include <dlfcn.h>

#include <cstddef>

namespace KzCommon_1_2 {

namespace {

// The loader's text for the last failure, or `fallback` when it has none.
std::string LoaderError(const char* fallback) {
  const char* text = dlerror();
  return text != nullptr ? std::string(text) : std::string(fallback);
}

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

KzDynamicLoadedLibrary::KzDynamicLoadedLibrary(const std::string& path, int option)
    : m_handle(nullptr), m_option(option), m_reserved(0), m_path(path) {}

int KzDynamicLoadedLibrary::LoadLibraryNow() {
  m_errorText.clear();
  if (m_handle != nullptr) return 0;
  if (m_path.empty() || m_path.find('\0') != std::string::npos) {
    m_errorText = m_path.empty() ? "empty library path" : "library path holds a null character";
    return gLoadErrorCode;
  }
  void* handle = dlopen(m_path.c_str(), RTLD_NOW);
  if (handle == nullptr) {
    m_errorText = LoaderError("cannot load the library");
    return gLoadErrorCode;
  }
  m_handle = handle;
  return 0;
}

void* KzDynamicLoadedLibrary::GetSymbolAddress(const std::string& name) {
  m_errorText.clear();
  if (m_handle == nullptr && LoadLibraryNow() != 0) return nullptr;
  if (name.find('\0') != std::string::npos) {
    m_errorText = "symbol name holds a null character";
    return nullptr;
  }
  // A null address is a valid symbol value on this platform: only dlerror
  // tells a failed lookup apart, so its pending text is cleared first.
  dlerror();
  void* address = dlsym(m_handle, name.c_str());
  if (address == nullptr) {
    const char* text = dlerror();
    if (text != nullptr) m_errorText = text;
  }
  return address;
}

std::string KzDynamicLoadedLibrary::KzDecorateDynamicPathName(const std::string& name) {
  // Strip trailing version groups (".1", ".12") to find where a versioned
  // name's ".so" ends.
  std::size_t end = name.size();
  for (;;) {
    std::size_t p = end;
    while (p > 0 && IsAsciiDigit(name[p - 1])) --p;
    if (p == end || p == 0 || name[p - 1] != '.') break;
    end = p - 1;
  }
  static constexpr char kSuffix[] = ".so";
  constexpr std::size_t kSuffixLength = sizeof kSuffix - 1;
  bool decorated = end > kSuffixLength;
  for (std::size_t i = 0; decorated && i < kSuffixLength; ++i)
    decorated = AsciiLower(name[end - kSuffixLength + i]) == kSuffix[i];
  return decorated ? name : name + kSuffix;
}

}  // namespace KzCommon_1_2
