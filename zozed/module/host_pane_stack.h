// HostPaneStack: the host's pane stack as the module drives it (show a pane, set the toolbar,
// send pane messages to the pane shown), reached through the host's activity host. Every host
// failure is raised as a ComError.
#pragma once

#include <string_view>
#include <vector>

#include "host/activity_component.h"
#include "host/activity_host.h"
#include "platform/support/com_ptr.h"
#include "platform/support/variant.h"

namespace zozed {

class HostPaneStack {
 public:
  // Creates the host's activity host and reaches its pane stack.
  static HostPaneStack open();

  // A toolbar CLSID string; empty for none.
  void set_toolbar(std::u16string_view toolbar);
  void show_pane(std::u16string_view clsid, std::u16string_view title);
  // The pane now shown as IActivityComponent; null when there is none or it has no such interface.
  platform::ComPtr<IActivityComponent> current_pane();
  // Every pane of the stack that takes pane messages, oldest first.
  std::vector<platform::ComPtr<IActivityComponent>> panes();
  void back();
  void end();
  void return_to_caller();

  // The host's command target, for commands re-issued to the host.
  platform::ComPtr<ICommandTarget> command_target();
  // The host's item tray object (captions, views, links).
  platform::ComPtr<IDispatch> item_tray();
  // The host handle the mail service takes with each message.
  LONG host_handle();
  // Shows how far long work has got (0..100; 0 when it is over).
  void report_progress(LONG percent);

 private:
  HostPaneStack(platform::ComPtr<IActivityHost> host, platform::ComPtr<IDispatch> area, platform::ComPtr<IDispatch> stack)
      : host_(std::move(host)), area_(std::move(area)), stack_(std::move(stack)) {}

  platform::ComPtr<IActivityHost> host_;
  platform::ComPtr<IDispatch> area_;
  platform::ComPtr<IDispatch> stack_;
};

// Sends pane message `id` to `pane`; answers the pane's handled flag.
LONG send_pane_message(IActivityComponent* pane, std::u16string_view id, const VARIANT& first, const VARIANT& second,
                       LONG flags = 0);

}  // namespace zozed
