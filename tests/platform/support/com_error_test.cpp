#include "platform/support/com_error.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/platform/support/test_interfaces.h"

namespace {

TEST(ComError, CarriesTheCodeTheInterfaceAndThePlace) {
  try {
    platform::check<IAlpha>(E_ACCESSDENIED);
    FAIL() << "a failed HRESULT must throw";
  } catch (const platform::ComError& e) {
    EXPECT_EQ(e.hr(), E_ACCESSDENIED);
    EXPECT_EQ(e.iid(), IID_IAlpha);
    EXPECT_NE(std::string(e.where().file_name()).find("com_error_test.cpp"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("0x80070005"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("6A0F5A10-0001-4C1B-9E00-5D8E2C000001"), std::string::npos);
  }
}

TEST(ComError, SuccessCodesPassThrough) {
  EXPECT_EQ(platform::check<IAlpha>(S_OK), S_OK);
  EXPECT_EQ(platform::check<IAlpha>(S_FALSE), S_FALSE);
}

TEST(ComBoundary, MapsEveryKindOfFailure) {
  struct Row {
    int line;
    HRESULT (*body)();
    HRESULT expected;
  };
  const Row rows[] = {
      {__LINE__, [] { return S_FALSE; }, S_FALSE},
      {__LINE__, []() -> HRESULT { platform::check<IBeta>(DISP_E_BADINDEX); return S_OK; }, DISP_E_BADINDEX},
      {__LINE__, []() -> HRESULT { throw std::bad_alloc(); }, E_OUTOFMEMORY},
      {__LINE__, []() -> HRESULT { throw std::runtime_error("boom"); }, E_UNEXPECTED},
      {__LINE__, []() -> HRESULT { throw 42; }, E_UNEXPECTED},
  };
  for (const auto& row : rows) EXPECT_EQ(platform::com_boundary(row.body), row.expected) << "line " << row.line;
}

}  // namespace
