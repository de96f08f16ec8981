#include <algorithm>
#include <map>
#include <mutex>
#include <thread>

#include "platform/src/ui/window_manager.h"
#include "platform/winbase.h"

namespace {

using platform::ui::ClipboardCall;

struct Failure {
  DWORD error = 0;
  int times = 0;
};

struct Clipboard {
  std::recursive_mutex mutex;
  bool open = false;
  std::thread::id opener;
  HWND open_window = nullptr;
  HWND owner = nullptr;
  bool emptied_without_owner = false;
  std::vector<std::pair<UINT, HANDLE>> data;  // in the order set
  std::vector<std::u16string> registered;      // format 0xC000 + i
  std::map<ClipboardCall, Failure> failures;
};

Clipboard& clipboard() {
  static Clipboard state;
  return state;
}

constexpr UINT first_registered_format = 0xC000;

// A pending injected failure of `call`: consumed, with its error set.
bool injected(Clipboard& c, ClipboardCall call) {
  auto it = c.failures.find(call);
  if (it == c.failures.end() || it->second.times <= 0) return false;
  SetLastError(it->second.error);
  if (--it->second.times == 0) c.failures.erase(it);
  return true;
}

bool open_here(const Clipboard& c) { return c.open && c.opener == std::this_thread::get_id(); }

void free_data(Clipboard& c) {
  for (auto& [format, handle] : c.data) {
    if (handle) GlobalFree(static_cast<HGLOBAL>(handle));
  }
  c.data.clear();
}

}  // namespace

namespace platform::ui {

void fail_clipboard(ClipboardCall call, DWORD error, int times) {
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  c.failures[call] = Failure{error, times};
}

void reset_clipboard() {
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  c.failures.clear();
  free_data(c);
  c.open = false;
  c.open_window = nullptr;
  c.owner = nullptr;
  c.emptied_without_owner = false;
}

}  // namespace platform::ui

extern "C" BOOL WINAPI OpenClipboard(HWND hWndNewOwner) {
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  if (injected(c, ClipboardCall::open)) return FALSE;
  if (hWndNewOwner && !platform::ui::detail::window_for_call(hWndNewOwner)) return FALSE;
  if (c.open && !open_here(c)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  c.open = true;
  c.opener = std::this_thread::get_id();
  c.open_window = hWndNewOwner;
  c.emptied_without_owner = false;
  return TRUE;
}

extern "C" BOOL WINAPI CloseClipboard() {
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  if (injected(c, ClipboardCall::close)) return FALSE;
  if (!open_here(c)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  c.open = false;
  c.open_window = nullptr;
  return TRUE;
}

extern "C" BOOL WINAPI EmptyClipboard() {
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  if (injected(c, ClipboardCall::empty)) return FALSE;
  if (!open_here(c)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  free_data(c);
  c.owner = c.open_window;
  c.emptied_without_owner = c.open_window == nullptr;
  return TRUE;
}

extern "C" HANDLE WINAPI SetClipboardData(UINT uFormat, HANDLE hMem) {
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  if (injected(c, ClipboardCall::set_data)) return nullptr;
  // Emptied by a clipboard opened without a window, the clipboard has no owner to hold data.
  if (!open_here(c) || c.emptied_without_owner) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  if (uFormat == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // Delayed rendering (WM_RENDERFORMAT) is not offered: data must come with the call.
  if (!hMem) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  SetLastError(ERROR_SUCCESS);
  if (GlobalSize(static_cast<HGLOBAL>(hMem)) == 0 && GetLastError() == static_cast<DWORD>(ERROR_INVALID_HANDLE)) {
    return nullptr;
  }
  auto it = std::find_if(c.data.begin(), c.data.end(), [uFormat](const auto& entry) { return entry.first == uFormat; });
  if (it != c.data.end()) {
    if (it->second != hMem) GlobalFree(static_cast<HGLOBAL>(it->second));
    it->second = hMem;
  } else {
    c.data.emplace_back(uFormat, hMem);
  }
  return hMem;
}

extern "C" HANDLE WINAPI GetClipboardData(UINT uFormat) {
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  if (injected(c, ClipboardCall::get_data)) return nullptr;
  if (!open_here(c)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  auto it = std::find_if(c.data.begin(), c.data.end(), [uFormat](const auto& entry) { return entry.first == uFormat; });
  return it == c.data.end() ? nullptr : it->second;
}

extern "C" BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  return std::any_of(c.data.begin(), c.data.end(), [format](const auto& entry) { return entry.first == format; })
             ? TRUE
             : FALSE;
}

extern "C" int WINAPI CountClipboardFormats() {
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  return static_cast<int>(c.data.size());
}

extern "C" UINT WINAPI EnumClipboardFormats(UINT format) {
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  if (!open_here(c)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return 0;
  }
  SetLastError(ERROR_SUCCESS);
  if (format == 0) return c.data.empty() ? 0 : c.data.front().first;
  auto it = std::find_if(c.data.begin(), c.data.end(), [format](const auto& entry) { return entry.first == format; });
  if (it == c.data.end() || ++it == c.data.end()) return 0;
  return it->first;
}

extern "C" HWND WINAPI GetClipboardOwner() {
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  return c.owner;
}

extern "C" HWND WINAPI GetOpenClipboardWindow() {
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  return c.open ? c.open_window : nullptr;
}

extern "C" UINT WINAPI RegisterClipboardFormatW(LPCWSTR lpszFormat) {
  if (!lpszFormat || !*lpszFormat) {
    SetLastError(ERROR_INVALID_NAME);
    return 0;
  }
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  const std::u16string_view name(lpszFormat);
  for (std::size_t i = 0; i < c.registered.size(); ++i) {
    if (platform::ui::detail::same_name(c.registered[i], name)) return first_registered_format + static_cast<UINT>(i);
  }
  c.registered.emplace_back(name);
  return first_registered_format + static_cast<UINT>(c.registered.size() - 1);
}

extern "C" int WINAPI GetClipboardFormatNameW(UINT format, LPWSTR lpszFormatName, int cchMaxCount) {
  Clipboard& c = clipboard();
  std::lock_guard lock(c.mutex);
  if (format < first_registered_format || format - first_registered_format >= c.registered.size() ||
      !lpszFormatName || cchMaxCount <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::u16string& name = c.registered[format - first_registered_format];
  const int count = std::min(static_cast<int>(name.size()), cchMaxCount - 1);
  std::copy_n(name.begin(), count, lpszFormatName);
  lpszFormatName[count] = u'\0';
  return count;
}
