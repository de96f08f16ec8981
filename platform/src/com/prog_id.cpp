// CLSIDFromProgID over the registry's HKCR\<ProgID>\CLSID default value.
#include <string>

#include "platform/combaseapi.h"
#include "platform/support/reg_key.h"

STDAPI CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid) {
  if (!lpszProgID || !lpclsid) return E_INVALIDARG;
  const std::u16string_view prog_id(lpszProgID);
  // A ProgID never names a subkey path.
  if (prog_id.empty() || prog_id.find(u'\\') != std::u16string_view::npos)
    return CO_E_CLASSSTRING;
  platform::RegKey key;
  if (key.open(HKEY_CLASSES_ROOT, std::u16string(prog_id) + u"\\CLSID", KEY_QUERY_VALUE) != ERROR_SUCCESS)
    return CO_E_CLASSSTRING;
  std::u16string text;
  if (key.get_string(u"", text) != ERROR_SUCCESS) return CO_E_CLASSSTRING;
  CLSID clsid{};
  if (FAILED(CLSIDFromString(text.c_str(), &clsid))) return CO_E_CLASSSTRING;
  *lpclsid = clsid;
  return S_OK;
}
