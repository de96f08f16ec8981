// What many platform tests share: a check of a failing call's last error, and a scoped
// environment variable.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/errhandlingapi.h"
#include "platform/windef.h"

// Clears the last error, makes `call`, and expects `failed` back and `error` as the last error.
#define EXPECT_FAILS_WITH(call, failed, error)                      \
  do {                                                              \
    SetLastError(0);                                                \
    EXPECT_EQ((call), (failed)) << #call;                           \
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(error)) << #call; \
  } while (0)

// Rectangles compare and print field by field.
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* out) {
  *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace platform_test {

// Sets (or, given null, removes) an environment variable for a scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ScopedEnv(const char* name, const std::string& value) : ScopedEnv(name, value.c_str()) {}
  ~ScopedEnv() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace platform_test
