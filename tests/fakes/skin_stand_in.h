// A stand-in for the suite's skinned controls, hosted like them: it keeps the text and list
// entries it is given, answers the selected tab, sizes itself in auto-size mode to an ideal
// height of 16 pixels per started 400 / width line, and fires the click event when clicked.
#pragma once

#include <string>
#include <vector>

#include "host/skinned_controls.h"
#include "platform/support/activex_control.h"

namespace fakes {

inline constexpr CLSID kSkinStandInClsid = platform::make_guid("{6A0F5A10-00C1-4C1B-9E00-5D8E2C0000C1}");
inline constexpr const char16_t* kSkinStandInWindowClass = u"FakesSkinStandIn";

class SkinStandIn final : public platform::ActiveXControl<SkinStandIn, IDispatch, ISkinAutoSize, ISkinIdealSize> {
 public:
  SkinStandIn() : ActiveXControl({host::DIID_SkinControlEvents}) {}

  static std::span<const platform::DispatchMember<SkinStandIn>> dispatch_members() {
    static constexpr platform::DispatchMember<SkinStandIn> kMembers[] = {
        {host::kSkinText, u"Text", DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYGET, &SkinStandIn::text_member},
        {host::kSkinAddItem, u"AddItem", DISPATCH_METHOD, &SkinStandIn::add_item},
        {host::kSkinSelectedTab, u"SelectedTab", DISPATCH_PROPERTYGET, &SkinStandIn::selected_tab},
    };
    return kMembers;
  }
  STDMETHODIMP SetAutoSizeMode(LONG mode) override {
    auto_size_mode = mode;
    return S_OK;
  }
  STDMETHODIMP GetAutoSizeMode(LONG* mode) override {
    *mode = auto_size_mode;
    return S_OK;
  }
  STDMETHODIMP GetIdealHeight(LONG width, LONG* height) override {
    if (width <= 0) return E_INVALIDARG;
    *height = 16 * ((400 + width - 1) / width);
    return S_OK;
  }

  HWND CreateControlWindow(HWND parent, const RECT& pos) override {
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(nullptr, kSkinStandInWindowClass, &wc)) {
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = &SkinStandIn::window_proc;
      wc.lpszClassName = kSkinStandInWindowClass;
      RegisterClassExW(&wc);
    }
    return CreateWindowExW(0, kSkinStandInWindowClass, u"", WS_CHILD, pos.left, pos.top, pos.right - pos.left,
                           pos.bottom - pos.top, parent, nullptr, nullptr, this);
  }

  // What a user's click on tab `tab_id` does.
  void click_tab(std::u16string tab_id) {
    selected_ = std::move(tab_id);
    fire_event(host::kEventClick);
  }
  void click() { fire_event(host::kEventClick); }

  LONG auto_size_mode = 0;
  std::u16string text;
  std::vector<std::vector<std::u16string>> entries;

 private:
  HRESULT text_member(const platform::DispatchCall& call) {
    if (!(call.flags() & DISPATCH_PROPERTYPUT)) {
      call.set_result(std::u16string_view(text));
      return S_OK;
    }
    VARIANT value;
    VariantInit(&value);
    const HRESULT hr = VariantChangeType(&value, &call.put_value(), 0, VT_BSTR);
    if (FAILED(hr)) return hr;
    text.assign(value.bstrVal, SysStringLen(value.bstrVal));
    return VariantClear(&value);
  }
  HRESULT add_item(const platform::DispatchCall& call) {
    std::vector<std::u16string> entry;
    for (UINT i = 0; i < call.count(); ++i) entry.push_back(call.get_string(i));
    entries.push_back(std::move(entry));
    call.set_result(static_cast<LONG>(entries.size() - 1));
    return S_OK;
  }
  HRESULT selected_tab(const platform::DispatchCall& call) {
    call.set_result(std::u16string_view(selected_));
    return S_OK;
  }

  static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE)
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
    auto* self = reinterpret_cast<SkinStandIn*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message == WM_LBUTTONUP) {
      self->click();
      return 0;
    }
    if (self && message == WM_NCDESTROY) {
      self->window_destroyed();
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }

  std::u16string selected_;
};

}  // namespace fakes
