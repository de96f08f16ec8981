// Layout references such as "root:EmailOptionsDialog.EmailOptionsDialog": the element named
// after the dot, in the layout file named before it, in the skin's layout folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zozed::toolkit {

struct LayoutReference {
  std::u16string file;   // "EmailOptionsDialog.xml"
  std::string element;   // "EmailOptionsDialog"
};

// Nothing for a reference without the "root:" prefix, a file part or an element part.
std::optional<LayoutReference> parse_layout_reference(std::u16string_view reference);

// `file` in the layout folder `root` (a Windows path), as a POSIX path; nothing when unmappable.
std::optional<std::string> layout_file_path(std::u16string_view root, std::u16string_view file);

}  // namespace zozed::toolkit
