#ifndef KZCOMMON12R_COMMON_KZDYNAMICLOADEDLIBRARY_H
#define KZCOMMON12R_COMMON_KZDYNAMICLOADEDLIBRARY_H

#include <string>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzCommon_1_2 {

/// One dynamic library of the operating system, loaded by path on demand
/// (the dynamic loader's dlopen with RTLD_NOW: every undefined symbol is
/// resolved at load time, so a broken library fails here rather than at a
/// later call), with symbol lookup (dlsym) and the loader's text for the last
/// failure (dlerror). Nothing is thrown: failures are reported by the result
/// and by GetErrorString().
///
/// A library, once loaded, is never unloaded, not even by the destructor:
/// addresses handed out by GetSymbolAddress stay valid for the life of the
/// process, and copies of this object share the handle safely.
class KZ_EXPORT KzDynamicLoadedLibrary {
 public:
  /// The code LoadLibraryNow returns (and GetSymbolAddress reports through a
  /// null result) when the library cannot be loaded. The dynamic loader gives
  /// no numeric reason, only its text; the value is the one Windows gives for
  /// a module that cannot be found, so callers written against it keep
  /// working.
  static constexpr int gLoadErrorCode = 126;

  /// Stores the path (or bare file name, searched by the dynamic loader's
  /// rules) and an option that is kept but not used; nothing is loaded yet.
  KzDynamicLoadedLibrary(const std::string& path, int option);

  /// Clears the error text; 0 when the library is already loaded. Otherwise
  /// loads the path: 0 on success, or gLoadErrorCode with the loader's text in
  /// GetErrorString(). An empty path or one holding a null character is
  /// refused the same way (the loader would open the running program itself,
  /// or a truncated name).
  int LoadLibraryNow();

  /// Clears the error text, loads the library when it is not yet loaded (a
  /// load failure gives null with its text), then looks `name` up. Returns the
  /// symbol's address, or null with the loader's text in GetErrorString().
  /// A symbol whose address is genuinely null also gives null, with an empty
  /// error text. A name holding a null character is refused (null, text set).
  void* GetSymbolAddress(const std::string& name);

  /// The text of the last failure; empty after a successful operation.
  std::string GetErrorString() const { return m_errorText; }

  /// A bare library name made into a file name: `name` unchanged when it ends
  /// in ".so" (compared ignoring case) after at least one other character, or
  /// in ".so" followed by a version made of "." and digits ("libz.so.1",
  /// "x.SO.1.2"); otherwise `name` followed by ".so" ("model" gives
  /// "model.so", ".so" gives ".so.so", "x.dll" gives "x.dll.so").
  static std::string KzDecorateDynamicPathName(const std::string& name);

 private:
  void* m_handle;
  [[maybe_unused]] int m_option;
  [[maybe_unused]] int m_reserved;
  std::string m_path;
  std::string m_errorText;
};

}  // namespace KzCommon_1_2

#endif  // KZCOMMON12R_COMMON_KZDYNAMICLOADEDLIBRARY_H
