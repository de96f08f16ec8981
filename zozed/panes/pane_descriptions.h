// What distinguishes the module's panes before their behaviour: the pane key, the host's
// dialog template and the layout table, by CLSID.
#pragma once

#include <span>

#include "platform/guiddef.h"
#include "zozed/panes/layout_table.h"

namespace zozed {

struct PaneDescription {
  const CLSID* clsid;
  const char16_t* key;
  LONG template_id;
  std::span<const LayoutGroup> groups;
  // The catalogue suffix of a pane that keeps per-component settings, or null.
  const char16_t* settings_suffix = nullptr;
};

// The description of pane class `clsid`; null for a class that is not a pane.
const PaneDescription* pane_description(REFCLSID clsid) noexcept;

}  // namespace zozed
