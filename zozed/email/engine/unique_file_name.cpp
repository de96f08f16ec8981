#include "zozed/email/engine/unique_file_name.h"

#include <string>

#include "platform/fileapi.h"

namespace zozed::email {
namespace {

constexpr int kCounterLimit = 1000000;

bool exists(std::u16string_view folder, const std::u16string& name) {
  const std::u16string candidate = std::u16string(folder) + name;
  return GetFileAttributesW(candidate.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::u16string decimal(int n) {
  std::u16string text;
  for (const char c : std::to_string(n)) text += static_cast<char16_t>(c);
  return text;
}

}  // namespace

std::u16string MakeUniqueFileName(std::u16string_view folder, std::u16string_view extension,
                                  std::u16string_view base_name) {
  if (base_name.empty()) {
    for (int n = 0; n < kCounterLimit; ++n) {
      std::u16string name = u"QRNES" + decimal(n) + std::u16string(extension);
      if (!exists(folder, name)) return name;
    }
    return {};
  }
  std::u16string name = std::u16string(base_name) + std::u16string(extension);
  if (!exists(folder, name)) return name;
  for (int k = 1; k < kCounterLimit; ++k) {
    name = std::u16string(base_name) + u" (" + decimal(k) + u")" + std::u16string(extension);
    if (!exists(folder, name)) return name;
  }
  return {};
}

}  // namespace zozed::email
