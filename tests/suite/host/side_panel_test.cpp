#include <gtest/gtest.h>

#include "host/activity_host.h"
#include "host/pane_templates.h"
#include "host/skin.h"
#include "platform/support/class_factory.h"
#include "platform/support/reg_key.h"
#include "platform/ui_driver.h"
#include "suite/host/dialog_templates.h"
#include "suite/host/side_panel.h"
#include "tests/fakes/tick_control.h"
#include "tests/suite/host/suite_host_test_support.h"

using namespace suite_host_test;
using platform::ComPtr;

namespace {

std::u16string guid_text(REFGUID guid) {
  OLECHAR text[CHARS_IN_GUID];
  StringFromGUID2(guid, text, CHARS_IN_GUID);
  return text;
}

RECT client_of(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}

// The tick control stands in for a pane: an ActiveX control the stack places in the panel.
class SidePanelTest : public SuiteTest {
 protected:
  void SetUp() override {
    SuiteTest::SetUp();
    windows_before_ = platform::ui::live_window_count();
    start();
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(platform::class_factory_of<fakes::TickControl>(IID_IClassFactory, factory.put_void()), S_OK);
    ASSERT_EQ(CoRegisterClassObject(fakes::kTickControlClsid, factory.get(), CLSCTX_INPROC_SERVER,
                                    REGCLS_MULTIPLEUSE, &cookie_),
              S_OK);
    stack_ = session_.state().pane_stack.copy();
  }
  void TearDown() override {
    stack_.reset();
    session_.stop();
    CoRevokeClassObject(cookie_);
    EXPECT_EQ(platform::ui::live_window_count(), windows_before_) << "every window destroyed";
    SuiteTest::TearDown();
  }

  HRESULT show(const std::u16string& clsid) {
    return invoke(stack_.get(), host::kPaneStackShowPane, DISPATCH_METHOD, {text_arg(clsid.c_str()), text_arg(u"")},
                  nullptr);
  }
  HWND pane_window(std::size_t index) {
    auto& pane = session_.state().panes.at(index);
    return pane.hosted ? pane.hosted->window() : nullptr;
  }

  ComPtr<IDispatch> stack_;
  DWORD cookie_ = 0;
  std::size_t windows_before_ = 0;
};

TEST_F(SidePanelTest, PanesOpenInThePanelOneAtATimeAndBackRevealsThePreviousOne) {
  session_.state().panel_size = SIZE{200, 300};
  ASSERT_EQ(show(guid_text(fakes::kTickControlClsid)), S_OK);
  HWND panel = session_.state().panel;
  ASSERT_TRUE(IsWindow(panel));
  const RECT panel_client = client_of(panel);
  EXPECT_EQ(panel_client.right, 200);
  EXPECT_EQ(panel_client.bottom, 300);
  HWND first = pane_window(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetParent(first), panel);
  EXPECT_TRUE(IsWindowVisible(first));
  EXPECT_EQ(client_of(first).right, 200);

  ASSERT_EQ(show(guid_text(fakes::kTickControlClsid)), S_OK);
  HWND second = pane_window(1);
  EXPECT_TRUE(IsWindowVisible(second));
  EXPECT_FALSE(IsWindowVisible(first)) << "the earlier pane is hidden, still in the list";

  suite::resize_panel(session_.state(), SIZE{260, 400});
  EXPECT_EQ(client_of(second).right, 260);
  EXPECT_EQ(client_of(second).bottom, 400);
  EXPECT_EQ(client_of(first).bottom, 400);

  ASSERT_EQ(invoke(stack_.get(), host::kPaneStackBack, DISPATCH_METHOD, {}, nullptr), S_OK);
  EXPECT_FALSE(IsWindow(second));
  EXPECT_TRUE(IsWindowVisible(first));

  ASSERT_EQ(invoke(stack_.get(), host::kPaneStackEnd, DISPATCH_METHOD, {bool_arg(true)}, nullptr), S_OK);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(IsWindow(panel));
  EXPECT_EQ(session_.state().panel, nullptr);
}

TEST_F(SidePanelTest, APaneThatFailsToActivateStaysWithoutAWindowAndSaysWhy) {
  fakes::TickControl::refuse_windows() = true;
  EXPECT_EQ(show(guid_text(fakes::kTickControlClsid)), S_OK);
  fakes::TickControl::refuse_windows() = false;
  ASSERT_EQ(session_.state().panes.size(), 1u);
  EXPECT_EQ(session_.state().panes[0].activation, E_FAIL);
  EXPECT_EQ(session_.state().panes[0].hosted, nullptr);
}

// The module's templates: each one builds, with every control it is to have.
TEST_F(SidePanelTest, EveryTemplateBuildsWithItsControls) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &DefWindowProcW;
  wc.lpszClassName = u"TSGAxWin";
  const bool registered = RegisterClassExW(&wc) != 0;  // the module registers it when it runs
  struct Row {
    int line;
    LONG id;
    std::vector<int> controls;
  };
  const Row rows[] = {
      {__LINE__, host::kTemplateShareByEmail, {1161, 1318, 1319, 1490, 104, 11111, 11112, 11113, 11114, 11115}},
      {__LINE__, host::kTemplateFolderSaved, {1181, 1182, 1183, 1184, 1186}},
      {__LINE__, host::kTemplateSaveFormatWarning, {1271, 1272, 1273, 1274, 1275}},
      {__LINE__, host::kTemplateArchiveCollision, {1324, 229, 1326, 1325, 2}},
      {__LINE__, host::kTemplateEmailEntry, {104, 11111, 11112, 11114}},
      {__LINE__, host::kTemplateEmailOptionsPane, {1379, 1380, 1381, 11111, 11112, 11114, 104}},
      {__LINE__, host::kTemplateEmailDone, {1384, 11111, 11113, 11114, 104}},
      {__LINE__, host::kTemplateEmailOptionsPage, {1396, 1310, 1312, 1397, 1398, 1313, 230}},
      {__LINE__, host::kTemplateAttachmentSizeWarning, {1364, 1365, 1411, 1412, 1413, 1414, 1415, 1417}},
      {__LINE__, host::kTemplateExport, {201, 204, 205, 206, 208, 210, 1026, 1270}},
      {__LINE__, host::kTemplateSaveAs, {201, 204, 205, 206, 208, 210, 1026}},
      {__LINE__, host::kTemplateArchive, {30147, 30148, 30149, 30150, 30151, 30152, 30153, 30155, 30194, 30195}},
      {__LINE__, host::kTemplateSlideShowOptions, {1483, 1484, 1485, 1486, 1487, 1488, 1489, 1490, 11111, 11115}},
  };
  HWND owner = CreateWindowExW(0, u"Static", u"", WS_OVERLAPPED, 0, 0, 400, 400, nullptr, nullptr, nullptr, nullptr);
  for (const Row& row : rows) {
    const auto bytes = suite::dialog_template(row.id);
    ASSERT_TRUE(bytes) << "row at line " << row.line;
    HWND dialog = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(bytes->data()), owner,
                                             nullptr, 0);
    ASSERT_NE(dialog, nullptr) << "row at line " << row.line;
    for (int id : row.controls) EXPECT_NE(GetDlgItem(dialog, id), nullptr) << "control " << id << ", row at line " << row.line;
    DestroyWindow(dialog);
  }
  DestroyWindow(owner);
  EXPECT_FALSE(suite::dialog_template(1000).has_value());
  EXPECT_TRUE(suite::dialog_init_data(host::kTemplateShareByEmail).has_value()) << "bullet images";
  if (registered) UnregisterClassW(u"TSGAxWin", nullptr);
}

TEST_F(SidePanelTest, TheSessionInstallsTheSkinOnce) {
  platform::RegKey vert;
  const std::u16string root = session_.state().settings.configuration_root;
  ASSERT_EQ(vert.open(HKEY_CURRENT_USER, host::skin_key_path(root, u"ActivityPaneControl\\VertLayout")),
            ERROR_SUCCESS);
  DWORD top = 0;
  ASSERT_EQ(vert.get_dword(u"Top", top), ERROR_SUCCESS);
  EXPECT_EQ(top, 6u);
  platform::RegKey image;
  EXPECT_EQ(image.open(HKEY_CURRENT_USER, host::skin_key_path(root, u"Images\\DialogFrame")), ERROR_SUCCESS);
  EXPECT_EQ(image.open(HKEY_CURRENT_USER, host::skin_key_path(root, u"Images\\Default Menu")), ERROR_SUCCESS);
  EXPECT_EQ(image.open(HKEY_CURRENT_USER, host::skin_key_path(root, u"Images\\BulletButton1")), ERROR_SUCCESS);
}

}  // namespace
