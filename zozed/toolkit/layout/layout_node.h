// The element tree of a layout description as the toolkit reads it: each element with the
// attributes it accepted (already parsed and checked, in reading order) and its child elements.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zozed/toolkit/layout/layout_values.h"

namespace zozed::layout {

enum class ValueType {
  Text,
  Boolean,
  Integer,
  Code,      // a keyword of a fixed list, stored as its code
  Size,      // width, height
  PositionX,
  PositionY,
  PropertyValue,  // text that may name a string or an image by a "stringRef:"/"imageRef:" prefix
};

enum class Reference { None, String, Image };

// layout, image, control, windowsControl, windowUiElement, hitObject, splitter.
bool is_tree_element(std::string_view element);

struct Value {
  ValueType type = ValueType::Text;
  std::string text;  // as written
  bool boolean = false;
  std::int32_t integer = 0;  // Integer, and the stored code of Code
  GeometryValue geometry;    // Size, PositionX, PositionY (after the checks)
  Reference reference = Reference::None;
  std::string reference_name;  // what follows the prefix of a reference
};

struct SourcePosition {
  std::size_t line = 0;  // 1-based
  std::size_t column = 0;  // 1-based, in bytes
};

struct Attribute {
  std::string name;
  Value value;
  SourcePosition position;
};

struct Node {
  std::string element;
  SourcePosition position;
  std::vector<Attribute> attributes;
  std::vector<Node> children;

  const Attribute* attribute(std::string_view name) const;
  const Node* child(std::string_view element_name) const;

  // The accepted value of an attribute, or the fallback when it is absent or was rejected.
  std::string text(std::string_view name, std::string_view fallback = {}) const;
  bool boolean(std::string_view name, bool fallback) const;
  std::int32_t integer(std::string_view name, std::int32_t fallback) const;
  GeometryValue geometry(std::string_view name) const;

  bool is_tree_element() const { return layout::is_tree_element(element); }
  // The `name` attribute of a tree element, template or colour object.
  std::string name() const { return text("name"); }
  // The tree elements a container holds, from its `items` or `layoutItems`.
  std::vector<const Node*> items() const;
};

// The first tree element named `name` at or below `root`, depth first in document order.
const Node* find_named(const Node& root, std::string_view name);
// The first `control` or `windowsControl` whose itemID is `id`, at or below `root`.
const Node* find_item(const Node& root, std::int32_t id);

}  // namespace zozed::layout
