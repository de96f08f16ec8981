// Which elements a layout description may hold, which attributes each of them reads, with
// which value syntax, and which child elements it takes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include "zozed/toolkit/layout/layout_node.h"

namespace zozed::layout {

using CodeEntry = std::pair<std::string_view, std::int32_t>;

struct CodeList {
  std::span<const CodeEntry> codes;
  std::optional<std::int32_t> otherwise;  // the code of any other text, where there is one
};

struct AttributeRule {
  std::string_view name;
  ValueType type;
  const CodeList* codes = nullptr;
};

struct ElementRule {
  std::string_view element;
  std::span<const AttributeRule> attributes;  // in reading order
  std::span<const std::string_view> children;
  bool holds_tree_elements = false;
  bool text_is_value = false;  // the element's text is its `value` when it has no such attribute
};

// The element every layout file has at its root.
inline constexpr std::string_view kRootElement = "skin";

const ElementRule* find_element_rule(std::string_view element);
std::optional<std::int32_t> find_code(const CodeList& list, std::string_view text);

}  // namespace zozed::layout
