#include "suite/media/picture.h"

#include <vips/vips8>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "suite/media/media_error.h"
#include "suite/media/pixel_layout.h"
#include "suite/media/vips_runtime.h"

namespace suite::media {

struct Picture::Loaded {
  std::string path;
  std::int32_t stored_width = 0;
  std::int32_t stored_height = 0;
  PixelLayout layout = kRgb8;
  int turns = 0;                        // 0..3, clockwise
  std::int32_t target_width = 0;        // after the turns; 0 = the stored size
  std::int32_t target_height = 0;
  bool modified = false;
};

namespace {

std::string lower_extension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

void check_dimensions(const std::string& path, std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0)
    throw MediaError(path + ": the picture has no pixels");
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
    throw MediaError(path + ": the picture claims " + std::to_string(width) + " x " + std::to_string(height) +
                     " pixels, more than the suite decodes (" + std::to_string(kMaxPictureSide) +
                     " pixels a side, " + std::to_string(kMaxPicturePixels / 1'000'000) + " megapixels)");
}

vips::VImage rotated(const vips::VImage& image, int turns) {
  switch (turns) {
    case 1: return image.rot(VIPS_ANGLE_D90);
    case 2: return image.rot(VIPS_ANGLE_D180);
    case 3: return image.rot(VIPS_ANGLE_D270);
    default: return image;
  }
}

// The output of every save carries no metadata: the orientation tag no longer applies once
// the turns are in the pixels, and mail wants the bytes small.
void write(const vips::VImage& image, const std::string& path) {
  const std::string ext = lower_extension(path);
  if (ext == ".jpg" || ext == ".jpeg" || ext == ".jpe") {
    image.jpegsave(path.c_str(), vips::VImage::option()->set("Q", kJpegQuality)->set("strip", true));
    return;
  }
  if (ext == ".png" || ext == ".tif" || ext == ".tiff" || ext == ".webp" || ext == ".gif" || ext == ".ppm" ||
      ext == ".pgm" || ext == ".pnm" || ext == ".jp2") {
    image.write_to_file(path.c_str(), vips::VImage::option()->set("strip", true));
    return;
  }
  throw MediaError(path + ": the suite cannot write pictures of type \"" + ext + "\"");
}

}  // namespace

Picture::Picture() = default;
Picture::~Picture() = default;

void Picture::configure(std::vector<std::int32_t> accepted_layouts) {
  for (const std::int32_t layout : accepted_layouts)
    if (layout < kGrey8 || layout > kCmyk8) throw MediaError("unknown pixel layout " + std::to_string(layout));
  accepted_ = std::move(accepted_layouts);
}

void Picture::load(const std::string& path) {
  release();
  start_vips();
  if (path.empty()) throw MediaError("no picture file was given");
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    throw MediaError(path + (error ? ": " + error.message() : std::string(": no such file")));
  auto loaded = std::make_unique<Loaded>();
  try {
    const vips::VImage header =
        vips::VImage::new_from_file(path.c_str(), vips::VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL));
    check_dimensions(path, header.width(), header.height());
    loaded->path = path;
    loaded->stored_width = header.width();
    loaded->stored_height = header.height();
    loaded->layout = delivered_layout(stored_layout(header), accepted_);
  } catch (const vips::VError&) {
    throw MediaError(path + ": " + take_vips_error("not a picture the suite can read"));
  }
  loaded_ = std::move(loaded);
}

bool Picture::is_loaded() const { return loaded_ != nullptr; }

void Picture::rotate(int quarter_turns) {
  if (!loaded_) throw MediaError("no picture is loaded");
  const int turns = ((quarter_turns % 4) + 4) % 4;
  if (turns == 0) return;
  loaded_->turns = (loaded_->turns + turns) % 4;
  if (turns % 2 == 1) std::swap(loaded_->target_width, loaded_->target_height);
  loaded_->modified = true;
}

void Picture::resize(std::int32_t width, std::int32_t height) {
  if (!loaded_) throw MediaError("no picture is loaded");
  if (width <= 0 || height <= 0)
    throw MediaError("cannot resize a picture to " + std::to_string(width) + " x " + std::to_string(height));
  check_dimensions(loaded_->path, width, height);
  if (width == this->width() && height == this->height()) return;
  loaded_->target_width = width;
  loaded_->target_height = height;
  loaded_->modified = true;
}

std::int32_t Picture::width() const {
  if (!loaded_) return 0;
  if (loaded_->target_width > 0) return loaded_->target_width;
  return loaded_->turns % 2 ? loaded_->stored_height : loaded_->stored_width;
}

std::int32_t Picture::height() const {
  if (!loaded_) return 0;
  if (loaded_->target_height > 0) return loaded_->target_height;
  return loaded_->turns % 2 ? loaded_->stored_width : loaded_->stored_height;
}

int Picture::bits_per_pixel() const { return loaded_ ? suite::media::bits_per_pixel(loaded_->layout) : 0; }

bool Picture::is_modified() const { return loaded_ && loaded_->modified; }

void Picture::reset_modified() {
  if (loaded_) loaded_->modified = false;
}

void Picture::save(const std::string& path) {
  if (!loaded_) throw MediaError("no picture is loaded");
  // Released whatever happens: the next picture starts from nothing.
  const std::unique_ptr<Loaded> edits = std::move(loaded_);
  try {
    vips::VImage image;
    if (edits->target_width > 0) {
      // Sized before turning: the target is counted after the turns.
      const bool sideways = edits->turns % 2 == 1;
      const int width = sideways ? edits->target_height : edits->target_width;
      const int height = sideways ? edits->target_width : edits->target_height;
      image = vips::VImage::thumbnail(edits->path.c_str(), width,
                                      vips::VImage::option()
                                          ->set("height", height)
                                          ->set("size", VIPS_SIZE_FORCE)
                                          ->set("no_rotate", true)
                                          ->set("fail_on", VIPS_FAIL_ON_ERROR));
    } else {
      image = vips::VImage::new_from_file(
          edits->path.c_str(),
          vips::VImage::option()
              ->set("access", edits->turns == 0 ? VIPS_ACCESS_SEQUENTIAL : VIPS_ACCESS_RANDOM)
              ->set("fail_on", VIPS_FAIL_ON_ERROR));
    }
    image = convert_layout(image, edits->layout);
    // Turning needs the whole picture at hand; the sized one is small.
    if (edits->turns != 0 && edits->target_width > 0) image = image.copy_memory();
    image = rotated(image, edits->turns);
    write(image, path);
  } catch (const vips::VError&) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);  // no half-written picture is left behind
    throw MediaError(edits->path + ": " + take_vips_error("the picture could not be converted"));
  }
}

void Picture::release() { loaded_.reset(); }

}  // namespace suite::media
