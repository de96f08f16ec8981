// `zozed version`: the program's version and the libraries it runs on.
#include <gmime/gmime.h>
#include <sqlite3.h>
#include <vips/vips.h>

#include <cstdio>
#include <pugixml.hpp>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "suite/cli/commands.h"

namespace suite::cli {

namespace {
void print_libraries() {
  std::printf("  libvips   %s\n", vips_version_string());
  std::printf("  GMime     %u.%u.%u\n", gmime_major_version, gmime_minor_version, gmime_micro_version);
  const unsigned av = avformat_version();
  std::printf("  FFmpeg    libavformat %u.%u.%u, libavcodec %u.%u.%u\n", av >> 16, (av >> 8) & 0xff, av & 0xff,
              avcodec_version() >> 16, (avcodec_version() >> 8) & 0xff, avcodec_version() & 0xff);
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
