// Header information without decoding.
#include <gtest/gtest.h>

#include "suite/media/image_info.h"
#include "suite/media/media_types.h"
#include "tests/suite/media/media_test_files.h"

namespace {

using media_test::MediaFolderTest;
using media_test::two_tone;
using namespace suite::media;

class ImageInfoTest : public MediaFolderTest {};

TEST_F(ImageInfoTest, StillPicturesReportFramesDepthAndSize) {
  struct Row {
    int line;
    std::string name;
    vips::VImage image;
    std::int32_t bits;
    std::int32_t type;
  };
  const Row rows[] = {
      {__LINE__, "rgb.jpg", two_tone(640, 480), 24, kPhoto},
      {__LINE__, "grey.png", two_tone(64, 40, 1), 8, kPhoto},
      {__LINE__, "alpha.png", two_tone(30, 50, 4), 32, kPhoto},
      {__LINE__, "wide.tif", two_tone(20, 10).cast(VIPS_FORMAT_USHORT), 48, kPicture},
  };
  for (const auto& row : rows) {
    const std::string file = save(row.image, row.name);
    const ImageInfo info = read_image_info(file);
    ASSERT_EQ(info.frames.size(), 1u) << "row at line " << row.line << ": " << info.header_error;
    EXPECT_EQ(info.frames[0].width, row.image.width()) << "row at line " << row.line;
    EXPECT_EQ(info.frames[0].height, row.image.height()) << "row at line " << row.line;
    EXPECT_EQ(info.frame_count, 1) << "row at line " << row.line;
    EXPECT_EQ(info.bits_per_pixel, row.bits) << "row at line " << row.line;
    EXPECT_EQ(info.planes, 1) << "row at line " << row.line;
    EXPECT_EQ(info.file_size, static_cast<std::int64_t>(std::filesystem::file_size(file))) << "row at line " << row.line;
    EXPECT_EQ(info.media_type, row.type) << "row at line " << row.line;
    EXPECT_TRUE(info.header_error.empty()) << "row at line " << row.line;
  }
}

TEST_F(ImageInfoTest, FramesPastTwentyAreCountedButNotListed) {
  vips::VImage strip = two_tone(12, 8 * 25, 1).copy();
  strip.set("page-height", 8);
  const std::string file = path("pages.tif");
  strip.tiffsave(file.c_str(), vips::VImage::option()->set("page_height", 8));
  const ImageInfo info = read_image_info(file);
  EXPECT_EQ(info.frame_count, 25);
  ASSERT_EQ(info.frames.size(), kMaxFrameSizes);
  EXPECT_EQ(info.frames.back().width, 12);
  EXPECT_EQ(info.frames.back().height, 8);
}

TEST_F(ImageInfoTest, OnlyTheHeaderIsRead) {
  // Cut well inside the pixel data: the header still answers in full.
  auto bytes = media_test::read_bytes(save(two_tone(900, 700), "whole.jpg"));
  bytes.resize(bytes.size() / 3);
  media_test::write_bytes(path("cut.jpg"), bytes);
  const ImageInfo info = read_image_info(path("cut.jpg"));
  ASSERT_EQ(info.frames.size(), 1u) << info.header_error;
  EXPECT_EQ(info.frames[0].width, 900);
  EXPECT_EQ(info.frames[0].height, 700);
  EXPECT_EQ(info.file_size, static_cast<std::int64_t>(bytes.size()));
}

TEST_F(ImageInfoTest, FilesWithoutAReadablePictureKeepTheirTypeAndSize) {
  media_test::write_bytes(path("notes.jpg"), {'h', 'e', 'l', 'l', 'o', '\n'});
  media_test::write_bytes(path("clip.wmv"), std::vector<std::uint8_t>(100, 0));
  media_test::write_bytes(path("empty.png"), {});
  struct Row {
    int line;
    std::string file;
    std::int32_t type;
    std::int64_t size;
    bool explained;
  };
  const Row rows[] = {
      {__LINE__, path("notes.jpg"), kPhoto, 6, true},
      {__LINE__, path("clip.wmv"), kVideo, 100, false},
      {__LINE__, path("empty.png"), kPhoto, 0, true},
      {__LINE__, path("absent.jpg"), kPhoto, 0, true},
      {__LINE__, "", kNoMediaType, 0, false},
  };
  for (const auto& row : rows) {
    const ImageInfo info = read_image_info(row.file);
    EXPECT_TRUE(info.frames.empty()) << "row at line " << row.line;
    EXPECT_EQ(info.frame_count, 0) << "row at line " << row.line;
    EXPECT_EQ(info.bits_per_pixel, 0) << "row at line " << row.line;
    EXPECT_EQ(info.media_type, row.type) << "row at line " << row.line;
    EXPECT_EQ(info.file_size, row.size) << "row at line " << row.line;
    EXPECT_EQ(!info.header_error.empty(), row.explained) << "row at line " << row.line << ": " << info.header_error;
  }
}

}  // namespace
