#include "zozed/toolkit/xml_layout_engine.h"

#include <algorithm>
#include <cmath>

namespace zozed::toolkit {

namespace {

using layout::GeometryKind;
using layout::GeometryValue;
using layout::Node;

// What a control without an absolute size is given: one line of a skinned control.
constexpr LONG kIdealControlWidth = 100;
constexpr LONG kIdealControlHeight = 20;

enum class Axis { Width, Height };

const Node* geometry_part(const Node& element, const char* part) {
  const Node* geometry = element.child("geometry");
  return geometry ? geometry->child(part) : nullptr;
}

GeometryValue size_value(const Node& element, Axis axis, const char* part = "size") {
  const Node* size = geometry_part(element, part);
  return size ? size->geometry(axis == Axis::Width ? "width" : "height") : GeometryValue{};
}

struct Edges {
  LONG left = 0, top = 0, right = 0, bottom = 0;
};

Edges edges_of(const Node* node) {
  if (!node) return {};
  return {node->integer("left", 0), node->integer("top", 0), node->integer("right", 0), node->integer("bottom", 0)};
}

// Space a container keeps free inside its own box.
Edges inner_edges(const Node& container) {
  const Edges margins = edges_of(container.child("margins"));
  const Edges padding = edges_of(geometry_part(container, "padding"));
  return {margins.left + padding.left, margins.top + padding.top, margins.right + padding.right,
          margins.bottom + padding.bottom};
}

LONG spacing_of(const Node& container, Axis axis) {
  const Node* spacing = container.child("spacing");
  if (!spacing) return 0;
  const GeometryValue v = spacing->geometry(axis == Axis::Width ? "width" : "height");
  return v.kind == GeometryKind::Absolute ? static_cast<LONG>(v.number) : 0;
}

bool is_stretch(const GeometryValue& v) {
  return v.is_unset() || (v.kind == GeometryKind::Special && v.number == layout::kStretch);
}

LONG ideal_length(const Node& element, Axis axis) {
  const SIZE size = preferred_size(element);
  return axis == Axis::Width ? size.cx : size.cy;
}

LONG clamp_to_limits(const Node& element, Axis axis, LONG length) {
  const GeometryValue minimal = size_value(element, axis, "minimalSize");
  const GeometryValue maximal = size_value(element, axis, "maximalSize");
  if (maximal.kind == GeometryKind::Absolute) length = std::min(length, static_cast<LONG>(maximal.number));
  if (minimal.kind == GeometryKind::Absolute) length = std::max(length, static_cast<LONG>(minimal.number));
  return std::max<LONG>(length, 0);
}

// A length that does not depend on the other items; stretching ones are settled afterwards.
LONG fixed_length(const Node& element, Axis axis, LONG available) {
  const GeometryValue v = size_value(element, axis);
  switch (v.kind) {
    case GeometryKind::Absolute: return static_cast<LONG>(v.number);
    case GeometryKind::Percent: return static_cast<LONG>(std::lround(available * v.number / 100.0));
    case GeometryKind::Special:
      if (is_stretch(v)) return available;
      return ideal_length(element, axis);
  }
  return available;
}

LONG aligned_offset(std::int32_t alignment, LONG free_space) {
  switch (alignment) {
    case 1: return free_space;      // Right / Bottom
    case 2: return free_space / 2;  // Center
    default: return 0;
  }
}

LONG origin_offset(const GeometryValue& v, LONG available, LONG length) {
  switch (v.kind) {
    case GeometryKind::Absolute: return static_cast<LONG>(v.number);
    case GeometryKind::Percent: return static_cast<LONG>(std::lround(available * v.number / 100.0));
    case GeometryKind::Special:
      if (v.number == layout::kRight || v.number == layout::kBottom) return available - length;
      if (v.number == layout::kCenter) return (available - length) / 2;
      return 0;
  }
  return 0;
}

RECT without_padding(const Node& element, RECT rect) {
  const Edges padding = edges_of(geometry_part(element, "padding"));
  if (element.element == "layout") return rect;  // a container keeps its padding inside
  rect.left += padding.left;
  rect.top += padding.top;
  rect.right = std::max(rect.left, rect.right - padding.right);
  rect.bottom = std::max(rect.top, rect.bottom - padding.bottom);
  return rect;
}

std::vector<PlacedItem> place_static(const std::vector<const Node*>& items, const RECT& area) {
  std::vector<PlacedItem> placed;
  const LONG w = area.right - area.left, h = area.bottom - area.top;
  for (const Node* item : items) {
    const LONG iw = clamp_to_limits(*item, Axis::Width, fixed_length(*item, Axis::Width, w));
    const LONG ih = clamp_to_limits(*item, Axis::Height, fixed_length(*item, Axis::Height, h));
    const Node* origin = geometry_part(*item, "origin");
    const LONG x = origin ? origin_offset(origin->geometry("x"), w, iw) : 0;
    const LONG y = origin ? origin_offset(origin->geometry("y"), h, ih) : 0;
    placed.push_back({item, without_padding(*item, {area.left + x, area.top + y, area.left + x + iw, area.top + y + ih})});
  }
  return placed;
}

std::vector<PlacedItem> place_stacked(const Node& container, const std::vector<const Node*>& items, const RECT& area,
                                      bool vertical) {
  const Axis main = vertical ? Axis::Height : Axis::Width;
  const Axis cross = vertical ? Axis::Width : Axis::Height;
  const LONG main_space = vertical ? area.bottom - area.top : area.right - area.left;
  const LONG cross_space = vertical ? area.right - area.left : area.bottom - area.top;
  const LONG gap = spacing_of(container, main);

  std::vector<LONG> lengths(items.size(), 0);
  LONG used = items.empty() ? 0 : gap * static_cast<LONG>(items.size() - 1);
  std::size_t stretching = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (is_stretch(size_value(*items[i], main))) {
      ++stretching;
      continue;
    }
    lengths[i] = clamp_to_limits(*items[i], main, fixed_length(*items[i], main, main_space));
    used += lengths[i];
  }
  const LONG left_over = std::max<LONG>(main_space - used, 0);
  for (std::size_t i = 0, shared = 0; i < items.size(); ++i) {
    if (!is_stretch(size_value(*items[i], main))) continue;
    // The last stretching item takes what rounding left.
    const LONG share = ++shared == stretching ? left_over - left_over / static_cast<LONG>(stretching) *
                                                                  static_cast<LONG>(stretching - 1)
                                              : left_over / static_cast<LONG>(stretching);
    lengths[i] = clamp_to_limits(*items[i], main, share);
    used += lengths[i];
  }

  const std::int32_t main_alignment = container.integer(vertical ? "vAlignment" : "hAlignment", 0);
  const std::int32_t cross_alignment = container.integer(vertical ? "hAlignment" : "vAlignment", 0);
  LONG position = aligned_offset(main_alignment, std::max<LONG>(main_space - used, 0));
  std::vector<PlacedItem> placed;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const Node& item = *items[i];
    LONG breadth = cross_alignment == 3 ? cross_space
                                        : clamp_to_limits(item, cross, fixed_length(item, cross, cross_space));
    breadth = std::min(breadth, cross_space);
    const LONG across = aligned_offset(cross_alignment, cross_space - breadth);
    RECT r = vertical ? RECT{area.left + across, area.top + position, area.left + across + breadth,
                             area.top + position + lengths[i]}
                      : RECT{area.left + position, area.top + across, area.left + position + lengths[i],
                             area.top + across + breadth};
    placed.push_back({&item, without_padding(item, r)});
    position += lengths[i] + gap;
  }
  return placed;
}

}  // namespace

std::vector<PlacedItem> place_items(const Node& container, LONG width, LONG height) {
  const Edges inner = inner_edges(container);
  const RECT area{inner.left, inner.top, std::max(inner.left, width - inner.right),
                  std::max(inner.top, height - inner.bottom)};
  const auto items = container.items();
  switch (container.integer("orientation", 2)) {
    case 0: return place_stacked(container, items, area, true);
    case 1: return place_stacked(container, items, area, false);
    default: return place_static(items, area);
  }
}

SIZE preferred_size(const Node& element) {
  SIZE size{kIdealControlWidth, kIdealControlHeight};
  if (element.element == "layout") {
    const Edges inner = inner_edges(element);
    const std::int32_t orientation = element.integer("orientation", 2);
    LONG main = 0, cross = 0;
    const auto items = element.items();
    for (const Node* item : items) {
      const SIZE s{fixed_length(*item, Axis::Width, 0), fixed_length(*item, Axis::Height, 0)};
      if (orientation == 0) {
        main += s.cy;
        cross = std::max(cross, s.cx);
      } else if (orientation == 1) {
        main += s.cx;
        cross = std::max(cross, s.cy);
      } else {
        main = std::max(main, s.cy);
        cross = std::max(cross, s.cx);
      }
    }
    if (orientation == 0 || orientation == 1) {
      const LONG gaps = items.empty() ? 0 : static_cast<LONG>(items.size() - 1);
      main += gaps * spacing_of(element, orientation == 0 ? Axis::Height : Axis::Width);
    }
    size = orientation == 1 ? SIZE{main, cross} : orientation == 0 ? SIZE{cross, main} : SIZE{cross, main};
    size.cx += inner.left + inner.right;
    size.cy += inner.top + inner.bottom;
  }
  const GeometryValue w = size_value(element, Axis::Width), h = size_value(element, Axis::Height);
  if (w.kind == GeometryKind::Absolute) size.cx = static_cast<LONG>(w.number);
  if (h.kind == GeometryKind::Absolute) size.cy = static_cast<LONG>(h.number);
  size.cx = clamp_to_limits(element, Axis::Width, size.cx);
  size.cy = clamp_to_limits(element, Axis::Height, size.cy);
  return size;
}

}  // namespace zozed::toolkit
