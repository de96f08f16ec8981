// Sizing a picture for mail: the one-shot JPEG estimate with its ratio table, and the resize
// steps run on a recording image object.
#include <gtest/gtest.h>

#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/jpeg_scale.h"
#include "zozed/email/engine/resize_for_email.h"

namespace zozed_test {
namespace {

using zozed::email::PixelSize;

TEST(JpegScaleTest, EstimatesFromRawBytesPaddedRowsAndTheRatioOfTheLevel) {
  struct Row {
    int line;
    ImageInfo info;
    DWORD target;
    LONG level;
    std::optional<LONG> bits;
    PixelSize expected;
  };
  ImageInfo too_many = picture_info({{3000, 2000}});
  too_many.frame_count = 21;
  const Row rows[] = {
      {__LINE__, picture_info({{3000, 2000}}), 51200, 2, std::nullopt, {876, 584}},
      {__LINE__, picture_info({{3000, 2000}}), 51200, 2, 8, {1517, 1011}},  // bits given win
      {__LINE__, picture_info({{100, 3000}, {2000, 50}}), 51200, 2, std::nullopt, {584, 876}},  // largest of each
      {__LINE__, picture_info({{2000, 3000}}, 24, 2), 51200, 0, std::nullopt, {540, 810}},    // planes multiply
      {__LINE__, picture_info({{1, 1000}}), 1000, 9, std::nullopt, {0, 912}},  // a 3-byte row pads to 4
      {__LINE__, picture_info({{100, 100}}), 51200, 2, std::nullopt, {100, 100}},  // already below the target
      {__LINE__, picture_info({}), 51200, 2, std::nullopt, {0, 0}},
      {__LINE__, too_many, 51200, 2, std::nullopt, {0, 0}},
      {__LINE__, picture_info({{3000, 2000}}), 51200, -1, std::nullopt, {0, 0}},
      {__LINE__, picture_info({{3000, 2000}}), 51200, 10, std::nullopt, {0, 0}},
  };
  for (const Row& row : rows) {
    const PixelSize size = zozed::email::EstimateJpegScale(row.info, row.target, row.level, row.bits);
    EXPECT_EQ(size.width, row.expected.width) << "row at line " << row.line;
    EXPECT_EQ(size.height, row.expected.height) << "row at line " << row.line;
  }
}

using ResizeTest = EngineTest;

TEST_F(ResizeTest, FileSizeAndBoxStepsResizeAsTheLimitsSay) {
  struct Row {
    int line;
    LONG width, height;
    ULONGLONG file_size;
    LONG orientation;
    bool jpeg;
    LONG max_width, max_height;
    DWORD target;
    std::vector<std::string> calls;
  };
  const Row rows[] = {
      {__LINE__, 3000, 2000, 2000000, 0, true, 0, 0, 51200, {"resize 876x584"}},
      {__LINE__, 3000, 2000, 2000000, 0, false, 0, 0, 51200, {"bits", "resize 1517x1011"}},  // the image's 8 bits
      {__LINE__, 3000, 2000, 2000000, 1, true, 0, 0, 51200, {"resize 584x876"}},
      {__LINE__, 3000, 2000, 2000000, 3, true, 0, 0, 51200, {"resize 584x876"}},
      {__LINE__, 3000, 2000, 2000000, 2, true, 0, 0, 51200, {"resize 876x584"}},
      {__LINE__, 3000, 2000, 51200, 0, true, 0, 0, 51200, {}},  // not larger than the target
      {__LINE__, 3000, 2000, 2000000, 0, true, 0, 0, 0, {}},
      {__LINE__, 1600, 1600, 2000000, 0, true, 800, 600, 0, {"resize 600x600"}},
      {__LINE__, 640, 480, 2000000, 0, true, 800, 600, 0, {"resize 640x480"}},  // even when nothing changes
      {__LINE__, 3000, 2000, 2000000, 0, true, 640, 480, 51200, {"resize 876x584", "resize 640x426"}},
      // A side the fit rounds to nothing keeps one pixel.
      {__LINE__, 10000, 5, 2000000, 0, true, 800, 600, 0, {"resize 800x1"}},
      {__LINE__, 5, 10000, 2000000, 0, true, 800, 600, 0, {"resize 1x600"}},
      {__LINE__, 30000, 1, 2000000, 0, true, 0, 0, 1024, {"resize 17527x1"}},
  };
  world_->image_bits = 8;
  for (const Row& row : rows) {
    world_->calls.clear();
    platform::ComPtr<fakes::FakeImage> image;
    ASSERT_EQ(platform::make_com(image, world_), S_OK);
    image->load(row.width, row.height);
    zozed::email::ResizeForEmail(image.As<IImageObject>(), picture_info({{row.width, row.height}}, 24, 1, row.file_size),
                                 row.orientation, row.jpeg, row.max_width, row.max_height, row.target);
    EXPECT_EQ(world_->calls, row.calls) << "row at line " << row.line;
  }
}

}  // namespace
}  // namespace zozed_test
