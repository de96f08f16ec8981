// Places the items of a layout container from their geometry values: stacked top to bottom
// ("Vertical"), left to right ("Horizontal"), or each at its own origin ("Static").
#pragma once

#include <vector>

#include "platform/windef.h"
#include "zozed/toolkit/layout/layout_node.h"

namespace zozed::toolkit {

struct PlacedItem {
  const layout::Node* node;
  RECT rect;  // in the container's client coordinates, padding taken off
};

// The items of `container` within a client area of `width` x `height` pixels.
std::vector<PlacedItem> place_items(const layout::Node& container, LONG width, LONG height);

// The size a tree element asks for on its own: absolute sizes as written, ideal sizes from its
// items, a default for controls.
SIZE preferred_size(const layout::Node& element);

}  // namespace zozed::toolkit
