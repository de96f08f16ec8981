// Damaged and hostile files: each ends in a MediaError that names the file, never a crash.
#include <gtest/gtest.h>

#include "suite/media/media_error.h"
#include "suite/media/picture.h"
#include "tests/suite/media/media_test_files.h"

namespace {

using media_test::MediaFolderTest;
using media_test::two_tone;
using suite::media::MediaError;
using suite::media::Picture;

class BadInputTest : public MediaFolderTest {
 protected:
  // The message of the MediaError that loading and then saving `file` ends in.
  std::string failure_of(const std::string& file, bool resize) {
    Picture picture;
    try {
      picture.load(file);
      if (resize) picture.resize(80, 60);
      picture.save(path("out.jpg"));
    } catch (const MediaError& e) {
      EXPECT_FALSE(std::filesystem::exists(path("out.jpg"))) << "nothing half-written";
      return e.what();
    }
    return {};
  }
};

TEST_F(BadInputTest, EachBadFileEndsInAClearError) {
  auto jpeg = media_test::read_bytes(save(two_tone(1200, 900), "whole.jpg"));
  jpeg.resize(jpeg.size() / 2);
  media_test::write_bytes(path("truncated.jpg"), jpeg);
  media_test::write_bytes(path("zero.jpg"), {});
  media_test::write_bytes(path("text.png"), {'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't', '\n'});
  std::filesystem::create_directory(path("folder.jpg"));
  const std::string huge = forged_png("huge.png", 100000, 100000);

  struct Row {
    int line;
    std::string file;
    bool resize;
    std::string says;
  };
  const Row rows[] = {
      {__LINE__, path("truncated.jpg"), false, "truncated.jpg"},
      {__LINE__, path("truncated.jpg"), true, "truncated.jpg"},
      {__LINE__, path("zero.jpg"), false, "zero.jpg"},
      {__LINE__, path("text.png"), true, "text.png"},
      {__LINE__, path("folder.jpg"), false, "folder.jpg"},
      {__LINE__, path("missing.jpg"), false, "missing.jpg"},
      {__LINE__, "", false, "no picture file"},
      {__LINE__, huge, true, "100000 x 100000"},
  };
  for (const auto& row : rows) {
    const std::string message = failure_of(row.file, row.resize);
    EXPECT_NE(message.find(row.says), std::string::npos)
        << "row at line " << row.line << ": \"" << message << "\" lacks \"" << row.says << "\"";
  }
}

TEST_F(BadInputTest, AnOversizedHeaderIsRefusedAtLoadBeforeAnyPixel) {
  Picture picture;
  EXPECT_THROW(picture.load(forged_png("wide.png", 40000, 10)), MediaError);
  EXPECT_THROW(picture.load(forged_png("area.png", 20000, 20000)), MediaError);
  EXPECT_FALSE(picture.is_loaded());
  picture.load(forged_png("fine.png", 8, 8));
  EXPECT_TRUE(picture.is_loaded());
}

}  // namespace
