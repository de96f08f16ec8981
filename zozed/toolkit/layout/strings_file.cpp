#include "zozed/toolkit/layout/strings_file.h"

#include <fstream>
#include <pugixml.hpp>
#include <sstream>

namespace zozed::layout {

namespace {

SourcePosition position_at(std::string_view text, std::ptrdiff_t offset) {
  if (offset < 0) return {};
  SourcePosition position{1, 1};
  for (std::ptrdiff_t i = 0; i < offset && static_cast<std::size_t>(i) < text.size(); ++i) {
    if (text[static_cast<std::size_t>(i)] == '\n') {
      ++position.line;
      position.column = 1;
    } else {
      ++position.column;
    }
  }
  return position;
}

SourcePosition element_position(std::string_view text, const pugi::xml_node& node) {
  const std::ptrdiff_t offset = node.offset_debug();
  return position_at(text, offset > 0 ? offset - 1 : offset);
}

}  // namespace

std::optional<std::string> StringsFile::find(std::string_view id) const {
  const auto it = texts.find(id);
  if (it == texts.end()) return std::nullopt;
  return it->second;
}

StringsFile read_strings_text(std::string_view xml, std::string source) {
  StringsFile file;
  file.source = std::move(source);
  pugi::xml_document dom;
  const auto parsed = dom.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8);
  if (!parsed)
    throw LayoutError(file.source, position_at(xml, parsed.offset), std::string("malformed XML: ") + parsed.description());
  const pugi::xml_node root = dom.document_element();
  if (std::string_view(root.name()) != "strings")
    throw LayoutError(file.source, element_position(xml, root),
                      "the root element is <" + std::string(root.name()) + ">, not <strings>");
  for (const auto& node : root.children()) {
    if (node.type() != pugi::node_element) continue;
    const SourcePosition at = element_position(xml, node);
    const std::string_view id = node.attribute("id").value();
    if (std::string_view(node.name()) != "string" || id.empty()) {
      file.diagnostics.push_back({at, "<" + std::string(node.name()) + "> is not a <string> with an id; left out"});
      continue;
    }
    if (!file.texts.emplace(std::string(id), node.child_value()).second)
      file.diagnostics.push_back({at, "string \"" + std::string(id) + "\" is defined again; the first text is kept"});
  }
  return file;
}

StringsFile read_strings_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw LayoutError(path.string(), {}, "cannot open the file");
  std::ostringstream content;
  content << in.rdbuf();
  return read_strings_text(content.str(), path.string());
}

}  // namespace zozed::layout
