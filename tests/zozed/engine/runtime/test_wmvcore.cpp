// The protection check as a test runtime answers it, by the file's name: "protected" in the name
// is protected content, "unreadable" fails, "odd" answers S_FALSE with the flag set.
#include <string_view>

#include "host/wmvcore.h"
#include "platform/winerror.h"

extern "C" __attribute__((visibility("default"))) HRESULT WMIsContentProtected(const WCHAR* file, BOOL* is_protected) {
  if (!file || !is_protected) return E_POINTER;
  const std::u16string_view name(file);
  if (name.find(u"unreadable") != std::u16string_view::npos) {
    *is_protected = TRUE;
    return E_FAIL;
  }
  if (name.find(u"odd") != std::u16string_view::npos) {
    *is_protected = TRUE;
    return S_FALSE;
  }
  *is_protected = name.find(u"protected") != std::u16string_view::npos ? TRUE : FALSE;
  return S_OK;
}
