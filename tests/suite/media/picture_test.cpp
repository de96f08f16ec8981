// The lazy picture: edits recorded and counted after the turns, layouts, and damaged or hostile
// files, each ending in a MediaError that names the file, never in a crash or half a file.
#include <gtest/gtest.h>

#include "suite/media/media_error.h"
#include "suite/media/picture.h"
#include "tests/suite/media/media_test_files.h"

namespace {

using media_test::MediaFolderTest;
using media_test::two_tone;
using suite::media::MediaError;
using suite::media::Picture;

class PictureTest : public MediaFolderTest {};

TEST_F(PictureTest, SizesCountAfterTheTurnsAndEditsMarkThePictureModified) {
  struct Row {
    int line;
    int turns;
    int width;  // resized to, after the turns; 0 = not resized
    int height;
    int out_width;
    int out_height;
  };
  const Row rows[] = {
      {__LINE__, 0, 0, 0, 400, 200},    {__LINE__, -1, 0, 0, 200, 400}, {__LINE__, 5, 50, 100, 50, 100},
      {__LINE__, 2, 200, 100, 200, 100}, {__LINE__, 4, 40, 20, 40, 20},
  };
  const std::string source = save(two_tone(400, 200), "wide.jpg");
  for (const auto& row : rows) {
    Picture picture;
    picture.load(source);
    picture.rotate(row.turns);
    if (row.width > 0) picture.resize(row.width, row.height);
    EXPECT_EQ(picture.width(), row.out_width) << "row at line " << row.line;
    EXPECT_EQ(picture.height(), row.out_height) << "row at line " << row.line;
    EXPECT_EQ(picture.is_modified(), row.turns % 4 != 0 || row.width > 0) << "row at line " << row.line;
    picture.reset_modified();
    EXPECT_FALSE(picture.is_modified()) << "row at line " << row.line;
    picture.save(path("out.jpg"));
    EXPECT_FALSE(picture.is_loaded()) << "row at line " << row.line << ": released after the save";
    const vips::VImage out = vips::VImage::new_from_file(path("out.jpg").c_str());
    EXPECT_EQ(out.width(), row.out_width) << "row at line " << row.line;
    EXPECT_EQ(out.height(), row.out_height) << "row at line " << row.line;
  }
}

TEST_F(PictureTest, ConfiguredLayoutsDecideBitsPerPixelAndBandsWritten) {
  struct Row {
    int line;
    int bands_in;
    std::vector<std::int32_t> accepted;
    int bits;
    int bands_out;
  };
  const Row rows[] = {
      {__LINE__, 3, {}, 24, 3},     {__LINE__, 1, {0, 1, 2, 5}, 8, 1}, {__LINE__, 1, {1}, 24, 3},
      {__LINE__, 3, {0}, 8, 1},     {__LINE__, 4, {0, 1, 5}, 24, 3},   {__LINE__, 4, {0, 1, 2, 5}, 32, 4},
  };
  for (const auto& row : rows) {
    const std::string source = save(two_tone(60, 40, row.bands_in), "in" + std::to_string(row.line) + ".png");
    Picture picture;
    picture.configure(row.accepted);
    picture.load(source);
    EXPECT_EQ(picture.bits_per_pixel(), row.bits) << "row at line " << row.line;
    picture.save(path("out.png"));
    EXPECT_EQ(vips::VImage::new_from_file(path("out.png").c_str()).bands(), row.bands_out) << "row at line " << row.line;
  }
}

TEST_F(PictureTest, EditsNeedALoadedPictureAndSensibleSizes) {
  Picture picture;
  EXPECT_THROW(picture.configure({9}), MediaError);
  EXPECT_THROW(picture.rotate(1), MediaError);
  EXPECT_THROW(picture.resize(10, 10), MediaError);
  EXPECT_THROW(picture.save(path("x.jpg")), MediaError);
  EXPECT_EQ(picture.width(), 0);
  picture.load(save(two_tone(40, 30), "p.png"));
  EXPECT_THROW(picture.resize(0, 10), MediaError);
  EXPECT_THROW(picture.resize(10, -1), MediaError);
  EXPECT_THROW(picture.resize(100000, 10), MediaError);
  EXPECT_EQ(picture.width(), 40);
}

TEST_F(PictureTest, EachBadFileEndsInAnErrorNamingItAndNoOutput) {
  auto jpeg = media_test::read_bytes(save(two_tone(1200, 900), "whole.jpg"));
  jpeg.resize(jpeg.size() / 2);
  media_test::write_bytes(path("truncated.jpg"), jpeg);
  media_test::write_bytes(path("zero.jpg"), {});
  media_test::write_bytes(path("text.png"), {'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't', '\n'});
  std::filesystem::create_directory(path("folder.jpg"));
  save(two_tone(40, 30), "fine.png");

  struct Row {
    int line;
    std::string file;
    bool resize;
    std::string target;
    std::string says;
  };
  const Row rows[] = {
      {__LINE__, path("truncated.jpg"), false, "out.jpg", "truncated.jpg"},
      {__LINE__, path("truncated.jpg"), true, "out.jpg", "truncated.jpg"},
      {__LINE__, path("zero.jpg"), false, "out.jpg", "zero.jpg"},
      {__LINE__, path("text.png"), true, "out.jpg", "text.png"},
      {__LINE__, path("folder.jpg"), false, "out.jpg", "folder.jpg"},
      {__LINE__, path("missing.jpg"), false, "out.jpg", "missing.jpg"},
      {__LINE__, "", false, "out.jpg", "no picture file"},
      // A header claiming too much is refused before any pixel, by side and by area.
      {__LINE__, forged_png("huge.png", 100000, 100000), true, "out.jpg", "100000 x 100000"},
      {__LINE__, forged_png("wide.png", 40000, 10), false, "out.jpg", "40000 x 10"},
      {__LINE__, forged_png("area.png", 20000, 20000), false, "out.jpg", "20000 x 20000"},
      {__LINE__, path("fine.png"), false, "out.xyz", ".xyz"},
      {__LINE__, path("fine.png"), false, "no/such/folder/out.jpg", "fine.png"},
  };
  for (const auto& row : rows) {
    Picture picture;
    std::string message;
    try {
      picture.load(row.file);
      if (row.resize) picture.resize(80, 60);
      picture.save(path(row.target));
    } catch (const MediaError& e) {
      message = e.what();
    }
    EXPECT_NE(message.find(row.says), std::string::npos)
        << "row at line " << row.line << ": \"" << message << "\" lacks \"" << row.says << "\"";
    EXPECT_FALSE(picture.is_loaded()) << "row at line " << row.line;
    EXPECT_FALSE(std::filesystem::exists(path(row.target))) << "row at line " << row.line << ": nothing half-written";
  }
}

}  // namespace
