#include <cstring>

#include "platform/src/ui/dialog_template.h"
#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {

constexpr int base_unit_x = 8;
constexpr int base_unit_y = 16;

// MulDiv: the product divided with rounding half away from zero.
int mul_div(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

RECT to_pixels(short x, short y, short cx, short cy) {
  const int left = mul_div(x, base_unit_x, 4);
  const int top = mul_div(y, base_unit_y, 8);
  return RECT{left, top, left + mul_div(cx, base_unit_x, 4), top + mul_div(cy, base_unit_y, 8)};
}

DialogState* dialog_state(HWND handle) {
  Window* window = peek_window(handle);
  if (!window) return nullptr;
  if (!window->dialog) window->dialog = std::make_unique<DialogState>();
  return window->dialog.get();
}

DLGPROC dialog_proc_of(HWND handle) {
  Window* window = peek_window(handle);
  if (!window || window->extra.size() < DWLP_DLGPROC + sizeof(DLGPROC)) return nullptr;
  DLGPROC proc;
  std::memcpy(&proc, window->extra.data() + DWLP_DLGPROC, sizeof proc);
  return proc;
}

// Messages whose answer is the dialog procedure's return value rather than DWLP_MSGRESULT.
bool answers_directly(UINT message) {
  constexpr UINT compare_item = 0x0039, vkey_to_item = 0x002E, char_to_item = 0x002F, query_drag_icon = 0x0037;
  return message == WM_INITDIALOG || message == compare_item || message == vkey_to_item ||
         message == char_to_item || message == query_drag_icon ||
         (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

void save_focus(HWND dialog) {
  const HWND focus = GetFocus();
  if (focus && IsChild(dialog, focus)) dialog_state(dialog)->saved_focus = focus;
}

void restore_focus(HWND dialog) {
  HWND target = dialog_state(dialog)->saved_focus;
  if (!target || !IsWindow(target) || !IsChild(dialog, target)) target = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (target) SetFocus(target);
}

LRESULT default_dialog_processing(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  DialogState* state = dialog_state(hwnd);
  switch (message) {
    case WM_ERASEBKGND: {
      HDC hdc = reinterpret_cast<HDC>(wparam);
      auto brush = reinterpret_cast<HBRUSH>(SendMessageW(hwnd, WM_CTLCOLORDLG, wparam, reinterpret_cast<LPARAM>(hwnd)));
      if (!brush) brush = GetSysColorBrush(COLOR_3DFACE);
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(hdc, &client, brush);
      return 1;
    }
    case WM_SHOWWINDOW:
      if (!wparam) save_focus(hwnd);
      return DefWindowProcW(hwnd, message, wparam, lparam);
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        save_focus(hwnd);
      } else {
        restore_focus(hwnd);
      }
      return 0;
    case WM_SETFOCUS:
      restore_focus(hwnd);
      return 0;
    case DM_SETDEFID:
      state->default_id = static_cast<WORD>(wparam);
      return TRUE;
    case DM_GETDEFID:
      return state->default_id ? MAKELRESULT(state->default_id, DC_HASDEFID) : 0;
    case WM_NEXTDLGCTL: {
      HWND target = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam)
                                   : GetNextDlgTabItem(hwnd, GetFocus(), wparam ? TRUE : FALSE);
      if (target) SetFocus(target);
      return 0;
    }
    case WM_CLOSE: {
      // Closing a dialog is clicking its Cancel button, which must then be available.
      HWND cancel = GetDlgItem(hwnd, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
      } else {
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      }
      return 0;
    }
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wparam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state->font);
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

HWND create_controls(HWND dialog, const DialogTemplate& parsed, HINSTANCE instance, HFONT font) {
  for (const TemplateItem& item : parsed.items) {
    LPCWSTR class_name = item.window_class.is_ordinal ? predefined_class_name(item.window_class.ordinal)
                                                      : item.window_class.as_argument();
    if (item.window_class.is_ordinal && !class_name) class_name = MAKEINTATOM(item.window_class.ordinal);
    const RECT r = to_pixels(item.x, item.y, item.cx, item.cy);
    HWND control = CreateWindowExW(item.ex_style | WS_EX_NOPARENTNOTIFY, class_name, item.title.as_argument(),
                                   item.style | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance,
                                   const_cast<WORD*>(item.creation_data));
    if (!IsWindow(dialog)) return nullptr;
    if (!control) {
      if (parsed.style & DS_NOFAILCREATE) continue;
      return nullptr;
    }
    if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
      dialog_state(dialog)->default_id = static_cast<WORD>(item.id);
    }
  }
  return dialog;
}

}  // namespace

std::u16string dialog_label(HWND dialog) {
  Window* window = peek_window(dialog);
  if (!window) return u"(destroyed)";
  if (!window->text.empty()) return u"\"" + window->text + u"\"";
  if (window->dialog && window->dialog->help_id) {
    std::string id = std::to_string(window->dialog->help_id);
    return u"with help id " + std::u16string(id.begin(), id.end()) + u" and no title";
  }
  std::string handle = std::to_string(reinterpret_cast<std::uintptr_t>(dialog));
  return u"(window " + std::u16string(handle.begin(), handle.end()) + u", no title)";
}

HWND create_dialog(HINSTANCE instance, const void* dialog_template, HWND parent, DLGPROC proc, LPARAM param,
                   bool modal) {
  const std::optional<DialogTemplate> parsed = parse_dialog_template(dialog_template);
  if (!parsed) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  DWORD style = parsed->style;
  DWORD ex_style = parsed->ex_style;
  if (style & DS_MODALFRAME) ex_style |= WS_EX_DLGMODALFRAME;
  if (style & DS_CONTROL) {
    style &= ~(WS_CAPTION | WS_SYSMENU);
    ex_style |= WS_EX_CONTROLPARENT;
  }
  if (modal) style &= ~WS_CHILD;

  HFONT font = nullptr;
  if (parsed->has_font) {
    font = create_dialog_font(parsed->face, parsed->point_size, parsed->weight, parsed->italic, parsed->charset);
  }
  RECT frame = to_pixels(0, 0, parsed->cx, parsed->cy);
  AdjustWindowRectEx(&frame, style, parsed->menu.present, ex_style);
  const RECT origin = to_pixels(parsed->x, parsed->y, 0, 0);
  int x = origin.left + frame.left;
  int y = origin.top + frame.top;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  if (!(style & WS_CHILD)) {
    if (style & DS_CENTER) {
      x = (screen_width - width) / 2;
      y = (screen_height - height) / 2;
    } else if (!(style & DS_ABSALIGN) && parent) {
      POINT owner_origin{0, 0};
      ClientToScreen(parent, &owner_origin);
      x += owner_origin.x;
      y += owner_origin.y;
    }
  }

  auto state = std::make_unique<DialogState>();
  state->font = font;
  state->owns_font = font != nullptr;
  state->modal = modal;
  state->help_id = parsed->help_id;
  thread_state().pending_dialog = std::move(state);
  LPCWSTR class_name = parsed->window_class.present ? parsed->window_class.as_argument()
                                                    : MAKEINTATOM(dialog_class_atom);
  HWND dialog = CreateWindowExW(ex_style, class_name, parsed->title.as_argument(), style & ~WS_VISIBLE, x, y, width,
                                height, parent, nullptr, instance, nullptr);
  if (thread_state().pending_dialog) {  // creation failed before a window took it
    thread_state().pending_dialog.reset();
    if (font) DeleteObject(font);
    return nullptr;
  }
  if (!dialog) return nullptr;

  SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  if (font) SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  if (!IsWindow(dialog)) return nullptr;
  if (!create_controls(dialog, *parsed, instance, font)) {
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return nullptr;
  }
  HWND focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
  const LRESULT wants_focus = SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), param);
  if (!IsWindow(dialog)) return nullptr;
  if (wants_focus && focus && IsWindow(focus) && (!(style & DS_CONTROL) || (style & WS_VISIBLE))) SetFocus(focus);
  DialogState* after = dialog_state(dialog);
  if (!modal && (parsed->style & WS_VISIBLE) && !after->ended) ShowWindow(dialog, SW_SHOWNORMAL);
  return IsWindow(dialog) ? dialog : nullptr;
}

}  // namespace platform::ui::detail

namespace platform::ui {

bool is_dialog(HWND window) {
  detail::Window* target = detail::peek_window(window);
  return target && target->dialog != nullptr;
}

}  // namespace platform::ui

using namespace platform::ui::detail;

extern "C" HWND WINAPI CreateDialogIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW lpTemplate, HWND hWndParent,
                                                  DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  if (hWndParent && !window_for_call(hWndParent)) return nullptr;
  return create_dialog(hInstance, lpTemplate, hWndParent, lpDialogFunc, dwInitParam, false);
}

extern "C" LRESULT WINAPI DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (!window_for_call(hDlg)) return 0;
  if (DLGPROC proc = dialog_proc_of(hDlg)) {
    SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, 0);
    const INT_PTR handled = proc(hDlg, Msg, wParam, lParam);
    if (!peek_window(hDlg)) return handled;
    if (handled) return answers_directly(Msg) ? handled : GetWindowLongPtrW(hDlg, DWLP_MSGRESULT);
  }
  return default_dialog_processing(hDlg, Msg, wParam, lParam);
}

extern "C" HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
  Window* dialog = window_for_call(hDlg);
  if (!dialog) return nullptr;
  for (HWND child : dialog->children) {
    Window* control = peek_window(child);
    if (control && static_cast<int>(control->id) == nIDDlgItem) return child;
  }
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

extern "C" int WINAPI GetDlgCtrlID(HWND hWnd) {
  Window* window = window_for_call(hWnd);
  if (!window) return 0;
  return (window->style & WS_CHILD) ? static_cast<int>(window->id) : 0;
}

extern "C" BOOL WINAPI SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString) {
  HWND control = GetDlgItem(hDlg, nIDDlgItem);
  return control ? SetWindowTextW(control, lpString) : FALSE;
}

extern "C" UINT WINAPI GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax) {
  if (lpString && cchMax > 0) lpString[0] = u'\0';
  HWND control = GetDlgItem(hDlg, nIDDlgItem);
  return control ? static_cast<UINT>(GetWindowTextW(control, lpString, cchMax)) : 0;
}

extern "C" LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
  HWND control = GetDlgItem(hDlg, nIDDlgItem);
  return control ? SendMessageW(control, Msg, wParam, lParam) : 0;
}

extern "C" BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
  HWND control = GetDlgItem(hDlg, nIDButton);
  if (!control) return FALSE;
  SendMessageW(control, BM_SETCHECK, uCheck, 0);
  return TRUE;
}

extern "C" UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
  HWND control = GetDlgItem(hDlg, nIDButton);
  return control ? static_cast<UINT>(SendMessageW(control, BM_GETCHECK, 0, 0)) : 0;
}

extern "C" HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  Window* dialog = window_for_call(hDlg);
  if (!dialog) return nullptr;
  std::vector<HWND> stops;
  for (HWND child : dialog->children) {
    Window* control = peek_window(child);
    if (control && (control->style & WS_TABSTOP) && (control->style & WS_VISIBLE) &&
        !(control->style & WS_DISABLED)) {
      stops.push_back(child);
    }
  }
  if (stops.empty()) return hCtl;
  const auto count = static_cast<std::ptrdiff_t>(stops.size());
  std::ptrdiff_t at = -1;
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    if (stops[static_cast<std::size_t>(i)] == hCtl) at = i;
  }
  if (at < 0) {
    // Start from the control's place among all children when it is no tab stop itself.
    return bPrevious ? stops.back() : stops.front();
  }
  const std::ptrdiff_t next = bPrevious ? (at - 1 + count) % count : (at + 1) % count;
  return stops[static_cast<std::size_t>(next)];
}

extern "C" BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
  Window* dialog = window_for_call(hDlg);
  if (!dialog || !lpRect) return FALSE;
  if (!dialog->dialog) {
    SetLastError(ERROR_WINDOW_NOT_DIALOG);
    return FALSE;
  }
  lpRect->left = mul_div(lpRect->left, base_unit_x, 4);
  lpRect->right = mul_div(lpRect->right, base_unit_x, 4);
  lpRect->top = mul_div(lpRect->top, base_unit_y, 8);
  lpRect->bottom = mul_div(lpRect->bottom, base_unit_y, 8);
  return TRUE;
}

extern "C" LONG WINAPI GetDialogBaseUnits() { return MAKELONG(base_unit_x, base_unit_y); }
