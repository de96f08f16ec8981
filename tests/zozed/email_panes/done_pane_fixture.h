// The e-mail finished pane as the suite's pane stack shows it, read back through the
// automation members of its skinned controls, with two counting objects as its items.
#pragma once

#include <gtest/gtest.h>

#include "host/activity_component.h"
#include "host/activity_host.h"
#include "host/control_host_window.h"
#include "host/pane_messages.h"
#include "host/skinned_controls.h"
#include "platform/support/dispatch_driver.h"
#include "suite/host/host_strings.h"
#include "tests/fakes/counting_unknown.h"
#include "tests/zozed/suite_module_fixture.h"

namespace done_pane_test {

using platform::ComPtr;
using platform::Variant;

inline Variant property(HWND parent, int id, DISPID member) {
  const auto unknown =
      ComPtr<IUnknown>::attach(reinterpret_cast<IUnknown*>(SendMessageW(GetDlgItem(parent, id), host::kAxGetControl, 0, 0)));
  const auto dispatch = unknown ? unknown.As<IDispatch>() : ComPtr<IDispatch>();
  return dispatch ? platform::get_property(dispatch.get(), member) : Variant();
}
inline std::u16string text(HWND parent, int id, DISPID member = host::kSkinText) {
  return std::u16string(property(parent, id, member).as_bstr().value_or(u"<none>"));
}
// The window a user clicks: the control's own, inside its host window.
inline HWND clickable(HWND parent, int id) { return GetWindow(GetDlgItem(parent, id), GW_CHILD); }
inline std::u16string host_string(LONG id) { return std::u16string(suite::find_host_string(id).value_or(u"<missing>")); }

inline void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

class DonePaneTest : public zozed_test::SuiteModuleTest {
 protected:
  void SetUp() override {
    SuiteModuleTest::SetUp();
    start();
  }
  void TearDown() override {
    SuiteModuleTest::TearDown();
    for (const auto& item : items_) EXPECT_EQ(item.refs(), 1u) << "the pane let go of its items";
  }

  // Shows the pane as the share-by-e-mail pane does.
  bool show() {
    const Variant clsid(std::u16string_view(u"{A24E2C56-F1EF-442C-BCF7-085A580B777F}"));
    const Variant title(host_string(62228));
    (void)platform::invoke_method(state().pane_stack.get(), host::kPaneStackShowPane, {clsid.get(), title.get()});
    return !state().panes.empty() && state().panes.back().hosted;
  }
  suite::SuiteState& state() { return session_.state(); }
  HWND pane() { return state().panes.back().hosted->window(); }

  LONG send(std::u16string_view message, const Variant& first = Variant(), const Variant& second = Variant()) {
    const auto component = state().panes.back().object.As<IActivityComponent>();
    LONG handled = 0;
    EXPECT_EQ(component->ReceiveMessage(platform::Bstr(message).get(), *first.get(), *second.get(), 0, &handled), S_OK);
    return handled;
  }

  Variant items() {
    SAFEARRAY* array = SafeArrayCreateVector(VT_UNKNOWN, 0, 2);
    for (LONG i = 0; i < 2; ++i) EXPECT_EQ(SafeArrayPutElement(array, &i, items_[i].unknown()), S_OK);
    VARIANT v;
    v.vt = VT_ARRAY | VT_UNKNOWN;
    v.parray = array;
    return Variant::attach(v);
  }

  fakes::CountingUnknown items_[2];
};

}  // namespace done_pane_test
