// FormatMessageW for the system's messages. Other message sources (strings, modules) do not
// exist on this platform and fail with ERROR_INVALID_PARAMETER.
#include <cstring>

#include "platform/errhandlingapi.h"
#include "platform/src/messages/system_messages.h"
#include "platform/winbase.h"
#include "platform/winerror.h"

namespace {

// The messages exist in English only; Windows refuses languages it has no messages in.
bool language_available(DWORD language) {
  const WORD primary = PRIMARYLANGID(language);
  return language == 0 || primary == LANG_NEUTRAL || primary == LANG_ENGLISH || language == 0x400 ||
         language == 0x800;
}

}  // namespace

extern "C" DWORD WINAPI FormatMessageW(DWORD dwFlags, LPCVOID, DWORD dwMessageId, DWORD dwLanguageId, LPWSTR lpBuffer,
                                       DWORD nSize, va_list*) {
  if (!(dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) || (dwFlags & (FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_FROM_HMODULE))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (!lpBuffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (!language_available(dwLanguageId)) {
    SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND);
    return 0;
  }
  const std::u16string_view text = platform::messages::system_message(dwMessageId);
  if (text.empty()) {
    SetLastError(ERROR_MR_MID_NOT_FOUND);
    return 0;
  }
  const DWORD length = static_cast<DWORD>(text.size());
  WCHAR* out = lpBuffer;
  if (dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    // lpBuffer is where the allocated buffer goes; nSize is the least to allocate.
    const SIZE_T chars = length + 1 > nSize ? length + 1 : nSize;
    out = static_cast<WCHAR*>(LocalAlloc(LMEM_FIXED, chars * sizeof(WCHAR)));
    if (!out) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    *reinterpret_cast<WCHAR**>(lpBuffer) = out;
  } else if (nSize <= length) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(out, text.data(), length * sizeof(WCHAR));
  out[length] = 0;
  return length;
}
