// What the suite writes, pixel by pixel: transparency on white, CMYK and 16 bits in as 8-bit
// sRGB, 4:2:0 JPEGs without metadata, every orientation upright, exact sizes from a JPEG
// shrunk while decoding, and extreme shapes.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "suite/media/media_error.h"
#include "suite/media/orientation.h"
#include "suite/media/picture.h"
#include "tests/suite/media/media_test_files.h"

namespace {

using media_test::MediaFolderTest;
using media_test::two_tone;
using suite::media::Picture;
using vips::VImage;

VImage srgb(const VImage& image) { return image.copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB)); }

// `width` x `height` of one colour.
VImage plain(int width, int height, std::vector<double> colour) {
  return (VImage::black(width, height) + colour).cast(VIPS_FORMAT_UCHAR);
}

// Whether every band of `pixel` is within `slack` of `wanted`.
bool near(const std::vector<double>& pixel, const std::vector<double>& wanted, double slack) {
  if (pixel.size() != wanted.size()) return false;
  for (std::size_t b = 0; b < pixel.size(); ++b)
    if (std::abs(pixel[b] - wanted[b]) > slack) return false;
  return true;
}

// The same picture in 16 bits a band.
VImage sixteen_bits(const VImage& image, VipsInterpretation interpretation) {
  return (image.cast(VIPS_FORMAT_USHORT) * 257)
      .cast(VIPS_FORMAT_USHORT)
      .copy(VImage::option()->set("interpretation", interpretation));
}

std::string text(const std::vector<double>& pixel) {
  std::string out;
  for (const double v : pixel) out += (out.empty() ? "" : ",") + std::to_string(static_cast<int>(v));
  return out;
}

class PictureOutputTest : public MediaFolderTest {
 protected:
  // Loads `source` with the e-mail engine's layouts, turns, resizes when asked and saves
  // `target`; a JPEG written must be 4:2:0 (or grey) and carry no metadata.
  VImage convert(const std::string& source, const std::string& target, int turns = 0, int width = 0, int height = 0) {
    Picture picture;
    picture.configure({0, 1, 2, 5});
    picture.load(source);
    picture.rotate(turns);
    if (width > 0) picture.resize(width, height);
    picture.save(path(target));
    VImage out = VImage::new_from_file(path(target).c_str());
    if (target.ends_with(".jpg")) {
      const auto layout = media_test::jpeg_layout(media_test::read_bytes(path(target)));
      EXPECT_EQ(layout.sampling, out.bands() == 1 ? "1x1" : "2x2 1x1 1x1") << target;
      EXPECT_FALSE(layout.metadata) << target;
    }
    return out;
  }
};

TEST_F(PictureOutputTest, JpegsAreEightBitSrgbOrGreyWithTransparencyOnWhite) {
  // Left half opaque, right half transparent where there is an alpha band.
  const VImage alpha = (VImage::xyz(80, 60)[0] < 40).ifthenelse(255, 0).cast(VIPS_FORMAT_UCHAR);
  const VImage rgba = srgb(plain(80, 60, {200, 40, 40}).bandjoin(alpha));
  rgba.pngsave(path("rgba8.png").c_str());
  sixteen_bits(rgba, VIPS_INTERPRETATION_RGB16).pngsave(path("rgba16.png").c_str(), VImage::option()->set("bitdepth", 16));
  plain(80, 60, {90}).bandjoin(alpha).pngsave(path("grey_alpha.png").c_str());
  rgba.pngsave(path("palette.png").c_str(), VImage::option()->set("palette", true));
  ASSERT_TRUE(VImage::new_from_file(path("palette.png").c_str()).get_typeof("palette-bit-depth"));
  const VImage rgb16 = sixteen_bits(plain(80, 60, {200, 100, 50}), VIPS_INTERPRETATION_RGB16);
  rgb16.pngsave(path("rgb16.png").c_str(), VImage::option()->set("bitdepth", 16));
  rgb16.tiffsave(path("rgb16.tif").c_str());
  sixteen_bits(plain(80, 60, {150}), VIPS_INTERPRETATION_GREY16)
      .pngsave(path("grey16.png").c_str(), VImage::option()->set("bitdepth", 16));
  plain(80, 60, {150}).jpegsave(path("grey8.jpg").c_str());

  struct Row {
    int line;
    std::string source;
    std::vector<double> left;
    std::vector<double> right;  // grey stays one band: a third of the bytes, shown everywhere
  };
  const Row rows[] = {
      {__LINE__, "rgba8.png", {200, 40, 40}, {255, 255, 255}},
      {__LINE__, "rgba16.png", {200, 40, 40}, {255, 255, 255}},
      {__LINE__, "grey_alpha.png", {90, 90, 90}, {255, 255, 255}},
      {__LINE__, "palette.png", {200, 40, 40}, {255, 255, 255}},
      {__LINE__, "rgb16.png", {200, 100, 50}, {200, 100, 50}},
      {__LINE__, "rgb16.tif", {200, 100, 50}, {200, 100, 50}},
      {__LINE__, "grey16.png", {150}, {150}},
      {__LINE__, "grey8.jpg", {150}, {150}},
  };
  for (const auto& row : rows) {
    for (const bool resize : {false, true}) {
      const std::string target = std::to_string(row.line) + (resize ? "_small.jpg" : "_full.jpg");
      const VImage out = convert(path(row.source), target, 0, resize ? 40 : 0, 30);
      EXPECT_EQ(out.format(), VIPS_FORMAT_UCHAR) << "row at line " << row.line;
      const auto left = out.getpoint(out.width() / 8, out.height() / 2);
      const auto right = out.getpoint(out.width() * 7 / 8, out.height() / 2);
      EXPECT_TRUE(near(left, row.left, 8)) << "row at line " << row.line << ": " << text(left);
      EXPECT_TRUE(near(right, row.right, 8)) << "row at line " << row.line << ": " << text(right);
    }
  }
  // A turned PNG stays a PNG with its transparency.
  const VImage png = convert(path("rgba16.png"), "turned.png", 1);
  ASSERT_EQ(png.bands(), 4);
  EXPECT_EQ(png.getpoint(30, 5)[3], 255.0) << "the opaque left half, turned to the top";
  EXPECT_EQ(png.getpoint(30, 75)[3], 0.0);
}

TEST_F(PictureOutputTest, CmykComesOutAsSmallSrgbWithItsColours) {
  // Four coloured quarters with some blurred grain, like a photograph.
  const VImage top = plain(400, 280, {200, 40, 40}).join(plain(400, 280, {40, 160, 60}), VIPS_DIRECTION_HORIZONTAL);
  const VImage bottom = plain(400, 280, {50, 80, 150}).join(plain(400, 280, {230, 210, 60}), VIPS_DIRECTION_HORIZONTAL);
  const VImage grain = VImage::gaussnoise(800, 560, VImage::option()->set("sigma", 12.0)).gaussblur(1.5) - 128;
  const VImage photo = srgb((top.join(bottom, VIPS_DIRECTION_VERTICAL) + grain).cast(VIPS_FORMAT_UCHAR));
  photo.pngsave(path("photo.png").c_str());
  const VImage cmyk = photo.icc_transform("cmyk", VImage::option()->set("input_profile", "srgb"));
  ASSERT_EQ(cmyk.interpretation(), VIPS_INTERPRETATION_CMYK);
  cmyk.jpegsave(path("profiled.jpg").c_str());
  VImage bare = cmyk.copy();
  bare.remove(VIPS_META_ICC_NAME);
  bare.jpegsave(path("bare.jpg").c_str());
  const auto bytes = media_test::read_bytes(path("bare.jpg"));
  ASSERT_NE(std::string(bytes.begin(), bytes.end()).find("Adobe"), std::string::npos) << "inverted inks";

  convert(path("photo.png"), "from_srgb.jpg", 0, 400, 280);
  const auto srgb_bytes = std::filesystem::file_size(path("from_srgb.jpg"));
  for (const std::string source : {"profiled.jpg", "bare.jpg"}) {
    const VImage out = convert(path(source), "from_" + source, 0, 400, 280);
    ASSERT_EQ(out.bands(), 3) << source;
    EXPECT_EQ(out.interpretation(), VIPS_INTERPRETATION_sRGB) << source;
    EXPECT_LT(std::filesystem::file_size(path("from_" + source)), srgb_bytes * 5 / 4) << source;
    const std::vector<std::vector<double>> quarters = {{200, 40, 40}, {40, 160, 60}, {50, 80, 150}, {230, 210, 60}};
    for (int q = 0; q < 4; ++q) {
      const VImage patch = out.extract_area(q % 2 * 200 + 50, q / 2 * 140 + 35, 100, 70);
      const std::vector<double> mean = {patch[0].avg(), patch[1].avg(), patch[2].avg()};
      EXPECT_TRUE(near(mean, quarters[static_cast<std::size_t>(q)], 25)) << source << " quarter " << q << ": " << text(mean);
    }
  }
}

TEST_F(PictureOutputTest, EveryOrientationComesOutUprightAfterTheItemsTurns) {
  // Upright: 60 x 40, grey, with a red marker in the top-left corner.
  const VImage upright = srgb(plain(60, 40, {128, 128, 128}).insert(plain(12, 12, {230, 20, 20}), 0, 0));
  // What a camera stores for each tag: the tag's own transform undoes it.
  using Store = std::function<VImage(const VImage&)>;
  const std::pair<int, Store> stored[] = {
      {1, [](const VImage& u) { return u; }},
      {2, [](const VImage& u) { return u.flip(VIPS_DIRECTION_HORIZONTAL); }},
      {3, [](const VImage& u) { return u.rot(VIPS_ANGLE_D180); }},
      {4, [](const VImage& u) { return u.flip(VIPS_DIRECTION_VERTICAL); }},
      {5, [](const VImage& u) { return u.rot(VIPS_ANGLE_D90).flip(VIPS_DIRECTION_HORIZONTAL); }},
      {6, [](const VImage& u) { return u.rot(VIPS_ANGLE_D270); }},
      {7, [](const VImage& u) { return u.rot(VIPS_ANGLE_D270).flip(VIPS_DIRECTION_HORIZONTAL); }},
      {8, [](const VImage& u) { return u.rot(VIPS_ANGLE_D90); }},
  };
  media_test::write_bytes(path("text.jpg"), {'n', 'o'});
  EXPECT_EQ(suite::media::picture_quarter_turns(path("text.jpg")), 0);
  EXPECT_EQ(suite::media::picture_quarter_turns(path("missing.jpg")), 0);
  for (const auto& [tag, store] : stored) {
    VImage tagged = store(upright).copy();
    tagged.set(VIPS_META_ORIENTATION, tag);
    ASSERT_EQ(tagged.autorot().subtract(upright).abs().max(), 0.0) << "tag " << tag << ": libvips disagrees";
    const std::string source = path("tag" + std::to_string(tag) + ".jpg");
    tagged.jpegsave(source.c_str());
    const int turns = suite::media::picture_quarter_turns(source);
    for (const bool resize : {false, true}) {
      const std::string name = "up" + std::to_string(tag) + (resize ? "_small.jpg" : "_full.jpg");
      const VImage out = convert(source, name, turns, resize ? 30 : 0, 20);
      ASSERT_EQ(out.width(), resize ? 30 : 60) << name;
      ASSERT_EQ(out.height(), resize ? 20 : 40) << name;
      const int w = out.width() - 1, h = out.height() - 1;
      EXPECT_TRUE(near(out.getpoint(1, 1), {230, 20, 20}, 40)) << name << ": " << text(out.getpoint(1, 1));
      for (const auto& [x, y] : {std::pair{w - 1, 1}, std::pair{1, h - 1}, std::pair{w - 1, h - 1}})
        EXPECT_TRUE(near(out.getpoint(x, y), {128, 128, 128}, 20)) << name << " at " << x << "," << y;
    }
  }
}

TEST_F(PictureOutputTest, JpegsShrunkWhileDecodingComeOutAtExactlyTheAskedSize) {
  const std::string source = save(two_tone(1001, 777), "odd.jpg");
  const std::pair<int, int> sizes[] = {{1001, 777}, {1000, 776}, {501, 389}, {500, 388}, {251, 195},
                                       {250, 194},  {126, 98},   {125, 97},  {900, 10},  {3, 700}};
  for (const auto& [width, height] : sizes) {
    const std::string name = std::to_string(width) + "x" + std::to_string(height) + ".jpg";
    const VImage out = convert(source, name, 0, width, height);
    ASSERT_EQ(out.width(), width) << name;
    ASSERT_EQ(out.height(), height) << name;
    if (width < 8) continue;
    EXPECT_LT(out.extract_area(0, 0, width / 4, height).avg(), 60.0) << name << ": left half dark";
    EXPECT_GT(out.extract_area(width - width / 4, 0, width / 4, height).avg(), 190.0) << name;
  }
}

TEST_F(PictureOutputTest, ExtremeShapesAndSizesDecodeAndSave) {
  struct Row {
    int line;
    int width;
    int height;
    std::string ext;
    int turns;
    int out_width;  // after the turns; 0 = not resized
    int out_height;
  };
  const Row rows[] = {
      {__LINE__, 10000, 5, ".jpg", 0, 800, 1},   {__LINE__, 10000, 5, ".png", 0, 800, 1},
      {__LINE__, 5, 10000, ".jpg", 0, 1, 600},   {__LINE__, 5, 10000, ".png", 1, 600, 1},
      {__LINE__, 1, 1, ".jpg", 0, 0, 0},         {__LINE__, 1, 1, ".png", 3, 1, 1},
      {__LINE__, 32767, 9, ".jpg", 1, 3, 800},   {__LINE__, 20000, 12500, ".jpg", 0, 800, 500},
  };
  for (const auto& row : rows) {
    // The largest is plain black: only its size matters, and it is written quickest.
    const bool huge = static_cast<double>(row.width) * row.height > 1e8;
    const VImage in = huge ? VImage::black(row.width, row.height) : two_tone(row.width, row.height, 1);
    const std::string source = save(in, "in" + std::to_string(row.line) + row.ext);
    const VImage out = convert(source, "out" + std::to_string(row.line) + ".jpg", row.turns, row.out_width, row.out_height);
    const bool sideways = row.turns % 2 == 1;
    EXPECT_EQ(out.width(), row.out_width ? row.out_width : sideways ? row.height : row.width) << "row at line " << row.line;
    EXPECT_EQ(out.height(), row.out_height ? row.out_height : sideways ? row.width : row.height) << "row at line " << row.line;
  }
}

TEST_F(PictureOutputTest, FormatsOfLibvipsModulesAreLoadedWhenAFileNeedsThem) {
  // libvips starts without its modules; a file no built-in loader knows brings them in.
  media_test::write_bytes(path("unknown.avif"), {'n', 'o', 't', ' ', 'a', 'v', 'i', 'f'});
  Picture picture;
  EXPECT_THROW(picture.load(path("unknown.avif")), suite::media::MediaError);
  two_tone(64, 48).heifsave(path("photo.avif").c_str(), VImage::option()->set("compression", VIPS_FOREIGN_HEIF_COMPRESSION_AV1));
  const VImage out = convert(path("photo.avif"), "from_avif.jpg", 0, 32, 24);
  EXPECT_EQ(out.width(), 32);
  EXPECT_LT(out.getpoint(2, 12)[0], 60.0);
  EXPECT_GT(out.getpoint(29, 12)[0], 190.0);
}

}  // namespace
