// The e-mail panes in a running suite: the module registered, panes shown through the suite's
// pane stack, driven by pane messages and by clicks on their skinned controls, which are read
// back through their automation members.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/activity_component.h"
#include "host/activity_host.h"
#include "host/control_host_window.h"
#include "host/item_tray.h"
#include "host/pane_messages.h"
#include "host/skinned_controls.h"
#include "platform/support/dispatch_driver.h"
#include "platform/ui_driver.h"
#include "suite/host/host_strings.h"
#include "tests/zozed/module_fixture.h"
#include "tests/zozed/registry_values.h"

namespace email_pane_test {

using platform::ComPtr;
using platform::Variant;

inline constexpr char16_t kShareByEmail[] = u"{126239D4-FA95-4566-A14E-2A111932D54A}";
inline constexpr char16_t kEmailDonePane[] = u"{A24E2C56-F1EF-442C-BCF7-085A580B777F}";
inline constexpr char16_t kEmailOptionsPane[] = u"{86A49DF4-EA73-4648-9CEB-11641256FC82}";

inline void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

inline std::u16string host_string(LONG id) { return std::u16string(suite::find_host_string(id).value_or(u"<missing>")); }

// A skinned control in a pane or dialog, read and clicked through its automation members and window.
struct Control {
  HWND host;
  ComPtr<IDispatch> dispatch() const {
    const auto control = ComPtr<IUnknown>::attach(reinterpret_cast<IUnknown*>(SendMessageW(host, host::kAxGetControl, 0, 0)));
    return control ? control.As<IDispatch>() : ComPtr<IDispatch>();
  }
  Variant get(DISPID id) const {
    const auto target = dispatch();
    return target ? platform::get_property(target.get(), id) : Variant();
  }
  LONG state() const { return get(host::kSkinState).as_long().value_or(-99); }
  bool enabled() const { return get(host::kSkinEnabled).as_bool().value_or(false); }
  std::u16string text(DISPID id = host::kSkinText) const { return std::u16string(get(id).as_bstr().value_or(u"?")); }
  // Posts a user's click on the control's own window; false when a user could not click it.
  bool click() const { return platform::ui::click(GetWindow(host, GW_CHILD)); }
};
inline Control control_of(HWND window, int id) { return Control{GetDlgItem(window, id)}; }

class EmailPaneTest : public zozed_test::SuiteModuleTest {
 protected:
  suite::SuiteState& state() { return session_.state(); }
  IDispatch* pane_stack() { return state().pane_stack.get(); }
  HWND pane() { return state().panes.back().hosted->window(); }
  Control control(int id) { return control_of(pane(), id); }
  void click(int id) {
    EXPECT_TRUE(control(id).click()) << "control " << id;
    pump();
  }

  void show(std::u16string_view clsid, std::u16string_view title = u"test") {
    (void)platform::invoke_method(pane_stack(), host::kPaneStackShowPane, {Variant(clsid).get(), Variant(title).get()});
  }
  bool shown(std::u16string_view clsid) { return !state().panes.empty() && state().panes.back().clsid == clsid; }
  // Sends a pane message to the pane shown, as the pane before it would; answers the handled flag.
  LONG send(std::u16string_view message, const Variant& value = Variant(), const Variant& extra = Variant()) {
    const auto current = platform::get_property(pane_stack(), host::kPaneStackCurrentPane).as_dispatch();
    LONG handled = 0;
    EXPECT_EQ(current.value().As<IActivityComponent>()->ReceiveMessage(platform::Bstr(message).get(), *value.get(),
                                                                      *extra.get(), 0, &handled),
              S_OK);
    return handled;
  }
  // Pane messages delivered to panes shown by `clsid`, as "id value extra".
  std::vector<std::u16string> messages_to(std::u16string_view clsid) {
    std::vector<std::u16string> out;
    for (const auto& m : state().pane_messages)
      if (m.pane == clsid) out.push_back(m.message_id + u" " + m.value + u" " + m.extra);
    return out;
  }
};

inline std::u16string message(std::u16string_view id, std::u16string_view value, std::u16string_view extra) {
  return std::u16string(id) + u" " + std::u16string(value) + u" " + std::u16string(extra);
}

}  // namespace email_pane_test
