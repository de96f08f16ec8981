#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/winerror.h"
#include "platform/winnls.h"
#include "tests/platform/text/text_test_support.h"

namespace {

TEST(StringConversion, WidenAndNarrowUseTheAnsiCodePageOrTheOneGiven) {
  EXPECT_EQ(platform::widen("\xC6r\xF8\x80"), u"Ærø€");
  bool used = true;
  EXPECT_EQ(platform::narrow(u"Ærø€", CP_ACP, &used), "\xC6r\xF8\x80");
  EXPECT_FALSE(used);
  EXPECT_EQ(platform::narrow(u"東京.jpg", CP_ACP, &used), "??.jpg");
  EXPECT_TRUE(used);
  {
    text_test::ScopedAnsiCodePage acp(1250);
    EXPECT_EQ(platform::widen("\xA3\xF3" "d\x9F"), u"Łódź");
    EXPECT_EQ(platform::narrow(u"Łódź", CP_ACP, &used), "\xA3\xF3" "d\x9F");
    EXPECT_FALSE(used);
  }
  EXPECT_EQ(platform::widen("\xA3"), u"£");
  EXPECT_EQ(platform::widen("\x93\x8C\x8B\x9E", 932), u"東京");
  EXPECT_EQ(platform::narrow(u"東京", 932), "\x93\x8C\x8B\x9E");
  EXPECT_EQ(platform::widen("\x82", CP_OEMCP), u"é");
  EXPECT_EQ(platform::widen("abc", 12345), u"");
  EXPECT_EQ(platform::narrow(u"abc", 12345, &used), "");
  EXPECT_FALSE(used);
  EXPECT_EQ(platform::narrow(u"a\xD800", CP_UTF8, &used), "a\xEF\xBF\xBD");
  EXPECT_TRUE(used);
}

TEST(StringConversion, Utf8RoundTripsShortAndLongTexts) {
  std::u16string text;
  for (int k = 0; k < 3000; ++k) text += u"aé東\U0001F600";  // longer than one measuring threshold
  for (std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{13}, text.size()}) {
    // Cut only between characters: a pair is never split.
    std::u16string part = text.substr(0, length);
    if (!part.empty() && part.back() >= 0xD800 && part.back() <= 0xDBFF) part.pop_back();
    const std::string utf8 = platform::to_utf8(part);
    EXPECT_EQ(platform::from_utf8(utf8), part) << "length " << length;
    const int size = part.empty() ? 0 : WideCharToMultiByte(CP_UTF8, 0, part.data(), static_cast<int>(part.size()),
                                                            nullptr, 0, nullptr, nullptr);
    EXPECT_EQ(static_cast<int>(utf8.size()), size);
  }
  EXPECT_EQ(platform::to_utf8(u"Łódź"), "\xC5\x81\xC3\xB3" "d\xC5\xBA");
}

// Tables are built on first use; threads that race to that first use see one complete table.
TEST(StringConversion, FirstUseFromManyThreads) {
  const std::u16string text = u"東京 ソウル 北京";
  std::vector<std::string> results(4);
  std::vector<std::thread> threads;
  for (std::size_t k = 0; k < results.size(); ++k)
    threads.emplace_back([&, k] {
      for (int round = 0; round < 20; ++round) results[k] = platform::narrow(text, k % 2 ? 949 : 950);
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(results[0], results[2]);
  EXPECT_EQ(results[1], results[3]);
  EXPECT_EQ(platform::widen(results[1], 949), text);
}

TEST(LastError, IsPerThread) {
  SetLastError(ERROR_INVALID_FLAGS);
  DWORD seen = 1;
  std::thread([&] {
    seen = GetLastError();
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
  }).join();
  EXPECT_EQ(seen, 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

}  // namespace
