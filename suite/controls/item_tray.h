// ItemTray: the host's item tray as a COM object: the media items it shows, caption, views
// and context menu commands as automation members, events 3, 5, 20 and 29 through a
// connection point, and a child window for right clicks and read-back.
#pragma once

#include <span>
#include <vector>

#include "platform/support/activex_control.h"
#include "suite/controls/control_window.h"
#include "suite/controls/tray_model.h"

namespace suite::controls {

class TrayView;

class ItemTray final : public platform::ActiveXControl<ItemTray, IDispatch>, public WindowOwner {
 public:
  ItemTray();
  ~ItemTray() override;

  static std::span<const platform::DispatchMember<ItemTray>> dispatch_members();

  HWND window() const noexcept { return control_window(); }
  const TrayModel& model() const noexcept { return model_; }

 protected:
  HWND CreateControlWindow(HWND parent, const RECT& pos) override;

 public:

  // WindowOwner
  void on_click() override {}
  void on_context_menu(POINT screen) override;
  void on_paint(HDC dc, const RECT& client) override;
  void on_window_destroyed() override;
  bool user_choose(LONG index) override;  // selects that item alone
  std::u16string describe() const override;

 private:
  using Call = platform::DispatchCall;

  void fire_contents_changed();
  void sync_window();

  HRESULT open_view(const Call& call);
  HRESULT close_view(const Call& call);
  HRESULT set_caption(const Call& call);
  HRESULT command(const Call& call);
  HRESULT release_link(const Call& call);
  HRESULT items(const Call& call);
  HRESULT count(const Call& call);
  HRESULT caption(const Call& call);
  HRESULT remove_item(const Call& call);
  HRESULT select(const Call& call);
  HRESULT selected_count(const Call& call);
  HRESULT linked_pane(const Call& call);
  HRESULT view_count(const Call& call);
  HRESULT drop(const Call& call);
  HRESULT context_menu(const Call& call);
  HRESULT window_handle(const Call& call);

  TrayModel model_;
  std::vector<platform::ComPtr<TrayView>> views_;
};

// A view the tray opened: shows the tray's items when refreshed, until the tray closes it.
class TrayView final : public platform::DispatchObject<TrayView, IDispatch> {
 public:
  TrayView(const TrayModel* tray, std::u16string kind) : tray_(tray), kind_(std::move(kind)) {}

  static std::span<const platform::DispatchMember<TrayView>> dispatch_members();
  void detach() noexcept { tray_ = nullptr; }
  bool open() const noexcept { return tray_ != nullptr; }

 private:
  HRESULT kind(const platform::DispatchCall& call);
  HRESULT refresh(const platform::DispatchCall& call);
  HRESULT shown(const platform::DispatchCall& call);
  HRESULT refreshes(const platform::DispatchCall& call);

  const TrayModel* tray_;
  std::u16string kind_;
  LONG shown_ = 0;
  LONG refreshes_ = 0;
};

HRESULT create_item_tray(REFIID riid, void** ppv);

}  // namespace suite::controls
