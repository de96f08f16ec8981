#include "zozed/email/engine/path_checks.h"

#include <string>

#include "host/commontools.h"
#include "platform/fileapi.h"
#include "zozed/email/engine/engine_paths.h"

namespace zozed::email {
namespace {

bool equals_ignoring_case(std::u16string_view text, std::u16string_view upper) {
  if (text.size() != upper.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c != upper[i]) return false;
  }
  return true;
}

}  // namespace

bool IsJpegPath(std::u16string_view path) {
  const std::u16string extension = ExtensionOf(path);
  return equals_ignoring_case(extension, u"JPG") || equals_ignoring_case(extension, u"JPEG");
}

bool IsOffLocalDisk(std::u16string_view path, DiskPlacement* placement) {
  constexpr DWORD kAllButProtocol = ZEB_SPLIT_ALL & ~ZEB_SPLIT_PROTOCOL;
  const CZEBShellNameSplitter splitter(path, kAllButProtocol);
  const std::u16string& location = splitter.GetPath();
  DiskPlacement result;
  result.network_share = location.size() >= 2 && location[0] == u'\\' && location[1] == u'\\';
  if (splitter.GetSeparator() != u":") {
    result.not_local_fixed = true;
  } else if (location.size() >= 3 && location[1] == u':' && location[2] == u'\\') {
    const char root[] = {static_cast<char>(location[0]), ':', '\\', '\0'};
    result.not_local_fixed = GetDriveTypeA(root) != DRIVE_FIXED;
  }
  if (placement) *placement = result;
  return result.network_share || result.not_local_fixed;
}

}  // namespace zozed::email
