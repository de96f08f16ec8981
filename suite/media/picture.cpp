#include "suite/media/picture.h"

#include <filesystem>

#include "suite/media/media_error.h"
#include "suite/media/picture_header.h"
#include "suite/media/pixel_layout.h"

namespace suite::media {

struct Picture::Loaded {
  std::string path;
  PictureHeader header;
  PixelLayout layout = kRgb8;           // as handed over
  int turns = 0;                        // 0..3, clockwise
  std::int32_t target_width = 0;        // after the turns; 0 = the stored size
  std::int32_t target_height = 0;
  bool modified = false;
};

namespace {

void check_dimensions(const std::string& path, std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0)
    throw MediaError(path + ": the picture has no pixels");
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
    throw MediaError(path + ": the picture claims " + std::to_string(width) + " x " + std::to_string(height) +
                     " pixels, more than the suite decodes (" + std::to_string(kMaxPictureSide) +
                     " pixels a side, " + std::to_string(kMaxPicturePixels / 1'000'000) + " megapixels)");
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
  if (path.empty()) throw MediaError("no picture file was given");
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    throw MediaError(path + (error ? ": " + error.message() : std::string(": no such file")));
  auto loaded = std::make_unique<Loaded>();
  loaded->path = path;
  loaded->header = read_picture_header(path);
  check_dimensions(path, loaded->header.width, loaded->header.height);
  try {
    loaded->layout = delivered_layout(loaded->header.layout, accepted_);
  } catch (const MediaError& e) {
    throw MediaError(path + ": " + e.what());
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
  return loaded_->turns % 2 ? loaded_->header.height : loaded_->header.width;
}

std::int32_t Picture::height() const {
  if (!loaded_) return 0;
  if (loaded_->target_height > 0) return loaded_->target_height;
  return loaded_->turns % 2 ? loaded_->header.width : loaded_->header.height;
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
  RenderJob job;
  job.source = edits->path;
  job.target = path;
  job.exif_orientation = edits->header.exif_orientation;
  job.turns = edits->turns;
  job.layout = edits->layout;
  if (edits->target_width > 0) {
    // The engine sizes before turning; the target is counted after the turns.
    const bool sideways = edits->turns % 2 == 1;
    job.width = sideways ? edits->target_height : edits->target_width;
    job.height = sideways ? edits->target_width : edits->target_height;
  }
  const std::string failure = picture_engine().render(job);
  if (!failure.empty()) throw MediaError(edits->path + ": " + failure);
}

void Picture::release() { loaded_.reset(); }

}  // namespace suite::media
