// The engine's entry point, libvips' start and the header reader.
#include <dlfcn.h>
#include <vips/vips.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <stdexcept>

#include "suite/media/engine/engine_parts.h"

namespace suite::media::engine {
namespace {

// libvips looks for its format modules under $VIPSHOME/lib when VIPSHOME is set: pointing it
// at nothing for the start keeps them out until a picture needs them. The variable is set
// back at once, before libvips has threads of its own.
void start_without_modules() {
  const char* previous = std::getenv("VIPSHOME");
  const std::optional<std::string> saved = previous ? std::optional<std::string>(previous) : std::nullopt;
  ::setenv("VIPSHOME", "/dev/null", 1);
  const int failed = VIPS_INIT("zozed");
  if (saved) {
    ::setenv("VIPSHOME", saved->c_str(), 1);
  } else {
    ::unsetenv("VIPSHOME");
  }
  if (failed != 0) {
    std::string why = vips_error_buffer();
    vips_error_clear();
    throw std::runtime_error(why.empty() ? "the picture library could not be started" : why);
  }
}

// The modules libvips would have loaded at start, from beside libvips itself.
void load_format_modules() {
  static std::once_flag once;
  std::call_once(once, [] {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&vips_init), &info) == 0 || !info.dli_fname) return;
    const auto folder = std::filesystem::path(info.dli_fname).parent_path() /
                        ("vips-modules-" + std::to_string(vips_version(0)) + "." + std::to_string(vips_version(1)));
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      if (entry.path().extension() != ".so") continue;
      // A module that cannot load only takes its formats with it.
      if (GModule* module = g_module_open(entry.path().c_str(), G_MODULE_BIND_LAZY)) g_module_make_resident(module);
    }
  });
}

// Whether libvips' modules might read the file: it is there, and no built-in loader knows it.
bool needs_modules(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  const bool known = vips_foreign_find_load(path.c_str()) != nullptr;
  vips_error_clear();
  return !known;
}

enum class Signature { kJpeg, kPng, kOther };

Signature signature_of(const std::string& path) {
  unsigned char head[8] = {};
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return Signature::kOther;
  const std::size_t got = std::fread(head, 1, sizeof head, file);
  std::fclose(file);
  if (got >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return Signature::kJpeg;
  if (got == 8 && std::memcmp(head, "\x89PNG\r\n\x1a\n", 8) == 0) return Signature::kPng;
  return Signature::kOther;
}

// JPEG and PNG, nearly every photo the suite sees, go straight to their loader: finding one
// otherwise asks every loader libvips has to look at the file, and readies each the first time.
vips::VImage open_once(const std::string& path, VipsAccess access, bool strict, int shrink) {
  auto* options = vips::VImage::option()->set("access", access);
  if (strict) options->set("fail_on", VIPS_FAIL_ON_ERROR);
  if (shrink > 1) return vips::VImage::jpegload(path.c_str(), options->set("shrink", shrink));
  switch (signature_of(path)) {
    case Signature::kJpeg: return vips::VImage::jpegload(path.c_str(), options);
    case Signature::kPng: return vips::VImage::pngload(path.c_str(), options);
    case Signature::kOther: break;
  }
  return vips::VImage::new_from_file(path.c_str(), options);
}

class VipsEngine final : public PictureEngine {
 public:
  std::string start() override {
    try {
      engine::start();
      return {};
    } catch (const std::exception& e) {
      return e.what();
    }
  }

  std::string read_header(const std::string& path, PictureHeader& header) override {
    try {
      engine::start();
      const vips::VImage image = open_picture(path, VIPS_ACCESS_SEQUENTIAL, false);
      header.width = image.width();
      header.height = image.height();
      const int pages = image.get_typeof("n-pages") ? image.get_int("n-pages") : 1;
      const int page_height = image.get_typeof("page-height") ? image.get_int("page-height") : 0;
      header.frame_count = std::max(1, pages);
      header.frame_height = page_height > 0 ? page_height : image.height();
      header.stored_bits = image.bands() * static_cast<int>(vips_format_sizeof(image.format())) * 8;
      header.layout = stored_layout(image);
      header.exif_orientation = 1;
      if (image.get_typeof(VIPS_META_ORIENTATION)) {
        const int tag = image.get_int(VIPS_META_ORIENTATION);
        if (tag >= 1 && tag <= 8) header.exif_orientation = tag;
      }
      return {};
    } catch (const vips::VError& e) {
      return error_text(e, "not a picture the suite can read");
    } catch (const std::exception& e) {
      return e.what();
    }
  }

  std::string render(const RenderJob& job) override { return engine::render(job); }

  std::string library_version() override {
    return std::to_string(vips_version(0)) + "." + std::to_string(vips_version(1)) + "." + std::to_string(vips_version(2));
  }
};

}  // namespace

void start() {
  static std::once_flag once;
  static std::string failure;
  static bool started = false;
  std::call_once(once, [] {
    try {
      start_without_modules();
    } catch (const std::exception& e) {
      failure = e.what();
      return;
    }
    // One photo at a time is decoded and encoded faster without handing strips between
    // threads, and operations are never repeated on the same file, so a cache would only
    // hold memory.
    vips_concurrency_set(1);
    vips_cache_set_max(0);
    vips_cache_set_max_mem(0);
    vips_cache_set_max_files(0);
    started = true;
  });
  if (!started) throw std::runtime_error(failure);
}

std::string error_text(const vips::VError& error, const std::string& fallback) {
  std::string text = error.what();
  vips_error_clear();
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text.empty() ? fallback : text;
}

vips::VImage open_picture(const std::string& path, VipsAccess access, bool strict, int shrink) {
  try {
    return open_once(path, access, strict, shrink);
  } catch (const vips::VError&) {
    static std::atomic<bool> modules_loaded = false;
    if (modules_loaded || !needs_modules(path)) throw;
    load_format_modules();
    modules_loaded = true;
    return open_once(path, access, strict, shrink);
  }
}

bool is_jpeg(const vips::VImage& image) {
  return image.get_typeof("vips-loader") && std::string(image.get_string("vips-loader")) == "jpegload";
}

PixelLayout stored_layout(const vips::VImage& image) {
  const bool wide = image.format() != VIPS_FORMAT_UCHAR && image.format() != VIPS_FORMAT_CHAR;
  if (image.interpretation() == VIPS_INTERPRETATION_CMYK && image.bands() >= 4) return kCmyk8;
  switch (image.bands()) {
    case 1:
      return wide ? kGrey16 : kGrey8;
    case 2:  // grey with alpha is handed over as colour with alpha
    case 4:
      return kRgba8;
    default:
      return wide ? kRgb16 : kRgb8;
  }
}

}  // namespace suite::media::engine

extern "C" __attribute__((visibility("default"))) suite::media::PictureEngine* zozed_picture_engine() {
  static suite::media::engine::VipsEngine engine;
  return &engine;
}
