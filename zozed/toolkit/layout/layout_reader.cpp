#include "zozed/toolkit/layout/layout_reader.h"

#include <algorithm>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>

#include "zozed/toolkit/layout/layout_vocabulary.h"

namespace zozed::layout {

namespace {

std::string where(const std::string& source, SourcePosition position) {
  std::string text = source;
  if (position.line > 0) text += ":" + std::to_string(position.line) + ":" + std::to_string(position.column);
  return text;
}

// Byte offsets to line and column, from the start of every line.
class LineTable {
 public:
  explicit LineTable(std::string_view text) {
    starts_.push_back(0);
    for (std::size_t i = 0; i < text.size(); ++i)
      if (text[i] == '\n') starts_.push_back(i + 1);
  }
  SourcePosition at(std::ptrdiff_t offset) const {
    if (offset < 0) return {};
    const auto it = std::upper_bound(starts_.begin(), starts_.end(), static_cast<std::size_t>(offset));
    const auto line = static_cast<std::size_t>(it - starts_.begin());
    return {line, static_cast<std::size_t>(offset) - starts_[line - 1] + 1};
  }

 private:
  std::vector<std::size_t> starts_;
};

bool is_blank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

class Reader {
 public:
  Reader(std::string_view text, std::vector<Diagnostic>& diagnostics) : lines_(text), diagnostics_(diagnostics) {}

  // Elements are placed at their "<", not at their name.
  SourcePosition position_of(const pugi::xml_node& node) const {
    const std::ptrdiff_t offset = node.offset_debug();
    return lines_.at(node.type() == pugi::node_element && offset > 0 ? offset - 1 : offset);
  }

  Node read_element(const pugi::xml_node& xml, const ElementRule& rule) {
    Node node;
    node.element = rule.element;
    node.position = position_of(xml);
    read_attributes(xml, rule, node);
    read_children(xml, rule, node);
    return node;
  }

 private:
  void reject(SourcePosition position, std::string message) {
    diagnostics_.push_back({position, std::move(message)});
  }

  void read_attributes(const pugi::xml_node& xml, const ElementRule& rule, Node& node) {
    for (const auto& a : xml.attributes()) {
      const std::string_view name = a.name();
      const bool known = std::any_of(rule.attributes.begin(), rule.attributes.end(),
                                     [&](const AttributeRule& r) { return r.name == name; });
      if (!known)
        reject(node.position, "attribute '" + std::string(name) + "' is not read on <" + node.element + ">; ignored");
    }
    for (const auto& r : rule.attributes) {
      const pugi::xml_attribute a = xml.attribute(std::string(r.name).c_str());
      if (a) {
        read_value(r, a.value(), node);
      } else if (rule.text_is_value && r.name == "value" && !is_blank(xml.child_value())) {
        read_value(r, xml.child_value(), node);
      }
    }
  }

  void read_value(const AttributeRule& r, std::string_view text, Node& node) {
    Attribute attribute;
    attribute.name = r.name;
    attribute.position = node.position;
    Value& v = attribute.value;
    v.type = r.type;
    v.text = text;
    const auto refuse = [&](const char* what) {
      reject(node.position, "<" + node.element + "> " + attribute.name + "=\"" + std::string(text) + "\": not " +
                                what + "; the default is kept");
    };
    switch (r.type) {
      case ValueType::Text: break;
      case ValueType::Boolean: {
        const auto b = parse_boolean(text);
        if (!b) return refuse("a Boolean (\"True\" or \"False\")");
        v.boolean = *b;
        break;
      }
      case ValueType::Integer: {
        const auto i = parse_integer(text);
        if (!i) return refuse("an integer");
        v.integer = *i;
        break;
      }
      case ValueType::Code: {
        const auto code = find_code(*r.codes, text);
        if (!code) return refuse("one of the accepted keywords");
        v.integer = *code;
        break;
      }
      case ValueType::Size:
      case ValueType::PositionX:
      case ValueType::PositionY: {
        const auto g = parse_geometry_value(text);
        if (!g) return refuse("a keyword, a percentage or an integer");
        v.geometry = r.type == ValueType::Size        ? checked_size(*g)
                     : r.type == ValueType::PositionX ? checked_x(*g)
                                                      : checked_y(*g);
        break;
      }
      case ValueType::PropertyValue: {
        constexpr std::string_view kString = "stringRef:";
        constexpr std::string_view kImage = "imageRef:";
        if (text.starts_with(kString)) {
          v.reference = Reference::String;
          v.reference_name = text.substr(kString.size());
        } else if (text.starts_with(kImage)) {
          v.reference = Reference::Image;
          v.reference_name = text.substr(kImage.size());
        }
        break;
      }
    }
    node.attributes.push_back(std::move(attribute));
  }

  void read_children(const pugi::xml_node& xml, const ElementRule& rule, Node& node) {
    for (const auto& c : xml.children()) {
      switch (c.type()) {
        case pugi::node_element: break;
        case pugi::node_pcdata:
        case pugi::node_cdata:
          if (!rule.text_is_value && !is_blank(c.value()))
            reject(position_of(c), "text inside <" + node.element + "> is not read; ignored");
          continue;
        default: continue;  // comments, processing instructions
      }
      const std::string_view name = c.name();
      const ElementRule* child_rule = find_element_rule(name);
      const bool allowed =
          child_rule && (std::find(rule.children.begin(), rule.children.end(), name) != rule.children.end() ||
                         (rule.holds_tree_elements && is_tree_element(name)));
      if (!allowed) {
        reject(position_of(c), "<" + std::string(name) + "> is not read inside <" + node.element + ">; left out");
        continue;
      }
      node.children.push_back(read_element(c, *child_rule));
    }
  }

  LineTable lines_;
  std::vector<Diagnostic>& diagnostics_;
};

}  // namespace

LayoutError::LayoutError(std::string source, SourcePosition position, const std::string& message)
    : std::runtime_error(where(source, position) + ": " + message), source_(std::move(source)), position_(position) {}

LayoutDocument read_layout_text(std::string_view xml, std::string source) {
  LayoutDocument document;
  document.source = std::move(source);
  pugi::xml_document dom;
  const pugi::xml_parse_result parsed =
      dom.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_comments, pugi::encoding_utf8);
  const LineTable lines(xml);
  if (!parsed)
    throw LayoutError(document.source, lines.at(parsed.offset), std::string("malformed XML: ") + parsed.description());
  const pugi::xml_node root = dom.document_element();
  if (!root) throw LayoutError(document.source, {}, "no root element");
  Reader reader(xml, document.diagnostics);
  for (pugi::xml_node next = root.next_sibling(); next; next = next.next_sibling())
    if (next.type() == pugi::node_element)
      throw LayoutError(document.source, reader.position_of(next), "more than one root element");
  if (std::string_view(root.name()) != kRootElement)
    throw LayoutError(document.source, reader.position_of(root),
                      "the root element is <" + std::string(root.name()) + ">, not <" + std::string(kRootElement) + ">");
  document.root = reader.read_element(root, *find_element_rule(kRootElement));
  return document;
}

LayoutDocument read_layout_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw LayoutError(path.string(), {}, "cannot open the file");
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw LayoutError(path.string(), {}, "cannot read the file");
  return read_layout_text(content.str(), path.string());
}

std::string describe(const std::string& source, const Diagnostic& diagnostic) {
  return where(source, diagnostic.position) + ": " + diagnostic.message;
}

}  // namespace zozed::layout
