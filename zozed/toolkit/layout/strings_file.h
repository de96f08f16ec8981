// The texts of an XML-described dialog: a strings file maps the names that a layout's
// "stringRef:" values use to the texts shown.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zozed/toolkit/layout/layout_reader.h"

namespace zozed::layout {

struct StringsFile {
  std::string source;
  std::map<std::string, std::string, std::less<>> texts;  // UTF-8
  std::vector<Diagnostic> diagnostics;

  std::optional<std::string> find(std::string_view id) const;
};

// <strings><string id="Name">Text</string>...</strings>; the first of two equal ids wins.
// Throws LayoutError for a file that cannot be read or is not such a document.
StringsFile read_strings_text(std::string_view xml, std::string source = "<text>");
StringsFile read_strings_file(const std::filesystem::path& path);

}  // namespace zozed::layout
