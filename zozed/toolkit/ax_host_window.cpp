#include "zozed/toolkit/ax_host_window.h"

#include <cstring>
#include <string>

#include "host/control_classes.h"
#include "host/control_host_window.h"
#include "host/dialog_init_data.h"
#include "platform/combaseapi.h"
#include "platform/oleauto.h"
#include "platform/support/bstr.h"
#include "platform/support/control_host.h"

namespace zozed::toolkit {
namespace {

constexpr UINT kGetControl = host::kAxGetControl;

struct AxWindowState {
  platform::HostedControl control;
};

HRESULT resolve_control_class(std::u16string_view name, CLSID& clsid) {
  if (!name.empty() && name.front() != u'{') {
    if (const CLSID* known = host::control_class_from_prog_id(name)) {
      clsid = *known;
      return S_OK;
    }
  }
  return platform::control_class_of(name, clsid);
}

LRESULT CALLBACK ax_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<AxWindowState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new AxWindowState));
      break;
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
      CLSID clsid{};
      // A window whose control cannot be made stays, empty, as the dialog expects its child.
      if (state && create->lpszName && SUCCEEDED(resolve_control_class(create->lpszName, clsid)))
        (void)state->control.create(clsid, hwnd, RECT{0, 0, create->cx, create->cy});
      return 0;
    }
    case WM_SIZE:
      if (state && state->control) (void)state->control.move(RECT{0, 0, LOWORD(lparam), HIWORD(lparam)});
      return 0;
    case kGetControl:
      if (state && state->control) {
        state->control.unknown()->AddRef();
        return reinterpret_cast<LRESULT>(state->control.unknown());
      }
      return 0;
    case WM_DESTROY:
      if (state) state->control.destroy();
      return 0;
    case WM_NCDESTROY:
      delete state;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

// Class names compare without regard to case.
bool same_class_name(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

// The class lives while the module does: its procedure is the module's code.
struct ClassRegistration {
  ~ClassRegistration() { UnregisterClassW(kAxWindowClass, nullptr); }
};

void put_property(IDispatch* dispatch, std::u16string_view line) {
  const auto equals = line.find(u'=');
  if (equals == std::u16string_view::npos || equals == 0) return;
  std::u16string name(line.substr(0, equals));
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) return;
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  const std::u16string_view text = line.substr(equals + 1);
  value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  DISPID put_id = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &put_id, 1, 1};
  dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
  VariantClear(&value);
}

void apply_properties(IDispatch* dispatch, std::u16string_view text) {
  while (!text.empty()) {
    const auto end = text.find(u'\n');
    std::u16string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    put_property(dispatch, line);
    if (end == std::u16string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

}  // namespace

bool register_ax_window_class() {
  WNDCLASSEXW existing{};
  if (GetClassInfoExW(nullptr, kAxWindowClass, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &ax_window_proc;
  wc.lpszClassName = kAxWindowClass;
  if (!RegisterClassExW(&wc)) return false;
  // Made after the platform's class table, so that it goes before the table at exit.
  static ClassRegistration registration;
  return true;
}

platform::ComPtr<IUnknown> ax_window_control(HWND window) {
  if (!window || !IsWindow(window)) return {};
  WCHAR name[32] = {};
  GetClassNameW(window, name, 32);
  if (!same_class_name(name, kAxWindowClass)) return {};
  return platform::ComPtr<IUnknown>::attach(reinterpret_cast<IUnknown*>(SendMessageW(window, kGetControl, 0, 0)));
}

void apply_ax_init_data(HWND dialog, std::span<const BYTE> data) {
  std::size_t at = 0;
  while (data.size() - at >= 2) {
    WORD id = 0;
    std::memcpy(&id, data.data() + at, 2);
    if (id == 0 || data.size() - at < 8) return;
    WORD message = 0;
    DWORD size = 0;
    std::memcpy(&message, data.data() + at + 2, 2);
    std::memcpy(&size, data.data() + at + 4, 4);
    at += 8;
    if (size > data.size() - at) return;
    if (message == host::kInitDataProperties) {
      auto control = ax_window_control(GetDlgItem(dialog, id));
      platform::ComPtr<IDispatch> dispatch;
      if (control && SUCCEEDED(control.As(dispatch))) {
        std::u16string text(size / sizeof(char16_t), u'\0');
        std::memcpy(text.data(), data.data() + at, text.size() * sizeof(char16_t));
        apply_properties(dispatch.get(), text);
      }
    }
    at += size;
  }
}

}  // namespace zozed::toolkit
