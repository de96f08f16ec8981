#include <algorithm>

#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {

constexpr int default_x = 26;
constexpr int default_y = 26;
constexpr int default_width = 800;
constexpr int default_height = 600;

void unlink(Window& window) {
  if (Window* parent = peek_window(window.parent)) {
    std::erase(parent->children, window.handle);
  } else {
    std::erase(thread_state().top_levels, window.handle);
  }
}

// WM_DESTROY reaches the window first, then its children, while all of them still exist.
void send_destroy(HWND handle) {
  if (!peek_window(handle)) return;
  send(handle, WM_DESTROY);
  Window* window = peek_window(handle);
  if (!window) return;
  const std::vector<HWND> children = window->children;
  for (HWND child : children) {
    if (Window* c = peek_window(child)) {
      c->destroying = true;
      send_destroy(child);
    }
  }
}

// WM_NCDESTROY reaches the children first; the window is freed after its own.
void free_tree(HWND handle) {
  Window* window = peek_window(handle);
  if (!window) return;
  const std::vector<HWND> children = window->children;
  for (HWND child : children) free_tree(child);

  kill_timers_of(handle);
  forget_focus_in(handle);
  send(handle, WM_NCDESTROY);
  window = peek_window(handle);
  if (!window) return;
  unlink(*window);
  drop_posted_messages(handle);
  std::unique_ptr<Window> owned = WindowTable::instance().remove(handle);
  count_class_window(owned->window_class, -1);
  if (owned->dialog && owned->dialog->owns_font) DeleteObject(owned->dialog->font);
}

void send_initial_size(HWND handle) {
  Window* window = peek_window(handle);
  if (!window) return;
  window->sized_once = true;
  const RECT client = window->client_rect;
  send(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right - client.left, client.bottom - client.top));
  send(handle, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
}

}  // namespace

void drop_posted_messages(HWND window) {
  auto queue = thread_state().queue;
  std::lock_guard lock(queue->mutex);
  std::erase_if(queue->posted, [window](const MSG& msg) { return msg.hwnd == window; });
}

HWND top_level_of(HWND handle) {
  Window* window = peek_window(handle);
  while (window && (window->style & WS_CHILD) && peek_window(window->parent)) window = peek_window(window->parent);
  return window ? window->handle : nullptr;
}

}  // namespace platform::ui::detail

using namespace platform::ui::detail;

extern "C" HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle,
                                       int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                                       HINSTANCE hInstance, LPVOID lpParam) {
  WindowClass* window_class = find_class(lpClassName);
  if (!window_class) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  const bool child = (dwStyle & WS_CHILD) != 0;
  if (child && !hWndParent) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  if (hWndParent && hWndParent != desktop_window && !window_for_call(hWndParent)) return nullptr;
  if (hWndParent == desktop_window) hWndParent = nullptr;

  const bool overlapped = !(dwStyle & (WS_CHILD | WS_POPUP));
  if (overlapped) dwStyle |= WS_CAPTION | WS_CLIPSIBLINGS;
  if (X == CW_USEDEFAULT) {
    X = overlapped ? default_x : 0;
    Y = overlapped ? default_y : 0;
  }
  if (nWidth == CW_USEDEFAULT) {
    nWidth = overlapped ? default_width : 0;
    nHeight = overlapped ? default_height : 0;
  }

  auto owned = std::make_unique<Window>();
  owned->window_class = window_class;
  owned->proc = window_class->proc;
  owned->style = dwStyle & ~WS_VISIBLE;
  owned->ex_style = dwExStyle;
  owned->parent = child ? hWndParent : nullptr;
  owned->owner = child ? nullptr : top_level_of(hWndParent);
  owned->window_rect = RECT{X, Y, X + nWidth, Y + nHeight};
  owned->client_rect = owned->window_rect;
  owned->id = child ? reinterpret_cast<LONG_PTR>(hMenu) : 0;
  owned->instance = hInstance;
  owned->extra.assign(static_cast<std::size_t>(window_class->window_extra), 0);
  owned->thread = std::this_thread::get_id();
  owned->thread_id = thread_state().thread_id;
  owned->queue = thread_state().queue;
  owned->dialog = std::move(thread_state().pending_dialog);
  count_class_window(window_class, +1);
  const HWND handle = WindowTable::instance().add(std::move(owned));
  if (child) {
    peek_window(hWndParent)->children.push_back(handle);
  } else {
    thread_state().top_levels.push_back(handle);
  }

  CREATESTRUCTW cs{lpParam, hInstance, hMenu, hWndParent, nHeight, nWidth, Y, X, static_cast<LONG>(dwStyle),
                   lpWindowName, lpClassName, dwExStyle};
  CBT_CREATEWNDW cbt{&cs, HWND_TOP};
  auto fail = [handle] {
    if (peek_window(handle)) {
      peek_window(handle)->destroying = true;
      free_tree(handle);
    }
    return static_cast<HWND>(nullptr);
  };
  if (call_cbt_hooks(HCBT_CREATEWND, reinterpret_cast<WPARAM>(handle), reinterpret_cast<LPARAM>(&cbt))) {
    // A vetoed window never hears of itself.
    if (Window* vetoed = peek_window(handle)) {
      unlink(*vetoed);
      count_class_window(vetoed->window_class, -1);
      WindowTable::instance().remove(handle);
    }
    return nullptr;
  }
  if (!peek_window(handle)) return nullptr;

  if (overlapped || (dwStyle & WS_THICKFRAME)) {
    MINMAXINFO info{};
    info.ptMaxSize = POINT{screen_width, screen_height};
    info.ptMaxTrackSize = POINT{screen_width, screen_height};
    send(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  }
  if (!send(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) return fail();
  if (Window* window = peek_window(handle)) {
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = window->window_rect;
    send(handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&params.rgrc[0]));
    if ((window = peek_window(handle))) window->client_rect = params.rgrc[0];
  }
  if (send(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  Window* window = peek_window(handle);
  if (!window) return nullptr;
  window->created = true;
  // Overlapped windows hear their size when first shown; the others at once.
  if (!overlapped) send_initial_size(handle);
  if ((dwStyle & WS_VISIBLE) && peek_window(handle)) ShowWindow(handle, SW_SHOW);
  return peek_window(handle) ? handle : nullptr;
}

extern "C" BOOL WINAPI DestroyWindow(HWND hWnd) {
  Window* window = window_for_call(hWnd);
  if (!window) return FALSE;
  if (window->destroying) return TRUE;
  if (call_cbt_hooks(HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hWnd), 0)) return FALSE;
  if (!(window = peek_window(hWnd))) return TRUE;
  window->destroying = true;

  if (window->style & WS_VISIBLE) {
    if (window->style & WS_CHILD) {
      ShowWindow(hWnd, SW_HIDE);
    } else {
      set_window_pos(hWnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
  }
  // Owned windows go first.
  const std::vector<HWND> top_levels = thread_state().top_levels;
  for (HWND other : top_levels) {
    Window* candidate = peek_window(other);
    if (candidate && candidate->owner == hWnd) DestroyWindow(other);
  }
  send_destroy(hWnd);
  free_tree(hWnd);
  return TRUE;
}

extern "C" BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
  Window* window = peek_window(hWnd);
  while (window && (window->style & WS_CHILD)) {
    if (window->parent == hWndParent) return TRUE;
    window = peek_window(window->parent);
  }
  return FALSE;
}

extern "C" HWND WINAPI GetParent(HWND hWnd) {
  Window* window = window_for_call(hWnd);
  if (!window) return nullptr;
  if (window->style & WS_CHILD) return window->parent;
  return (window->style & WS_POPUP) ? window->owner : nullptr;
}

extern "C" HWND WINAPI GetAncestor(HWND hwnd, UINT gaFlags) {
  Window* window = window_for_call(hwnd);
  if (!window) return nullptr;
  switch (gaFlags) {
    case GA_PARENT:
      return (window->style & WS_CHILD) ? window->parent : desktop_window;
    case GA_ROOT:
      return top_level_of(hwnd);
    case GA_ROOTOWNER: {
      HWND root = top_level_of(hwnd);
      while (Window* top = peek_window(root)) {
        if (!top->owner) break;
        root = top->owner;
      }
      return root;
    }
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

extern "C" HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
  Window* window = window_for_call(hWnd);
  if (!window) return nullptr;
  if (uCmd == GW_CHILD) return window->children.empty() ? nullptr : window->children.front();
  if (uCmd == GW_OWNER) return (window->style & WS_CHILD) ? nullptr : window->owner;
  Window* parent = (window->style & WS_CHILD) ? peek_window(window->parent) : nullptr;
  const std::vector<HWND>& siblings = parent ? parent->children : thread_state().top_levels;
  auto it = std::find(siblings.begin(), siblings.end(), hWnd);
  switch (uCmd) {
    case GW_HWNDFIRST:
      return siblings.front();
    case GW_HWNDLAST:
      return siblings.back();
    case GW_HWNDNEXT:
      return it == siblings.end() || it + 1 == siblings.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV:
      return it == siblings.begin() || it == siblings.end() ? nullptr : *(it - 1);
    default:
      SetLastError(ERROR_INVALID_GW_COMMAND);
      return nullptr;
  }
}

extern "C" HWND WINAPI GetDesktopWindow() { return desktop_window; }
