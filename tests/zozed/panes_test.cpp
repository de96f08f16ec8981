// Every pane class as a host meets it: each created through the registry and answering its
// interfaces early and late bound, each opened in a window from the suite's template, and nothing
// left behind; the managers only with a host (nothing is served before registration: see the
// pane command's test).
#include <gtest/gtest.h>

#include "host/activity_component.h"
#include "platform/support/bstr.h"
#include "platform/support/control_host.h"
#include "platform/support/dispatch_driver.h"
#include "platform/ui_driver.h"
#include "tests/zozed/module_fixture.h"
#include "zozed/module/class_ids.h"

namespace {

class Panes : public zozed_test::SuiteModuleTest {
 protected:
  void SetUp() override {
    SuiteModuleTest::SetUp();
    windows_before_ = platform::ui::live_window_count();
    parent_ = CreateWindowExW(0, u"Static", u"panel", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 240, 480, nullptr, nullptr,
                              nullptr, nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent_);
    session_.stop();
    EXPECT_EQ(platform::ui::live_window_count(), windows_before_);
    SuiteModuleTest::TearDown();
  }

  HWND parent_ = nullptr;
  std::size_t windows_before_ = 0;
};

// Without a running host the managers cannot reach its environment, and no half-built object escapes.
TEST_F(Panes, TheManagersNeedTheHost) {
  ASSERT_EQ(register_module(), S_OK);
  for (const CLSID* manager : {&zozed::CLSID_STGShareManager, &zozed::CLSID_STGSaveManager}) {
    IUnknown* object = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(CoCreateInstance(*manager, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
  }
}

TEST_F(Panes, EveryPaneIsCreatedThroughTheRegistryAnswersItsInterfacesAndOpensFromItsTemplate) {
  struct Row {
    int line;
    const CLSID* clsid;
    int control;  // one control the pane's template has
  };
  const Row rows[] = {
      {__LINE__, &zozed::CLSID_STGShareByEmail, 1161},  {__LINE__, &zozed::CLSID_STGEmailGenPan, 11112},
      {__LINE__, &zozed::CLSID_STGEmailOptPane, 1380},  {__LINE__, &zozed::CLSID_STGEmailDonePane, 1384},
      {__LINE__, &zozed::CLSID_STGEmailOptions, 1396},  {__LINE__, &zozed::CLSID_STGSharedExport, 1270},
      {__LINE__, &zozed::CLSID_STGSharedSaveAs, 210},   {__LINE__, &zozed::CLSID_STGArchivePane, 30155},
      {__LINE__, &zozed::CLSID_STGSlideShowOptPane, 1487},
  };
  start();
  for (const Row& row : rows) {
    SCOPED_TRACE("pane at line " + std::to_string(row.line));
    auto component = create<IActivityComponent>(*row.clsid);
    ASSERT_TRUE(component);
    const platform::Bstr message(u"{00000000-0000-0000-0000-000000000001}");
    VARIANT empty;
    VariantInit(&empty);
    LONG handled = 7;
    EXPECT_EQ(component->ReceiveMessage(message.get(), empty, empty, 0, &handled), S_OK);
    EXPECT_TRUE(handled == 0 || handled == 1) << "the handled flag is written, whatever the pane does with the message";
    VARIANT_BOOL available = VARIANT_FALSE;
    EXPECT_EQ(component->IsAvailable(&available), S_OK);
    EXPECT_EQ(available, VARIANT_TRUE);
    EXPECT_EQ(component->IsAvailable(nullptr), E_POINTER);

    // Late bound, as script hosts and the host's dispatch helpers call it.
    LPOLESTR name = const_cast<LPOLESTR>(u"IsAvailable");
    DISPID id = 0;
    ASSERT_EQ(component.As<IDispatch>()->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    EXPECT_EQ(platform::invoke_method(component.As<IDispatch>().get(), id).as_bool(), true);
    EXPECT_EQ(component.detach()->Release(), 0u);

    platform::HostedControl pane;
    ASSERT_EQ(pane.create(*row.clsid, parent_, RECT{0, 0, 240, 480}), S_OK);
    HWND window = pane.window();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(GetDlgItem(window, row.control), nullptr);
    pane.destroy();
    EXPECT_FALSE(IsWindow(window));
  }
}

}  // namespace
