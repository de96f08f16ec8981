// The e-mail finished pane as the suite's pane stack shows it, with read-back of the skinned
// controls of a pane or dialog and two media items (counting objects) to hand it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/activity_component.h"
#include "host/activity_host.h"
#include "host/control_host_window.h"
#include "host/pane_messages.h"
#include "host/skinned_controls.h"
#include "platform/support/dispatch_driver.h"
#include "platform/support/variant.h"
#include "suite/host/host_strings.h"
#include "tests/fakes/counting_unknown.h"
#include "tests/zozed/suite_module_fixture.h"

namespace done_pane_test {

using platform::ComPtr;
using platform::Variant;

inline constexpr std::u16string_view kDonePane = u"{A24E2C56-F1EF-442C-BCF7-085A580B777F}";

// The automation object of skinned control `id` of `parent`; empty when there is none.
inline ComPtr<IDispatch> control(HWND parent, int id) {
  HWND host = GetDlgItem(parent, id);
  if (!host) return {};
  const auto unknown = ComPtr<IUnknown>::attach(reinterpret_cast<IUnknown*>(SendMessageW(host, host::kAxGetControl, 0, 0)));
  ComPtr<IDispatch> dispatch;
  if (unknown) (void)unknown.As(dispatch);
  return dispatch;
}

inline Variant property(HWND parent, int id, DISPID member) {
  const auto dispatch = control(parent, id);
  if (!dispatch) return Variant();
  return platform::get_property(dispatch.get(), member);
}

inline std::u16string text(HWND parent, int id, DISPID member = host::kSkinText) {
  return std::u16string(property(parent, id, member).as_bstr().value_or(u"<none>"));
}

// The window a user clicks for skinned control `id`: the control's own, inside its host window.
inline HWND clickable(HWND parent, int id) { return GetWindow(GetDlgItem(parent, id), GW_CHILD); }

inline std::u16string host_string(LONG id) { return std::u16string(suite::find_host_string(id).value_or(u"<missing>")); }

inline Variant outcome(SHORT value) { return Variant(value); }

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
  // Shows the pane as the share-by-e-mail pane does; false when it did not open.
  bool show() {
    const Variant clsid(kDonePane);
    const Variant title(host_string(62228));
    (void)platform::invoke_method(state().pane_stack.get(), host::kPaneStackShowPane, {clsid.get(), title.get()});
    return !state().panes.empty() && state().panes.back().hosted;
  }
  void TearDown() override {
    SuiteModuleTest::TearDown();
    for (const auto& item : items_) EXPECT_EQ(item.refs(), 1u) << "the pane let go of the items";
  }

  suite::SuiteState& state() { return session_.state(); }
  HWND pane() { return state().panes.back().hosted->window(); }

  LONG send(std::u16string_view message, const Variant& first = Variant(), const Variant& second = Variant()) {
    ComPtr<IActivityComponent> component;
    EXPECT_EQ(state().panes.back().object->QueryInterface(component.put()), S_OK);
    const platform::Bstr id(message);
    LONG handled = 0;
    EXPECT_EQ(component->ReceiveMessage(id.get(), *first.get(), *second.get(), 0, &handled), S_OK);
    return handled;
  }

  // The two items as a pane hands them on: a VARIANT holding a SAFEARRAY of item objects.
  Variant items() {
    SAFEARRAY* array = SafeArrayCreateVector(VT_UNKNOWN, 0, 2);
    for (LONG i = 0; i < 2; ++i) EXPECT_EQ(SafeArrayPutElement(array, &i, items_[i].unknown()), S_OK);
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_UNKNOWN;
    v.parray = array;
    return Variant::attach(v);
  }

  fakes::CountingUnknown items_[2];
};

}  // namespace done_pane_test
