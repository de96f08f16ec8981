// A temporary folder per test, mapped as drive C:, and small helpers to lay out files in it.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/errhandlingapi.h"
#include "platform/machine_profile.h"
#include "platform/path_mapping.h"
#include "platform/winerror.h"
#include "platform/winnls.h"

namespace files_test {

// Made under $TMPDIR or /tmp and removed with everything in it, write-protected entries too.
class TempFolder {
 public:
  TempFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/zozed_files_XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
      ::chmod(it->path().c_str(), 0700);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

 private:
  std::string path_;
};

inline void write_text(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::optional<std::string> read_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

inline void make_read_only(const std::string& path) { ::chmod(path.c_str(), 0444); }

// Drive C: is a fresh folder; the machine comes back as it was after the test.
class DriveTest : public ::testing::Test {
 protected:
  DriveTest() { platform::map_drive(u'C', root_.path()); }

  std::string posix(const std::string& relative) const { return root_ / relative; }
  void make_folder(const std::string& relative) { std::filesystem::create_directories(posix(relative)); }
  void make_file(const std::string& relative, const std::string& text = "x") { write_text(posix(relative), text); }

  TempFolder root_;
  platform::ScopedMachineProfile machine_;
};

}  // namespace files_test
