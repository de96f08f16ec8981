// `zozed version`: the program's version and the libraries it runs on.
#include <dlfcn.h>
#include <gmime/gmime.h>
#include <sqlite3.h>

#include <cstdio>
#include <pugixml.hpp>
#include <string>

#include "suite/cli/commands.h"
#include "suite/media/media_error.h"
#include "suite/media/vips_runtime.h"

namespace suite::cli {

namespace {
// FFmpeg is only named here, so it is loaded here rather than at every start of zozed.
std::string ffmpeg_version(const char* library, const char* function) {
  void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
  const auto version = handle ? reinterpret_cast<unsigned (*)()>(dlsym(handle, function)) : nullptr;
  if (!version) return "not found";
  const unsigned v = version();
  return std::to_string(v >> 16) + "." + std::to_string((v >> 8) & 0xff) + "." + std::to_string(v & 0xff);
}

void print_libraries() {
  std::string vips;
  try {
    vips = suite::media::picture_library_version();
  } catch (const suite::media::MediaError& e) {
    vips = e.what();
  }
  std::printf("  libvips   %s\n", vips.c_str());
  std::printf("  GMime     %u.%u.%u\n", gmime_major_version, gmime_minor_version, gmime_micro_version);
  std::printf("  FFmpeg    libavformat %s, libavcodec %s\n",
              ffmpeg_version(ZOZED_AVFORMAT_LIBRARY, "avformat_version").c_str(),
              ffmpeg_version(ZOZED_AVCODEC_LIBRARY, "avcodec_version").c_str());
  std::printf("  SQLite    %s\n", sqlite3_libversion());
  std::printf("  pugixml   %d.%d\n", PUGIXML_VERSION / 1000, PUGIXML_VERSION % 1000 / 10);
}
}  // namespace

void add_version_command(CLI::App& app) {
  auto* cmd = app.add_subcommand("version", "Show the version of zozed and of the libraries it uses");
  auto* libraries = cmd->add_flag("-l,--libraries")->description("Also list the libraries and their versions");
  cmd->callback([libraries] {
    std::printf("zozed %s\n", ZOZED_VERSION);
    if (*libraries) print_libraries();
  });
}

}  // namespace suite::cli
