// Prepares photos for mail with the suite's picture pipeline, one at a time as the e-mail
// engine asks for it: header information, load with the engine's layouts, the photo's own
// turns, the screen box (and, with --target-bytes, the engine's one-shot size estimate at
// quality level 2), JPEG out. Prints one line per photo: output, width, height, bytes.
//   zozed_prepare_photos [--box WxH] [--target-bytes N] --out DIR PHOTO...
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "suite/media/image_info.h"
#include "suite/media/media_error.h"
#include "suite/media/orientation.h"
#include "suite/media/picture.h"

namespace {

struct Options {
  int box_width = 800;
  int box_height = 600;
  long long target_bytes = 0;
  std::string out;
  std::vector<std::string> photos;
};

// The size estimate of the e-mail engine at quality level 2 (ratio of JPEG to raw bytes).
void estimate(const suite::media::ImageInfo& info, int bits, long long target, int turns, int& w, int& h) {
  constexpr double kRatioLevel2 = 0.03333027463663551;
  int width = 0, height = 0;
  for (const auto& f : info.frames) {
    width = std::max(width, turns % 2 ? f.height : f.width);
    height = std::max(height, turns % 2 ? f.width : f.height);
  }
  const unsigned row = static_cast<unsigned>(((bits * width + 7) / 8 + 3) / 4 * 4);
  const double raw = static_cast<double>(height) * row * info.planes;
  const double s = std::sqrt(static_cast<double>(target) / (raw * kRatioLevel2));
  w = s <= 1 ? static_cast<int>(width * s) : width;
  h = s <= 1 ? static_cast<int>(height * s) : height;
}

bool prepare(const Options& options, const std::string& photo, int index) {
  const suite::media::ImageInfo info = suite::media::read_image_info(photo);
  suite::media::Picture picture;
  picture.configure({0, 1, 2, 5});
  picture.load(photo);
  const int turns = suite::media::picture_quarter_turns(photo);
  picture.rotate(turns);
  if (options.target_bytes > 0 && info.file_size > options.target_bytes) {
    int w = 0, h = 0;
    estimate(info, info.bits_per_pixel, options.target_bytes, turns, w, h);
    if (w > 0 && h > 0) picture.resize(w, h);
  }
  int w = picture.width(), h = picture.height();
  const double aspect = static_cast<double>(h) / w;
  if (w > options.box_width) {
    w = options.box_width;
    h = static_cast<int>(options.box_width * aspect);
  }
  if (h > options.box_height) {
    h = options.box_height;
    w = static_cast<int>(options.box_height / aspect);
  }
  picture.resize(w, h);
  picture.reset_modified();
  const std::string target =
      options.out + "/" + std::to_string(index) + "_" + std::filesystem::path(photo).stem().string() + ".jpg";
  picture.save(target);
  std::printf("%s\t%d\t%d\t%llu\n", target.c_str(), w, h,
              static_cast<unsigned long long>(std::filesystem::file_size(target)));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--box" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%dx%d", &options.box_width, &options.box_height) != 2) return 2;
    } else if (arg == "--target-bytes" && i + 1 < argc) {
      options.target_bytes = std::atoll(argv[++i]);
    } else if (arg == "--out" && i + 1 < argc) {
      options.out = argv[++i];
    } else {
      options.photos.push_back(arg);
    }
  }
  if (options.out.empty() || options.photos.empty()) {
    std::fprintf(stderr, "usage: %s [--box WxH] [--target-bytes N] --out DIR PHOTO...\n", argv[0]);
    return 2;
  }
  std::error_code error;
  std::filesystem::create_directories(options.out, error);
  int failed = 0;
  for (std::size_t i = 0; i < options.photos.size(); ++i) {
    try {
      prepare(options, options.photos[i], static_cast<int>(i));
    } catch (const suite::media::MediaError& e) {
      std::fprintf(stderr, "%s\n", e.what());
      ++failed;
    }
  }
  return failed == 0 ? 0 : 1;
}
