// The error object of CreateErrorInfo and the per-thread slot of SetErrorInfo/GetErrorInfo.
#include <string>

#include "platform/oleauto.h"
#include "platform/support/com_object.h"

namespace {

class ErrorInfo final : public platform::ComObject<ErrorInfo, IErrorInfo, ICreateErrorInfo> {
 public:
  // Lives in the platform, which never unloads: it must not hold a module of the caller alive.
  static constexpr bool kCountsTowardsModule = false;

  STDMETHODIMP GetGUID(GUID* guid) override {
    if (!guid) return E_POINTER;
    *guid = guid_;
    return S_OK;
  }
  STDMETHODIMP GetSource(BSTR* source) override { return copy(source_, source); }
  STDMETHODIMP GetDescription(BSTR* description) override { return copy(description_, description); }
  STDMETHODIMP GetHelpFile(BSTR* help_file) override { return copy(help_file_, help_file); }
  STDMETHODIMP GetHelpContext(DWORD* context) override {
    if (!context) return E_POINTER;
    *context = help_context_;
    return S_OK;
  }

  STDMETHODIMP SetGUID(REFGUID guid) override {
    guid_ = guid;
    return S_OK;
  }
  STDMETHODIMP SetSource(LPOLESTR source) override { return assign(source_, source); }
  STDMETHODIMP SetDescription(LPOLESTR description) override { return assign(description_, description); }
  STDMETHODIMP SetHelpFile(LPOLESTR help_file) override { return assign(help_file_, help_file); }
  STDMETHODIMP SetHelpContext(DWORD context) override {
    help_context_ = context;
    return S_OK;
  }

 private:
  static HRESULT copy(const std::u16string& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  static HRESULT assign(std::u16string& field, LPOLESTR text) {
    return platform::com_boundary([&] {
      field = text ? std::u16string(text) : std::u16string();
      return S_OK;
    });
  }

  GUID guid_{};
  std::u16string source_;
  std::u16string description_;
  std::u16string help_file_;
  DWORD help_context_ = 0;
};

thread_local platform::ComPtr<IErrorInfo> t_error_info;

}  // namespace

STDAPI CreateErrorInfo(ICreateErrorInfo** pperrinfo) {
  if (!pperrinfo) return E_INVALIDARG;
  *pperrinfo = nullptr;
  return platform::create_com<ErrorInfo>(IID_ICreateErrorInfo, reinterpret_cast<void**>(pperrinfo));
}

STDAPI SetErrorInfo(ULONG, IErrorInfo* perrinfo) {
  t_error_info = platform::ComPtr<IErrorInfo>::borrow(perrinfo);
  return S_OK;
}

STDAPI GetErrorInfo(ULONG, IErrorInfo** pperrinfo) {
  if (!pperrinfo) return E_INVALIDARG;
  *pperrinfo = t_error_info.detach();
  return *pperrinfo ? S_OK : S_FALSE;
}
