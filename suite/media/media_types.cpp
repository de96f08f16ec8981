#include "suite/media/media_types.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace suite::media {
namespace {

struct ExtensionType {
  std::string_view extension;
  std::int32_t type;
};

constexpr std::array kTable{
    ExtensionType{"jpg", kPhoto},       ExtensionType{"jpeg", kPhoto},      ExtensionType{"jpe", kPhoto},
    ExtensionType{"png", kPhoto},       ExtensionType{"gif", kPhoto},       ExtensionType{"tif", kPicture},
    ExtensionType{"tiff", kPicture},    ExtensionType{"webp", kPicture},    ExtensionType{"heic", kPicture},
    ExtensionType{"heif", kPicture},    ExtensionType{"avif", kPicture},    ExtensionType{"jp2", kPicture},
    ExtensionType{"j2k", kPicture},     ExtensionType{"ppm", kPicture},     ExtensionType{"pgm", kPicture},
    ExtensionType{"pbm", kPicture},     ExtensionType{"pnm", kPicture},     ExtensionType{"svg", kPicture},
    ExtensionType{"wmv", kVideo},       ExtensionType{"asf", kVideo},       ExtensionType{"avi", kVideo},
    ExtensionType{"mpg", kVideo},       ExtensionType{"mpeg", kVideo},      ExtensionType{"mp4", kVideo},
    ExtensionType{"m4v", kVideo},       ExtensionType{"mov", kVideo},       ExtensionType{"mkv", kVideo},
    ExtensionType{"webm", kVideo},      ExtensionType{"wma", kAudio},       ExtensionType{"mp3", kAudio},
    ExtensionType{"wav", kAudio},       ExtensionType{"ogg", kAudio},       ExtensionType{"oga", kAudio},
    ExtensionType{"flac", kAudio},      ExtensionType{"m4a", kAudio},       ExtensionType{"aac", kAudio},
    ExtensionType{"dmsp", kSlideShow},  ExtensionType{"wmvs", kSlideShowVideo},
};

std::string extension_of(std::string_view path) {
  const std::size_t cut = path.find_last_of("\\/:");
  if (cut != std::string_view::npos) path.remove_prefix(cut + 1);
  const std::size_t dot = path.rfind('.');
  // A bare extension without its dot ("jpg") counts as one.
  std::string_view ext = dot == std::string_view::npos ? path : path.substr(dot + 1);
  std::string lower(ext);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

}  // namespace

std::int32_t media_type_of(std::string_view path_or_extension) {
  const std::string ext = extension_of(path_or_extension);
  if (ext.empty()) return kNoMediaType;
  for (const auto& row : kTable)
    if (row.extension == ext) return row.type;
  return kNoMediaType;
}

std::int32_t media_type_of(std::u16string_view path_or_extension) {
  std::string narrow;
  narrow.reserve(path_or_extension.size());
  for (const char16_t c : path_or_extension) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return media_type_of(std::string_view(narrow));
}

bool is_still_picture(std::int32_t media_type) { return media_type == kPhoto || media_type == kPicture; }

}  // namespace suite::media
