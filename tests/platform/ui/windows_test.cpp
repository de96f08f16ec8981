// Windows: creation and destruction, the tree, classes, focus, enabling, showing and sizing.
#include <gtest/gtest.h>

#include <thread>

#include "tests/platform/platform_test_support.h"
#include "tests/platform/ui/ui_test_support.h"

using namespace ui_test;

namespace {

const std::vector<UINT> lifecycle = {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE,   WM_SHOWWINDOW, WM_SIZE,
                                     WM_MOVE,     WM_DESTROY,    WM_NCDESTROY, WM_ACTIVATE,  WM_SETFOCUS};

class WindowLifecycle : public UiTest {};

TEST_F(WindowLifecycle, CreationSendsItsMessagesInTheOrderWindowsDoes) {
  struct Row { int line; DWORD style; bool with_parent; std::vector<UINT> expected; };
  const Row rows[] = {
      // Children and pop-ups hear their size at once; a visible one is then shown.
      {__LINE__, WS_CHILD, true, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}},
      {__LINE__, WS_CHILD | WS_VISIBLE, true, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}},
      {__LINE__, WS_POPUP, false, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}},
      // An overlapped window hears its size only when first shown, after being activated.
      {__LINE__, WS_OVERLAPPED, false, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}},
      {__LINE__, WS_OVERLAPPEDWINDOW | WS_VISIBLE, false,
       {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SHOWWINDOW, WM_ACTIVATE, WM_SETFOCUS, WM_SIZE, WM_MOVE}},
  };
  for (const Row& row : rows) {
    HWND parent = row.with_parent ? create(WS_OVERLAPPED) : nullptr;
    message_log().clear();
    HWND window = create(row.style, parent);
    ASSERT_NE(window, nullptr) << "line " << row.line;
    EXPECT_EQ(messages_of(window, lifecycle), row.expected) << "line " << row.line;
    EXPECT_TRUE(DestroyWindow(parent ? parent : window)) << "line " << row.line;
  }
}

// WM_DESTROY goes parent first, WM_NCDESTROY children first; a visible child is hidden first.
TEST_F(WindowLifecycle, DestructionOrderAndDeadHandles) {
  HWND parent = create(WS_OVERLAPPED);
  HWND child = create(WS_CHILD, parent, 1);
  HWND grandchild = create(WS_CHILD, child, 2);
  HWND shown = create(WS_CHILD | WS_VISIBLE, parent, 3);
  message_log().clear();
  ASSERT_TRUE(DestroyWindow(shown));
  EXPECT_EQ(messages_of(shown, lifecycle), (std::vector<UINT>{WM_SHOWWINDOW, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(message_log().front().wparam, static_cast<WPARAM>(FALSE)) << "WM_SHOWWINDOW(FALSE) comes first";
  EXPECT_EQ(GetWindow(child, GW_HWNDNEXT), nullptr) << "the parent lost its shown child";
  message_log().clear();
  ASSERT_TRUE(DestroyWindow(parent));
  std::vector<std::pair<HWND, UINT>> order;
  for (const Logged& entry : message_log())
    if (entry.message == WM_DESTROY || entry.message == WM_NCDESTROY) order.emplace_back(entry.window, entry.message);
  const std::vector<std::pair<HWND, UINT>> expected = {
      {parent, WM_DESTROY},        {child, WM_DESTROY},   {grandchild, WM_DESTROY},
      {grandchild, WM_NCDESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
  EXPECT_EQ(order, expected);
  for (HWND gone : {parent, child, grandchild}) EXPECT_FALSE(IsWindow(gone));

  RECT rect;
  WCHAR text[8];
  const BOOL results[] = {DestroyWindow(parent),
                          ShowWindow(parent, SW_SHOW),
                          GetWindowRect(parent, &rect),
                          SetWindowTextW(parent, u"x"),
                          GetWindowTextW(parent, text, 8),
                          PostMessageW(parent, WM_USER, 0, 0),
                          static_cast<BOOL>(SendMessageW(parent, WM_GETTEXTLENGTH, 0, 0))};
  for (std::size_t i = 0; i < std::size(results); ++i) EXPECT_EQ(results[i], FALSE) << "call " << i;
  EXPECT_FAILS_WITH(EnableWindow(parent, FALSE), FALSE, ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(WindowLifecycle, TreeQueriesTextAndWindowLongs) {
  HWND top = create(WS_OVERLAPPED);
  HWND first = create(WS_CHILD, top, 11);
  HWND second = create(WS_CHILD, top, 12);
  EXPECT_EQ(GetParent(first), top);
  EXPECT_EQ(GetWindow(top, GW_CHILD), first);
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
  EXPECT_EQ(GetDlgItem(top, 12), second);
  EXPECT_EQ(GetDlgCtrlID(second), 12);
  EXPECT_FAILS_WITH(GetDlgItem(top, 99), nullptr, ERROR_CONTROL_ID_NOT_FOUND);
  EXPECT_TRUE(IsChild(top, second));

  EXPECT_TRUE(SetWindowTextW(first, u"Hello"));
  EXPECT_EQ(GetWindowTextLengthW(first), 5);
  WCHAR buffer[4];
  EXPECT_EQ(GetWindowTextW(first, buffer, 4), 3) << "truncated to the buffer, terminator included";
  EXPECT_EQ(std::u16string(buffer), u"Hel");
  EXPECT_EQ(SetWindowLongPtrW(first, GWLP_USERDATA, 42), 0);
  EXPECT_EQ(GetWindowLongPtrW(first, GWLP_USERDATA), 42);
  EXPECT_FAILS_WITH(GetWindowLongPtrW(first, 64), 0, ERROR_INVALID_INDEX);  // the class has no extra bytes
  DestroyWindow(top);
}

TEST_F(WindowLifecycle, AnotherThreadMayPostButNotSend) {
  HWND window = create(WS_OVERLAPPED);
  LRESULT sent = 1;
  DWORD send_error = 0;
  BOOL posted = FALSE;
  std::thread([&] {
    sent = SendMessageW(window, WM_USER, 0, 0);
    send_error = GetLastError();
    posted = PostMessageW(window, WM_USER + 1, 7, 0);
  }).join();
  EXPECT_EQ(sent, 0);
  EXPECT_EQ(send_error, static_cast<DWORD>(ERROR_WINDOW_OF_OTHER_THREAD));
  EXPECT_TRUE(posted);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, window, WM_USER + 1, WM_USER + 1, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
  DestroyWindow(window);
}

TEST_F(WindowLifecycle, ClassesAreFoundByNameWithoutCaseAndByAtom) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"UiTestAtomClass";
  wc.cbWndExtra = 16;
  const ATOM atom = RegisterClassExW(&wc);
  ASSERT_NE(atom, 0);
  EXPECT_FAILS_WITH(RegisterClassExW(&wc), 0, ERROR_CLASS_ALREADY_EXISTS);
  const auto popup = [](LPCWSTR name) {
    return CreateWindowExW(0, name, u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  };
  HWND by_atom = popup(MAKEINTATOM(atom));
  HWND by_name = popup(u"uitestatomCLASS");
  ASSERT_NE(by_atom, nullptr);
  ASSERT_NE(by_name, nullptr);
  EXPECT_EQ(SetWindowLongPtrW(by_atom, 8, 5), 0);
  EXPECT_EQ(GetWindowLongPtrW(by_atom, 8), 5);
  EXPECT_FAILS_WITH(UnregisterClassW(u"UiTestAtomClass", nullptr), FALSE, ERROR_CLASS_HAS_WINDOWS);
  DestroyWindow(by_atom);
  DestroyWindow(by_name);
  EXPECT_TRUE(UnregisterClassW(u"UiTestAtomClass", nullptr));
  EXPECT_FAILS_WITH(popup(u"UiTestAtomClass"), nullptr, ERROR_CANNOT_FIND_WND_CLASS);
}

class FocusAndEnable : public UiTest {};

TEST_F(FocusAndEnable, FocusMovesWithKillAndSetFocusMessages) {
  HWND top = create(WS_OVERLAPPED | WS_VISIBLE);
  HWND a = create(WS_CHILD | WS_VISIBLE, top, 1);
  HWND b = create(WS_CHILD | WS_VISIBLE, top, 2);
  SetFocus(a);
  message_log().clear();
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(messages_of(a, {WM_KILLFOCUS, WM_SETFOCUS}), std::vector<UINT>{WM_KILLFOCUS});
  EXPECT_EQ(messages_of(b, {WM_KILLFOCUS, WM_SETFOCUS}), std::vector<UINT>{WM_SETFOCUS});
  EXPECT_EQ(GetActiveWindow(), top);
  DestroyWindow(top);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(FocusAndEnable, DisabledWindowsTakeNoFocusAndLoseIt) {
  HWND top = create(WS_OVERLAPPED | WS_VISIBLE);
  HWND group = create(WS_CHILD | WS_VISIBLE, top, 1);
  HWND inner = create(WS_CHILD | WS_VISIBLE, group, 2);
  SetFocus(inner);
  message_log().clear();
  EXPECT_FALSE(EnableWindow(group, FALSE)) << "answers whether it was disabled before";
  EXPECT_EQ(GetFocus(), nullptr) << "a disabled window cannot keep the focus inside it";
  EXPECT_EQ(messages_of(group, {WM_ENABLE}), std::vector<UINT>{WM_ENABLE});
  EXPECT_FALSE(IsWindowEnabled(group));
  EXPECT_TRUE(IsWindowEnabled(inner)) << "its own flag is unchanged";
  EXPECT_EQ(SetFocus(inner), nullptr) << "an ancestor is disabled";
  EXPECT_FALSE(platform::ui::click(inner));
  EXPECT_TRUE(EnableWindow(group, TRUE));
  EXPECT_FALSE(EnableWindow(group, TRUE)) << "no change, no message";
  EXPECT_EQ(messages_of(group, {WM_ENABLE}).size(), 2u);
  EXPECT_TRUE(platform::ui::click(inner));
  DestroyWindow(top);
}

TEST_F(FocusAndEnable, HidingGivesTheFocusToTheParentAndShowingReportsThePreviousState) {
  HWND top = create(WS_OVERLAPPED | WS_VISIBLE);
  HWND child = create(WS_CHILD | WS_VISIBLE, top, 1);
  SetFocus(child);
  EXPECT_TRUE(ShowWindow(child, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(child));
  EXPECT_EQ(GetFocus(), top);
  EXPECT_FALSE(ShowWindow(child, SW_HIDE)) << "already hidden";
  EXPECT_FALSE(ShowWindow(child, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(child));
  ShowWindow(top, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(child)) << "visible only with its parent";
  EXPECT_TRUE(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE);
  DestroyWindow(top);
}

TEST_F(FocusAndEnable, SizingSendsWmSizeOnlyWhenTheClientSizeChanges) {
  HWND top = create(WS_OVERLAPPED | WS_VISIBLE);
  HWND child = create(WS_CHILD | WS_VISIBLE | WS_BORDER, top, 1, RECT{0, 0, 100, 50});
  message_log().clear();
  struct Row { int line; int x, y, cx, cy; std::vector<UINT> expected; };
  const Row rows[] = {
      {__LINE__, 0, 0, 100, 50, {}},  // nothing changed
      {__LINE__, 5, 0, 100, 50, {WM_MOVE}},                    {__LINE__, 5, 0, 120, 50, {WM_SIZE}},
      {__LINE__, 0, 10, 80, 40, {WM_MOVE, WM_SIZE}},
  };
  for (const Row& row : rows) {
    message_log().clear();
    ASSERT_TRUE(MoveWindow(child, row.x, row.y, row.cx, row.cy, TRUE)) << "line " << row.line;
    EXPECT_EQ(messages_of(child, {WM_MOVE, WM_SIZE}), row.expected) << "line " << row.line;
  }
  RECT client;
  GetClientRect(child, &client);
  EXPECT_EQ(client.right, 78) << "a one-pixel border on each side";
  EXPECT_EQ(client.bottom, 38);
  DestroyWindow(top);
}

}  // namespace
