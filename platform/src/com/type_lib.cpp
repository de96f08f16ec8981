// platform::create_type_lib: a type library that carries its identity and no type infos.
#include <string>

#include "platform/combaseapi.h"
#include "platform/oleauto.h"
#include "platform/support/com_object.h"
#include "platform/typelibapi.h"

namespace platform {
namespace {

class IdentityTypeLib final : public ComObject<IdentityTypeLib, ITypeLib> {
 public:
  IdentityTypeLib(const TLIBATTR& attr, std::u16string name) : attr_(attr), name_(std::move(name)) {}

  STDMETHODIMP_(UINT) GetTypeInfoCount() override { return 0; }
  STDMETHODIMP GetTypeInfo(UINT, ITypeInfo** info) override { return no_type_info(info); }
  STDMETHODIMP GetTypeInfoType(UINT, TYPEKIND* kind) override {
    return kind ? TYPE_E_ELEMENTNOTFOUND : E_INVALIDARG;
  }
  STDMETHODIMP GetTypeInfoOfGuid(REFGUID, ITypeInfo** info) override { return no_type_info(info); }

  STDMETHODIMP GetLibAttr(TLIBATTR** attr) override {
    if (!attr) return E_INVALIDARG;
    *attr = nullptr;
    auto* copy = static_cast<TLIBATTR*>(CoTaskMemAlloc(sizeof(TLIBATTR)));
    if (!copy) return E_OUTOFMEMORY;
    *copy = attr_;
    *attr = copy;
    return S_OK;
  }
  STDMETHODIMP_(void) ReleaseTLibAttr(TLIBATTR* attr) override { CoTaskMemFree(attr); }

  STDMETHODIMP GetTypeComp(ITypeComp** comp) override {
    if (comp) *comp = nullptr;
    return E_NOTIMPL;
  }

  // The library (index -1) has a name and no doc string or help file.
  STDMETHODIMP GetDocumentation(INT index, BSTR* name, BSTR* doc, DWORD* help_context, BSTR* help_file) override {
    if (name) *name = nullptr;
    if (doc) *doc = nullptr;
    if (help_file) *help_file = nullptr;
    if (help_context) *help_context = 0;
    if (index != -1) return TYPE_E_ELEMENTNOTFOUND;
    if (name) {
      *name = SysAllocStringLen(name_.data(), static_cast<UINT>(name_.size()));
      if (!*name) return E_OUTOFMEMORY;
    }
    return S_OK;
  }

  STDMETHODIMP IsName(LPOLESTR, ULONG, BOOL* found) override {
    if (found) *found = FALSE;
    return E_NOTIMPL;
  }
  STDMETHODIMP FindName(LPOLESTR, ULONG, ITypeInfo**, MEMBERID*, USHORT* found) override {
    if (found) *found = 0;
    return E_NOTIMPL;
  }

 private:
  static HRESULT no_type_info(ITypeInfo** info) {
    if (!info) return E_INVALIDARG;
    *info = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
  }

  TLIBATTR attr_;
  std::u16string name_;
};

}  // namespace

HRESULT create_type_lib(REFGUID libid, WORD major, WORD minor, LCID lcid, LPCOLESTR name, ITypeLib** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!name) return E_INVALIDARG;
  TLIBATTR attr{};
  attr.guid = libid;
  attr.lcid = lcid;
  attr.syskind = SYS_WIN64;
  attr.wMajorVerNum = major;
  attr.wMinorVerNum = minor;
  return com_boundary([&]() -> HRESULT {
    return create_com<IdentityTypeLib>(IID_ITypeLib, reinterpret_cast<void**>(out), attr, std::u16string(name));
  });
}

}  // namespace platform
