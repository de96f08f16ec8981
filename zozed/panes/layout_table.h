// The layout table of a pane: groups of (control id, item flags), processed in table order.
#pragma once

#include <span>

#include "platform/windef.h"

namespace zozed {

struct LayoutItem {
  int control_id;
  LONG flags;
};

struct LayoutGroup {
  const LayoutItem* items;
  int count;
  LONG flags;

  std::span<const LayoutItem> item_span() const noexcept {
    return {items, static_cast<std::size_t>(count > 0 ? count : 0)};
  }
};

// Group flags: kind in the low four bits, and where a downward group starts.
inline constexpr LONG kGroupDownward = 1;
inline constexpr LONG kGroupUpward = 2;
inline constexpr LONG kGroupRow = 4;
inline constexpr LONG kGroupKindMask = 0xF;
inline constexpr LONG kGroupStartsAtTop = 0x10;

// Item flags: sizing kind (bits 0-3), horizontal indent index (4-7), vertical gap index (8-11).
inline constexpr LONG kItemMoveOnly = 1;
inline constexpr LONG kItemTemplateWidthIdealHeight = 2;
inline constexpr LONG kItemStretchedIdealHeight = 3;
inline constexpr LONG kItemSharesRow = 4;
inline constexpr LONG kItemStretched = 5;

constexpr LONG item_sizing(LONG flags) noexcept { return flags & 0xF; }
constexpr int item_indent(LONG flags) noexcept { return static_cast<int>((flags >> 4) & 0xF); }
constexpr int item_gap(LONG flags) noexcept { return static_cast<int>((flags >> 8) & 0xF); }

}  // namespace zozed
