// Helpers shared by the text tests: readable failure messages and a scoped ANSI code page.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/winnls.h"

namespace text_test {

// UTF-16 shown as UTF-8, with unpaired surrogates as \uXXXX.
inline std::string show(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) {
    if (c >= 0xD800 && c <= 0xDFFF) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
      out += buf;
    } else {
      out += platform::to_utf8(std::u16string_view(&c, 1));
    }
  }
  return out;
}

inline std::string hex(std::string_view bytes) {
  std::string out;
  for (unsigned char b : bytes) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02X ", b);
    out += buf;
  }
  return out;
}

class ScopedAnsiCodePage {
 public:
  explicit ScopedAnsiCodePage(UINT code_page) : previous_(GetACP()) {
    EXPECT_TRUE(platform::set_ansi_code_page(code_page));
  }
  ~ScopedAnsiCodePage() { EXPECT_TRUE(platform::set_ansi_code_page(previous_)); }
  ScopedAnsiCodePage(const ScopedAnsiCodePage&) = delete;
  ScopedAnsiCodePage& operator=(const ScopedAnsiCodePage&) = delete;

 private:
  UINT previous_;
};

}  // namespace text_test
