// The module's activity panes as COM objects, one C++ type per CLSID: activity pane controls
// with their host template and layout table, taking no pane message yet.
#pragma once

#include <memory>
#include <optional>

#include "zozed/panes/activity_pane_control.h"
#include "zozed/panes/component_settings.h"
#include "zozed/panes/pane_descriptions.h"

namespace zozed {

// The window of a pane described by `description`, its layout groups added.
std::unique_ptr<PaneWindow> make_described_pane_window(const PaneDescription& description);

template <const CLSID& Clsid>
class PaneComponent final : public ActivityPaneControl<PaneComponent<Clsid>> {
 public:
  PaneComponent()
      : ActivityPaneControl<PaneComponent<Clsid>>(make_described_pane_window(*pane_description(Clsid)),
                                                  pane_description(Clsid)->template_id) {
    if (const char16_t* suffix = pane_description(Clsid)->settings_suffix) settings_.emplace(Clsid, suffix);
  }

  STDMETHODIMP ReceiveMessage(BSTR, VARIANT, VARIANT, LONG, LONG* handled) override {
    if (!handled) return E_POINTER;
    *handled = 0;
    return S_OK;
  }

  // The per-component settings of the Save As, export and archive panes.
  const std::optional<ComponentSettingsLocator>& settings() const noexcept { return settings_; }

 private:
  std::optional<ComponentSettingsLocator> settings_;
};

}  // namespace zozed
