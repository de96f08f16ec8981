// The protected-content check binds the runtime by name on every call: without the runtime every
// file passes; with it, only an S_OK answer with the flag set counts as protected.
#include <gtest/gtest.h>

#include "platform/errhandlingapi.h"
#include "platform/libloaderapi.h"
#include "platform/winerror.h"
#include "zozed/video/content_protection.h"

namespace zozed_test {
namespace {

using zozed::video::BindContentProtectionCheck;
using zozed::video::IsContentProtected;

// Runs before the runtime is put on the search path (ctest also runs each test on its own).
TEST(ContentProtectionTest, WithoutTheRuntimeEveryFilePassesAndTheBindReportsTheLoaderError) {
  platform::loader::set_search_path({});
  if (GetModuleHandleA("wmvcore.dll")) GTEST_SKIP() << "a runtime was loaded earlier in this process";
  EXPECT_FALSE(IsContentProtected(u"Z:\\media\\protected.wmv"));
  host::WMIsContentProtectedProc check = nullptr;
  const HRESULT hr = BindContentProtectionCheck(check);
  EXPECT_EQ(check, nullptr);
  EXPECT_EQ(hr, static_cast<HRESULT>(0x80070000u | ERROR_MOD_NOT_FOUND));
}

TEST(ContentProtectionTest, WithTheRuntimeOnlyAnExactSuccessWithTheFlagCounts) {
  platform::loader::set_search_path({ZOZED_TEST_RUNTIME_DIR});
  struct Row {
    int line;
    const char16_t* path;
    bool is_protected;
  };
  const Row rows[] = {
      {__LINE__, u"Z:\\media\\protected.wmv", true},
      {__LINE__, u"Z:\\media\\plain.wmv", false},
      {__LINE__, u"Z:\\media\\unreadable protected.wmv", false},  // the call fails
      {__LINE__, u"Z:\\media\\odd protected.wmv", false},         // S_FALSE is not S_OK
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    EXPECT_EQ(IsContentProtected(row.path), row.is_protected);
  }
  host::WMIsContentProtectedProc check = nullptr;
  EXPECT_EQ(BindContentProtectionCheck(check), S_OK);
  EXPECT_NE(check, nullptr);
}

}  // namespace
}  // namespace zozed_test
