// A module test with the suite running: the module registered, the suite's host objects
// registered, and the managers created through the registry as a host creates them.
#pragma once

#include <string>

#include "platform/objbase.h"
#include "platform/oleauto.h"
#include "platform/support/com_ptr.h"
#include "suite/host/suite_session.h"
#include "tests/zozed/module_fixture.h"

namespace zozed_test {

// The text of a returned BSTR, which is freed.
inline std::u16string take(BSTR b) {
  std::u16string text = b ? std::u16string(b, SysStringLen(b)) : std::u16string();
  SysFreeString(b);
  return text;
}

class SuiteModuleTest : public ModuleTest {
 protected:
  void TearDown() override {
    session_.stop();
    ModuleTest::TearDown();
  }

  void start(suite::SuiteSettings settings = {}) {
    ASSERT_EQ(register_module(), S_OK);
    ASSERT_EQ(session_.start(std::move(settings)), S_OK);
  }

  template <class Interface>
  platform::ComPtr<Interface> create(const CLSID& clsid) {
    platform::ComPtr<Interface> object;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, platform::iid_of<Interface>, object.put_void()),
              S_OK);
    return object;
  }

  suite::Session session_;
};

}  // namespace zozed_test
