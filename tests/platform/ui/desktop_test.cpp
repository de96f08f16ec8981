// What the desktop keeps for the program: the clipboard and global memory, drawing records, system
// colours, beeps and cursors.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/winbase.h"
#include "platform/wingdi.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/ui/ui_test_support.h"

using platform::ui::DrawOperation;

using namespace ui_test;

namespace {

class Clipboard : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    platform::ui::reset_clipboard();
    window_ = create(WS_OVERLAPPED);
  }
  void TearDown() override {
    platform::ui::reset_clipboard();
    DestroyWindow(window_);
    UiTest::TearDown();
  }

  static HGLOBAL text_block(std::u16string_view text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(WCHAR));
    auto* data = static_cast<WCHAR*>(GlobalLock(block));
    std::memcpy(data, text.data(), text.size() * sizeof(WCHAR));
    data[text.size()] = u'\0';
    GlobalUnlock(block);
    return block;
  }

  HWND window_ = nullptr;
};

TEST_F(Clipboard, UnicodeTextRoundTrips) {
  ASSERT_TRUE(OpenClipboard(window_));
  ASSERT_TRUE(EmptyClipboard());
  HGLOBAL block = text_block(u"C:\\Users\\me\\Pictures\\2024-05-01");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), block);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(GetClipboardOwner(), window_);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));

  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  const auto* text = static_cast<const WCHAR*>(GlobalLock(static_cast<HGLOBAL>(data)));
  EXPECT_EQ(std::u16string(text), u"C:\\Users\\me\\Pictures\\2024-05-01");
  GlobalUnlock(static_cast<HGLOBAL>(data));
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  EXPECT_EQ(EnumClipboardFormats(0), CF_UNICODETEXT);
  EXPECT_EQ(EnumClipboardFormats(CF_UNICODETEXT), 0u);
  CloseClipboard();
}

TEST_F(Clipboard, CallsNeedTheClipboardOpenByThisCaller) {
  EXPECT_FAILS_WITH(EmptyClipboard(), FALSE, ERROR_CLIPBOARD_NOT_OPEN);
  EXPECT_FALSE(CloseClipboard());
  EXPECT_FAILS_WITH(GetClipboardData(CF_UNICODETEXT), nullptr, ERROR_CLIPBOARD_NOT_OPEN);

  // Emptied without a window, the clipboard has no owner and takes no data.
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  HGLOBAL block = text_block(u"x");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), nullptr);
  EXPECT_EQ(GlobalFree(block), nullptr) << "a refused block stays the caller's";
  CloseClipboard();
}

TEST_F(Clipboard, InjectedFailuresChangeNothingAndPassAfterTheirCount) {
  struct Row { int line; platform::ui::ClipboardCall call; };
  using platform::ui::ClipboardCall;
  for (const Row& row : {Row{__LINE__, ClipboardCall::open}, Row{__LINE__, ClipboardCall::empty},
                         Row{__LINE__, ClipboardCall::set_data}}) {
    platform::ui::reset_clipboard();
    platform::ui::fail_clipboard(row.call, ERROR_ACCESS_DENIED, 1);
    HGLOBAL block = text_block(u"folder");
    const bool opened = OpenClipboard(window_);
    const bool emptied = opened && EmptyClipboard();
    const bool set = emptied && SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    if (opened) CloseClipboard();
    EXPECT_FALSE(set) << "line " << row.line;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << "line " << row.line;
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT)) << "line " << row.line;
    GlobalFree(block);
    // The failure was used up: the same sequence now succeeds.
    ASSERT_TRUE(OpenClipboard(window_)) << "line " << row.line;
    EXPECT_TRUE(EmptyClipboard()) << "line " << row.line;
    EXPECT_NE(SetClipboardData(CF_UNICODETEXT, text_block(u"again")), nullptr) << "line " << row.line;
    CloseClipboard();
  }
}

TEST_F(Clipboard, RegisteredFormatsKeepTheirNumberWhateverTheCase) {
  const UINT rotate = RegisterClipboardFormatW(u"CF_MONIKER_ROTATE_LIST {9882EBE1-E22E-4e32-A81B-71017EB144FB}");
  const UINT items = RegisterClipboardFormatW(u"{DA8BD73D-5A47-4C7F-AEEA-0352FDE84640}");
  EXPECT_GE(rotate, 0xC000u);
  EXPECT_NE(rotate, items);
  EXPECT_EQ(RegisterClipboardFormatW(u"cf_moniker_rotate_list {9882ebe1-e22e-4e32-a81b-71017eb144fb}"), rotate);
  WCHAR name[64];
  EXPECT_EQ(GetClipboardFormatNameW(items, name, 64), 38);
  EXPECT_EQ(std::u16string(name), u"{DA8BD73D-5A47-4C7F-AEEA-0352FDE84640}");
  EXPECT_EQ(RegisterClipboardFormatW(u""), 0u);
}

TEST_F(Clipboard, GlobalMemoryLocksCountForMoveableBlocksOnly) {
  HGLOBAL moveable = GlobalAlloc(GHND, 10);
  EXPECT_EQ(GlobalSize(moveable), 10u);
  auto* data = static_cast<BYTE*>(GlobalLock(moveable));
  EXPECT_EQ(data[9], 0) << "GMEM_ZEROINIT";
  EXPECT_EQ(GlobalLock(moveable), data);
  EXPECT_TRUE(GlobalUnlock(moveable)) << "still locked once";
  EXPECT_FAILS_WITH(GlobalUnlock(moveable), FALSE, NO_ERROR);
  EXPECT_EQ(GlobalFree(moveable), nullptr);
  EXPECT_EQ(GlobalFree(moveable), moveable) << "a freed handle is invalid";
  HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 4);
  EXPECT_EQ(GlobalLock(fixed), static_cast<void*>(fixed)) << "a fixed handle is the block's address";
  EXPECT_EQ(GlobalFree(fixed), nullptr);
}

class Drawing : public UiTest {};

TEST_F(Drawing, TextIsRecordedWithItsColourModeAndPlacement) {
  platform::ui::RecordingDc dc;
  EXPECT_EQ(SetTextColor(dc.hdc(), GetSysColor(COLOR_WINDOWTEXT)), RGB(0, 0, 0)) << "black by default";
  EXPECT_EQ(SetBkMode(dc.hdc(), TRANSPARENT), OPAQUE);
  RECT r{0, 0, 400, 100};
  struct Row { int line; UINT format; RECT bounds; };
  const Row rows[] = {
      {__LINE__, DT_SINGLELINE, RECT{0, 0, 32, 16}},
      {__LINE__, DT_CENTER | DT_VCENTER | DT_SINGLELINE, RECT{184, 42, 216, 58}},
      {__LINE__, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, RECT{368, 84, 400, 100}},
  };
  for (const Row& row : rows) DrawTextW(dc.hdc(), u"Text", -1, &r, row.format);
  const std::vector<DrawOperation> ops = dc.operations();
  ASSERT_EQ(ops.size(), std::size(rows));
  for (std::size_t i = 0; i < ops.size(); ++i) {
    EXPECT_EQ(ops[i].kind, DrawOperation::Kind::draw_text);
    EXPECT_EQ(ops[i].text, u"Text");
    EXPECT_EQ(ops[i].color, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(ops[i].background_mode, TRANSPARENT);
    EXPECT_TRUE(EqualRect(&ops[i].text_bounds, &rows[i].bounds)) << "line " << rows[i].line;
  }
}

TEST_F(Drawing, CalcRectMeasuresWithoutDrawingAndFillRectResolvesBrushes) {
  platform::ui::RecordingDc dc;
  RECT r{10, 10, 100, 100};
  EXPECT_EQ(DrawTextW(dc.hdc(), u"two\nlines", -1, &r, DT_CALCRECT), 32);
  EXPECT_EQ(r.right, 10 + 5 * platform::ui::char_width);
  EXPECT_EQ(r.bottom, 10 + 2 * platform::ui::line_height);
  EXPECT_TRUE(dc.operations().empty());
  RECT wrapped{0, 0, 40, 0};
  EXPECT_EQ(DrawTextW(dc.hdc(), u"aaa bbb ccc", -1, &wrapped, DT_CALCRECT | DT_WORDBREAK), 48);

  r = RECT{0, 0, 5, 5};  // FillRect resolves brushes and system colours
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  EXPECT_EQ(FillRect(dc.hdc(), &r, red), 1);
  EXPECT_EQ(FillRect(dc.hdc(), &r, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1))), 1);
  EXPECT_EQ(FillRect(dc.hdc(), &r, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 1);
  const std::vector<DrawOperation> ops = dc.operations();
  ASSERT_EQ(ops.size(), 2u) << "a hollow brush paints nothing";
  EXPECT_EQ(ops[0].color, RGB(255, 0, 0));
  EXPECT_EQ(ops[1].color, GetSysColor(COLOR_3DFACE));
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_FALSE(DeleteObject(red));
}

TEST_F(Drawing, SystemColoursFollowTheDefaultSchemeAndCanBeChanged) {
  EXPECT_EQ(GetSysColor(COLOR_3DFACE), RGB(240, 240, 240));
  EXPECT_EQ(GetSysColor(99), 0u);
  const INT index = COLOR_WINDOWTEXT;
  const COLORREF blue = RGB(0, 0, 255);
  HWND top = create(WS_OVERLAPPED);
  ASSERT_TRUE(SetSysColors(1, &index, &blue));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), blue);
  EXPECT_EQ(messages_of(top, {WM_SYSCOLORCHANGE}).size(), 1u);
  const COLORREF black = RGB(0, 0, 0);
  SetSysColors(1, &index, &black);
  DestroyWindow(top);
}

TEST_F(Drawing, AWindowsPaintingIsReadBackFromItsRecord) {
  HWND top = create(WS_OVERLAPPED | WS_VISIBLE);
  HWND button = CreateWindowExW(0, u"Button", u"&Send", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, top,
                                reinterpret_cast<HMENU>(1), nullptr, nullptr);
  UpdateWindow(top);
  const std::vector<DrawOperation> ops = platform::ui::drawing_of(button);
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].text, u"&Send");
  EXPECT_EQ(ops[0].text_bounds.left, (80 - 4 * platform::ui::char_width) / 2) << "the prefix is not drawn";
  DestroyWindow(top);
}

TEST_F(Drawing, BeepsAndCursorsAreRecorded) {
  platform::ui::clear_beeps();
  MessageBeep(0xFFFFFFFF);
  MessageBeep(MB_ICONEXCLAMATION);
  EXPECT_EQ(platform::ui::beeps(), (std::vector<UINT>{0xFFFFFFFF, MB_ICONEXCLAMATION}));

  platform::ui::clear_cursor_history();
  HCURSOR busy = platform::ui::create_cursor(u"host cursor 7053");
  HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  ASSERT_NE(wait, nullptr);
  EXPECT_EQ(LoadCursorW(nullptr, IDC_WAIT), wait) << "one handle per predefined cursor";
  EXPECT_EQ(platform::ui::cursor_name(wait), u"IDC_WAIT");
  EXPECT_FAILS_WITH(LoadCursorW(nullptr, MAKEINTRESOURCEW(7053)), nullptr, ERROR_RESOURCE_NAME_NOT_FOUND);
  const HCURSOR before = GetCursor();
  const HCURSOR previous = SetCursor(busy);
  EXPECT_EQ(previous, before);
  EXPECT_EQ(GetCursor(), busy);
  EXPECT_EQ(SetCursor(previous), busy);
  EXPECT_EQ(platform::ui::cursor_history(), (std::vector<HCURSOR>{busy, previous}));
  EXPECT_FAILS_WITH(SetCursor(reinterpret_cast<HCURSOR>(0x1234)), nullptr, ERROR_INVALID_CURSOR_HANDLE);
}

}  // namespace
