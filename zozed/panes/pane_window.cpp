#include "zozed/panes/pane_window.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "host/environment.h"
#include "host/skinned_controls.h"
#include "platform/dialog_template_builder.h"
#include "platform/objbase.h"
#include "platform/oleauto.h"
#include "platform/support/com_error.h"
#include "platform/support/variant.h"
#include "zozed/toolkit/control_event_sink.h"
#include "zozed/toolkit/ax_host_window.h"
#include "zozed/toolkit/host_template.h"
#include "zozed/toolkit/skin_store.h"

namespace zozed {
namespace {

constexpr const char16_t* kPaneSkinKey = u"ActivityPaneControl";
constexpr UINT kRedrawFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME;

RECT rect_in_parent(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int apply_rule(int current, int rule) {
  if (rule > 0) return rule;
  if (rule < 0) return std::min(current, -rule);
  return current;
}

// The auto-size interfaces of a skinned control: text controls have the first, buttons the second.
bool set_auto_size_mode(IUnknown* control, LONG mode) {
  if (auto text = platform::ComPtr<IUnknown>::borrow(control).As<ISkinAutoSize>()) {
    platform::check<ISkinAutoSize>(text->SetAutoSizeMode(mode));
    return true;
  }
  if (auto button = platform::ComPtr<IUnknown>::borrow(control).As<ISkinButtonAutoSize>()) {
    platform::check<ISkinButtonAutoSize>(button->SetAutoSizeMode(mode));
    return true;
  }
  return false;
}

}  // namespace

PaneWindow::PaneWindow(std::u16string pane_key)
    : SkinnedWindow(kPaneSkinKey),
      pane_key_(std::move(pane_key)),
      links_([this](int control_id, DISPID event, const DISPPARAMS& params) { OnChildEvent(control_id, event, params); }) {
  // A pane outside a host (no activity host registered) still works as a control.
  (void)CoCreateInstance(host::CLSID_ActivityHost, nullptr, CLSCTX_ALL, IID_IActivityHost,
                         activity_host_.put_void());
}

PaneWindow::~PaneWindow() { Destroy(); }

void PaneWindow::Destroy() noexcept {
  disconnect_child_events();
  if (HWND window = hwnd(); window && IsWindow(window)) DestroyWindow(window);
  detach_window();
}

HWND PaneWindow::Create(HWND parent, LONG template_id, const CLSID* environment) {
  if (hwnd()) return hwnd();
  toolkit::register_ax_window_class();
  std::optional<toolkit::HostTemplate> from_host;
  std::vector<WORD> empty_template;
  LPCDLGTEMPLATEW dialog_template = nullptr;
  init_data_.clear();
  HCURSOR busy = nullptr;
  platform::ComPtr<IClientEnvironment> host_environment;
  if (environment) {
    if (FAILED(CoCreateInstance(*environment, nullptr, CLSCTX_ALL, IID_IClientEnvironment,
                                host_environment.put_void())))
      return nullptr;
    busy = toolkit::host_busy_cursor(host_environment.get());
  } else {
    busy = LoadCursorW(nullptr, IDC_WAIT);
  }
  const toolkit::CursorScope wait(busy);
  if (host_environment) {
    from_host = toolkit::load_host_template(host_environment.get(), template_id);
    if (!from_host) return nullptr;
    init_data_ = std::move(from_host->init_data);
    dialog_template = from_host->get();
  } else {
    // The module carries no templates of its own; template 0 is an empty window.
    if (template_id != 0) return nullptr;
    platform::DialogTemplateBuilder empty;
    empty.style((parent ? WS_CHILD : WS_POPUP) | DS_CONTROL).rect(0, 0, 0, 0);
    empty_template = empty.build();
    dialog_template = platform::as_template(empty_template);
  }
  HWND window = CreateDialogIndirectParamW(nullptr, dialog_template, parent, &PaneWindow::dialog_proc,
                                           reinterpret_cast<LPARAM>(this));
  if (!window) detach_window();
  return window;
}

void PaneWindow::add_group(const LayoutItem* items, int count, LONG flags) {
  if (!items || count <= 0) return;
  groups_.push_back(LayoutGroup{items, count, flags});
}

void PaneWindow::bind_child_events(std::span<const int> control_ids) {
  event_ids_.insert(event_ids_.end(), control_ids.begin(), control_ids.end());
  if (hwnd()) connect_child_events();
}

INT_PTR CALLBACK PaneWindow::dialog_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* pane = reinterpret_cast<PaneWindow*>(lparam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    pane->attach_window(hwnd);
  }
  auto* pane = reinterpret_cast<PaneWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!pane) return FALSE;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    pane->disconnect_child_events();
    pane->detach_window();
    if (pane->on_destroyed) pane->on_destroyed();
    return FALSE;
  }
  return pane->handle(message, wparam, lparam);
}

INT_PTR PaneWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
  INT_PTR result = 0;
  if (message == WM_INITDIALOG) {
    initialise();
    if (OnMessage(message, wparam, lparam, result)) return result;
    return TRUE;
  }
  if (message == WM_DESTROY) disconnect_child_events();
  if (OnMessage(message, wparam, lparam, result)) return result;
  if (handle_skin_message(message, wparam, lparam, result)) return message == WM_SIZE ? FALSE : result;
  return FALSE;
}

void PaneWindow::initialise() {
  template_rects_.clear();
  for (HWND child = GetWindow(hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    template_rects_[GetDlgCtrlID(child)] = rect_in_parent(child);
  if (!init_data_.empty()) toolkit::apply_ax_init_data(hwnd(), init_data_);
  connect_child_events();
  OnSkinLoad();
  OnLayout();
}

void PaneWindow::OnSkinLoad() {
  SkinnedWindow::OnSkinLoad();
  top_ = 0;
  read_layout_values(u"ActivityPaneControl\\HorizLayout", false);
  read_layout_values(u"ActivityPaneControl\\VertLayout", true);
}

void PaneWindow::read_layout_values(std::u16string_view subkey, bool vertical) {
  platform::RegKey key;
  if (!toolkit::open_skin_key(subkey, key)) return;
  for (DWORD i = 0; i < static_cast<DWORD>(kLayoutSlots); ++i) {
    WCHAR name[256] = {};
    DWORD name_length = 256;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    const LSTATUS status =
        RegEnumValueW(key.get(), i, name, &name_length, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    // A value that is not a 32-bit number leaves its position as it was.
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) {
      if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) break;
      continue;
    }
    const int number = static_cast<int>(static_cast<LONG>(value));
    if (vertical) {
      const std::u16string_view text(name, name_length);
      const auto same = [&](std::u16string_view expected) {
        if (text.size() != expected.size()) return false;
        for (std::size_t c = 0; c < text.size(); ++c) {
          const auto fold = [](char16_t ch) { return (ch >= u'A' && ch <= u'Z') ? static_cast<char16_t>(ch + 32) : ch; };
          if (fold(text[c]) != fold(expected[c])) return false;
        }
        return true;
      };
      if (same(u"Top")) {
        top_ = number;
      } else if (same(u"BottomGap")) {
        bottom_gap_ = number;
      } else {
        vertical_[i] = number;
      }
    } else {
      horizontal_[i] = number;
    }
  }
}

LONG PaneWindow::size_control(HWND control, int x, int y, int width_rule, int height_rule, bool answer_width) {
  if (!control || !IsWindow(control)) return 0;
  const RECT now = rect_in_parent(control);
  const int width = apply_rule(now.right - now.left, width_rule);
  const int height = apply_rule(now.bottom - now.top, height_rule);
  const int new_x = x == kKeepCoordinate ? now.left : x;
  const int new_y = y == kKeepCoordinate ? now.top : y;
  if (new_x != now.left || new_y != now.top || width != now.right - now.left || height != now.bottom - now.top) {
    MoveWindow(control, new_x, new_y, width, height, FALSE);
    InvalidateRect(hwnd(), nullptr, TRUE);
    RedrawWindow(control, nullptr, nullptr, kRedrawFlags);
  }
  return answer_width ? width : height;
}

LONG PaneWindow::size_skinned_control(HWND control, int x, int y, int width_rule, int height_rule,
                                      bool answer_width) {
  const LONG width = size_control(control, x, y, width_rule, 0, true);
  int height = height_rule;
  if (auto sized = toolkit::ax_window_control(control).As<ISkinIdealSize>()) {
    LONG ideal = 0;
    platform::check<ISkinIdealSize>(sized->GetIdealHeight(width, &ideal));
    height = ideal;
  }
  const LONG placed_height = size_control(control, x, y, 0, height);
  return answer_width ? width : placed_height;
}

RECT PaneWindow::template_rect(int id) const {
  const auto found = template_rects_.find(id);
  if (found != template_rects_.end()) return found->second;
  HWND control = GetDlgItem(hwnd(), id);
  return control ? rect_in_parent(control) : RECT{};
}

int PaneWindow::template_distance(int upper_id, int lower_id) const {
  return template_rect(lower_id).top - template_rect(upper_id).bottom;
}

SIZE PaneWindow::place_item(int id, LONG item_flags, int x, int y, const RECT& client) {
  HWND control = GetDlgItem(hwnd(), id);
  if (!control) return SIZE{0, 0};
  const RECT from_template = template_rect(id);
  int width = client.right - from_template.left;
  if (const int k = item_indent(item_flags); k >= 1 && k <= kLayoutSlots) {
    x = client.left + horizontal_layout(k);
    width = client.right - client.left - horizontal_layout(k);
  }
  const RECT now = rect_in_parent(control);
  switch (item_sizing(item_flags)) {
    case kItemMoveOnly:
      size_control(control, x, y, 0, 0);
      return SIZE{now.right - now.left, now.bottom - now.top};
    case kItemTemplateWidthIdealHeight:
    case kItemStretchedIdealHeight: {
      const int wanted = item_sizing(item_flags) == kItemTemplateWidthIdealHeight
                             ? std::max<int>(1, from_template.right - from_template.left)
                             : std::max(1, width);
      auto skinned = toolkit::ax_window_control(control);
      if (skinned && set_auto_size_mode(skinned.get(), host::kAutoSizeHeight)) {
        LONG ideal = 0;
        if (auto sized = skinned.As<ISkinIdealSize>())
          platform::check<ISkinIdealSize>(sized->GetIdealHeight(wanted, &ideal));
        else
          ideal = now.bottom - now.top;
        const LONG height = size_control(control, x, y, wanted, std::max<LONG>(ideal, 0) == 0 ? 0 : ideal);
        return SIZE{wanted, height};
      }
      const LONG height = size_control(control, x, y, wanted, 0);
      return SIZE{wanted, height};
    }
    case kItemSharesRow:
    case kItemStretched: {
      const int stretched = std::max(0, width);
      const LONG height = size_control(control, x, y, stretched, 0);
      return SIZE{stretched, height};
    }
    default:
      return SIZE{0, 0};
  }
}

void PaneWindow::OnLayout() {
  if (!hwnd() || laying_out_) return;
  RECT client{};
  GetClientRect(hwnd(), &client);
  ShrinkClientRect(client);
  if (client.right <= client.left || client.bottom <= client.top) return;
  laying_out_ = true;
  const HRESULT hr = platform::com_boundary([&] {
    run_layout(client);
    return S_OK;
  });
  laying_out_ = false;
  (void)hr;  // a control that cannot report its size keeps where it was
}

void PaneWindow::run_layout(const RECT& client) {
  std::vector<const LayoutGroup*> rows;
  for (const LayoutGroup& group : groups_) {
    const auto items = group.item_span();
    if (items.empty()) continue;
    const LONG kind = group.flags & kGroupKindMask;
    if (kind != kGroupDownward && kind != kGroupUpward) {
      if (kind == kGroupRow) rows.push_back(&group);
      continue;
    }
    const bool upward = kind == kGroupUpward;
    // Upward groups are worked from their last item, which sits on the bottom margin.
    std::vector<LayoutItem> work(items.begin(), items.end());
    if (upward) std::reverse(work.begin(), work.end());
    int y = 0;
    if (upward) {
      const LayoutItem& first = work.front();
      const RECT from_template = template_rect(first.control_id);
      const SIZE size = place_item(first.control_id, first.flags, from_template.left, from_template.top, client);
      y = client.bottom - bottom_gap_ - size.cy;
    } else {
      y = (group.flags & kGroupStartsAtTop) ? client.top + top_ : template_rect(work.front().control_id).top;
    }
    const LayoutItem* previous = nullptr;
    LONG previous_height = 0;
    for (const LayoutItem& item : work) {
      const bool shares_row = previous && item_sizing(item.flags) == kItemSharesRow;
      if (previous && !shares_row) {
        const int k = item_gap(previous->flags);
        const int gap = k ? vertical_layout(k)
                          : (upward ? template_distance(item.control_id, previous->control_id)
                                    : template_distance(previous->control_id, item.control_id));
        y += upward ? -(gap + previous_height) : gap + previous_height;
      }
      const SIZE size = place_item(item.control_id, item.flags, template_rect(item.control_id).left, y, client);
      if (!shares_row) {
        previous = &item;
        previous_height = size.cy;
      }
    }
  }
  // Rows: the first item is a control of another group; the others follow it to the right,
  // keeping their template distances, shrunk so as not to pass the pane's right edge.
  for (const LayoutGroup* group : rows) {
    const auto items = group->item_span();
    HWND lead = GetDlgItem(hwnd(), items[0].control_id);
    if (!lead) continue;
    const RECT lead_now = rect_in_parent(lead);
    const RECT lead_template = template_rect(items[0].control_id);
    int edge = lead_now.right;
    int edge_template = lead_template.right;
    for (std::size_t i = 1; i < items.size(); ++i) {
      HWND control = GetDlgItem(hwnd(), items[i].control_id);
      if (!control) continue;
      const RECT from_template = template_rect(items[i].control_id);
      const int x = edge + (from_template.left - edge_template);
      const int y = lead_now.top + (from_template.top - lead_template.top);
      const int width = std::min<int>(from_template.right - from_template.left, std::max<int>(1, client.right - x));
      size_control(control, x, y, width, 0);
      edge = x + width;
      edge_template = from_template.right;
    }
  }
}

void PaneWindow::connect_child_events() {
  for (int id : event_ids_) (void)links_.link(id, GetDlgItem(hwnd(), id));
}

void PaneWindow::disconnect_child_events() noexcept { links_.unlink_all(); }

}  // namespace zozed
