#include <cstring>

#include "platform/winbase.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/ui/ui_test_support.h"

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

}  // namespace
