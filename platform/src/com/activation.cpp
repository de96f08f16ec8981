// CoGetClassObject and CoCreateInstance: registered class objects first, then the registry's
// HKCR\CLSID\{clsid}\InprocServer32 (or InprocHandler32) and the server's DllGetClassObject.
#include <string>

#include "platform/src/com/apartment.h"
#include "platform/src/com/class_objects.h"
#include "platform/src/com/inproc_servers.h"
#include "platform/src/loader/file_names.h"
#include "platform/support/com_error.h"
#include "platform/support/com_ptr.h"
#include "platform/support/reg_key.h"

namespace {

// The file named by the class's `server_key` default value; REGDB_E_CLASSNOTREG when the
// class or that key is not registered, CO_E_DLLNOTFOUND when no such file exists.
HRESULT registered_server(REFCLSID clsid, const char16_t* server_key, std::string& path) {
  OLECHAR text[CHARS_IN_GUID];
  StringFromGUID2(clsid, text, CHARS_IN_GUID);
  platform::RegKey key;
  const std::u16string subkey = std::u16string(u"CLSID\\") + text + u"\\" + server_key;
  if (key.open(HKEY_CLASSES_ROOT, subkey, KEY_QUERY_VALUE) != ERROR_SUCCESS) return REGDB_E_CLASSNOTREG;
  std::u16string value;
  if (key.get_string(u"", value) != ERROR_SUCCESS || value.empty()) return REGDB_E_CLASSNOTREG;
  // A value may be quoted when the path has spaces.
  if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"') value = value.substr(1, value.size() - 2);
  const auto found = platform::loader::find_library(value);
  if (!found) return CO_E_DLLNOTFOUND;
  path = *found;
  return S_OK;
}

HRESULT inproc_class_object(REFCLSID clsid, DWORD context, REFIID riid, void** ppv) {
  HRESULT hr = REGDB_E_CLASSNOTREG;
  const struct {
    DWORD context;
    const char16_t* key;
  } kinds[] = {{CLSCTX_INPROC_SERVER, u"InprocServer32"}, {CLSCTX_INPROC_HANDLER, u"InprocHandler32"}};
  for (const auto& kind : kinds) {
    if (!(context & kind.context)) continue;
    std::string path;
    hr = registered_server(clsid, kind.key, path);
    if (hr == REGDB_E_CLASSNOTREG) continue;
    if (FAILED(hr)) return hr;
    return platform::com::server_class_object(path, clsid, riid, ppv);
  }
  return hr;
}

}  // namespace

STDAPI CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_INVALIDARG;
  *ppv = nullptr;
  if (!platform::com::thread_can_use_com()) return CO_E_NOTINITIALIZED;
  return platform::com_boundary([&]() -> HRESULT {
    if (auto object = platform::ComPtr<IUnknown>::attach(platform::com::find_class_object(rclsid, dwClsContext)))
      return object->QueryInterface(riid, ppv);
    if (!(dwClsContext & CLSCTX_INPROC)) return REGDB_E_CLASSNOTREG;  // no out-of-process servers here
    return inproc_class_object(rclsid, dwClsContext, riid, ppv);
  });
}

STDAPI CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  platform::ComPtr<IClassFactory> factory;
  const HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory, factory.put_void());
  if (FAILED(hr)) return hr;
  return factory->CreateInstance(pUnkOuter, riid, ppv);
}
