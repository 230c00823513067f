#include "kzcommon12r/common/KzException.h"

#include <gtest/gtest.h>

#include "kzcommon12r/common/IOException.h"

using KzCommon_1_2::KzException;

namespace {

TEST(KzException, CarriesCodeAndMessageThroughThrowAndCopy) {
  try {
    throw KzException(14, "Out of this array bounds!");
  } catch (const KzException& e) {
    KzException copy;
    EXPECT_EQ(copy.GetCode(), 0);
    EXPECT_EQ(copy.GetMessage(), "");
    copy = e;
    EXPECT_EQ(copy.GetCode(), 14);
    EXPECT_EQ(copy.GetMessage(), "Out of this array bounds!");
    const KzException second(copy);
    EXPECT_EQ(second.GetCode(), 14);
    return;
  }
  FAIL() << "not caught";
}

TEST(IOException, IsThrownByPointerAndCaughtAcrossTheLibrary) {
  KzXML_1_2::IOException* caught = nullptr;
  try {
    throw new KzXML_1_2::IOException;
  } catch (KzXML_1_2::IOException* e) {
    caught = e;
  }
  ASSERT_NE(caught, nullptr);
  delete caught;
}

}  // namespace
