// The lazy picture: edits recorded, pixels decoded at the wanted size when saved.
#include <gtest/gtest.h>

#include "suite/media/media_error.h"
#include "suite/media/picture.h"
#include "suite/media/pixel_layout.h"
#include "tests/suite/media/media_test_files.h"

namespace {

using media_test::MediaFolderTest;
using media_test::two_tone;
using suite::media::MediaError;
using suite::media::Picture;

class PictureTest : public MediaFolderTest {
 protected:
  // The mean of a horizontal band of rows of the saved picture.
  static double band_mean(const vips::VImage& image, int top, int rows) {
    return image.extract_area(0, top, image.width(), rows).avg();
  }
};

TEST_F(PictureTest, ResizedPictureIsWrittenAsARealJpegOfThatSize) {
  const std::string source = save(two_tone(1600, 1200), "big.png");
  Picture picture;
  picture.load(source);
  EXPECT_EQ(picture.width(), 1600);
  EXPECT_EQ(picture.height(), 1200);
  EXPECT_FALSE(picture.is_modified());
  picture.resize(800, 600);
  EXPECT_EQ(picture.width(), 800);
  EXPECT_EQ(picture.height(), 600);
  EXPECT_TRUE(picture.is_modified());
  picture.reset_modified();
  EXPECT_FALSE(picture.is_modified());
  picture.save(path("small.jpg"));
  EXPECT_FALSE(picture.is_loaded()) << "released after the save";

  const auto bytes = media_test::read_bytes(path("small.jpg"));
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xD8);
  const vips::VImage out = vips::VImage::new_from_file(path("small.jpg").c_str());
  EXPECT_STREQ(out.get_string("vips-loader"), "jpegload");
  EXPECT_EQ(out.width(), 800);
  EXPECT_EQ(out.height(), 600);
  // Left dark, right light survived the shrink.
  EXPECT_LT(out.extract_area(0, 0, 300, 600).avg(), 60.0);
  EXPECT_GT(out.extract_area(500, 0, 300, 600).avg(), 190.0);
}

TEST_F(PictureTest, QuarterTurnsAreClockwiseAndSizesCountAfterThem) {
  struct Row {
    int line;
    int turns;
    bool resize;
    int width;
    int height;
    bool dark_top;     // dark half at the top (one turn)
    bool dark_bottom;  // dark half at the bottom (three turns)
  };
  const Row rows[] = {
      {__LINE__, 1, false, 200, 400, true, false},
      {__LINE__, -1, false, 200, 400, false, true},
      {__LINE__, 3, true, 100, 200, false, true},
      {__LINE__, 5, true, 50, 100, true, false},
      {__LINE__, 2, true, 200, 100, false, false},
  };
  const std::string source = save(two_tone(400, 200), "wide.jpg");
  for (const auto& row : rows) {
    Picture picture;
    picture.load(source);
    picture.rotate(row.turns);
    if (row.resize) picture.resize(row.width, row.height);
    EXPECT_EQ(picture.width(), row.width) << "row at line " << row.line;
    EXPECT_EQ(picture.height(), row.height) << "row at line " << row.line;
    const std::string target = path("turned" + std::to_string(row.line) + ".jpg");
    picture.save(target);
    const vips::VImage out = vips::VImage::new_from_file(target.c_str());
    ASSERT_EQ(out.width(), row.width) << "row at line " << row.line;
    ASSERT_EQ(out.height(), row.height) << "row at line " << row.line;
    const double top = band_mean(out, 0, out.height() / 4);
    const double bottom = band_mean(out, out.height() - out.height() / 4, out.height() / 4);
    if (row.dark_top) {
      EXPECT_LT(top + 100, bottom) << "row at line " << row.line;
    }
    if (row.dark_bottom) {
      EXPECT_LT(bottom + 100, top) << "row at line " << row.line;
    }
    if (!row.dark_top && !row.dark_bottom) {  // half a turn: the dark half is now on the right
      const int quarter = out.width() / 4;
      EXPECT_GT(out.extract_area(0, 0, quarter, out.height()).avg(), 190.0) << "row at line " << row.line;
      EXPECT_LT(out.extract_area(out.width() - quarter, 0, quarter, out.height()).avg(), 60.0)
          << "row at line " << row.line;
    }
  }
}

TEST_F(PictureTest, ConfiguredLayoutsDecideBitsPerPixelAndOutputBands) {
  struct Row {
    int line;
    int bands_in;
    std::vector<std::int32_t> accepted;
    int bits;
    int bands_out;
  };
  const Row rows[] = {
      {__LINE__, 3, {}, 24, 3},
      {__LINE__, 3, {0, 1, 2, 5}, 24, 3},
      {__LINE__, 1, {0, 1, 2, 5}, 8, 1},
      {__LINE__, 1, {1}, 24, 3},
      {__LINE__, 3, {0}, 8, 1},
      {__LINE__, 4, {0, 1, 5}, 24, 3},
  };
  for (const auto& row : rows) {
    const std::string source = save(two_tone(60, 40, row.bands_in), "in" + std::to_string(row.line) + ".png");
    Picture picture;
    picture.configure(row.accepted);
    picture.load(source);
    EXPECT_EQ(picture.bits_per_pixel(), row.bits) << "row at line " << row.line;
    const std::string target = path("out" + std::to_string(row.line) + ".png");
    picture.save(target);
    EXPECT_EQ(vips::VImage::new_from_file(target.c_str()).bands(), row.bands_out) << "row at line " << row.line;
  }
  Picture picture;
  EXPECT_THROW(picture.configure({9}), MediaError);
}

TEST_F(PictureTest, SavingWithoutEditsKeepsTheSizeAndUnknownExtensionsAreRefused) {
  const std::string source = save(two_tone(120, 90), "plain.png");
  Picture picture;
  picture.load(source);
  picture.save(path("copy.jpg"));
  EXPECT_EQ(vips::VImage::new_from_file(path("copy.jpg").c_str()).width(), 120);

  picture.load(source);
  try {
    picture.save(path("copy.xyz"));
    ADD_FAILURE() << "no encoder for .xyz";
  } catch (const MediaError& e) {
    EXPECT_NE(std::string(e.what()).find(".xyz"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(picture.is_loaded());
  EXPECT_FALSE(std::filesystem::exists(path("copy.xyz")));
}

TEST_F(PictureTest, EditsNeedALoadedPictureAndSensibleSizes) {
  Picture picture;
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

}  // namespace
