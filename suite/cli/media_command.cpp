// `zozed media FILE... [--json]`: what the suite's media services know of each file without
// decoding it: media type, frames, depth, size, the turns that show it upright, and whether
// the media-format runtime reports it as protected content.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "host/wmvcore.h"
#include "platform/libloaderapi.h"
#include "platform/path_mapping.h"
#include "platform/winerror.h"
#include "suite/cli/commands.h"
#include "suite/media/image_info.h"
#include "suite/media/orientation.h"

namespace suite::cli {
namespace {

// "yes", "no", or why the runtime could not tell.
std::string protection_of(const std::string& path) {
  HMODULE runtime = GetModuleHandleA(host::kWmvcoreLibrary);
  if (!runtime) runtime = LoadLibraryA(host::kWmvcoreLibrary);
  if (!runtime) return "no runtime";
  const auto check = reinterpret_cast<host::WMIsContentProtectedProc>(
      reinterpret_cast<void (*)()>(GetProcAddress(runtime, host::kIsContentProtectedEntry)));
  if (!check) return "no runtime";
  const std::u16string windows = platform::windows_path_of(std::filesystem::absolute(path).string());
  BOOL is_protected = FALSE;
  const HRESULT hr = check(windows.c_str(), &is_protected);
  if (hr != S_OK) return "no (not readable as ASF)";
  return is_protected ? "yes" : "no";
}

int show(const std::vector<std::string>& files, bool json) {
  nlohmann::json all = nlohmann::json::array();
  for (const auto& file : files) {
    const auto info = suite::media::read_image_info(file);
    nlohmann::json frames = nlohmann::json::array();
    for (const auto& f : info.frames) frames.push_back({f.width, f.height});
    nlohmann::json entry{{"file", file},
                         {"media_type", info.media_type},
                         {"frame_count", info.frame_count},
                         {"frames", frames},
                         {"bits_per_pixel", info.bits_per_pixel},
                         {"planes", info.planes},
                         {"file_size", info.file_size},
                         {"quarter_turns", suite::media::picture_quarter_turns(file)},
                         {"protected", protection_of(file)}};
    if (!info.header_error.empty()) entry["error"] = info.header_error;
    if (!json) {
      std::printf("%s\n  media type %d, %lld bytes", file.c_str(), info.media_type,
                  static_cast<long long>(info.file_size));
      if (!info.frames.empty())
        std::printf(", %d x %d, %d frame(s), %d bits per pixel, %d turn(s) to upright", info.frames[0].width,
                    info.frames[0].height, info.frame_count, info.bits_per_pixel, entry["quarter_turns"].get<int>());
      std::printf(", protected: %s\n", entry["protected"].get<std::string>().c_str());
      if (!info.header_error.empty()) std::printf("  %s\n", info.header_error.c_str());
    }
    all.push_back(std::move(entry));
  }
  if (json) std::printf("%s\n", all.dump(2).c_str());
  return 0;
}

}  // namespace

void add_media_command(CLI::App& app) {
  auto* command = app.add_subcommand("media", "What the suite's media services tell of files, without decoding them");
  auto files = std::make_shared<std::vector<std::string>>();
  auto json = std::make_shared<bool>(false);
  command->add_option("files", *files, "Files to describe")->required();
  command->add_flag("--json", *json, "Print JSON");
  command->callback([files, json] { show(*files, *json); });
}

}  // namespace suite::cli
