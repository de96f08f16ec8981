// Every test process runs in a home of its own: HOME, the XDG folders and TMPDIR point into a
// fresh folder that is removed at the end, so that no test can reach the user's real pictures
// folder, outbox, settings store or temporary folder, even through a default it did not think of.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

class HermeticEnvironment final : public testing::Environment {
 public:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "zozed-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr) << "cannot make the test's home";
    root_ = pattern;
    const std::filesystem::path home = root_ / "home";
    for (const char* sub : {"home/.local/share", "home/.config", "home/.cache", "tmp"})
      std::filesystem::create_directories(root_ / sub);
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (home / ".cache").c_str(), 1);
    ::setenv("TMPDIR", (root_ / "tmp").c_str(), 1);
    for (const char* name : {"ZOZED_STORE", "ZOZED_PROFILE", "XDG_PICTURES_DIR", "DISPLAY", "WAYLAND_DISPLAY"})
      ::unsetenv(name);
  }

  void TearDown() override {
    std::error_code ignored;
    if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
  }

 private:
  std::filesystem::path root_;
};

// Registered before main runs, so that gtest's own main sets it up first.
[[maybe_unused]] testing::Environment* const kHermetic = testing::AddGlobalTestEnvironment(new HermeticEnvironment);

}  // namespace
