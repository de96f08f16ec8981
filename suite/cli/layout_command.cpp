// `zozed layout FILE`: reads a layout description the way the module reads it and shows its
// element tree, every accepted attribute and the checked geometry values; what the reader did
// not accept is listed as warnings.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "suite/cli/commands.h"
#include "zozed/toolkit/layout/layout_reader.h"

namespace suite::cli {

namespace {

namespace layout = zozed::layout;
using nlohmann::ordered_json;

const char* type_name(layout::ValueType type) {
  switch (type) {
    case layout::ValueType::Text: return "text";
    case layout::ValueType::Boolean: return "boolean";
    case layout::ValueType::Integer: return "integer";
    case layout::ValueType::Code: return "code";
    case layout::ValueType::Size: return "size";
    case layout::ValueType::PositionX: return "x";
    case layout::ValueType::PositionY: return "y";
    case layout::ValueType::PropertyValue: return "property";
  }
  return "?";
}

std::string number_text(double number) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", number);
  return text;
}

// What the module keeps of a value, after the text as written.
std::string read_as(const layout::Value& v) {
  switch (v.type) {
    case layout::ValueType::Text: return {};
    case layout::ValueType::Boolean: return v.boolean ? "true" : "false";
    case layout::ValueType::Integer:
    case layout::ValueType::Code: return std::to_string(v.integer);
    case layout::ValueType::Size:
    case layout::ValueType::PositionX:
    case layout::ValueType::PositionY:
      return std::string(layout::kind_name(v.geometry.kind)) + " " + number_text(v.geometry.number);
    case layout::ValueType::PropertyValue:
      if (v.reference == layout::Reference::String) return "string " + v.reference_name;
      if (v.reference == layout::Reference::Image) return "image " + v.reference_name;
      return {};
  }
  return {};
}

void print_node(const layout::Node& node, int depth) {
  const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  std::printf("%s%s  (line %zu)\n", indent.c_str(), node.element.c_str(), node.position.line);
  for (const auto& a : node.attributes) {
    const std::string kept = read_as(a.value);
    std::printf("%s  @%s = \"%s\"", indent.c_str(), a.name.c_str(), a.value.text.c_str());
    if (!kept.empty()) std::printf(" -> %s %s", type_name(a.value.type), kept.c_str());
    std::printf("\n");
  }
  for (const auto& c : node.children) print_node(c, depth + 1);
}

ordered_json node_json(const layout::Node& node) {
  ordered_json j;
  j["element"] = node.element;
  j["line"] = node.position.line;
  j["column"] = node.position.column;
  ordered_json attributes = ordered_json::array();
  for (const auto& a : node.attributes) {
    ordered_json attribute{{"name", a.name}, {"text", a.value.text}, {"type", type_name(a.value.type)}};
    const auto& v = a.value;
    switch (v.type) {
      case layout::ValueType::Text: break;
      case layout::ValueType::Boolean: attribute["value"] = v.boolean; break;
      case layout::ValueType::Integer:
      case layout::ValueType::Code: attribute["value"] = v.integer; break;
      case layout::ValueType::Size:
      case layout::ValueType::PositionX:
      case layout::ValueType::PositionY:
        attribute["kind"] = layout::kind_name(v.geometry.kind);
        attribute["number"] = v.geometry.number;
        break;
      case layout::ValueType::PropertyValue:
        if (v.reference != layout::Reference::None) {
          attribute["reference"] = v.reference == layout::Reference::String ? "string" : "image";
          attribute["referenceName"] = v.reference_name;
        }
        break;
    }
    attributes.push_back(std::move(attribute));
  }
  j["attributes"] = std::move(attributes);
  ordered_json children = ordered_json::array();
  for (const auto& c : node.children) children.push_back(node_json(c));
  j["children"] = std::move(children);
  return j;
}

int show_layout(const std::string& file, bool as_json) {
  layout::LayoutDocument document;
  try {
    document = layout::read_layout_file(file);
  } catch (const layout::LayoutError& e) {
    std::fprintf(stderr, "zozed layout: %s\n", e.what());
    return 1;
  }
  if (as_json) {
    ordered_json warnings = ordered_json::array();
    for (const auto& d : document.diagnostics)
      warnings.push_back({{"line", d.position.line}, {"column", d.position.column}, {"message", d.message}});
    const ordered_json out{{"source", document.source}, {"root", node_json(document.root)}, {"warnings", warnings}};
    std::cout << out.dump(2) << "\n";
  } else {
    print_node(document.root, 0);
  }
  for (const auto& d : document.diagnostics)
    std::fprintf(stderr, "warning: %s\n", layout::describe(document.source, d).c_str());
  return 0;
}

}  // namespace

void add_layout_command(CLI::App& app) {
  auto* cmd = app.add_subcommand("layout", "Read a layout description and show its element tree as the module reads it");
  static std::string file;
  static bool as_json = false;
  cmd->add_option("FILE", file, "The layout description (XML)")->required();
  cmd->add_flag("--json", as_json, "Print the tree as JSON");
  cmd->callback([] {
    if (const int status = show_layout(file, as_json); status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace suite::cli
