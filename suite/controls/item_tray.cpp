#include "suite/controls/item_tray.h"

#include <algorithm>
#include <array>

#include "host/item_tray.h"
#include "platform/wingdi.h"
#include "suite/controls/control_model.h"
#include "suite/controls/put_values.h"

namespace suite::controls {
namespace {

using platform::DispatchMember;

constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kGetPut = DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT;
constexpr WORD kMethod = DISPATCH_METHOD;

bool is_put(const platform::DispatchCall& call) { return (call.flags() & DISPATCH_PROPERTYPUT) != 0; }

std::u16string number(std::size_t n) { return format_number(static_cast<double>(n)); }

}  // namespace

ItemTray::ItemTray() : ActiveXControl({host::DIID_ItemTrayEvents}) {}

ItemTray::~ItemTray() {
  for (auto& view : views_) view->detach();
  destroy_control_window();
}

std::span<const DispatchMember<ItemTray>> ItemTray::dispatch_members() {
  using T = ItemTray;
  static constexpr std::array<DispatchMember<T>, 16> kMembers{{
      {host::kTrayOpenView, u"OpenView", kMethod, &T::open_view},
      {host::kTrayCloseView, u"CloseView", kMethod, &T::close_view},
      {host::kTraySetCaption, u"SetCaption", kMethod, &T::set_caption},
      {host::kTrayCommand, u"Command", kMethod, &T::command},
      {host::kTrayReleaseLink, u"ReleaseLink", kMethod, &T::release_link},
      {host::kTrayItems, u"Items", kGetPut, &T::items},
      {host::kTrayCount, u"Count", kGet, &T::count},
      {host::kTrayCaption, u"Caption", kGetPut, &T::caption},
      {host::kTrayRemoveItem, u"RemoveItem", kMethod, &T::remove_item},
      {host::kTraySelect, u"Select", kMethod, &T::select},
      {host::kTraySelectedCount, u"SelectedCount", kGet, &T::selected_count},
      {host::kTrayLinkedPane, u"LinkedPane", kGetPut, &T::linked_pane},
      {host::kTrayViewCount, u"ViewCount", kGet, &T::view_count},
      {host::kTrayDrop, u"Drop", kMethod, &T::drop},
      {host::kTrayContextMenu, u"ContextMenu", kMethod, &T::context_menu},
      {host::kSkinWindow, u"hWnd", kGet, &T::window_handle},
  }};
  return kMembers;
}

HWND ItemTray::CreateControlWindow(HWND parent, const RECT& pos) {
  HWND window = create_control_window(this, parent, pos, 0, 0);
  if (window) SetWindowTextW(window, model_.caption.c_str());
  return window;
}

void ItemTray::on_window_destroyed() { window_destroyed(); }

void ItemTray::sync_window() {
  HWND own = control_window();
  if (!own) return;
  SetWindowTextW(own, model_.caption.c_str());
  InvalidateRect(own, nullptr, TRUE);
}

void ItemTray::on_paint(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  const std::u16string line = model_.caption + u" (" + number(model_.count()) + u")";
  RECT text_rect = client;
  DrawTextW(dc, line.c_str(), static_cast<int>(line.size()), &text_rect, DT_SINGLELINE);
}

void ItemTray::on_context_menu(POINT screen) {
  const auto keep = platform::ComPtr<ItemTray>::borrow(this);
  const std::array<platform::Variant, 2> args{platform::Variant(static_cast<LONG>(screen.x)),
                                              platform::Variant(static_cast<LONG>(screen.y))};
  const std::array<VARIANT, 2> raw{*args[0].get(), *args[1].get()};
  (void)fire_event(host::kTrayEventContextMenu, raw);
}

void ItemTray::fire_contents_changed() {
  const auto keep = platform::ComPtr<ItemTray>::borrow(this);
  sync_window();
  (void)fire_event(host::kTrayEventContentsChanged);
}

bool ItemTray::user_choose(LONG index) {
  if (index < 0 || static_cast<std::size_t>(index) >= model_.count()) return false;
  for (std::size_t i = 0; i < model_.count(); ++i) (void)model_.select(static_cast<LONG>(i), false);
  (void)model_.select(index, true);
  sync_window();
  return true;
}

std::u16string ItemTray::describe() const {
  std::u16string out = u"item tray";
  if (const int id = control_id(control_window())) out += u" " + format_number(id);
  out += u" \"" + model_.caption + u"\" items " + number(model_.count()) + u" selected " +
         number(model_.selected_count()) + u" views " + number(views_.size());
  if (!model_.link.empty()) out += u" link " + model_.link;
  return out;
}

HRESULT ItemTray::open_view(const Call& call) {
  platform::ComPtr<TrayView> view;
  const HRESULT hr = platform::make_com(view, &model_, call.get_string(0));
  if (FAILED(hr)) return hr;
  views_.push_back(view.copy());
  call.set_result(static_cast<IDispatch*>(view.get()));
  return S_OK;
}

HRESULT ItemTray::close_view(const Call& call) {
  const auto object = call.get_unknown(0);
  if (!object) return E_INVALIDARG;
  platform::ComPtr<IUnknown> identity;
  if (FAILED(object->QueryInterface(IID_IUnknown, identity.put_void()))) return E_INVALIDARG;
  for (auto it = views_.begin(); it != views_.end(); ++it) {
    if ((*it)->identity() == identity.get()) {
      (*it)->detach();
      views_.erase(it);
      return S_OK;
    }
  }
  return S_FALSE;  // not a view of this tray, or closed already
}

HRESULT ItemTray::set_caption(const Call& call) {
  model_.caption = call.get_string(0);
  sync_window();
  return S_OK;
}

HRESULT ItemTray::command(const Call& call) {
  const auto changed = model_.command(call.get_long(0));
  if (!changed) return E_INVALIDARG;
  call.set_result(true);
  if (*changed) fire_contents_changed();
  sync_window();
  return S_OK;
}

HRESULT ItemTray::release_link(const Call& call) {
  const std::u16string link = call.get_string(0);
  const bool linked = !model_.link.empty() && model_.link == link;
  if (linked) {
    model_.link.clear();
    model_.clear();
    sync_window();
  }
  call.set_result(linked);
  return linked ? S_OK : S_FALSE;
}

HRESULT ItemTray::items(const Call& call) {
  if (!is_put(call)) {
    call.set_result(model_.items());
    return S_OK;
  }
  const HRESULT hr = model_.set_items(call.put_value());
  sync_window();
  return hr;
}

HRESULT ItemTray::count(const Call& call) {
  call.set_result(static_cast<LONG>(model_.count()));
  return S_OK;
}

HRESULT ItemTray::caption(const Call& call) {
  if (!is_put(call)) {
    call.set_result(std::u16string_view(model_.caption));
    return S_OK;
  }
  model_.caption = put_string(call);
  sync_window();
  return S_OK;
}

HRESULT ItemTray::remove_item(const Call& call) {
  if (!model_.remove(call.get_long(0))) return DISP_E_BADINDEX;
  fire_contents_changed();
  return S_OK;
}

HRESULT ItemTray::select(const Call& call) {
  const bool selected = call.has(1) ? call.get_bool(1) : true;
  if (!model_.select(call.get_long(0), selected)) return DISP_E_BADINDEX;
  sync_window();
  return S_OK;
}

HRESULT ItemTray::selected_count(const Call& call) {
  call.set_result(static_cast<LONG>(model_.selected_count()));
  return S_OK;
}

HRESULT ItemTray::linked_pane(const Call& call) {
  if (!is_put(call)) {
    call.set_result(std::u16string_view(model_.link));
    return S_OK;
  }
  model_.link = put_string(call);
  return S_OK;
}

HRESULT ItemTray::view_count(const Call& call) {
  call.set_result(static_cast<LONG>(views_.size()));
  return S_OK;
}

HRESULT ItemTray::drop(const Call& call) {
  const auto keep = platform::ComPtr<ItemTray>::borrow(this);
  auto data = call.get_unknown(0);
  VARIANT_BOOL answer = VARIANT_FALSE;
  std::array<VARIANT, 2> ask{};
  ask[0].vt = VT_UNKNOWN;
  ask[0].punkVal = data.get();
  ask[1].vt = VT_BYREF | VT_BOOL;
  ask[1].pboolVal = &answer;
  (void)fire_event(host::kTrayEventCanDrop, ask);
  const bool accepted = answer != VARIANT_FALSE;
  if (accepted) (void)fire_event(host::kTrayEventDropped, std::span<const VARIANT>(ask.data(), 1));
  call.set_result(accepted);
  return S_OK;
}

HRESULT ItemTray::context_menu(const Call& call) {
  on_context_menu(POINT{call.get_long(0), call.get_long(1)});
  return S_OK;
}

HRESULT ItemTray::window_handle(const Call& call) {
  call.set_result(static_cast<LONG>(reinterpret_cast<LONG_PTR>(control_window())));
  return S_OK;
}

// ---- views -------------------------------------------------------------------------------

std::span<const DispatchMember<TrayView>> TrayView::dispatch_members() {
  using V = TrayView;
  static constexpr std::array<DispatchMember<V>, 4> kMembers{{
      {host::kTrayViewKind, u"Kind", kGet, &V::kind},
      {host::kTrayViewRefresh, u"Refresh", kMethod, &V::refresh},
      {host::kTrayViewShown, u"Shown", kGet, &V::shown},
      {host::kTrayViewRefreshes, u"Refreshes", kGet, &V::refreshes},
  }};
  return kMembers;
}

HRESULT TrayView::kind(const platform::DispatchCall& call) {
  call.set_result(std::u16string_view(kind_));
  return S_OK;
}

HRESULT TrayView::refresh(const platform::DispatchCall&) {
  if (!tray_) return E_UNEXPECTED;  // closed
  shown_ = static_cast<LONG>(tray_->count());
  ++refreshes_;
  return S_OK;
}

HRESULT TrayView::shown(const platform::DispatchCall& call) {
  call.set_result(shown_);
  return S_OK;
}

HRESULT TrayView::refreshes(const platform::DispatchCall& call) {
  call.set_result(refreshes_);
  return S_OK;
}

HRESULT create_item_tray(REFIID riid, void** ppv) { return platform::create_com<ItemTray>(riid, ppv); }

}  // namespace suite::controls
