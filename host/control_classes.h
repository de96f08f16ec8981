// ProgID lookup for the host's controls, so that a control-host window whose text names a
// control by ProgID (versioned or version-independent, any case) finds its class.
#pragma once

#include <string_view>

#include "host/item_tray.h"
#include "host/skinned_controls.h"

namespace host {

namespace detail {
inline bool prog_id_matches(std::u16string_view versioned, std::u16string_view text) noexcept {
  const auto same = [](std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      char16_t x = a[i], y = b[i];
      if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x - u'A' + u'a');
      if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y - u'A' + u'a');
      if (x != y) return false;
    }
    return true;
  };
  const auto dot = versioned.rfind(u'.');
  return same(versioned, text) || (dot != std::u16string_view::npos && same(versioned.substr(0, dot), text));
}
}  // namespace detail

// The class a host control ProgID names, or null.
inline const CLSID* control_class_from_prog_id(std::u16string_view prog_id) noexcept {
  for (const auto& entry : kSkinnedControlClasses)
    if (detail::prog_id_matches(entry.prog_id, prog_id)) return entry.clsid;
  if (detail::prog_id_matches(kItemTrayProgId, prog_id)) return &CLSID_ItemTray;
  if (detail::prog_id_matches(kItemTrayStripProgId, prog_id)) return &CLSID_ItemTrayStrip;
  return nullptr;
}

}  // namespace host
