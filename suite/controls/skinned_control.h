// SkinnedControl: one of the host's skinned controls as a COM object: automation members from
// one dispatch table, click and change events through a connection point, the auto-size and
// ideal-size interfaces of the kinds a pane lays out by text, and a child window that mirrors
// the control's state and turns a user's click into the click event.
#pragma once

#include <span>

#include "platform/support/activex_control.h"
#include "suite/controls/control_model.h"
#include "suite/controls/control_window.h"

namespace suite::controls {

class SkinnedControl final
    : public platform::ActiveXControl<SkinnedControl, IDispatch, ISkinAutoSize, ISkinButtonAutoSize, ISkinIdealSize>,
      public WindowOwner {
  using Base =
      platform::ActiveXControl<SkinnedControl, IDispatch, ISkinAutoSize, ISkinButtonAutoSize, ISkinIdealSize>;

 public:
  explicit SkinnedControl(SkinnedControlKind kind);
  ~SkinnedControl() override;

  // The auto-size interfaces are offered only by the kinds that size themselves by their text.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  using Base::QueryInterface;
  // A container's show verb does not show a control that its own state hides.
  STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent, LPCRECT pos) override;

  // Modes host::kAutoSizeNone, kAutoSizeWidth, kAutoSizeHeight; E_INVALIDARG otherwise.
  STDMETHODIMP SetAutoSizeMode(LONG mode) override;
  STDMETHODIMP GetAutoSizeMode(LONG* mode) override;
  // By the auto-size mode: none, the window's height (the wrapped height without a window);
  // width, the height of the unwrapped lines; height, the text wrapped at `width`.
  // E_INVALIDARG for a width below 1.
  STDMETHODIMP GetIdealHeight(LONG width, LONG* height) override;

  static std::span<const platform::DispatchMember<SkinnedControl>> dispatch_members();

  HWND window() const noexcept { return control_window(); }
  const ControlModel& model() const noexcept { return model_; }

 protected:
  HWND CreateControlWindow(HWND parent, const RECT& pos) override;
  HRESULT OnDraw(HDC dc, const RECT& bounds) override;

 public:

  // WindowOwner
  void on_click() override;
  void on_key(WPARAM key) override;
  void on_paint(HDC dc, const RECT& client) override;
  void on_window_destroyed() override;
  bool user_type(std::u16string_view text) override;
  bool user_choose(LONG index) override;
  bool user_choose_folder(std::u16string_view folder) override;
  std::u16string describe() const override;

 private:
  using Call = platform::DispatchCall;

  bool offers_auto_size() const noexcept;
  bool offers_button_auto_size() const noexcept;
  // Shows the model in the window (text, enabled, shown) and applies the auto-size mode.
  void sync_window();
  void draw(HDC dc, const RECT& area) const;
  void fire_click(const ClickOutcome& outcome);
  void fire_change();
  // The folder a path names when it exists as a folder, without any "file::" prefix.
  static bool folder_exists(std::u16string_view path);

  HRESULT text(const Call& call);
  HRESULT enabled(const Call& call);
  HRESULT visible(const Call& call);
  HRESULT state(const Call& call);
  HRESULT tooltip(const Call& call);
  HRESULT default_button(const Call& call);
  HRESULT image(const Call& call);
  HRESULT value(const Call& call);
  HRESULT minimum(const Call& call);
  HRESULT maximum(const Call& call);
  HRESULT set_range(const Call& call);
  HRESULT add_item(const Call& call);
  HRESULT clear(const Call& call);
  HRESULT item_count(const Call& call);
  HRESULT selected_index(const Call& call);
  HRESULT item_text(const Call& call);
  HRESULT item_data(const Call& call);
  HRESULT second_text(const Call& call);
  HRESULT caret(const Call& call);
  HRESULT folder(const Call& call);
  HRESULT browse(const Call& call);
  HRESULT selected_tab(const Call& call);
  HRESULT window_handle(const Call& call);

  ControlModel model_;
  bool hidden_by_container_ = false;
};

// Creates a control of `kind` and asks it for `riid`.
HRESULT create_skinned_control(SkinnedControlKind kind, REFIID riid, void** ppv);
// The kind's name as the read-back shows it ("check box").
std::u16string_view kind_name(SkinnedControlKind kind) noexcept;

}  // namespace suite::controls
