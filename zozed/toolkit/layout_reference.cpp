#include "zozed/toolkit/layout_reference.h"

#include "platform/path_mapping.h"
#include "platform/winnls.h"

namespace zozed::toolkit {

std::optional<LayoutReference> parse_layout_reference(std::u16string_view reference) {
  constexpr std::u16string_view kRoot = u"root:";
  if (!reference.starts_with(kRoot)) return std::nullopt;
  reference.remove_prefix(kRoot.size());
  const auto dot = reference.rfind(u'.');
  if (dot == std::u16string_view::npos || dot == 0 || dot + 1 == reference.size()) return std::nullopt;
  const std::u16string_view file = reference.substr(0, dot);
  if (file.find_first_of(u"\\/:") != std::u16string_view::npos) return std::nullopt;
  return LayoutReference{std::u16string(file) + u".xml", platform::to_utf8(reference.substr(dot + 1))};
}

std::optional<std::string> layout_file_path(std::u16string_view root, std::u16string_view file) {
  if (root.empty()) return std::nullopt;
  std::u16string path(root);
  if (path.back() != u'\\') path += u'\\';
  path += file;
  return platform::posix_path_of(path);
}

}  // namespace zozed::toolkit
