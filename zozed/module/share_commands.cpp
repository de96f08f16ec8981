// The Share manager's commands: open a share component, start the e-mail task with items, and
// keep the host's share state up to date.
#include <array>

#include "host/pane_messages.h"
#include "platform/support/bstr.h"
#include "platform/support/variant.h"
#include "zozed/module/command_ids.h"
#include "zozed/module/component_commands.h"
#include "zozed/module/host_pane_stack.h"
#include "zozed/module/service_manager.h"

namespace zozed {

std::span<const CommandEntry<STGShareManager>> STGShareManager::commands() {
  static constexpr std::array<CommandEntry<STGShareManager>, 3> kCommands{{
      {command::kShare, &STGShareManager::share},
      {command::kOpenComponent, &STGShareManager::shared_host_command},
      {command::kEmailSharedItems, &STGShareManager::email_shared_items},
  }};
  return kCommands;
}

void STGShareManager::share(CommandCall& call) { open_component(main_, call, ComponentToolbar::kNone); }

void STGShareManager::shared_host_command(CommandCall& call) { open_component(main_, call, ComponentToolbar::kNone); }

void STGShareManager::email_shared_items(CommandCall& call) {
  BSTR title_text = nullptr;
  IClientEnvironment* environment = main_.environment();
  if (!environment) throw platform::ComError(E_UNEXPECTED, IID_IClientEnvironment);
  platform::check<IClientEnvironment>(environment->GetHostString(kEmailPaneTitle, &title_text));
  const platform::Bstr title = platform::Bstr::attach(title_text);

  HostPaneStack stack = HostPaneStack::open();
  stack.set_toolbar(kEmailToolbar);
  stack.show_pane(kEmailOptionsPane, title.view());
  if (auto pane = stack.current_pane()) {
    const platform::Variant none;
    (void)send_pane_message(pane.get(), host::kItemsAndStep, call.first, *none.get());
    if (call.second.vt == VT_I4 && call.second.lVal != 0)
      (void)send_pane_message(pane.get(), host::kReturnToCaller, *none.get(), *none.get());
  }
  call.handled = 1;
}

void STGShareManager::update_command(std::u16string_view, const VARIANT& context, LONG& state) {
  const platform::Variant none;
  CommandCall call{command::kShareStateChanged, context, *none.get(), *none.get()};
  reissue_to_host(command::kShareStateChanged, call);
  state = 0;
}

}  // namespace zozed
