// The module's activity panes as COM objects, one C++ type per CLSID: activity pane controls
// with their host template and layout table, taking no pane message yet.
#pragma once

#include <memory>

#include "zozed/panes/activity_pane_control.h"
#include "zozed/panes/pane_descriptions.h"

namespace zozed {

// The window of a pane described by `description`, its layout groups added.
std::unique_ptr<PaneWindow> make_described_pane_window(const PaneDescription& description);

template <const CLSID& Clsid>
class PaneComponent final : public ActivityPaneControl<PaneComponent<Clsid>> {
 public:
  PaneComponent()
      : ActivityPaneControl<PaneComponent<Clsid>>(make_described_pane_window(*pane_description(Clsid)),
                                                  pane_description(Clsid)->template_id) {}

  STDMETHODIMP ReceiveMessage(BSTR, VARIANT, VARIANT, LONG, LONG* handled) override {
    if (!handled) return E_POINTER;
    *handled = 0;
    return S_OK;
  }
};

}  // namespace zozed
