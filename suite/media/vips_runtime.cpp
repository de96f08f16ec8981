#include "suite/media/vips_runtime.h"

#include <vips/vips.h>

#include <mutex>

#include "suite/media/media_error.h"

namespace suite::media {

void start_vips() {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] {
    if (VIPS_INIT("zozed") != 0) return;
    vips_concurrency_set(1);
    // Operations are never repeated on the same file, so a cache would only hold memory.
    vips_cache_set_max(0);
    vips_cache_set_max_mem(0);
    vips_cache_set_max_files(0);
    started = true;
  });
  if (!started) throw MediaError("the picture library could not be started");
}

std::string take_vips_error(const std::string& fallback) {
  std::string text = vips_error_buffer();
  vips_error_clear();
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text.empty() ? fallback : text;
}

}  // namespace suite::media
