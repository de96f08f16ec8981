// CloseHandle for every kind of handle but a search.
#include "platform/errhandlingapi.h"
#include "platform/handleapi.h"
#include "platform/src/handles/handle_table.h"
#include "platform/winerror.h"

extern "C" BOOL WINAPI CloseHandle(HANDLE hObject) {
  auto object = platform::handles::take(
      hObject, [](const platform::handles::KernelObject& o) { return o.closes_with_close_handle(); });
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
