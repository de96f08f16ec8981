#include "suite/controls/skinned_control.h"

#include <algorithm>
#include <array>

#include "platform/wingdi.h"
#include "suite/controls/folder_browse_dialog.h"
#include "suite/controls/put_values.h"

namespace suite::controls {
namespace {

using platform::DispatchMember;
using K = SkinnedControlKind;

constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kGetPut = DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT;
constexpr WORD kMethod = DISPATCH_METHOD;

ClickOutcome clicked() {
  ClickOutcome outcome;
  outcome.fires = true;
  return outcome;
}

bool is_put(const platform::DispatchCall& call) { return (call.flags() & DISPATCH_PROPERTYPUT) != 0; }

}  // namespace

std::u16string_view kind_name(SkinnedControlKind kind) noexcept {
  switch (kind) {
    case K::bullet_button: return u"bullet button";
    case K::push_button: return u"button";
    case K::check_box: return u"check box";
    case K::choice: return u"choice";
    case K::two_state_choice: return u"two-state choice";
    case K::heading: return u"heading";
    case K::static_text: return u"static text";
    case K::number_box: return u"number box";
    case K::text_box: return u"text box";
    case K::list: return u"list";
    case K::combo_box: return u"combo box";
    case K::progress_bar: return u"progress bar";
    case K::tab_control: return u"tab control";
    case K::folder_chooser: return u"folder chooser";
  }
  return u"control";
}

SkinnedControl::SkinnedControl(SkinnedControlKind kind)
    : ActiveXControl({host::DIID_SkinControlEvents}), model_(kind) {}

SkinnedControl::~SkinnedControl() { destroy_control_window(); }

STDMETHODIMP SkinnedControl::QueryInterface(REFIID riid, void** ppv) {
  if (ppv && ((IsEqualGUID(riid, IID_ISkinAutoSize) && !offers_auto_size()) ||
              (IsEqualGUID(riid, IID_ISkinButtonAutoSize) && !offers_button_auto_size()) ||
              (IsEqualGUID(riid, IID_ISkinIdealSize) && !offers_auto_size() && !offers_button_auto_size()))) {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  return Base::QueryInterface(riid, ppv);
}

STDMETHODIMP SkinnedControl::DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                                    LPCRECT pos) {
  const HRESULT hr = Base::DoVerb(verb, msg, site, index, parent, pos);
  if (SUCCEEDED(hr) && hr != OLEOBJ_S_INVALIDVERB) {
    hidden_by_container_ = verb == OLEIVERB_HIDE;
    sync_window();
  }
  return hr;
}

bool SkinnedControl::offers_auto_size() const noexcept {
  switch (model_.kind()) {
    case K::check_box:
    case K::choice:
    case K::two_state_choice:
    case K::heading:
    case K::static_text:
      return true;
    default:
      return false;
  }
}

bool SkinnedControl::offers_button_auto_size() const noexcept { return model_.is_button(); }

STDMETHODIMP SkinnedControl::SetAutoSizeMode(LONG mode) {
  if (mode < host::kAutoSizeNone || mode > host::kAutoSizeHeight) return E_INVALIDARG;
  model_.auto_size_mode = mode;
  sync_window();
  return S_OK;
}

STDMETHODIMP SkinnedControl::GetAutoSizeMode(LONG* mode) {
  if (!mode) return E_POINTER;
  *mode = model_.auto_size_mode;
  return S_OK;
}

STDMETHODIMP SkinnedControl::GetIdealHeight(LONG width, LONG* height) {
  if (!height) return E_POINTER;
  *height = 0;
  if (width < 1) return E_INVALIDARG;
  return platform::com_boundary([&] {
    switch (model_.auto_size_mode) {
      case host::kAutoSizeWidth: {
        const std::u16string shown = model_.display_text();
        *height = model_.ideal_height(natural_width(shown, model_.text_box()));
        break;
      }
      case host::kAutoSizeHeight:
        *height = model_.ideal_height(width);
        break;
      default:
        if (HWND own = control_window()) {
          RECT rect{};
          GetWindowRect(own, &rect);
          *height = rect.bottom - rect.top;
        } else {
          *height = model_.ideal_height(width);
        }
        break;
    }
    return S_OK;
  });
}

std::span<const DispatchMember<SkinnedControl>> SkinnedControl::dispatch_members() {
  using S = SkinnedControl;
  static constexpr std::array<DispatchMember<S>, 23> kMembers{{
      {host::kSkinText, u"Text", kGetPut, &S::text},
      {host::kSkinEnabled, u"Enabled", kGetPut, &S::enabled},
      {host::kSkinVisible, u"Visible", kGetPut, &S::visible},
      {host::kSkinState, u"State", kGetPut, &S::state},
      {host::kSkinToolTip, u"ToolTip", kGetPut, &S::tooltip},
      {host::kSkinDefaultButton, u"DefaultButton", kGetPut, &S::default_button},
      {host::kSkinImage, u"Image", kGetPut, &S::image},
      {host::kSkinValue, u"Value", kGetPut, &S::value},
      {host::kSkinMinimum, u"Minimum", kGet, &S::minimum},
      {host::kSkinMaximum, u"Maximum", kGet, &S::maximum},
      {host::kSkinSetRange, u"SetRange", kMethod, &S::set_range},
      {host::kSkinAddItem, u"AddItem", kMethod, &S::add_item},
      {host::kSkinClear, u"Clear", kMethod, &S::clear},
      {host::kSkinItemCount, u"ItemCount", kGet, &S::item_count},
      {host::kSkinSelectedIndex, u"SelectedIndex", kGetPut, &S::selected_index},
      {host::kSkinItemText, u"ItemText", kGet, &S::item_text},
      {host::kSkinItemData, u"ItemData", kGet, &S::item_data},
      {host::kSkinSecondText, u"SecondText", kGetPut, &S::second_text},
      {host::kSkinCaret, u"Caret", kGetPut, &S::caret},
      {host::kSkinFolder, u"Folder", kGetPut, &S::folder},
      {host::kSkinBrowse, u"Browse", kMethod, &S::browse},
      {host::kSkinSelectedTab, u"SelectedTab", kGetPut, &S::selected_tab},
      {host::kSkinWindow, u"hWnd", kGet, &S::window_handle},
  }};
  return kMembers;
}

// ---- window ------------------------------------------------------------------------------

HWND SkinnedControl::CreateControlWindow(HWND parent, const RECT& pos) {
  const bool takes_focus = model_.is_button() || model_.kind() == K::check_box || model_.kind() == K::choice ||
                           model_.kind() == K::two_state_choice || model_.kind() == K::text_box ||
                           model_.kind() == K::number_box;
  HWND window = create_control_window(this, parent, pos, 0, takes_focus ? WS_TABSTOP : 0);
  if (!window) return nullptr;
  const std::u16string shown_text = model_.display_text();
  SetWindowTextW(window, shown_text.c_str());
  EnableWindow(window, model_.enabled && !(model_.is_button() && model_.state() == host::kButtonNotAvailable));
  return window;
}

void SkinnedControl::on_window_destroyed() { window_destroyed(); }

void SkinnedControl::sync_window() {
  HWND own = control_window();
  if (!own) return;
  const std::u16string shown_text = model_.display_text();
  SetWindowTextW(own, shown_text.c_str());
  EnableWindow(own, model_.enabled && !(model_.is_button() && model_.state() == host::kButtonNotAvailable));
  ShowWindow(own, model_.shown() && !hidden_by_container_ ? SW_SHOWNA : SW_HIDE);
  InvalidateRect(own, nullptr, TRUE);
}

HRESULT SkinnedControl::OnDraw(HDC dc, const RECT& bounds) {
  draw(dc, bounds);
  return S_OK;
}

void SkinnedControl::on_paint(HDC dc, const RECT& client) { draw(dc, client); }

void SkinnedControl::draw(HDC dc, const RECT& client) const {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  RECT text_rect = client;
  text_rect.left += model_.text_box().left_inset;
  const std::u16string shown_text = model_.display_text();
  DrawTextW(dc, shown_text.c_str(), static_cast<int>(shown_text.size()), &text_rect, DT_WORDBREAK);
}

// ---- user actions and events -------------------------------------------------------------

void SkinnedControl::fire_click(const ClickOutcome& outcome) {
  if (!outcome.fires) return;
  if (outcome.state) {
    const platform::Variant argument(*outcome.state);
    (void)fire_event(host::kEventClick, std::span<const VARIANT>(argument.get(), 1));
  } else if (outcome.tab) {
    const platform::Variant argument(std::u16string_view(*outcome.tab));
    (void)fire_event(host::kEventClick, std::span<const VARIANT>(argument.get(), 1));
  } else {
    (void)fire_event(host::kEventClick);
  }
}

void SkinnedControl::fire_change() { (void)fire_event(host::kEventChange); }

void SkinnedControl::on_click() {
  // A sink may release the last outside reference while it handles the event.
  const auto keep = platform::ComPtr<SkinnedControl>::borrow(this);
  (void)platform::com_boundary([&] {
    const ClickOutcome outcome = model_.click();
    sync_window();
    fire_click(outcome);
    return S_OK;
  });
}

void SkinnedControl::on_key(WPARAM key) {
  if (key == VK_RETURN && (model_.kind() == K::text_box || model_.kind() == K::number_box)) {
    if (!model_.available()) return;
    const auto keep = platform::ComPtr<SkinnedControl>::borrow(this);
    (void)platform::com_boundary([&] {
      fire_click(clicked());
      return S_OK;
    });
  } else if (key == VK_SPACE || key == VK_RETURN) {
    on_click();
  }
}

bool SkinnedControl::user_type(std::u16string_view typed) {
  if (!model_.available() || (model_.kind() != K::text_box && model_.kind() != K::number_box)) return false;
  if (model_.kind() == K::number_box) {
    const auto number = parse_number(typed);
    if (!number) return false;
    model_.set_value(*number);
  } else {
    model_.text.assign(typed);
    model_.set_caret(static_cast<LONG>(model_.text.size()));
  }
  const auto keep = platform::ComPtr<SkinnedControl>::borrow(this);
  return SUCCEEDED(platform::com_boundary([&] {
    sync_window();
    fire_change();
    return S_OK;
  }));
}

bool SkinnedControl::user_choose(LONG index) {
  if (!model_.available() || !model_.has_items()) return false;
  if (index < 0 || static_cast<std::size_t>(index) >= model_.items().size()) return false;
  (void)model_.select(index);
  ClickOutcome outcome = clicked();
  if (model_.kind() == K::tab_control) outcome.tab = model_.selected_tab();
  const auto keep = platform::ComPtr<SkinnedControl>::borrow(this);
  return SUCCEEDED(platform::com_boundary([&] {
    sync_window();
    fire_click(outcome);
    return S_OK;
  }));
}

bool SkinnedControl::user_choose_folder(std::u16string_view chosen) {
  if (!model_.available() || model_.kind() != K::folder_chooser || !folder_exists(chosen)) return false;
  model_.folder.assign(chosen);
  const auto keep = platform::ComPtr<SkinnedControl>::borrow(this);
  return SUCCEEDED(platform::com_boundary([&] {
    sync_window();
    fire_click(clicked());
    return S_OK;
  }));
}

bool SkinnedControl::folder_exists(std::u16string_view path) { return is_existing_folder(path); }

std::u16string SkinnedControl::describe() const {
  std::u16string out(kind_name(model_.kind()));
  if (const int id = control_id(control_window())) out += u" " + format_number(id);
  std::u16string shown = model_.display_text();
  std::replace(shown.begin(), shown.end(), u'\n', u'|');
  out += u" \"" + shown + u"\"";
  if (model_.has_state()) out += u" state " + format_number(model_.state());
  if (model_.kind() == K::number_box)
    out += u" range " + format_number(model_.minimum()) + u".." + format_number(model_.maximum());
  if (model_.kind() == K::progress_bar)
    out += u" at " + format_number(model_.value()) + u" of " + format_number(model_.minimum()) + u".." +
           format_number(model_.maximum());
  if (model_.has_items()) {
    out += u" entries " + format_number(static_cast<double>(model_.items().size())) + u" selected " +
           format_number(model_.selected_index());
    if (model_.kind() == K::tab_control) out += u" tab \"" + model_.selected_tab() + u"\"";
  }
  if (model_.kind() == K::folder_chooser) out += u" folder \"" + model_.folder + u"\"";
  if (!model_.image.empty()) out += u" image " + model_.image;
  if (model_.default_button) out += u" default";
  if (!model_.tooltip.empty()) out += u" tooltip \"" + model_.tooltip + u"\"";
  if (!model_.enabled) out += u" disabled";
  if (!model_.shown()) out += u" hidden";
  return out;
}

// ---- automation members ------------------------------------------------------------------

HRESULT SkinnedControl::text(const Call& call) {
  if (model_.kind() == K::number_box) {
    if (!is_put(call)) {
      call.set_result(std::u16string_view(model_.display_text()));
      return S_OK;
    }
    const auto number = parse_number(put_string(call));
    if (!number) return DISP_E_TYPEMISMATCH;
    model_.set_value(*number);
  } else if (!is_put(call)) {
    call.set_result(std::u16string_view(model_.text));
    return S_OK;
  } else {
    model_.text = put_string(call);
    model_.set_caret(model_.caret());
  }
  sync_window();
  return S_OK;
}

HRESULT SkinnedControl::enabled(const Call& call) {
  if (!is_put(call)) {
    call.set_result(model_.enabled);
    return S_OK;
  }
  model_.enabled = put_bool(call);
  sync_window();
  return S_OK;
}

HRESULT SkinnedControl::visible(const Call& call) {
  if (!is_put(call)) {
    call.set_result(model_.visible);
    return S_OK;
  }
  model_.visible = put_bool(call);
  sync_window();
  return S_OK;
}

HRESULT SkinnedControl::state(const Call& call) {
  if (!model_.has_state()) return DISP_E_MEMBERNOTFOUND;
  if (!is_put(call)) {
    call.set_result(model_.state());
    return S_OK;
  }
  const HRESULT hr = model_.set_state(put_long(call));
  sync_window();
  return hr;
}

HRESULT SkinnedControl::tooltip(const Call& call) {
  if (!is_put(call)) {
    call.set_result(std::u16string_view(model_.tooltip));
    return S_OK;
  }
  model_.tooltip = put_string(call);
  return S_OK;
}

HRESULT SkinnedControl::default_button(const Call& call) {
  if (!model_.is_button()) return DISP_E_MEMBERNOTFOUND;
  if (!is_put(call)) {
    call.set_result(model_.default_button);
    return S_OK;
  }
  model_.default_button = put_bool(call);
  sync_window();
  return S_OK;
}

HRESULT SkinnedControl::image(const Call& call) {
  if (model_.kind() != K::heading && !model_.is_button()) return DISP_E_MEMBERNOTFOUND;
  if (!is_put(call)) {
    call.set_result(std::u16string_view(model_.image));
    return S_OK;
  }
  model_.image = put_string(call);
  sync_window();
  return S_OK;
}

HRESULT SkinnedControl::value(const Call& call) {
  switch (model_.kind()) {
    case K::number_box:
      if (!is_put(call)) {
        call.set_result(platform::Variant(model_.value()));
        return S_OK;
      }
      model_.set_value(put_double(call));
      break;
    case K::progress_bar:
      if (!is_put(call)) {
        call.set_result(static_cast<LONG>(model_.value()));
        return S_OK;
      }
      model_.set_value(put_long(call));
      break;
    case K::choice:
      if (!is_put(call)) {
        call.set_result(model_.choice_value());
        return S_OK;
      }
      if (const HRESULT hr = model_.set_choice_value(put_long(call)); FAILED(hr)) return hr;
      break;
    case K::check_box:
    case K::two_state_choice:
      return state(call);
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
  sync_window();
  return S_OK;
}

HRESULT SkinnedControl::minimum(const Call& call) {
  if (!model_.has_range()) return DISP_E_MEMBERNOTFOUND;
  if (model_.kind() == K::progress_bar)
    call.set_result(static_cast<LONG>(model_.minimum()));
  else
    call.set_result(platform::Variant(model_.minimum()));
  return S_OK;
}

HRESULT SkinnedControl::maximum(const Call& call) {
  if (!model_.has_range()) return DISP_E_MEMBERNOTFOUND;
  if (model_.kind() == K::progress_bar)
    call.set_result(static_cast<LONG>(model_.maximum()));
  else
    call.set_result(platform::Variant(model_.maximum()));
  return S_OK;
}

HRESULT SkinnedControl::set_range(const Call& call) {
  if (!model_.has_range()) return DISP_E_MEMBERNOTFOUND;
  double low = get_double(call, 0);
  double high = get_double(call, 1);
  if (model_.kind() == K::progress_bar) {
    low = static_cast<double>(static_cast<LONG>(low));
    high = static_cast<double>(static_cast<LONG>(high));
  }
  const HRESULT hr = model_.set_range(low, high);
  sync_window();
  return hr;
}

HRESULT SkinnedControl::add_item(const Call& call) {
  if (!model_.has_items()) return DISP_E_MEMBERNOTFOUND;
  std::u16string data = call.has(1) ? call.get_string(1) : std::u16string();
  call.set_result(model_.add_item(call.get_string(0), std::move(data)));
  sync_window();
  return S_OK;
}

HRESULT SkinnedControl::clear(const Call&) {
  if (!model_.has_items()) return DISP_E_MEMBERNOTFOUND;
  model_.clear_items();
  sync_window();
  return S_OK;
}

HRESULT SkinnedControl::item_count(const Call& call) {
  if (!model_.has_items()) return DISP_E_MEMBERNOTFOUND;
  call.set_result(static_cast<LONG>(model_.items().size()));
  return S_OK;
}

HRESULT SkinnedControl::selected_index(const Call& call) {
  if (!model_.has_items()) return DISP_E_MEMBERNOTFOUND;
  if (!is_put(call)) {
    call.set_result(model_.selected_index());
    return S_OK;
  }
  const bool selected = model_.select(put_long(call));
  sync_window();
  return selected ? S_OK : S_FALSE;
}

HRESULT SkinnedControl::item_text(const Call& call) {
  if (!model_.has_items()) return DISP_E_MEMBERNOTFOUND;
  const LONG index = call.get_long(0);
  if (index < 0 || static_cast<std::size_t>(index) >= model_.items().size()) return DISP_E_BADINDEX;
  call.set_result(std::u16string_view(model_.items()[static_cast<std::size_t>(index)].text));
  return S_OK;
}

HRESULT SkinnedControl::item_data(const Call& call) {
  if (!model_.has_items()) return DISP_E_MEMBERNOTFOUND;
  const LONG index = call.get_long(0);
  if (index < 0 || static_cast<std::size_t>(index) >= model_.items().size()) return DISP_E_BADINDEX;
  call.set_result(std::u16string_view(model_.items()[static_cast<std::size_t>(index)].data));
  return S_OK;
}

HRESULT SkinnedControl::second_text(const Call& call) {
  if (model_.kind() != K::two_state_choice) return DISP_E_MEMBERNOTFOUND;
  if (!is_put(call)) {
    call.set_result(std::u16string_view(model_.second_text));
    return S_OK;
  }
  model_.second_text = put_string(call);
  sync_window();
  return S_OK;
}

HRESULT SkinnedControl::caret(const Call& call) {
  if (model_.kind() != K::text_box) return DISP_E_MEMBERNOTFOUND;
  if (!is_put(call)) {
    call.set_result(model_.caret());
    return S_OK;
  }
  model_.set_caret(put_long(call));
  return S_OK;
}

HRESULT SkinnedControl::folder(const Call& call) {
  if (model_.kind() != K::folder_chooser) return DISP_E_MEMBERNOTFOUND;
  if (!is_put(call)) {
    call.set_result(std::u16string_view(model_.folder));
    return S_OK;
  }
  std::u16string wanted = put_string(call);
  if (!folder_exists(wanted)) return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
  model_.folder = std::move(wanted);
  sync_window();
  return S_OK;
}

HRESULT SkinnedControl::browse(const Call& call) {
  if (model_.kind() != K::folder_chooser) return DISP_E_MEMBERNOTFOUND;
  const std::u16string start = call.has(0) ? call.get_string(0) : model_.folder;
  const HWND owner = call.has(1) ? reinterpret_cast<HWND>(static_cast<LONG_PTR>(call.get_long(1))) : nullptr;
  const LONG flags = call.has(2) ? call.get_long(2) : 0;
  const auto keep = platform::ComPtr<SkinnedControl>::borrow(this);
  const auto chosen = browse_for_folder(owner, start, flags);
  if (!chosen) {
    call.set_result(std::u16string_view());
    return S_FALSE;
  }
  model_.folder = *chosen;
  sync_window();
  call.set_result(std::u16string_view(*chosen));
  return S_OK;
}

HRESULT SkinnedControl::selected_tab(const Call& call) {
  if (model_.kind() != K::tab_control) return DISP_E_MEMBERNOTFOUND;
  if (!is_put(call)) {
    call.set_result(std::u16string_view(model_.selected_tab()));
    return S_OK;
  }
  if (!model_.select_tab(put_string(call))) return E_INVALIDARG;
  sync_window();
  return S_OK;
}

HRESULT SkinnedControl::window_handle(const Call& call) {
  call.set_result(static_cast<LONG>(reinterpret_cast<LONG_PTR>(control_window())));
  return S_OK;
}

HRESULT create_skinned_control(SkinnedControlKind kind, REFIID riid, void** ppv) {
  return platform::create_com<SkinnedControl>(riid, ppv, kind);
}

}  // namespace suite::controls
