#include "zozed/module/component_commands.h"

#include <optional>
#include <string>

#include "platform/support/com_error.h"
#include "platform/support/variant.h"
#include "zozed/module/host_pane_stack.h"

namespace zozed {

namespace {

std::u16string take(BSTR text) {
  std::u16string owned = text ? std::u16string(text, SysStringLen(text)) : std::u16string();
  SysFreeString(text);
  return owned;
}

std::optional<LONG> find_key(CatalogueBase& catalogue, std::u16string_view key) {
  LONG count = 0;
  platform::check<ISubManager>(catalogue.GetCount(&count));
  for (LONG index = 0; index < count; ++index) {
    BSTR entry = nullptr;
    platform::check<ISubManager>(catalogue.GetKey(index, &entry));
    if (take(entry) == key) return index;
  }
  return std::nullopt;
}

// The integer a pane expects as the flags of a forwarded command; 0 when the argument has none.
LONG flags_of(const VARIANT& argument) {
  platform::Variant number;
  if (FAILED(VariantChangeType(number.put(), &argument, 0, VT_I4))) return 0;
  return number.as_long().value_or(0);
}

}  // namespace

void open_component(CatalogueBase& catalogue, CommandCall& call, ComponentToolbar toolbar) {
  if (call.first.vt != VT_BSTR) return;
  const std::u16string key = call.first.bstrVal ? std::u16string(call.first.bstrVal, SysStringLen(call.first.bstrVal))
                                                : std::u16string();
  const auto index = find_key(catalogue, key);
  if (!index) return;
  BSTR name = nullptr;
  platform::check<ISubManager>(catalogue.GetName(*index, &name));
  const std::u16string title = take(name);
  std::u16string toolbar_id;
  if (toolbar == ComponentToolbar::kFromEntry) {
    BSTR text = nullptr;
    platform::check<ISubManager>(catalogue.GetToolbar(*index, &text));
    toolbar_id = take(text);
  }
  HostPaneStack stack = HostPaneStack::open();
  stack.set_toolbar(toolbar_id);
  stack.show_pane(key, title);
  if (auto pane = stack.current_pane()) {
    (void)send_pane_message(pane.get(), call.id, call.first, call.second, flags_of(call.third));
  }
  call.handled = 1;
}

void reissue_to_host(std::u16string_view command_id, CommandCall& call) {
  auto target = HostPaneStack::open().command_target();
  platform::Bstr id(command_id);
  LONG handled = 0;
  platform::check<ICommandTarget>(target->ExecCommand(id.get(), call.first, call.second, call.third, &handled));
  call.handled = handled;
}

}  // namespace zozed
