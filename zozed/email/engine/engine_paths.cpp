#include "zozed/email/engine/engine_paths.h"

#include <vector>

#include "host/commontools.h"
#include "platform/fileapi.h"

namespace zozed::email {
namespace {

constexpr DWORD kTempPathCapacity = 2048;
constexpr DWORD kAllButProtocol = ZEB_SPLIT_ALL & ~ZEB_SPLIT_PROTOCOL;

}  // namespace

std::u16string TemporaryFolder() {
  std::vector<WCHAR> buffer(kTempPathCapacity, u'\0');
  const DWORD length = GetTempPathW(kTempPathCapacity, buffer.data());
  if (length == 0 || length >= kTempPathCapacity) return {};
  return std::u16string(buffer.data(), length);
}

std::u16string PlainPath(std::u16string_view path) {
  return CZEBShellNameSplitter(path, kAllButProtocol).Compose(kAllButProtocol);
}

std::u16string FileProtocolPath(std::u16string_view path) {
  CZEBShellNameSplitter splitter(path, ZEB_SPLIT_ALL);
  splitter.SetProtocol(u"file");
  return splitter.Compose(ZEB_SPLIT_ALL);
}

std::u16string BaseNameOf(std::u16string_view path) {
  return CZEBShellNameSplitter(path, ZEB_SPLIT_ALL).GetFileName();
}

std::u16string ExtensionOf(std::u16string_view path) {
  return CZEBShellNameSplitter(path, ZEB_SPLIT_ALL).GetExtension();
}

std::u16string DottedExtensionOf(std::u16string_view path) {
  const std::u16string extension = ExtensionOf(path);
  return extension.empty() ? extension : u"." + extension;
}

std::u16string FileNameOf(std::u16string_view path) {
  return CZEBShellNameSplitter(path, ZEB_SPLIT_ALL).Compose(ZEB_SPLIT_FILENAME | ZEB_SPLIT_EXTENSION);
}

}  // namespace zozed::email
