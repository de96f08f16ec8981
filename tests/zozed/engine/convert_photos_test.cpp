// Photo conversion end to end over the recording host: what is loaded, turned, resized and saved
// under which name, what is left out, the progress reported, and the window messages dispatched
// between pictures and discarded at the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/winuser.h"
#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/convert_photos.h"

namespace zozed_test {
namespace {

using zozed::email::ConvertPhotosForEmail;

std::vector<std::string>* g_window_log = nullptr;

LRESULT CALLBACK recording_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (g_window_log) g_window_log->push_back("window " + std::to_string(message));
  return DefWindowProcW(window, message, wparam, lparam);
}

struct Progress final : zozed::email::PreparationProgress {
  std::vector<LONG> reported;
  std::function<void(LONG)> on_report;
  void ReportProgress(LONG percent) override {
    reported.push_back(percent);
    if (on_report) on_report(percent);
  }
};

class ConvertPhotosTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = recording_proc;
    wc.lpszClassName = u"EngineTestRecorder";
    ASSERT_NE(RegisterClassExW(&wc), 0);
    window_ = CreateWindowExW(0, u"EngineTestRecorder", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    g_window_log = &world_->calls;
  }
  void TearDown() override {
    g_window_log = nullptr;
    DestroyWindow(window_);
    UnregisterClassW(u"EngineTestRecorder", nullptr);
    EngineTest::TearDown();
  }

  HWND window_ = nullptr;
};

TEST_F(ConvertPhotosTest, PicturesBecomeUprightJpegsInTheBoxUnderFreeNames) {
  seed_picture(u"file::C:\\a\\photo.png", 1600, 1200, 1);
  seed_picture(u"file::C:\\b\\photo.png", 1200, 1600, 0);
  ItemList converted;
  ASSERT_TRUE(ConvertPhotosForEmail(items_of(item(u"file::C:\\a\\photo.png", 0), item(u"file::C:\\b\\photo.png", 5)),
                                    converted, nullptr, 800, 600, 0));

  ASSERT_EQ(world_->saved.size(), 2u);
  EXPECT_EQ(world_->saved[0].path, in_temp(u"photo.jpg"));
  EXPECT_EQ(world_->saved[1].path, in_temp(u"photo (1).jpg"));
  for (const auto& saved : world_->saved) {  // the second turned a quarter (5 mod 4) to landscape
    EXPECT_EQ(saved.width, 800);
    EXPECT_EQ(saved.height, 600);
  }
  EXPECT_EQ(world_->configuration, (std::vector<LONG>{0, 1, 2, 5}));

  EXPECT_EQ(paths_of(converted), (std::vector<std::u16string>{in_temp(u"photo.jpg"), in_temp(u"photo (1).jpg")}));
  platform::Bstr name;
  ASSERT_EQ(zozed::email::MediaItemOf(converted[1].get())->GetDisplayName(name.put()), S_OK);
  EXPECT_EQ(name.view(), u"photo (1).jpg");
  LONG orientation = -1;
  ASSERT_EQ(zozed::email::MediaItemOf(converted[1].get())->GetOrientation(&orientation), S_OK);
  EXPECT_EQ(orientation, 0);

  const std::vector<std::string> first_picture(world_->calls.begin(), world_->calls.begin() + 5);
  EXPECT_EQ(first_picture, (std::vector<std::string>{"info file::C:\\a\\photo.png",
                                                     "load file::C:\\a\\photo.png flags 1 options 4", "rotate 0",
                                                     "resize 800x600", "reset"}));
}

TEST_F(ConvertPhotosTest, OtherMediaAreSkippedAndFailuresLeaveThePictureOutWithAFalseResult) {
  seed_picture(u"file::C:\\m\\clip.wmv", 320, 240, 2);
  seed_picture(u"file::C:\\m\\broken.jpg", 100, 100);
  world_->unloadable.insert(u"file::C:\\m\\broken.jpg");
  seed_picture(u"file::C:\\m\\good.jpg", 100, 100);
  ItemList converted;
  EXPECT_FALSE(ConvertPhotosForEmail(items_of(item(u"file::C:\\m\\clip.wmv"), item(u"file::C:\\m\\unknown.jpg"),
                                              item(u"file::C:\\m\\broken.jpg"), item(u"file::C:\\m\\good.jpg")),
                                     converted, nullptr, 640, 480, 0));
  EXPECT_EQ(paths_of(converted), (std::vector<std::u16string>{in_temp(u"good.jpg")}));

  // Only a skipped media type keeps the result true.
  ItemList again;
  EXPECT_TRUE(ConvertPhotosForEmail(items_of(item(u"file::C:\\m\\clip.wmv")), again, nullptr, 640, 480, 0));
  EXPECT_TRUE(again.empty());
  world_->saves_fail = true;
  EXPECT_FALSE(ConvertPhotosForEmail(items_of(item(u"file::C:\\m\\good.jpg")), again, nullptr, 640, 480, 0));
  EXPECT_TRUE(again.empty());
  EXPECT_TRUE(ConvertPhotosForEmail(items_of(), again, nullptr, 640, 480, 0));
}

TEST_F(ConvertPhotosTest, ProgressCountsPicturesAndEndsAtZero) {
  struct Row {
    int line;
    int count;
    std::vector<LONG> reported;
  };
  const Row rows[] = {
      {__LINE__, 1, {100, 0}},
      {__LINE__, 3, {33, 66, 100, 0}},
      {__LINE__, 7, {14, 28, 42, 57, 71, 85, 100, 0}},
  };
  seed_picture(u"file::C:\\p\\x.jpg", 10, 10);
  for (const Row& row : rows) {
    ItemList pictures;
    for (int i = 0; i < row.count; ++i) pictures.push_back(item(u"file::C:\\p\\x.jpg"));
    ItemList converted;
    Progress progress;
    EXPECT_TRUE(ConvertPhotosForEmail(pictures, converted, &progress, 0, 0, 0));
    EXPECT_EQ(progress.reported, row.reported) << "row at line " << row.line;
  }
}

TEST_F(ConvertPhotosTest, PaintsAreDispatchedBetweenPicturesAndInputIsDiscardedAtTheEnd) {
  seed_picture(u"file::C:\\p\\one.jpg", 10, 10);
  seed_picture(u"file::C:\\p\\two.jpg", 10, 10);
  Progress progress;
  progress.on_report = [&](LONG percent) {
    if (percent != 50) return;
    // Arrives while the first picture is done: the erase is served before the second one, the
    // rest only after the loop, and the user's input never.
    for (const UINT message : {WM_USER + 1, WM_LBUTTONDOWN, WM_KEYDOWN, WM_NCLBUTTONDOWN, WM_MOUSEWHEEL, WM_ERASEBKGND})
      PostMessageW(window_, message, 0, 0);
  };
  ItemList converted;
  ASSERT_TRUE(ConvertPhotosForEmail(items_of(item(u"file::C:\\p\\one.jpg"), item(u"file::C:\\p\\two.jpg")), converted,
                                    &progress, 0, 0, 0));
  std::vector<std::string> seen;
  for (const auto& call : world_->calls)
    if (call.rfind("window", 0) == 0 || call.rfind("info", 0) == 0) seen.push_back(call);
  EXPECT_EQ(seen, (std::vector<std::string>{"info file::C:\\p\\one.jpg", "window " + std::to_string(WM_ERASEBKGND),
                                            "info file::C:\\p\\two.jpg", "window " + std::to_string(WM_USER + 1)}));
  MSG left{};
  EXPECT_FALSE(PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
}  // namespace zozed_test
