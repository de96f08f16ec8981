#include "zozed/panes/pane_component.h"

namespace zozed {

std::unique_ptr<PaneWindow> make_described_pane_window(const PaneDescription& description) {
  auto window = std::make_unique<PaneWindow>(description.key);
  for (const LayoutGroup& group : description.groups) window->add_group(group.items, group.count, group.flags);
  return window;
}

}  // namespace zozed
