#include "zozed/email/engine/attachment_paths.h"

#include <cstdint>
#include <string>

#include "platform/fileapi.h"
#include "platform/handleapi.h"
#include "platform/oleauto.h"
#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "platform/support/safe_array.h"
#include "platform/winnls.h"
#include "zozed/email/engine/engine_paths.h"

namespace zozed::email {

namespace {

std::string ansi_of(std::u16string_view path) {
  const int size = WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()), ansi.data(), size, nullptr, nullptr);
  return ansi;
}

std::uint64_t file_size(std::u16string_view path) {
  const std::string ansi = ansi_of(path);
  HANDLE file = CreateFileA(ansi.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  LARGE_INTEGER size{};
  const bool known = GetFileSizeEx(file, &size) != FALSE;
  CloseHandle(file);
  return known && size.QuadPart > 0 ? static_cast<std::uint64_t>(size.QuadPart) : 0;
}

}  // namespace

LONG AttachmentTotalKB(const ItemList& attachments) {
  std::uint64_t total = 0;
  for (const auto& item : attachments) total += file_size(PlainPath(PathOf(MediaItemOf(item.get()))));
  return static_cast<LONG>(static_cast<std::uint32_t>(total / 1024 + 1));
}

void BuildAttachmentPaths(const ItemList& attachments, VARIANT& paths) {
  platform::check(VariantClear(&paths), IID_NULL);
  auto array = platform::SafeArray::create_vector(VT_BSTR, 0, static_cast<ULONG>(attachments.size()));
  if (!array) throw std::bad_alloc();
  for (LONG i = 0; i < static_cast<LONG>(attachments.size()); ++i) {
    const platform::Bstr path(PlainPath(PathOf(MediaItemOf(attachments[static_cast<std::size_t>(i)].get()))));
    platform::check(SafeArrayPutElement(array.get(), &i, path.get()), IID_NULL);
  }
  paths.vt = VT_ARRAY | VT_BSTR;
  paths.parray = array.detach();
}

}  // namespace zozed::email
