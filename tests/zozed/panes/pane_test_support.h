// What the pane tests share: a fake host environment serving dialog templates and a
// configuration root, a fake skinned control that reports an ideal height and fires clicks,
// and a fixture with COM, a registry of its own and a parent window.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "host/environment.h"
#include "host/skinned_controls.h"
#include "platform/dialog_template_builder.h"
#include "platform/objbase.h"
#include "platform/oleauto.h"
#include "platform/support/activex_control.h"
#include "platform/support/class_factory.h"
#include "platform/support/reg_key.h"
#include "platform/ui_driver.h"
#include "platform/winreg.h"

namespace pane_test {

inline constexpr const char16_t* kConfigurationRoot = u"Software\\PaneTests";

// What the fake environment serves; tests fill it.
struct EnvironmentData {
  std::map<LONG, std::vector<BYTE>> templates;
  std::map<LONG, std::vector<BYTE>> init_data;
  HCURSOR busy = nullptr;
  std::vector<std::pair<LONG, LONG>> resource_calls;
};
inline EnvironmentData& environment_data() {
  static EnvironmentData data;
  return data;
}

inline HRESULT byte_array(const std::vector<BYTE>& bytes, VARIANT* out) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
  if (!array) return E_OUTOFMEMORY;
  void* data = nullptr;
  SafeArrayAccessData(array, &data);
  std::copy(bytes.begin(), bytes.end(), static_cast<BYTE*>(data));
  SafeArrayUnaccessData(array);
  out->vt = VT_ARRAY | VT_UI1;
  out->parray = array;
  return S_OK;
}

class FakeEnvironment final
    : public platform::DispatchObject<FakeEnvironment, platform::Chain<IClientEnvironment, IDispatch>> {
 public:
  static std::span<const platform::DispatchMember<FakeEnvironment>> dispatch_members() { return {}; }
  STDMETHODIMP GetHostString(LONG, BSTR* text) override {
    *text = nullptr;
    return E_FAIL;
  }
  STDMETHODIMP GetCursor(LONG id, HCURSOR* cursor) override {
    *cursor = id == host::kBusyCursor ? environment_data().busy : nullptr;
    return *cursor ? S_OK : E_FAIL;
  }
  STDMETHODIMP GetResource(LONG id, LONG type, VARIANT* resource) override {
    VariantInit(resource);
    environment_data().resource_calls.emplace_back(id, type);
    auto& table = type == host::kResourceDialogTemplate ? environment_data().templates : environment_data().init_data;
    const auto found = table.find(id);
    if (found == table.end()) return S_FALSE;
    return byte_array(found->second, resource);
  }
  STDMETHODIMP GetImage(LONG, IUnknown** image) override {
    *image = nullptr;
    return S_FALSE;
  }
  STDMETHODIMP get_ConfigurationRoot(BSTR* path) override {
    *path = SysAllocString(kConfigurationRoot);
    return S_OK;
  }
  STDMETHODIMP get_SettingsPath(BSTR* path) override {
    *path = SysAllocString(u"Software\\PaneTests\\Settings");
    return S_OK;
  }
  STDMETHODIMP get_FormatLoaderBasePath(BSTR* path) override {
    *path = SysAllocString(u"");
    return S_OK;
  }
  STDMETHODIMP GetCatalogueRoot(LONG, BSTR* root) override {
    *root = SysAllocString(u"");
    return S_FALSE;
  }
};

inline constexpr CLSID kFakeSkinnedClsid = platform::make_guid("{6A0F5A10-00D0-4C1B-9E00-5D8E2C0000D0}");
inline constexpr const char16_t* kFakeSkinnedWindowClass = u"PaneTestSkinned";

// A text control: auto-size mode, an ideal height of 16 pixels per started 400 / width line, a
// click event, a Text property.
class FakeSkinned final
    : public platform::ActiveXControl<FakeSkinned, IDispatch, ISkinAutoSize, ISkinIdealSize> {
 public:
  FakeSkinned() : ActiveXControl({host::DIID_SkinControlEvents}) {}

  static std::span<const platform::DispatchMember<FakeSkinned>> dispatch_members() {
    static constexpr platform::DispatchMember<FakeSkinned> kMembers[] = {
        {host::kSkinText, u"Text", DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYGET, &FakeSkinned::text},
    };
    return kMembers;
  }
  STDMETHODIMP SetAutoSizeMode(LONG mode) override {
    mode_ = mode;
    return S_OK;
  }
  STDMETHODIMP GetAutoSizeMode(LONG* mode) override {
    *mode = mode_;
    return S_OK;
  }
  STDMETHODIMP GetIdealHeight(LONG width, LONG* height) override {
    if (width <= 0) return E_INVALIDARG;
    *height = 16 * ((400 + width - 1) / width);
    return S_OK;
  }

  HWND CreateControlWindow(HWND parent, const RECT& pos) override {
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(nullptr, kFakeSkinnedWindowClass, &wc)) {
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = &FakeSkinned::window_proc;
      wc.lpszClassName = kFakeSkinnedWindowClass;
      RegisterClassExW(&wc);
    }
    return CreateWindowExW(0, kFakeSkinnedWindowClass, u"", WS_CHILD, pos.left, pos.top, pos.right - pos.left,
                           pos.bottom - pos.top, parent, nullptr, nullptr, this);
  }

  LONG mode_ = 0;
  std::u16string text_;

 private:
  HRESULT text(const platform::DispatchCall& call) {
    if (call.flags() & DISPATCH_PROPERTYPUT) {
      VARIANT value;
      VariantInit(&value);
      HRESULT hr = VariantChangeType(&value, &call.put_value(), 0, VT_BSTR);
      if (FAILED(hr)) return hr;
      text_.assign(value.bstrVal, SysStringLen(value.bstrVal));
      VariantClear(&value);
    } else {
      call.set_result(std::u16string_view(text_));
    }
    return S_OK;
  }

  static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE)
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
    auto* self = reinterpret_cast<FakeSkinned*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message == WM_LBUTTONUP) {
      self->fire_event(host::kEventClick);
      return 0;
    }
    if (self && message == WM_NCDESTROY) {
      self->window_destroyed();
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
};

inline std::u16string guid_text(REFGUID guid) {
  OLECHAR text[CHARS_IN_GUID];
  StringFromGUID2(guid, text, CHARS_IN_GUID);
  return text;
}

inline void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

inline RECT rect_in_parent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// COM, a registry of its own, the fake classes registered, and a visible parent window.
class PaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    environment_data() = EnvironmentData{};
    environment_data().busy = platform::ui::create_cursor(u"host busy");
    register_class<FakeSkinned>(kFakeSkinnedClsid, skinned_cookie_);
    windows_before_ = platform::ui::live_window_count();
    parent_ = CreateWindowExW(0, u"Static", u"panel", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 600, 500, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent_);
    pump();
    EXPECT_EQ(platform::ui::live_window_count(), windows_before_) << "every window destroyed";
    EXPECT_EQ(platform::this_module().objects(), 0) << "every object released";
    if (environment_cookie_) CoRevokeClassObject(environment_cookie_);
    CoRevokeClassObject(skinned_cookie_);
    CoUninitialize();
  }

  template <class T>
  void register_class(REFCLSID clsid, DWORD& cookie) {
    platform::ComPtr<IClassFactory> factory;
    ASSERT_EQ(platform::class_factory_of<T>(IID_IClassFactory, factory.put_void()), S_OK);
    ASSERT_EQ(CoRegisterClassObject(clsid, factory.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie), S_OK);
  }
  void register_environment() { register_class<FakeEnvironment>(host::CLSID_ClientEnvironment, environment_cookie_); }

  // Writes the values of a skin key in order: REG_DWORD numbers, or REG_SZ for text.
  void write_skin(std::u16string_view key, std::vector<std::pair<std::u16string, LONG>> values) {
    platform::RegKey skin;
    ASSERT_EQ(skin.create(HKEY_CURRENT_USER, std::u16string(kConfigurationRoot) + u"\\Skin\\" + std::u16string(key)),
              ERROR_SUCCESS);
    for (const auto& [name, value] : values) ASSERT_EQ(skin.set_dword(name, static_cast<DWORD>(value)), ERROR_SUCCESS);
  }

  platform::registry::ScopedStore store_;
  DWORD environment_cookie_ = 0;
  DWORD skinned_cookie_ = 0;
  std::size_t windows_before_ = 0;
  HWND parent_ = nullptr;
};

}  // namespace pane_test
