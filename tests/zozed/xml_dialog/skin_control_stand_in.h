// A skinned-control stand-in for dialog tests: hosted like the suite's controls, it keeps the
// text and list entries it is given, answers the selected tab, and fires the click event.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "host/skinned_controls.h"
#include "platform/support/activex_control.h"

namespace fakes {

inline constexpr CLSID kSkinStandInClsid = platform::make_guid("{6A0F5A10-00C1-4C1B-9E00-5D8E2C0000C1}");
inline constexpr const char16_t* kSkinStandInWindowClass = u"FakesSkinStandIn";

class SkinStandIn final : public platform::ActiveXControl<SkinStandIn, IDispatch> {
 public:
  SkinStandIn() : ActiveXControl({host::DIID_SkinControlEvents}) {}

  static std::span<const platform::DispatchMember<SkinStandIn>> dispatch_members() {
    static constexpr std::array<platform::DispatchMember<SkinStandIn>, 3> kMembers{{
        {host::kSkinText, u"Text", DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYGET, &SkinStandIn::text},
        {host::kSkinAddItem, u"AddItem", DISPATCH_METHOD, &SkinStandIn::add_item},
        {host::kSkinSelectedTab, u"SelectedTab", DISPATCH_PROPERTYGET, &SkinStandIn::selected_tab},
    }};
    return kMembers;
  }

  HWND CreateControlWindow(HWND parent, const RECT& pos) override {
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(nullptr, kSkinStandInWindowClass, &wc)) {
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = DefWindowProcW;
      wc.lpszClassName = kSkinStandInWindowClass;
      RegisterClassExW(&wc);
    }
    return CreateWindowExW(0, kSkinStandInWindowClass, u"", WS_CHILD, pos.left, pos.top, pos.right - pos.left,
                           pos.bottom - pos.top, parent, nullptr, nullptr, nullptr);
  }

  // What a user's click on tab `tab_id` does.
  void click_tab(std::u16string tab_id) {
    selected_ = std::move(tab_id);
    fire_event(host::kEventClick);
  }
  void click() { fire_event(host::kEventClick); }

  std::u16string caption;
  std::vector<std::vector<std::u16string>> entries;

 private:
  HRESULT text(const platform::DispatchCall& call) {
    if (call.flags() & DISPATCH_PROPERTYPUT) {
      const VARIANT& v = call.put_value();
      caption = v.vt == VT_BSTR && v.bstrVal ? v.bstrVal : u"";
    } else {
      call.set_result(std::u16string_view(caption));
    }
    return S_OK;
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

  std::u16string selected_;
};

}  // namespace fakes
