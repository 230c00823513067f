#include "kzcommon12r/common/KzDynamicLoadedLibrary.h"

#include <gtest/gtest.h>

#include <string>

using KzCommon_1_2::KzDynamicLoadedLibrary;

namespace {

using ProbeFunction = int (*)(int);

// The probe library built beside this test, named without its ".so".
const std::string kProbeStem = KZ_DYNAMIC_PROBE_STEM;

TEST(KzDynamicLoadedLibrary, DecoratesBareNamesOnly) {
  const struct {
    const char* name;
    const char* decorated;
  } cases[] = {
      {"model", "model.so"},
      {"MODEL.SO", "MODEL.SO"},
      {"a.So", "a.So"},
      {".so", ".so.so"},  // nothing before the suffix: still a bare name
      {"so", "so.so"},
      {"", ".so"},
      {"libz.so.1", "libz.so.1"},
      {"x.SO.1.22", "x.SO.1.22"},
      {"model.1", "model.1.so"},
      {"x.so.1a", "x.so.1a.so"},
      {"x.so.", "x.so..so"},
      {".so.1", ".so.1.so"},
      {"model.dll", "model.dll.so"},
      {"/opt/lib/x.so", "/opt/lib/x.so"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(KzDynamicLoadedLibrary::KzDecorateDynamicPathName(c.name), c.decorated) << c.name;
}

TEST(KzDynamicLoadedLibrary, LoadsByDecoratedNameAndFindsSymbols) {
  KzDynamicLoadedLibrary lib(KzDynamicLoadedLibrary::KzDecorateDynamicPathName(kProbeStem), 7);
  EXPECT_EQ(lib.LoadLibraryNow(), 0) << lib.GetErrorString();
  EXPECT_EQ(lib.GetErrorString(), "");
  EXPECT_EQ(lib.LoadLibraryNow(), 0);  // already loaded

  auto probe = reinterpret_cast<ProbeFunction>(lib.GetSymbolAddress("kz_probe_answer"));
  ASSERT_NE(probe, nullptr) << lib.GetErrorString();
  EXPECT_EQ(probe(20), 41);

  // A missing symbol: null and the loader's text naming it; the next
  // successful lookup clears the text.
  EXPECT_EQ(lib.GetSymbolAddress("kz_probe_absent"), nullptr);
  EXPECT_NE(lib.GetErrorString().find("kz_probe_absent"), std::string::npos)
      << lib.GetErrorString();
  EXPECT_NE(lib.GetSymbolAddress("kz_probe_answer"), nullptr);
  EXPECT_EQ(lib.GetErrorString(), "");
  EXPECT_EQ(lib.GetSymbolAddress(std::string("kz_probe_answer\0x", 17)), nullptr);
  EXPECT_NE(lib.GetErrorString(), "");
}

TEST(KzDynamicLoadedLibrary, SymbolLookupLoadsOnDemand) {
  KzDynamicLoadedLibrary lib(kProbeStem + ".so", 0);
  auto probe = reinterpret_cast<ProbeFunction>(lib.GetSymbolAddress("kz_probe_answer"));
  ASSERT_NE(probe, nullptr) << lib.GetErrorString();
  EXPECT_EQ(probe(-3), -5);
}

TEST(KzDynamicLoadedLibrary, ReportsLibrariesThatCannotBeLoaded) {
  const std::string missing = kProbeStem + "_absent.so";
  // The loader's texts name the file it could not open.
  const struct {
    std::string path;
    std::string inText;
  } cases[] = {
      {missing, missing},
      {std::string(__FILE__), std::string(__FILE__)},  // not a shared object
      {"", "empty"},  // would otherwise open the running program itself
      {std::string("libc.so.6\0x", 11), "null character"},
  };
  for (const auto& c : cases) {
    KzDynamicLoadedLibrary lib(c.path, 0);
    EXPECT_EQ(lib.LoadLibraryNow(), KzDynamicLoadedLibrary::gLoadErrorCode) << c.path;
    EXPECT_NE(lib.GetErrorString().find(c.inText), std::string::npos) << lib.GetErrorString();
    EXPECT_EQ(lib.GetSymbolAddress("malloc"), nullptr) << c.path;
    EXPECT_NE(lib.GetErrorString().find(c.inText), std::string::npos) << lib.GetErrorString();
  }
}

}  // namespace
