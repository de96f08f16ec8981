// Reads a layout description (XML) into its element tree, accepting only the elements and
// attributes the toolkit knows and the value syntax of each; what is not accepted is reported.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "zozed/toolkit/layout/layout_node.h"

namespace zozed::layout {

// A value or element that was not accepted; the attribute keeps its default, the element is
// left out of the tree.
struct Diagnostic {
  SourcePosition position;
  std::string message;
};

// A document that cannot be read at all: unreadable file, malformed XML, wrong root element.
class LayoutError : public std::runtime_error {
 public:
  LayoutError(std::string source, SourcePosition position, const std::string& message);
  const std::string& source() const { return source_; }
  const SourcePosition& position() const { return position_; }

 private:
  std::string source_;
  SourcePosition position_;
};

struct LayoutDocument {
  std::string source;  // file name, or what the caller named the text
  Node root;
  std::vector<Diagnostic> diagnostics;
};

LayoutDocument read_layout_text(std::string_view xml, std::string source = "<text>");
LayoutDocument read_layout_file(const std::filesystem::path& path);

// "file:line:column: message".
std::string describe(const std::string& source, const Diagnostic& diagnostic);

}  // namespace zozed::layout
