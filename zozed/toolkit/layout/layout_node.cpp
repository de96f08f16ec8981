#include "zozed/toolkit/layout/layout_node.h"

#include <array>

namespace zozed::layout {

namespace {
constexpr std::array<std::string_view, 7> kTreeElements{"layout", "image", "control", "windowsControl",
                                                        "windowUiElement", "hitObject", "splitter"};
}

const Attribute* Node::attribute(std::string_view name) const {
  for (const auto& a : attributes)
    if (a.name == name) return &a;
  return nullptr;
}

const Node* Node::child(std::string_view element_name) const {
  for (const auto& c : children)
    if (c.element == element_name) return &c;
  return nullptr;
}

std::string Node::text(std::string_view name, std::string_view fallback) const {
  const Attribute* a = attribute(name);
  return a ? a->value.text : std::string(fallback);
}

bool Node::boolean(std::string_view name, bool fallback) const {
  const Attribute* a = attribute(name);
  return a && a->value.type == ValueType::Boolean ? a->value.boolean : fallback;
}

std::int32_t Node::integer(std::string_view name, std::int32_t fallback) const {
  const Attribute* a = attribute(name);
  return a && (a->value.type == ValueType::Integer || a->value.type == ValueType::Code) ? a->value.integer : fallback;
}

GeometryValue Node::geometry(std::string_view name) const {
  const Attribute* a = attribute(name);
  if (!a) return {};
  switch (a->value.type) {
    case ValueType::Size:
    case ValueType::PositionX:
    case ValueType::PositionY: return a->value.geometry;
    default: return {};
  }
}

bool is_tree_element(std::string_view element) {
  for (auto kind : kTreeElements)
    if (element == kind) return true;
  return false;
}

std::vector<const Node*> Node::items() const {
  std::vector<const Node*> result;
  for (const auto& c : children) {
    if (c.element != "items" && c.element != "layoutItems") continue;
    for (const auto& item : c.children)
      if (item.is_tree_element()) result.push_back(&item);
  }
  return result;
}

const Node* find_named(const Node& root, std::string_view name) {
  if (root.is_tree_element() && root.name() == name) return &root;
  for (const auto& c : root.children)
    if (const Node* found = find_named(c, name)) return found;
  return nullptr;
}

const Node* find_item(const Node& root, std::int32_t id) {
  if ((root.element == "control" || root.element == "windowsControl") && root.attribute("itemID") &&
      root.integer("itemID", 0) == id)
    return &root;
  for (const auto& c : root.children)
    if (const Node* found = find_item(c, id)) return found;
  return nullptr;
}

}  // namespace zozed::layout
