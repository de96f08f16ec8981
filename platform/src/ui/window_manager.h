// The process's windows, classes and per-thread user-interface state (queue, focus, timers,
// hooks), shared by the user32 functions of this folder.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/errhandlingapi.h"
#include "platform/ui_driver.h"
#include "platform/winerror.h"
#include "platform/winuser.h"

namespace platform::ui::detail {

struct WindowClass {
  ATOM atom = 0;
  std::u16string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int class_extra = 0;
  int window_extra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::u16string menu_name;
  int windows = 0;
};

// What the dialog manager keeps beside a dialog's window (its DLGPROC lives in the window's
// extra bytes at DWLP_DLGPROC, as on Windows).
struct DialogState {
  HFONT font = nullptr;
  bool owns_font = false;
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
  HWND saved_focus = nullptr;
  HWND disabled_owner = nullptr;  // the owner a modal loop disabled, enabled again when it ends
  WORD default_id = 0;
  DWORD help_id = 0;
};

struct MessageQueue {
  std::mutex mutex;
  std::condition_variable posted_or_woken;
  std::deque<MSG> posted;
};

struct Window {
  HWND handle = nullptr;
  WindowClass* window_class = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD ex_style = 0;
  std::u16string text;
  HWND parent = nullptr;  // the parent of a child window
  HWND owner = nullptr;   // the owner of a top-level window
  std::vector<HWND> children;
  RECT window_rect{};  // in the parent's client coordinates, or the screen's for top-level windows
  RECT client_rect{};  // same coordinates as window_rect
  LONG_PTR id = 0;
  HINSTANCE instance = nullptr;
  LONG_PTR user_data = 0;
  std::vector<BYTE> extra;
  HFONT font = nullptr;
  std::thread::id thread;
  DWORD thread_id = 0;
  std::shared_ptr<MessageQueue> queue;

  bool has_update = false;  // update region, kept as its bounding rectangle in client coordinates
  RECT update{};
  bool erase_pending = false;
  bool internal_paint = false;
  std::vector<UINT> redraw_requests;
  std::vector<DrawOperation> drawing;

  bool created = false;    // WM_CREATE answered
  bool destroying = false;
  bool sized_once = false;  // WM_SIZE/WM_MOVE sent at least once
  std::unique_ptr<DialogState> dialog;
};

struct Timer {
  HWND window = nullptr;
  UINT_PTR id = 0;
  UINT elapse = 0;
  TIMERPROC proc = nullptr;
  std::uint64_t due = 0;
};

struct Hook {
  HHOOK handle = nullptr;
  HOOKPROC proc = nullptr;
};

struct ThreadState {
  std::shared_ptr<MessageQueue> queue = std::make_shared<MessageQueue>();
  DWORD thread_id = 0;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  bool quit_posted = false;
  int quit_code = 0;
  std::vector<HWND> top_levels;  // creation order
  std::vector<Timer> timers;
  UINT_PTR next_thread_timer = 0x7FF0;
  std::vector<Hook> cbt_hooks;
  std::vector<IdleHandler> idle_handlers;
  std::vector<CbtHandler> cbt_handlers;  // one per installed driver, possibly empty
  HHOOK driver_hook = nullptr;
  std::string last_wait_failure;
  std::unique_ptr<DialogState> pending_dialog;  // handed to the next window CreateWindowExW makes
  LONG message_time = 0;
};

ThreadState& thread_state();

// The window table. Only table lookups lock; a window's fields belong to its own thread.
class WindowTable {
 public:
  static WindowTable& instance();
  HWND add(std::unique_ptr<Window> window);
  std::unique_ptr<Window> remove(HWND handle);
  Window* find(HWND handle);
  std::shared_ptr<MessageQueue> queue_of(HWND handle, std::thread::id* thread);
  DWORD thread_id_of(HWND handle);
  std::size_t size();

 private:
  std::mutex mutex_;
  std::unordered_map<HWND, std::unique_ptr<Window>> windows_;
  std::uintptr_t next_handle_ = 0x10010;
};

// The window for a call made on the calling thread: null with ERROR_INVALID_WINDOW_HANDLE for an
// unknown handle, ERROR_WINDOW_OF_OTHER_THREAD for another thread's window.
Window* window_for_call(HWND handle);
// The window without touching the last error (null when unknown or another thread's).
Window* peek_window(HWND handle);

inline const HWND desktop_window = reinterpret_cast<HWND>(std::uintptr_t{0x10000});
inline constexpr LONG screen_width = 1920;
inline constexpr LONG screen_height = 1080;

// Calls the window procedure now (the window must be on the calling thread).
LRESULT send(HWND handle, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);

// Destruction (window_tree.cpp): drops queued messages of a window.
void drop_posted_messages(HWND window);

// Classes (window_classes.cpp).
WindowClass* find_class(LPCWSTR name_or_atom);
void count_class_window(WindowClass* window_class, int delta);
bool same_name(std::u16string_view a, std::u16string_view b);
void register_builtin_classes();
inline constexpr ATOM dialog_class_atom = 0x8002;

// WINDOWPOS flags Windows sets for the window procedure when the client area kept its size or
// place (DefWindowProcW then sends no WM_SIZE or WM_MOVE).
inline constexpr UINT swp_noclientsize = 0x0800;
inline constexpr UINT swp_noclientmove = 0x1000;

// Geometry (window_geometry.cpp).
RECT client_in_screen(const Window& window);
RECT window_in_screen(const Window& window);
RECT non_client_insets(DWORD style, DWORD ex_style);
// Moves and sizes with WM_WINDOWPOSCHANGING/CHANGED and a repaint of the new area.
BOOL set_window_pos(HWND handle, HWND insert_after, int x, int y, int cx, int cy, UINT flags);

// Visibility, focus, activation (window_visibility.cpp, focus.cpp).
bool visible_on_screen(const Window& window);
bool enabled_with_ancestors(const Window& window);
HWND set_focus(HWND handle);
bool activate(HWND handle, bool by_mouse);
void forget_focus_in(HWND destroyed);
HWND top_level_of(HWND handle);

// Painting (paint.cpp).
void invalidate(Window& window, const RECT* rect, bool erase, bool children);
bool needs_paint(const Window& window);
HDC window_dc(HWND window);

// Hooks (hooks.cpp): true when a hook vetoes the operation.
bool call_cbt_hooks(int code, WPARAM wparam, LPARAM lparam);

// Timers (timers.cpp).
std::uint64_t now_ms();
void set_virtual_now(std::uint64_t ms);
bool take_due_timer(HWND filter, MSG* out, bool remove);
bool next_timer_due(HWND filter, std::uint64_t* due);
void kill_timers_of(HWND window);

// The message queue (message_queue.cpp).
bool matches_filter(HWND message_window, HWND filter);
bool peek_message(MSG* msg, HWND filter, UINT min, UINT max, UINT remove);
// Waits until something may be retrievable: idle handler, then a pending timer (virtual clock:
// jumps to it). False, with the reason recorded and printed, when nothing can ever arrive.
bool wait_for_work(HWND filter, UINT min, UINT max, HWND modal_dialog, const char* caller);

// Dialog manager (dialog_manager.cpp).
HWND create_dialog(HINSTANCE instance, const void* dialog_template, HWND parent, DLGPROC proc, LPARAM param,
                   bool modal);
std::u16string dialog_label(HWND dialog);

// Device contexts and GDI objects (recording_dc.cpp, gdi_objects.cpp).
COLORREF brush_color(HBRUSH brush, bool* hollow);
HFONT create_dialog_font(const std::u16string& face, WORD points, WORD weight, BYTE italic, BYTE charset);

}  // namespace platform::ui::detail
