// Loads the pixel engine from beside the program, once.
#include <dlfcn.h>

#include <filesystem>
#include <mutex>

#include "suite/media/media_error.h"
#include "suite/media/picture_engine.h"
#include "suite/media/vips_runtime.h"

namespace suite::media {
namespace {

constexpr const char* kEngineFile = "zozed_media_engine.so";

// The engine's path beside the object this code is linked into (the program, or a test), so
// that it is found wherever the build or installation put them both.
std::string engine_path() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&picture_engine), &info) != 0 && info.dli_fname && *info.dli_fname) {
    std::error_code error;
    const auto beside = std::filesystem::path(info.dli_fname).parent_path() / kEngineFile;
    if (std::filesystem::exists(beside, error)) return beside.string();
  }
  return kEngineFile;  // the loader's own search
}

PictureEngine* load_engine(std::string& failure) {
  // Never closed: libvips cannot be unloaded once started. Bound lazily: binding every
  // function of libvips' hundred libraries up front costs more than a photo's decoding.
  void* library = dlopen(engine_path().c_str(), RTLD_LAZY | RTLD_LOCAL);
  if (!library) {
    const char* why = dlerror();
    failure = std::string("the picture engine could not be loaded: ") + (why ? why : kEngineFile);
    return nullptr;
  }
  using Entry = PictureEngine* (*)();
  const auto entry = reinterpret_cast<Entry>(dlsym(library, "zozed_picture_engine"));
  PictureEngine* engine = entry ? entry() : nullptr;
  if (!engine) failure = std::string("the picture engine ") + kEngineFile + " is not one the suite can use";
  return engine;
}

}  // namespace

PictureEngine& picture_engine() {
  static std::once_flag once;
  static PictureEngine* engine = nullptr;
  static std::string failure;
  std::call_once(once, [] { engine = load_engine(failure); });
  if (!engine) throw MediaError(failure);
  return *engine;
}

void start_vips() {
  const std::string failure = picture_engine().start();
  if (!failure.empty()) throw MediaError(failure);
}

std::string picture_library_version() { return picture_engine().library_version(); }

}  // namespace suite::media
