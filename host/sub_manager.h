// ISubManager, the catalogue a service component lists its components through, and
// ICommandTarget, through which commands (CLSID strings) are sent to a component or the host.
#pragma once

#include "platform/oaidl.h"

// Indexes are zero-based positions in the component list sorted by priority.
struct ISubManager : IDispatch {
  // Number of components.
  STDMETHOD(GetCount)(LONG* count) PURE;
  // Display name of component `index`.
  STDMETHOD(GetName)(LONG index, BSTR* name) PURE;
  // File-category name and configuration key path; S_FALSE and empty strings when it has none.
  STDMETHOD(GetFileCategory)(LONG index, BSTR* category, BSTR* configuration_path) PURE;
  // Catalogue key name (normally the component's CLSID string).
  STDMETHOD(GetKey)(LONG index, BSTR* key) PURE;
  // Image object of the component, or the manager's default image; null when neither exists.
  STDMETHOD(GetImage)(LONG index, IUnknown** image) PURE;
  // Priority the list is sorted by.
  STDMETHOD(GetPriority)(LONG index, LONG* priority) PURE;
  // CLSID string of the pane to show for the component.
  STDMETHOD(GetActivityPane)(LONG index, BSTR* pane) PURE;
  // Whether the pane stacks further panes.
  STDMETHOD(GetIsActivityPaneStack)(LONG index, VARIANT_BOOL* stack) PURE;
  // Whether the component names no sub-manager (null CLSID).
  STDMETHOD(HasNoSubManager)(LONG index, VARIANT_BOOL* none) PURE;
  // The component's own sub-manager, created on first use; null when it cannot be created.
  STDMETHOD(GetSubManager)(LONG index, IUnknown** sub_manager) PURE;
  // A new instance of the class named by the component's key.
  STDMETHOD(CreateComponent)(LONG index, IUnknown** component) PURE;
  // A new instance of the class named by `key`; E_FAIL when no component has that key.
  STDMETHOD(CreateComponentByKey)(BSTR key, IUnknown** component) PURE;
  // The manager's own IUnknown.
  STDMETHOD(GetUnknown)(IUnknown** self) PURE;
  // CLSID string of the toolbar shown with the pane.
  STDMETHOD(GetToolbar)(LONG index, BSTR* toolbar) PURE;
  // Category name.
  STDMETHOD(GetCategory)(LONG index, BSTR* category) PURE;
  // Server name.
  STDMETHOD(GetServer)(LONG index, BSTR* server) PURE;
  // Options string passed through to the host.
  STDMETHOD(GetComponentOptions)(LONG index, BSTR* options) PURE;
  // Glyph number and the skin entry holding the glyph strip.
  STDMETHOD(GetGlyph)(LONG index, LONG* number, BSTR* entry) PURE;
  // Component kind, e.g. "Share Save One Item".
  STDMETHOD(GetType)(LONG index, BSTR* type) PURE;
  // Tooltip text; empty when the component has none.
  STDMETHOD(GetToolTip)(LONG index, BSTR* tooltip) PURE;
  // Web address.
  STDMETHOD(GetURL)(LONG index, BSTR* url) PURE;
};
PLATFORM_DECLARE_IID(ISubManager, "{977B9026-EBCF-4A37-AC2A-8A5F249ECE65}");

struct ICommandTarget : IUnknown {
  // Runs `command_id` with three arguments; `handled` is set to 1 when the target took it.
  STDMETHOD(ExecCommand)(BSTR command_id, VARIANT first, VARIANT second, VARIANT third, LONG* handled) PURE;
  // Asks the target to bring the state of `command_id` up to date; `state` receives its flags.
  STDMETHOD(UpdateCommand)(BSTR command_id, VARIANT context, LONG* state) PURE;
};
PLATFORM_DECLARE_IID(ICommandTarget, "{5488E260-2D1D-4541-BBFF-4815D8F0EFD3}");
