#include "platform/support/control_host.h"

#include <gtest/gtest.h>

#include "platform/objbase.h"
#include "platform/support/class_factory.h"
#include "platform/support/reg_key.h"
#include "platform/ui_driver.h"
#include "platform/winreg.h"
#include "tests/fakes/tick_control.h"
#include "tests/platform/com/com_test_support.h"
#include "tests/platform/platform_test_support.h"

using com_test::guid_text;
using platform::ComPtr;

namespace {

void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

RECT rect_in_parent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// A thread with COM, a registry of its own where the tick control has a ProgID, its class
// object registered, and a visible top-level window to place controls in.
class ControlHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    platform::RegKey key;
    ASSERT_EQ(key.create(HKEY_CLASSES_ROOT, std::u16string(fakes::kTickControlProgId) + u"\\CLSID"), ERROR_SUCCESS);
    ASSERT_EQ(key.set_string(u"", guid_text(fakes::kTickControlClsid)), ERROR_SUCCESS);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(platform::class_factory_of<fakes::TickControl>(IID_IClassFactory, factory.put_void()), S_OK);
    ASSERT_EQ(CoRegisterClassObject(fakes::kTickControlClsid, factory.get(), CLSCTX_INPROC_SERVER,
                                    REGCLS_MULTIPLEUSE, &registration_),
              S_OK);
    windows_before_ = platform::ui::live_window_count();
    parent_ = CreateWindowExW(0, u"Static", u"panel", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent_);
    pump();
    EXPECT_EQ(platform::ui::live_window_count(), windows_before_) << "every window destroyed";
    EXPECT_EQ(platform::this_module().objects(), objects_before_) << "every object released";
    fakes::TickControl::refuse_windows() = false;
    CoRevokeClassObject(registration_);
    CoUninitialize();
  }

  platform::registry::ScopedStore store_;
  LONG objects_before_ = platform::this_module().objects();
  std::size_t windows_before_ = 0;
  DWORD registration_ = 0;
  HWND parent_ = nullptr;
};

TEST_F(ControlHostTest, NamesResolveByClsidStringOrProgIdAndFailuresLeaveNoControl) {
  struct Row { int line; std::u16string name; HWND parent; bool refuse_window; HRESULT expected; };
  const Row rows[] = {
      {__LINE__, fakes::kTickControlProgId, parent_, false, S_OK},
      {__LINE__, guid_text(fakes::kTickControlClsid), parent_, false, S_OK},
      {__LINE__, u"Fakes.NoSuchControl", parent_, false, CO_E_CLASSSTRING},
      {__LINE__, u"{not a guid}", parent_, false, CO_E_CLASSSTRING},
      {__LINE__, u"", parent_, false, CO_E_CLASSSTRING},
      {__LINE__, u"CLSID\\Fakes", parent_, false, CO_E_CLASSSTRING},
      {__LINE__, fakes::kTickControlProgId, nullptr, false, E_INVALIDARG},  // the parent must be a window
      {__LINE__, fakes::kTickControlProgId, parent_, true, E_FAIL},  // a control that cannot make its window
  };
  for (const Row& row : rows) {
    fakes::TickControl::refuse_windows() = row.refuse_window;
    platform::HostedControl control;
    EXPECT_EQ(control.create(row.name, row.parent, RECT{10, 20, 110, 70}), row.expected) << "line " << row.line;
    EXPECT_EQ(static_cast<bool>(control), row.expected == S_OK) << "line " << row.line;
    EXPECT_EQ(control.window() != nullptr, row.expected == S_OK) << "line " << row.line;
  }
}

TEST_F(ControlHostTest, ActivatesInPlaceInTheParentAndFollowsMovesShowAndHide) {
  platform::HostedControl control;
  ASSERT_EQ(control.create(fakes::kTickControlProgId, parent_, RECT{10, 20, 110, 70}), S_OK);
  HWND window = control.window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetParent(window), parent_);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(rect_in_parent(window), (RECT{10, 20, 110, 70}));
  ASSERT_EQ(control.move(RECT{5, 5, 305, 45}), S_OK);
  EXPECT_EQ(rect_in_parent(window), (RECT{5, 5, 305, 45}));
  ASSERT_EQ(control.show(false), S_OK);
  EXPECT_FALSE(IsWindowVisible(window));
  ASSERT_EQ(control.show(true), S_OK);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(control.window(), window) << "showing again keeps the window";
  control.destroy();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(control.window(), nullptr);
}

TEST_F(ControlHostTest, ClicksReachConnectedSinksUntilFrozenDisconnectedOrDestroyed) {
  auto sink = platform::make_com_or_throw<fakes::RecordingSink>();
  const auto click = [](HWND window) {
    EXPECT_TRUE(platform::ui::click(window));
    pump();
  };
  {
    platform::HostedControl control;
    ASSERT_EQ(control.create(fakes::kTickControlProgId, parent_, RECT{0, 0, 50, 20}), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(control.advise(fakes::kEvents, sink->identity(), &cookie), S_OK);
    EXPECT_NE(cookie, 0u);
    EXPECT_EQ(control.advise(fakes::kOtherEvents, sink->identity()), CONNECT_E_NOCONNECTION);
    click(control.window());
    EXPECT_EQ(sink->calls, std::vector<DISPID>{1});
    auto ole_control = ComPtr<IUnknown>::borrow(control.unknown()).As<IOleControl>();
    ASSERT_TRUE(ole_control);
    ole_control->FreezeEvents(TRUE);
    click(control.window());
    EXPECT_EQ(sink->calls.size(), 1u) << "frozen events are not fired";
    ole_control->FreezeEvents(FALSE);
    ASSERT_EQ(control.unadvise(fakes::kEvents, cookie), S_OK);
    click(control.window());
    EXPECT_EQ(sink->calls.size(), 1u);
    EXPECT_EQ(sink->ref_count(), 1u) << "the connection let go of the sink";
    ASSERT_EQ(control.advise(fakes::kEvents, sink->identity()), S_OK);
    EXPECT_EQ(sink->ref_count(), 2u);
  }
  EXPECT_EQ(sink->ref_count(), 1u) << "destroying the control disconnects its sinks";
}

TEST_F(ControlHostTest, VerbsAnswerAsOleControlsDoAndTheLastReleaseDestroysTheWindow) {
  auto control = platform::make_com_or_throw<fakes::TickControl>();
  auto object = control.As<IOleObject>();
  EXPECT_EQ(object->DoVerb(OLEIVERB_HIDE, nullptr, nullptr, 0, parent_, nullptr), OLE_E_NOT_INPLACEACTIVE);
  EXPECT_EQ(object->DoVerb(7, nullptr, nullptr, 0, parent_, nullptr), OLEOBJ_S_INVALIDVERB);
  EXPECT_EQ(object->DoVerb(OLEIVERB_SHOW, nullptr, nullptr, 0, nullptr, nullptr), E_INVALIDARG)
      << "no site and no parent: nowhere to go";
  HWND window = reinterpret_cast<HWND>(1);
  EXPECT_EQ(control->GetWindow(&window), E_FAIL);
  EXPECT_EQ(window, nullptr);
  const RECT pos{0, 0, 40, 40};
  ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, parent_, &pos), S_OK);
  window = control->control_window();
  ASSERT_TRUE(IsWindow(window));
  object.reset();
  control.reset();
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(ControlHostTest, DrawOnRequestDrawsIntoTheGivenBounds) {
  auto control = platform::make_com_or_throw<fakes::TickControl>();
  auto view = control.As<IViewObject>();
  platform::ui::RecordingDc dc;
  const RECTL bounds{0, 0, 80, 16};
  EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, dc.hdc(), &bounds, nullptr, nullptr, 0),
            DV_E_DVASPECT);
  EXPECT_TRUE(dc.operations().empty());
  ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.hdc(), &bounds, nullptr, nullptr, 0), S_OK);
  const auto ops = dc.operations();
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].text, u"tick");
  EXPECT_EQ(ops[0].rect.right, 80);
}

}  // namespace
